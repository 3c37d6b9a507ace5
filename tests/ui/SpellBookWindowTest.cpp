// The spellbook window driven through its real widgets: New with the
// parameters dialog, Open, the level tabs and counters, the wizard controls,
// the unsaved-changes question, the frame's toolbar and the merged menus.

#include "GuiSupport.h"

#include "app/Shared.h"
#include "files/RuleTables.h"
#include "files/SpellbookFile.h"
#include "master/MasterPool.h"
#include "ui/Artwork.h"
#include "ui/Commands.h"
#include "ui/FrmBookParm.h"
#include "ui/FrmMain.h"
#include "ui/FrmMasterList.h"
#include "ui/FrmSpellBook.h"
#include "ui/FrmWorking.h"
#include "ui/HelpViewer.h"
#include "ui/Program.h"
#include "ui/Prompts.h"
#include "ui/SpellList.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>

#include <filesystem>

namespace {

// A generalist of caster level 2 (two first-level spells a day) with the
// given number of memorized first-level spells among four.
std::string BookWithMemorized(int memorized) {
    std::string bytes = "5\r\n2\r\n10\r\nGeneralist\r\nC\r\n";
    const char* names[] = {"Amber Ward", "Brass Bell", "Cinder Veil", "Dusk Lamp"};
    for (int i = 0; i < 4; ++i) {
        bytes += std::string("1,\"") + names[i] + "\",\"Tome\"," + std::to_string(i + 1) +
                 ",\"C\",\"abj\",\"" + (i < memorized ? "Y" : "N") + "\"\r\n";
    }
    return bytes + "2,\"Gloom Step\",\"Codex\",40,\"R\",\"ill\",\"N\"\r\n \r\n";
}

// Answers the parameters dialog by clicking its controls, then OK.
void AnswerParameters(int casterLevel, int intelligence, int specialtyRow, int frequencyRow) {
    Prompts::SetNextModal([=](QDialog& dialog) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) {
            return int(QDialog::Rejected);
        }
        QTest::mouseClick(Named<QRadioButton>(&dialog, QStringLiteral("grpCasterLevel%1").arg(casterLevel)),
                          Qt::LeftButton);
        QTest::mouseClick(
            Named<QRadioButton>(&dialog, QStringLiteral("grpCasterIntelligence%1").arg(intelligence)),
            Qt::LeftButton);
        Named<QListWidget>(&dialog, QStringLiteral("lbSpecialty"))->setCurrentRow(specialtyRow);
        Named<QListWidget>(&dialog, QStringLiteral("lbSpellFrequency"))->setCurrentRow(frequencyRow);
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnOK")), Qt::LeftButton);
        return dialog.result();
    });
}

QColor MarkedColour(TfrmSpellBook* window) {
    return Named<QLineEdit>(window, QStringLiteral("ebSpellsMarked"))->palette().color(QPalette::Base);
}

QStringList ListLines(TfrmSpellBook* window) {
    return window->SpellList()->Lines();
}

} // namespace

class SpellBookWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void TheParametersDialogHasItsControlsAndStartValues();
    void NewMakesAFilledWindowFromTheDialogsChoices();
    void NewCancelledMakesNoWindow();
    void TheWindowCarriesEveryCommand();
    void LevelTabsAndTheMemorizedCounterColours();
    void WizardControlsAndTheCloseQuestion();
    void TheCloseQuestionAnsweredEachWay();
    void UndoAndRedoTakeStepsBackAndForth();
    void AnUnreadableFileLeavesNoWindowAndTheToolbar();
    void MenusMergeAndTheWindowMenuListsTheBooks();
    void NoRightClickMenuBringsTheToolbarBack();
    void LeavingTheSpecialtyBoxWithAnUnknownName();
    void ClosingTheFrameAsksTheBooksFirst();
    void ResizeLimitsAndArrange();
    void SpellbookFilesAreListedWhateverTheirCase();
    void TheRealFileDialogsAsTheWindowsSetThemUp();
    void KeyboardShortcutsReachTheActiveWindow();
    void TheDesktopsKeysReachTheSameCommandsAndMenusShowWhatTheyShowed();
    void EveryFileMenuListsTheRecentFiles();
    void TextCrossesAsWindows1252();
    void OnlyANewValueChangesTheBook();
    void ANumberBoxFollowsItsRuleOnEveryText();
    void ArrangeStacksTheWindowsInCascadeOrder();
    void MessagesShowPathsAsTheFileSystemSpellsThem();
    void HelpComesToTheFrontOnEveryRequest();
    void TheWorkingNoticeIsAFramelessToolWindowOnScreen();

private:
    TfrmSpellBook* OpenBook(const std::string& name, const std::string& bytes);

    std::unique_ptr<tProgramUnderTest> Program;
};

void SpellBookWindowTest::init() {
    Program = std::make_unique<tProgramUnderTest>(
        std::map<std::string, std::string>{{"MASTER.DAT", SampleMaster()}});
    Program->Start();
}

