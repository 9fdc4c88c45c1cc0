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

// A run over cards in these boxes, read from a file as a learner's set is.
struct Run
{
    explicit Run(const QList<qint32> &boxes, QuizRun::Mode mode = QuizRun::Review, int cramSize = 5, quint32 seed = 1)
        : random(seed)
        , run((fillBoxes(set, boxes), set), random, mode, cramSize)
    {
    }
    CardSet set;
    RandomGenerator random;
    QuizRun run;
};

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
        // Only exact matches count; a box outside 1 to 4 cannot be chosen.
        Run r({1, 2, 1, 4, 2, 1, 3, 0, 5, -1, 12});
        r.run.buildList(1);
        QCOMPARE(r.run.QuizList(), QList<qint32>({0, 2, 5}));
        QCOMPARE(r.run.DrawRange(), 3);
        r.run.buildList(4);
        QCOMPARE(r.run.QuizList(), QList<qint32>({3}));
        for (int box : {0, 5}) {
            r.run.buildList(box);
            QCOMPARE(r.run.remaining(), 11);
        }
        // A list made elsewhere loses repeats and cards the set does not have.
        r.run.setQuizList({2, -1, 0, 2, 11, 1});
        QCOMPARE(r.run.QuizList(), QList<qint32>({2, 0, 1}));
        QCOMPARE(r.run.DrawRange(), 3);

        // Cramming: an empty box gives all cards; the working set is at most
        // the list and never below one card.
        Run cram({1, 2, 4}, QuizRun::Cramming, 2);
        cram.run.buildList(3);
        QCOMPARE(cram.run.QuizList(), QList<qint32>({0, 1, 2}));
        QCOMPARE(cram.run.DrawRange(), 2);
        Run few({1, 1, 1}, QuizRun::Cramming, 5);
        few.run.buildList(1);
        QCOMPARE(few.run.DrawRange(), 3);
        Run none({1, 1, 1}, QuizRun::Cramming, 0);
        none.run.buildList(0);
        QCOMPARE(QPoint(none.run.CramSize(), none.run.DrawRange()), QPoint(1, 1));
    }

    void cramSizeIsAlwaysWithinItsBounds()
    {
        const std::pair<const char *, int> cases[] = {{"12", 12},  {" 40 ", 40}, {"5", 5},     {"500", 500}, {"1", 5},
                                                      {"0", 5},    {"-3", 5},    {"501", 500}, {"", 5},      {"99999999999999", 500},
                                                      {"zehn", 5}, {"7.5", 5}};
        for (const auto &[text, size] : cases)
            QCOMPARE(BoxChoice::cramSizeFromText(QString::fromLatin1(text)), size);
    }

    void reviewAsksEachCardOnceAndMovesBoxesWithinBounds()
    {
        Run r({4, 1, 2, 3}, QuizRun::Review, 5, 2024);
        r.run.buildList(0);
        r.run.setQuizList({0, 1, 2});
        QCOMPARE(play(r.run, [](qint32 card) { return card != 1; }).size(), 3);
        // Box 4 right stays 4, box 1 wrong stays 1, box 2 right rises; card 3 was not listed.
        QCOMPARE(boxesOf(r.set), QList<qint32>({4, 1, 3, 3}));
        QCOMPARE(r.run.phase(), QuizRun::Phase::Finished);

        // A second review, all wrong: every listed card falls one box.
        QuizRun again(r.set, r.random, QuizRun::Review);
        again.buildList(0);
        play(again, [](qint32) { return false; });
        QCOMPARE(boxesOf(r.set), QList<qint32>({3, 1, 2, 2}));

        // Damaged box numbers return into range: 0 right, 9 wrong, 7 right, -2 wrong.
        Run damaged({0, 9, 7, -2}, QuizRun::Review, 5, 3);
        damaged.run.buildList(0);
        play(damaged.run, [](qint32 card) { return card % 2 == 0; });
        QCOMPARE(boxesOf(damaged.set), QList<qint32>({1, 4, 4, 1}));
    }

    void reviewOrderFollowsTheGenerator()
    {
        // Seeded, a review asks its cards in one order: the draw is replayable.
        for (auto [seed, order] : {std::pair{7u, QList<qint32>{1, 5, 2, 4, 0, 3}}, {2024u, QList<qint32>{3, 1, 0, 4, 2, 5}}}) {
            Run r(QList<qint32>(6, 2), QuizRun::Review, 5, seed);
            r.run.buildList(2);
            QCOMPARE(play(r.run, [](qint32 card) { return card % 2 == 0; }), order);
        }
    }

    void crammingWorksThroughWorkingSets()
    {
        for (quint32 seed : {1u, 99u, 31337u, 4000000000u}) {
            Run r(QList<qint32>(12, 3), QuizRun::Cramming, 5, seed);
            QuizRun &run = r.run;
            RandomGenerator verdicts(seed ^ 0x5a5a5a5au);
            run.buildList(3);
            QCOMPARE(run.DrawRange(), 5);

            QSet<qint32> known;
            QList<qint32> boxes(12, 3); // a wrong verdict lowers the box, a right one leaves it
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
                QCOMPARE(run.DrawRange(), end - known.size());
                run.showAnswer();
                if (verdicts.draw(3) == 0) {
                    boxes[card] = std::max(1, boxes[card] - 1);
                    run.answerWrong();
                } else {
                    known.insert(card);
                    run.answerRight();
                }
                QVERIFY(++questions < 10000);
            }
            QCOMPARE(known.size(), 12);
            QCOMPARE(run.phase(), QuizRun::Phase::Finished);
            QCOMPARE(boxesOf(r.set), boxes);
        }
    }

    void verdictsNeedTheAnswerFirst()
    {
        Run r({2, 2});
        r.run.buildList(2);
        // Nothing drawn yet; no verdict before the answer; the answer once.
        QCOMPARE((QList<bool>{r.run.showAnswer(), r.run.drawNext(), r.run.answerRight(), r.run.answerWrong(), r.run.showAnswer(),
                              r.run.showAnswer(), r.run.answerRight()}),
                 (QList<bool>{false, true, false, false, true, false, true}));
        QList<qint32> boxes = boxesOf(r.set);
        std::sort(boxes.begin(), boxes.end());
        QCOMPARE(boxes, QList<qint32>({2, 3}));
        QCOMPARE(r.run.phase(), QuizRun::Phase::Question);
        QCOMPARE(r.run.remaining(), 1);
    }

    // Each verdict is in the history the moment it is given, with the box
    // move it made; a run left half way keeps what was answered.
    void verdictsAreRecordedAsGiven()
    {
        for (QuizRun::Mode mode : {QuizRun::Review, QuizRun::Cramming}) {
            Run r({2, 5, 2}, mode);
            qint64 now = 1'700'000'000;
            r.run.setClock([&now] { return now += 60; });
            r.run.buildList(0);
            QList<LearningAnswer> expected;
            for (bool known : {false, true, true}) {
                r.run.drawNext();
                const int card = r.run.CurrentCard();
                const int before = CardSet::clampBox(r.set.box(card));
                r.run.showAnswer();
                known ? r.run.answerRight() : r.run.answerWrong();
                expected.append({r.set.cardId(card), now,
                                 mode == QuizRun::Review ? LearningAnswer::Mode::Review : LearningAnswer::Mode::Cramming, known,
                                 quint8(before), quint8(r.set.box(card))});
                if (mode == QuizRun::Cramming && known)
                    QCOMPARE(expected.last().boxAfter, expected.last().boxBefore);
            }
            QCOMPARE(r.set.history().answers(), expected);
            QVERIFY(r.set.Modified());
        }
    }
};

QTEST_GUILESS_MAIN(TestQuizRun)
#include "tst_quizrun.moc"
