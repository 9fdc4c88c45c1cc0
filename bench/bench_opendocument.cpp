// Opening a large card set in the main window, until the first card is shown
// and the window is idle: the time and the process's peak memory, measured
// in a fresh process each time so that nothing of an earlier run counts.
// Goals: 100,000 cards of 1 KB faces under 1 s, peak memory at most the
// file's size plus 50 MB; 10,000 cards under 0.3 s.
#include "app/TMainForm.h"
#include "cardset/CardSetFile.h"
#include "cardset/ScratchFile.h"
#include "editor/UserDialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// A face as the editor writes one: header, font and colour tables, a few
// formatted words, about 1 KB in all.
QByteArray typicalFace(QRandomGenerator &generator)
{
    QByteArray face("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                    "{\\f1\\froman\\fcharset0 Times New Roman;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
                    "\\viewkind4\\uc1\\pard\\f0\\fs24 ");
    while (face.size() < 1000) {
        const int style = generator.bounded(6);
        if (style == 0)
            face += "\\b ";
        else if (style == 1)
            face += "\\cf1 ";
        QByteArray word;
        for (int letters = 3 + generator.bounded(8); letters > 0; --letters)
            word += char('a' + generator.bounded(26));
        face += word;
        face += style == 0 ? "\\b0 " : style == 1 ? "\\cf0 " : " ";
        if (generator.bounded(12) == 0)
            face += "\\par\r\n";
    }
    face += "\\par\r\n}\r\n";
    return face;
}

QString setFile(int cards)
{
    const QString file = folder().filePath(QStringLiteral("gross-%1.ql3").arg(cards));
    if (QFileInfo::exists(file))
        return file;
    CardSet set;
    QRandomGenerator generator(cards);
    for (int i = 0; i < cards; ++i)
        set.AddCard({typicalFace(generator), typicalFace(generator), 1 + i % 4, false});
    CardSetFileContext context{ScratchFile::makeWorkFilePath(folder().path()), PageOrientation::Portrait};
    CardSetFile::SaveCardSet(set, file, context);
    QFile::remove(context.WorkFilePath);
    return file;
}

// The peak resident memory of this process image: VmHWM starts afresh at
// exec, unlike getrusage's maximum, which a child inherits.
qint64 peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// The child: opens the file in a shown main window and prints the time in
// milliseconds, the peak memory before and after, in kilobytes.
int openOnce(const QString &file)
{
    TMainForm form;
    form.resize(1200, 800);
    form.show();
    QApplication::processEvents();
    const qint64 before = peakKilobytes();
    QElapsedTimer timer;
    timer.start();
    TMDIChild *document = form.OpenDocument(file);
    QApplication::processEvents();
    const double elapsed = timer.nsecsElapsed() / 1e6;
    if (!document || document->Set().count() == 0)
        return 1;
    std::printf("%.3f %lld %lld\n", elapsed, before, peakKilobytes());
    return 0;
}

void BM_OpenLargeSet(benchmark::State &state)
{
    const QString file = setFile(int(state.range(0)));
    double growth = 0;
    double peak = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open-once"), file});
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
            state.SkipWithError("the child did not open the set");
            return;
        }
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        state.SetIterationTime(figures.value(0).toDouble() / 1000);
        peak = figures.value(2).toDouble() / 1024;
        growth = (figures.value(2).toDouble() - figures.value(1).toDouble()) / 1024;
    }
    state.counters["file_MB"] = QFileInfo(file).size() / 1048576.0;
    state.counters["peak_MB"] = peak;
    state.counters["growth_MB"] = growth;
}
BENCHMARK(BM_OpenLargeSet)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--open-once")
        return openOnce(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
