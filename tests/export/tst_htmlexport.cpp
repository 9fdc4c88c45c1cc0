#include "../TestFiles.h"

#include "cardset/CheckedFileWriter.h"
#include "export/HtmlExport.h"

#include <QDir>
#include <QTest>

class TestHtmlExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textsAreEscapedForTheirPlace()
    {
        // Both quote characters become the double-quote entity.
        QCOMPARE(HtmlExport::frontText({QStringLiteral("It's \"x\"")}), QStringLiteral("It&quot;s &quot;x&quot;"));
        QCOMPARE(HtmlExport::frontText({QStringLiteral("a"), QStringLiteral("b")}) + '|'
                     + HtmlExport::backText({QStringLiteral("a"), QStringLiteral("b")}),
                 QStringLiteral("ab|a<br>b<br>"));

        // Markup in a card is shown, never run.
        QCOMPARE(HtmlExport::frontText({QStringLiteral("a < b & <script>")}), QStringLiteral("a &lt; b &amp; &lt;script&gt;"));
        // The tooltip is decoded twice (attribute, then the box's HTML).
        QCOMPARE(HtmlExport::backText({QStringLiteral("<b>&amp;")}), QStringLiteral("&amp;lt;b&amp;gt;&amp;amp;amp;<br>"));
        QCOMPARE(HtmlExport::backText({QStringLiteral("C:\\x'")}), QStringLiteral("C:\\\\x&quot;<br>"));
    }

    void pageHasItsLinesInOrder()
    {
        QList<HtmlExport::Card> cards;
        for (int i : {2, 5, 9})
            cards.append({{QStringLiteral("Frage %1").arg(i)}, {QStringLiteral("Antwort %1").arg(i)}});
        cards.append({{}, {QStringLiteral("nur hinten")}});
        const QStringList page = HtmlExport::buildPage(QStringLiteral("/home/lea/Latein.QL3"), cards);

        // The title from the file name; the script the card lines call.
        QCOMPARE(page.at(2), QStringLiteral("<title>Latein.QL3</title>"));
        QCOMPARE(page.at(10), QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\" SRC=\"overlib.js\"></SCRIPT>"));
        QCOMPARE(page.size(), 17 + 4 + 2);
        QCOMPARE(page.at(17),
                 QStringLiteral("<A HREF=\"#\" onMouseOver=\"drc('Antwort 2<br>' ,'Antwort'); return true;\" "
                                "onMouseOut=\"nd(); return true;\">Frage 2</A><br><br>"));
        QVERIFY(page.at(18).contains(QLatin1String("Frage 5")) && page.at(19).contains(QLatin1String("Frage 9")));
        QVERIFY(page.at(20).endsWith(QLatin1String("return true;\"></A><br><br>")));
        QCOMPARE(page.mid(21), (QStringList{QStringLiteral("</body>"), QStringLiteral("</html>")}));

        QVERIFY(HtmlExport::buildPage(QStringLiteral("x.ql3"), {}).isEmpty());
    }

    void encodingKeepsEveryCharacter()
    {
        const QByteArray bytes = HtmlExport::encodePage({QStringLiteral("Grüße €"), QStringLiteral("α 😀")});
        QCOMPARE(bytes,
                 QByteArray("Gr\xFC\xDF"
                            "e \x80\r\n&#945; &#128512;\r\n"));
    }

    void writingIsAllOrNothing()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("programm"));
        QDir().mkpath(program);
        writeFile(program + QStringLiteral("/overlib.js"), "js");
        writeFile(program + QStringLiteral("/overlib.css"), "css");
        const QString page = dir.filePath(QStringLiteral("karten.html"));
        QVERIFY(HtmlExport::writePage(page, {QStringLiteral("<html>")}, program).ok());
        const QStringList files{QStringLiteral("karten.html"), QStringLiteral("overlib.css"), QStringLiteral("overlib.js")};
        QCOMPARE(readFile(page) + readFile(dir.filePath(QStringLiteral("overlib.js"))), QByteArray("<html>\r\njs"));

        // A full disk at any point of any file: every old file stays.
        writeFile(program + QStringLiteral("/overlib.js"), "js 2");
        for (int failAt : {0, 12, 18, 21}) {
            CheckedFileWriter::setFailAfterBytesForTesting(failAt);
            const FileResult failed = HtmlExport::writePage(page, {QStringLiteral("<html lang=de>")}, program);
            CheckedFileWriter::setFailAfterBytesForTesting(-1);
            QVERIFY(!failed.ok() && failed.systemError == ENOSPC);
            QCOMPARE(readFile(page) + readFile(dir.filePath(QStringLiteral("overlib.js"))), QByteArray("<html>\r\njs"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
        }
    }
};

QTEST_GUILESS_MAIN(TestHtmlExport)
#include "tst_htmlexport.moc"
