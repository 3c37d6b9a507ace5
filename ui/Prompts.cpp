#include "ui/Prompts.h"

#include "ui/Text1252.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include <deque>

namespace Prompts {
namespace {

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

void Record(const QString& kind, const QString& text, bool answered) {
    Seam().Shown.push_back({kind, text, answered});
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

tAnswer Ask(QWidget* parent, const std::string& text, bool withCancel) {
    const QString kind = withCancel ? QStringLiteral("yesnocancel") : QStringLiteral("yesno");
    const QString shown = MessageText(text);
    tAnswer answer;
    if (TakeAnswer(answer)) {
        Record(kind, shown, true);
        return answer;
    }
    Record(kind, shown, false);
    if (Seam().Unattended) {
        return withCancel ? tAnswer::Cancel : tAnswer::No;
    }
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) {
        buttons |= QMessageBox::Cancel;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), shown, buttons, parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return tAnswer::Yes;
    case QMessageBox::No:
        return tAnswer::No;
    default:
        return withCancel ? tAnswer::Cancel : tAnswer::No;
    }
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
        box.setAcceptMode(QFileDialog::AcceptSave);
        box.setFileMode(QFileDialog::AnyFile);
        box.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        box.setAcceptMode(QFileDialog::AcceptOpen);
        box.setFileMode(QFileDialog::ExistingFile);
        box.setOption(QFileDialog::ReadOnly, false);
    }
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
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

void ShowError(QWidget* parent, const std::string& text) {
    const QString shown = MessageText(text);
    // An error takes no queued answer: it has only its OK button.
    Record(QStringLiteral("error"), shown, Seam().Unattended);
    if (Seam().Unattended) {
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), shown, QMessageBox::Ok, parent);
    box.exec();
}

tAnswer AskYesNo(QWidget* parent, const std::string& text) {
    return Ask(parent, text, false);
}

tAnswer AskYesNoCancel(QWidget* parent, const std::string& text) {
    return Ask(parent, text, true);
}

bool ChooseOpenFile(QWidget* parent, const tFileDialog& dialog, QString& path) {
    return ChooseFile(parent, dialog, path, false);
}

bool ChooseSaveFile(QWidget* parent, const tFileDialog& dialog, QString& path) {
    return ChooseFile(parent, dialog, path, true);
}

int RunModal(QDialog& dialog) {
    auto& modals = Seam().Modals;
    if (!modals.empty()) {
        auto handler = std::move(modals.front());
        modals.pop_front();
        Record(QStringLiteral("modal"), dialog.objectName(), true);
        const int result = handler(dialog);
        dialog.setResult(result);
        return result;
    }
    Record(QStringLiteral("modal"), dialog.objectName(), false);
    if (Seam().Unattended) {
        dialog.setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return dialog.exec();
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

} // namespace Prompts
