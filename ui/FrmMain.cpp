#include "ui/FrmMain.h"

#include "app/Shared.h"
#include "frame/Transfer.h"
#include "master/MasterPool.h"
#include "ui/Artwork.h"
#include "ui/Commands.h"
#include "ui/Controls.h"
#include "ui/FrmAbout.h"
#include "ui/FrmBookParm.h"
#include "ui/FrmDataDirectory.h"
#include "ui/FrmFrequencyOdds.h"
#include "ui/FrmMasterList.h"
#include "ui/FrmPrintFormat.h"
#include "ui/FrmScrollParm.h"
#include "ui/FrmSpecialtyMaintenance.h"
#include "ui/FrmSpellBook.h"
#include "ui/FrmSpellEdit.h"
#include "ui/FrmWorking.h"
#include "ui/HelpViewer.h"
#include "ui/Printer.h"
#include "ui/ProgramWindows.h"
#include "ui/Prompts.h"
#include "ui/RecentFilesMenu.h"
#include "ui/SpellList.h"
#include "ui/Text1252.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

namespace {

const QString OpenFilter = QStringLiteral("*.SPB (Spellbook Files)|*.SPB|*.* (All Files)|*.*");
constexpr int ArrangedWidth = 540;
constexpr int ArrangedHeight = 480;

// The frame's commands, in the order of the table below.
enum class tFrameCommand {
    NewSpellbook,
    OpenSpellbook,
    PrinterSetup,
    Exit,
    SetMasterFile,
    ViewMaster,
    DataDirectories,
    SpellSelectionOdds,
    SetSpecialties,
    Arrange,
    Contents,
    About,
};

// Every command of the frame with the controls that carry it.
constexpr tCommandSpec CommandTable[] = {
    {.Id = tFrameCommand::NewSpellbook,
     .MenuItem = "mnuNewSpellbook",
     .Caption = "&New",
     .Shortcut = "F4; Ctrl+N",
     .Button = "bnNew",
     .Icon = "new",
     .ButtonHint = "New Spellbook",
     .PopupItem = "NewSpellbook1",
     .PopupCaption = "New Spellbook..."},
    {.Id = tFrameCommand::OpenSpellbook,
     .MenuItem = "mnuOpenSpellbook",
     .Caption = "&Open",
     .Shortcut = "; Ctrl+O",
     .Button = "bnOpen",
     .Icon = "open",
     .ButtonHint = "Open Spellbook",
     .PopupItem = "OpenSpellbook1",
     .PopupCaption = "Open Spellbook..."},
    {.Id = tFrameCommand::PrinterSetup, .MenuItem = "mnuPrinterSetup", .Caption = "Printer Setup..."},
    {.Id = tFrameCommand::Exit, .MenuItem = "mnuExit", .Caption = "E&xit", .Shortcut = "; Ctrl+Q"},
    {.Id = tFrameCommand::SetMasterFile,
     .MenuItem = "mnuSetMasterFile",
     .Caption = "Set Master &File...",
     .PopupItem = "SetMasterFile1",
     .PopupCaption = "Set Master File..."},
    {.Id = tFrameCommand::ViewMaster,
     .MenuItem = "mnuViewMaster",
     .Caption = "&View Master List...",
     .PopupItem = "ViewMasterList1",
     .PopupCaption = "View Master List"},
    {.Id = tFrameCommand::DataDirectories,
     .MenuItem = "mnuDataDirectories",
     .Caption = "Set &Data Directory...",
     .PopupItem = "SetDataDirectory1",
     .PopupCaption = "Set Data Directory..."},
    {.Id = tFrameCommand::SpellSelectionOdds,
     .MenuItem = "SpellSelectionOdds1",
     .Caption = "Set Spell Selection &Odds...",
     .PopupItem = "SetSpellFrequency1",
     .PopupCaption = "Set Spell Selection Odds..."},
    {.Id = tFrameCommand::SetSpecialties,
     .MenuItem = "mnuSetSpecialties",
     .Caption = "Set Specialties...",
     .PopupItem = "SetSpecialties1",
     .PopupCaption = "Set Specialties..."},
    {.Id = tFrameCommand::Arrange, .MenuItem = "mnuArrange", .Caption = "&Arrange"},
    {.Id = tFrameCommand::Contents, .MenuItem = "mnuContents", .Caption = "&Contents"},
    {.Id = tFrameCommand::About, .MenuItem = "mnuAbout", .Caption = "&About"},
};
static_assert(InIdOrder(CommandTable));

} // namespace

