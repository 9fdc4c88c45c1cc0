#include "quiz/QuizRun.h"

#include "cardset/CardSet.h"
#include "quiz/RandomGenerator.h"

#include <QDateTime>

#include <algorithm>

QuizRun::QuizRun(CardSet &set, RandomGenerator &random, Mode mode, int cramSize)
    : m_set(set)
    , m_random(random)
    , m_mode(mode)
    // A working set of no cards would leave nothing to draw from.
    , m_cramSize(std::max(cramSize, 1))
    , m_clock([] { return QDateTime::currentSecsSinceEpoch(); })
{
}

void QuizRun::buildList(int selectedBox)
{
    QList<qint32> list;
    for (int box = 1; box <= 4; ++box) {
        if (box != selectedBox)
            continue;
        for (int card = 0; card < m_set.count(); ++card) {
            if (m_set.box(card) == box)
                list.append(card);
        }
    }
    if (list.isEmpty()) {
        for (int card = 0; card < m_set.count(); ++card)
            list.append(card);
    }
    m_list = list;
    resetDrawRange();
}

void QuizRun::setQuizList(const QList<qint32> &list)
{
    m_list.clear();
    for (qint32 card : list) {
        if (card >= 0 && card < m_set.count() && !m_list.contains(card))
            m_list.append(card);
    }
    resetDrawRange();
}

void QuizRun::resetDrawRange()
{
    const qint32 entries = qint32(m_list.size());
    m_drawRange = m_mode == Review ? entries : std::min(m_cramSize, entries);
}

bool QuizRun::drawNext()
{
    if (m_list.isEmpty()) {
        m_phase = Phase::Finished;
        return false;
    }
    m_drawRange = std::clamp(m_drawRange, qint32(1), qint32(m_list.size()));
    m_current = m_list.at(m_random.draw(m_drawRange));
    m_phase = Phase::Question;
    return true;
}

bool QuizRun::showAnswer()
{
    if (m_phase != Phase::Question)
        return false;
    m_phase = Phase::Answer;
    return true;
}

void QuizRun::setBox(int box)
{
    // Numbers from a damaged file are brought into 1 to 4 by the first
    // verdict instead of drifting further away.
    m_set.setBox(m_current, box);
}

void QuizRun::record(bool known, int boxBefore)
{
    if (!m_set.isValidIndex(m_current))
        return;
    m_set.recordAnswer(m_current, m_mode == Cramming ? LearningAnswer::Mode::Cramming : LearningAnswer::Mode::Review, known, boxBefore,
                       m_set.box(m_current), m_clock());
}

bool QuizRun::answerRight()
{
    if (m_phase != Phase::Answer)
        return false;
    const qint32 box = (m_set.isValidIndex(m_current) ? m_set.box(m_current) : 1);
    m_list.removeOne(m_current);
    if (m_mode == Review) {
        setBox(box + 1);
        m_drawRange = qint32(m_list.size());
    } else {
        if (--m_drawRange == 0)
            m_drawRange = m_cramSize;
        m_drawRange = std::min(m_drawRange, qint32(m_list.size()));
    }
    record(true, box);
    drawNext();
    return true;
}

bool QuizRun::answerWrong()
{
    if (m_phase != Phase::Answer)
        return false;
    const qint32 box = (m_set.isValidIndex(m_current) ? m_set.box(m_current) : 1);
    setBox(box - 1);
    record(false, box);
    if (m_mode == Review) {
        m_list.removeOne(m_current);
        m_drawRange = qint32(m_list.size());
    }
    drawNext();
    return true;
}

QString QuizRun::counterText(int remaining)
{
    return QStringLiteral("Noch ") + QString::number(remaining) + QStringLiteral(" Karten.");
}
