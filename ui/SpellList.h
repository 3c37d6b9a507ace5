#pragma once
// The spell lists of the spellbook and master list windows: one line per spell
// of a level, several lines selectable, dragged with the program's spell
// cursor and dropped on other spell lists. The lines live in a model as the
// core gives them and are turned into text only when shown, with every line
// the same height, so a level of tens of thousands of spells shows at once.

#include <QAbstractListModel>
#include <QHash>
#include <QListView>
#include <QStyledItemDelegate>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class tSpellLines : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void SetLines(std::vector<std::string> lines);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // The view asks for every line's index at each layout: answered without
    // the checks through rowCount and columnCount.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

private:
    std::vector<std::string> Lines;
};

// Paints a spell line as the platform's list paints an item of text: the
// style's background and selection, the text in the style's place and
// colours, the style's focus frame. Laying out the text is most of the time a
// list takes to show a screen of lines, and the style lays out a line three
// times at every paint: here each line is laid out once, and the lines of the
// last few screens shown are kept laid out. A line the style would shorten
// with an ellipsis, or any item with more than one line of text, is left to
// the style.
class tSpellLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // The style's size for a line of text, kept for the last few lines asked
    // about: the list asks it of its first line at every change of lines.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Forgets the lines laid out: each line is laid out again when next
    // painted, as a line never shown.
    void ForgetLaidOutLines();

private:
    struct tLaidOutLine;
    tLaidOutLine& LaidOut(const QStyleOptionViewItem& option, int margin) const;
    // Paints the line as the platform paints an item of text.
    void PaintLine(QPainter* painter, const QStyleOptionViewItem& opt, tLaidOutLine& line,
                   const QRect& textRect, int margin, const QStyle* style) const;

    // The lines laid out lately, by text, in two generations: when the newer
    // holds RecentLines lines it becomes the older, and the older is dropped.
    static constexpr qsizetype RecentLines = 256;
    mutable QHash<QString, std::shared_ptr<tLaidOutLine>> Newer;
    mutable QHash<QString, std::shared_ptr<tLaidOutLine>> Older;
    // The style's size for one line of text in an item of one size, font,
    // direction and alignment.
    struct tSize {
        QString Text;
        QFont Font;
        QSize Bounds;
        Qt::LayoutDirection Direction = Qt::LeftToRight;
        Qt::Alignment Alignment;
        const QStyle* Style = nullptr;
        QSize Size;

        bool For(const QStyleOptionViewItem& option, const QStyle* style) const;
    };
    mutable std::vector<tSize> Sizes;
    mutable size_t NextSize = 0;
};

// The type of the data a dragged spell list carries: the dragged lines'
// positions. The drop asks the list it came from (the drag's source) for its
// window, book and level.
inline constexpr const char* SpellRowsMimeType = "application/x-quillmark-spell-rows";

class tSpellList : public QListView {
    Q_OBJECT
public:
    explicit tSpellList(QWidget* parent = nullptr);

    // Shows the lines in this order, the first current and, when
    // selectFirst, selected.
    void SetLines(std::vector<std::string> lines, bool selectFirst);
    int Count() const;
    // The lines as shown.
    QStringList Lines() const;
    // The positions of the selected lines, ascending.
    std::vector<int32_t> SelectedRows() const;
    // Selects exactly these lines.
    void SelectRows(const std::vector<int32_t>& rows);

    // Whether lines dropped here are taken (a spellbook's list), and the
    // drag cursor number of the lines dragged out (the program's cursor
    // table).
    void AcceptDrops(bool accept);

signals:
    // Lines of another spell list (source, possibly this one) were dropped here.
    void spellsDropped(tSpellList* source);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    tSpellLines* Model;
};
