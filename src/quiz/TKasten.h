#pragma once

#include "quiz/BoxChoice.h"

#include <QDialog>

class CardSet;
class QLabel;
class QListWidget;
class QSpinBox;
class QPushButton;

// The box dialog before a quiz: shows how many cards each box holds and
// lets the learner choose a box and the way of learning.
class TKasten : public QDialog
{
    Q_OBJECT

public:
    // Review closes with QDialog::Accepted; everything else cancels.
    enum Outcome { Cancelled = QDialog::Rejected, Review = QDialog::Accepted, Cramming = 2 };

    explicit TKasten(const CardSet &set, QWidget *parent = nullptr);

    // The choice as it stands: selected box (0 for none), the reset to box 1.
    const BoxChoice &choice() const { return m_choice; }
    // The cramming size, read from the field's text at this moment.
    int CramSize() const;

    QListWidget *Abteilungen = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QPushButton *SpeedButton2 = nullptr;
    QPushButton *SpeedButton3 = nullptr;
    QLabel *Label1 = nullptr;
    QSpinBox *Wieviele = nullptr;
    QPushButton *LernstandButton = nullptr;

signals:
    // "Lernstand…": whoever runs the dialog shows the set's progress over it.
    void lernstandRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillItems();
    void SpeedButton1Click();
    void AbteilungenSelectionChanged();

    BoxChoice m_choice;
};
