#pragma once

#include <QObject>
#include <QSizeF>
#include <QTextObjectInterface>

class QTextDocument;

// Draws a face's pictures at their stored size, but never wider than the
// text area where they stand: a photo as wide as the card still fits when
// the editor shows its vertical scroll bar. The stored size, which printing
// uses, stays as it is.
class PictureFitHandler
    : public QObject
    , public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    // Draws the document's pictures from now on.
    static void install(QTextDocument &document);
    // `stored` scaled down to `maxWidth`, keeping its proportions; a
    // maxWidth of 0 or less sets no limit.
    static QSizeF shownSize(const QSizeF &stored, qreal maxWidth);

    QSizeF intrinsicSize(QTextDocument *document, int position, const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int position, const QTextFormat &format) override;

private:
    using QObject::QObject;
};
