// Spellbook container figures: sorted inserts (the shape of loading a saved
// file), shuffled inserts, and reading one large level row by row the way a
// window's list does.
#include "model/Random.h"
#include "model/SpellBook.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<tSpell> MakeSpells(int count) {
    std::vector<tSpell> spells;
    spells.reserve(static_cast<size_t>(count));
    const int perLevel = (count + 8) / 9;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Spell %06d", i % perLevel);
        spells.emplace_back(1 + i / perLevel, name, "Grimoire", i % 300, 0, "alt", false);
    }
    return spells;
}

void BM_InsertSorted(benchmark::State& state) {
    const auto spells = MakeSpells(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TSpellBook book;
        for (const tSpell& s : spells) {
            book.AddCopy(&s);
        }
        benchmark::DoNotOptimize(book.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_InsertSorted)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_InsertShuffled(benchmark::State& state) {
    auto spells = MakeSpells(static_cast<int>(state.range(0)));
    SeedRandom(1);
    for (size_t i = spells.size(); i > 1; --i) {
        std::swap(spells[i - 1], spells[static_cast<size_t>(RandomInt(static_cast<int32_t>(i)))]);
    }
    for (auto _ : state) {
        TSpellBook book;
        for (const tSpell& s : spells) {
            book.AddCopy(&s);
        }
        benchmark::DoNotOptimize(book.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_InsertShuffled)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReadLevelBySpellAt(benchmark::State& state) {
    const int perLevel = static_cast<int>(state.range(0));
    TSpellBook book;
    for (const tSpell& s : MakeSpells(perLevel * 9)) {
        book.AddCopy(&s);
    }
    for (auto _ : state) {
        size_t bytes = 0;
        for (int i = 0; i < book.LevelCount[5]; ++i) {
            bytes += book.SpellAt(5, i)->Name.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * perLevel);
}
BENCHMARK(BM_ReadLevelBySpellAt)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
