#include "exchange/CsvDirectives.h"

namespace {

// "#key:value" with a key of letters and blanks; anything else is data,
// such as a card whose front begins with '#'.
bool splitDirective(QStringView line, QStringView &key, QStringView &value)
{
    if (!line.startsWith(u'#'))
        return false;
    const qsizetype colon = line.indexOf(u':');
    if (colon < 2)
        return false;
    key = line.mid(1, colon - 1);
    for (QChar c : key) {
        if (!c.isLetter() && c != u' ')
            return false;
    }
    if (!key.front().isLetter())
        return false;
    value = line.mid(colon + 1);
    return true;
}

} // namespace

std::optional<QChar> CsvDirectives::separatorNamed(QStringView name)
{
    static const QList<std::pair<QString, QChar>> names = {
        {QStringLiteral("tab"), u'\t'},  {QStringLiteral("semicolon"), u';'}, {QStringLiteral("comma"), u','},
        {QStringLiteral("space"), u' '}, {QStringLiteral("pipe"), u'|'},      {QStringLiteral("colon"), u':'},
    };
    for (const auto &[word, character] : names) {
        if (name.compare(word, Qt::CaseInsensitive) == 0)
            return character;
    }
    if (name.size() == 1 && name.front() != u'"' && name.front() != u'\n' && name.front() != u'\r')
        return name.front();
    return std::nullopt;
}

CsvDirectives CsvDirectives::read(QStringView text)
{
    CsvDirectives directives;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf(u'\n', pos);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(pos, end - pos);
        if (line.endsWith(u'\r'))
            line.chop(1);
        // Spreadsheets name their delimiter in a first line "sep=;".
        if (pos == 0 && line.size() == 5 && line.startsWith(QLatin1String("sep="), Qt::CaseInsensitive)) {
            directives.separator = separatorNamed(line.mid(4));
            pos = next;
            ++directives.bodyLine;
            continue;
        }
        QStringView key;
        QStringView value;
        if (!splitDirective(line, key, value))
            break;
        const QString name = key.trimmed().toString().toLower();
        if (name == QLatin1String("separator")) {
            // A tab separator may stand as the character itself.
            directives.separator = separatorNamed(value.size() == 1 ? value : value.trimmed());
        } else if (name == QLatin1String("html")) {
            const QStringView flag = value.trimmed();
            if (flag.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                directives.html = true;
            else if (flag.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                directives.html = false;
        } else if (name == QLatin1String("columns")) {
            directives.columns = value.toString();
        } else if (name.endsWith(QLatin1String(" column"))) {
            bool ok = false;
            const int column = value.trimmed().toInt(&ok);
            if (ok && column >= 1)
                directives.otherColumns.insert(column - 1);
        }
        pos = next;
        ++directives.bodyLine;
    }
    directives.bodyStart = pos;
    return directives;
}
