#pragma once

#include <QMainWindow>

class QMdiArea;

// The program's frame window: holds one document window per open card set.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);

    static QString programCaption();

    QMdiArea *mdiArea() const { return m_mdiArea; }

private:
    QMdiArea *m_mdiArea = nullptr;
};
