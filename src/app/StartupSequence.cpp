#include "app/StartupSequence.h"

#include "app/CommandLineArguments.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

StartupSequence::StartupSequence()
{
    clock = [] {
        static QElapsedTimer timer;
        if (!timer.isValid())
            timer.start();
        return timer.elapsed();
    };
    pause = [](qint64 milliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(static_cast<unsigned long>(std::clamp<qint64>(milliseconds, 1, 20)));
    };
}

quint32 StartupSequence::randomSeed(const QTime &timeOfDay)
{
    if (!timeOfDay.isValid())
        return 0;
    return quint32(((timeOfDay.hour() * 60 + timeOfDay.minute()) * 60 + timeOfDay.second()) * 1000 + timeOfDay.msec());
}

int StartupSequence::run(const CommandLineArguments &arguments, const Steps &steps) const
{
    if (steps.showSplash)
        steps.showSplash();
    const qint64 start = clock();
    // Initialising the application object has happened before: Qt needs it
    // for any window, the splash included.
    if (steps.createWindows)
        steps.createWindows();
    if (!arguments.skipsSplashWait()) {
        for (qint64 now = clock(); now - start < SplashMilliseconds; now = clock())
            pause(SplashMilliseconds - (now - start));
    }
    if (steps.destroySplash)
        steps.destroySplash();
    return steps.runMessageLoop ? steps.runMessageLoop() : 0;
}
