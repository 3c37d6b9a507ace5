// The main frame's commands driven through the real windows: specialty
// maintenance and its reach into the other windows' choices, the odds dialog
// and its effect on a draw, the data directory reaching the next new window,
// the close request's order, the about box and the help topics.

#include "GuiSupport.h"

#include "app/Shared.h"
#include "files/Odds.h"
#include "master/MasterPool.h"
#include "model/Random.h"
#include "ui/FrmAbout.h"
#include "ui/FrmBookParm.h"
#include "ui/FrmDataDirectory.h"
#include "ui/FrmFrequencyOdds.h"
#include "ui/FrmMain.h"
#include "ui/FrmMasterList.h"
#include "ui/FrmPrintFormat.h"
#include "ui/FrmScrollParm.h"
#include "ui/FrmSpecialtyMaintenance.h"
#include "ui/FrmSpecialtyName.h"
#include "ui/FrmSpellBook.h"
#include "ui/FrmSpellEdit.h"
#include "ui/FrmWorking.h"
#include "ui/HelpViewer.h"
#include "ui/Program.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeView>

#include <filesystem>

class FrameCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void SpecialtyMaintenanceChangesReachEveryChoice();
    void TheOddsDialogChangesTheNextDraw();
    void TheDataDirectoryReachesTheNextNewWindowOnly();
    void TheCloseRequestAsksTheBooksBeforeTheMasterList();
    void TheAboutBoxAndTheHelpTopicsOfTheNewWindows();
    void DialogsHaveACloseButtonOnlyAndShowTheirCaptions();

private:
    TfrmSpellBook* Open(const std::string& name, const std::string& bytes);
    std::unique_ptr<tProgramUnderTest> Program;
};

void FrameCommandsTest::init() {
    Program = std::make_unique<tProgramUnderTest>(
        std::map<std::string, std::string>{{"MASTER.DAT", SampleMaster()}});
    Program->Start();
}

