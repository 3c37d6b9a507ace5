#include "files/SpecialtyFile.h"
#include "files/SpellListFile.h"
#include "files/SpellbookFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

namespace {

// Every reader takes any bytes: it answers a result (or none for a spellbook
// file that is not one), in time and memory in step with the input.
struct tReadResults {
    int32_t spellListCount = -1;
    int32_t spellbookCount = -1;
    int32_t specialtyCount = -1;
};

tReadResults ReadWithEveryReader(const std::string& bytes) {
    tReadResults results;
    std::istringstream a(bytes);
    if (auto list = ReadSpellList(a)) {
        results.spellListCount = list->Count();
    }
    std::istringstream b(bytes);
    if (auto book = ReadSpellbookFile(b)) {
        results.spellbookCount = book->Count();
    }
    std::istringstream c(bytes);
    if (auto specialties = ReadSpecialtyFile(c)) {
        results.specialtyCount = specialties->Count();
    }
    return results;
}

std::string NoiseBytes(size_t size) {
    std::string bytes(size, '\0');
    uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

TEST(BadInputTest, HugeLinesAndManyLines) {
    const tReadResults longLine = ReadWithEveryReader(std::string(10 * 1000 * 1000, 'x'));
    EXPECT_EQ(longLine.spellListCount, 0);
    EXPECT_EQ(longLine.spellbookCount, 0);
    EXPECT_EQ(longLine.specialtyCount, 1);

    const tReadResults commas = ReadWithEveryReader("1,\"Many\"" + std::string(10 * 1000 * 1000, ','));
    EXPECT_EQ(commas.spellListCount, 1);
    EXPECT_EQ(commas.spellbookCount, 1);

    const tReadResults quotes = ReadWithEveryReader("2,\"" + std::string(1000 * 1000, '"'));
    EXPECT_EQ(quotes.spellListCount, 1);

    std::string emptyLines;
    for (int i = 0; i < 1000 * 1000; ++i) {
        emptyLines += "\r\n";
    }
    const tReadResults many = ReadWithEveryReader(emptyLines);
    EXPECT_EQ(many.spellListCount, 0);
    EXPECT_EQ(many.spellbookCount, 0);
    EXPECT_EQ(many.specialtyCount, 333334); // the last specialty has the missing lines as empty
}

TEST(BadInputTest, BinaryNumbersAndEndOfText) {
    const tReadResults noise = ReadWithEveryReader(NoiseBytes(1 << 20));
    EXPECT_GE(noise.spellListCount, 0);
    EXPECT_GE(noise.specialtyCount, 1);

    const tReadResults numbers = ReadWithEveryReader("99999999999999999999\r\n$\r\n$FFFFFFFF,\"x\"\r\n");
    EXPECT_EQ(numbers.spellListCount, 0);
    EXPECT_EQ(numbers.spellbookCount, 0);

    const tReadResults cut =
        ReadWithEveryReader(std::string("1,\"A\"\r\n\x1A\x00\x01\xFF", 11) + "1,\"B\"\r\n");
    EXPECT_EQ(cut.spellListCount, 1);
    EXPECT_EQ(cut.specialtyCount, 1);

    const tReadResults nul = ReadWithEveryReader(std::string("1,\"A\0B\"\r\n\0\r\n", 12));
    EXPECT_EQ(nul.spellListCount, 1);
    EXPECT_EQ(nul.spellbookCount, 1);
}

} // namespace
