#include "book/Adding.h"

#include "files/Fill.h"
#include "files/Rules.h"
#include "model/Random.h"

std::string InvalidSpellQuestion(const std::string& name) {
    return "Added spell...\r\n--->  " + name + "  <---\r\nis invalid for this spellbook";
}

bool AddSpellWithQuestion(tSpellBookDocument& document, tBookChanges& changes,
                          std::unique_ptr<tSpell> spell) {
    if (!IsSpellLegal(spell.get(), &changes.Book(), &document.Specialties()) &&
        document.UserInterface().AskOkCancel(InvalidSpellQuestion(spell->Name), tMessageKind::Information) !=
            tAnswer::Ok) {
        return false;
    }
    return changes.Add(std::move(spell));
}

void AddRandomSpell(tSpellBookDocument& document, TSpellBook* master) {
    if (!master) {
        document.UserInterface().ShowError(NoMasterList);
        return;
    }
    TSpellBook& book = document.Book();
    const int32_t level = document.SpellLevel();
    // The spells of the level the book lacks; the draw picks among them. Both
    // books keep the same order, so one walk through each finds them.
    std::vector<const tSpell*> missing;
    book.SeekLevel(level);
    for (master->SeekLevel(level); const tSpell* spell = master->CurrentSpell(); master->Next()) {
        if (spell->Level != level) {
            break;
        }
        while (book.CurrentSpell() && book.CurrentSpell()->Level == level &&
               CompareSpells(*book.CurrentSpell(), *spell) < 0) {
            book.Next();
        }
        const tSpell* held = book.CurrentSpell();
        if (!held || held->Level != level || CompareSpells(*held, *spell) != 0) {
            missing.push_back(spell);
        }
    }
    if (missing.empty()) {
        return;
    }
    const tSpell* drawn = nullptr;
    do {
        drawn = missing[static_cast<size_t>(RandomInt(static_cast<int32_t>(missing.size())))];
    } while (!OddsDrawAccepts(drawn->Frequency));
    document.Change(AddRandomSpellStep,
                    [&](tBookChanges& changes) { AddSpellWithQuestion(document, changes, drawn->Copy()); });
    document.Refresh();
}

void FillBookCommand(tSpellBookDocument& document, TSpellBook* master) {
    tWorking working(document.UserInterface(), WorkingFillingSpellbook);
    document.Change(FillBookStep,
                    [&](tBookChanges& changes) {
                        std::vector<tSpell*> added;
                        FillBook(&changes.Book(), master, &document.Specialties(), &added);
                        for (tSpell* spell : added) {
                            changes.Added(spell);
                        }
                    },
                    {.Marks = false});
    document.Refresh();
}
