#include "ui/FrmSpellBook.h"

#include "app/Shared.h"
#include "book/Adding.h"
#include "book/Maintenance.h"
#include "book/Output.h"
#include "files/FileFormat.h"
#include "ui/Artwork.h"
#include "ui/Commands.h"
#include "ui/Controls.h"
#include "ui/FrmPrintPreview.h"
#include "ui/Prompts.h"
#include "ui/RecentFilesMenu.h"
#include "ui/SpellList.h"
#include "ui/Text1252.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int WindowWidth = 550;
constexpr int WindowHeight = 440;
constexpr int MinimumClientHeight = 275;

const QString SaveFilter = QStringLiteral("*.SPB (Spellbook Files)|*.spb|*.* (All Files)|*.*");
// Import and export list every format that reads or writes, the spell list
// first. Export asks itself before it replaces a file.
QString ImportFilter() {
    return FromText(DialogFilterOf(true));
}
QString ExportFilter() {
    return FromText(DialogFilterOf(false));
}

// The spellbook window's commands, in the order of the table below.
enum class tSpellBookCommand {
    New,
    Open,
    Save,
    SaveAs,
    Close,
    ImportSpells,
    ExportSpell,
    CopyToClipboard,
    PrinterSetup,
    PrintPreview,
    Print,
    Exit,
    FillBook,
    ValidateBook,
    ClearBook,
    AddSelectedSpell,
    AddRandomSpell,
    ToggleMemorized,
    DeleteSpell,
    EditSpell,
    CreateNewSpell,
    CreateScroll,
    Undo,
    Redo,
};

