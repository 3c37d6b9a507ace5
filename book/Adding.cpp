#include "book/Adding.h"

#include "files/Rules.h"

std::string InvalidSpellQuestion(const std::string& name) {
    return "Added spell...\r\n--->  " + name + "  <---\r\nis invalid for this spellbook";
}

bool AddSpellWithQuestion(tSpellBookDocument& document, std::unique_ptr<tSpell> spell) {
    TSpellBook& book = document.Book();
    if (!IsSpellLegal(spell.get(), &book, &document.Specialties()) &&
        document.UserInterface().AskOkCancel(InvalidSpellQuestion(spell->Name), tMessageKind::Information) !=
            tAnswer::Ok) {
        return false;
    }
    if (!book.AddSpell(spell)) {
        return false;
    }
    book.Modified = true;
    return true;
}
