#include "cardset/CardSetFile.h"

#include "cardset/ArchiveWriter.h"
#include "cardset/CardArchive.h"
#include "cardset/CardSetContent.h"
#include "cardset/CheckedFileWriter.h"
#include "cardset/FileError.h"
#include "cardset/FileOps.h"
#include "cardset/IniText.h"
#include "cardset/LearningHistoryFormat.h"
#include "cardset/LegacyCardSetImport.h"
#include "cardset/ScratchFile.h"
#include "cardset/SiblingTempFile.h"

#include <QDateTime>
#include <QFileInfo>

#include <cerrno>

namespace {

const QString kData = QStringLiteral("Data");

qint32 boxNumber(const QString &line)
{
    bool ok = false;
    const qint32 value = IniText::trimBlanks(line).toInt(&ok, 10);
    if (!ok)
        throw FileError(QStringLiteral("'%1' ist kein gültiger ganzzahliger Wert").arg(line));
    return value;
}

} // namespace

QString CardSetFile::upperExtension(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator =
        std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':'))});
    if (dot < 0 || dot < separator)
        return QString();
    return path.mid(dot).toUpper();
}

QString CardSetFile::changeExtension(const QString &path, const QString &extension)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator =
        std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':'))});
    if (dot < 0 || dot < separator)
        return path + extension;
    return path.left(dot) + extension;
}

QString CardSetFile::fileNamePart(const QString &path)
{
    const qsizetype separator =
        std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':'))});
    return path.mid(separator + 1);
}

void CardSetFile::WriteFontSection(const QString &iniPath, const QString &section, const FontRecord &font)
{
    IniText ini(iniPath);
    WriteFontSection(ini, section, font);
}

void CardSetFile::WriteFontSection(IniText &ini, const QString &section, const FontRecord &font)
{
    ini.WriteString(section, QStringLiteral("Name"), font.Name);
    ini.WriteInteger(section, QStringLiteral("Size"), font.Size);
    ini.WriteInteger(section, QStringLiteral("Color"), font.Color);
    ini.WriteBool(section, QStringLiteral("Bold"), font.Bold);
    ini.WriteBool(section, QStringLiteral("Italic"), font.Italic);
    ini.WriteBool(section, QStringLiteral("UnderLine"), font.UnderLine);
    ini.WriteBool(section, QStringLiteral("StrikeOut"), font.StrikeOut);
}

void CardSetFile::ReadFontSection(const QString &iniPath, const QString &section, FontRecord &font)
{
    IniText ini(iniPath);
    ReadFontSection(ini, section, font);
}

void CardSetFile::ReadFontSection(const IniText &ini, const QString &section, FontRecord &font)
{
    font.Name = ini.ReadString(section, QStringLiteral("Name"), QStringLiteral("Arial"));
    font.Size = ini.ReadInteger(section, QStringLiteral("Size"), 10);
    font.Color = ini.ReadInteger(section, QStringLiteral("Color"), 0);
    font.Bold = ini.ReadBool(section, QStringLiteral("Bold"), false);
    font.Italic = ini.ReadBool(section, QStringLiteral("Italic"), false);
    font.UnderLine = ini.ReadBool(section, QStringLiteral("UnderLine"), false);
    font.StrikeOut = ini.ReadBool(section, QStringLiteral("StrikeOut"), false);
}

void CardSetFile::ReadPrintOptions(const IniText &ini, PrintOptions &options)
{
    // The option fields hold their ranges and write the bound they show back
    // into the set.
    options.RandAbstand = PrintOptions::clampRand(ini.ReadInteger(kData, QStringLiteral("RandAbstand"), 10));
    options.TextAbstand = PrintOptions::clampText(ini.ReadInteger(kData, QStringLiteral("TextAbstand"), 20));
    options.titelProzent = ini.ReadInteger(kData, QStringLiteral("titelProzent"), 10);
    options.PrintNummer = ini.ReadBool(kData, QStringLiteral("PrintNummer"), true);
    options.PrintKopfZeile = ini.ReadBool(kData, QStringLiteral("PrintKopfZeile"), true);
    options.PrintFadenkreuz = ini.ReadBool(kData, QStringLiteral("PrintFadenkreuz"), true);
    options.WebStyle = ini.ReadBool(kData, QStringLiteral("WebStyle"), false);
    options.PrintCR = ini.ReadBool(kData, QStringLiteral("PrintCR"), true);
}

