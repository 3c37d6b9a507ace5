// Every command that changes a spellbook, taken back and done again: each
// restores the book exactly (spells, order, counts, header values, memorized
// marks, the changed mark) without asking anything again, one step at a time
// and many in a row; and the history's saved state, limit and merging.

#include "book/Adding.h"
#include "book/Maintenance.h"
#include "frame/Transfer.h"

#include "files/Odds.h"
#include "model/Random.h"
#include "output/SpellListLine.h"
#include "support/FakeWindows.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

// What a book is, as far as a user can tell.
struct tBookState {
    std::vector<tSpell> Spells;
    std::array<int32_t, MaxSpellLevel + 1> Counts{};
    int32_t CasterLevel = 0, Intelligence = 0, Frequency = 0;
    std::string Specialty;
    bool Modified = false;
    bool operator==(const tBookState&) const = default;
};

tBookState StateOf(TSpellBook& book) {
    tBookState state{.Spells = {},
                     .Counts = book.LevelCount,
                     .CasterLevel = book.CasterLevel,
                     .Intelligence = book.Intelligence,
                     .Frequency = book.Frequency,
                     .Specialty = book.Specialty,
                     .Modified = book.Modified};
    for (book.First(); const tSpell* spell = book.CurrentSpell(); book.Next()) {
        state.Spells.push_back(*spell);
    }
    return state;
}

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(11);
        ResetSelectionOdds();
        Document().Create(Folder.Path().string() + "/");
        // An abjurer of level 5 whose book holds an alteration spell (which
        // he may not learn) and a memorized one.
        auto book = TSpellBook::Create(5, 12, -2, "Abjurer");
        book->AddSpell(MakeSpell(1, "Amber Ward", 0, "abj", "Tome", 1, true));
        book->AddSpell(MakeSpell(1, "Brass Bell", 0, "alt"));
        book->AddSpell(MakeSpell(1, "Cinder Veil", -1, "div"));
        book->AddSpell(MakeSpell(2, "Dusk Lamp", 0, "abj"));
        Document().TakeOpenedBook(std::move(book), (Folder / "a.spb").string());
        WriteBytes(Folder / "import.dat", "1,\"Ember Gate\",\"Codex\",7,\"C\",\"abj\",\"N\"\r\n"
                                          "3,\"Frost Knot\",\"Codex\",8,\"C\",\"alt\",\"N\"\r\n \r\n");
    }

    tSpellBookDocument& Document() { return Window.Document; }
    tFakeView& View() { return Window.View; }

    // The boxes and the list show the book as it is.
    void ExpectShown(const std::string& step) {
        TSpellBook& book = Document().Book();
        EXPECT_EQ(View().WizardLevelBox, book.CasterLevel) << step;
        EXPECT_EQ(View().IntelligenceBox, book.Intelligence) << step;
        EXPECT_EQ(View().SpecialtyText, book.Specialty) << step;
        EXPECT_EQ(View().FrequencySelected, -book.Frequency) << step;
        EXPECT_EQ(View().Lines, SpellListLines(book, Document().SpellLevel(), true)) << step;
        EXPECT_TRUE(book.IndexConsistent()) << step;
    }

    TempDir Folder;
    tFakeUserInterface UI;
    std::unique_ptr<tSpecialtyList> Specialties = MakeDefaultSpecialties();
    tFakeWindow Window{UI, *Specialties};
    tFakeEditor Editor;
    std::unique_ptr<TSpellBook> Master = MakeSchoolMaster();
};

