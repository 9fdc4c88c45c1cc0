#include "cardset/CardSetFile.h"

#include "cardset/ArchiveWriter.h"
#include "cardset/CardArchive.h"
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
const QChar kBreak = QChar(13);

void step(CardSet &set, int number)
{
    set.ErrorLine = QString::number(number);
}

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
    const qsizetype separator = std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':'))});
    if (dot < 0 || dot < separator)
        return QString();
    return path.mid(dot).toUpper();
}

QString CardSetFile::changeExtension(const QString &path, const QString &extension)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator = std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':'))});
    if (dot < 0 || dot < separator)
        return path + extension;
    return path.left(dot) + extension;
}

QString CardSetFile::fileNamePart(const QString &path)
{
    const qsizetype separator = std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':'))});
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

void CardSetFile::ReadPrintOptions(const IniText &ini, CardSet &set)
{
    // The option fields accept 1 to 200 and 0 to 500 and write the bound
    // they show back into the set.
    set.RandAbstand = std::clamp(ini.ReadInteger(kData, QStringLiteral("RandAbstand"), 10), 1, 200);
    set.TextAbstand = std::clamp(ini.ReadInteger(kData, QStringLiteral("TextAbstand"), 20), 0, 500);
    set.titelProzent = ini.ReadInteger(kData, QStringLiteral("titelProzent"), 10);
    set.PrintNummer = ini.ReadBool(kData, QStringLiteral("PrintNummer"), true);
    set.PrintKopfZeile = ini.ReadBool(kData, QStringLiteral("PrintKopfZeile"), true);
    set.PrintFadenkreuz = ini.ReadBool(kData, QStringLiteral("PrintFadenkreuz"), true);
    set.WebStyle = ini.ReadBool(kData, QStringLiteral("WebStyle"), false);
    set.PrintCR = ini.ReadBool(kData, QStringLiteral("PrintCR"), true);
}

QByteArray CardSetFile::boxListText(const CardSet &set)
{
    QByteArray text;
    text.reserve(set.Boxes.size() * 3);
    for (qint32 box : set.Boxes) {
        text += QByteArray::number(box);
        text += "\r\n";
    }
    return text;
}

CardSetFile::SaveResult CardSetFile::SaveCardSet(CardSet &set, const QString &path, CardSetFileContext &context,
                                                 const std::function<void()> &storeCurrentCard)
{
    set.FileName = path;
    step(set, 1);
    if (storeCurrentCard)
        storeCurrentCard();

    step(set, 2);
    try {
        if (!FileOps::canReplace(path))
            return SaveResult::TargetNotReplaceable;
    } catch (...) {
        return SaveResult::TargetNotReplaceable;
    }

    step(set, 3);
    ScratchFile::clear(context.WorkFilePath);
    const QString scratch = context.WorkFilePath;
    WriteFontSection(scratch, QStringLiteral("Kopf"), set.HeaderFont);
    WriteFontSection(scratch, QStringLiteral("Rueck"), set.StandardFontBack);
    WriteFontSection(scratch, QStringLiteral("Vorder"), set.StandardFontFront);
    {
        IniText ini(scratch);
        ini.WriteString(kData, QStringLiteral("Kopfzeile"), set.HeaderText);
        ini.WriteInteger(kData, QStringLiteral("KopfBkColor"), set.HeaderColor);
        ini.WriteInteger(kData, QStringLiteral("KopfOben"), set.HeaderMargins.Top);
        ini.WriteInteger(kData, QStringLiteral("KopfUnten"), set.HeaderMargins.Bottom);
        ini.WriteInteger(kData, QStringLiteral("KopfRechts"), set.HeaderMargins.Right);
        ini.WriteInteger(kData, QStringLiteral("KopfLinks"), set.HeaderMargins.Left);
        ini.WriteInteger(kData, QStringLiteral("AktPrintCards"), set.AktPrintCards);
        ini.WriteInteger(kData, QStringLiteral("RandAbstand"), set.RandAbstand);
        ini.WriteInteger(kData, QStringLiteral("TextAbstand"), set.TextAbstand);
        ini.WriteInteger(kData, QStringLiteral("titelProzent"), set.titelProzent);
        ini.WriteBool(kData, QStringLiteral("PrintNummer"), set.PrintNummer);
        ini.WriteBool(kData, QStringLiteral("PrintKopfZeile"), set.PrintKopfZeile);
        ini.WriteBool(kData, QStringLiteral("PrintFadenkreuz"), set.PrintFadenkreuz);
        ini.WriteBool(kData, QStringLiteral("WebStyle"), set.WebStyle);
        ini.WriteBool(kData, QStringLiteral("PrintCR"), set.PrintCR);
        ini.WriteString(kData, QStringLiteral("Copyright"), set.Copyright);
        ini.WriteInteger(kData, QStringLiteral("PO"), context.PrinterOrientation == PageOrientation::Landscape ? 1 : 2);
        ini.UpdateFile();
        for (int attempt = 0; attempt < 3 && !FileOps::exists(scratch); ++attempt) {
            FileOps::makeWritable(scratch);
            ini.UpdateFile();
            QThread::msleep(200);
        }
        if (!FileOps::exists(scratch))
            return SaveResult::SettingsNotWritable;
    }

    // The new container is written beside the old file and replaces it only
    // when complete, so a failed save leaves the old file as it was.
    step(set, 4);
    const QString temporary = createSiblingTemp(path);
    try {
        ArchiveWriter writer(temporary);
        writer.appendFile(scratch);

        // The box list and the faces go straight from memory; their chunks
        // still carry the scratch file's name, so the file is the same as
        // one written through the scratch file, without 2n file round trips.
        step(set, 5);
        const QByteArray boxes = boxListText(set);
        step(set, 6);
        writer.appendData(context.WorkFilePath, boxes);

        step(set, 7);
        ScratchFile::clear(context.WorkFilePath);
        for (const QByteArray &front : std::as_const(set.Fronts))
            writer.appendData(context.WorkFilePath, front);
        step(set, 8);
        for (const QByteArray &back : std::as_const(set.Backs))
            writer.appendData(context.WorkFilePath, back);
        writer.finish();
        replaceFile(temporary, path);
    } catch (...) {
        FileOps::removeQuietly(temporary);
        throw;
    }

    step(set, 9);
    set.Modified = false;
    step(set, 10);
    return SaveResult::Saved;
}

