#include "support/FakeWindows.h"

#include "files/Odds.h"
#include "files/RuleTables.h"
#include "files/Rules.h"
#include "files/SpellbookFile.h"
#include "model/Random.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class SpellBookDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(7);
        ResetSelectionOdds();
    }

    tSpellBookDocument& NewWindow() {
        Windows.push_back(std::make_unique<tFakeWindow>(Messages, *Specialties));
        Windows.back()->Document.Create(Folder.Path().string() + "/");
        return Windows.back()->Document;
    }
    tFakeView& ViewOf(size_t i = 0) { return Windows[i]->View; }

    std::string WriteBook(const std::string& name, const std::string& bytes) {
        std::filesystem::path path = Folder / name;
        WriteBytes(path, bytes);
        return path.string();
    }

    TempDir Folder;
    std::unique_ptr<tSpecialtyList> Specialties = MakeDefaultSpecialties();
    tFakeUserInterface Messages;
    std::vector<std::unique_ptr<tFakeWindow>> Windows;
};

TEST_F(SpellBookDocumentTest, CreateShowsAnEmptyUntitledGeneralistBookAtLevelOne) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    EXPECT_EQ(doc.Book().CasterLevel, 1);
    EXPECT_EQ(doc.Book().Intelligence, 9);
    EXPECT_EQ(doc.Book().Frequency, 0);
    EXPECT_EQ(doc.Book().Specialty, "Generalist");
    EXPECT_EQ(doc.Book().Count(), 0);
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(view.WizardLevelBox, 1);
    EXPECT_EQ(view.IntelligenceBox, 9);
    EXPECT_EQ(view.SpecialtyItems,
              (std::vector<std::string>{"Generalist", "Abjurer", "Conjurer", "Diviner", "Enchanter",
                                        "Illusionist", "Invoker", "Necromancer", "Transmuter"}));
    EXPECT_EQ(view.SpecialtyText, "Generalist");
    EXPECT_EQ(view.FrequencyItems,
              (std::vector<std::string>{"Common", "Uncommon", "Rare", "Very Rare", "Restricted"}));
    EXPECT_EQ(view.FrequencySelected, 0);
    EXPECT_EQ(view.SpellLevel, 1);
    EXPECT_TRUE(view.Lines.empty());
    EXPECT_EQ(view.PerDay, 1);
    EXPECT_EQ(view.Memorized, 0);
    EXPECT_EQ(view.Colour, tMarkedColour::Green);
    EXPECT_EQ(view.Caption, "untitled");
    EXPECT_EQ(doc.DialogFolder(), Folder.Path().string() + "/");
}

TEST_F(SpellBookDocumentTest, MakeNewFillsALegalBookBehindTheNoticeAndMarksItChanged) {
    auto master = MakeSchoolMaster();
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    tBookParameters parameters;
    parameters.CasterLevel = 9;
    parameters.Intelligence = 14;
    parameters.SpecialtyIndex = 5;
    parameters.SpecialtyText = "Illusionist";
    parameters.FrequencyIndex = 2;
    doc.MakeNew(parameters, master.get());

    TSpellBook& book = doc.Book();
    EXPECT_EQ(book.CasterLevel, 9);
    EXPECT_EQ(book.Intelligence, 14);
    EXPECT_EQ(book.Specialty, "Illusionist");
    EXPECT_EQ(book.Frequency, -2);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(Messages.Working, (std::vector<std::string>{"show:Filling Spellbook", "hide"}));
    EXPECT_EQ(view.WizardLevelBox, 9);
    EXPECT_EQ(view.IntelligenceBox, 14);
    EXPECT_EQ(view.SpecialtySelected, 5);
    EXPECT_EQ(view.FrequencySelected, 2);
    ASSERT_GT(book.LevelCount[1], 0);
    EXPECT_EQ(book.LevelCount[6], 0) << "a level-9 wizard casts no sixth-level spells";
    for (book.First(); book.Current(); book.Next()) {
        EXPECT_TRUE(IsSpellLegal(book.CurrentSpell(), &book, Specialties.get())) << book.CurrentName();
    }
    EXPECT_EQ(view.Lines.size(), static_cast<size_t>(book.LevelCount[1]));
    EXPECT_EQ(view.PerDay, SpellsPerDay(9, 1) + 1);
}

