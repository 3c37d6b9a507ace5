// Reads any bytes as a CSV file; a file read must write and read back to the
// same spells, and the second writing must give the same bytes. A file
// refused must say why.

#include "FuzzSupport.h"
#include "files/FileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(BytesOf(data, size));
    tFormatError error;
    auto book = CsvFormat().Read(in, error);
    if (!book) {
        FUZZ_CHECK(error.Error == FileError::BadContent && !error.Reason.empty());
        return 0;
    }
    FUZZ_CHECK(error.Error == FileError::None && SpellsAreValid(*book));

    std::ostringstream written;
    FUZZ_CHECK(CsvFormat().Write(*book, "", written, error));
    std::istringstream again(written.str());
    auto back = CsvFormat().Read(again, error);
    FUZZ_CHECK(back && error.Error == FileError::None && SameSpells(*book, *back));

    std::ostringstream rewritten;
    FUZZ_CHECK(CsvFormat().Write(*back, "", rewritten, error));
    FUZZ_CHECK(rewritten.str() == written.str());
    return 0;
}
