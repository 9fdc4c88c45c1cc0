#include "exchange/AnkiFieldText.h"

#include <QCryptographicHash>
#include <QtEndian>

namespace {

// The value of the src attribute of a tag's inside ("img src=a.png"); it
// may be quoted with either quote or not at all.
QStringView sourceOf(QStringView tag)
{
    const qsizetype at = tag.indexOf(QLatin1String("src="), 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    QStringView value = tag.sliced(at + 4);
    if (value.startsWith(u'"') || value.startsWith(u'\''))
        value = value.sliced(1);
    qsizetype end = 0;
    while (end < value.size() && value[end] != u'"' && value[end] != u'\'' && value[end] != u'>')
        ++end;
    // Unquoted, the value ends at the end of the tag; a blank belongs to it
    // as in Anki's rule.
    return value.first(end);
}

// The character an entity stands for ("amp", "#228", "#x20AC"); null when
// it is none known.
QChar entity(QStringView name)
{
    if (name == QLatin1String("amp"))
        return u'&';
    if (name == QLatin1String("lt"))
        return u'<';
    if (name == QLatin1String("gt"))
        return u'>';
    if (name == QLatin1String("quot"))
        return u'"';
    if (name == QLatin1String("apos") || name == QLatin1String("#39"))
        return u'\'';
    if (name == QLatin1String("nbsp"))
        return u' ';
    if (name.startsWith(u'#')) {
        bool ok = false;
        const uint code =
            name.size() > 1 && (name[1] == u'x' || name[1] == u'X') ? name.sliced(2).toUInt(&ok, 16) : name.sliced(1).toUInt(&ok);
        if (ok && code > 0 && code < 0x10000 && !QChar::isSurrogate(code))
            return code == 0xA0 ? QChar(u' ') : QChar(char16_t(code));
    }
    return {};
}

} // namespace

QString AnkiFieldText::stripped(QStringView html)
{
    QString text;
    text.reserve(html.size());
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html[i];
        if (c == u'<') {
            const qsizetype close = html.indexOf(u'>', i + 1);
            if (close < 0) {
                text += html.sliced(i);
                break;
            }
            const QStringView tag = html.sliced(i + 1, close - i - 1);
            if (tag.startsWith(QLatin1String("img"), Qt::CaseInsensitive) && tag.size() > 3 && tag[3].isSpace()) {
                const QStringView source = sourceOf(tag);
                if (!source.isEmpty())
                    text += u' ' + source.toString() + u' ';
            }
            i = close + 1;
        } else if (c == u'&') {
            const qsizetype semicolon = html.indexOf(u';', i + 1);
            const QChar decoded = semicolon > i + 1 && semicolon - i <= 10 ? entity(html.sliced(i + 1, semicolon - i - 1)) : QChar();
            if (decoded.isNull()) {
                text += c;
                ++i;
            } else {
                text += decoded;
                i = semicolon + 1;
            }
        } else {
            text += c;
            ++i;
        }
    }
    return text;
}

quint32 AnkiFieldText::checksum(QStringView html)
{
    const QByteArray hash = QCryptographicHash::hash(stripped(html).toUtf8(), QCryptographicHash::Sha1);
    return qFromBigEndian<quint32>(hash.constData());
}
