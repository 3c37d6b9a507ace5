// Reads any bytes as a settings file, writes one key and reads the result
// back. The input is three lines (section name, key name, value) followed by
// the file's content; names keep only letters, digits and inner blanks, as the
// program's own names do. Checks: the key reads back as written; every other
// line of the file (comments, keys, anything) keeps its bytes and order; every
// other key keeps its value; a byte-order mark stays.

#include "FuzzSupport.h"
#include "app/SettingsFile.h"
#include "model/Text.h"

#include <string_view>
#include <vector>

namespace {

constexpr std::string_view Mark = "\xEF\xBB\xBF";

std::string_view TakeLine(std::string_view& input) {
    const size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return line;
}

std::string NameFrom(std::string_view text, const char* fallback) {
    std::string name;
    for (const char c : text.substr(0, 32)) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ') {
            name += c;
        }
    }
    const size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) {
        return fallback;
    }
    return name.substr(first, name.find_last_not_of(' ') + 1 - first);
}

// The lines of a settings text without their ends (CR LF, LF or CR), the mark
// left out.
std::vector<std::string_view> LinesOf(std::string_view text) {
    if (text.starts_with(Mark)) {
        text.remove_prefix(Mark.size());
    }
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t stop = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, stop));
        if (stop == std::string_view::npos) {
            break;
        }
        text.remove_prefix(stop + (text.substr(stop, 2) == "\r\n" ? 2 : 1));
    }
    return lines;
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string section = NameFrom(TakeLine(input), "Quillmark");
    const std::string key = NameFrom(TakeLine(input), "MasterFile");
    const std::string value(TakeLine(input));
    const std::string before(input);

    const std::string after = SetSettingsValue(before, section, key, value);

    // The key reads back as written (up to a line break, at most 1023 bytes).
    const std::string expected =
        value.substr(0, value.find_first_of("\r\n")).substr(0, MaxSettingsValueLength);
    const std::optional<std::string> read = FindSettingsValue(after, section, key);
    FUZZ_CHECK(read && *read == expected);
    FUZZ_CHECK(std::string_view(before).starts_with(Mark) == std::string_view(after).starts_with(Mark));

    // Every old line is still there, in order: only the key's own line may be
    // replaced (when the key was there), or new lines put in (when it was not).
    const std::vector<std::string_view> old = LinesOf(before);
    const std::vector<std::string_view> now = LinesOf(after);
    const bool hadKey = FindSettingsValue(before, section, key).has_value();
    if (hadKey) {
        FUZZ_CHECK(now.size() == old.size());
        size_t changed = 0;
        for (size_t i = 0; i < old.size(); ++i) {
            changed += old[i] != now[i] ? 1 : 0;
        }
        FUZZ_CHECK(changed <= 1);
    } else {
        FUZZ_CHECK(now.size() > old.size() && now.size() <= old.size() + 3);
        size_t j = 0;
        for (const std::string_view line : old) {
            while (j < now.size() && now[j] != line) {
                FUZZ_CHECK(Trimmed(now[j]).empty() || now[j] == "[" + section + "]" ||
                           now[j].starts_with(key + "="));
                ++j;
            }
            FUZZ_CHECK(j < now.size());
            ++j;
        }
    }

    // Every other key keeps its value: each name before an "=" is tried in
    // each section named in the file (on small files; the lookups are many).
    if (before.size() <= 4096) {
        std::vector<std::string> sections;
        std::vector<std::string> keys;
        for (const std::string_view line : old) {
            const std::string_view text = Trimmed(line);
            if (text.starts_with('[') && sections.size() < 8) {
                sections.emplace_back(Trimmed(text.substr(1, text.find(']') - 1)));
            } else if (text.find('=') != std::string_view::npos && keys.size() < 16) {
                keys.emplace_back(Trimmed(text.substr(0, text.find('='))));
            }
        }
        for (const std::string& s : sections) {
            for (const std::string& k : keys) {
                if (SameTextAscii(s, section) && SameTextAscii(k, key)) {
                    continue;
                }
                FUZZ_CHECK(FindSettingsValue(before, s, k) == FindSettingsValue(after, s, k));
            }
        }
    }
    return 0;
}
