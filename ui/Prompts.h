#pragma once
// Every message box, file dialog and modal dialog of the program goes through
// here, so that tests can answer them: an answer queued with SetNext... is
// taken by the next prompt of its kind instead of showing anything. In
// unattended mode a prompt with no queued answer is not shown either; it is
// recorded and answered Cancel (No for a Yes/No question). Error messages take
// no queued answer: in unattended mode they are only recorded.

#include "app/UserInterface.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QMessageBox;
class QWidget;

namespace Prompts {

// A file dialog: its title, filter in the "description|pattern|..." form, the
// default extension added to a name typed without one, the folder it starts
// in, and its object name (the dialog's control name, such as
// "dlgOpenSpellBook"), and the file name it proposes (none when empty).
struct tFileDialog {
    QString Title;
    QString Filter;
    QString DefaultSuffix;
    QString Folder;
    QString Name;
    QString FileName = QString();
};

// A message box of the kind with the buttons, text and (beneath it, when not
// empty) detail, belonging to parent's window, which is active again when it
// closes; the button that closed it.
tAnswer Message(QWidget* parent, tMessageKind kind, tButtons buttons, const std::string& text,
                const std::string& detail);

// The message box Message shows for a message of the kind with the buttons,
// text and detail (as the windows show them), made but not shown.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, tMessageKind kind, tButtons buttons,
                                            const QString& text, const QString& detail);

// Open dialog (the folder and the file must exist) and save dialog (it never
// asks about replacing: the commands ask themselves; once the user picks a
// kind of file, a name typed without an extension gets that kind's). False
// when cancelled.
bool ChooseOpenFile(QWidget* parent, const tFileDialog& dialog, QString& path);
bool ChooseSaveFile(QWidget* parent, const tFileDialog& dialog, QString& path);

// Shows the dialog modally; its result (QDialog::Accepted or Rejected). The
// dialog belongs to owner's window for the run (the window manager keeps it
// above that window), or to its parent's without one; that window is active
// again when it closes.
int RunModal(QDialog& dialog, QWidget* owner = nullptr);

// The filter list of a "description|pattern|description|pattern" text as the
// toolkit's file dialog takes it, each pattern matching without regard to
// letter case ("*.SPB" also lists "book.spb").
QStringList DialogFilters(const QString& filter);

// A prompt as it was asked: its kind ("error", "information" for a message
// with only OK; "yesno", "yesnocancel", "okcancel" for a question; "open",
// "save" or "modal"), its text (the message, the dialog's title, or the modal
// dialog's object name), a message's detail, whether a queued answer took it,
// and whether it was refused for want of one in unattended mode. A message
// with only OK takes no answer and is never refused.
struct tShownPrompt {
    QString Kind;
    QString Text;
    bool Answered = false;
    QString Detail;
    bool Refused = false;
};

// Test seam. In unattended mode a question, file dialog or modal dialog with
// no queued answer is refused and recorded as unanswered.
void SetUnattended(bool unattended);
void SetNextAnswer(tAnswer answer);
void SetNextFile(const QString& path); // an empty path cancels the dialog
void SetNextModal(std::function<int(QDialog&)> handler);
const std::vector<tShownPrompt>& Shown();
// Empties the queues and the record.
void Reset();
// Answers still queued, of every kind.
int PendingAnswers();
// The prompts refused in unattended mode for want of a queued answer.
std::vector<tShownPrompt> Unanswered();

} // namespace Prompts
