// The master list window and the spell editor driven through their real
// widgets: its commands from its table, browsing and the filter panel, edits
// through the editor, saving, the close question, and spells added to an open
// spellbook. The commands' logic is tested in tests/master.

#include "GuiSupport.h"

#include "app/Shared.h"
#include "files/SpellListFile.h"
#include "master/MasterPool.h"
#include "ui/Artwork.h"
#include "ui/Commands.h"
#include "ui/FrmMain.h"
#include "ui/FrmMasterList.h"
#include "ui/FrmSpellBook.h"
#include "ui/FrmSpellEdit.h"
#include "ui/Program.h"
#include "ui/Prompts.h"
#include "ui/SpellList.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

namespace {

const char* const Pool = "1,Alarm,Tome,1,C,abj,N\r\n"
                         "1,Blink,Codex,2,U,alt,N\r\n"
                         "1,Charm,Tome,3,R,e/c,N\r\n"
                         "2,Darkness,Codex,4,C,alt,N\r\n";

// Answers the spell editor: sets the name (and the level, when given) in its
// controls, then clicks OK.
void AnswerEditor(const QString& name, int level = 0) {
    Prompts::SetNextModal([=](QDialog& dialog) {
        auto* edit = Named<QLineEdit>(&dialog, QStringLiteral("ebName"));
        edit->setText(name);
        if (level > 0) {
            Named<QSpinBox>(&dialog, QStringLiteral("spnLevel"))->setValue(level);
        }
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnOK")), Qt::LeftButton);
        return dialog.result();
    });
}

} // namespace

class MasterListWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void TheWindowCarriesEveryCommandAndItsControls();
    void BrowsingAndTheFilterPanel();
    void EditsThroughTheEditorAndSaveFollowingChanges();
    void TheEditorLoadsAndStoresEveryField();
    void AddSpellsToBookAsksForAnIllegalSpell();
    void TheCloseQuestionKeepsOrResetsThePool();
    void TheListAndTheEditorBelongToTheirWindows();
    void ALevelIsShownHoweverItsButtonIsChosen();
    void HintsGoAndWholeLinesShow();

private:
    TfrmMasterList* Window() { return frmMasterList; }
    tSpellList* List() { return Window()->SpellList(); }
    std::unique_ptr<tProgramUnderTest> Program;
};

void MasterListWindowTest::init() {
    Program = std::make_unique<tProgramUnderTest>(std::map<std::string, std::string>{{"MASTER.DAT", Pool}});
    Program->Start();
}

