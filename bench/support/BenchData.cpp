#include "support/BenchData.h"

#include "files/SpellListFile.h"
#include "model/Random.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <utility>

template <class T> void ShuffleWithSeed(std::vector<T>& items, uint64_t seed) {
    SeedRandom(seed);
    for (size_t i = items.size(); i > 1; --i) {
        std::swap(items[i - 1], items[static_cast<size_t>(RandomInt(static_cast<int32_t>(i)))]);
    }
}
template void ShuffleWithSeed(std::vector<tSpell>&, uint64_t);
template void ShuffleWithSeed(std::vector<std::string>&, uint64_t);

std::unique_ptr<TSpellBook> MakeListBook(int32_t count) {
    auto book = TSpellBook::Create(0, 0, 0, std::string());
    const int32_t perLevel = (count + 8) / 9;
    for (int32_t i = 0; i < count; ++i) {
        book->AddSpell(tSpell::Create(i / perLevel + 1,
                                      "Spell of the " + std::to_string(100000 + i) + " \"Winds\"",
                                      i % 3 ? "Apprentice's Book" : "Tome, vol. 2", i % 400, -(i % 5),
                                      i % 2 ? "e/c, alt" : "abj", i % 4 == 0));
    }
    return book;
}

std::string SpellListBytes(TSpellBook& book, bool shuffled) {
    std::ostringstream out;
    WriteSpellList(book, out);
    if (!shuffled) {
        return out.str();
    }
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line + "\n");
    }
    std::string closing = lines.back();
    lines.pop_back();
    ShuffleWithSeed(lines, 1);
    std::string bytes;
    for (const std::string& l : lines) {
        bytes += l;
    }
    return bytes + closing;
}

const std::string& ListBytes(int32_t count, bool shuffled) {
    static std::map<std::pair<int32_t, bool>, std::string> files;
    std::string& bytes = files[{count, shuffled}];
    if (bytes.empty()) {
        bytes = SpellListBytes(*MakeListBook(count), shuffled);
    }
    return bytes;
}

std::vector<tSpell> MakePlainSpells(int32_t count) {
    std::vector<tSpell> spells;
    spells.reserve(static_cast<size_t>(count));
    const int32_t perLevel = (count + 8) / 9;
    for (int32_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Spell %06d", i % perLevel);
        spells.emplace_back(1 + i / perLevel, name, "Grimoire", i % 300, 0, "alt", false);
    }
    return spells;
}

std::unique_ptr<TSpellBook> MakeMasterList(int32_t count) {
    static const char* const categories[] = {"abj", "alt", "c/s",      "div",      "e/c",      "i/e",
                                             "ill", "nec", "abj, alt", "i/e; nec", "div, ill", "wild"};
    static const int32_t frequencies[] = {0, 0, 0, 0, 0, -1, -1, -2, -3, -4};
    auto master = std::make_unique<TSpellBook>();
    SeedRandom(99);
    for (int32_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Spell %06d", i);
        char book[16];
        std::snprintf(book, sizeof book, "Book %02d", RandomInt(40));
        master->AddSpell(tSpell::Create(1 + static_cast<int32_t>(int64_t{i} * 9 / count), name, book,
                                        RandomInt(300), frequencies[RandomInt(10)], categories[RandomInt(12)],
                                        false));
    }
    return master;
}

std::vector<tSpell*> SpellsOf(TSpellBook& book) {
    std::vector<tSpell*> spells;
    for (book.First(); book.Current(); book.Next()) {
        spells.push_back(book.CurrentSpell());
    }
    return spells;
}
