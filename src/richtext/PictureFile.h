#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// A picture file is judged before it is read whole: by its size on disk
// and by the pixel size its header claims, read without decoding. Beyond
// what a face can hold it is refused at once, however large the file.
class PictureFile
{
public:
    // Far above any photo; a file larger than this is not read.
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    enum class Outcome { Read, Unreadable, TooLarge };
    struct Result
    {
        Outcome outcome = Outcome::Read;
        QByteArray bytes;
        // The system's reason when unreadable.
        QString reason;
    };
    static Result read(const QString &path);
    // The same limits for a picture already in memory (a data: address).
    static bool fits(const QByteArray &bytes);

private:
    // Pixels as many as a face's pictures may decode to (PictureDecoder);
    // a header that tells no size leaves it to the decoder.
    static bool headerFits(QIODevice &device);
};
