#include "ui/FrmSpellBook.h"

#include "app/Shared.h"
#include "ui/Artwork.h"
#include "ui/FrmMain.h"
#include "ui/FrmWorking.h"
#include "ui/Placeholders.h"
#include "ui/Program.h"
#include "ui/Prompts.h"
#include "ui/Text1252.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

QLabel* Label(const QString& text, const char* name, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

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

TfrmSpellBook::TfrmSpellBook(TfrmMain* frame)
    : QMdiSubWindow(nullptr), Frame(frame), Doc(*this, *Specialties) {
    setObjectName(QStringLiteral("frmSpellBook"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ProgramIcon());

    BuildMenus();
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("SpellBookClient"));
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildToolBar();
    tbSpellBook->setParent(content);
    layout->addWidget(tbSpellBook);
    layout->addWidget(BuildBody(), 1);
    setWidget(content);

    // The system menu's close item would share Ctrl+F4 with "&Close".
    for (QAction* action : systemMenu()->actions()) {
        action->setShortcuts({});
    }

    SetDragCursor(lbSpells, SpellCursorNumber);
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

QAction* TfrmSpellBook::Command(const char* name, const QString& text, const QString& hint,
                                const QKeySequence& key) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    if (!hint.isEmpty()) {
        action->setStatusTip(hint);
        action->setToolTip(hint);
    }
    if (!key.isEmpty()) {
        action->setShortcut(key);
    }
    // Every command starts disabled; the ones this version carries out are
    // enabled where they are connected.
    action->setEnabled(false);
    return action;
}

void TfrmSpellBook::BuildMenus() {
    auto enable = [](QAction* action, auto receiver, auto slot) {
        action->setEnabled(true);
        QObject::connect(action, &QAction::triggered, receiver, slot);
        return action;
    };

    mnuFile = new QMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->addAction(enable(Command("mnuNew", QStringLiteral("&New"), QString(), QKeySequence(Qt::Key_F4)),
                              this, &TfrmSpellBook::mnuNewClick));
    mnuFile->addAction(
        enable(Command("mnuOpen", QStringLiteral("&Open")), this, &TfrmSpellBook::mnuOpenClick));
    mnuFile->addAction(
        enable(Command("mnuSave", QStringLiteral("&Save"), QString(), QKeySequence(Qt::Key_F2)), this,
               &TfrmSpellBook::mnuSaveClick));
    mnuFile->addAction(
        enable(Command("mnuSaveAs", QStringLiteral("Save &As")), this, &TfrmSpellBook::mnuSaveAsClick));
    mnuFile->addAction(
        enable(Command("mnuClose", QStringLiteral("&Close"), QString(), QKeySequence(Qt::CTRL | Qt::Key_F4)),
               this, &TfrmSpellBook::mnuCloseClick));
    mnuFile->addSeparator();
    mnuFile->addAction(Command("mnuImportSpells", QStringLiteral("&Import Spells")));
    mnuFile->addAction(Command("mnuExportSpell", QStringLiteral("&Export Spell")));
    mnuFile->addSeparator();
    mnuFile->addAction(Command("mnuCopytoClipboard", QStringLiteral("Copy to Cli&pboard"),
                               QStringLiteral("Copy Spellbook to Clipboard")));
    mnuFile->addAction(Command("mnuPrinterSetup", QStringLiteral("Printer Setup..."),
                               QStringLiteral("Select and Configure Printer")));
    mnuFile->addAction(Command("mnuPrintPreview", QStringLiteral("&Print Preview/Format..."),
                               QStringLiteral("Preview & Format Output")));
    mnuFile->addAction(Command("mnuPrint", QStringLiteral("Prin&t"), QStringLiteral("Print Spellbook")));
    mnuFile->addSeparator();
    mnuFile->addAction(
        enable(Command("mnuExit", QStringLiteral("E&xit")), this, &TfrmSpellBook::mnuExitClick));

    mnuEdit = new QMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEdit->addAction(Command("mnuFillBook", QStringLiteral("&Fill Book")));
    mnuEdit->addAction(Command("mnuValidateBook", QStringLiteral("&Validate Book")));
    mnuEdit->addAction(Command("mnuClearBook", QStringLiteral("&Clear Book")));
    mnuEdit->addSeparator();
    mnuEdit->addAction(Command("mnuAddSelectedSpell", QStringLiteral("&Add Selected Spell")));
    mnuEdit->addAction(Command("mnuAddRandomSpell", QStringLiteral("Add &Random Spell"), QString(),
                               QKeySequence(Qt::Key_Insert)));
    mnuEdit->addSeparator();
    mnuEdit->addAction(Command("mnuToggleMemorized", QStringLiteral("Toggle Memorized "), QString(),
                               QKeySequence(Qt::CTRL | Qt::Key_M)));
    mnuEdit->addAction(
        Command("mnuDeleteSpell", QStringLiteral("&Delete Spell"), QString(), QKeySequence(Qt::Key_Delete)));
    mnuEdit->addAction(Command("mnuEditSpell", QStringLiteral("Edit Spell Data")));
    mnuEdit->addAction(Command("mnuCreateNewSpell", QStringLiteral("Create New Spell")));
    mnuEdit->addSeparator();
    mnuEdit->addAction(Command("mnuCreateScroll", QStringLiteral("Create Scroll")));

    pmSpellBook = new QMenu(this);
    pmSpellBook->setObjectName(QStringLiteral("pmSpellBook"));
    pmSpellBook->addAction(enable(Command("pmnuSaveSpellbook", QStringLiteral("Save Spellbook")), this,
                                  &TfrmSpellBook::mnuSaveClick));
    pmSpellBook->addSeparator();
    pmSpellBook->addAction(Command("pmnuValidateSpellbook", QStringLiteral("Validate Spellbook")));
    pmSpellBook->addAction(Command("pmnuEraseSpellbook", QStringLiteral("Erase Spellbook")));
    pmSpellBook->addSeparator();
    pmSpellBook->addAction(Command("pmnuAddSelectedSpell", QStringLiteral("Add Selected Spell")));
    pmSpellBook->addAction(Command("pmnuAddRandomSpell", QStringLiteral("Add Random Spell"), QString(),
                                   QKeySequence(Qt::Key_Insert)));
    pmSpellBook->addSeparator();
    pmSpellBook->addAction(Command("ToggleMemorized2", QStringLiteral("Toggle Memorized"), QString(),
                                   QKeySequence(Qt::CTRL | Qt::Key_M)));
    pmSpellBook->addAction(
        Command("pmnuDeleteSpell", QStringLiteral("Delete Spell"), QString(), QKeySequence(Qt::Key_Delete)));
    pmSpellBook->addAction(Command("pmnuEditSpellData", QStringLiteral("Edit Spell Data")));
    pmSpellBook->addSeparator();
    pmSpellBook->addAction(Command("pmnuCreateScroll", QStringLiteral("Create Scroll")));
}

void TfrmSpellBook::BuildToolBar() {
    tbSpellBook = new QToolBar(this);
    tbSpellBook->setObjectName(QStringLiteral("tbSpellBook"));
    tbSpellBook->setIconSize(QSize(20, 20));
    tbSpellBook->setMovable(false);
    tbSpellBook->setFloatable(false);

    struct tButton {
        const char* Name;
        const char* Icon;
        const char* Hint;
        void (TfrmSpellBook::*Slot)();
        bool Divider; // a divider follows the button
    };
    const tButton buttons[] = {
        {"bnNew", "new", "New Spellbook", &TfrmSpellBook::mnuNewClick, false},
        {"bnOpen", "open", "Open Spellbook", &TfrmSpellBook::mnuOpenClick, false},
        {"bnSave", "save", "Save Spellbook", &TfrmSpellBook::mnuSaveClick, true},
        {"bnBookFill", "fill", "Fill Spellbook", nullptr, false},
        {"bnBookValidate", "validate", "Validate Spellbook", nullptr, false},
        {"bnBookErase", "erase", "Erase Spellbook", nullptr, true},
        {"bnSpellAdd", "add", "Add Spell", nullptr, false},
        {"bnSpellAddRandom", "addrandom", "Add Random Spell", nullptr, false},
        {"bnSpellDelete", "delete", "Delete Spell", nullptr, true},
        {"bnSpellEdit", "edit", "Edit Spell Data", nullptr, false},
        {"bnAddNewSpell", "createspell", "Create New Spell", nullptr, true},
        {"bnClipboard", "clipboard", "Copy to Clipboard", nullptr, false},
        {"bnPrintPreview", "preview", "Preview/Format Output", nullptr, false},
        {"bnPrint", "print", "Print Spellbook", nullptr, false},
    };
    for (const tButton& button : buttons) {
        const QString hint = QLatin1String(button.Hint);
        QAction* action = Command(button.Name, hint, hint);
        action->setIcon(ToolIcon(QLatin1String(button.Icon)));
        if (button.Slot) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, button.Slot);
        }
        tbSpellBook->addAction(action);
        tbSpellBook->widgetForAction(action)->setObjectName(QLatin1String(button.Name));
        if (button.Divider) {
            tbSpellBook->addSeparator();
        }
    }
}

