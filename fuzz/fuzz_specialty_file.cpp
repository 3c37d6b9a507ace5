// Reads any bytes as a specialty file; the list read must write and read back
// to an equal list.

#include "FuzzSupport.h"
#include "files/SpecialtyFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(BytesOf(data, size));
    FileError error = FileError::CannotOpen;
    auto list = ReadSpecialtyFile(in, &error);
    FUZZ_CHECK(list && error == FileError::None && list->Count() >= 1);

    std::ostringstream written;
    FUZZ_CHECK(WriteSpecialtyFile(*list, written));
    std::istringstream again(written.str());
    auto back = ReadSpecialtyFile(again, &error);
    FUZZ_CHECK(back && back->Count() == list->Count());
    list->First();
    back->First();
    while (list->Current()) {
        FUZZ_CHECK(*list->CurrentSpecialty() == *back->CurrentSpecialty());
        list->Next();
        back->Next();
    }
    return 0;
}
