#include "files/FileFormat.h"

#include "files/AtomicWrite.h"
#include "files/DataFile.h"
#include "model/Text.h"

std::unique_ptr<TSpellBook> tFileFormat::Read(std::istream& /*in*/, tFormatError& error) const {
    error.Refuse("files of this kind are written, not read");
    return nullptr;
}

bool tFileFormat::Write(TSpellBook& /*book*/, const std::string& /*caption*/, std::ostream& /*out*/,
                        tFormatError& error) const {
    error.Error = FileError::CannotWrite;
    return false;
}

bool tFileFormat::ReadWhole(std::istream& in, std::string& text, tFormatError& error) {
    if (!ReadAllBytes(in, text)) {
        error.Error = FileError::ReadError;
        return false;
    }
    return true;
}

bool tFileFormat::EndWrite(std::ostream& out, std::string_view last, tFormatError& error) {
    out.write(last.data(), static_cast<std::streamsize>(last.size()));
    out.flush();
    if (out.fail()) {
        error.Error = FileError::CannotWrite;
        return false;
    }
    return true;
}

const std::vector<const tFileFormat*>& FileFormats() {
    static const std::vector<const tFileFormat*> formats = {&SpellListFormat(), &SpellbookFormat(),
                                                            &MarkdownFormat(), &CsvFormat(), &JsonFormat()};
    return formats;
}

const tFileFormat* FindFileFormat(std::string_view name) {
    for (const tFileFormat* format : FileFormats()) {
        if (SameTextAscii(name, format->Name())) {
            return format;
        }
    }
    return nullptr;
}

const tFileFormat* FileFormatOfPath(std::string_view path) {
    for (const tFileFormat* format : FileFormats()) {
        const std::string_view extension = format->Extension();
        if (path.size() > extension.size() && path[path.size() - extension.size() - 1] == '.' &&
            SameTextAscii(path.substr(path.size() - extension.size()), extension)) {
            return format;
        }
    }
    return nullptr;
}

std::string DialogFilterOf(bool reading) {
    std::string filter;
    for (const tFileFormat* format : FileFormats()) {
        if (reading ? format->CanRead() : format->CanWrite()) {
            filter += std::string(format->DialogFilter()) + "|";
        }
    }
    return filter + "*.* (all files)|*.*";
}

std::unique_ptr<TSpellBook> ReadBookFile(const tFileFormat& format, const std::string& path,
                                         tFormatError& error) {
    const std::unique_ptr<std::istream> in = OpenDataFile(path, &error.Error);
    return in ? format.Read(*in, error) : nullptr;
}

bool WriteBookFile(const tFileFormat& format, TSpellBook& book, const std::string& caption,
                   const std::string& path, tFormatError& error) {
    tFormatError written;
    const bool done = WriteFileAtomically(
        path, [&](std::ostream& out) { return format.Write(book, caption, out, written); }, &error.Error);
    if (!done && !written.Reason.empty()) {
        error = written;
    }
    return done;
}

std::string ExplainFormatError(const std::string& path, const tFormatError& error) {
    if (error.Reason.empty()) {
        return ExplainFileError(path, error.Error);
    }
    std::string sentence = error.Reason;
    sentence.front() = AsciiUpper(sentence.front());
    return sentence + ".";
}
