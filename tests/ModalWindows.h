#pragma once

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>

// The modal windows a test has announced, which ModalGuard lets run: a type
// the test waits for with whenModal until its script takes the window, and
// a window the script holds (taken, or shown by the test itself) until it
// hides. An announcement lasts only as long as the test function that made
// it, so a window a test never saw cannot excuse one in a later test.
class ScriptedModals
{
public:
    static int announce(const QMetaObject *type)
    {
        State &s = state();
        s.awaited.append({++s.lastId, type, currentTest()});
        return s.lastId;
    }
    // False once the announcement is taken or its test function has ended.
    static bool isAwaited(int id)
    {
        prune();
        return std::any_of(state().awaited.cbegin(), state().awaited.cend(), [id](const Awaited &a) { return a.id == id; });
    }
    // The script takes this window for the announcement `id`.
    static void take(int id, QWidget *window)
    {
        state().awaited.removeIf([id](const Awaited &a) { return a.id == id; });
        allow(window);
    }
    // A window the test opens or answers itself, allowed until it hides.
    static void allow(QWidget *window)
    {
        state().held.append(window);
        window->installEventFilter(new HideWatch(window));
    }
    static bool isExpected(const QWidget *window)
    {
        prune();
        const State &s = state();
        return s.held.contains(window) || std::any_of(s.awaited.cbegin(), s.awaited.cend(), [window](const Awaited &a) {
                   return window->inherits(a.type->className());
               });
    }

private:
    struct Awaited
    {
        int id;
        const QMetaObject *type;
        QByteArray test;
    };
    struct State
    {
        int lastId = 0;
        QList<Awaited> awaited;
        QList<QPointer<QWidget>> held;
    };
    // Ends the window's hold when it hides, so its next showing is judged anew.
    class HideWatch : public QObject
    {
    public:
        using QObject::QObject;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Hide && watched == parent()) {
                state().held.removeAll(QPointer<QWidget>(static_cast<QWidget *>(watched)));
                deleteLater();
            }
            return false;
        }
    };

    static State &state()
    {
        static State s;
        return s;
    }
    static QByteArray currentTest()
    {
        const char *function = QTest::currentTestFunction();
        return function ? QByteArray(function) : QByteArray();
    }
    static void prune()
    {
        State &s = state();
        const QByteArray test = currentTest();
        s.awaited.removeIf([&test](const Awaited &a) { return a.test != test; });
        s.held.removeAll(QPointer<QWidget>());
    }
};

namespace ModalWindowsDetail {

template<typename T>
void poll(int id, const std::function<void(T *)> &action)
{
    QTimer::singleShot(10, [id, action] {
        if (!ScriptedModals::isAwaited(id))
            return;
        if (auto *window = qobject_cast<T *>(QApplication::activeModalWidget())) {
            ScriptedModals::take(id, window);
            action(window);
        } else {
            poll<T>(id, action);
        }
    });
}

} // namespace ModalWindowsDetail

// Runs action on the modal window of type T once it is shown, within the
// running test function.
template<typename T>
void whenModal(const std::function<void(T *)> &action)
{
    ModalWindowsDetail::poll<T>(ScriptedModals::announce(&T::staticMetaObject), action);
}
