#include "program/ProgramFolder.h"
#include "program/ProgramSettings.h"

#include "app/CommandLineArguments.h"
#include "app/StartupSequence.h"
#include "app/TMainForm.h"
#include "app/TSplash.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace {

int tell(const CommandLineArguments::Answer &answer)
{
    std::fputs(answer.out.toUtf8().constData(), stdout);
    std::fputs(answer.err.toUtf8().constData(), stderr);
    return answer.status;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given.append(QString::fromLocal8Bit(argv[i]));
    if (const std::optional<CommandLineArguments::Answer> answer = CommandLineArguments::information(given))
        return tell(*answer);

    QApplication app(argc, argv);
    // Qt has taken its own options (-style, -session ...) out by now.
    if (const std::optional<CommandLineArguments::Answer> answer = CommandLineArguments::unknownOption(QApplication::arguments().mid(1)))
        return tell(*answer);
    QApplication::setApplicationName(QStringLiteral("Quillo"));
    QApplication::setOrganizationName(QStringLiteral("Quillo"));

    // Qt's own texts (dialog buttons, file dialogs, window menus) in German.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QApplication::setWindowIcon(QIcon(ProgramFolder::filePath(QStringLiteral("quillo.png"))));

    const CommandLineArguments arguments(QApplication::arguments().mid(1));
    TSplash splash;
    std::unique_ptr<TMainForm> mainForm;
    return StartupSequence().run(arguments,
                                 {
                                     [&splash] { splash.showAndPaint(); },
                                     [&mainForm, &arguments] {
                                         mainForm = std::make_unique<TMainForm>();
                                         mainForm->startUp(arguments, ProgramSettings::defaultFilePath());
                                     },
                                     [&splash] { splash.close(); },
                                     [&mainForm] {
                                         mainForm->showMaximized();
                                         QTimer::singleShot(0, mainForm.get(), &TMainForm::openStartupFiles);
                                         return QApplication::exec();
                                     },
                                 });
}
