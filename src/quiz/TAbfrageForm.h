#pragma once

#include "quiz/QuizRun.h"

#include <QDialog>

#include <functional>

class CardSet;
class QLabel;
class QTextEdit;
class QToolButton;
class RandomGenerator;

// The quiz window: covers the screen, shows a card's front, on request its
// back, and takes the learner's verdict. The rules live in QuizRun; this
// window only shows their state. Keys: Space or Enter shows the answer,
// Right or J means known, Left or N unknown, Escape ends; Up, Down, Page Up
// and Page Down scroll a long face.
class TAbfrageForm : public QDialog
{
    Q_OBJECT

public:
    TAbfrageForm(CardSet &set, RandomGenerator &random, QuizRun::Mode mode, int cramSize, QWidget *parent = nullptr);

    QuizRun &run() { return m_run; }
    const QuizRun &run() const { return m_run; }

    // Faces show at the size at which they were edited.
    void setFaceSize(QSize size);

    // Draws and shows the next question; ends the quiz with its message when
    // no card is left.
    void ShowNextCard();
    // True once the quiz has ended, by the end button, the end message or a
    // close; the window is not shown again after that.
    bool ended() const { return m_ended; }

    // Shows the end message; replaceable so that tests need no message box.
    std::function<void(QWidget *parent, const QString &text)> showMessage;

    static const QString EndMessage;

    QLabel *Image1 = nullptr;
    QWidget *Panel1 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *Loesung = nullptr;
    QToolButton *Ok = nullptr;
    QToolButton *Falsch = nullptr;
    QTextEdit *Abfrage = nullptr;
    QLabel *Wieviel = nullptr;

public Q_SLOTS:
    void LoesungClick();
    void OkClick();
    void FalschClick();
    void SpeedButton1Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Shows what the rules arrived at: the next question or the end.
    void showCurrent();
    void showFace(const QByteArray &rtf);
    void endQuiz();
    void FormResize();

    CardSet &m_set;
    QuizRun m_run;
    bool m_ended = false;
};
