#pragma once
// A drawing surface of fixed metrics for the print layout's tests and
// benchmark: every byte of a text is 10 wide, every text 12 high (so lines
// are 15 apart), whatever the font. It records what is drawn, one line each:
// "font FACE HEIGHT [bold] [italic] [underline]", "underline",
// "text X Y |TEXT|" and "new page", after a first line "surface WxH".

#include "output/PrintLayout.h"

#include <cstdint>
#include <string>

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
