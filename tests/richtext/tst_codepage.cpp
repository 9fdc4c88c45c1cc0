#include "cardset/Windows1252.h"
#include "richtext/CodePage.h"

#include <QTest>

namespace {

QString decoded(int codePage, QByteArrayView bytes)
{
    QString out;
    CodePage::decode(codePage, bytes, out);
    return out;
}

} // namespace

class TestCodePage : public QObject
{
    Q_OBJECT

private slots:
    void charsetsGiveTheirCodePages()
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
    }

    void bytesDecodeInTheirPage()
    {
        QCOMPARE(decoded(1252, "\x80\x9f\xe4"), QStringLiteral("€Ÿä"));
        QCOMPARE(decoded(1251, "\xc0\xff"), QStringLiteral("Ая"));
        QCOMPARE(decoded(1253, "\xe1"), QStringLiteral("α"));
        // An unknown page reads as 1252.
        QCOMPARE(decoded(4711, "\x80"), QStringLiteral("€"));
        QCOMPARE(decoded(932, "\x82\xa0"), QStringLiteral("あ"));
        QCOMPARE(decoded(949, "\xb0\xa1"), QStringLiteral("가"));
        QCOMPARE(decoded(936, "\xd6\xd0"), QStringLiteral("中"));
        QCOMPARE(decoded(950, "\xa4\xa4"), QStringLiteral("中"));
        QVERIFY(!CodePage::table(932) && !CodePage::table(CodePage::Symbol));
    }

    void bytesWithoutACharacter()
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
    }

    void roundTripsThroughWindows1252AndSymbol()
    {
        // The reader's table and the writer's encoder agree on every byte.
        const char16_t *table = CodePage::table(1252);
        QVERIFY(table);
        for (int byte = 0; byte < 256; ++byte)
            QCOMPARE(Windows1252::byteFor(table[byte]), byte);
        // Each byte of a symbol font is written back as itself.
        for (int byte = 0x20; byte < 256; ++byte) {
            QCOMPARE(CodePage::symbolByte(CodePage::symbolFontChar(uchar(byte)), true), byte);
            QCOMPARE(CodePage::symbolByte(CodePage::symbolChar(uchar(byte)), false), byte);
        }
        // Outside a symbol font, or without a byte: none.
        QCOMPARE(CodePage::symbolByte(u'α', false), -1);
        QCOMPARE(CodePage::symbolByte(u'中', true), -1);
    }
};

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
