#pragma once
// Text from files made safe to show on a terminal.

#include <string>
#include <string_view>

// Passes text on with every control character a file could hold shown as '?',
// so that none can steer the terminal: the bytes below 32 but tab, line feed
// and carriage return; 127; the C1 controls, as bytes 0x80 to 0x9F that are no
// part of a UTF-8 character, and as the UTF-8 characters U+0080 to U+009F.
// UTF-8 characters and all other bytes pass as they are. A character split
// between two pieces of text is held until its end comes.
class tTerminalText {
public:
    // Appends what the terminal may be shown of text to shown.
    void Put(std::string_view text, std::string& shown);
    // Appends what is held of an unfinished character.
    void Finish(std::string& shown);

private:
    bool Continues(unsigned char byte) const;

    std::string Held;  // the start of a UTF-8 character
    size_t Length = 0; // the length of the held character
};
