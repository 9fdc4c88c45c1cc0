#pragma once

#include <QTextStream>

class CardSet;
class QuizRun;

// A quiz on a terminal or from a script, one line of input per step: Enter
// turns the card, then "j" (or "y") counts it known and "n" not known; "q"
// or the end of the input stops. The rules are QuizRun's, as in the window.
class TerminalQuiz
{
public:
    struct Outcome
    {
        int known = 0;
        int notKnown = 0;
        // Stopped by "q" or the end of the input before the run finished.
        bool stopped = false;
        int asked() const { return known + notKnown; }
    };

    // `echo`: the input is not shown as typed (a script's), so each answer's
    // line is ended here.
    TerminalQuiz(CardSet &set, QuizRun &run, QTextStream &in, QTextStream &out, bool echo);

    // Asks until the run is finished or stopped; the run's list is built.
    Outcome ask();

private:
    enum class Verdict { Known, NotKnown, Stop };
    void showFace(const char *caption, const QByteArray &face);
    // A line of input, null at its end.
    QString readLine();
    Verdict readVerdict();

    CardSet &m_set;
    QuizRun &m_run;
    QTextStream &m_in;
    QTextStream &m_out;
    bool m_echo;
};
