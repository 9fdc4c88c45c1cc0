#include "exchange/DelimitedText.h"

#include <array>
#include <tuple>

bool DelimitedText::Record::isBlank() const
{
    for (const QString &field : fields) {
        if (!field.trimmed().isEmpty())
            return false;
    }
    return true;
}

DelimitedText::Reading DelimitedText::read(QStringView text, QChar delimiter, int firstLine, qsizetype maxRecords)
{
    Reading reading;
    const QChar *p = text.data();
    const qsizetype n = text.size();
    const auto endsField = [delimiter](QChar c) { return c == delimiter || c == u'\n' || c == u'\r'; };
    qsizetype pos = 0;
    int line = firstLine;
    while (pos < n && (maxRecords < 0 || reading.records.size() < maxRecords)) {
        Record record;
        record.line = line;
        for (;;) {
            if (pos < n && p[pos] == u'"') {
                const int quoteLine = line;
                QString field;
                ++pos;
                for (;;) {
                    if (pos >= n) {
                        // The record as far as it goes: its fields still
                        // tell the delimiter.
                        record.fields.append(field);
                        reading.records.append(std::move(record));
                        reading.unclosedQuoteLine = quoteLine;
                        return reading;
                    }
                    const QChar c = p[pos];
                    if (c == u'"') {
                        if (pos + 1 < n && p[pos + 1] == u'"') {
                            field += u'"';
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    if (c == u'\r' || c == u'\n') {
                        field += u'\n';
                        ++line;
                        pos += (c == u'\r' && pos + 1 < n && p[pos + 1] == u'\n') ? 2 : 1;
                        continue;
                    }
                    field += c;
                    ++pos;
                }
                const qsizetype rest = pos;
                while (pos < n && !endsField(p[pos]))
                    ++pos;
                field += text.mid(rest, pos - rest);
                record.fields.append(field);
            } else {
                const qsizetype start = pos;
                while (pos < n && !endsField(p[pos]))
                    ++pos;
                record.fields.append(text.mid(start, pos - start).toString());
            }
            if (pos < n && p[pos] == delimiter) {
                ++pos;
                continue;
            }
            break;
        }
        if (pos < n) {
            pos += (p[pos] == u'\r' && pos + 1 < n && p[pos + 1] == u'\n') ? 2 : 1;
            ++line;
        }
        reading.records.append(std::move(record));
    }
    return reading;
}

QString DelimitedText::field(const QString &text, QChar delimiter)
{
    const bool quote =
        text.contains(delimiter) || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r') || text.startsWith(u'#');
    if (!quote)
        return text;
    QString result = text;
    result.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + result + u'"';
}

QChar DelimitedText::detectDelimiter(QStringView text)
{
    const std::array<QChar, 3> candidates = {u'\t', u';', u','};
    QChar best = candidates[0];
    std::tuple<bool, bool, qsizetype> bestScore{false, false, -1};
    for (QChar candidate : candidates) {
        const Reading reading = read(text, candidate, 1, DetectionSample);
        qsizetype usable = 0;
        qsizetype records = 0;
        qsizetype width = -1;
        bool even = true;
        for (const Record &record : reading.records) {
            if (record.isBlank())
                continue;
            ++records;
            if (record.fields.size() >= 2)
                ++usable;
            if (width >= 0 && record.fields.size() != width)
                even = false;
            width = record.fields.size();
        }
        // A quote left open under this delimiter counts against it.
        const bool allUsable = records > 0 && usable == records && reading.unclosedQuoteLine == 0;
        const std::tuple<bool, bool, qsizetype> score{allUsable && even, allUsable, usable};
        if (score > bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}
