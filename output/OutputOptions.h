#pragma once
// The output options every output path shares: the clipboard text, the preview
// and the printer. One set lives for the whole run and starts from the defaults
// below; nothing here is kept in the settings file.

#include <cstdint>
#include <optional>
#include <string>

// The font of the preview and the printout, as plain data for the window that
// turns it into a real font. The clipboard text carries no font.
struct tOutputFont {
    std::string Face = "System";
    int32_t Height = 17; // character height in pixels
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    // 0xRRGGBB; none stands for the system's window-text colour.
    std::optional<uint32_t> Color;
    // The platform's character-set number; 1 is the default character set.
    int32_t CharSet = 1;

    bool operator==(const tOutputFont&) const = default;
};

constexpr int32_t MaxOutputColumns = 4;

struct tOutputOptions {
    // 0 lays a level's spells out on one flowing line; 1..4 in that many columns.
    int32_t Columns = 0;
    bool Memorized = true;  // "*" in front of a memorized spell
    bool BookPage = true;   // " [book page]"
    bool Category = false;  // " (category)"
    bool Frequency = false; // "-" and the frequency letter
    tOutputFont Font;

    bool operator==(const tOutputOptions&) const = default;
};

// The output format dialog, where the options live for the whole run: every
// spellbook window, the preview and the printer read the same.
class tOutputFormat {
public:
    virtual ~tOutputFormat() = default;
    // Shows the dialog modally; true when it closed with OK. The options keep
    // whatever the user left in it either way.
    virtual bool AskOptions() = 0;
    virtual tOutputOptions Options() const = 0;
    // The output font chosen elsewhere (the preview's font dialog).
    virtual void SetFont(const tOutputFont& font) = 0;
};
