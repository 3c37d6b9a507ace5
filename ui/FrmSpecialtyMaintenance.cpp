#include "ui/FrmSpecialtyMaintenance.h"

#include "ui/Commands.h"
#include "ui/Controls.h"
#include "ui/FrmSpecialtyName.h"
#include "ui/FrmWorking.h"
#include "ui/ProgramWindows.h"
#include "ui/Text1252.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The dialog's commands, in the order of the table below.
enum class tSpecialtyCommand {
    SaveChanges,
    Close,
    EditSpecialtyName,
    AddNewSpecialty,
    DeleteSpecialty,
};

constexpr tCommandSpec CommandTable[] = {
    {.Id = tSpecialtyCommand::SaveChanges, .MenuItem = "mnuSaveChanges", .Caption = "&Save Changes"},
    {.Id = tSpecialtyCommand::Close, .MenuItem = "mnuClose", .Caption = "E&xit"},
    {.Id = tSpecialtyCommand::EditSpecialtyName,
     .MenuItem = "mnuEditSpecialtyName",
     .Caption = "&Change Specialty Name"},
    {.Id = tSpecialtyCommand::AddNewSpecialty,
     .MenuItem = "mnuAddNewSpecialty",
     .Caption = "&Add New Specialty"},
    {.Id = tSpecialtyCommand::DeleteSpecialty,
     .MenuItem = "mnuDeleteSpecialty",
     .Caption = "&Delete Specialty"},
};
static_assert(InIdOrder(CommandTable));

QPlainTextEdit* SchoolBox(const char* name, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setTabChangesFocus(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    return box;
}

} // namespace

TfrmSpecialtyMaintenance::TfrmSpecialtyMaintenance(QWidget* parent, tProgramWindows& windows,
                                                   tSpecialtyList& specialties, const std::string& path)
    : QDialog(parent), Windows(windows), UI(this, *windows.Working),
      Maintenance(*this, UI, specialties, path) {
    using enum tSpecialtyCommand;
    setObjectName(QStringLiteral("frmSpecialtyMaintenance"));
    setWindowTitle(QStringLiteral("Specialty Maintenance"));
    setModal(true);

    FCommands = new tCommands(this, CommandTable);
    FCommands->On(SaveChanges, [this] { mnuSaveChangesClick(); });
    FCommands->On(Close, [this] { mnuCloseClick(); });
    FCommands->On(EditSpecialtyName, [this] { mnuEditSpecialtyNameClick(); });
    FCommands->On(AddNewSpecialty, [this] { mnuAddNewSpecialtyClick(); });
    FCommands->On(DeleteSpecialty, [this] { mnuDeleteSpecialtyClick(); });
    Menus = new QMenuBar(this);
    Menus->setObjectName(QStringLiteral("MenuBar"));
    QMenu* file = FCommands->BuildMenu(QStringLiteral("&File"), QStringLiteral("File1"),
                                       {SaveChanges, Divider, Close}, this);
    QMenu* edit = FCommands->BuildMenu(QStringLiteral("&Edit"), QStringLiteral("Edit1"),
                                       {EditSpecialtyName, AddNewSpecialty, Divider, DeleteSpecialty}, this);
    Menus->addMenu(file);
    Menus->addMenu(edit);
    // Opening a menu does not take the focus from a box: what was typed is
    // committed first, so the command chosen sees it.
    for (QMenu* menu : {file, edit}) {
        connect(menu, &QMenu::aboutToShow, this, [this] { Maintenance.CommitBoth(); });
    }

    cbSpecialty = new QComboBox(this);
    cbSpecialty->setObjectName(QStringLiteral("cbSpecialty"));
    cbSpecialty->setEditable(false);
    cbSpecialty->setMaxVisibleItems(16);
    WheelOnlyWithFocus(cbSpecialty);
    connect(cbSpecialty, &QComboBox::currentIndexChanged, this, &TfrmSpecialtyMaintenance::cbSpecialtyChange);
    memPreferred = SchoolBox("memPreferred", this);
    memProhibited = SchoolBox("memProhibited", this);
    for (QPlainTextEdit* box : {memPreferred, memProhibited}) {
        box->installEventFilter(this);
    }

    auto label = [this](const char* text, const char* name, QWidget* buddy) {
        return BuddyLabel(QLatin1String(text), name, buddy, this);
    };
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("bnOK"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout;
    grid->addWidget(label("&Specialty", "lblSpecialty", cbSpecialty), 0, 0, 1, 2);
    grid->addWidget(cbSpecialty, 1, 0, 1, 2);
    grid->addWidget(label("&Preferred Spell Categories", "lblPreferred", memPreferred), 2, 0);
    grid->addWidget(label("P&rohibited Spell Categories", "lblProhibited", memProhibited), 2, 1);
    grid->addWidget(memPreferred, 3, 0);
    grid->addWidget(memProhibited, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(Menus);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    NameControlsFromLabels(this);
    resize(440, 340);

    Maintenance.Create();
}

QPlainTextEdit* TfrmSpecialtyMaintenance::Box(tSchoolBox box) const {
    return box == tSchoolBox::Preferred ? memPreferred : memProhibited;
}

bool TfrmSpecialtyMaintenance::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        Maintenance.Activate();
    }
    return QDialog::event(event);
}

