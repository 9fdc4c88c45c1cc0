#include "richtext/PictureFile.h"

#include "richtext/PictureDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

bool PictureFile::headerFits(QIODevice &device)
{
    QImageReader reader(&device);
    if (reader.format().isEmpty())
        return true; // a metafile, or no picture: the decoder says which
    const QSize size = reader.size();
    return !size.isValid()
        || (size.width() <= PictureDecoder::MaxSide && size.height() <= PictureDecoder::MaxSide
            && qint64(size.width()) * size.height() <= PictureDecoder::DocumentPixelBudget);
}

PictureFile::Result PictureFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {Outcome::Unreadable, {}, file.errorString()};
    if (file.size() > MaxBytes || !headerFits(file))
        return {Outcome::TooLarge, {}, {}};
    // No more than allowed, should the file have grown since.
    Result result;
    if (file.seek(0))
        result.bytes = file.read(MaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {Outcome::Unreadable, {}, file.errorString()};
    if (result.bytes.size() > MaxBytes)
        return {Outcome::TooLarge, {}, {}};
    return result;
}

bool PictureFile::fits(const QByteArray &bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return bytes.size() <= MaxBytes && headerFits(buffer);
}