// Every command of the window with the controls that carry it.
constexpr tCommandSpec CommandTable[] = {
    {.Id = tSpellBookCommand::New,
     .MenuItem = "mnuNew",
     .Caption = "&New",
     .Shortcut = "F4; Ctrl+N",
     .Button = "bnNew",
     .Icon = "new",
     .ButtonHint = "New Spellbook"},
    {.Id = tSpellBookCommand::Open,
     .MenuItem = "mnuOpen",
     .Caption = "&Open",
     .Shortcut = "; Ctrl+O",
     .Button = "bnOpen",
     .Icon = "open",
     .ButtonHint = "Open Spellbook"},
    {.Id = tSpellBookCommand::Save,
     .MenuItem = "mnuSave",
     .Caption = "&Save",
     .Shortcut = "F2; Ctrl+S",
     .Button = "bnSave",
     .Icon = "save",
     .ButtonHint = "Save Spellbook",
     .PopupItem = "pmnuSaveSpellbook",
     .PopupCaption = "Save Spellbook"},
    {.Id = tSpellBookCommand::SaveAs,
     .MenuItem = "mnuSaveAs",
     .Caption = "Save &As",
     .Shortcut = "; Ctrl+Shift+S"},
    {.Id = tSpellBookCommand::Close,
     .MenuItem = "mnuClose",
     .Caption = "&Close",
     .Shortcut = "Ctrl+F4; Ctrl+W"},
    {.Id = tSpellBookCommand::ImportSpells, .MenuItem = "mnuImportSpells", .Caption = "&Import Spells"},
    {.Id = tSpellBookCommand::ExportSpell, .MenuItem = "mnuExportSpell", .Caption = "&Export Spell"},
    {.Id = tSpellBookCommand::CopyToClipboard,
     .MenuItem = "mnuCopytoClipboard",
     .Caption = "Copy to Cli&pboard",
     .Hint = "Copy Spellbook to Clipboard",
     .Button = "bnClipboard",
     .Icon = "clipboard",
     .ButtonHint = "Copy to Clipboard"},
    {.Id = tSpellBookCommand::PrinterSetup,
     .MenuItem = "mnuPrinterSetup",
     .Caption = "Printer Setup...",
     .Hint = "Select and Configure Printer"},
    {.Id = tSpellBookCommand::PrintPreview,
     .MenuItem = "mnuPrintPreview",
     .Caption = "&Print Preview/Format...",
     .Hint = "Preview & Format Output",
     .Button = "bnPrintPreview",
     .Icon = "preview",
     .ButtonHint = "Preview/Format Output"},
    {.Id = tSpellBookCommand::Print,
     .MenuItem = "mnuPrint",
     .Caption = "Prin&t",
     .Shortcut = "; Ctrl+P",
     .Hint = "Print Spellbook",
     .Button = "bnPrint",
     .Icon = "print",
     .ButtonHint = "Print Spellbook"},
    {.Id = tSpellBookCommand::Exit, .MenuItem = "mnuExit", .Caption = "E&xit", .Shortcut = "; Ctrl+Q"},
    {.Id = tSpellBookCommand::FillBook,
     .MenuItem = "mnuFillBook",
     .Caption = "&Fill Book",
     .Button = "bnBookFill",
     .Icon = "fill",
     .ButtonHint = "Fill Spellbook"},
    {.Id = tSpellBookCommand::ValidateBook,
     .MenuItem = "mnuValidateBook",
     .Caption = "&Validate Book",
     .Button = "bnBookValidate",
     .Icon = "validate",
     .ButtonHint = "Validate Spellbook",
     .PopupItem = "pmnuValidateSpellbook",
     .PopupCaption = "Validate Spellbook"},
    {.Id = tSpellBookCommand::ClearBook,
     .MenuItem = "mnuClearBook",
     .Caption = "&Clear Book",
     .Button = "bnBookErase",
     .Icon = "erase",
     .ButtonHint = "Erase Spellbook",
     .PopupItem = "pmnuEraseSpellbook",
     .PopupCaption = "Erase Spellbook"},
    {.Id = tSpellBookCommand::AddSelectedSpell,
     .MenuItem = "mnuAddSelectedSpell",
     .Caption = "&Add Selected Spell",
     .Button = "bnSpellAdd",
     .Icon = "add",
     .ButtonHint = "Add Spell",
     .PopupItem = "pmnuAddSelectedSpell",
     .PopupCaption = "Add Selected Spell"},
    {.Id = tSpellBookCommand::AddRandomSpell,
     .MenuItem = "mnuAddRandomSpell",
     .Caption = "Add &Random Spell",
     .Shortcut = "Ins",
     .Button = "bnSpellAddRandom",
     .Icon = "addrandom",
     .ButtonHint = "Add Random Spell",
     .PopupItem = "pmnuAddRandomSpell",
     .PopupCaption = "Add Random Spell",
     .PopupShortcut = "Ins"},
    {.Id = tSpellBookCommand::ToggleMemorized,
     .MenuItem = "mnuToggleMemorized",
     .Caption = "Toggle Memorized ",
     .Shortcut = "Ctrl+M",
     .PopupItem = "ToggleMemorized2",
     .PopupCaption = "Toggle Memorized",
     .PopupShortcut = "Ctrl+M"},
    {.Id = tSpellBookCommand::DeleteSpell,
     .MenuItem = "mnuDeleteSpell",
     .Caption = "&Delete Spell",
     .Shortcut = "Del",
     .Button = "bnSpellDelete",
     .Icon = "delete",
     .ButtonHint = "Delete Spell",
     .PopupItem = "pmnuDeleteSpell",
     .PopupCaption = "Delete Spell",
     .PopupShortcut = "Del"},
    {.Id = tSpellBookCommand::EditSpell,
     .MenuItem = "mnuEditSpell",
     .Caption = "Edit Spell Data",
     .Button = "bnSpellEdit",
     .Icon = "edit",
     .ButtonHint = "Edit Spell Data",
     .PopupItem = "pmnuEditSpellData",
     .PopupCaption = "Edit Spell Data"},
    {.Id = tSpellBookCommand::CreateNewSpell,
     .MenuItem = "mnuCreateNewSpell",
     .Caption = "Create New Spell",
     .Button = "bnAddNewSpell",
     .Icon = "createspell",
     .ButtonHint = "Create New Spell"},
    {.Id = tSpellBookCommand::CreateScroll,
     .MenuItem = "mnuCreateScroll",
     .Caption = "Create Scroll",
     .PopupItem = "pmnuCreateScroll",
     .PopupCaption = "Create Scroll"},
    // Their captions name the step they take ("&Undo Clear Book"); each is
    // enabled while there is one.
    {.Id = tSpellBookCommand::Undo,
     .MenuItem = "mnuUndo",
     .Caption = "&Undo",
     .Shortcut = "Ctrl+Z",
     .MenuFollowsState = true},
    {.Id = tSpellBookCommand::Redo,
     .MenuItem = "mnuRedo",
     .Caption = "&Redo",
     .Shortcut = "Ctrl+Y; Ctrl+Shift+Z",
     .MenuFollowsState = true},
};
static_assert(InIdOrder(CommandTable));

