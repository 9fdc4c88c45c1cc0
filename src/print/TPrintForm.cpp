#include "print/TPrintForm.h"

#include "program/ProgramFolder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QPixmap programPicture(const QString &name)
{
    return QPixmap(ProgramFolder::filePath(name));
}

QLabel *bigDigits(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPixelSize(28);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(80);
    return label;
}

} // namespace

TPrintForm::TPrintForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PrintForm"));
    setWindowTitle(QStringLiteral("Drucken..."));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    auto *banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setPixmap(programPicture(QStringLiteral("drucker.bmp")));
    KartImg = new QLabel(this);
    KartImg->setObjectName(QStringLiteral("KartImg"));
    KartImg->setMinimumSize(64, 64);
    KartImg->setAlignment(Qt::AlignCenter);

    Insgesamt = bigDigits(this, QStringLiteral("Insgesamt"));
    Seiten = bigDigits(this, QStringLiteral("Seiten"));
    auto *counts = new QGridLayout;
    counts->addWidget(new QLabel(QStringLiteral("Karten:"), this), 0, 0);
    counts->addWidget(Insgesamt, 0, 1);
    counts->addWidget(new QLabel(QStringLiteral("Blätter:"), this), 1, 0);
    counts->addWidget(Seiten, 1, 1);

    ThumbImg = new QToolButton(this);
    ThumbImg->setObjectName(QStringLiteral("ThumbImg"));
    ThumbImg->setAutoRaise(true);
    ThumbImg->setIconSize(QSize(48, 48));
    ThumbImg->setToolTip(thumbHint());

    SetupButton = new QPushButton(QStringLiteral("Drucker einrichten"), this);
    SetupButton->setObjectName(QStringLiteral("DruckerEinrichten"));
    SetupButton->setAutoDefault(false);
    VorschauButton = new QPushButton(QStringLiteral("Vorschau"), this);
    VorschauButton->setObjectName(QStringLiteral("Vorschau"));
    VorschauButton->setAutoDefault(false);
    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setObjectName(QStringLiteral("OKButton"));
    OkButton->setDefault(true);
    Abbruch = new QPushButton(QStringLiteral("Abbruch"), this);
    Abbruch->setObjectName(QStringLiteral("Abbruch"));

    auto *middle = new QHBoxLayout;
    middle->addWidget(KartImg);
    middle->addLayout(counts);
    middle->addWidget(ThumbImg);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(SetupButton);
    buttons->addWidget(VorschauButton);
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(Abbruch);
    auto *layout = new QVBoxLayout(this);
    // The layout picture changes with the run: the dialog follows its size.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(banner, 0, Qt::AlignHCenter);
    layout->addLayout(middle);
    layout->addLayout(buttons);

    connect(ThumbImg, &QToolButton::clicked, this, [this] {
        BothSides = !BothSides;
        showThumb();
    });
    connect(SetupButton, &QPushButton::clicked, this, &TPrintForm::printerSetupRequested);
    connect(VorschauButton, &QPushButton::clicked, this, &TPrintForm::previewRequested);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(Abbruch, &QPushButton::clicked, this, &QDialog::reject);
    showThumb();
}

QString TPrintForm::thumbHint()
{
    return QStringLiteral("Klicken Sie hierauf,\num zwichen ein- und\nbeidseitigem Druck zu \nwählen.");
}

void TPrintForm::prepare(int cards, int sheets, int cardsPerSheet)
{
    if (cardsPerSheet == 2 || cardsPerSheet == 4 || cardsPerSheet == 8) {
        const QString picture = QStringLiteral("%1.bmp").arg(cardsPerSheet);
        const QPixmap pixmap = programPicture(picture);
        KartImg->setPixmap(pixmap);
        KartImg->setMinimumSize(pixmap.size().expandedTo(QSize(64, 64)));
        KartImg->setProperty("picture", picture);
    }
    Insgesamt->setText(QString::number(cards));
    Seiten->setText(QString::number(sheets));
    showThumb();
    OkButton->setEnabled(sheets >= 1);
    VorschauButton->setEnabled(sheets >= 1);
    Abbruch->setEnabled(true);
}

void TPrintForm::showThumb()
{
    const QString picture = BothSides ? QStringLiteral("thumbup.bmp") : QStringLiteral("thumbdown.bmp");
    ThumbImg->setIcon(QIcon(programPicture(picture)));
    ThumbImg->setProperty("picture", picture);
    // Without the picture file the choice still reads.
    ThumbImg->setText(ThumbImg->icon().isNull() ? (BothSides ? QStringLiteral("Beidseitig") : QStringLiteral("Einseitig")) : QString());
    ThumbImg->setToolButtonStyle(ThumbImg->icon().isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
}