bool TfrmSpecialtyMaintenance::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == memPreferred) {
            Maintenance.Commit(tSchoolBox::Preferred);
        } else if (watched == memProhibited) {
            Maintenance.Commit(tSchoolBox::Prohibited);
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Every way of closing (OK, Exit, the close box and Escape, which the dialog
// turns into a reject) commits what is typed
// in a box, then asks the close question; the window stays open when refused.
void TfrmSpecialtyMaintenance::done(int result) {
    if (FClosing) {
        return;
    }
    Maintenance.CommitBoth();
    if (!Maintenance.CloseQuery()) {
        return;
    }
    FClosing = true;
    QDialog::done(result);
    Maintenance.Close();
    FClosing = false;
}

// Handlers.

void TfrmSpecialtyMaintenance::mnuSaveChangesClick() {
    Maintenance.SaveChanges();
}

void TfrmSpecialtyMaintenance::mnuCloseClick() {
    reject();
}

void TfrmSpecialtyMaintenance::mnuEditSpecialtyNameClick() {
    Maintenance.ChangeSpecialtyName();
}

void TfrmSpecialtyMaintenance::mnuAddNewSpecialtyClick() {
    Maintenance.AddNewSpecialty();
}

void TfrmSpecialtyMaintenance::mnuDeleteSpecialtyClick() {
    Maintenance.DeleteSpecialty();
}

void TfrmSpecialtyMaintenance::cbSpecialtyChange(int position) {
    if (position >= 0) {
        Maintenance.SpecialtyChosen();
    }
}

// What the commands show.

void TfrmSpecialtyMaintenance::SetSpecialtyItems(const std::vector<std::string>& names) {
    QSignalBlocker quiet(cbSpecialty);
    cbSpecialty->clear();
    cbSpecialty->addItems(FromTexts(names));
}

void TfrmSpecialtyMaintenance::SelectSpecialty(int32_t position) {
    QSignalBlocker quiet(cbSpecialty);
    cbSpecialty->setCurrentIndex(position < cbSpecialty->count() ? position : -1);
}

std::string TfrmSpecialtyMaintenance::ChosenSpecialty() const {
    return ToText(cbSpecialty->currentText());
}

void TfrmSpecialtyMaintenance::ShowLines(tSchoolBox box, const std::vector<std::string>& lines) {
    QPlainTextEdit* edit = Box(box);
    edit->setPlainText(FromTexts(lines).join(QLatin1Char('\n')));
    edit->document()->setModified(false);
}

std::vector<std::string> TfrmSpecialtyMaintenance::Lines(tSchoolBox box) const {
    // Each line as typed, empty ones too; a line break at the very end starts
    // no line of its own.
    QString text = Box(box)->toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty()) {
        return lines;
    }
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        lines.push_back(ToText(line));
    }
    return lines;
}

bool TfrmSpecialtyMaintenance::Changed(tSchoolBox box) const {
    return Box(box)->document()->isModified();
}

void TfrmSpecialtyMaintenance::MarkCommitted(tSchoolBox box) {
    Box(box)->document()->setModified(false);
}

bool TfrmSpecialtyMaintenance::AskName(const std::string& caption, const std::string& prompt,
                                       std::string& name) {
    QString text = FromText(name);
    if (!Windows.SpecialtyName ||
        !Windows.SpecialtyName->Ask(this, FromText(caption), FromText(prompt), text)) {
        return false;
    }
    name = ToText(text);
    return true;
}

void TfrmSpecialtyMaintenance::RefillParameterChoices() {
    emit parameterChoicesChanged();
}

void TfrmSpecialtyMaintenance::RefillSpellbookChoices() {
    emit spellbookChoicesChanged();
}
