#include "master/MasterPool.h"

#include "app/Shared.h"
#include "files/SpellbookFile.h"

std::unique_ptr<TSpellBook> MasterSpells;

std::string MasterFileName(const tSettingsFile* settings) {
    if (!settings) {
        return std::string(DefaultMasterFile);
    }
    return settings->ReadString(MainSection, MasterFileKey, DefaultMasterFile);
}

void LoadMasterSpells(const std::string& path) {
    std::unique_ptr<TSpellBook> pool = ReadSpellbookFile(path);
    if (!pool) {
        pool = TSpellBook::Create(0, 0, 0, std::string());
    }
    pool->Modified = false;
    MasterSpells = std::move(pool);
}

void LoadMasterSpellsAtStart(const tSettingsFile* settings, tWorkingNotice& notice) {
    notice.ShowWorking(WorkingLoadingMaster);
    LoadMasterSpells(MasterFileName(settings));
}
