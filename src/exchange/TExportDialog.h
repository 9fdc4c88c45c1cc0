#pragma once

#include "exchange/CsvExport.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

// "Exportieren": which of the two word list formats, and whether the box
// and the formatting go along; or the web page of the checked cards; or
// an Anki package of all cards.
class TExportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TExportDialog(QWidget *parent = nullptr);

    CsvExport::Options options() const;
    // The web page instead of a word list.
    bool webPage() const;
    // An Anki package instead of a word list.
    bool ankiPackage() const;

    QRadioButton *TabulatorRadio = nullptr;
    QRadioButton *SemikolonRadio = nullptr;
    QRadioButton *HtmlFormat = nullptr;
    QRadioButton *AnkiFormat = nullptr;
    QCheckBox *KastenCheck = nullptr;
    QCheckBox *HtmlCheck = nullptr;
};
