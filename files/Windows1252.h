#pragma once
// The program's texts are Windows-1252 bytes; the formats shared with other
// programs (Markdown, CSV, JSON) are UTF-8. Bytes map to characters as web
// browsers read Windows-1252: the five bytes it leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the control characters of the same number, so
// that every byte has a character and every text comes back byte for byte.

#include <cstdint>
#include <string>
#include <string_view>

// Appends the UTF-8 form of the Windows-1252 text to out.
void AppendUtf8Of1252(std::string_view text, std::string& out);
std::string Utf8Of1252(std::string_view text);

// Why a UTF-8 text has no Windows-1252 form.
struct tUtf8Refusal {
    bool NotUtf8 = false; // the bytes are not well-formed UTF-8
    char32_t Character{}; // else the first character with no Windows-1252 byte
};

// The Windows-1252 form of the UTF-8 text into out (replacing what it held).
// False when text is not UTF-8 or holds a character with no Windows-1252
// byte; refusal then tells which.
bool Windows1252OfUtf8(std::string_view text, std::string& out, tUtf8Refusal& refusal);

// The refusal in words: "the character U+0100 has no Windows-1252 byte" or
// "the text is not UTF-8".
std::string DescribeRefusal(const tUtf8Refusal& refusal);

// The Windows-1252 form of the UTF-8 text of a spell's or book's field named
// what ("name") into out. False, with reason set ("in the name, the character
// U+0100 has no Windows-1252 byte", "the name holds a line break"), when it
// has none or holds a line break, which the program's files cannot keep.
bool FieldTextOfUtf8(std::string_view text, std::string_view what, std::string& out, std::string& reason);