// Every prompt a test raised was answered by it, and nothing it queued is left.
void SpellBookWindowTest::cleanup() {
    Program.reset();
    const QString left = PromptsLeftOver();
    Prompts::Reset();
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

TfrmSpellBook* SpellBookWindowTest::OpenBook(const std::string& name, const std::string& bytes) {
    WriteBytes(Program->Folder / name, bytes);
    Prompts::SetNextFile(Program->QPath(name));
    const int before = static_cast<int>(SpellBooks().size());
    frmMain->mnuOpenSpellbookClick();
    if (SpellBooks().size() != before + 1) {
        return nullptr;
    }
    return SpellBooks().last();
}

void SpellBookWindowTest::TheParametersDialogHasItsControlsAndStartValues() {
    QCOMPARE(frmBookParm->windowTitle(), QStringLiteral("New Spellbook Parameters"));
    QCOMPARE(Named<QLabel>(frmBookParm, QStringLiteral("lblHeading"))->text(),
             QStringLiteral("Select Options for New Spellbook"));
    auto* levels = Named<QGroupBox>(frmBookParm, QStringLiteral("grpCasterLevel"));
    auto* intelligence = Named<QGroupBox>(frmBookParm, QStringLiteral("grpCasterIntelligence"));
    QCOMPARE(levels->title(), QStringLiteral("Caster Level"));
    QCOMPARE(intelligence->title(), QStringLiteral("Intelligence"));
    QCOMPARE(levels->findChildren<QRadioButton*>().size(), 30);
    QCOMPARE(intelligence->findChildren<QRadioButton*>().size(), 13);
    QVERIFY(Named<QRadioButton>(levels, QStringLiteral("grpCasterLevel1"))->isChecked());
    QVERIFY(Named<QRadioButton>(intelligence, QStringLiteral("grpCasterIntelligence9"))->isChecked());
    QCOMPARE(Named<QRadioButton>(levels, QStringLiteral("grpCasterLevel30"))->text(), QStringLiteral("30"));
    auto* frequency = Named<QListWidget>(frmBookParm, QStringLiteral("lbSpellFrequency"));
    QCOMPARE(frequency->count(), 5);
    QCOMPARE(frequency->item(0)->text(), QStringLiteral("Common"));
    QCOMPARE(frequency->item(4)->text(), QStringLiteral("Restricted"));
    QCOMPARE(frequency->currentRow(), 0);
    QCOMPARE(Named<QListWidget>(frmBookParm, QStringLiteral("lbSpecialty"))->currentRow(), 0);

    // Three columns of ten: 1 to 10 in the first, 11 to 20 in the second.
    frmBookParm->show();
    QVERIFY(QTest::qWaitForWindowExposed(frmBookParm));
    auto x = [&](int n) {
        return Named<QRadioButton>(levels, QStringLiteral("grpCasterLevel%1").arg(n))->x();
    };
    QCOMPARE(x(1), x(10));
    QVERIFY(x(11) > x(10));
    QVERIFY(x(21) > x(20));
    frmBookParm->hide();

    // New opens it on the caster level, wherever the focus was left.
    QStringList focused;
    for (int run = 0; run < 2; ++run) {
        Prompts::SetNextModal([&](QDialog& dialog) {
            dialog.show();
            // The control that has the focus when the dialog is active.
            focused << (dialog.focusWidget() ? dialog.focusWidget()->objectName() : QStringLiteral("none"));
            frequency->setFocus();
            dialog.hide();
            return int(QDialog::Rejected);
        });
        frmMain->mnuNewSpellbookClick();
    }
    QCOMPARE(focused, (QStringList{"grpCasterLevel1", "grpCasterLevel1"}));
}

void SpellBookWindowTest::NewMakesAFilledWindowFromTheDialogsChoices() {
    AnswerParameters(5, 12, 1, 2); // Abjurer, Rare
    QTest::mouseClick(Named<QToolButton>(frmMain->ToolBar(), QStringLiteral("bnNew")), Qt::LeftButton);
    QCOMPARE(SpellBooks().size(), 1);
    TfrmSpellBook* window = SpellBooks().first();
    tSpellBookDocument& doc = window->Document();

    QCOMPARE(window->windowTitle(), QStringLiteral("untitled"));
    QCOMPARE(window->width(), 550);
    QVERIFY(doc.Modified());
    QCOMPARE(doc.Book().CasterLevel, 5);
    QCOMPARE(doc.Book().Intelligence, 12);
    QCOMPARE(doc.Book().Specialty, std::string("Abjurer"));
    QCOMPARE(doc.Book().Frequency, -2);
    QCOMPARE(Named<QSpinBox>(window, QStringLiteral("spnWizardLevel"))->value(), 5);
    QCOMPARE(Named<QSpinBox>(window, QStringLiteral("spnWizardIntelligence"))->value(), 12);
    QCOMPARE(Named<QComboBox>(window, QStringLiteral("cbWizardSpecialty"))->currentText(),
             QStringLiteral("Abjurer"));
    QCOMPARE(Named<QComboBox>(window, QStringLiteral("cbSpellFrequency"))->currentIndex(), 2);
    QVERIFY(Named<QRadioButton>(window, QStringLiteral("grpSpellLevel1"))->isChecked());
    QVERIFY(doc.Book().LevelCount[1] > 0);
    QCOMPARE(ListLines(window).size(), doc.Book().LevelCount[1]);
    QCOMPARE(Named<QLineEdit>(window, QStringLiteral("ebSpellsPerDay"))->text(),
             QString::number(SpellsPerDay(5, 1) + 1));
    QCOMPARE(Named<QLineEdit>(window, QStringLiteral("ebSpellsMarked"))->text(), QStringLiteral("0"));
    // No alteration spell (prohibited for an Abjurer) was added.
    for (const QString& line : ListLines(window)) {
        QVERIFY2(!line.contains("(alt)"), qPrintable(line));
    }
    QVERIFY(!frmMain->ToolBar()->isVisibleTo(frmMain));

    // The dialog keeps its last choices for the next New.
    QVERIFY(Named<QRadioButton>(frmBookParm, QStringLiteral("grpCasterLevel5"))->isChecked());
    QCOMPARE(Named<QListWidget>(frmBookParm, QStringLiteral("lbSpecialty"))->currentRow(), 1);

    // A level-30 wizard keeps his level.
    AnswerParameters(30, 21, 0, 4);
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuNew"))));
    QCOMPARE(SpellBooks().size(), 2);
    QCOMPARE(SpellBooks().last()->Document().Book().CasterLevel, 30);
    QCOMPARE(Named<QSpinBox>(SpellBooks().last(), QStringLiteral("spnWizardLevel"))->value(), 30);
    QVERIFY(SpellBooks().last()->Document().Book().LevelCount[9] > 0);
}

void SpellBookWindowTest::NewCancelledMakesNoWindow() {
    Prompts::SetNextModal([](QDialog&) { return int(QDialog::Rejected); });
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuNewSpellbook"))));
    QVERIFY(SpellBooks().isEmpty());
    QVERIFY(frmMain->ToolBar()->isVisibleTo(frmMain));
    QCOMPARE(Prompts::Shown().back().Text, QStringLiteral("frmBookParm"));
}

void SpellBookWindowTest::TheWindowCarriesEveryCommand() {
    TfrmSpellBook* window = OpenBook("a.spb", BookWithMemorized(1));
    QVERIFY(window);
    // Every control of every command stands where the window's table puts it
    // and reaches its command; the ones of later versions are disabled.
    const QStringList mismatches = CommandControlMismatches(window, window->Commands());
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join('\n')));
    const QStringList notReached = CommandsNotReached(window, window->Commands());
    QVERIFY2(notReached.isEmpty(), qPrintable(notReached.join('\n')));

    // The labels of the level view.
    const std::pair<const char*, const char*> labels[] = {
        {"lblWizardLevel", "Wizard Level:"},  {"lblWizardIntelligence", "Intelligence:"},
        {"lblWizardSpecialty", "Specialty:"}, {"lblSpellFrequency", "Spell Frequency: "},
        {"lblSpellsPerDay", "# per day"},     {"lblSpellsMarked", "# Memorized"}};
    for (const auto& [name, text] : labels) {
        QCOMPARE(Named<QLabel>(window, QLatin1String(name))->text(), QLatin1String(text));
    }
    QCOMPARE(Named<QGroupBox>(window, QStringLiteral("grpSpellLevel"))->title(),
             QStringLiteral("Spell Level"));
    QCOMPARE(Named<QSpinBox>(window, QStringLiteral("spnWizardLevel"))->maximum(), 30);
    QCOMPARE(Named<QSpinBox>(window, QStringLiteral("spnWizardIntelligence"))->minimum(), 9);
    QCOMPARE(Named<QComboBox>(window, QStringLiteral("cbWizardSpecialty"))->maxVisibleItems(), 9);
    QVERIFY(Named<QComboBox>(window, QStringLiteral("cbWizardSpecialty"))->isEditable());
    QVERIFY(!Named<QComboBox>(window, QStringLiteral("cbSpellFrequency"))->isEditable());
    QCOMPARE(window->SpellList()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(Named<QLineEdit>(window, QStringLiteral("ebSpellsPerDay"))->isReadOnly());
    QVERIFY(Named<QLineEdit>(window, QStringLiteral("ebSpellsMarked"))->font().bold());
}

