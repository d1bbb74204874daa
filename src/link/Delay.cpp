// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Delay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace veltrix {

namespace {
bool g_quitting = false;

void watchForQuit()
{
    static bool connected = false;
    if (connected || !QCoreApplication::instance())
        return;
    connected = true;
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [] { g_quitting = true; });
}
} // namespace

bool quitting()
{
    return g_quitting;
}

void resetQuitting()
{
    g_quitting = false;
}

bool Delay(double seconds)
{
    watchForQuit();
    if (g_quitting)
        return false;
    QElapsedTimer clock; // monotonic: midnight and clock changes do not matter
    clock.start();
    const qint64 total = std::llround(std::max(0.0, seconds) * 1000.0);
    for (;;) {
        const qint64 left = total - clock.elapsed();
        if (left <= 0)
            return true;
        QEventLoop loop;
        bool timedOut = false;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            timedOut = true;
            loop.quit();
        });
        timer.start(static_cast<int>(left));
        loop.exec();
        if (!timedOut) {
            // Only QCoreApplication::exit() ends our loop early: the program is quitting.
            g_quitting = true;
            return false;
        }
    }
}

} // namespace veltrix
