#include "richtext/FacePictures.h"

#include "richtext/PictureDecoder.h"
#include "richtext/PictureEncoder.h"
#include "richtext/RtfFormatProperties.h"

#include <QAtomicInteger>
#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <QtEndian>

QString FacePictures::newResourceName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("quillo-picture:%1").arg(++counter);
}

void FacePictures::insert(QTextCursor &cursor, const QImage &image, QSizeF shownPixels, const QByteArray &originalRtf)
{
    QTextDocument *document = cursor.document();
    if (!document)
        return;
    const QString name = newResourceName();
    document->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(shownPixels.width());
    format.setHeight(shownPixels.height());
    format.setProperty(RtfFormatProperties::PictureOriginal, originalRtf);
    cursor.insertImage(format);
}

QByteArray FacePictures::originalRtf(const QTextFormat &format)
{
    return format.property(RtfFormatProperties::PictureOriginal).toByteArray();
}

void FacePictures::copyResources(const QTextDocument &from, QTextDocument &to)
{
    for (QTextBlock block = to.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl name(format.toImageFormat().name());
            const QVariant image = from.resource(QTextDocument::ImageResource, name);
            if (image.isValid() && !to.resource(QTextDocument::ImageResource, name).isValid())
                to.addResource(QTextDocument::ImageResource, name, image);
        }
}

QString FacePictures::fileDialogFilter()
{
    return QStringLiteral("Alle Bilder (*.jpg *.jpeg *.png *.bmp *.gif *.ico *.emf *.wmf);;"
                          "JPEG-Bilder (*.jpg *.jpeg);;PNG-Bilder (*.png);;Bitmaps (*.bmp);;"
                          "GIF-Bilder (*.gif);;Symbole (*.ico);;Erweiterte Metadateien (*.emf);;"
                          "Metadateien (*.wmf)");
}

bool FacePictures::insertFile(QTextCursor &cursor, const QByteArray &bytes, const QString &fileName, qreal maxWidth, QString *errorMessage)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    auto fail = [&](const QString &message) {
        if (errorMessage)
            *errorMessage = message;
        return false;
    };
    auto fitted = [&](QSizeF size) {
        if (maxWidth > 0 && size.width() > maxWidth)
            size = QSizeF(maxWidth, size.height() * maxWidth / size.width());
        return QSize(qMax(1, qRound(size.width())), qMax(1, qRound(size.height())));
    };

    if (suffix == QLatin1String("wmf") || suffix == QLatin1String("emf")) {
        const bool isWmf = suffix == QLatin1String("wmf");
        RtfPictureData picture;
        picture.type = isWmf ? RtfPictureData::Wmf : RtfPictureData::Emf;
        QByteArray data = bytes;
        QSize himetric;
        if (isWmf && data.size() >= 22 && qFromLittleEndian<quint32>(data.constData()) == 0x9AC6CDD7u) {
            // placeable header: bounding box in units of 1/inch per unit
            const qint16 left = qFromLittleEndian<qint16>(data.constData() + 6);
            const qint16 top = qFromLittleEndian<qint16>(data.constData() + 8);
            const qint16 right = qFromLittleEndian<qint16>(data.constData() + 10);
            const qint16 bottom = qFromLittleEndian<qint16>(data.constData() + 12);
            const int perInch = qMax(1, int(qFromLittleEndian<quint16>(data.constData() + 14)));
            himetric = QSize(qAbs(right - left) * 2540 / perInch, qAbs(bottom - top) * 2540 / perInch);
            data = data.mid(22);
        } else if (!isWmf && data.size() >= 88 && qFromLittleEndian<quint32>(data.constData()) == 1) {
            // EMF header frame, in 0.01 mm
            const qint32 l = qFromLittleEndian<qint32>(data.constData() + 24);
            const qint32 t = qFromLittleEndian<qint32>(data.constData() + 28);
            const qint32 r = qFromLittleEndian<qint32>(data.constData() + 32);
            const qint32 b = qFromLittleEndian<qint32>(data.constData() + 36);
            himetric = QSize(qBound(1, r - l, 1000000), qBound(1, b - t, 1000000));
        }
        if (isWmf ? PictureDecoder::dibFromWmf(data).isEmpty() && data.size() < 18 : data.size() < 88)
            return fail(QStringLiteral("Die Datei \"%1\" ist kein gültiges Bild.").arg(QFileInfo(fileName).fileName()));
        picture.data = data;
        QImage image = PictureDecoder::decodeData(picture.type, data);
        if (himetric.isEmpty())
            himetric = image.isNull() ? QSize(2540, 2540) : image.size() * 2540 / 96;
        const QSize shown = fitted(QSizeF(himetric.width() * 96.0 / 2540, himetric.height() * 96.0 / 2540));
        if (image.isNull())
            image = PictureDecoder::placeholder(shown);
        insert(cursor, image, shown, PictureEncoder::plainPictRtf(picture.type, data, shown, himetric));
        return true;
    }

    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    if (suffix.isEmpty() || !readable.contains(suffix.toLatin1()))
        return fail(QStringLiteral("Unbekannte Bilddateierweiterung (.%1)").arg(suffix));
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(256);
    const QImage image = reader.read();
    if (image.isNull())
        return fail(QStringLiteral("Die Datei \"%1\" ist kein gültiges Bild.").arg(QFileInfo(fileName).fileName()));
    // JPEG and PNG keep their bytes; anything else is kept as PNG
    QByteArray original = bytes;
    int type = RtfPictureData::Png;
    if (bytes.startsWith("\xFF\xD8\xFF")) {
        type = RtfPictureData::Jpeg;
    } else if (!bytes.startsWith("\x89PNG\r\n\x1A\n")) {
        original.clear();
        QBuffer out(&original);
        out.open(QIODevice::WriteOnly);
        image.save(&out, "PNG");
    }
    const QSize shown = fitted(QSizeF(image.size()));
    insert(cursor, image, shown, PictureEncoder::plainPictRtf(type, original, shown, image.size()));
    return true;
}
