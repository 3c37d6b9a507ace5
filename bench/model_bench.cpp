// Spellbook container figures: sorted and shuffled inserts through the book's
// own AddCopy beside reading the same spells from a sorted file (and the
// shuffled ones beside a plain sorted list's walk), reading one
// large level row by row the way a window's list does, and Contains.
#include "files/SpellListFile.h"
#include "model/SpellBook.h"
#include "support/BenchData.h"
#include "support/Ratio.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

void Insert(benchmark::State& state, bool shuffled) {
    auto spells = MakePlainSpells(static_cast<int32_t>(state.range(0)));
    if (shuffled) {
        ShuffleWithSeed(spells, 1);
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

void BM_InsertSorted(benchmark::State& state) {
    Insert(state, false);
}
BENCHMARK(BM_InsertSorted)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_InsertShuffled(benchmark::State& state) {
    Insert(state, true);
}
BENCHMARK(BM_InsertShuffled)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->MinTime(0.5);

// The plain twin of the book's index: the same shuffled spells into a sorted
// list that walks to each one's place (50,000 would take some 16 s a run).
void BM_InsertShuffledByWalk(benchmark::State& state) {
    auto spells = MakePlainSpells(static_cast<int32_t>(state.range(0)));
    ShuffleWithSeed(spells, 1);
    for (auto _ : state) {
        tSortedList<tSpell> list(CompareSpells, true);
        for (tSpell& s : spells) {
            list.Insert(&s);
        }
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_InsertShuffledByWalk)->Arg(5000)->Unit(benchmark::kMillisecond);

// The baseline: the same spells read from their sorted spell list file.
void BM_ReadSortedFile(benchmark::State& state) {
    TSpellBook source;
    for (const tSpell& s : MakePlainSpells(static_cast<int32_t>(state.range(0)))) {
        source.AddCopy(&s);
    }
    const std::string bytes = SpellListBytes(source, false);
    for (auto _ : state) {
        std::istringstream in(bytes);
        auto book = ReadSpellList(in);
        benchmark::DoNotOptimize(book->Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadSortedFile)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_ReadLevelBySpellAt(benchmark::State& state) {
    const int perLevel = static_cast<int>(state.range(0));
    TSpellBook book;
    for (const tSpell& s : MakePlainSpells(perLevel * 9)) {
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

// Asking for 1,000 spells of a 50,000-spell book, present and absent.
void BM_Contains(benchmark::State& state) {
    const auto spells = MakePlainSpells(50000);
    TSpellBook book;
    for (size_t i = 0; i < spells.size(); i += 2) {
        book.AddCopy(&spells[i]);
    }
    for (auto _ : state) {
        int found = 0;
        for (size_t i = 0; i < spells.size(); i += 50) {
            found += book.Contains(&spells[i]) ? 1 : 0;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_Contains)->Unit(benchmark::kMillisecond);

const bool Compared = [] {
    CompareWithBaseline("BM_InsertShuffled/50000/min_time:0.500", "BM_ReadSortedFile/50000", 0);
    CompareWithBaseline("BM_InsertSorted/50000", "BM_ReadSortedFile/50000", 0);
    CompareWithBaseline("BM_InsertShuffled/5000/min_time:0.500", "BM_InsertShuffledByWalk/5000", 0);
    return true;
}();

} // namespace
