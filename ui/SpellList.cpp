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

bool tSpellLineDelegate::tLook::operator==(const tLook& other) const {
    return State == other.State && Features == other.Features && Position == other.Position &&
           Size == other.Size && Ratio == other.Ratio && Palette == other.Palette &&
           Background == other.Background && Style == other.Style;
}

// A line painted once into a picture of its item on the view's background: the
// picture serves while the line shows again in the same look.
struct tSpellLineDelegate::tPicture {
    tLook Look;
    // Whether the picture is painted: a line put together from its words'
    // pictures has its picture from the first time it shows in a look;
    // another line is painted straight into the view the first time, and
    // kept from the second.
    bool Painted = false;
    QImage Image;
};

// A line laid out for items of one width, margin, font, direction and
// alignment: placed word by word, or laid out whole (when it cannot be drawn
// from its words' pictures, on demand).
struct tSpellLineDelegate::tLaidOutLine {
    std::optional<tWordPictures::tPlacedLine> Placed;
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

    // Lays out the whole line, at the width of the item, then at the width
    // of the style's place for the text less its margins.
    const QTextLayout& Whole(const QString& text) {
        if (Layout) {
            return *Layout;
        }
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
        return *Layout;
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
        // Word by word only from the left, where the words' places do not
        // depend on the line's width.
        const bool fromTheLeft =
            option.direction == Qt::LeftToRight &&
            (QStyle::visualAlignment(option.direction, option.displayAlignment) &
             (Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify)) == Qt::AlignLeft;
        if (fromTheLeft) {
            line->Placed = Words.Place(option.text, option.font);
        }
        if (line->Placed) {
            // The sizes a whole layout would give.
            line->TextSize = QSize(qCeil(line->Placed->Width) + 2 * margin, qCeil(line->Placed->Height));
            const int width =
                line->TextRect(QRect(QPoint(0, 0), QSize(line->ItemWidth, 1))).width() - 2 * margin;
            line->Fits = line->Placed->Width <= width;
        } else {
            line->Whole(option.text);
        }
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

void tSpellLineDelegate::ForgetWords() {
    ForgetLaidOutLines();
    Words.Forget();
}

namespace {

// The plain opaque colour under a view's items, when the painter paints the
// view's own viewport as the view paints itself (the viewport filled with its
// background, drawn over as it is, rows not in alternating colours) on a
// display of 24 or 32 bits a pixel; otherwise none.
std::optional<QRgb> PlainBackground(const QPainter* painter, const QWidget* widget) {
    const auto* view = qobject_cast<const QAbstractItemView*>(widget);
    if (!view || view->alternatingRowColors() || painter->device() != view->viewport() ||
        painter->opacity() != 1.0 || painter->compositionMode() != QPainter::CompositionMode_SourceOver) {
        return std::nullopt;
    }
    const QWidget* viewport = view->viewport();
    if (!viewport->autoFillBackground() || viewport->testAttribute(Qt::WA_OpaquePaintEvent) ||
        viewport->testAttribute(Qt::WA_TranslucentBackground) ||
        viewport->testAttribute(Qt::WA_NoSystemBackground) || viewport->testAttribute(Qt::WA_StyleSheet) ||
        (viewport->depth() != 24 && viewport->depth() != 32)) {
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

std::optional<QRgb> tSpellLineDelegate::PanelColour(const QStyleOptionViewItem& opt, const QStyle* style,
                                                    QRgb background) const {
    const tLook look{opt.state, opt.features,           opt.viewItemPosition, opt.rect.size(),
                     1.0,       opt.palette.cacheKey(), background,           style};
    for (const auto& [kept, colour] : Panels) {
        if (kept == look) {
            return colour;
        }
    }
    QImage panel(opt.rect.size(), QImage::Format_RGB32);
    panel.fill(background);
    {
        QPainter painter(&panel);
        QStyleOptionViewItem at = opt;
        at.rect = QRect(QPoint(0, 0), opt.rect.size());
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &at, &painter, opt.widget);
    }
    std::optional<QRgb> colour;
    if (!panel.isNull()) {
        colour = panel.pixel(0, 0);
        for (int y = 0; y < panel.height() && colour; ++y) {
            const auto* pixels = reinterpret_cast<const QRgb*>(panel.constScanLine(y));
            if (!std::all_of(pixels, pixels + panel.width(),
                             [&colour](QRgb pixel) { return pixel == *colour; })) {
                colour.reset();
            }
        }
    }
    constexpr size_t keptPanels = 8;
    if (Panels.size() < keptPanels) {
        Panels.emplace_back(look, colour);
    } else {
        Panels[NextPanel] = {look, colour};
        NextPanel = (NextPanel + 1) % keptPanels;
    }
    return colour;
}

namespace {

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
    const QTextLayout& layout = line.Whole(opt.text);
    const QRect layoutRect = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                                 layout.boundingRect().size().toSize(), lineRect);
    layout.draw(painter, QPointF(lineRect.x(), layoutRect.top()));
    PaintFocus(painter, opt, style);
}

std::optional<QImage> tSpellLineDelegate::WordsPicture(const QStyleOptionViewItem& opt, tLaidOutLine& line,
                                                       const QRect& textRect, int margin, const QStyle* style,
                                                       QRgb background, int hints) const {
    const std::optional<QRgb> under = PanelColour(opt, style, background);
    if (!under) {
        return std::nullopt;
    }
    // The text's top as a layout of the whole line would have it: the line's
    // height is the layout's.
    const QRect lineRect = textRect.adjusted(margin, 0, -margin, 0).translated(-opt.rect.topLeft());
    const int top = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                        QSize(lineRect.width(), qCeil(line.Placed->Height)), lineRect)
                        .top();
    const QRect item(QPoint(0, 0), opt.rect.size());
    tWordPictures::tCopies copies;
    if (!Words.Arrange(*line.Placed, QPoint(lineRect.x(), top), TextColour(opt).rgba(), *under, hints, item,
                       copies)) {
        return std::nullopt;
    }
    // The item as the view would show it: the panel's colour, the words, the
    // focus frame; up to the words' end where that colour is the view's own.
    int width = opt.rect.width();
    if (*under == background && !(opt.state & QStyle::State_HasFocus)) {
        width = 0;
        for (const tWordPictures::tCopy& copy : copies) {
            width = std::max(width, copy.At.x() + copy.Image->width());
        }
    }
    QImage picture(QSize(width, opt.rect.height()), QImage::Format_RGB32);
    picture.fill(*under);
    tWordPictures::Copy(copies, picture);
    if (opt.state & QStyle::State_HasFocus) {
        QPainter painter(&picture);
        SetRenderHints(painter, hints);
        painter.translate(-opt.rect.topLeft());
        PaintFocus(&painter, opt, style);
    }
    return picture;
}

QImage tSpellLineDelegate::Picture(const QPainter& painter, const QStyleOptionViewItem& opt,
                                   tLaidOutLine& line, const QRect& textRect, int margin,
                                   QRgb background) const {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QSize size = opt.rect.size() * ratio;
    if (Scratch.size() != size || Scratch.devicePixelRatio() != ratio) {
        Scratch = QImage(size, QImage::Format_RGB32);
        Scratch.setDevicePixelRatio(ratio);
    }
    Scratch.fill(background);
    QPainter into(&Scratch);
    SetRenderHints(into, static_cast<int>(painter.renderHints()));
    into.setFont(painter.font());
    into.setPen(painter.pen());
    into.setBrush(painter.brush());
    into.setBackground(painter.background());
    into.setBackgroundMode(painter.backgroundMode());
    into.setLayoutDirection(painter.layoutDirection());
    into.translate(-opt.rect.topLeft());
    into.setBrushOrigin(painter.brushOrigin());
    const QWidget* widget = opt.widget;
    PaintLine(&into, opt, line, textRect, margin, widget ? widget->style() : QApplication::style());
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

    // In the view's own painting, on whole pixels of a plain background, in a
    // font whose pictures look as it does on windows, a line is drawn from a
    // picture of its item: put together from its words' pictures at once when
    // it can be, else painted the second time it shows in the same look.
    const std::optional<QRgb> background = PlainBackground(painter, widget);
    const qreal ratio = painter->device()->devicePixelRatioF();
    if (background && opt.backgroundBrush.style() == Qt::NoBrush && !opt.rect.isEmpty() &&
        OnWholePixels(painter, opt.rect.topLeft(), ratio) && Words.PicturesMatchWindows(opt.font)) {
        const tLook look{opt.state, opt.features,           opt.viewItemPosition, opt.rect.size(),
                         ratio,     opt.palette.cacheKey(), *background,          style};
        auto picture = std::find_if(line.Pictures.begin(), line.Pictures.end(),
                                    [&look](const tPicture& kept) { return kept.Look == look; });
        if (picture == line.Pictures.end()) {
            if (line.Pictures.size() >= PicturesPerLine) {
                PictureBytes -= line.Pictures.front().Image.sizeInBytes();
                line.Pictures.erase(line.Pictures.begin());
            }
            line.Pictures.push_back(tPicture{look, false, QImage()});
            picture = line.Pictures.end() - 1;
            if (line.Placed && ratio == 1.0) {
                if (std::optional<QImage> words =
                        WordsPicture(opt, line, textRect, margin, style, *background,
                                     static_cast<int>(painter->renderHints()))) {
                    if (PictureBytes < MostPictureBytes) {
                        picture->Image = std::move(*words);
                        picture->Painted = true;
                        PictureBytes += picture->Image.sizeInBytes();
                    } else if (!words->isNull()) {
                        painter->drawImage(opt.rect.topLeft(), *words);
                        return;
                    }
                }
            }
        } else if (!picture->Painted && PictureBytes < MostPictureBytes) {
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

    painter->save();
    painter->setClipRect(opt.rect);
    PaintLine(painter, opt, line, textRect, margin, style);
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