QByteArray CardSetFile::boxListText(const CardSet &set)
{
    QByteArray text;
    text.reserve(set.count() * 3);
    for (int i = 0; i < set.count(); ++i) {
        text += QByteArray::number(set.box(i));
        text += "\r\n";
    }
    return text;
}

QByteArray CardSetFile::settingsText(const CardSet &set, PageOrientation orientation)
{
    IniText ini{QByteArrayView()};
    const PrintOptions &options = set.printOptions();
    WriteFontSection(ini, QStringLiteral("Kopf"), options.HeaderFont);
    WriteFontSection(ini, QStringLiteral("Rueck"), set.StandardFontBack());
    WriteFontSection(ini, QStringLiteral("Vorder"), set.StandardFontFront());
    ini.WriteString(kData, QStringLiteral("Kopfzeile"), options.HeaderText);
    ini.WriteInteger(kData, QStringLiteral("KopfBkColor"), options.HeaderColor);
    ini.WriteInteger(kData, QStringLiteral("KopfOben"), options.HeaderMargins.Top);
    ini.WriteInteger(kData, QStringLiteral("KopfUnten"), options.HeaderMargins.Bottom);
    ini.WriteInteger(kData, QStringLiteral("KopfRechts"), options.HeaderMargins.Right);
    ini.WriteInteger(kData, QStringLiteral("KopfLinks"), options.HeaderMargins.Left);
    ini.WriteInteger(kData, QStringLiteral("AktPrintCards"), options.AktPrintCards);
    ini.WriteInteger(kData, QStringLiteral("RandAbstand"), options.RandAbstand);
    ini.WriteInteger(kData, QStringLiteral("TextAbstand"), options.TextAbstand);
    ini.WriteInteger(kData, QStringLiteral("titelProzent"), options.titelProzent);
    ini.WriteBool(kData, QStringLiteral("PrintNummer"), options.PrintNummer);
    ini.WriteBool(kData, QStringLiteral("PrintKopfZeile"), options.PrintKopfZeile);
    ini.WriteBool(kData, QStringLiteral("PrintFadenkreuz"), options.PrintFadenkreuz);
    ini.WriteBool(kData, QStringLiteral("WebStyle"), options.WebStyle);
    ini.WriteBool(kData, QStringLiteral("PrintCR"), options.PrintCR);
    ini.WriteString(kData, QStringLiteral("Copyright"), options.Copyright);
    ini.WriteInteger(kData, QStringLiteral("PO"), orientation == PageOrientation::Landscape ? 1 : 2);
    return ini.text();
}

namespace {

// Steps 4 to 12: the new container is written beside the old file and
// replaces it only when complete, so a failed or killed save leaves the old
// file as it was. Every chunk is named by the scratch file, as if it had
// passed through it, but goes straight from memory.
void writeContainer(const CardSet &set, const QString &target, CardSetFileContext &context, QString &errorLine)
{
    errorLine = QStringLiteral("4");
    const QByteArray settings = CardSetFile::settingsText(set, context.PrinterOrientation);
    CheckedFileWriter output(target);
    if (!output.ok())
        throw FileError(output.result().reason, output.result().systemError);
    ArchiveWriter writer(output);
    writer.appendData(context.WorkFilePath, settings);

    errorLine = QStringLiteral("5");
    const QByteArray boxes = CardSetFile::boxListText(set);
    errorLine = QStringLiteral("6");
    writer.appendData(context.WorkFilePath, boxes);

    errorLine = QStringLiteral("7");
    ScratchFile::clear(context.WorkFilePath);
    for (int i = 0; i < set.count(); ++i)
        writer.appendData(context.WorkFilePath, set.front(i));
    errorLine = QStringLiteral("8");
    for (int i = 0; i < set.count(); ++i)
        writer.appendData(context.WorkFilePath, set.back(i));
    // The one chunk older versions skip. Without answers there is none, so
    // a set nobody quizzed is saved as those versions saved it.
    const LearningHistory &history = set.history();
    if (history.holdsData())
        writer.appendData(context.WorkFilePath, history.canRecord() ? CardSetFile::historyChunk(set) : history.keptData());
    writer.finish();
    if (!output.commit().ok())
        throw FileError(output.result().reason, output.result().systemError);
}

} // namespace