TEST_F(UndoTest, EveryCommandTakesItselfBackAndDoesItselfAgain) {
    struct tCase {
        const char* Step;
        std::function<void()> Run;
    };
    tSpellBookDocument& doc = Document();
    const tCase cases[] = {
        // The ones that leave the book unchanged for the close question first.
        {FillBookStep, [&] { FillBookCommand(doc, Master.get()); }},
        {ToggleMemorizedStep,
         [&] {
             View().Selected = {0, 1};
             ToggleMemorized(doc);
         }},
        {FrequencyStep, [&] { doc.FrequencyChanged(4); }},
        {AddRandomSpellStep,
         [&] {
             doc.SpellLevelChosen(2);
             UI.Answers = {tAnswer::Ok};
             AddRandomSpell(doc, Master.get());
         }},
        {DropSpellsStep,
         [&] {
             UI.Answers = {tAnswer::Ok, tAnswer::Ok, tAnswer::Ok};
             CopySpellsIntoBook(doc, *Master, 3, {0, 1, 2}, DropSpellsStep);
         }},
        {AddSpellsToBookStep,
         [&] {
             UI.Answers = {tAnswer::Ok, tAnswer::Ok};
             CopySpellsIntoBook(doc, *Master, 1, {0, 9}, AddSpellsToBookStep);
         }},
        {ImportSpellsStep,
         [&] {
             View().ImportFiles.push_back((Folder / "import.dat").string());
             UI.Answers = {tAnswer::Ok};
             ImportSpells(doc);
         }},
        {ValidateBookStep, [&] { ValidateBook(doc); }},
        {DeleteSpellStep,
         [&] {
             View().Selected = {0, 2};
             DeleteSpells(doc);
         }},
        {EditSpellStep,
         [&] {
             View().Selected = {0, 1};
             Editor.Edits = {[](tSpell& spell) { spell.Level = 4; },
                             [](tSpell& spell) { spell.Name = "Renamed " + spell.Name; }};
             EditSpells(doc, Editor);
         }},
        {CreateNewSpellStep,
         [&] {
             Editor.Edits = {[](tSpell& spell) { spell.Name = "Gilded Key"; },
                             [](tSpell& spell) { spell.Name = "Hollow Drum"; }};
             UI.Answers = {tAnswer::Yes, tAnswer::No};
             CreateNewSpells(doc, Editor);
         }},
        {WizardLevelStep, [&] { doc.WizardLevelChanged("9"); }},
        {IntelligenceStep, [&] { doc.IntelligenceChanged("17"); }},
        {SpecialtyStep, [&] { doc.SpecialtyChanged("Illusionist"); }},
        {ClearBookStep,
         [&] {
             UI.Answers = {tAnswer::Ok};
             ClearBook(doc);
         }},
    };

    std::vector<tBookState> before, after;
    for (const tCase& c : cases) {
        before.push_back(StateOf(doc.Book()));
        c.Run();
        after.push_back(StateOf(doc.Book()));
        EXPECT_FALSE(after.back() == before.back()) << c.Step << " changed nothing";
        EXPECT_TRUE(Editor.Edits.empty()) << c.Step;
        UI.Answers.clear(); // a spell drawn at random may not need the question
        ASSERT_EQ(doc.History().UndoName(), c.Step);

        const size_t asked = UI.Questions.size() + Editor.Shown.size();
        doc.Undo();
        EXPECT_TRUE(StateOf(doc.Book()) == before.back()) << "undo " << c.Step;
        EXPECT_EQ(doc.History().RedoName(), c.Step);
        ExpectShown(std::string("undo ") + c.Step);
        doc.Redo();
        EXPECT_TRUE(StateOf(doc.Book()) == after.back()) << "redo " << c.Step;
        ExpectShown(std::string("redo ") + c.Step);
        EXPECT_EQ(UI.Questions.size() + Editor.Shown.size(), asked) << c.Step << " asked again";
    }
    EXPECT_FALSE(before.front().Modified);
    EXPECT_FALSE(after[2].Modified) << "a fill, a memorized mark and the frequency are no unsaved change";
    EXPECT_TRUE(after[3].Modified);

    // All the way back, then forward again, a step at a time.
    for (size_t i = std::size(cases); i-- > 0;) {
        ASSERT_TRUE(doc.History().CanUndo());
        doc.Undo();
        EXPECT_TRUE(StateOf(doc.Book()) == before[i]) << "undo in a row " << cases[i].Step;
    }
    EXPECT_FALSE(doc.History().CanUndo());
    ExpectShown("back at the start");
    for (size_t i = 0; i < std::size(cases); ++i) {
        doc.Redo();
        EXPECT_TRUE(StateOf(doc.Book()) == after[i]) << "redo in a row " << cases[i].Step;
    }
    EXPECT_FALSE(doc.History().CanRedo());
}

// The changed mark follows the history: back at the state saved it is clear,
// a step away it is set; the saved state, once gone from the history, is
// never reached again. A box changed again and again is one step, but not
// across a save. The history keeps the newest steps up to its limit.
TEST_F(UndoTest, TheChangedMarkFollowsTheHistory) {
    tSpellBookDocument& doc = Document();
    doc.WizardLevelChanged("6");
    doc.WizardLevelChanged("7");
    EXPECT_EQ(doc.History().Size(), 1u) << "one box, one step";
    ASSERT_TRUE(doc.Save());
    doc.WizardLevelChanged("8");
    EXPECT_EQ(doc.History().Size(), 2u) << "no step reaches across the save";
    EXPECT_TRUE(doc.Modified());
    doc.Undo();
    EXPECT_FALSE(doc.Modified()) << "back at the state saved";
    EXPECT_EQ(doc.Book().CasterLevel, 7);
    doc.Undo();
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Book().CasterLevel, 5);
    EXPECT_EQ(View().WizardLevelBox, 5);
    doc.Redo();
    EXPECT_FALSE(doc.Modified());

    // Saved at level 7; a toggled mark after it does not count, a new step
    // from before the save leaves the saved state behind for good.
    View().Selected = {0};
    ToggleMemorized(doc);
    EXPECT_FALSE(doc.Modified());
    doc.Undo();
    doc.Undo();
    ValidateBook(doc);
    doc.Undo();
    EXPECT_TRUE(doc.Modified()) << "level 5, and the state saved is gone";
    EXPECT_EQ(doc.History().RedoName(), ValidateBookStep);

    // The limit: the oldest steps go.
    for (int i = 0; i < 130; ++i) {
        ValidateBook(doc);
    }
    EXPECT_EQ(doc.History().Size(), tUndoHistory::DefaultLimit);
    int undone = 0;
    while (doc.History().CanUndo()) {
        doc.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_TRUE(doc.Modified());
}

} // namespace
