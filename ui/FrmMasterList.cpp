#include "ui/FrmMasterList.h"

#include "app/Shared.h"
#include "book/LevelView.h"
#include "ui/Artwork.h"
#include "ui/Commands.h"
#include "ui/Controls.h"
#include "ui/FrmSpellEdit.h"
#include "ui/FrmWorking.h"
#include "ui/HelpViewer.h"
#include "ui/ProgramWindows.h"
#include "ui/Prompts.h"
#include "ui/SpellList.h"
#include "ui/Text1252.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int MinimumInnerWidth = 513;
constexpr int MinimumInnerHeight = 390;
// The filter panel's width: the list is this much narrower than the window.
constexpr int FilterPanelWidth = 165;

const QString MasterFilter =
    QStringLiteral("*.DAT (data files)|*.dat|*.SPB (spellbook files)|*.spb|*.* (all files)|*.*");

// The master list window's commands, in the order of the table below.
enum class tMasterCommand {
    AddSpellstoBook,
    CurrentFileIs,
    SaveMasterFile,
    ChangeMasterFile,
    Close,
    EditSpellData,
    AddNewSpell,
    DeleteSpell,
    ApplyFilter,
    RemoveFilter,
    Undo,
    Redo,
};

// Every command of the window with the controls that carry it.
constexpr tCommandSpec CommandTable[] = {
    {.Id = tMasterCommand::AddSpellstoBook,
     .MenuItem = "mnuAddSpellstoBook",
     .Caption = "&Add Spells to Book",
     .Button = "bnAddToBook",
     .Icon = "addtobook",
     .ButtonHint = "Add Spells to Book"},
    {.Id = tMasterCommand::CurrentFileIs,
     .MenuItem = "mnuCurrentFileIs",
     .Caption = "&Current Master File is...",
     .PopupItem = "pmnuCurrentFileIs",
     .PopupCaption = "Current Master File is..."},
    {.Id = tMasterCommand::SaveMasterFile,
     .MenuItem = "mnuSaveMasterFile",
     .Caption = "&Save Master File",
     .Shortcut = "; Ctrl+S",
     .PopupItem = "pmnuSaveMasterFile",
     .PopupCaption = "Save Master File",
     .MenuFollowsState = true},
    {.Id = tMasterCommand::ChangeMasterFile,
     .MenuItem = "mnuChangeMasterFile",
     .Caption = "Set &Master File...",
     .PopupItem = "pmnuChangeMasterFile",
     .PopupCaption = "Set Master File"},
    {.Id = tMasterCommand::Close, .MenuItem = "mnuClose", .Caption = "E&xit", .Shortcut = "; Ctrl+W"},
    {.Id = tMasterCommand::EditSpellData,
     .MenuItem = "mnuEditSpellData",
     .Caption = "&Edit Spell Data",
     .Button = "bnEditSpell",
     .Icon = "edit",
     .ButtonHint = "Edit Spell",
     .PopupItem = "pmnuEditSpellData",
     .PopupCaption = "Edit Spell Data"},
    {.Id = tMasterCommand::AddNewSpell,
     .MenuItem = "mnuAddNewSpell",
     .Caption = "&Add New Spell",
     .Shortcut = "Ins",
     .Button = "bnAddNewSpell",
     .Icon = "createspell",
     .ButtonHint = "Add New Spell",
     .PopupItem = "pmnuAddNewSpell",
     .PopupCaption = "Add New Spell"},
    {.Id = tMasterCommand::DeleteSpell,
     .MenuItem = "mnuDeleteSpell",
     .Caption = "&Delete Spell",
     .Shortcut = "Del",
     .Button = "bnDeleteSpell",
     .Icon = "delete",
     .ButtonHint = "Delete Spell",
     .PopupItem = "pmnuDeleteSpell",
     .PopupCaption = "Delete Spell"},
    {.Id = tMasterCommand::ApplyFilter, .MenuItem = "mnuApplyFilter", .Caption = "Apply &Filter"},
    {.Id = tMasterCommand::RemoveFilter, .MenuItem = "mnuRemoveFilter", .Caption = "&Remove Filter"},
    // Their captions name the step they take ("&Undo Delete Spell"); each is
    // enabled while there is one.
    {.Id = tMasterCommand::Undo,
     .MenuItem = "mnuUndo",
     .Caption = "&Undo",
     .Shortcut = "Ctrl+Z",
     .MenuFollowsState = true},
    {.Id = tMasterCommand::Redo,
     .MenuItem = "mnuRedo",
     .Caption = "&Redo",
     .Shortcut = "Ctrl+Y; Ctrl+Shift+Z",
     .MenuFollowsState = true},
};
static_assert(InIdOrder(CommandTable));

