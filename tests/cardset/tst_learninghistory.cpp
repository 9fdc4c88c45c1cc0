#include "../TestFiles.h"

#include "cardset/ArchiveWriter.h"
#include "cardset/CardArchive.h"
#include "cardset/CardSetFile.h"
#include "cardset/LearningHistoryFormat.h"

#include <QDateTime>
#include <QTest>
#include <QtEndian>

namespace {

using State = LearningHistory::State;
using Damage = LearningHistory::Damage;
const qint64 kDay = 24 * 60 * 60;
const qint64 kNow = QDateTime::currentSecsSinceEpoch();

// Cards "A/a", "B/b", ... and a review answer on each card named in `known`.
void fill(CardSet &set, int cards, const QByteArray &known = {})
{
    set.startNew(PrintOptions(), FontRecord(), FontRecord());
    set.removeCard(0);
    for (int i = 0; i < cards; ++i)
        set.AddCard({QByteArray(1, char('A' + i)), QByteArray(1, char('a' + i)), 1, false});
    for (qsizetype i = 0; i < known.size(); ++i)
        set.recordAnswer(known.at(i) - 'A', LearningAnswer::Mode::Review, true, 1, 2, kNow - 100 + i);
}

// The front of each answer's card, in answer order.
QByteArray answeredFronts(const CardSet &set)
{
    QByteArray fronts;
    for (const LearningAnswer &answer : set.history().answers())
        fronts += set.isValidIndex(set.indexOfCard(answer.card)) ? set.front(set.indexOfCard(answer.card)) : "?";
    return fronts;
}

// A chunk of the history format with the checksum made to fit.
QByteArray sealed(QByteArray body)
{
    char crc[4];
    qToLittleEndian(LearningHistoryFormat::crc32(body), crc);
    return body.append(crc, 4);
}

} // namespace

class TestLearningHistory : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    CardSetFileContext m_context{m_dir.filePath(QStringLiteral("scratch")), PageOrientation::Portrait};

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // `set` saved to `name` with `extra` appended as the chunk after the faces.
    QString savedWith(CardSet &set, const QString &name, const std::optional<QByteArray> &extra = {})
    {
        const QString file = path(name);
        if (!CardSetFile::SaveCardSet(set, file, m_context).ok())
            return QString();
        if (extra) {
            ArchiveWriter writer(file);
            writer.appendData(QStringLiteral("x"), *extra);
            writer.finish();
        }
        return file;
    }

    static QList<QByteArray> chunks(const QString &file)
    {
        ArchiveReader reader = CardArchive::OpenArchive(file, ArchiveReader::Content::WithData);
        QList<QByteArray> all;
        for (int i = 0; i < reader.chunkCount(); ++i)
            all.append(CardArchive::ExtractChunkData(reader, i));
        return all;
    }

