#include "app/SettingsFile.h"

#include "files/AtomicWrite.h"
#include "files/DataFile.h"
#include "files/TextLines.h"
#include "model/Text.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>
#include <vector>

namespace {

const std::string NewLine = "\r\n";

// One line of the file with its own line end ("\r\n", "\n", "\r", or empty for
// a last line without one), so that lines nobody changes are written back
// byte for byte.
struct tIniLine {
    std::string Text;
    std::string End;
};

enum class tLineKind { Other, Section, Key };

struct tParsedLine {
    tLineKind Kind = tLineKind::Other;
    std::string_view Name; // section name or key
    std::string_view Value;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

tParsedLine ParseLine(std::string_view text) {
    tParsedLine parsed;
    text = Trim(text);
    if (text.empty() || text.front() == ';' || text.front() == '#') {
        return parsed;
    }
    if (text.front() == '[') {
        text.remove_prefix(1);
        const size_t close = text.find(']');
        parsed.Kind = tLineKind::Section;
        parsed.Name = Trim(text.substr(0, close));
        return parsed;
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return parsed;
    }
    parsed.Name = Trim(text.substr(0, equals));
    if (parsed.Name.empty()) {
        return parsed;
    }
    parsed.Kind = tLineKind::Key;
    std::string_view value = Trim(text.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    parsed.Value = value;
    return parsed;
}

// The file's lines; a UTF-8 byte-order mark at the start is kept apart in
// mark, so that it neither hides the first line nor gets lost on a write.
std::vector<tIniLine> SplitLines(std::string_view bytes, std::string& mark) {
    mark.clear();
    if (bytes.starts_with(ByteOrderMark)) {
        mark = ByteOrderMark;
        bytes.remove_prefix(ByteOrderMark.size());
    }
    std::vector<tIniLine> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines.push_back({std::string(bytes.substr(start)), ""});
            break;
        }
        const size_t endLength =
            (bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n') ? 2 : 1;
        lines.push_back(
            {std::string(bytes.substr(start, stop - start)), std::string(bytes.substr(stop, endLength))});
        start = stop + endLength;
    }
    return lines;
}

std::string Joined(std::string_view a, std::string_view b, std::string_view c) {
    std::string text;
    text.reserve(a.size() + b.size() + c.size());
    text.append(a).append(b).append(c);
    return text;
}

std::string JoinIniLines(const std::string& mark, const std::vector<tIniLine>& lines) {
    std::string bytes = mark;
    for (const tIniLine& line : lines) {
        bytes += line.Text;
        bytes += line.End;
    }
    return bytes;
}

// Where a key stands in the file. keyLine is set when the key was found;
// insertAt is where a new key of the section goes (after its last key, or
// right after its header).
struct tLocation {
    bool SectionFound = false;
    bool KeyFound = false;
    size_t KeyLine = 0;
    size_t InsertAt = 0;
    std::string_view Value;
};

tLocation Locate(const std::vector<tIniLine>& lines, std::string_view section, std::string_view key) {
    tLocation where;
    size_t i = 0;
    for (; i < lines.size(); ++i) {
        const tParsedLine parsed = ParseLine(lines[i].Text);
        if (parsed.Kind == tLineKind::Section && SameTextAscii(parsed.Name, section)) {
            break;
        }
    }
    if (i == lines.size()) {
        return where;
    }
    where.SectionFound = true;
    where.InsertAt = i + 1;
    for (++i; i < lines.size(); ++i) {
        const tParsedLine parsed = ParseLine(lines[i].Text);
        if (parsed.Kind == tLineKind::Section) {
            break;
        }
        if (parsed.Kind != tLineKind::Key) {
            continue;
        }
        where.InsertAt = i + 1;
        if (SameTextAscii(parsed.Name, key)) {
            where.KeyFound = true;
            where.KeyLine = i;
            where.Value = parsed.Value;
            return where;
        }
    }
    return where;
}

// A value that reading would change (blanks around it, or a pair of quotes
// around it that reading takes off) is written between double quotes.
std::string ValueToWrite(std::string_view value) {
    const bool blankAround = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
    const bool quotedAlready =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return blankAround || quotedAlready ? Joined("\"", value, "\"") : std::string(value);
}

enum class tLoad { Loaded, Missing, Failed };

// The file's bytes. Missing only when no file is there; a file that cannot be
// opened, is not a regular file or gives a read error has Failed (error tells
// why), and is then neither taken as empty nor written over.
tLoad LoadFile(const std::string& path, std::string& bytes, FileError* error = nullptr) {
    std::error_code ec;
    if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found) {
        return tLoad::Missing;
    }
    const std::unique_ptr<std::istream> in = OpenDataFile(path, error);
    if (!in) {
        return tLoad::Failed;
    }
    if (!ReadAllBytes(*in, bytes)) {
        SetFileError(error, FileError::ReadError);
        return tLoad::Failed;
    }
    return tLoad::Loaded;
}

} // namespace

