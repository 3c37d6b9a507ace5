#include "cli/TerminalText.h"

namespace {

bool IsC1(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F;
}

// The length of the UTF-8 character that begins with byte; 0 when it begins
// none.
size_t CharacterLength(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        return 2;
    }
    if (byte >= 0xE0 && byte <= 0xEF) {
        return 3;
    }
    return byte >= 0xF0 && byte <= 0xF4 ? 4 : 0;
}

} // namespace

bool tTerminalText::Continues(unsigned char byte) const {
    if (byte < 0x80 || byte > 0xBF) {
        return false;
    }
    if (Held.size() > 1) {
        return true;
    }
    // The second byte also rules out overlong forms, surrogates and code
    // points beyond U+10FFFF.
    switch (static_cast<unsigned char>(Held[0])) {
    case 0xE0:
        return byte >= 0xA0;
    case 0xED:
        return byte <= 0x9F;
    case 0xF0:
        return byte >= 0x90;
    case 0xF4:
        return byte <= 0x8F;
    default:
        return true;
    }
}

void tTerminalText::Put(std::string_view text, std::string& shown) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!Held.empty()) {
            if (Continues(byte)) {
                Held += c;
                if (Held.size() == Length) {
                    const bool control =
                        Length == 2 && static_cast<unsigned char>(Held[0]) == 0xC2 && IsC1(byte);
                    shown += control ? std::string("?") : Held;
                    Held.clear();
                }
                continue;
            }
            Finish(shown);
        }
        const bool control = (byte < 32 && c != '\t' && c != '\n' && c != '\r') || byte == 127 || IsC1(byte);
        Length = CharacterLength(byte);
        if (control) {
            shown += '?';
        } else if (Length > 0) {
            Held = c;
        } else {
            shown += c;
        }
    }
}

void tTerminalText::Finish(std::string& shown) {
    for (const char c : Held) {
        shown += IsC1(static_cast<unsigned char>(c)) ? '?' : c;
    }
    Held.clear();
}
