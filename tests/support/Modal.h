#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

// Runs `act` on the next modal dialog of type D once the event loop shows it: what the
// user does in a window that a click opened.
template <class D>
void onModal(std::function<void(D *)> act)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (auto *d = qobject_cast<D *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(d);
        }
    });
    poll->start(10);
}
