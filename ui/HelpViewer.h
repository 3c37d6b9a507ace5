#pragma once
// The help viewer: shows the help file (HTML) at the topic of a help context
// number. A missing file is reported in the viewer itself.

#include <QString>

class QWidget;

// Opens the help file HelpFile at the topic of context.
void ShowHelp(QWidget* parent, int context);

// The anchor of a context number's topic in the help file: "context-" + number.
QString HelpAnchor(int context);

// The last help request, for tests: the file and the context asked for; the
// context is 0 before the first request.
struct tHelpRequest {
    QString File;
    int Context = 0;
};
tHelpRequest LastHelpRequest();

// Closes and releases the viewer, if it was made.
void CloseHelp();
