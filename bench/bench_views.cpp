// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the live views: one needle update of the analog gauge, measured in the running
// panel (virtual meter in process, polling on), as the sample clock causes it: UpdateGaugeNeedle()
// and the repaint it asks for, forced at once with repaint(). Also the digital display's feed with
// its repaint, for comparison.
//
// Usage: bench_views [--updates N] (default 500 per size). Run headless with
// QT_QPA_PLATFORM=offscreen (set here when there is no display).

#include "support/BenchSupport.h"

#include "panel/Panel.h"
#include "sim/VirtualMeter.h"
#include "ui/PortBindings.h"
#include "views/Analog.h"
#include "views/Digital.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace veltrix;
using namespace veltrix::bench;

namespace {

// CPU time of this thread: what the update costs, without the time the thread waited for a core
// on a busy machine.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct Spread {
    double median = 0, p95 = 0, max = 0;
};

Spread spreadOf(std::vector<double> ms)
{
    if (ms.empty())
        return {};
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)], ms.back()};
}

struct Timings {
    std::vector<double> wall, cpu;
};

void report(const char* name, const Timings& t)
{
    const Spread w = spreadOf(t.wall), c = spreadOf(t.cpu);
    std::printf("%s wall: median %.3f ms, p95 %.3f ms, max %.3f ms; thread CPU: median %.3f ms, "
                "p95 %.3f ms, max %.3f ms\n",
                name, w.median, w.p95, w.max, c.median, c.p95, c.max);
    std::fflush(stdout);
}

// Times one call in wall-clock and in thread CPU time.
template <typename F> void timeOne(Timings& into, F&& call)
{
    const double cpu0 = threadCpuMs();
    QElapsedTimer t;
    t.start();
    call();
    into.wall.push_back(double(t.nsecsElapsed()) / 1e6);
    into.cpu.push_back(threadCpuMs() - cpu0);
}

// Lets the panel run (polls, sample clock) for a moment between two measured updates.
void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
}

Timings needleUpdates(Panel& panel, Analog& gauge, int updates)
{
    Timings ms;
    for (int i = 0; i < updates; ++i) {
        // A sweep over the whole scale, "OL" now and then.
        panel.state().ReadingText =
            i % 50 == 49 ? QStringLiteral("OL") : QString::number((i * 37) % 2000);
        timeOne(ms, [&] {
            gauge.UpdateGaugeNeedle();
            gauge.face()->repaint();
        });
        if (i % 10 == 0)
            runFor(5);
    }
    return ms;
}

Timings digitalFeeds(Digital& digital, int updates)
{
    Timings ms;
    for (int i = 0; i < updates; ++i) {
        timeOne(ms, [&] {
            digital.feed(QString::number((i * 37) % 2000 / 10.0, 'f', 1), QStringLiteral("mG"));
            digital.repaint();
        });
        if (i % 10 == 0)
            runFor(5);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int updates = 500;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--updates") == 0)
            updates = std::max(1, std::atoi(argv[i + 1]));
    }

    sim::VirtualMeter meter;
    QString error;
    const std::unique_ptr<Panel> started = startPanel(meter, &error);
    if (!started) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    Panel& panel = *started;
    runFor(1000); // identified, polling

    panel.toolbarClick(QStringLiteral("Analog"));
    panel.toolbarClick(QStringLiteral("Digital"));
    Analog* gauge = panel.analogGauge();
    Digital* digital = panel.digitalDisplay();
    if (!gauge || !digital)
        return 1;
    // Keep the unit the dial was drawn for, so every update moves the needle.
    gauge->setScaleUnit(unitOf(panel.shownUnit()));
    runFor(300);

    report("needle_update_design_size", needleUpdates(panel, *gauge, updates));
    gauge->resize(1200, 700);
    runFor(300);
    report("needle_update_1200x700", needleUpdates(panel, *gauge, updates));
    report("digital_feed", digitalFeeds(*digital, updates));

    panel.stopPolling();
    return 0;
}
