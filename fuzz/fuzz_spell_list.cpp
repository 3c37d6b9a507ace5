// Reads any bytes as a spell list file; what was read must write and read
// back to the same book, with no warning, and the second writing must give the
// same bytes. Only a list without spells may warn that its text held none.

#include "FuzzSupport.h"
#include "files/SpellListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(BytesOf(data, size));
    FileError error = FileError::CannotOpen;
    auto book = ReadSpellList(in, &error);
    FUZZ_CHECK(book && (error == FileError::None || (error == FileError::NoSpells && book->Count() == 0)));
    FUZZ_CHECK(book->FileVersion == 0 && SpellsAreValid(*book));

    std::ostringstream written;
    FUZZ_CHECK(WriteSpellList(*book, written));
    std::istringstream again(written.str());
    auto back = ReadSpellList(again, &error);
    FUZZ_CHECK(back && error == FileError::None && SameSpells(*book, *back));

    std::ostringstream rewritten;
    FUZZ_CHECK(WriteSpellList(*back, rewritten));
    FUZZ_CHECK(rewritten.str() == written.str());
    return 0;
}
