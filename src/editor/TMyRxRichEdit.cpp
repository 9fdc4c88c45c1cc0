#include "editor/TMyRxRichEdit.h"

#include "editor/PictureFitHandler.h"
#include "richtext/FacePictures.h"
#include "richtext/PictureFile.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QUuid>

TMyRxRichEdit::TMyRxRichEdit(QWidget *parent)
    : QTextEdit(parent)
{
    setTabChangesFocus(false);
    setAcceptRichText(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    PictureFitHandler::install(*document());
    // Any change of content or format, however made, counts as touched.
    connect(document(), &QTextDocument::contentsChange, this, [this] { m_touched = true; });
}

void TMyRxRichEdit::loadRtf(const QByteArray &rtf)
{
    RtfReader::read(rtf, *document());
    document()->clearUndoRedoStacks();
    document()->setModified(false);
    m_touched = false;
    moveCursor(QTextCursor::Start);
    m_loaded = rtf;
    m_hasLoaded = true;
}

QByteArray TMyRxRichEdit::saveRtf() const
{
    return RtfWriter::write(*document());
}

bool TMyRxRichEdit::holdsLoaded(const QByteArray &rtf) const
{
    // Undoing every change since the load brings the loaded face back; a
    // history cleared since (new plain text) has nothing to redo.
    const bool undoneToLoad = document()->availableUndoSteps() == 0 && document()->isRedoAvailable();
    return m_hasLoaded && (!m_touched || undoneToLoad) && m_loaded == rtf;
}

QByteArray TMyRxRichEdit::currentRtf() const
{
    return m_hasLoaded && !m_touched ? m_loaded : saveRtf();
}

QStringList TMyRxRichEdit::rtfMimeTypes()
{
    return {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"), QStringLiteral("text/richtext")};
}

QMimeData *TMyRxRichEdit::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return QTextEdit::createMimeDataFromSelection();
    // Word processors take RTF, browsers and mail programs HTML, the rest
    // plain text.
    const QTextDocumentFragment fragment = cursor.selection();
    auto *mime = new QMimeData;
    mime->setText(fragment.toPlainText());
    mime->setHtml(fragment.toHtml());
    QTextDocument selection;
    QTextCursor(&selection).insertFragment(fragment);
    FacePictures::copyResources(*document(), selection);
    const QByteArray rtf = RtfWriter::write(selection);
    for (const QString &type : rtfMimeTypes())
        mime->setData(type, rtf);
    // A paste into a face prefers this over the HTML, which would re-encode
    // pictures and lose embedded objects.
    mime->setData(ownFaceMimeType(), rtf);
    return mime;
}

namespace {

bool isCardSetFile(const QUrl &url)
{
    const QString name = url.toLocalFile().toUpper();
    return url.isLocalFile() && (name.endsWith(QLatin1String(".QL3")) || name.endsWith(QLatin1String(".QLA")));
}

// Dropped files that are pictures, in the order given.
QList<QImage> droppedPictures(const QMimeData *source)
{
    QList<QImage> pictures;
    if (!source->hasUrls())
        return pictures;
    for (const QUrl &url : source->urls()) {
        if (!url.isLocalFile())
            return {};
        const QImage image(url.toLocalFile());
        if (image.isNull())
            return {};
        pictures.append(image);
    }
    return pictures;
}

} // namespace

bool TMyRxRichEdit::canInsertFromMimeData(const QMimeData *source) const
{
    // Card set files dropped here are for the main window to open.
    const QList<QUrl> urls = source->urls();
    if (std::any_of(urls.cbegin(), urls.cend(), isCardSetFile))
        return false;
    if (!droppedPictures(source).isEmpty())
        return true;
    if (source->hasImage())
        return true;
    for (const QString &type : rtfMimeTypes()) {
        if (source->hasFormat(type))
            return true;
    }
    return QTextEdit::canInsertFromMimeData(source);
}

QVariant TMyRxRichEdit::loadResource(int type, const QUrl &name)
{
    // Pictures of pasted HTML: inline data and local files can be read;
    // anything on a server stays out, as nothing is fetched from a network.
    if (type == QTextDocument::ImageResource) {
        if (name.scheme() == QLatin1String("data")) {
            const QString text = name.toString(QUrl::FullyEncoded);
            const qsizetype comma = text.indexOf(QLatin1Char(','));
            if (comma > 0 && text.left(comma).endsWith(QLatin1String(";base64"))) {
                const QByteArray bytes = QByteArray::fromBase64(text.mid(comma + 1).toLatin1());
                const QImage image = PictureFile::fits(bytes) ? QImage::fromData(bytes) : QImage();
                if (!image.isNull())
                    return image;
            }
        } else if (name.isLocalFile()) {
            // Judged by its header before it is read, as "Bild einfügen" does.
            const PictureFile::Result file = PictureFile::read(name.toLocalFile());
            const QImage image = file.outcome == PictureFile::Outcome::Read ? QImage::fromData(file.bytes) : QImage();
            if (!image.isNull())
                return image;
        }
    }
    return QTextEdit::loadResource(type, name);
}

void TMyRxRichEdit::insertFromMimeData(const QMimeData *source)
{
    const QList<QImage> files = droppedPictures(source);
    if (!files.isEmpty()) {
        for (const QImage &image : files)
            insertPicture(image);
        return;
    }
    // A copied picture often comes with HTML that only points to it on a
    // server; the picture itself is what the user wants.
    if (source->hasImage()
        && (!source->hasHtml()
            || QTextDocumentFragment::fromHtml(source->html())
                   .toPlainText()
                   .trimmed()
                   .remove(QChar::ObjectReplacementCharacter)
                   .isEmpty())) {
        const QImage image = qvariant_cast<QImage>(source->imageData());
        if (!image.isNull()) {
            insertPicture(image);
            return;
        }
    }
    if (source->hasFormat(ownFaceMimeType())) {
        pasteRtf(source->data(ownFaceMimeType()));
        return;
    }
    // HTML first: word processors and browsers offer it with colours and
    // emphasis intact; RTF next, then a bare picture, then plain text.
    if (source->hasHtml()) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    for (const QString &type : rtfMimeTypes()) {
        if (source->hasFormat(type)) {
            pasteRtf(source->data(type));
            return;
        }
    }
    if (source->hasImage()) {
        const QImage image = qvariant_cast<QImage>(source->imageData());
        if (!image.isNull()) {
            insertPicture(image);
            return;
        }
    }
    QTextEdit::insertFromMimeData(source);
}

void TMyRxRichEdit::pasteRtf(const QByteArray &rtf)
{
    QTextDocument pasted;
    RtfReader::read(rtf, pasted);
    textCursor().insertFragment(QTextDocumentFragment(&pasted));
    FacePictures::copyResources(pasted, *document());
    ensureCursorVisible();
}

QString TMyRxRichEdit::ownFaceMimeType()
{
    return QStringLiteral("application/x-quillo-face-rtf");
}

void TMyRxRichEdit::insertPicture(const QImage &image)
{
    const QUrl name(QStringLiteral("bild-") + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".png"));
    document()->addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(image.width());
    format.setHeight(image.height());
    textCursor().insertImage(format);
    ensureCursorVisible();
}
