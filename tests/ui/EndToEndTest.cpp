// One whole use of the program, as a user goes through it: start in an empty
// folder with a master file, a new specialist's book, spells dragged in with
// the real pointer, a spell marked memorized, save, close, open again, the
// pages exported to PDF from the preview, a scroll, and exit with the
// unsaved-changes questions answered.

#include "GuiSupport.h"

#include "files/SpellbookFile.h"
#include "ui/FrmMain.h"
#include "ui/FrmMasterList.h"
#include "ui/FrmSpellBook.h"
#include "ui/Program.h"
#include "ui/Prompts.h"
#include "ui/SpellList.h"

#include <QAction>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

#include <filesystem>

namespace {

// Drags line row of from onto to with the real pointer; true when done()
// holds afterwards.
bool RealDrag(tSpellList* from, int row, tSpellList* to, const std::function<bool()>& done) {
    const QPoint a = from->viewport()->mapToGlobal(from->visualRect(from->model()->index(row, 0)).center());
    const QPoint b = to->viewport()->mapToGlobal(to->viewport()->rect().center());
    auto n = [](int value) { return QString::number(value); };
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {"mousemove",  n(a.x()), n(a.y()),    "sleep",      "0.2",        "mousedown", "1",
                   "sleep",      "0.2",    "mousemove", n(a.x() + 8), n(a.y() + 8), "sleep",     "0.2",
                   "mousemove",  n(b.x()), n(b.y()),    "sleep",      "0.3",        "mousemove", n(b.x() + 2),
                   n(b.y() + 2), "sleep",  "0.3",       "mouseup",    "1"});
    QDeadlineTimer deadline(15000);
    while (!(xdotool.state() == QProcess::NotRunning && done()) && !deadline.hasExpired()) {
        QTest::qWait(20);
    }
    return done();
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void AWholeUseOfTheProgram();
};

void EndToEndTest::AWholeUseOfTheProgram() {
    tProgramUnderTest program({{"MASTER.DAT", SampleMaster()}});
    program.Start();

    // A new Necromancer of caster level 5 (illusion and enchantment are not
    // his), Common spells only.
    Prompts::SetNextModal([](QDialog& dialog) {
        Named<QRadioButton>(&dialog, QStringLiteral("grpCasterLevel5"))->setChecked(true);
        Named<QRadioButton>(&dialog, QStringLiteral("grpCasterIntelligence14"))->setChecked(true);
        Named<QListWidget>(&dialog, QStringLiteral("lbSpecialty"))->setCurrentRow(7); // Necromancer
        Named<QListWidget>(&dialog, QStringLiteral("lbSpellFrequency"))->setCurrentRow(0);
        return int(QDialog::Accepted);
    });
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuNewSpellbook"))));
    QCOMPARE(SpellBooks().size(), 1);
    TfrmSpellBook* book = SpellBooks().first();
    book->setGeometry(0, 0, 560, 460);
    const TSpellBook& spells = book->Document().Book();
    QCOMPARE(spells.Specialty, std::string("Necromancer"));
    QVERIFY(spells.CountOfLevel(1) > 0);

    // Two spells of the master list's view, filtered to necromancy, dragged in.
    frmMasterList->ShowAtLevel(1);
    frmMasterList->setGeometry(700, 60, 560, 600);
    QVERIFY(QTest::qWaitForWindowExposed(frmMasterList));
    Named<QComboBox>(frmMasterList, QStringLiteral("cbCategory"))->setEditText(QStringLiteral("nec"));
    frmMasterList->mnuApplyFilterClick();
    tSpellList* master = frmMasterList->SpellList();
    QCOMPARE(master->Count(), 6);
    const int before = spells.CountOfLevel(1);
    master->SelectRows({0, 1, 2, 3, 4, 5});
    QVERIFY(RealDrag(master, 0, book->SpellList(), [&] { return spells.CountOfLevel(1) >= 6; }));
    QVERIFY(spells.CountOfLevel(1) >= before);
    frmMasterList->hide();

    // The first spell of level 1 marked memorized: the counter follows.
    frmMain->ClientArea()->setActiveSubWindow(book);
    book->SpellList()->SelectRows({0});
    QVERIFY(Trigger(Named<QAction>(book, QStringLiteral("mnuToggleMemorized"))));
    QVERIFY(const_cast<TSpellBook&>(spells).SpellAt(1, 0)->Memorized);
    QCOMPARE(Named<QLineEdit>(book, QStringLiteral("ebSpellsMarked"))->text(), QStringLiteral("1"));

    // Saved, closed, opened again: the same book.
    const std::string path = program.Path("necromancer.spb");
    Prompts::SetNextFile(QString::fromStdString(path));
    QVERIFY(Trigger(Named<QAction>(book, QStringLiteral("mnuSave"))));
    QVERIFY(!book->Document().Modified());
    const int held = spells.Count();
    QVERIFY(book->close());
    QVERIFY(SpellBooks().isEmpty());
    Prompts::SetNextFile(QString::fromStdString(path));
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuOpenSpellbook"))));
    QCOMPARE(SpellBooks().size(), 1);
    book = SpellBooks().first();
    QCOMPARE(book->Document().Book().Count(), held);
    QVERIFY(book->Document().Book().SpellAt(1, 0)->Memorized);

    // The pages to a PDF from the preview.
    const QString pdf = program.QPath("necromancer.pdf");
    Prompts::SetNextModal([&](QDialog& dialog) {
        Prompts::SetNextFile(pdf);
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnExportPdf")), Qt::LeftButton);
        return int(QDialog::Accepted);
    });
    QVERIFY(Trigger(Named<QAction>(book, QStringLiteral("mnuPrintPreview"))));
    QVERIFY(std::filesystem::file_size(pdf.toStdString()) > 1000);

    // A scroll of one spell of level 1: a new, unsaved window.
    Prompts::SetNextModal([](QDialog& dialog) {
        Named<QSpinBox>(&dialog, QStringLiteral("spnLevel1"))->setValue(1);
        return int(QDialog::Accepted);
    });
    QVERIFY(Trigger(Named<QAction>(book, QStringLiteral("mnuCreateScroll"))));
    QCOMPARE(SpellBooks().size(), 2);
    TfrmSpellBook* scroll = SpellBooks().last();
    QCOMPARE(scroll->Document().Book().Count(), 1);
    QVERIFY(scroll->Document().Modified());

    // Exit: the unsaved scroll asks; No closes it, and the program ends.
    QSignalSpy closed(frmMain, &TfrmMain::closed);
    Prompts::SetNextAnswer(tAnswer::No);
    QVERIFY(Trigger(Named<QAction>(scroll, QStringLiteral("mnuExit"))));
    QCOMPARE(closed.size(), 1);
    QCOMPARE(Prompts::Shown().back().Text,
             QStringLiteral("Spellbook:\nuntitled\nhas not been saved. Do you wish to save it now?"));
    QCOMPARE(ReadSpellbookFile(path)->Count(), held);

    const QString left = PromptsLeftOver();
    Prompts::Reset();
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

QTEST_MAIN(EndToEndTest)
#include "EndToEndTest.moc"
