#include "cardset/LearningHistoryFormat.h"

#include <QHash>
#include <QtEndian>
#include <QtNumeric>

#include <algorithm>
#include <array>

namespace {

using Damage = LearningHistory::Damage;

// Slicing by eight: the history of a busy learner is megabytes, checked on
// every load.
constexpr std::array<std::array<quint32, 256>, 8> makeCrcTables()
{
    std::array<std::array<quint32, 256>, 8> tables{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        tables[0][i] = value;
    }
    for (quint32 i = 0; i < 256; ++i) {
        for (size_t t = 1; t < 8; ++t)
            tables[t][i] = (tables[t - 1][i] >> 8) ^ tables[0][tables[t - 1][i] & 0xFF];
    }
    return tables;
}

constexpr auto kCrcTables = makeCrcTables();

constexpr int kBoxBits = 3;
constexpr quint8 kBoxMask = 0x07;
constexpr quint8 kKnownBit = 0x40;
constexpr quint8 kCrammingBit = 0x80;

void appendVarint(QByteArray &out, quint64 value)
{
    while (value >= 0x80) {
        out.append(char(quint8(value) | 0x80));
        value >>= 7;
    }
    out.append(char(value));
}

quint64 zigzag(qint64 value)
{
    return (quint64(value) << 1) ^ quint64(value >> 63);
}

qint64 unzigzag(quint64 value)
{
    return qint64(value >> 1) ^ -qint64(value & 1);
}

// Reads the body of a chunk; the first damage found ends it.
class Reader
{
public:
    Reader(const char *begin, const char *end)
        : m_at(reinterpret_cast<const quint8 *>(begin))
        , m_end(reinterpret_cast<const quint8 *>(end))
    {
    }

    qsizetype left() const { return m_end - m_at; }
    bool atEnd() const { return m_at == m_end; }
    Damage damage() const { return m_damage; }
    bool ok() const { return m_damage == Damage::None; }
    void fail(Damage damage)
    {
        if (ok())
            m_damage = damage;
    }

    // At most `bits` significant bits; longer or overlong numbers are damage.
    quint64 varint(int bits)
    {
        quint64 value = 0;
        for (int shift = 0; shift < bits; shift += 7) {
            if (m_at == m_end) {
                fail(Damage::Truncated);
                return 0;
            }
            const quint8 byte = *m_at++;
            const quint64 part = quint64(byte & 0x7F);
            if (shift + 7 > bits && (part >> (bits - shift)) != 0)
                break;
            value |= part << shift;
            if (!(byte & 0x80))
                return value;
        }
        fail(Damage::Entry);
        return 0;
    }

    quint8 byte()
    {
        if (m_at == m_end) {
            fail(Damage::Truncated);
            return 0;
        }
        return *m_at++;
    }

private:
    const quint8 *m_at;
    const quint8 *m_end;
    Damage m_damage = Damage::None;
};

bool validBox(quint8 box)
{
    return box >= 1 && box <= 4;
}

} // namespace

quint32 LearningHistoryFormat::crc32(QByteArrayView data)
{
    const auto *at = reinterpret_cast<const quint8 *>(data.data());
    qsizetype left = data.size();
    quint32 crc = 0xFFFFFFFFu;
    const auto &t = kCrcTables;
    while (left >= 8) {
        const quint32 low = crc ^ qFromLittleEndian<quint32>(at);
        const quint32 high = qFromLittleEndian<quint32>(at + 4);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^ t[3][high & 0xFF]
            ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
        at += 8;
        left -= 8;
    }
    while (left-- > 0)
        crc = (crc >> 8) ^ t[0][(crc ^ *at++) & 0xFF];
    return crc ^ 0xFFFFFFFFu;
}

