// The sample master list shipped in data/: read and written back by the
// program's own spell list code, and shaped like a usable master list.
#include "files/Rules.h"
#include "files/SpellListFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace {

std::filesystem::path SampleMasterPath() {
    return std::filesystem::path(QUILL_SOURCE_DIR) / "data" / "MASTER.DAT";
}

TEST(SampleMasterListTest, ReadsAndWritesBackByteForByte) {
    const std::string bytes = ReadBytes(SampleMasterPath());
    ASSERT_FALSE(bytes.empty()) << SampleMasterPath();
    auto book = ReadSpellList(SampleMasterPath().string());
    ASSERT_NE(book, nullptr);
    std::ostringstream written;
    ASSERT_TRUE(WriteSpellList(*book, written));
    // Same bytes: every line parsed, none refused as a duplicate, the file in
    // book order with CR LF ends and the closing line of one blank.
    EXPECT_EQ(written.str(), bytes);
}

TEST(SampleMasterListTest, CoversEveryLevelSchoolAndFrequency) {
    auto book = ReadSpellList(SampleMasterPath().string());
    ASSERT_NE(book, nullptr);
    EXPECT_GE(book->Count(), 300);
    for (int32_t level = 2; level <= MaxSpellLevel; ++level) {
        EXPECT_GT(book->LevelCount[level], 0) << level;
        EXPECT_LE(book->LevelCount[level], book->LevelCount[level - 1]) << level;
    }
    std::map<int32_t, int> frequencies;
    int twoSchools = 0;
    for (book->First(); book->Current(); book->Next()) {
        ++frequencies[book->CurrentFrequency()];
        twoSchools += book->CurrentCategory().find(',') != std::string::npos ? 1 : 0;
        EXPECT_GT(book->CurrentPage(), 0) << book->CurrentName();
        EXPECT_FALSE(book->CurrentMemorized()) << book->CurrentName();
    }
    for (int32_t code = -4; code <= 0; ++code) {
        EXPECT_GT(frequencies[code], 0) << code;
    }
    EXPECT_GT(frequencies[0] * 2, book->Count()); // common spells are the majority
    EXPECT_GT(frequencies[-1], frequencies[-4]);
    EXPECT_GT(twoSchools, 0);
    EXPECT_EQ(CategoryNames(*book),
              (std::vector<std::string>{"abj", "alt", "c/s", "div", "e/c", "i/e", "ill", "nec"}));
    const std::vector<std::string> titles = BookTitles(*book);
    EXPECT_GE(titles.size(), 2u);
    EXPECT_LE(titles.size(), 3u);
}

} // namespace