void SpellBookWindowTest::LevelTabsAndTheMemorizedCounterColours() {
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    const std::pair<int, QColor> cases[] = {{1, QColor(0, 255, 0)}, {2, buttonFace}, {3, QColor(255, 0, 0)}};
    for (const auto& [memorized, colour] : cases) {
        TfrmSpellBook* window =
            OpenBook("m" + std::to_string(memorized) + ".spb", BookWithMemorized(memorized));
        QVERIFY(window);
        QCOMPARE(Named<QLineEdit>(window, QStringLiteral("ebSpellsPerDay"))->text(), QStringLiteral("2"));
        QCOMPARE(Named<QLineEdit>(window, QStringLiteral("ebSpellsMarked"))->text(),
                 QString::number(memorized));
        QCOMPARE(MarkedColour(window), colour);
    }
    TfrmSpellBook* window = SpellBooks().last();
    QCOMPARE(ListLines(window),
             (QStringList{"Amber Ward*  (abj) [Tome 1] - C", "Brass Bell*  (abj) [Tome 2] - C",
                          "Cinder Veil*  (abj) [Tome 3] - C", "Dusk Lamp  (abj) [Tome 4] - C"}));

    QTest::mouseClick(Named<QRadioButton>(window, QStringLiteral("grpSpellLevel2")), Qt::LeftButton);
    QCOMPARE(ListLines(window), QStringList{"Gloom Step  (ill) [Codex 40] - R"});
    QCOMPARE(Named<QLineEdit>(window, QStringLiteral("ebSpellsPerDay"))->text(), QStringLiteral("0"));
    QCOMPARE(MarkedColour(window), buttonFace);
    QCOMPARE(window->Document().SpellLevel(), 2);

    QTest::mouseClick(Named<QRadioButton>(window, QStringLiteral("grpSpellLevel9")), Qt::LeftButton);
    QVERIFY(ListLines(window).isEmpty());
    QCOMPARE(Named<QLineEdit>(window, QStringLiteral("ebSpellsMarked"))->text(), QStringLiteral("0"));
    QVERIFY(!window->Document().Modified());
}

void SpellBookWindowTest::WizardControlsAndTheCloseQuestion() {
    TfrmSpellBook* window = OpenBook("w.spb", BookWithMemorized(2));
    QVERIFY(window);
    auto* frequency = Named<QComboBox>(window, QStringLiteral("cbSpellFrequency"));
    frequency->setCurrentIndex(3);
    QCOMPARE(window->Document().Book().Frequency, -3);
    QVERIFY(!window->Document().Modified());
    // Only the frequency changed: closing asks nothing.
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuClose"))));
    QVERIFY(SpellBooks().isEmpty());
    QVERIFY(Prompts::Shown().back().Kind == QStringLiteral("open"));

    window = OpenBook("w.spb", BookWithMemorized(2));
    auto* level = Named<QSpinBox>(window, QStringLiteral("spnWizardLevel"));
    level->setFocus();
    level->selectAll();
    QTest::keyClicks(level, QStringLiteral("7"));
    QCOMPARE(window->Document().Book().CasterLevel, 7);
    QVERIFY(window->Document().Modified());
    QCOMPARE(Named<QLineEdit>(window, QStringLiteral("ebSpellsPerDay"))->text(),
             QString::number(SpellsPerDay(7, 1)));

    auto* specialty = Named<QComboBox>(window, QStringLiteral("cbWizardSpecialty"));
    specialty->setCurrentIndex(specialty->findText(QStringLiteral("Diviner")));
    QCOMPARE(window->Document().Book().Specialty, std::string("Diviner"));
    QCOMPARE(Named<QLineEdit>(window, QStringLiteral("ebSpellsPerDay"))->text(),
             QString::number(SpellsPerDay(7, 1) + 1));

    Named<QSpinBox>(window, QStringLiteral("spnWizardIntelligence"))->setValue(17);
    QCOMPARE(window->Document().Book().Intelligence, 17);
}

void SpellBookWindowTest::TheCloseQuestionAnsweredEachWay() {
    TfrmSpellBook* window = OpenBook("q.spb", BookWithMemorized(0));
    QVERIFY(window);
    Named<QSpinBox>(window, QStringLiteral("spnWizardLevel"))->setValue(4);
    QVERIFY(window->Document().Modified());
    const QString question = QStringLiteral("Spellbook:\n%1\nhas not been saved. Do you wish to save it now?")
                                 .arg(Program->QPath("q.spb"));

    Prompts::SetNextAnswer(tAnswer::Cancel);
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuClose"))));
    QCOMPARE(Prompts::Shown().back().Text, question);
    QCOMPARE(SpellBooks().size(), 1);

    Prompts::SetNextAnswer(tAnswer::Yes);
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuClose"))));
    QVERIFY(SpellBooks().isEmpty());
    QCOMPARE(ReadSpellbookFile(Program->Path("q.spb"))->CasterLevel, 4);
    QVERIFY(frmMain->ToolBar()->isVisibleTo(frmMain));

    window = OpenBook("q.spb", ReadBytes(Program->Folder / "q.spb"));
    Named<QSpinBox>(window, QStringLiteral("spnWizardLevel"))->setValue(9);
    Prompts::SetNextAnswer(tAnswer::No);
    window->close();
    QVERIFY(SpellBooks().isEmpty());
    QCOMPARE(ReadSpellbookFile(Program->Path("q.spb"))->CasterLevel, 4);

    // An untitled book: Yes asks for a file name; cancelling it keeps the window.
    AnswerParameters(3, 9, 0, 0);
    frmMain->mnuNewSpellbookClick();
    window = SpellBooks().last();
    Prompts::SetNextAnswer(tAnswer::Yes);
    Prompts::SetNextFile(QString());
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuClose"))));
    QCOMPARE(SpellBooks().size(), 1);
    QCOMPARE(Prompts::Shown().back().Kind, QStringLiteral("save"));
    QCOMPARE(Prompts::Shown().back().Text, QStringLiteral("Save Spellbook"));
    QCOMPARE(window->windowTitle(), QStringLiteral("untitled"));
    QVERIFY(window->Document().Modified());

    // Save As to a new name, then Save again writes there without a dialog.
    Prompts::SetNextFile(Program->QPath("fresh.spb"));
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuSaveAs"))));
    QCOMPARE(window->windowTitle(), Program->QPath("fresh.spb"));
    QVERIFY(!window->Document().Modified());
    const size_t prompts = Prompts::Shown().size();
    Named<QSpinBox>(window, QStringLiteral("spnWizardIntelligence"))->setValue(20);
    QTest::mouseClick(Named<QToolButton>(window, QStringLiteral("bnSave")), Qt::LeftButton);
    QCOMPARE(Prompts::Shown().size(), prompts);
    QCOMPARE(ReadSpellbookFile(Program->Path("fresh.spb"))->Intelligence, 20);
    QVERIFY(window->close());
}

