// Save and load of generated card sets, with a plain copy of the same file
// as the floor.
#include "cardset/CardSetFile.h"
#include "cardset/ScratchFile.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

void fillSet(CardSet &set, int cards, int faceBytes)
{
    QRandomGenerator generator(cards);
    for (int i = 0; i < cards; ++i) {
        QByteArray face("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\pard ");
        while (face.size() < faceBytes - 6)
            face.append(char('a' + generator.bounded(26)));
        face.append("\\par }");
        set.AddCard({face, face, 1 + i % 4, false});
    }
}

QString fileFor(int cards, int faceBytes)
{
    return folder().filePath(QStringLiteral("set-%1-%2.ql3").arg(cards).arg(faceBytes));
}

CardSetFileContext &context()
{
    static CardSetFileContext ctx{ScratchFile::makeWorkFilePath(QDir::tempPath()), PageOrientation::Portrait};
    return ctx;
}

void ensureFile(int cards, int faceBytes)
{
    const QString file = fileFor(cards, faceBytes);
    if (QFileInfo::exists(file))
        return;
    CardSet set;
    fillSet(set, cards, faceBytes);
    CardSetFile::SaveCardSet(set, file, context());
}

void BM_Save(benchmark::State &state)
{
    const int cards = int(state.range(0));
    const int faceBytes = int(state.range(1));
    CardSet set;
    fillSet(set, cards, faceBytes);
    const QString file = fileFor(cards, faceBytes) + QStringLiteral(".save");
    for (auto _ : state)
        CardSetFile::SaveCardSet(set, file, context());
    state.SetBytesProcessed(state.iterations() * QFileInfo(file).size());
}

void BM_Load(benchmark::State &state)
{
    const int cards = int(state.range(0));
    const int faceBytes = int(state.range(1));
    ensureFile(cards, faceBytes);
    const QString file = fileFor(cards, faceBytes);
    for (auto _ : state) {
        CardSet set;
        CardSetFile::LoadCardSet(set, file, context());
        benchmark::DoNotOptimize(set.front(0).data());
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(file).size());
}

void BM_PlainCopy(benchmark::State &state)
{
    const int cards = int(state.range(0));
    const int faceBytes = int(state.range(1));
    ensureFile(cards, faceBytes);
    const QString file = fileFor(cards, faceBytes);
    const QString copy = file + QStringLiteral(".copy");
    for (auto _ : state) {
        QFile::remove(copy);
        QFile::copy(file, copy);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(file).size());
}

// The floor for a save, which must be on the disk before it replaces the
// old file.
void BM_PlainCopySynced(benchmark::State &state)
{
    const int cards = int(state.range(0));
    const int faceBytes = int(state.range(1));
    ensureFile(cards, faceBytes);
    const QString file = fileFor(cards, faceBytes);
    const QString copy = file + QStringLiteral(".copy");
    for (auto _ : state) {
        QFile::remove(copy);
        QFile::copy(file, copy);
        QFile synced(copy);
        if (synced.open(QIODevice::ReadWrite))
            ::fsync(synced.handle());
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(file).size());
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Args({1000, 1024})->Args({10000, 1024})->Args({100000, 1024})->Args({1000, 20 * 1024})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_PlainCopy)->Apply(sizes);
BENCHMARK(BM_PlainCopySynced)->Apply(sizes);
BENCHMARK(BM_Save)->Apply(sizes);
BENCHMARK(BM_Load)->Apply(sizes);

BENCHMARK_MAIN();
