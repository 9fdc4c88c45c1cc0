#include "../BoxedSet.h"

#include "quiz/BoxChoice.h"
#include "quiz/QuizRun.h"
#include "quiz/RandomGenerator.h"

#include <QTest>

#include <algorithm>
#include <functional>

namespace {

// Answers every question until the run ends; known(card) gives the verdict.
QList<qint32> play(QuizRun &run, const std::function<bool(qint32)> &known)
{
    QList<qint32> asked;
    run.drawNext();
    while (run.phase() == QuizRun::Phase::Question && asked.size() < 100000) {
        asked.append(run.CurrentCard());
        run.showAnswer();
        if (known(run.CurrentCard()))
            run.answerRight();
        else
            run.answerWrong();
    }
    return asked;
}

} // namespace

class TestQuizRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generatorFollowsTheFixedSequence()
    {
        // seed, range: draw and next seed. The seed is read unsigned, 2^32 - 1
        // wraps; a range of 1 or less draws 0 instead of a negative index.
        const std::tuple<quint32, int, int, quint32> draws[] = {
            {0, 100, 0, 1},                   // 1 * 100 >> 32 = 0
            {1, 100, 3, 134775814},           // 13477581400 / 2^32 = 3.14
            {134775814, 100, 86, 3698175007}, // 134775814 * 134775813 + 1 mod 2^32; * 100 / 2^32 = 86.1
            {0xFFFFFFFFu, 10, 9, 4160191484}, // 9.69 of 10
            {123456789, 1, 0, 0},
            {123456789, 0, 0, 0},
            {123456789, -5, 0, 0}};
        for (const auto &[seed, range, draw, next] : draws) {
            RandomGenerator random(seed);
            QCOMPARE(random.draw(range), draw);
            if (next)
                QCOMPARE(random.seed(), next);
        }
    }

    void listsTakeTheChosenBoxOrAllCards()
    {
        CardSet set;
        fillBoxes(set, {1, 2, 1, 4, 2, 1, 3, 0, 5, -1, 12});
        QCOMPARE(BoxChoice(set).CardTotal(), 11);
        // Only exact matches count; a box outside 1 to 4 cannot be chosen.
        QCOMPARE(BoxChoice::BoxCount(set, 1), QStringLiteral("3"));
        QCOMPARE(BoxChoice::BoxCount(set, 4), QStringLiteral("1"));
        RandomGenerator random;
        QuizRun run(set, random, QuizRun::Review);
        run.buildList(1);
        QCOMPARE(run.QuizList(), QList<qint32>({0, 2, 5}));
        QCOMPARE(run.DrawRange(), 3);
        run.buildList(4);
        QCOMPARE(run.QuizList(), QList<qint32>({3}));
        run.buildList(0);
        QCOMPARE(run.remaining(), 11);
        run.buildList(5);
        QCOMPARE(run.remaining(), 11);

        // An empty box gives all cards.
        CardSet other;
        fillBoxes(other, {1, 2, 4});
        QuizRun cram(other, random, QuizRun::Cramming, 2);
        cram.buildList(3);
        QCOMPARE(cram.QuizList(), QList<qint32>({0, 1, 2}));
        QCOMPARE(cram.DrawRange(), 2);
    }

    void cramSizeIsAlwaysWithinItsBounds()
    {
        const std::pair<const char *, int> cases[] = {{"12", 12},  {" 40 ", 40}, {"5", 5},     {"500", 500}, {"1", 5},
                                                      {"0", 5},    {"-3", 5},    {"501", 500}, {"", 5},      {"99999999999999", 500},
                                                      {"zehn", 5}, {"7.5", 5}};
        for (const auto &[text, size] : cases)
            QCOMPARE(BoxChoice::cramSizeFromText(QString::fromLatin1(text)), size);
    }

    void drawRangeOfCramming()
    {
        // A working set larger than the list is the list; one below one card is never used.
        RandomGenerator random;
        CardSet small;
        fillBoxes(small, QList<qint32>(3, 1));
        QuizRun few(small, random, QuizRun::Cramming, 5);
        few.buildList(1);
        QCOMPARE(few.DrawRange(), 3);
        QuizRun none(small, random, QuizRun::Cramming, 0);
        none.buildList(0);
        QCOMPARE(QPoint(none.CramSize(), none.DrawRange()), QPoint(1, 1));
    }

    void reviewAsksEachCardOnceAndMovesBoxesWithinBounds()
    {
        CardSet set;
        fillBoxes(set, {4, 1, 2, 3});
        RandomGenerator random(2024);
        QuizRun run(set, random, QuizRun::Review);
        run.buildList(0);
        run.setQuizList({0, 1, 2});

        QList<qint32> asked = play(run, [](qint32 card) { return card != 1; });
        std::sort(asked.begin(), asked.end());
        QCOMPARE(asked, QList<qint32>({0, 1, 2}));
        // Box 4 right stays 4, box 1 wrong stays 1, box 2 right rises; card 3 was not listed.
        QCOMPARE(boxesOf(set), QList<qint32>({4, 1, 3, 3}));
        QCOMPARE(run.phase(), QuizRun::Phase::Finished);
        QCOMPARE(run.remaining(), 0);

        // A second review, all wrong: every listed card falls one box.
        QuizRun again(set, random, QuizRun::Review);
        again.buildList(0);
        play(again, [](qint32) { return false; });
        QCOMPARE(boxesOf(set), QList<qint32>({3, 1, 2, 2}));
    }

    void reviewOrderFollowsTheGenerator()
    {
        // Seeded, a review asks its cards in one order: the draw is replayable.
        for (auto [seed, order] : {std::pair{7u, QList<qint32>{1, 5, 2, 4, 0, 3}}, {2024u, QList<qint32>{3, 1, 0, 4, 2, 5}}}) {
            CardSet set;
            fillBoxes(set, QList<qint32>(6, 2));
            RandomGenerator random(seed);
            QuizRun run(set, random, QuizRun::Review);
            run.buildList(2);
            QCOMPARE(play(run, [](qint32 card) { return card % 2 == 0; }), order);
        }
    }

    void crammingWorksThroughWorkingSets()
    {
        for (quint32 seed : {1u, 99u, 31337u, 4000000000u}) {
            CardSet set;
            fillBoxes(set, QList<qint32>(12, 3));
            RandomGenerator random(seed);
            RandomGenerator verdicts(seed ^ 0x5a5a5a5au);
            QuizRun run(set, random, QuizRun::Cramming, 5);
            run.buildList(3);
            QCOMPARE(run.DrawRange(), 5);

            QSet<qint32> known;
            int questions = 0;
            run.drawNext();
            while (run.phase() == QuizRun::Phase::Question) {
                const qint32 card = run.CurrentCard();
                // The working set in force: the first five until all five are
                // known, then the next five, then the last two.
                const int firstOpen = known.size() < 5 ? 0 : known.size() < 10 ? 5 : 10;
                const int end = std::min(firstOpen + 5, 12);
                QVERIFY2(card >= firstOpen && card < end,
                         qPrintable(QStringLiteral("seed %1: card %2 drawn with %3 known").arg(seed).arg(card).arg(known.size())));
                QVERIFY(!known.contains(card));
                QVERIFY(run.DrawRange() >= 1 && run.DrawRange() <= run.remaining());
                run.showAnswer();
                if (verdicts.draw(3) == 0) {
                    run.answerWrong();
                } else {
                    known.insert(card);
                    run.answerRight();
                }
                QVERIFY(++questions < 10000);
            }
            QCOMPARE(known.size(), 12);
            QCOMPARE(run.phase(), QuizRun::Phase::Finished);
            // Right verdicts leave the boxes alone.
            for (qint32 box : boxesOf(set))
                QVERIFY(box >= 1 && box <= 3);
        }
    }

    void crammingKeepsAWrongCardInPlace()
    {
        CardSet set;
        fillBoxes(set, QList<qint32>(7, 2));
        RandomGenerator random(77);
        QuizRun run(set, random, QuizRun::Cramming, 3);
        run.buildList(2);
        QVERIFY(run.drawNext());
        const qint32 card = run.CurrentCard();
        run.showAnswer();
        run.answerWrong();
        QCOMPARE(run.QuizList(), QList<qint32>({0, 1, 2, 3, 4, 5, 6}));
        QCOMPARE(run.DrawRange(), 3);
        QCOMPARE(set.box(card), 1);

        // Right: the card leaves the list and the working set shrinks by one.
        while (run.phase() == QuizRun::Phase::Question) {
            const qint32 current = run.CurrentCard();
            run.showAnswer();
            run.answerRight();
            QVERIFY(!run.QuizList().contains(current));
            if (run.remaining() == 4)
                break;
        }
        // The first set of three is used up: the next three follow.
        QCOMPARE(run.QuizList(), QList<qint32>({3, 4, 5, 6}));
        QCOMPARE(run.DrawRange(), 3);
    }

    void verdictsNeedTheAnswerFirst()
    {
        CardSet set;
        fillBoxes(set, {2, 2});
        RandomGenerator random(1);
        QuizRun run(set, random, QuizRun::Review);
        run.buildList(2);
        QVERIFY(!run.showAnswer()); // nothing drawn yet
        QVERIFY(run.drawNext());
        QVERIFY(!run.answerRight());
        QVERIFY(!run.answerWrong());
        QCOMPARE(run.remaining(), 2);
        QCOMPARE(boxesOf(set), QList<qint32>({2, 2}));
        QVERIFY(run.showAnswer());
        QVERIFY(!run.showAnswer());
        QCOMPARE(run.phase(), QuizRun::Phase::Answer);
        QVERIFY(run.answerRight());
        QCOMPARE(run.phase(), QuizRun::Phase::Question);
        QCOMPARE(run.remaining(), 1);
    }

    void damagedBoxNumbersReturnIntoRange()
    {
        CardSet set;
        fillBoxes(set, {0, 9, 7, -2});
        RandomGenerator random(3);
        QuizRun run(set, random, QuizRun::Review);
        run.buildList(0);
        play(run, [](qint32 card) { return card % 2 == 0; });
        // 0 right, 9 wrong, 7 right, -2 wrong
        QCOMPARE(boxesOf(set), QList<qint32>({1, 4, 4, 1}));
    }

    void foreignListsAreCleaned()
    {
        CardSet set;
        fillBoxes(set, QList<qint32>(3, 1));
        RandomGenerator random(3);
        QuizRun run(set, random, QuizRun::Review);
        run.setQuizList({2, -1, 0, 2, 3, 1});
        QCOMPARE(run.QuizList(), QList<qint32>({2, 0, 1}));
        QCOMPARE(run.DrawRange(), 3);
    }
};

QTEST_GUILESS_MAIN(TestQuizRun)
#include "tst_quizrun.moc"
