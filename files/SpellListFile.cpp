#include "files/SpellListFile.h"

#include "files/AtomicWrite.h"
#include "files/SpellLine.h"
#include "model/Text.h"

#include <algorithm>
#include <string_view>
#include <tuple>
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
    // Each spell line is read into a record of its values, its name copied
    // into one text store, and a small entry with its search key. When the
    // file had them out of order the entries are sorted (by the keys, nearly
    // always integers), and then the spells are made in book order and handed
    // to the book, which links each at its end. So a large unsorted file costs
    // n log n, not the n squared of inserting every spell by walking the book,
    // and its spells and names lie in memory in book order, as after reading
    // a sorted file.
    struct tRecord {
        int32_t Level;
        int32_t Page;
        int32_t Frequency;
        bool Memorized;
        size_t NameAt;
        size_t NameSize;
        tSharedText Book;
        tSharedText Category;
    };
    struct tEntry {
        tSpellKey Key;
        size_t Record;
    };
    std::vector<tRecord> records;
    std::vector<tEntry> entries;
    std::string names;
    const auto nameOf = [&](const tEntry& entry) {
        const tRecord& record = records[entry.Record];
        return std::string_view(names).substr(record.NameAt, record.NameSize);
    };
    // The book's order of two entries (equal keys hold the same level).
    const auto compare = [&](const tEntry& a, const tEntry& b) {
        if (a.Key == b.Key) {
            return CompareTextAscii(nameOf(a), nameOf(b));
        }
        return std::tie(a.Key.High, a.Key.Mid, a.Key.Low) < std::tie(b.Key.High, b.Key.Mid, b.Key.Low) ? -1
                                                                                                       : 1;
    };
    bool ordered = true; // strictly ascending so far: no sorting, no equal spells
    bool text = false;
    tSpellLineFields fields;
    const auto take = [&](std::string_view line) {
        if (!ParseSpellLineFields(line, fields)) {
            text = text || HoldsText(line);
            return;
        }
        entries.push_back({SpellKeyOf(fields.Level, fields.Name), records.size()});
        records.push_back({fields.Level, fields.Page, fields.Frequency, fields.Memorized, names.size(),
                           fields.Name.size(), fields.Book, fields.Category});
        names.append(fields.Name);
        if (ordered && entries.size() > 1 && compare(entries.back(), entries[entries.size() - 2]) <= 0) {
            ordered = false;
        }
    };
    if (firstLine) {
        take(*firstLine);
    }
    std::string_view line;
    while (reader.ReadLine(line)) {
        take(line);
    }
    if (!ordered) {
        // Of equal spells the one read first comes first, and is kept.
        std::sort(entries.begin(), entries.end(), [&compare](const tEntry& a, const tEntry& b) {
            const int32_t order = compare(a, b);
            return order != 0 ? order < 0 : a.Record < b.Record;
        });
    }
    std::vector<std::unique_ptr<tSpell>> inOrder;
    inOrder.reserve(entries.size());
    const tEntry* kept = nullptr;
    for (size_t i = 0; i < entries.size(); ++i) {
        const tEntry& entry = entries[i];
        // After a sort the records lie in no order: the ones needed a few
        // steps on are fetched ahead.
        if (!ordered && i + 16 < entries.size()) {
            __builtin_prefetch(&records[entries[i + 16].Record]);
            const tRecord& ahead = records[entries[i + 8].Record];
            __builtin_prefetch(names.data() + ahead.NameAt);
        }
        if (kept && !ordered && compare(entry, *kept) == 0) {
            continue;
        }
        kept = &entry;
        tRecord& record = records[entry.Record];
        inOrder.push_back(std::make_unique<tSpell>(record.Level, std::string(nameOf(entry)),
                                                   std::move(record.Book), record.Page, record.Frequency,
                                                   std::move(record.Category), record.Memorized));
    }
    book.AddSpellsInOrder(inOrder);
    return text || !entries.empty();
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
