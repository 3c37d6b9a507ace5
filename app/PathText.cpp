#include "app/PathText.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

// Unicode code points of the Windows-1252 bytes 0x80 to 0x9F (0 where the byte
// is not assigned).
constexpr std::array<char32_t, 32> High1252 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char To1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (size_t i = 0; i < High1252.size(); ++i) {
        if (High1252[i] == c && c != 0) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// The code points of text, or nothing when it is not valid UTF-8.
std::optional<std::vector<char32_t>> DecodeUtf8(const std::string& text) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        auto b = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t c = 0;
        if (b < 0x80) {
            c = b;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
            c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            c = b & 0x07;
        } else {
            return std::nullopt;
        }
        if (extra > 0 && i + extra >= text.size()) {
            return std::nullopt;
        }
        for (int k = 1; k <= extra; ++k) {
            auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) {
                return std::nullopt;
            }
            c = (c << 6) | (cont & 0x3F);
        }
        const char32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (c < least[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return std::nullopt;
        }
        out.push_back(c);
        i += extra + 1;
    }
    return out;
}

} // namespace

std::string PathForDisplay(const std::string& path) {
    auto points = DecodeUtf8(path);
    if (!points) {
        return path;
    }
    std::string out;
    out.reserve(points->size());
    for (char32_t c : *points) {
        out += To1252(c);
    }
    return out;
}
