#include "../TestFiles.h"

#include "cardset/ArchiveWriter.h"
#include "cardset/CardArchive.h"
#include "cardset/FileError.h"

#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>

class TestCardArchive : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    static QByteArray chunk(const QByteArray &name, qint32 size, const QByteArray &data)
    {
        QByteArray out;
        out.append(char(name.size()));
        out.append(name);
        char sizeBytes[4];
        qToLittleEndian(size, sizeBytes);
        out.append(sizeBytes, 4);
        out.append(data);
        return out;
    }

    static QByteArray pattern(int size, quint32 seed)
    {
        QByteArray bytes(size, Qt::Uninitialized);
        QRandomGenerator generator(seed);
        for (char &c : bytes)
            c = char(generator.bounded(256));
        return bytes;
    }

    // Opening and extracting a damaged container must end with an error or
    // a result, never hang or crash.
    void expectFailsOrReads(const QByteArray &container)
    {
        const QString file = path(QStringLiteral("hostile.ql3"));
        writeFile(file, container);
        QElapsedTimer timer;
        timer.start();
        try {
            ArchiveReader reader = CardArchive::OpenArchive(file);
            QVERIFY(reader.OffsetList.size() <= container.size());
            for (int i = 0; i < reader.OffsetList.size(); ++i) {
                try {
                    const QByteArray data = CardArchive::ExtractChunkData(reader, i);
                    QVERIFY(data.size() <= container.size());
                } catch (const FileError &) {
                }
            }
            CardArchive::CloseArchive(reader);
        } catch (const FileError &) {
        }
        QVERIFY(timer.elapsed() < 5000);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void appendWritesExactLayout()
    {
        const QString container = path(QStringLiteral("layout.ql3"));
        const QString source = path(QStringLiteral("src.txt"));
        writeFile(source, QByteArray("abc"));
        CardArchive::AppendChunk(container, source);
        writeFile(source, QByteArray());
        CardArchive::AppendChunk(container, source);

        QCOMPARE(readFile(container), chunk(source.toLatin1(), 3, "abc") + chunk(source.toLatin1(), 0, QByteArray()));
    }

    void longNameStoresLengthModulo256()
    {
        const QString container = path(QStringLiteral("longname.ql3"));
        QFile::remove(container);
        const QString name = QString(300, QLatin1Char('n'));
        ArchiveWriter writer(container);
        writer.appendData(name, QByteArray("x"));
        writer.finish();
        const QByteArray bytes = readFile(container);
        QCOMPARE(quint8(bytes.at(0)), quint8(44));
        QCOMPARE(bytes.mid(1, 44), QByteArray(44, 'n'));
        QCOMPARE(bytes.size(), 1 + 44 + 4 + 1);
        ArchiveReader reader = CardArchive::OpenArchive(container);
        QCOMPARE(reader.NameList, QStringList{QString(44, QLatin1Char('n'))});
    }

    void roundTripsAtBlockBoundaries_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {0, 1, 39999, 40000, 40001, 80000, 100000})
            QTest::addRow("%d", size) << size;
    }

    void roundTripsAtBlockBoundaries()
    {
        QFETCH(int, size);
        const QString container = path(QStringLiteral("blocks.ql3"));
        QFile::remove(container);
        QList<QByteArray> parts = {pattern(size, 1), pattern(7, 2), pattern(size, 3)};
        for (int i = 0; i < parts.size(); ++i) {
            const QString source = path(QStringLiteral("part%1").arg(i));
            writeFile(source, parts[i]);
            CardArchive::AppendChunk(container, source);
        }
        ArchiveReader reader = CardArchive::OpenArchive(container);
        QCOMPARE(reader.OffsetList.size(), 3);
        for (int i = 0; i < parts.size(); ++i) {
            const QString out = path(QStringLiteral("out%1").arg(i));
            CardArchive::ExtractChunk(reader, out, i);
            QCOMPARE(readFile(out), parts[i]);
            QCOMPARE(CardArchive::ExtractChunkData(reader, i), parts[i]);
        }
        CardArchive::CloseArchive(reader);
        QVERIFY(reader.OffsetList.isEmpty());
    }

    void missingEmptyAndOddContainers()
    {
        ArchiveReader reader = CardArchive::OpenArchive(path(QStringLiteral("does-not-exist.ql3")));
        QVERIFY(reader.NameList.isEmpty() && reader.OffsetList.isEmpty() && !reader.isOpen());
        QVERIFY_THROWS_EXCEPTION(FileError, CardArchive::ExtractChunk(reader, path(QStringLiteral("x")), 0));

        writeFile(path(QStringLiteral("empty.ql3")), QByteArray());
        QVERIFY_THROWS_EXCEPTION(FileError, CardArchive::OpenArchive(path(QStringLiteral("empty.ql3"))));

        // One stray byte after the last chunk is tolerated.
        const QByteArray two = chunk("a", 2, "xy") + chunk("b", 1, "z");
        writeFile(path(QStringLiteral("stray1.ql3")), two + QByteArray(1, '\0'));
        ArchiveReader one = CardArchive::OpenArchive(path(QStringLiteral("stray1.ql3")));
        QCOMPARE(one.OffsetList.size(), 2);
        QCOMPARE(CardArchive::ExtractChunkData(one, 1), QByteArray("z"));

        // Two stray bytes are read as a further header, which is cut short.
        writeFile(path(QStringLiteral("stray2.ql3")), two + QByteArray(2, '\0'));
        QVERIFY_THROWS_EXCEPTION(FileError, CardArchive::OpenArchive(path(QStringLiteral("stray2.ql3"))));

        // Extracting replaces what the destination held.
        const QString container = path(QStringLiteral("replace.ql3"));
        writeFile(container, chunk("n", 2, "ok"));
        const QString out = path(QStringLiteral("replace.out"));
        writeFile(out, QByteArray(1000, 'z'));
        ArchiveReader replace = CardArchive::OpenArchive(container);
        CardArchive::ExtractChunk(replace, out, 0);
        QCOMPARE(readFile(out), QByteArray("ok"));
        QVERIFY_THROWS_EXCEPTION(FileError, CardArchive::ExtractChunk(replace, out, 1));
        QVERIFY_THROWS_EXCEPTION(FileError, CardArchive::ExtractChunk(replace, out, -1));
    }

    void hostileContainersNeverHang()
    {
        // A negative size would move the next header backwards for ever.
        writeFile(path(QStringLiteral("neg.ql3")), chunk("a", 4, "abcd") + chunk("b", -20, QByteArray()) + QByteArray(30, 'x'));
        QVERIFY_THROWS_EXCEPTION(FileError, CardArchive::OpenArchive(path(QStringLiteral("neg.ql3"))));

        // A size past the end fails instead of silently cutting the face.
        writeFile(path(QStringLiteral("past.ql3")), chunk("a", 100000, QByteArray(50000, 'p')));
        ArchiveReader reader = CardArchive::OpenArchive(path(QStringLiteral("past.ql3")));
        QVERIFY_THROWS_EXCEPTION(FileError, CardArchive::ExtractChunkData(reader, 0));
        QVERIFY_THROWS_EXCEPTION(FileError, CardArchive::ExtractChunk(reader, path(QStringLiteral("past.out")), 0));

        // An enormous declared size allocates nothing near it.
        expectFailsOrReads(chunk("big", 0x7FFFFFFF, "tiny"));

        QRandomGenerator generator(20261206);
        for (int round = 0; round < 300; ++round)
            expectFailsOrReads(pattern(int(generator.bounded(1, 200)), generator.generate()));
    }
};

QTEST_GUILESS_MAIN(TestCardArchive)
#include "tst_cardarchive.moc"