QComboBox* TextChoice(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setMinimumContentsLength(8);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    WheelOnlyWithFocus(box);
    return box;
}

QPushButton* FilterButton(const char* name, const QString& caption, const char* icon, QWidget* parent) {
    auto* button = new QPushButton(ToolIcon(QLatin1String(icon)), caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

bool TfrmMasterList::tLateEditor::EditSpell(tSpell& spell, bool showMemorized) {
    // The editor belongs to this window while it edits a spell of the list.
    return Windows.SpellEdit && Windows.SpellEdit->EditSpellFor(&Owner, spell, showMemorized);
}

TfrmMasterList::TfrmMasterList(QWidget* parent, tProgramWindows& windows, tSpecialtyList& specialties,
                               std::function<const TSpellBook*()> activeBook)
    // A window of the frame's, as a dialog is: the window manager keeps it
    // above the frame while both are shown, whichever of the two the user
    // clicks. (A tool window would be too, but the frame's keys would then
    // reach into it.) It can be made small and large as a main window can.
    : QMainWindow(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      Windows(windows), UI(this, *windows.Working), Editor(windows, *this) {
    setObjectName(QStringLiteral("frmMasterList"));
    setWindowTitle(QStringLiteral("Master Spell List"));
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);

    BuildCommands();
    setCentralWidget(BuildBody());
    centralWidget()->setMinimumSize(MinimumInnerWidth, MinimumInnerHeight);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    NameControlsFromLabels(this);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelp(this, HelpMasterList); });

    List = std::make_unique<tMasterList>(*this, UI, Editor, specialties, std::move(activeBook));
    // Creation: the pool, the whole of it shown at level 1.
    List->Create();
    resize(720, 520);
}

TfrmMasterList::~TfrmMasterList() = default;

void TfrmMasterList::BuildCommands() {
    using enum tMasterCommand;
    FCommands = new tCommands(this, CommandTable);
    tCommands& commands = *FCommands;
    // Each handler, then the hint of the control that ran it goes.
    const auto on = [this, &commands](tMasterCommand id, void (TfrmMasterList::*handler)()) {
        commands.On(id, [this, handler] {
            (this->*handler)();
            ForgetHint();
        });
    };
    on(AddSpellstoBook, &TfrmMasterList::mnuAddSpellstoBookClick);
    on(CurrentFileIs, &TfrmMasterList::mnuCurrentFileIsClick);
    on(SaveMasterFile, &TfrmMasterList::mnuSaveMasterFileClick);
    on(ChangeMasterFile, &TfrmMasterList::mnuChangeMasterFileClick);
    on(Close, &TfrmMasterList::mnuCloseClick);
    on(EditSpellData, &TfrmMasterList::mnuEditSpellDataClick);
    on(AddNewSpell, &TfrmMasterList::mnuAddNewSpellClick);
    on(DeleteSpell, &TfrmMasterList::mnuDeleteSpellClick);
    on(ApplyFilter, &TfrmMasterList::mnuApplyFilterClick);
    on(RemoveFilter, &TfrmMasterList::mnuRemoveFilterClick);
    commands.On(Undo, [this] { mnuUndoClick(); });
    commands.On(Redo, [this] { mnuRedoClick(); });
    // Nothing to take back yet.
    commands.SetEnabled(Undo, false);
    commands.SetEnabled(Redo, false);
    // "&Save Master File" in the File menu: only while there are changes.
    commands.MenuAction(SaveMasterFile)->setEnabled(false);

    menuBar()->addMenu(commands.BuildMenu(
        QStringLiteral("&File"), QStringLiteral("mnuFile"),
        {AddSpellstoBook, Divider, CurrentFileIs, SaveMasterFile, ChangeMasterFile, Divider, Close}, this));
    menuBar()->addMenu(commands.BuildMenu(
        QStringLiteral("&Edit"), QStringLiteral("mnuEdit"),
        {Undo, Redo, Divider, EditSpellData, AddNewSpell, DeleteSpell, Divider, ApplyFilter, RemoveFilter},
        this));
    pmMasterList = commands.BuildPopup(
        QStringLiteral("pmMasterList"),
        {CurrentFileIs, SaveMasterFile, ChangeMasterFile, Divider, EditSpellData, AddNewSpell, DeleteSpell},
        this);
}

