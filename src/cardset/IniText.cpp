#include "cardset/IniText.h"

#include "cardset/CheckedFileWriter.h"
#include "cardset/FileOps.h"
#include "cardset/Windows1252.h"

#include <QFile>
#include <QStringDecoder>

namespace {

bool isHeader(const QString &trimmed)
{
    return trimmed.startsWith(QLatin1Char('['));
}

QString headerName(const QString &trimmed)
{
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    return IniText::trimBlanks(trimmed.mid(1, close < 0 ? -1 : close - 1));
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A line stays one line in the file.
QString singleLine(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

// Marks a line stored in UTF-8. In code page 1252 these bytes read "ï»¿",
// which no line of a stored file starts with.
constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

QString decodeLine(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Mark)) {
        // fromUtf8 would drop a line's own leading U+FEFF as a second mark
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        return utf8(bytes.sliced(kUtf8Mark.size()));
    }
    return Windows1252::decode(bytes);
}

void encodeLine(QByteArray &out, const QString &line)
{
    if (Windows1252::canEncode(line)) {
        const QByteArray bytes = Windows1252::encode(line);
        // A line that would itself begin with the mark goes the other way.
        if (!bytes.startsWith(kUtf8Mark)) {
            out += bytes;
            return;
        }
    }
    out += kUtf8Mark;
    out += line.toUtf8();
}

} // namespace

IniText::IniText(const QString &path, Mode mode)
    : m_path(path)
    , m_mode(mode)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        m_lines = parse(file.readAll());
}

IniText::IniText(QByteArrayView bytes)
    : m_lines(parse(bytes))
    , m_inMemory(true)
{
}

IniText::~IniText()
{
    release();
}

QString IniText::trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= ' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= ' ')
        --end;
    return text.mid(begin, end - begin);
}

QStringList IniText::parse(QByteArrayView bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.append(decodeLine(bytes.sliced(start, i - start)));
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(decodeLine(bytes.sliced(start)));
    return lines;
}

QByteArray IniText::serialize(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines) {
        encodeLine(out, line);
        out += "\r\n";
    }
    return out;
}

int IniText::findValueLine(const QString &section, const QString &key) const
{
    bool inSection = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString trimmed = trimBlanks(m_lines.at(i));
        if (trimmed.isEmpty())
            continue;
        if (isHeader(trimmed)) {
            inSection = sameName(headerName(trimmed), section);
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
        if (eq >= 0 && sameName(trimBlanks(trimmed.left(eq)), key))
            return i;
    }
    return -1;
}

QString IniText::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const int index = findValueLine(section, key);
    if (index < 0)
        return defaultValue;
    const QString &line = m_lines.at(index);
    return trimBlanks(line.mid(line.indexOf(QLatin1Char('=')) + 1));
}

qint32 IniText::ReadInteger(const QString &section, const QString &key, qint32 defaultValue) const
{
    const QString text = ReadString(section, key, QString());
    bool ok = false;
    const qint32 value = text.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool IniText::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    const QString text = ReadString(section, key, QString());
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    // Missing, "-1" and anything else: the caller's default.
    return defaultValue;
}

void IniText::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString newLine = key + QLatin1Char('=') + singleLine(value);
    bool inSection = false;
    bool done = false;
    for (int i = 0; i < m_lines.size() && !done; ++i) {
        const QString trimmed = trimBlanks(m_lines.at(i));
        if (trimmed.isEmpty())
            continue;
        if (isHeader(trimmed)) {
            if (inSection) {
                m_lines.insert(i, newLine);
                done = true;
                break;
            }
            inSection = sameName(headerName(trimmed), section);
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
        if (eq >= 0 && sameName(trimBlanks(trimmed.left(eq)), key)) {
            m_lines[i] = newLine;
            done = true;
        }
    }
    if (!done) {
        if (!inSection)
            m_lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        m_lines.append(newLine);
    }
    UpdateFile();
}

void IniText::WriteInteger(const QString &section, const QString &key, qint32 value)
{
    WriteString(section, key, QString::number(value));
}

void IniText::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniText::UpdateFile()
{
    if (m_inMemory)
        return true;
    if (m_mode == Mode::ReadOnly)
        return false;
    FileOps::makeWritable(m_path);
    return CheckedFileWriter::writeFile(m_path, serialize(m_lines), CheckedFileWriter::Fallback::InPlace).ok();
}

void IniText::release()
{
    if (m_released)
        return;
    m_released = true;
    UpdateFile();
}
