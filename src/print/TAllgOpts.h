#pragma once

#include <QDialog>

#include <array>

class ProgramSettings;
class QButtonGroup;
class QPushButton;
class QSpinBox;

// "Allgemeine Optionen": the program-wide printer calibration, the feed
// order of two-sided printing, the cut line width and the days after which
// a box's cards are due again. Changes take effect
// at once and every way of closing keeps them; there is no cancel.
class TAllgOpts : public QDialog
{
    Q_OBJECT

public:
    explicit TAllgOpts(ProgramSettings &settings, QWidget *parent = nullptr);

    // Shows the settings, runs the dialog and takes the cut line width when
    // it closes, however it closes.
    void showOptions();

    QSpinBox *HUserX = nullptr;
    QSpinBox *HUserY = nullptr;
    QSpinBox *KantenSpin = nullptr;
    // "Kasten 1" to "Kasten 4".
    std::array<QSpinBox *, 4> AbstandSpins{};
    QButtonGroup *PrintFolge = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QPushButton *BitBtn1 = nullptr;

signals:
    // "Testseite drucken".
    void testPageRequested();

private:
    ProgramSettings &m_settings;
    bool m_showing = false;
};