QLineEdit* Counter(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignCenter);
    QFont bold = box->font();
    bold.setBold(true);
    box->setFont(bold);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    box->setAutoFillBackground(true);
    return box;
}

} // namespace

TfrmSpellBook::TfrmSpellBook(tSpecialtyList& specialties, tWorkingNotice& notice, tSpellEditor& editor,
                             tOutputFormat& format, std::function<TSpellBook*()> masterPool)
    : QMdiSubWindow(nullptr), UI(this, notice), Editor(editor), Format(format),
      MasterPool(std::move(masterPool)), Doc(*this, UI, specialties) {
    setObjectName(QStringLiteral("frmSpellBook"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ProgramIcon());

    BuildCommands();
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("SpellBookClient"));
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tbSpellBook->setParent(content);
    layout->addWidget(tbSpellBook);
    layout->addWidget(BuildBody(), 1);
    setWidget(content);

    // The system menu's close item would share Ctrl+F4 with "&Close".
    for (QAction* action : systemMenu()->actions()) {
        action->setShortcuts({});
    }

    SetDragCursor(lbSpells, SpellCursorNumber);
    NameControlsFromLabels(this);
    ApplyMinimumSize();
    resize(WindowWidth, WindowHeight);
}

TfrmSpellBook::~TfrmSpellBook() {
    // A window destroyed without closing (with the frame) still leaves the
    // frame's list and menu bar before its menus go.
    if (!FClosed) {
        FClosed = true;
        emit windowClosed(this);
    }
    delete mnuFile;
    delete mnuEdit;
}

