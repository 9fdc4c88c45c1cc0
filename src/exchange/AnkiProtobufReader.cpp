#include "exchange/AnkiProtobufReader.h"

bool AnkiProtobufReader::fail()
{
    m_damaged = true;
    m_pos = m_data.size();
    return false;
}

bool AnkiProtobufReader::readVarint(quint64 &value)
{
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (m_pos >= m_data.size())
            return false;
        const auto byte = quint8(m_data[m_pos++]);
        value |= quint64(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

bool AnkiProtobufReader::next()
{
    if (m_damaged || m_pos >= m_data.size())
        return false;
    quint64 key = 0;
    if (!readVarint(key) || (key >> 3) == 0 || (key >> 3) > 0x1fffffff)
        return fail();
    m_field = quint32(key >> 3);
    m_wireType = quint32(key & 7);
    m_varint = 0;
    m_bytes = {};
    switch (m_wireType) {
    case 0: return readVarint(m_varint) || fail();
    case 1:
    case 5: {
        const qsizetype width = m_wireType == 1 ? 8 : 4;
        if (m_data.size() - m_pos < width)
            return fail();
        m_pos += width;
        return true;
    }
    case 2: {
        quint64 length = 0;
        if (!readVarint(length) || length > quint64(m_data.size() - m_pos))
            return fail();
        m_bytes = m_data.sliced(m_pos, qsizetype(length));
        m_pos += qsizetype(length);
        return true;
    }
    default:
        // Groups (3, 4) are long gone from protobuf; nothing here writes them.
        return fail();
    }
}

quint64 AnkiProtobufReader::varintField(QByteArrayView message, quint32 number, quint64 fallback)
{
    AnkiProtobufReader reader(message);
    while (reader.next()) {
        if (reader.field() == number && reader.isVarint())
            return reader.varint();
    }
    return fallback;
}

QByteArrayView AnkiProtobufReader::bytesField(QByteArrayView message, quint32 number)
{
    AnkiProtobufReader reader(message);
    while (reader.next()) {
        if (reader.field() == number && reader.isBytes())
            return reader.bytes();
    }
    return {};
}

bool AnkiProtobufReader::hasField(QByteArrayView message, quint32 number)
{
    AnkiProtobufReader reader(message);
    while (reader.next()) {
        if (reader.field() == number)
            return true;
    }
    return false;
}
