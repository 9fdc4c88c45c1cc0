#include "../TestFiles.h"
#include "RtfTestSupport.h"

#include "richtext/FacePictures.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextList>
#include <QTextTable>

class TestRtfWriter : public QObject
{
    Q_OBJECT

private slots:
    void roundTripOfEverySample_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : RtfTestSupport::sampleNames())
            QTest::addRow("%s", qPrintable(name)) << name;
    }
    // Read, written and read again: the same formats and text; written again, the same bytes.
    void roundTripOfEverySample()
    {
        QFETCH(QString, name);
        const QByteArray sample = RtfTestSupport::sample(name);
        QTextDocument first;
        RtfReader::read(sample, first);
        const QByteArray written = RtfWriter::write(first);
        QTextDocument second;
        RtfReader::read(written, second);
        QCOMPARE(RtfTestSupport::describe(second), RtfTestSupport::describe(first));
        QCOMPARE(RtfReader::textLines(written), RtfReader::textLines(sample));
        QCOMPARE(RtfWriter::write(second), written);
        // For checking the written files with other readers (check_external_readers.py).
        const QString outDir = qEnvironmentVariable("QUILLO_RTF_WRITTEN_DIR");
        if (!outDir.isEmpty()) {
            const QString base = outDir + QLatin1Char('/') + name.chopped(4);
            writeFile(base + QStringLiteral(".rtf"), written);
            QString text = RtfReader::textLines(sample).join(QLatin1Char('\n'));
            for (qsizetype i = 0; i < text.size(); ++i) // no reader shows a lone surrogate
                if (text[i].isSurrogate() && !(text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                    && !(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()))
                    text[i] = QChar(0xFFFD);
            writeFile(base + QStringLiteral(".txt"), text.toUtf8());
            writeFile(base + QStringLiteral(".pictures"), QByteArray::number(first.toRawText().count(QChar(0xFFFC))));
        }
    }

    void writesRichEditDialect()
    {
        QTextDocument doc;
        RtfReader::read(RtfTestSupport::sample("re41_paragraph_align_line.rtf"), doc);
        const QByteArray rtf = RtfWriter::write(doc);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}}"));
        for (const char *part : {"{\\colortbl ;\\red0\\green77\\blue187;}", "\\viewkind4\\uc1", "\\pard\\qc", "\\pard\\qr",
                                 "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22 This \\fs44 is\\fs22  a \\b simple \\ul five ",
                                 "\\cf1 second \\cf0 paragraph with a\\line line break"})
            QVERIFY2(rtf.contains(part), part);
        QVERIFY(rtf.endsWith("\\par\r\n}\r\n"));
        QCOMPARE(rtf.count("\\par\r\n"), 5);
    }

    void charactersOutsideCodePage1252()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Arial"), 12));
        doc.setPlainText(QString::fromUtf8("äß€ αΩ Ж ł ä 中 💩 {\\}\t"));
        const QByteArray rtf = RtfWriter::write(doc);
        // Greek, Cyrillic and Polish go into the font's entries of their
        // scripts, with the byte of the script's code page as \u's
        // fallback; an empty group after a fallback keeps pandoc and unrtf
        // from eating the next character
        QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset161 Arial;}{\\f2\\fnil\\fcharset204 Arial;}"
                             "{\\f3\\fnil\\fcharset238 Arial;}}"));
        QVERIFY(rtf.contains("\\'e4\\'df\\'80 \\f1\\u945\\'e1\\u937\\'d9{} \\f2\\u1046\\'c6{} \\f3\\u322\\'b3{} \\u228\\'e4{} "
                             "\\u20013?{} \\u-10179?\\u-9047?{} \\{\\\\\\}\\tab"));
        for (char c : rtf)
            QVERIFY(static_cast<unsigned char>(c) < 0x80);
        QCOMPARE(RtfReader::textLines(rtf), QStringList{QString::fromUtf8("äß€ αΩ Ж ł ä 中 💩 {\\}\t")});
    }

    void tablesStayTables()
    {
        // rows and cells read as a QTextTable, written as RTF rows; the round
        // trip of every sample compares the cells of its tables
        QTextDocument doc;
        RtfReader::read(RtfTestSupport::sample("table_minimal.rtf"), doc);
        QTextTable *table = QTextCursor(doc.begin().next()).currentTable();
        QVERIFY(table);
        QCOMPARE(table->format().columnWidthConstraints().value(1), QTextLength(QTextLength::FixedLength, 1000 / 15.0));
        // a table from a word processor's page: its columns share the face's width
        QTextDocument wide;
        RtfReader::read(RtfTestSupport::sample("word_german_umlauts_tables.rtf"), wide);
        QTextCursor inWide = wide.find(QStringLiteral("Montag"));
        QVERIFY(inWide.currentTable());
        QCOMPARE(inWide.currentTable()->format().columnWidthConstraints().value(2).type(), QTextLength::PercentageLength);
        const QByteArray minimal = RtfWriter::write(doc);
        QVERIFY(minimal.contains("\\trowd\\trgaph0\\cellx1000\\cellx2000\\cellx3000\r\n\\pard\\intbl\\f0\\fs24 cell 1\\cell\r\n"
                                 "\\pard\\intbl cell 2\\cell\r\n\\pard\\intbl cell 3\\cell\\row\r\n}"));

        // a table as Qt makes it (an HTML paste): text before, in and after,
        // two paragraphs in a cell, a bordered grid of equal columns
        QTextDocument made;
        made.setDefaultFont(QFont(QStringLiteral("Arial"), 12));
        QTextCursor c(&made);
        c.insertText(QStringLiteral("vorher"));
        QTextTableFormat grid;
        grid.setBorder(1);
        grid.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        QTextTable *t = c.insertTable(2, 3, grid);
        for (int cell = 0; cell < 6; ++cell) {
            c = t->cellAt(cell / 3, cell % 3).firstCursorPosition();
            c.insertText(QString::fromUtf8("Zelle %1 ä").arg(cell));
            if (cell == 4) {
                c.insertBlock();
                c.insertText(QStringLiteral("zweiter Absatz"));
            }
        }
        c = t->lastCursorPosition();
        c.movePosition(QTextCursor::NextBlock);
        c.insertText(QStringLiteral("nachher"));
        const QByteArray rtf = RtfWriter::write(made);
        QVERIFY(rtf.contains(
            "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10\\cellx2000"));
        QVERIFY(rtf.contains("Zelle 4 \\'e4\\par\r\n\r\n\\pard\\intbl zweiter Absatz\\cell"));
        QTextDocument back;
        RtfReader::read(rtf, back);
        QCOMPARE(RtfReader::textLines(rtf),
                 (QStringList{QStringLiteral("vorher"), QString::fromUtf8("Zelle 0 ä\tZelle 1 ä\tZelle 2 ä\t"),
                              QString::fromUtf8("Zelle 3 ä\tZelle 4 ä"), QString::fromUtf8("zweiter Absatz\tZelle 5 ä\t"),
                              QStringLiteral("nachher")}));
        const QTextTable *read = QTextCursor(back.begin().next()).currentTable();
        QVERIFY(read && read->rows() == 2 && read->columns() == 3 && read->format().border() == 1.0);
        QCOMPARE(RtfWriter::write(back), rtf);
    }

    // Word lists write their faces without a document: the same bytes.
    void plainTextAsADocumentHoldsIt()
    {
        QTextCharFormat format;
        format.setFont(QFont(QStringLiteral("Times New Roman"), 14, QFont::Bold));
        format.setForeground(QColor(0, 0, 200));
        for (const QString &text : {QString(), QStringLiteral("Haus"), QString::fromUtf8("Käse {mit} \\ Brot\nзавтрак\n\nαβγ 💩\tEnde"),
                                    QStringLiteral("\nzwei\r\n")}) {
            QTextDocument document;
            QTextCursor cursor(&document);
            cursor.setBlockCharFormat(format);
            cursor.insertText(text, format);
            QCOMPARE(RtfWriter::writePlainText(text, format), RtfWriter::write(document));
        }
    }

    void hyperlinkFields()
    {
        // a field's result shows as text in every reader; Quillo keeps the field
        QTextDocument doc;
        RtfReader::read(RtfTestSupport::sample("re41_negative_unicode_field.rtf"), doc);
        QTextCursor c(&doc);
        c.setPosition(10);
        QCOMPARE(c.charFormat().anchorHref(), QStringLiteral("http://unicode-table.com/en/#private-use-area"));
        const QByteArray rtf = RtfWriter::write(doc);
        QVERIFY(rtf.contains("From: {\\*\\quillofield{\\*\\fldinst{HYPERLINK \"http://unicode-table.com/en/#private-use-area\"}}}"
                             "{\\cf1\\ul http://unicode-table.com/en/#private-use-area}\\par"));
        // two links side by side stay two
        const QByteArray two =
            "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"a\"}{\\fldrslt x}}{\\field{\\*\\fldinst HYPERLINK \"b\"}{\\fldrslt y}}}";
        RtfReader::read(two, doc);
        QTextDocument back;
        RtfReader::read(RtfWriter::write(doc), back);
        QCOMPARE(back.toRawText(), "xy");
        QCOMPARE(back.begin().begin().fragment().charFormat().anchorHref() + (++back.begin().begin()).fragment().charFormat().anchorHref(),
                 "ab");
    }

    void symbolFontsAndUnderlineKinds()
    {
        // text in symbol fonts goes back to its bytes
        const QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}{\\f2\\fcharset2 Wingdings;}}"
                               "\\f1 \\'b7a1\\'e2\\f2 J\\'fc\\f0 a\\par}";
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        const QByteArray written = RtfWriter::write(doc);
        QVERIFY(written.contains("{\\f0\\fnil\\fcharset2 Symbol;}{\\f1\\fnil\\fcharset2 Wingdings;}"));
        QVERIFY(written.contains("\\f0\\fs24\\'b7\\'611\\'e2\\f1\\'4a\\'fc\\f2 a"));
        QTextDocument back;
        RtfReader::read(written, back);
        QCOMPARE(RtfTestSupport::describe(back), RtfTestSupport::describe(doc));
        // a letter typed into a Symbol run stays that letter
        QTextCursor c(&back);
        c.setPosition(1);
        c.insertText(QStringLiteral("b"));
        QVERIFY(RtfWriter::write(back).contains("\\'b7\\u98?{}\\'61"));

        // every kind of underline is written back as it was read
        RtfReader::read("{\\rtf1 a\\uldb b\\ulnone c\\ulwave d\\uld e\\ulw f\\uldashd g\\ul h\\ulnone\\par}", doc);
        c = QTextCursor(&doc);
        c.setPosition(4);
        QCOMPARE(c.charFormat().underlineStyle(), QTextCharFormat::WaveUnderline);
        c.setPosition(5);
        QCOMPARE(c.charFormat().underlineStyle(), QTextCharFormat::DotLine);
        QVERIFY(RtfWriter::write(doc).contains("a\\uldb b\\ulnone c\\ulwave d\\uld e\\ulw f\\uldashd g\\ul h\\ulnone\\par"));
    }

    void formatsOfAnEditedDocument()
    {
        // a document as the editor makes it: default font, formats set by commands
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Arial"), 12));
        QTextCursor c(&doc);
        QTextCharFormat red;
        red.setForeground(QColor(200, 0, 0));
        red.setBackground(QColor(255, 255, 0));
        red.setFontWeight(QFont::Bold);
        c.insertText(QStringLiteral("plain "));
        c.insertText(QStringLiteral("red"), red);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        c.insertBlock(centred);
        QTextCharFormat big;
        big.setFontFamilies({QStringLiteral("Times New Roman")});
        big.setFontPointSize(20);
        big.setFontItalic(true);
        big.setFontStrikeOut(true);
        big.setFontUnderline(true);
        c.insertText(QStringLiteral("big"), big);
        QCOMPARE(
            RtfWriter::write(doc),
            QByteArray(
                "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times New "
                "Roman;}}\r\n{\\colortbl ;\\red200\\green0\\blue0;\\red255\\green255\\blue0;}\r\n{\\*\\generator "
                "Quillo;}\\viewkind4\\uc1\r\n\\pard\\f0\\fs24 plain \\cf1\\highlight2\\b red\\cf0\\highlight0\\b0\\par\r\n\r\n"
                "\\pard\\qc\\i\\ul\\strike\\f1\\fs40 big\\cf1\\highlight2\\b\\i0\\ulnone\\strike0\\f0\\fs24\\par\r\n}\r\n"));
    }

    void listsMadeInQt()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Arial"), 12));
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("intro"));
        c.insertBlock();
        c.createList(QTextListFormat::ListDisc);
        c.insertText(QStringLiteral("one"));
        c.insertBlock();
        c.insertText(QStringLiteral("two"));
        c.insertBlock();
        QTextListFormat numbers;
        numbers.setStyle(QTextListFormat::ListDecimal);
        numbers.setNumberSuffix(QStringLiteral("."));
        c.createList(numbers);
        c.insertText(QStringLiteral("first"));
        c.insertBlock();
        c.insertText(QStringLiteral("second"));
        // Both forms: the text of RichEdit 1.0 and the numbering of later ones;
        // the marker hangs left of the text, which starts at Qt's indent of 40 pixels.
        QCOMPARE(
            RtfWriter::write(doc),
            QByteArray(
                "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
                "{\\*\\generator Quillo;}\\viewkind4\\uc1\r\n"
                "\\pard\\f0\\fs24 intro\\par\r\n\r\n\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"
                "\\fi-360\\li600 one\\par\r\n{\\pntext\\f1\\'b7\\tab}two\\par\r\n\r\n\\pard{\\pntext\\f0 "
                "1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta .}}\\fi-360\\li600 first\\par\r\n{\\pntext\\f0 "
                "2.\\tab}second\\par\r\n}\r\n"));
    }

    void picturesAndObjectsKeepTheirBytes()
    {
        for (const QString &name : {QStringLiteral("re41_pasted_bitmaps_wmf.rtf"), QStringLiteral("re10_pbrush_ole_object.rtf"),
                                    QStringLiteral("word_shppict_png_nonshppict_wmf.rtf"), QStringLiteral("png_bin.rtf"),
                                    QStringLiteral("pandoc_jpeg_bin0_hex.rtf"), QStringLiteral("wmf_two_dibs_mask.rtf")}) {
            const QByteArray sample = RtfTestSupport::sample(name);
            QTextDocument doc;
            RtfReader::read(sample, doc);
            const QByteArray rtf = RtfWriter::write(doc);
            int pictures = 0;
            for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
                for (auto it = b.begin(); !it.atEnd(); ++it) {
                    const QByteArray original = FacePictures::originalRtf(it.fragment().charFormat());
                    if (original.isEmpty())
                        continue;
                    ++pictures;
                    QVERIFY2(sample.contains(original), qPrintable(name));
                    QVERIFY2(rtf.contains(original), qPrintable(name));
                }
            QVERIFY2(pictures > 0, qPrintable(name));
        }
        // an object is kept whole, with its data and result picture
        QTextDocument doc;
        RtfReader::read(RtfTestSupport::sample("re10_pbrush_ole_object.rtf"), doc);
        const QByteArray rtf = RtfWriter::write(doc);
        QVERIFY(rtf.contains("{\\object\\objemb{\\*\\objclass PBrush}\\objw1072\\objh960{\\*\\objdata"));
        // the \nonshppict alternative stays with its \shppict
        RtfReader::read(RtfTestSupport::sample("word_shppict_png_nonshppict_wmf.rtf"), doc);
        const QByteArray word = RtfWriter::write(doc);
        QCOMPARE(word.count("{\\*\\shppict"), 2);
        QCOMPARE(word.count("{\\nonshppict"), 2);
    }

    void randomDocumentsRoundTrip()
    {
        // documents as an editor makes them, with any characters and formats:
        // read(write(doc)) written again gives the same bytes and formats
        QRandomGenerator random(1234);
        const QStringList families = {"Arial", "Times New Roman", "Symbol", "Courier New", QString::fromUtf8("Ｍ Ｓ;{x}")};
        for (int round = 0; round < 150; ++round) {
            QTextDocument doc;
            QTextCursor c(&doc);
            const int runs = random.bounded(1, 20);
            for (int r = 0; r < runs; ++r) {
                QTextCharFormat f;
                f.setFontFamilies({families[random.bounded(int(families.size()))]});
                f.setFontPointSize(random.bounded(2, 80) / 2.0);
                f.setFontWeight(random.bounded(2) ? QFont::Bold : QFont::Normal);
                f.setFontItalic(random.bounded(2));
                f.setFontUnderline(random.bounded(2));
                f.setFontStrikeOut(random.bounded(2));
                if (random.bounded(3) == 0)
                    f.setForeground(QColor::fromRgb(random.generate() & 0xFFFFFF));
                if (random.bounded(4) == 0)
                    f.setBackground(QColor::fromRgb(random.generate() & 0xFFFFFF));
                if (random.bounded(5) == 0)
                    f.setVerticalAlignment(random.bounded(2) ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
                QString text;
                for (int i = random.bounded(0, 12); i > 0; --i) {
                    switch (random.bounded(6)) {
                    case 0: text += QChar(char16_t(random.bounded(0x20, 0x7F))); break;
                    case 1: text += QChar(char16_t(random.bounded(0xA0, 0x180))); break;
                    case 2: text += QChar(char16_t(random.bounded(0x370, 0x3000))); break;
                    case 3: text += QString::fromUcs4(U"\U0001F600\U00010400"); break;
                    case 4: text += QStringLiteral("\\{}\t") + QChar(QChar::LineSeparator); break;
                    default: text += QChar(char16_t(random.bounded(0x2000, 0x2130))); break;
                    }
                }
                c.insertText(text, f);
                if (random.bounded(4) == 0) {
                    QTextBlockFormat b;
                    b.setAlignment(random.bounded(2) ? Qt::AlignRight : Qt::AlignJustify);
                    b.setLeftMargin(random.bounded(100));
                    b.setTopMargin(random.bounded(20));
                    c.insertBlock(b);
                    if (random.bounded(3) == 0)
                        c.createList(random.bounded(2) ? QTextListFormat::ListDisc : QTextListFormat::ListLowerRoman);
                }
            }
            const QByteArray first = RtfWriter::write(doc);
            QTextDocument back;
            RtfReader::read(first, back);
            QCOMPARE(back.toRawText(), doc.toRawText());
            // (two lists side by side with the same numbering read as one, as
            // RichEdit numbers them: from the first read on, nothing changes)
            const QByteArray second = RtfWriter::write(back);
            QTextDocument again;
            RtfReader::read(second, again);
            QCOMPARE(RtfTestSupport::describe(again), RtfTestSupport::describe(back));
            QCOMPARE(RtfWriter::write(again), second);
        }
    }
};

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
