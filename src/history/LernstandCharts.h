#pragma once

#include <QColor>

class LearningStatistics;
class QChart;

// The charts of the "Lernstand" window, each made new from the figures;
// the caller owns what it gets.
class LernstandCharts
{
public:
    // Bars: the cards in each box today.
    static QChart *boxesToday(const LearningStatistics &statistics);
    // Stacked areas, one per box: the cards in each box at each day's end.
    static QChart *boxesOverTime(const LearningStatistics &statistics);
    // Known and not known answers per day: stacked bars for a week, lines
    // for longer periods.
    static QChart *answersPerDay(const LearningStatistics &statistics);
    // Bars: the percent of answers known while a card was in each box.
    static QChart *shareKnown(const LearningStatistics &statistics);

    static QColor boxColor(int box);
};
