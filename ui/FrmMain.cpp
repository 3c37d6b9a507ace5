#include "ui/FrmMain.h"

#include "app/Shared.h"
#include "master/MasterPool.h"
#include "ui/Artwork.h"
#include "ui/FrmBookParm.h"
#include "ui/FrmSpellBook.h"
#include "ui/FrmWorking.h"
#include "ui/HelpViewer.h"
#include "ui/Placeholders.h"
#include "ui/Program.h"
#include "ui/Prompts.h"
#include "ui/Text1252.h"

#include <QAction>
#include <QCloseEvent>
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

} // namespace

TfrmMain::TfrmMain() : FrameCommands(*this) {
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

    BuildMenus();
    BuildToolBar();
    BuildPopupMenu();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));

    // Help asked for in the frame opens the topic of the active spellbook
    // window, or the frame's own.
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { ShowHelp(this, Current ? HelpSpellBook : HelpMainFrame); });

    FormCreate();
    UpdateMenuBar();
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
    frmWorking = new TfrmWorking(this);
    frmWorking->hide();
    InstallSpellCursor();
    OpenSharedState();
    FrameCommands.SetOpenFolder(ReadDataDirectory());
}

QAction* TfrmMain::Item(const char* name, const QString& text, const QKeySequence& key) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    if (!key.isEmpty()) {
        action->setShortcut(key);
    }
    return action;
}

void TfrmMain::BuildMenus() {
    // Items of commands that later versions carry out stay disabled.
    auto later = [](QAction* action) {
        action->setEnabled(false);
        return action;
    };

    mnuFile = new QMenu(QStringLiteral("&File"), this);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QAction* newBook = Item("mnuNewSpellbook", QStringLiteral("&New"), QKeySequence(Qt::Key_F4));
    connect(newBook, &QAction::triggered, this, &TfrmMain::mnuNewSpellbookClick);
    QAction* open = Item("mnuOpenSpellbook", QStringLiteral("&Open"));
    connect(open, &QAction::triggered, this, &TfrmMain::mnuOpenSpellbookClick);
    QAction* exit = Item("mnuExit", QStringLiteral("E&xit"));
    connect(exit, &QAction::triggered, this, &TfrmMain::mnuExitClick);
    mnuFile->addAction(newBook);
    mnuFile->addAction(open);
    mnuFile->addSeparator();
    mnuFile->addAction(later(Item("mnuPrinterSetup", QStringLiteral("Printer Setup..."))));
    mnuFile->addSeparator();
    mnuFile->addAction(exit);

    mnuOptions = new QMenu(QStringLiteral("&Options"), this);
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuOptions->addAction(later(Item("mnuSetMasterFile", QStringLiteral("Set Master &File..."))));
    mnuOptions->addAction(later(Item("mnuViewMaster", QStringLiteral("&View Master List..."))));
    mnuOptions->addSeparator();
    mnuOptions->addAction(later(Item("mnuDataDirectories", QStringLiteral("Set &Data Directory..."))));
    mnuOptions->addAction(later(Item("SpellSelectionOdds1", QStringLiteral("Set Spell Selection &Odds..."))));
    mnuOptions->addAction(later(Item("mnuSetSpecialties", QStringLiteral("Set Specialties..."))));

    mnuWindow = new QMenu(QStringLiteral("&Window"), this);
    mnuWindow->setObjectName(QStringLiteral("mnuWindow"));

    mnuHelp = new QMenu(QStringLiteral("&Help"), this);
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction* contents = Item("mnuContents", QStringLiteral("&Contents"));
    connect(contents, &QAction::triggered, this, &TfrmMain::mnuContentsClick);
    mnuHelp->addAction(contents);
    mnuHelp->addSeparator();
    mnuHelp->addAction(later(Item("mnuAbout", QStringLiteral("&About"))));

    UpdateWindowMenu();
}

void TfrmMain::BuildToolBar() {
    tbMain = addToolBar(QStringLiteral("Spellbooks"));
    tbMain->setObjectName(QStringLiteral("tbMain"));
    tbMain->setMovable(false);
    tbMain->setFloatable(false);
    tbMain->setIconSize(QSize(20, 20));
    tbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
    QAction* newBook = Item("bnNew", QStringLiteral("New Spellbook"));
    newBook->setIcon(ToolIcon(QStringLiteral("new")));
    newBook->setStatusTip(newBook->text());
    connect(newBook, &QAction::triggered, this, &TfrmMain::mnuNewSpellbookClick);
    QAction* open = Item("bnOpen", QStringLiteral("Open Spellbook"));
    open->setIcon(ToolIcon(QStringLiteral("open")));
    open->setStatusTip(open->text());
    connect(open, &QAction::triggered, this, &TfrmMain::mnuOpenSpellbookClick);
    tbMain->addAction(newBook);
    tbMain->addAction(open);
    tbMain->widgetForAction(newBook)->setObjectName(QStringLiteral("bnNew"));
    tbMain->widgetForAction(open)->setObjectName(QStringLiteral("bnOpen"));
}

