#pragma once

#include "exchange/CsvExport.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

// "Exportieren": which of the two word list formats, and whether the box
// and the formatting go along.
class TExportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TExportDialog(QWidget *parent = nullptr);

    CsvExport::Options options() const;

    QRadioButton *TabulatorRadio = nullptr;
    QRadioButton *SemikolonRadio = nullptr;
    QCheckBox *KastenCheck = nullptr;
    QCheckBox *HtmlCheck = nullptr;
};