FileResult CardSetFile::SaveCardSet(CardSet &set, const QString &path, CardSetFileContext &context,
                                    const std::function<void()> &storeCurrentCard)
{
    set.setFileName(path);
    FileResult result;
    result.ErrorLine = QStringLiteral("1");
    try {
        if (storeCurrentCard)
            storeCurrentCard();

        result.ErrorLine = QStringLiteral("2");
        // Through a symbolic link the file it names is replaced.
        const QString target = SiblingTempFile::resolveTarget(path);
        bool replaceable = false;
        try {
            replaceable = FileOps::canReplace(target);
        } catch (...) {
        }
        if (!replaceable) {
            result.outcome = FileResult::Outcome::TargetNotReplaceable;
            result.systemError = QFileInfo(target).isDir() ? EISDIR : EACCES;
            result.reason = FileError::systemReason(result.systemError);
            return result;
        }

        result.ErrorLine = QStringLiteral("3");
        ScratchFile::clear(context.WorkFilePath);
        writeContainer(set, target, context, result.ErrorLine);
    } catch (const FileError &error) {
        return FileResult::failed(result.ErrorLine, error.message(), error.systemError());
    } catch (const std::exception &error) {
        return FileResult::failed(result.ErrorLine, QString::fromLocal8Bit(error.what()));
    }

    result.ErrorLine = QStringLiteral("9");
    set.setModified(false);
    result.ErrorLine = QStringLiteral("10");
    return result;
}

namespace {

// Steps 3 to 17 of a load: the settings text, the box list and the faces,
// all read from the file in one pass. A file cut short never loads as a
// different set: a chunk cut off fails at the step that would read it, also
// when that is the one surplus chunk the format lets a load ignore, and a cut
// at a chunk boundary leaves more box numbers than cards (a save writes one
// per card), which fails at the last step.
void readContainer(CardSetContent &content, const QString &path, CardSetFileContext &context, QString &errorLine, QString &fileName,
                   const std::function<void(const QByteArray &)> &faces)
{
    const auto step = [&errorLine](int number) { errorLine = QString::number(number); };
    step(3);
    ArchiveReader reader =
        faces ? CardArchive::OpenArchive(path, 2, faces) : CardArchive::OpenArchive(path, ArchiveReader::Content::WithData);

    step(4);
    ScratchFile::clear(context.WorkFilePath);
    step(5);
    const QByteArray settings = CardArchive::ExtractChunkData(reader, 0);

    step(6);
    const IniText ini{QByteArrayView(settings)};
    PrintOptions &options = content.Options;
    CardSetFile::ReadFontSection(ini, QStringLiteral("Kopf"), options.HeaderFont);
    CardSetFile::ReadFontSection(ini, QStringLiteral("Rueck"), content.StandardFontBack);
    CardSetFile::ReadFontSection(ini, QStringLiteral("Vorder"), content.StandardFontFront);
    step(7);
    step(8);
    options.HeaderText = ini.ReadString(kData, QStringLiteral("Kopfzeile"), QString());
    options.AktPrintCards = ini.ReadInteger(kData, QStringLiteral("AktPrintCards"), 8);
    options.HeaderColor = ini.ReadInteger(kData, QStringLiteral("KopfBkColor"), StoredColor::White);
    options.HeaderMargins.Top = ini.ReadInteger(kData, QStringLiteral("KopfOben"), 0);
    options.HeaderMargins.Bottom = ini.ReadInteger(kData, QStringLiteral("KopfUnten"), 0);
    options.HeaderMargins.Right = ini.ReadInteger(kData, QStringLiteral("KopfRechts"), 0);
    options.HeaderMargins.Left = ini.ReadInteger(kData, QStringLiteral("KopfLinks"), 0);
    CardSetFile::ReadPrintOptions(ini, options);
    options.Copyright = ini.ReadString(kData, QStringLiteral("Copyright"), CardSetFile::defaultCopyright());
    context.PrinterOrientation =
        ini.ReadInteger(kData, QStringLiteral("PO"), 0) == 1 ? PageOrientation::Landscape : PageOrientation::Portrait;
    step(9);
    step(10);
    FileOps::removeQuietly(context.WorkFilePath);

    step(11);
    const QByteArray boxText = CardArchive::ExtractChunkData(reader, 1);
    step(12);
    step(13);
    const QStringList boxLines = IniText::parse(boxText);
    step(14);
    QList<qint32> boxes;
    boxes.reserve(boxLines.size());
    for (const QString &line : boxLines)
        boxes.append(boxNumber(line));

    const int n = int((reader.chunkCount() - 2) / 2);
    step(15);
    content.Cards.resize(n);
    for (int i = 0; i < n && !faces; ++i)
        content.Cards[i].Front = CardArchive::ExtractChunkData(reader, i + 2);
    // A cut chunk is the last one, counted among the backs or the surplus;
    // reading it raises the container's error.
    step(16);
    if (reader.cutChunk() >= 2)
        CardArchive::ExtractChunkData(reader, int(reader.cutChunk()));
    for (int i = 0; i < n && !faces; ++i)
        content.Cards[i].Back = CardArchive::ExtractChunkData(reader, n + i + 2);
    if (reader.chunkCount() > 2 + 2 * n)
        content.Surplus = CardArchive::ExtractChunkData(reader, 2 + 2 * n);

    fileName = CardSetFile::changeExtension(path, QStringLiteral(".QL3"));
    step(17);
    CardArchive::CloseArchive(reader);

    // Steps 18 and 19 belong to the window; 20 pairs the boxes with the
    // cards: a shorter list leaves box 1 in the cards it does not reach.
    step(20);
    if (boxes.size() > n)
        throw FileError(
            QStringLiteral("Die Datei %1 ist beschädigt: %2 Kastennummern, aber nur %3 Karten.").arg(path).arg(boxes.size()).arg(n));
    for (qsizetype i = 0; i < boxes.size(); ++i)
        content.Cards[i].Box = boxes.at(i);
}

} // namespace

