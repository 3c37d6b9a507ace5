// The spellbook's level starts, ordered index and node blocks against a plain
// sorted list of the same spells (the list's own linear insertion walk): after
// every step of long random runs of adds, deletes at the cursor, batches
// merged in and taken out, clears, cursor moves and lookups, both hold the
// same spells in the same order and every lookup answers alike, cursor
// included.
#include "model/Random.h"
#include "model/SpellBook.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<int32_t, std::string>> NamesAndLevels(TSpellBook& book) {
    std::vector<std::pair<int32_t, std::string>> spells;
    for (book.First(); book.Current(); book.Next()) {
        spells.emplace_back(book.CurrentLevel(), book.CurrentName());
    }
    return spells;
}

class tDifferentialRun {
public:
    explicit tDifferentialRun(uint32_t seed) : Draw(seed) {
        Book.MarkReferencesOnly(); // the same spell objects as the reference
        Walker.MarkReferencesOnly();
        Snapshot.MarkReferencesOnly();
    }

    // Names built to meet the search key's edges: long shared beginnings
    // (longer than the 20 name bytes of the key, and exactly 19 or 20 bytes,
    // or 11 and 12), case variants that are duplicates, byte 0 and 8-bit
    // bytes; a few levels outside 1..9.
    tSpell* NewSpell() {
        static const char* const starts[] = {
            "",  "Vandermeere's Marvellously ", "abcdefghijkl",       "ABCDEFGHIJK",
            "x", "Abcdefghijklmnopqrst",        "abcdefghijklmnopqrs"};
        static const char endings[] = {'a', 'A', 'b', 'B', '\0', 'z', '_', '\xE9'};
        std::string name = starts[Pick(7)];
        for (int n = Pick(4); n > 0 || name.empty(); --n) {
            name += endings[Pick(8)];
        }
        const int32_t level =
            Pick(10) == 0 ? std::vector<int32_t>{0, 10, -2}[static_cast<size_t>(Pick(3))] : 1 + Pick(9);
        Store.push_back(std::make_unique<tSpell>(level, name, "B", 1, 0, "c", false));
        return Store.back().get();
    }

    // A view walking Book's nodes against a view of nodes of its own shown at
    // the same moment: neither sees Book's later changes, and both answer
    // alike, cursor included, through changes of Book or of the views.
    void ViewStep() {
        ASSERT_EQ(Walker.CurrentSpell(), Snapshot.CurrentSpell());
        const int op = Pick(100);
        if (op < 4) {
            Walker.ShowAllSpellsOf(Book);
            Snapshot.ShowSpellsOf(Book, [](const tSpell&) { return true; });
        } else if (op < 20) {
            const int32_t position = Pick(Snapshot.Count() + 2);
            Walker.GoTo(position);
            Snapshot.GoTo(position);
            if (op < 7) {
                Walker.DeleteCurrent();
                Snapshot.DeleteCurrent();
            } else if (op < 10 && !Store.empty()) {
                tSpell* spell = Store[static_cast<size_t>(Pick(static_cast<int32_t>(Store.size())))].get();
                ASSERT_EQ(Walker.AddSpell(spell), Snapshot.AddSpell(spell));
            } else if (op < 13) {
                const int32_t level = Pick(13) - 1;
                Walker.SeekLevel(level);
                Snapshot.SeekLevel(level);
                Walker.Prev();
                Snapshot.Prev();
            } else if (op < 14 && !Store.empty()) {
                const tSpell* probe =
                    Store[static_cast<size_t>(Pick(static_cast<int32_t>(Store.size())))].get();
                ASSERT_EQ(Walker.Contains(probe), Snapshot.Contains(probe));
            } else {
                const int32_t level = Pick(11);
                const int32_t index = Pick(Snapshot.CountOfLevel(level) + 3) - 1;
                ASSERT_EQ(Walker.SpellAt(level, index), Snapshot.SpellAt(level, index));
            }
            ASSERT_EQ(Walker.CurrentSpell(), Snapshot.CurrentSpell());
        } else if (op < 22) {
            ASSERT_EQ(Walker.Count(), Snapshot.Count());
            ASSERT_EQ(Walker.LevelCount, Snapshot.LevelCount);
            for (Walker.First(), Snapshot.First(); Snapshot.Current(); Walker.Next(), Snapshot.Next()) {
                ASSERT_EQ(Walker.CurrentSpell(), Snapshot.CurrentSpell());
            }
            ASSERT_EQ(Walker.Current(), nullptr);
        }
    }