TEST_F(SpellBookDocumentTest, MakeNewKeepsCasterLevelThirtyAndTreatsNoSpecialtyAsGeneralist) {
    auto master = MakeSchoolMaster();
    tSpellBookDocument& doc = NewWindow();
    tBookParameters parameters;
    parameters.CasterLevel = 30;
    parameters.Intelligence = 21;
    parameters.SpecialtyIndex = -1;
    parameters.SpecialtyText = "ignored";
    doc.MakeNew(parameters, master.get());
    EXPECT_EQ(doc.Book().CasterLevel, 30);
    EXPECT_EQ(ViewOf().WizardLevelBox, 30);
    EXPECT_EQ(doc.Book().Specialty, "Generalist");
    EXPECT_EQ(ViewOf().SpecialtyText, "Generalist");
    EXPECT_GT(doc.Book().LevelCount[9], 0);
}

TEST_F(SpellBookDocumentTest, MakeNewFromAnEmptyOrMissingMasterGivesAnEmptyChangedBook) {
    TSpellBook empty(0, 0, 0, "");
    for (TSpellBook* master : {&empty, static_cast<TSpellBook*>(nullptr)}) {
        tSpellBookDocument& doc = NewWindow();
        tBookParameters parameters;
        parameters.CasterLevel = 12;
        doc.MakeNew(parameters, master);
        EXPECT_EQ(doc.Book().Count(), 0);
        EXPECT_TRUE(doc.Modified());
    }
}

TEST_F(SpellBookDocumentTest, RefreshListsTheChosenLevelWithMarksAndCounters) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    TSpellBook& book = doc.Book();
    book.AddSpell(MakeSpell(1, "Magic Missile", 0, "e/c", "Tome", 12, true));
    book.AddSpell(MakeSpell(1, "armor", -2, "c/s", "Codex", 0, false));
    book.AddSpell(MakeSpell(2, "Web", -4, "", "", 3, true));
    doc.Refresh();
    EXPECT_EQ(view.Lines, (std::vector<std::string>{"armor  (c/s) [Codex 0] - R",
                                                    "Magic Missile*  (e/c) [Tome 12] - C"}));
    EXPECT_EQ(view.Memorized, 1);
    EXPECT_EQ(view.PerDay, 1);
    EXPECT_EQ(view.Colour, tMarkedColour::ButtonFace);

    doc.SpellLevelChosen(2);
    EXPECT_EQ(view.Lines, (std::vector<std::string>{"Web*  () [ 3] - S"}));
    EXPECT_EQ(view.PerDay, 0);
    EXPECT_EQ(view.Colour, tMarkedColour::Red);

    doc.SpellLevelChosen(5);
    EXPECT_TRUE(view.Lines.empty());
    EXPECT_EQ(view.Memorized, 0);
}

struct tPerDayCase {
    int32_t CasterLevel;
    const char* Specialty;
    int32_t SpellLevel;
    int32_t Expected;
};

TEST(SpellsPerDayShownTest, SpecialistsGetOneMoreOnlyWhereTheTableGrantsAny) {
    const tPerDayCase cases[] = {
        {1, "Generalist", 1, 1}, {1, "Generalist", 2, 0}, {1, "Abjurer", 1, 2},     {1, "Abjurer", 2, 0},
        {1, "generalist", 1, 2}, {3, "Nobody", 2, 2},     {30, "Generalist", 9, 6}, {0, "Abjurer", 1, 0},
    };
    for (const tPerDayCase& c : cases) {
        TSpellBook book(c.CasterLevel, 9, 0, c.Specialty);
        const int32_t table = SpellsPerDay(c.CasterLevel, c.SpellLevel);
        EXPECT_EQ(SpellsPerDayShown(book, c.SpellLevel), c.Expected)
            << c.CasterLevel << " " << c.Specialty << " level " << c.SpellLevel << " (table " << table << ")";
    }
}

