#include "../BoxedSet.h"
#include "../TestFiles.h"
#include "../print/PrintTestSupport.h"

#include "cardset/CardSetFile.h"
#include "cardset/ScratchFile.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <cstring>

class TestCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    struct Result
    {
        int exitCode;
        QByteArray out;
        QByteArray err;
    };

    QString at(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    static Result run(const QStringList &arguments, const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                      const QByteArray &input = {})
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QUILLO_CLI), arguments);
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(30000))
            return {-1, {}, {}};
        return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    }
    QString saved(CardSet &set, const QString &name, PageOrientation orientation = PageOrientation::Portrait)
    {
        CardSetFileContext context{ScratchFile::makeWorkFilePath(m_dir.path()), orientation};
        const QString file = m_dir.filePath(name);
        if (!CardSetFile::SaveCardSet(set, file, context).ok())
            qFatal("cannot save %s", qPrintable(name));
        return file;
    }

private Q_SLOTS:
    void catPrintsTheTextOfEveryCard()
    {
        CardSet set;
        set.AddCard({"{\\rtf1\\ansi \\b Hund\\b0\\par Bello\\par}", "{\\rtf1\\ansi dog\\par}", 1, false});
        set.AddCard({"{\\rtf1\\ansi K\\'e4se\\par}", QByteArray(), 3, false});
        const QString file = saved(set, QStringLiteral("cat.ql3"));

        const Result result = run({"cat", file});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(QString::fromUtf8(result.out),
                 QStringLiteral("Karte 1 (Kasten 1)\nVorderseite:\n  Hund\n  Bello\nRückseite:\n  dog\n\n"
                                "Karte 2 (Kasten 3)\nVorderseite:\n  Käse\nRückseite:\n"));
    }

    void infoAndConvert()
    {
        CardSet set;
        PrintOptions options;
        options.HeaderText = QStringLiteral("Überschrift");
        FontRecord bold;
        bold.Bold = true;
        set.startNew(options, FontRecord(), bold);
        set.setBox(0, 1);
        set.AddCard({"{\\rtf1 Frage}", QByteArray(), 4, false});
        set.AddCard({QByteArray(), QByteArray(), 2, false});
        const QString file = saved(set, QStringLiteral("satz.ql3"), PageOrientation::Landscape);

        const Result result = run({"info", file});
        QCOMPARE(result.exitCode, 0);
        const QJsonObject info = QJsonDocument::fromJson(result.out).object();
        // Written piece by piece, as Qt writes the whole object.
        QCOMPARE(result.out, QJsonDocument(info).toJson());
        QCOMPARE(info["Boxes"].toArray(), (QJsonArray{1, 4, 2}));
        QCOMPARE((QStringList{info["HeaderText"].toString(), info["PrinterOrientation"].toString(),
                              QString::number(info["AktPrintCards"].toInt())}),
                 (QStringList{"Überschrift", "landscape", "4"}));
        QVERIFY(info["StandardFontBack"]["Bold"].toBool());
        const QJsonValue front = info["Fronts"][1];
        QCOMPARE(front["Size"].toInt(), 13);
        QCOMPARE(front["SHA256"].toString(),
                 QString::fromLatin1(QCryptographicHash::hash("{\\rtf1 Frage}", QCryptographicHash::Sha256).toHex()));

        // convert writes a set of the 2.5 format as a native file
        for (const char *ext : {"alt.QLT", "alt.QLA"})
            writeLegacyFaces(at(ext), {ext, "zwei"});
        const QString target = at("neu.ql3");
        QCOMPARE(run({"convert", at("alt.qla"), target}).exitCode, 0);
        const QJsonObject converted = QJsonDocument::fromJson(run({"info", target}).out).object();
        QCOMPARE(converted["Boxes"].toArray(), (QJsonArray{1, 1}));
        QCOMPARE(converted["AktPrintCards"].toInt(), 4);
    }

    void exportHtmlWritesPageAndScripts()
    {
        CardSet set;
        set.AddCard({"{\\rtf1\\ansi Was ist 2 < 3?\\par}", "{\\rtf1\\ansi wahr\\par}", 1, false});
        const QString file = saved(set, QStringLiteral("web.ql3"));
        QDir().mkpath(at("seite"));
        const QString page = at("seite/karten.html");
        const Result result = run({"export-html", file, page});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.contains("overlib.js"));
        // The page's lines are the export's test.
        QVERIFY(readFile(page).contains(">Was ist 2 &lt; 3?</A>"));
        QVERIFY(QFile::exists(at("seite/overlib.js")) && QFile::exists(at("seite/overlib.css")));
    }

    // Through a link the file it names is written; a loop of links only
    // fails, named with the system's reason.
    void writersKeepALinkLoop()
    {
        CardSet set;
        set.AddCard({"{\\rtf1 Frage}", "{\\rtf1 Antwort}", 1, false});
        const QString file = saved(set, QStringLiteral("quelle.ql3"));
        writeFile(at("liste.txt"), "Frage\tAntwort\nHund\tdog\n");
        for (const char *name : {"schleife.ql3", "schleife.html", "schleife.txt", "schleife.pdf", "schleife.apkg"})
            QVERIFY(QFile::link(at(name), at(name)));
        const QList<QStringList> commands{{"convert", file, at("schleife.ql3")},      {"import-csv", at("liste.txt"), at("schleife.ql3")},
                                          {"export-html", file, at("schleife.html")}, {"export-csv", file, at("schleife.txt")},
                                          {"export-apkg", file, at("schleife.apkg")}, {"print-pdf", file, at("schleife.pdf")}};
        for (const QStringList &command : commands) {
            const Result result = run(command);
            const QString expected = "Die Datei " + command.at(2) + " konnte nicht geschrieben werden.\n" + strerror(ELOOP) + '\n';
            QVERIFY2(result.exitCode == 1 && QString::fromUtf8(result.err).endsWith(expected), result.err.constData());
            QVERIFY(QFileInfo(command.at(2)).isSymLink());
        }
    }

    void infoReportsLoadFailures()
    {
        const QString broken = at("kaputt.ql3");
        writeFile(broken, "\5abc");
        Result result = run({"info", broken});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.err.contains("Beim Laden trat ein Fehler auf.") && result.err.contains("Fehlercode: 3") && result.out.isEmpty());

        result = run({"info", at("satz.txt")});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(result.err.contains("hat nicht die richtige Endung"));
    }

    void helpVersionAndUnknownArguments()
    {
        for (const QStringList &help : {QStringList{"--help"}, {"-h"}, {"help"}}) {
            const Result result = run(help);
            QVERIFY(result.exitCode == 0 && result.out.contains("print-pdf DATEI.ql3 AUSGABE.pdf") && result.err.isEmpty());
        }
        const Result one = run({"help", "import-csv"});
        QVERIFY(one.exitCode == 0 && one.out.contains("--delimiter") && !one.out.contains("print-pdf"));
        const Result version = run({"--version"});
        QVERIFY(version.exitCode == 0 && QRegularExpression("^quillo-cli \\d+\\.\\d+\\.\\d+\n$").match(version.out).hasMatch());
        // one line naming what is unknown, then the hint
        const std::pair<QStringList, const char *> unknown[] = {
            {{"unbekannt"}, "Unbekannter Befehl unbekannt."},
            {{"--farbig"}, "Unbekannte Option --farbig."},
            {{"cat", "x.ql3", "--farbig"}, "Unbekannte Option --farbig."},
            {{"print-pdf", "x.ql3", "y.pdf", "--farbig"}, "Unbekannte Option --farbig."}};
        for (const auto &[arguments, line] : unknown) {
            const Result result = run(arguments);
            QVERIFY2(result.exitCode == 2 && result.out.isEmpty() && result.err.endsWith(QByteArray(line) + "\nHilfe: quillo-cli --help\n"),
                     result.err.constData());
        }
    }

    // learn takes one answer a line, from a script too; q and the end of
    // the input stop it, and what was answered is saved.
    void learnTakesAnswersLineByLine()
    {
        CardSet set;
        for (int i = 0; i < 3; ++i)
            set.AddCard({"{\\rtf1\\ansi Frage}", "{\\rtf1\\ansi Antwort}", 1, false});
        const QString file = saved(set, QStringLiteral("lernen.ql3"));
        const QByteArray unchanged = readFile(file);
        const auto learn = [&file](const QStringList &options, const QByteArray &input) {
            return run(QStringList{"learn", file} + options, QProcessEnvironment::systemEnvironment(), input);
        };
        const auto boxes = [this, &file] {
            CardSet read;
            CardSetFileContext context{ScratchFile::makeWorkFilePath(m_dir.path()), PageOrientation::Portrait};
            CardSetFile::LoadCardSet(read, file, context);
            QList<qint32> list = boxesOf(read);
            std::sort(list.begin(), list.end());
            return list;
        };

        Result result = learn({}, "q\n");
        QVERIFY(result.exitCode == 0 && result.out.contains("Abgefragt: 0,") && !result.out.contains("Gespeichert"));
        QCOMPARE(readFile(file), unchanged);

        // A line that is no answer is asked again.
        result = learn({"--box", "1"}, "\nj\n\nx\nn\nq\n");
        QCOMPARE(result.exitCode, 0);
        for (const char *line : {"Abfragen: 3 Karten.\n", "Vorderseite:\n  Frage\n", "Rückseite:\n  Antwort\n", "Kasten 1 → 2\n",
                                 "Bitte j (gewusst), n (nicht gewusst) oder q (aufhören) eingeben.\n", "bleibt in Kasten 1\n",
                                 "Abgefragt: 2, gewusst: 1, nicht gewusst: 1\n",
                                 "Kästen jetzt: Kasten 1: 2, Kasten 2: 1, Kasten 3: 0, Kasten 4: 0\n", "Gespeichert in "})
            QVERIFY2(result.out.contains(line), line);
        QCOMPARE(boxes(), QList<qint32>({1, 1, 2}));

        // Cramming the one card of box 2 to the end; a right answer keeps its box.
        result = learn({"--box", "2", "--cram"}, "\ny\n");
        QVERIFY(result.exitCode == 0 && result.out.contains("bleibt in Kasten 2\n") && result.out.contains("alle Karteikarten abgefragt"));
        // The end of the input stops as q does; the answer before it is kept.
        result = learn({"--all"}, "\nj\n\n");
        QVERIFY(result.exitCode == 0 && result.out.contains("Abgefragt: 1,") && result.out.contains("Gespeichert in "));
        QCOMPARE(boxes().size(), 3);
        QVERIFY(boxes() != QList<qint32>({1, 1, 2}));

        result = learn({"--box", "5"}, {});
        QVERIFY(result.exitCode == 2 && result.err.startsWith("--box kennt nur die Kästen 1 bis 4, nicht \"5\"."));
        QCOMPARE(learn({"--box", "1", "--all"}, {}).exitCode, 2);
        QCOMPARE(run({"learn", at("fehlt.ql3")}).exitCode, 1);
    }

    // stats and learn --due on the same set: with answers recorded, the
    // answered cards are no longer due.
    void statsAndDueCards()
    {
        CardSet set;
        for (qint32 box : {1, 2, 4})
            set.AddCard({"{\\rtf1\\ansi Frage}", "{\\rtf1\\ansi Antwort}", box, false});
        const QString file = saved(set, QStringLiteral("stand.ql3"));
        const auto stats = [&file] {
            const Result result = run({"stats", file, "--json"});
            return result.exitCode == 0 ? QJsonDocument::fromJson(result.out).object() : QJsonObject();
        };
        QJsonObject json = stats();
        QCOMPARE(json.value("History").toString(), QStringLiteral("recording"));
        QCOMPARE(json.value("Due").toInt() + json.value("NeverAsked").toInt() + json.value("CardCount").toInt(), 9);
        const QJsonArray boxes = json.value("Boxes").toArray();
        QCOMPARE(boxes.size(), 4);
        QCOMPARE(boxes.at(3).toObject().value("Cards").toInt() + boxes.at(3).toObject().value("Due").toInt(), 2);
        QCOMPARE(boxes.at(3).toObject().value("IntervalDays").toInt(), 14);
        const QJsonArray days = json.value("Days").toArray();
        QCOMPARE(days.size(), 30);
        QCOMPARE(days.last().toObject().value("Date").toString(), QDate::currentDate().toString(Qt::ISODate));
        const Result text = run({"stats", file});
        QVERIFY(text.exitCode == 0 && text.out.contains("Kasten 2: 1 Karte, 1 fällig (Abstand 3 Tage)\n"));

        Result learned = run({"learn", file, "--due"}, QProcessEnvironment::systemEnvironment(), "\nj\n\nn\n\nj\n");
        QVERIFY(learned.exitCode == 0 && learned.out.contains("Abfragen: 3 Karten.") && learned.out.contains("Gespeichert in "));
        json = stats();
        QCOMPARE(json.value("Answers").toInt(), 3);
        QCOMPARE(json.value("Known").toInt() + json.value("NotKnown").toInt() * 10, 12);
        const QJsonObject today = json.value("Days").toArray().last().toObject();
        QVERIFY(today.value("Known").toInt() == 2 && today.value("NotKnown").toInt() == 1);
        QVERIFY(json.value("NeverAsked").toInt() == 0 && json.value("Due").toInt() == 0);
        learned = run({"learn", file, "--due"});
        QVERIFY(learned.exitCode == 0 && learned.out == "In diesem Kasten ist keine Karte fällig.\n");

        // A damaged history is refused, said on stderr; the cards still load.
        QFile damaged(file);
        QVERIFY(damaged.open(QIODevice::ReadWrite) && damaged.seek(damaged.size() - 1));
        const char last = damaged.peek(1).at(0);
        QVERIFY(damaged.putChar(char(last ^ 0x55)));
        damaged.close();
        const Result refused = run({"stats", file, "--json"});
        QCOMPARE(refused.exitCode, 0);
        QVERIFY2(refused.err.contains("beschädigt"), refused.err.constData());
        json = QJsonDocument::fromJson(refused.out).object();
        QVERIFY(json.value("History").toString() == QLatin1String("damaged") && json.value("CardCount").toInt() == 3);
    }

    void printPdfWritesTheSheets()
    {
        CardSet set;
        PrintOptions options;
        options.AktPrintCards = 4;
        set.startNew(options, FontRecord(), FontRecord());
        for (int i = 1; i < 8; ++i)
            set.AddCard({"{\\rtf1 Frage}", "{\\rtf1 Antwort}", 1, false});
        const QString file = saved(set, QStringLiteral("druck.ql3"), PageOrientation::Landscape);
        const QString pdf = at("druck.pdf");
        const auto printed = [&](QStringList arguments) {
            QFile::remove(pdf);
            const Result result = run(QStringList{"print-pdf", file, pdf} + arguments);
            return result.exitCode == 0 ? pdfPageCount(pdf) : -result.exitCode;
        };
        // eight cards: two front sheets, then their two backs
        QCOMPARE(printed({}), 4);
        QCOMPARE(printed({"--fronts-only", "--paper", "Letter"}), 2);
        QCOMPARE(printed({"--duplex"}), 4);
        QCOMPARE(printed({"--cards", "3,7", "--back-order", "forward"}), 2);

        // bad arguments: usage, status 2, no file
        for (const char *bad :
             {"--cards 3,x", "--cards 9", "--back-order seitlich", "--duplex --fronts-only", "--paper", "--farbig", "noch-eine.pdf"}) {
            QVERIFY2(printed(QString::fromLatin1(bad).split(u' ')) == -2, bad);
            QVERIFY(!QFile::exists(pdf));
        }
        const Result usage = run({"print-pdf", file});
        QCOMPARE(usage.exitCode, 2);
        QVERIFY(usage.err.contains("Anzugeben sind genau ein Kartensatz und eine PDF-Datei."));

        // a set that cannot be loaded: the load message, status 1, no file
        const Result missing = run({"print-pdf", at("fehlt.ql3"), pdf});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(missing.err.contains("existiert nicht."));
        QVERIFY(!QFile::exists(pdf));
    }

    void printWithoutAPrintServerSaysSo()
    {
        CardSet set;
        set.startNew(PrintOptions(), FontRecord(), FontRecord());
        set.AddCard({"{\\rtf1 Frage}", "{\\rtf1 Antwort}", 1, false});
        const QString file = saved(set, QStringLiteral("drucker.ql3"));
        // No print server at this socket: the message, status 1, no pass.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CUPS_SERVER"), at("kein-server.sock"));
        for (const QStringList &arguments : {QStringList{"print", file, "--printer", "Karten"}, QStringList{"printers"}}) {
            const Result result = run(arguments, environment);
            QCOMPARE(result.exitCode, 1);
            QVERIFY2(result.err.contains("Beim Drucken trat ein Fehler auf.") && result.out.isEmpty(), result.err.constData());
        }
        QCOMPARE(run({"print", file, "--fronts-only", "--backs-only"}, environment).exitCode, 2);
    }

    void wordListsInAndOut()
    {
        const QString list = at("liste.csv");
        writeFile(list, "Frage;Antwort;Kasten\r\nK\xE4se;cheese;3\r\n\"zwei\r\nZeilen\";\"\"\"Hallo\"\"\";9\r\n");
        const QString set = at("liste.ql3");
        Result result = run({"import-csv", list, set});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("2 Karten gespeichert in ") + set.toUtf8() + '\n');
        QCOMPARE(QString::fromUtf8(run({"cat", set}).out),
                 QString::fromUtf8("Karte 1 (Kasten 3)\nVorderseite:\n  Käse\nRückseite:\n  cheese\n\n"
                                   "Karte 2 (Kasten 1)\nVorderseite:\n  zwei\n  Zeilen\nRückseite:\n  \"Hallo\"\n"));

        const QString out = at("aus.txt");
        result = run({"export-csv", set, out, "--boxes"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(readFile(out),
                 QByteArray("#separator:tab\n#html:false\n#columns:Vorderseite\tR\xC3\xBC"
                            "ckseite\tKasten\nK\xC3\xA4se\tcheese\t3\n\"zwei\nZeilen\"\t\"\"\"Hallo\"\"\"\t1\n"));
        result = run({"export-csv", set, out, "--format", "semicolon"});
        QCOMPARE(readFile(out),
                 QByteArray("Vorderseite;R\xFC"
                            "ckseite\r\nK\xE4se;cheese\r\n\"zwei\nZeilen\";\"\"\"Hallo\"\"\"\r\n"));

        result = run({"export-apkg", set, at("liste.apkg")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, "2 Karten exportiert nach " + at("liste.apkg").toUtf8() + '\n');

        // The options as given override the detection: a header row read as
        // a card, the box of row 2 as a field that is not one.
        result = run({"import-csv", list, set, "--header", "no", "--encoding", "windows-1252"});
        QCOMPARE(result.out, QByteArray("3 Karten gespeichert in ") + set.toUtf8() + '\n');
    }

    void badWordListsLeaveNoSet()
    {
        const QString set = at("nichts.ql3");
        const auto imported = [&](const QByteArray &bytes, const QStringList &options = {}) {
            const QString list = at("schlecht.txt");
            writeFile(list, bytes);
            return run(QStringList{"import-csv", list, set} + options);
        };
        // Which problem a list has is the reader's test; here how it is reported.
        const std::tuple<QByteArray, QStringList, const char *> bad[] = {
            {"a;b\nnur eins\n", {}, "Zeile 2: Die Zeile hat nur ein Feld"},
            {"a;b\nc;d\nK\xE4se;x\n",
             {"--encoding", "utf-8"},
             "Zeile 3: Die Datei enthält Zeichen, die es im Zeichensatz UTF-8 nicht gibt."}};
        for (const auto &[bytes, options, message] : bad) {
            const Result result = imported(bytes, options);
            QVERIFY2(result.exitCode == 1 && result.err.contains(message) && !QFile::exists(set), result.err.constData());
        }

        QCOMPARE(imported("a;b\n", {"--delimiter", "pipe"}).exitCode, 2);
        QCOMPARE(imported("a;b\n", {"--media", at("fehlt")}).exitCode, 2);
        QVERIFY(!QFile::exists(set));
    }

    void badAnkiPackagesLeaveNoSet()
    {
        const QString set = at("anki.ql3");
        const QString package = at("kaputt.apkg");
        writeFile(package, "kein Paket");
        const Result result = run({"import-apkg", package, set, "--deck", "Sprachen"});
        QVERIFY2(result.exitCode == 1 && result.err.contains("Das Anki-Paket " + package.toUtf8() + " kann nicht gelesen werden: ")
                     && result.out.isEmpty(),
                 result.err.constData());
        QCOMPARE(run({"import-apkg", package, at("anki.txt")}).exitCode, 1);
        QCOMPARE(run({"import-apkg", package, set, "--stapel", "x"}).exitCode, 2);
        QCOMPARE(run({"import-apkg", package}).exitCode, 2);
        QVERIFY(!QFile::exists(set));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
