#pragma once
// The settings file "Quillmark.INI": a text file of sections ("[name]" lines)
// and "key=value" lines, read and written one value at a time. Nothing is
// cached: every read reads the file and every write goes to it at once.
//
// Sections and keys are found without regard to ASCII letter case; the first
// section and the first key of a name count. Lines starting with ';' or '#' are
// comments. Values are taken without the blanks around them and without one
// pair of enclosing double or single quotes. Lines may end in CR LF, LF or CR.
// A UTF-8 byte-order mark at the start is passed over (and kept on a write).
//
// Section and key names are the program's own: no line breaks, no blanks
// around them, a section without "]" and a key without "=" that does not start
// with ";", "#" or "[".

#include "files/FileStatus.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

constexpr std::string_view SettingsFileName = "Quillmark.INI";

// A read string value keeps at most this many characters.
constexpr size_t MaxSettingsValueLength = 1023;

// "Unable to write to " followed by the path: the message of a refused write.
std::string SettingsWriteError(const std::string& path);

// Reads a settings integer: decimal with an optional sign, or hexadecimal after
// "0x" or "0X". A number outside the int32 range is brought to its nearer end.
// Returns false and leaves value alone for an empty text or any other
// character.
bool ParseSettingsInteger(std::string_view text, int32_t& value);

// The value of the key in the section of a settings file whose content is
// text (at most 1023 characters); none when the section or key is missing.
std::optional<std::string> FindSettingsValue(const std::string& text, std::string_view section,
                                             std::string_view key);

// The content text with the key of the section set to value, as a write
// leaves the file: only the key's own line changes (a missing key gets a new
// line at the end of its section, a missing section is added at the end), and
// every other line keeps its bytes and place. The value is cut at its first
// line break; one that reading would change (blanks around it, or enclosing
// quotes) is put between double quotes, so that it reads back as it was.
std::string SetSettingsValue(const std::string& text, std::string_view section, std::string_view key,
                             std::string_view value);

class tSettingsFile {
public:
    // Binds to the path; the file need not exist, and is not created until the
    // first write.
    explicit tSettingsFile(std::string path);

    const std::string& Path() const { return FPath; }

    // The value of the key, at most 1023 characters; defaultValue (cut to the
    // same length) when the file, the section or the key is missing, and when
    // the file cannot be read (not opened, not a regular file, a read error).
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // Why the file is there but cannot be read whole (not opened, not a
    // regular file, a read error): reads then give the defaults and writes
    // are refused. None when it can be read or is not there.
    FileError ReadError() const;

    // The value of the key as an integer (ParseSettingsInteger); defaultValue
    // when it is missing, empty or not a number.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

    // Sets the key to value in the file at once, as SetSettingsValue changes
    // its content (a missing file is created). Returns false when the system
    // refuses the write, and when an existing file cannot be read whole (it is
    // never written over from a partial read); LastError() then holds
    // SettingsWriteError(Path()) and the file is left as it was.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Sets each key of values to its value in the section, in one write that
    // changes all of them or none.
    bool WriteStrings(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& values);
    bool WriteInteger(std::string_view section, std::string_view key, int32_t value);

    // The message of the last refused write; empty after a write that worked.
    const std::string& LastError() const { return FLastError; }
    // Why the last write was refused (the file could not be read, or not be
    // written); None after a write that worked.
    FileError LastFileError() const { return FLastFileError; }

private:
    std::string FPath;
    std::string FLastError;
    FileError FLastFileError;
};
