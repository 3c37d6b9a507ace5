#include "ui/Artwork.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

#include <cmath>
#include <map>

namespace {

constexpr int IconSize = 20;

QPixmap Blank(int size = IconSize) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A five-pointed star around centre, its points outer from the centre.
QPolygonF Star(QPointF centre, double outer, double inner) {
    constexpr double Pi = 3.14159265358979;
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double angle = Pi / 5 * i - Pi / 2;
        const double radius = i % 2 ? inner : outer;
        star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return star;
}

void Page(QPainter& p, QRectF r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 90), 1));
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
    p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void Book(QPainter& p, QColor cover) {
    p.setPen(QPen(cover.darker(170), 1));
    p.setBrush(cover);
    p.drawRoundedRect(QRectF(3.5, 2.5, 13, 15), 1.5, 1.5);
    p.setBrush(QColor(250, 244, 220));
    p.drawRect(QRectF(14.5, 3.5, 2, 13));
    p.setPen(QPen(QColor(235, 200, 90), 1.2));
    p.drawLine(QPointF(6.5, 6.5), QPointF(12.5, 6.5));
    p.drawLine(QPointF(6.5, 9), QPointF(11, 9));
}

void Badge(QPainter& p, QColor colour, const QString& sign) {
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawEllipse(QRectF(9.5, 9.5, 10, 10));
    p.setPen(QPen(Qt::white, 2));
    const QPointF c(14.5, 14.5);
    if (sign == QLatin1String("+") || sign == QLatin1String("-")) {
        p.drawLine(c + QPointF(-3, 0), c + QPointF(3, 0));
    }
    if (sign == QLatin1String("+")) {
        p.drawLine(c + QPointF(0, -3), c + QPointF(0, 3));
    }
    if (sign == QLatin1String("x")) {
        p.drawLine(c + QPointF(-2.5, -2.5), c + QPointF(2.5, 2.5));
        p.drawLine(c + QPointF(-2.5, 2.5), c + QPointF(2.5, -2.5));
    }
    if (sign == QLatin1String("v")) {
        p.drawLine(c + QPointF(-3, 0), c + QPointF(-1, 2.5));
        p.drawLine(c + QPointF(-1, 2.5), c + QPointF(3, -2.5));
    }
}

void Scroll(QPainter& p) {
    p.setPen(QPen(QColor(120, 90, 40), 1));
    p.setBrush(QColor(245, 230, 190));
    p.drawRect(QRectF(4.5, 3.5, 10, 12));
    p.setBrush(QColor(220, 195, 140));
    p.drawEllipse(QRectF(2.5, 1.5, 14, 4));
    p.drawEllipse(QRectF(2.5, 13.5, 14, 4));
    p.setPen(QPen(QColor(140, 110, 60), 1));
    p.drawLine(QPointF(6.5, 8), QPointF(12.5, 8));
    p.drawLine(QPointF(6.5, 10.5), QPointF(11.5, 10.5));
}

// A filter funnel, lit in colour or greyed out.
void Funnel(QPainter& p, bool lit) {
    const QColor colour = lit ? QColor(230, 150, 20) : QColor(170, 170, 170);
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    QPolygonF funnel;
    funnel << QPointF(2.5, 3.5) << QPointF(15.5, 3.5) << QPointF(10.5, 10) << QPointF(10.5, 16.5)
           << QPointF(7.5, 14.5) << QPointF(7.5, 10);
    p.drawPolygon(funnel);
}

