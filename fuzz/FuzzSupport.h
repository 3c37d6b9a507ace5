#pragma once
// Checks shared by the file readers' fuzzers: a broken promise aborts, which
// the fuzzer reports as a finding together with the input.

#include "model/SpellBook.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

inline std::string BytesOf(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// True when both books hold equal spells in the same order with equal counts.
inline bool SameSpells(TSpellBook& a, TSpellBook& b) {
    if (a.Count() != b.Count() || a.LevelCount != b.LevelCount) {
        return false;
    }
    a.First();
    b.First();
    while (a.Current() && b.Current()) {
        if (!(*a.CurrentSpell() == *b.CurrentSpell())) {
            return false;
        }
        a.Next();
        b.Next();
    }
    return !a.Current() && !b.Current();
}

// Every spell of a book read from a file is one a spell line can carry.
inline bool SpellsAreValid(TSpellBook& book) {
    for (book.First(); book.Current(); book.Next()) {
        const tSpell& spell = *book.CurrentSpell();
        if (!IsSpellLevel(spell.Level) || spell.Name.empty() || !IsFrequencyCode(spell.Frequency)) {
            return false;
        }
    }
    return true;
}