    void Step() {
        ASSERT_NO_FATAL_FAILURE(ViewStep());
        const int op = Pick(100);
        if (op < 45) {
            tSpell* spell = Pick(4) == 0 && !Store.empty()
                                ? Store[static_cast<size_t>(Pick(static_cast<int32_t>(Store.size())))].get()
                                : NewSpell();
            const bool added = Ref.Insert(spell);
            ASSERT_EQ(Book.AddSpell(spell), added);
            ASSERT_EQ(Owning.AddCopy(spell), added);
        } else if (op < 57) {
            PlaceCursors();
            const tSpell* deleted = Ref.CurrentItem();
            Ref.DeleteCurrent();
            ASSERT_EQ(Book.CurrentSpell(), deleted);
            Book.DeleteCurrent();
            Owning.DeleteCurrent();
            ExpectSameCursor();
        } else if (op < 67) {
            PlaceCursors();
            const int32_t level = Pick(13) - 1;
            Book.SeekLevel(level);
            Owning.SeekLevel(level);
            RefSeekLevel(level);
            ExpectSameCursor();
        } else if (op < 77) {
            PlaceCursors();
            const int32_t level = Pick(11);
            const int32_t index = Pick(RefCountOfLevel(level) + 3) - 1;
            tSpell* expected = RefSpellAt(level, index);
            ASSERT_EQ(Book.SpellAt(level, index), expected);
            Owning.SpellAt(level, index);
            ExpectSameCursor();
        } else if (op < 82) {
            // A whole level row by row, the way a window's list reads it.
            const int32_t level = 1 + Pick(9);
            for (int32_t i = 0; i < Book.CountOfLevel(level); ++i) {
                ASSERT_EQ(Book.SpellAt(level, i), RefSpellAt(level, i));
            }
        } else if (op < 87) {
            PlaceCursors();
            const int32_t level = Pick(11);
            const auto seed = static_cast<uint64_t>(Pick(1000));
            SeedRandom(seed);
            tSpell* drawn = Book.RandomSpell(level);
            SeedRandom(seed);
            Owning.RandomSpell(level);
            SeedRandom(seed);
            const int32_t steps = RandomInt(RefCountOfLevel(level));
            RefSeekLevel(level);
            for (int32_t i = 0; i < steps; ++i) {
                Ref.Next();
            }
            ASSERT_EQ(drawn, Ref.CurrentItem());
            ExpectSameCursor();
        } else if (op < 94) {
            const tSpell* probe =
                Pick(2) == 0 && !Store.empty()
                    ? Store[static_cast<size_t>(Pick(static_cast<int32_t>(Store.size())))].get()
                    : NewSpell();
            ASSERT_EQ(Book.Contains(probe), Ref.Contains(probe));
            ASSERT_EQ(Owning.Contains(probe), Ref.Contains(probe));
        } else if (op < 96) {
            // A batch in book order merged in, some equal to listed spells.
            std::vector<tSpell*> batch;
            for (int n = 1 + Pick(40); n > 0; --n) {
                batch.push_back(
                    Pick(4) == 0 ? Store[static_cast<size_t>(Pick(static_cast<int32_t>(Store.size())))].get()
                                 : NewSpell());
            }
            const auto before = [](const tSpell* a, const tSpell* b) { return CompareSpells(*a, *b) < 0; };
            std::sort(batch.begin(), batch.end(), before);
            batch.erase(
                std::unique(batch.begin(), batch.end(),
                            [](const tSpell* a, const tSpell* b) { return CompareSpells(*a, *b) == 0; }),
                batch.end());
            std::vector<tSpell*> copies;
            for (tSpell* spell : batch) {
                if (Ref.Insert(spell)) {
                    copies.push_back(spell->Copy().release());
                }
            }
            ASSERT_EQ(Book.MergeInOrder(batch), copies.size());
            ASSERT_EQ(Owning.MergeInOrder(copies), copies.size());
        } else if (op < 98) {
            // Spells taken out in book order; a single one by Take.
            std::vector<tSpell*> spells;
            std::vector<tSpell*> copies;
            Owning.First();
            for (Ref.First(); Ref.Current(); Ref.Next(), Owning.Next()) {
                if (Pick(4) == 0) {
                    spells.push_back(Ref.CurrentItem());
                    copies.push_back(Owning.CurrentSpell());
                }
            }
            Ref.First();
            for (size_t i = 0; Ref.Current() && i < spells.size();) {
                if (Ref.CurrentItem() != spells[i]) {
                    Ref.Next();
                    continue;
                }
                const tSpell* follower = Ref.Current()->Next->Data; // none after the last
                Ref.DeleteCurrent();
                ++i;
                if (Ref.CurrentItem() != follower) {
                    Ref.Next();
                }
            }
            if (spells.size() == 1) {
                Book.Take(spells.front());
                const std::unique_ptr<tSpell> taken = Owning.Take(copies.front());
                ASSERT_EQ(taken.get(), copies.front());
            } else {
                ASSERT_EQ(Book.TakeInOrder(spells), spells.size());
                ASSERT_EQ(Owning.TakeInOrder(copies), copies.size());
                for (const tSpell* copy : copies) {
                    delete copy;
                }
            }
        } else if (Pick(20) == 0) {
            Book.Clear();
            Owning.Clear();
            for (Ref.First(); Ref.Current(); Ref.First()) {
                Ref.DeleteCurrent();
            }
        }
        ExpectSameBooks();
    }

private:
    int32_t Pick(int32_t n) { return static_cast<int32_t>(Draw() % static_cast<uint32_t>(n)); }

