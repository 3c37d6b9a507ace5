#include "files/SpellListFile.h"

#include "files/AtomicWrite.h"
#include "files/FileFormat.h"
#include "files/SpellLine.h"
#include "model/Text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>
#include <tuple>
#include <unordered_map>
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

// Whether a and b hold the same bytes: for the short texts of spell lines,
// a few loads instead of a library call.
[[gnu::always_inline]] inline bool SameBytes(std::string_view a, std::string_view b) {
    const size_t n = a.size();
    if (n != b.size()) {
        return false;
    }
    const auto word = [](const char* at) {
        uint64_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    };
    const auto half = [](const char* at) {
        uint32_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    };
    if (n >= 8 && n <= 16) {
        return word(a.data()) == word(b.data()) && word(a.data() + n - 8) == word(b.data() + n - 8);
    }
    if (n > 16 && n <= 32) {
        return word(a.data()) == word(b.data()) && word(a.data() + 8) == word(b.data() + 8) &&
               word(a.data() + n - 16) == word(b.data() + n - 16) &&
               word(a.data() + n - 8) == word(b.data() + n - 8);
    }
    if (n >= 4 && n < 8) {
        return half(a.data()) == half(b.data()) && half(a.data() + n - 4) == half(b.data() + n - 4);
    }
    if (n > 0 && n < 4) {
        return a[0] == b[0] && a[n / 2] == b[n / 2] && a[n - 1] == b[n - 1];
    }
    return a == b;
}

// The distinct source books and categories of one file, numbered in the
// order met (0 is the empty text): records of spells hold the numbers, and
// spells the shared texts.
class tFileTexts {
public:
    tFileTexts() : Texts(1), Views(1) { Numbers.emplace(Texts[0].data(), 0); }

    // The number of value. Lines near one another mostly name the same few
    // texts: the two numbers last given through recent (most recent first)
    // are tried first, sparing a look-up.
    [[gnu::always_inline]] uint32_t NumberOf(std::string_view value, std::array<uint32_t, 2>& recent) {
        if (SameBytes(Views[recent[0]], value)) {
            return recent[0];
        }
        std::swap(recent[0], recent[1]);
        if (SameBytes(Views[recent[0]], value)) {
            return recent[0];
        }
        return NumberOfAnother(value, recent);
    }

    const tSharedText& Text(uint32_t number) const { return Texts[number]; }

private:
    // The number of a text other than the recent two, which becomes the
    // most recent in place of the one used longer ago.
    uint32_t NumberOfAnother(std::string_view value, std::array<uint32_t, 2>& recent) {
        tSharedText text(value);
        const auto [found, added] = Numbers.try_emplace(text.data(), static_cast<uint32_t>(Texts.size()));
        if (added) {
            Views.emplace_back(text);
            Texts.push_back(std::move(text));
        }
        recent[0] = found->second;
        return recent[0];
    }

    std::vector<tSharedText> Texts;
    std::vector<std::string_view> Views;               // each text's bytes, where its shared copy keeps them
    std::unordered_map<const char*, uint32_t> Numbers; // by where a shared copy keeps its bytes
};

// The values of a spell read from a line out of order, kept until the
// spells are sorted.
constexpr size_t NameRoom = 36; // bytes of a name kept in its record
struct alignas(64) tRecord {
    char Name[NameRoom]; // the name, when it fits
    uint32_t NameSize;
    size_t NameAt; // where in names a longer name lies
    uint32_t Book; // numbers of texts
    uint32_t Category;
    int32_t Page;
    int8_t Level;     // 1 to 9
    int8_t Frequency; // a frequency code, -4 to 0
    bool Memorized;
    bool Repeated; // equal to a spell read before it
};
static_assert(sizeof(tRecord) == 64);

// The records in blocks that grow from 4 KiB, doubling, to 64 KiB, and then
// are 16 MiB each: growing moves none, a small read takes little, and blocks
// that large are mapped by the allocator on their own, so that a large block
// given back goes back to the system at once (in blocks a little smaller
// they stayed with the program: 10 to 24 MB more resident memory after
// reading a shuffled list of 500,000 spells).
class tRecords {
public:
    tRecord& Add() {
        const auto [block, at] = Place(Count);
        if (block == Blocks.size()) {
            Blocks.push_back(
                std::make_unique_for_overwrite<tRecord[]>(block < SmallBlocks ? First << block : Large));
        }
        ++Count;
        return Blocks[block][at];
    }
    size_t size() const { return Count; }
    void Release() {
        std::vector<std::unique_ptr<tRecord[]>>().swap(Blocks);
        Count = 0;
        Released = 0;
    }
    // Gives back the blocks that lie wholly before the record at at.
    void ReleaseBefore(size_t at) {
        for (const size_t block = Place(at).first; Released < block; ++Released) {
            Blocks[Released].reset();
        }
    }
    tRecord& operator[](size_t at) {
        const auto [block, inBlock] = Place(at);
        return Blocks[block][inBlock];
    }
    const tRecord& operator[](size_t at) const {
        const auto [block, inBlock] = Place(at);
        return Blocks[block][inBlock];
    }

private:
    static constexpr size_t First = (size_t{4} << 10) / sizeof(tRecord);
    static constexpr size_t SmallBlocks = 5; // of First, twice First ... 16 times First records
    static constexpr size_t InSmall = First * ((size_t{1} << SmallBlocks) - 1);
    static constexpr size_t Large = (size_t{16} << 20) / sizeof(tRecord);