TfrmMain::TfrmMain(tProgramWindows& windows)
    : Windows(windows), Working(new TfrmWorking(this)), UI(this, *Working), Frame(*this, UI) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillmark"));
    setWindowIcon(ProgramIcon());
    // The toolbar shows exactly while no spellbook window is open, so the
    // menu bar and status bar offer no menu that would toggle it.
    setContextMenuPolicy(Qt::NoContextMenu);

    Area = new QMdiArea(this);
    Area->setObjectName(QStringLiteral("ClientArea"));
    Area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Area->setContextMenuPolicy(Qt::CustomContextMenu);
    setCentralWidget(Area);
    connect(Area, &QMdiArea::subWindowActivated, this, &TfrmMain::SubWindowActivated);

    BuildCommands();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));

    // Help asked for in the frame opens the topic of the active spellbook
    // window, or the frame's own.
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { ShowHelp(this, Current ? HelpSpellBook : HelpMainFrame); });

    FormCreate();
    UpdateMenuBar();
    NameControlsFromLabels(this);
    resize(900, 680);
}

TfrmMain::~TfrmMain() {
    // The spellbook windows go first, quietly: their menus may stand in the
    // menu bar, and the frame no longer follows them.
    disconnect(Area, nullptr, this, nullptr);
    const QList<TfrmSpellBook*> windows = Area->findChildren<TfrmSpellBook*>();
    for (TfrmSpellBook* window : windows) {
        disconnect(window, nullptr, this, nullptr);
    }
    menuBar()->clear();
    qDeleteAll(windows);
}

// Creation: the working notice, the drag cursor, the settings with the odds and
// the data directory, the help file and the specialty list.
void TfrmMain::FormCreate() {
    Working->hide();
    Windows.Working = Working;
    InstallSpellCursor();
    OpenSharedState();
    Frame.SetOpenFolder(ReadDataDirectory());
    // A settings file that could not be read stays named in the status bar
    // (menus' passing tips do not wipe it): its defaults stay in force.
    if (const std::string notice = SettingsNotice(); !notice.empty()) {
        auto* label = new QLabel(FromMarkedText(notice), this);
        label->setObjectName(QStringLiteral("lblSettingsNotice"));
        label->setAccessibleName(QStringLiteral("Settings notice"));
        statusBar()->addWidget(label, 1);
    }
}

// The menus, toolbar and pop-up menu from the command table; the commands this
// version carries out get their handlers, the others stay disabled.
void TfrmMain::BuildCommands() {
    using enum tFrameCommand;
    FCommands = new tCommands(this, CommandTable);
    tCommands& commands = *FCommands;
    commands.On(NewSpellbook, [this] { mnuNewSpellbookClick(); });
    commands.On(OpenSpellbook, [this] { mnuOpenSpellbookClick(); });
    commands.On(Exit, [this] { mnuExitClick(); });
    commands.On(Arrange, [this] { mnuArrangeClick(); });
    commands.On(ViewMaster, [this] { mnuViewMasterClick(); });
    commands.On(SetMasterFile, [this] { mnuSetMasterFileClick(); });
    commands.On(DataDirectories, [this] { mnuDataDirectoriesClick(); });
    commands.On(SpellSelectionOdds, [this] { SpellSelectionOdds1Click(); });
    commands.On(SetSpecialties, [this] { mnuSetSpecialtiesClick(); });
    commands.On(About, [this] { mnuAboutClick(); });
    commands.On(PrinterSetup, [this] { mnuPrinterSetupClick(); });
    commands.On(Contents, [this] { mnuContentsClick(); });

    mnuFile = commands.BuildMenu(QStringLiteral("&File"), QStringLiteral("mnuFile"),
                                 {NewSpellbook, OpenSpellbook, Divider, PrinterSetup, Divider, Exit}, this);
    new tRecentFilesMenu(mnuFile, commands.MenuAction(Exit),
                         [this](const std::string& path) { Frame.OpenRecentFile(path); });
    mnuOptions = commands.BuildMenu(
        QStringLiteral("&Options"), QStringLiteral("mnuOptions"),
        {SetMasterFile, ViewMaster, Divider, DataDirectories, SpellSelectionOdds, SetSpecialties}, this);
    mnuWindow = new QMenu(QStringLiteral("&Window"), this);
    mnuWindow->setObjectName(QStringLiteral("mnuWindow"));
    mnuHelp = commands.BuildMenu(QStringLiteral("&Help"), QStringLiteral("mnuHelp"),
                                 {Contents, Divider, About}, this);
    UpdateWindowMenu();

    tbMain = addToolBar(QStringLiteral("Spellbooks"));
    tbMain->setObjectName(QStringLiteral("tbMain"));
    tbMain->setMovable(false);
    tbMain->setFloatable(false);
    tbMain->setIconSize(QSize(20, 20));
    tbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
    commands.BuildToolBar(tbMain, {NewSpellbook, OpenSpellbook});

    pm_frmMain = commands.BuildPopup(QStringLiteral("pm_frmMain"),
                                     {NewSpellbook, OpenSpellbook, Divider, ViewMaster, SetMasterFile,
                                      Divider, DataDirectories, SpellSelectionOdds, SetSpecialties},
                                     this);
    connect(Area, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // Only the frame's empty area: a spellbook window has its own menu.
        if (!Area->childAt(at) || Area->childAt(at) == Area->viewport()) {
            pm_frmMain->popup(Area->mapToGlobal(at));
        }
    });
}