CardSetFile::LoadResult CardSetFile::LoadCardSet(CardSet &set, const QString &path, CardSetFileContext &context)
{
    const QString extension = upperExtension(path);
    if (extension != QLatin1String(".QL3") && extension != QLatin1String(".QLA"))
        return LoadResult::WrongExtension;

    step(set, 1);
    set.clearCards();

    step(set, 2);
    if (extension == QLatin1String(".QLA")) {
        LegacyCardSetImport::ImportLegacyCardSet(set, path, context);
        set.FileName = changeExtension(path, QStringLiteral(".QL3"));
        return LoadResult::Loaded;
    }

    step(set, 3);
    ArchiveReader reader = CardArchive::OpenArchive(path);
    try {
        step(set, 4);
        ScratchFile::clear(context.WorkFilePath);
        const QString scratch = context.WorkFilePath;
        step(set, 5);
        CardArchive::ExtractChunk(reader, scratch, 0);

        step(set, 6);
        ReadFontSection(scratch, QStringLiteral("Kopf"), set.HeaderFont);
        ReadFontSection(scratch, QStringLiteral("Rueck"), set.StandardFontBack);
        ReadFontSection(scratch, QStringLiteral("Vorder"), set.StandardFontFront);

        step(set, 7);
        {
            IniText ini(scratch);
            step(set, 8);
            set.HeaderText = ini.ReadString(kData, QStringLiteral("Kopfzeile"), QString());
            set.AktPrintCards = ini.ReadInteger(kData, QStringLiteral("AktPrintCards"), 8);
            set.HeaderColor = ini.ReadInteger(kData, QStringLiteral("KopfBkColor"), StoredColor::White);
            set.HeaderMargins.Top = ini.ReadInteger(kData, QStringLiteral("KopfOben"), 0);
            set.HeaderMargins.Bottom = ini.ReadInteger(kData, QStringLiteral("KopfUnten"), 0);
            set.HeaderMargins.Right = ini.ReadInteger(kData, QStringLiteral("KopfRechts"), 0);
            set.HeaderMargins.Left = ini.ReadInteger(kData, QStringLiteral("KopfLinks"), 0);
            ReadPrintOptions(ini, set);
            set.Copyright = ini.ReadString(kData, QStringLiteral("Copyright"), defaultCopyright());
            context.PrinterOrientation = ini.ReadInteger(kData, QStringLiteral("PO"), 0) == 1
                ? PageOrientation::Landscape
                : PageOrientation::Portrait;
            step(set, 9);
        }
        step(set, 10);
        FileOps::removeQuietly(scratch);

        step(set, 11);
        const QByteArray boxText = CardArchive::ExtractChunkData(reader, 1);
        step(set, 12);
        step(set, 13);
        const QStringList boxLines = IniText::parse(boxText);
        step(set, 14);
        set.Boxes.clear();
        set.Boxes.reserve(boxLines.size());
        for (const QString &line : boxLines)
            set.Boxes.append(boxNumber(line));

        step(set, 15);
        const int n = int((reader.chunkCount() - 2) / 2);
        set.Fronts.reserve(n);
        for (int i = 0; i < n; ++i)
            set.Fronts.append(CardArchive::ExtractChunkData(reader, i + 2));
        step(set, 16);
        set.Backs.reserve(n);
        for (int i = 0; i < n; ++i)
            set.Backs.append(CardArchive::ExtractChunkData(reader, n + i + 2));

        set.FileName = changeExtension(path, QStringLiteral(".QL3"));
        step(set, 17);
        CardArchive::CloseArchive(reader);
    } catch (...) {
        CardArchive::CloseArchive(reader);
        throw;
    }

    step(set, 18);
    set.CurrentIndex = -1;
    set.Modified = false;
    step(set, 19);
    FileOps::removeQuietly(context.WorkFilePath);
    step(set, 20);
    while (set.Boxes.size() < set.Fronts.size())
        set.Boxes.append(1);
    // Box numbers beyond the last card belong to no card.
    set.Boxes.resize(set.Fronts.size());
    return LoadResult::Loaded;
}

