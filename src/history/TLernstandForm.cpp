#include "history/TLernstandForm.h"

#include "history/LernstandCharts.h"
#include "program/HistoryMessages.h"

#include "cardset/CardSet.h"
#include "cardset/CardSetFile.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QChartView *chartView(const QString &name, QWidget *parent)
{
    auto *view = new QChartView(parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(260, 180);
    return view;
}

void replaceChart(QChartView *view, QChart *chart)
{
    // The view lets go of its old chart without deleting it.
    QChart *old = view->chart();
    view->setChart(chart);
    delete old;
}

} // namespace

TLernstandForm::TLernstandForm(const CardSet &set, const QString &setName, QWidget *parent)
    : QDialog(parent)
    , m_set(&set)
{
    setObjectName(QStringLiteral("Lernstand"));
    const QString name = setName.isEmpty() ? CardSetFile::fileNamePart(set.FileName()) : setName;
    setWindowTitle(name.isEmpty() ? QStringLiteral("Lernstand") : QStringLiteral("Lernstand – %1").arg(name));

    auto *periodLabel = new QLabel(QStringLiteral("&Zeitraum:"), this);
    periodLabel->setObjectName(QStringLiteral("ZeitraumLabel"));
    Zeitraum = new QComboBox(this);
    Zeitraum->setObjectName(QStringLiteral("Zeitraum"));
    Zeitraum->addItem(QStringLiteral("7 Tage"), int(LearningStatistics::Period::Week));
    Zeitraum->addItem(QStringLiteral("30 Tage"), int(LearningStatistics::Period::Month));
    Zeitraum->addItem(QStringLiteral("Ein Jahr"), int(LearningStatistics::Period::Year));
    Zeitraum->addItem(QStringLiteral("Alles"), int(LearningStatistics::Period::All));
    Zeitraum->setCurrentIndex(1);
    periodLabel->setBuddy(Zeitraum);
    NochNieAbgefragt = new QLabel(this);
    NochNieAbgefragt->setObjectName(QStringLiteral("NochNieAbgefragt"));
    Hinweis = new QLabel(this);
    Hinweis->setObjectName(QStringLiteral("Hinweis"));
    Hinweis->setWordWrap(true);

    KastenHeute = chartView(QStringLiteral("KastenHeute"), this);
    KastenVerlauf = chartView(QStringLiteral("KastenVerlauf"), this);
    AntwortenProTag = chartView(QStringLiteral("AntwortenProTag"), this);
    AnteilGewusst = chartView(QStringLiteral("AnteilGewusst"), this);

    auto *buttons = new QDialogButtonBox(this);
    Schliessen = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    Schliessen->setObjectName(QStringLiteral("Schliessen"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(periodLabel);
    top->addWidget(Zeitraum);
    top->addStretch(1);
    top->addWidget(NochNieAbgefragt);
    auto *charts = new QGridLayout;
    charts->addWidget(KastenHeute, 0, 0);
    charts->addWidget(KastenVerlauf, 0, 1);
    charts->addWidget(AnteilGewusst, 1, 0);
    charts->addWidget(AntwortenProTag, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Hinweis);
    layout->addLayout(charts, 1);
    layout->addWidget(buttons);
    resize(960, 640);

    connect(Zeitraum, &QComboBox::currentIndexChanged, this, &TLernstandForm::refresh);
    m_refreshLater.setSingleShot(true);
    m_refreshLater.setInterval(200);
    connect(&m_refreshLater, &QTimer::timeout, this, &TLernstandForm::refresh);
    connect(&set, &CardSet::changed, &m_refreshLater, qOverload<>(&QTimer::start));
    connect(&set, &CardSet::historyChanged, &m_refreshLater, qOverload<>(&QTimer::start));
    connect(&set, &QObject::destroyed, this, [this] {
        m_set = nullptr;
        m_refreshLater.stop();
        close();
    });

    refresh();
}

LearningStatistics::Period TLernstandForm::period() const
{
    return LearningStatistics::Period(Zeitraum->currentData().toInt());
}

QString TLernstandForm::note() const
{
    if (!m_set->history().canRecord())
        return HistoryMessages::notRecording(m_set->history());
    return m_set->history().isEmpty() ? QStringLiteral("Für diese Kartei wurden noch keine Antworten aufgezeichnet.") : QString();
}

void TLernstandForm::refresh()
{
    m_refreshLater.stop();
    if (!m_set)
        return;
    const LearningStatistics statistics = LearningStatistics::of(*m_set, period(), today());
    const QString text = note();
    Hinweis->setText(text);
    Hinweis->setVisible(!text.isEmpty());
    NochNieAbgefragt->setText(QStringLiteral("Noch nie abgefragt: %1").arg(statistics.neverAsked()));
    replaceChart(KastenHeute, LernstandCharts::boxesToday(statistics));
    // Without answers only today's boxes have something to show.
    const bool answered = statistics.answerCount() > 0;
    for (QChartView *view : {KastenVerlauf, AntwortenProTag, AnteilGewusst})
        view->setVisible(answered);
    if (answered) {
        replaceChart(KastenVerlauf, LernstandCharts::boxesOverTime(statistics));
        replaceChart(AntwortenProTag, LernstandCharts::answersPerDay(statistics));
        replaceChart(AnteilGewusst, LernstandCharts::shareKnown(statistics));
    }
}
