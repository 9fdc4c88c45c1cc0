#include "cardset/LegacyCardSetImport.h"

#include "cardset/CardArchive.h"
#include "cardset/CardSetFile.h"
#include "cardset/FileError.h"
#include "cardset/FileOps.h"
#include "cardset/IniText.h"

#include <QDir>
#include <QFileInfo>

namespace {

QList<QByteArray> readFaces(const QString &containerPath)
{
    if (!FileOps::exists(containerPath))
        throw FileError(QStringLiteral("Die Datei %1 wurde nicht gefunden.").arg(containerPath));
    ArchiveReader reader = CardArchive::OpenArchive(containerPath, ArchiveReader::Content::WithData);
    QList<QByteArray> faces;
    try {
        faces.reserve(reader.chunkCount());
        for (int i = 0; i < reader.chunkCount(); ++i)
            faces.append(CardArchive::ExtractChunkData(reader, i));
    } catch (...) {
        CardArchive::CloseArchive(reader);
        throw;
    }
    CardArchive::CloseArchive(reader);
    return faces;
}

} // namespace

QString LegacyCardSetImport::companionPath(const QString &path, const QString &upperExtension)
{
    const QString exact = CardSetFile::changeExtension(path, upperExtension);
    if (FileOps::exists(exact))
        return exact;
    const QFileInfo info(exact);
    const QDir folder = info.dir();
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    }
    return exact;
}

void LegacyCardSetImport::ImportLegacyCardSet(CardSetContent &content, const QString &path)
{
    // Both containers should hold one face per card; when they differ, no
    // face is dropped: the shorter side gets empty faces. Every card starts
    // in box 1.
    const QList<QByteArray> fronts = readFaces(companionPath(path, QStringLiteral(".QLT")));
    for (qsizetype i = 0; i < fronts.size(); ++i)
        content.cardAt(i).Front = fronts.at(i);
    const QList<QByteArray> backs = readFaces(companionPath(path, QStringLiteral(".QLA")));
    for (qsizetype i = 0; i < backs.size(); ++i)
        content.cardAt(i).Back = backs.at(i);

    // The old files stay exactly as they are: the settings are only read.
    const IniText ini(companionPath(path, QStringLiteral(".QLI")), IniText::Mode::ReadOnly);
    const QString data = QStringLiteral("Data");
    PrintOptions &options = content.Options;
    options.HeaderText = ini.ReadString(data, QStringLiteral("Kopfzeile"), QString());
    options.AktPrintCards = ini.ReadInteger(data, QStringLiteral("AktPrintCards"), 4);
    CardSetFile::ReadPrintOptions(ini, options);
    options.Copyright = ini.ReadString(data, QStringLiteral("Copyright"), defaultCopyright());
    CardSetFile::ReadFontSection(ini, QStringLiteral("TextFontStandard"), content.StandardFontBack);
    CardSetFile::ReadFontSection(ini, QStringLiteral("TitelFontStandard"), content.StandardFontFront);
}

QString LegacyCardSetImport::defaultCopyright()
{
    return QStringLiteral("Erstellt mit Quillo 2.5");
}