// The Undo and Redo items head the Edit menu, name the step they take, are
// enabled only when there is one, and answer their keys; undoing back to the
// book as opened leaves nothing to ask on close.
void SpellBookWindowTest::UndoAndRedoTakeStepsBackAndForth() {
    TfrmSpellBook* window = OpenBook("u.spb", BookWithMemorized(1));
    QVERIFY(window);
    const QList<QAction*> edit = window->EditMenu()->actions();
    auto* undo = Named<QAction>(window, QStringLiteral("mnuUndo"));
    auto* redo = Named<QAction>(window, QStringLiteral("mnuRedo"));
    QVERIFY(edit.size() > 3 && edit[0] == undo && edit[1] == redo && edit[2]->isSeparator());
    QCOMPARE(edit[3]->objectName(), QStringLiteral("mnuFillBook"));
    auto items = [&] {
        return QStringList{undo->text(), QString::number(undo->isEnabled()), redo->text(),
                           QString::number(redo->isEnabled())};
    };
    QCOMPARE(items(), (QStringList{"&Undo", "0", "&Redo", "0"}));

    const QStringList lines = ListLines(window);
    Prompts::SetNextAnswer(tAnswer::Ok);
    QTest::mouseClick(Named<QToolButton>(window, QStringLiteral("bnBookErase")), Qt::LeftButton);
    QVERIFY(ListLines(window).isEmpty());
    QCOMPARE(items(), (QStringList{"&Undo Clear Book", "1", "&Redo", "0"}));

    frmMain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmMain));
    window->SpellList()->setFocus();
    QTRY_VERIFY(window->SpellList()->hasFocus());
    const std::pair<QKeySequence, bool> keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_Z), false},
                                                  {QKeySequence(Qt::CTRL | Qt::Key_Y), true},
                                                  {QKeySequence(Qt::CTRL | Qt::Key_Z), false},
                                                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), true},
                                                  {QKeySequence(Qt::CTRL | Qt::Key_Z), false}};
    for (const auto& [key, cleared] : keys) {
        QTest::keySequence(window->SpellList(), key);
        QCOMPARE(ListLines(window), cleared ? QStringList() : lines);
        QCOMPARE(window->Document().Modified(), cleared);
    }
    QCOMPARE(items(), (QStringList{"&Undo", "0", "&Redo Clear Book", "1"}));

    // A memorized mark toggled and taken back; then closing asks nothing.
    window->SpellList()->SelectRows({1});
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuToggleMemorized"))));
    QCOMPARE(items(), (QStringList{"&Undo Toggle Memorized", "1", "&Redo", "0"}));
    QVERIFY(Trigger(undo));
    QCOMPARE(ListLines(window), lines);
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuClose"))));
    QVERIFY(SpellBooks().isEmpty());
}

void SpellBookWindowTest::AnUnreadableFileLeavesNoWindowAndTheToolbar() {
    QVERIFY(OpenBook("bad.spb", "7\r\nnot a spellbook\r\n") == nullptr);
    QCOMPARE(Prompts::Shown().back().Kind, QStringLiteral("error"));
    QCOMPARE(Prompts::Shown().back().Text, QStringLiteral("Error Reading Spellbook File"));
    QCOMPARE(Prompts::Shown().back().Detail,
             Program->QPath("bad.spb") + QStringLiteral("\nThe file is not a spellbook file."));
    QVERIFY(SpellBooks().isEmpty());
    QVERIFY(frmMain->ToolBar()->isVisibleTo(frmMain));
    QCOMPARE(MenuBarTitles(), (QStringList{"&File", "&Options", "&Window", "&Help"}));
    QVERIFY(!frmWorking->isVisible());
}

void SpellBookWindowTest::MenusMergeAndTheWindowMenuListsTheBooks() {
    TfrmSpellBook* first = OpenBook("one.spb", BookWithMemorized(0));
    TfrmSpellBook* second = OpenBook("two.spb", BookWithMemorized(1));
    QVERIFY(first && second);
    QVERIFY(!frmMain->ToolBar()->isVisibleTo(frmMain));
    QCOMPARE(MenuBarTitles(), (QStringList{"&File", "&Edit", "&Options", "&Window", "&Help"}));
    QCOMPARE(frmMain->menuBar()->actions().first()->menu(), second->FileMenu());
    QCOMPARE(frmMain->menuBar()->actions()[1]->menu(), second->EditMenu());

    auto* windowMenu = Named<QMenu>(frmMain, QStringLiteral("mnuWindow"));
    QStringList items;
    for (QAction* action : windowMenu->actions()) {
        if (!action->isSeparator()) {
            items << action->text();
        }
    }
    QCOMPARE(items,
             (QStringList{"&Arrange", "&1 " + Program->QPath("one.spb"), "&2 " + Program->QPath("two.spb")}));

    // Choosing a book in the Window menu activates it and its menus show.
    QVERIFY(Trigger(Named<QAction>(windowMenu, QStringLiteral("mnuWindow1"))));
    QCOMPARE(frmMain->ClientArea()->activeSubWindow(), first);
    QCOMPARE(frmMain->menuBar()->actions().first()->menu(), first->FileMenu());

    QVERIFY(first->close());
    QCOMPARE(MenuBarTitles(), (QStringList{"&File", "&Edit", "&Options", "&Window", "&Help"}));
    QVERIFY(!frmMain->ToolBar()->isVisibleTo(frmMain));
    QVERIFY(second->close());
    QCOMPARE(MenuBarTitles(), (QStringList{"&File", "&Options", "&Window", "&Help"}));
    QCOMPARE(frmMain->menuBar()->actions().first()->menu(), Named<QMenu>(frmMain, QStringLiteral("mnuFile")));
    QVERIFY(frmMain->ToolBar()->isVisibleTo(frmMain));
}

// The frame's toolbar follows the spellbook windows only: a right click on the
// menu bar or the status bar offers no item that would show or hide it.
void SpellBookWindowTest::NoRightClickMenuBringsTheToolbarBack() {
    QVERIFY(OpenBook("t.spb", BookWithMemorized(0)));
    for (QWidget* bar :
         {static_cast<QWidget*>(frmMain->menuBar()), static_cast<QWidget*>(frmMain->statusBar())}) {
        const QPoint at(bar->width() - 5, bar->height() / 2);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &click);
        QWidget* popup = QApplication::activePopupWidget();
        if (popup) {
            popup->close();
        }
        QVERIFY2(!popup, qPrintable(bar->metaObject()->className()));
    }
    QVERIFY(!frmMain->ToolBar()->isVisibleTo(frmMain));

    // The frame's empty area still has its own menu.
    QWidget* area = frmMain->ClientArea()->viewport();
    const QPoint empty(area->width() - 5, area->height() - 5);
    QVERIFY(area->childAt(empty) == nullptr);
    QContextMenuEvent click(QContextMenuEvent::Mouse, empty, area->mapToGlobal(empty));
    QApplication::sendEvent(area, &click);
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY(popup);
    QCOMPARE(popup->objectName(), QStringLiteral("pm_frmMain"));
    popup->close();
}

