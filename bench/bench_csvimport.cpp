// A word list of 10,000 and of 100,000 rows (two short fields and a box)
// read, made into the cards of a new set and saved; reading alone beside
// it. The whole should take under 3 s for 100,000 rows and grow linearly.
// The faces of 100,000 rows of HTML fields alone: about a second.
#include "exchange/CsvCards.h"
#include "exchange/CsvReader.h"

#include "cardset/CardSetFile.h"
#include "cardset/ScratchFile.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

QByteArray wordList(int rows)
{
    QByteArray bytes;
    bytes.reserve(rows * 32);
    for (int i = 0; i < rows; ++i)
        bytes += "Wort " + QByteArray::number(i) + " \xC3\xA4\tword " + QByteArray::number(i) + '\t' + QByteArray::number(1 + i % 4) + '\n';
    return bytes;
}

void BM_Read(benchmark::State &state)
{
    const QByteArray bytes = wordList(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CsvReader::read(bytes).rows.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_HtmlFaces(benchmark::State &state)
{
    QByteArray bytes = "#html:true\n";
    for (int i = 0; i < state.range(0); ++i) {
        const QByteArray n = QByteArray::number(i);
        bytes += "<b>Wort " + n + "</b> &amp; <i>Hof</i><br>" + n + "\t<span style=\"color: rgb(200, 0, 0);\">word</span> " + n + "\t2\n";
    }
    const CsvTable table = CsvReader::read(bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(CsvCards::build(table, CardSet::newSetFont(), CardSet::newSetFont(), {}).cards.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ImportAndSave(benchmark::State &state)
{
    const QByteArray bytes = wordList(int(state.range(0)));
    QTemporaryDir folder;
    CardSetFileContext context{ScratchFile::makeWorkFilePath(folder.path()), PageOrientation::Portrait};
    const QString file = folder.filePath(QStringLiteral("liste.ql3"));
    for (auto _ : state) {
        const CsvTable table = CsvReader::read(bytes);
        CardSet set;
        set.startNew(PrintOptions(), CardSet::newSetFont(), CardSet::newSetFont());
        CsvCards cards = CsvCards::build(table, set.StandardFontFront(), set.StandardFontBack(), {});
        set.replaceCards(std::move(cards.cards));
        if (!CardSetFile::SaveCardSet(set, file, context).ok())
            state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_Read)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlFaces)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportAndSave)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
