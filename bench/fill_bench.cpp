// Book filling from a 50,000-spell master list for the largest wizard (caster
// level 30, intelligence 21, Restricted limit), as a generalist and as a
// specialist; and the master list's filter lists of titles and categories.
#include "files/Fill.h"
#include "files/Odds.h"
#include "files/Rules.h"
#include "model/Random.h"
#include "model/Specialty.h"
#include "model/SpellBook.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// Levels spread evenly, frequencies mostly Common, schools of the built-in
// specialties with some combined ones. Added in book order, so building it is
// linear.
std::unique_ptr<TSpellBook> MakeMaster(int count) {
    static const char* const categories[] = {"abj", "alt", "c/s",      "div",      "e/c",      "i/e",
                                             "ill", "nec", "abj, alt", "i/e; nec", "div, ill", "wild"};
    static const int32_t frequencies[] = {0, 0, 0, 0, 0, -1, -1, -2, -3, -4};
    auto master = std::make_unique<TSpellBook>();
    SeedRandom(99);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Spell %06d", i);
        char book[16];
        std::snprintf(book, sizeof book, "Book %02d", RandomInt(40));
        master->AddSpell(tSpell::Create(1 + i * 9 / count, name, book, RandomInt(300),
                                        frequencies[RandomInt(10)], categories[RandomInt(12)], false));
    }
    return master;
}

TSpellBook& Master() {
    static std::unique_ptr<TSpellBook> master = MakeMaster(50000);
    return *master;
}

void FillLargestWizard(benchmark::State& state, const char* specialty) {
    TSpellBook& master = Master();
    auto specialties = MakeDefaultSpecialties();
    ResetSelectionOdds();
    SeedRandom(1);
    int64_t added = 0;
    for (auto _ : state) {
        TSpellBook book(30, 21, FrequencyRestricted, specialty);
        FillBook(&book, &master, specialties.get());
        added += book.Count();
    }
    state.counters["spells per book"] = static_cast<double>(added) / static_cast<double>(state.iterations());
}

void BM_FillBookGeneralist(benchmark::State& state) {
    FillLargestWizard(state, "Generalist");
}
BENCHMARK(BM_FillBookGeneralist)->Unit(benchmark::kMillisecond);

void BM_FillBookInvoker(benchmark::State& state) {
    FillLargestWizard(state, "Invoker");
}
BENCHMARK(BM_FillBookInvoker)->Unit(benchmark::kMillisecond);

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

} // namespace
