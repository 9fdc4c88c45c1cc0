#include "editor/CardSearch.h"

#include <QList>
#include <QTest>

namespace {

using Face = CardSearch::Face;

QByteArray face(const char *text)
{
    return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs24 ") + text + "\\par\r\n}";
}

// A scripted run over cards where `hits` names the cards holding the text.
struct Run
{
    QList<int> examined;
    int questions = 0;
    QList<bool> answers;

    CardSearch::Result step(int current, int count, const QList<int> &hits)
    {
        return CardSearch::step(
            current, count,
            [this, &hits](int i) {
                examined.append(i);
                return hits.contains(i) ? Face::Front : Face::None;
            },
            [this] {
                ++questions;
                return answers.isEmpty() ? false : answers.takeFirst();
            });
    }
};

} // namespace

class TestCardSearch : public QObject
{
    Q_OBJECT

private slots:
    void stepsForwardAndStopsAtTheFirstHit()
    {
        Run run;
        const CardSearch::Result result = run.step(0, 5, {2, 4});
        QCOMPARE(run.examined, (QList<int>{1, 2}));
        QCOMPARE(result.index, 2);
        QCOMPARE(result.face, Face::Front);
        QCOMPARE(run.questions, 0);

        // The next step continues after the card found.
        run.examined.clear();
        QCOMPARE(run.step(result.index, 5, {2, 4}).index, 4);
        QCOMPARE(run.examined, (QList<int>{3, 4}));
    }

    void theCurrentCardComesLastAfterYes()
    {
        Run run;
        run.answers = {true};
        const CardSearch::Result result = run.step(2, 4, {2});
        QCOMPARE(run.examined, (QList<int>{3, 0, 1, 2}));
        QCOMPARE(run.questions, 1);
        QCOMPARE(result.index, 2);

        // From the last card the question comes at once.
        Run last;
        last.answers = {true};
        QCOMPARE(last.step(3, 4, {0}).index, 0);
        QCOMPARE(last.examined, QList<int>{0});
        QCOMPARE(last.questions, 1);
    }

    void noEndsOnTheLastCardAndEveryPassAsksAgain()
    {
        Run run;
        run.answers = {true, true, false};
        const CardSearch::Result result = run.step(1, 3, {});
        QCOMPARE(run.questions, 3);
        QCOMPARE(result.index, 2);
        QCOMPARE(result.face, Face::None);
        QCOMPARE(run.examined.size(), 1 + 3 + 3);
    }

    void facesMatchIgnoringCaseInsideWordsAndTheBackWins()
    {
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
