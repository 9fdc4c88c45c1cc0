#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "Papierwechsel": between the passes of a two-sided run, the request to
// put the printed sheets back, in the order the feed takes them.
class TWechselForm : public QDialog
{
    Q_OBJECT

public:
    // `lastPrintedFirst` is the feed order setting: the sheet printed last
    // is fed first.
    explicit TWechselForm(bool lastPrintedFirst, QWidget *parent = nullptr);

    static QString requestText(bool lastPrintedFirst);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *Abbruch = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};
