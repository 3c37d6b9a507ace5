// The windows' part of showing spells: a level switch in a spellbook window
// listing 10,000 lines a level, and the master list's Apply Filter and Remove
// Filter over a pool of 50,000 spells, each through the window's own handler
// with the list laid out and painted, beside the core building the same
// lines. Each case measures itself with QBENCHMARK and then prints its time
// and the core's part (medians of a few runs), and their ratio.
// The level switch goes from level 1 to 2 and back.
// Run it under a virtual display: xvfb-run -a bench/ui/window_bench
#include "support/BenchData.h"

#include "GuiSupport.h"

#include "files/SpellbookFile.h"
#include "master/MasterPool.h"
#include "master/SpellFilter.h"
#include "output/SpellListLine.h"
#include "ui/FrmMain.h"
#include "ui/FrmMasterList.h"
#include "ui/FrmSpellBook.h"
#include "ui/Program.h"
#include "ui/Prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sstream>
#include <vector>

namespace {

// The milliseconds of processor time the program's thread spends on one call
// of work (painting included): wall time would also count what other
// programs on the machine take meanwhile.
double Ms(const std::function<void()>& work) {
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return static_cast<double>(end.tv_sec - start.tv_sec) * 1e3 +
           static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e6;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The window's and the core's medians, run by turns so that both see the same
// load of the machine, and their ratio.
void Report(const char* what, const std::function<void()>& window, const std::function<void()>& core) {
    constexpr int runs = 15;
    std::vector<double> windowTimes;
    std::vector<double> coreTimes;
    for (int i = 0; i < runs; ++i) {
        windowTimes.push_back(Ms(window));
        coreTimes.push_back(Ms(core));
    }
    const double windowMs = Median(windowTimes);
    const double coreMs = Median(coreTimes);
    const double ratio = windowMs / coreMs;
    std::printf("%-44s window %8.2f ms  core %8.2f ms  ratio %5.2fx\n", what, windowMs, coreMs, ratio);
    std::fflush(stdout);
}

// Lets the window lay itself out and paint what changed, as it does before
// the user sees it.
void Settle(QWidget*) {
    QCoreApplication::processEvents();
}

// A spellbook of 90,000 spells, 10,000 of each level.
std::string LargeBookFile() {
    auto book = MakeListBook(90000);
    book->CasterLevel = 20;
    book->Intelligence = 18;
    book->Specialty = "Generalist";
    std::ostringstream out;
    WriteSpellbookFile(*book, out);
    return out.str();
}

std::string LargeMasterFile() {
    auto pool = MakeMasterList(50000);
    std::ostringstream out;
    WriteSpellbookFile(*pool, out);
    return out.str();
}

} // namespace

class WindowBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void LevelSwitchOf10000Lines();
    void ApplyFilterOver50000Spells();
    void RemoveFilterOver50000Spells();
    // The ratios, after the figures (QBENCHMARK runs a function many times).
    void Ratios();

private:
    // Switches to level 2 and back to level 1.
    void SwitchLevels();

    std::unique_ptr<tProgramUnderTest> Program;
    TfrmSpellBook* Book = nullptr;
};

void WindowBench::initTestCase() {
    Program = std::make_unique<tProgramUnderTest>(std::map<std::string, std::string>{
        {"MASTER.DAT", LargeMasterFile()}, {"large.spb", LargeBookFile()}});
    Program->Start();
    Prompts::SetNextFile(Program->QPath("large.spb"));
    frmMain->mnuOpenSpellbookClick();
    QVERIFY(!SpellBooks().isEmpty());
    Book = SpellBooks().last();
    Book->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(Book));
    frmMasterList->ShowAtLevel(1);
    QVERIFY(QTest::qWaitForWindowExposed(frmMasterList));
}

void WindowBench::cleanupTestCase() {
    if (Book) {
        Book->Document().Book().Modified = false;
    }
    Program.reset();
    Prompts::Reset();
}

void WindowBench::SwitchLevels() {
    for (const int position : {1, 0}) {
        Book->grpSpellLevelClick(position);
        Settle(Book);
    }
}

void WindowBench::LevelSwitchOf10000Lines() {
    QCOMPARE(Book->Document().Book().CountOfLevel(2), 10000);
    QBENCHMARK {
        SwitchLevels();
    }
}

void WindowBench::ApplyFilterOver50000Spells() {
    auto* category = frmMasterList->findChild<QComboBox*>(QStringLiteral("cbCategory"));
    QVERIFY(category);
    const auto apply = [category] {
        category->setEditText(QStringLiteral("alt"));
        frmMasterList->mnuApplyFilterClick();
        Settle(frmMasterList);
    };
    QBENCHMARK {
        apply();
    }
}

void WindowBench::RemoveFilterOver50000Spells() {
    const auto remove = [] {
        frmMasterList->mnuRemoveFilterClick();
        Settle(frmMasterList);
    };
    QBENCHMARK {
        remove();
    }
}

void WindowBench::Ratios() {
    TSpellBook& book = Book->Document().Book();
    const auto coreLevels = [&book] {
        auto second = SpellListLines(book, 2, true);
        auto first = SpellListLines(book, 1, true);
        QVERIFY(second.size() + first.size() == 20000);
    };
    Report(
        "level switch, 10,000 lines (1 to 2 and back)", [this] { SwitchLevels(); }, coreLevels);

    auto* category = frmMasterList->findChild<QComboBox*>(QStringLiteral("cbCategory"));
    TSpellBook shown;
    shown.MarkReferencesOnly();
    tSpellFilter filter;
    filter.Category = "alt";
    const int32_t level = frmMasterList->Commands().SpellLevel();
    Report(
        "Apply Filter over 50,000 spells",
        [category] {
            category->setEditText(QStringLiteral("alt"));
            frmMasterList->mnuApplyFilterClick();
            Settle(frmMasterList);
        },
        [&] {
            ::ApplyFilter(*MasterSpells, shown, filter);
            QVERIFY(!SpellListLines(shown, level, false).empty());
        });
    Report(
        "Remove Filter over 50,000 spells",
        [] {
            frmMasterList->mnuRemoveFilterClick();
            Settle(frmMasterList);
        },
        [&] {
            ShowWholePool(*MasterSpells, shown);
            QVERIFY(!SpellListLines(shown, level, false).empty());
        });
    shown.Clear();
}

QTEST_MAIN(WindowBench)
#include "window_bench.moc"
