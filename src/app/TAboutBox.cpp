#include "app/TAboutBox.h"

#include "program/ProgramFolder.h"
#include "program/ProgramVersion.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

QString TAboutBox::copyrightNotice()
{
    return QStringLiteral("Quillo %1\n"
                          "Karteikarten bearbeiten, lernen und drucken\n"
                          "© 2026 die Quillo-Entwickler")
        .arg(ProgramVersion::number());
}

QString TAboutBox::credits()
{
    return QStringLiteral("Quillo ist mit Qt %1 gebaut (Qt Widgets, Qt Print Support; "
                          "The Qt Company Ltd., LGPL 3).\n"
                          "JPEG-Bilder liest es über die Bildformat-Module von Qt mit libjpeg-turbo "
                          "(Independent JPEG Group und libjpeg-turbo-Projekt).\n"
                          "Die Standardschrift \"Arial\" ersetzt auf Linux die Schriftfamilie Liberation "
                          "(SIL Open Font License).")
        .arg(QString::fromLatin1(qVersion()));
}

TAboutBox::TAboutBox(QWidget *parent)
    : TAboutBox(ProgramFolder::filePath(pictureName()), parent)
{
}

TAboutBox::TAboutBox(const QString &logoPath, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    setModal(true);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);

    m_logo = new QLabel(panel);
    m_logo->setObjectName(QStringLiteral("ProgramIcon"));
    const QPixmap picture(logoPath);
    m_logo->setPixmap(picture);
    m_logo->setFixedSize(picture.isNull() ? QSize(96, 96) : picture.size());
    m_logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *title = new QLabel(copyrightNotice().section(QLatin1Char('\n'), 0, 0), panel);
    title->setObjectName(QStringLiteral("ProductName"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    title->setFont(titleFont);

    auto *notice = new QLabel(copyrightNotice().section(QLatin1Char('\n'), 1), panel);
    notice->setObjectName(QStringLiteral("Copyright"));

    auto *credits = new QLabel(TAboutBox::credits(), panel);
    credits->setObjectName(QStringLiteral("Comments"));
    credits->setWordWrap(true);
    credits->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(notice);
    texts->addSpacing(10);
    texts->addWidget(credits, 1);

    auto *panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(m_logo, 0, Qt::AlignTop);
    panelLayout->setContentsMargins(14, 14, 14, 14);
    panelLayout->addSpacing(12);
    panelLayout->addLayout(texts, 1);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);
    setFixedWidth(500);
    setFixedHeight(sizeHint().height());
}

int TAboutBox::showCentred()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_ok->setFocus();
    return exec();
}
