// Book text, print layout and scroll figures: rendering a large book in the
// flowing and the column layouts, drawing it on a surface of fixed metrics
// (the preview stops at the image's bottom edge; paper draws every page), and
// drawing a scroll of half of every level. And the level
// view's lines: a window showing one level and then another, for a spellbook
// (with the memorized mark) and for the master list's references-only view,
// beside formatting the same lines from plain vectors of each level's spells.
#include "master/SpellFilter.h"
#include "model/Random.h"
#include "output/BookText.h"
#include "output/PrintLayout.h"
#include "output/Scroll.h"
#include "output/SpellListLine.h"
#include "support/BenchData.h"
#include "support/Ratio.h"
#include "tests/output/FakeSurface.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

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

// The book viewed: a spellbook of count spells (source 0) or a master list
// view showing the whole pool of count spells (source 1); made once each.
TSpellBook& Viewed(int64_t source, int64_t count) {
    static std::map<std::pair<int64_t, int64_t>, std::unique_ptr<TSpellBook>> books;
    std::unique_ptr<TSpellBook>& book = books[{source, count}];
    if (!book) {
        book = MakeListBook(static_cast<int32_t>(count));
        if (source == 1) {
            static std::vector<std::unique_ptr<TSpellBook>> pools;
            pools.push_back(std::move(book));
            book = std::make_unique<TSpellBook>();
            book->MarkReferencesOnly();
            ShowWholePool(*pools.back(), *book);
        }
    }
    return *book;
}

// The spells of each level of the book in vectors, as the baseline holds them.
std::vector<std::vector<const tSpell*>> LevelVectors(TSpellBook& book) {
    std::vector<std::vector<const tSpell*>> levels(MaxSpellLevel + 1);
    for (const tSpell* spell : SpellsOf(book)) {
        levels[static_cast<size_t>(spell->Level)].push_back(spell);
    }
    return levels;
}

void BM_LevelView(benchmark::State& state) {
    TSpellBook& book = Viewed(state.range(0), state.range(1));
    // Made as the baseline makes them, though not used: the allocator's
    // thresholds, which its large blocks move, are then the same in both.
    const auto unused = LevelVectors(book);
    benchmark::DoNotOptimize(unused.data());
    const bool mark = state.range(0) == 0;
    const auto from = static_cast<int32_t>(state.range(2));
    const auto to = static_cast<int32_t>(state.range(3));
    for (auto _ : state) {
        benchmark::DoNotOptimize(SpellListLines(book, from, mark).data());
        benchmark::DoNotOptimize(SpellListLines(book, to, mark).data());
    }
}

// The baseline: the same two levels' lines formatted from vectors that hold
// each level's spells.
void BM_VectorLevelLines(benchmark::State& state) {
    TSpellBook& book = Viewed(state.range(0), state.range(1));
    const bool mark = state.range(0) == 0;
    const auto levels = LevelVectors(book);
    const auto lines = [&](int64_t level) {
        std::vector<std::string> result;
        for (const tSpell* spell : levels[static_cast<size_t>(level)]) {
            result.push_back(SpellListLine(*spell, mark));
        }
        return result;
    };
    for (auto _ : state) {
        benchmark::DoNotOptimize(lines(state.range(2)).data());
        benchmark::DoNotOptimize(lines(state.range(3)).data());
    }
}

void Views(benchmark::internal::Benchmark* b) {
    b->ArgNames({"master", "spells", "from", "to"})
        ->Args({0, 50000, 1, 9})
        ->Args({0, 50000, 9, 1})
        ->Args({0, 50000, 4, 5})
        ->Args({0, 500000, 1, 9})
        ->Args({1, 50000, 1, 9})
        ->Args({1, 50000, 9, 1})
        ->Args({1, 500000, 1, 9})
        ->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_LevelView)->Apply(Views);
BENCHMARK(BM_VectorLevelLines)->Apply(Views);

const bool Compared = [] {
    for (const char* view : {"master:0/spells:50000/from:1/to:9", "master:0/spells:50000/from:9/to:1",
                             "master:0/spells:50000/from:4/to:5", "master:0/spells:500000/from:1/to:9",
                             "master:1/spells:50000/from:1/to:9", "master:1/spells:50000/from:9/to:1",
                             "master:1/spells:500000/from:1/to:9"}) {
        CompareWithBaseline(std::string("BM_LevelView/") + view, std::string("BM_VectorLevelLines/") + view,
                            0);
    }
    return true;
}();

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

} // namespace
