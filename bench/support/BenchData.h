#pragma once
// The spell lists the benchmarks measure, made the same way in every program
// so that figures compare across programs and runs.

#include "model/SpellBook.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A master list as a file would hold it: long names with quotes, two source
// books (one with a comma), five frequencies, combined categories; levels in
// equal blocks. Added in book order.
std::unique_ptr<TSpellBook> MakeListBook(int32_t count);

// The spell list file of book; with shuffled, the same spell lines in random
// order (fixed seed) before the closing line.
std::string SpellListBytes(TSpellBook& book, bool shuffled);

// The file of MakeListBook(count), made once per count and order.
const std::string& ListBytes(int32_t count, bool shuffled);

// Short names, one book and one school, levels in equal blocks, in book order.
std::vector<tSpell> MakePlainSpells(int32_t count);

// A master list for filling and filtering: levels spread evenly, mostly
// common, the schools of the built-in specialties with some combined ones,
// 40 source books. Added in book order.
std::unique_ptr<TSpellBook> MakeMasterList(int32_t count);

// Puts items in random order with the program's random source (fixed seed).
template <class T> void ShuffleWithSeed(std::vector<T>& items, uint64_t seed);

// The book's spells in book order, as plain pointers.
std::vector<tSpell*> SpellsOf(TSpellBook& book);
