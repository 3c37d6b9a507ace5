// Reads any bytes as a spell list file; what was read must write and read
// back to the same book, with no warning, and the second writing must give the
// same bytes. Only a list without spells may warn that its text held none.
// Each line also reads to the same fields by the quick path for written lines
// as by the comma-text rule alone.

#include "FuzzSupport.h"
#include "files/SpellLine.h"
#include "files/SpellListFile.h"

#include <algorithm>
#include <string_view>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = BytesOf(data, size);
    const auto valuesOf = [](const tSpellLineFields& f) {
        return std::tie(f.Level, f.Name, f.Book, f.Page, f.Frequency, f.Category, f.Memorized);
    };
    // The bytes as the line reader holds them, readable a little past their end.
    std::string padded = bytes + std::string(tLineReader::ReadablePastEnd, '"');
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const std::string_view line = rest.substr(0, rest.find_first_of("\r\n"));
        tSpellLineFields quick, rule, buffered;
        const bool read = ParseSpellLineFields(line, quick);
        FUZZ_CHECK(read == ParseSpellLineFieldsByRule(line, rule));
        FUZZ_CHECK(!read || valuesOf(quick) == valuesOf(rule));
        const size_t at = bytes.size() - rest.size();
        const size_t used =
            ParseWrittenSpellLineInBuffer(std::string_view(padded).substr(at, rest.size()), buffered);
        const size_t endSize = rest.substr(line.size()).starts_with("\r\n") ? 2 : 1;
        FUZZ_CHECK(used == 0 || (read && line.size() < rest.size() && used == line.size() + endSize &&
                                 valuesOf(buffered) == valuesOf(rule)));
        rest.remove_prefix(std::min(rest.size(), line.size() + 1));
    }

    std::istringstream in(bytes);
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
