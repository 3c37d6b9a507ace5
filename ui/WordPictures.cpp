#include "ui/WordPictures.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QVarLengthArray>
#include <QWidget>

#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <deque>
#include <functional>
#include <utility>

struct tWordPictures::tPicture {
    QRgb Pen = 0;
    QRgb Background = 0;
    int Phase = 0;
    int Hints = 0;
    QImage Image;
    // Where the picture's top-left stands from the word's start (its whole
    // pixel) and the layout's top.
    QPoint Offset;
};

struct tWordPictures::tWord {
    QTextLayout Layout;
    // The sum of the word's advances, in 64ths of a pixel (when it is a whole
    // number of them), and its natural width (which takes in the last glyph's
    // overhang).
    std::optional<int> Advance;
    qreal Width = 0;
    qreal Height = 0;
    // Whether its glyphs stay within the room a picture gives them.
    bool Drawable = true;
    // Its pictures (where they stay while the word is kept).
    std::deque<tPicture> Pictures;
};

struct tWordPictures::tFont {
    QFont Font;
    // Whether lines are drawn word by word in this font, the advance of a
    // blank in 64ths of a pixel, and the height of a line.
    bool Exact = false;
    int Blank = 0;
    qreal Height = 0;
    std::optional<bool> PicturesAlike;
    // The words shaped lately, in two generations: when the newer holds
    // RecentWords words, or the pictures made since it began RecentBytes, it
    // becomes the older and the older is dropped.
    QHash<QString, std::shared_ptr<tWord>> Newer;
    QHash<QString, std::shared_ptr<tWord>> Older;
    // The words of one character (digits, signs), kept apart from the others.
    std::array<std::shared_ptr<tWord>, 128> Characters;
};

namespace {

constexpr qsizetype RecentWords = 2048;
constexpr qsizetype RecentBytes = qsizetype{2} << 20;
constexpr size_t KeptFonts = 4;
// Wide enough for any line a list shows on one line.
constexpr qreal LayoutWidth = 1e6;

bool Digit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Calls word(blanks, start, length) for each word of the text with the number
// of blanks before it: the runs between blanks, cut between two digits (the
// numbers of a list are its most varied words, its digits few).
template <typename F> void ForEachWord(QStringView text, F&& word) {
    qsizetype i = 0;
    int blanks = 0;
    while (i < text.size()) {
        if (text[i] == u' ') {
            ++blanks;
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && text[end] != u' ' && !(Digit(text[end - 1]) && Digit(text[end]))) {
            ++end;
        }
        word(blanks, i, end - i);
        blanks = 0;
        i = end;
    }
}

// Lays out one line of text as the spell list lays out its lines: no
// wrapping, left to right, from the left.
QTextLine LayOut(QTextLayout& layout, const QString& text, const QFont& font) {
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);
    layout.setText(text);
    layout.setFont(font);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(LayoutWidth);
    layout.endLayout();
    return line;
}

// A length in 64ths of a pixel, when it is a whole number of them.
std::optional<int> Sixtyfourths(qreal length) {
    const qreal scaled = length * 64;
    if (scaled != std::round(scaled) || std::abs(scaled) > 1e9) {
        return std::nullopt;
    }
    return static_cast<int>(scaled);
}

// The glyphs of a line: which, where, in which font, and the line's size.
struct tGlyphs {
    QList<quint32> Indexes;
    QList<QPointF> Places;
    QRawFont Font;
    qreal Width = 0;
    qreal Height = 0;
    int Advance = 0;
};

// The text laid out whole, when its glyphs come from one font.
std::optional<tGlyphs> WholeGlyphs(const QString& text, const QFont& font) {
    QTextLayout layout;
    const QTextLine line = LayOut(layout, text, font);
    const QList<QGlyphRun> runs = layout.glyphRuns();
    const std::optional<int> advance = Sixtyfourths(line.cursorToX(static_cast<int>(text.size())));
    if (runs.size() != 1 || !advance) {
        return std::nullopt;
    }
    return tGlyphs{runs[0].glyphIndexes(),  runs[0].positions(), runs[0].rawFont(),
                   line.naturalTextWidth(), line.height(),       *advance};
}

