// Reads any bytes as a JSON file; a file read must write and read back to the
// same spells and header, and the second writing must give the same bytes. A file
// refused must say why.

#include "FuzzSupport.h"
#include "files/FileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(BytesOf(data, size));
    tFormatError error;
    auto book = JsonFormat().Read(in, error);
    if (!book) {
        FUZZ_CHECK(error.Error == FileError::BadContent && !error.Reason.empty());
        return 0;
    }
    FUZZ_CHECK(error.Error == FileError::None && SpellsAreValid(*book));

    std::ostringstream written;
    FUZZ_CHECK(JsonFormat().Write(*book, "", written, error));
    std::istringstream again(written.str());
    auto back = JsonFormat().Read(again, error);
    FUZZ_CHECK(back && error.Error == FileError::None && SameSpells(*book, *back));
    FUZZ_CHECK(back->CasterLevel == book->CasterLevel && back->Intelligence == book->Intelligence &&
               back->Specialty == book->Specialty && back->Frequency == book->Frequency);

    std::ostringstream rewritten;
    FUZZ_CHECK(JsonFormat().Write(*back, "", rewritten, error));
    FUZZ_CHECK(rewritten.str() == written.str());
    return 0;
}