    // The block of the record at, and its place there.
    static std::pair<size_t, size_t> Place(size_t at) {
        if (at >= InSmall) {
            return {SmallBlocks + (at - InSmall) / Large, (at - InSmall) % Large};
        }
        const size_t block = static_cast<size_t>(std::bit_width(at / First + 1)) - 1;
        return {block, at - First * ((size_t{1} << block) - 1)};
    }

    std::vector<std::unique_ptr<tRecord[]>> Blocks;
    size_t Count = 0;
    size_t Released = 0; // blocks given back, from the first
};

} // namespace

bool ReadSpellLines(tLineReader& reader, TSpellBook& book, const std::string* firstLine) {
    // While the lines come in strict book order (the shape of every file the
    // program saves), each line's spell is made at once and handed to the
    // book, which links it at its end. At the first line out of order, the
    // spells not yet handed over and every line after are read into records
    // of their values (with the name, or a longer name kept apart), with a
    // small entry holding the search key. The entries are sorted, the
    // records put in their order, and then the spells are made in book
    // order and handed to the book, each block of records given back once
    // its spells are made. So a large unsorted file costs no more than a
    // sort, not the n squared of inserting every spell by walking the book;
    // its spells lie in memory in book order, as after reading a sorted
    // file; and the records and the spells take little more memory together
    // than the larger of them.
    struct tEntry {
        tSpellKey Key;
        size_t Record;
    };
    // Spells made in book order go to the book a few hundred at a time, while
    // they are still at hand in the cache.
    std::vector<std::unique_ptr<tSpell>> inOrder;
    constexpr size_t Batch = 256;
    const auto keep = [&](std::unique_ptr<tSpell> spell) {
        inOrder.push_back(std::move(spell));
        if (inOrder.size() == Batch) {
            book.AddSpellsInOrder(inOrder);
            inOrder.clear();
        }
    };
    const tSpell* lastSpell = nullptr; // the last spell taken in order
    tSpellKey lastKey;
    tRecords records;
    std::vector<tEntry> entries;
    std::string names; // the names too long for their records
    // The book's order of two spells by key, then (for equal keys, which
    // hold the same level) by name.
    const auto compareKeys = [](const tSpellKey& a, const tSpellKey& b) {
        if (a == b) {
            return 0;
        }
        return std::tie(a.High, a.Mid, a.Low) < std::tie(b.High, b.Mid, b.Low) ? -1 : 1;
    };
    const auto record = [&](const tSpellKey& key, int32_t level, std::string_view name, uint32_t bookTitle,
                            int32_t page, int32_t frequency, uint32_t category, bool memorized) {
        entries.push_back({key, records.size()});
        tRecord& added = records.Add();
        added.NameSize = static_cast<uint32_t>(name.size());
        if (name.size() <= NameRoom) {
            std::memcpy(added.Name, name.data(), name.size());
        } else {
            added.NameAt = names.size();
            names.append(name);
        }
        added.Book = bookTitle;
        added.Category = category;
        added.Page = page;
        added.Level = static_cast<int8_t>(level);
        added.Frequency = static_cast<int8_t>(frequency);
        added.Memorized = memorized;
        added.Repeated = false;
    };
    const auto nameOf = [&names](const tRecord& listed) {
        return listed.NameSize <= NameRoom ? std::string_view(listed.Name, listed.NameSize)
                                           : std::string_view(names).substr(listed.NameAt, listed.NameSize);
    };
    bool ordered = true; // strictly ascending so far: no sorting, no equal spells
    bool text = false;
    bool anySpell = false;
    tSpellLineFields fields;
    tFileTexts texts;
    std::array<uint32_t, 2> lastBooks{};
    std::array<uint32_t, 2> lastCategories{};
    // Takes the spell whose values are in fields.
    const auto takeFields = [&] {
        anySpell = true;
        const tSpellKey key = SpellKeyOf(fields.Level, fields.Name);
        if (ordered) {
            int32_t order = 1;
            if (lastSpell && (order = compareKeys(key, lastKey)) == 0) {
                order = CompareTextAscii(fields.Name, lastSpell->Name);
            }
            if (order > 0) {
                // Both numbers first: numbering a new text may move the others.
                const uint32_t bookTitle = texts.NumberOf(fields.Book, lastBooks);
                const uint32_t category = texts.NumberOf(fields.Category, lastCategories);
                auto spell =
                    std::make_unique<tSpell>(fields.Level, fields.Name, texts.Text(bookTitle), fields.Page,
                                             fields.Frequency, texts.Text(category), fields.Memorized);
                lastSpell = spell.get();
                keep(std::move(spell));
                lastKey = key;
                return;
            }
            ordered = false;
            // The spells not yet in the book are sorted with the rest; the
            // ones in it stay. The entries get room for the lines still to
            // come, as many as the bytes left would make at a short line's
            // length, so that they are not moved while they grow.
            const size_t bytesLeft = reader.BytesLeftHint();
            entries.reserve(inOrder.size() * 2 + bytesLeft / 40);
            for (const std::unique_ptr<tSpell>& spell : inOrder) {
                record(SpellKeyOf(*spell), spell->Level, spell->Name, texts.NumberOf(spell->Book, lastBooks),
                       spell->Page, spell->Frequency, texts.NumberOf(spell->Category, lastCategories),
                       spell->Memorized);
            }
            inOrder.clear();
        }
        record(key, fields.Level, fields.Name, texts.NumberOf(fields.Book, lastBooks), fields.Page,
               fields.Frequency, texts.NumberOf(fields.Category, lastCategories), fields.Memorized);
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
        // Of equal spells the one read first comes first, and is kept: the
        // entries are sorted by key, for equal keys (names alike in their
        // first bytes) by name, and for equal names in the order read.
        std::sort(entries.begin(), entries.end(), [&](const tEntry& a, const tEntry& b) {
            if (const int32_t order = compareKeys(a.Key, b.Key); order != 0) {
                return order < 0;
            }
            if (const int32_t order = CompareTextAscii(nameOf(records[a.Record]), nameOf(records[b.Record]));
                order != 0) {
                return order < 0;
            }
            return a.Record < b.Record;
        });
        // Of equal spells the first is kept. The records are then put in
        // the entries' order where they lie, each moved once along the
        // cycles of that order: from[i] is the record that goes to place i,
        // and i once it is there.
        std::vector<size_t> from(entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            from[i] = entries[i].Record;
            if (i > 0 && entries[i].Key == entries[i - 1].Key &&
                CompareTextAscii(nameOf(records[from[i]]), nameOf(records[from[i - 1]])) == 0) {
                records[from[i]].Repeated = true;
            }
        }
        std::vector<tEntry>().swap(entries);
        for (size_t start = 0; start < from.size(); ++start) {
            if (from[start] == start) {
                continue;
            }
            const tRecord first = records[start];
            size_t to = start;
            while (from[to] != start) {
                records[to] = records[from[to]];
                to = std::exchange(from[to], to);
            }
            records[to] = first;
            from[to] = to;
        }
        std::vector<size_t>().swap(from);
        for (size_t i = 0; i < records.size(); ++i) {
            records.ReleaseBefore(i);
            const tRecord& listed = records[i];
            if (listed.Repeated) {
                continue;
            }
            keep(std::make_unique<tSpell>(listed.Level, nameOf(listed), texts.Text(listed.Book), listed.Page,
                                          listed.Frequency, texts.Text(listed.Category), listed.Memorized));
        }
        book.AddSpellsInOrder(inOrder);
        inOrder.clear();
        records.Release();
        std::string().swap(names);
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

namespace {

class tSpellListFormat final : public tFileFormat {
public:
    std::string_view Name() const override { return "list"; }
    std::string_view Extension() const override { return "dat"; }
    std::string_view DialogFilter() const override { return "*.DAT (data files)|*.DAT"; }
    bool Own() const override { return true; }
    bool KeepsHeader() const override { return false; }
    bool CanRead() const override { return true; }
    bool CanWrite() const override { return true; }

    std::unique_ptr<TSpellBook> Read(std::istream& in, tFormatError& error) const override {
        return ReadSpellList(in, &error.Error);
    }
    bool Write(TSpellBook& book, const std::string& /*caption*/, std::ostream& out,
               tFormatError& error) const override {
        if (!WriteSpellList(book, out)) {
            error.Error = FileError::CannotWrite;
            return false;
        }
        return true;
    }
};

} // namespace

const tFileFormat& SpellListFormat() {
    static const tSpellListFormat format;
    return format;
}