// The menus, toolbar and pop-up menu from the command table; the commands this
// window carries out get their handlers, the others stay disabled.
void TfrmSpellBook::BuildCommands() {
    using enum tSpellBookCommand;
    FCommands = new tCommands(this, CommandTable);
    tCommands& commands = *FCommands;
    commands.On(New, [this] { mnuNewClick(); });
    commands.On(Open, [this] { mnuOpenClick(); });
    commands.On(Save, [this] { mnuSaveClick(); });
    commands.On(SaveAs, [this] { mnuSaveAsClick(); });
    commands.On(Close, [this] { mnuCloseClick(); });
    commands.On(Exit, [this] { mnuExitClick(); });
    commands.On(AddSelectedSpell, [this] { mnuAddSelectedSpellClick(); });
    commands.On(AddRandomSpell, [this] { mnuAddRandomSpellClick(); });
    commands.On(FillBook, [this] { mnuFillBookClick(); });
    commands.On(ValidateBook, [this] { mnuValidateBookClick(); });
    commands.On(ClearBook, [this] { mnuClearBookClick(); });
    commands.On(DeleteSpell, [this] { mnuDeleteSpellClick(); });
    commands.On(ToggleMemorized, [this] { mnuToggleMemorizedClick(); });
    commands.On(EditSpell, [this] { mnuEditSpellClick(); });
    commands.On(CreateNewSpell, [this] { mnuCreateNewSpellClick(); });
    commands.On(ImportSpells, [this] { mnuImportSpellsClick(); });
    commands.On(ExportSpell, [this] { mnuExportSpellClick(); });
    commands.On(CopyToClipboard, [this] { mnuCopytoClipboardClick(); });
    commands.On(PrinterSetup, [this] { mnuPrinterSetupClick(); });
    commands.On(PrintPreview, [this] { mnuPrintPreviewClick(); });
    commands.On(Print, [this] { mnuPrintClick(); });
    commands.On(CreateScroll, [this] { mnuCreateScrollClick(); });
    commands.On(Undo, [this] { mnuUndoClick(); });
    commands.On(Redo, [this] { mnuRedoClick(); });
    // Nothing to take back yet.
    commands.SetEnabled(Undo, false);
    commands.SetEnabled(Redo, false);

    mnuFile = commands.BuildMenu(QStringLiteral("&File"), QStringLiteral("mnuFile"),
                                 {New, Open, Save, SaveAs, Close, Divider, ImportSpells, ExportSpell, Divider,
                                  CopyToClipboard, PrinterSetup, PrintPreview, Print, Divider, Exit});
    // The frame opens a recent file, as it opens any.
    new tRecentFilesMenu(mnuFile, commands.MenuAction(Exit),
                         [this](const std::string& path) { emit openRecentRequested(path); });
    mnuEdit = commands.BuildMenu(QStringLiteral("&Edit"), QStringLiteral("mnuEdit"),
                                 {Undo, Redo, Divider, FillBook, ValidateBook, ClearBook, Divider,
                                  AddSelectedSpell, AddRandomSpell, Divider, ToggleMemorized, DeleteSpell,
                                  EditSpell, CreateNewSpell, Divider, CreateScroll});
    pmSpellBook = commands.BuildPopup(QStringLiteral("pmSpellBook"),
                                      {Save, Divider, ValidateBook, ClearBook, Divider, AddSelectedSpell,
                                       AddRandomSpell, Divider, ToggleMemorized, DeleteSpell, EditSpell,
                                       Divider, CreateScroll},
                                      this);

    tbSpellBook = new QToolBar(this);
    tbSpellBook->setObjectName(QStringLiteral("tbSpellBook"));
    tbSpellBook->setIconSize(QSize(20, 20));
    tbSpellBook->setMovable(false);
    tbSpellBook->setFloatable(false);
    commands.BuildToolBar(tbSpellBook, {New, Open, Save, Divider, FillBook, ValidateBook, ClearBook, Divider,
                                        AddSelectedSpell, AddRandomSpell, DeleteSpell, Divider, EditSpell,
                                        CreateNewSpell, Divider, CopyToClipboard, PrintPreview, Print});
}