void MasterListWindowTest::cleanup() {
    Program.reset();
    const QString left = PromptsLeftOver();
    Prompts::Reset();
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

void MasterListWindowTest::TheWindowCarriesEveryCommandAndItsControls() {
    QVERIFY(!Window()->isVisible());
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuViewMaster"))));
    QVERIFY(QTest::qWaitForWindowExposed(Window()));
    QCOMPARE(Window()->windowTitle(), QStringLiteral("Master Spell List"));

    const QStringList mismatches = CommandControlMismatches(Window(), Window()->Controls());
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join('\n')));
    Window()->Commands().DeleteSpell(); // a change, so that the File menu's Save is enabled too
    const QStringList notReached = CommandsNotReached(Window(), Window()->Controls());
    QVERIFY2(notReached.isEmpty(), qPrintable(notReached.join('\n')));

    // Undo and Redo head the Edit menu, name the step and answer their keys.
    const QList<QAction*> edit = Named<QMenu>(Window(), QStringLiteral("mnuEdit"))->actions();
    QVERIFY(edit.size() > 3 && edit[2]->isSeparator());
    QCOMPARE(edit[0]->objectName(), QStringLiteral("mnuUndo"));
    QCOMPARE(edit[1]->objectName(), QStringLiteral("mnuRedo"));
    QCOMPARE(edit[0]->text(), QStringLiteral("&Undo Delete Spell"));
    QVERIFY(!edit[1]->isEnabled());
    const int count = MasterSpells->Count();
    Window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Window()));
    List()->setFocus();
    QTRY_VERIFY(List()->hasFocus());
    QTest::keySequence(List(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(MasterSpells->Count(), count + 1);
    QCOMPARE(edit[1]->text(), QStringLiteral("&Redo Delete Spell"));
    QVERIFY(!edit[0]->isEnabled());
    QTest::keySequence(List(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QCOMPARE(MasterSpells->Count(), count);

    // The filter panel, its labels and the button pairs.
    QCOMPARE(Named<QLabel>(Window(), QStringLiteral("lblFilterOptions"))->text(),
             QStringLiteral("----- Filter Options -----"));
    QCOMPARE(Named<QCheckBox>(Window(), QStringLiteral("cbMatchSpellbook"))->text(),
             QStringLiteral("Match Spellbook "));
    const std::pair<const char*, const char*> labels[] = {{"lblNameFilter", "Name Contains:"},
                                                          {"lblCategory", "Category Contains:"},
                                                          {"lblSpellFrequency", "Frequency:"},
                                                          {"lblSourceBook", "Source Book:"}};
    for (const auto& [name, text] : labels) {
        QCOMPARE(Named<QLabel>(Window(), QLatin1String(name))->text(), QLatin1String(text));
    }
    QCOMPARE(Named<QPushButton>(Window(), QStringLiteral("bnApplyFilterOff"))->text(),
             QStringLiteral("Apply Filter    "));
    auto* frequency = Named<QComboBox>(Window(), QStringLiteral("cbSpellFrequency"));
    QCOMPARE(frequency->count(), 5);
    QCOMPARE(frequency->itemText(4), QStringLiteral("Restricted"));
    QVERIFY(!frequency->isEditable());
    QVERIFY(Named<QComboBox>(Window(), QStringLiteral("cbCategory"))->isEditable());
    QCOMPARE(Named<QPushButton>(Window(), QStringLiteral("BitBtn1"))->toolTip(),
             QStringLiteral("Close Master Spell List"));

    // Lines are dragged with the spell cursor; the size limits hold.
    QCOMPARE(DragCursorOf(List()), SpellCursorNumber);
    QVERIFY(List()->dragEnabled());
    QCOMPARE(List()->selectionMode(), QAbstractItemView::ExtendedSelection);
    Window()->resize(200, 200);
    QVERIFY(Window()->centralWidget()->width() >= 513);
    QVERIFY(Window()->centralWidget()->height() >= 390);
    Window()->resize(900, 600);
    QTRY_COMPARE(List()->width(), Window()->centralWidget()->width() - 165 - 6);

    // Exit hides the window after the close question (the pool changed).
    Prompts::SetNextAnswer(tAnswer::No);
    QTest::mouseClick(Named<QPushButton>(Window(), QStringLiteral("BitBtn1")), Qt::LeftButton);
    QVERIFY(!Window()->isVisible());
    QCOMPARE(MasterSpells->Count(), 4); // No reads the file again
}

void MasterListWindowTest::BrowsingAndTheFilterPanel() {
    Window()->ShowAtLevel();
    QCOMPARE(List()->Lines(), (QStringList{"Alarm  (abj) [Tome 1] - C", "Blink  (alt) [Codex 2] - U",
                                           "Charm  (e/c) [Tome 3] - R"}));
    QCOMPARE(List()->SelectedRows(), std::vector<int32_t>{0});
    QTest::mouseClick(Named<QRadioButton>(Window(), QStringLiteral("grpSpellLevel2")), Qt::LeftButton);
    QCOMPARE(List()->Lines(), QStringList{"Darkness  (alt) [Codex 4] - C"});

    auto visible = [this](const char* name) {
        return Named<QPushButton>(Window(), QLatin1String(name))->isVisible();
    };
    QVERIFY(visible("bnRemoveFilterOn") && visible("bnApplyFilterOff"));
    QVERIFY(!visible("bnApplyFilterOn") && !visible("bnRemoveFilterOff"));

    // The source book's choices are made as it takes the focus; Enter in a
    // filter box applies the filter.
    auto* source = Named<QComboBox>(Window(), QStringLiteral("cbSourceBook"));
    Window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Window()));
    source->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(source->count(), 2);
    QCOMPARE(source->itemText(0), QStringLiteral("Codex"));
    QTest::keyClicks(source, QStringLiteral("codex"));
    QTest::keyClick(source, Qt::Key_Return);
    QVERIFY(visible("bnApplyFilterOn") && visible("bnRemoveFilterOff"));
    QCOMPARE(List()->Lines(), QStringList{"Darkness  (alt) [Codex 4] - C"});
    QTest::mouseClick(Named<QRadioButton>(Window(), QStringLiteral("grpSpellLevel1")), Qt::LeftButton);
    QCOMPARE(List()->Lines(), QStringList{"Blink  (alt) [Codex 2] - U"});

    auto* name = Named<QLineEdit>(Window(), QStringLiteral("ebNameFilter"));
    source->setEditText(QString());
    name->setText(QStringLiteral("ar"));
    QTest::mouseClick(Named<QPushButton>(Window(), QStringLiteral("bnApplyFilterOn")), Qt::LeftButton);
    QCOMPARE(List()->Lines(), (QStringList{"Alarm  (abj) [Tome 1] - C", "Charm  (e/c) [Tome 3] - R"}));

    QTest::mouseClick(Named<QPushButton>(Window(), QStringLiteral("bnRemoveFilterOff")), Qt::LeftButton);
    QCOMPARE(List()->Count(), 3);
    QVERIFY(name->text().isEmpty());
    QVERIFY(visible("bnRemoveFilterOn") && visible("bnApplyFilterOff"));
}

void MasterListWindowTest::EditsThroughTheEditorAndSaveFollowingChanges() {
    Window()->ShowAtLevel(1);
    QAction* save = Named<QAction>(Window(), QStringLiteral("mnuSaveMasterFile"));
    QVERIFY(!save->isEnabled());
    QVERIFY(Named<QAction>(Window(), QStringLiteral("pmnuSaveMasterFile"))->isEnabled());

    // Edit Blink into a level-2 spell; the editor hides the memorized box.
    List()->SelectRows({1});
    bool memorizedHidden = false;
    Prompts::SetNextModal([&](QDialog& dialog) {
        memorizedHidden = !Named<QCheckBox>(&dialog, QStringLiteral("cbMemorized"))->isVisibleTo(&dialog) &&
                          !Named<QLabel>(&dialog, QStringLiteral("lblMemorized"))->isVisibleTo(&dialog);
        Named<QLineEdit>(&dialog, QStringLiteral("ebName"))->setText(QStringLiteral("Blur"));
        Named<QSpinBox>(&dialog, QStringLiteral("spnLevel"))->setValue(2);
        return int(QDialog::Accepted);
    });
    QVERIFY(Trigger(Named<QAction>(Window(), QStringLiteral("mnuEditSpellData"))));
    QVERIFY(memorizedHidden);
    QCOMPARE(List()->Count(), 2);
    QVERIFY(save->isEnabled());

    // Add two new spells, answering Yes then No; then delete one.
    AnswerEditor(QStringLiteral("Echo"));
    Prompts::SetNextAnswer(tAnswer::Yes);
    AnswerEditor(QStringLiteral("Fog"));
    Prompts::SetNextAnswer(tAnswer::No);
    QTest::mouseClick(Named<QToolButton>(Window(), QStringLiteral("bnAddNewSpell")), Qt::LeftButton);
    QCOMPARE(List()->Lines().size(), 4);
    QCOMPARE(List()->Lines()[2], QStringLiteral("Echo  () [ 0] - C"));
    List()->SelectRows({0, 3});
    QVERIFY(Trigger(Named<QAction>(Window(), QStringLiteral("mnuDeleteSpell"))));
    QCOMPARE(List()->Lines(), (QStringList{"Charm  (e/c) [Tome 3] - R", "Echo  () [ 0] - C"}));

    QVERIFY(Trigger(save));
    QVERIFY(!save->isEnabled());
    QCOMPARE(NamesOf(*ReadSpellList(Program->Path("MASTER.DAT"))),
             (std::vector<std::string>{"Charm", "Echo", "Blur", "Darkness"}));
}

void MasterListWindowTest::TheEditorLoadsAndStoresEveryField() {
    TfrmSpellEdit* editor = frmSpellEdit;
    QCOMPARE(editor->windowTitle(), QStringLiteral("Edit Spell Data"));
    auto* level = Named<QSpinBox>(editor, QStringLiteral("spnLevel"));
    QCOMPARE(level->minimum(), 1);
    QCOMPARE(level->maximum(), 9);
    QCOMPARE(level->value(), 1);

    tSpell spell(6, "Cone", "Folio", 44, -3, "i/e", true);
    editor->LoadSpell(&spell);
    QCOMPARE(Named<QComboBox>(editor, QStringLiteral("cbSpellFrequency"))->currentText(),
             QStringLiteral("Very Rare"));
    QCOMPARE(Named<QLineEdit>(editor, QStringLiteral("ebPage"))->text(), QStringLiteral("44"));
    QVERIFY(Named<QCheckBox>(editor, QStringLiteral("cbMemorized"))->isChecked());
    Named<QLineEdit>(editor, QStringLiteral("ebPage"))->setText(QStringLiteral("12x"));
    tSpell stored;
    editor->StoreSpell(&stored);
    QCOMPARE(stored, tSpell(6, "Cone", "Folio", 0, -3, "i/e", true));

    // Cancel leaves the spell as it was, whatever was typed.
    Prompts::SetNextModal([](QDialog& dialog) {
        Named<QLineEdit>(&dialog, QStringLiteral("ebName"))->setText(QStringLiteral("Changed"));
        return int(QDialog::Rejected);
    });
    QVERIFY(!editor->EditSpell(spell, true));
    QCOMPARE(spell.Name, std::string("Cone"));

    // No spell: the seven value controls are disabled.
    editor->LoadSpell(nullptr);
    for (const char* name :
         {"spnLevel", "ebName", "ebBook", "ebPage", "ebCategory", "cbSpellFrequency", "cbMemorized"}) {
        QVERIFY2(!Named<QWidget>(editor, QLatin1String(name))->isEnabled(), name);
    }
}

void MasterListWindowTest::AddSpellsToBookAsksForAnIllegalSpell() {
    // A level-1 generalist admitting Common spells only.
    WriteBytes(Program->Folder / "b.spb", "5\r\n1\r\n9\r\nGeneralist\r\nC\r\n \r\n");
    Prompts::SetNextFile(Program->QPath("b.spb"));
    frmMain->mnuOpenSpellbookClick();
    QCOMPARE(SpellBooks().size(), 1);
    TfrmSpellBook* book = SpellBooks().first();
    // The spellbook's Add Selected Spell shows the master list at its level.
    QVERIFY(Trigger(Named<QAction>(book, QStringLiteral("mnuAddSelectedSpell"))));
    QVERIFY(Window()->isVisible());

    // Alarm is legal; Blink (Uncommon) asks: Cancel drops it, then OK adds it.
    List()->SelectRows({0, 1});
    Prompts::SetNextAnswer(tAnswer::Cancel);
    QVERIFY(Trigger(Named<QAction>(Window(), QStringLiteral("mnuAddSpellstoBook"))));
    QCOMPARE(Prompts::Shown().back().Kind, QStringLiteral("okcancel"));
    QCOMPARE(Prompts::Shown().back().Text,
             QStringLiteral("Added spell...\n--->  Blink  <---\nis invalid for this spellbook"));
    QCOMPARE(NamesOf(book->Document().Book()), std::vector<std::string>{"Alarm"});
    QVERIFY(book->Document().Modified());

    List()->SelectRows({1});
    Prompts::SetNextAnswer(tAnswer::Ok);
    const QPoint line = List()->visualRect(List()->model()->index(1, 0)).center();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, line);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, Qt::NoModifier, line);
    QCOMPARE(NamesOf(book->Document().Book()), (std::vector<std::string>{"Alarm", "Blink"}));
    QVERIFY(!book->Document().Book().SpellAt(1, 1)->Memorized);
    QCOMPARE(MasterSpells->Count(), 4); // the master list does not change
    Prompts::SetNextAnswer(tAnswer::No);
    QVERIFY(book->close());
}

