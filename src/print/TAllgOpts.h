#pragma once

#include <QDialog>

class ProgramSettings;
class QButtonGroup;
class QPushButton;
class QSpinBox;

// "Allgemeine Optionen": the program-wide printer calibration, the feed
// order of two-sided printing and the cut line width. Changes take effect
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
