#include "ui/Program.h"

#include "app/Shared.h"
#include "ui/FrmBookParm.h"
#include "ui/FrmMain.h"
#include "ui/FrmMasterList.h"
#include "ui/FrmPrintFormat.h"
#include "ui/FrmSpecialtyMaintenance.h"
#include "ui/FrmSpecialtyName.h"
#include "ui/FrmSpellEdit.h"
#include "ui/FrmWorking.h"
#include "ui/HelpViewer.h"

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
    frmMasterList =
        new TfrmMasterList(frmMain, ProgramWindows, *Specialties, [] { return frmMain->ActiveBook(); });
    frmSpellEdit = new TfrmSpellEdit(frmMain);
    frmSpecialtyMaintenance =
        new TfrmSpecialtyMaintenance(frmMain, ProgramWindows, *Specialties, SpecialtyFilePath());
    frmSpecialtyName = new TfrmSpecialtyName(frmMain);
    // What the master list asks of a spellbook window, the frame does.
    QObject::connect(frmMasterList, &TfrmMasterList::addSpellsToBookRequested, frmMain,
                     &TfrmMain::AddSpellsToBook);
    // Specialty maintenance changed the list: the other windows' choices follow.
    QObject::connect(frmSpecialtyMaintenance, &TfrmSpecialtyMaintenance::parameterChoicesChanged, frmBookParm,
                     &TfrmBookParm::FillSpecialties);
    QObject::connect(frmSpecialtyMaintenance, &TfrmSpecialtyMaintenance::spellbookChoicesChanged, frmMain,
                     &TfrmMain::RefreshSpecialtyChoices);
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
