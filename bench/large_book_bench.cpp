// Large books: a scroll taking every spell of every level, and the master
// list's title and category lists when every spell has titles and categories
// of its own, at 5,000, 50,000 and 500,000 spells.
#include "files/Rules.h"
#include "model/Random.h"
#include "output/Scroll.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

// Spells spread evenly over the nine levels, added in book order. Titles and
// categories are distinct per spell and come in no particular order, the
// worst case for a list kept sorted by insertion.
std::unique_ptr<TSpellBook> MakeLargeBook(int count) {
    auto book = TSpellBook::Create(30, 21, FrequencyRestricted, "Generalist");
    const int perLevel = (count + 8) / 9;
    for (int i = 0; i < count; ++i) {
        const auto scrambled = static_cast<unsigned>(i) * 2654435761u % 10000019u;
        char name[32];
        std::snprintf(name, sizeof name, "Spell %07d", i % perLevel);
        char title[32];
        std::snprintf(title, sizeof title, "%s %08u", (i % 2) ? "book" : "Book", scrambled);
        char category[48];
        std::snprintf(category, sizeof category, "cat %08u, Cat %08u", scrambled, scrambled + 1);
        book->AddSpell(tSpell::Create(1 + i / perLevel, name, title, i % 300, -(i % 5), category, false));
    }
    return book;
}

void BM_ScrollOfEverySpell(benchmark::State& state) {
    auto book = MakeLargeBook(static_cast<int>(state.range(0)));
    tScrollCounts counts{};
    for (int level = 1; level <= 9; ++level) {
        counts[static_cast<size_t>(level)] = book->LevelCount[level];
    }
    SeedRandom(1);
    for (auto _ : state) {
        auto scroll = MakeScroll(*book, counts);
        benchmark::DoNotOptimize(scroll->Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ScrollOfEverySpell)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond);

void BM_BookTitlesDistinct(benchmark::State& state) {
    auto book = MakeLargeBook(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(BookTitles(*book));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BookTitlesDistinct)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond);

void BM_CategoryNamesDistinct(benchmark::State& state) {
    auto book = MakeLargeBook(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CategoryNames(*book));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CategoryNamesDistinct)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond);

} // namespace
