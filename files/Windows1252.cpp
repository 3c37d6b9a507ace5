#include "files/Windows1252.h"

#include <array>
#include <cstdio>

namespace {

// The characters of the bytes 0x80 to 0x9F; the bytes from 0xA0 on stand
// for the character of the same number.
constexpr std::array<char16_t, 32> High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CharacterOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? char32_t{High[byte - 0x80]} : char32_t{byte};
}

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The byte of a character, or -1 when Windows-1252 has none.
int ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<int>(c);
    }
    for (size_t i = 0; i < High.size(); ++i) {
        if (High[i] == c) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

// Reads the character starting at text[at] into c and moves at past it;
// false for bytes that are not well-formed UTF-8 (overlong forms, surrogates
// and values past U+10FFFF included).
bool NextCharacter(std::string_view text, size_t& at, char32_t& c) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        c = lead;
        ++at;
        return true;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        smallest = 0x10000;
    } else {
        return false;
    }
    if (text.size() - at < length) {
        return false;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) {
            return false;
        }
        c = c << 6 | (next & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return false;
    }
    at += length;
    return true;
}

} // namespace

void AppendUtf8Of1252(std::string_view text, std::string& out) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            out.append(text.substr(start, i - start));
            AppendUtf8(CharacterOf(byte), out);
            start = i + 1;
        }
    }
    out.append(text.substr(start));
}

std::string Utf8Of1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendUtf8Of1252(text, out);
    return out;
}

bool Windows1252OfUtf8(std::string_view text, std::string& out, tUtf8Refusal& refusal) {
    out.clear();
    size_t at = 0;
    while (at < text.size()) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            out += text[at++];
            continue;
        }
        char32_t c = 0;
        if (!NextCharacter(text, at, c)) {
            refusal = {true, 0};
            return false;
        }
        const int byte = ByteOf(c);
        if (byte < 0) {
            refusal = {false, c};
            return false;
        }
        out += static_cast<char>(byte);
    }
    return true;
}

std::string DescribeRefusal(const tUtf8Refusal& refusal) {
    if (refusal.NotUtf8) {
        return "the text is not UTF-8";
    }
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(refusal.Character));
    return std::string("the character ") + number + " has no Windows-1252 byte";
}

bool FieldTextOfUtf8(std::string_view text, std::string_view what, std::string& out, std::string& reason) {
    tUtf8Refusal refusal;
    if (!Windows1252OfUtf8(text, out, refusal)) {
        reason = "in the " + std::string(what) + ", " + DescribeRefusal(refusal);
        return false;
    }
    if (out.find_first_of("\r\n") != std::string::npos) {
        reason = "the " + std::string(what) + " holds a line break";
        return false;
    }
    return true;
}