QWidget* TfrmSpellBook::BuildBody() {
    auto* body = new QWidget;
    body->setObjectName(QStringLiteral("SpellBookBody"));

    spnWizardLevel = new tNumberBox(body);
    spnWizardLevel->setObjectName(QStringLiteral("spnWizardLevel"));
    spnWizardLevel->setRange(WizardLevelBoxMin, WizardLevelBoxMax);
    spnWizardLevel->SetQuietly(1);
    spnWizardIntelligence = new tNumberBox(body);
    spnWizardIntelligence->setObjectName(QStringLiteral("spnWizardIntelligence"));
    spnWizardIntelligence->setRange(IntelligenceBoxMin, IntelligenceBoxMax);
    spnWizardIntelligence->SetQuietly(9);
    for (QSpinBox* box : {spnWizardLevel, spnWizardIntelligence}) {
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 40);
    }

    cbWizardSpecialty = new QComboBox(body);
    cbWizardSpecialty->setObjectName(QStringLiteral("cbWizardSpecialty"));
    cbWizardSpecialty->setEditable(true);
    cbWizardSpecialty->setInsertPolicy(QComboBox::NoInsert);
    cbWizardSpecialty->setCompleter(nullptr);
    cbWizardSpecialty->setMaxVisibleItems(9);
    cbWizardSpecialty->setMinimumContentsLength(12);
    cbWizardSpecialty->installEventFilter(this);
    WheelOnlyWithFocus(cbWizardSpecialty);

    cbSpellFrequency = new QComboBox(body);
    cbSpellFrequency->setObjectName(QStringLiteral("cbSpellFrequency"));
    cbSpellFrequency->setEditable(false);
    WheelOnlyWithFocus(cbSpellFrequency);

    auto* levels = new QGroupBox(QStringLiteral("Spell Level"), body);
    levels->setObjectName(QStringLiteral("grpSpellLevel"));
    grpSpellLevel = new QButtonGroup(levels);
    auto* levelRow = new QHBoxLayout(levels);
    levelRow->setSpacing(2);
    levelRow->setContentsMargins(8, 4, 8, 6);
    for (int level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
        auto* button = new QRadioButton(QString::number(level), levels);
        button->setObjectName(QStringLiteral("grpSpellLevel%1").arg(level));
        grpSpellLevel->addButton(button, level - 1);
        levelRow->addWidget(button);
    }
    grpSpellLevel->button(0)->setChecked(true);

    ebSpellsPerDay = Counter("ebSpellsPerDay", body);
    ebSpellsMarked = Counter("ebSpellsMarked", body);

    lbSpells = new tSpellList(body);
    lbSpells->setObjectName(QStringLiteral("lbSpells"));
    lbSpells->AcceptDrops(true);
    lbSpells->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lbSpells, &tSpellList::spellsDropped, this, &TfrmSpellBook::spellsDropRequested);
    connect(lbSpells, &QAbstractItemView::doubleClicked, this,
            [this] { FCommands->Run(tSpellBookCommand::EditSpell); });
    lbSpells->setMinimumHeight(60);
    lbSpells->setAccessibleName(QStringLiteral("Spells of the chosen level"));
    connect(lbSpells, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmSpellBook->popup(lbSpells->viewport()->mapToGlobal(at)); });

    auto* wizard = new QGridLayout;
    wizard->setHorizontalSpacing(8);
    wizard->setVerticalSpacing(6);
    wizard->addWidget(BuddyLabel(QStringLiteral("Wizard Level:"), "lblWizardLevel", spnWizardLevel, body), 0,
                      0);
    wizard->addWidget(spnWizardLevel, 0, 1, Qt::AlignLeft);
    wizard->addWidget(
        BuddyLabel(QStringLiteral("Intelligence:"), "lblWizardIntelligence", spnWizardIntelligence, body), 0,
        2);
    wizard->addWidget(spnWizardIntelligence, 0, 3, Qt::AlignLeft);
    wizard->addWidget(BuddyLabel(QStringLiteral("Specialty:"), "lblWizardSpecialty", cbWizardSpecialty, body),
                      1, 0);
    wizard->addWidget(cbWizardSpecialty, 1, 1);
    wizard->addWidget(
        BuddyLabel(QStringLiteral("Spell Frequency: "), "lblSpellFrequency", cbSpellFrequency, body), 1, 2);
    wizard->addWidget(cbSpellFrequency, 1, 3);
    // Wider, the boxes keep their size: the room goes to the right.
    wizard->setColumnStretch(4, 1);

    auto* counters = new QGridLayout;
    counters->setHorizontalSpacing(6);
    counters->setVerticalSpacing(4);
    counters->addWidget(BuddyLabel(QStringLiteral("# per day"), "lblSpellsPerDay", ebSpellsPerDay, body), 0,
                        0);
    counters->addWidget(ebSpellsPerDay, 0, 1);
    counters->addWidget(BuddyLabel(QStringLiteral("# Memorized"), "lblSpellsMarked", ebSpellsMarked, body), 1,
                        0);
    counters->addWidget(ebSpellsMarked, 1, 1);

    auto* levelAndCounters = new QHBoxLayout;
    levelAndCounters->addWidget(levels);
    levelAndCounters->addSpacing(8);
    levelAndCounters->addLayout(counters);
    levelAndCounters->addStretch(1);

    auto* layout = new QVBoxLayout(body);
    // The spell list is 20 pixels narrower than the client area.
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(wizard);
    layout->addLayout(levelAndCounters);
    layout->addWidget(lbSpells, 1);

    OnChoice(grpSpellLevel, this, [this](int position) { grpSpellLevelClick(position); });
    connect(spnWizardLevel, &tNumberBox::numberChanged, this, &TfrmSpellBook::spnWizardLevelChange);
    connect(spnWizardIntelligence, &tNumberBox::numberChanged, this,
            &TfrmSpellBook::spnWizardIntelligenceChange);
    connect(cbWizardSpecialty, &QComboBox::editTextChanged, this, &TfrmSpellBook::cbWizardSpecialtyChange);
    connect(cbSpellFrequency, &QComboBox::currentIndexChanged, this, &TfrmSpellBook::cbSpellFrequencyChange);
    return body;
}

