#pragma once

#include "exchange/CsvReader.h"

#include <QByteArray>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "Importieren": the first rows of a word list as they will become cards,
// with the delimiter, encoding, header and HTML choice detected from the
// file and each changeable, and the number of cards.
class TImportDialog : public QDialog
{
    Q_OBJECT

public:
    // `pictureFolder` is where the list's pictures are looked for at first.
    TImportDialog(const QByteArray &bytes, const QString &pictureFolder, QWidget *parent = nullptr);

    // The list as read with the choices shown.
    const CsvTable &table() const { return m_table; }
    QString pictureFolder() const;

    static constexpr int PreviewRows = 100;

    QComboBox *TrennzeichenCombo = nullptr;
    QComboBox *ZeichensatzCombo = nullptr;
    QCheckBox *KopfzeileCheck = nullptr;
    QCheckBox *HtmlCheck = nullptr;
    QLineEdit *BilderordnerEdit = nullptr;
    QTableWidget *Vorschau = nullptr;
    QLabel *AnzahlLabel = nullptr;
    QPushButton *ImportierenButton = nullptr;

private:
    void reread();
    void showChoices();
    void showRows();

    QByteArray m_bytes;
    CsvImportSettings m_settings;
    CsvTable m_table;
};
