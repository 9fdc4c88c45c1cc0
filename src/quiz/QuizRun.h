#pragma once

#include <QList>
#include <QString>

#include <functional>

class CardSet;
class RandomGenerator;

// The rules of one quiz, without the window: which cards are still to be
// asked, which one is asked now, and how a verdict moves the card between
// the boxes. Review asks every listed card once; cramming works through the
// list in working sets of CramSize cards until each was answered right.
// Every verdict is recorded in the set's learning history as it is given,
// so a quiz ended early keeps the answers it had.
class QuizRun
{
public:
    enum Mode { Review = 1, Cramming = 2 };
    enum class Phase { Question, Answer, Finished };

    QuizRun(CardSet &set, RandomGenerator &random, Mode mode, int cramSize = 5);

    Mode QuizMode() const { return m_mode; }
    const QList<qint32> &QuizList() const { return m_list; }
    qint32 CurrentCard() const { return m_current; }
    qint32 DrawRange() const { return m_drawRange; }
    qint32 CramSize() const { return m_cramSize; }
    Phase phase() const { return m_phase; }
    int remaining() const { return int(m_list.size()); }

    // The cards of the chosen box (1 to 4) in set order; every card when no
    // box is chosen (0) or the chosen one is empty. Sets DrawRange.
    void buildList(int selectedBox);
    // For a list prepared elsewhere; indices outside the set and repeats are
    // dropped, so a verdict can never touch a card that does not exist.
    void setQuizList(const QList<qint32> &list);

    // Draws the next question from the first DrawRange entries. False, and
    // the run is finished, when no card is left.
    bool drawNext();
    // The answer may be shown once per question; false when not allowed now.
    bool showAnswer();
    // Verdicts count only after the answer was shown; each applies the box
    // rule of the mode, records the answer and draws the next question.
    bool answerRight();
    bool answerWrong();

    // The time an answer is recorded with, in seconds since 1970 UTC; the
    // system clock unless a test sets its own.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // "Noch 3 Karten."; the plural stays for one card.
    static QString counterText(int remaining);

private:
    void resetDrawRange();
    void setBox(int box);
    void record(bool known, int boxBefore);

    CardSet &m_set;
    RandomGenerator &m_random;
    Mode m_mode;
    qint32 m_cramSize;
    QList<qint32> m_list;
    qint32 m_current = -1;
    qint32 m_drawRange = 0;
    Phase m_phase = Phase::Finished;
    std::function<qint64()> m_clock;
};