void SpellBookWindowTest::LeavingTheSpecialtyBoxWithAnUnknownName() {
    TfrmSpellBook* window = OpenBook("s.spb", BookWithMemorized(0));
    QVERIFY(window);
    frmMain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmMain));
    auto* specialty = Named<QComboBox>(window, QStringLiteral("cbWizardSpecialty"));
    specialty->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(specialty->hasFocus());
    specialty->lineEdit()->selectAll();
    QTest::keyClicks(specialty, QStringLiteral("wild mage"));
    QCOMPARE(window->Document().Book().Specialty, std::string("wild mage"));
    QVERIFY(window->Document().Modified());
    QCOMPARE(Named<QLineEdit>(window, QStringLiteral("ebSpellsPerDay"))->text(), QStringLiteral("3"));

    const size_t before = Prompts::Shown().size();
    Prompts::SetNextAnswer(tAnswer::Yes);
    Prompts::SetNextModal([](QDialog&) { return int(QDialog::Rejected); });
    Named<QSpinBox>(window, QStringLiteral("spnWizardIntelligence"))->setFocus(Qt::TabFocusReason);
    QCOMPARE(Prompts::Shown().size(), before + 2);
    QCOMPARE(Prompts::Shown()[before].Text,
             QStringLiteral("The specialty \"wild mage\" does not exist on the current specialty list.\n"
                            "Would you like modify the specialty list?"));
    QCOMPARE(Prompts::Shown()[before + 1].Kind, QStringLiteral("modal"));
    QCOMPARE(Prompts::Shown()[before + 1].Text, QStringLiteral("frmSpecialtyMaintenance"));
    QCOMPARE(window->Document().Book().Specialty, std::string("wild mage"));

    // A known name in any case asks nothing.
    specialty->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(specialty->hasFocus());
    specialty->lineEdit()->selectAll();
    QTest::keyClicks(specialty, QStringLiteral("necromancer"));
    const size_t known = Prompts::Shown().size();
    Named<QSpinBox>(window, QStringLiteral("spnWizardLevel"))->setFocus(Qt::TabFocusReason);
    QCOMPARE(Prompts::Shown().size(), known);
}

void SpellBookWindowTest::ClosingTheFrameAsksTheBooksFirst() {
    TfrmSpellBook* window = OpenBook("c.spb", BookWithMemorized(0));
    QVERIFY(window);
    Named<QSpinBox>(window, QStringLiteral("spnWizardLevel"))->setValue(6);
    Prompts::SetNextAnswer(tAnswer::Cancel);
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuExit"))));
    QVERIFY(frmMain->isVisible());
    QCOMPARE(SpellBooks().size(), 1);
    QVERIFY(Settings != nullptr);

    Prompts::SetNextAnswer(tAnswer::No);
    QVERIFY(frmMain->close());
    QVERIFY(!frmMain->isVisible());
}

void SpellBookWindowTest::ResizeLimitsAndArrange() {
    TfrmSpellBook* window = OpenBook("r.spb", BookWithMemorized(0));
    QVERIFY(window);
    QWidget* client = window->widget();
    QVERIFY(client->minimumHeight() >= 275);
    auto* print = Named<QToolButton>(window, QStringLiteral("bnPrint"));
    QVERIFY(client->minimumWidth() >= print->mapTo(client, QPoint(print->width(), 0)).x());
    window->resize(100, 100);
    QVERIFY(client->height() >= 275);
    QVERIFY(client->width() >= print->mapTo(client, QPoint(print->width(), 0)).x());
    // The window keeps its whole client area inside it.
    QVERIFY2(window->rect().contains(client->geometry()),
             qPrintable(QStringLiteral("window %1x%2, client at %3,%4 %5x%6")
                            .arg(window->width())
                            .arg(window->height())
                            .arg(client->x())
                            .arg(client->y())
                            .arg(client->width())
                            .arg(client->height())));
    // The spell list is 20 pixels narrower than the client area.
    auto* list = window->SpellList();
    window->resize(700, 500);
    QCOMPARE(list->width(), client->width() - 20);
    // Maximised, the boxes and level buttons keep their size; the list
    // takes the room.
    window->showMaximized();
    QTRY_VERIFY(client->width() > 900);
    for (const char* name : {"spnWizardLevel", "spnWizardIntelligence"}) {
        auto* box = Named<QSpinBox>(window, QLatin1String(name));
        QCOMPARE(box->width(), std::max(box->sizeHint().width(), box->minimumWidth()));
    }
    auto* levels = Named<QGroupBox>(window, QStringLiteral("grpSpellLevel"));
    QCOMPARE(levels->width(), levels->sizeHint().width());
    QCOMPARE(list->width(), client->width() - 20);
    window->showNormal();

    OpenBook("r2.spb", BookWithMemorized(0));
    OpenBook("r3.spb", BookWithMemorized(0));
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuArrange"))));
    QList<TfrmSpellBook*> windows = SpellBooks();
    QCOMPARE(windows.size(), 3);
    for (TfrmSpellBook* each : windows) {
        QCOMPARE(each->size(), QSize(540, 480));
    }
    QVERIFY(windows[1]->x() > windows[0]->x() || windows[2]->x() > windows[0]->x());
}

void SpellBookWindowTest::SpellbookFilesAreListedWhateverTheirCase() {
    QCOMPARE(Prompts::DialogFilters(QStringLiteral("*.SPB (Spellbook Files)|*.SPB|*.* (All Files)|*.*")),
             (QStringList{"*.SPB (Spellbook Files) (*.[Ss][Pp][Bb])", "*.* (All Files) (*.*)"}));
    for (const char* name : {"lower.spb", "UPPER.SPB", "Mixed.Spb", "other.dat"}) {
        WriteBytes(Program->Folder / name, "x");
    }
    QFileDialog dialog(nullptr, QStringLiteral("Open Spellbook"), Program->QPath(""));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilters(
        Prompts::DialogFilters(QStringLiteral("*.SPB (Spellbook Files)|*.SPB|*.* (All Files)|*.*")));
    auto* model = dialog.findChild<QFileSystemModel*>();
    QVERIFY(model);
    const QModelIndex root = model->index(Program->QPath(""));
    // The model lists only what the filter lets through.
    auto listed = [&] {
        QStringList names;
        for (int row = 0; row < model->rowCount(root); ++row) {
            names << model->fileName(model->index(row, 0, root));
        }
        names.sort();
        return names;
    };
    QTRY_COMPARE(listed(), (QStringList{"Mixed.Spb", "UPPER.SPB", "lower.spb"}));
}

