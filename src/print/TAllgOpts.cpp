#include "print/TAllgOpts.h"

#include "program/ProgramSettings.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

TAllgOpts::TAllgOpts(ProgramSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("AllgOpts"));
    setWindowTitle(QStringLiteral("Allgemeine Optionen"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    auto *explanation = new QLabel(QStringLiteral("Um die Seite zentriert ausdrucken zu können, ist bei einigen Druckern noch\n"
                                                  "ein klein wenig Feinarbeit nötig.\n"
                                                  "Drucken Sie daher eine Testseite aus und geben Sie dann an, um wieviel\n"
                                                  "mm der linke bzw. der obere Rand kleiner ist, wie der gegenüberliegende."),
                                   this);
    explanation->setObjectName(QStringLiteral("Label5"));

    const auto spin = [this](const QString &name, int minimum, int maximum) {
        auto *result = new QSpinBox(this);
        result->setObjectName(name);
        result->setRange(minimum, maximum);
        return result;
    };
    HUserX = spin(QStringLiteral("HUserX"), INT_MIN, INT_MAX);
    HUserY = spin(QStringLiteral("HUserY"), INT_MIN, INT_MAX);
    KantenSpin = spin(QStringLiteral("KantenSpin"), 1, 500);
    auto *corrections = new QFormLayout;
    corrections->addRow(QStringLiteral("Linker Rand kleiner (in mm):"), HUserX);
    corrections->addRow(QStringLiteral("Oberer Rand kleiner (in mm):"), HUserY);

    SpeedButton1 = new QPushButton(QStringLiteral("Testseite drucken"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setAutoDefault(false);

    auto *order = new QGroupBox(QStringLiteral(" Seiteneinzug bei beidseitigem Druck "), this);
    order->setObjectName(QStringLiteral("PrintFolge"));
    PrintFolge = new QButtonGroup(this);
    auto *orderLayout = new QVBoxLayout(order);
    int entry = 0;
    for (const QString &caption :
         {QStringLiteral("Zuerst ausgedruckte Seite zuerst einziehen"), QStringLiteral("Zuletzt ausgedruckte Seite zuerst einziehen")}) {
        auto *radio = new QRadioButton(caption, order);
        radio->setObjectName(QStringLiteral("PrintFolge%1").arg(entry));
        PrintFolge->addButton(radio, entry++);
        orderLayout->addWidget(radio);
    }

    auto *edge = new QFormLayout;
    edge->addRow(QStringLiteral("Breite der Schnittkante in Pixel:"), KantenSpin);

    auto *intervals = new QGroupBox(QStringLiteral("Wiederholungsabstand (Tage)"), this);
    intervals->setObjectName(QStringLiteral("Wiederholungsabstand"));
    auto *intervalsLayout = new QFormLayout(intervals);
    for (int box = 0; box < int(AbstandSpins.size()); ++box) {
        QSpinBox *days = spin(QStringLiteral("Abstand%1").arg(box + 1), ProgramSettings::MinAbstand, ProgramSettings::MaxAbstand);
        days->setParent(intervals);
        intervalsLayout->addRow(QStringLiteral("Kasten %1").arg(box + 1), days);
        connect(days, &QSpinBox::valueChanged, this, [this, box](int value) {
            if (m_showing)
                m_settings.Abstand[box] = value;
        });
        AbstandSpins[box] = days;
    }

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(corrections);
    layout->addWidget(SpeedButton1, 0, Qt::AlignLeft);
    layout->addWidget(order);
    layout->addLayout(edge);
    layout->addWidget(intervals);
    layout->addWidget(BitBtn1, 0, Qt::AlignRight);

    // The landscape correction follows the portrait one: calibrations made
    // so far rely on it.
    connect(HUserX, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_showing)
            return;
        m_settings.HUX = value;
        m_settings.QUY = m_settings.HUX;
    });
    connect(HUserY, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_showing)
            return;
        m_settings.HUY = value;
        m_settings.QUY = m_settings.HUX;
    });
    connect(PrintFolge, &QButtonGroup::idClicked, this, [this](int id) { m_settings.ZuZuE = id == 1; });
    connect(SpeedButton1, &QPushButton::clicked, this, &TAllgOpts::testPageRequested);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TAllgOpts::showOptions()
{
    m_showing = false;
    HUserX->setValue(m_settings.HUX);
    HUserY->setValue(m_settings.HUY);
    KantenSpin->setValue(m_settings.Schnittkante);
    PrintFolge->button(m_settings.ZuZuE ? 1 : 0)->setChecked(true);
    for (int box = 0; box < int(AbstandSpins.size()); ++box)
        AbstandSpins[box]->setValue(m_settings.Abstand[box]);
    m_showing = true;
    exec();
    m_showing = false;
    m_settings.Schnittkante = quint16(KantenSpin->value());
    for (int box = 0; box < int(AbstandSpins.size()); ++box)
        m_settings.Abstand[box] = AbstandSpins[box]->value();
}
