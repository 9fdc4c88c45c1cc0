#pragma once

#include <QDialog>

// The question before a document with unsaved changes closes. Accepted
// means Yes; every other way out keeps the document open.
class TSchliesForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSchliesForm(QWidget *parent = nullptr);

    static QString questionText();

protected:
    void showEvent(QShowEvent *event) override;
};
