#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    // Printing and the faces of word lists take fonts, which are Qt's GUI
    // part, though never a display: they run on the offscreen platform.
    std::unique_ptr<QCoreApplication> app;
    const bool fonts = argc > 1
        && (std::strcmp(argv[1], "print-pdf") == 0 || std::strcmp(argv[1], "print") == 0 || std::strcmp(argv[1], "import-csv") == 0
            || std::strcmp(argv[1], "import-apkg") == 0 || std::strcmp(argv[1], "export-csv") == 0);
    if (fonts) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("quillo-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    CliCommands commands(out, err);
    return commands.run(QCoreApplication::arguments().mid(1));
}
