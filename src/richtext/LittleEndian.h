#pragma once

#include <QByteArray>
#include <QtEndian>

// Appends integers in the byte order of Windows file formats (metafiles,
// bitmaps, OLE streams).
class LittleEndian
{
public:
    static void append16(QByteArray &out, quint16 value)
    {
        char bytes[2];
        qToLittleEndian(value, bytes);
        out.append(bytes, 2);
    }
    static void append32(QByteArray &out, quint32 value)
    {
        char bytes[4];
        qToLittleEndian(value, bytes);
        out.append(bytes, 4);
    }
};
