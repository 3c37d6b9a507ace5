#include "ui/SpellList.h"

#include "ui/Artwork.h"
#include "ui/Text1252.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <optional>
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

// A line painted once into a picture of its item on the view's background: the
// picture serves while the line shows again in the same state, size, colours
// and style.
struct tSpellLineDelegate::tPicture {
    QStyle::State State;
    QStyleOptionViewItem::ViewItemFeatures Features;
    QStyleOptionViewItem::ViewItemPosition Position = QStyleOptionViewItem::Invalid;
    QSize Size;
    qreal Ratio = 1.0;
    qint64 Palette = 0;
    QRgb Background = 0;
    const QStyle* Style = nullptr;
    // Whether the picture is painted: a line is painted straight into the
    // view the first time it shows in a state, and kept from the second.
    bool Painted = false;
    QImage Image;

    bool Matches(const tPicture& other) const {
        return State == other.State && Features == other.Features && Position == other.Position &&
               Size == other.Size && Ratio == other.Ratio && Palette == other.Palette &&
               Background == other.Background && Style == other.Style;
    }
};

// A line laid out for items of one width, margin, font, direction and
// alignment.
struct tSpellLineDelegate::tLaidOutLine {
    QTextLayout Layout;
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
    // The line as painted lately in a few states, newest last.
    std::vector<tPicture> Pictures;

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
        // One line laid out at the width of the item, then at the width of
        // the style's place for the text less its margins.
        line = std::make_shared<tLaidOutLine>();
        line->Margin = margin;
        line->Font = option.font;
        line->Direction = option.direction;
        line->Alignment = option.displayAlignment;
        line->ItemWidth = option.rect.width();
        line->WholeRowSelected = option.showDecorationSelected;
        QTextOption textOption;
        textOption.setWrapMode(QTextOption::ManualWrap);
        textOption.setTextDirection(option.direction);
        textOption.setAlignment(QStyle::visualAlignment(option.direction, option.displayAlignment));
        QTextLayout& layout = line->Layout;
        layout.setText(option.text);
        layout.setFont(option.font);
        layout.setTextOption(textOption);
        layout.setCacheEnabled(true);
        layout.beginLayout();
        QTextLine first = layout.createLine();
        first.setLineWidth(option.rect.width() - 2 * margin);
        line->TextSize = QSize(qCeil(first.naturalTextWidth()) + 2 * margin, qCeil(first.height()));
        const int width =
            line->TextRect(QRect(QPoint(0, 0), QSize(option.rect.width(), 1))).width() - 2 * margin;
        first.setLineWidth(width);
        const bool oneLine = !layout.createLine().isValid();
        layout.endLayout();
        line->Fits = oneLine && first.naturalTextWidth() <= width;
    }
    if (Newer.size() >= RecentLines) {
        Older = std::move(Newer);
        Newer.clear();
        PictureBytes = 0;
        for (const auto& kept : std::as_const(Older)) {
            for (const tPicture& picture : kept->Pictures) {
                PictureBytes += picture.Image.sizeInBytes();
            }
        }
    }
    return **Newer.insert(option.text, std::move(line));
}

void tSpellLineDelegate::ForgetLaidOutLines() {
    Newer.clear();
    Older.clear();
    PictureBytes = 0;
}