void MasterListWindowTest::TheCloseQuestionKeepsOrResetsThePool() {
    Window()->ShowAtLevel(1);
    List()->SelectRows({0});
    QVERIFY(Trigger(Named<QAction>(Window(), QStringLiteral("mnuDeleteSpell"))));
    Prompts::SetNextAnswer(tAnswer::Cancel);
    QVERIFY(!Window()->close());
    QVERIFY(Window()->isVisible());
    QCOMPARE(Prompts::Shown().back().Text,
             QStringLiteral(
                 "Master Spell List has been changed and has \nnot been saved. Do you wish to save it now?"));

    // The frame's close request asks the master list after the books: Cancel
    // keeps the program.
    Prompts::SetNextAnswer(tAnswer::Cancel);
    QVERIFY(!frmMain->close());
    QVERIFY(frmMain->isVisible());

    Prompts::SetNextAnswer(tAnswer::Yes);
    QVERIFY(Window()->close());
    QCOMPARE(ReadSpellList(Program->Path("MASTER.DAT"))->Count(), 3);
    QVERIFY(!Window()->isVisible());
}

// The list belongs to the frame (a window of the kind the window manager
// keeps above its owner), yet takes its own keys; the spell editor belongs to
// the window it edits for, which is active again when it closes.
void MasterListWindowTest::TheListAndTheEditorBelongToTheirWindows() {
    Window()->ShowAtLevel(1);
    QVERIFY(QTest::qWaitForWindowActive(Window()));
    QCOMPARE(Window()->windowType(), Qt::Dialog);
    QVERIFY(!Window()->isModal());
    QCOMPARE(Window()->windowHandle()->transientParent(), frmMain->windowHandle());

    QWindow* owner = nullptr;
    bool editorActive = false;
    const auto cancelEditor = [&] {
        Prompts::SetNextModal([&](QDialog& dialog) {
            dialog.show();
            editorActive = QTest::qWaitForWindowActive(&dialog);
            owner = dialog.windowHandle() ? dialog.windowHandle()->transientParent() : nullptr;
            dialog.hide();
            return int(QDialog::Rejected);
        });
    };
    cancelEditor();
    List()->SelectRows({0});
    QVERIFY(Trigger(Named<QAction>(Window(), QStringLiteral("mnuEditSpellData"))));
    QVERIFY(editorActive);
    QCOMPARE(owner, Window()->windowHandle());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(Window()));

    // Edited from a spellbook window, the editor is the frame's.
    WriteBytes(Program->Folder / "b.spb", "5\r\n3\r\n12\r\nGeneralist\r\nC\r\n1,Alarm,Tome,1,C,abj,N\r\n");
    Prompts::SetNextFile(Program->QPath("b.spb"));
    frmMain->mnuOpenSpellbookClick();
    QCOMPARE(SpellBooks().size(), 1);
    TfrmSpellBook* book = SpellBooks().first();
    book->SpellList()->SelectRows({0});
    cancelEditor();
    QVERIFY(Trigger(Named<QAction>(book, QStringLiteral("mnuEditSpell"))));
    QVERIFY(editorActive);
    QCOMPARE(owner, frmMain->windowHandle());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(frmMain));
}

