#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Suchen": modeless, stays open; only the text and the button for the
// next occurrence. The search is always forward and ignores case, so the
// dialog offers no choices for it.
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FindDialog(QWidget *parent = nullptr);

    QString text() const;
    QLineEdit *textEdit() const { return m_text; }
    QPushButton *findNextButton() const { return m_findNext; }

signals:
    // The button for the next occurrence; never sent for an empty text.
    void FindDialogFind();

private:
    QLineEdit *m_text = nullptr;
    QPushButton *m_findNext = nullptr;
};
