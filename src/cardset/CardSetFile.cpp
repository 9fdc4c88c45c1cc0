#include "cardset/CardSetFile.h"

#include "cardset/ArchiveWriter.h"
#include "cardset/CardArchive.h"
#include "cardset/CardSetContent.h"
#include "cardset/FileError.h"
#include "cardset/FileOps.h"
#include "cardset/IniText.h"
#include "cardset/LegacyCardSetImport.h"
#include "cardset/ScratchFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <filesystem>

namespace {

const QString kData = QStringLiteral("Data");

// A new, empty file beside `path` that a save fills before it replaces the
// old file; created with the permissions any new file gets.
QString createSiblingTemp(const QString &path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = path + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        QFile file(candidate);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return candidate;
        if (file.error() != QFileDevice::OpenError || !QFileInfo::exists(candidate))
            throw FileError(QStringLiteral("Die Datei %1 kann nicht angelegt werden: %2").arg(candidate, file.errorString()));
    }
    throw FileError(QStringLiteral("Neben %1 kann keine Zwischendatei angelegt werden.").arg(path));
}

void replaceFile(const QString &source, const QString &target)
{
    if (QFileInfo::exists(target))
        QFile::setPermissions(source, QFile::permissions(target));
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(source.toStdU16String()), std::filesystem::path(target.toStdU16String()), error);
    if (error)
        throw FileError(QStringLiteral("Die Datei %1 kann nicht ersetzt werden: %2").arg(target, QString::fromLocal8Bit(error.message())));
}

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

namespace {

// Steps 3 to 8 of a save; false when the settings text could not be written.
bool writeSettings(const CardSet &set, CardSetFileContext &context)
{
    ScratchFile::clear(context.WorkFilePath);
    const QString scratch = context.WorkFilePath;
    const PrintOptions &options = set.printOptions();
    CardSetFile::WriteFontSection(scratch, QStringLiteral("Kopf"), options.HeaderFont);
    CardSetFile::WriteFontSection(scratch, QStringLiteral("Rueck"), set.StandardFontBack());
    CardSetFile::WriteFontSection(scratch, QStringLiteral("Vorder"), set.StandardFontFront());
    IniText ini(scratch);
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
    ini.WriteInteger(kData, QStringLiteral("PO"), context.PrinterOrientation == PageOrientation::Landscape ? 1 : 2);
    ini.UpdateFile();
    for (int attempt = 0; attempt < 3 && !FileOps::exists(scratch); ++attempt) {
        FileOps::makeWritable(scratch);
        ini.UpdateFile();
        QThread::msleep(200);
    }
    return FileOps::exists(scratch);
}

// Steps 9 to 12: the new container is written beside the old file and
// replaces it only when complete, so a failed save leaves the old file as
// it was.
void writeContainer(const CardSet &set, const QString &path, CardSetFileContext &context, QString &errorLine)
{
    errorLine = QStringLiteral("4");
    const QString temporary = createSiblingTemp(path);
    try {
        ArchiveWriter writer(temporary);
        writer.appendFile(context.WorkFilePath);

        // The box list and the faces go straight from memory; their chunks
        // still carry the scratch file's name, so the file is the same as
        // one written through the scratch file, without 2n file round trips.
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
        writer.finish();
        replaceFile(temporary, path);
    } catch (...) {
        FileOps::removeQuietly(temporary);
        throw;
    }
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
        bool replaceable = false;
        try {
            replaceable = FileOps::canReplace(path);
        } catch (...) {
        }
        if (!replaceable) {
            result.outcome = FileResult::Outcome::TargetNotReplaceable;
            return result;
        }

        result.ErrorLine = QStringLiteral("3");
        if (!writeSettings(set, context)) {
            result.outcome = FileResult::Outcome::SettingsNotWritable;
            return result;
        }
        writeContainer(set, path, context, result.ErrorLine);
    } catch (const FileError &error) {
        return FileResult::failed(result.ErrorLine, error.message());
    } catch (const std::exception &error) {
        return FileResult::failed(result.ErrorLine, QString::fromLocal8Bit(error.what()));
    }

