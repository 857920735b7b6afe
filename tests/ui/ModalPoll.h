#pragma once
// Waiting for a window that code under test opens in its own modal loop (a
// dialog's exec(), a context menu): QTRY_* cannot run there, because the
// test's call does not return until that window closes.

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

namespace qelvar {

// Calls `attempt` every 20 ms until it reports that it found what it waits
// for and dealt with it, for at most five seconds, so a window that opens
// late is still handled and one that never opens does not hang the test.
inline void Poll(std::function<bool()> attempt) {
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, attempt] {
        if (!attempt() && ++*tries <= 250) return;
        timer->stop();
        timer->deleteLater();
    });
    timer->start(20);
}

}  // namespace qelvar
