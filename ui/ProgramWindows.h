#pragma once
// The program's single-instance windows as the windows that use them see
// them. The one instance, ProgramWindows in ui/Program.cpp, is filled in the
// order of start-up; a window keeps a reference to it and reads the others
// when its commands run, not when it is made.

class TfrmMain;
class TfrmWorking;
class TfrmBookParm;
class TfrmPrintFormat;
class TfrmMasterList;
class TfrmSpellEdit;
class TfrmSpecialtyMaintenance;
class TfrmSpecialtyName;

struct tProgramWindows {
    TfrmMain* Main = nullptr;
    TfrmWorking* Working = nullptr;
    TfrmBookParm* BookParm = nullptr;
    TfrmPrintFormat* PrintFormat = nullptr;
    TfrmMasterList* MasterList = nullptr;
    TfrmSpellEdit* SpellEdit = nullptr;
    TfrmSpecialtyMaintenance* SpecialtyMaintenance = nullptr;
    TfrmSpecialtyName* SpecialtyName = nullptr;
};
