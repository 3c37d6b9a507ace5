#pragma once
// The program's own images: toolbar icons and the drag cursor "crSPELL", drawn
// at run time, and the program icon, rendered by the build. The cursor table maps cursor
// numbers to cursors; number 1 is the drag cursor of the spell lists.

#include <QCursor>
#include <QIcon>

class QWidget;

constexpr int SpellCursorNumber = 1;

// The icon of a toolbar command: "new", "open", "save", "fill", "validate",
// "erase", "add", "addrandom", "delete", "edit", "createspell", "clipboard",
// "preview", "print", "addtobook", and the filter buttons' lit and greyed
// pictures "filteron", "filteroff", "removefilteron", "removefilteroff"; an
// empty icon for any other name.
QIcon ToolIcon(const QString& name);

// The program's icon: a closed spellbook with a quill across it, the picture
// the desktop shows for the program.
QIcon ProgramIcon();

// Draws the drag cursor "crSPELL" and installs it as cursor number 1.
void InstallSpellCursor();
// The installed cursor of a number, or none.
const QCursor* ProgramCursor(int number);

// The cursor number a list shows while one of its lines is dragged.
void SetDragCursor(QWidget* list, int number);
int DragCursorOf(const QWidget* list);
