#pragma once
// Lines of plain text put together from pictures of their words. Shaping a
// line and blending its glyphs into the screen is most of what a list spends
// on a line it has not shown before, and the words of spell lines repeat from
// line to line: the words of names, books, categories, the digits of numbers.
// Each word is shaped once in a font and drawn once in a colour, on a
// background colour and at a place within a pixel; a line is then its words'
// pictures copied side by side, the same pixels as the line drawn whole.
//
// A line is taken word by word only where that holds by construction: text of
// printable ASCII without blanks at either end, in a font that shows no
// difference between a line shaped whole and its words shaped one by one.
// Each font is tried once on lines that put every printable character beside
// a blank and every pair of digits and signs side by side (glyphs, their
// places, the line's width and height), and its glyphs drawn into a picture
// are compared with the same glyphs drawn on a window; a font that kerns or
// joins across those boundaries, falls back to another font for a character,
// spaces letters or words apart, or draws on windows otherwise than into
// pictures (colour-fringed glyphs) is left to whole lines.

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVarLengthArray>

#include <memory>
#include <optional>
#include <vector>

class QPainter;

// Gives the painter these render hints and no others (QPainter::setRenderHints
// only adds to what it has).
void SetRenderHints(QPainter& painter, int hints);

class tWordPictures {
public:
    tWordPictures();
    ~tWordPictures();
    tWordPictures(const tWordPictures&) = delete;
    tWordPictures& operator=(const tWordPictures&) = delete;

    struct tWord;
    // A word of a line and where it starts, in 64ths of a pixel from the
    // line's start.
    struct tPlacedWord {
        std::shared_ptr<tWord> Word;
        int Start = 0;
    };
    // A line's words in one font, and the line's size as a text layout of the
    // whole line gives it (QTextLine::naturalTextWidth and height).
    struct tPlacedLine {
        std::vector<tPlacedWord> Words;
        qreal Width = 0;
        qreal Height = 0;
    };

    // The line's words placed, when the line can be drawn word by word in the
    // font; otherwise none. Words shaped before are taken as they are.
    std::optional<tPlacedLine> Place(const QString& text, const QFont& font);

    // Whether glyphs of the font drawn into a picture are the pixels the same
    // glyphs get on a window (so a picture of text may stand for the text).
    bool PicturesMatchWindows(const QFont& font);

    // A word's picture and where it goes.
    struct tCopy {
        const QImage* Image = nullptr;
        QPoint At;
    };
    using tCopies = QVarLengthArray<tCopy, 32>;
    // The pictures of the placed line's words, as QTextLayout::draw would
    // draw the line with the layout's top-left at `at`, in the pen's colour,
    // onto a plain background of the given colour, with these render hints;
    // each picture is made the first time it is asked for and stays while its
    // word is kept. False, with no copies, when the pictures would overlap one
    // another or reach out of `within`.
    bool Arrange(const tPlacedLine& line, QPoint at, QRgb pen, QRgb background, int hints,
                 const QRect& within, tCopies& copies);
    // Copies the pictures into an image of 32 bits a pixel.
    static void Copy(const tCopies& copies, QImage& into);

    // Forgets every word, shape and picture (what each font was found to
    // allow stays).
    void Forget();

    // The pictures made since the last Forget.
    int PicturesMade() const { return Made; }

private:
    struct tFont;
    struct tPicture;
    tFont& FontOf(const QFont& font);
    std::shared_ptr<tWord> WordOf(tFont& font, QStringView text);
    static std::shared_ptr<tWord> Shaped(const QString& text, const QFont& font);
    const tPicture* PictureOf(tWord& word, int phase, QRgb pen, QRgb background, int hints);

    // The fonts met lately, the last one used first.
    std::vector<std::unique_ptr<tFont>> Fonts;
    // The bytes of the pictures made since the newest generation of words
    // began (see tFont).
    qsizetype NewerBytes = 0;
    // Where a word is drawn before its picture is cut out.
    QImage Canvas;
    int Made = 0;
};