TEST(MarkedColourTest, GreenBelowButtonFaceAtRedAbove) {
    EXPECT_EQ(MarkedColour(1, 2), tMarkedColour::Green);
    EXPECT_EQ(MarkedColour(2, 2), tMarkedColour::ButtonFace);
    EXPECT_EQ(MarkedColour(3, 2), tMarkedColour::Red);
    EXPECT_EQ(MarkedColour(0, 0), tMarkedColour::ButtonFace);
}

TEST_F(SpellBookDocumentTest, WizardControlsChangeTheBookAndOnlyTheFrequencyLeavesItUnchanged) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    int refreshes = view.RefreshCount;

    doc.FrequencyChanged(3);
    EXPECT_EQ(doc.Book().Frequency, -3);
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(view.RefreshCount, refreshes);

    doc.IntelligenceChanged("25");
    EXPECT_EQ(doc.Book().Intelligence, 21);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(view.RefreshCount, refreshes) << "nothing shown depends on intelligence";
    doc.IntelligenceChanged("not a number");
    EXPECT_EQ(doc.Book().Intelligence, 9);

    // Saved, the book is unchanged until the next box changes it.
    view.SaveFiles.push_back((Folder / "wizard.spb").string());
    ASSERT_TRUE(doc.Save());
    EXPECT_FALSE(doc.Modified());
    doc.WizardLevelChanged("3");
    EXPECT_EQ(doc.Book().CasterLevel, 3);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(view.RefreshCount, refreshes + 1);
    EXPECT_EQ(view.PerDay, 2);
    doc.WizardLevelChanged("");
    EXPECT_EQ(doc.Book().CasterLevel, 1);

    ASSERT_TRUE(doc.Save());
    EXPECT_FALSE(doc.Modified());
    doc.SpecialtyChanged("Abj");
    EXPECT_EQ(doc.Book().Specialty, "Abj");
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(view.PerDay, 2) << "a specialty other than Generalist adds one spell";
    EXPECT_EQ(view.RefreshCount, refreshes + 3);
}

TEST_F(SpellBookDocumentTest, LeavingTheSpecialtyBoxAsksOnlyForUnknownNames) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    doc.SpecialtyExit("necromancer");
    doc.SpecialtyExit("Generalist");
    EXPECT_TRUE(Messages.Questions.empty());

    Messages.Answers = {tAnswer::No, tAnswer::Yes};
    doc.SpecialtyExit("generalist");
    EXPECT_EQ(view.MaintenanceOpened, 0);
    doc.SpecialtyExit("Wild Mage");
    EXPECT_EQ(view.MaintenanceOpened, 1);
    ASSERT_EQ(Messages.Questions.size(), 2u);
    EXPECT_EQ(Messages.Questions[0],
              "The specialty \"generalist\" does not exist on the current specialty list.\r\n"
              "Would you like modify the specialty list?");
}

TEST_F(SpellBookDocumentTest, SaveOfAnUntitledBookAsksForANameAndCancellingChangesNothing) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    doc.Book().Modified = true;
    view.SaveFiles = {std::nullopt};
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(view.SaveFolders, (std::vector<std::string>{Folder.Path().string() + "/"}));
    EXPECT_EQ(doc.Caption(), "untitled");
    EXPECT_EQ(view.Caption, "untitled");
    EXPECT_TRUE(doc.Modified());
}

