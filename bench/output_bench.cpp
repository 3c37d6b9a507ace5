// Book text, print layout and scroll figures: rendering a large book in the
// flowing and the column layouts, drawing it on a surface of fixed metrics
// (the preview stops at the image's bottom edge; paper draws every page), and
// drawing a scroll of half of every level.
#include "model/Random.h"
#include "output/BookText.h"
#include "output/PrintLayout.h"
#include "output/Scroll.h"
#include "tests/output/FakeSurface.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<TSpellBook> MakeBook(int count) {
    auto book = TSpellBook::Create(20, 18, -4, "Invoker");
    const int perLevel = (count + 8) / 9;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Spell %06d", i % perLevel);
        book->AddSpell(
            tSpell::Create(1 + i / perLevel, name, "Grimoire", i % 300, -(i % 5), "alt, i/e", i % 3 == 0));
    }
    return book;
}

void BM_BuildOutputText(benchmark::State& state) {
    auto book = MakeBook(static_cast<int>(state.range(0)));
    tOutputOptions options;
    options.Columns = static_cast<int32_t>(state.range(1));
    options.Category = true;
    options.Frequency = true;
    for (auto _ : state) {
        const std::string text = JoinLines(BuildOutputText(*book, "untitled", options));
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildOutputText)
    ->Args({50, 0})
    ->Args({50, 3})
    ->Args({20000, 0})
    ->Args({20000, 4})
    ->Unit(benchmark::kMicrosecond);

// Arguments: spells, columns, 1 for paper (A4 at 96 pixels an inch) or 0 for
// the preview.
void BM_DrawBook(benchmark::State& state) {
    auto book = MakeBook(static_cast<int>(state.range(0)));
    tOutputOptions options;
    options.Columns = static_cast<int32_t>(state.range(1));
    options.Category = true;
    options.Frequency = true;
    const bool paper = state.range(2) != 0;
    int32_t pages = 0;
    for (auto _ : state) {
        tFakeSurface surface(paper ? 698 : 551, paper ? 1026 : 442, false);
        DrawBook(*book, "untitled", options, paper ? tPrintMedium::Paper : tPrintMedium::Preview, surface);
        pages = surface.Pages;
        benchmark::DoNotOptimize(surface.Texts);
    }
    state.counters["pages"] = pages;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawBook)
    ->Args({20000, 0, 1})
    ->Args({20000, 4, 1})
    ->Args({20000, 0, 0})
    ->Args({20000, 4, 0})
    ->Unit(benchmark::kMicrosecond);

void BM_MakeScroll(benchmark::State& state) {
    auto book = MakeBook(static_cast<int>(state.range(0)));
    tScrollCounts counts{};
    for (int level = 1; level <= 9; ++level) {
        counts[static_cast<size_t>(level)] = book->LevelCount[level] / 2;
    }
    SeedRandom(1);
    for (auto _ : state) {
        auto scroll = MakeScroll(*book, counts);
        benchmark::DoNotOptimize(scroll->Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) / 2);
}
BENCHMARK(BM_MakeScroll)->Arg(50)->Arg(2000)->Unit(benchmark::kMicrosecond);

} // namespace
