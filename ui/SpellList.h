#pragma once
// The spell lists of the spellbook and master list windows: one line per spell
// of a level, several lines selectable, dragged with the program's spell
// cursor and dropped on other spell lists. The lines live in a model as the
// core gives them and are turned into text only when shown, with every line
// the same height, so a level of tens of thousands of spells shows at once.
// Qt's own item delegate draws them.

#include <QAbstractListModel>
#include <QListView>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class tSpellLines : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Keeps the lines as they are shown: a line longer than MostShownBytes
    // is kept to its first MostShownBytes bytes and an ellipsis, so a line of
    // any length costs the list no more than one it can show.
    void SetLines(std::vector<std::string> lines);
    static constexpr size_t MostShownBytes = 2000;
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
