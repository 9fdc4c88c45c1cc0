#include "cli/TerminalQuiz.h"

#include "cardset/CardSet.h"
#include "quiz/QuizRun.h"
#include "richtext/RtfReader.h"

TerminalQuiz::TerminalQuiz(CardSet &set, QuizRun &run, QTextStream &in, QTextStream &out, bool echo)
    : m_set(set)
    , m_run(run)
    , m_in(in)
    , m_out(out)
    , m_echo(echo)
{
}

QString TerminalQuiz::readLine()
{
    m_out.flush();
    const QString line = m_in.readLine();
    if (m_echo)
        m_out << '\n';
    return line;
}

void TerminalQuiz::showFace(const char *caption, const QByteArray &face)
{
    m_out << caption << '\n';
    for (const QString &line : RtfReader::textLines(face))
        m_out << "  " << line << '\n';
}

TerminalQuiz::Verdict TerminalQuiz::readVerdict()
{
    for (;;) {
        m_out << "Gewusst? [j/n/q] ";
        const QString line = readLine();
        if (line.isNull())
            return Verdict::Stop;
        const QString answer = line.trimmed().toLower();
        if (answer == QLatin1String("j") || answer == QLatin1String("y"))
            return Verdict::Known;
        if (answer == QLatin1String("n"))
            return Verdict::NotKnown;
        if (answer == QLatin1String("q"))
            return Verdict::Stop;
        m_out << "Bitte j (gewusst), n (nicht gewusst) oder q (aufhören) eingeben.\n";
    }
}

TerminalQuiz::Outcome TerminalQuiz::ask()
{
    Outcome outcome;
    m_run.drawNext();
    while (m_run.phase() == QuizRun::Phase::Question) {
        const qint32 card = m_run.CurrentCard();
        m_out << '\n'
              << CardSet::cardCaption(card) << " (Kasten " << m_set.box(card) << "), " << QuizRun::counterText(m_run.remaining()) << '\n';
        showFace("Vorderseite:", m_set.front(card));
        m_out << "Eingabetaste zeigt die Rückseite, q hört auf. ";
        const QString turn = readLine();
        if (turn.isNull() || turn.trimmed().compare(QLatin1String("q"), Qt::CaseInsensitive) == 0) {
            outcome.stopped = true;
            break;
        }
        m_run.showAnswer();
        showFace("Rückseite:", m_set.back(card));
        const Verdict verdict = readVerdict();
        if (verdict == Verdict::Stop) {
            outcome.stopped = true;
            break;
        }
        const qint32 before = m_set.box(card);
        if (verdict == Verdict::Known) {
            m_run.answerRight();
            ++outcome.known;
        } else {
            m_run.answerWrong();
            ++outcome.notKnown;
        }
        const qint32 after = m_set.box(card);
        if (after != before)
            m_out << "Kasten " << before << " → " << after << '\n';
        else
            m_out << "bleibt in Kasten " << after << '\n';
    }
    m_out.flush();
    return outcome;
}
