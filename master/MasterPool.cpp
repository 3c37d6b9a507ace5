#include "master/MasterPool.h"

#include "app/Shared.h"
#include "files/SpellbookFile.h"

std::unique_ptr<TSpellBook> MasterSpells;

std::string MasterFileName(const tSettingsFile* settings) {
    if (!settings) {
        return std::string(DefaultMasterFile);
    }
    // An empty value names no file: the default stands.
    std::string name = settings->ReadString(MainSection, MasterFileKey, DefaultMasterFile);
    return name.empty() ? std::string(DefaultMasterFile) : name;
}

FileError LoadMasterSpells(const std::string& path) {
    FileError error = FileError::None;
    std::unique_ptr<TSpellBook> pool = ReadSpellbookFile(path, &error);
    if (!pool) {
        pool = TSpellBook::Create(0, 0, 0, std::string());
    } else if (error != FileError::NoSpells) {
        // A damaged header line of a spellbook used as master file plays no
        // part in the pool.
        error = FileError::None;
    }
    pool->Modified = false;
    MasterSpells = std::move(pool);
    return error;
}

FileError LoadMasterSpellsAtStart(const tSettingsFile* settings, tWorkingNotice& notice) {
    notice.ShowWorking(WorkingLoadingMaster);
    return LoadMasterSpells(MasterFileName(settings));
}
