#include "cli/Arguments.h"

#include <gtest/gtest.h>

namespace {

const std::vector<tOptionSpec> Specs = {{"--level", true}, {"--category", false}, {"-o", true}};

} // namespace

TEST(CliArguments, SortsOptionsAndPositionals) {
    tArguments parsed;
    std::string message;
    ASSERT_TRUE(ParseArguments({"book.spb", "--level", "-3", "--category", "-o", "x", "--", "--level", "-"},
                               Specs, parsed, message))
        << message;
    EXPECT_EQ(parsed.Positional, (std::vector<std::string>{"book.spb", "--level", "-"}));
    EXPECT_EQ(parsed.Value("--level"), "-3"); // a value may start with a dash
    EXPECT_TRUE(parsed.Has("--category"));
    EXPECT_EQ(parsed.Value("--category"), "");
    EXPECT_EQ(parsed.Value("-o"), "x");
    EXPECT_FALSE(parsed.Value("--missing"));

    tArguments withEquals;
    ASSERT_TRUE(ParseArguments({"--level=12"}, Specs, withEquals, message));
    EXPECT_EQ(withEquals.Value("--level"), "12");
}

TEST(CliArguments, RefusesMalformedCommandLines) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"--level"}, "--level needs a value"},
        {{"--category=yes"}, "--category takes no value"},
        {{"--level", "1", "--level=2"}, "--level is given twice"},
        {{"-x"}, "unknown option -x"},
    };
    for (const auto& [args, expected] : cases) {
        tArguments parsed;
        std::string message;
        EXPECT_FALSE(ParseArguments(args, Specs, parsed, message)) << expected;
        EXPECT_EQ(message, expected);
    }
    EXPECT_TRUE(AsksForHelp({"x", "-h"}));
    EXPECT_TRUE(AsksForHelp({"--help"}));
    EXPECT_FALSE(AsksForHelp({"--", "--help"}));
}

TEST(CliArguments, Numbers) {
    struct Case {
        std::string text;
        bool ok;
        int64_t value;
    };
    const std::vector<Case> cases = {
        {"1", true, 1},
        {"30", true, 30},
        {"+7", true, 7},
        {"0", false, 0},
        {"31", false, 0},
        {"", false, 0},
        {" 3", false, 0},
        {"3 ", false, 0},
        {"3x", false, 0},
        {"+-3", false, 0},
        {"0x1A", false, 0},
        {"-", false, 0},
        {"99999999999999999999", false, 0},
    };
    for (const Case& c : cases) {
        int64_t value = -1;
        EXPECT_EQ(ParseWholeNumber(c.text, 1, 30, value), c.ok) << "'" << c.text << "'";
        if (c.ok) {
            EXPECT_EQ(value, c.value);
        }
    }
    int64_t negative = 0;
    EXPECT_TRUE(ParseWholeNumber("-5", -10, 10, negative));
    EXPECT_EQ(negative, -5);

    uint64_t seed = 0;
    EXPECT_TRUE(ParseSeed("18446744073709551615", seed));
    EXPECT_EQ(seed, UINT64_MAX);
    EXPECT_FALSE(ParseSeed("18446744073709551616", seed));
    EXPECT_FALSE(ParseSeed("-1", seed));
    EXPECT_FALSE(ParseSeed("+1", seed));
    EXPECT_FALSE(ParseSeed("", seed));
}

TEST(CliArguments, LevelCounts) {
    std::array<int32_t, 10> counts{};
    ASSERT_TRUE(ParseLevelCounts("1,2,3,4,5,6,7,8,9", counts));
    EXPECT_EQ(counts, (std::array<int32_t, 10>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    for (const std::string bad : {"1,2,3,4,5,6,7,8", "1,2,3,4,5,6,7,8,9,10", "1,2,3,4,-5,6,7,8,9",
                                  "1,2,3,4,,6,7,8,9", "1,2,3,4,5,6,7,8,9,", "", "1;2;3;4;5;6;7;8;9"}) {
        std::array<int32_t, 10> untouched{7};
        EXPECT_FALSE(ParseLevelCounts(bad, untouched)) << bad;
        EXPECT_EQ(untouched[0], 7);
    }
}