// The file dialogs themselves, shown for real and cancelled as soon as they
// are up: their name, title, folder, default extension, filters, mode and
// the files they accept.
void SpellBookWindowTest::TheRealFileDialogsAsTheWindowsSetThemUp() {
    auto cancelNextDialog = [](QStringList& seen) {
        QTimer::singleShot(0, [&seen] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                return;
            }
            seen = QStringList{dialog->objectName(),
                               dialog->windowTitle(),
                               dialog->directory().absolutePath(),
                               dialog->defaultSuffix(),
                               dialog->nameFilters().join(QLatin1Char(';')),
                               dialog->acceptMode() == QFileDialog::AcceptOpen ? "open"
                               : dialog->testOption(QFileDialog::DontConfirmOverwrite)
                                   ? "save without asking"
                                   : "save, asking before replacing",
                               dialog->fileMode() == QFileDialog::ExistingFile ? "existing" : "any",
                               QStringLiteral("%1x%2").arg(dialog->width()).arg(dialog->height())};
            // The next file dialog opens at the size this one is left at.
            dialog->resize(900, 620);
            dialog->reject();
        });
    };
    const QString folder = QDir(Program->QPath("")).absolutePath();
    auto filters = [](const char* filter) {
        return Prompts::DialogFilters(QLatin1String(filter)).join(QLatin1Char(';'));
    };
    TfrmSpellBook* window = OpenBook("d.spb", BookWithMemorized(0));
    QVERIFY(window);
    Prompts::SetUnattended(false);

    QStringList open;
    cancelNextDialog(open);
    frmMain->mnuOpenSpellbookClick();
    QStringList save;
    cancelNextDialog(save);
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuSaveAs"))));
    Prompts::SetUnattended(true);

    QCOMPARE(open, (QStringList{"dlgOpenSpellBook", "Open Spellbook", folder, "spb",
                                filters("*.SPB (Spellbook Files)|*.SPB|*.* (All Files)|*.*"), "open",
                                "existing", "800x500"}));
    // Save As asks about replacing a file itself.
    QCOMPARE(save, (QStringList{"dlgSaveSpellBook", "Save Spellbook", folder, "spb",
                                filters("*.SPB (Spellbook Files)|*.spb|*.* (All Files)|*.*"),
                                "save without asking", "any", "900x620"}));
    QCOMPARE(SpellBooks().size(), 1);
    QCOMPARE(window->windowTitle(), Program->QPath("d.spb"));

    // Import and export list every format that reads or writes, the spell
    // list first; picking a kind of file in the export dialog gives a name
    // typed without an extension that kind's, "*.*" none.
    Prompts::SetUnattended(false);
    QStringList import;
    cancelNextDialog(import);
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuImportSpells"))));
    QStringList exported;
    QTimer::singleShot(0, [&exported] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* types = dialog ? dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")) : nullptr;
        if (!types) {
            return;
        }
        exported = QStringList{dialog->objectName(), dialog->nameFilters().join(QLatin1Char(';')),
                               dialog->defaultSuffix()};
        // The keys a user picks a kind with: down to CSV, then the first
        // and the last (all files).
        for (const std::vector<Qt::Key>& keys : std::vector<std::vector<Qt::Key>>{
                 {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}, {Qt::Key_Home}, {Qt::Key_End}}) {
            for (Qt::Key key : keys) {
                QTest::keyClick(types, key);
            }
            exported << dialog->defaultSuffix();
        }
        dialog->reject();
    });
    QVERIFY(Trigger(Named<QAction>(window, QStringLiteral("mnuExportSpell"))));
    Prompts::SetUnattended(true);
    QCOMPARE(import.mid(0, 2), (QStringList{"dlgImport", "Import Spells"}));
    QCOMPARE(import[4], filters("*.DAT (data files)|*.DAT|*.SPB (Spellbook Files)|*.SPB|"
                                "*.CSV (comma-separated values)|*.csv|*.JSON (JSON files)|*.json|"
                                "*.* (all files)|*.*"));
    QCOMPARE(exported, (QStringList{"dlgExport",
                                    filters("*.DAT (data files)|*.DAT|*.SPB (Spellbook Files)|*.SPB|"
                                            "*.MD (Markdown files)|*.md|*.CSV (comma-separated values)|*.csv|"
                                            "*.JSON (JSON files)|*.json|*.* (all files)|*.*"),
                                    "", "csv", "dat", ""}));
}

void SpellBookWindowTest::KeyboardShortcutsReachTheActiveWindow() {
    frmMain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmMain));
    // The help viewer and the parameters dialog take the focus, and without a
    // window manager nothing gives it back: come back to the frame.
    auto backToFrame = [] {
        CloseHelp();
        frmMain->activateWindow();
        return QTest::qWaitForWindowActive(frmMain);
    };
    auto press = [](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : frmMain;
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    };

    press(Qt::Key_F1);
    QCOMPARE(LastHelpRequest().Context, 1);
    QVERIFY(backToFrame());
    AnswerParameters(2, 9, 0, 0);
    press(Qt::Key_F4); // the frame's New
    QCOMPARE(SpellBooks().size(), 1);
    QVERIFY(backToFrame());
    press(Qt::Key_F1);
    QCOMPARE(LastHelpRequest().Context, 100);
    QVERIFY(backToFrame());

    Prompts::SetNextFile(Program->QPath("keys.spb"));
    press(Qt::Key_F2); // Save, which for an untitled book is Save As
    QVERIFY(std::filesystem::exists(Program->Path("keys.spb")));
    QVERIFY(!SpellBooks().first()->Document().Modified());

    AnswerParameters(2, 9, 0, 0);
    press(Qt::Key_F4); // the spellbook window's New
    QCOMPARE(SpellBooks().size(), 2);
    QVERIFY(backToFrame());
    Prompts::SetNextAnswer(tAnswer::No);
    press(Qt::Key_F4, Qt::ControlModifier); // Close: the new book is unsaved
    QCOMPARE(SpellBooks().size(), 1);
    QCOMPARE(Prompts::Shown().back().Kind, QStringLiteral("yesnocancel"));
    press(Qt::Key_F4, Qt::ControlModifier);
    QVERIFY(SpellBooks().isEmpty());
    QCOMPARE(Prompts::PendingAnswers(), 0);
}

