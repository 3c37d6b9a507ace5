#include "files/Rules.h"

#include "files/Odds.h"
#include "files/RuleTables.h"
#include "model/Parser.h"
#include "model/Random.h"
#include "model/Text.h"

#include <algorithm>
#include <string_view>

namespace {

// The texts sorted ignoring ASCII case, with one of each group of texts equal
// ignoring case: the first in the given order. A sort and one pass, so a list
// of hundreds of thousands of texts costs n log n.
std::vector<std::string> SortedDistinct(std::vector<std::string_view> texts) {
    std::stable_sort(texts.begin(), texts.end(),
                     [](std::string_view a, std::string_view b) { return CompareTextAscii(a, b) < 0; });
    const auto end = std::unique(texts.begin(), texts.end(), [](std::string_view a, std::string_view b) {
        return CompareTextAscii(a, b) == 0;
    });
    return std::vector<std::string>(texts.begin(), end);
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
    std::vector<std::string_view> titles;
    titles.reserve(static_cast<size_t>(book.Count()));
    for (book.First(); book.Current(); book.Next()) {
        titles.emplace_back(book.CurrentSpell()->Book);
    }
    return SortedDistinct(std::move(titles));
}

std::vector<std::string> CategoryNames(TSpellBook& book) {
    std::vector<std::string> names;
    for (book.First(); book.Current(); book.Next()) {
        const std::string& category = book.CurrentSpell()->Category;
        tMyParser commas(category, ',', '"');
        tMyParser semicolons(category, ';', '"');
        tMyParser& fields = semicolons.Count() >= commas.Count() ? semicolons : commas;
        for (fields.First(); fields.Current(); fields.Next()) {
            names.push_back(fields.FieldText());
        }
    }
    return SortedDistinct(std::vector<std::string_view>(names.begin(), names.end()));
}