QList<TfrmSpellBook*> TfrmMain::SpellBookWindows() const {
    QList<TfrmSpellBook*> windows;
    for (const QPointer<TfrmSpellBook>& window : Books) {
        if (window) {
            windows << window.data();
        }
    }
    return windows;
}

TfrmSpellBook* TfrmMain::ActiveSpellBook() const {
    return Current.data();
}

const TSpellBook* TfrmMain::ActiveBook() const {
    return Current ? &Current->Document().Book() : nullptr;
}

// The menu bar: the active spellbook window's "&File" and "&Edit", or the
// frame's "&File"; then "&Options", "&Window" and "&Help".
void TfrmMain::UpdateMenuBar() {
    QMenuBar* bar = menuBar();
    bar->clear();
    if (TfrmSpellBook* active = Current.data()) {
        bar->addMenu(active->FileMenu());
        bar->addMenu(active->EditMenu());
    } else {
        bar->addMenu(mnuFile);
    }
    bar->addMenu(mnuOptions);
    bar->addMenu(mnuWindow);
    bar->addMenu(mnuHelp);
}

// "&Arrange", then one item per open spellbook window; choosing one activates it.
void TfrmMain::UpdateWindowMenu() {
    mnuWindow->clear();
    mnuWindow->addAction(FCommands->MenuAction(tFrameCommand::Arrange));
    const QList<TfrmSpellBook*> windows = SpellBookWindows();
    if (!windows.isEmpty()) {
        mnuWindow->addSeparator();
    }
    int number = 0;
    for (TfrmSpellBook* window : windows) {
        ++number;
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = mnuWindow->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                                         : QStringLiteral("%1 %2").arg(number).arg(title));
        item->setObjectName(QStringLiteral("mnuWindow%1").arg(number));
        item->setCheckable(true);
        item->setChecked(window == Current.data());
        QPointer<TfrmSpellBook> target(window);
        connect(item, &QAction::triggered, this, [this, target] {
            if (target) {
                Area->setActiveSubWindow(target.data());
            }
        });
    }
}

void TfrmMain::SubWindowActivated(QMdiSubWindow* window) {
    // The area reports no active window also when the frame itself loses the
    // focus (a message box, another program): the menus then stay as they
    // are while the window is still open.
    const QList<TfrmSpellBook*> open = SpellBookWindows();
    auto* spellBook = static_cast<TfrmSpellBook*>(window);
    if (window && open.contains(spellBook)) {
        Current = spellBook;
    } else if (!Current || !open.contains(Current.data())) {
        Current = nullptr;
    }
    UpdateMenuBar();
    UpdateWindowMenu();
}

void TfrmMain::SpellBookWindowClosed(TfrmSpellBook* window) {
    Books.removeAll(QPointer<TfrmSpellBook>(window));
    if (Current.data() == window) {
        Current = nullptr;
        // The area activates the next window itself; until then the frame's
        // own menus show.
        for (TfrmSpellBook* other : SpellBookWindows()) {
            if (Area->activeSubWindow() == other) {
                Current = other;
            }
        }
    }
    // The frame's toolbar is back once no spellbook window is left.
    tbMain->setVisible(SpellBookWindows().isEmpty());
    UpdateMenuBar();
    UpdateWindowMenu();
}