void FrameCommandsTest::cleanup() {
    Program.reset();
    const QString left = PromptsLeftOver();
    Prompts::Reset();
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

TfrmSpellBook* FrameCommandsTest::Open(const std::string& name, const std::string& bytes) {
    WriteBytes(Program->Folder / name, bytes);
    Prompts::SetNextFile(Program->QPath(name));
    frmMain->mnuOpenSpellbookClick();
    return SpellBooks().isEmpty() ? nullptr : SpellBooks().last();
}

void FrameCommandsTest::SpecialtyMaintenanceChangesReachEveryChoice() {
    TfrmSpellBook* book = Open("b.spb", "5\r\n3\r\n12\r\nGeneralist\r\nC\r\n \r\n");
    QVERIFY(book);
    QStringList shown;
    Prompts::SetNextModal([&](QDialog& dialog) {
        dialog.show();
        auto* maintenance = static_cast<TfrmSpecialtyMaintenance*>(&dialog);
        auto* prohibited = Named<QPlainTextEdit>(&dialog, QStringLiteral("memProhibited"));
        shown << Named<QComboBox>(&dialog, QStringLiteral("cbSpecialty"))->currentText()
              << prohibited->toPlainText();
        // Typed, then File opened: Save Changes sees the typed lines.
        prohibited->setFocus();
        prohibited->selectAll();
        QTest::keyClicks(prohibited, QStringLiteral("alt"));
        QTest::keyClick(prohibited, Qt::Key_Return);
        QTest::keyClicks(prohibited, QStringLiteral("nec"));
        Named<QMenu>(&dialog, QStringLiteral("File1"))->popup(dialog.mapToGlobal(QPoint(0, 0)));
        Named<QMenu>(&dialog, QStringLiteral("File1"))->close();
        shown << (Trigger(Named<QAction>(&dialog, QStringLiteral("mnuSaveChanges"))) ? "saved" : "not saved");
        // A new specialty through the name prompt, its preferred school typed
        // and left in the box when the window is closed by its close box.
        Prompts::SetNextModal([](QDialog& prompt) {
            Named<QLineEdit>(&prompt, QStringLiteral("ebSpecialtyName"))
                ->setText(QStringLiteral("Wild Mage"));
            return int(QDialog::Accepted);
        });
        shown << (Trigger(Named<QAction>(&dialog, QStringLiteral("mnuAddNewSpecialty"))) ? "added"
                                                                                         : "not added");
        auto* preferred = Named<QPlainTextEdit>(&dialog, QStringLiteral("memPreferred"));
        preferred->setFocus();
        QTest::keyClicks(preferred, QStringLiteral("wld"));
        Prompts::SetNextAnswer(tAnswer::No);
        maintenance->close();
        return dialog.result();
    });
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuSetSpecialties"))));
    QCOMPARE(shown, (QStringList{"Abjurer", "alt\nill", "saved", "added"}));
    QCOMPARE(Specialties->Find("Abjurer")->Prohibited, (std::vector<std::string>{"alt", "nec"}));
    QCOMPARE(ReadBytes(Program->Folder / "Specialty.dat").substr(0, 16), std::string("Abjurer\r\nabj\r\nal"));
    QVERIFY(Specialties->Find("Wild Mage"));
    QCOMPARE(Specialties->Find("Wild Mage")->Preferred, std::vector<std::string>{"wld"});
    QVERIFY2(Specialties->Modified, "No keeps the change unsaved");
    QCOMPARE(Prompts::Shown().back().Kind, QStringLiteral("yesnocancel"));

    // Every choice list begins with "Generalist" and now offers the new one.
    auto* choices = Named<QComboBox>(book, QStringLiteral("cbWizardSpecialty"));
    QCOMPARE(choices->itemText(0), QStringLiteral("Generalist"));
    QCOMPARE(choices->itemText(choices->count() - 1), QStringLiteral("Wild Mage"));
    auto* parameters = Named<QListWidget>(frmBookParm, QStringLiteral("lbSpecialty"));
    QCOMPARE(parameters->item(parameters->count() - 1)->text(), QStringLiteral("Wild Mage"));
    QCOMPARE(choices->currentText(), QStringLiteral("Generalist"));
    QVERIFY(!book->Document().Modified());

    // Deleted and saved before Exit: no question, and every choice list
    // follows all the same.
    const size_t asked = Prompts::Shown().size();
    Prompts::SetNextModal([](QDialog& dialog) {
        dialog.show();
        auto* names = Named<QComboBox>(&dialog, QStringLiteral("cbSpecialty"));
        names->setCurrentIndex(names->findText(QStringLiteral("Wild Mage")));
        Prompts::SetNextAnswer(tAnswer::Ok);
        Trigger(Named<QAction>(&dialog, QStringLiteral("mnuDeleteSpecialty")));
        Trigger(Named<QAction>(&dialog, QStringLiteral("mnuSaveChanges")));
        Trigger(Named<QAction>(&dialog, QStringLiteral("mnuClose")));
        return dialog.result();
    });
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuSetSpecialties"))));
    QVERIFY(!Specialties->Find("Wild Mage") && !Specialties->Modified);
    QStringList kinds;
    for (size_t i = asked; i < Prompts::Shown().size(); ++i) {
        kinds << Prompts::Shown()[i].Kind;
    }
    QCOMPARE(kinds, (QStringList{"modal", "okcancel"}));
    QCOMPARE(choices->findText(QStringLiteral("Wild Mage")), -1);
    QCOMPARE(parameters->findItems(QStringLiteral("Wild Mage"), Qt::MatchExactly).size(), 0);
    QCOMPARE(parameters->item(0)->text(), QStringLiteral("Generalist"));
    QCOMPARE(parameters->count(), choices->count());
}

void FrameCommandsTest::TheOddsDialogChangesTheNextDraw() {
    Prompts::SetNextModal([](QDialog& dialog) {
        auto* list = Named<QListWidget>(&dialog, QStringLiteral("lbFrequency"));
        auto* odds = Named<QSpinBox>(&dialog, QStringLiteral("spnOdds"));
        if (list->currentRow() != 0 || odds->value() != 1) {
            return int(QDialog::Rejected);
        }
        list->setCurrentRow(4); // Restricted
        if (odds->value() != 100) {
            return int(QDialog::Rejected);
        }
        odds->setValue(1);
        list->setCurrentRow(0); // Common
        odds->setValue(32767);
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnOK")), Qt::LeftButton);
        return dialog.result();
    });
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("SpellSelectionOdds1"))));
    QCOMPARE(SelectionOdds, (std::array<int32_t, 5>{1, 20, 10, 5, 32767}));
    const std::string settings = ReadBytes(Program->Folder / "Quillmark.INI");
    QVERIFY2(settings.find("Restricted=1\r\n") != std::string::npos, settings.c_str());
    QVERIFY2(settings.find("Common=32767") != std::string::npos, settings.c_str());

    // A Restricted book missing one Common and one Restricted spell draws the
    // Restricted one.
    SeedRandom(3);
    TfrmSpellBook* book = Open("o.spb", "5\r\n3\r\n12\r\nGeneralist\r\nS\r\n \r\n");
    QVERIFY(book);
    auto pool = TSpellBook::Create(0, 0, 0, "");
    pool->AddSpell(tSpell(1, "Plain", "Tome", 1, 0, "abj", false).Copy());
    pool->AddSpell(tSpell(1, "Rare Gem", "Tome", 2, -4, "abj", false).Copy());
    MasterSpells.swap(pool);
    QVERIFY(Trigger(Named<QAction>(book, QStringLiteral("mnuAddRandomSpell"))));
    MasterSpells.swap(pool);
    QCOMPARE(NamesOf(book->Document().Book()), std::vector<std::string>{"Rare Gem"});
    Prompts::SetNextAnswer(tAnswer::No);
    QVERIFY(book->close());
}

