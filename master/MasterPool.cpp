#include "master/MasterPool.h"

#include "app/Shared.h"
#include "files/SpellbookFile.h"

std::unique_ptr<TSpellBook> MasterSpells;

std::string MasterFileName(const tSettingsFile* settings) {
    const std::string& standard = FileLocations().MasterFile;
    if (!settings) {
        return standard;
    }
    // An empty value names no file: the default stands.
    std::string name = settings->ReadString(MainSection, MasterFileKey, standard);
    return name.empty() ? standard : name;
}

void PrepareMasterFile(const tSettingsFile* settings) {
    if (MasterFileName(settings) == FileLocations().MasterFile) {
        SeedMasterFile(FileLocations());
    }
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
    PrepareMasterFile(settings);
    return LoadMasterSpells(MasterFileName(settings));
}
