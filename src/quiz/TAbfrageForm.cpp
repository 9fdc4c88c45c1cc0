#include "quiz/TAbfrageForm.h"

#include "cardset/CardSet.h"
#include "quiz/QuizArtwork.h"
#include "richtext/RtfReader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>

const QString TAbfrageForm::EndMessage = QStringLiteral("Es wurden alle Karteikarten abgefragt.");

namespace {

const QColor Background(192, 208, 224);

QToolButton *pictureButton(QWidget *parent, const QString &name, const QString &accessibleText, QRect geometry,
                           QPixmap (*picture)(QSize, qreal))
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(accessibleText);
    button->setAccessibleName(accessibleText);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The keys belong to the window; a focused button would take Space itself.
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(geometry);
    const QSize iconSize = geometry.size() - QSize(8, 8);
    QIcon icon;
    for (qreal ratio : {1.0, 2.0})
        icon.addPixmap(picture(iconSize, ratio));
    button->setIcon(icon);
    button->setIconSize(iconSize);
    return button;
}

} // namespace

TAbfrageForm::TAbfrageForm(CardSet &set, RandomGenerator &random, QuizRun::Mode mode, int cramSize, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_set(set)
    , m_run(set, random, mode, cramSize)
{
    setObjectName(QStringLiteral("AbfrageForm"));
    setWindowTitle(QStringLiteral("Abfrage"));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Background);
    setPalette(colours);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QuizArtwork::title(devicePixelRatioF()));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 48, 331, 46);
    SpeedButton1 =
        pictureButton(Panel1, QStringLiteral("SpeedButton1"), QStringLiteral("Ende"), QRect(4, 4, 82, 37), &QuizArtwork::endWord);
    Loesung = pictureButton(Panel1, QStringLiteral("Loesung"), QStringLiteral("Lösung"), QRect(90, 4, 133, 37), &QuizArtwork::solutionWord);
    Ok = pictureButton(Panel1, QStringLiteral("Ok"), QStringLiteral("Richtig"), QRect(227, 4, 46, 37), &QuizArtwork::checkMark);
    Falsch = pictureButton(Panel1, QStringLiteral("Falsch"), QStringLiteral("Falsch"), QRect(277, 4, 52, 37), &QuizArtwork::cross);
    Ok->setToolTip(QStringLiteral("Die Antwort war bekannt."));
    Falsch->setToolTip(QStringLiteral("Die Antwort war unbekannt."));
    connect(SpeedButton1, &QToolButton::clicked, this, &TAbfrageForm::SpeedButton1Click);
    connect(Loesung, &QToolButton::clicked, this, &TAbfrageForm::LoesungClick);
    connect(Ok, &QToolButton::clicked, this, &TAbfrageForm::OkClick);
    connect(Falsch, &QToolButton::clicked, this, &TAbfrageForm::FalschClick);

    Abfrage = new QTextEdit(this);
    Abfrage->setObjectName(QStringLiteral("Abfrage"));
    Abfrage->setReadOnly(true);
    Abfrage->setFocusPolicy(Qt::NoFocus);
    QFont faceFont(QStringLiteral("Arial"));
    faceFont.setPixelSize(16);
    Abfrage->setFont(faceFont);
    Abfrage->resize(400, 300);

    Wieviel = new QLabel(this);
    Wieviel->setObjectName(QStringLiteral("Wieviel"));
    QFont counterFont(QStringLiteral("Arial"));
    counterFont.setPixelSize(16);
    counterFont.setBold(true);
    Wieviel->setFont(counterFont);
    Wieviel->setText(QuizRun::counterText(0));
    Wieviel->adjustSize();

    Loesung->setEnabled(false);
    Ok->setEnabled(false);
    Falsch->setEnabled(false);

    setFocusPolicy(Qt::StrongFocus);
    move(0, 0);
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
}

void TAbfrageForm::setFaceSize(QSize size)
{
    Abfrage->resize(size);
    FormResize();
}

void TAbfrageForm::ShowNextCard()
{
    m_run.drawNext();
    showCurrent();
}

void TAbfrageForm::showCurrent()
{
    if (m_run.phase() == QuizRun::Phase::Finished) {
        endQuiz();
        return;
    }
    showFace(m_set.isValidIndex(m_run.CurrentCard()) ? m_set.front(m_run.CurrentCard()) : QByteArray());
    Loesung->setEnabled(true);
    Ok->setEnabled(false);
    Falsch->setEnabled(false);
    Wieviel->setText(QuizRun::counterText(m_run.remaining()));
    Wieviel->adjustSize();
    FormResize();
}

void TAbfrageForm::showFace(const QByteArray &rtf)
{
    RtfReader::read(rtf, *Abfrage->document());
    Abfrage->moveCursor(QTextCursor::Start);
}

void TAbfrageForm::LoesungClick()
{
    if (!m_run.showAnswer())
        return;
    showFace(m_set.isValidIndex(m_run.CurrentCard()) ? m_set.back(m_run.CurrentCard()) : QByteArray());
    Loesung->setEnabled(false);
    Ok->setEnabled(true);
    Falsch->setEnabled(true);
}

void TAbfrageForm::OkClick()
{
    if (m_run.answerRight())
        showCurrent();
}

void TAbfrageForm::FalschClick()
{
    if (m_run.answerWrong())
        showCurrent();
}

void TAbfrageForm::SpeedButton1Click()
{
    m_ended = true;
    accept();
}

void TAbfrageForm::endQuiz()
{
    Loesung->setEnabled(false);
    Ok->setEnabled(false);
    Falsch->setEnabled(false);
    QWidget *owner = isVisible() ? this : parentWidget();
    if (showMessage)
        showMessage(owner, EndMessage);
    else
        QMessageBox::information(owner, QGuiApplication::applicationDisplayName(), EndMessage);
    m_ended = true;
    accept();
}

void TAbfrageForm::FormResize()
{
    const int width = this->width();
    const int height = this->height();
    Image1->setGeometry(0, 0, width, 43);
    Panel1->move(width / 2 - Panel1->width() / 2, 48);
    Abfrage->move(width / 2 - Abfrage->width() / 2, height / 2 - Abfrage->height() / 2);
    Wieviel->move(width / 2 - Wieviel->width() / 2, height - Wieviel->height() - 10);
}

void TAbfrageForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TAbfrageForm::keyPressEvent(QKeyEvent *event)
{
    const bool repeat = event->isAutoRepeat();
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!repeat)
            LoesungClick();
        return;
    case Qt::Key_Right:
    case Qt::Key_J:
        // A held key must not give a whole row of verdicts.
        if (!repeat)
            OkClick();
        return;
    case Qt::Key_Left:
    case Qt::Key_N:
        if (!repeat)
            FalschClick();
        return;
    case Qt::Key_Escape: SpeedButton1Click(); return;
    // The display never takes the focus, so a long face scrolls from here.
    case Qt::Key_Up: Abfrage->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub); return;
    case Qt::Key_Down: Abfrage->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); return;
    case Qt::Key_PageUp: Abfrage->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub); return;
    case Qt::Key_PageDown: Abfrage->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd); return;
    default: QDialog::keyPressEvent(event);
    }
}

void TAbfrageForm::closeEvent(QCloseEvent *event)
{
    m_ended = true;
    QDialog::closeEvent(event);
}
