// A spellbook window's commands on a book of 500,000 spells, each beside the
// undo that takes it back: Clear Book, and Delete Spell with every line of a
// level selected. A step keeps what the command removed, not a copy of the
// book, so an undo costs about what its command did. The release of such a
// book, which the clear leaves to the moment its step is dropped, is measured
// too, and the list of a level of 500,000 spells shown again, which the
// undo of the delete includes.
#include "book/Maintenance.h"
#include "support/Ratio.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <numeric>

namespace {

constexpr int Spells = 500000;

// A spellbook window with no window: every question answered OK, every line
// of the level shown selected.
class tBenchWindow : public tSpellBookView, public tUserInterface {
public:
    tBenchWindow() : Document(*this, *this, Specialties) { Document.Create("/"); }

    tAnswer Message(tMessageKind, tButtons, const std::string&, const std::string&) override {
        return tAnswer::Ok;
    }
    void ShowWorking(const std::string&) override {}
    void HideWorking() override {}
    void SetWizardLevelBox(int32_t) override {}
    void SetIntelligenceBox(int32_t) override {}
    void SetSpecialtyItems(const std::vector<std::string>&) override {}
    void SelectSpecialty(int32_t) override {}
    void SetSpecialtyText(const std::string&) override {}
    void SetFrequencyItems(const std::vector<std::string>&) override {}
    void SelectFrequency(int32_t) override {}
    void SelectSpellLevel(int32_t) override {}
    void ShowSpells(std::vector<std::string> lines) override { benchmark::DoNotOptimize(lines.data()); }
    void ShowCounters(int32_t, int32_t, tMarkedColour) override {}
    void SetCaption(const std::string&) override {}
    bool ChooseSaveFile(const std::string&, std::string&) override { return false; }
    void OpenSpecialtyMaintenance() override {}
    std::vector<int32_t> SelectedRows() const override {
        std::vector<int32_t> rows(static_cast<size_t>(Document.Book().CountOfLevel(Document.SpellLevel())));
        std::iota(rows.begin(), rows.end(), 0);
        return rows;
    }
    bool ChooseImportFile(const std::string&, std::string&) override { return false; }
    bool ChooseExportFile(const std::string&, std::string&) override { return false; }
    void PutOnClipboard(const std::string&) override {}
    void ShowHistory(const std::string&, const std::string&) override {}
    void ComeToFront() override {}

    tSpecialtyList Specialties;
    tSpellBookDocument Document;
};

// count spells spread over the nine levels, or all of level 1 (so that one
// view selects them all) and one of level 9 after them, so that a spell put
// back does not go at the end.
std::unique_ptr<TSpellBook> MakeBook(int count, bool oneLevel) {
    auto book = TSpellBook::Create(30, 21, FrequencyRestricted, "Generalist");
    const int perLevel = oneLevel ? count : (count + 8) / 9;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Spell %07d", i % perLevel);
        book->AddSpell(tSpell::Create(1 + i / perLevel, name, "Tome", i % 300, -(i % 5), "abj", false));
    }
    if (oneLevel) {
        book->AddSpell(tSpell::Create(9, "Last Word", "Tome", 1, 0, "abj", false));
    }
    return book;
}

void BM_ClearBook(benchmark::State& state) {
    tBenchWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.Document.TakeOpenedBook(MakeBook(Spells, false), "/bench.spb");
        state.ResumeTiming();
        ClearBook(window.Document);
    }
}
BENCHMARK(BM_ClearBook)->Iterations(5)->Unit(benchmark::kMicrosecond);

void BM_UndoClearBook(benchmark::State& state) {
    tBenchWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.Document.TakeOpenedBook(MakeBook(Spells, false), "/bench.spb");
        ClearBook(window.Document);
        state.ResumeTiming();
        window.Document.Undo();
    }
}
BENCHMARK(BM_UndoClearBook)->Iterations(5)->Unit(benchmark::kMicrosecond);

void BM_DeleteEverySpell(benchmark::State& state) {
    tBenchWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.Document.TakeOpenedBook(MakeBook(Spells, true), "/bench.spb");
        state.ResumeTiming();
        DeleteSpells(window.Document);
    }
}
BENCHMARK(BM_DeleteEverySpell)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_UndoDeleteEverySpell(benchmark::State& state) {
    tBenchWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.Document.TakeOpenedBook(MakeBook(Spells, true), "/bench.spb");
        DeleteSpells(window.Document);
        state.ResumeTiming();
        window.Document.Undo();
    }
}
BENCHMARK(BM_UndoDeleteEverySpell)->Iterations(5)->Unit(benchmark::kMillisecond);

// Part of the undo: the window's list shows the level again, every spell of
// it.
void BM_ShowEverySpell(benchmark::State& state) {
    tBenchWindow window;
    window.Document.TakeOpenedBook(MakeBook(Spells, true), "/bench.spb");
    for (auto _ : state) {
        window.Document.Refresh();
    }
}
BENCHMARK(BM_ShowEverySpell)->Iterations(5)->Unit(benchmark::kMillisecond);

// What the clear costs later, when its step leaves the history.
void BM_ReleaseBook(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto book = MakeBook(Spells, false);
        state.ResumeTiming();
        book.reset();
    }
}
BENCHMARK(BM_ReleaseBook)->Iterations(5)->Unit(benchmark::kMillisecond);

// Each undo shows the level again (BM_ShowEverySpell for the delete's), which
// its command, leaving an empty level, did not: the ratios are shown, not
// held to a limit.
[[maybe_unused]] const bool Compared = [] {
    CompareWithBaseline("BM_UndoClearBook/iterations:5", "BM_ClearBook/iterations:5", 0);
    CompareWithBaseline("BM_UndoDeleteEverySpell/iterations:5", "BM_DeleteEverySpell/iterations:5", 0);
    return true;
}();

} // namespace
