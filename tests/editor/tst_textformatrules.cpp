#include "editor/CardSearch.h"
#include "editor/TextFormatRules.h"

#include <QTest>
#include <QTextCursor>

using Style = TextFormatRules::Style;

// The editor's rules without a window: formats and the card search.
class TestTextFormatRules : public QObject
{
    Q_OBJECT

private slots:
    void stylesToggleAloneOnFormatsAndFontRecords()
    {
        for (Style style : {Style::Bold, Style::Italic, Style::Underline}) {
            // The change is merged into a selection: it holds the one style only.
            const QTextCharFormat on = TextFormatRules::toggled(QTextCharFormat(), style);
            QVERIFY(TextFormatRules::hasStyle(on, style));
            QCOMPARE(on.properties().size(), 1);
            const QTextCharFormat off = TextFormatRules::toggled(on, style);
            QVERIFY(!TextFormatRules::hasStyle(off, style));
            QCOMPARE(off.properties().keys(), on.properties().keys());
        }
        QTextCharFormat black;
        black.setFontWeight(QFont::Black);
        QCOMPARE(TextFormatRules::toggled(black, Style::Bold).fontWeight(), int(QFont::Normal));
        black.setFontWeight(QFont::DemiBold);
        QCOMPARE(TextFormatRules::toggled(black, Style::Bold).fontWeight(), int(QFont::Bold));

        FontRecord font;
        TextFormatRules::toggle(font, Style::Underline);
        QCOMPARE(font, (FontRecord{QStringLiteral("Arial"), 10, 0, false, false, true, false}));
        for (Style style : {Style::Bold, Style::Italic, Style::Underline})
            TextFormatRules::toggle(font, style);
        QCOMPARE(font, (FontRecord{QStringLiteral("Arial"), 10, 0, true, true, false, false}));
    }

    void fontRecordFillsGapsFromTheBaseFont()
    {
        const QFont base(QStringLiteral("Times New Roman"), 14);
        QTextCharFormat format;
        format.setFontItalic(true);
        format.setFontPointSize(20);
        // No colour of its own: the automatic text colour.
        QCOMPARE(TextFormatRules::fontRecord(format, base),
                 (FontRecord{QStringLiteral("Times New Roman"), 20, StoredColor::SystemWindowText, false, true, false, false}));
        format.setForeground(QBrush());
        QCOMPARE(TextFormatRules::fontRecord(format, base).Color, StoredColor::SystemWindowText);
        format.setForeground(QColor(10, 20, 30));
        format.setFontFamilies({QStringLiteral("Courier New")});
        format.setFontWeight(QFont::Bold);
        QCOMPARE(TextFormatRules::fontRecord(format, base),
                 (FontRecord{QStringLiteral("Courier New"), 20, StoredColor::fromRgb(10, 20, 30), true, true, false, false}));
    }

    void attributesOfTheSelectionsFirstCharacterOrTheCaret()
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("a"));
        cursor.insertText(QStringLiteral("b"), bold);
        // "ab" selected: the format of "a", not of the character before the caret.
        cursor.setPosition(0);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        QVERIFY(!TextFormatRules::hasStyle(TextFormatRules::selectionAttributes(cursor), Style::Bold));
        cursor.setPosition(1);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        QVERIFY(TextFormatRules::hasStyle(TextFormatRules::selectionAttributes(cursor), Style::Bold));
        // At the caret, a format set for the next typing counts.
        cursor.setPosition(2);
        QTextCharFormat italic;
        italic.setFontItalic(true);
        cursor.setCharFormat(italic);
        QVERIFY(TextFormatRules::hasStyle(TextFormatRules::selectionAttributes(cursor), Style::Italic));
    }

    // How a card's text matches; the steps over the cards are the main
    // window's search test.
    void facesMatchIgnoringCaseInsideWordsAndTheBackWins()
    {
        using Face = CardSearch::Face;
        const auto face = [](const char *text) {
            return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs24 ") + text + "\\par\r\n}";
        };
        QCOMPARE(CardSearch::examineCard(face("Die Hauptstadt"), face("Lima"), QStringLiteral("hauptSTADT")), Face::Front);
        QCOMPARE(CardSearch::examineCard(face("Photosynthese"), face("x"), QStringLiteral("synth")), Face::Front);
        QCOMPARE(CardSearch::examineCard(face("M\\'fcnchen"), face("x"), QStringLiteral("m\u00dcn")), Face::Front);
        QCOMPARE(CardSearch::examineCard(face("Peru"), face("Lima in Peru"), QStringLiteral("peru")), Face::Back);
        QCOMPARE(CardSearch::examineCard(face("Peru"), face("Lima"), QStringLiteral("Quito")), Face::None);
        // Control words are no text.
        QCOMPARE(CardSearch::examineCard(face("Peru"), QByteArray(), QStringLiteral("fonttbl")), Face::None);
    }
};

QTEST_MAIN(TestTextFormatRules)
#include "tst_textformatrules.moc"
