#include "files/SpecialtyFile.h"

#include "files/AtomicWrite.h"
#include "files/SpellLine.h"
#include "files/TextLines.h"

std::unique_ptr<tSpecialtyList> ReadSpecialtyFile(std::istream& in, FileError* error) {
    tLineReader reader(in);
    auto list = std::make_unique<tSpecialtyList>();
    std::string line;
    do {
        reader.ReadLine(line);
        auto specialty = std::make_unique<tSpecialty>(line);
        reader.ReadLine(line);
        specialty->Preferred = SplitCommaText(line);
        reader.ReadLine(line);
        specialty->Prohibited = SplitCommaText(line);
        list->Append(std::move(specialty));
    } while (!reader.AtEnd());
    return FinishRead(reader, std::move(list), error);
}

std::unique_ptr<tSpecialtyList> ReadSpecialtyFile(const std::string& path, FileError* error) {
    return ReadFromPath(path, error, [](std::istream& in, FileError* e) { return ReadSpecialtyFile(in, e); });
}

bool WriteSpecialtyFile(tSpecialtyList& list, std::ostream& out) {
    // A first name that begins with a byte-order mark would lose it to the
    // reader, which skips one at the very start: one more goes before it.
    list.First();
    if (list.Current() && list.CurrentSpecialty()->Name.starts_with(ByteOrderMark)) {
        out << ByteOrderMark;
    }
    for (list.First(); list.Current(); list.Next()) {
        const tSpecialty& specialty = *list.CurrentSpecialty();
        WriteTextLine(out, specialty.Name);
        WriteTextLine(out, FormatCommaText(specialty.Preferred));
        WriteTextLine(out, FormatCommaText(specialty.Prohibited));
    }
    out.flush();
    return !out.fail();
}

bool WriteSpecialtyFile(tSpecialtyList& list, const std::string& path, FileError* error) {
    return WriteFileAtomically(
        path, [&list](std::ostream& out) { return WriteSpecialtyFile(list, out); }, error);
}