QPixmap Draw(const QString& name) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (name == QLatin1String("new")) {
        Page(p, QRectF(4.5, 1.5, 11, 16));
        p.setPen(QPen(QColor(230, 180, 0), 1.5));
        p.drawLine(QPointF(14, 12), QPointF(19, 12));
        p.drawLine(QPointF(16.5, 9.5), QPointF(16.5, 14.5));
    } else if (name == QLatin1String("open")) {
        p.setPen(QPen(QColor(150, 110, 20), 1));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(1.5, 5.5, 15, 11));
        p.drawRect(QRectF(1.5, 3.5, 6, 2));
        p.setBrush(QColor(250, 220, 120));
        QPolygonF flap;
        flap << QPointF(4.5, 9.5) << QPointF(19.5, 9.5) << QPointF(16.5, 16.5) << QPointF(1.5, 16.5);
        p.drawPolygon(flap);
    } else if (name == QLatin1String("save")) {
        p.setPen(QPen(QColor(30, 50, 110), 1));
        p.setBrush(QColor(60, 90, 170));
        p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 2.5, 9, 6));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(5.5, 11.5, 9, 6));
    } else if (name == QLatin1String("fill")) {
        Book(p, QColor(120, 40, 40));
        Badge(p, QColor(40, 140, 60), QStringLiteral("+"));
    } else if (name == QLatin1String("validate")) {
        Book(p, QColor(120, 40, 40));
        Badge(p, QColor(40, 110, 190), QStringLiteral("v"));
    } else if (name == QLatin1String("erase")) {
        Book(p, QColor(120, 40, 40));
        Badge(p, QColor(200, 50, 40), QStringLiteral("x"));
    } else if (name == QLatin1String("add")) {
        Scroll(p);
        Badge(p, QColor(40, 140, 60), QStringLiteral("+"));
    } else if (name == QLatin1String("addrandom")) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(2.5, 2.5, 14, 14), 3, 3);
        p.setBrush(QColor(40, 40, 40));
        for (QPointF dot :
             {QPointF(6, 6), QPointF(9.5, 9.5), QPointF(13, 13), QPointF(13, 6), QPointF(6, 13)}) {
            p.drawEllipse(dot, 1.3, 1.3);
        }
    } else if (name == QLatin1String("delete")) {
        Scroll(p);
        Badge(p, QColor(200, 50, 40), QStringLiteral("-"));
    } else if (name == QLatin1String("edit")) {
        Scroll(p);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(250, 200, 60));
        QPolygonF pencil;
        pencil << QPointF(17, 6) << QPointF(19, 8) << QPointF(11, 16) << QPointF(8, 17) << QPointF(9, 14);
        p.drawPolygon(pencil);
    } else if (name == QLatin1String("createspell")) {
        p.setPen(QPen(QColor(110, 60, 160), 1));
        p.setBrush(QColor(190, 140, 240));
        p.drawPolygon(Star(QPointF(10, 10.5), 8.5, 3.5));
    } else if (name == QLatin1String("clipboard")) {
        p.setPen(QPen(QColor(110, 80, 40), 1));
        p.setBrush(QColor(190, 150, 90));
        p.drawRoundedRect(QRectF(3.5, 3.5, 13, 15), 1.5, 1.5);
        Page(p, QRectF(5.5, 5.5, 9, 11));
        p.setBrush(QColor(150, 150, 160));
        p.drawRect(QRectF(7.5, 1.5, 5, 3));
    } else if (name == QLatin1String("preview")) {
        Page(p, QRectF(2.5, 1.5, 11, 15));
        p.setPen(QPen(QColor(50, 50, 50), 2));
        p.setBrush(QColor(200, 230, 250, 200));
        p.drawEllipse(QRectF(8, 8, 7, 7));
        p.drawLine(QPointF(14, 14), QPointF(18.5, 18.5));
    } else if (name == QLatin1String("print")) {
        Page(p, QRectF(5.5, 1.5, 9, 8));
        p.setPen(QPen(QColor(60, 60, 70), 1));
        p.setBrush(QColor(150, 150, 165));
        p.drawRoundedRect(QRectF(1.5, 8.5, 17, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 13.5, 9, 5));
    } else if (name == QLatin1String("addtobook")) {
        Book(p, QColor(120, 40, 40));
        Badge(p, QColor(40, 110, 190), QStringLiteral("+"));
    } else if (name == QLatin1String("filteron") || name == QLatin1String("filteroff")) {
        Funnel(p, name == QLatin1String("filteron"));
    } else if (name == QLatin1String("removefilteron") || name == QLatin1String("removefilteroff")) {
        const bool lit = name == QLatin1String("removefilteron");
        Funnel(p, lit);
        Badge(p, lit ? QColor(200, 50, 40) : QColor(150, 150, 150), QStringLiteral("x"));
    } else {
        return QPixmap();
    }
    return pixmap;
}

std::map<int, QCursor>& CursorTable() {
    static std::map<int, QCursor> table;
    return table;
}

// A small closed spellbook with a glowing star on its cover.
QPixmap SpellCursorImage() {
    QPixmap pixmap = Blank(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // An arrow tip at the top left, where the hot spot is.
    QPolygonF arrow;
    arrow << QPointF(1, 1) << QPointF(1, 13) << QPointF(4.5, 9.5) << QPointF(9, 9);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
    p.setPen(QPen(QColor(70, 20, 20), 1));
    p.setBrush(QColor(130, 40, 40));
    p.drawRoundedRect(QRectF(10.5, 12.5, 16, 18), 2, 2);
    p.setBrush(QColor(250, 244, 220));
    p.drawRect(QRectF(24.5, 13.5, 2, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 215, 80));
    p.drawPolygon(Star(QPointF(17.5, 21.5), 5.0, 2.0));
    return pixmap;
}

} // namespace

QIcon ToolIcon(const QString& name) {
    QPixmap pixmap = Draw(name);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

QIcon ProgramIcon() {
    Q_INIT_RESOURCE(quillmark_icons);
    // The pictures the desktop's menus show, rendered by the build at each size.
    QIcon icon;
    const QDir folder(QStringLiteral(":/icons"), QStringLiteral("quillmark-*.png"));
    for (const QString& name : folder.entryList()) {
        icon.addFile(folder.filePath(name));
    }
    return icon;
}

void InstallSpellCursor() {
    CursorTable()[SpellCursorNumber] = QCursor(SpellCursorImage(), 1, 1);
}

const QCursor* ProgramCursor(int number) {
    auto& table = CursorTable();
    auto found = table.find(number);
    return found == table.end() ? nullptr : &found->second;
}

void SetDragCursor(QWidget* list, int number) {
    list->setProperty("dragCursor", number);
}

int DragCursorOf(const QWidget* list) {
    return list->property("dragCursor").toInt();
}
