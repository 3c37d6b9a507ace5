#include "ui/SpellList.h"

#include "ui/Artwork.h"
#include "ui/Text1252.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>

#include <algorithm>
#include <utility>

void tSpellLines::SetLines(std::vector<std::string> lines) {
    for (std::string& line : lines) {
        if (line.size() > MostShownBytes) {
            line.resize(MostShownBytes);
            line += '\x85'; // an ellipsis in Windows-1252
            line.shrink_to_fit();
        }
    }
    beginResetModel();
    Lines = std::move(lines);
    endResetModel();
}

int tSpellLines::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Lines.size());
}

QModelIndex tSpellLines::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0 || parent.isValid() || static_cast<size_t>(row) >= Lines.size()) {
        return QModelIndex();
    }
    return createIndex(row, column);
}

QVariant tSpellLines::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(Lines.size())) {
        return QVariant();
    }
    // The list cuts a line wider than itself with "..."; its tooltip and what
    // a screen reader hears are the whole line as kept.
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
        return FromText(Lines[static_cast<size_t>(index.row())]);
    }
    return QVariant();
}

Qt::ItemFlags tSpellLines::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::ItemIsDropEnabled;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList tSpellLines::mimeTypes() const {
    return {QLatin1String(SpellRowsMimeType)};
}

QMimeData* tSpellLines::mimeData(const QModelIndexList& indexes) const {
    std::vector<int> rows;
    for (const QModelIndex& index : indexes) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    QByteArray bytes;
    for (int row : rows) {
        bytes += QByteArray::number(row) + ' ';
    }
    auto* data = new QMimeData;
    data->setData(QLatin1String(SpellRowsMimeType), bytes);
    return data;
}

tSpellList::tSpellList(QWidget* parent) : QListView(parent), Model(new tSpellLines(this)) {
    setModel(Model);
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

void tSpellList::SetLines(std::vector<std::string> lines, bool selectFirst) {
    Model->SetLines(std::move(lines));
    // The lines of a list on screen are placed now, while no line is current
    // or selected: the view asks of each line whether it is one of the lines
    // it keeps track of, which costs little only while there are none. A
    // hidden list places them when it is shown, at its size then.
    if (isVisible()) {
        doItemsLayout();
    }
    if (Model->rowCount() > 0) {
        const QModelIndex first = Model->index(0);
        selectionModel()->setCurrentIndex(first, selectFirst ? QItemSelectionModel::ClearAndSelect
                                                             : QItemSelectionModel::NoUpdate);
    }
}

int tSpellList::Count() const {
    return Model->rowCount();
}

QStringList tSpellList::Lines() const {
    QStringList lines;
    for (int row = 0; row < Model->rowCount(); ++row) {
        lines << Model->data(Model->index(row), Qt::DisplayRole).toString();
    }
    return lines;
}

std::vector<int32_t> tSpellList::SelectedRows() const {
    std::vector<int32_t> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void tSpellList::SelectRows(const std::vector<int32_t>& rows) {
    QItemSelection selection;
    for (int32_t row : rows) {
        const QModelIndex index = Model->index(row);
        selection.select(index, index);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!rows.empty()) {
        selectionModel()->setCurrentIndex(Model->index(rows.front()), QItemSelectionModel::NoUpdate);
    }
}

void tSpellList::AcceptDrops(bool accept) {
    setAcceptDrops(accept);
    viewport()->setAcceptDrops(accept);
    setDragDropMode(accept ? QAbstractItemView::DragDrop : QAbstractItemView::DragOnly);
    setDropIndicatorShown(false);
}

// The lines go out with the list's drag cursor.
void tSpellList::startDrag(Qt::DropActions supportedActions) {
    const QModelIndexList indexes = selectionModel()->selectedRows();
    if (indexes.isEmpty()) {
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(Model->mimeData(indexes));
    if (const QCursor* cursor = ProgramCursor(DragCursorOf(this))) {
        drag->setDragCursor(cursor->pixmap(), Qt::CopyAction);
        drag->setDragCursor(cursor->pixmap(), Qt::MoveAction);
    }
    drag->exec(supportedActions & Qt::CopyAction ? Qt::CopyAction : supportedActions, Qt::CopyAction);
}

namespace {

bool FromSpellList(const QDropEvent* event) {
    return event->mimeData()->hasFormat(QLatin1String(SpellRowsMimeType)) &&
           qobject_cast<tSpellList*>(event->source()) != nullptr;
}

} // namespace

void tSpellList::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptDrops() && FromSpellList(event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void tSpellList::dragMoveEvent(QDragMoveEvent* event) {
    if (acceptDrops() && FromSpellList(event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void tSpellList::dropEvent(QDropEvent* event) {
    if (!acceptDrops() || !FromSpellList(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit spellsDropped(qobject_cast<tSpellList*>(event->source()));
}
