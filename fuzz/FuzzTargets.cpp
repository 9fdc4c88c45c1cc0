#include "fuzz/FuzzTargets.h"

#include "exchange/CsvCards.h"
#include "exchange/CsvExport.h"
#include "exchange/CsvReader.h"
#include "tests/richtext/RtfTestSupport.h"

#include "cardset/CardSet.h"
#include "cardset/CardSetFile.h"
#include "cardset/FileOps.h"
#include "cardset/IniText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtEndian>

namespace {

// One folder for the whole run: the files are rewritten for every input.
QString pathIn(const QString &name)
{
    static QTemporaryDir dir;
    return dir.filePath(name);
}

bool writeBytes(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes.data(), bytes.size()) == bytes.size();
}

CardSetFileContext freshContext()
{
    CardSetFileContext context;
    context.WorkFilePath = pathIn(QStringLiteral("scratch.tmp"));
    return context;
}

QString difference(const CardSet &before, const CardSet &after)
{
    if (before.count() != after.count())
        return QStringLiteral("%1 cards came back as %2").arg(before.count()).arg(after.count());
    for (int i = 0; i < before.count(); ++i) {
        if (!(before.card(i) == after.card(i)))
            return QStringLiteral("card %1 came back changed").arg(i + 1);
    }
    if (!(before.printOptions() == after.printOptions()))
        return QStringLiteral("the print layout or header came back changed");
    if (!(before.StandardFontFront() == after.StandardFontFront()) || !(before.StandardFontBack() == after.StandardFontBack()))
        return QStringLiteral("a standard font came back changed");
    const LearningHistory &was = before.history();
    const LearningHistory &is = after.history();
    if (was.state() != is.state() || was.answers() != is.answers() || was.keptData() != is.keptData())
        return QStringLiteral("the learning history came back changed");
    return QString();
}

// A set that loads must be exactly what the file holds: a whole container
// (at most one stray byte after its last chunk) of 2 + 2n chunks, or one
// surplus chunk more, and no more box numbers than cards.
QString differenceFromFile(QByteArrayView file, const CardSet &set)
{
    QList<QByteArrayView> chunks;
    qsizetype position = 0;
    do {
        if (file.size() - position < 5)
            return QStringLiteral("a cut chunk header loaded");
        const qsizetype nameLength = static_cast<unsigned char>(file[position]);
        if (file.size() - position < 5 + nameLength)
            return QStringLiteral("a cut chunk header loaded");
        const qint32 size = qFromLittleEndian<qint32>(file.data() + position + 1 + nameLength);
        const qsizetype data = position + 5 + nameLength;
        if (size < 0 || file.size() - data < size)
            return QStringLiteral("chunk %1, cut or of negative size, loaded").arg(chunks.size());
        chunks.append(file.sliced(data, size));
        position = data + size;
    } while (file.size() - position > 1);

    const int n = set.count();
    if (chunks.size() != 2 + 2 * n && chunks.size() != 3 + 2 * n)
        return QStringLiteral("%1 chunks loaded as %2 cards").arg(chunks.size()).arg(n);
    const QStringList boxes = IniText::parse(chunks.at(1));
    if (boxes.size() > n)
        return QStringLiteral("%1 box numbers loaded as %2 cards").arg(boxes.size()).arg(n);
    for (int i = 0; i < n; ++i) {
        if (set.front(i) != chunks.at(2 + i) || set.back(i) != chunks.at(2 + n + i))
            return QStringLiteral("card %1 loaded with another face than the file's").arg(i + 1);
        if (set.box(i) != (i < boxes.size() ? IniText::trimBlanks(boxes.at(i)).toInt() : 1))
            return QStringLiteral("card %1 loaded into another box than the file's").arg(i + 1);
    }
    return QString();
}

// What was loaded must survive a save and a load unchanged.
QString saveAndReload(CardSet &loaded, CardSetFileContext &context)
{
    const QString saved = pathIn(QStringLiteral("saved.ql3"));
    FileOps::removeQuietly(saved);
    FileResult result = CardSetFile::SaveCardSet(loaded, saved, context);
    if (!result.ok())
        return QStringLiteral("the loaded set does not save (step %1: %2)").arg(result.ErrorLine, result.reason);
    const PageOrientation orientation = context.PrinterOrientation;
    CardSet again;
    result = CardSetFile::LoadCardSet(again, saved, context);
    if (!result.ok())
        return QStringLiteral("the saved set does not load (step %1: %2)").arg(result.ErrorLine, result.reason);
    if (context.PrinterOrientation != orientation)
        return QStringLiteral("the page orientation came back changed");
    return difference(loaded, again);
}

} // namespace

QString FuzzTargets::rtfReader(QByteArrayView input)
{
    RtfReader::textLines(input);
    QTextDocument document;
    RtfReader::read(input, document);
    QTextDocument again;
    RtfReader::read(RtfWriter::write(document), again);
    const QStringList before = RtfTestSupport::describe(document);
    const QStringList after = RtfTestSupport::describe(again);
    for (qsizetype i = 0; i < qMax(before.size(), after.size()); ++i) {
        if (before.value(i) != after.value(i))
            return QStringLiteral("the face changed on a write and read: %1 came back as %2").arg(before.value(i), after.value(i));
    }
    return QString();
}

