#include "ui/Program.h"

#include "app/Shared.h"
#include "ui/FrmBookParm.h"
#include "ui/FrmMain.h"
#include "ui/FrmWorking.h"
#include "ui/HelpViewer.h"
#include "ui/Placeholders.h"

#include <QApplication>
#include <QScreen>

tProgramWindows ProgramWindows;

TfrmMain*& frmMain = ProgramWindows.Main;
TfrmWorking*& frmWorking = ProgramWindows.Working;
TfrmBookParm*& frmBookParm = ProgramWindows.BookParm;
TfrmPrintFormat*& frmPrintFormat = ProgramWindows.PrintFormat;
TfrmMasterList*& frmMasterList = ProgramWindows.MasterList;
TfrmSpellEdit*& frmSpellEdit = ProgramWindows.SpellEdit;
TfrmSpecialtyMaintenance*& frmSpecialtyMaintenance = ProgramWindows.SpecialtyMaintenance;
TfrmSpecialtyName*& frmSpecialtyName = ProgramWindows.SpecialtyName;

void CreateProgramWindows() {
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    // The frame's creation makes the working notice and opens the shared
    // state (the settings and the specialty list) the others use.
    frmMain = new TfrmMain(ProgramWindows);
    frmBookParm = new TfrmBookParm(*Specialties, frmMain);
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
    ProgramWindows = tProgramWindows();
}