// The client area never gets lower than 275 pixels nor narrower than the right
// edge of the last toolbar button.
void TfrmSpellBook::ApplyMinimumSize() {
    QWidget* content = widget();
    content->layout()->activate();
    const int toolbarWidth = tbSpellBook->sizeHint().width();
    content->setMinimumSize(std::max(toolbarWidth, content->minimumSizeHint().width()),
                            std::max(MinimumClientHeight, content->minimumSizeHint().height()));
}

// The window's own minimum: the client area's plus the title bar and borders,
// which are known once the window is laid out on screen.
void TfrmSpellBook::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    const QMargins frame = contentsMargins();
    const QSize around(frame.left() + frame.right(), frame.top() + frame.bottom());
    setMinimumSize(widget()->minimumSize() + around);
}

void TfrmSpellBook::Discard() {
    FDiscarding = true;
    close();
}

void TfrmSpellBook::closeEvent(QCloseEvent* event) {
    if (!FDiscarding && !Doc.CloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FClosed = true;
    emit windowClosed(this);
    QMdiSubWindow::closeEvent(event);
}

bool TfrmSpellBook::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cbWizardSpecialty && event->type() == QEvent::FocusOut) {
        // Leaving the box means focus moving to another control of this
        // window; the box's own list opening, another window or a menu taking
        // the focus does not count.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = QApplication::focusWidget();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::MenuBarFocusReason && next && next != cbWizardSpecialty && isAncestorOf(next)) {
            cbWizardSpecialtyExit();
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

// Handlers.

void TfrmSpellBook::mnuNewClick() {
    emit newRequested();
}

void TfrmSpellBook::mnuOpenClick() {
    emit openRequested();
}

void TfrmSpellBook::mnuSaveClick() {
    Doc.Save();
}

void TfrmSpellBook::mnuSaveAsClick() {
    Doc.SaveAs();
}

void TfrmSpellBook::mnuCloseClick() {
    close();
}

void TfrmSpellBook::mnuExitClick() {
    emit exitRequested();
}

void TfrmSpellBook::mnuAddSelectedSpellClick() {
    emit addSelectedSpellRequested(Doc.SpellLevel());
}

void TfrmSpellBook::mnuAddRandomSpellClick() {
    AddRandomSpell(Doc, MasterPool ? MasterPool() : nullptr);
}

void TfrmSpellBook::mnuFillBookClick() {
    FillBookCommand(Doc, MasterPool ? MasterPool() : nullptr);
}

void TfrmSpellBook::mnuValidateBookClick() {
    ValidateBook(Doc);
}

void TfrmSpellBook::mnuClearBookClick() {
    ClearBook(Doc);
}

void TfrmSpellBook::mnuDeleteSpellClick() {
    DeleteSpells(Doc);
}

void TfrmSpellBook::mnuToggleMemorizedClick() {
    ToggleMemorized(Doc);
}

void TfrmSpellBook::mnuEditSpellClick() {
    EditSpells(Doc, Editor);
}

void TfrmSpellBook::mnuCreateNewSpellClick() {
    CreateNewSpells(Doc, Editor);
}

void TfrmSpellBook::mnuImportSpellsClick() {
    ImportSpells(Doc);
}

void TfrmSpellBook::mnuExportSpellClick() {
    ExportSpells(Doc);
}

void TfrmSpellBook::mnuCopytoClipboardClick() {
    CopyToClipboard(Doc, Format);
}

void TfrmSpellBook::mnuPrinterSetupClick() {
    emit printerSetupRequested();
}

// A preview of this book, shown modally and released.
void TfrmSpellBook::mnuPrintPreviewClick() {
    TfrmPrintPreview preview(this, Doc, Format, UI.WorkingNotice());
    Prompts::RunModal(preview);
}

// The preview's Print, without showing the preview.
void TfrmSpellBook::mnuPrintClick() {
    TfrmPrintPreview preview(this, Doc, Format, UI.WorkingNotice());
    preview.mnuPrintClick();
}

void TfrmSpellBook::mnuCreateScrollClick() {
    emit createScrollRequested();
}

void TfrmSpellBook::mnuUndoClick() {
    Doc.Undo();
}

void TfrmSpellBook::mnuRedoClick() {
    Doc.Redo();
}

void TfrmSpellBook::grpSpellLevelClick(int position) {
    Doc.SpellLevelChosen(position + 1);
}

void TfrmSpellBook::spnWizardLevelChange(int value) {
    Doc.WizardLevelChanged(std::to_string(value));
}

void TfrmSpellBook::spnWizardIntelligenceChange(int value) {
    Doc.IntelligenceChanged(std::to_string(value));
}

void TfrmSpellBook::cbWizardSpecialtyChange(const QString& text) {
    Doc.SpecialtyChanged(ToText(text));
}

void TfrmSpellBook::cbWizardSpecialtyExit() {
    Doc.SpecialtyExit(ToText(cbWizardSpecialty->currentText()));
}

void TfrmSpellBook::cbSpellFrequencyChange(int position) {
    if (position >= 0) {
        Doc.FrequencyChanged(position);
    }
}

// What the commands show.

void TfrmSpellBook::SetWizardLevelBox(int32_t value) {
    spnWizardLevel->SetQuietly(value);
}

void TfrmSpellBook::SetIntelligenceBox(int32_t value) {
    spnWizardIntelligence->SetQuietly(value);
}

void TfrmSpellBook::SetSpecialtyItems(const std::vector<std::string>& items) {
    QSignalBlocker quiet(cbWizardSpecialty);
    const QString text = cbWizardSpecialty->currentText();
    cbWizardSpecialty->clear();
    cbWizardSpecialty->addItems(FromTexts(items));
    cbWizardSpecialty->setEditText(text);
}

void TfrmSpellBook::SelectSpecialty(int32_t position) {
    QSignalBlocker quiet(cbWizardSpecialty);
    cbWizardSpecialty->setCurrentIndex(position);
}

void TfrmSpellBook::SetSpecialtyText(const std::string& text) {
    QSignalBlocker quiet(cbWizardSpecialty);
    const QString shown = FromText(text);
    const int index = cbWizardSpecialty->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        cbWizardSpecialty->setCurrentIndex(index);
    }
    cbWizardSpecialty->setEditText(shown);
}

