#include "../TestFiles.h"
#include "../TestPictures.h"
#include "exchange/AnkiCards.h"
#include "exchange/AnkiFieldText.h"
#include "exchange/AnkiPackageReader.h"
#include "exchange/AnkiPackageWriter.h"

#include "cardset/CardSet.h"
#include "cardset/CheckedFileWriter.h"
#include "richtext/FacePictures.h"
#include "richtext/PictureBytes.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <sqlite3.h>
#include <zip.h>

class TestAnkiPackageWriter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A package's members by name, and its collection opened.
    struct Package
    {
        QHash<QString, QByteArray> members;
        sqlite3 *db = nullptr;
        ~Package() { sqlite3_close(db); }
        QList<QStringList> rows(const char *sql) const
        {
            QList<QStringList> rows;
            sqlite3_stmt *statement = nullptr;
            if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
                qFatal("%s: %s", sql, sqlite3_errmsg(db));
            while (sqlite3_step(statement) == SQLITE_ROW) {
                QStringList row;
                for (int i = 0; i < sqlite3_column_count(statement); ++i)
                    row.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, i))));
                rows.append(row);
            }
            sqlite3_finalize(statement);
            return rows;
        }
        QJsonObject json(const char *column) const
        {
            return QJsonDocument::fromJson(rows(QByteArray("select ") + column + " from col").value(0).value(0).toUtf8()).object();
        }
    };

    void open(Package &package, const QString &path)
    {
        int error = 0;
        zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
        QVERIFY(archive);
        for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
            zip_stat_t stat;
            QCOMPARE(zip_stat_index(archive, zip_uint64_t(i), 0, &stat), 0);
            QByteArray bytes(qsizetype(stat.size), '\0');
            zip_file_t *member = zip_fopen_index(archive, zip_uint64_t(i), 0);
            QCOMPARE(zip_fread(member, bytes.data(), stat.size), zip_int64_t(stat.size));
            zip_fclose(member);
            package.members.insert(QString::fromUtf8(stat.name), bytes);
        }
        zip_close(archive);
        static int opened = 0;
        const QString collection = m_dir.filePath(QStringLiteral("collection%1.anki2").arg(++opened));
        writeFile(collection, package.members.value(QStringLiteral("collection.anki2")));
        QCOMPARE(sqlite3_open(QFile::encodeName(collection).constData(), &package.db), SQLITE_OK);
    }

    static QByteArray face(const QString &text, const QByteArray &picture = QByteArray())
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText(text);
        if (!picture.isEmpty()) {
            cursor.insertBlock();
            FacePictures::insertFile(cursor, picture, QStringLiteral("bild.png"), 0, nullptr);
        }
        return RtfWriter::write(document);
    }

    static QByteArray redPng()
    {
        QImage red(8, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        return encoded(red, "PNG");
    }

    // The guids by the notes' first field.
    static QHash<QString, QString> guids(const Package &package)
    {
        QHash<QString, QString> byFront;
        for (const QStringList &row : package.rows("select sfld, guid from notes"))
            byFront.insert(row.at(0), row.at(1));
        return byFront;
    }

    // The bytes of every picture a face shows, in text order.
    static QList<QByteArray> pictures(const QByteArray &rtf)
    {
        QTextDocument document;
        RtfReader::read(rtf, document);
        QList<QByteArray> found;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat())
                    found.append(PictureBytes::of(document, it.fragment().charFormat().toImageFormat()).bytes);
        return found;
    }