QString FuzzTargets::cardSetLoad(QByteArrayView input)
{
    const QString path = pathIn(QStringLiteral("input.ql3"));
    if (!writeBytes(path, input))
        return QStringLiteral("cannot write %1").arg(path);
    CardSet set;
    CardSetFileContext context = freshContext();
    if (!CardSetFile::LoadCardSet(set, path, context).ok())
        return QString();
    const QString damage = differenceFromFile(input, set);
    return damage.isEmpty() ? saveAndReload(set, context) : damage;
}

QString FuzzTargets::iniText(QByteArrayView input)
{
    struct Entry
    {
        QString section, key, value;
    };
    QList<Entry> entries;
    {
        const IniText read(input);
        QString section;
        for (const QString &line : read.lines()) {
            if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
                return QStringLiteral("a line holds a line break");
            const QString trimmed = IniText::trimBlanks(line);
            if (trimmed.startsWith(QLatin1Char('['))) {
                const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
                section = IniText::trimBlanks(trimmed.mid(1, close < 0 ? -1 : close - 1));
                continue;
            }
            const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
            if (eq < 0)
                continue;
            const Entry entry{section, IniText::trimBlanks(trimmed.left(eq)), IniText::trimBlanks(trimmed.mid(eq + 1))};
            read.ReadString(entry.section, entry.key, QString());
            read.ReadInteger(entry.section, entry.key, 0);
            read.ReadBool(entry.section, entry.key, false);
            entries.append(entry);
            // every write rewrites the file: a few are enough
            if (entries.size() == 16)
                break;
        }
    }

    const QString target = pathIn(QStringLiteral("written.ini"));
    FileOps::removeQuietly(target);
    IniText written(target);
    const QString missing = QStringLiteral("\x01missing");
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries.at(i);
        QString expected = entry.value;
        bool isNumber = false;
        const qint32 number = entry.value.toInt(&isNumber);
        if (isNumber && i % 2 == 1) {
            written.WriteInteger(entry.section, entry.key, number);
            expected = QString::number(number);
        } else {
            written.WriteString(entry.section, entry.key, entry.value);
        }
        if (written.ReadString(entry.section, entry.key, missing) != expected)
            return QStringLiteral("value %1 does not read back as written").arg(i + 1);
    }
    written.release();

    const IniText back(target, IniText::Mode::ReadOnly);
    if (back.lines().size() != written.lines().size())
        return QStringLiteral("%1 lines came back as %2").arg(written.lines().size()).arg(back.lines().size());
    for (qsizetype i = 0; i < back.lines().size(); ++i) {
        if (back.lines().at(i) != written.lines().at(i))
            return QStringLiteral("line %1 came back changed").arg(i + 1);
    }
    return QString();
}

QString FuzzTargets::legacyImport(QByteArrayView input)
{
    const QString base = pathIn(QStringLiteral("set"));
    const QString extensions[3] = {QStringLiteral(".qlt"), QStringLiteral(".qla"), QStringLiteral(".qli")};
    QByteArrayView rest = input;
    bool more = true;
    for (const QString &extension : extensions) {
        const QString path = base + extension;
        FileOps::removeQuietly(path);
        if (!more)
            continue;
        const qsizetype cut = extension == extensions[2] ? -1 : QByteArrayView(rest).indexOf(legacyCut);
        if (!writeBytes(path, cut < 0 ? rest : rest.first(cut)))
            return QStringLiteral("cannot write %1").arg(path);
        more = cut >= 0;
        if (more)
            rest = rest.sliced(cut + legacyCut.size());
    }
    CardSet set;
    CardSetFileContext context = freshContext();
    if (!CardSetFile::LoadCardSet(set, base + extensions[1], context).ok())
        return QString();
    return saveAndReload(set, context);
}

QString FuzzTargets::wordList(QByteArrayView input)
{
    const CsvTable table = CsvReader::read(input);
    if (!table.ok())
        return table.rows.isEmpty() ? QString() : QStringLiteral("a list that failed kept rows");
    if (table.rows.isEmpty())
        return QStringLiteral("a list that read holds no card");
    // an empty folder: no picture is ever found, none is read
    const HtmlFace::Pictures pictures{pathIn(QStringLiteral("pictures")), 0};
    const CsvCards cards = CsvCards::build(table, CardSet::newSetFont(), CardSet::newSetFont(), pictures);
    CardSet set;
    set.replaceCards(cards.cards);
    for (const CsvExport::Format format : {CsvExport::Format::Tab, CsvExport::Format::Semicolon}) {
        const CsvTable again = CsvReader::read(CsvExport::text(set, {format, true, table.html}).bytes);
        if (!again.ok() || again.rows.size() != set.count())
            return QStringLiteral("%1 cards exported came back as %2").arg(set.count()).arg(again.rows.size());
        for (int i = 0; i < set.count(); ++i) {
            if (again.rows[i].box != set.box(i))
                return QStringLiteral("card %1 came back in another box").arg(i + 1);
        }
    }
    return QString();
}