void TfrmSpellBook::SetFrequencyItems(const std::vector<std::string>& items) {
    QSignalBlocker quiet(cbSpellFrequency);
    cbSpellFrequency->clear();
    cbSpellFrequency->addItems(FromTexts(items));
}

void TfrmSpellBook::SelectFrequency(int32_t position) {
    QSignalBlocker quiet(cbSpellFrequency);
    cbSpellFrequency->setCurrentIndex(position);
}

void TfrmSpellBook::SelectSpellLevel(int32_t level) {
    CheckQuietly(grpSpellLevel, level - 1);
}

void TfrmSpellBook::ShowSpells(std::vector<std::string> lines) {
    lbSpells->SetLines(std::move(lines), false);
}

void TfrmSpellBook::ShowCounters(int32_t perDay, int32_t memorized, tMarkedColour colour) {
    ebSpellsPerDay->setText(QString::number(perDay));
    ebSpellsMarked->setText(QString::number(memorized));
    QPalette shade = ebSpellsMarked->palette();
    switch (colour) {
    case tMarkedColour::Green:
        shade.setColor(QPalette::Base, QColor(0, 255, 0));
        break;
    case tMarkedColour::Red:
        shade.setColor(QPalette::Base, QColor(255, 0, 0));
        break;
    case tMarkedColour::ButtonFace:
        shade.setColor(QPalette::Base, QApplication::palette().color(QPalette::Button));
        break;
    }
    ebSpellsMarked->setPalette(shade);
}