// The text's words laid out one by one and set side by side as Place sets
// them, when each word's glyphs come from the font of the first.
std::optional<tGlyphs> GlyphsByWords(const QString& text, const QFont& font, int blank) {
    tGlyphs all;
    int x = 0;
    bool first = true;
    bool oneFont = true;
    ForEachWord(text, [&](int blanks, qsizetype start, qsizetype length) {
        x += blanks * blank;
        const std::optional<tGlyphs> word = WholeGlyphs(text.mid(start, length), font);
        if (!word || (!first && !(word->Font == all.Font))) {
            oneFont = false;
            return;
        }
        if (first) {
            all.Font = word->Font;
            first = false;
        }
        all.Indexes += word->Indexes;
        for (const QPointF& place : word->Places) {
            all.Places.push_back(place + QPointF(x / 64.0, 0));
        }
        all.Width = x / 64.0 + word->Width;
        all.Height = word->Height;
        x += word->Advance;
    });
    if (!oneFont || first) {
        return std::nullopt;
    }
    return all;
}

bool SameGlyphs(const tGlyphs& a, const tGlyphs& b) {
    if (a.Indexes != b.Indexes || a.Places.size() != b.Places.size() || !(a.Font == b.Font) ||
        a.Width != b.Width || a.Height != b.Height) {
        return false;
    }
    for (qsizetype i = 0; i < a.Places.size(); ++i) {
        if (a.Places[i].x() != b.Places[i].x() || a.Places[i].y() != b.Places[i].y()) {
            return false;
        }
    }
    return true;
}

// Whether lines of printable ASCII are shaped in the font as Place sets their
// words: every printable character after and before a blank (and two blanks),
// and every pair of digits and signs side by side in a word (alone, such a
// word is shaped as text of no script, in a line as the line's letters).
bool ShapedWordByWord(const QFont& font, int blank) {
    if (font.underline() || font.overline() || font.strikeOut()) {
        return false;
    }
    QString printable;
    QString signs;
    for (char16_t c = u'!'; c <= u'~'; ++c) {
        printable += QChar(c);
        if (!QChar(c).isLetter()) {
            signs += QChar(c);
        }
    }
    QStringList lines;
    QString besideBlanks = QStringLiteral("a  ");
    for (const QChar c : printable) {
        besideBlanks += c;
        besideBlanks += u' ';
    }
    besideBlanks.chop(1);
    lines << besideBlanks;
    // Every ordered pair of signs once side by side: each sign, then it
    // before each later one (a de Bruijn sequence), closed by the first.
    QString pairs = QStringLiteral("a ");
    for (qsizetype i = 0; i < signs.size(); ++i) {
        pairs += signs[i];
        for (qsizetype j = i + 1; j < signs.size(); ++j) {
            pairs += signs[i];
            pairs += signs[j];
        }
    }
    pairs += signs[0];
    lines << pairs + QStringLiteral(" a");
    for (const QString& line : lines) {
        std::optional<tGlyphs> whole = WholeGlyphs(line, font);
        const std::optional<tGlyphs> byWords = GlyphsByWords(line, font, blank);
        if (!whole || !byWords || whole->Indexes.size() != line.size()) {
            return false;
        }
        // The blanks' glyphs, one a character, show nothing: the words'
        // glyphs are the rest.
        for (qsizetype i = line.size() - 1; i >= 0; --i) {
            if (line[i] == u' ') {
                if (!whole->Font.boundingRect(whole->Indexes[i]).isEmpty()) {
                    return false;
                }
                whole->Indexes.removeAt(i);
                whole->Places.removeAt(i);
            }
        }
        if (!SameGlyphs(*whole, *byWords)) {
            return false;
        }
    }
    return true;
}

// A widget never shown, drawing text when rendered: a painter on a widget
// draws glyphs in the font's own way (possibly colour-fringed), a painter on
// a picture in grey.
class tWindowProbe : public QWidget {
public:
    explicit tWindowProbe(std::function<void(QPainter&)> draw) : Draw(std::move(draw)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Draw(painter);
    }

private:
    std::function<void(QPainter&)> Draw;
};

bool DrawnAlikeOnWindows(const QFont& font) {
    QTextLayout layout;
    const QTextLine line = LayOut(layout, QStringLiteral("Wg0 (e/c) [Tome 12] - C"), font);
    const QSize size(qCeil(line.naturalTextWidth()) + 8, 4 * (qCeil(line.height()) + 2));
    for (const auto& [pen, background] : {std::pair{QColor(Qt::black), QColor(Qt::white)},
                                          std::pair{QColor(Qt::white), QColor(0x30, 0x8c, 0xc6)}}) {
        const auto draw = [&, pen = pen](QPainter& painter) {
            painter.setPen(pen);
            for (int phase = 0; phase < 4; ++phase) {
                layout.draw(&painter, QPointF(2 + phase / 4.0, phase * (qCeil(line.height()) + 2)));
            }
        };
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(background);
        {
            QPainter painter(&picture);
            draw(painter);
        }
        QImage window(size, QImage::Format_RGB32);
        window.fill(background);
        tWindowProbe probe(draw);
        probe.resize(size);
        probe.render(&window, QPoint(), QRegion(), QWidget::RenderFlags());
        if (picture != window) {
            return false;
        }
    }
    return true;
}

} // namespace

