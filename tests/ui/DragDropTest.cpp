// Spells dragged with the real pointer (moved through the X server, as a user's
// mouse would) from the master list's filtered view and from one spellbook
// window onto another, with the invalid-spell question answered through the
// test seam; and the spellbook window's new commands reached from its table.

#include "GuiSupport.h"

#include "master/MasterPool.h"
#include "ui/Artwork.h"
#include "ui/FrmMain.h"
#include "ui/FrmMasterList.h"
#include "ui/FrmSpellBook.h"
#include "ui/Program.h"
#include "ui/Prompts.h"
#include "ui/SpellList.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>

#include <functional>

namespace {

// An Abjurer of caster level 9 admitting every frequency: alteration and
// illusion spells are not his.
const char* const AbjurerBook = "5\r\n9\r\n12\r\nAbjurer\r\nS\r\n"
                                "1,\"Spell abj 1.1\",\"Tome\",11,\"C\",\"abj\",\"Y\"\r\n \r\n";

// The centre of a line of a spell list, in the list's viewport.
QPoint LinePoint(tSpellList* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

// Presses the real pointer's button on a line of from, moves it onto to and
// lets go, all through the X server; waits until done() holds.
bool RealDrag(tSpellList* from, int row, tSpellList* to, const std::function<bool()>& done) {
    const QPoint a = from->viewport()->mapToGlobal(LinePoint(from, row));
    const QPoint b = to->viewport()->mapToGlobal(to->viewport()->rect().center());
    auto number = [](int value) { return QString::number(value); };
    QProcess xdotool;
    xdotool.setProgram(QStringLiteral("xdotool"));
    xdotool.setArguments({"mousemove",
                          number(a.x()),
                          number(a.y()),
                          "sleep",
                          "0.2",
                          "mousedown",
                          "1",
                          "sleep",
                          "0.2",
                          "mousemove",
                          number(a.x() + 8),
                          number(a.y() + 8),
                          "sleep",
                          "0.2",
                          "mousemove",
                          number((a.x() + b.x()) / 2),
                          number((a.y() + b.y()) / 2),
                          "sleep",
                          "0.2",
                          "mousemove",
                          number(b.x()),
                          number(b.y()),
                          "sleep",
                          "0.3",
                          "mousemove",
                          number(b.x() + 2),
                          number(b.y() + 2),
                          "sleep",
                          "0.3",
                          "mouseup",
                          "1"});
    xdotool.start();
    if (!xdotool.waitForStarted(5000)) {
        return false;
    }
    // The program goes on with its events (the drag runs inside them) while
    // the pointer moves.
    QDeadlineTimer deadline(15000);
    while (!(xdotool.state() == QProcess::NotRunning && done()) && !deadline.hasExpired()) {
        QTest::qWait(20);
    }
    return xdotool.state() == QProcess::NotRunning && done();
}

} // namespace

class DragDropTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void FromTheFilteredMasterListAndFromAnotherBook();
    void TheBookCommandsReachTheirHandlers();

private:
    TfrmSpellBook* Open(const std::string& name, const std::string& bytes);
    std::unique_ptr<tProgramUnderTest> Program;
};

void DragDropTest::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        QFAIL("xdotool is needed to move the real pointer (the test command installs it)");
    }
}

void DragDropTest::init() {
    Program = std::make_unique<tProgramUnderTest>(
        std::map<std::string, std::string>{{"MASTER.DAT", SampleMaster()}});
    Program->Start();
}