namespace {

// Paints a laid-out line as the platform paints an item of text, in the item's
// rectangle.
void PaintLine(QPainter* painter, const QStyleOptionViewItem& opt, const QTextLayout& layout,
               const QRect& textRect, int margin, const QStyle* style) {
    const QWidget* widget = opt.widget;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    painter->setPen(opt.palette.color(group, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                  : QPalette::Text));
    const QRect lineRect = textRect.adjusted(margin, 0, -margin, 0);
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
}

// The plain opaque colour under a view's items, when the painter paints the
// view's own viewport as the view paints itself (the viewport filled with its
// background, drawn over as it is); otherwise none.
std::optional<QRgb> PlainBackground(const QPainter* painter, const QWidget* widget) {
    const auto* view = qobject_cast<const QAbstractItemView*>(widget);
    if (!view || painter->device() != view->viewport() || painter->opacity() != 1.0 ||
        painter->compositionMode() != QPainter::CompositionMode_SourceOver) {
        return std::nullopt;
    }
    const QWidget* viewport = view->viewport();
    if (!viewport->autoFillBackground() || viewport->testAttribute(Qt::WA_OpaquePaintEvent) ||
        viewport->testAttribute(Qt::WA_TranslucentBackground) ||
        viewport->testAttribute(Qt::WA_NoSystemBackground) || viewport->testAttribute(Qt::WA_StyleSheet)) {
        return std::nullopt;
    }
    const QBrush& brush = viewport->palette().brush(viewport->backgroundRole());
    if (brush.style() != Qt::SolidPattern || brush.color().alpha() != 255) {
        return std::nullopt;
    }
    return brush.color().rgb();
}

// Whether the painter only moves and scales by the device's pixel ratio, and
// puts the point on a whole device pixel.
bool OnWholePixels(const QPainter* painter, const QPoint& point, qreal ratio) {
    const QTransform& transform = painter->deviceTransform();
    if (transform.type() > QTransform::TxScale || transform.m11() != ratio || transform.m22() != ratio) {
        return false;
    }
    const QPointF mapped = transform.map(QPointF(point));
    return mapped.x() == std::round(mapped.x()) && mapped.y() == std::round(mapped.y());
}

// Whether the item is a line of text alone, as a spell line is: no check box,
// no icon, no wrapping, not being edited.
bool OneLineOfText(const QStyleOptionViewItem& opt) {
    constexpr auto others = QStyleOptionViewItem::WrapText | QStyleOptionViewItem::HasCheckIndicator |
                            QStyleOptionViewItem::HasDecoration;
    return !(opt.features & others) && !opt.text.isEmpty() && !(opt.state & QStyle::State_Editing) &&
           opt.decorationPosition == QStyleOptionViewItem::Left;
}

// The width of an image up to its last column with a pixel other than the
// background.
int PaintedWidth(const QImage& image, QRgb background) {
    int width = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = image.width() - 1; x >= width; --x) {
            if (pixels[x] != background) {
                width = x + 1;
                break;
            }
        }
    }
    return width;
}

} // namespace

QImage tSpellLineDelegate::Picture(const QPainter& painter, const QStyleOptionViewItem& opt,
                                   const tLaidOutLine& line, const QRect& textRect, int margin,
                                   QRgb background) const {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QSize size = opt.rect.size() * ratio;
    if (Scratch.size() != size || Scratch.devicePixelRatio() != ratio) {
        Scratch = QImage(size, QImage::Format_RGB32);
        Scratch.setDevicePixelRatio(ratio);
    }
    Scratch.fill(background);
    QPainter into(&Scratch);
    into.setRenderHints(painter.renderHints());
    into.setFont(painter.font());
    into.setPen(painter.pen());
    into.setBrush(painter.brush());
    into.setBackground(painter.background());
    into.setBackgroundMode(painter.backgroundMode());
    into.setLayoutDirection(painter.layoutDirection());
    into.translate(-opt.rect.topLeft());
    into.setBrushOrigin(painter.brushOrigin());
    const QWidget* widget = opt.widget;
    PaintLine(&into, opt, line.Layout, textRect, margin, widget ? widget->style() : QApplication::style());
    into.end();
    // The view's background is already under the item: the picture keeps the
    // item up to its last column that differs from it.
    return Scratch.copy(0, 0, PaintedWidth(Scratch, background), size.height());
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
    const QRect textRect = line.TextRect(opt.rect);

    // In the view's own painting a line shown again in the same state is
    // drawn from its picture.
    const std::optional<QRgb> background = PlainBackground(painter, widget);
    const qreal ratio = painter->device()->devicePixelRatioF();
    if (background && opt.backgroundBrush.style() == Qt::NoBrush && !opt.rect.isEmpty() &&
        OnWholePixels(painter, opt.rect.topLeft(), ratio)) {
        tPicture wanted{opt.state,       opt.features, opt.viewItemPosition,
                        opt.rect.size(), ratio,        opt.palette.cacheKey(),
                        *background,     style,        false,
                        QImage()};
        auto picture = std::find_if(line.Pictures.begin(), line.Pictures.end(),
                                    [&wanted](const tPicture& kept) { return kept.Matches(wanted); });
        if (picture == line.Pictures.end()) {
            if (line.Pictures.size() >= PicturesPerLine) {
                PictureBytes -= line.Pictures.front().Image.sizeInBytes();
                line.Pictures.erase(line.Pictures.begin());
            }
            line.Pictures.push_back(std::move(wanted));
        } else {
            if (!picture->Painted && PictureBytes < MostPictureBytes) {
                picture->Image = Picture(*painter, opt, line, textRect, margin, *background);
                picture->Painted = true;
                PictureBytes += picture->Image.sizeInBytes();
            }
            if (picture->Painted) {
                if (!picture->Image.isNull()) {
                    painter->drawImage(opt.rect.topLeft(), picture->Image);
                }
                return;
            }
        }
    }

    painter->save();
    painter->setClipRect(opt.rect);
    PaintLine(painter, opt, line.Layout, textRect, margin, style);
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