// In the master list and in a spellbook window, a level reacts to its button
// being checked however that came about: a click, setChecked, toggle(), or a
// screen reader's Toggle action. A level chosen by a command is where the
// focus and the Tab key go.
void MasterListWindowTest::ALevelIsShownHoweverItsButtonIsChosen() {
    Window()->ShowAtLevel(1);
    WriteBytes(Program->Folder / "b.spb", "5\r\n9\r\n12\r\nGeneralist\r\nS\r\n1,Aa,T,1,C,abj,N\r\n"
                                          "2,Bb,T,1,C,abj,N\r\n2,Cc,T,1,C,abj,N\r\n");
    Prompts::SetNextFile(Program->QPath("b.spb"));
    frmMain->mnuOpenSpellbookClick();
    QCOMPARE(SpellBooks().size(), 1);
    TfrmSpellBook* book = SpellBooks().first();
    // Lines at levels 1, 2 and 3: the master list 3, 1, 0; the book 1, 2, 0.
    const std::pair<QWidget*, tSpellList*> windows[] = {{Window(), List()}, {book, book->SpellList()}};
    const int lines[2][3] = {{3, 1, 0}, {1, 2, 0}};
    for (size_t w = 0; w < 2; ++w) {
        QWidget* window = windows[w].first;
        tSpellList* list = windows[w].second;
        const auto level = [window](int n) {
            return Named<QRadioButton>(window, QStringLiteral("grpSpellLevel%1").arg(n));
        };
        QStringList shown;
        QTest::mouseClick(level(2), Qt::LeftButton);
        shown << QString::number(list->Count());
        level(1)->setChecked(true);
        shown << QString::number(list->Count());
        level(2)->toggle();
        shown << QString::number(list->Count());
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(level(3));
        QVERIFY(face && face->actionInterface());
        face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        shown << QString::number(list->Count());
        QCOMPARE(shown, (QStringList{QString::number(lines[w][1]), QString::number(lines[w][0]),
                                     QString::number(lines[w][1]), QString::number(lines[w][2])}));
    }

    // Level 1 clicked, then level 3 chosen by a command (a book's Add
    // Selected Spell): the focus follows.
    const auto level = [this](int n) {
        return Named<QRadioButton>(Window(), QStringLiteral("grpSpellLevel%1").arg(n));
    };
    Window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Window()));
    QTest::mouseClick(level(1), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), level(1));
    Window()->ShowAtLevel(3);
    QVERIFY(level(3)->isChecked());
    QCOMPARE(QApplication::focusWidget(), level(3));
    // Level 1 clicked, the focus moved out of the group, then level 2 chosen
    // by a command: Tab into the group lands on level 2.
    QTest::mouseClick(level(1), Qt::LeftButton);
    QWidget* before = level(1)->previousInFocusChain();
    while (before != level(1) && (!(before->focusPolicy() & Qt::TabFocus) || !before->isVisible())) {
        before = before->previousInFocusChain();
    }
    before->setFocus(Qt::TabFocusReason);
    Window()->ShowAtLevel(2);
    QCOMPARE(List()->Count(), 1);
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), level(2));
}

