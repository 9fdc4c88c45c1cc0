#include "../TestFiles.h"
#include "AnkiTestPackage.h"
#include "exchange/AnkiPackageReader.h"
#include "exchange/AnkiUnpackBudget.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

using namespace AnkiTestPackage;
using Kind = AnkiProblem::Kind;

class TestAnkiPackageReader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_packages;
    // What the reader leaves behind: TMPDIR points here.
    QTemporaryDir m_temporaries;
    int m_count = 0;

    static AnkiCollection content()
    {
        AnkiCollection c;
        c.noteTypes = {{1001,
                        "Einfach",
                        AnkiNoteType::Kind::Standard,
                        {"Vorderseite", "Rückseite"},
                        {{"Karte 1", 0, "{{Vorderseite}}", "{{FrontSide}}<hr id=answer>{{Rückseite}}"},
                         {"Karte 2", 1, "{{Rückseite}}", "{{FrontSide}}<hr id=answer>{{Vorderseite}}"}}},
                       {1002,
                        "Lückentext",
                        AnkiNoteType::Kind::Cloze,
                        {"Text", "Extra"},
                        {{"Lückentext", 0, "{{cloze:Text}}", "{{cloze:Text}}<br>{{Extra}}"}}}};
        c.decks = {{21, "Sprachen::Französisch"}, {1, "Default"}, {20, "Sprachen"}};
        c.notes = {{501, 1002, {"{{c1::Paris}} ist die Hauptstadt von {{c2::Frankreich}}", ""}, {}},
                   {500, 1001, {"Haus <img src=\"haus.jpg\">", "house"}, {"Vokabeln ", "  Kapitel_1"}}};
        // Out of order, and a suspended and a review card among them.
        c.cards = {{9003, 501, 20, 1, 0, 0, 0}, {9001, 500, 21, 1, 2, -1, 3}, {9000, 500, 21, 0, 2, 2, 12}, {9002, 501, 20, 0, 0, 0, 0}};
        return c;
    }

    static QStringList describe(const AnkiCollection &c)
    {
        QStringList lines;
        for (const AnkiNoteType &t : c.noteTypes) {
            lines << QStringLiteral("type %1 %2 %3 %4").arg(t.id).arg(int(t.kind)).arg(t.name, t.fields.join(u'|'));
            for (const AnkiTemplate &m : t.templates)
                lines << QStringLiteral("%1 %2: %3 / %4").arg(m.ord).arg(m.name, m.questionFormat, m.answerFormat);
        }
        for (const AnkiDeck &d : c.decks)
            lines << QStringLiteral("deck %1 %2").arg(d.id).arg(d.name);
        for (const AnkiNote &n : c.notes)
            lines << QStringLiteral("note %1 %2 %3 tags %4").arg(n.id).arg(n.noteTypeId).arg(n.fields.join(u'|'), n.tags.join(u'|'));
        for (const AnkiCard &k : c.cards) {
            const QList<qint64> values{k.id, k.noteId, k.deckId, k.ord, k.type, k.queue, k.interval};
            lines << QStringLiteral("card");
            for (const qint64 value : values)
                lines.last() += u' ' + QString::number(value);
        }
        return lines;
    }

    QString package(const QList<Member> &members)
    {
        const QString path = m_packages.filePath(QStringLiteral("p%1.apkg").arg(++m_count));
        if (!writeZip(path, members))
            qFatal("package not written");
        return path;
    }

    enum class Layout { Legacy1, Legacy2, Current };
    // A whole package of `layout` with `media` (name, bytes) in it.
    QString package(Layout layout, const AnkiCollection &c, const QList<std::pair<QString, QByteArray>> &media = {},
                    const QString &extraSql = QString())
    {
        QStringList names;
        QList<Member> members;
        for (qsizetype i = 0; i < media.size(); ++i) {
            names << media.at(i).first;
            const QByteArray &bytes = media.at(i).second;
            members << Member{QString::number(i), layout == Layout::Current ? zstd(bytes) : bytes, i % 2 == 0};
        }
        // Beside the collection of the later layouts: one note asking to update.
        AnkiCollection dummy;
        dummy.noteTypes = {{1, "Einfach", AnkiNoteType::Kind::Standard, {"Vorderseite", "Rückseite"}, {}}};
        dummy.notes = {{1, 1, {"Please update to the latest Anki version", ""}, {}}};
        if (layout != Layout::Legacy1)
            members << Member{"meta", varintField(1, layout == Layout::Current ? 3 : 2)}
                    << Member{"collection.anki2", collectionFile(dummy, 11)};
        if (layout == Layout::Current) {
            members << Member{"collection.anki21b", zstd(collectionFile(c, 18, extraSql)), false}
                    << Member{"media", zstd(currentMediaMap(names))};
        } else {
            members << Member{layout == Layout::Legacy1 ? "collection.anki2" : "collection.anki21", collectionFile(c, 11, extraSql),
                              layout == Layout::Legacy2}
                    << Member{"media", legacyMediaMap(names)};
        }
        return package(members);
    }

    int temporaries() const { return int(QDir(m_temporaries.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size()); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_packages.isValid() && m_temporaries.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_temporaries.path()));
    }

    void readsEveryLayout_data()
    {
        QTest::addColumn<Layout>("layout");
        QTest::newRow("legacy 1") << Layout::Legacy1;
        QTest::newRow("legacy 2") << Layout::Legacy2;
        QTest::newRow("current") << Layout::Current;
    }
    void readsEveryLayout()
    {
        QFETCH(Layout, layout);
        // A filtered deck holding one card: the card counts in its home deck.
        const QString filtered = layout == Layout::Current
            ? QStringLiteral("INSERT INTO decks VALUES (30, 'Filter', 0, 0, x'', x'1200');")
            : QStringLiteral("UPDATE col SET decks = json_set(decks, '$.30', json('{\"id\":30,\"name\":\"Filter\",\"dyn\":1}'));");
        const QString path = package(layout, content(), {{"haus.jpg", "JPEG haus"}, {"Straße 1.png", "PNG straße"}},
                                     filtered + QStringLiteral("UPDATE cards SET odid = did, did = 30 WHERE id = 9003;"));
        AnkiPackageReader::Result result = AnkiPackageReader::read(path);
        QCOMPARE(result.problem, AnkiProblem());
        QVERIFY(result.collection);

        AnkiCollection expected = content();
        expected.decks = {{1, "Default"}, {20, "Sprachen"}, {21, "Sprachen::Französisch"}};
        std::swap(expected.notes[0], expected.notes[1]);
        expected.notes[0].tags = QStringList{"Vokabeln", "Kapitel_1"};
        expected.cards = {expected.cards[2], expected.cards[1], expected.cards[3], expected.cards[0]};
        QCOMPARE(describe(*result.collection), describe(expected));

        const QDir media(result.collection->mediaFolder());
        QCOMPARE(media.entryList(QDir::Files, QDir::Name), (QStringList{"Straße 1.png", "haus.jpg"}));
        QCOMPARE(readAll(media.filePath("Straße 1.png")), QByteArray("PNG straße"));
        QCOMPARE(readAll(media.filePath("haus.jpg")), QByteArray("JPEG haus"));
        // The collection's copy is gone already; the media go with the collection.
        QCOMPARE(temporaries(), 1);
        result.collection.reset();
        QCOMPARE(temporaries(), 0);
    }

    void packagesWithoutMediaOrMeta()
    {
        // Old packages: no media member, or an empty one; no meta.
        const QByteArray collection = collectionFile(content(), 11);
        for (const QList<Member> &members :
             {QList<Member>{{"collection.anki2", collection}}, QList<Member>{{"collection.anki2", collection}, {"media", "{}"}}}) {
            const AnkiPackageReader::Result result = AnkiPackageReader::read(package(members));
            QCOMPARE(result.problem, AnkiProblem());
            QCOMPARE(result.collection->notes.size(), 2);
            QVERIFY(!result.collection->media);
        }
    }

    void refusesBadPackages()
    {
        const AnkiCollection good = content();
        AnkiCollection mismatch = content();
        mismatch.notes[1].fields << "zu viel";
        AnkiCollection unknownType = content();
        unknownType.notes[0].noteTypeId = 77;
        const QByteArray anki2 = collectionFile(good, 11);
        const auto legacy = [&](const QByteArray &collection, const QByteArray &map = "{}") {
            return package({{"collection.anki2", collection}, {"media", map}, {"0", "bild"}});
        };
        const auto unsafe = [&](const QString &name) { return legacy(anki2, legacyMediaMap({name})); };

        const std::tuple<QString, AnkiProblem> cases[] = {
            {m_packages.filePath("fehlt.apkg"), {Kind::Unreadable, "No such file or directory", 0}},
            {fileWith(m_packages, "PK\x03\x04 kein zip, nur so getan"), {Kind::NotZip, "Not a zip archive", 0}},
            {package({{"notes.txt", "Haus\thouse"}}), {Kind::NoCollection, "collection.anki2", 0}},
            // The current layout without its collection: the dummy is not read instead.
            {package({{"meta", varintField(1, 3)}, {"collection.anki2", anki2}}), {Kind::NoCollection, "collection.anki21b", 0}},
            {package({{"meta", varintField(1, 4)}, {"collection.anki21b", zstd(anki2)}}), {Kind::UnknownVersion, "4", 0}},
            {legacy(collectionFile(good, 11, "UPDATE col SET ver = 15;")), {Kind::UnknownVersion, "15", 0}},
            {package({{"meta", varintField(1, 3)}, {"collection.anki21b", zstd(anki2).chopped(9)}}),
             {Kind::Unreadable, "collection.anki21b: zstd", 0}},
            {legacy(QByteArray(4096, 'x')), {Kind::DamagedDatabase, "file is not a database", 0}},
            {legacy(collectionFile(good, 11, "DROP TABLE cards;")), {Kind::DamagedDatabase, "no such table: cards", 0}},
            {legacy(collectionFile(good, 11, "UPDATE col SET models = '{kaputt';")), {Kind::DamagedDatabase, "models: ", 0}},
            {legacy(anki2, legacyMediaMap({"a.jpg", "b.jpg"})), {Kind::MissingMedia, "1", 0}},
            {unsafe("../haus.jpg"), {Kind::UnsafeMediaName, "../haus.jpg", 0}},
            {unsafe("bilder/haus.jpg"), {Kind::UnsafeMediaName, "bilder/haus.jpg", 0}},
            {unsafe("bilder\\haus.jpg"), {Kind::UnsafeMediaName, "bilder\\haus.jpg", 0}},
            {unsafe("/etc/passwd"), {Kind::UnsafeMediaName, "/etc/passwd", 0}},
            {unsafe("C:haus.jpg"), {Kind::UnsafeMediaName, "C:haus.jpg", 0}},
            {unsafe(".."), {Kind::UnsafeMediaName, "..", 0}},
            {unsafe(""), {Kind::UnsafeMediaName, "", 0}},
            {unsafe(QStringLiteral("haus.jpg") + QChar(0) + ".txt"),
             {Kind::UnsafeMediaName, QStringLiteral("haus.jpg") + QChar(0) + ".txt", 0}},
            {package({{"meta", varintField(1, 3)},
                      {"collection.anki21b", zstd(collectionFile(good, 18))},
                      {"media", zstd(currentMediaMap({"../../.bashrc"}))},
                      {"0", zstd("x")}}),
             {Kind::UnsafeMediaName, "../../.bashrc", 0}},
            {legacy(collectionFile(mismatch, 11)), {Kind::FieldCountMismatch, "3", 500}},
            {legacy(collectionFile(unknownType, 11)), {Kind::UnknownNoteType, "77", 501}},
            {package({{"meta", varintField(1, 3)}, {"collection.anki21b", zstd(collectionFile(mismatch, 18))}}),
             {Kind::FieldCountMismatch, "3", 500}},
        };
        for (const auto &[path, problem] : cases) {
            const AnkiPackageReader::Result result = AnkiPackageReader::read(path);
            QCOMPARE(result.problem.kind, problem.kind);
            QVERIFY2(result.problem.detail.startsWith(problem.detail), qPrintable(result.problem.detail));
            QCOMPARE(result.problem.note, problem.note);
            QVERIFY(!result.collection);
            QCOMPARE(temporaries(), 0);
        }
    }

    void stopsAtTheUnpackLimit()
    {
        constexpr qint64 limit = 1 << 20;
        const QByteArray zeros(4 << 20, '\0');
        const QByteArray anki2 = collectionFile(content(), 11);
        // member, whether its declared size lies
        const std::tuple<QString, QString, bool> cases[] = {
            {package({{"collection.anki2", zeros}}), "collection.anki2", false},
            {package({{"collection.anki2", anki2}, {"media", legacyMediaMap({"a.png"})}, {"0", zeros}}), "0", false},
            {package({{"meta", varintField(1, 3)}, {"collection.anki21b", zstd(zeros), false}}), "collection.anki21b", false},
            {package({{"meta", varintField(1, 3)},
                      {"collection.anki21b", zstd(collectionFile(content(), 18))},
                      {"media", zstd(currentMediaMap({"a.png"}))},
                      {"0", zstd(zeros)}}),
             "0", false},
            {package({{"collection.anki2", anki2}, {"media", legacyMediaMap({"a.png"})}, {"0", zeros}}), "0", true},
        };
        for (const auto &[path, member, lying] : cases) {
            if (lying)
                QVERIFY(patchDeclaredSize(path, member, 1000));
            const AnkiPackageReader::Result result = AnkiPackageReader::read(path, lying ? qint64(1) << 30 : limit);
            QCOMPARE(result.problem, (AnkiProblem{Kind::TooLarge, member, 0}));
            QCOMPARE(temporaries(), 0);
        }
        // The limit grows with the package and stops at 2 GB, without overflow.
        QCOMPARE(AnkiUnpackBudget::limitFor(1 << 20), qint64(164) << 20);
        QCOMPARE(AnkiUnpackBudget::limitFor(qint64(1) << 30), qint64(2) << 30);
        QCOMPARE(AnkiUnpackBudget::limitFor(std::numeric_limits<qint64>::max()), qint64(2) << 30);
    }

    void readsALargePackageQuickly()
    {
        AnkiCollection c = content();
        c.notes.clear();
        c.cards.clear();
        for (int i = 1; i <= 10000; ++i) {
            c.notes.append({i, 1001, {QStringLiteral("Wort %1 <img src=\"bild%2.png\">").arg(i).arg(i % 100), "word"}, {"Vokabeln"}});
            c.cards << AnkiCard{2 * i, i, 21, 0, 2, 2, i % 50} << AnkiCard{2 * i + 1, i, 21, 1, 0, 0, 0};
        }
        QList<std::pair<QString, QByteArray>> pictures;
        for (int i = 0; i < 100; ++i)
            pictures.append({QStringLiteral("bild%1.png").arg(i), QByteArray(20000 + i, char(i))});
        const QString path = package(Layout::Legacy2, c, pictures);

        QElapsedTimer timer;
        timer.start();
        const AnkiPackageReader::Result result = AnkiPackageReader::read(path);
        const qint64 elapsed = timer.elapsed();
        qInfo("10000 notes, 100 pictures: %lld ms", elapsed);
        QCOMPARE(result.problem, AnkiProblem());
        QCOMPARE(result.collection->notes.size() + result.collection->cards.size(), 30000);
        QCOMPARE(QDir(result.collection->mediaFolder()).entryList(QDir::Files).size(), 100);
        QVERIFY(elapsed < 5000);
    }
};

QTEST_GUILESS_MAIN(TestAnkiPackageReader)
#include "tst_ankipackagereader.moc"