void FrameCommandsTest::TheDataDirectoryReachesTheNextNewWindowOnly() {
    TfrmSpellBook* before = Open("d.spb", "5\r\n3\r\n12\r\nGeneralist\r\nC\r\n \r\n");
    QVERIFY(before);
    const std::string books = Program->Path("books");
    std::filesystem::create_directory(books);
    QString shown;
    bool inView = false;
    bool movedByUser = false;
    Prompts::SetNextModal([&](QDialog& dialog) {
        auto* directory = static_cast<TfrmDataDirectory*>(&dialog);
        shown = directory->Folder();
        // The folder shown is opened in the tree and scrolled into view.
        dialog.show();
        auto* tree = Named<QTreeView>(&dialog, QStringLiteral("dlDataDirectory"));
        QDeadlineTimer deadline(5000);
        while (!inView && !deadline.hasExpired()) {
            QTest::qWait(20);
            const QModelIndex shownFolder = tree->currentIndex();
            const QRect line = tree->visualRect(shownFolder);
            inView = line.isValid() && tree->viewport()->rect().contains(line.center());
            // Each folder on the way stands at its own row, open.
            for (QModelIndex up = shownFolder.parent(); inView && up.isValid() && up != tree->rootIndex();
                 up = up.parent()) {
                inView = tree->isExpanded(up) && up.model()->index(up.row(), 0, up.parent()) == up;
            }
        }
        // Once the user moves in the tree, the tree and the result follow the user.
        QTest::keyClick(tree, Qt::Key_Up);
        movedByUser =
            directory->Folder() != shown &&
            directory->Folder() ==
                QDir::cleanPath(
                    tree->model()->data(tree->currentIndex(), QFileSystemModel::FilePathRole).toString());
        directory->SetFolder(QString::fromStdString(books));
        return int(QDialog::Accepted);
    });
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("SetDataDirectory1"))));
    QCOMPARE(shown, QDir::cleanPath(Program->QPath("")));
    QVERIFY(inView);
    QVERIFY(movedByUser);
    QCOMPARE(ReadDataDirectory(), books + "/");
    QCOMPARE(frmMain->FrameCommands().OpenFolder(), books + "/");

    TfrmSpellBook* after = Open("e.spb", "5\r\n3\r\n12\r\nGeneralist\r\nC\r\n \r\n");
    QVERIFY(after);
    QCOMPARE(after->Document().DialogFolder(), books + "/");
    QCOMPARE(before->Document().DialogFolder(), Program->Path(""));
}

void FrameCommandsTest::TheCloseRequestAsksTheBooksBeforeTheMasterList() {
    TfrmSpellBook* book = Open("c.spb", "5\r\n3\r\n12\r\nGeneralist\r\nC\r\n \r\n");
    TfrmSpellBook* other = Open("d.spb", "5\r\n3\r\n12\r\nGeneralist\r\nC\r\n \r\n");
    QVERIFY(book && other);
    Named<QSpinBox>(book, QStringLiteral("spnWizardLevel"))->setValue(7);
    Named<QSpinBox>(other, QStringLiteral("spnWizardLevel"))->setValue(8);
    frmMasterList->Commands().DeleteSpell();
    QVERIFY(MasterSpells->Modified);
    QCOMPARE(frmMain->ClientArea()->activeSubWindow(), other);

    // Cancel on the first book: nothing closes, the master list is not
    // asked, and the book asked about came to the front.
    const size_t before = Prompts::Shown().size();
    Prompts::SetNextAnswer(tAnswer::Cancel);
    QVERIFY(!frmMain->close());
    QCOMPARE(Prompts::Shown().size(), before + 1);
    QVERIFY(Prompts::Shown().back().Text.startsWith(QStringLiteral("Spellbook:")));
    QCOMPARE(SpellBooks().size(), 2);
    QCOMPARE(frmMain->ClientArea()->activeSubWindow(), book);
    QCOMPARE(frmMain->ActiveSpellBook(), book);

    // No on the books, Cancel on the master list: the program stays.
    Prompts::SetNextAnswer(tAnswer::No);
    Prompts::SetNextAnswer(tAnswer::No);
    Prompts::SetNextAnswer(tAnswer::Cancel);
    QVERIFY(!frmMain->close());
    QVERIFY(Prompts::Shown().back().Text.startsWith(QStringLiteral("Master Spell List has been changed")));
    QVERIFY(frmMain->isVisible());
    QCOMPARE(frmMain->ClientArea()->activeSubWindow(), other);

    Prompts::SetNextAnswer(tAnswer::No);
    Prompts::SetNextAnswer(tAnswer::No);
    Prompts::SetNextAnswer(tAnswer::No);
    QVERIFY(frmMain->close());
}

