#include "ui/SpellList.h"

#include "ui/Artwork.h"
#include "ui/Text1252.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

void tSpellLines::SetLines(std::vector<std::string> lines) {
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
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
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

void tSpellLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    constexpr auto others = QStyleOptionViewItem::WrapText | QStyleOptionViewItem::HasCheckIndicator |
                            QStyleOptionViewItem::HasDecoration;
    if ((opt.features & others) || opt.text.isEmpty() || (opt.state & QStyle::State_Editing) ||
        opt.decorationPosition != QStyleOptionViewItem::Left) {
        QStyledItemDelegate::paint(painter, opt, index);
        return;
    }
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &opt, widget) + 1;

    // One line laid out at the width of the item; the style's text rectangle
    // is the whole item, or the text's own size when only the text shows as
    // selected.
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(opt.direction);
    textOption.setAlignment(QStyle::visualAlignment(opt.direction, opt.displayAlignment));
    QTextLayout layout(opt.text, opt.font);
    layout.setTextOption(textOption);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(opt.rect.width() - 2 * margin);
    QRect textRect = opt.rect;
    if (!opt.showDecorationSelected) {
        const QSize textSize(qCeil(line.naturalTextWidth()) + 2 * margin, qCeil(line.height()));
        textRect = QStyle::alignedRect(opt.direction, opt.displayAlignment,
                                       textSize.boundedTo(opt.rect.size()), opt.rect);
    }
    const QRect lineRect = textRect.adjusted(margin, 0, -margin, 0);
    line.setLineWidth(lineRect.width());
    const bool oneLine = !layout.createLine().isValid();
    layout.endLayout();
    if (!oneLine || line.naturalTextWidth() > lineRect.width()) {
        QStyledItemDelegate::paint(painter, opt, index);
        return;
    }

    painter->save();
    painter->setClipRect(opt.rect);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    painter->setPen(opt.palette.color(group, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                  : QPalette::Text));
    const QRect layoutRect = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                                 layout.boundingRect().size().toSize(), lineRect);
    layout.draw(painter, QPointF(lineRect.x(), layoutRect.top()));
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &opt, widget);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        const QPalette::ColorGroup focusGroup =
            (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        focus.backgroundColor = opt.palette.color(
            focusGroup, (opt.state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

tSpellList::tSpellList(QWidget* parent) : QListView(parent), Model(new tSpellLines(this)) {
    setModel(Model);
    setItemDelegate(new tSpellLineDelegate(this));
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
