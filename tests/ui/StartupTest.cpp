// The program's start in a folder of its own: the order of creation, the
// defaults, and the frame's menus, toolbar and help.

#include "GuiSupport.h"

#include "app/Shared.h"
#include "files/Odds.h"
#include "master/MasterPool.h"
#include "ui/Artwork.h"
#include "ui/FrmBookParm.h"
#include "ui/FrmMain.h"
#include "ui/FrmMasterList.h"
#include "ui/FrmPrintFormat.h"
#include "ui/FrmSpecialtyMaintenance.h"
#include "ui/FrmSpecialtyName.h"
#include "ui/FrmSpellEdit.h"
#include "ui/FrmWorking.h"
#include "ui/HelpViewer.h"
#include "ui/Program.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void AnEmptyFolderGivesEveryDefaultAndWritesNothing();
    void SettingsSpecialtiesAndMasterFileAreReadInTheirOrder();
    void WhatCouldNotBeReadIsSaidAtStart();
    void TheFrameCarriesItsMenusAndToolbar();
    void HelpOpensAtTheContextOfTheWindow();
    void ClosingTheEmptyFrameEndsTheProgram();
};

// Every prompt a test raised was answered by it, and nothing it queued is left.
void StartupTest::cleanup() {
    const QString left = PromptsLeftOver();
    Prompts::Reset();
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

void StartupTest::AnEmptyFolderGivesEveryDefaultAndWritesNothing() {
    tProgramUnderTest program;
    program.Start();

    QCOMPARE(frmMain->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(frmMain->windowTitle(), QStringLiteral("Quillmark"));
    QVERIFY(frmMain->isVisible());
    QVERIFY(frmMain->windowState() & Qt::WindowMaximized);
    QVERIFY(frmMain->ClientArea() != nullptr);

    // The windows made after the frame exist and stay hidden.
    QWidget* const hidden[] = {frmWorking,   frmBookParm,  frmPrintFormat,          frmMasterList,
                               frmSpellEdit, frmSpellEdit, frmSpecialtyMaintenance, frmSpecialtyName};
    for (QWidget* window : hidden) {
        QVERIFY(window != nullptr);
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }
    QCOMPARE(frmWorking->windowTitle(), QStringLiteral("Quillmark"));
    QVERIFY(frmWorking->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(Named<QLabel>(frmWorking, QStringLiteral("lblWorking"))->text(), QStringLiteral("Working..."));
    QCOMPARE(Named<QLabel>(frmWorking, QStringLiteral("lblWorking"))->font().pixelSize(), 40);
    // The master list was loaded behind the notice, which is hidden again.
    QCOMPARE(frmWorking->InfoText(), QStringLiteral("Loading Master Spell List"));
    QCOMPARE(frmWorking->palette().color(QPalette::Window), QColor(0, 255, 255));

    QCOMPARE(SelectionOdds, (std::array<int32_t, 5>{100, 20, 10, 5, 1}));
    QCOMPARE(ReadDataDirectory(), program.Folder.Path().string() + "/");
    QCOMPARE(frmMain->FrameCommands().OpenFolder(), program.Folder.Path().string() + "/");
    QCOMPARE(HelpFile, program.Path("Quillmark.HLP"));
    QCOMPARE(MasterFileName(Settings.get()), std::string("MASTER.DAT"));
    QVERIFY(MasterSpells != nullptr);
    QCOMPARE(MasterSpells->Count(), 0);
    QCOMPARE(Specialties->Names(), DefaultSpecialties->Names());
    QVERIFY(ProgramCursor(SpellCursorNumber) != nullptr);
    QVERIFY(!ProgramCursor(SpellCursorNumber)->pixmap().isNull());

    auto* specialties = Named<QListWidget>(frmBookParm, QStringLiteral("lbSpecialty"));
    QCOMPARE(specialties->count(), 9);
    QCOMPARE(specialties->item(0)->text(), QStringLiteral("Generalist"));
    QCOMPARE(specialties->item(8)->text(), QStringLiteral("Transmuter"));

    // Nothing is written at start, and there was nothing to say.
    QVERIFY(std::filesystem::is_empty(program.Folder.Path()));
    QVERIFY(Named<QLabel>(frmMain, QStringLiteral("lblSettingsNotice")) == nullptr);
}

void StartupTest::SettingsSpecialtiesAndMasterFileAreReadInTheirOrder() {
    tProgramUnderTest program({
        {"Quillmark.INI", "[SpellFrequencyOdds]\r\nCommon=0x0A\r\nUncommon=abc\r\nRestricted=250\r\n"
                          "[Quillmark]\r\nDataDirectory=/srv/books/\r\nMasterFile=pool.dat\r\n"},
        {"Specialty.dat", "Wild Mage\r\nwld\r\nnec\r\n"},
        {"pool.dat", "1,Spark,Tome,3,C,e/c,N\r\n2,Glimmer,Tome,5,U,ill,N\r\n \r\n"},
        {"MASTER.DAT", "1,Ignored,Tome,3,C,e/c,N\r\n \r\n"},
    });
    program.Start();
    QCOMPARE(SelectionOdds, (std::array<int32_t, 5>{250, 20, 10, 5, 10}));
    QCOMPARE(frmMain->FrameCommands().OpenFolder(), std::string("/srv/books/"));
    // The master list window, made after the frame opened the settings, read
    // the master file they name.
    QCOMPARE(NamesOf(*MasterSpells), (std::vector<std::string>{"Spark", "Glimmer"}));
    // The parameters dialog, made after the frame read the specialty file,
    // offers its specialties.
    auto* specialties = Named<QListWidget>(frmBookParm, QStringLiteral("lbSpecialty"));
    QCOMPARE(specialties->count(), 2);
    QCOMPARE(specialties->item(1)->text(), QStringLiteral("Wild Mage"));
}

// A settings file and a master file that cannot be read are named in the
// status bars of the frame and the master list at start.
void StartupTest::WhatCouldNotBeReadIsSaidAtStart() {
    tProgramUnderTest program;
    std::filesystem::create_directory(program.Folder / "Quillmark.INI");
    std::filesystem::create_directory(program.Folder / "MASTER.DAT");
    program.Start();
    auto* notice = Named<QLabel>(frmMain, QStringLiteral("lblSettingsNotice"));
    QVERIFY(notice != nullptr);
    QCOMPARE(notice->text(),
             program.QPath("Quillmark.INI") +
                 QStringLiteral(
                     " could not be read. It is a folder, not a file. The default settings are in force."));
    QCOMPARE(frmMasterList->statusBar()->currentMessage(),
             QStringLiteral("MASTER.DAT is not a regular file."));
}

void StartupTest::TheFrameCarriesItsMenusAndToolbar() {
    tProgramUnderTest program;
    program.Start();
    QCOMPARE(MenuBarTitles(), (QStringList{"&File", "&Options", "&Window", "&Help"}));

    const QStringList mismatches = CommandControlMismatches(frmMain, frmMain->Commands());
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join('\n')));
    const QStringList notReached = CommandsNotReached(frmMain, frmMain->Commands());
    QVERIFY2(notReached.isEmpty(), qPrintable(notReached.join('\n')));

    QToolBar* toolbar = frmMain->ToolBar();
    QCOMPARE(toolbar->objectName(), QStringLiteral("tbMain"));
    QVERIFY(toolbar->isVisible());
    auto* newButton = Named<QToolButton>(toolbar, QStringLiteral("bnNew"));
    auto* openButton = Named<QToolButton>(toolbar, QStringLiteral("bnOpen"));
    QVERIFY(newButton && openButton);

    // The Open button asks for a file with the spellbook filter; cancelled,
    // nothing opens.
    Prompts::SetNextFile(QString());
    QTest::mouseClick(openButton, Qt::LeftButton);
    QCOMPARE(Prompts::Shown().size(), size_t(1));
    QCOMPARE(Prompts::Shown()[0].Kind, QStringLiteral("open"));
    QCOMPARE(Prompts::Shown()[0].Text, QStringLiteral("Open Spellbook"));
    QVERIFY(SpellBooks().isEmpty());
}

void StartupTest::HelpOpensAtTheContextOfTheWindow() {
    tProgramUnderTest program;
    program.Start();
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuContents"))));
    QCOMPARE(LastHelpRequest().Context, 1);
    QCOMPARE(LastHelpRequest().File, program.QPath("Quillmark.HLP"));
    auto* viewer = frmMain->findChild<QWidget*>(QStringLiteral("HelpViewer"));
    QVERIFY(viewer && viewer->isVisible());
    // No help file in the test's folder: the viewer says so.
    QVERIFY(
        Named<QTextBrowser>(viewer, QStringLiteral("HelpText"))->toPlainText().contains("cannot be opened"));

    // The program's own help file has a topic for every context number.
    const std::string shipped = QUILL_HELP_SOURCE;
    const std::string text = ReadBytes(shipped);
    QVERIFY2(!text.empty(), shipped.c_str());
    for (int context : {1, 100, 200, 300, 400, 500, 600, 800}) {
        const std::string anchor = "name=\"" + HelpAnchor(context).toStdString() + "\"";
        QVERIFY2(text.find(anchor) != std::string::npos, anchor.c_str());
    }
}

void StartupTest::ClosingTheEmptyFrameEndsTheProgram() {
    tProgramUnderTest program;
    program.Start();
    QSignalSpy closed(frmMain, &TfrmMain::closed);
    QVERIFY(Trigger(Named<QAction>(frmMain, QStringLiteral("mnuExit"))));
    QCOMPARE(closed.size(), 1);
    QVERIFY(!frmMain->isVisible());
    // Closing releases the settings.
    QVERIFY(!Settings);
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