QWidget* TfrmMasterList::BuildBody() {
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("MasterListClient"));

    auto* speedButtons = new QToolBar(body);
    speedButtons->setObjectName(QStringLiteral("tbMasterList"));
    speedButtons->setIconSize(QSize(20, 20));
    FCommands->BuildToolBar(speedButtons,
                            {tMasterCommand::AddSpellstoBook, Divider, tMasterCommand::EditSpellData,
                             tMasterCommand::AddNewSpell, tMasterCommand::DeleteSpell});

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
    OnChoice(grpSpellLevel, this, [this](int position) { grpSpellLevelClick(position); });

    lbSpells = new tSpellList(body);
    lbSpells->setObjectName(QStringLiteral("lbSpells"));
    lbSpells->setAccessibleName(QStringLiteral("Spells of the chosen level"));
    lbSpells->setContextMenuPolicy(Qt::CustomContextMenu);
    SetDragCursor(lbSpells, SpellCursorNumber);
    connect(lbSpells, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmMasterList->popup(lbSpells->viewport()->mapToGlobal(at)); });
    connect(lbSpells, &QAbstractItemView::doubleClicked, this,
            [this] { FCommands->Run(tMasterCommand::AddSpellstoBook); });

    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(speedButtons);
    left->addWidget(levels);
    left->addWidget(lbSpells, 1);

    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(6, 4, 0, 6);
    layout->setSpacing(0);
    layout->addLayout(left, 1);
    layout->addWidget(BuildFilterPanel());
    return body;
}

QWidget* TfrmMasterList::BuildFilterPanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("FilterPanel"));
    panel->setFixedWidth(FilterPanelWidth);

    auto* heading = new QLabel(QStringLiteral("----- Filter Options -----"), panel);
    heading->setObjectName(QStringLiteral("lblFilterOptions"));
    heading->setAlignment(Qt::AlignCenter);

    cbMatchSpellbook = new QCheckBox(QStringLiteral("Match Spellbook "), panel);
    cbMatchSpellbook->setObjectName(QStringLiteral("cbMatchSpellbook"));
    ebNameFilter = new QLineEdit(panel);
    ebNameFilter->setObjectName(QStringLiteral("ebNameFilter"));
    cbCategory = TextChoice("cbCategory", panel);
    cbSpellFrequency = new QComboBox(panel);
    cbSpellFrequency->setObjectName(QStringLiteral("cbSpellFrequency"));
    cbSpellFrequency->setEditable(false);
    WheelOnlyWithFocus(cbSpellFrequency);
    cbSpellFrequency->addItems(FromTexts(FrequencyChoices()));
    cbSpellFrequency->setCurrentIndex(-1);
    cbSourceBook = TextChoice("cbSourceBook", panel);

    // The choices of the two text boxes are made anew as each takes the
    // focus; Enter in any filter box applies the filter.
    for (QWidget* box : {static_cast<QWidget*>(cbCategory), static_cast<QWidget*>(cbSourceBook),
                         static_cast<QWidget*>(cbSpellFrequency)}) {
        box->installEventFilter(this);
    }
    for (QLineEdit* text : {ebNameFilter, cbCategory->lineEdit(), cbSourceBook->lineEdit()}) {
        connect(text, &QLineEdit::returnPressed, this,
                [this] { FCommands->Run(tMasterCommand::ApplyFilter); });
    }

    bnApplyFilterOn = FilterButton("bnApplyFilterOn", QStringLiteral("Apply Filter    "), "filteron", panel);
    bnApplyFilterOff =
        FilterButton("bnApplyFilterOff", QStringLiteral("Apply Filter    "), "filteroff", panel);
    bnRemoveFilterOn =
        FilterButton("bnRemoveFilterOn", QStringLiteral("Remove Filter"), "removefilteron", panel);
    bnRemoveFilterOff =
        FilterButton("bnRemoveFilterOff", QStringLiteral("Remove Filter"), "removefilteroff", panel);
    for (QPushButton* button : {bnApplyFilterOn, bnApplyFilterOff}) {
        connect(button, &QPushButton::clicked, this, [this] { FCommands->Run(tMasterCommand::ApplyFilter); });
    }
    for (QPushButton* button : {bnRemoveFilterOn, bnRemoveFilterOff}) {
        connect(button, &QPushButton::clicked, this,
                [this] { FCommands->Run(tMasterCommand::RemoveFilter); });
    }

    auto* exit = new QPushButton(QStringLiteral("E&xit"), panel);
    exit->setObjectName(QStringLiteral("BitBtn1"));
    exit->setToolTip(QStringLiteral("Close Master Spell List"));
    exit->setStatusTip(exit->toolTip());
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, [this] { FCommands->Run(tMasterCommand::Close); });

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 4, 8, 0);
    layout->setSpacing(3);
    layout->addWidget(heading);
    layout->addSpacing(4);
    layout->addWidget(cbMatchSpellbook);
    layout->addSpacing(4);
    layout->addWidget(BuddyLabel(QStringLiteral("Name Contains:"), "lblNameFilter", ebNameFilter, panel));
    layout->addWidget(ebNameFilter);
    layout->addWidget(BuddyLabel(QStringLiteral("Category Contains:"), "lblCategory", cbCategory, panel));
    layout->addWidget(cbCategory);
    layout->addWidget(BuddyLabel(QStringLiteral("Frequency:"), "lblSpellFrequency", cbSpellFrequency, panel));
    layout->addWidget(cbSpellFrequency);
    layout->addWidget(BuddyLabel(QStringLiteral("Source Book:"), "lblSourceBook", cbSourceBook, panel));
    layout->addWidget(cbSourceBook);
    layout->addSpacing(8);
    // Each pair shares its place: exactly one of the two is shown.
    layout->addWidget(bnApplyFilterOn);
    layout->addWidget(bnApplyFilterOff);
    layout->addWidget(bnRemoveFilterOn);
    layout->addWidget(bnRemoveFilterOff);
    layout->addStretch(1);
    layout->addWidget(exit);
    return panel;
}