// The hint of the control whose command ran goes from the status bar; what a
// command shows there stays. A line cut with "..." is whole in its tooltip;
// a line longer than any list shows is kept short.
void MasterListWindowTest::HintsGoAndWholeLinesShow() {
    Window()->ShowAtLevel(1);
    QVERIFY(QTest::qWaitForWindowExposed(Window()));
    QStatusBar* status = Window()->statusBar();
    status->showMessage(QStringLiteral("Add Spells to Book"));
    QTest::mouseClick(Named<QToolButton>(Window(), QStringLiteral("bnAddToBook")), Qt::LeftButton);
    QCOMPARE(status->currentMessage(), QString());
    Window()->ShowStatus("The file holds no spells.");
    QVERIFY(Trigger(Named<QAction>(Window(), QStringLiteral("mnuApplyFilter"))));
    QCOMPARE(status->currentMessage(), QStringLiteral("The file holds no spells."));

    List()->resize(120, List()->height());
    const QString line = List()->Lines()[0];
    QVERIFY(List()->fontMetrics().horizontalAdvance(line) > List()->viewport()->width());
    const QPoint at = List()->visualRect(List()->model()->index(0, 0)).center();
    QHelpEvent help(QEvent::ToolTip, at, List()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(List()->viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), line);
    QCOMPARE(List()->model()->index(0, 0).data(Qt::AccessibleTextRole).toString(), line);

    // A name longer than a list line keeps (2,000 bytes) and than the
    // editor's box holds (32,767): the line is cut with an ellipsis, and an
    // edit of another field keeps the whole name.
    const std::string name(40000, 'x');
    Program.reset();
    Program = std::make_unique<tProgramUnderTest>(
        std::map<std::string, std::string>{{"MASTER.DAT", "1," + name + ",Tome,1,C,abj,N\r\n"}});
    Program->Start();
    Window()->ShowAtLevel(1);
    const auto most = static_cast<qsizetype>(tSpellLines::MostShownBytes);
    QCOMPARE(List()->Lines(), QStringList{QString(most, QLatin1Char('x')) + QChar(0x2026)});
    QCOMPARE(List()->model()->index(0, 0).data(Qt::ToolTipRole).toString(), List()->Lines()[0]);
    List()->SelectRows({0});
    Prompts::SetNextModal([](QDialog& dialog) {
        Named<QLineEdit>(&dialog, QStringLiteral("ebPage"))->setText(QStringLiteral("7"));
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnOK")), Qt::LeftButton);
        return dialog.result();
    });
    QVERIFY(Trigger(Named<QAction>(Window(), QStringLiteral("mnuEditSpellData"))));
    QVERIFY(Trigger(Named<QAction>(Window(), QStringLiteral("mnuSaveMasterFile"))));
    QCOMPARE(ReadBytes(Program->Path("MASTER.DAT")),
             "1,\"" + name + "\",\"Tome\",7,\"C\",\"abj\",\"N\"\r\n \r\n");
}

QTEST_MAIN(MasterListWindowTest)
#include "MasterListWindowTest.moc"
