#include "../TestFiles.h"
#include "../TestPictures.h"
#include "exchange/CsvCards.h"
#include "exchange/CsvExport.h"

#include "richtext/FacePictures.h"
#include "richtext/PictureFile.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

class TestCsvCards : public QObject
{
    Q_OBJECT

private:
    static CsvCards import(const QByteArray &bytes, const QString &folder = QString())
    {
        const CsvTable table = CsvReader::read(bytes);
        if (!table.ok())
            qFatal("word list not read");
        return CsvCards::build(table, CardSet::newSetFont(), CardSet::newSetFont(), {folder, 0});
    }
    static QTextCharFormat formatAt(const QByteArray &rtf, int position)
    {
        QTextDocument document;
        RtfReader::read(rtf, document);
        QTextCursor cursor(&document);
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }

private slots:
    void htmlFieldsKeepFormattingAndPictures()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("medien"));
        QImage red(8, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QByteArray png = encoded(red, "PNG");
        writeFile(dir.filePath(QStringLiteral("medien/bild.png")), png);
        // Beside the folder, not in it: a field may not reach it.
        writeFile(dir.filePath(QStringLiteral("geheim.png")), png);

        const CsvCards cards =
            import("#html:true\n"
                   "<b>fett</b> &amp; &lt;x&gt;<br>zwei<img src=\"bild.png\">\t"
                   "<span style=\"color: rgb(255, 0, 0);\">rot</span><img src=\"fehlt.jpg\"><img src=\"../geheim.png\">\n",
                   dir.filePath(QStringLiteral("medien")));
        QCOMPARE(cards.cards.size(), 1);
        const Card &card = cards.cards.constFirst();
        QCOMPARE(RtfReader::textLines(card.Front), (QStringList{"fett & <x>", "zwei"}));
        QCOMPARE(QPoint(formatAt(card.Front, 0).fontWeight(), formatAt(card.Front, 5).fontWeight()), QPoint(QFont::Bold, QFont::Normal));
        QCOMPARE(formatAt(card.Front, 5).fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
        // The picture keeps the bytes of its file.
        const QTextCharFormat picture = formatAt(card.Front, 15);
        QVERIFY(picture.isImageFormat());
        QVERIFY(FacePictures::originalRtf(picture).replace("\r\n", "").contains(png.toHex()));

        QCOMPARE(RtfReader::textLines(card.Back), QStringList{"rot"});
        QCOMPARE(formatAt(card.Back, 0).foreground().color(), QColor(Qt::red));
        QCOMPARE(cards.problems,
                 (QList<CsvProblem>{{CsvProblem::Kind::MissingPicture, 2, QStringLiteral("fehlt.jpg"), CsvProblem::Side::Back},
                                    {CsvProblem::Kind::MissingPicture, 2, QStringLiteral("../geheim.png"), CsvProblem::Side::Back}}));

        // Refused by header and size before they are read.
        writeFile(dir.filePath(QStringLiteral("medien/riesig.jpg")), jpegClaimingHugeSize());
        QFile heavy(dir.filePath(QStringLiteral("medien/schwer.png")));
        QVERIFY(heavy.open(QIODevice::WriteOnly) && heavy.write(png) && heavy.resize(PictureFile::MaxBytes + 1));
        QCOMPARE(
            import("#html:true\n<img src=\"riesig.jpg\">\t<img src=\"schwer.png\">\n", dir.filePath(QStringLiteral("medien"))).problems,
            (QList<CsvProblem>{{CsvProblem::Kind::PictureTooLarge, 2, QStringLiteral("riesig.jpg"), CsvProblem::Side::Front},
                               {CsvProblem::Kind::PictureTooLarge, 2, QStringLiteral("schwer.png"), CsvProblem::Side::Back}}));
    }

    // The reader for common markup gives what Qt's reader gives.
    void commonMarkupReadAsQtReadsIt()
    {
        FontRecord times{QStringLiteral("Times New Roman"), 14, StoredColor::fromRgb(0, 0, 160), true};
        const QTextCharFormat standard = CsvCards::standardFormat(times);
        HtmlFace faces(standard, {});
        for (const char *field :
             {"", "  a \t\r\n b  ", "<b>fett</b> <I>kursiv</I><u> unter </u>", "a <br>  b<br/><BR />c ", "<b><i>x</b>y</i>z</b>",
              "<span style=\"color: rgb(255, 0, 0);\">rot<font color=green>gr\xc3\xbcn</font></span>",
              "<font color=\"#abc\">&amp;&lt;&nbsp; &#150;&#x20AC;&auml;&amp &bogus &#;</font>",
              "<b/>{\\}<em>\xce\xbb\xf0\x9f\x98\x80</em>", "x<div> a <b>b</b></div><DIV>c<br></DIV>"}) {
            QTextDocument document;
            document.setDefaultFont(standard.font());
            document.setHtml(QString::fromUtf8(field));
            QList<CsvProblem> problems;
            QCOMPARE(faces.toRtf(QString::fromUtf8(field), 1, CsvProblem::Side::Front, problems),
                     RtfWriter::writeImported(document, standard.foreground().color()));
        }
    }

    // Markup nested deep or in masses (tags, pictures) once took seconds to minutes.
    void deepOrHugeMarkupIsCutDownQuickly()
    {
        const QString deep = QStringLiteral("<i>").repeated(9000) + QStringLiteral("tief");
        const QString fields[] = {QStringLiteral("<div>").repeated(100000) + QStringLiteral("x")
                                      + QStringLiteral("</div>").repeated(100000),
                                  QStringLiteral("<b>").repeated(40000) + QStringLiteral("fett"), deep,
                                  QStringLiteral("Wort<br>").repeated(200000), QStringLiteral("<img src=\"a.png\">").repeated(101)};
        QList<CsvProblem> problems;
        HtmlFace faces(CsvCards::standardFormat(CardSet::newSetFont()), {});
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer timer;
            timer.start();
            const QByteArray rtf = faces.toRtf(fields[i], i + 2, CsvProblem::Side::Back, problems);
            QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
            if (i == 2)
                QCOMPARE(RtfReader::textLines(rtf), QStringList{"tief"});
            if (i == 3)
                QCOMPARE(RtfReader::textLines(rtf).size(), 200000);
        }
        const auto problem = [](CsvProblem::Kind kind, int line) { return CsvProblem{kind, line, QString(), CsvProblem::Side::Back}; };
        QCOMPARE(problems,
                 (QList<CsvProblem>{problem(CsvProblem::Kind::FieldTooLarge, 2), problem(CsvProblem::Kind::FieldTooLarge, 3),
                                    problem(CsvProblem::Kind::FieldTooDeep, 4), problem(CsvProblem::Kind::FieldTooLarge, 5),
                                    problem(CsvProblem::Kind::FieldTooLarge, 6)}));
    }

    void plainFieldsInTheStandardFontOfTheirSide()
    {
        FontRecord times{QStringLiteral("Times New Roman"), 14, StoredColor::fromRgb(0, 0, 160), true};
        const CsvCards cards = CsvCards::build(CsvReader::read("<b>a</b>;b;3\nc;d\n"), times, CardSet::newSetFont(), {});
        const QTextCharFormat front = formatAt(cards.cards.at(0).Front, 0);
        QCOMPARE(QStringList({front.fontFamilies().toStringList().value(0), QString::number(front.fontPointSize()),
                              QString::number(front.fontWeight()), front.foreground().color().name()}),
                 QStringList({times.Name, "14", QString::number(QFont::Bold), "#0000a0"}));
        QCOMPARE(RtfReader::textLines(cards.cards.at(0).Front), QStringList{"<b>a</b>"});
        QCOMPARE(formatAt(cards.cards.at(0).Back, 0).fontPointSize(), 12.0);
        QCOMPARE((QList<int>{cards.cards.at(0).Box, cards.cards.at(1).Box}), (QList<int>{3, 1}));
    }

    void exportThenImportKeepsTextAndBoxes()
    {
        const QList<QStringList> faces = {
            {QStringLiteral("Frage"), QStringLiteral("Antwort")},
            {QStringLiteral("Zeile eins\nZeile zwei"), QString::fromUtf8("Käse; \"Gouda\" & <Brot>")},
            {QStringLiteral("#1 Haus"), QString::fromUtf8("λόγος – слово")},
            {QStringLiteral(" a\tb,  c"), QString()},
            {QString::fromUtf8("Straße"), QStringLiteral("\nnach leerer Zeile")},
        };
        const QTextCharFormat standard = CsvCards::standardFormat(CardSet::newSetFont());
        CardSet set;
        for (qsizetype i = 0; i < faces.size(); ++i)
            set.AddCard({RtfWriter::writePlainText(faces[i][0], standard), RtfWriter::writePlainText(faces[i][1], standard), int(i) + 1});

        for (const auto format : {CsvExport::Format::Tab, CsvExport::Format::Semicolon}) {
            for (const bool html : {false, true}) {
                const CsvExport::Text text = CsvExport::text(set, {format, true, html});
                // Windows-1252 has no Greek or Cyrillic: nothing of them is lost.
                QCOMPARE(text.utf8Instead, format == CsvExport::Format::Semicolon);
                const CsvCards back = import(text.bytes);
                QCOMPARE(back.cards.size(), set.count());
                // without the box column the first card reads like a header row
                QCOMPARE(import(CsvExport::text(set, {format, false, html}).bytes).cards.size(), set.count());
                for (int i = 0; i < set.count(); ++i) {
                    QCOMPARE(RtfReader::textLines(back.cards[i].Front), RtfReader::textLines(set.front(i)));
                    QCOMPARE(RtfReader::textLines(back.cards[i].Back), RtfReader::textLines(set.back(i)));
                    QCOMPARE(back.cards[i].Box, set.box(i));
                }
            }
        }
    }

    // A picture at the end of a face once left an empty line in its field.
    void picturesAtTheEndLeaveNoEmptyLine()
    {
        QImage red(8, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        QTextDocument inLine;
        QTextCursor cursor(&inLine);
        cursor.insertText(QStringLiteral("Paris"));
        FacePictures::insertFile(cursor, encoded(red, "PNG"), QStringLiteral("bild.png"), 0, nullptr);
        QTextDocument below;
        cursor = QTextCursor(&below);
        cursor.insertText(QStringLiteral("Paris"));
        cursor.insertBlock();
        FacePictures::insertFile(cursor, encoded(red, "PNG"), QStringLiteral("bild.png"), 0, nullptr);
        cursor.insertBlock();
        CardSet set;
        set.AddCard({RtfWriter::write(inLine), RtfWriter::write(below), 1});
        QCOMPARE(CsvExport::text(set, {CsvExport::Format::Semicolon, false, false}).bytes,
                 QByteArray("Vorderseite;R\xFC"
                            "ckseite\r\nParis;Paris\r\n"));
        QCOMPARE(CsvExport::text(set, {CsvExport::Format::Semicolon, false, true}).bytes,
                 QByteArray("#html:true\r\nVorderseite;R\xFC"
                            "ckseite\r\nParis;Paris\r\n"));
    }

    void semicolonListsAsSpreadsheetsWriteThem()
    {
        const QTextCharFormat standard = CsvCards::standardFormat(CardSet::newSetFont());
        QTextDocument document;
        QTextCursor cursor(&document);
        QTextCharFormat bold = standard;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("fett"), bold);
        cursor.insertText(QString::fromUtf8(" Käse"), standard);
        CardSet set;
        set.AddCard({RtfWriter::write(document), RtfWriter::writePlainText(QStringLiteral("zwei\nZeilen"), standard), 2});
        const CsvExport::Text plain = CsvExport::text(set, {CsvExport::Format::Semicolon, false, false});
        QCOMPARE(plain.bytes,
                 QByteArray("Vorderseite;R\xFC"
                            "ckseite\r\nfett K\xE4se;\"zwei\nZeilen\"\r\n"));
        const CsvExport::Text html = CsvExport::text(set, {CsvExport::Format::Semicolon, true, true});
        QCOMPARE(html.bytes,
                 QByteArray("#html:true\r\nVorderseite;R\xFC"
                            "ckseite;Kasten\r\n<b>fett</b> K\xE4se;zwei<br>Zeilen;2\r\n"));
    }
};

QTEST_MAIN(TestCsvCards)
#include "tst_csvcards.moc"
