#include "cli/TerminalText.h"

#include <gtest/gtest.h>

// What a terminal is shown of a file's bytes: the same whether they come in
// one piece, in two at any place, or byte by byte.
TEST(TerminalTextTest, ControlCharactersShowAsQuestionMarks) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain\ttab\r\n", "plain\ttab\r\n"},
        {"bell\a esc\x1B[2J del\x7F nul" + std::string(1, '\0'), "bell? esc?[2J del? nul?"},
        // C1 controls as raw bytes (CSI 0x9B, a Windows-1252 quote 0x92)...
        {"raw\x9B[2J quote\x92s \x80\x9F", "raw?[2J quote?s ??"},
        // ... and as UTF-8 characters U+0080 to U+009F.
        {"utf\xC2\x9B[2J \xC2\x80\xC2\x9F end", "utf?[2J ?? end"},
        // UTF-8 characters pass whole, also those with bytes 0x80 to 0x9F
        // inside (U+015B, U+0119, U+00A0, U+20AC, U+1F600).
        {"\xC5\x9Bwi\xC4\x99ty\xC2\xA0\xE2\x82\xAC\xF0\x9F\x98\x80",
         "\xC5\x9Bwi\xC4\x99ty\xC2\xA0\xE2\x82\xAC\xF0\x9F\x98\x80"},
        // Windows-1252 letters and broken or overlong sequences keep their
        // bytes but for those of the C1 range.
        {"caf\xE9 \xC3 x\xE2\x82 y\xE0\x82\x9B z\xC0\x9B \xED\xA0\x80 \xF5\x80",
         "caf\xE9 \xC3 x\xE2? y\xE0?? z\xC0? \xED\xA0? \xF5?"},
        {"cut at the end \xE2\x82", "cut at the end \xE2?"},
    };
    for (const auto& [bytes, expected] : cases) {
        std::vector<std::vector<std::string_view>> ways;
        for (size_t cut = 0; cut <= bytes.size(); ++cut) {
            ways.push_back({std::string_view(bytes).substr(0, cut), std::string_view(bytes).substr(cut)});
        }
        std::vector<std::string_view> single;
        for (size_t i = 0; i < bytes.size(); ++i) {
            single.push_back(std::string_view(bytes).substr(i, 1));
        }
        ways.push_back(single);
        for (const auto& pieces : ways) {
            tTerminalText text;
            std::string shown;
            for (const std::string_view piece : pieces) {
                text.Put(piece, shown);
            }
            text.Finish(shown);
            EXPECT_EQ(shown, expected)
                << ::testing::PrintToString(bytes) << " in " << pieces.size() << " pieces";
        }
    }
}