// Each of the desktop's standard keys reaches the command whose menu item
// carries it, in the active window, beside the item's own shortcut; the
// menus show the shortcuts they showed before.
void SpellBookWindowTest::TheDesktopsKeysReachTheSameCommandsAndMenusShowWhatTheyShowed() {
    struct tRow {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        const char* Item;
        const char* Shown;
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    // Only the frame: its own "&File" menu.
    const tRow frame[] = {{Qt::Key_N, ctrl, "mnuNewSpellbook", "F4"},
                          {Qt::Key_O, ctrl, "mnuOpenSpellbook", ""},
                          {Qt::Key_Q, ctrl, "mnuExit", ""}};
    // A spellbook window active: its "&File" menu stands in the frame's.
    const tRow book[] = {
        {Qt::Key_F4, {}, "mnuNew", "F4"},          {Qt::Key_N, ctrl, "mnuNew", "F4"},
        {Qt::Key_O, ctrl, "mnuOpen", ""},          {Qt::Key_F2, {}, "mnuSave", "F2"},
        {Qt::Key_S, ctrl, "mnuSave", "F2"},        {Qt::Key_S, ctrl | Qt::ShiftModifier, "mnuSaveAs", ""},
        {Qt::Key_F4, ctrl, "mnuClose", "Ctrl+F4"}, {Qt::Key_W, ctrl, "mnuClose", "Ctrl+F4"},
        {Qt::Key_P, ctrl, "mnuPrint", ""},         {Qt::Key_Q, ctrl, "mnuExit", ""}};
    const tRow master[] = {{Qt::Key_W, ctrl, "mnuClose", ""}};
    // Every command is reached, and none runs.
    tCommands::SetWatcher([](const QWidget*, tCommandId) { return true; });
    // Each key pressed in the active window reaches the item of owner.
    const auto check = [](QWidget* active, QWidget* owner, std::span<const tRow> rows) {
        active->raise();
        active->activateWindow();
        QTRY_VERIFY(QApplication::activeWindow() == active);
        for (const tRow& row : rows) {
            auto* item = owner->findChild<QAction*>(QLatin1String(row.Item), Qt::FindDirectChildrenOnly);
            QVERIFY2(item, row.Item);
            QCOMPARE(item->shortcut().toString(QKeySequence::PortableText), QLatin1String(row.Shown));
            QSignalSpy reached(item, &QAction::triggered);
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : active;
            QTest::keyClick(target, static_cast<Qt::Key>(row.Key), row.Modifiers);
            QVERIFY2(reached.count() == 1,
                     qPrintable(QKeySequence(row.Key | int(row.Modifiers)).toString() + " " + row.Item));
        }
    };
    check(frmMain, frmMain, frame);
    tCommands::SetWatcher(nullptr);
    if (QTest::currentTestFailed()) {
        return;
    }
    AnswerParameters(2, 9, 0, 0);
    frmMain->mnuNewSpellbookClick();
    QCOMPARE(SpellBooks().size(), 1);
    tCommands::SetWatcher([](const QWidget*, tCommandId) { return true; });
    check(frmMain, SpellBooks().first(), book);
    frmMasterList->ShowAtLevel();
    check(frmMasterList, frmMasterList, master);
    tCommands::SetWatcher(nullptr);
}

// The frame's and each spellbook window's "&File" menu list the books
// opened or saved last, numbered, above Exit; choosing one opens it, and one
// that is gone is said to be and taken off.
void SpellBookWindowTest::EveryFileMenuListsTheRecentFiles() {
    // The recent items and what follows them, as the menu shows them on opening.
    const auto recent = [](QMenu* menu) {
        emit menu->aboutToShow();
        QStringList items;
        bool listing = false;
        for (QAction* action : menu->actions()) {
            listing = listing || action->objectName().startsWith(QLatin1String("mnuRecentFile"));
            if (listing && action->isVisible()) {
                items << (action->isSeparator() ? QStringLiteral("-") : action->text());
            }
        }
        return items;
    };
    auto* frameMenu = frmMain->findChild<QMenu*>(QStringLiteral("mnuFile"), Qt::FindDirectChildrenOnly);
    QVERIFY(frameMenu);
    QCOMPARE(recent(frameMenu), QStringList{"E&xit"}); // no list, no line of its own
    TfrmSpellBook* first = OpenBook("one.spb", BookWithMemorized(0));
    QVERIFY(OpenBook("two & more.spb", BookWithMemorized(1)));
    const QString one = Program->QPath("one.spb");
    const QString two = Program->QPath("two & more.spb");
    const QStringList both{"&1 " + QString(two).replace("&", "&&"), "&2 " + one, "-", "E&xit"};
    QCOMPARE(recent(first->FileMenu()), both);
    QCOMPARE(recent(frameMenu), both);

    Named<QAction>(first->FileMenu(), QStringLiteral("mnuRecentFile2"))->trigger();
    QCOMPARE(SpellBooks().size(), 3);
    QCOMPARE(SpellBooks().last()->windowTitle(), one);
    QCOMPARE(recent(SpellBooks().last()->FileMenu()).first(), "&1 " + one);

    std::filesystem::remove(Program->Path("two & more.spb"));
    QCOMPARE(recent(first->FileMenu()).at(1), "&2 " + QString(two).replace("&", "&&"));
    Named<QAction>(first->FileMenu(), QStringLiteral("mnuRecentFile2"))->trigger();
    QCOMPARE(Prompts::Shown().back().Kind, QStringLiteral("error"));
    QCOMPARE(Prompts::Shown().back().Detail, two);
    QCOMPARE(SpellBooks().size(), 3);
    QCOMPARE(recent(frameMenu), (QStringList{"&1 " + one, "-", "E&xit"}));

    // The next run lists it still.
    DestroyProgramWindows();
    LoadProgram();
    CreateProgramWindows();
    QVERIFY(QTest::qWaitForWindowExposed(frmMain));
    frameMenu = frmMain->findChild<QMenu*>(QStringLiteral("mnuFile"), Qt::FindDirectChildrenOnly);
    QCOMPARE(recent(frameMenu), (QStringList{"&1 " + one, "-", "E&xit"}));
}

void SpellBookWindowTest::TextCrossesAsWindows1252() {
    // Spell names, books and specialties are Windows-1252 bytes: 0xC9 and 0xE9
    // are the accented E and e, 0x80 the euro sign (not a control character as
    // in Latin-1).
    TfrmSpellBook* window = OpenBook("accents.spb", "5\r\n1\r\n9\r\nGeneralist\r\nC\r\n1,\"\xC9p\xE9"
                                                    "e \x80\",\"Trait\xE9\",7,\"C\",\"abj\",\"N\"\r\n \r\n");
    QVERIFY(window);
    QCOMPARE(ListLines(window), QStringList{QString::fromUtf8("Épée €  (abj) [Traité 7] - C")});

    auto* specialty = Named<QComboBox>(window, QStringLiteral("cbWizardSpecialty"));
    specialty->setEditText(QString::fromUtf8("Mage €é"));
    QCOMPARE(window->Document().Book().Specialty, std::string("Mage \x80\xE9"));
    Prompts::SetNextAnswer(tAnswer::No);
    window->cbWizardSpecialtyExit();
    QCOMPARE(Prompts::Shown().back().Text,
             QString::fromUtf8("The specialty \"Mage €é\" does not exist on the current specialty list.\n"
                               "Would you like modify the specialty list?"));
    QCOMPARE(DragCursorOf(window->SpellList()), SpellCursorNumber);
}

// Enter without a change, and the wheel over a box without the keyboard focus,
// leave the book unchanged; a real change marks it changed.
void SpellBookWindowTest::OnlyANewValueChangesTheBook() {
    TfrmSpellBook* window = OpenBook("n.spb", BookWithMemorized(0));
    QVERIFY(window);
    frmMain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmMain));
    for (const char* name : {"spnWizardLevel", "spnWizardIntelligence"}) {
        auto* box = Named<QSpinBox>(window, QLatin1String(name));
        box->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY2(!window->Document().Modified(), name);
    }
    Named<QRadioButton>(window, QStringLiteral("grpSpellLevel1"))->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(Named<QRadioButton>(window, QStringLiteral("grpSpellLevel1"))->hasFocus());
    for (const char* name :
         {"spnWizardLevel", "spnWizardIntelligence", "cbWizardSpecialty", "cbSpellFrequency"}) {
        auto* box = Named<QWidget>(window, QLatin1String(name));
        const QPoint centre = box->rect().center();
        QWheelEvent wheel(centre, box->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &wheel);
        QVERIFY2(!box->hasFocus(), name);
    }
    const TSpellBook& book = window->Document().Book();
    QCOMPARE(book.CasterLevel, 2);
    QCOMPARE(book.Intelligence, 10);
    QCOMPARE(book.Specialty, std::string("Generalist"));
    QCOMPARE(book.Frequency, 0);
    QVERIFY(!window->Document().Modified());

    // With the focus, the wheel does change the box, and the book with it.
    auto* level = Named<QSpinBox>(window, QStringLiteral("spnWizardLevel"));
    level->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(level->hasFocus());
    QWheelEvent up(level->rect().center(), level->mapToGlobal(level->rect().center()), QPoint(),
                   QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(level, &up);
    QCOMPARE(book.CasterLevel, 3);
    QVERIFY(window->Document().Modified());
}

