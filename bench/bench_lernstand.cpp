// The "Lernstand" window's work for a long history: 1,000,000 answers over
// two years on 1,000 cards. Measured: the figures alone for each period,
// and the figures with the four charts made and drawn offscreen, as the
// window does on opening. Goal: under 0.5 s in all.
// Measured (RelWithDebInfo, 2 cores under a load of about 6): the figures
// 6-11 ms for 30 days and 26-43 ms for all; figures and charts 43-60 ms for
// 30 days and 75-124 ms for all (53-59 ms of CPU).
#include "history/LearningStatistics.h"
#include "history/LernstandCharts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QGridLayout>
#include <QRandomGenerator>
#include <QWidget>

#include <memory>

namespace {

constexpr int Cards = 1000;
constexpr int Answers = 1000000;
const QDate Today(2026, 12, 6);

// Quizzes on most days, the answers in time order, each card's boxes
// moving as a review moves them: known one box up, not known one down.
struct History
{
    QList<LearningAnswer> answers;
    QList<quint32> ids;
    QList<int> boxes;

    History()
    {
        QRandomGenerator generator(7);
        boxes.fill(1, Cards);
        for (int i = 0; i < Cards; ++i)
            ids.append(quint32(i + 1));
        const qint64 first = Today.addDays(-730).startOfDay().toSecsSinceEpoch();
        const qint64 span = qint64(730) * 86400;
        answers.reserve(Answers);
        for (int i = 0; i < Answers; ++i) {
            LearningAnswer answer;
            const int card = generator.bounded(Cards);
            answer.card = ids.at(card);
            answer.time = first + span * i / Answers;
            answer.known = generator.bounded(100) < 45 + 12 * boxes.at(card);
            answer.boxBefore = quint8(boxes.at(card));
            answer.boxAfter = quint8(answer.known ? std::min(boxes.at(card) + 1, 4) : std::max(boxes.at(card) - 1, 1));
            boxes[card] = answer.boxAfter;
            answers.append(answer);
        }
    }
};

const History &history()
{
    static const History made;
    return made;
}

void BM_Statistics(benchmark::State &state)
{
    const History &made = history();
    const auto period = LearningStatistics::Period(state.range(0));
    for (auto _ : state) {
        const LearningStatistics statistics(made.answers, made.ids, made.boxes, period, Today);
        benchmark::DoNotOptimize(statistics.neverAsked());
    }
}
BENCHMARK(BM_Statistics)
    ->Arg(int(LearningStatistics::Period::Month))
    ->Arg(int(LearningStatistics::Period::Year))
    ->Arg(int(LearningStatistics::Period::All))
    ->Unit(benchmark::kMillisecond);

// The figures, the four charts in views laid out as in the window, and
// one drawing of them.
void BM_FiguresAndCharts(benchmark::State &state)
{
    const History &made = history();
    const auto period = LearningStatistics::Period(state.range(0));
    for (auto _ : state) {
        QWidget window;
        auto *grid = new QGridLayout(&window);
        const LearningStatistics statistics(made.answers, made.ids, made.boxes, period, Today);
        int cell = 0;
        for (QChart *chart : {LernstandCharts::boxesToday(statistics), LernstandCharts::boxesOverTime(statistics),
                              LernstandCharts::shareKnown(statistics), LernstandCharts::answersPerDay(statistics)}) {
            auto *view = new QChartView(chart, &window);
            view->setRenderHint(QPainter::Antialiasing);
            grid->addWidget(view, cell / 2, cell % 2);
            ++cell;
        }
        window.resize(960, 640);
        const QPixmap drawn = window.grab();
        benchmark::DoNotOptimize(drawn.cacheKey());
    }
}
BENCHMARK(BM_FiguresAndCharts)
    ->Arg(int(LearningStatistics::Period::Week))
    ->Arg(int(LearningStatistics::Period::Month))
    ->Arg(int(LearningStatistics::Period::All))
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
