#include "print/TDruckForm.h"

#include "program/ProgramFolder.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

TDruckForm::TDruckForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("DruckForm"));
    setWindowTitle(QStringLiteral("Beim Drucken:"));
    setFixedSize(360, 120);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap(ProgramFolder::filePath(QStringLiteral("drucker.bmp"))).scaledToHeight(96, Qt::SmoothTransformation));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    Label1->setFont(font);
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(palette);
    Label1->setAlignment(Qt::AlignCenter);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(Label1, 1, Qt::AlignVCenter);
}

void TDruckForm::showProgress(const QString &text)
{
    // The program's texts break lines with CR; a label needs LF.
    Label1->setText(QString(text).replace(QChar(13), QChar(10)));
    repaint();
    QApplication::processEvents();
}

void TDruckForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
