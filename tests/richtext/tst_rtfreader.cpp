#include "RtfTestSupport.h"

#include "cardset/Windows1252.h"
#include "richtext/CodePage.h"
#include "richtext/RtfParser.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextList>
#include <QTextTable>

namespace {

QString decoded(int codePage, QByteArrayView bytes)
{
    QString out;
    CodePage::decode(codePage, bytes, out);
    return out;
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private:
    static QTextDocument *read(const QByteArray &rtf)
    {
        auto *doc = new QTextDocument;
        RtfReader::read(rtf, *doc);
        return doc;
    }
    // The format of the first character of the first occurrence of text.
    static QTextCharFormat formatOf(const QTextDocument &doc, const QString &text, bool wholeWord = false)
    {
        QTextCursor c =
            doc.find(text, 0, QTextDocument::FindCaseSensitively | QTextDocument::FindFlags(wholeWord ? QTextDocument::FindWholeWords : 0));
        if (c.isNull())
            return QTextCharFormat();
        c.setPosition(c.selectionStart() + 1);
        return c.charFormat();
    }

    // Per block its list's style, size and number suffix, or "-".
    static QString lists(const QTextDocument &doc)
    {
        QStringList out;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            const QTextList *l = b.textList();
            const int style = l ? int(l->format().style()) : 0;
            out << (!l ? QStringLiteral("-")
                       : QStringLiteral("%1:%2%3")
                             .arg(style == QTextListFormat::ListDisc          ? "disc"
                                      : style == QTextListFormat::ListDecimal ? "decimal"
                                                                              : QString::number(style))
                             .arg(l->count())
                             .arg(l->format().numberSuffix()));
        }
        return out.join(u' ');
    }

private slots:
    void sampleText_data()
    {
        // The lines each sample reads as, joined by "\n".
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("lines");
        const auto row = [](const char *tag, const char *file, const QString &lines) { QTest::newRow(tag) << QString(file) << lines; };
        QString privateUse = QStringLiteral("From: http://unicode-table.com/en/#private-use-area");
        for (int c = 0xF700; c < 0xF727; ++c)
            privateUse += (c % 16 ? QString() : QStringLiteral("\n%1").arg(c, 0, 16).toUpper()) + QChar(c);
        row("align", "re41_paragraph_align_line.rtf",
            "This is a simple five paragraph document.\nThis is the second paragraph with a\nline break and it is centered.\nThis is "
            "the third paragraph.\nThis is the fourth paragraph and it is right aligned.\nAnd this paragraph is left aligned again.");
        row("special", "re41_special_chars.rtf",
            QString::fromUtf8("Tab A\tB\nTab A\tB\nCR A\nB\nLF A\nB\nThis is a line break.\nHere is the new line.\nEmdash: \u2014\n"
                              "Endash: \u2013\nEmspace: \u2003\nEnspace: \u2002\nQmspace: \u2005\nBullet: \u2022\nLquote: \u2018\n"
                              "Rquote: \u2019\nLdblquote: \u201c\nRdblquote: \u201d"));
        row("greek", "re_greek_fcharset161.rtf", QString::fromUtf8("Unicode \u20ac\u03a9"));
        row("japanese", "re30_japanese_cp932.rtf", QString::fromUtf8("お元気ですか？"));
        row("shiftjis", "re41_deflang1031_shiftjis.rtf", QString::fromUtf8("バージョンアップ注文書（銀行振込）"));
        row("surrogates", "re10_surrogates_latin1.rtf", QString::fromUtf8("Iñtërnâtiônàlizætiøn☃💩"));
        row("codepages", "re41_unicode_codepages.rtf",
            QString::fromUtf8("Արամ\nJohann Strauß\nBelgië\tRené Magritte\nবাংলা\n་ཡུལ།\nប្រទេស\u200b\u200b\u200bកម្ពុជា\nᓄᓇᕗᒻᒥᐅᑦ\n中国\n"
                              "Česká republika"));
        row("field", "re41_negative_unicode_field.rtf", privateUse);
        row("bullets", "re10_bullets_numbering.rtf", "Paragraph\nBullet\nBullet 2\nParagraph 2\nList 1\nList 2");
        row("mac", "mac_textedit_linebreaks.rtf", "A\nB\nC");
        row("bin skipped", "lo_bin_skipping.rtf", "text");
        row("cjk fallback", "lo6_unicode_cjk.rtf", QString::fromUtf8("柔道"));
        row("table", "table_minimal.rtf", "cell 1\tcell 2\tcell 3\t");
        row("legacy lists", "pandoc_list_legacy_pn.rtf", "A\nNumbered\nList\nA\nBulleted\nList");
        row("truncated", "damaged_truncated.rtf", QString::fromUtf8("Hello world in {RTF}…"));
        row("extra brace", "damaged_extra_brace.rtf", QString::fromUtf8("Hello world in {RTF}…\n"));
        row("leading garbage", "damaged_leading_garbage.rtf", QString::fromUtf8("Hello world in {RTF}…\n"));
        row("invalid hex", "damaged_invalid_hex.rtf", QString::fromUtf8("xřx"));
        row("only a picture", "png_hex.rtf", QString());
        row("korean", "re14_korean_cp949.rtf", QStringLiteral("MS Project Addin ProjectPlus"));
        row("uc and surrogates", "pandoc_unicode_uc_surrogates.rtf",
            QString::fromUtf8("“hi”‘hi’") + QChar(0xF0B7) + QString::fromUtf8("αä𝐻") + QChar(0xD835) + QStringLiteral("unpaired"));
    }

