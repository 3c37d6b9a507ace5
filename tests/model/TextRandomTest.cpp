#include "model/Random.h"
#include "model/Text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TextTest, FoldsOnlyAsciiLetters) {
    EXPECT_EQ(AsciiUpperCase("abz{`@AZ\xE9"), "ABZ{`@AZ\xE9");
    EXPECT_EQ(CompareTextAscii("abc", "ABC"), 0);
    EXPECT_LT(CompareTextAscii("ab", "abc"), 0);
    EXPECT_GT(CompareTextAscii("\x80", "a"), 0) << "bytes compare unsigned";
    EXPECT_TRUE(SameTextAscii("Necromancer", "NECROMANCER"));
    EXPECT_FALSE(SameTextAscii("\xE9", "\xC9"));
    EXPECT_TRUE(ContainsTextAscii("abj, C/S", "c/s"));
    EXPECT_FALSE(ContainsTextAscii("abj", ""));
    EXPECT_FALSE(ContainsTextAscii("", "a"));
}

TEST(TextTest, PresentMeansSortsAfterOneBlank) {
    EXPECT_FALSE(IsTextPresent(""));
    EXPECT_FALSE(IsTextPresent(" "));
    EXPECT_FALSE(IsTextPresent("\t"));
    EXPECT_FALSE(IsTextPresent("\x1f"
                               "abc"));
    EXPECT_TRUE(IsTextPresent("  ")) << "two blanks sort after one";
    EXPECT_TRUE(IsTextPresent(" a"));
    EXPECT_TRUE(IsTextPresent("a"));
    EXPECT_TRUE(IsTextPresent("\xE9"));
}

TEST(RandomTest, SeededSequenceRepeatsAndStaysInRange) {
    SeedRandom(123);
    std::vector<int32_t> first;
    for (int i = 0; i < 50; ++i) {
        first.push_back(RandomInt(1000));
    }
    SeedRandom(123);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(RandomInt(1000), first[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(RandomInt(0), 0);
    EXPECT_EQ(RandomInt(-5), 0);
    EXPECT_EQ(RandomInt(1), 0);
    std::vector<int> hits(7);
    for (int i = 0; i < 7000; ++i) {
        int32_t r = RandomInt(7);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 7);
        ++hits[static_cast<size_t>(r)];
    }
    for (int h : hits) {
        EXPECT_GT(h, 800);
        EXPECT_LT(h, 1200);
    }
}

} // namespace
