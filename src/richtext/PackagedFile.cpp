#include "richtext/PackagedFile.h"

#include "cardset/Windows1252.h"
#include "richtext/FacePictures.h"
#include "richtext/LittleEndian.h"
#include "richtext/PictureEncoder.h"
#include "richtext/RtfReader.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

void appendAnsiZ(QByteArray &out, const QString &text)
{
    out += Windows1252::encode(text);
    out += '\0';
}

// A length-prefixed string of an OLE 1 stream; the length counts the 0.
void appendLengthPrefixed(QByteArray &out, const QByteArray &ansi)
{
    if (ansi.isEmpty()) {
        LittleEndian::append32(out, 0);
        return;
    }
    LittleEndian::append32(out, quint32(ansi.size() + 1));
    out += ansi;
    out += '\0';
}

constexpr quint32 kOleVersion = 0x00000501;
constexpr quint32 kEmbedded = 2;
constexpr quint32 kNoPresentation = 0;
constexpr int kTwipsPerPixel = 15;

} // namespace

QByteArray PackagedFile::nativeData(const QString &label, const QString &path, const QByteArray &bytes)
{
    QByteArray out;
    LittleEndian::append16(out, 2);
    appendAnsiZ(out, label);
    appendAnsiZ(out, path);
    LittleEndian::append16(out, 0);
    LittleEndian::append16(out, 3);
    const QByteArray temporary = Windows1252::encode(path);
    LittleEndian::append32(out, quint32(temporary.size() + 1));
    out += temporary;
    out += '\0';
    LittleEndian::append32(out, quint32(bytes.size()));
    out += bytes;
    return out;
}

QByteArray PackagedFile::oleStream(const QByteArray &native)
{
    QByteArray out;
    LittleEndian::append32(out, kOleVersion);
    LittleEndian::append32(out, kEmbedded);
    appendLengthPrefixed(out, "Package");
    appendLengthPrefixed(out, QByteArray());
    appendLengthPrefixed(out, QByteArray());
    LittleEndian::append32(out, quint32(native.size()));
    out += native;
    LittleEndian::append32(out, kOleVersion);
    LittleEndian::append32(out, kNoPresentation);
    return out;
}

QImage PackagedFile::iconPicture(const QString &label)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(label, Qt::ElideMiddle, 160);
    const int width = std::max(40, metrics.horizontalAdvance(shown) + 8);
    QImage image(width, 36 + metrics.height() + 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // A sheet with a folded corner.
    const int left = width / 2 - 12;
    const QPolygon sheet({QPoint(left, 2), QPoint(left + 17, 2), QPoint(left + 24, 9), QPoint(left + 24, 32), QPoint(left, 32)});
    painter.setPen(QColor(60, 60, 80));
    painter.setBrush(QColor(240, 244, 250));
    painter.drawPolygon(sheet);
    painter.drawPolyline(QPolygon({QPoint(left + 17, 2), QPoint(left + 17, 9), QPoint(left + 24, 9)}));
    for (int y = 14; y <= 26; y += 4)
        painter.drawLine(left + 5, y, left + 19, y);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 36, width, metrics.height() + 2), Qt::AlignHCenter | Qt::AlignTop, shown);
    return image;
}

QByteArray PackagedFile::objectRtf(const QString &path, const QByteArray &bytes)
{
    const QString label = QFileInfo(path).fileName();
    const QImage icon = iconPicture(label);
    QByteArray rtf = "{\\object\\objemb{\\*\\objclass Package}\\objw";
    rtf += QByteArray::number(icon.width() * kTwipsPerPixel);
    rtf += "\\objh";
    rtf += QByteArray::number(icon.height() * kTwipsPerPixel);
    rtf += "{\\*\\objdata";
    PictureEncoder::appendHex(rtf, oleStream(nativeData(label, QDir::toNativeSeparators(path), bytes)));
    rtf += "\r\n}{\\result";
    rtf += PictureEncoder::metafilePict(icon, icon.size());
    rtf += "}}";
    return rtf;
}

bool PackagedFile::insert(QTextCursor &cursor, const QString &path, const QByteArray &bytes)
{
    // Read as the face codec reads an object, so that the character is the
    // one a stored face gives back.
    QTextDocument object;
    RtfReader::read("{\\rtf1\\ansi " + objectRtf(path, bytes) + "}", object);
    QTextCursor character(&object);
    character.setPosition(0);
    character.setPosition(1, QTextCursor::KeepAnchor);
    if (!cursor.document() || character.selectedText() != QString(QChar::ObjectReplacementCharacter))
        return false;
    cursor.insertFragment(character.selection());
    FacePictures::copyResources(object, *cursor.document());
    return true;
}
