#include "files/SpellListFile.h"

#include "files/AtomicWrite.h"
#include "files/SpellLine.h"
#include "model/Text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>
#include <tuple>
#include <utility>
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
    // While the lines come in strict book order (the shape of every file the
    // program saves), each line's spell is made at once and kept in a vector
    // that the book links at its end. At the first line out of order, the
    // spells made so far and every line after are read into records of their
    // values, each name copied into one text store, with a small entry holding
    // its search key. The entries are sorted (by the keys, nearly always
    // integers), and then the spells are made in book order and handed to the
    // book. So a large unsorted file costs n log n, not the n squared of
    // inserting every spell by walking the book, and its spells lie in memory
    // in book order, as after reading a sorted file.
    // A record fills half a cache line and never straddles two: after the
    // sort the records are fetched in no order, one line each.
    struct alignas(32) tRecord {
        size_t NameAt;
        size_t NameSize;
        tSharedText Book;
        tSharedText Category;
        int32_t Page;
        int8_t Level;     // 1 to 9
        int8_t Frequency; // a frequency code, -4 to 0
        bool Memorized;
    };
    static_assert(sizeof(tRecord) == 32);
    struct tEntry {
        tSpellKey Key;
        size_t Record;
    };
    std::vector<std::unique_ptr<tSpell>> inOrder;
    tSpellKey lastKey;
    std::vector<tRecord> records;
    std::vector<tEntry> entries;
    std::string names;
    const auto nameOf = [&](const tEntry& entry) {
        const tRecord& record = records[entry.Record];
        return std::string_view(names).substr(record.NameAt, record.NameSize);
    };
    // The book's order of two spells by key, then (for equal keys, which
    // hold the same level) by name.
    const auto compareKeys = [](const tSpellKey& a, const tSpellKey& b) {
        if (a == b) {
            return 0;
        }
        return std::tie(a.High, a.Mid, a.Low) < std::tie(b.High, b.Mid, b.Low) ? -1 : 1;
    };
    const auto compareEntries = [&](const tEntry& a, const tEntry& b) {
        const int32_t order = compareKeys(a.Key, b.Key);
        return order != 0 ? order : CompareTextAscii(nameOf(a), nameOf(b));
    };
    const auto record = [&](const tSpellKey& key, int32_t level, std::string_view name, tSharedText bookTitle,
                            int32_t page, int32_t frequency, tSharedText category, bool memorized) {
        entries.push_back({key, records.size()});
        records.push_back({names.size(), name.size(), std::move(bookTitle), std::move(category), page,
                           static_cast<int8_t>(level), static_cast<int8_t>(frequency), memorized});
        names.append(name);
    };
    bool ordered = true; // strictly ascending so far: no sorting, no equal spells
    bool text = false;
    bool anySpell = false;
    tSpellLineFields fields;
    // Lines near one another mostly name the same few books and categories:
    // the last two of each are kept at hand, sparing a look-up in the shared
    // texts.
    std::array<tSharedText, 2> lastBooks;
    std::array<tSharedText, 2> lastCategories;
    const auto shared = [](std::array<tSharedText, 2>& last, std::string_view value) -> const tSharedText& {
        if (std::string_view(last[0]) == value) {
            return last[0];
        }
        if (std::string_view(last[1]) != value) {
            last[1] = tSharedText(value);
        }
        std::swap(last[0], last[1]);
        return last[0];
    };
    // Takes the spell whose values are in fields.
    const auto takeFields = [&] {
        anySpell = true;
        const tSpellKey key = SpellKeyOf(fields.Level, fields.Name);
        if (ordered) {
            int32_t order = 1;
            if (!inOrder.empty() && (order = compareKeys(key, lastKey)) == 0) {
                order = CompareTextAscii(fields.Name, inOrder.back()->Name);
            }
            if (order > 0) {
                inOrder.push_back(std::make_unique<tSpell>(
                    fields.Level, fields.Name, shared(lastBooks, fields.Book), fields.Page, fields.Frequency,
                    shared(lastCategories, fields.Category), fields.Memorized));
                lastKey = key;
                return;
            }
            ordered = false;
            // Room for the lines still to come, as many as the bytes left
            // would make at a short line's length, so that the arrays are not
            // moved while they grow.
            const size_t bytesLeft = reader.BytesLeftHint();
            const size_t expected = inOrder.size() * 2 + bytesLeft / 40;
            records.reserve(expected);
            entries.reserve(expected);
            names.reserve(bytesLeft / 4);
            for (const std::unique_ptr<tSpell>& spell : inOrder) {
                record(SpellKeyOf(*spell), spell->Level, spell->Name, std::move(spell->Book), spell->Page,
                       spell->Frequency, std::move(spell->Category), spell->Memorized);
            }
            inOrder.clear();
        }
        record(key, fields.Level, fields.Name, shared(lastBooks, fields.Book), fields.Page, fields.Frequency,
               shared(lastCategories, fields.Category), fields.Memorized);
    };
    const auto take = [&](std::string_view line) {
        if (ParseSpellLineFields(line, fields)) {
            takeFields();
        } else {
            text = text || HoldsText(line);
        }
    };
    if (firstLine) {
        take(*firstLine);
    }
    // A line in the shape the program writes is read where it lies in the
    // reader's buffer, its fields and its end found in one pass; any other
    // line is read as a line first.
    for (;;) {
        if (const size_t used = ParseWrittenSpellLineInBuffer(reader.Buffered(), fields)) {
            reader.Consume(used);
            takeFields();
            continue;
        }
        std::string_view line;
        if (!reader.ReadLine(line)) {
            break;
        }
        take(line);
    }
    if (!ordered) {
        // Of equal spells the one read first comes first, and is kept. The
        // entries are sorted by their keys and, for equal keys, in the order
        // read; then each run of equal keys (rare: names alike in their
        // first 20 bytes) is put in order by name, keeping the order read
        // for equal names.
        //
        // The entries, in the order read, are dealt by the first key byte in
        // which they differ into buckets that keep that order, and so on
        // within each bucket (bytes all entries share, such as a common
        // beginning of their names, are passed over), down to buckets small
        // enough for a sort by comparison. A bucket whose keys are all equal
        // is left in the order read.
        const auto entryLess = [](const tEntry& a, const tEntry& b) {
            if (a.Key.High != b.Key.High) {
                return a.Key.High < b.Key.High;
            }
            if (a.Key.Mid != b.Key.Mid) {
                return a.Key.Mid < b.Key.Mid;
            }
            return a.Key.Low != b.Key.Low ? a.Key.Low < b.Key.Low : a.Record < b.Record;
        };
        const auto keyByte = [](const tSpellKey& key, int byte) {
            const uint64_t word = byte < 8 ? key.High : byte < 16 ? key.Mid : key.Low;
            return static_cast<size_t>(word >> (56 - 8 * (byte % 8)) & 0xFF);
        };
        // Each pass deals a range from the array holding it into the other
        // one; a range that is done goes back to entries once, if it is not
        // there already.
        std::vector<tEntry> dealt(entries.size());
        struct tRange {
            size_t From;
            size_t To;
            bool InDealt; // the range's entries lie in dealt, not entries
        };
        std::vector<tRange> ranges{{0, entries.size(), false}};
        std::array<size_t, 257> starts{};
        std::array<size_t, 256> dealAt{};
        while (!ranges.empty()) {
            const tRange range = ranges.back();
            ranges.pop_back();
            std::vector<tEntry>& source = range.InDealt ? dealt : entries;
            std::vector<tEntry>& target = range.InDealt ? entries : dealt;
            const auto begin = source.begin() + static_cast<std::ptrdiff_t>(range.From);
            const auto end = source.begin() + static_cast<std::ptrdiff_t>(range.To);
            const auto finish = [&] {
                if (range.InDealt) {
                    std::copy(begin, end, entries.begin() + static_cast<std::ptrdiff_t>(range.From));
                }
            };
            if (range.To - range.From <= 48) {
                std::sort(begin, end, entryLess);
                finish();
                continue;
            }
            // The first byte in which the keys differ.
            const tSpellKey first = begin->Key;
            uint64_t high = 0;
            uint64_t mid = 0;
            uint64_t low = 0;
            for (auto e = begin; e != end; ++e) {
                high |= e->Key.High ^ first.High;
                mid |= e->Key.Mid ^ first.Mid;
                low |= e->Key.Low ^ first.Low;
            }
            const int byte = high != 0  ? std::countl_zero(high) / 8
                             : mid != 0 ? 8 + std::countl_zero(mid) / 8
                             : low != 0 ? 16 + std::countl_zero(low) / 8
                                        : 24;
            if (byte == 24) {
                finish();
                continue;
            }
            starts.fill(0);
            for (auto e = begin; e != end; ++e) {
                ++starts[keyByte(e->Key, byte) + 1];
            }
            for (size_t b = 0; b < 256; ++b) {
                starts[b + 1] += starts[b];
            }
            std::copy(starts.begin(), starts.end() - 1, dealAt.begin());
            for (auto e = begin; e != end; ++e) {
                target[range.From + dealAt[keyByte(e->Key, byte)]++] = *e;
            }
            for (size_t b = 0; b < 256; ++b) {
                const size_t from = range.From + starts[b];
                const size_t to = range.From + starts[b + 1];
                if (to - from > 1) {
                    ranges.push_back({from, to, !range.InDealt});
                } else if (to - from == 1 && !range.InDealt) {
                    entries[from] = dealt[from];
                }
            }
        }
        for (auto run = entries.begin(); run != entries.end();) {
            const auto next = std::find_if(run + 1, entries.end(),
                                           [&run](const tEntry& entry) { return !(entry.Key == run->Key); });
            if (next - run > 1) {
                std::stable_sort(run, next, [&nameOf](const tEntry& a, const tEntry& b) {
                    return CompareTextAscii(nameOf(a), nameOf(b)) < 0;
                });
            }
            run = next;
        }
        inOrder.reserve(entries.size());
        const tEntry* kept = nullptr;
        for (size_t i = 0; i < entries.size(); ++i) {
            const tEntry& entry = entries[i];
            // After a sort the records lie in no order: the ones needed a few
            // steps on are fetched ahead.
            if (i + 16 < entries.size()) {
                __builtin_prefetch(&records[entries[i + 16].Record]);
                const tRecord& ahead = records[entries[i + 8].Record];
                __builtin_prefetch(names.data() + ahead.NameAt);
            }
            if (kept && compareEntries(entry, *kept) == 0) {
                continue;
            }
            kept = &entry;
            tRecord& listed = records[entry.Record];
            inOrder.push_back(std::make_unique<tSpell>(listed.Level, nameOf(entry), std::move(listed.Book),
                                                       listed.Page, listed.Frequency,
                                                       std::move(listed.Category), listed.Memorized));
        }
    }
    book.AddSpellsInOrder(inOrder);
    return text || anySpell;
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
