// Book filling from a 50,000-spell master list for the largest wizard (caster
// level 30, intelligence 21, Restricted limit), as a generalist and as a
// specialist, beside one walk of the list that asks IsSpellLegal of every
// spell for the same book; and the master list's filter lists of titles and
// categories.
#include "files/Fill.h"
#include "files/Odds.h"
#include "files/Rules.h"
#include "model/Random.h"
#include "model/Specialty.h"
#include "model/SpellBook.h"
#include "support/BenchData.h"
#include "support/Ratio.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

TSpellBook& Master() {
    static std::unique_ptr<TSpellBook> master = MakeMasterList(50000);
    return *master;
}

const char* SpecialtyOf(const benchmark::State& state) {
    return state.range(0) == 0 ? "Generalist" : "Invoker";
}

void BM_FillBook(benchmark::State& state) {
    TSpellBook& master = Master();
    auto specialties = MakeDefaultSpecialties();
    ResetSelectionOdds();
    SeedRandom(1);
    int64_t added = 0;
    for (auto _ : state) {
        TSpellBook book(30, 21, FrequencyRestricted, SpecialtyOf(state));
        FillBook(&book, &master, specialties.get());
        added += book.Count();
    }
    state.counters["spells per book"] = static_cast<double>(added) / static_cast<double>(state.iterations());
}

// The baseline: one walk of the master list testing every spell's legality.
void BM_WalkIsSpellLegal(benchmark::State& state) {
    TSpellBook& master = Master();
    auto specialties = MakeDefaultSpecialties();
    for (auto _ : state) {
        TSpellBook book(30, 21, FrequencyRestricted, SpecialtyOf(state));
        int32_t legal = 0;
        for (master.First(); master.Current(); master.Next()) {
            legal += IsSpellLegal(master.CurrentSpell(), &book, specialties.get()) ? 1 : 0;
        }
        benchmark::DoNotOptimize(legal);
    }
}

BENCHMARK(BM_FillBook)->ArgName("specialist")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkIsSpellLegal)->ArgName("specialist")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BookTitles(benchmark::State& state) {
    TSpellBook& master = Master();
    for (auto _ : state) {
        benchmark::DoNotOptimize(BookTitles(master));
    }
}
BENCHMARK(BM_BookTitles)->Unit(benchmark::kMillisecond);

void BM_CategoryNames(benchmark::State& state) {
    TSpellBook& master = Master();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CategoryNames(master));
    }
}
BENCHMARK(BM_CategoryNames)->Unit(benchmark::kMillisecond);

const bool Compared = [] {
    CompareWithBaseline("BM_FillBook/specialist:0", "BM_WalkIsSpellLegal/specialist:0", 0);
    CompareWithBaseline("BM_FillBook/specialist:1", "BM_WalkIsSpellLegal/specialist:1", 0);
    return true;
}();

} // namespace