TEST_F(SpellBookDocumentTest, SaveAsWritesTheBookAndASecondSaveUsesTheCaptionWithoutADialog) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    doc.Book().AddSpell(MakeSpell(1, "Sleep", 0, "e/c", "Tome", 4));
    doc.Book().Modified = true;
    const std::string path = (Folder / "wizard.spb").string();
    view.SaveFiles = {path};
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(doc.Caption(), path);
    EXPECT_EQ(view.Caption, path);
    EXPECT_FALSE(doc.Modified());
    auto saved = ReadSpellbookFile(path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(NamesOf(*saved), (std::vector<std::string>{"Sleep"}));

    doc.Book().AddSpell(MakeSpell(1, "Charm", 0, "e/c", "Tome", 5));
    doc.Book().Modified = true;
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(view.SaveFolders.size(), 1u) << "the second Save asked for no file";
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(NamesOf(*ReadSpellbookFile(path)), (std::vector<std::string>{"Charm", "Sleep"}));
    EXPECT_TRUE(Messages.Questions.empty());
}

TEST_F(SpellBookDocumentTest, SaveAsAsksBeforeReplacingAFile) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    doc.Book().Modified = true;
    const std::string path = WriteBook("old.spb", "keep me");
    view.SaveFiles = {path, path};
    Messages.Answers = {tAnswer::No, tAnswer::Yes};

    EXPECT_FALSE(doc.SaveAs());
    EXPECT_EQ(ReadBytes(path), "keep me");
    EXPECT_EQ(doc.Caption(), "untitled");
    EXPECT_TRUE(doc.Modified());
    ASSERT_EQ(Messages.Questions.size(), 1u);
    EXPECT_EQ(Messages.Questions[0], path + " already exists.\r\nDo you want to replace it?");

    EXPECT_TRUE(doc.SaveAs());
    EXPECT_NE(ReadBytes(path), "keep me");
    EXPECT_EQ(doc.Caption(), path);
}

TEST_F(SpellBookDocumentTest, AWriteThatFailsIsReportedAndKeepsTheBookChangedAndTheCaption) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    doc.Book().Modified = true;
    WriteBytes(Folder / "plain", "a file, not a folder");
    const std::string bad = (Folder / "plain" / "book.spb").string();
    view.SaveFiles = {bad};
    EXPECT_FALSE(doc.SaveAs());
    EXPECT_EQ(Messages.Errors, (std::vector<std::string>{"Unable to write to " + bad}));
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Caption(), "untitled");

    // A titled book whose file can no longer be written.
    const std::string good = (Folder / "good.spb").string();
    view.SaveFiles = {good};
    ASSERT_TRUE(doc.SaveAs());
    std::filesystem::remove(good);
    std::filesystem::create_directory(good); // a folder now stands where the file was
    doc.Book().Modified = true;
    EXPECT_FALSE(doc.Save());
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Caption(), good);
    EXPECT_EQ(Messages.Errors.back(), "Unable to write to " + good);
}

TEST_F(SpellBookDocumentTest, CloseQuestionPaths) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    EXPECT_TRUE(doc.CloseQuery());
    EXPECT_TRUE(Messages.Questions.empty()) << "an unchanged book closes without asking";

    doc.Book().Modified = true;
    Messages.Answers = {tAnswer::Cancel};
    EXPECT_FALSE(doc.CloseQuery());
    ASSERT_EQ(Messages.Questions.size(), 1u);
    EXPECT_EQ(Messages.Questions[0],
              "Spellbook:\r\nuntitled\r\nhas not been saved. Do you wish to save it now?");

    Messages.Answers = {tAnswer::No};
    EXPECT_TRUE(doc.CloseQuery());
    EXPECT_TRUE(doc.Modified()) << "No closes without saving";

    Messages.Answers = {tAnswer::Yes};
    view.SaveFiles = {std::nullopt};
    EXPECT_FALSE(doc.CloseQuery()) << "Yes, then cancelling the save dialog, keeps the window";

    const std::string path = (Folder / "closing.spb").string();
    Messages.Answers = {tAnswer::Yes};
    view.SaveFiles = {path};
    EXPECT_TRUE(doc.CloseQuery());
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(Messages.Questions.size(), 4u);
}

} // namespace