// tSpellBookHost

bool TfrmMain::AskBookParameters(tBookParameters& parameters) {
    if (Prompts::RunModal(*Windows.BookParm) != QDialog::Accepted) {
        return false;
    }
    parameters = Windows.BookParm->Parameters();
    return true;
}

tSpellBookDocument* TfrmMain::CreateSpellBookWindow() {
    tbMain->hide();
    auto* window = new TfrmSpellBook(*Specialties, *Working, *Windows.SpellEdit, *Windows.PrintFormat,
                                     [] { return MasterSpells.get(); });
    Books << QPointer<TfrmSpellBook>(window);
    connect(window, &TfrmSpellBook::windowClosed, this, &TfrmMain::SpellBookWindowClosed);
    connect(window, &QObject::destroyed, this, [this] {
        Books.removeAll(QPointer<TfrmSpellBook>());
        tbMain->setVisible(SpellBookWindows().isEmpty());
    });
    connect(window, &TfrmSpellBook::captionChanged, this, &TfrmMain::UpdateWindowMenu);
    connect(window, &TfrmSpellBook::frontRequested, this, &TfrmMain::BringToFront);
    // What the window asks for, the frame does.
    connect(window, &TfrmSpellBook::newRequested, this, &TfrmMain::mnuNewSpellbookClick);
    connect(window, &TfrmSpellBook::openRequested, this, &TfrmMain::mnuOpenSpellbookClick);
    connect(window, &TfrmSpellBook::openRecentRequested, this,
            [this](const std::string& path) { Frame.OpenRecentFile(path); });
    connect(window, &TfrmSpellBook::exitRequested, this, &TfrmMain::mnuExitClick);
    connect(window, &TfrmSpellBook::specialtyMaintenanceRequested, this, &TfrmMain::mnuSetSpecialtiesClick);
    connect(window, &TfrmSpellBook::addSelectedSpellRequested, this, &TfrmMain::ShowMasterListAt);
    connect(window, &TfrmSpellBook::printerSetupRequested, this, &TfrmMain::mnuPrinterSetupClick);
    connect(window, &TfrmSpellBook::createScrollRequested, this,
            [this, window] { Frame.CreateScroll(window->Document()); });
    connect(window, &TfrmSpellBook::spellsDropRequested, this,
            [this, window](tSpellList* source) { DropSpells(window, source); });
    Area->addSubWindow(window);
    window->Document().Create(ReadDataDirectory());
    window->show();
    Area->setActiveSubWindow(window);
    Current = window;
    UpdateMenuBar();
    UpdateWindowMenu();
    return &window->Document();
}

void TfrmMain::DiscardSpellBookWindow(tSpellBookDocument* document) {
    for (TfrmSpellBook* window : SpellBookWindows()) {
        if (&window->Document() == document) {
            window->Discard();
            return;
        }
    }
}

bool TfrmMain::ChooseOpenFile(const std::string& folder, std::string& path) {
    QString chosen;
    if (!Prompts::ChooseOpenFile(this,
                                 {QStringLiteral("Open Spellbook"), OpenFilter, QStringLiteral("spb"),
                                  FromPath(folder), QStringLiteral("dlgOpenSpellBook")},
                                 chosen)) {
        return false;
    }
    path = ToPath(chosen);
    return true;
}

// Commands.

void TfrmMain::mnuNewSpellbookClick() {
    Frame.NewSpellbook(MasterSpells.get());
}

void TfrmMain::mnuOpenSpellbookClick() {
    Frame.Open();
}

void TfrmMain::mnuExitClick() {
    close();
}

// Cascades the spellbook windows, then gives each the arranged size where the
// cascade put it.
void TfrmMain::mnuArrangeClick() {
    const QList<TfrmSpellBook*> windows = SpellBookWindows();
    std::optional<size_t> active;
    if (Current && windows.contains(Current.data())) {
        active = static_cast<size_t>(windows.indexOf(Current.data()));
    }
    int step = 0;
    for (size_t i : CascadeOrder(static_cast<size_t>(windows.size()), active)) {
        TfrmSpellBook* window = windows[static_cast<qsizetype>(i)];
        if (window->isMinimized() || window->isMaximized()) {
            window->showNormal();
        }
        // Each window a title bar's height down and to the right of the one
        // before it, and in front of it.
        const int offset = step * std::max(window->contentsMargins().top(), 1);
        window->setGeometry(offset, offset, ArrangedWidth, ArrangedHeight);
        window->raise();
        ++step;
    }
    if (Current) {
        Area->setActiveSubWindow(Current.data());
    }
}

