#include "app/icons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace icons {

namespace {

const QColor Ink(40, 50, 70);
const QColor Paper(250, 250, 245);
const QColor Blue(60, 100, 180);
const QColor Gold(225, 180, 60);

// A sheet of paper with a folded corner, the base of several icons.
void sheet(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 4, r.top());
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 4, r.top()), QPointF(r.right() - 4, r.top() + 4));
    p.drawLine(QPointF(r.right() - 4, r.top() + 4), QPointF(r.right(), r.top() + 4));
}

void textLines(QPainter &p, qreal left, qreal right, qreal top, int count)
{
    p.setPen(QPen(QColor(120, 130, 150), 1));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + 2 * i), QPointF(right, top + 2 * i));
}

void letter(QPainter &p, const QString &text, bool bold, bool italic, bool underline,
            bool strikeout)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeout);
    p.setFont(font);
    p.setPen(Ink);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

// Alignment icons: five lines whose ends show the alignment.
void alignment(QPainter &p, Qt::Alignment align)
{
    p.setPen(QPen(Ink, 1));
    const int widths[] = {12, 8, 12, 6, 12};
    for (int i = 0; i < 5; ++i) {
        const qreal y = 3.5 + 2.5 * i;
        qreal w = align == Qt::AlignJustify ? 12 : widths[i];
        qreal x = 2;
        if (align == Qt::AlignHCenter)
            x = 8 - w / 2;
        else if (align == Qt::AlignRight)
            x = 14 - w;
        p.drawLine(QPointF(x, y), QPointF(x + w, y));
    }
}

using Painter = std::function<void(QPainter &)>;

