#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QToolButton;

// "Drucken...": how many cards and sheets a run prints, one- or two-sided
// (the thumb), the printer set-up, the preview, and the start. Created
// once; the choice of sides lasts for the whole program run.
class TPrintForm : public QDialog
{
    Q_OBJECT

public:
    explicit TPrintForm(QWidget *parent = nullptr);

    // Fills the dialog for a run of `cards` cards on `sheets` sheets at
    // `cardsPerSheet` cards a sheet; a layout of one card a sheet keeps the
    // picture shown before. OK needs at least one sheet.
    void prepare(int cards, int sheets, int cardsPerSheet);

    // Fronts and backs when true, fronts only when false.
    bool BothSides = true;

    QLabel *KartImg = nullptr;
    QLabel *Insgesamt = nullptr;
    QLabel *Seiten = nullptr;
    QToolButton *ThumbImg = nullptr;
    QPushButton *SetupButton = nullptr;
    QPushButton *VorschauButton = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *Abbruch = nullptr;

    static QString thumbHint();

signals:
    // "Drucker einrichten".
    void printerSetupRequested();
    // "Vorschau": the run shows its sheets; accepting there accepts here.
    void previewRequested();

private:
    void showThumb();
};
