#pragma once

#include "ModalWindows.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

// Watches for modal windows no script has announced (see ScriptedModals):
// such a window is closed at once and reported, by default as a failure of
// the running test function, so a test that meets a prompt it did not
// expect fails within moments instead of waiting out the time limit.
class ModalGuard
{
public:
    using Report = std::function<void(const QString &message)>;

    explicit ModalGuard(Report report = failRunningTest)
        : m_report(std::move(report))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { check(); });
        m_timer.start(50);
    }

    static void failRunningTest(const QString &message)
    {
        if (QTest::currentTestFunction())
            QTest::qFail(qPrintable(message), __FILE__, __LINE__);
        else
            qWarning("%s", qPrintable(message));
    }

    // Dismisses and reports every unexpected window: rejects a dialog,
    // closes any other window, and hides what refuses both, which ends its
    // exec() too.
    void check()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || !window->isModal() || ScriptedModals::isExpected(window))
                continue;
            const QString message =
                QStringLiteral("unexpected modal window \"%1\" (%2)").arg(window->windowTitle(), window->metaObject()->className());
            if (auto *dialog = qobject_cast<QDialog *>(window))
                dialog->reject();
            else
                window->close();
            window->hide();
            m_report(message);
        }
    }

private:
    Report m_report;
    QTimer m_timer;
};

// A window's control by its object name; a missing one ends the run.
template<typename T>
T *child(const QObject &window, const char *name)
{
    if (T *found = window.findChild<T *>(QString::fromLatin1(name)))
        return found;
    qFatal("no control %s", name);
}

// QTEST_MAIN for tests that open windows: a ModalGuard watches every test
// function.
#define QUILLO_GUI_TEST_MAIN(TestObject)                                                                                                   \
    int main(int argc, char *argv[])                                                                                                       \
    {                                                                                                                                      \
        QApplication app(argc, argv);                                                                                                      \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                                           \
        ModalGuard guard;                                                                                                                  \
        TestObject test;                                                                                                                   \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                                         \
        return QTest::qExec(&test, argc, argv);                                                                                            \
    }
