// The master list's view over a 50,000-spell pool: the whole pool (Remove
// Filter) and each kind of filter (Apply Filter), beside one pass over a plain
// vector of the same spells applying the same tests.
#include "master/SpellFilter.h"
#include "model/Specialty.h"
#include "support/BenchData.h"
#include "support/Ratio.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TSpellBook& Pool() {
    static std::unique_ptr<TSpellBook> pool = MakeMasterList(50000);
    return *pool;
}

const std::vector<tSpell*>& PoolVector() {
    static const std::vector<tSpell*> spells = SpellsOf(Pool());
    return spells;
}

// Filter kinds: 0 category, 1 frequency, 2 source book, 3 legal for a
// specialist's book, 4 all four together.
struct tFilterCase {
    std::unique_ptr<tSpecialtyList> Specialties = MakeDefaultSpecialties();
    TSpellBook Book{12, 15, -2, "Invoker"};
    tSpellFilter Filter;

    explicit tFilterCase(int64_t kind) {
        if (kind == 0 || kind == 4) {
            Filter.Category = "alt";
        }
        if (kind == 1 || kind == 4) {
            Filter.Frequency = kind == 1 ? -2 : 0;
        }
        if (kind == 2 || kind == 4) {
            Filter.SourceBook = "book 07";
        }
        if (kind == 3 || kind == 4) {
            Filter.MatchBook = &Book;
            Filter.Specialties = Specialties.get();
        }
    }
};

void BM_ShowWholePool(benchmark::State& state) {
    TSpellBook shown;
    shown.MarkReferencesOnly();
    for (auto _ : state) {
        ShowWholePool(Pool(), shown);
        benchmark::DoNotOptimize(shown.Count());
    }
}
BENCHMARK(BM_ShowWholePool)->Unit(benchmark::kMicrosecond);

// The baseline of the whole pool: the same pointers copied one by one.
void BM_VectorCopy(benchmark::State& state) {
    const std::vector<tSpell*>& spells = PoolVector();
    for (auto _ : state) {
        std::vector<tSpell*> shown;
        for (tSpell* spell : spells) {
            shown.push_back(spell);
        }
        benchmark::DoNotOptimize(shown.data());
    }
}
BENCHMARK(BM_VectorCopy)->Unit(benchmark::kMicrosecond);

void BM_ApplyFilter(benchmark::State& state) {
    const tFilterCase filterCase(state.range(0));
    TSpellBook shown;
    shown.MarkReferencesOnly();
    for (auto _ : state) {
        ApplyFilter(Pool(), shown, filterCase.Filter);
        benchmark::DoNotOptimize(shown.Count());
    }
    state.counters["shown"] = static_cast<double>(shown.Count());
}

// The baseline of a filter: one pass over the vector keeping what passes.
void BM_VectorFilter(benchmark::State& state) {
    const tFilterCase filterCase(state.range(0));
    const std::vector<tSpell*>& spells = PoolVector();
    for (auto _ : state) {
        std::vector<tSpell*> shown;
        for (tSpell* spell : spells) {
            if (filterCase.Filter.Passes(*spell)) {
                shown.push_back(spell);
            }
        }
        benchmark::DoNotOptimize(shown.data());
    }
}
BENCHMARK(BM_ApplyFilter)->ArgName("kind")->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VectorFilter)->ArgName("kind")->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

const bool Compared = [] {
    CompareWithBaseline("BM_ShowWholePool", "BM_VectorCopy", 0);
    for (int kind = 0; kind <= 4; ++kind) {
        const std::string arg = "/kind:" + std::to_string(kind);
        CompareWithBaseline("BM_ApplyFilter" + arg, "BM_VectorFilter" + arg, 0);
    }
    return true;
}();

} // namespace
