// The program's start in a folder of its own: the order of creation, the
// defaults, and the frame's menus, toolbar and help.

#include "GuiSupport.h"

#include "app/Shared.h"
#include "files/Odds.h"
#include "master/MasterPool.h"
#include "ui/Artwork.h"
#include "ui/FrmBookParm.h"
#include "ui/FrmMain.h"
#include "ui/FrmWorking.h"
#include "ui/HelpViewer.h"
#include "ui/Placeholders.h"
#include "ui/Program.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void AnEmptyFolderGivesEveryDefaultAndWritesNothing();
    void SettingsSpecialtiesAndMasterFileAreReadInTheirOrder();
    void TheFrameCarriesItsMenusAndToolbar();
    void HelpOpensAtTheContextOfTheWindow();
    void ClosingTheEmptyFrameEndsTheProgram();
};

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
    QCOMPARE(frmMain->Commands().OpenFolder(), program.Folder.Path().string() + "/");
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

    // Nothing is written at start.
    QVERIFY(std::filesystem::is_empty(program.Folder.Path()));
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
    QCOMPARE(frmMain->Commands().OpenFolder(), std::string("/srv/books/"));
    // The master list window, made after the frame opened the settings, read
    // the master file they name.
    QCOMPARE(NamesOf(*MasterSpells), (std::vector<std::string>{"Spark", "Glimmer"}));
    // The parameters dialog, made after the frame read the specialty file,
    // offers its specialties.
    auto* specialties = Named<QListWidget>(frmBookParm, QStringLiteral("lbSpecialty"));
    QCOMPARE(specialties->count(), 2);
    QCOMPARE(specialties->item(1)->text(), QStringLiteral("Wild Mage"));
}

void StartupTest::TheFrameCarriesItsMenusAndToolbar() {
    tProgramUnderTest program;
    program.Start();
    QCOMPARE(MenuBarTitles(), (QStringList{"&File", "&Options", "&Window", "&Help"}));

    const tExpectedAction items[] = {
        {"mnuNewSpellbook", "&New", QKeySequence(Qt::Key_F4), true},
        {"mnuOpenSpellbook", "&Open", QKeySequence(), true},
        {"mnuPrinterSetup", "Printer Setup...", QKeySequence(), false},
        {"mnuExit", "E&xit", QKeySequence(), true},
        {"mnuSetMasterFile", "Set Master &File...", QKeySequence(), false},
        {"mnuViewMaster", "&View Master List...", QKeySequence(), false},
        {"mnuDataDirectories", "Set &Data Directory...", QKeySequence(), false},
        {"SpellSelectionOdds1", "Set Spell Selection &Odds...", QKeySequence(), false},
        {"mnuSetSpecialties", "Set Specialties...", QKeySequence(), false},
        {"mnuArrange", "&Arrange", QKeySequence(), true},
        {"mnuContents", "&Contents", QKeySequence(), true},
        {"mnuAbout", "&About", QKeySequence(), false},
        {"NewSpellbook1", "New Spellbook...", QKeySequence(), true},
        {"OpenSpellbook1", "Open Spellbook...", QKeySequence(), true},
        {"ViewMasterList1", "View Master List", QKeySequence(), false},
        {"SetMasterFile1", "Set Master File...", QKeySequence(), false},
        {"SetDataDirectory1", "Set Data Directory...", QKeySequence(), false},
        {"SetSpellFrequency1", "Set Spell Selection Odds...", QKeySequence(), false},
        {"SetSpecialties1", "Set Specialties...", QKeySequence(), false},
    };
    for (const tExpectedAction& item : items) {
        const QString mismatch = ActionMismatch(frmMain, item);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    auto* file = Named<QMenu>(frmMain, QStringLiteral("mnuFile"));
    QCOMPARE(file->actions().size(), 6);
    QVERIFY(file->actions()[2]->isSeparator());
    QVERIFY(file->actions()[4]->isSeparator());

    QToolBar* toolbar = frmMain->ToolBar();
    QCOMPARE(toolbar->objectName(), QStringLiteral("tbMain"));
    QVERIFY(toolbar->isVisible());
    auto* newButton = Named<QToolButton>(toolbar, QStringLiteral("bnNew"));
    auto* openButton = Named<QToolButton>(toolbar, QStringLiteral("bnOpen"));
    QVERIFY(newButton && openButton);
    QCOMPARE(newButton->toolTip(), QStringLiteral("New Spellbook"));
    QCOMPARE(openButton->toolTip(), QStringLiteral("Open Spellbook"));
    QVERIFY(!newButton->icon().isNull());

    // The Open button asks for a file with the spellbook filter; cancelled,
    // nothing opens.
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
