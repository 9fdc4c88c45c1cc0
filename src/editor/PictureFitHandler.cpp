#include "editor/PictureFitHandler.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

namespace {

QImage pictureOf(QTextDocument *document, const QTextImageFormat &format)
{
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.canConvert<QImage>())
        return resource.value<QImage>();
    if (resource.canConvert<QPixmap>())
        return resource.value<QPixmap>().toImage();
    return QImage::fromData(resource.toByteArray());
}

// The width left for a picture in its paragraph.
qreal roomFor(const QTextDocument &document, int position)
{
    const qreal page = document.textWidth();
    if (page <= 0)
        return 0;
    const QTextBlock block = document.findBlock(position);
    const QTextBlockFormat paragraph = block.blockFormat();
    qreal room = page - 2 * document.documentMargin() - paragraph.leftMargin() - paragraph.rightMargin()
        - paragraph.indent() * document.indentWidth() - std::max<qreal>(0, paragraph.textIndent());
    if (const QTextList *list = block.textList())
        room -= list->format().indent() * document.indentWidth();
    return std::max<qreal>(1, room);
}

} // namespace

void PictureFitHandler::install(QTextDocument &document)
{
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    layout->registerHandler(QTextFormat::ImageObject, new PictureFitHandler(layout));
}

QSizeF PictureFitHandler::shownSize(const QSizeF &stored, qreal maxWidth)
{
    if (maxWidth <= 0 || stored.width() <= maxWidth)
        return stored;
    return QSizeF(maxWidth, stored.height() * maxWidth / stored.width());
}

QSizeF PictureFitHandler::intrinsicSize(QTextDocument *document, int position, const QTextFormat &format)
{
    const QTextImageFormat picture = format.toImageFormat();
    QSizeF stored(picture.width(), picture.height());
    if (!picture.hasProperty(QTextFormat::ImageWidth) || !picture.hasProperty(QTextFormat::ImageHeight)) {
        const QSizeF natural = pictureOf(document, picture).size();
        if (!picture.hasProperty(QTextFormat::ImageWidth))
            stored.setWidth(natural.width());
        if (!picture.hasProperty(QTextFormat::ImageHeight))
            stored.setHeight(natural.height());
    }
    return shownSize(stored, roomFor(*document, position));
}

void PictureFitHandler::drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int, const QTextFormat &format)
{
    const QImage image = pictureOf(document, format.toImageFormat());
    if (image.isNull())
        return;
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(rect, image);
    painter->restore();
}
