#include "app/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor kInk(40, 48, 64);
const QColor kPaper(250, 250, 246);
const QColor kBlue(52, 101, 164);

void page(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
}

void card(QPainter &p, const QRectF &r)
{
    p.setBrush(kPaper);
    p.drawRect(r);
    p.drawLine(QPointF(r.left() + 3, r.top() + 5), QPointF(r.right() - 3, r.top() + 5));
}

void letter(QPainter &p, const QString &text, bool bold, bool italic, bool underline)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(17);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, text);
}

void lines(QPainter &p, Qt::Alignment alignment)
{
    const int widths[] = {16, 10, 16, 12};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        const int x = alignment == Qt::AlignLeft ? 4 : alignment == Qt::AlignRight ? 20 - w : 12 - w / 2;
        p.drawLine(x, 6 + i * 4, x + w, 6 + i * 4);
    }
}

void arrow(QPainter &p, bool back)
{
    QPainterPath path;
    if (back) {
        path.moveTo(19, 18);
        path.cubicTo(19, 8, 10, 6, 6, 11);
    } else {
        path.moveTo(5, 18);
        path.cubicTo(5, 8, 14, 6, 18, 11);
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setBrush(kBlue);
    const QPointF tip = back ? QPointF(4, 13) : QPointF(20, 13);
    const qreal dir = back ? 1 : -1;
    p.drawPolygon(QPolygonF({tip, tip + QPointF(dir * 1, -6), tip + QPointF(dir * 6, -1)}));
}

void draw(QPainter &p, const QString &name, const QColor &swatch)
{
    p.setPen(QPen(kInk, 1.2));
    if (name == QLatin1String("new")) {
        page(p, QRectF(5, 2.5, 14, 19));
    } else if (name == QLatin1String("open")) {
        p.setBrush(QColor(232, 196, 96));
        p.drawRect(QRectF(2.5, 6.5, 19, 13));
        p.drawRect(QRectF(2.5, 4.5, 8, 3));
    } else if (name == QLatin1String("save")) {
        p.setBrush(kBlue);
        p.drawRect(QRectF(3.5, 3.5, 17, 17));
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 4, 10, 6));
        p.drawRect(QRectF(6.5, 13.5, 11, 7));
    } else if (name == QLatin1String("newcard") || name == QLatin1String("deletecard")) {
        card(p, QRectF(2.5, 5.5, 17, 12));
        QPen pen(name == QLatin1String("newcard") ? QColor(40, 140, 40) : QColor(200, 40, 40), 2.4);
        p.setPen(pen);
        if (name == QLatin1String("newcard")) {
            p.drawLine(QPointF(18, 13), QPointF(18, 22));
            p.drawLine(QPointF(13.5, 17.5), QPointF(22.5, 17.5));
        } else {
            p.drawLine(QPointF(14, 13), QPointF(22, 21));
            p.drawLine(QPointF(22, 13), QPointF(14, 21));
        }
    } else if (name == QLatin1String("print")) {
        page(p, QRectF(7, 2.5, 10, 8));
        p.setBrush(QColor(170, 176, 188));
        p.drawRect(QRectF(3.5, 9.5, 17, 8));
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 15.5, 10, 6));
    } else if (name == QLatin1String("cut")) {
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(4, 15, 5, 5));
        p.drawEllipse(QRectF(15, 15, 5, 5));
        p.drawLine(QPointF(8, 15.5), QPointF(16, 3));
        p.drawLine(QPointF(16, 15.5), QPointF(8, 3));
    } else if (name == QLatin1String("copy")) {
        page(p, QRectF(3.5, 2.5, 11, 14));
        page(p, QRectF(9.5, 7.5, 11, 14));
    } else if (name == QLatin1String("paste")) {
        p.setBrush(QColor(196, 150, 96));
        p.drawRect(QRectF(3.5, 4.5, 14, 17));
        p.setBrush(QColor(170, 176, 188));
        p.drawRect(QRectF(7.5, 2.5, 6, 4));
        page(p, QRectF(10.5, 9.5, 10, 12));
    } else if (name == QLatin1String("cascade")) {
        for (int i = 0; i < 3; ++i) {
            p.setBrush(kPaper);
            p.drawRect(QRectF(2.5 + i * 4, 2.5 + i * 4, 12, 10));
            p.fillRect(QRectF(3 + i * 4, 3 + i * 4, 11.5, 2.5), kBlue);
        }
    } else if (name == QLatin1String("tileh") || name == QLatin1String("tilev")) {
        const bool h = name == QLatin1String("tileh");
        for (int i = 0; i < 2; ++i) {
            const QRectF r = h ? QRectF(3.5, 3.5 + i * 9, 17, 8) : QRectF(3.5 + i * 9, 3.5, 8, 17);
            p.setBrush(kPaper);
            p.drawRect(r);
            p.fillRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 0.5, 2.5), kBlue);
        }
    } else if (name == QLatin1String("bold")) {
        letter(p, QStringLiteral("F"), true, false, false);
    } else if (name == QLatin1String("italic")) {
        letter(p, QStringLiteral("K"), false, true, false);
    } else if (name == QLatin1String("underline")) {
        letter(p, QStringLiteral("U"), false, false, true);
    } else if (name == QLatin1String("textcolor") || name == QLatin1String("backcolor")) {
        const QColor colour = swatch.isValid() ? swatch : (name == QLatin1String("textcolor") ? QColor(Qt::black) : QColor(Qt::white));
        if (name == QLatin1String("backcolor"))
            p.fillRect(QRectF(3, 2, 18, 15), QColor(255, 240, 120));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(0, 0, 24, 18), Qt::AlignCenter, QStringLiteral("A"));
        p.setBrush(colour);
        p.drawRect(QRectF(3.5, 18.5, 17, 4));
    } else if (name == QLatin1String("alignleft")) {
        lines(p, Qt::AlignLeft);
    } else if (name == QLatin1String("aligncenter")) {
        lines(p, Qt::AlignHCenter);
    } else if (name == QLatin1String("alignright")) {
        lines(p, Qt::AlignRight);
    } else if (name == QLatin1String("picture")) {
        p.setBrush(QColor(150, 200, 240));
        p.drawRect(QRectF(2.5, 4.5, 19, 15));
        p.setBrush(QColor(70, 150, 70));
        p.drawPolygon(QPolygonF({QPointF(3, 19), QPointF(10, 10), QPointF(15, 16), QPointF(18, 13), QPointF(21, 19)}));
        p.setBrush(QColor(250, 210, 60));
        p.drawEllipse(QRectF(15, 6, 4, 4));
    } else if (name == QLatin1String("object")) {
        page(p, QRectF(4.5, 2.5, 15, 19));
        p.setBrush(kBlue);
        p.drawRect(QRectF(8, 9, 8, 8));
    } else if (name == QLatin1String("numbering")) {
        p.setBrush(kInk);
        for (int i = 0; i < 3; ++i) {
            p.drawEllipse(QRectF(3.5, 4.5 + i * 6, 3, 3));
            p.drawLine(QPointF(9, 6 + i * 6), QPointF(21, 6 + i * 6));
        }
    } else if (name == QLatin1String("undo")) {
        p.setPen(QPen(kBlue, 2.2));
        arrow(p, true);
    } else if (name == QLatin1String("redo")) {
        p.setPen(QPen(kBlue, 2.2));
        arrow(p, false);
    }
}

} // namespace

QIcon ToolbarIcons::icon(const QString &name, const QColor &swatch)
{
    QIcon result;
    for (int scale : {1, 2}) {
        QPixmap pixmap(24 * scale, 24 * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, name, swatch);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}
