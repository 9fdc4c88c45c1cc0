// One libFuzzer program per entry point of FuzzTargets; the build names the
// entry in QUILLO_FUZZ_ENTRY. A check that did not hold aborts, so libFuzzer
// keeps the input like a crash.
#include "fuzz/FuzzTargets.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // damaged pictures make the image plugins complain on every run
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString failure = FuzzTargets::QUILLO_FUZZ_ENTRY(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "check failed: %s\n", qPrintable(failure));
        std::abort();
    }
    return 0;
}
