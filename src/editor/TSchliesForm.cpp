#include "editor/TSchliesForm.h"

#include "program/ProgramFolder.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Drawn when the program folder's picture is missing: index cards in the
// program's blue grey.
QPixmap pictureStrip()
{
    QPixmap pixmap(56, 150);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, pixmap.height());
    gradient.setColorAt(0, QColor(192, 208, 224));
    gradient.setColorAt(1, QColor(96, 120, 160));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i) {
        const QRectF card(8 + i * 4, 30 + i * 22, 36, 24);
        painter.setPen(QColor(60, 60, 80));
        painter.setBrush(Qt::white);
        painter.drawRect(card);
        painter.drawLine(card.topLeft() + QPointF(4, 7), card.topRight() + QPointF(-4, 7));
    }
    return pixmap;
}

} // namespace

TSchliesForm::TSchliesForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SchliesForm"));
    setWindowTitle(QStringLiteral("Wirklich schließen?"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    auto *strip = new QLabel(this);
    strip->setObjectName(QStringLiteral("Image1"));
    const QPixmap picture(ProgramFolder::filePath(QStringLiteral("schliessen.bmp")));
    strip->setPixmap(picture.isNull() ? pictureStrip() : picture);

    auto *text = new QLabel(questionText(), this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setWordWrap(true);
    text->setMinimumWidth(380);

    auto *yes = new QPushButton(QStringLiteral("&Ja"), this);
    yes->setObjectName(QStringLiteral("JaButton"));
    auto *no = new QPushButton(QStringLiteral("&Nein"), this);
    no->setObjectName(QStringLiteral("NeinButton"));
    // Losing changes takes a deliberate Yes; Enter keeps the document.
    no->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);

    auto *right = new QVBoxLayout;
    right->addWidget(text);
    right->addStretch();
    right->addLayout(buttons);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(strip);
    layout->addLayout(right, 1);
}

QString TSchliesForm::questionText()
{
    return QStringLiteral("Es wurden Änderungen vorgenommen, die noch nicht gespeichert wurden.\n\n"
                          "Soll die Datei wirklich geschlossen werden?");
}

void TSchliesForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
