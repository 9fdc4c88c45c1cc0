#pragma once

#include <QDialog>

class QComboBox;

// "Verschieben": asks for the new position of the current card. Accepted
// means OK; "Doch nicht" and closing the window leave the card where it is.
class TVerschieben : public QDialog
{
    Q_OBJECT

public:
    explicit TVerschieben(QWidget *parent = nullptr);

    // Offers the positions 1 to count, the current card's preselected.
    void fill(int count, int currentIndex);
    // The chosen position as a card index (position - 1).
    int chosenIndex() const;
    QComboBox *Nummer() const { return m_nummer; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QComboBox *m_nummer = nullptr;
};
