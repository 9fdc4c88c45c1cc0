// 10,000 notes of a Basic note type, 100 of them with a picture, made into
// cards; beside it the same 10,000 as an HTML word list (bench_csvimport's
// path). The two should take about as long. The whole import of each, from
// the file on disk, is measured too: a package Quillo wrote, with 100
// different pictures, against the word list as a tab-separated file.
#include "exchange/AnkiCards.h"
#include "exchange/AnkiPackageReader.h"
#include "exchange/AnkiPackageWriter.h"
#include "exchange/CsvCards.h"
#include "exchange/CsvReader.h"

#include "cardset/CardSet.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>

namespace {

constexpr int kNotes = 10000;

QString front(int i, bool ownPictures = false)
{
    const QString picture = ownPictures ? QStringLiteral("bild%1.png").arg(i / 100) : QStringLiteral("bild.png");
    return QStringLiteral("<b>Wort %1</b> &amp; <i>Hof</i>%2")
        .arg(i)
        .arg(i % 100 == 0 ? QStringLiteral("<img src=\"%1\">").arg(picture) : QString());
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

// The word list with 100 different pictures, as a file.
QString writeWordList(const QTemporaryDir &folder)
{
    for (int p = 0; p < kNotes / 100; ++p) {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(p * 3, 200, 200));
        picture.save(folder.filePath(QStringLiteral("bild%1.png").arg(p)));
    }
    QString text = QStringLiteral("#html:true\n");
    for (int i = 0; i < kNotes; ++i)
        text += front(i, true) + u'\t' + back(i) + u'\n';
    const QString path = folder.filePath(QStringLiteral("liste.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QList<Card> wordListCards(const QString &path, const QString &folder)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    const CsvTable table = CsvReader::read(file.readAll());
    return CsvCards::build(table, CardSet::newSetFont(), CardSet::newSetFont(), {folder, 360}).cards;
}

void BM_WordListFile(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = writeWordList(folder);
    for (auto _ : state)
        benchmark::DoNotOptimize(wordListCards(path, folder.path()).size());
    state.SetItemsProcessed(state.iterations() * kNotes);
}

void BM_AnkiPackageFile(benchmark::State &state)
{
    QTemporaryDir folder;
    CardSet set;
    set.replaceCards(wordListCards(writeWordList(folder), folder.path()));
    const QString path = folder.filePath(QStringLiteral("paket.apkg"));
    if (!AnkiPackageWriter::write(path, set, QStringLiteral("Paket")).ok())
        qFatal("cannot write %s", qPrintable(path));
    for (auto _ : state) {
        const AnkiPackageReader::Result read = AnkiPackageReader::read(path);
        if (!read.collection)
            qFatal("cannot read %s", qPrintable(path));
        benchmark::DoNotOptimize(
            AnkiCards::build(*read.collection, QString(), CardSet::newSetFont(), CardSet::newSetFont(), 360).cards.size());
    }
    state.SetItemsProcessed(state.iterations() * kNotes);
}

} // namespace

BENCHMARK(BM_AnkiCards)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnkiPackageFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordListFile)->Unit(benchmark::kMillisecond);

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
