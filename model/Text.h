#pragma once
// Text rules shared by the whole program. Text is 8-bit; only the ASCII
// letters a..z take part in case folding, every other byte is left alone.

#include <string>
#include <string_view>

inline char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text with a..z mapped to A..Z; every other byte unchanged.
std::string AsciiUpperCase(std::string_view text);

// Byte-wise comparison after folding a..z to A..Z: negative, 0 or positive.
// A text that is a prefix of the other sorts first. Bytes compare unsigned.
int CompareTextAscii(std::string_view a, std::string_view b);

inline bool SameTextAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareTextAscii(a, b) == 0;
}

// True when needle occurs in haystack ignoring ASCII case. An empty needle
// occurs nowhere (a school text that is empty matches no category).
bool ContainsTextAscii(std::string_view haystack, std::string_view needle);

// The byte that stands before and after a file path inside a message or a
// caption (app/PathText.h): the path between two marks is the file system's
// bytes, the rest Windows-1252.
inline constexpr char PathMark = '\x1E';

// A typed name or filter text counts as present only when it sorts after the
// one-blank text " ", compared byte by byte: "", " " and texts starting with a
// control character are absent.
inline bool IsTextPresent(std::string_view text) {
    return text > std::string_view(" ");
}