std::optional<std::string> FindSettingsValue(const std::string& text, std::string_view section,
                                             std::string_view key) {
    std::string mark;
    const std::vector<tIniLine> lines = SplitLines(text, mark);
    const tLocation where = Locate(lines, section, key);
    if (!where.KeyFound) {
        return std::nullopt;
    }
    return std::string(where.Value.substr(0, MaxSettingsValueLength));
}

std::string SetSettingsValue(const std::string& text, std::string_view section, std::string_view key,
                             std::string_view value) {
    value = value.substr(0, value.find_first_of("\r\n"));
    std::string mark;
    std::vector<tIniLine> lines = SplitLines(text, mark);
    const tLocation where = Locate(lines, section, key);
    const auto insertLine = [&lines](size_t at, std::string line) {
        if (at > 0 && lines[at - 1].End.empty()) {
            lines[at - 1].End = NewLine;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), tIniLine{std::move(line), NewLine});
    };
    const std::string written = ValueToWrite(value);
    if (where.KeyFound) {
        const std::string name(ParseLine(lines[where.KeyLine].Text).Name);
        lines[where.KeyLine].Text = Joined(name, "=", written);
    } else if (where.SectionFound) {
        insertLine(where.InsertAt, Joined(key, "=", written));
    } else {
        if (!lines.empty() && !Trim(lines.back().Text).empty()) {
            insertLine(lines.size(), "");
        }
        insertLine(lines.size(), Joined("[", section, "]"));
        insertLine(lines.size(), Joined(key, "=", written));
    }
    return JoinIniLines(mark, lines);
}

std::string SettingsWriteError(const std::string& path) {
    return "Unable to write to " + path;
}

bool ParseSettingsInteger(std::string_view text, int32_t& value) {
    int base = 10;
    bool negative = false;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        // Beyond the range the number is only read on, to its end.
        magnitude = std::min(magnitude * base + digit, limit);
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

tSettingsFile::tSettingsFile(std::string path) : FPath(std::move(path)) {
}

std::string tSettingsFile::ReadString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    std::string bytes;
    if (LoadFile(FPath, bytes) == tLoad::Loaded) {
        if (std::optional<std::string> value = FindSettingsValue(bytes, section, key)) {
            return *std::move(value);
        }
    }
    return std::string(defaultValue.substr(0, MaxSettingsValueLength));
}

FileError tSettingsFile::ReadError() const {
    std::string bytes;
    FileError error;
    return LoadFile(FPath, bytes, &error) == tLoad::Failed ? error : FileError(FileError::None);
}

int32_t tSettingsFile::ReadInteger(std::string_view section, std::string_view key,
                                   int32_t defaultValue) const {
    int32_t value = defaultValue;
    if (!ParseSettingsInteger(ReadString(section, key, ""), value)) {
        return defaultValue;
    }
    return value;
}

bool tSettingsFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    return WriteStrings(section, {{std::string(key), std::string(value)}});
}

bool tSettingsFile::WriteStrings(std::string_view section,
                                 const std::vector<std::pair<std::string, std::string>>& values) {
    std::string bytes;
    if (LoadFile(FPath, bytes, &FLastFileError) == tLoad::Failed) {
        FLastError = SettingsWriteError(FPath);
        return false;
    }
    std::string changed = std::move(bytes);
    for (const auto& [key, value] : values) {
        changed = SetSettingsValue(changed, section, key, value);
    }
    const bool saved = WriteFileAtomically(
        FPath,
        [&changed](std::ostream& out) {
            out.write(changed.data(), static_cast<std::streamsize>(changed.size()));
            return true;
        },
        &FLastFileError);
    if (!saved) {
        FLastError = SettingsWriteError(FPath);
        return false;
    }
    FLastError.clear();
    FLastFileError = FileError::None;
    return true;
}

bool tSettingsFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}