void TfrmSpellBook::SetCaption(const std::string& caption) {
    setWindowTitle(FromPath(caption));
    emit captionChanged();
}

bool TfrmSpellBook::ChooseSaveFile(const std::string& folder, std::string& path) {
    QString chosen;
    if (!Prompts::ChooseSaveFile(this,
                                 {QStringLiteral("Save Spellbook"), SaveFilter, QStringLiteral("spb"),
                                  FromPath(folder), QStringLiteral("dlgSaveSpellBook")},
                                 chosen)) {
        return false;
    }
    path = ToPath(chosen);
    return true;
}

void TfrmSpellBook::OpenSpecialtyMaintenance() {
    emit specialtyMaintenanceRequested();
}

void TfrmSpellBook::ShowHistory(const std::string& undoName, const std::string& redoName) {
    FCommands->MenuAction(tSpellBookCommand::Undo)->setText(FromText(UndoCaption(undoName)));
    FCommands->SetEnabled(tSpellBookCommand::Undo, !undoName.empty());
    FCommands->MenuAction(tSpellBookCommand::Redo)->setText(FromText(RedoCaption(redoName)));
    FCommands->SetEnabled(tSpellBookCommand::Redo, !redoName.empty());
}

void TfrmSpellBook::PutOnClipboard(const std::string& text) {
    QGuiApplication::clipboard()->setText(FromMarkedText(text));
}

void TfrmSpellBook::ComeToFront() {
    emit frontRequested(this);
}

std::vector<int32_t> TfrmSpellBook::SelectedRows() const {
    return lbSpells->SelectedRows();
}

bool TfrmSpellBook::ChooseImportFile(const std::string& folder, std::string& path) {
    QString chosen;
    if (!Prompts::ChooseOpenFile(this,
                                 {QStringLiteral("Import Spells"), ImportFilter(), QString(),
                                  FromPath(folder), QStringLiteral("dlgImport")},
                                 chosen)) {
        return false;
    }
    path = ToPath(chosen);
    return true;
}

bool TfrmSpellBook::ChooseExportFile(const std::string& folder, std::string& path) {
    QString chosen;
    if (!Prompts::ChooseSaveFile(this,
                                 {QStringLiteral("Export Spells"), ExportFilter(), QString(),
                                  FromPath(folder), QStringLiteral("dlgExport")},
                                 chosen)) {
        return false;
    }
    path = ToPath(chosen);
    return true;
}
