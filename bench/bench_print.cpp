// Printing a card set to PDF, both passes, 8 cards to a sheet: cards with
// about 1 KB of formatted face RTF on each side, a pasted picture on every
// tenth front. Run for 250, 500 and 1,000 cards to see the cost per card.
#include "cardset/CardSet.h"
#include "print/PdfCardPrinter.h"
#include "richtext/PictureEncoder.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

namespace {

QByteArray formattedFace(int n, bool question)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                     "{\\f1\\froman\\fcharset0 Times New Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
                     "{\\colortbl ;\\red0\\green0\\blue160;\\red176\\green0\\blue0;}\r\n"
                     "\\viewkind4\\uc1\\pard\\b\\f0\\fs26 ";
    rtf += question ? "Frage " : "Antwort ";
    rtf += QByteArray::number(n + 1);
    rtf += "\\b0\\fs20\\par\r\n\\pard\\sa60 Die \\i Zellatmung\\i0  gewinnt in den \\cf1 Mitochondrien\\cf0  aus Glucose "
           "und Sauerstoff Energie in Form von ATP; dabei entstehen Kohlendioxid und Wasser als Endprodukte.\\par\r\n"
           "{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li720 "
           "\\ul Glykolyse\\ulnone : im Zellplasma, Glucose zu Pyruvat\\par\r\n"
           "{\\pntext\\f2\\'b7\\tab}\\ul Citratzyklus\\ulnone : in der Matrix der Mitochondrien\\par\r\n"
           "{\\pntext\\f2\\'b7\\tab}\\ul Atmungskette\\ulnone : an der inneren Membran, der gr\\'f6\\'dfte Gewinn\\par\r\n"
           "\\pard\\f1\\fs22\\cf2 Merke: C\\sub 6\\nosupersub H\\sub 12\\nosupersub O\\sub 6\\nosupersub  + 6 O\\sub 2\\nosupersub  "
           "ergibt 6 CO\\sub 2\\nosupersub  + 6 H\\sub 2\\nosupersub O\\cf0\\f0\\fs20\\par\r\n"
           "\\qc\\i vgl. Photosynthese, Kapitel 4 \\endash  S. 112\\i0\\par\r\n}\r\n";
    return rtf;
}

QByteArray pictureFace(int n)
{
    QImage image(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x + n) & 255, (y * 2) & 255, ((x ^ y) + n) & 255));
    // under the title, where it is printed whole
    QByteArray rtf = formattedFace(n, true);
    const qsizetype afterTitle = rtf.indexOf("\\par\r\n") + 6;
    rtf.insert(afterTitle, "\\pard\\qc " + PictureEncoder::metafilePict(image, QSize(120, 80)) + "\\par\r\n");
    return rtf;
}

const CardSet &cards(int count)
{
    static std::map<int, std::unique_ptr<CardSet>> sets;
    std::unique_ptr<CardSet> &set = sets[count];
    if (!set) {
        set = std::make_unique<CardSet>();
        PrintOptions options;
        options.AktPrintCards = 8;
        options.PrintKopfZeile = true;
        options.HeaderText = QStringLiteral("Biologie");
        options.PrintCR = true;
        options.Copyright = QStringLiteral("Biologie, Klasse 10");
        set->startNew(options, FontRecord(), FontRecord());
        set->setFront(0, formattedFace(0, true));
        set->setBack(0, formattedFace(0, false));
        for (int i = 1; i < count; ++i)
            set->AddCard({i % 10 == 0 ? pictureFace(i) : formattedFace(i, true), formattedFace(i, false), 1, false});
    }
    return *set;
}

void BM_PrintBothPassesToPdf(benchmark::State &state)
{
    const int count = int(state.range(0));
    const CardSet &set = cards(count);
    QList<int> positions;
    for (int i = 0; i < count; ++i)
        positions.append(i);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("karten.pdf"));
    qint64 bytes = 0;
    for (auto _ : state) {
        const PdfCardPrinter::Result result = PdfCardPrinter::print(path, set, positions, PdfCardPrinter::Job());
        if (!result.written.ok())
            state.SkipWithError("no PDF");
        bytes = QFile(path).size();
    }
    state.counters["pdf_bytes"] = double(bytes);
    state.counters["cards_per_s"] = benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
}
// what the user waits for: wall time
BENCHMARK(BM_PrintBothPassesToPdf)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

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
