#include "files/SpecialtyFile.h"
#include "FileTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::unique_ptr<tSpecialtyList> ReadText(const std::string& bytes, FileError* error = nullptr) {
    std::istringstream in(bytes);
    return ReadSpecialtyFile(in, error);
}

std::string WriteText(tSpecialtyList& list) {
    std::ostringstream out;
    EXPECT_TRUE(WriteSpecialtyFile(list, out));
    return out.str();
}

std::vector<tSpecialty> SpecialtiesOf(tSpecialtyList& list) {
    std::vector<tSpecialty> all;
    for (list.First(); list.Current(); list.Next()) {
        all.push_back(*list.CurrentSpecialty());
    }
    return all;
}

TEST(SpecialtyFileTest, BuiltInListRoundTrips) {
    auto list = MakeDefaultSpecialties();
    const std::string bytes = WriteText(*list);
    const std::string start = "Abjurer\r\nabj\r\nalt,ill\r\nConjurer\r\nc/s\r\ndiv,i/e\r\n";
    EXPECT_EQ(bytes.substr(0, start.size()), start);
    EXPECT_EQ(list->Current(), nullptr);
    auto back = ReadText(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Count(), 8);
    EXPECT_EQ(SpecialtiesOf(*back), SpecialtiesOf(*list));
}

TEST(SpecialtyFileTest, AwkwardTextsRoundTrip) {
    tSpecialtyList list;
    const auto add = [&list](std::string name, std::vector<std::string> preferred,
                             std::vector<std::string> prohibited) {
        auto s = std::make_unique<tSpecialty>(std::move(name));
        s->Preferred = std::move(preferred);
        s->Prohibited = std::move(prohibited);
        list.Append(std::move(s));
    };
    add("Spaced \"Name\", too ", {"c s"}, {});
    add("", {""}, {"", ""});
    add("Abjurer", {"a,b", "\"q\""}, {"x", ""});
    add("Abjurer", {"\xE9l\xE9", " lead"}, {"\t"});
    const std::string bytes = WriteText(list);
    const std::string start = "Spaced \"Name\", too \r\n\"c s\"\r\n\r\n\r\n\"\"\r\n,\"\"\r\n";
    EXPECT_EQ(bytes.substr(0, start.size()), start);
    auto back = ReadText(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(SpecialtiesOf(*back), SpecialtiesOf(list));
    EXPECT_EQ(back->Find("abjurer")->Preferred[0], "a,b"); // the first of equal names

    // A first name that begins with a byte-order mark keeps it.
    tSpecialtyList marked;
    marked.Append(std::make_unique<tSpecialty>("\xEF\xBB\xBFMarked"));
    auto again = ReadText(WriteText(marked));
    ASSERT_TRUE(again);
    EXPECT_EQ(SpecialtiesOf(*again), SpecialtiesOf(marked));
}

TEST(SpecialtyFileTest, ShortAndEmptyFiles) {
    auto four = ReadText("Abjurer\r\nabj\r\nalt,ill\r\nLoner");
    ASSERT_TRUE(four);
    const std::vector<tSpecialty> two = SpecialtiesOf(*four);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1], tSpecialty("Loner"));
    EXPECT_EQ(two[0].Prohibited, (std::vector<std::string>{"alt", "ill"}));

    for (const std::string& text : {std::string(), std::string("\x1A"
                                                               "Abjurer\r\n")}) {
        auto empty = ReadText(text);
        ASSERT_TRUE(empty);
        EXPECT_EQ(SpecialtiesOf(*empty), std::vector<tSpecialty>{tSpecialty("")});
    }

    // A trailing empty line starts another specialty.
    auto trailing = ReadText("A\r\nb\r\nc\r\n\r\n");
    ASSERT_TRUE(trailing);
    EXPECT_EQ(trailing->Count(), 2);
}

TEST(SpecialtyFileTest, FailuresAndPaths) {
    FileError error = FileError::None;
    tFailingStream failing("Abjurer\r\nabj\r\n");
    EXPECT_FALSE(ReadSpecialtyFile(failing, &error));
    EXPECT_EQ(error, FileError::ReadError);

    TempDir dir;
    const std::string path = (dir / "Specialty.dat").string();
    EXPECT_FALSE(ReadSpecialtyFile(path, &error));
    EXPECT_EQ(error, FileError::CannotOpen);

    auto list = MakeDefaultSpecialties();
    ASSERT_TRUE(WriteSpecialtyFile(*list, path, &error));
    EXPECT_EQ(error, FileError::None);
    auto back = ReadSpecialtyFile(path, &error);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Names(), list->Names());
}

} // namespace