private Q_SLOTS:
    void answersStayWithTheirCardsThroughEveryOperation()
    {
        CardSet set;
        fill(set, 4, "ABCDB");
        QCOMPARE(answeredFronts(set), QByteArray("ABCDB"));
        // Moves carry identities; a deleted card's answers go with it; a
        // copy added as a new card starts without any.
        set.moveCard(1, 3);
        const quint32 gone = set.cardId(0);
        QVERIFY(set.removeCard(0));
        const quint32 copy = set.cardId(set.AddCard(set.card(2)));
        QCOMPARE(answeredFronts(set), QByteArray("BCDB"));
        for (const LearningAnswer &answer : set.history().answers())
            QVERIFY(answer.card != copy && answer.card != gone);

        // Saved under another name and read back, nothing moves; the next
        // new card gets an identity never used before.
        CardSet loaded;
        QVERIFY(CardSetFile::LoadCardSet(loaded, savedWith(set, QStringLiteral("unter.ql3")), m_context).ok());
        QCOMPARE(answeredFronts(loaded), QByteArray("BCDB"));
        QCOMPARE(loaded.history().answers(), set.history().answers());
        QCOMPARE(loaded.cardId(loaded.AddCard()), copy + 1);

        // Cards from elsewhere replace the old ones with their answers.
        loaded.replaceCards({Card(), Card()});
        QVERIFY(loaded.history().isEmpty() && loaded.cardId(0) == copy + 2);
        // A clock not yet set gives no answer.
        loaded.recordAnswer(0, LearningAnswer::Mode::Cramming, false, 9, 0, 1000);
        QVERIFY(loaded.history().isEmpty());
        loaded.recordAnswer(0, LearningAnswer::Mode::Cramming, false, 9, 0, kNow);
        QCOMPARE(loaded.history().answers().value(0), (LearningAnswer{copy + 2, kNow, LearningAnswer::Mode::Cramming, false, 4, 1}));
    }

    // Files without answers stay as the older program wrote them; with
    // answers, that program finds its own layout and one chunk more.
    void olderProgramsSeeTheirOwnFile()
    {
        CardSet set;
        fill(set, 3);
        const QString plain = savedWith(set, QStringLiteral("ohne.ql3"));
        const QByteArray plainBytes = readFile(plain);
        CardSet reread;
        QVERIFY(CardSetFile::LoadCardSet(reread, plain, m_context).ok());
        QVERIFY(reread.history().canRecord() && reread.history().isEmpty());
        QVERIFY(CardSetFile::SaveCardSet(reread, plain, m_context).ok());
        QCOMPARE(readFile(plain), plainBytes);

        set.recordAnswer(2, LearningAnswer::Mode::Review, false, 3, 2, kNow);
        const QString quizzed = savedWith(set, QStringLiteral("mit.ql3"));
        const QList<QByteArray> all = chunks(quizzed);
        QCOMPARE(all.size(), 2 + 2 * 3 + 1);
        QCOMPARE(all.at(1), QByteArray("1\r\n1\r\n1\r\n"));
        QVERIFY(readFile(quizzed).startsWith(plainBytes));
        QVERIFY(all.last().startsWith("QLHIST\x01"));
        QCOMPARE(LearningHistoryFormat::crc32("123456789"), 0xCBF43926u);

        // Cleared, the history leaves no chunk behind.
        set.clearHistory();
        QVERIFY(set.Modified());
        QCOMPARE(readFile(savedWith(set, QStringLiteral("mit.ql3"))), plainBytes);
    }

    void unreadableChunksAreKeptAndNothingIsRecorded_data()
    {
        QTest::addColumn<QByteArray>("chunk");
        QTest::addColumn<State>("state");
        QTest::addColumn<Damage>("damage");
        const auto history = [](qint64 time, const QList<quint32> &cards = {1, 2, 3}, quint32 next = 4) {
            return LearningHistoryFormat::encode(cards, next, {{2, time, LearningAnswer::Mode::Review, true, 1, 2}});
        };
        const QByteArray good = history(kNow);
        QByteArray flipped = good;
        flipped[12] = char(flipped[12] ^ 1);
        // Ten million answers declared in a few bytes.
        QByteArray huge("QLHIST\x01\x04\x03\x01\x02\x03\x80\xAD\xE2\x04", 16);
        huge.append(60, '\x01');

        QTest::newRow("empty") << QByteArray("") << State::Foreign << Damage::None;
        QTest::newRow("foreign") << QByteArray("PK\x03\x04 zip") << State::Foreign << Damage::None;
        QTest::newRow("later") << QByteArray("QLHIST\x02 whatever comes") << State::Later << Damage::None;
        QTest::newRow("checksum") << flipped << State::Damaged << Damage::Checksum;
        QTest::newRow("cut") << sealed(good.left(good.size() - 7)) << State::Damaged << Damage::Truncated;
        QTest::newRow("two ids for three cards") << history(kNow, {1, 2}) << State::Damaged << Damage::CardCount;
        QTest::newRow("repeated id") << history(kNow, {1, 2, 2}) << State::Damaged << Damage::Identity;
        QTest::newRow("id beyond counter") << history(kNow, {1, 2, 3}, 3) << State::Damaged << Damage::Identity;
        QTest::newRow("after tomorrow") << history(kNow + 2 * kDay) << State::Damaged << Damage::Time;
        QTest::newRow("before 1990") << history(LearningHistoryFormat::EarliestTime - 1) << State::Damaged << Damage::Time;
        QTest::newRow("ten million") << sealed(huge) << State::Damaged << Damage::Count;
        QTest::newRow("box 0") << sealed(good.left(good.size() - 5).append('\x10')) << State::Damaged << Damage::Entry;
    }

    void unreadableChunksAreKeptAndNothingIsRecorded()
    {
        QFETCH(QByteArray, chunk);
        QFETCH(State, state);
        QFETCH(Damage, damage);
        CardSet set;
        fill(set, 3);
        const QString file = savedWith(set, QStringLiteral("fremd.ql3"), chunk);
        // The faces handed out one by one and kept: the history reads alike.
        for (bool streamed : {false, true}) {
            CardSet loaded;
            int handed = 0;
            const FileResult result = streamed ? CardSetFile::LoadCardSet(loaded, file, m_context, [&](const QByteArray &) { ++handed; })
                                               : CardSetFile::LoadCardSet(loaded, file, m_context);
            QVERIFY(result.ok() && loaded.count() == 3);
            QCOMPARE(loaded.history().state(), state);
            QCOMPARE(loaded.history().damage(), damage);
            QCOMPARE(handed, streamed ? 7 : 0);
        }
        CardSet loaded;
        CardSetFile::LoadCardSet(loaded, file, m_context);
        loaded.recordAnswer(0, LearningAnswer::Mode::Review, true, 1, 2, kNow);
        loaded.setFront(0, "changed");
        loaded.removeCard(1);
        QVERIFY(loaded.history().isEmpty() && !loaded.history().canRecord());
        QCOMPARE(chunks(savedWith(loaded, QStringLiteral("zurück.ql3"))).last(), chunk);

        // Only the explicit command drops it.
        loaded.clearHistory();
        QCOMPARE(chunks(savedWith(loaded, QStringLiteral("zurück.ql3"))).size(), 2 + 2 * 2);
    }

    void aReadableHistoryRecordsOn()
    {
        CardSet set;
        fill(set, 2, "BAB");
        CardSet loaded;
        QVERIFY(CardSetFile::LoadCardSet(loaded, savedWith(set, QStringLiteral("weiter.ql3")), m_context, [](const QByteArray &) {}).ok());
        QVERIFY(loaded.history().canRecord() && !loaded.Modified());
        loaded.recordAnswer(0, LearningAnswer::Mode::Review, true, 1, 2, kNow);
        QVERIFY(loaded.Modified());
        QList<quint32> cards;
        for (const LearningAnswer &answer : loaded.history().answers())
            cards.append(answer.card);
        QCOMPARE(cards, (QList<quint32>{loaded.cardId(1), loaded.cardId(0), loaded.cardId(1), loaded.cardId(0)}));
    }
};

QTEST_GUILESS_MAIN(TestLearningHistory)
#include "tst_learninghistory.moc"
