#include "files/SpellListFile.h"

#include "files/AtomicWrite.h"
#include "files/SpellLine.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

bool HoldsText(std::string_view line) {
    for (const char c : line) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0 || u > 32) {
            return true;
        }
    }
    return false;
}

} // namespace

bool ReadSpellLines(tLineReader& reader, TSpellBook& book, const std::string* firstLine) {
    // The spells are gathered, put in order when the file had them out of
    // order, and handed to the book in order, so the book links each at its
    // end: a large unsorted file costs n log n, not the n squared of inserting
    // every spell by walking the book. Each spell carries its search key, so
    // that most comparisons are of two integers.
    struct tRead {
        tSpellKey Key;
        std::unique_ptr<tSpell> Spell;
    };
    const auto compare = [](const tRead& a, const tRead& b) {
        return CompareKeyed(a.Key, *a.Spell, b.Key, *b.Spell);
    };
    std::vector<tRead> spells;
    bool ordered = true; // strictly ascending so far: no sorting, no equal spells
    bool text = false;
    const auto take = [&](std::string_view line) {
        if (std::unique_ptr<tSpell> spell = ParseSpellLine(line)) {
            tRead read{SpellKeyOf(*spell), std::move(spell)};
            if (ordered && !spells.empty() && compare(read, spells.back()) <= 0) {
                ordered = false;
            }
            spells.push_back(std::move(read));
        } else if (!text) {
            text = HoldsText(line);
        }
    };
    if (firstLine) {
        take(*firstLine);
    }
    std::string line;
    while (reader.ReadLine(line)) {
        take(line);
    }
    if (!ordered) {
        // Stable, so of equal spells the one read first comes first and is kept.
        std::stable_sort(spells.begin(), spells.end(),
                         [&compare](const tRead& a, const tRead& b) { return compare(a, b) < 0; });
    }
    // Of equal spells (next to each other now) the first is kept.
    std::vector<std::unique_ptr<tSpell>> inOrder;
    inOrder.reserve(spells.size());
    const tSpellKey* keptKey = nullptr;
    const tSpell* kept = nullptr;
    for (tRead& read : spells) {
        if (!ordered && kept && CompareKeyed(read.Key, *read.Spell, *keptKey, *kept) == 0) {
            continue; // released with the vector
        }
        keptKey = &read.Key;
        kept = read.Spell.get();
        inOrder.push_back(std::move(read.Spell));
    }
    book.AddSpellsInOrder(inOrder);
    return text || !spells.empty();
}

void WriteSpellLines(TSpellBook& book, std::ostream& out) {
    for (book.First(); book.Current(); book.Next()) {
        WriteTextLine(out, FormatSpellLine(*book.CurrentSpell()));
    }
    WriteTextLine(out, " ");
}

std::unique_ptr<TSpellBook> ReadSpellList(std::istream& in, FileError* error) {
    tLineReader reader(in);
    auto book = TSpellBook::Create(0, 0, 0, std::string());
    const bool text = ReadSpellLines(reader, *book);
    const FileError warning = text && book->Count() == 0 ? FileError::NoSpells : FileError::None;
    return FinishRead(reader, std::move(book), error, warning);
}

std::unique_ptr<TSpellBook> ReadSpellList(const std::string& path, FileError* error) {
    return ReadFromPath(path, error, [](std::istream& in, FileError* e) { return ReadSpellList(in, e); });
}

bool WriteSpellList(TSpellBook& book, std::ostream& out) {
    WriteSpellLines(book, out);
    out.flush();
    return !out.fail();
}

bool WriteSpellList(TSpellBook& book, const std::string& path, FileError* error) {
    return WriteFileAtomically(
        path, [&book](std::ostream& out) { return WriteSpellList(book, out); }, error);
}