std::shared_ptr<tWordPictures::tWord> tWordPictures::Shaped(const QString& text, const QFont& font) {
    auto word = std::make_shared<tWord>();
    const QTextLine line = LayOut(word->Layout, text, font);
    word->Advance = Sixtyfourths(line.cursorToX(static_cast<int>(text.size())));
    word->Width = line.naturalTextWidth();
    word->Height = line.height();
    return word;
}

void SetRenderHints(QPainter& painter, int hints) {
    const QPainter::RenderHints wanted(hints);
    painter.setRenderHints(~wanted, false);
    painter.setRenderHints(wanted, true);
}

tWordPictures::tWordPictures() = default;
tWordPictures::~tWordPictures() = default;

tWordPictures::tFont& tWordPictures::FontOf(const QFont& font) {
    if (!Fonts.empty() && Fonts.front()->Font == font) {
        return *Fonts.front();
    }
    auto known = std::find_if(Fonts.begin(), Fonts.end(),
                              [&font](const std::unique_ptr<tFont>& kept) { return kept->Font == font; });
    if (known != Fonts.end()) {
        std::rotate(Fonts.begin(), known, known + 1);
        return *Fonts.front();
    }
    auto made = std::make_unique<tFont>();
    made->Font = font;
    QTextLayout blank;
    const QTextLine line = LayOut(blank, QStringLiteral(" "), font);
    const std::optional<int> advance = Sixtyfourths(line.cursorToX(1));
    made->Blank = advance.value_or(0);
    made->Height = line.height();
    made->Exact = advance && ShapedWordByWord(font, *advance);
    Fonts.insert(Fonts.begin(), std::move(made));
    if (Fonts.size() > KeptFonts) {
        Fonts.pop_back();
    }
    return *Fonts.front();
}

std::shared_ptr<tWordPictures::tWord> tWordPictures::WordOf(tFont& font, QStringView text) {
    if (text.size() == 1) {
        std::shared_ptr<tWord>& character = font.Characters[text[0].unicode() & 127];
        if (!character) {
            character = Shaped(text.toString(), font.Font);
        }
        return character;
    }
    const QString key = QString::fromRawData(text.data(), text.size());
    if (const auto newer = font.Newer.constFind(key); newer != font.Newer.constEnd()) {
        return *newer;
    }
    std::shared_ptr<tWord> word;
    if (const auto older = font.Older.constFind(key); older != font.Older.constEnd()) {
        word = *older;
    } else {
        word = Shaped(text.toString(), font.Font);
    }
    if (font.Newer.size() >= RecentWords || NewerBytes >= RecentBytes) {
        font.Older = std::move(font.Newer);
        font.Newer.clear();
        NewerBytes = 0;
    }
    font.Newer.insert(text.toString(), word);
    return word;
}

std::optional<tWordPictures::tPlacedLine> tWordPictures::Place(const QString& text, const QFont& font) {
    if (text.isEmpty() || text.front() == u' ' || text.back() == u' ' ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u' ' && c <= u'~'; })) {
        return std::nullopt;
    }
    tFont& kept = FontOf(font);
    if (!kept.Exact) {
        return std::nullopt;
    }
    tPlacedLine line;
    line.Height = kept.Height;
    line.Words.reserve(static_cast<size_t>(text.size() / 2));
    int x = 0;
    bool measured = true;
    ForEachWord(text, [&](int blanks, qsizetype start, qsizetype length) {
        x += blanks * kept.Blank;
        std::shared_ptr<tWord> word = WordOf(kept, QStringView(text).mid(start, length));
        line.Width = x / 64.0 + word->Width;
        const int advance = word->Advance.value_or(0);
        measured = measured && word->Advance;
        line.Words.push_back({std::move(word), x});
        x += advance;
    });
    if (!measured) {
        return std::nullopt;
    }
    return line;
}

bool tWordPictures::PicturesMatchWindows(const QFont& font) {
    tFont& kept = FontOf(font);
    if (!kept.PicturesAlike) {
        kept.PicturesAlike = DrawnAlikeOnWindows(font);
    }
    return *kept.PicturesAlike;
}

