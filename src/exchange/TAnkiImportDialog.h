#pragma once

#include "exchange/AnkiCards.h"
#include "exchange/AnkiCollection.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// "Importieren" of an Anki package: the deck to take when the package
// holds more than one, the number of cards, the first cards as they will
// look and what does not come along.
class TAnkiImportDialog : public QDialog
{
    Q_OBJECT

public:
    TAnkiImportDialog(const AnkiCollection &collection, const QString &packagePath, qreal pictureWidth, QWidget *parent = nullptr);

    // The cards of the deck chosen; taken once, on import.
    const AnkiCards &cards() const { return m_cards; }
    AnkiCards takeCards() { return std::move(m_cards); }
    // The deck chosen; empty for every card.
    QString deck() const;
    // Whether another deck could be chosen.
    bool hasChoice() const { return StapelCombo != nullptr; }
    QString setName() const;

    static constexpr int PreviewRows = 100;

    // Only when the package holds more than one deck.
    QComboBox *StapelCombo = nullptr;
    QTableWidget *Vorschau = nullptr;
    QLabel *AnzahlLabel = nullptr;
    QLabel *HinweiseLabel = nullptr;
    QPushButton *ImportierenButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void convert();

    const AnkiCollection &m_collection;
    QString m_packagePath;
    qreal m_pictureWidth;
    AnkiCards m_cards;
};
