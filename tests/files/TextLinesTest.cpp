#include "files/TextLines.h"
#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The lines of bytes, read by both forms of ReadLine, which must agree.
std::vector<std::string> LinesOf(const std::string& bytes) {
    std::istringstream in(bytes);
    tLineReader reader(in);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line)) {
        lines.push_back(line);
    }
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.Failed());

    std::istringstream again(bytes);
    tLineReader viewReader(again);
    std::vector<std::string> viewed;
    std::string_view view;
    while (viewReader.ReadLine(view)) {
        viewed.emplace_back(view);
    }
    EXPECT_EQ(viewed, lines);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReaderTest, EndsLinesAtCrCrLfAndLfAndTheTextAtByte26) {
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\rb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\n\nb", {"a", "", "b"}},
        {"a\x1A"
         "b\r\nc",
         {"a"}},
        {"\x1A\r\nb", {}},
        {"a\r\n\x1A", {"a"}},
        {std::string("x\0y\r\n", 5), {std::string("x\0y", 3)}},
        {"\r\n\r\n\r\n", {"", "", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinesOf(c.bytes), c.lines);
    }
}

// Random texts of bytes near the line breaks (their high-bit twins and
// neighbours) end their lines where a plain byte-by-byte split does.
TEST(LineReaderTest, LineBreaksAnywhereAmongEightByteWords) {
    const char alphabet[] = {'\r', '\n', '\x8D', '\x8A', '\x0B', '\x0C', 'a', '\0'};
    uint32_t state = 7;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        for (size_t i = 0, n = static_cast<size_t>(round % 70); i < n; ++i) {
            state = state * 1103515245u + 12345u;
            bytes += alphabet[(state >> 16) % sizeof alphabet];
        }
        Lines expected;
        std::string line;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != '\r' && bytes[i] != '\n') {
                line += bytes[i];
                continue;
            }
            expected.push_back(line);
            line.clear();
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        }
        if (!line.empty()) {
            expected.push_back(line);
        }
        ASSERT_EQ(LinesOf(bytes), expected) << round;
    }
}

TEST(LineReaderTest, LineEndsAcrossBlocksAndLongLines) {
    // A CR as the last byte of one block with its LF first in the next.
    for (size_t before : {size_t{65535}, size_t{65534}, size_t{65536}}) {
        const std::string bytes = std::string(before, 'x') + "\r\ny";
        const Lines lines = LinesOf(bytes);
        ASSERT_EQ(lines.size(), 2u) << before;
        EXPECT_EQ(lines[0].size(), before);
        EXPECT_EQ(lines[1], "y");
    }
    const std::string longLine(3 * 1000 * 1000, 'z');
    EXPECT_EQ(LinesOf(longLine + "\r\nend"), (Lines{longLine, "end"}));
}

TEST(LineReaderTest, AtEndBeforeAndAfterTheLastLine) {
    std::istringstream in("a\r\n");
    tLineReader reader(in);
    EXPECT_FALSE(reader.AtEnd());
    std::string line = "junk";
    EXPECT_TRUE(reader.ReadLine(line));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_EQ(line, "");
}

TEST(LineReaderTest, ReportsReadErrors) {
    tFailingStream in("first line\r\nsecond");
    tLineReader reader(in);
    std::string line;
    while (reader.ReadLine(line)) {
    }
    EXPECT_TRUE(reader.Failed());
    EXPECT_TRUE(reader.AtEnd());

    std::istringstream failed("5\r\n");
    failed.setstate(std::ios::failbit);
    tLineReader fromFailed(failed);
    EXPECT_TRUE(fromFailed.Failed());
    EXPECT_FALSE(fromFailed.ReadLine(line));
}

TEST(WriteTextLineTest, EndsWithCrLfAndKeepsLineBreaksOut) {
    std::ostringstream out;
    WriteTextLine(out, "one");
    WriteTextLine(out, "");
    WriteTextLine(out, "a\rb\nc\x1A"
                       "d");
    EXPECT_EQ(out.str(), "one\r\n\r\na b c d\r\n");
}

} // namespace