    // The same random position (or none) in all three lists.
    void PlaceCursors() {
        const int32_t position = Pick(Ref.Count() + 2);
        Ref.GoTo(position);
        Book.GoTo(position);
        Owning.GoTo(position);
    }

    int32_t RefCountOfLevel(int32_t level) {
        int32_t count = 0;
        for (Ref.First(); Ref.Current(); Ref.Next()) {
            count += IsSpellLevel(level) && Ref.CurrentItem()->Level == level ? 1 : 0;
        }
        return count;
    }

    void RefSeekLevel(int32_t level) {
        Ref.First();
        while (Ref.Current() && Ref.CurrentItem()->Level < level) {
            Ref.Next();
        }
    }

    tSpell* RefSpellAt(int32_t level, int32_t index) {
        RefSeekLevel(level);
        for (int32_t i = 0; i < index && Ref.Current(); ++i) {
            Ref.Next();
        }
        if (index < 0 || !Ref.Current() || Ref.CurrentItem()->Level != level) {
            Ref.GoTo(0);
        }
        return Ref.CurrentItem();
    }

    void ExpectSameCursor() {
        ASSERT_EQ(Book.CurrentSpell(), Ref.CurrentItem());
        ASSERT_EQ(Owning.CurrentName(), Book.CurrentName());
        ASSERT_EQ(Owning.CurrentLevel(), Book.CurrentLevel());
    }

    void ExpectSameBooks() {
        ASSERT_EQ(Book.Count(), Ref.Count());
        ASSERT_EQ(Owning.Count(), Ref.Count());
        decltype(Book.LevelCount) counts{};
        std::vector<const tSpell*> order;
        for (Ref.First(); Ref.Current(); Ref.Next()) {
            order.push_back(Ref.CurrentItem());
            if (IsSpellLevel(Ref.CurrentItem()->Level)) {
                ++counts[static_cast<size_t>(Ref.CurrentItem()->Level)];
            }
        }
        ASSERT_EQ(Book.LevelCount, counts);
        ASSERT_EQ(Owning.LevelCount, counts);
        ASSERT_TRUE(Book.IndexConsistent());
        ASSERT_TRUE(Owning.IndexConsistent());
        size_t i = 0;
        for (Book.First(); Book.Current(); Book.Next(), ++i) {
            ASSERT_EQ(Book.CurrentSpell(), order[i]);
        }
        i = 0;
        for (Owning.First(); Owning.Current(); Owning.Next(), ++i) {
            ASSERT_EQ(*Owning.CurrentSpell(), *order[i]);
        }
        // Walking leaves all three cursors none.
        Ref.GoTo(0);
    }

