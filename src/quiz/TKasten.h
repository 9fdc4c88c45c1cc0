#pragma once

#include "quiz/BoxChoice.h"

#include <QDialog>

class CardSet;
class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;
class QPushButton;

// The box dialog before a quiz: shows how many cards each box holds and
// lets the learner choose a box, whether only its due cards are asked, and
// the way of learning.
class TKasten : public QDialog
{
    Q_OBJECT

public:
    // Review closes with QDialog::Accepted; everything else cancels.
    enum Outcome { Cancelled = QDialog::Rejected, Review = QDialog::Accepted, Cramming = 2 };

    // Cards are due by `intervals` at `now` (invalid: the current time).
    explicit TKasten(const CardSet &set, QWidget *parent = nullptr, const DueCards::Intervals &intervals = DueCards::DefaultIntervals,
                     const QDateTime &now = QDateTime());

    // The choice as it stands: selected box (0 for none), the reset to box 1,
    // only the due cards.
    const BoxChoice &choice() const { return m_choice; }
    // The cramming size, read from the field's text at this moment.
    int CramSize() const;

    QListWidget *Abteilungen = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QPushButton *SpeedButton2 = nullptr;
    QPushButton *SpeedButton3 = nullptr;
    QLabel *Label1 = nullptr;
    QSpinBox *Wieviele = nullptr;
    QCheckBox *NurFaellige = nullptr;
    QPushButton *LernstandButton = nullptr;

    static const QString NothingDueMessage;

signals:
    // "Lernstand…": whoever runs the dialog shows the set's progress over it.
    void lernstandRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillItems();
    void SpeedButton1Click();
    void AbteilungenSelectionChanged();
    // Closes with `outcome` unless only due cards are to be asked and there
    // are none: that is said, and the dialog stays for another choice.
    void start(Outcome outcome);

    BoxChoice m_choice;
};
