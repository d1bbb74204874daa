// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the record graph and the plot window: the 100 ms chart update at the end of a
// 50000-row graph sampled every second, the program's memory with that graph open, opening the
// plot window on a full 150-second window, and the repaint after each step of a mouse pan and of
// a wheel zoom. Run headless: QT_QPA_PLATFORM=offscreen.

#include "support/BenchSupport.h"

#include "panel/Panel.h"
#include "records/RecordFile.h"
#include "records/RecordLimit.h"
#include "sim/VirtualMeter.h"
#include "ui/Graph.h"
#include "ui/TimeScale.h"
#include "views/PlotWindow.h"
#include "views/RecordGraph.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace veltrix;
using namespace veltrix::bench;

namespace {
// Memory only this process uses (not the library pages it shares with others), from smaps.
long privateBytes()
{
    QFile smaps(QStringLiteral("/proc/self/smaps_rollup"));
    if (!smaps.open(QIODevice::ReadOnly))
        return 0;
    long kb = 0;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        if (line.startsWith("Private_Clean:") || line.startsWith("Private_Dirty:"))
            kb += line.simplified().split(' ').value(1).toLong();
    }
    return kb * 1024;
}

void memory(const char* stage)
{
    std::printf("memory %s: resident %.1f MB, private %.1f MB, heap %.1f MB\n", stage,
                double(residentBytes()) / 1048576.0, double(privateBytes()) / 1048576.0,
                double(mallinfo2().uordblks + mallinfo2().hblkhd) / 1048576.0);
    std::fflush(stdout);
}
struct Stats {
    double mean = 0, median = 0, p99 = 0, max = 0;
};

Stats statsOf(std::vector<double> v)
{
    Stats s;
    if (v.empty())
        return s;
    std::sort(v.begin(), v.end());
    for (double x : v)
        s.mean += x;
    s.mean /= double(v.size());
    s.median = v[v.size() / 2];
    s.p99 = v[std::min(v.size() - 1, size_t(double(v.size()) * 0.99))];
    s.max = v.back();
    return s;
}

void report(const char* name, const Stats& s)
{
    std::printf("%s mean %.3f ms, median %.3f ms, p99 %.3f ms, max %.3f ms\n", name, s.mean,
                s.median, s.p99, s.max);
    std::fflush(stdout);
}

QString rowText(int i, int t0)
{
    const double v = 40 + 25 * std::sin(i / 17.0) + 5 * std::sin(i / 2.3);
    return QStringLiteral("%1\t26/12/06\t%2\t%3\t%4\t\t")
        .arg(i)
        .arg(ui::timeTextOfSeconds(t0 + i))
        .arg(v, 0, 'f', 1)
        .arg(milliGaussUnit());
}

void send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), b, bs, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);

    memory("Qt only, no window");

    // The whole program: the panel polling a virtual meter in this process, the record graph
    // opened from its toolbar. The sample clock is stopped; the rows are fed here.
    sim::VirtualMeter meter;
    QString error;
    const std::unique_ptr<Panel> started = startPanel(meter, &error);
    if (!started) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    Panel& panel = *started;
    panel.findChild<QTimer*>(QStringLiteral("Timer2"))->stop();
    panel.setSamplingSeconds(1);
    QCoreApplication::processEvents();
    memory("panel alone");
    panel.toolbarClick(QStringLiteral("Graph2"));
    RecordGraph* graph = panel.recordGraph();
    QCoreApplication::processEvents();
    memory("panel and empty record graph");
    // Polling goes on in the program; here it would only add its 0.2 s waits to the figures.
    panel.stopPolling();

    // 50000 samples a second apart, from just after midnight (the day has room for them all).
    // Each is appended and charted as the sample clock and Timer1 would; the last thousand are
    // timed, each with the repaint that follows it.
    const int rows = MaxRecords;
    const int t0 = 60;
    const int timed = 1000;
    std::vector<double> tick, tickAndPaint;
    QElapsedTimer feedAll;
    feedAll.start();
    for (int i = 1; i <= rows; ++i) {
        graph->appendRow(rowText(i, t0));
        if (i <= rows - timed) {
            graph->updateChart();
            if (i % 500 == 0)
                QCoreApplication::processEvents();
            continue;
        }
        QElapsedTimer t;
        t.start();
        graph->updateChart();
        tick.push_back(ms(t));
        graph->chart().viewport()->repaint();
        tickAndPaint.push_back(ms(t));
    }
    figure("feed_50000_rows_s", ms(feedAll) / 1000.0, "s");
    report("chart_update_tick_at_end", statsOf(tick));
    report("chart_update_tick_with_repaint", statsOf(tickAndPaint));
    figure("points_on_chart", graph->chart().pointCount(), "");
    QCoreApplication::processEvents();
    memory("panel and record graph with 50000 rows");

    // Opening the plot window on a full window (151 rows), shown and painted.
    graph->logic().GridsTimebox = graph->logic().TextGrid - 150;
    {
        PlotWindow* plot = graph->openPlot();
        plot->repaint();
        QCoreApplication::processEvents();
        memory("the same with the plot window open");
        delete plot;
    }
    std::vector<double> opens;
    for (int run = 0; run < 20; ++run) {
        QElapsedTimer t;
        t.start();
        PlotWindow* plot = graph->openPlot();
        plot->repaint();
        QCoreApplication::processEvents();
        opens.push_back(ms(t));
        if (run < 19)
            delete plot;
    }
    report("open_plot_window_151_points", statsOf(opens));

    // Panning by mouse: each move scrolls the chart and repaints it.
    PlotWindow* plot = graph->plotWindow();
    ui::Graph& chart = plot->chart();
    QWidget* view = chart.viewport();
    plot->setMode(2); // PanXY
    const QRect area = chart.plotRect();
    std::vector<double> pans;
    send(view, QEvent::MouseButtonPress, area.center(), Qt::LeftButton, Qt::LeftButton);
    for (int i = 0; i < 200; ++i) {
        const QPoint p = area.center() + QPoint((i % 40) * 3 - 60, (i % 20) - 10);
        QElapsedTimer t;
        t.start();
        send(view, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
        view->repaint();
        pans.push_back(ms(t));
    }
    send(view, QEvent::MouseButtonRelease, area.center(), Qt::LeftButton, Qt::NoButton);
    report("pan_step_with_repaint", statsOf(pans));

    std::vector<double> zooms;
    for (int i = 0; i < 200; ++i) {
        const QPointF at(area.center());
        QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, i % 2 ? -120 : 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QElapsedTimer t;
        t.start();
        QCoreApplication::sendEvent(view, &wheel);
        view->repaint();
        zooms.push_back(ms(t));
    }
    report("wheel_zoom_step_with_repaint", statsOf(zooms));

    plot->setMode(5); // ZoomXY: a dragged region
    std::vector<double> regionZooms;
    for (int i = 0; i < 50; ++i) {
        plot->resetScale();
        const QPoint a = area.topLeft() + QPoint(area.width() / 4, area.height() / 4);
        send(view, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
        send(view, QEvent::MouseMove, area.center(), Qt::NoButton, Qt::LeftButton);
        QElapsedTimer t;
        t.start();
        send(view, QEvent::MouseButtonRelease, area.center(), Qt::LeftButton, Qt::NoButton);
        view->repaint();
        regionZooms.push_back(ms(t));
    }
    report("region_zoom_with_repaint", statsOf(regionZooms));
    delete plot;
    panel.stopPolling();
    graph->close();
    QCoreApplication::processEvents();
    return 0;
}
