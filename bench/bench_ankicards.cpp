// 10,000 notes of a Basic note type, 100 of them with a picture, made into
// cards; beside it the same 10,000 as an HTML word list (bench_csvimport's
// path). The two should take about as long.
#include "exchange/AnkiCards.h"
#include "exchange/CsvCards.h"
#include "exchange/CsvReader.h"

#include "cardset/CardSet.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>

namespace {

constexpr int kNotes = 10000;

QString front(int i)
{
    return QStringLiteral("<b>Wort %1</b> &amp; <i>Hof</i>%2")
        .arg(i)
        .arg(i % 100 == 0 ? QStringLiteral("<img src=\"bild.png\">") : QString());
}

QString back(int i)
{
    return QStringLiteral("<span style=\"color: rgb(200, 0, 0);\">word</span> %1").arg(i);
}

void BM_AnkiCards(benchmark::State &state)
{
    AnkiCollection collection;
    collection.media = std::make_unique<QTemporaryDir>();
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.save(collection.mediaFolder() + QStringLiteral("/bild.png"));
    collection.noteTypes = {{1,
                             QStringLiteral("Einfach"),
                             AnkiNoteType::Kind::Standard,
                             {QStringLiteral("Vorderseite"), QStringLiteral("Rückseite")},
                             {{QStringLiteral("Karte 1"), 0, QStringLiteral("{{Vorderseite}}"),
                               QStringLiteral("{{FrontSide}}\n\n<hr id=answer>\n\n{{Rückseite}}")}}}};
    collection.decks = {{1, QStringLiteral("Default")}};
    for (int i = 0; i < kNotes; ++i) {
        collection.notes.append({i + 1, 1, {front(i), back(i)}, {}});
        collection.cards.append({i + 1, i + 1, 1, 0, 2, 0, i % 40});
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(AnkiCards::build(collection, QString(), CardSet::newSetFont(), CardSet::newSetFont(), 360).cards.size());
    state.SetItemsProcessed(state.iterations() * kNotes);
}

void BM_WordList(benchmark::State &state)
{
    QTemporaryDir folder;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.save(folder.filePath(QStringLiteral("bild.png")));
    QString text = QStringLiteral("#html:true\n");
    for (int i = 0; i < kNotes; ++i)
        text += front(i) + u'\t' + back(i) + u'\n';
    const CsvTable table = CsvReader::read(text.toUtf8());
    for (auto _ : state)
        benchmark::DoNotOptimize(CsvCards::build(table, CardSet::newSetFont(), CardSet::newSetFont(), {folder.path(), 360}).cards.size());
    state.SetItemsProcessed(state.iterations() * kNotes);
}

} // namespace

BENCHMARK(BM_AnkiCards)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordList)->Unit(benchmark::kMillisecond);

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