QByteArray LearningHistoryFormat::encode(const QList<quint32> &ids, quint32 nextId, const QList<LearningAnswer> &answers)
{
    QHash<quint32, quint32> positions;
    positions.reserve(ids.size());
    for (qsizetype i = 0; i < ids.size(); ++i)
        positions.insert(ids.at(i), quint32(i));

    QByteArray out;
    out.reserve(16 + ids.size() * 3 + answers.size() * 5);
    out.append(signature());
    out.append(char(Version));
    appendVarint(out, nextId);
    appendVarint(out, quint64(ids.size()));
    for (quint32 id : ids)
        appendVarint(out, id);

    qsizetype kept = 0;
    for (const LearningAnswer &answer : answers)
        kept += positions.contains(answer.card) ? 1 : 0;
    appendVarint(out, quint64(kept));
    qint64 previous = 0;
    for (const LearningAnswer &answer : answers) {
        const auto position = positions.constFind(answer.card);
        if (position == positions.cend())
            continue;
        appendVarint(out, *position);
        appendVarint(out, zigzag(answer.time - previous));
        previous = answer.time;
        quint8 flags = quint8((answer.boxBefore & kBoxMask) | ((answer.boxAfter & kBoxMask) << kBoxBits));
        if (answer.known)
            flags |= kKnownBit;
        if (answer.mode == LearningAnswer::Mode::Cramming)
            flags |= kCrammingBit;
        out.append(char(flags));
    }

    char crc[4];
    qToLittleEndian(crc32(out), crc);
    out.append(crc, 4);
    return out;
}

LearningHistoryFormat::Decoded LearningHistoryFormat::decode(QByteArrayView chunk, qsizetype cards, qint64 now)
{
    const auto kept = [chunk](LearningHistory::State state, Damage damage = Damage::None) {
        Decoded result;
        result.history.m_state = state;
        result.history.m_damage = damage;
        result.history.m_kept = chunk.toByteArray();
        return result;
    };
    const auto damaged = [&kept](Damage damage) { return kept(LearningHistory::State::Damaged, damage); };
    const qsizetype head = signature().size() + 1;
    if (!chunk.startsWith(signature()))
        return kept(LearningHistory::State::Foreign);
    if (chunk.size() < head + 4)
        return damaged(Damage::Truncated);
    const quint8 version = quint8(chunk.at(head - 1));
    if (version > Version)
        return kept(LearningHistory::State::Later);
    const qsizetype bodyEnd = chunk.size() - 4;
    if (version != Version || crc32(chunk.first(bodyEnd)) != qFromLittleEndian<quint32>(chunk.data() + bodyEnd))
        return damaged(Damage::Checksum);

    Reader in(chunk.data() + head, chunk.data() + bodyEnd);
    Decoded result;
    result.nextId = quint32(in.varint(32));
    const quint64 idCount = in.varint(64);
    if (!in.ok())
        return damaged(in.damage());
    if (result.nextId == 0)
        return damaged(Damage::Identity);
    if (idCount != quint64(cards))
        return damaged(Damage::CardCount);
    // Each identity takes a byte at least: a count beyond the bytes is no
    // reason to allocate.
    if (idCount > quint64(in.left()))
        return damaged(Damage::Truncated);
    result.ids.reserve(qsizetype(idCount));
    for (quint64 i = 0; i < idCount && in.ok(); ++i) {
        const quint32 id = quint32(in.varint(32));
        if (in.ok() && (id == 0 || id >= result.nextId))
            return damaged(Damage::Identity);
        result.ids.append(id);
    }
    if (!in.ok())
        return damaged(in.damage());
    QList<quint32> sorted = result.ids;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.cbegin(), sorted.cend()) != sorted.cend())
        return damaged(Damage::Identity);

    const quint64 answerCount = in.varint(64);
    if (!in.ok())
        return damaged(in.damage());
    // An answer takes three bytes at least.
    if (answerCount > quint64(MaxAnswers) || answerCount > quint64(in.left() / 3))
        return damaged(Damage::Count);
    QList<LearningAnswer> &answers = result.history.m_answers;
    answers.resize(qsizetype(answerCount));
    const qint64 latest = now + ClockTolerance;
    qint64 time = 0;
    for (LearningAnswer &answer : answers) {
        const quint64 position = in.varint(32);
        const qint64 delta = unzigzag(in.varint(64));
        const quint8 flags = in.byte();
        if (!in.ok())
            return damaged(in.damage());
        if (position >= quint64(result.ids.size()))
            return damaged(Damage::Entry);
        if (qAddOverflow(time, delta, &time) || time < EarliestTime || time > latest)
            return damaged(Damage::Time);
        answer.card = result.ids.at(qsizetype(position));
        answer.time = time;
        answer.boxBefore = flags & kBoxMask;
        answer.boxAfter = (flags >> kBoxBits) & kBoxMask;
        answer.known = flags & kKnownBit;
        answer.mode = (flags & kCrammingBit) ? LearningAnswer::Mode::Cramming : LearningAnswer::Mode::Review;
        if (!validBox(answer.boxBefore) || !validBox(answer.boxAfter))
            return damaged(Damage::Entry);
    }
    if (!in.atEnd())
        return damaged(Damage::Count);
    return result;
}
