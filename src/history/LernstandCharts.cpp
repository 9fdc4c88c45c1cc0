#include "history/LernstandCharts.h"

#include "history/LearningStatistics.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

const QColor KnownColor(0x4c, 0xa3, 0x4f);
const QColor NotKnownColor(0xd8, 0x4a, 0x3b);
// Up to about a week and a half, a bar per day has room for its date.
constexpr int MostBarDays = 10;

QString boxName(int box)
{
    return QStringLiteral("Kasten %1").arg(box);
}

QChart *newChart(const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    return chart;
}

QValueAxis *countAxis(double highest)
{
    auto *axis = new QValueAxis;
    axis->setRange(0, std::max(highest, 1.0));
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->applyNiceNumbers();
    // Counts are whole: a step below one would repeat labels.
    if (axis->max() < axis->tickCount() - 1)
        axis->setTickCount(int(axis->max()) + 1);
    return axis;
}

QBarCategoryAxis *boxAxis(const QStringList &names)
{
    auto *axis = new QBarCategoryAxis;
    axis->append(names);
    return axis;
}

qreal dayStart(const LearningStatistics &statistics, int day)
{
    return qreal(statistics.date(day).startOfDay().toMSecsSinceEpoch());
}

// Dates along the period; the axis reaches to the end of today.
QDateTimeAxis *dateAxis(const LearningStatistics &statistics)
{
    auto *axis = new QDateTimeAxis;
    axis->setFormat(statistics.dayCount() > 400 ? QStringLiteral("MM.yyyy") : QStringLiteral("dd.MM."));
    // A tick at each day's start for a short period; for a longer one
    // seven, which for 30 days fall on every fifth.
    axis->setTickCount(statistics.dayCount() <= 10 ? statistics.dayCount() + 1 : 7);
    axis->setRange(statistics.date(0).startOfDay(), statistics.date(statistics.dayCount()).startOfDay());
    return axis;
}

void addAxes(QChart *chart, QAbstractAxis *horizontal, QAbstractAxis *vertical)
{
    chart->addAxis(horizontal, Qt::AlignBottom);
    chart->addAxis(vertical, Qt::AlignLeft);
}

void attach(QChart *chart, QAbstractSeries *series, QAbstractAxis *horizontal, QAbstractAxis *vertical)
{
    chart->addSeries(series);
    series->attachAxis(horizontal);
    series->attachAxis(vertical);
}

} // namespace

QColor LernstandCharts::boxColor(int box)
{
    static const QColor colours[LearningStatistics::Boxes] = {QColor(0xd8, 0x4a, 0x3b), QColor(0xe8, 0xa3, 0x3d), QColor(0x3f, 0x83, 0xc5),
                                                              QColor(0x4c, 0xa3, 0x4f)};
    return colours[std::clamp(box, 1, LearningStatistics::Boxes) - 1];
}

QChart *LernstandCharts::boxesToday(const LearningStatistics &statistics)
{
    QChart *chart = newChart(QStringLiteral("Karten je Kasten heute"));
    auto *cards = new QBarSet(QStringLiteral("Karten"));
    cards->setColor(QColor(0x3f, 0x83, 0xc5));
    QStringList names;
    int highest = 0;
    for (int box = 1; box <= LearningStatistics::Boxes; ++box) {
        const int count = statistics.boxesToday()[size_t(box - 1)];
        cards->append(count);
        names.append(boxName(box));
        highest = std::max(highest, count);
    }
    auto *series = new QBarSeries;
    series->append(cards);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    QAbstractAxis *boxes = boxAxis(names);
    QAbstractAxis *counts = countAxis(highest);
    addAxes(chart, boxes, counts);
    attach(chart, series, boxes, counts);
    chart->legend()->hide();
    return chart;
}

