#include "exchange/CsvReader.h"

#include <QElapsedTimer>
#include <QTest>

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
    void delimiterFromConsistentFields()
    {
        // bytes, delimiter, first back. A naive count of semicolons would see
        // two fields in every line of the first.
        const std::tuple<QByteArray, char16_t, const char *> cases[] = {
            {"\"Haus; Geb\xC3\xA4ude\",house\n\"Baum; Pflanze\",tree\n", u',', "house"},
            {"Haus;house, building\nBaum;tree, plant\n", u';', "house, building"},
            {"a; b, c\tx\nd; e, f\ty\n", u'\t', "x"},               // tab before the others
            {"Haus;house;2\nBaum, Strauch;tree\n", u';', "house"}}; // boxes in some rows only
        for (const auto &[bytes, delimiter, firstBack] : cases) {
            const CsvTable table = CsvReader::read(bytes);
            QVERIFY(table.ok() && table.rows.size() == 2);
            QCOMPARE(table.delimiter, QChar(delimiter));
            QCOMPARE(table.rows.constFirst().back, QString::fromUtf8(firstBack));
        }
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

        // 200,000 columns of the other program's: once 40 s, a search of all per column.
        QByteArray many;
        for (int column = 1; column <= 200000; ++column)
            many += "#deck column:" + QByteArray::number(column) + '\n';
        QElapsedTimer timer;
        timer.start();
        const CsvTable far = CsvReader::read(many + QByteArray(200000, ';') + "Haus;house\n");
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(fronts(far) + backs(far), (QStringList{"Haus", "house"}));
    }

    void badInputGivesItsLineAndNoRows()
    {
        using K = CsvProblem::Kind;
        using E = TextEncoding::Encoding;
        // bytes, encoding chosen (none: detected), problem, its line
        const std::tuple<QByteArray, std::optional<E>, K, int> cases[] = {
            {"a;b\nc;d\n\nnur eins\ne;f\n", {}, K::TooFewFields, 4},
            {"a;b\nc;\"offen\nd;e\n", {}, K::UnclosedQuote, 2},
            {QByteArray(), {}, K::Empty, 0},
            {"\n  \nFrage;Antwort\n;\n", {}, K::Empty, 0}, // blank lines and a header
            {"a;b\nK\xE4se;cheese\n", E::Utf8, K::Undecodable, 2},
            {"a;b\nc;d\n\x81;e\n", E::Windows1252, K::Undecodable, 3}, // unassigned byte
            {QByteArray("PK\x03\x04\n\x00\x00;\x01", 9), {}, K::NotText, 2}};
        for (const auto &[bytes, encoding, kind, line] : cases) {
            CsvImportSettings settings;
            settings.encoding = encoding;
            const CsvTable table = CsvReader::read(bytes, settings);
            QVERIFY2(!table.ok() && table.rows.isEmpty(), bytes.constData());
            QCOMPARE(table.problem->kind, kind);
            QCOMPARE(table.problem->line, line);
        }
    }
};

QTEST_GUILESS_MAIN(TestCsvReader)
#include "tst_csvreader.moc"
