#pragma once
// A drawing surface of fixed metrics for the print layout's tests and
// benchmark: every byte of a text is 10 wide, every text 12 high (so lines
// are 15 apart), whatever the font. It records what is drawn, one line each:
// "font FACE HEIGHT [bold] [italic] [underline]", "underline",
// "text X Y |TEXT|" and "new page", after a first line "surface WxH".

#include "model/Text.h"
#include "output/BookText.h"
#include "output/PrintLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

class tFakeSurface : public tDrawingSurface {
public:
    static constexpr int32_t CharWidth = 10;
    static constexpr int32_t CharHeight = 12;

    // record false keeps only the counts (for the benchmark).
    tFakeSurface(int32_t width, int32_t height, bool record = true)
        : Width(width), Height(height), Record(record) {
        Log("surface " + std::to_string(width) + "x" + std::to_string(height));
    }

    void SetFont(const tOutputFont& font) override {
        if (!Record) {
            return;
        }
        std::string line = "font " + font.Face + " " + std::to_string(font.Height);
        line += font.Bold ? " bold" : "";
        line += font.Italic ? " italic" : "";
        line += font.Underline ? " underline" : "";
        Log(line);
    }
    void AddUnderline() override { Log("underline"); }
    int32_t TextWidth(const std::string& text) override {
        return static_cast<int32_t>(text.size()) * CharWidth;
    }
    int32_t TextHeight(const std::string& /*text*/) override { return CharHeight; }
    void DrawText(int32_t x, int32_t y, const std::string& text) override {
        ++Texts;
        if (Record) {
            Log("text " + std::to_string(x) + " " + std::to_string(y) + " |" + text + "|");
        }
    }
    void NewPage() override {
        ++Pages;
        Log("new page");
    }
    int32_t PageWidth() const override { return Width; }
    int32_t PageHeight() const override { return Height; }

    std::string Recording;
    int64_t Texts = 0;
    int32_t Pages = 1;

private:
    void Log(const std::string& line) {
        if (Record) {
            Recording += line;
            Recording += '\n';
        }
    }

    int32_t Width;
    int32_t Height;
    bool Record;
};

// A text a recording shows drawn: where, and what.
struct tDrawnText {
    int32_t X = 0;
    int32_t Y = 0;
    std::string Text;
    int32_t Right() const { return X + static_cast<int32_t>(Text.size()) * tFakeSurface::CharWidth; }
};

// The texts of a recording, in drawing order.
inline std::vector<tDrawnText> DrawnTexts(const std::string& recording) {
    std::vector<tDrawnText> texts;
    std::istringstream lines(recording);
    for (std::string line; std::getline(lines, line);) {
        tDrawnText text;
        int used = 0;
        if (std::sscanf(line.c_str(), "text %d %d |%n", &text.X, &text.Y, &used) == 2 && used > 0) {
            text.Text = line.substr(static_cast<size_t>(used), line.size() - static_cast<size_t>(used) - 1);
            texts.push_back(std::move(text));
        }
    }
    return texts;
}

// The bytes of the texts but blanks and path marks, sorted: what a drawing
// shows, however it breaks its lines.
template <class tTexts, class tTextOf> std::string Ink(const tTexts& texts, tTextOf textOf) {
    std::string ink;
    for (const auto& text : texts) {
        for (const char c : textOf(text)) {
            if (c != ' ' && c != PathMark) {
                ink += c;
            }
        }
    }
    std::sort(ink.begin(), ink.end());
    return ink;
}

inline std::string Ink(const std::vector<tDrawnText>& texts) {
    return Ink(texts, [](const tDrawnText& text) -> const std::string& { return text.Text; });
}

// What a drawing of the book must show, blanks and line breaks aside: the
// caster lines, each level's header and entries, and the comma between two
// entries of the flowing layout.
inline std::string BookInk(TSpellBook& book, const std::string& caption, const tOutputOptions& options) {
    std::vector<std::string> texts{
        "Spell Book: " + caption, "Caster Level: " + std::to_string(book.CasterLevel),
        "Caster Intelligence: " + std::to_string(book.Intelligence), "Caster Specialty: " + book.Specialty};
    for (int32_t level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
        const std::vector<const tSpell*> spells = SpellsOfLevel(book, level);
        if (!spells.empty()) {
            texts.push_back(LevelHeader(book, level));
        }
        for (size_t i = 0; i < spells.size(); ++i) {
            texts.push_back(EntryText(*spells[i], options, !spells[i]->Book.empty()));
            if (options.Columns <= 0 && i > 0) {
                texts.emplace_back(",");
            }
        }
    }
    return Ink(texts, [](const std::string& text) -> const std::string& { return text; });
}