void TfrmMain::mnuContentsClick() {
    ShowHelp(this, HelpMainFrame);
}

// Specialty maintenance, shown modally.
void TfrmMain::mnuSetSpecialtiesClick() {
    Prompts::RunModal(*Windows.SpecialtyMaintenance);
}

void TfrmMain::mnuDataDirectoriesClick() {
    Frame.SetDataDirectory();
}

bool TfrmMain::AskDataDirectory(const std::string& folder, std::string& chosen) {
    TfrmDataDirectory dialog(this);
    dialog.SetFolder(FromPath(folder));
    if (Prompts::RunModal(dialog) != QDialog::Accepted) {
        return false;
    }
    chosen = ToPath(dialog.Folder());
    return true;
}

// The odds dialog, made for this use.
void TfrmMain::SpellSelectionOdds1Click() {
    TfrmFrequencyOdds dialog(this, *Working);
    Prompts::RunModal(dialog);
}

void TfrmMain::mnuPrinterSetupClick() {
    RunPrinterSetup(this);
}

bool TfrmMain::AskScrollCounts(const TSpellBook& source, tScrollCounts& counts) {
    TfrmScrollParm dialog(this, source);
    if (Prompts::RunModal(dialog) != QDialog::Accepted) {
        return false;
    }
    counts = dialog.Counts();
    return true;
}

void TfrmMain::mnuAboutClick() {
    TfrmAbout dialog(this);
    Prompts::RunModal(dialog);
}

void TfrmMain::RefreshSpecialtyChoices() {
    for (TfrmSpellBook* window : SpellBookWindows()) {
        window->Document().RefreshSpecialtyChoices();
    }
}

void TfrmMain::mnuViewMasterClick() {
    Windows.MasterList->ShowAtLevel();
}

void TfrmMain::mnuSetMasterFileClick() {
    Windows.MasterList->Commands().SetMasterFile();
}

void TfrmMain::ShowMasterListAt(int32_t level) {
    Windows.MasterList->ShowAtLevel(level);
}

// Lines dropped on a spellbook window's list: from another spellbook window,
// its book at its level; from the master list, its view at its level; from the
// window's own list, nothing. The window that receives them becomes the
// active one (its menus, and the keys of Insert and Delete, reach it), before
// any question about a spell it is given.
void TfrmMain::DropSpells(TfrmSpellBook* target, tSpellList* source) {
    if (!source || source == target->SpellList()) {
        return;
    }
    const std::vector<int32_t> rows = source->SelectedRows();
    for (TfrmSpellBook* window : SpellBookWindows()) {
        if (window->SpellList() == source) {
            tSpellBookDocument& from = window->Document();
            BringToFront(target);
            CopySpellsIntoBook(target->Document(), from.Book(), from.SpellLevel(), rows, DropSpellsStep);
            return;
        }
    }
    if (Windows.MasterList && Windows.MasterList->SpellList() == source) {
        tMasterList& master = Windows.MasterList->Commands();
        BringToFront(target);
        CopySpellsIntoBook(target->Document(), master.Shown(), master.SpellLevel(), rows, DropSpellsStep);
    }
}

void TfrmMain::BringToFront(TfrmSpellBook* window) {
    if (window->isMinimized()) {
        window->showNormal();
    }
    Area->setActiveSubWindow(window);
    raise();
    activateWindow();
}

void TfrmMain::AddSpellsToBook(int32_t level, const std::vector<int32_t>& rows) {
    if (TfrmSpellBook* target = Current.data()) {
        CopySpellsIntoBook(target->Document(), Windows.MasterList->Commands().Shown(), level, rows,
                           AddSpellsToBookStep);
    }
}

// The close request asks every spellbook window, then the master list; the
// program ends only when all agree. Closing releases the settings.
void TfrmMain::closeEvent(QCloseEvent* event) {
    std::vector<tSpellBookDocument*> documents;
    for (TfrmSpellBook* window : SpellBookWindows()) {
        documents.push_back(&window->Document());
    }
    const bool mayClose = FrameCloseQuery(
        documents, [this] { return !Windows.MasterList || Windows.MasterList->CloseQuery(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    event->accept();
    CloseHelp();
    CloseSharedState();
    emit closed();
}
