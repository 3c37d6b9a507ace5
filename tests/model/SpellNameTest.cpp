// Spell names: the bytes kept exactly at every length (the stores' size steps
// and the longer names allocated alone), through copies, moves, assignments
// and the release and reuse of many names of mixed lengths.
#include "model/SpellName.h"
#include "model/AddressSanitizer.h"
#include "model/Random.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Bytes of the given length, every byte value 0..255 in turn from start.
std::string Bytes(size_t length, size_t start) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>((start + i * 7) % 256);
    }
    return bytes;
}

void ExpectHolds(const tSpellName& name, const std::string& bytes) {
    EXPECT_EQ(name.view(), bytes);
    EXPECT_EQ(name.size(), bytes.size());
    EXPECT_EQ(name.empty(), bytes.empty());
    EXPECT_EQ(name.c_str()[bytes.size()], '\0');
    EXPECT_EQ(std::string(name), bytes);
}

TEST(SpellNameTest, EveryLengthAndByteIsKeptThroughCopiesMovesAndAssignments) {
    for (size_t length : {0, 1, 2, 3, 4, 7, 8, 15, 16, 27, 120, 122, 123, 124, 125, 200, 256, 5000}) {
        SCOPED_TRACE(length);
        const std::string bytes = Bytes(length, length);
        tSpellName name = std::string_view(bytes);
        ExpectHolds(name, bytes);
        tSpellName copy = name;
        ExpectHolds(copy, bytes);
        if (length > 0) {
            EXPECT_NE(copy.c_str(), name.c_str()); // a copy of its own
        }
        tSpellName moved = std::move(copy);
        ExpectHolds(moved, bytes);
        ExpectHolds(copy, ""); // NOLINT(bugprone-use-after-move): a moved-from name is empty
        tSpellName assigned = "other";
        assigned = moved;
        moved = "changed";
        ExpectHolds(assigned, bytes);
        ExpectHolds(moved, "changed");
        assigned += "!";
        ExpectHolds(assigned, bytes + "!");
        assigned.clear();
        ExpectHolds(assigned, "");
        EXPECT_TRUE(name == bytes && "x" + name == "x" + bytes && name + "y" == bytes + "y");
    }
}

TEST(SpellNameTest, ManyNamesReleasedAndMadeAgainKeepTheirBytes) {
    SeedRandom(7);
    std::vector<std::string> bytes;
    std::vector<tSpellName> names;
    for (size_t round = 0; round < 4; ++round) {
        for (size_t i = 0; i < 3000; ++i) {
            bytes.push_back(Bytes(static_cast<size_t>(RandomInt(140)), i));
            names.emplace_back(bytes.back());
        }
        // Release about half, at random places, then make more in their room.
        for (size_t i = 0; i < names.size(); ++i) {
            if (RandomInt(2) == 0) {
                bytes[i] = Bytes(static_cast<size_t>(RandomInt(140)), i + round);
                names[i] = tSpellName(bytes[i]);
            }
        }
    }
    for (size_t i = 0; i < names.size(); ++i) {
        ASSERT_EQ(names[i].view(), bytes[i]) << i;
    }
    if (!UnderAddressSanitizer) {
        // Released blocks are handed out again first, the last released first.
        const std::string same(20, 'x');
        const tSpellName kept(same);
        tSpellName a(same), b(same);
        const char* first = a.c_str();
        const char* second = b.c_str();
        a = tSpellName();
        b = tSpellName();
        const tSpellName c(same), d(same);
        EXPECT_EQ(c.c_str(), second);
        EXPECT_EQ(d.c_str(), first);
    }
    names.clear(); // every name released: the stores start over
    const tSpellName again = "Fireball";
    ExpectHolds(again, "Fireball");
}

} // namespace