// A text that is not a number counts as the minimum, as it is typed; leaving
// the box shows the value in force.
void SpellBookWindowTest::ANumberBoxFollowsItsRuleOnEveryText() {
    TfrmSpellBook* window = OpenBook("r.spb", BookWithMemorized(0));
    QVERIFY(window);
    frmMain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmMain));
    struct {
        const char* Box;
        const char* Typed; // after the box's text is selected
        int InForce;
    } const cases[] = {
        {"spnWizardLevel", "", 1},         {"spnWizardLevel", "0", 1},
        {"spnWizardLevel", "25", 25},      {"spnWizardIntelligence", "", 9},
        {"spnWizardIntelligence", "1", 9}, {"spnWizardIntelligence", "17", 17},
    };
    for (const auto& c : cases) {
        auto* box = Named<QSpinBox>(window, QLatin1String(c.Box));
        box->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(box->hasFocus());
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QLatin1String(c.Typed));
        const TSpellBook& book = window->Document().Book();
        const int32_t inForce =
            QLatin1String(c.Box) == QLatin1String("spnWizardLevel") ? book.CasterLevel : book.Intelligence;
        QVERIFY2(inForce == c.InForce,
                 qPrintable(QStringLiteral("%1 \"%2\": %3").arg(c.Box, c.Typed).arg(inForce)));
        Named<QRadioButton>(window, QStringLiteral("grpSpellLevel2"))->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!box->hasFocus());
        QCOMPARE(box->text(), QString::number(c.InForce));
    }
    QVERIFY(window->Document().Modified());
}

// The cascade puts the first window at the back and the active one in front,
// each title bar below and right of the one before it.
void SpellBookWindowTest::ArrangeStacksTheWindowsInCascadeOrder() {
    TfrmSpellBook* first = OpenBook("c1.spb", BookWithMemorized(0));
    TfrmSpellBook* second = OpenBook("c2.spb", BookWithMemorized(0));
    TfrmSpellBook* third = OpenBook("c3.spb", BookWithMemorized(0));
    QVERIFY(first && second && third);
    frmMain->ClientArea()->setActiveSubWindow(second);
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuArrange"))));
    const QList<QMdiSubWindow*> stacking = frmMain->ClientArea()->subWindowList(QMdiArea::StackingOrder);
    QCOMPARE(stacking, (QList<QMdiSubWindow*>{first, third, second}));
    for (qsizetype i = 1; i < stacking.size(); ++i) {
        QVERIFY(stacking[i]->y() > stacking[i - 1]->y());
        QVERIFY(stacking[i]->x() > stacking[i - 1]->x());
        // The title bar of the window behind is not covered.
        QVERIFY(stacking[i]->y() >= stacking[i - 1]->y() + stacking[i - 1]->contentsMargins().top());
        QCOMPARE(stacking[i]->size(), QSize(540, 480));
    }
    QCOMPARE(frmMain->ClientArea()->activeSubWindow(), second);
}

// A file whose name has letters outside Windows-1252 is named right in the
// close question, as in the caption.
void SpellBookWindowTest::MessagesShowPathsAsTheFileSystemSpellsThem() {
    const std::string name = "\xE6\x97\xA5\xE8\xAA\x8C_\xC3\xA9.spb"; // UTF-8 name
    TfrmSpellBook* window = OpenBook(name, BookWithMemorized(0));
    QVERIFY(window);
    const QString path = QString::fromUtf8(Program->Path(name));
    QCOMPARE(window->windowTitle(), path);
    Named<QSpinBox>(window, QStringLiteral("spnWizardLevel"))->setValue(5);
    Prompts::SetNextAnswer(tAnswer::Cancel);
    window->close();
    QCOMPARE(Prompts::Shown().back().Text,
             QStringLiteral("Spellbook:\n%1\nhas not been saved. Do you wish to save it now?").arg(path));
    Prompts::SetNextAnswer(tAnswer::No);
    window->close();
}

// Help asked for in a dialog after it was opened from the frame comes to the
// front, in the dialog's keeping, with the focus.
void SpellBookWindowTest::HelpComesToTheFrontOnEveryRequest() {
    ShowHelp(frmMain, HelpMainFrame);
    auto* viewer = frmMain->findChild<QWidget*>(QStringLiteral("HelpViewer"));
    QVERIFY(viewer);
    QTRY_COMPARE(QApplication::activeWindow(), viewer);
    frmBookParm->show();
    frmBookParm->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(frmBookParm));
    QTest::keyClick(frmBookParm, Qt::Key_F1);
    QTRY_COMPARE(QApplication::activeWindow(), viewer);
    QCOMPARE(viewer->parentWidget(), static_cast<QWidget*>(frmBookParm));
    QCOMPARE(LastHelpRequest().Context, HelpBookParameters);
    frmBookParm->hide();
    CloseHelp();
}

void SpellBookWindowTest::TheWorkingNoticeIsAFramelessToolWindowOnScreen() {
    frmWorking->ShowWorking("Loading Spellbook");
    QVERIFY(frmWorking->windowHandle()->isExposed());
    QVERIFY(frmWorking->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(frmWorking->windowType(), Qt::Tool);
    QCOMPARE(frmWorking->minimumSize(), frmWorking->maximumSize());
    QCOMPARE(frmWorking->InfoText(), QStringLiteral("Loading Spellbook"));
    frmWorking->HideWorking();
    QVERIFY(!frmWorking->isVisible());
}

QTEST_MAIN(SpellBookWindowTest)
#include "SpellBookWindowTest.moc"