const tWordPictures::tPicture* tWordPictures::PictureOf(tWord& word, int phase, QRgb pen, QRgb background,
                                                        int hints) {
    for (const tPicture& picture : word.Pictures) {
        if (picture.Phase == phase && picture.Pen == pen && picture.Background == background &&
            picture.Hints == hints) {
            return &picture;
        }
    }
    if (!word.Drawable) {
        return nullptr;
    }
    // Room around the word for glyphs reaching out of their advances and of
    // the line's height; a word whose glyphs reach the edge of the room is
    // left to whole lines.
    const QPoint pad(qCeil(word.Height / 2) + 2, qCeil(word.Height / 4) + 2);
    const QSize room(qCeil(word.Width) + 2 * pad.x() + 1, qCeil(word.Height) + 2 * pad.y());
    if (Canvas.width() < room.width() || Canvas.height() < room.height()) {
        Canvas = QImage(room.expandedTo(Canvas.size()), QImage::Format_RGB32);
    }
    {
        QPainter painter(&Canvas);
        painter.fillRect(QRect(QPoint(0, 0), room), QColor::fromRgb(background));
        SetRenderHints(painter, hints);
        painter.setPen(QColor::fromRgb(pen));
        word.Layout.draw(&painter, QPointF(pad.x() + phase / 64.0, pad.y()));
    }
    // The picture keeps the rectangle of the pixels the glyphs changed.
    int left = room.width();
    int right = -1;
    int top = room.height();
    int bottom = -1;
    for (int y = 0; y < room.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(Canvas.constScanLine(y));
        const auto* first = std::find_if(pixels, pixels + room.width(),
                                         [background](QRgb pixel) { return pixel != background; });
        if (first == pixels + room.width()) {
            continue;
        }
        int last = room.width() - 1;
        while (pixels[last] == background) {
            --last;
        }
        left = std::min(left, static_cast<int>(first - pixels));
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    if (right >= 0 && (left == 0 || top == 0 || right == room.width() - 1 || bottom == room.height() - 1)) {
        word.Drawable = false;
        return nullptr;
    }
    tPicture picture{pen, background, phase, hints, QImage(), QPoint()};
    if (right >= 0) {
        picture.Image = Canvas.copy(QRect(QPoint(left, top), QPoint(right, bottom)));
        picture.Offset = QPoint(left, top) - pad;
        NewerBytes += picture.Image.sizeInBytes();
    }
    ++Made;
    word.Pictures.push_back(std::move(picture));
    return &word.Pictures.back();
}

bool tWordPictures::Arrange(const tPlacedLine& line, QPoint at, QRgb pen, QRgb background, int hints,
                            const QRect& within, tCopies& copies) {
    copies.clear();
    if (qAlpha(pen) != 255 || qAlpha(background) != 255) {
        return false;
    }
    int lastRight = INT_MIN;
    for (const tPlacedWord& placed : line.Words) {
        const tPicture* picture = PictureOf(*placed.Word, placed.Start & 63, pen, background, hints);
        if (!picture) {
            copies.clear();
            return false;
        }
        if (picture->Image.isNull()) {
            continue;
        }
        const QRect rect(at + QPoint(placed.Start >> 6, 0) + picture->Offset, picture->Image.size());
        if (!within.contains(rect) || rect.left() <= lastRight) {
            copies.clear();
            return false;
        }
        lastRight = rect.right();
        copies.push_back({&picture->Image, rect.topLeft()});
    }
    return true;
}

void tWordPictures::Copy(const tCopies& copies, QImage& into) {
    uchar* bits = into.bits();
    const qsizetype stride = into.bytesPerLine();
    for (const tCopy& copy : copies) {
        const uchar* from = copy.Image->constBits();
        const qsizetype fromStride = copy.Image->bytesPerLine();
        const auto bytes = static_cast<size_t>(copy.Image->width()) * sizeof(QRgb);
        const int rows = copy.Image->height();
        uchar* to = bits + copy.At.y() * stride + copy.At.x() * qsizetype{sizeof(QRgb)};
        for (int y = 0; y < rows; ++y, to += stride, from += fromStride) {
            std::memcpy(to, from, bytes);
        }
    }
}

void tWordPictures::Forget() {
    for (const auto& font : Fonts) {
        font->Newer.clear();
        font->Older.clear();
        font->Characters.fill(nullptr);
    }
    NewerBytes = 0;
    Made = 0;
}
