// Opening a set with a long learning history against the same set without
// one, and what the history adds to the file.
#include "cardset/CardSetFile.h"
#include "cardset/ScratchFile.h"

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

constexpr int kCards = 1000;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

CardSetFileContext &context()
{
    static CardSetFileContext ctx{ScratchFile::makeWorkFilePath(QDir::tempPath()), PageOrientation::Portrait};
    return ctx;
}

// A thousand cards of about 1 KB a face and `answers` answers, a few
// seconds to minutes apart, ending now.
QString setFile(int answers)
{
    const QString file = folder().filePath(QStringLiteral("history-%1.ql3").arg(answers));
    if (QFileInfo::exists(file))
        return file;
    CardSet set;
    QRandomGenerator generator(7);
    for (int i = 0; i < kCards; ++i) {
        QByteArray face("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\pard ");
        while (face.size() < 1018)
            face.append(char('a' + generator.bounded(26)));
        face.append("\\par }");
        set.AddCard({face, face, 1 + i % 4, false});
    }
    qint64 time = QDateTime::currentSecsSinceEpoch() - qint64(answers) * 30;
    for (int i = 0; i < answers; ++i) {
        time += 1 + generator.bounded(59);
        const int box = 1 + int(generator.bounded(4));
        const bool known = generator.bounded(3) != 0;
        set.recordAnswer(int(generator.bounded(kCards)),
                         generator.bounded(5) ? LearningAnswer::Mode::Review : LearningAnswer::Mode::Cramming, known, box,
                         known ? std::min(box + 1, 4) : std::max(box - 1, 1), std::min(time, QDateTime::currentSecsSinceEpoch()));
    }
    CardSetFile::SaveCardSet(set, file, context());
    return file;
}

void BM_OpenSet(benchmark::State &state)
{
    const int answers = int(state.range(0));
    const QString file = setFile(answers);
    qsizetype read = 0;
    for (auto _ : state) {
        CardSet set;
        CardSetFile::LoadCardSet(set, file, context());
        read = set.history().answers().size();
        benchmark::DoNotOptimize(set.front(0).data());
    }
    if (read != answers)
        state.SkipWithError("history not read whole");
    state.counters["fileBytes"] = double(QFileInfo(file).size());
    state.counters["historyBytes"] = double(QFileInfo(file).size() - QFileInfo(setFile(0)).size());
}

} // namespace

BENCHMARK(BM_OpenSet)->Arg(0)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
