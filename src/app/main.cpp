#include "TMainForm.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillo"));
    QApplication::setOrganizationName(QStringLiteral("Quillo"));

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
