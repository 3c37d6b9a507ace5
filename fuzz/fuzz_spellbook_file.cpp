// Reads any bytes as a spellbook file. A refused file must say it is not a
// spellbook; a book read must write as version 5 and read back equal, with no
// warning left.

#include "FuzzSupport.h"
#include "files/SpellbookFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(BytesOf(data, size));
    FileError error = FileError::None;
    auto book = ReadSpellbookFile(in, &error);
    if (!book) {
        FUZZ_CHECK(error == FileError::NotSpellbook);
        return 0;
    }
    if (book->FileVersion == 0) {
        FUZZ_CHECK(error == FileError::None || (error == FileError::NoSpells && book->Count() == 0));
    } else {
        FUZZ_CHECK(book->FileVersion >= 3 && book->FileVersion <= 5);
        FUZZ_CHECK(error == FileError::None || error == FileError::CasterLevelNotNumber ||
                   error == FileError::IntelligenceNotNumber);
    }
    FUZZ_CHECK(IsFrequencyCode(book->Frequency) && SpellsAreValid(*book));

    std::ostringstream written;
    FUZZ_CHECK(WriteSpellbookFile(*book, written));
    std::istringstream again(written.str());
    auto back = ReadSpellbookFile(again, &error);
    FUZZ_CHECK(back && back->FileVersion == 5 && error == FileError::None);
    FUZZ_CHECK(back->CasterLevel == book->CasterLevel && back->Intelligence == book->Intelligence);
    FUZZ_CHECK(back->Specialty == book->Specialty && back->Frequency == book->Frequency);
    FUZZ_CHECK(SameSpells(*book, *back));
    return 0;
}
