#include "cardset/LegacyCardSetImport.h"

#include "cardset/CardArchive.h"
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
    ArchiveReader reader = CardArchive::OpenArchive(containerPath);
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

void LegacyCardSetImport::ImportLegacyCardSet(CardSet &set, const QString &path, CardSetFileContext &context)
{
    set.ErrorLine = QStringLiteral("2");
    set.Fronts = readFaces(companionPath(path, QStringLiteral(".QLT")));
    set.Backs = readFaces(companionPath(path, QStringLiteral(".QLA")));

    // The old files stay exactly as they are: the settings are only read.
    const IniText ini(companionPath(path, QStringLiteral(".QLI")), IniText::Mode::ReadOnly);
    const QString data = QStringLiteral("Data");
    set.HeaderText = ini.ReadString(data, QStringLiteral("Kopfzeile"), QString());
    set.AktPrintCards = ini.ReadInteger(data, QStringLiteral("AktPrintCards"), 4);
    CardSetFile::ReadPrintOptions(ini, set);
    set.Copyright = ini.ReadString(data, QStringLiteral("Copyright"), defaultCopyright());
    CardSetFile::ReadFontSection(ini, QStringLiteral("TextFontStandard"), set.StandardFontBack);
    CardSetFile::ReadFontSection(ini, QStringLiteral("TitelFontStandard"), set.StandardFontFront);

    // Both containers should hold one face per card; when they differ, no
    // face is dropped: the shorter side gets empty faces.
    const qsizetype cards = std::max(set.Fronts.size(), set.Backs.size());
    set.Fronts.resize(cards);
    set.Backs.resize(cards);
    set.Boxes = QList<qint32>(cards, 1);
    set.CurrentIndex = -1;
    set.Modified = false;
    FileOps::removeQuietly(context.WorkFilePath);
}

QString LegacyCardSetImport::defaultCopyright()
{
    return QStringLiteral("Erstellt mit Quillo 2.5");
}

QString LegacyCardSetImport::importedMessage()
{
    return QStringLiteral("Es wurde ein Kartensatz im Quillo 2.5 Format geladen.") + QChar(13)
        + QStringLiteral("Kontrollieren Sie bitte den Font der Titelzeile und die Optionen.");
}
