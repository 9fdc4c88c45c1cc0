#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

// Runs action on the modal window of type T once it is shown.
template<typename T>
void whenModal(const std::function<void(T *)> &action)
{
    QTimer::singleShot(10, [action] {
        if (auto *window = qobject_cast<T *>(QApplication::activeModalWidget()))
            action(window);
        else
            whenModal<T>(action);
    });
}