    result.ErrorLine = QStringLiteral("9");
    set.setModified(false);
    result.ErrorLine = QStringLiteral("10");
    return result;
}

namespace {

// Steps 3 to 17 of a load: the settings text, the box list and the faces.
void readContainer(CardSetContent &content, const QString &path, CardSetFileContext &context, QString &errorLine, QString &fileName)
{
    const auto step = [&errorLine](int number) { errorLine = QString::number(number); };
    step(3);
    ArchiveReader reader = CardArchive::OpenArchive(path);
    try {
        step(4);
        ScratchFile::clear(context.WorkFilePath);
        const QString scratch = context.WorkFilePath;
        step(5);
        CardArchive::ExtractChunk(reader, scratch, 0);

        step(6);
        PrintOptions &options = content.Options;
        CardSetFile::ReadFontSection(scratch, QStringLiteral("Kopf"), options.HeaderFont);
        CardSetFile::ReadFontSection(scratch, QStringLiteral("Rueck"), content.StandardFontBack);
        CardSetFile::ReadFontSection(scratch, QStringLiteral("Vorder"), content.StandardFontFront);

        step(7);
        {
            IniText ini(scratch);
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
        }
        step(10);
        FileOps::removeQuietly(scratch);

        step(11);
        const QByteArray boxText = CardArchive::ExtractChunkData(reader, 1);
        step(12);
        step(13);
        const QStringList boxLines = IniText::parse(boxText);
        step(14);
        const int n = int((reader.chunkCount() - 2) / 2);
        content.Cards.reserve(std::max<qsizetype>(n, boxLines.size()));
        for (qsizetype i = 0; i < boxLines.size(); ++i)
            content.cardAt(i).Box = boxNumber(boxLines.at(i));

        step(15);
        for (int i = 0; i < n; ++i)
            content.cardAt(i).Front = CardArchive::ExtractChunkData(reader, i + 2);
        step(16);
        for (int i = 0; i < n; ++i)
            content.cardAt(i).Back = CardArchive::ExtractChunkData(reader, n + i + 2);
        // Box numbers beyond the last card belong to no card.
        content.Cards.resize(n);

        fileName = CardSetFile::changeExtension(path, QStringLiteral(".QL3"));
        step(17);
        CardArchive::CloseArchive(reader);
    } catch (...) {
        CardArchive::CloseArchive(reader);
        throw;
    }
}

} // namespace

FileResult CardSetFile::LoadCardSet(CardSet &set, const QString &path, CardSetFileContext &context)
{
    FileResult result;
    const QString extension = upperExtension(path);
    if (extension != QLatin1String(".QL3") && extension != QLatin1String(".QLA")) {
        result.outcome = FileResult::Outcome::WrongExtension;
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
        if (extension == QLatin1String(".QLA")) {
            LegacyCardSetImport::ImportLegacyCardSet(content, path);
            fileName = changeExtension(path, QStringLiteral(".QL3"));
        } else {
            readContainer(content, path, context, result.ErrorLine, fileName);
            result.ErrorLine = QStringLiteral("18");
        }
    } catch (const FileError &error) {
        result = FileResult::failed(result.ErrorLine, error.message());
    } catch (const std::exception &error) {
        result = FileResult::failed(result.ErrorLine, QString::fromLocal8Bit(error.what()));
    }

    set.replaceContent(std::move(content.Cards), content.Options, content.StandardFontFront, content.StandardFontBack);
    set.setFileName(fileName);
    if (!result.ok())
        return result;
    if (extension == QLatin1String(".QLA")) {
        FileOps::removeQuietly(context.WorkFilePath);
        return result;
    }
    result.ErrorLine = QStringLiteral("19");
    FileOps::removeQuietly(context.WorkFilePath);
    result.ErrorLine = QStringLiteral("20");
    return result;
}

QString CardSetFile::defaultCopyright()
{
    return QStringLiteral("Erstellt mit Quillo");
}
