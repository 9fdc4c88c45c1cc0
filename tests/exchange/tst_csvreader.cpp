#include "exchange/CsvReader.h"

#include <QTest>

Q_DECLARE_METATYPE(CsvProblem::Kind)

class TestCsvReader : public QObject
{
    Q_OBJECT

private:
    template<typename T>
    static QList<T> column(const CsvTable &table, T CsvRow::*field)
    {
        QList<T> result;
        for (const CsvRow &row : table.rows)
            result.append(row.*field);
        return result;
    }
    static QStringList fronts(const CsvTable &table) { return column(table, &CsvRow::front); }
    static QStringList backs(const CsvTable &table) { return column(table, &CsvRow::back); }

private slots:
    void delimiterFromConsistentFields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QChar>("delimiter");
        QTest::addColumn<QString>("firstBack");
        // A naive count of semicolons would see two fields in every line.
        QTest::newRow("semicolon inside quoted comma file")
            << QByteArray("\"Haus; Geb\xC3\xA4ude\",house\n\"Baum; Pflanze\",tree\n") << QChar(u',') << QStringLiteral("house");
        QTest::newRow("commas in a semicolon file")
            << QByteArray("Haus;house, building\nBaum;tree, plant\n") << QChar(u';') << QStringLiteral("house, building");
        QTest::newRow("tab before the others") << QByteArray("a; b, c\tx\nd; e, f\ty\n") << QChar(u'\t') << QStringLiteral("x");
        QTest::newRow("boxes in some rows only")
            << QByteArray("Haus;house;2\nBaum, Strauch;tree\n") << QChar(u';') << QStringLiteral("house");
    }
    void delimiterFromConsistentFields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QChar, delimiter);
        QFETCH(QString, firstBack);
        const CsvTable table = CsvReader::read(bytes);
        QVERIFY(table.ok());
        QCOMPARE(table.delimiter, delimiter);
        QCOMPARE(table.rows.constFirst().back, firstBack);
        QCOMPARE(table.rows.size(), 2);
    }

    void headerRowAndBoxColumn()
    {
        const CsvTable named = CsvReader::read("Antwort;Frage;Kasten\nhouse;Haus;3\n");
        QVERIFY(named.header);
        QCOMPARE(fronts(named), QStringList{QStringLiteral("Haus")});
        QCOMPARE(named.rows.constFirst().box, 3);
        // Cards about the words themselves: one column named twice, or a
        // name beside a word.
        for (const QByteArray &bytes : {QByteArray("Kasten;box\nHaus;house\n"), QByteArray("Frage;question\nHaus;house\n"),
                                        QByteArray("Vorderseite;die Seite vorn\nHaus;house\n")}) {
            const CsvTable cards = CsvReader::read(bytes);
            QVERIFY(!cards.header);
            QCOMPARE(cards.rows.size(), 2);
        }
        CsvImportSettings noHeader;
        noHeader.header = false;
        QCOMPARE(fronts(CsvReader::read("Frage;Antwort\nHaus;house\n", noHeader)), (QStringList{"Frage", "Haus"}));

        // A box only from whole numbers 1 to 4.
        QCOMPARE(column(CsvReader::read("a;b; 3 \nc;d;5\ne;f;x\ng;h;2.0\n"), &CsvRow::box), (QList<int>{3, 0, 0, 0}));
    }

    void encodingFromMarkAndValidity()
    {
        // Umlauts of a German spreadsheet: invalid as UTF-8.
        const CsvTable ansi = CsvReader::read("K\xE4se;cheese\nStra\xDF"
                                              "e;street\n");
        QCOMPARE(ansi.encoding, TextEncoding::Encoding::Windows1252);
        QCOMPARE(fronts(ansi), (QStringList{QString::fromUtf8("Käse"), QString::fromUtf8("Straße")}));

        const CsvTable marked = CsvReader::read("\xEF\xBB\xBFK\xC3\xA4se;cheese\n");
        QCOMPARE(marked.encoding, TextEncoding::Encoding::Utf8);
        QCOMPARE(fronts(marked), QStringList{QString::fromUtf8("Käse")});

        const QString greek = QString::fromUtf8("λόγος\tWort\n");
        const CsvTable wide =
            CsvReader::read(QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(greek.utf16()), greek.size() * 2));
        QCOMPARE(wide.encoding, TextEncoding::Encoding::Utf16);
        QCOMPARE(fronts(wide), QStringList{QString::fromUtf8("λόγος")});
    }

    void quotedFieldsKeepBreaksAndQuotes()
    {
        const CsvTable table =
            CsvReader::read("\"eins\nzwei\";\"drei\r\nvier\"\r\n\r\n\"Er sagte \"\"Hallo\"\"\";5\" Diskette;4\r\nletzte;Zeile");
        QVERIFY(table.ok());
        QCOMPARE(fronts(table), (QStringList{"eins\nzwei", "Er sagte \"Hallo\"", "letzte"}));
        QCOMPARE(backs(table), (QStringList{"drei\nvier", "5\" Diskette", "Zeile"}));
        // Rows know the line they start on, past the breaks inside fields.
        QCOMPARE(column(table, &CsvRow::line), (QList<int>{1, 5, 6}));
        QCOMPARE(column(table, &CsvRow::box), (QList<int>{0, 4, 0}));
    }

    void directivesOfAFlashCardExport()
    {
        const CsvTable foreign = CsvReader::read("#separator:tab\n#html:true\n#notetype column:1\n#deck column:2\n#tags column:5\n"
                                                 "Basic\tLatein\t<b>amare</b>\tlieben\t3\n");
        QVERIFY(foreign.ok() && foreign.html);
        QCOMPARE(foreign.delimiter, QChar(u'\t'));
        QCOMPARE(fronts(foreign), QStringList{QStringLiteral("<b>amare</b>")});
        QCOMPARE(backs(foreign), QStringList{QStringLiteral("lieben")});
        // The tags column is no box.
        QCOMPARE(foreign.rows.constFirst().box, 0);
        QCOMPARE(foreign.rows.constFirst().line, 6);

        const CsvTable columns = CsvReader::read("#separator:Semicolon\n#columns:Back;Front\n#deck:Standard\nhouse;Haus\n");
        QCOMPARE(columns.delimiter, QChar(u';'));
        QVERIFY(!columns.html);
        QCOMPARE(fronts(columns), QStringList{QStringLiteral("Haus")});
        QCOMPARE(fronts(CsvReader::read("sep=,\r\nHaus;Geb\xC3\xA4ude,house\r\n")), QStringList{QString::fromUtf8("Haus;Gebäude")});
        // A card whose front begins with '#' is no directive.
        QCOMPARE(fronts(CsvReader::read("#hashtag;Raute\n")), QStringList{QStringLiteral("#hashtag")});
    }

    void badInputGivesItsLineAndNoRows_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding"); // -1: detected
        QTest::addColumn<CsvProblem::Kind>("kind");
        QTest::addColumn<int>("line");
        using K = CsvProblem::Kind;
        QTest::newRow("one field") << QByteArray("a;b\nc;d\n\nnur eins\ne;f\n") << -1 << K::TooFewFields << 4;
        QTest::newRow("unclosed quote") << QByteArray("a;b\nc;\"offen\nd;e\n") << -1 << K::UnclosedQuote << 2;
        QTest::newRow("empty file") << QByteArray() << -1 << K::Empty << 0;
        QTest::newRow("blank lines and a header") << QByteArray("\n  \nFrage;Antwort\n;\n") << -1 << K::Empty << 0;
        QTest::newRow("umlaut under UTF-8") << QByteArray("a;b\nK\xE4se;cheese\n") << int(TextEncoding::Encoding::Utf8) << K::Undecodable
                                            << 2;
        QTest::newRow("unassigned byte under Windows-1252")
            << QByteArray("a;b\nc;d\n\x81;e\n") << int(TextEncoding::Encoding::Windows1252) << K::Undecodable << 3;
        QTest::newRow("no text") << QByteArray("PK\x03\x04\n\x00\x00;\x01", 9) << -1 << K::NotText << 2;
    }
    void badInputGivesItsLineAndNoRows()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        QFETCH(CsvProblem::Kind, kind);
        QFETCH(int, line);
        CsvImportSettings settings;
        if (encoding >= 0)
            settings.encoding = TextEncoding::Encoding(encoding);
        const CsvTable table = CsvReader::read(bytes, settings);
        QVERIFY(!table.ok());
        QCOMPARE(table.problem->kind, kind);
        QCOMPARE(table.problem->line, line);
        QVERIFY(table.rows.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCsvReader)
#include "tst_csvreader.moc"
