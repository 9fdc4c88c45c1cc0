#pragma once

#include <QWidget>

class QLabel;

// "Beim Drucken:": the progress of a print pass, on top of every window,
// without window buttons. It does not block; the pass keeps the windows
// repainting while it runs.
class TDruckForm : public QWidget
{
    Q_OBJECT

public:
    explicit TDruckForm(QWidget *parent = nullptr);

    // Shows the text, centred, and lets the windows repaint.
    void showProgress(const QString &text);

    QLabel *Label1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};