void FrameCommandsTest::TheAboutBoxAndTheHelpTopicsOfTheNewWindows() {
    QString caption;
    QStringList texts;
    Prompts::SetNextModal([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        texts << Named<QLabel>(&dialog, QStringLiteral("ProductName"))->text()
              << Named<QLabel>(&dialog, QStringLiteral("Version"))->text();
        return int(QDialog::Accepted);
    });
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuAbout"))));
    QCOMPARE(caption, QStringLiteral("About Quillmark"));
    QCOMPARE(texts, (QStringList{"Quillmark", "Version 5.0"}));

    // F1 in each new window opens its own topic.
    int context = 0;
    Prompts::SetNextModal([&](QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        if (QTest::qWaitForWindowActive(&dialog)) {
            QTest::keyClick(&dialog, Qt::Key_F1);
        }
        context = LastHelpRequest().Context;
        return int(QDialog::Rejected);
    });
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("SpellSelectionOdds1"))));
    QCOMPARE(context, HelpSelectionOdds);
    Prompts::SetNextModal([&](QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        if (QTest::qWaitForWindowActive(&dialog)) {
            QTest::keyClick(&dialog, Qt::Key_F1);
        }
        context = LastHelpRequest().Context;
        return int(QDialog::Rejected);
    });
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuDataDirectories"))));
    QCOMPARE(context, HelpDataDirectory);
    // The master list belongs to the frame, so its window counts as active
    // while the frame still has the keyboard; F1 waits for the list to have it.
    frmMasterList->ShowAtLevel();
    QTRY_VERIFY(QApplication::activeWindow() == frmMasterList);
    QTest::keyClick(frmMasterList, Qt::Key_F1);
    QCOMPARE(LastHelpRequest().Context, HelpMasterList);
    CloseHelp();
}

// Dialogs offer no minimise or maximise button and keep their size; the
// specialty name dialog has no title-bar button at all; each is wide enough
// for its caption in a bold title.
void FrameCommandsTest::DialogsHaveACloseButtonOnlyAndShowTheirCaptions() {
    TfrmAbout about(frmMain);
    TfrmFrequencyOdds odds(frmMain, *frmWorking);
    const TSpellBook source(9, 16, 0, "Generalist");
    TfrmScrollParm scroll(frmMain, source);
    const std::unique_ptr<QMessageBox> information =
        Prompts::MakeMessageBox(frmMain, tMessageKind::Information, tButtons::Ok, QStringLiteral("Done"), {});
    const std::unique_ptr<QMessageBox> confirm = Prompts::MakeMessageBox(
        frmMain, tMessageKind::Confirmation, tButtons::YesNo, QStringLiteral("Sure?"), {});
    frmSpecialtyName->setWindowTitle(QStringLiteral("Change Specialty Name"));
    QDialog* const dialogs[] = {&about,       &odds,          &scroll,     information.get(), confirm.get(),
                                frmSpellEdit, frmPrintFormat, frmBookParm, frmSpecialtyName};
    QFont bold = QApplication::font();
    bold.setBold(true);
    for (QDialog* dialog : dialogs) {
        const QString name = dialog->windowTitle();
        const Qt::WindowFlags flags = dialog->windowFlags();
        QVERIFY2(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)), qPrintable(name));
        QVERIFY2(flags & Qt::CustomizeWindowHint, qPrintable(name));
        QCOMPARE(bool(flags & Qt::WindowCloseButtonHint), dialog != frmSpecialtyName);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QVERIFY2(dialog->minimumSize() == dialog->maximumSize(), qPrintable(name));
        QVERIFY2(dialog->width() >= QFontMetrics(bold).horizontalAdvance(name) + 100,
                 qPrintable(name + " " + QString::number(dialog->width())));
        dialog->showMinimized();
        QTRY_VERIFY2(!dialog->isMinimized() && dialog->isVisible(), qPrintable(name));
        dialog->hide();
    }
}

QTEST_MAIN(FrameCommandsTest)
#include "FrameCommandsTest.moc"
