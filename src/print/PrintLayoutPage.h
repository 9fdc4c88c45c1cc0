#pragma once

#include "cardset/PrintOptions.h"

#include <QWidget>

#include <functional>

class CardSet;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QSpinBox;
class QSplitter;
class QToolButton;

// The print layout of one card set, as the document window's options page
// shows and edits it. Filling the controls from the set is no change of it;
// every control the user changes writes the set's PrintOptions at once.
// The paper orientation is program-wide: the page only shows it and reports
// a click on its button.
class PrintLayoutPage : public QWidget
{
    Q_OBJECT

public:
    PrintLayoutPage(CardSet &set, const QColor &background, QWidget *parent = nullptr);

    // The set's options in the controls.
    void showSettings();
    // The header line and the footer line in the header's font and colours,
    // as they are printed.
    void applyHeaderLook();
    // Chooses an entry of the cards-per-sheet selector as the user does: it
    // counts as a change even when the entry was shown already.
    void chooseCardsPerSheet(int index);
    void showOrientation(bool portrait);
    static QString orientationPicture(bool portrait);
    // The focus on the page's first control.
    void focusFirst();

    QLineEdit *KopfZeile() const { return m_kopfZeile; }
    QLineEdit *CopyEdit() const { return m_copyEdit; }

    // The page scrolls: what its content would like asks nothing of the
    // window's size, which the card editors set.
    QSize sizeHint() const override { return minimumSizeHint(); }

signals:
    void orientationClicked();
    // Cards per sheet changed: the editors' size follows it.
    void layoutChanged();

private:
    void makeControls(QWidget *content);
    void arrange(QWidget *content);
    void connectControls();
    void changeOptions(const std::function<void(PrintOptions &)> &change);

    CardSet &m_set;
    // Set while the page fills its controls from the set.
    int m_filling = 0;

    QComboBox *m_anzahlCombo = nullptr;
    QLabel *m_orientationLabel = nullptr;
    QToolButton *m_ausrichtung = nullptr;
    QCheckBox *m_titelDrucken = nullptr;
    QLineEdit *m_kopfZeile = nullptr;
    QCheckBox *m_copyRCheck = nullptr;
    QLineEdit *m_copyEdit = nullptr;
    QCheckBox *m_kNummer = nullptr;
    QCheckBox *m_webCheck = nullptr;
    QCheckBox *m_schnittKanten = nullptr;
    QLabel *m_marginLabel = nullptr;
    QSpinBox *m_obenSpin = nullptr;
    QSpinBox *m_linksSpin = nullptr;
    QSpinBox *m_rechtsSpin = nullptr;
    QSpinBox *m_untenSpin = nullptr;
    QFrame *m_bevel = nullptr;
    QLabel *m_randLabel = nullptr;
    QSpinBox *m_randSpin = nullptr;
    QLabel *m_textLabel = nullptr;
    QSpinBox *m_textSpin = nullptr;
    QWidget *m_basisPanel = nullptr;
    QSplitter *m_titelSplitter = nullptr;
    QLabel *m_titelPanel = nullptr;
    QLabel *m_textPanel = nullptr;
};
