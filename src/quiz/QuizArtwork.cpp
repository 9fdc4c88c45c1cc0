#include "quiz/QuizArtwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <utility>

namespace {

const QColor Ink(31, 58, 104);

QPixmap canvas(QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QFont wordFont(qreal pixelSize, bool italic)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(true);
    font.setItalic(italic);
    return font;
}

// A word on a rounded plate: the plate's colour tells the buttons apart at a glance.
QPixmap wordPlate(QSize size, qreal ratio, const QString &word, const QColor &top, const QColor &bottom)
{
    QPixmap pixmap = canvas(size, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plate = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
    QLinearGradient fill(plate.topLeft(), plate.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setPen(QPen(bottom.darker(140), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(plate, 6, 6);

    QFont font = wordFont(size.height() * 0.62, false);
    const qreal room = plate.width() - 10;
    const qreal width = QFontMetricsF(font).horizontalAdvance(word);
    if (width > room)
        font.setPixelSize(qMax(1, int(font.pixelSize() * room / width)));
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 70));
    painter.drawText(plate.translated(1, 1), Qt::AlignCenter, word);
    painter.setPen(Qt::white);
    painter.drawText(plate, Qt::AlignCenter, word);
    return pixmap;
}

} // namespace

QPixmap QuizArtwork::title(qreal ratio)
{
    const QString word = QStringLiteral("Abfrage");
    const QFont font = wordFont(34, true);
    const QSize size(qCeil(QFontMetricsF(font).horizontalAdvance(word)) + 16, 43);
    QPixmap pixmap = canvas(size, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    painter.setPen(QColor(255, 255, 255, 170));
    painter.drawText(area.translated(2, 2), Qt::AlignCenter, word);
    painter.setPen(Ink);
    painter.drawText(area, Qt::AlignCenter, word);
    return pixmap;
}

QPixmap QuizArtwork::endWord(QSize size, qreal ratio)
{
    return wordPlate(size, ratio, QStringLiteral("Ende"), QColor(112, 128, 150), QColor(70, 84, 104));
}

QPixmap QuizArtwork::solutionWord(QSize size, qreal ratio)
{
    return wordPlate(size, ratio, QStringLiteral("Lösung"), QColor(76, 124, 196), Ink);
}

QPixmap QuizArtwork::checkMark(QSize size, qreal ratio)
{
    QPixmap pixmap = canvas(size, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QPainterPath tick;
    tick.moveTo(w * 0.16, h * 0.55);
    tick.lineTo(w * 0.42, h * 0.82);
    tick.lineTo(w * 0.86, h * 0.18);
    const qreal stroke = qMax(3.0, h * 0.17);
    painter.setPen(QPen(QColor(20, 90, 30), stroke + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    painter.setPen(QPen(QColor(46, 160, 67), stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    return pixmap;
}

QPixmap QuizArtwork::cross(QSize size, qreal ratio)
{
    QPixmap pixmap = canvas(size, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(size.width(), size.height()) * 0.72;
    const QRectF box(QPointF((size.width() - side) / 2, (size.height() - side) / 2), QSizeF(side, side));
    const qreal stroke = qMax(3.0, size.height() * 0.17);
    for (const auto &[pen, width] : {std::pair{QColor(120, 20, 20), stroke + 2}, std::pair{QColor(214, 48, 49), stroke}}) {
        painter.setPen(QPen(pen, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
    }
    return pixmap;
}