QString CardSetFile::defaultCopyright()
{
    return QStringLiteral("Erstellt mit Quillo");
}

QString CardSetFile::messageM1(const QString &fileName)
{
    return QStringLiteral("Die Datei ") + fileName + QStringLiteral(" konnte zum Zwecke") + kBreak
        + QStringLiteral("der Speicherung nicht gelöscht werden!") + kBreak
        + QStringLiteral("Bitte versuchen Sie einen erneuten Speichervorgang,") + kBreak
        + QStringLiteral("Löschen Sie den eventuell gesetzten Schreibschutz oder") + kBreak
        + QStringLiteral("Speichern Sie die Datei unter einem anderen Namen.");
}

QString CardSetFile::messageM2()
{
    return QStringLiteral("Ihr System läßt z.Zt. keine Dateioperationen mit INI-Dateien zu.") + kBreak
        + QStringLiteral("In der Regel genügt ein erneutes Speichern (die aktuellen Änderungen sind nocht NICHT gespeichert).")
        + kBreak + kBreak
        + QStringLiteral("Sollte diese Meldung erneut erscheinen, versuchen Sie, die Datei unter einem anderen") + kBreak
        + QStringLiteral("Namen abzuspeichern und anschließend das Programm bzw. das System neu zu starten.");
}

QString CardSetFile::messageM3(const QString &path)
{
    return QStringLiteral("Die Datei ") + kBreak + path + kBreak + QStringLiteral("hat nicht die richtige Endung und kann")
        + kBreak + QStringLiteral("daher nicht geladen werden.");
}

QString CardSetFile::saveFailedMessage(const QString &errorLine)
{
    return QStringLiteral("Beim Speichern trat ein Fehler auf.") + kBreak
        + QStringLiteral("Wenn Sie einen Quillo 2.5-Karteikartensatz geladen haben,") + kBreak
        + QStringLiteral("wählen Sie bitte Datei-Speichern unter, um diesen zu speichern.") + kBreak + kBreak
        + QStringLiteral("ErrorLine: ") + errorLine;
}

QString CardSetFile::saveAsFailedMessage()
{
    return QStringLiteral("Beim Speichern trat ein Fehler auf.");
}

QString CardSetFile::loadFailedMessage()
{
    return QStringLiteral("Beim Laden trat ein Fehler auf.") + kBreak + QStringLiteral("Möglicherweise ist die Datei fehlerhaft.");
}

QString CardSetFile::loadFailedMessageWithCode(const QString &errorLine)
{
    return loadFailedMessage() + kBreak + kBreak + QStringLiteral("Fehlercode: ") + errorLine;
}

QString CardSetFile::loadFailedCaption()
{
    return QStringLiteral("Es kam zu einem Fehler beim Laden.");
}