    std::mt19937 Draw;
    std::vector<std::unique_ptr<tSpell>> Store; // every spell made; the reference and Book only refer to them
    tSortedList<tSpell> Ref{CompareSpells, true};
    TSpellBook Book;
    TSpellBook Owning; // copies, released by the book
    TSpellBook Walker;
    TSpellBook Snapshot;
};

TEST(SpellIndexTest, BookAnswersAsAPlainSortedListThroughRandomEdits) {
    // Books grow to about 1,500 spells between rare clears, so index blocks
    // fill, split and empty.
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        tDifferentialRun run(seed);
        for (int step = 0; step < 5000; ++step) {
            ASSERT_NO_FATAL_FAILURE(run.Step()) << "seed " << seed << " step " << step;
        }
    }
}

TEST(SpellIndexTest, AViewWalkingABookKeepsItsSpellsAndCursorWhenTheBookGoes) {
    std::vector<std::unique_ptr<tSpell>> store;
    TSpellBook view;
    view.MarkReferencesOnly();
    {
        TSpellBook book;
        book.MarkReferencesOnly();
        for (int i = 0; i < 50; ++i) {
            store.push_back(
                std::make_unique<tSpell>(1 + i % 9, "S" + std::to_string(i), "B", 1, 0, "c", false));
            book.AddSpell(store.back().get());
        }
        view.ShowAllSpellsOf(book);
        EXPECT_EQ(view.SpellAt(4, 3)->Name, "S30"); // after S12, S21 and S3
        TSpellBook owning;
        owning.ShowAllSpellsOf(book);
        EXPECT_EQ(owning.Count(), 0) << "an owning book never takes over another book's spells";
    }
    EXPECT_EQ(view.CurrentSpell(), store[30].get());
    view.Next();
    EXPECT_EQ(view.CurrentSpell(), store[39].get());
    EXPECT_EQ(view.Count(), 50);
    EXPECT_EQ(view.CountOfLevel(9), 5);
}

TEST(SpellIndexTest, ViewsAndOrderedBatchesEqualAddingOneByOne) {
    std::mt19937 draw(5);
    std::vector<std::unique_ptr<tSpell>> store;
    TSpellBook pool;
    pool.MarkReferencesOnly();
    for (int i = 0; i < 3000; ++i) {
        const auto level = static_cast<int32_t>(draw() % 12); // 0, 10 and 11 are not counted
        store.push_back(MakeSpell(level, "Spell " + std::to_string(draw() % 5000)));
        pool.AddSpell(store.back().get());
    }
    for (const bool withUncounted : {true, false}) {
        if (!withUncounted) {
            for (pool.First(); pool.Current();) {
                IsSpellLevel(pool.CurrentLevel()) ? pool.Next() : pool.DeleteCurrent();
            }
        }
        const auto keep = [](const tSpell& spell) { return spell.Name.back() % 3 != 0; };
        TSpellBook view, expected;
        view.MarkReferencesOnly();
        expected.MarkReferencesOnly();
        view.AddSpell(store.front().get()); // emptied first
        view.ShowSpellsOf(pool, keep);
        for (pool.First(); pool.Current(); pool.Next()) {
            if (keep(*pool.CurrentSpell())) {
                expected.AddSpell(pool.CurrentSpell());
            }
        }
        EXPECT_EQ(view.LevelCount, expected.LevelCount);
        EXPECT_EQ(NamesAndLevels(view), NamesAndLevels(expected));
        for (int32_t level = -1; level <= 11; ++level) {
            view.SeekLevel(level);
            expected.SeekLevel(level);
            EXPECT_EQ(view.CurrentSpell(), expected.CurrentSpell()) << level;
        }
        TSpellBook owning;
        owning.ShowSpellsOf(pool, keep);
        EXPECT_EQ(owning.Count(), 0) << "an owning book never takes over another book's spells";
    }

    // A batch in order, into an empty book and after a spell that sorts
    // inside it (then each is added as by AddSpell and duplicates stay).
    for (const bool startEmpty : {true, false}) {
        std::vector<std::unique_ptr<tSpell>> batch;
        for (int i = 0; i < 500; ++i) {
            batch.push_back(MakeSpell(1 + i / 100, "Batch " + std::to_string(1000 + i)));
        }
        TSpellBook book, expected;
        if (!startEmpty) {
            book.AddSpell(MakeSpell(2, "batch 1150"));
            expected.AddSpell(MakeSpell(2, "batch 1150"));
        }
        for (const auto& spell : batch) {
            expected.AddCopy(spell.get());
        }
        book.AddSpellsInOrder(batch);
        EXPECT_EQ(NamesAndLevels(book), NamesAndLevels(expected));
        EXPECT_EQ(book.LevelCount, expected.LevelCount);
        EXPECT_EQ(book.SpellAt(3, 0)->Name, "Batch 1200");
        EXPECT_EQ(batch[150] != nullptr, !startEmpty) << "a refused spell stays with the caller";
        book.AddSpell(MakeSpell(1, "Aardvark")); // the book goes on sorting after a batch
        EXPECT_EQ(book.SpellAt(1, 0)->Name, "Aardvark");

        // The same batch as references, into a references-only book; an
        // owning book takes none.
        std::vector<tSpell*> references;
        for (book.First(); book.Current(); book.Next()) {
            references.push_back(book.CurrentSpell());
        }
        TSpellBook view, viewExpected, owning;
        view.MarkReferencesOnly();
        viewExpected.MarkReferencesOnly();
        if (!startEmpty) {
            view.AddSpell(references[300]);
            viewExpected.AddSpell(references[300]);
        }
        for (tSpell* spell : references) {
            viewExpected.AddSpell(spell);
        }
        view.AddReferencesInOrder(references);
        owning.AddReferencesInOrder(references);
        EXPECT_EQ(owning.Count(), 0);
        EXPECT_EQ(NamesAndLevels(view), NamesAndLevels(viewExpected));
        EXPECT_EQ(view.LevelCount, viewExpected.LevelCount);
        EXPECT_EQ(view.SpellAt(3, 0), viewExpected.SpellAt(3, 0));
        EXPECT_TRUE(view.Contains(references[10]));
    }
}

} // namespace