void DragDropTest::cleanup() {
    Program.reset();
    const QString left = PromptsLeftOver();
    Prompts::Reset();
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

TfrmSpellBook* DragDropTest::Open(const std::string& name, const std::string& bytes) {
    WriteBytes(Program->Folder / name, bytes);
    Prompts::SetNextFile(Program->QPath(name));
    frmMain->mnuOpenSpellbookClick();
    return SpellBooks().isEmpty() ? nullptr : SpellBooks().last();
}

void DragDropTest::FromTheFilteredMasterListAndFromAnotherBook() {
    TfrmSpellBook* abjurer = Open("a.spb", AbjurerBook);
    QVERIFY(abjurer);
    abjurer->setGeometry(0, 0, 560, 440);
    // The master list beside the frame's books, filtered to alteration.
    frmMasterList->ShowAtLevel(1);
    frmMasterList->setGeometry(700, 60, 560, 600);
    QVERIFY(QTest::qWaitForWindowExposed(frmMasterList));
    auto* category = Named<QComboBox>(frmMasterList, QStringLiteral("cbCategory"));
    category->setEditText(QStringLiteral("alt"));
    frmMasterList->mnuApplyFilterClick();
    tSpellList* master = frmMasterList->SpellList();
    QCOMPARE(master->Count(), 6);
    QCOMPARE(master->Lines()[0], QStringLiteral("Spell alt 1.1  (alt) [Tome 11] - C"));

    // The first two lines of the filtered view; each asks (alteration is
    // prohibited): OK adds the first, Cancel drops the second.
    master->SelectRows({0, 1});
    Prompts::SetNextAnswer(tAnswer::Ok);
    Prompts::SetNextAnswer(tAnswer::Cancel);
    QVERIFY(RealDrag(master, 0, abjurer->SpellList(), [&] { return Prompts::PendingAnswers() == 0; }));
    QCOMPARE(NamesOf(abjurer->Document().Book()),
             (std::vector<std::string>{"Spell abj 1.1", "Spell alt 1.1"}));
    QCOMPARE(Prompts::Shown().back().Text,
             QStringLiteral("Added spell...\n--->  Spell alt 1.2  <---\nis invalid for this spellbook"));
    QVERIFY(abjurer->Document().Modified());
    // The book that received the spells is the active window now.
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(frmMain));
    QCOMPARE(frmMain->ActiveSpellBook(), abjurer);

    // From the Abjurer's book to a generalist's: the memorized spell arrives
    // unmemorized, at the level it was dragged from.
    TfrmSpellBook* generalist = Open("g.spb", "5\r\n9\r\n12\r\nGeneralist\r\nS\r\n \r\n");
    QVERIFY(generalist);
    abjurer->setGeometry(0, 0, 560, 440);
    generalist->setGeometry(0, 460, 560, 440);
    frmMasterList->hide();
    frmMain->ClientArea()->setActiveSubWindow(abjurer);
    abjurer->SpellList()->SelectRows({0});
    QVERIFY(RealDrag(abjurer->SpellList(), 0, generalist->SpellList(),
                     [&] { return generalist->Document().Book().Count() == 1; }));
    const tSpell* arrived = generalist->Document().Book().SpellAt(1, 0);
    QVERIFY(arrived);
    QCOMPARE(arrived->Name, std::string("Spell abj 1.1"));
    QVERIFY(!arrived->Memorized);
    QVERIFY(abjurer->Document().Book().SpellAt(1, 0)->Memorized);
    // The receiving book is the active one: its menus, and Delete reaches it.
    QCOMPARE(frmMain->ClientArea()->activeSubWindow(), generalist);
    QCOMPARE(frmMain->ActiveSpellBook(), generalist);
    QVERIFY(frmMain->menuBar()->actions().contains(generalist->FileMenu()->menuAction()));

    // A drop on the list it came from changes nothing.
    const int before = abjurer->Document().Book().Count();
    abjurer->SpellList()->SelectRows({0});
    bool dropped = false;
    connect(abjurer->SpellList(), &tSpellList::spellsDropped, this, [&] { dropped = true; });
    QVERIFY(RealDrag(abjurer->SpellList(), 0, abjurer->SpellList(), [&] { return dropped; }));
    QCOMPARE(abjurer->Document().Book().Count(), before);

    Prompts::SetNextAnswer(tAnswer::No);
    Prompts::SetNextAnswer(tAnswer::No);
    QVERIFY(frmMain->close());
}

void DragDropTest::TheBookCommandsReachTheirHandlers() {
    // A generalist of caster level 9 admitting every frequency: any spell of
    // the master list is his.
    TfrmSpellBook* window = Open("g.spb", "5\r\n9\r\n12\r\nGeneralist\r\nS\r\n"
                                          "1,\"Spell abj 1.1\",\"Tome\",11,\"C\",\"abj\",\"Y\"\r\n \r\n");
    QVERIFY(window);
    const QStringList mismatches = CommandControlMismatches(window, window->Commands());
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join('\n')));
    const QStringList notReached = CommandsNotReached(window, window->Commands());
    QVERIFY2(notReached.isEmpty(), qPrintable(notReached.join('\n')));
    QCOMPARE(DragCursorOf(window->SpellList()), SpellCursorNumber);
    QVERIFY(window->SpellList()->acceptDrops());

    // The shortcuts of the Edit menu reach the active window: Insert draws a
    // spell, Ctrl+M marks it, Delete removes it.
    frmMain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmMain));
    window->SpellList()->setFocus();
    QTest::keyClick(window->SpellList(), Qt::Key_Insert);
    QCOMPARE(window->Document().Book().Count(), 2);
    window->SpellList()->SelectRows({0, 1});
    QTest::keyClick(window->SpellList(), Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(window->SpellList()->Lines().filter(QStringLiteral("*")).size(), 1);
    window->SpellList()->SelectRows({0});
    QTest::keyClick(window->SpellList(), Qt::Key_Delete);
    QCOMPARE(window->Document().Book().Count(), 1);
    Prompts::SetNextAnswer(tAnswer::No);
    QVERIFY(window->close());
}

QTEST_MAIN(DragDropTest)
#include "DragDropTest.moc"
