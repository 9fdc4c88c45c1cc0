#include "exchange/AnkiPackageWriter.h"

#include "exchange/AnkiCollectionFile.h"
#include "exchange/AnkiFieldText.h"
#include "exchange/HtmlFace.h"
#include "exchange/MediaFiles.h"
#include "exchange/ZipBuilder.h"

#include "cardset/CardSet.h"
#include "cardset/CheckedFileWriter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

QString AnkiPackageWriter::deckName(const CardSet &set, const QString &packagePath)
{
    const QString name = QFileInfo(set.FileName()).completeBaseName();
    return name.isEmpty() ? QFileInfo(packagePath).completeBaseName() : name;
}

// A note's identity has to survive what a user does between two exports:
// moving cards (so not the position), changing a face's formatting or the
// back (so not the faces' bytes). What stays is the front as Anki sorts by
// it (its text, picture names from the pictures' bytes) within the deck:
// an edited front makes a new note, which is fair, as it is a new question.
// Cards with the same front are told apart by their order among each other.
// The deck name keeps the same front in two sets from being one note.
QString AnkiPackageWriter::guid(const QString &deckName, const QString &sortText, int occurrence)
{
    const QByteArray key = deckName.toUtf8() + '\x1f' + sortText.toUtf8() + '\x1f' + QByteArray::number(occurrence);
    return QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1)
                                   .left(8)
                                   .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

FileResult AnkiPackageWriter::write(const QString &path, const CardSet &set, const QString &deckName)
{
    MediaFiles media;
    AnkiCollectionFile::Content content;
    content.deckName = deckName;
    content.now = QDateTime::currentMSecsSinceEpoch();
    content.notes.reserve(set.count());
    QHash<QString, int> fronts;
    for (int i = 0; i < set.count(); ++i) {
        AnkiCollectionFile::Note note;
        note.front = HtmlFace::fromRtf(set.front(i), &media);
        note.back = HtmlFace::fromRtf(set.back(i), &media);
        const QString sortText = AnkiFieldText::stripped(note.front);
        note.guid = guid(deckName, sortText, fronts[sortText]++);
        note.tags = QStringList{QStringLiteral("Kasten::%1").arg(set.box(i))};
        content.notes.append(std::move(note));
    }
    const AnkiCollectionFile::Result collection = AnkiCollectionFile::build(content);
    if (!collection.error.isEmpty())
        return FileResult::failed(QString(), collection.error);

    ZipBuilder zip;
    zip.add(QStringLiteral("collection.anki2"), collection.bytes, ZipBuilder::Method::Deflate);
    QJsonObject map;
    for (qsizetype i = 0; i < media.files().size(); ++i)
        map.insert(QString::number(i), media.files().at(i).name);
    zip.add(QStringLiteral("media"), QJsonDocument(map).toJson(QJsonDocument::Compact), ZipBuilder::Method::Deflate);
    // PNG and JPEG are compressed already.
    for (qsizetype i = 0; i < media.files().size(); ++i)
        zip.add(QString::number(i), media.files().at(i).bytes, ZipBuilder::Method::Store);
    const QByteArray package = zip.finish();
    if (!zip.ok())
        return FileResult::failed(QString(), zip.error());

    return CheckedFileWriter::writeFile(path, package);
}
