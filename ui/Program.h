#pragma once
// The program's single-instance windows and their making at start-up: the
// one list of them, under the names the program gives them.

#include "ui/ProgramWindows.h"

extern tProgramWindows ProgramWindows;

extern TfrmMain*& frmMain;
extern TfrmWorking*& frmWorking;
extern TfrmBookParm*& frmBookParm;
extern TfrmPrintFormat*& frmPrintFormat;
extern TfrmMasterList*& frmMasterList;
extern TfrmSpellEdit*& frmSpellEdit;
extern TfrmSpecialtyMaintenance*& frmSpecialtyMaintenance;
extern TfrmSpecialtyName*& frmSpecialtyName;

// Makes the main frame (whose creation makes the working notice and opens the
// shared state), then the parameters dialog, the output format dialog, the
// master list window (which loads the master spell pool), the spell editor,
// specialty maintenance and the specialty name prompt, all hidden; then shows
// the frame maximised. Expects LoadProgram() to have run.
void CreateProgramWindows();

// Destroys every window made by CreateProgramWindows.
void DestroyProgramWindows();