FileResult CardSetFile::LoadCardSet(CardSet &set, const QString &path, CardSetFileContext &context,
                                    const std::function<void(const QByteArray &)> &faces)
{
    FileResult result;
    const QString extension = upperExtension(path);
    if (extension != QLatin1String(".QL3") && extension != QLatin1String(".QLA")) {
        result.outcome = FileResult::Outcome::WrongExtension;
        return result;
    }
    // The 2.5 files are found in any letter case, the ".qla" file too.
    const bool legacy = extension == QLatin1String(".QLA");
    if (!QFileInfo::exists(legacy ? LegacyCardSetImport::companionPath(path, extension) : path)) {
        result.outcome = FileResult::Outcome::FileMissing;
        return result;
    }

    // What the fresh set holds stays where the file has nothing.
    CardSetContent content;
    content.Options = set.printOptions();
    content.StandardFontFront = set.StandardFontFront();
    content.StandardFontBack = set.StandardFontBack();
    QString fileName = set.FileName();
    result.ErrorLine = QStringLiteral("1");
    try {
        result.ErrorLine = QStringLiteral("2");
        if (legacy) {
            LegacyCardSetImport::ImportLegacyCardSet(content, path);
            fileName = changeExtension(path, QStringLiteral(".QL3"));
        } else {
            readContainer(content, path, context, result.ErrorLine, fileName, faces);
        }
    } catch (const FileError &error) {
        result = FileResult::failed(result.ErrorLine, error.message());
    } catch (const std::exception &error) {
        result = FileResult::failed(result.ErrorLine, QString::fromLocal8Bit(error.what()));
    }

    // A damaged file gives no cards at all rather than cards whose faces and
    // boxes may belong to others; the settings read stay. The name stays as
    // it was, so that a save never goes over the damaged file unasked.
    if (!result.ok()) {
        content.Cards.clear();
        fileName = set.FileName();
    }
    set.replaceContent(std::move(content.Cards), content.Options, content.StandardFontFront, content.StandardFontBack);
    // Whatever the chunk holds, the cards stay loaded; only the history
    // depends on it.
    if (result.ok() && content.Surplus) {
        LearningHistoryFormat::Decoded read =
            LearningHistoryFormat::decode(*content.Surplus, set.count(), QDateTime::currentSecsSinceEpoch());
        set.replaceHistory(std::move(read.history), std::move(read.ids), read.nextId);
    }
    set.setFileName(fileName);
    FileOps::removeQuietly(context.WorkFilePath);
    return result;
}

QByteArray CardSetFile::historyChunk(const CardSet &set)
{
    return LearningHistoryFormat::encode(set.m_ids, set.nextId(), set.history().answers());
}

QString CardSetFile::defaultCopyright()
{
    return QStringLiteral("Erstellt mit Quillo");
}
