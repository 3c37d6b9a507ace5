// Every input control of every window and dialog has a name that assistive
// technology (a screen reader, through the accessibility bus) speaks: its own
// accessible name, or the label it is the buddy of.

#include "GuiSupport.h"

#include "app/Shared.h"
#include "model/Specialty.h"
#include "ui/FrmAbout.h"
#include "ui/FrmBookParm.h"
#include "ui/FrmDataDirectory.h"
#include "ui/FrmFrequencyOdds.h"
#include "ui/FrmMain.h"
#include "ui/FrmMasterList.h"
#include "ui/FrmPrintFormat.h"
#include "ui/FrmScrollParm.h"
#include "ui/FrmSpecialtyMaintenance.h"
#include "ui/FrmSpecialtyName.h"
#include "ui/FrmSpellBook.h"
#include "ui/FrmSpellEdit.h"
#include "ui/FrmWorking.h"
#include "ui/Program.h"
#include "ui/Prompts.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

bool IsInputControl(QWidget* widget) {
    return qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
           qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
           qobject_cast<QAbstractButton*>(widget);
}

// A control inside another control (a drop-down's or number box's text
// field, a list's scroll bars) is spoken as part of it.
bool IsPartOfAnotherControl(QWidget* widget) {
    for (QWidget* up = widget->parentWidget(); up; up = up->parentWidget()) {
        if (qobject_cast<QAbstractSpinBox*>(up) || qobject_cast<QComboBox*>(up) ||
            qobject_cast<QAbstractItemView*>(up)) {
            return true;
        }
    }
    return false;
}

// The controls of window that a screen reader would announce without a name,
// or by their value only.
QStringList Unnamed(QWidget* window) {
    QStringList unnamed;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!IsInputControl(widget) || IsPartOfAnotherControl(widget)) {
            continue;
        }
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        const bool labelled = face && !face->relations(QAccessible::Label).isEmpty();
        const QString name = face ? face->text(QAccessible::Name) : QString();
        bool named = false;
        if (qobject_cast<QAbstractButton*>(widget)) {
            named = !name.trimmed().isEmpty();
            if (qobject_cast<QRadioButton*>(widget)) {
                // A radio button speaks its group's title with its own.
                auto* group = qobject_cast<QGroupBox*>(widget->parentWidget());
                named = named && group && !group->title().isEmpty();
            }
        } else {
            named = labelled || !widget->accessibleName().isEmpty();
        }
        if (!named) {
            unnamed << QStringLiteral("%1 (%2)").arg(widget->objectName(), widget->metaObject()->className());
        }
    }
    return unnamed;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void EveryInputControlHasAName();
    void ADialogCanBeMadeOnItsOwn();
};

void AccessibilityTest::EveryInputControlHasAName() {
    tProgramUnderTest program(
        {{"MASTER.DAT", SampleMaster()}, {"a.spb", "5\r\n3\r\n12\r\nAbjurer\r\nC\r\n \r\n"}});
    program.Start();
    Prompts::SetNextFile(program.QPath("a.spb"));
    frmMain->mnuOpenSpellbookClick();
    QCOMPARE(SpellBooks().size(), 1);

    TfrmFrequencyOdds odds(frmMain, *frmWorking);
    TfrmDataDirectory directory(frmMain);
    TfrmAbout about(frmMain);
    TfrmScrollParm scroll(frmMain, SpellBooks().first()->Document().Book());
    QWidget* const windows[] = {frmMain,
                                SpellBooks().first(),
                                frmBookParm,
                                frmMasterList,
                                frmSpellEdit,
                                frmSpecialtyMaintenance,
                                frmSpecialtyName,
                                frmPrintFormat,
                                &odds,
                                &directory,
                                &about,
                                &scroll};
    for (QWidget* window : windows) {
        const QStringList unnamed = Unnamed(window);
        QVERIFY2(unnamed.isEmpty(), qPrintable(window->objectName() + ": " + unnamed.join(", ")));
    }
    // The print preview and the toolkit's page preview it opens, looked at
    // while they are up.
    QStringList unnamed;
    Prompts::SetNextModal([&](QDialog& preview) {
        unnamed << Unnamed(&preview);
        Prompts::SetNextModal([&](QDialog& pages) {
            unnamed << Unnamed(&pages);
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(Named<QPushButton>(&preview, QStringLiteral("bnPagePreview")), Qt::LeftButton);
        return int(QDialog::Rejected);
    });
    QVERIFY(Trigger(Named<QAction>(SpellBooks().first(), QStringLiteral("mnuPrintPreview"))));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    QVERIFY(PromptsLeftOver().isEmpty());
    Prompts::Reset();
}

// A dialog takes what it uses through its constructor, so it can be made and
// looked at without the program around it.
void AccessibilityTest::ADialogCanBeMadeOnItsOwn() {
    std::unique_ptr<tSpecialtyList> specialties = MakeDefaultSpecialties();
    TfrmBookParm dialog(*specialties);
    QVERIFY(Unnamed(&dialog).isEmpty());
    QCOMPARE(dialog.Parameters().SpecialtyText, std::string("Generalist"));
    QCOMPARE(Named<QWidget>(&dialog, QStringLiteral("lbSpecialty"))->accessibleName(),
             QStringLiteral("Specialty"));
}

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
