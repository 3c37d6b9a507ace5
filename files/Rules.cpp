#include "files/Rules.h"

#include "files/Odds.h"
#include "files/RuleTables.h"
#include "model/Parser.h"
#include "model/Random.h"
#include "model/Text.h"

#include <algorithm>
#include <string_view>
#include <tuple>
#include <unordered_set>

namespace {

// The texts sorted ignoring ASCII case, with one of each group of texts equal
// ignoring case: the first in the given order. A sort and one pass, so a list
// of hundreds of thousands of texts costs n log n. The sort runs over folded
// copies kept side by side (the order CompareTextAscii gives), which is much
// kinder to the memory cache than comparing texts scattered over the book.
std::vector<std::string> SortedDistinct(const std::vector<std::string_view>& all) {
    // Repeats of the same bytes are dropped first: a master list holds few
    // titles, each on many spells.
    std::unordered_set<std::string_view> seen;
    std::vector<std::string_view> texts;
    for (const std::string_view text : all) {
        if (seen.insert(text).second) {
            texts.push_back(text);
        }
    }
    struct tKeyed {
        std::string Key;
        size_t Index;
    };
    std::vector<tKeyed> keyed;
    keyed.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        keyed.push_back({AsciiUpperCase(texts[i]), i});
    }
    std::sort(keyed.begin(), keyed.end(), [](const tKeyed& a, const tKeyed& b) {
        return std::tie(a.Key, a.Index) < std::tie(b.Key, b.Index);
    });
    std::vector<std::string> distinct;
    for (size_t i = 0; i < keyed.size(); ++i) {
        if (i == 0 || keyed[i].Key != keyed[i - 1].Key) {
            distinct.emplace_back(texts[keyed[i].Index]);
        }
    }
    return distinct;
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

int32_t NumberPerDay(const TSpellBook& book, int32_t level) {
    const int32_t bonus = book.Specialty == "Generalist" ? 0 : 1;
    return SpellsPerDay(book.CasterLevel, level) + bonus;
}

std::vector<std::unique_ptr<tSpell>> PurgeIllegalSpells(TSpellBook& book, tSpecialtyList& specialties) {
    std::vector<std::unique_ptr<tSpell>> removed;
    book.First();
    while (const tSpell* spell = book.CurrentSpell()) {
        if (IsSpellLegal(spell, &book, &specialties)) {
            book.Next();
            continue;
        }
        // After the removal the cursor is on the predecessor, or on the
        // follower itself when the first spell went; go on with the follower
        // either way.
        const tSpell* follower = book.Current()->Next->Data; // none after the last spell
        if (book.ReferencesOnly) {
            removed.push_back(spell->Copy());
            book.DeleteCurrent();
        } else {
            removed.push_back(book.TakeCurrent());
        }
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
    return SortedDistinct(titles);
}

std::vector<std::string> CategoryNames(TSpellBook& book) {
    // Each category text is split once, however many spells carry it; the
    // fields still come in the order they are first met.
    std::unordered_set<std::string_view> split;
    std::vector<std::string> names;
    for (book.First(); book.Current(); book.Next()) {
        const std::string& category = book.CurrentSpell()->Category;
        if (!split.insert(category).second) {
            continue;
        }
        tMyParser commas(category, ',', '"');
        tMyParser semicolons(category, ';', '"');
        tMyParser& fields = semicolons.Count() >= commas.Count() ? semicolons : commas;
        for (fields.First(); fields.Current(); fields.Next()) {
            names.push_back(fields.FieldText());
        }
    }
    return SortedDistinct(std::vector<std::string_view>(names.begin(), names.end()));
}
