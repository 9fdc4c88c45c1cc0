// The face codec on generated faces: 10,000 typical faces of about 1 KB of
// formatted RichEdit RTF, and 100 faces with a 200 KB pasted bitmap.
// Reading is set against QTextDocument::setHtml of the same content.
#include "richtext/PictureEncoder.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QTextDocument>

namespace {

QByteArray typicalFace(int n)
{
    // as RichEdit 4.1 writes a formatted face: fonts, sizes, styles,
    // colours, umlauts, a bulleted list
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                     "{\\f1\\fnil\\fcharset0 Times New Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
                     "{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}\r\n"
                     "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\qc\\b\\f0\\fs28 Karte ";
    rtf += QByteArray::number(n);
    rtf += ": Die Photosynthese\\b0\\fs24\\par\r\n\\pard Bei der \\i Photosynthese\\i0  wandeln Pflanzen "
           "\\cf1 Lichtenergie\\cf0  in chemische Energie um. Dabei entsteht aus Kohlendioxid und Wasser "
           "Glucose und Sauerstoff; die Reaktion l\\'e4uft in den Chloroplasten ab.\\par\r\n"
           "{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li720 "
           "\\ul Lichtreaktion\\ulnone : Spaltung von Wasser, Bildung von ATP und NADPH\\par\r\n"
           "{\\pntext\\f2\\'b7\\tab}\\ul Dunkelreaktion\\ulnone : Calvin-Zyklus, Fixierung von CO\\sub 2\\nosupersub\\par\r\n"
           "{\\pntext\\f2\\'b7\\tab}\\highlight3 Merke:\\highlight0  ohne Licht keine Glucose\\par\r\n"
           "\\pard\\f1\\fs22 Formel: 6 CO\\sub 2\\nosupersub  + 6 H\\sub 2\\nosupersub O \\emdash > "
           "C\\sub 6\\nosupersub H\\sub 12\\nosupersub O\\sub 6\\nosupersub  + 6 O\\sub 2\\nosupersub\\par\r\n"
           "\\cf2\\f0\\fs20 Gr\\'fc\\'dfe aus M\\'fcnchen \\u945?\\u946?\\u947? \\endash  Seite 42\\cf0\\par\r\n}\r\n";
    return rtf;
}

QByteArray pictureFace(int n)
{
    // a pasted bitmap of about 200 KB: 260 x 260 pixels at 24 bits
    QImage image(260, 260, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x + n) & 255, (y * 3) & 255, (x * y) & 255));
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
                     "\\viewkind4\\uc1\\pard\\f0\\fs24 Bild ";
    rtf += QByteArray::number(n);
    rtf += ": ";
    rtf += PictureEncoder::metafilePict(image, image.size());
    rtf += "\\par\r\n}\r\n";
    return rtf;
}

struct Faces
{
    QList<QByteArray> rtf;
    QList<QString> html;
    qint64 bytes = 0;
};

const Faces &typical()
{
    static const Faces faces = [] {
        Faces f;
        for (int i = 0; i < 10000; ++i) {
            f.rtf.append(typicalFace(i));
            f.bytes += f.rtf.last().size();
        }
        return f;
    }();
    return faces;
}

const Faces &withPictures()
{
    static const Faces faces = [] {
        Faces f;
        for (int i = 0; i < 100; ++i) {
            f.rtf.append(pictureFace(i));
            f.bytes += f.rtf.last().size();
        }
        return f;
    }();
    return faces;
}

QList<QString> htmlOf(const Faces &faces)
{
    QList<QString> html;
    for (const QByteArray &rtf : faces.rtf) {
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        html.append(doc.toHtml());
    }
    return html;
}

void textLines(benchmark::State &state, const Faces &faces)
{
    for (auto _ : state)
        for (const QByteArray &rtf : faces.rtf)
            benchmark::DoNotOptimize(RtfReader::textLines(rtf));
    state.SetBytesProcessed(state.iterations() * faces.bytes);
    state.counters["faces"] = double(faces.rtf.size());
}

void readRtf(benchmark::State &state, const Faces &faces)
{
    for (auto _ : state)
        for (const QByteArray &rtf : faces.rtf) {
            QTextDocument doc;
            RtfReader::read(rtf, doc);
            benchmark::DoNotOptimize(doc.characterCount());
        }
    state.SetBytesProcessed(state.iterations() * faces.bytes);
}

void writeRtf(benchmark::State &state, const Faces &faces)
{
    QList<QTextDocument *> docs;
    for (const QByteArray &rtf : faces.rtf) {
        docs.append(new QTextDocument);
        RtfReader::read(rtf, *docs.last());
    }
    qint64 written = 0;
    for (auto _ : state)
        for (const QTextDocument *doc : docs) {
            const QByteArray out = RtfWriter::write(*doc);
            written += out.size();
            benchmark::DoNotOptimize(out.data());
        }
    state.SetBytesProcessed(written);
    qDeleteAll(docs);
}

void BM_TextLines_Typical(benchmark::State &state)
{
    textLines(state, typical());
}
void BM_TextLines_Pictures(benchmark::State &state)
{
    textLines(state, withPictures());
}
void BM_Read_Typical(benchmark::State &state)
{
    readRtf(state, typical());
}
void BM_Read_Pictures(benchmark::State &state)
{
    readRtf(state, withPictures());
}
void BM_Write_Typical(benchmark::State &state)
{
    writeRtf(state, typical());
}
void BM_Write_Pictures(benchmark::State &state)
{
    writeRtf(state, withPictures());
}

// The same content through Qt's HTML reader, the yardstick for reading.
void BM_SetHtml_Typical(benchmark::State &state)
{
    static const QList<QString> html = htmlOf(typical());
    for (auto _ : state)
        for (const QString &h : html) {
            QTextDocument doc;
            doc.setHtml(h);
            benchmark::DoNotOptimize(doc.characterCount());
        }
}

} // namespace

BENCHMARK(BM_TextLines_Typical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read_Typical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetHtml_Typical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write_Typical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextLines_Pictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read_Pictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write_Pictures)->Unit(benchmark::kMillisecond);

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
