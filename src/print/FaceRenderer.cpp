#include "print/FaceRenderer.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <memory>

QRect FaceRenderer::toTwips(const QRect &r, int dpiX, int dpiY)
{
    dpiX = qMax(1, dpiX);
    dpiY = qMax(1, dpiY);
    const int left = int(qint64(r.left()) * 1440 / dpiX);
    const int top = int(qint64(r.top()) * 1440 / dpiY);
    const int right = int(qint64(r.left() + r.width()) * 1440 / dpiX);
    const int bottom = int(qint64(r.top() + r.height()) * 1440 / dpiY);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

int FaceRenderer::drawInRect(const QTextDocument &face, QPainter &painter, const QRect &rect)
{
    if (rect.width() <= 0 || rect.height() <= 0 || !painter.device())
        return 0;
    std::unique_ptr<QTextDocument> doc(face.clone());
    doc->setDocumentMargin(0);
    // measure on the device drawn on: fonts, pictures and indents scale to it
    doc->documentLayout()->setPaintDevice(painter.device());
    doc->setTextWidth(rect.width());

    // the lines that fit completely
    qreal bottom = 0;
    int characters = 0;
    bool full = false;
    for (QTextBlock block = doc->begin(); block.isValid() && !full; block = block.next()) {
        const QRectF box = doc->documentLayout()->blockBoundingRect(block);
        const QTextLayout *layout = block.layout();
        for (int i = 0; layout && i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal lineBottom = box.top() + line.rect().bottom();
            if (lineBottom > rect.height()) {
                full = true;
                break;
            }
            bottom = lineBottom;
            characters = block.position() + line.textStart() + line.textLength();
        }
    }
    if (bottom <= 0)
        return 0;
    painter.save();
    painter.translate(rect.topLeft());
    painter.setClipRect(QRectF(0, 0, rect.width(), bottom), Qt::IntersectClip);
    doc->drawContents(&painter, QRectF(0, 0, rect.width(), bottom));
    painter.restore();
    return characters;
}
