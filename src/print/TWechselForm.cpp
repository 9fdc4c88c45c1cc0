#include "print/TWechselForm.h"

#include "program/ProgramFolder.h"

#include "print/PrintOrder.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TWechselForm::TWechselForm(bool lastPrintedFirst, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("WechselForm"));
    setWindowTitle(QStringLiteral("Papierwechsel"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap(ProgramFolder::filePath(QStringLiteral("wechsel.bmp"))));
    Label1 = new QLabel(requestText(lastPrintedFirst), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(PrintOrder::paperChangeWarning(), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QPalette palette = Label2->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    Label2->setPalette(palette);

    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setObjectName(QStringLiteral("OKButton"));
    OkButton->setDefault(true);
    Abbruch = new QPushButton(QStringLiteral("Abbruch"), this);
    Abbruch->setObjectName(QStringLiteral("Abbruch"));
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(Abbruch, &QPushButton::clicked, this, &QDialog::reject);

    auto *text = new QVBoxLayout;
    text->addWidget(Label1);
    text->addWidget(Label2);
    text->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(picture, 0, Qt::AlignTop);
    row->addLayout(text);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(Abbruch);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
}

QString TWechselForm::requestText(bool lastPrintedFirst)
{
    return PrintOrder::paperChangeText(lastPrintedFirst);
}

void TWechselForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