QWidget* TfrmSpellBook::BuildBody() {
    auto* body = new QWidget;
    body->setObjectName(QStringLiteral("SpellBookBody"));

    spnWizardLevel = new QSpinBox(body);
    spnWizardLevel->setObjectName(QStringLiteral("spnWizardLevel"));
    spnWizardLevel->setRange(WizardLevelBoxMin, WizardLevelBoxMax);
    spnWizardLevel->setValue(1);
    spnWizardIntelligence = new QSpinBox(body);
    spnWizardIntelligence->setObjectName(QStringLiteral("spnWizardIntelligence"));
    spnWizardIntelligence->setRange(IntelligenceBoxMin, IntelligenceBoxMax);
    spnWizardIntelligence->setValue(9);
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

    cbSpellFrequency = new QComboBox(body);
    cbSpellFrequency->setObjectName(QStringLiteral("cbSpellFrequency"));
    cbSpellFrequency->setEditable(false);

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

    lbSpells = new QListWidget(body);
    lbSpells->setObjectName(QStringLiteral("lbSpells"));
    lbSpells->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbSpells->setContextMenuPolicy(Qt::CustomContextMenu);
    lbSpells->setMinimumHeight(60);
    connect(lbSpells, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmSpellBook->popup(lbSpells->viewport()->mapToGlobal(at)); });

    auto* wizard = new QGridLayout;
    wizard->setHorizontalSpacing(8);
    wizard->setVerticalSpacing(6);
    wizard->addWidget(Label(QStringLiteral("Wizard Level:"), "lblWizardLevel", spnWizardLevel, body), 0, 0);
    wizard->addWidget(spnWizardLevel, 0, 1);
    wizard->addWidget(
        Label(QStringLiteral("Intelligence:"), "lblWizardIntelligence", spnWizardIntelligence, body), 0, 2);
    wizard->addWidget(spnWizardIntelligence, 0, 3);
    wizard->addWidget(Label(QStringLiteral("Specialty:"), "lblWizardSpecialty", cbWizardSpecialty, body), 1,
                      0);
    wizard->addWidget(cbWizardSpecialty, 1, 1);
    wizard->addWidget(Label(QStringLiteral("Spell Frequency: "), "lblSpellFrequency", cbSpellFrequency, body),
                      1, 2);
    wizard->addWidget(cbSpellFrequency, 1, 3);
    wizard->setColumnStretch(1, 1);
    wizard->setColumnStretch(3, 1);

    auto* counters = new QGridLayout;
    counters->setHorizontalSpacing(6);
    counters->setVerticalSpacing(4);
    counters->addWidget(Label(QStringLiteral("# per day"), "lblSpellsPerDay", ebSpellsPerDay, body), 0, 0);
    counters->addWidget(ebSpellsPerDay, 0, 1);
    counters->addWidget(Label(QStringLiteral("# Memorized"), "lblSpellsMarked", ebSpellsMarked, body), 1, 0);
    counters->addWidget(ebSpellsMarked, 1, 1);

    auto* levelAndCounters = new QHBoxLayout;
    levelAndCounters->addWidget(levels, 1);
    levelAndCounters->addSpacing(8);
    levelAndCounters->addLayout(counters);

    auto* layout = new QVBoxLayout(body);
    // The spell list is 20 pixels narrower than the client area.
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(wizard);
    layout->addLayout(levelAndCounters);
    layout->addWidget(lbSpells, 1);

    connect(grpSpellLevel, &QButtonGroup::idClicked, this, &TfrmSpellBook::grpSpellLevelClick);
    connect(spnWizardLevel, &QSpinBox::textChanged, this, &TfrmSpellBook::spnWizardLevelChange);
    connect(spnWizardIntelligence, &QSpinBox::textChanged, this, &TfrmSpellBook::spnWizardIntelligenceChange);
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
    Frame->mnuNewSpellbookClick();
}

