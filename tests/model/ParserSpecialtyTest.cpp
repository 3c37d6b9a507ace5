#include "model/Parser.h"
#include "model/Specialty.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Fields(const std::string& text, char sep = ',') {
    tMyParser parser(text, sep, '"');
    std::vector<std::string> out;
    for (int32_t i = 1; i <= parser.Count(); ++i) {
        out.push_back(parser.FieldAt(i));
    }
    return out;
}

TEST(ParserTest, QuoteAndBlankRules) {
    struct Case {
        const char* text;
        std::vector<std::string> fields;
    } cases[] = {
        {"", {}},
        {"abj", {"abj"}},
        {"abj, alt", {"abj", "alt"}},
        {"abj,", {"abj", ""}},
        {"\"a,b\",c", {"a,b", "c"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"x\"y,z", {"xy,z"}},
        {"   ", {""}},
        {"a  ,b ", {"a  ", "b "}}, // blanks after a field stay in it
        {"\" a\",b", {" a", "b"}}, // a blank inside quotes is kept
        {"a\"\"b", {"ab"}},        // a doubled quote outside quotes is no quote
        {",,", {"", "", ""}},
        {"\"", {""}},
        {"\"\"\"", {"\""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Fields(c.text), c.fields) << "text: " << c.text;
    }
    EXPECT_EQ(Fields("ill;nec", ';'), (std::vector<std::string>{"ill", "nec"}));
}

TEST(ParserTest, FieldAtOutsideRangeIsEmptyWithCursorNone) {
    tMyParser parser("abj,alt", ',', '"');
    EXPECT_EQ(parser.Count(), 2);
    EXPECT_EQ(parser.FieldAt(0), "");
    EXPECT_EQ(parser.Current(), nullptr);
    EXPECT_EQ(parser.FieldAt(3), "");
    EXPECT_EQ(parser.FieldText(), "");
    EXPECT_EQ(parser.FieldAt(2), "alt");
    EXPECT_EQ(parser.FieldText(), "alt");
    tMyParser empty("", ',', '"');
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_EQ(empty.FieldAt(1), "");
}

class SpecialtyTest : public ::testing::Test {
protected:
    std::unique_ptr<tSpecialtyList> list = MakeDefaultSpecialties();
    int32_t Aff(const char* specialty, const char* category) {
        auto spell = MakeSpell(1, "X", 0, category);
        return list->AffinityByName(specialty, spell.get());
    }
};

TEST_F(SpecialtyTest, BuiltInTableInOrder) {
    list->GoTo(3);
    EXPECT_EQ(list->Names(),
              (std::vector<std::string>{"Abjurer", "Conjurer", "Diviner", "Enchanter", "Illusionist",
                                        "Invoker", "Necromancer", "Transmuter"}));
    EXPECT_EQ(list->CurrentSpecialtyName(), "Diviner") << "Names puts the cursor back";
    ASSERT_NE(list->Find("Illusionist"), nullptr);
    EXPECT_EQ(*list->CurrentPreferred(), (std::vector<std::string>{"ill"}));
    EXPECT_EQ(*list->CurrentProhibited(), (std::vector<std::string>{"nec", "i/e", "abj"}));
}

TEST_F(SpecialtyTest, FindIgnoresAsciiCaseOnly) {
    EXPECT_EQ(list->Find("necromancer")->Name, "Necromancer");
    EXPECT_EQ(list->CurrentSpecialtyName(), "Necromancer");
    EXPECT_EQ(list->Find("Generalist"), nullptr);
    EXPECT_EQ(list->Current(), nullptr);
    EXPECT_EQ(list->CurrentSpecialtyName(), "");
    EXPECT_EQ(list->CurrentPreferred(), nullptr);
    EXPECT_EQ(list->Find("Necromance"), nullptr) << "a prefix is not equal";
}

TEST_F(SpecialtyTest, AffinityProhibitedWinsAndContainmentIgnoresCase) {
    EXPECT_EQ(Aff("Generalist", "ill"), 1);
    EXPECT_EQ(Aff("Nobody", "ill"), 1);
    EXPECT_EQ(Aff("Illusionist", "ill"), 0);
    EXPECT_EQ(Aff("Abjurer", "ill"), 2);
    EXPECT_EQ(Aff("Conjurer", "ill"), 1);
    for (const char* s : {"Conjurer", "Enchanter", "Illusionist"}) {
        EXPECT_EQ(Aff(s, "i/e"), 2) << s;
    }
    EXPECT_EQ(Aff("Invoker", "i/e"), 0);
    EXPECT_EQ(Aff("Abjurer", "abj/alt"), 2) << "prohibited over preferred";
    EXPECT_EQ(Aff("Conjurer", "abj, C/S"), 0) << "contained, case ignored";
    for (const std::string& name : list->Names()) {
        EXPECT_EQ(Aff(name.c_str(), ""), 1) << "empty category is neutral for " << name;
    }
    EXPECT_EQ(list->AffinityByName("Abjurer", nullptr), 1);
}

TEST_F(SpecialtyTest, EmptySchoolTextMatchesNothing) {
    tSpecialty odd("Odd");
    odd.Prohibited = {""};
    odd.Preferred = {"", "nec"};
    auto spell = MakeSpell(1, "X", 0, "abj");
    EXPECT_EQ(odd.Affinity(spell.get()), 1);
    spell->Category = "NEC";
    EXPECT_EQ(odd.Affinity(spell.get()), 0);
}

TEST_F(SpecialtyTest, CloneIsDeepAndEqual) {
    auto copy = list->Clone();
    EXPECT_EQ(copy->Names(), list->Names());
    copy->Find("Abjurer")->Preferred.push_back("x");
    EXPECT_EQ(list->Find("Abjurer")->Preferred.size(), 1u);
    copy->First();
    copy->DeleteCurrent(); // releases it (ASan checks)
    EXPECT_EQ(copy->Count(), 7);
}

} // namespace
