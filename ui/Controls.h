#pragma once
// Controls every window uses the same way: number boxes that follow the
// program's rule for typed numbers, boxes the mouse wheel changes only while
// they have the keyboard focus, and controls named after their labels for
// assistive technology.

#include <QSpinBox>

#include <functional>

class QButtonGroup;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QWidget;

// A number box with up and down arrows. Its value in force follows its text as
// the user types: a text that is not a number counts as the minimum, a number
// outside the range as the nearer bound. It reports only a new value in force
// (numberChanged), shows the value in force when it is left or Enter is
// pressed, and takes the mouse wheel only while it has the keyboard focus.
class tNumberBox : public QSpinBox {
    Q_OBJECT
public:
    explicit tNumberBox(QWidget* parent = nullptr);

    int InForce() const { return FInForce; }
    // Shows value, brought into the range, and puts it in force without
    // reporting it.
    void SetQuietly(int value);

signals:
    void numberChanged(int value);

protected:
    // Any text of blanks, a sign and digits may be typed, also one beyond
    // the range; the rule decides the number in force.
    QValidator::State validate(QString& text, int& position) const override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void TextChanged(const QString& text);
    // Shows the value in force, whatever the box's own fixing of its text did.
    void ShowInForce();

    int FInForce = 0;
    bool FSettling = false;
};

// Runs chosen(id) whenever a button of the group becomes checked, however
// that came about: a click, a key, toggle() or setChecked, or a screen
// reader's "Toggle" action.
void OnChoice(QButtonGroup* group, QObject* receiver, std::function<void(int)> chosen);

// A command's choice shown: the button id checked without anything reacting
// to it, made the group's stop for the Tab key (which otherwise stays on the
// button last clicked), and given the focus when another button of the group
// has it; so focus and check agree.
void CheckQuietly(QButtonGroup* group, int id);

// A dialog's title bar: a close button only, or no button at all.
enum class tTitleButtons { Close, None };

// Makes dialog look like a dialog: its title bar with the buttons asked for
// (no minimise or maximise button), its size fixed to what its controls need,
// and wide enough for its caption to show whole in the title bar, whatever
// caption it is given later; minimised all the same, it comes back at once.
void DialogLooks(QDialog* dialog, tTitleButtons buttons = tTitleButtons::Close);

// The width a window needs for its caption to show whole in a title bar
// (bold, beside an icon and three buttons).
int CaptionWidth(const QString& caption);

// A label named name showing text, the buddy of buddy: its "&" key moves
// the keyboard focus there, and assistive technology names buddy after it.
QLabel* BuddyLabel(const QString& text, const char* name, QWidget* buddy, QWidget* parent);

// A dialog's OK and Cancel buttons, named okName and cancelName, which accept
// and reject it.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, const char* okName = "bnOK",
                                  const char* cancelName = "bnCancel");

// The mouse wheel changes the widget (a drop-down list) only while it has the
// keyboard focus; the wheel no longer gives it the focus either.
void WheelOnlyWithFocus(QWidget* widget);

// Gives every control of window that a label is the buddy of the label's text
// (without "&", a trailing colon and blanks) as its accessible name, unless it
// has one already; names the toolkit's own overflow buttons of toolbars and
// menu bars too.
void NameControlsFromLabels(QWidget* window);
