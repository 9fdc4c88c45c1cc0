#include "TMainForm.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillo"));
    QApplication::setOrganizationName(QStringLiteral("Quillo"));

    // Qt's own texts (dialog buttons, file dialogs, window menus) in German.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    TMainForm mainForm;
    mainForm.showMaximized();

    // Card set files named on the command line open once the window is up.
    const QStringList arguments = QApplication::arguments().mid(1);
    QTimer::singleShot(0, &mainForm, [&mainForm, arguments] {
        for (const QString &argument : arguments) {
            if (argument.compare(QLatin1String("FAST"), Qt::CaseInsensitive) != 0 && QFileInfo(argument).isFile())
                mainForm.OpenDocument(argument);
        }
        mainForm.UpdateCommandStates(false);
    });
    return app.exec();
}
