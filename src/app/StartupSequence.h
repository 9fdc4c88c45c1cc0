#pragma once

#include <QTime>
#include <QtGlobal>

#include <functional>

class CommandLineArguments;

// The program entry in its order: splash shown and painted, start time
// taken, the long-lived windows created, the splash wait unless the first
// argument is "FAST", splash destroyed, message loop. The steps are given
// by the caller, so the order and the wait can be tested without windows.
class StartupSequence
{
public:
    static constexpr qint64 SplashMilliseconds = 3000;

    struct Steps
    {
        std::function<void()> showSplash;
        std::function<void()> createWindows;
        std::function<void()> destroySplash;
        std::function<int()> runMessageLoop;
    };

    StartupSequence();

    // The random generator's seed: the milliseconds since midnight of the
    // given time of day (the caller passes UTC).
    static quint32 randomSeed(const QTime &timeOfDay);

    // Milliseconds of a monotonic clock.
    std::function<qint64()> clock;
    // Waits a little, at most the given milliseconds. The default sleeps
    // and lets the splash repaint, but takes no user input: the windows
    // behind it are not shown yet.
    std::function<void(qint64)> pause;

    // Returns the message loop's result.
    int run(const CommandLineArguments &arguments, const Steps &steps) const;
};