void TfrmSpellBook::mnuOpenClick() {
    Frame->mnuOpenSpellbookClick();
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
    Frame->mnuExitClick();
}

void TfrmSpellBook::grpSpellLevelClick(int position) {
    Doc.SpellLevelChosen(position + 1);
}

void TfrmSpellBook::spnWizardLevelChange(const QString& text) {
    Doc.WizardLevelChanged(ToText(text));
}

void TfrmSpellBook::spnWizardIntelligenceChange(const QString& text) {
    Doc.IntelligenceChanged(ToText(text));
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

void TfrmSpellBook::ShowError(const std::string& text) {
    Prompts::ShowError(this, text);
}

tAnswer TfrmSpellBook::AskYesNo(const std::string& text) {
    return Prompts::AskYesNo(this, text);
}

tAnswer TfrmSpellBook::AskYesNoCancel(const std::string& text) {
    return Prompts::AskYesNoCancel(this, text);
}

void TfrmSpellBook::ShowWorking(const std::string& info) {
    frmWorking->ShowWorking(info);
}

void TfrmSpellBook::HideWorking() {
    frmWorking->HideWorking();
}

void TfrmSpellBook::SetWizardLevelBox(int32_t value) {
    QSignalBlocker quiet(spnWizardLevel);
    spnWizardLevel->setValue(value);
}

void TfrmSpellBook::SetIntelligenceBox(int32_t value) {
    QSignalBlocker quiet(spnWizardIntelligence);
    spnWizardIntelligence->setValue(value);
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
    if (QAbstractButton* button = grpSpellLevel->button(level - 1)) {
        button->setChecked(true);
    }
}

void TfrmSpellBook::ShowSpells(const std::vector<std::string>& lines) {
    lbSpells->clear();
    lbSpells->addItems(FromTexts(lines));
    if (lbSpells->count() > 0) {
        lbSpells->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    }
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
    Prompts::RunModal(*frmSpecialtyMaintenance);
}