private slots:
    void checksumAsAnkiComputesIt()
    {
        // sha1("Haus & Hof a.png ") = 35d4b5 51..., the picture's name between spaces
        QCOMPARE(AnkiFieldText::checksum(u"<b>Haus</b> &amp; Hof<img src=\"a.png\"><br>"), 903135313u);
        QCOMPARE(AnkiFieldText::stripped(u"<span style=\"color:#ff0000\">&lt;a&gt;&nbsp;&#228;&#x20AC;&bogus;</span>"),
                 QString::fromUtf8("<a> ä€&bogus;"));
    }

    void packageHoldsTheCardsAsNotes()
    {
        const QByteArray png = redPng();
        const QByteArray jpeg = encoded(QImage::fromData(png), "JPEG");
        CardSet set;
        set.replaceCards({{face(QStringLiteral("Paris"), png), face(QStringLiteral("Hauptstadt von Frankreich")), 2, false},
                          {face(QStringLiteral("Rom"), png), face(QStringLiteral("Hauptstadt & <Italien>")), 4, false},
                          {face(QStringLiteral("Rom"), png), face(QStringLiteral("JPEG"), jpeg), 1, false}});
        set.setFileName(m_dir.filePath(QStringLiteral("Städte.ql3")));
        const QString path = m_dir.filePath(QStringLiteral("städte.apkg"));
        QVERIFY(AnkiPackageWriter::write(path, set, AnkiPackageWriter::deckName(set, path)).ok());

        Package package;
        open(package, path);
        // The same picture on three faces is one file; each keeps its bytes.
        QCOMPARE(package.members.keys().size(), 4);
        const QJsonObject media = QJsonDocument::fromJson(package.members.value(QStringLiteral("media"))).object();
        QCOMPARE(media.keys(), (QStringList{"0", "1"}));
        const QString picture = media.value(QStringLiteral("0")).toString();
        QVERIFY2(picture.startsWith(QLatin1String("quillo-")) && picture.endsWith(QLatin1String(".png")), qPrintable(picture));
        QVERIFY(media.value(QStringLiteral("1")).toString().endsWith(QLatin1String(".jpg")));
        QCOMPARE(package.members.value(QStringLiteral("0")), png);
        QCOMPARE(package.members.value(QStringLiteral("1")), jpeg);

        QCOMPARE(package.rows("select count(*), ver from col"), (QList<QStringList>{{"1", "11"}}));
        const QJsonObject model = package.json("models").value(QStringLiteral("1414213562373")).toObject();
        for (const char *key :
             {"id", "name", "type", "mod", "usn", "sortf", "did", "tmpls", "flds", "css", "latexPre", "latexPost", "req", "tags", "vers"})
            QVERIFY2(model.contains(QLatin1String(key)), key);
        for (const char *key : {"name", "ord", "sticky", "rtl", "font", "size", "media"})
            QVERIFY2(model["flds"][1].toObject().contains(QLatin1String(key)), key);
        for (const char *key : {"name", "ord", "qfmt", "afmt", "did", "bqfmt", "bafmt"})
            QVERIFY2(model["tmpls"][0].toObject().contains(QLatin1String(key)), key);
        QCOMPARE(model["flds"][1]["name"].toString(), QStringLiteral("Rückseite"));
        const QJsonObject decks = package.json("decks");
        QCOMPARE(decks.size(), 2);
        QCOMPARE(decks["1"]["name"].toString(), QStringLiteral("Default"));
        const QJsonObject deck = decks.value(QString::number(model["did"].toInteger())).toObject();
        QCOMPARE(deck["name"].toString(), QStringLiteral("Städte"));
        for (const char *key : {"id", "name", "usn", "lrnToday", "revToday", "newToday", "timeToday", "collapsed", "dyn", "conf", "desc",
                                "extendNew", "extendRev", "mod"})
            QVERIFY2(deck.contains(QLatin1String(key)), key);
        QVERIFY(package.json("dconf").contains(QStringLiteral("1")));

        const QString img = QStringLiteral("<img src=\"%1\">").arg(picture);
        QCOMPARE(package.rows("select n.flds, n.tags, n.sfld, c.type, c.queue, c.due, c.did = "
                              + QByteArray::number(model["did"].toInteger()) + " from notes n join cards c on c.nid = n.id order by c.due"),
                 (QList<QStringList>{
                     {"Paris<br>" + img + QChar(0x1F) + "Hauptstadt von Frankreich", " Kasten::2 ", "Paris " + picture + ' ', "0", "0", "1",
                      "1"},
                     {"Rom<br>" + img + QChar(0x1F) + "Hauptstadt &amp; &lt;Italien&gt;", " Kasten::4 ", "Rom " + picture + ' ', "0", "0",
                      "2", "1"},
                     {"Rom<br>" + img + QChar(0x1F) + "JPEG<br><img src=\"" + media.value(QStringLiteral("1")).toString() + "\">",
                      " Kasten::1 ", "Rom " + picture + ' ', "0", "0", "3", "1"}}));
        QCOMPARE(package.rows("select csum from notes order by id").value(0).value(0),
                 QString::number(AnkiFieldText::checksum(QString("Paris<br>" + img))));
        QCOMPARE(package.rows("select count(distinct guid), count(distinct id) from notes"), (QList<QStringList>{{"3", "3"}}));
        QCOMPARE(package.rows("select count(*) from revlog union all select count(*) from graves"), (QList<QStringList>{{"0"}, {"0"}}));
    }

    // Exported again, also after changes to other cards, each card's note
    // keeps its identity: Anki updates it instead of adding a second one.
    void notesKeepTheirIdentity()
    {
        CardSet set;
        set.replaceCards({{face(QStringLiteral("eins")), face(QStringLiteral("one")), 1, false},
                          {face(QStringLiteral("zwei")), face(QStringLiteral("two")), 1, false},
                          {face(QStringLiteral("drei")), face(QStringLiteral("three")), 1, false}});
        const QString first = m_dir.filePath(QStringLiteral("erst.apkg"));
        const QString second = m_dir.filePath(QStringLiteral("dann.apkg"));
        QVERIFY(AnkiPackageWriter::write(first, set, QStringLiteral("Zahlen")).ok());
        set.setBack(0, face(QStringLiteral("uno")));
        set.setBox(1, 3);
        set.moveCard(2, 0);
        set.AddCard({face(QStringLiteral("vier")), face(QStringLiteral("four")), 1, false});
        QVERIFY(AnkiPackageWriter::write(second, set, QStringLiteral("Zahlen")).ok());

        Package before;
        open(before, first);
        Package after;
        open(after, second);
        QHash<QString, QString> later = guids(after);
        QVERIFY(later.take(QStringLiteral("vier")) != QString());
        QCOMPARE(later, guids(before));
        // Another deck, other notes.
        QVERIFY(AnkiPackageWriter::write(second, set, QStringLiteral("Nummern")).ok());
        Package other;
        open(other, second);
        QVERIFY(guids(other).value(QStringLiteral("eins")) != guids(before).value(QStringLiteral("eins")));
    }

    void failedWriteKeepsTheOldPackage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("alt.apkg"));
        writeFile(path, "altes Paket");
        CardSet set;
        set.replaceCards({{face(QStringLiteral("Frage")), face(QStringLiteral("Antwort")), 1, false}});
        CheckedFileWriter::setFailAfterBytesForTesting(100);
        const FileResult result = AnkiPackageWriter::write(path, set, QStringLiteral("Satz"));
        CheckedFileWriter::setFailAfterBytesForTesting(-1);
        QVERIFY(!result.ok());
        QCOMPARE(result.systemError, ENOSPC);
        QCOMPARE(readFile(path), QByteArray("altes Paket"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"alt.apkg"});
    }

    // What goes to Anki comes back the same: text, boxes, pictures.
    void roundTripKeepsCards()
    {
        const QByteArray png = redPng();
        const QByteArray jpeg = encoded(QImage::fromData(png), "JPEG");
        CardSet set;
        set.replaceCards({{face(QStringLiteral("Paris"), png), face(QStringLiteral("Frankreich")), 1, true},
                          {face(QStringLiteral("Rom")), face(QStringLiteral("Italien"), jpeg), 2, true},
                          {face(QStringLiteral("Wien")), face(QStringLiteral("Österreich & <Alpen>")), 3, true},
                          {face(QStringLiteral("Bern"), png), face(QStringLiteral("Schweiz"), png), 4, true}});
        const QString path = m_dir.filePath(QStringLiteral("rundreise.apkg"));
        QVERIFY(AnkiPackageWriter::write(path, set, QStringLiteral("Rundreise")).ok());

        const AnkiPackageReader::Result read = AnkiPackageReader::read(path);
        QVERIFY(read.collection);
        const AnkiCards back = AnkiCards::build(*read.collection, QString(), CardSet::newSetFont(), CardSet::newSetFont(), 0);
        QVERIFY(back.ok());
        QVERIFY(back.warnings.isEmpty());
        QCOMPARE(back.cards.size(), set.count());
        for (int i = 0; i < set.count(); ++i) {
            const Card &card = back.cards.at(i);
            QCOMPARE(card.Box, set.box(i));
            QVERIFY(card.Marked);
            QCOMPARE(RtfReader::textLines(card.Front), RtfReader::textLines(set.front(i)));
            QCOMPARE(RtfReader::textLines(card.Back), RtfReader::textLines(set.back(i)));
            QCOMPARE(pictures(card.Front), pictures(set.front(i)));
            QCOMPARE(pictures(card.Back), pictures(set.back(i)));
        }
    }
};

QTEST_MAIN(TestAnkiPackageWriter)
#include "tst_ankipackagewriter.moc"
