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
#include <utility>

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

// A line laid out for items of one width, margin, font, direction and
// alignment.
struct tSpellLineDelegate::tLaidOutLine {
    std::unique_ptr<QTextLayout> Layout;
    int Margin = 0;
    QFont Font;
    Qt::LayoutDirection Direction = Qt::LeftToRight;
    Qt::Alignment Alignment;
    int ItemWidth = 0;
    bool WholeRowSelected = false;
    // The size of the text with a margin each side, and whether it fits its
    // place in the item on one line.
    QSize TextSize;
    bool Fits = false;

    bool LaidOutFor(const QStyleOptionViewItem& option, int margin) const {
        return ItemWidth == option.rect.width() && Margin == margin &&
               WholeRowSelected == option.showDecorationSelected && Direction == option.direction &&
               Alignment == option.displayAlignment && Font == option.font;
    }

    // The style's place for the text in the item: the whole item, or the
    // text's own size when only the text shows as selected.
    QRect TextRect(const QRect& item) const {
        return WholeRowSelected
                   ? item
                   : QStyle::alignedRect(Direction, Alignment, TextSize.boundedTo(item.size()), item);
    }

    // Lays out the whole line, at the width of the item, then at the width
    // of the style's place for the text less its margins.
    void LayOut(const QString& text) {
        Layout = std::make_unique<QTextLayout>(text, Font);
        QTextOption textOption;
        textOption.setWrapMode(QTextOption::ManualWrap);
        textOption.setTextDirection(Direction);
        textOption.setAlignment(QStyle::visualAlignment(Direction, Alignment));
        Layout->setTextOption(textOption);
        Layout->setCacheEnabled(true);
        Layout->beginLayout();
        QTextLine first = Layout->createLine();
        first.setLineWidth(ItemWidth - 2 * Margin);
        TextSize = QSize(qCeil(first.naturalTextWidth()) + 2 * Margin, qCeil(first.height()));
        const int width = TextRect(QRect(QPoint(0, 0), QSize(ItemWidth, 1))).width() - 2 * Margin;
        first.setLineWidth(width);
        const bool oneLine = !Layout->createLine().isValid();
        Layout->endLayout();
        Fits = oneLine && first.naturalTextWidth() <= width;
    }
};

tSpellLineDelegate::tLaidOutLine& tSpellLineDelegate::LaidOut(const QStyleOptionViewItem& option,
                                                              int margin) const {
    const auto newer = Newer.constFind(option.text);
    if (newer != Newer.constEnd() && (*newer)->LaidOutFor(option, margin)) {
        return **newer;
    }
    std::shared_ptr<tLaidOutLine> line;
    if (const auto older = Older.constFind(option.text);
        older != Older.constEnd() && (*older)->LaidOutFor(option, margin)) {
        line = *older;
    } else {
        line = std::make_shared<tLaidOutLine>();
        line->Margin = margin;
        line->Font = option.font;
        line->Direction = option.direction;
        line->Alignment = option.displayAlignment;
        line->ItemWidth = option.rect.width();
        line->WholeRowSelected = option.showDecorationSelected;
        line->LayOut(option.text);
    }
    if (Newer.size() >= RecentLines) {
        Older = std::move(Newer);
        Newer.clear();
    }
    return **Newer.insert(option.text, std::move(line));
}

void tSpellLineDelegate::ForgetLaidOutLines() {
    Newer.clear();
    Older.clear();
}

namespace {

// Whether the item is a line of text alone, as a spell line is: no check box,
// no icon, no wrapping, not being edited.
bool OneLineOfText(const QStyleOptionViewItem& opt) {
    constexpr auto others = QStyleOptionViewItem::WrapText | QStyleOptionViewItem::HasCheckIndicator |
                            QStyleOptionViewItem::HasDecoration;
    return !(opt.features & others) && !opt.text.isEmpty() && !(opt.state & QStyle::State_Editing) &&
           opt.decorationPosition == QStyleOptionViewItem::Left;
}

// The style's focus frame around an item that has the focus.
void PaintFocus(QPainter* painter, const QStyleOptionViewItem& opt, const QStyle* style) {
    if (!(opt.state & QStyle::State_HasFocus)) {
        return;
    }
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(opt);
    focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &opt, opt.widget);
    focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    const QPalette::ColorGroup focusGroup =
        (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    focus.backgroundColor = opt.palette.color(
        focusGroup, (opt.state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, opt.widget);
}

// The colour of an item's text.
QColor TextColour(const QStyleOptionViewItem& opt) {
    QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    return opt.palette.color(group, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                         : QPalette::Text);
}

} // namespace

void tSpellLineDelegate::PaintLine(QPainter* painter, const QStyleOptionViewItem& opt, tLaidOutLine& line,
                                   const QRect& textRect, int margin, const QStyle* style) const {
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, opt.widget);
    painter->setPen(TextColour(opt));
    const QRect lineRect = textRect.adjusted(margin, 0, -margin, 0);
    const QTextLayout& layout = *line.Layout;
    const QRect layoutRect = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                                 layout.boundingRect().size().toSize(), lineRect);
    layout.draw(painter, QPointF(lineRect.x(), layoutRect.top()));
    PaintFocus(painter, opt, style);
}

bool tSpellLineDelegate::tSize::For(const QStyleOptionViewItem& option, const QStyle* style) const {
    return Style == style && Bounds == option.rect.size() && Direction == option.direction &&
           Alignment == option.displayAlignment && Text == option.text && Font == option.font;
}

QSize tSpellLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!OneLineOfText(opt) || index.data(Qt::SizeHintRole).isValid()) {
        return QStyledItemDelegate::sizeHint(option, index);
    }
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    for (const tSize& kept : Sizes) {
        if (kept.For(opt, style)) {
            return kept.Size;
        }
    }
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    tSize kept{opt.text, opt.font, opt.rect.size(), opt.direction, opt.displayAlignment, style, size};
    constexpr size_t keptSizes = 8;
    if (Sizes.size() < keptSizes) {
        Sizes.push_back(std::move(kept));
    } else {
        Sizes[NextSize] = std::move(kept);
        NextSize = (NextSize + 1) % keptSizes;
    }
    return size;
}

void tSpellLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!OneLineOfText(opt)) {
        QStyledItemDelegate::paint(painter, opt, index);
        return;
    }
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &opt, widget) + 1;
    tLaidOutLine& line = LaidOut(opt, margin);
    if (!line.Fits) {
        QStyledItemDelegate::paint(painter, opt, index);
        return;
    }
    painter->save();
    painter->setClipRect(opt.rect);
    PaintLine(painter, opt, line, line.TextRect(opt.rect), margin, style);
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
