#include "TMainForm.h"

#include <QMdiArea>

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(programCaption());
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MDIArea"));
    setCentralWidget(m_mdiArea);
}

QString TMainForm::programCaption()
{
    return QStringLiteral("Quillo 3.2b (Vista/Win7)");
}
