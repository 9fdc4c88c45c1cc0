#include "editor/CardSearch.h"

#include <QTest>

// How a card's text matches; the steps over the cards are the main window's
// search test.
class TestCardSearch : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(TestCardSearch)
#include "tst_cardsearch.moc"
