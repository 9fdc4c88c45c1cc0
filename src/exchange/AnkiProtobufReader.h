#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// Walks the fields of one protobuf message, the few the packages use:
// varints and length-delimited values; fixed-width ones are skipped. A
// message cut short or with an unknown wire type ends the walk as damaged.
class AnkiProtobufReader
{
public:
    explicit AnkiProtobufReader(QByteArrayView message)
        : m_data(message)
    {
    }

    // Moves to the next field; false at the end or when damaged.
    bool next();
    bool damaged() const { return m_damaged; }

    quint32 field() const { return m_field; }
    bool isVarint() const { return m_wireType == 0; }
    bool isBytes() const { return m_wireType == 2; }
    // The current field's value as its wire type holds it.
    quint64 varint() const { return m_varint; }
    QByteArrayView bytes() const { return m_bytes; }

    // The first varint field `number` of `message`, or `fallback`.
    static quint64 varintField(QByteArrayView message, quint32 number, quint64 fallback = 0);
    // The first length-delimited field `number` of `message`, empty when none.
    static QByteArrayView bytesField(QByteArrayView message, quint32 number);
    static bool hasField(QByteArrayView message, quint32 number);

private:
    bool readVarint(quint64 &value);
    bool fail();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_damaged = false;
    quint32 m_field = 0;
    quint32 m_wireType = 0;
    quint64 m_varint = 0;
    QByteArrayView m_bytes;
};
