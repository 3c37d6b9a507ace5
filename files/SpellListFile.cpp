#include "files/SpellListFile.h"

#include "files/AtomicWrite.h"
#include "files/SpellLine.h"

#include <algorithm>
#include <vector>

namespace {

bool HoldsText(const std::string& line) {
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
    // tail: a large unsorted file costs n log n, not the n squared of inserting
    // every spell by walking the book.
    std::vector<std::unique_ptr<tSpell>> spells;
    bool ordered = true; // strictly ascending so far: no sorting, no equal spells
    bool text = false;
    const auto take = [&spells, &ordered, &text](const std::string& line) {
        if (std::unique_ptr<tSpell> spell = ParseSpellLine(line)) {
            if (ordered && !spells.empty() && CompareSpells(*spell, *spells.back()) <= 0) {
                ordered = false;
            }
            spells.push_back(std::move(spell));
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
                         [](const auto& a, const auto& b) { return CompareSpells(*a, *b) < 0; });
    }
    const tSpell* kept = nullptr;
    for (std::unique_ptr<tSpell>& spell : spells) {
        if (!ordered && kept && CompareSpells(*spell, *kept) == 0) {
            continue; // released with the vector
        }
        tSpell* raw = spell.get();
        if (book.AddSpell(spell)) {
            kept = raw;
        }
    }
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
