#include "ui/Prompts.h"

#include "ui/Controls.h"
#include "ui/Text1252.h"

#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeView>
#include <QWindow>

#include <deque>
#include <memory>

namespace Prompts {
namespace {

// The size a file dialog opens at: big enough for the name, size, type and
// date columns; then the size the user left it at, for the rest of the run.
QSize& FileDialogSize() {
    static QSize size(800, 500);
    return size;
}

struct tSeam {
    bool Unattended = false;
    std::deque<tAnswer> Answers;
    std::deque<QString> Files;
    std::deque<std::function<int(QDialog&)>> Modals;
    std::vector<tShownPrompt> Shown;
};

tSeam& Seam() {
    static tSeam seam;
    return seam;
}

// Records a prompt; one that found no queued answer in unattended mode is
// refused.
void Record(const QString& kind, const QString& text, bool answered, const QString& detail = QString()) {
    Seam().Shown.push_back({kind, text, answered, detail, !answered && Seam().Unattended});
}

// The window a dialog belongs to: owner's, or its parent's.
QWidget* OwnerWindow(const QWidget& dialog, QWidget* owner) {
    QWidget* parent = owner ? owner : dialog.parentWidget();
    return parent ? parent->window() : nullptr;
}

// Makes the dialog belong to owner's window (a window over which the window
// manager keeps it) for the run to come.
void BelongTo(QWidget& dialog, QWidget* owner) {
    if (!owner || owner == &dialog) {
        return;
    }
    dialog.winId();
    owner->winId();
    if (QWindow* window = dialog.windowHandle()) {
        window->setTransientParent(owner->windowHandle());
    }
}

// The owner's window active again after a dialog of its closed (the window
// manager may have put another in front).
void Reactivate(QWidget* owner) {
    if (owner && owner->isVisible() && !owner->isMinimized()) {
        owner->activateWindow();
    }
}

// A queued answer for a question, or none.
bool TakeAnswer(tAnswer& answer) {
    auto& queue = Seam().Answers;
    if (queue.empty()) {
        return false;
    }
    answer = queue.front();
    queue.pop_front();
    return true;
}

QString KindName(tMessageKind kind, tButtons buttons) {
    switch (buttons) {
    case tButtons::Ok:
        return kind == tMessageKind::Error ? QStringLiteral("error") : QStringLiteral("information");
    case tButtons::OkCancel:
        return QStringLiteral("okcancel");
    case tButtons::YesNo:
        return QStringLiteral("yesno");
    case tButtons::YesNoCancel:
        return QStringLiteral("yesnocancel");
    }
    return QString();
}

// The answer of a box closed without a button.
tAnswer Dismissed(tButtons buttons) {
    switch (buttons) {
    case tButtons::Ok:
        return tAnswer::Ok;
    case tButtons::YesNo:
        return tAnswer::No;
    default:
        return tAnswer::Cancel;
    }
}

// The extension of the first pattern of the dialog's filter entry chosen (as
// the dialog shows it: its description, with or without its patterns):
// "*.csv" gives "csv". The dialog's default extension for a pattern that
// names none ("*.*").
QString FilterSuffix(const tFileDialog& dialog, const QString& chosen) {
    const QStringList parts = dialog.Filter.split(QLatin1Char('|'));
    const QStringList shown = DialogFilters(dialog.Filter);
    for (qsizetype i = 0; 2 * i + 1 < parts.size(); ++i) {
        if (chosen != parts[2 * i] && chosen != shown.value(i)) {
            continue;
        }
        const QString pattern = parts[2 * i + 1].split(QLatin1Char(';')).constFirst().trimmed();
        const QString suffix = pattern.startsWith(QStringLiteral("*.")) ? pattern.mid(2) : QString();
        if (suffix.isEmpty() || suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?'))) {
            break;
        }
        return suffix.toLower();
    }
    return dialog.DefaultSuffix;
}

bool ChooseFile(QWidget* parent, const tFileDialog& dialog, QString& path, bool save) {
    const QString kind = save ? QStringLiteral("save") : QStringLiteral("open");
    auto& files = Seam().Files;
    if (!files.empty()) {
        path = files.front();
        files.pop_front();
        Record(kind, dialog.Title, true);
        return !path.isEmpty();
    }
    Record(kind, dialog.Title, false);
    if (Seam().Unattended) {
        return false;
    }
    QFileDialog box(parent, dialog.Title, dialog.Folder);
    box.setObjectName(dialog.Name);
    box.setOption(QFileDialog::DontUseNativeDialog, true);
    box.setOption(QFileDialog::HideNameFilterDetails, true);
    box.setNameFilters(DialogFilters(dialog.Filter));
    box.setDefaultSuffix(dialog.DefaultSuffix);
    if (save) {
        // A name typed without an extension gets the one of the kind of file
        // chosen; "*.*" gives it the dialog's default.
        QObject::connect(&box, &QFileDialog::filterSelected, &box, [&box, &dialog](const QString& chosen) {
            box.setDefaultSuffix(FilterSuffix(dialog, chosen));
        });
    }
    if (!dialog.FileName.isEmpty()) {
        box.selectFile(dialog.FileName);
    }
    if (save) {
        box.setAcceptMode(QFileDialog::AcceptSave);
        box.setFileMode(QFileDialog::AnyFile);
        box.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        box.setAcceptMode(QFileDialog::AcceptOpen);
        box.setFileMode(QFileDialog::ExistingFile);
        box.setOption(QFileDialog::ReadOnly, false);
    }
    box.resize(FileDialogSize());
    // The size, type and date columns as wide as what they show; the name
    // takes the rest.
    if (auto* details = box.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column) {
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        }
    }
    const int result = box.exec();
    FileDialogSize() = box.size();
    if (result != QDialog::Accepted || box.selectedFiles().isEmpty()) {
        return false;
    }
    path = box.selectedFiles().constFirst();
    return !path.isEmpty();
}

// "*.SPB" as "*.[Ss][Pp][Bb]": every letter matches either case.
QString CaseFreePattern(const QString& pattern) {
    QString out;
    for (QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper()) {
            out += QLatin1Char('[') + c.toUpper() + c.toLower() + QLatin1Char(']');
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, tMessageKind kind, tButtons buttons,
                                            const QString& shown, const QString& shownDetail) {
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = QStringLiteral("Information");
    if (kind == tMessageKind::Error) {
        icon = QMessageBox::Critical;
        title = QStringLiteral("Error");
    } else if (kind == tMessageKind::Confirmation) {
        icon = QMessageBox::Question;
        title = QStringLiteral("Confirm");
    }
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    QMessageBox::StandardButton first = QMessageBox::Ok;
    switch (buttons) {
    case tButtons::Ok:
        break;
    case tButtons::OkCancel:
        standard = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case tButtons::YesNo:
        standard = QMessageBox::Yes | QMessageBox::No;
        first = QMessageBox::Yes;
        break;
    case tButtons::YesNoCancel:
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        first = QMessageBox::Yes;
        break;
    }
    auto made = std::make_unique<QMessageBox>(icon, title, shown, standard, parent);
    QMessageBox& box = *made;
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setDefaultButton(first);
    if (!shownDetail.isEmpty()) {
        box.setInformativeText(shownDetail);
    }
    DialogLooks(&box);
    // A message box sizes itself to its texts when shown: a row as wide as
    // the caption needs keeps that whole too.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(CaptionWidth(title), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return made;
}

tAnswer Message(QWidget* parent, tMessageKind kind, tButtons buttons, const std::string& text,
                const std::string& detail) {
    const QString name = KindName(kind, buttons);
    const QString shown = MessageText(text);
    const QString shownDetail = MessageText(detail);
    if (buttons == tButtons::Ok) {
        // A message with only OK takes no queued answer.
        Seam().Shown.push_back({name, shown, Seam().Unattended, shownDetail, false});
        if (Seam().Unattended) {
            return tAnswer::Ok;
        }
    } else {
        tAnswer answer;
        const bool answered = TakeAnswer(answer);
        Record(name, shown, answered, shownDetail);
        if (answered) {
            return answer;
        }
        if (Seam().Unattended) {
            return Dismissed(buttons);
        }
    }

    const std::unique_ptr<QMessageBox> made = MakeMessageBox(parent, kind, buttons, shown, shownDetail);
    QMessageBox& box = *made;
    QWidget* owner = OwnerWindow(box, nullptr);
    BelongTo(box, owner);
    const int closedBy = box.exec();
    Reactivate(owner);
    switch (closedBy) {
    case QMessageBox::Ok:
        return tAnswer::Ok;
    case QMessageBox::Yes:
        return tAnswer::Yes;
    case QMessageBox::No:
        return tAnswer::No;
    default:
        return Dismissed(buttons);
    }
}

bool ChooseOpenFile(QWidget* parent, const tFileDialog& dialog, QString& path) {
    return ChooseFile(parent, dialog, path, false);
}

bool ChooseSaveFile(QWidget* parent, const tFileDialog& dialog, QString& path) {
    return ChooseFile(parent, dialog, path, true);
}

int RunModal(QDialog& dialog, QWidget* owner) {
    QWidget* window = OwnerWindow(dialog, owner);
    BelongTo(dialog, window);
    auto& modals = Seam().Modals;
    if (!modals.empty()) {
        auto handler = std::move(modals.front());
        modals.pop_front();
        Record(QStringLiteral("modal"), dialog.objectName(), true);
        const int result = handler(dialog);
        dialog.setResult(result);
        Reactivate(window);
        return result;
    }
    Record(QStringLiteral("modal"), dialog.objectName(), false);
    if (Seam().Unattended) {
        dialog.setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    const int result = dialog.exec();
    Reactivate(window);
    return result;
}

QStringList DialogFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << CaseFreePattern(pattern.trimmed());
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

void SetUnattended(bool unattended) {
    Seam().Unattended = unattended;
}

void SetNextAnswer(tAnswer answer) {
    Seam().Answers.push_back(answer);
}

void SetNextFile(const QString& path) {
    Seam().Files.push_back(path);
}

void SetNextModal(std::function<int(QDialog&)> handler) {
    Seam().Modals.push_back(std::move(handler));
}

const std::vector<tShownPrompt>& Shown() {
    return Seam().Shown;
}

void Reset() {
    tSeam& seam = Seam();
    seam.Answers.clear();
    seam.Files.clear();
    seam.Modals.clear();
    seam.Shown.clear();
}

int PendingAnswers() {
    const tSeam& seam = Seam();
    return static_cast<int>(seam.Answers.size() + seam.Files.size() + seam.Modals.size());
}

std::vector<tShownPrompt> Unanswered() {
    std::vector<tShownPrompt> unanswered;
    for (const tShownPrompt& prompt : Seam().Shown) {
        if (prompt.Refused) {
            unanswered.push_back(prompt);
        }
    }
    return unanswered;
}

} // namespace Prompts