// The search key at every name length around its words: names that differ
// in one byte order by their keys as CompareSpells orders them when that byte
// is among the first 20, and have equal keys past it; case never counts.
TEST(SpellIndexTest, KeysOrderAsTheSpellsAtEveryNameLength) {
    for (size_t size = 1; size <= 26; ++size) {
        for (size_t at = 0; at < size; ++at) {
            std::string low(size, 'm');
            low[at] = 'b';
            std::string high = low;
            high[at] = 'c';
            std::string upper = low;
            upper[at] = 'B';
            const tSpell a(3, low, "", 0, FrequencyCommon, "", false);
            const tSpell b(3, high, "", 0, FrequencyCommon, "", false);
            const tSpell aUpper(3, upper, "", 0, FrequencyCommon, "", false);
            const auto less = [](const tSpellKey& x, const tSpellKey& y) {
                return std::tie(x.High, x.Mid, x.Low) < std::tie(y.High, y.Mid, y.Low);
            };
            SCOPED_TRACE(testing::Message() << "size " << size << ", byte " << at);
            ASSERT_LT(CompareSpells(a, b), 0);
            EXPECT_EQ(SpellKeyOf(a), SpellKeyOf(aUpper));
            // A name read where it lies in a line: the bytes after it count
            // for nothing.
            const std::string line = low + "\"~~~~~~~~";
            EXPECT_EQ(SpellKeyOf(3, std::string_view(line).substr(0, size)), SpellKeyOf(a));
            if (at < 20) {
                EXPECT_TRUE(less(SpellKeyOf(a), SpellKeyOf(b)));
            } else {
                EXPECT_EQ(SpellKeyOf(a), SpellKeyOf(b));
            }
            // Bytes beside a..z and 8-bit bytes are not folded: each pair
            // keeps its byte order.
            for (const auto& [first, second] : {std::pair{'A', '`'}, {'[', '{'}, {'\xC5', '\xE1'}}) {
                std::string x = low;
                std::string y = low;
                x[at] = first;
                y[at] = second;
                EXPECT_EQ(less(SpellKeyOf(3, x), SpellKeyOf(3, y)), at < 20) << first << second;
            }
            // A shorter name sorts first, and so does its key when it has
            // fewer than 20 bytes.
            const tSpell shorter(3, low.substr(0, size - 1), "", 0, FrequencyCommon, "", false);
            if (size - 1 < 20 && size > 1) {
                EXPECT_TRUE(less(SpellKeyOf(shorter), SpellKeyOf(a)));
            }
        }
    }
}
