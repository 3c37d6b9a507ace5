#include "files/SpellbookFile.h"

#include "files/AtomicWrite.h"
#include "files/FileFormat.h"
#include "files/RuleTables.h"
#include "files/SpellLine.h"
#include "files/SpellListFile.h"
#include "files/TextLines.h"

#include <array>
#include <string_view>

namespace {

constexpr int32_t WrittenVersion = 5;

// The specialty numbers of version 3.
const std::array<std::string, 9> NumberedSpecialties = {"Generalist", "Abjurer",     "Conjurer",
                                                        "Diviner",    "Enchanter",   "Illusionist",
                                                        "Invoker",    "Necromancer", "Transmuter"};
const std::string UnknownSpecialty = "unknown";

// A number on a header line: ParseInteger's form, with blanks allowed after it
// too ("12 " reads as 12).
bool ParseHeaderNumber(std::string_view line, int32_t& value) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    return ParseInteger(line, value);
}

const std::string& SpecialtyOfNumber(const std::string& line) {
    int32_t number = 0;
    if (!ParseHeaderNumber(line, number) || number < 0 ||
        number >= static_cast<int32_t>(NumberedSpecialties.size())) {
        return UnknownSpecialty;
    }
    return NumberedSpecialties[static_cast<size_t>(number)];
}

// Reads header lines 2 to 5. Returns the warning for a caster level or
// intelligence line that is not a number (the first of them), else None.
FileError ReadHeader(tLineReader& reader, int32_t version, TSpellBook& book) {
    FileError warning = FileError::None;
    std::string line;
    reader.ReadLine(line);
    if (!ParseHeaderNumber(line, book.CasterLevel)) {
        warning = FileError::CasterLevelNotNumber;
    }
    reader.ReadLine(line);
    if (!ParseHeaderNumber(line, book.Intelligence) && warning == FileError::None) {
        warning = FileError::IntelligenceNotNumber;
    }
    reader.ReadLine(line);
    book.Specialty = version == 3 ? SpecialtyOfNumber(line) : line;
    reader.ReadLine(line);
    if (!line.empty()) {
        FrequencyFromLetter(line.front(), book.Frequency);
    }
    book.FileVersion = version;
    return warning;
}

} // namespace

void DeriveHeader(TSpellBook& book) {
    int32_t highest = 1;
    for (int32_t level = MaxSpellLevel; level >= 2; --level) {
        if (book.LevelCount[level] > 0) {
            highest = level;
            break;
        }
    }
    int32_t caster = 2;
    while (caster < MaxCasterLevel && SpellsPerDay(caster, highest) == 0) {
        ++caster;
    }
    book.CasterLevel = caster;

    int32_t intelligence = MinIntelligence;
    while (intelligence < MaxIntelligence && MaximumCount(intelligence) <= book.LevelCount[1]) {
        ++intelligence;
    }
    book.Intelligence = intelligence;
}

std::unique_ptr<TSpellBook> ReadSpellbookFile(std::istream& in, FileError* error) {
    tLineReader reader(in);
    std::string first;
    reader.ReadLine(first);
    int32_t version = 0;
    ParseHeaderNumber(first, version); // not an integer: 0, a spell list

    auto book = TSpellBook::Create(0, 0, 0, std::string());
    FileError warning = FileError::None;
    if (version == 0) {
        if (ReadSpellLines(reader, *book, &first) && book->Count() == 0) {
            warning = FileError::NoSpells;
        }
        DeriveHeader(*book);
    } else if (version >= 3 && version <= 5) {
        warning = ReadHeader(reader, version, *book);
        ReadSpellLines(reader, *book);
    } else {
        SetFileError(error, reader.Failed() ? FileError::ReadError : FileError::NotSpellbook);
        return nullptr;
    }
    return FinishRead(reader, std::move(book), error, warning);
}

std::unique_ptr<TSpellBook> ReadSpellbookFile(const std::string& path, FileError* error) {
    return ReadFromPath(path, error, [](std::istream& in, FileError* e) { return ReadSpellbookFile(in, e); });
}

bool WriteSpellbookFile(TSpellBook& book, std::ostream& out) {
    WriteTextLine(out, std::to_string(WrittenVersion));
    WriteTextLine(out, std::to_string(book.CasterLevel));
    WriteTextLine(out, std::to_string(book.Intelligence));
    WriteTextLine(out, book.Specialty);
    WriteTextLine(out, std::string(1, FrequencyLetter(book.Frequency)));
    WriteSpellLines(book, out);
    out.flush();
    return !out.fail();
}

bool WriteSpellbookFile(TSpellBook& book, const std::string& path, FileError* error) {
    return WriteFileAtomically(
        path, [&book](std::ostream& out) { return WriteSpellbookFile(book, out); }, error);
}

namespace {

class tSpellbookFormat final : public tFileFormat {
public:
    std::string_view Name() const override { return "spellbook"; }
    std::string_view Extension() const override { return "spb"; }
    std::string_view DialogFilter() const override { return "*.SPB (Spellbook Files)|*.SPB"; }
    bool Own() const override { return true; }
    bool KeepsHeader() const override { return true; }
    bool CanRead() const override { return true; }
    bool CanWrite() const override { return true; }

    std::unique_ptr<TSpellBook> Read(std::istream& in, tFormatError& error) const override {
        return ReadSpellbookFile(in, &error.Error);
    }
    bool Write(TSpellBook& book, const std::string& /*caption*/, std::ostream& out,
               tFormatError& error) const override {
        if (!WriteSpellbookFile(book, out)) {
            error.Error = FileError::CannotWrite;
            return false;
        }
        return true;
    }
};

} // namespace

const tFileFormat& SpellbookFormat() {
    static const tSpellbookFormat format;
    return format;
}