bool TfrmMasterList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == cbSourceBook) {
            cbSourceBookEnter();
        } else if (watched == cbCategory) {
            cbCategoryEnter();
        }
    } else if (event->type() == QEvent::KeyPress && watched == cbSpellFrequency) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            FCommands->Run(tMasterCommand::ApplyFilter);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMasterList::ShowAtLevel(int32_t level) {
    if (level > 0) {
        List->SpellLevelChosen(level);
        SelectSpellLevel(level);
    } else {
        List->LevelView();
    }
    if (!FPlaced && parentWidget()) {
        // The first time, over the middle of the main window.
        FPlaced = true;
        move(parentWidget()->geometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

bool TfrmMasterList::CloseQuery() {
    return List->CloseQuery();
}

void TfrmMasterList::closeEvent(QCloseEvent* event) {
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    // The window is only hidden: it lives until the program ends.
    event->accept();
    hide();
}

// Handlers.

void TfrmMasterList::mnuAddSpellstoBookClick() {
    const std::vector<int32_t> rows = lbSpells->SelectedRows();
    if (!rows.empty()) {
        emit addSpellsToBookRequested(List->SpellLevel(), rows);
    }
}

void TfrmMasterList::mnuCurrentFileIsClick() {
    List->CurrentFile();
}

void TfrmMasterList::mnuSaveMasterFileClick() {
    List->Save();
}

void TfrmMasterList::mnuChangeMasterFileClick() {
    List->SetMasterFile();
}

void TfrmMasterList::mnuCloseClick() {
    close();
}

void TfrmMasterList::mnuUndoClick() {
    List->Undo();
}

void TfrmMasterList::mnuRedoClick() {
    List->Redo();
}

void TfrmMasterList::mnuEditSpellDataClick() {
    List->EditSpellData();
}

void TfrmMasterList::mnuAddNewSpellClick() {
    List->AddNewSpell();
}

void TfrmMasterList::mnuDeleteSpellClick() {
    List->DeleteSpell();
}

void TfrmMasterList::mnuApplyFilterClick() {
    List->ApplyFilter();
}

void TfrmMasterList::mnuRemoveFilterClick() {
    List->RemoveFilter();
}

void TfrmMasterList::grpSpellLevelClick(int position) {
    List->SpellLevelChosen(position + 1);
}

void TfrmMasterList::cbSourceBookEnter() {
    List->SourceBookEnter();
}

void TfrmMasterList::cbCategoryEnter() {
    List->CategoryEnter();
}

// What the commands show.

void TfrmMasterList::SelectSpellLevel(int32_t level) {
    CheckQuietly(grpSpellLevel, level - 1);
}

void TfrmMasterList::ShowSpells(std::vector<std::string> lines) {
    lbSpells->SetLines(std::move(lines), true);
}

std::vector<int32_t> TfrmMasterList::SelectedRows() const {
    return lbSpells->SelectedRows();
}

tFilterBoxes TfrmMasterList::FilterBoxes() const {
    tFilterBoxes boxes;
    boxes.MatchSpellbook = cbMatchSpellbook->isChecked();
    boxes.Name = ToText(ebNameFilter->text());
    boxes.Category = ToText(cbCategory->currentText());
    boxes.FrequencyIndex = cbSpellFrequency->currentIndex();
    boxes.SourceBook = ToText(cbSourceBook->currentText());
    return boxes;
}

void TfrmMasterList::ClearFilterBoxes() {
    cbMatchSpellbook->setChecked(false);
    ebNameFilter->clear();
    for (QComboBox* box : {cbCategory, cbSpellFrequency, cbSourceBook}) {
        box->setCurrentIndex(-1);
        if (box->isEditable()) {
            box->setEditText(QString());
        }
    }
}

void TfrmMasterList::ShowFilterState(bool filterOn) {
    bnApplyFilterOn->setVisible(filterOn);
    bnRemoveFilterOff->setVisible(filterOn);
    bnRemoveFilterOn->setVisible(!filterOn);
    bnApplyFilterOff->setVisible(!filterOn);
}

namespace {

// New choices for an editable box; what is typed in it stays.
void SetChoices(QComboBox* box, const std::vector<std::string>& choices) {
    const QString typed = box->currentText();
    box->blockSignals(true);
    box->clear();
    box->addItems(FromTexts(choices));
    box->setCurrentIndex(-1);
    box->setEditText(typed);
    box->blockSignals(false);
}

} // namespace

void TfrmMasterList::SetSourceBookChoices(const std::vector<std::string>& choices) {
    SetChoices(cbSourceBook, choices);
}

void TfrmMasterList::SetCategoryChoices(const std::vector<std::string>& choices) {
    SetChoices(cbCategory, choices);
}

void TfrmMasterList::EnableSave(bool enabled) {
    FCommands->MenuAction(tMasterCommand::SaveMasterFile)->setEnabled(enabled);
}

void TfrmMasterList::ShowHistory(const std::string& undoName, const std::string& redoName) {
    FCommands->MenuAction(tMasterCommand::Undo)->setText(FromText(UndoCaption(undoName)));
    FCommands->SetEnabled(tMasterCommand::Undo, !undoName.empty());
    FCommands->MenuAction(tMasterCommand::Redo)->setText(FromText(RedoCaption(redoName)));
    FCommands->SetEnabled(tMasterCommand::Redo, !redoName.empty());
}

void TfrmMasterList::ShowBusy(bool busy) {
    if (busy && !FBusy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (!busy && FBusy) {
        QApplication::restoreOverrideCursor();
    }
    FBusy = busy;
}

// A control's hint, shown while the pointer was over it, goes once its
// command has run: the pointer may have left it while a question was open,
// which the window was not told. What the commands show stays.
void TfrmMasterList::ForgetHint() {
    const QString shown = statusBar()->currentMessage();
    if (shown.isEmpty()) {
        return;
    }
    for (const QWidget* control : findChildren<QWidget*>()) {
        if (control->statusTip() == shown) {
            statusBar()->clearMessage();
            return;
        }
    }
    for (const QAction* action : findChildren<QAction*>()) {
        if (action->statusTip() == shown) {
            statusBar()->clearMessage();
            return;
        }
    }
}

void TfrmMasterList::ShowStatus(const std::string& text) {
    statusBar()->showMessage(FromMarkedText(text));
}

bool TfrmMasterList::ChooseMasterFile(const std::string& proposedName, const std::string& folder,
                                      std::string& path) {
    QString chosen;
    Prompts::tFileDialog dialog{QStringLiteral("Set Master File"), MasterFilter, QString(), FromPath(folder),
                                QStringLiteral("dlgMasterFile")};
    dialog.FileName = FromPath(proposedName);
    if (!Prompts::ChooseOpenFile(this, dialog, chosen)) {
        return false;
    }
    path = ToPath(chosen);
    return true;
}