const QHash<QString, Painter> &painters()
{
    static const QHash<QString, Painter> table = {
        {QStringLiteral("new"), [](QPainter &p) { sheet(p, QRectF(3.5, 1.5, 9, 13)); }},
        {QStringLiteral("open"),
         [](QPainter &p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(Gold);
             p.drawRect(QRectF(1.5, 4.5, 12, 9));
             p.setBrush(Gold.lighter(125));
             QPolygonF lid;
             lid << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(13.5, 13.5)
                 << QPointF(1.5, 13.5);
             p.drawPolygon(lid);
             p.drawRect(QRectF(1.5, 3.5, 5, 1));
         }},
        {QStringLiteral("save"),
         [](QPainter &p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(Blue);
             p.drawRect(QRectF(1.5, 1.5, 13, 13));
             p.setBrush(Paper);
             p.drawRect(QRectF(4.5, 1.5, 7, 5));
             p.setBrush(QColor(200, 205, 215));
             p.drawRect(QRectF(3.5, 9.5, 9, 5));
         }},
        {QStringLiteral("cut"),
         [](QPainter &p) {
             p.setPen(QPen(Ink, 1.2));
             p.drawLine(QPointF(5, 2), QPointF(10, 10));
             p.drawLine(QPointF(11, 2), QPointF(6, 10));
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(QColor(190, 40, 40), 1.5));
             p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
             p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
         }},
        {QStringLiteral("copy"),
         [](QPainter &p) {
             sheet(p, QRectF(1.5, 1.5, 8, 10));
             sheet(p, QRectF(6.5, 4.5, 8, 10));
         }},
        {QStringLiteral("paste"),
         [](QPainter &p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(QColor(170, 120, 70));
             p.drawRect(QRectF(1.5, 2.5, 10, 12));
             p.setBrush(QColor(200, 200, 200));
             p.drawRect(QRectF(4.5, 1.5, 4, 3));
             sheet(p, QRectF(6.5, 6.5, 8, 8));
         }},
        {QStringLiteral("refresh"),
         [](QPainter &p) {
             p.setPen(QPen(QColor(40, 140, 60), 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 270 * 16);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(40, 140, 60));
             QPolygonF head;
             head << QPointF(9, 0.5) << QPointF(14, 4) << QPointF(8.5, 6.5);
             p.drawPolygon(head);
         }},
        {QStringLiteral("copyall"),
         [](QPainter &p) {
             sheet(p, QRectF(2.5, 1.5, 11, 13));
             textLines(p, 4.5, 10.5, 5.5, 5);
         }},
        {QStringLiteral("bold"),
         [](QPainter &p) { letter(p, QStringLiteral("B"), true, false, false, false); }},
        {QStringLiteral("italic"),
         [](QPainter &p) { letter(p, QStringLiteral("I"), false, true, false, false); }},
        {QStringLiteral("underline"),
         [](QPainter &p) { letter(p, QStringLiteral("U"), false, false, true, false); }},
        {QStringLiteral("strikeout"),
         [](QPainter &p) { letter(p, QStringLiteral("S"), false, false, false, true); }},
        {QStringLiteral("left"), [](QPainter &p) { alignment(p, Qt::AlignLeft); }},
        {QStringLiteral("center"), [](QPainter &p) { alignment(p, Qt::AlignHCenter); }},
        {QStringLiteral("right"), [](QPainter &p) { alignment(p, Qt::AlignRight); }},
        {QStringLiteral("justify"), [](QPainter &p) { alignment(p, Qt::AlignJustify); }},
        {QStringLiteral("tags"),
         [](QPainter &p) {
             p.setPen(QPen(QColor(200, 40, 40), 1.6));
             p.drawLine(QPointF(1.5, 8), QPointF(4, 3));
             p.drawLine(QPointF(4, 3), QPointF(6.5, 8));
             p.drawLine(QPointF(9.5, 8), QPointF(12, 3));
             p.drawLine(QPointF(12, 3), QPointF(14.5, 8));
             p.setPen(QPen(Blue, 1.6));
             p.drawLine(QPointF(3, 12.5), QPointF(13, 12.5));
         }},
        {QStringLiteral("find"),
         [](QPainter &p) {
             p.setPen(QPen(Ink, 1.5));
             p.setBrush(QColor(210, 230, 250));
             p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
             p.setPen(QPen(Ink, 2.5));
             p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
         }},
        {QStringLiteral("font"),
         [](QPainter &p) { letter(p, QStringLiteral("A"), true, false, false, false); }},
        {QStringLiteral("about"),
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(Blue);
             p.drawEllipse(QRectF(1, 1, 14, 14));
             QFont font(QStringLiteral("DejaVu Serif"));
             font.setPixelSize(11);
             font.setBold(true);
             p.setFont(font);
             p.setPen(Qt::white);
             p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("i"));
         }},
        {QStringLiteral("editor"),
         [](QPainter &p) {
             sheet(p, QRectF(1.5, 1.5, 10, 13));
             textLines(p, 3.5, 8.5, 5.5, 4);
             p.setPen(QPen(QColor(200, 120, 30), 2.5));
             p.drawLine(QPointF(8, 13), QPointF(14.5, 6.5));
         }},
        {QStringLiteral("browser"),
         [](QPainter &p) {
             p.setPen(QPen(Blue.darker(130), 1));
             p.setBrush(QColor(170, 210, 245));
             p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(5, 1.5, 6, 13));
             p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
             p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
         }},
        {QStringLiteral("message"),
         [](QPainter &p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(Paper);
             p.drawRect(QRectF(1.5, 3.5, 13, 9));
             p.drawLine(QPointF(1.5, 3.5), QPointF(8, 9));
             p.drawLine(QPointF(14.5, 3.5), QPointF(8, 9));
         }},
    };
    return table;
}

} // namespace

QIcon make(const QString &name)
{
    const auto it = painters().constFind(name);
    if (it == painters().constEnd())
        return {};
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        (*it)(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap emblem(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QRadialGradient glow(QPointF(12, 10), 20);
    glow.setColorAt(0, QColor(150, 190, 245));
    glow.setColorAt(1, QColor(50, 85, 160));
    p.setPen(QPen(QColor(30, 45, 90), 1));
    p.setBrush(glow);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    // Two carets, the mark of the site's tags.
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(6, 19), QPointF(11, 9), QPointF(16, 19)}));
    p.setPen(QPen(QColor(255, 210, 80), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(16, 19), QPointF(21, 9), QPointF(26, 19)}));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 24), QPointF(23, 24));
    return pixmap;
}

} // namespace icons
