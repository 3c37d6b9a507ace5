#include "app/SettingsFile.h"

#include "files/AtomicWrite.h"
#include "model/Text.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
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

std::vector<tIniLine> SplitLines(const std::string& bytes) {
    std::vector<tIniLine> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        const size_t endLength =
            (bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n') ? 2 : 1;
        lines.push_back({bytes.substr(start, stop - start), bytes.substr(stop, endLength)});
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

std::string JoinIniLines(const std::vector<tIniLine>& lines) {
    std::string bytes;
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

enum class tLoad { Loaded, Missing, Failed };

tLoad LoadFile(const std::string& path, std::string& bytes) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (ec) {
        return tLoad::Failed;
    }
    if (!exists) {
        return tLoad::Missing;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return tLoad::Failed;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return tLoad::Failed;
    }
    bytes = content.str();
    return tLoad::Loaded;
}

// Replaces the file's whole content without leaving a half-written file
// behind. An existing file that cannot be opened for writing (read-only) is
// refused, as the system refuses to change it.
bool SaveFile(const std::string& path, const std::string& bytes, bool exists) {
    if (exists) {
        std::fstream probe(path, std::ios::in | std::ios::out | std::ios::binary);
        if (!probe) {
            return false;
        }
    }
    return WriteFileAtomically(path, [&bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    });
}

} // namespace

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
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            return false;
        }
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

tSettingsFile::tSettingsFile(std::string path) : FPath(std::move(path)) {
}

std::string tSettingsFile::ReadString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    std::string bytes;
    std::string_view result = defaultValue;
    std::vector<tIniLine> lines;
    if (LoadFile(FPath, bytes) == tLoad::Loaded) {
        lines = SplitLines(bytes);
        const tLocation where = Locate(lines, section, key);
        if (where.KeyFound) {
            result = where.Value;
        }
    }
    return std::string(result.substr(0, MaxSettingsValueLength));
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
    value = value.substr(0, value.find_first_of("\r\n"));
    std::string bytes;
    const tLoad load = LoadFile(FPath, bytes);
    if (load == tLoad::Failed) {
        FLastError = SettingsWriteError(FPath);
        return false;
    }
    std::vector<tIniLine> lines = SplitLines(bytes);
    const tLocation where = Locate(lines, section, key);
    const auto insertLine = [&lines](size_t at, std::string text) {
        if (at > 0 && lines[at - 1].End.empty()) {
            lines[at - 1].End = NewLine;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), tIniLine{std::move(text), NewLine});
    };
    if (where.KeyFound) {
        const std::string name(ParseLine(lines[where.KeyLine].Text).Name);
        lines[where.KeyLine].Text = Joined(name, "=", value);
    } else if (where.SectionFound) {
        insertLine(where.InsertAt, Joined(key, "=", value));
    } else {
        if (!lines.empty() && !Trim(lines.back().Text).empty()) {
            insertLine(lines.size(), "");
        }
        insertLine(lines.size(), Joined("[", section, "]"));
        insertLine(lines.size(), Joined(key, "=", value));
    }
    if (!SaveFile(FPath, JoinIniLines(lines), load == tLoad::Loaded)) {
        FLastError = SettingsWriteError(FPath);
        return false;
    }
    FLastError.clear();
    return true;
}

bool tSettingsFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}
