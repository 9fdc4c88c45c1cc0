#include "../BoxedSet.h"
#include "../TestFiles.h"

#include "cardset/ArchiveWriter.h"
#include "cardset/CardArchive.h"
#include "cardset/CardSetFile.h"
#include "cardset/CheckedFileWriter.h"
#include "cardset/IniText.h"
#include "cardset/LegacyCardSetImport.h"
#include "cardset/ScratchFile.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTest>

class TestCardSetFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    CardSetFileContext m_context;

    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    static QByteArray face(quint32 seed, int size)
    {
        QByteArray bytes("{\\rtf1\\ansi ");
        QRandomGenerator generator(seed);
        while (bytes.size() < size)
            bytes.append(char(generator.bounded(256)));
        return bytes;
    }

    // A modified set with every member away from its default.
    static void fillSample(CardSet &set, int cards)
    {
        const PrintOptions options(
            QStringLiteral("Vokabeln Französisch – Lektion 3 = wichtig"), StoredColor::fromRgb(192, 208, 224),
            FontRecord{QStringLiteral("Liberation Serif"), 14, StoredColor::fromRgb(1, 2, 3), true, false, true, false},
            HeaderMarginSet{1, -2, 3, 4}, 2, 55, 0, 25, false, true, false, false, true, QStringLiteral("© 2026 Anna Müller"));
        set.startNew(options, FontRecord{QStringLiteral("Arial"), 12, StoredColor::SystemWindowText, false, true, false, true},
                     FontRecord{QStringLiteral("Courier New"), 9, 255, true, true, true, true});
        set.removeCard(0);
        for (int i = 0; i < cards; ++i)
            set.AddCard({face(2 * i + 1, 10 + i * 37), i % 5 == 0 ? QByteArray() : face(2 * i + 2, 20 + i * 11), 1 + i % 4, false});
        set.markChanged();
    }

    static void compareContent(const CardSet &loaded, const CardSet &saved)
    {
        QCOMPARE(loaded.count(), saved.count());
        for (int i = 0; i < saved.count(); ++i)
            QCOMPARE(loaded.card(i), saved.card(i));
        QCOMPARE(loaded.printOptions(), saved.printOptions());
        QCOMPARE(loaded.StandardFontFront(), saved.StandardFontFront());
        QCOMPARE(loaded.StandardFontBack(), saved.StandardFontBack());
    }

    QString handMade(const char *name, const QByteArray &settings, const QByteArray &boxes, const QList<QByteArray> &faces)
    {
        writeSetFile(path(name), settings, boxes, faces);
        return path(name);
    }

    // Every file in a folder, to see that nothing changed.
    static QMap<QString, QByteArray> folderState(const QString &folder)
    {
        QMap<QString, QByteArray> state;
        for (const QString &name : QDir(folder).entryList(QDir::Files))
            state.insert(name, readFile(folder + QLatin1Char('/') + name));
        return state;
    }

    QString folder(const char *name)
    {
        QDir().mkpath(path(name));
        return path(name);
    }

    // "front/back" of every card.
    static QByteArray faces(const CardSet &set)
    {
        QByteArrayList result;
        for (int i = 0; i < set.count(); ++i)
            result.append(set.front(i) + '/' + set.back(i));
        return result.join(' ');
    }

    // The set read from `file` holds what `saved` held.
    void loadsAs(const QString &file, const CardSet &saved, CardSetFileContext &context)
    {
        CardSet loaded;
        QVERIFY(CardSetFile::LoadCardSet(loaded, file, context).ok());
        compareContent(loaded, saved);
    }

    // The settings file of a 2.5 set.
    static inline const QByteArray legacySettings{"[Data]\r\nKopfzeile=Latein\r\nAktPrintCards=2\r\nRandAbstand=15\r\nPrintNummer=0\r\n"
                                                  "WebStyle=1\r\nCopyright=(c) 1999 Schule\r\n"
                                                  "[TextFontStandard]\r\nName=Times New Roman\r\nSize=14\r\nBold=1\r\n"
                                                  "[TitelFontStandard]\r\nName=Arial\r\nSize=11\r\nColor=255\r\n"};

    QStringList filesInDir() const { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir().mkpath(m_dir.filePath(QStringLiteral("scratch")));
        m_context.WorkFilePath = ScratchFile::makeWorkFilePath(m_dir.filePath(QStringLiteral("scratch")));
    }

    void saveThenLoadRestoresEverything_data()
    {
        QTest::addColumn<int>("cards");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("one") << 1 << true;
        QTest::newRow("many") << 57 << false;
    }

    void saveThenLoadRestoresEverything()
    {
        QFETCH(int, cards);
        QFETCH(bool, landscape);
        CardSet saved;
        fillSample(saved, cards);
        const QString file = path("round.ql3");
        m_context.PrinterOrientation = landscape ? PageOrientation::Landscape : PageOrientation::Portrait;
        bool stored = false;
        const FileResult save = CardSetFile::SaveCardSet(saved, file, m_context, [&] { stored = true; });
        QVERIFY(save.ok() && stored && !saved.Modified());
        QCOMPARE(save.ErrorLine + '|' + saved.FileName(), QStringLiteral("10|") + file);

        m_context.PrinterOrientation = landscape ? PageOrientation::Portrait : PageOrientation::Landscape;
        CardSet loaded;
        loaded.markChanged();
        const FileResult load = CardSetFile::LoadCardSet(loaded, file, m_context);
        QVERIFY(load.ok() && !loaded.Modified());
        compareContent(loaded, saved);
        QCOMPARE(m_context.PrinterOrientation, landscape ? PageOrientation::Landscape : PageOrientation::Portrait);
        QCOMPARE(QString::number(loaded.CurrentIndex()) + '|' + load.ErrorLine + '|' + loaded.FileName(),
                 QStringLiteral("-1|20|") + path("round.QL3"));
        QVERIFY(!QFile::exists(m_context.WorkFilePath));
    }

    void fileLayoutIsExact()
    {
        CardSet set;
        fillSample(set, 3);
        const QString file = path("layout.ql3");
        QVERIFY(CardSetFile::SaveCardSet(set, file, m_context).ok());
        ArchiveReader reader = CardArchive::OpenArchive(file);
        QCOMPARE(reader.chunkCount(), 2 + 2 * 3);
        for (const QString &name : std::as_const(reader.NameList))
            QCOMPARE(name, m_context.WorkFilePath);

        // The sections and keys in the order the old program wrote them.
        const QStringList lines = IniText::parse(CardArchive::ExtractChunkData(reader, 0));
        QStringList keys;
        for (const QString &line : lines)
            keys << (line.startsWith(QLatin1Char('[')) ? line : line.section(QLatin1Char('='), 0, 0));
        const QString font = QStringLiteral(" Name Size Color Bold Italic UnderLine StrikeOut ");
        QCOMPARE(keys.join(' '),
                 "[Kopf]" + font + "[Rueck]" + font + "[Vorder]" + font
                     + "[Data] Kopfzeile KopfBkColor KopfOben KopfUnten KopfRechts KopfLinks AktPrintCards RandAbstand "
                       "TextAbstand titelProzent PrintNummer PrintKopfZeile PrintFadenkreuz WebStyle PrintCR Copyright PO");
        for (const char *line : {"Name=Liberation Serif", "KopfUnten=-2", "PrintNummer=0", "Color=-2147483640"})
            QVERIFY2(lines.contains(QLatin1String(line)), line);

        QCOMPARE(CardArchive::ExtractChunkData(reader, 1), QByteArray("1\r\n2\r\n3\r\n"));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(CardArchive::ExtractChunkData(reader, 2 + i), set.front(i));
            QCOMPARE(CardArchive::ExtractChunkData(reader, 5 + i), set.back(i));
        }
    }

    void toleratedIrregularities()
    {
        CardSet written;
        fillSample(written, 2);
        const QString file = path("surplus.ql3");
        QVERIFY(CardSetFile::SaveCardSet(written, file, m_context).ok());
        {
            ArchiveWriter writer(file);
            writer.appendData(QStringLiteral("extra"), QByteArray("ignored"));
            writer.finish();
        }
        loadsAs(file, written, m_context);
        // ... but not when that chunk is cut short.
        const QByteArray whole = readFile(file);
        writeFile(file, whole.left(whole.size() - 1));
        CardSet cutSurplus;
        const FileResult cut = CardSetFile::LoadCardSet(cutSurplus, file, m_context);
        QCOMPARE(cut.ErrorLine, QStringLiteral("16"));
        QCOMPARE(cutSurplus.count(), 0);

        // Too few box numbers are filled with box 1 (too many mean a cut file).
        CardSet shortBoxes;
        CardSetFile::LoadCardSet(shortBoxes, handMade("short.ql3", "[Data]\r\n", "3\r\n", {"a", "b", "c", "A", "B", "C"}), m_context);
        QCOMPARE(boxesOf(shortBoxes), (QList<qint32>{3, 1, 1}));
    }

    // Whatever the place of the cut, the file is refused, the window gets
    // no card, a later save asks for a name, and the file stays as it was.
    void everyCutIsRefused()
    {
        CardSet written;
        fillSample(written, 5);
        const QString whole = path("whole.ql3");
        QVERIFY(CardSetFile::SaveCardSet(written, whole, m_context).ok());
        const QByteArray bytes = readFile(whole);
        // Every chunk boundary and the bytes around it and its size, and
        // every fifth byte elsewhere.
        QSet<qint64> lengths;
        ArchiveReader reader = CardArchive::OpenArchive(whole);
        qint64 start = 0;
        for (qsizetype i = 0; i < reader.chunkCount(); ++i) {
            const qint64 data = reader.OffsetList.at(i);
            lengths.unite({start, start + 1, data - 4, data - 1, data, data + 1});
            start = data + reader.SizeList.at(i);
            lengths.insert(start - 1);
        }
        for (qint64 length = 0; length < bytes.size(); length += 5)
            lengths.insert(length);
        QCOMPARE(start, bytes.size());
        lengths.remove(bytes.size());
        const QString file = path("cut.ql3");
        QSet<QString> steps;
        for (const qint64 length : std::as_const(lengths)) {
            writeFile(file, bytes.left(length));
            CardSet set;
            const FileResult result = CardSetFile::LoadCardSet(set, file, m_context);
            QVERIFY2(result.outcome == FileResult::Outcome::Failed, qPrintable(QString::number(length)));
            QCOMPARE(set.count(), 0);
            QVERIFY(set.FileName().isEmpty());
            QCOMPARE(readFile(file), bytes.left(length));
            steps.insert(result.ErrorLine);
        }
        QCOMPARE(steps, (QSet<QString>{"3", "5", "11", "16", "20"}));
    }

    void missingSettingsGiveDefaults()
    {
        m_context.PrinterOrientation = PageOrientation::Landscape;
        CardSet set;
        CardSetFile::LoadCardSet(set, handMade("nodata.ql3", "[Other]\r\nAktPrintCards=1\r\n", "", {"f", "b"}), m_context);
        const PrintOptions defaults(QString(), StoredColor::White, FontRecord(), HeaderMarginSet(), 8, 10, 20, 10, true, true, true, false,
                                    true, CardSetFile::defaultCopyright());
        QCOMPARE(set.printOptions(), defaults);
        QCOMPARE(set.StandardFontFront(), FontRecord());
        QCOMPARE(m_context.PrinterOrientation, PageOrientation::Portrait);
        QCOMPARE(boxesOf(set), QList<qint32>{1});

        // Values the option fields cannot show arrive at their nearest bound;
        // a value that is no integer reads as the default.
        CardSet clamped;
        CardSetFile::LoadCardSet(
            clamped,
            handMade("clamp.ql3",
                     "[Data]\r\nRandAbstand=0\r\nTextAbstand=900\r\nAktPrintCards=3\r\ntitelProzent=x\r\nPO=1\r\nPrintCR=-1\r\n", "", {}),
            m_context);
        const PrintOptions &o = clamped.printOptions();
        QCOMPARE((QList<int>{o.RandAbstand, o.TextAbstand, o.AktPrintCards, o.titelProzent, o.PrintCR}), (QList<int>{1, 500, 3, 10, 1}));
        QCOMPARE(m_context.PrinterOrientation, PageOrientation::Landscape);
    }

    void loadFailuresNameTheirStep()
    {
        CardSet wrong;
        fillSample(wrong, 1);
        const QString bak = path("Satz.QL3.bak");
        writeFile(bak, QByteArray("x"));
        QCOMPARE(CardSetFile::LoadCardSet(wrong, bak, m_context).outcome, FileResult::Outcome::WrongExtension);
        QCOMPARE(wrong.count(), 1);
        QVERIFY(wrong.Modified());

        struct Case
        {
            const char *name;
            QString file;
            const char *step;
        };
        writeFile(path("empty.ql3"), QByteArray());
        writeLegacyFaces(path("one.ql3"), {"[Data]\r\n"});
        writeLegacyFaces(folder("nofronts") + QStringLiteral("/S.QLA"), {"b"});
        writeLegacyFaces(folder("cut") + QStringLiteral("/S.QLT"), {"f1", "f2"});
        writeLegacyFaces(path("cut/S.QLA"), {"b1", "b2"});
        const QByteArray backs = readFile(path("cut/S.QLA"));
        writeFile(path("cut/S.QLA"), backs.left(backs.size() - 1));
        const QList<Case> cases = {
            {"empty", path("empty.ql3"), "3"},
            {"one chunk", path("one.ql3"), "11"},
            {"bad box", handMade("badbox.ql3", "", "1\r\nzwei\r\n", {"a", "b", "A", "B"}), "14"},
            {"2.5 set without fronts", path("nofronts/S.QLA"), "2"},
            {"2.5 set cut short", path("cut/S.QLA"), "2"},
        };
        for (const Case &c : cases) {
            CardSet set;
            const FileResult result = CardSetFile::LoadCardSet(set, c.file, m_context);
            QVERIFY2(result.outcome == FileResult::Outcome::Failed, c.name);
            QCOMPARE(result.ErrorLine, QString::fromLatin1(c.step));
            QVERIFY2(!result.reason.isEmpty(), c.name);
            QVERIFY(!set.Modified() && set.count() == 0);
        }
        CardSet missing;
        QCOMPARE(CardSetFile::LoadCardSet(missing, path("missing.ql3"), m_context).outcome, FileResult::Outcome::FileMissing);
    }

    void readOnlyTargetIsLeftAlone()
    {
        const QString file = path("locked.ql3");
        CardSet first;
        fillSample(first, 2);
        CardSetFile::SaveCardSet(first, file, m_context);
        const QByteArray before = readFile(file);
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup);

        CardSet second;
        fillSample(second, 5);
        second.setFileName(path("elsewhere.ql3"));
        const FileResult result = CardSetFile::SaveCardSet(second, file, m_context);
        QCOMPARE(result.outcome, FileResult::Outcome::TargetNotReplaceable);
        QCOMPARE(readFile(file), before);
        QVERIFY(second.FileName() == file && second.Modified());
        QCOMPARE(result.ErrorLine, QStringLiteral("2"));
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void saveThroughLinkKeepsTheLink()
    {
        const QString real = path("real.ql3");
        const QString link = path("link.ql3");
        CardSet first;
        fillSample(first, 1);
        QVERIFY(CardSetFile::SaveCardSet(first, real, m_context).ok());
        QVERIFY(QFile::link(real, link));
        CardSet second;
        fillSample(second, 3);
        QVERIFY(CardSetFile::SaveCardSet(second, link, m_context).ok());
        QVERIFY(QFileInfo(link).isSymLink());
        loadsAs(real, second, m_context);

        // A link to no file yet makes that file; a loop stays as it is.
        const QString dangling = path("dangling.ql3");
        QVERIFY(QFile::link(path("made.ql3"), dangling));
        QVERIFY(CardSetFile::SaveCardSet(second, dangling, m_context).ok());
        loadsAs(path("made.ql3"), second, m_context);
        const QString loop = path("loop.ql3");
        QVERIFY(QFile::link(loop, loop));
        const FileResult looped = CardSetFile::SaveCardSet(second, loop, m_context);
        QVERIFY(looped.systemError == ELOOP && QFileInfo(loop).isSymLink());
    }

    void leftoversOfEndedRunsGo()
    {
        const QString dir = folder("leftovers");
        const QString file = dir + QStringLiteral("/Satz.ql3");
        // Process 1 runs; 999999999 does not. Our own id's file is a run that
        // had it before us.
        const QString own = QString::number(QCoreApplication::applicationPid());
        for (const QString &writer : {QStringLiteral("1"), QStringLiteral("999999999"), own})
            writeFile(file + QStringLiteral(".quillo-") + writer + QStringLiteral("-0123abcd.tmp"), "partial");
        writeFile(dir + QStringLiteral("/Satz.ql3.quillo-999999999-0123abcd.tmp.bak"), "not ours");
        writeFile(dir + QStringLiteral("/~qla999999999-AbC123_1.tmp"), "");
        writeFile(dir + QStringLiteral("/~qla1-AbC123.tmp"), "");
        writeFile(dir + QStringLiteral("/~qla123456.tmp"), ""); // an older version's, without a process id
        writeFile(dir + QStringLiteral("/~qla") + own + QStringLiteral("-AbC123.tmp"), "");
        CardSet set;
        fillSample(set, 1);
        QVERIFY(CardSetFile::SaveCardSet(set, file, m_context).ok());
        QCOMPARE(ScratchFile::removeLeftovers(dir, QStringLiteral("~qla")), 1);
        const QStringList left = QDir(dir).entryList(QDir::Files);
        QCOMPARE(QSet<QString>(left.begin(), left.end()),
                 (QSet<QString>{"Satz.ql3", "Satz.ql3.quillo-1-0123abcd.tmp", "Satz.ql3.quillo-999999999-0123abcd.tmp.bak",
                                "~qla1-AbC123.tmp", "~qla123456.tmp", "~qla" + own + "-AbC123.tmp"}));
    }

    void failedSaveKeepsOldFile()
    {
        const QString file = path("precious.ql3");
        CardSet old;
        fillSample(old, 4);
        CardSetFile::SaveCardSet(old, file, m_context);
        const QByteArray before = readFile(file);
        const QStringList filesBefore = filesInDir();

        CardSet changed;
        fillSample(changed, 6);
        PrintOptions options = changed.printOptions();
        options.HeaderText = QStringLiteral("neu");
        changed.setPrintOptions(options);
        // Find the size of the new file, then fail at every few bytes of it.
        const QString probe = path("probe.ql3");
        CardSetFile::SaveCardSet(changed, probe, m_context);
        const qint64 total = QFileInfo(probe).size();
        QFile::remove(probe);

        QSet<QString> stepsSeen;
        changed.markChanged();
        for (qint64 failAt = 0; failAt < total; failAt += 13) {
            CheckedFileWriter::setFailAfterBytesForTesting(failAt);
            const FileResult result = CardSetFile::SaveCardSet(changed, file, m_context);
            CheckedFileWriter::setFailAfterBytesForTesting(-1);
            QCOMPARE(result.outcome, FileResult::Outcome::Failed);
            QCOMPARE(result.systemError, ENOSPC);
            stepsSeen.insert(result.ErrorLine);
            QCOMPARE(readFile(file), before);
            QCOMPARE(filesInDir(), filesBefore);
            QVERIFY(changed.Modified());
        }
        QCOMPARE(stepsSeen, (QSet<QString>{QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")}));

        QVERIFY(CardSetFile::SaveCardSet(changed, file, m_context).ok());
        loadsAs(file, changed, m_context);
    }

    void scratchFileTroubleDoesNotStopASave()
    {
        // The settings are written without a scratch file whose folder is missing.
        CardSetFileContext context;
        context.WorkFilePath = path("no-such-folder/temp1.tmp");
        CardSet set;
        fillSample(set, 2);
        QVERIFY(CardSetFile::SaveCardSet(set, path("noscratch.ql3"), context).ok());
        loadsAs(path("noscratch.ql3"), set, m_context);

        // A folder in the scratch file's place cannot be deleted as a file: the next name is taken.
        context.WorkFilePath = path("temp1.tmp");
        QDir().mkpath(context.WorkFilePath + QStringLiteral("/blocker"));
        QVERIFY(CardSetFile::SaveCardSet(set, path("moved.ql3"), context).ok());
        QCOMPARE(context.WorkFilePath, path("temp1_1.tmp"));
        loadsAs(path("moved.ql3"), set, context);

        writeFile(path("temp1_1.tmp"), "x");
        QCOMPARE(ScratchFile::UniqueFileName(path("temp1.tmp")), path("temp1_2.tmp"));
        QCOMPARE(ScratchFile::UniqueFileName(QStringLiteral("C:\\my.dir\\scratch")), QStringLiteral("C:\\my.dir\\scratch_1"));
        QCOMPARE(ScratchFile::UniqueFileName(QStringLiteral("/tmp/a.b/scratch")), QStringLiteral("/tmp/a.b/scratch_1"));
    }

    void fontSectionsReadTheirDefaults()
    {
        const QString ini = path("fonts.ini");
        writeFile(ini, "[Kopf]\r\nName=Verdana\r\nBold=1\r\nItalic=0\r\nUnderLine=-1\r\n");
        FontRecord font{QStringLiteral("X"), 99, 5, true, true, true, true};
        CardSetFile::ReadFontSection(ini, QStringLiteral("kopf"), font);
        QCOMPARE(font, (FontRecord{QStringLiteral("Verdana"), 10, 0, true, false, false, false}));
    }

    // Sets of the 2.5 format, their companions found in any letter case.
    void importsThreeCardsAndLeavesOldFilesAlone()
    {
        const QString dir = folder("three");
        writeLegacyFaces(dir + QStringLiteral("/Satz.qlt"), {"F1", "F2", "F3"});
        writeLegacyFaces(dir + QStringLiteral("/Satz.Qla"), {"B1", "B2", "B3"});
        writeFile(dir + QStringLiteral("/Satz.qli"), legacySettings);
        const auto before = folderState(dir);

        CardSet set;
        PrintOptions window;
        window.HeaderText = QStringLiteral("fresh window");
        window.HeaderMargins.Top = 7;
        set.startNew(window, FontRecord(), FontRecord());
        m_context.PrinterOrientation = PageOrientation::Landscape;
        const FileResult result = CardSetFile::LoadCardSet(set, dir + QStringLiteral("/Satz.qla"), m_context);
        QVERIFY(result.ok() && CardSetFile::isLegacyPath(dir + QStringLiteral("/Satz.QLA")));
        QCOMPARE(faces(set), "F1/B1 F2/B2 F3/B3");
        QCOMPARE(set.boxCount(1), 3);
        QCOMPARE(result.ErrorLine, QStringLiteral("2"));
        QCOMPARE(set.FileName(), dir + QStringLiteral("/Satz.QL3"));
        QVERIFY(!set.Modified() && set.CurrentIndex() == -1);
        const PrintOptions &options = set.printOptions();
        QCOMPARE((QVariantList{options.HeaderText, options.AktPrintCards, options.RandAbstand, options.PrintNummer, options.WebStyle,
                               options.Copyright}),
                 (QVariantList{"Latein", 2, 15, false, true, "(c) 1999 Schule"}));
        QCOMPARE(set.StandardFontBack(), (FontRecord{QStringLiteral("Times New Roman"), 14, 0, true, false, false, false}));
        QCOMPARE(set.StandardFontFront(), (FontRecord{QStringLiteral("Arial"), 11, 255, false, false, false, false}));
        // Not part of a 2.5 set: left as the window had them.
        QCOMPARE(options.HeaderMargins.Top, 7);
        QCOMPARE(options.HeaderColor, StoredColor::SystemWindow);
        QCOMPARE(m_context.PrinterOrientation, PageOrientation::Landscape);
        QCOMPARE(folderState(dir), before);

        QVERIFY(CardSetFile::SaveCardSet(set, set.FileName(), m_context).ok());
        auto after = folderState(dir);
        QVERIFY(after.remove(QStringLiteral("Satz.QL3")) == 1);
        QCOMPARE(after, before);
    }

    // Without a settings file: the defaults of the 2.5 format, and no file made.
    void differentFaceCountsKeepEveryFace()
    {
        const QString dir = folder("uneven");
        writeLegacyFaces(dir + QStringLiteral("/S.QLT"), {"f1", "f2"});
        writeLegacyFaces(dir + QStringLiteral("/S.QLA"), {"b1", "b2", "b3", "b4"});
        CardSet set;
        CardSetFile::LoadCardSet(set, dir + QStringLiteral("/S.QLA"), m_context);
        QCOMPARE(faces(set), "f1/b1 f2/b2 /b3 /b4");
        const PrintOptions &options = set.printOptions();
        QCOMPARE((QList<int>{options.AktPrintCards, options.RandAbstand, options.TextAbstand}), (QList<int>{4, 10, 20}));
        QVERIFY(options.PrintNummer && options.PrintKopfZeile && options.PrintFadenkreuz && !options.WebStyle && options.PrintCR);
        QCOMPARE(options.Copyright, LegacyCardSetImport::defaultCopyright());
        QCOMPARE(set.StandardFontBack(), FontRecord{});
        QCOMPARE(QDir(dir).entryList(QDir::Files).size(), 2);

        writeLegacyFaces(dir + QStringLiteral("/S.QLT"), {"f1", "f2", "f3"});
        writeLegacyFaces(dir + QStringLiteral("/S.QLA"), {"b1"});
        CardSet other;
        CardSetFile::LoadCardSet(other, dir + QStringLiteral("/S.QLA"), m_context);
        QCOMPARE(faces(other), "f1/b1 f2/ f3/");
        QCOMPARE(other.boxCount(1), 3);
    }
};

QTEST_GUILESS_MAIN(TestCardSetFile)
#include "tst_cardsetfile.moc"
