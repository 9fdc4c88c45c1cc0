// A set of 10,000 cards exported as an Anki package: faces of a few
// formatted words, every tenth front with one of 20 pictures. The whole
// export, file included, should take under a second; the faces as HTML
// beside it, as most of that time goes there.
#include "exchange/AnkiPackageWriter.h"
#include "exchange/HtmlFace.h"
#include "exchange/MediaFiles.h"

#include "cardset/CardSet.h"
#include "richtext/FacePictures.h"
#include "richtext/RtfWriter.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QByteArray picture(int n)
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(n * 17 % 360, 200, 220));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

CardSet &cards(int count)
{
    static CardSet set;
    if (set.count() == count)
        return set;
    QList<QByteArray> pictures;
    for (int i = 0; i < 20; ++i)
        pictures.append(picture(i));
    QList<Card> list;
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    for (int i = 0; i < count; ++i) {
        QTextDocument front;
        QTextCursor cursor(&front);
        cursor.insertText(QStringLiteral("Wort "), plain);
        cursor.insertText(QString::number(i), bold);
        cursor.insertText(QStringLiteral(" im Satz"), plain);
        if (i % 10 == 0) {
            cursor.insertBlock();
            FacePictures::insertFile(cursor, pictures.at(i / 10 % 20), QStringLiteral("bild.png"), 0, nullptr);
        }
        QTextDocument back;
        cursor = QTextCursor(&back);
        cursor.insertText(QStringLiteral("word "), red);
        cursor.insertText(QString::number(i), plain);
        list.append({RtfWriter::write(front), RtfWriter::write(back), 1 + i % 4});
    }
    set.replaceCards(list);
    return set;
}

void BM_FacesAsHtml(benchmark::State &state)
{
    const CardSet &set = cards(int(state.range(0)));
    for (auto _ : state) {
        MediaFiles media;
        for (int i = 0; i < set.count(); ++i) {
            benchmark::DoNotOptimize(HtmlFace::fromRtf(set.front(i), &media));
            benchmark::DoNotOptimize(HtmlFace::fromRtf(set.back(i), &media));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ExportPackage(benchmark::State &state)
{
    const CardSet &set = cards(int(state.range(0)));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("satz.apkg"));
    for (auto _ : state) {
        if (!AnkiPackageWriter::write(path, set, QStringLiteral("Satz")).ok())
            state.SkipWithError("export failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_FacesAsHtml)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPackage)->Arg(10000)->Unit(benchmark::kMillisecond);

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