void TfrmMain::BuildPopupMenu() {
    pm_frmMain = new QMenu(this);
    pm_frmMain->setObjectName(QStringLiteral("pm_frmMain"));
    QAction* newBook = Item("NewSpellbook1", QStringLiteral("New Spellbook..."));
    connect(newBook, &QAction::triggered, this, &TfrmMain::mnuNewSpellbookClick);
    QAction* open = Item("OpenSpellbook1", QStringLiteral("Open Spellbook..."));
    connect(open, &QAction::triggered, this, &TfrmMain::mnuOpenSpellbookClick);
    pm_frmMain->addAction(newBook);
    pm_frmMain->addAction(open);
    pm_frmMain->addSeparator();
    for (auto [name, text] : {std::pair{"ViewMasterList1", "View Master List"},
                              std::pair{"SetMasterFile1", "Set Master File..."}}) {
        QAction* item = Item(name, QLatin1String(text));
        item->setEnabled(false);
        pm_frmMain->addAction(item);
    }
    pm_frmMain->addSeparator();
    for (auto [name, text] : {std::pair{"SetDataDirectory1", "Set Data Directory..."},
                              std::pair{"SetSpellFrequency1", "Set Spell Selection Odds..."},
                              std::pair{"SetSpecialties1", "Set Specialties..."}}) {
        QAction* item = Item(name, QLatin1String(text));
        item->setEnabled(false);
        pm_frmMain->addAction(item);
    }
    connect(Area, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // Only the frame's empty area: a spellbook window has its own menu.
        if (!Area->childAt(at) || Area->childAt(at) == Area->viewport()) {
            pm_frmMain->popup(Area->mapToGlobal(at));
        }
    });
}

QList<TfrmSpellBook*> TfrmMain::SpellBookWindows() const {
    QList<TfrmSpellBook*> windows;
    for (const QPointer<TfrmSpellBook>& window : Windows) {
        if (window) {
            windows << window.data();
        }
    }
    return windows;
}

TfrmSpellBook* TfrmMain::ActiveSpellBook() const {
    return Current.data();
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
    QAction* arrange = Item("mnuArrange", QStringLiteral("&Arrange"));
    connect(arrange, &QAction::triggered, this, &TfrmMain::mnuArrangeClick);
    mnuWindow->addAction(arrange);
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
    Windows.removeAll(QPointer<TfrmSpellBook>(window));
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

void TfrmMain::ShowError(const std::string& text) {
    Prompts::ShowError(this, text);
}

tAnswer TfrmMain::AskYesNo(const std::string& text) {
    return Prompts::AskYesNo(this, text);
}

tAnswer TfrmMain::AskYesNoCancel(const std::string& text) {
    return Prompts::AskYesNoCancel(this, text);
}

void TfrmMain::ShowWorking(const std::string& info) {
    frmWorking->ShowWorking(info);
}

void TfrmMain::HideWorking() {
    frmWorking->HideWorking();
}

bool TfrmMain::AskBookParameters(tBookParameters& parameters) {
    if (Prompts::RunModal(*frmBookParm) != QDialog::Accepted) {
        return false;
    }
    parameters = frmBookParm->Parameters();
    return true;
}

tSpellBookDocument* TfrmMain::CreateSpellBookWindow() {
    tbMain->hide();
    auto* window = new TfrmSpellBook(this);
    Windows << QPointer<TfrmSpellBook>(window);
    connect(window, &TfrmSpellBook::windowClosed, this, &TfrmMain::SpellBookWindowClosed);
    connect(window, &QObject::destroyed, this, [this] {
        Windows.removeAll(QPointer<TfrmSpellBook>());
        tbMain->setVisible(SpellBookWindows().isEmpty());
    });
    connect(window, &TfrmSpellBook::captionChanged, this, &TfrmMain::UpdateWindowMenu);
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
    FrameCommands.NewSpellbook(MasterSpells.get());
}

void TfrmMain::mnuOpenSpellbookClick() {
    FrameCommands.Open();
}

void TfrmMain::mnuExitClick() {
    close();
}

// Cascades the spellbook windows, then gives each the arranged size where the
// cascade put it.
void TfrmMain::mnuArrangeClick() {
    Area->cascadeSubWindows();
    for (TfrmSpellBook* window : SpellBookWindows()) {
        window->resize(ArrangedWidth, ArrangedHeight);
    }
}

void TfrmMain::mnuContentsClick() {
    ShowHelp(this, HelpMainFrame);
}

// The close request asks every spellbook window, then the master list; the
// program ends only when all agree. Closing releases the settings.
void TfrmMain::closeEvent(QCloseEvent* event) {
    std::vector<tSpellBookDocument*> documents;
    for (TfrmSpellBook* window : SpellBookWindows()) {
        documents.push_back(&window->Document());
    }
    const bool mayClose =
        FrameCloseQuery(documents, [] { return !frmMasterList || frmMasterList->CloseQuery(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    event->accept();
    CloseHelp();
    CloseSharedState();
    emit closed();
}