    void sampleText()
    {
        QFETCH(QString, file);
        QFETCH(QString, lines);
        const QByteArray rtf = RtfTestSupport::sample(file);
        QVERIFY(!rtf.isEmpty());
        QCOMPARE(RtfReader::textLines(rtf), lines.split(u'\n'));
    }

    // Whether the document holds the same lines is the round trip's test:
    // it compares these lines with those of the document written back.
    void noSampleHasUndecodableText()
    {
        const QStringList names = RtfTestSupport::sampleNames();
        QCOMPARE(names.size(), 42);
        for (const QString &name : names)
            QVERIFY2(!RtfReader::textLines(RtfTestSupport::sample(name)).join(u'\n').contains(QChar(0xFFFD)), qPrintable(name));
    }

    void richEdit41Formats()
    {
        QScopedPointer<QTextDocument> doc(read(RtfTestSupport::sample("re41_paragraph_align_line.rtf")));
        QCOMPARE(doc->blockCount(), 5);
        const QTextCharFormat plain = formatOf(*doc, "This ");
        QVERIFY(plain.fontFamilies().toStringList() == QStringList{"Calibri"} && plain.fontPointSize() == 11.0
                && plain.fontWeight() == QFont::Normal);
        QCOMPARE(formatOf(*doc, "is", true).fontPointSize(), 22.0);
        QCOMPARE(formatOf(*doc, "simple").fontWeight(), int(QFont::Bold));
        QVERIFY(formatOf(*doc, "five").fontUnderline());
        QVERIFY(formatOf(*doc, "paragraph ").fontItalic());
        QVERIFY(!formatOf(*doc, "document").fontUnderline());
        QCOMPARE(formatOf(*doc, "second").foreground().color(), QColor(0, 77, 187));
        QVERIFY(!formatOf(*doc, "This is the ").hasProperty(QTextFormat::ForegroundBrush));

        QTextBlock b = doc->begin();
        QCOMPARE(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(b.blockFormat().bottomMargin(), 200 / 15.0);
        QCOMPARE(b.blockFormat().lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
        QCOMPARE(b.blockFormat().lineHeight(), 115.0);
        b = b.next(); // the \line stays inside the paragraph, whose format comes at its \par
        QVERIFY(b.text().contains(QChar::LineSeparator));
        QCOMPARE(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        b = b.next().next();
        QCOMPARE(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

        QScopedPointer<QTextDocument> styles(read(RtfTestSupport::sample("re41_styles_fonts.rtf")));
        QCOMPARE(formatOf(*styles, "Arial 11").fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(formatOf(*styles, "Arial 12").fontPointSize(), 12.0);
        QVERIFY(formatOf(*styles, "italic").fontItalic());
    }

    void bulletsAndNumbering()
    {
        QScopedPointer<QTextDocument> doc(read(RtfTestSupport::sample("re10_bullets_numbering.rtf")));
        QCOMPARE(lists(*doc), QStringLiteral("- disc:2 disc:2 - decimal:2. decimal:2."));
        QCOMPARE(doc->begin().next().blockFormat().leftMargin(), 720 / 15.0);
        // "1)" numbering and bullets without indents still show their marker
        QScopedPointer<QTextDocument> fb(read(RtfTestSupport::sample("re10_bullets_fbidis_colour.rtf")));
        QCOMPARE(lists(*fb), QStringLiteral("disc:3 disc:3 disc:3 decimal:1)"));
        QVERIFY(fb->begin().blockFormat().leftMargin() > 0);
        QCOMPARE(formatOf(*fb, "A", true).foreground().color(), QColor(Qt::white));
        QScopedPointer<QTextDocument> legacy(read(RtfTestSupport::sample("pandoc_list_legacy_pn.rtf")));
        QCOMPARE(lists(*legacy), QStringLiteral("decimal:3. decimal:3. decimal:3. disc:3 disc:3 disc:3"));
    }

    void highlightAndOldLayout()
    {
        QScopedPointer<QTextDocument> doc(read(RtfTestSupport::sample("re10_highlight_colors.rtf")));
        QCOMPARE(formatOf(*doc, "Highlighted Line").background().color(), QColor(255, 0, 0));
        QCOMPARE(formatOf(*doc, "Colored & Highlighted").foreground().color(), QColor(255, 255, 255));
        QCOMPARE(formatOf(*doc, "Colored & Highlighted").background().color(), QColor(0, 0, 255));
        QVERIFY(!formatOf(*doc, "Normal Line 1").hasProperty(QTextFormat::BackgroundBrush));
        QCOMPARE(formatOf(*doc, "Normal Line 1").fontPointSize(), 8.5);

        // every paragraph written as CR LF "\par ": the line ends are not text
        QScopedPointer<QTextDocument> old(read(RtfTestSupport::sample("re_oldstyle_cyrillic_highlight.rtf")));
        const QStringList lines = RtfReader::textLines(RtfTestSupport::sample("re_oldstyle_cyrillic_highlight.rtf"));
        QCOMPARE(lines.value(1), QString::fromUtf8("УХВАЛА"));
        QCOMPARE(lines.value(3), QString::fromUtf8("27 грудня 2018 року"));
        QCOMPARE(formatOf(*old, QString::fromUtf8("УХВАЛА")).fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(*old, QString::fromUtf8("УХВАЛА")).background().color(), QColor(Qt::white));
        QCOMPARE(old->begin().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
        QCOMPARE(old->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    void codePagesOfFontsAndUnicodeFallbacks()
    {
        QScopedPointer<QTextDocument> korean(read(RtfTestSupport::sample("re14_korean_cp949.rtf")));
        QCOMPARE(korean->begin().charFormat().fontFamilies().toStringList().value(0), QString::fromUtf8("맑은 고딕"));
        QScopedPointer<QTextDocument> jp(read(RtfTestSupport::sample("re30_japanese_cp932.rtf")));
        QCOMPARE(formatOf(*jp, QString::fromUtf8("お元気")).fontFamilies().toStringList().value(0), QString::fromUtf8("ＭＳ Ｐゴシック"));
        const QStringList gbk = RtfReader::textLines(RtfTestSupport::sample("re41_bullets_gbk.rtf"));
        QCOMPARE(gbk.value(2), QString::fromUtf8("新功能"));
        QVERIFY(gbk.value(8).startsWith(QString::fromUtf8("加入“再试失败站点对传”设置")));
        QVERIFY(RtfReader::textLines(RtfTestSupport::sample("word_german_umlauts_tables.rtf"))
                    .join('\n')
                    .contains(QString::fromUtf8("vegi: überbackenes Gemüse mit Erdäpfel")));
        // Turkish in code page 1254; \ansicpg governs fonts of charset 0 and 1;
        // the font Symbol reads as Unicode, other symbol fonts keep their bytes
        // as U+F0xx; \uc is scoped to its group; \bin and \'hh count as one
        // fallback character.
        const std::pair<const char *, QString> cases[] = {
            {"{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0\\fcharset162 Arial;}}\\f0 \\'fe\\'f0\\'dd\\par}", QStringLiteral("şğİ")},
            {"{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset1 X;}}\\f0 \\'c0}", QStringLiteral("А")},
            {"{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\f1 \\'b7a\\'a3\\'e2}", QStringLiteral("•α≤\uF0E2")},
            {"{\\rtf1{\\fonttbl{\\f1\\fcharset2 Wingdings;}}\\f1 J1}", QStringLiteral("\uF04A\uF031")},
            {"{\\rtf1 {\\uc3\\u252abcd}\\u252xy}", QStringLiteral("üdüy")},
            {"{\\rtf1\\uc2\\u252\\'fc\\bin2 xyz}", QStringLiteral("üz")},
            {"{\\rtf1\\u-4064 ?\\u128169?}", QStringLiteral("\uF020💩")}};
        for (const auto &[rtf, text] : cases)
            QCOMPARE(RtfReader::textLines(rtf), QStringList{text});
    }

    void finalParagraphMarkAndDamagedInput()
    {
        // The lines joined by "|": not RTF at all is shown as text; unbalanced
        // braces and a document that just stops keep what came before.
        const std::pair<QByteArray, QString> cases[] = {{"{\\rtf1 a\\par\r\n}\r\n", "a"},
                                                        {QByteArray("{\\rtf1 a\\par\r\n}\r\n\0", 19), "a"},
                                                        {"{\\rtf1 a\\par\\par}", "a|"},
                                                        {"{\\rtf1 a}", "a"},
                                                        {"{\\rtf1 a\\line}", "a|"},
                                                        {"{\\rtf1 }", ""},
                                                        {"", ""},
                                                        {"plain\r\ntext", "plain|text"},
                                                        {"{\\rtf1 {\\b bold", "bold"},
                                                        {"{\\rtf1 a}}}}b", "a"},
                                                        {"{\\rtf1 a\\", "a"},
                                                        {"{\\rtf1 a\\'", "a"},
                                                        {"{\\rtf1 a\\'4", "a"},
                                                        {"{\\rtf1 a\\u", "a"},
                                                        {"{\\rtf1 a\\zz99999999999999999999 b}", "ab"}};
        for (const auto &[rtf, lines] : cases)
            QCOMPARE(RtfReader::textLines(rtf).join(u'|'), lines);
        QTextDocument doc;
        RtfReader::read("{\\rtf1 a\\par\r\n}\r\n", doc);
        QCOMPARE(doc.blockCount(), 1);
        RtfReader::read("{\\rtf1 a\\par\\par}", doc);
        QCOMPARE(doc.blockCount(), 2);

        // the body inside a font table that never closed
        const QStringList german = RtfReader::textLines(RtfTestSupport::sample("damaged_re_german_fonttbl.rtf"));
        QCOMPARE(german.value(0), QStringLiteral("5% Auf Patronen "));
        RtfReader::read(RtfTestSupport::sample("damaged_re_german_fonttbl.rtf"), doc);
        QCOMPARE(formatOf(doc, "Patronen").fontFamilies().toStringList(), QStringList{"Verdana"});
        QCOMPARE(formatOf(doc, "Patronen").fontPointSize(), 9.0);
    }

    void hostileInput()
    {
        QElapsedTimer timer;
        timer.start();
        // deep nesting
        const QByteArray deep = "{\\rtf1 " + QByteArray(200000, '{') + "x";
        QTextDocument doc;
        RtfReader::read(deep, doc);
        QVERIFY(RtfReader::textLines(deep).size() <= 1);
        QByteArray deepClosed = "{\\rtf1 a" + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "b}";
        QCOMPARE(RtfReader::textLines(deepClosed), QStringList{"ab"});
        // absurd \bin counts, inside and outside pictures
        QCOMPARE(RtfReader::textLines("{\\rtf1 a\\bin2147483647 xyz"), QStringList{"a"});
        QCOMPARE(RtfReader::textLines("{\\rtf1 a{\\pict\\pngblip\\bin99999999999999 x}b}"), QStringList{"a"});
        RtfReader::read("{\\rtf1 a{\\pict\\pngblip\\bin-5 x}b}", doc);
        RtfReader::read("{\\rtf1 {\\*\\shppict\\bin4294967295 }}", doc);
        // enormous sizes and a picture header that claims a huge bitmap
        RtfReader::read("{\\rtf1 {\\pict\\wmetafile8\\picw2147483647\\pich2147483647\\picwgoal2147483647"
                        "\\pichgoal-2147483647\\picscalex2147483647 0100}}",
                        doc);
        QCOMPARE(doc.characterCount(), 2);
        RtfReader::read("{\\rtf1 {\\pict\\dibitmap0 28000000ffffff7fffffff7f010018000000000000000000000000000000000000000000000000}}", doc);
        // many unknown destinations and control words
        QByteArray junk = "{\\rtf1 ";
        for (int i = 0; i < 20000; ++i)
            junk += "{\\*\\unknown" + QByteArray::number(i) + " skip}\\foo" + QByteArray::number(i) + " ";
        junk += "end}";
        QCOMPARE(RtfReader::textLines(junk), QStringList{"end"});
        // a table of 40000 rows (once a minute's work) and one of 1000 cells a row
        QByteArray rows = "{\\rtf1 ";
        for (int i = 0; i < 40000; ++i)
            rows += "\\intbl " + QByteArray::number(i) + "\\cell\\row ";
        RtfReader::read(rows + "}", doc);
        int filled = 0;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            filled += !b.text().isEmpty();
        QCOMPARE(filled, 40000);
        RtfReader::read("{\\rtf1 " + QByteArray("x\\cell ").repeated(1000) + "\\row}", doc);
        QCOMPARE(QTextCursor(doc.begin().next()).currentTable()->columns(), RtfParser::MaxColumns);
        QCOMPARE(doc.toPlainText().count(u'x'), 1000);
        QVERIFY2(timer.elapsed() < 20000, "hostile input took too long");
    }

    void truncatedAndMutatedSamples()
    {
        // every cut of small samples, and random damage to all of them: what
        // comes back is what could be read, with no crash
        QRandomGenerator random(4711);
        for (const QString &name : RtfTestSupport::sampleNames()) {
            const QByteArray rtf = RtfTestSupport::sample(name);
            const int step = qMax<int>(1, int(rtf.size() / 150));
            for (qsizetype cut = 0; cut < rtf.size(); cut += step) {
                const QByteArray part = rtf.left(cut);
                RtfReader::textLines(part);
                if (rtf.size() < 30000 || cut % (step * 10) == 0) {
                    QTextDocument doc;
                    RtfReader::read(part, doc);
                }
            }
            for (int round = 0; round < 8; ++round) {
                QByteArray damaged = rtf;
                for (int i = 0; i < 12; ++i) {
                    const qsizetype at = random.bounded(qMax<int>(1, int(damaged.size())));
                    static const char bytes[] = "{}\\'0123456789abcxyz-* \r\n\0\xff";
                    damaged[at] = bytes[random.bounded(int(sizeof bytes - 1))];
                }
                QTextDocument doc;
                RtfReader::read(damaged, doc);
                RtfReader::textLines(damaged);
            }
        }
    }

    void quilloPictureDestination()
    {
        // Quillo's own picture and the metafile beside it are one picture;
        // which one is shown and kept is the face pictures' test.
        QTextDocument doc;
        RtfReader::read("{\\rtf1 a{\\*\\quillopict {\\pict\\pngblip 00}}\r\n{\\pict\\wmetafile8 0100090000}b\\par}", doc);
        QCOMPARE(doc.toRawText(), QStringLiteral("a") + QChar(0xFFFC) + QStringLiteral("b"));
        // damaged forms: empty, nested, without the metafile
        for (const char *damaged : {"{\\rtf1 a{\\*\\quillopict }b}", "{\\rtf1 a{\\*\\quillopict {\\*\\quillopict {\\pict 00}}}b}",
                                    "{\\rtf1 a{\\*\\quillopict {\\pict\\pngblip 00}}b}", "{\\rtf1 a{\\*\\quillopict {\\pict"}) {
            RtfReader::read(damaged, doc);
            QVERIFY(doc.toPlainText().startsWith(QLatin1Char('a')));
        }
    }

    void charsetsAndTheirCodePages()
    {
        // 0, 1 and charsets without a page of their own follow \ansicpg.
        const std::pair<int, int> pages[] = {{0, 1252},   {1, 1252},   {3, 1252},   {2, CodePage::Symbol}, {77, 10000}, {128, 932},
                                             {129, 949},  {134, 936},  {136, 950},  {161, 1253},           {162, 1254}, {163, 1258},
                                             {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251},           {222, 874},  {238, 1250},
                                             {255, 437}};
        for (const auto &[charset, page] : pages)
            QCOMPARE(CodePage::fromCharset(charset, 1252), page);
        for (int page : {932, 936, 949, 950})
            QVERIFY(CodePage::isDoubleByte(page));
        for (int page : {1252, 874, 10000, int(CodePage::Symbol)})
            QVERIFY(!CodePage::isDoubleByte(page));
        // The other pages are the samples' test; no sample is in Big5. An
        // unknown page reads as 1252.
        QCOMPARE(decoded(1252, "\x80\x9f\xe4"), QStringLiteral("€Ÿä"));
        QCOMPARE(decoded(4711, "\x80"), QStringLiteral("€"));
        QCOMPARE(decoded(950, "\xa4\xa4"), QStringLiteral("中"));
        QVERIFY(!CodePage::table(932) && !CodePage::table(CodePage::Symbol));
    }

    void bytesWithoutACharacterAndSymbolBytes()
    {
        // Bytes 1252 leaves open keep their Latin-1 value, as Windows reads them.
        for (char byte : {'\x81', '\x8d', '\x8f', '\x90', '\x9d'})
            QCOMPARE(decoded(1252, QByteArrayView(&byte, 1)), QString(QChar(uchar(byte))));
        // A double-byte sequence cut off or invalid: one replacement, then on.
        QCOMPARE(decoded(932, "a\x82"), QStringLiteral("a\uFFFD"));
        QCOMPARE(decoded(936, "\377b"), QStringLiteral("\uFFFDb"));
        // Symbol fonts: the byte in the private use area; the font Symbol
        // where Unicode has no plain character.
        QCOMPARE(decoded(CodePage::Symbol, "A\x10"), QStringLiteral("\uF041\x10"));
        QCOMPARE(decoded(CodePage::SymbolFont, "a\xa3\xf0\x7f"), QStringLiteral("α≤\uF0F0\uF07F"));

        // The reader's table and the writer's encoder agree on every byte;
        // each byte of a symbol font is written back as itself.
        const char16_t *table = CodePage::table(1252);
        QVERIFY(table);
        for (int byte = 0; byte < 256; ++byte)
            QCOMPARE(Windows1252::byteFor(table[byte]), byte);
        for (int byte = 0x20; byte < 256; ++byte) {
            QCOMPARE(CodePage::symbolByte(CodePage::symbolFontChar(uchar(byte)), true), byte);
            QCOMPARE(CodePage::symbolByte(CodePage::symbolChar(uchar(byte)), false), byte);
        }
        // Outside a symbol font, or without a byte: none.
        QCOMPARE(CodePage::symbolByte(u'α', false), -1);
        QCOMPARE(CodePage::symbolByte(u'中', true), -1);
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
