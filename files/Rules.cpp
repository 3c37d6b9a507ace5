#include "files/Rules.h"

#include "files/Odds.h"
#include "files/RuleTables.h"
#include "model/Parser.h"
#include "model/Random.h"
#include "model/Text.h"

#include <algorithm>

namespace {

// Adds text to a list kept sorted ignoring ASCII case, unless a text equal to
// it ignoring case is listed already.
void AddDistinct(std::vector<std::string>& list, const std::string& text) {
    const auto at =
        std::lower_bound(list.begin(), list.end(), text, [](const std::string& a, const std::string& b) {
            return CompareTextAscii(a, b) < 0;
        });
    if (at != list.end() && CompareTextAscii(*at, text) == 0) {
        return;
    }
    list.insert(at, text);
}

void AddFields(std::vector<std::string>& list, tMyParser& fields) {
    for (fields.First(); fields.Current(); fields.Next()) {
        AddDistinct(list, fields.FieldText());
    }
}

} // namespace

bool IsSpellLegal(const tSpell* spell, const TSpellBook* book, tSpecialtyList* specialties) {
    if (!spell || !book || !specialties) {
        return true;
    }
    if (SpellsPerDay(book->CasterLevel, spell->Level) == 0) {
        return false;
    }
    if (spell->Frequency < book->Frequency) {
        return false;
    }
    return specialties->AffinityByName(book->Specialty, spell) != AffinityProhibited;
}

std::vector<std::unique_ptr<tSpell>> PurgeIllegalSpells(TSpellBook& book, tSpecialtyList& specialties) {
    std::vector<std::unique_ptr<tSpell>> removed;
    book.First();
    while (const tSpell* spell = book.CurrentSpell()) {
        if (IsSpellLegal(spell, &book, &specialties)) {
            book.Next();
            continue;
        }
        removed.push_back(spell->Copy());
        // After the delete the cursor is on the predecessor, or on the follower
        // itself when the first spell went; go on with the follower either way.
        const tSpell* follower = book.Current()->Next->Data; // none after the last spell
        book.DeleteCurrent();
        if (book.CurrentSpell() != follower) {
            book.Next();
        }
    }
    return removed;
}

bool OddsDrawAccepts(int32_t frequency) {
    return RandomInt(OddsFor(frequency)) == 0; // RandomInt gives 0 for a bound below 2
}

std::vector<std::string> BookTitles(TSpellBook& book) {
    std::vector<std::string> titles;
    for (book.First(); book.Current(); book.Next()) {
        AddDistinct(titles, book.CurrentSpell()->Book);
    }
    return titles;
}

std::vector<std::string> CategoryNames(TSpellBook& book) {
    std::vector<std::string> names;
    for (book.First(); book.Current(); book.Next()) {
        const std::string& category = book.CurrentSpell()->Category;
        tMyParser commas(category, ',', '"');
        tMyParser semicolons(category, ';', '"');
        AddFields(names, semicolons.Count() >= commas.Count() ? semicolons : commas);
    }
    return names;
}