QChart *LernstandCharts::boxesOverTime(const LearningStatistics &statistics)
{
    QChart *chart = newChart(QStringLiteral("Karten je Kasten im Verlauf"));
    const int days = statistics.dayCount();
    // Each box's area lies on the ones below it; the day's last figures
    // hold to the end of today.
    std::vector<QList<QPointF>> tops(LearningStatistics::Boxes);
    for (QList<QPointF> &top : tops)
        top.reserve(days + 1);
    int highest = 0;
    for (int day = 0; day <= days; ++day) {
        const LearningStatistics::BoxCounts counts = statistics.boxesOn(std::min(day, days - 1));
        const qreal x = dayStart(statistics, day);
        int sum = 0;
        for (size_t box = 0; box < LearningStatistics::Boxes; ++box) {
            sum += counts[box];
            tops[box].append(QPointF(x, sum));
        }
        highest = std::max(highest, sum);
    }
    QAbstractAxis *dates = dateAxis(statistics);
    QAbstractAxis *counts = countAxis(highest);
    addAxes(chart, dates, counts);
    for (int box = 1; box <= LearningStatistics::Boxes; ++box) {
        // An area keeps its lines but does not own them: each gets lines of
        // its own, so that no area points at another's once that is gone.
        auto *area = new QAreaSeries;
        auto *upper = new QLineSeries(area);
        upper->replace(tops[size_t(box - 1)]);
        area->setUpperSeries(upper);
        if (box > 1) {
            auto *lower = new QLineSeries(area);
            lower->replace(tops[size_t(box - 2)]);
            area->setLowerSeries(lower);
        }
        area->setName(boxName(box));
        area->setColor(boxColor(box));
        area->setBorderColor(boxColor(box).darker(120));
        attach(chart, area, dates, counts);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QChart *LernstandCharts::answersPerDay(const LearningStatistics &statistics)
{
    QChart *chart = newChart(QStringLiteral("Antworten je Tag"));
    const int days = statistics.dayCount();
    int highest = 0;
    if (days <= MostBarDays) {
        auto *known = new QBarSet(QStringLiteral("Gewusst"));
        auto *notKnown = new QBarSet(QStringLiteral("Nicht gewusst"));
        known->setColor(KnownColor);
        notKnown->setColor(NotKnownColor);
        QStringList names;
        for (int day = 0; day < days; ++day) {
            known->append(statistics.knownOn(day));
            notKnown->append(statistics.notKnownOn(day));
            names.append(statistics.date(day).toString(QStringLiteral("dd.MM.")));
            highest = std::max(highest, statistics.knownOn(day) + statistics.notKnownOn(day));
        }
        auto *series = new QStackedBarSeries;
        series->append(known);
        series->append(notKnown);
        QAbstractAxis *dates = boxAxis(names);
        QAbstractAxis *counts = countAxis(highest);
        addAxes(chart, dates, counts);
        attach(chart, series, dates, counts);
    } else {
        QList<QPointF> known;
        QList<QPointF> notKnown;
        known.reserve(days);
        notKnown.reserve(days);
        for (int day = 0; day < days; ++day) {
            const qreal x = dayStart(statistics, day);
            known.append(QPointF(x, statistics.knownOn(day)));
            notKnown.append(QPointF(x, statistics.notKnownOn(day)));
            highest = std::max({highest, statistics.knownOn(day), statistics.notKnownOn(day)});
        }
        QAbstractAxis *dates = dateAxis(statistics);
        QAbstractAxis *counts = countAxis(highest);
        addAxes(chart, dates, counts);
        for (const auto &[points, name, colour] : {std::tuple{&known, QStringLiteral("Gewusst"), KnownColor},
                                                   std::tuple{&notKnown, QStringLiteral("Nicht gewusst"), NotKnownColor}}) {
            auto *series = new QLineSeries;
            series->replace(*points);
            series->setName(name);
            series->setColor(colour);
            attach(chart, series, dates, counts);
        }
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QChart *LernstandCharts::shareKnown(const LearningStatistics &statistics)
{
    QChart *chart = newChart(QString());
    auto *share = new QBarSet(QStringLiteral("Gewusst"));
    share->setColor(KnownColor);
    QStringList names;
    QStringList counts;
    for (int box = 1; box <= LearningStatistics::Boxes; ++box) {
        const int answers = statistics.answersInBox(box);
        share->append(answers == 0 ? 0.0 : std::round(statistics.shareKnown(box)));
        names.append(boxName(box));
        counts.append(QString::number(answers));
    }
    // The numbers of answers tell a 0 % from a box never asked from; the
    // axis would cut them off below the boxes' names.
    chart->setTitle(QStringLiteral("Gewusst je Kasten (Antworten: %1)").arg(counts.join(QStringLiteral(", "))));
    auto *series = new QBarSeries;
    series->append(share);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value %"));
    series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    QAbstractAxis *boxes = boxAxis(names);
    auto *percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setTickCount(6);
    percent->setLabelFormat(QStringLiteral("%d %%"));
    addAxes(chart, boxes, percent);
    attach(chart, series, boxes, percent);
    chart->legend()->hide();
    return chart;
}
