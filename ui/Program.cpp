#include "ui/Program.h"

#include "ui/FrmBookParm.h"
#include "ui/FrmMain.h"
#include "ui/FrmWorking.h"
#include "ui/HelpViewer.h"
#include "ui/Placeholders.h"

#include <QApplication>
#include <QScreen>

TfrmMain* frmMain = nullptr;
TfrmWorking* frmWorking = nullptr;
TfrmBookParm* frmBookParm = nullptr;
TfrmPrintFormat* frmPrintFormat = nullptr;
TfrmMasterList* frmMasterList = nullptr;
TfrmSpellEdit* frmSpellEdit = nullptr;
TfrmSpecialtyMaintenance* frmSpecialtyMaintenance = nullptr;
TfrmSpecialtyName* frmSpecialtyName = nullptr;

void CreateProgramWindows() {
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    frmMain = new TfrmMain;
    frmBookParm = new TfrmBookParm(frmMain);
    frmPrintFormat = new TfrmPrintFormat(frmMain);
    frmMasterList = new TfrmMasterList(frmMain, *frmWorking);
    frmSpellEdit = new TfrmSpellEdit(frmMain);
    frmSpecialtyMaintenance = new TfrmSpecialtyMaintenance(frmMain);
    frmSpecialtyName = new TfrmSpecialtyName(frmMain);
    // Without a window manager to maximise it, the frame still fills the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        frmMain->setGeometry(screen->availableGeometry());
    }
    frmMain->showMaximized();
}

void DestroyProgramWindows() {
    CloseHelp();
    // Every other window is a child of the frame.
    delete frmMain;
    frmMain = nullptr;
    frmWorking = nullptr;
    frmBookParm = nullptr;
    frmPrintFormat = nullptr;
    frmMasterList = nullptr;
    frmSpellEdit = nullptr;
    frmSpecialtyMaintenance = nullptr;
    frmSpecialtyName = nullptr;
}
