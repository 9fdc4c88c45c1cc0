// Start-up with "FAST": from the splash to the shown main window, in one
// process (the program's own work, without loading the libraries). The
// goal is well under half a second.
#include "program/ProgramSettings.h"

#include "app/CommandLineArguments.h"
#include "app/FileAssociation.h"
#include "app/StartupSequence.h"
#include "app/TAboutBox.h"
#include "app/TMainForm.h"
#include "app/TSplash.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

void waitUntilShown(QWidget &window)
{
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void BM_StartToShownWindow(benchmark::State &state)
{
    const QString settingsPath = QDir(folder().path()).filePath(QStringLiteral("quillo.ini"));
    for (auto _ : state) {
        TSplash splash;
        std::unique_ptr<TMainForm> mainForm;
        std::unique_ptr<TAboutBox> about;
        StartupSequence sequence;
        sequence.run(CommandLineArguments({QStringLiteral("FAST")}),
                     {[&] { splash.showAndPaint(); },
                      [&] {
                          FileAssociation::writeForRunningProgram();
                          ProgramSettings settings(settingsPath);
                          settings.read();
                          mainForm = std::make_unique<TMainForm>();
                          about = std::make_unique<TAboutBox>(mainForm.get());
                      },
                      [&] { splash.close(); },
                      [&] {
                          mainForm->showMaximized();
                          waitUntilShown(*mainForm);
                          return 0;
                      }});
        state.PauseTiming();
        about.reset();
        mainForm.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The association goes to a folder of the benchmark's own.
    qputenv("XDG_DATA_HOME", QDir(folder().path()).filePath(QStringLiteral("data")).toUtf8());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
