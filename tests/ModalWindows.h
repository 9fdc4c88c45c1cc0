#pragma once

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <memory>

// The modal windows a test has announced, which ModalGuard lets run: a type
// whenModal waits for until its script takes such a window, and the taken
// window until it hides. An announcement lasts only as long as the test
// function that made it, so it cannot excuse a window of a later test.
namespace ScriptedModals {

struct Awaited
{
    const QMetaObject *type;
    QByteArray test = QTest::currentTestFunction();
};
inline QList<std::shared_ptr<Awaited>> awaited;
inline QList<QPointer<QWidget>> held;

// Ends a window's hold when it hides, so its next showing is judged anew.
class HideWatch : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched == parent()) {
            held.removeAll(QPointer<QWidget>(static_cast<QWidget *>(watched)));
            deleteLater();
        }
        return false;
    }
};

inline void prune()
{
    const QByteArray test = QTest::currentTestFunction();
    awaited.removeIf([&test](const std::shared_ptr<Awaited> &a) { return a->test != test; });
    held.removeAll(QPointer<QWidget>());
}
// False once the announcement is taken or its test function has ended.
inline bool isAwaited(const std::shared_ptr<Awaited> &announcement)
{
    prune();
    return awaited.contains(announcement);
}
inline void take(const std::shared_ptr<Awaited> &announcement, QWidget *window)
{
    awaited.removeAll(announcement);
    held.append(window);
    window->installEventFilter(new HideWatch(window));
}
inline bool isExpected(const QWidget *window)
{
    prune();
    return held.contains(window)
        || std::any_of(awaited.cbegin(), awaited.cend(), [window](const auto &a) { return window->inherits(a->type->className()); });
}

} // namespace ScriptedModals

// Runs action on the modal window of type T once it is shown, within the
// running test function.
template<typename T>
void whenModal(const std::function<void(T *)> &action)
{
    auto *poll = new QTimer;
    poll->callOnTimeout([poll, action, awaited = ScriptedModals::awaited.emplaceBack(new ScriptedModals::Awaited{&T::staticMetaObject})] {
        const bool awaiting = ScriptedModals::isAwaited(awaited);
        auto *window = awaiting ? qobject_cast<T *>(QApplication::activeModalWidget()) : nullptr;
        if (awaiting && !window)
            return;
        // Stopped first: the action may run event loops of its own.
        poll->stop();
        poll->deleteLater();
        if (window) {
            ScriptedModals::take(awaited, window);
            action(window);
        }
    });
    poll->start(10);
}
