#include "ui/Controls.h"

#include "app/NumberBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

tNumberBox::tNumberBox(QWidget* parent) : QSpinBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setKeyboardTracking(true);
    FInForce = value();
    // The box reports its text when its value changes (arrows, wheel, a set
    // value); its line edit reports what is typed, also a text that is no
    // value of the range yet.
    connect(this, &QSpinBox::textChanged, this, &tNumberBox::TextChanged);
    connect(lineEdit(), &QLineEdit::textChanged, this, &tNumberBox::TextChanged);
}

void tNumberBox::SetQuietly(int value) {
    QSignalBlocker quiet(this);
    setValue(value);
    FInForce = this->value();
}

void tNumberBox::TextChanged(const QString& text) {
    if (FSettling) {
        return;
    }
    const int number = NumberBoxValue(text.toStdString(), minimum(), maximum());
    if (number != FInForce) {
        FInForce = number;
        emit numberChanged(number);
    }
}

void tNumberBox::ShowInForce() {
    FSettling = true;
    setValue(FInForce);
    FSettling = false;
}

QValidator::State tNumberBox::validate(QString& text, int& /*position*/) const {
    const QString typed = text.trimmed();
    qsizetype digits = typed.startsWith(QLatin1Char('+')) || typed.startsWith(QLatin1Char('-')) ? 1 : 0;
    for (; digits < typed.size(); ++digits) {
        if (!typed[digits].isDigit()) {
            return QValidator::Invalid;
        }
    }
    bool number = false;
    const int value = typed.toInt(&number);
    return number && value >= minimum() && value <= maximum() ? QValidator::Acceptable
                                                              : QValidator::Intermediate;
}

void tNumberBox::focusOutEvent(QFocusEvent* event) {
    FSettling = true;
    QSpinBox::focusOutEvent(event);
    FSettling = false;
    ShowInForce();
}

void tNumberBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    FSettling = true;
    QSpinBox::keyPressEvent(event);
    FSettling = false;
    ShowInForce();
}

void tNumberBox::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QSpinBox::wheelEvent(event);
}

namespace {

class tWheelGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && !widget->hasFocus()) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QLabel* BuddyLabel(const QString& text, const char* name, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog, const char* okName, const char* cancelName) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QLatin1String(okName));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QLatin1String(cancelName));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void WheelOnlyWithFocus(QWidget* widget) {
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->installEventFilter(new tWheelGuard(widget));
}

void NameControlsFromLabels(QWidget* window) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        QWidget* control = label->buddy();
        if (!control || !control->accessibleName().isEmpty()) {
            continue;
        }
        QString name = label->text();
        name.remove(QLatin1Char('&'));
        while (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char(':'))) {
            name.chop(1);
        }
        control->setAccessibleName(name.trimmed());
    }
    // The buttons the toolkit adds where a toolbar or menu bar runs out of room.
    for (QWidget* more : window->findChildren<QWidget*>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setAccessibleName(QStringLiteral("More toolbar buttons"));
    }
    for (QWidget* more : window->findChildren<QWidget*>(QStringLiteral("qt_menubar_ext_button"))) {
        more->setAccessibleName(QStringLiteral("More menus"));
    }
}

void OnChoice(QButtonGroup* group, QObject* receiver, std::function<void(int)> chosen) {
    QObject::connect(group, &QButtonGroup::idToggled, receiver,
                     [chosen = std::move(chosen)](int id, bool checked) {
                         if (checked) {
                             chosen(id);
                         }
                     });
}

void CheckQuietly(QButtonGroup* group, int id) {
    QAbstractButton* checked = group->button(id);
    if (!checked) {
        return;
    }
    {
        const QSignalBlocker quiet(group);
        checked->setChecked(true);
    }
    bool focusInGroup = false;
    for (QAbstractButton* button : group->buttons()) {
        focusInGroup = focusInGroup || button->hasFocus();
        button->setFocusPolicy(button == checked ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (focusInGroup) {
        checked->setFocus(Qt::OtherFocusReason);
    }
}

namespace {

// The room a title bar takes beside its caption: the window's icon and three
// buttons, as a window manager may draw them even where asked not to.
constexpr int TitleBarRoom = 120;

// Fixes a dialog's size, each time it is shown, to what its controls need (at
// least its designed size) and to what its caption needs in the title bar.
class tDialogSize : public QObject {
public:
    explicit tDialogSize(QWidget* dialog) : QObject(dialog), Designed(dialog->minimumSize()) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* dialog = static_cast<QWidget*>(watched);
            const int caption = CaptionWidth(dialog->windowTitle());
            if (QLayout* layout = dialog->layout()) {
                layout->activate();
            }
            dialog->setFixedSize(dialog->sizeHint().expandedTo(Designed).expandedTo(QSize(caption, 0)));
        } else if (event->type() == QEvent::WindowStateChange) {
            // A window manager that offers to minimise a dialog anyway would
            // hide it while it keeps the program waiting: it comes back.
            auto* dialog = static_cast<QWidget*>(watched);
            if (dialog->isMinimized()) {
                QTimer::singleShot(0, dialog, [dialog] { dialog->showNormal(); });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QSize Designed;
};

} // namespace

int CaptionWidth(const QString& caption) {
    QFont title = QApplication::font();
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(caption) + TitleBarRoom;
}

void DialogLooks(QDialog* dialog, tTitleButtons buttons) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (buttons == tTitleButtons::Close) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    dialog->setWindowFlags(flags | (dialog->windowFlags() & Qt::WindowStaysOnTopHint));
    dialog->installEventFilter(new tDialogSize(dialog));
}
