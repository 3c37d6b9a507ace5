// Shared texts: equal bytes stored once, the copy released with its last
// holder, and a spell's source book and category unchanged through copies,
// edits and deletes of other spells holding the same texts.
#include "model/SharedText.h"
#include "model/SpellBook.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

TEST(SharedTextTest, EqualBytesShareOneCopyReleasedWithTheLastHolder) {
    const size_t before = tSharedText::StoredCount();
    {
        tSharedText a = "Book of Runes";
        tSharedText b = std::string("Book of Runes");
        const tSharedText c = std::string_view("Book of Runes, vol. 2").substr(0, 13);
        EXPECT_EQ(a.data(), b.data());
        EXPECT_EQ(a.data(), c.data());
        EXPECT_EQ(tSharedText::StoredCount(), before + 1);
        tSharedText other = "book of runes"; // case counts
        EXPECT_NE(a, other);
        EXPECT_EQ(tSharedText::StoredCount(), before + 2);
        b = other; // a and c keep their text
        EXPECT_EQ(a, "Book of Runes");
        EXPECT_EQ(b, "book of runes");
        other = tSharedText();
        a.clear();
        EXPECT_TRUE(a.empty());
        EXPECT_EQ(a, "");
        EXPECT_EQ(c, std::string("Book of Runes"));
        EXPECT_EQ(tSharedText::StoredCount(), before + 2);
    }
    EXPECT_EQ(tSharedText::StoredCount(), before);
}

TEST(SharedTextTest, BytesAreKeptExactlyAndReadAsAString) {
    const std::string bytes("a\0\xE9\x1A, \"b\"", 9);
    const tSharedText text = bytes;
    EXPECT_EQ(text.str(), bytes);
    EXPECT_EQ(text.size(), 9u);
    EXPECT_EQ(std::string_view(text), bytes);
    EXPECT_EQ("[" + text + "]", "[" + bytes + "]");
    std::string line = "x";
    line += text;
    EXPECT_EQ(line, "x" + bytes);
    EXPECT_TRUE(tSharedText().empty());
    EXPECT_TRUE(tSharedText("").empty());
}

TEST(SharedTextTest, SpellsKeepTheirTextsThroughCopiesEditsAndDeletes) {
    const size_t before = tSharedText::StoredCount();
    {
        TSpellBook book;
        for (int i = 0; i < 50; ++i) {
            book.AddSpell(tSpell::Create(1 + i % 9, "Spell " + std::to_string(i), i % 2 ? "Codex" : "Tome", i,
                                         0, "alt", false));
        }
        EXPECT_EQ(tSharedText::StoredCount(), before + 3);
        std::unique_ptr<tSpell> copy = book.SpellAt(2, 0)->Copy();
        copy->Book = "Folio";
        copy->Category += ", abj";
        EXPECT_EQ(book.SpellAt(2, 0)->Book, "Codex");
        EXPECT_EQ(book.SpellAt(2, 0)->Category, "alt");
        EXPECT_EQ(copy->Category, "alt, abj");
        for (book.First(); book.Current();) {
            book.DeleteCurrent();
        }
        EXPECT_EQ(copy->Book, "Folio");
        EXPECT_EQ(tSharedText::StoredCount(), before + 2);
    }
    EXPECT_EQ(tSharedText::StoredCount(), before);
}

} // namespace

namespace {

// Texts made and released in random order: the numbers of released texts are
// given to new ones, and every holder keeps reading its own bytes.
TEST(SharedTextTest, TextsMadeAndReleasedInAnyOrderKeepTheirBytes) {
    const size_t before = tSharedText::StoredCount();
    std::mt19937 draw(3);
    std::vector<std::string> bytes(400);
    std::vector<tSharedText> texts(400);
    for (int round = 0; round < 20000; ++round) {
        const size_t i = draw() % texts.size();
        bytes[i] = draw() % 4 == 0 ? std::string() : "text " + std::to_string(draw() % 300);
        texts[i] = bytes[i];
        const size_t j = draw() % texts.size();
        ASSERT_EQ(texts[j].str(), bytes[j]) << round;
        ASSERT_EQ(texts[j] == texts[i], bytes[j] == bytes[i]) << round;
    }
    texts.clear();
    EXPECT_EQ(tSharedText::StoredCount(), before);
}

} // namespace
