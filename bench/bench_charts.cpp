// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the two line charts: the list plot of a full table (50000 records) from the Plot
// click to the painted chart, and one strip-chart point in the running panel, fed by the
// virtual meter, with the chart painted after it. Run headless: QT_QPA_PLATFORM=offscreen.
//
// With --screenshots DIR it instead takes the README's pictures of both windows (run it under
// xvfb-run): the strip chart following the virtual meter, and the list plot of a file the panel
// recorded from it.

#include "support/BenchSupport.h"

#include "panel/Panel.h"
#include "records/FileList.h"
#include "records/ListPlot.h"
#include "records/RecordFile.h"
#include "records/StripChart.h"
#include "sim/VirtualMeter.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace veltrix;
using namespace veltrix::bench;

namespace {

constexpr int Records = MaxRecords;
void wait(int msecs)
{
    QEventLoop loop;
    QTimer::singleShot(msecs, &loop, &QEventLoop::quit);
    loop.exec();
}

QStringList tableRows()
{
    QStringList rows;
    rows.reserve(Records);
    for (int i = 1; i <= Records; ++i) {
        const int s = i % 86400;
        rows << QStringLiteral("%1\t26/12/05\t%2:%3:%4\t%5\t%6\t\t")
                    .arg(i)
                    .arg(s / 3600, 2, 10, QLatin1Char('0'))
                    .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                    .arg(s % 60, 2, 10, QLatin1Char('0'))
                    .arg(double(i % 2000) / 10.0, 0, 'f', 1)
                    .arg(i % 3 == 0 ? QStringLiteral("uT") : milliGaussUnit());
    }
    return rows;
}

// Save dialogs answer a fixed path; everything else is the program's own.
struct FixedDialogs : ui::Dialogs {
    QString path;
    std::optional<QString> saveFile(QWidget*, const QString&) override { return path; }
    std::optional<QString> openFile(QWidget*, const QString&) override { return path; }
    ui::MsgResult message(QWidget*, const QString& text, ui::MsgButtons, ui::MsgIcon,
                          const QString&) override
    {
        std::printf("message: %s\n", qPrintable(text));
        return ui::MsgResult::Ok;
    }
};

std::unique_ptr<Panel> startPanel(sim::VirtualMeter& meter)
{
    meter.setPaced(true);
    QString error;
    if (!meter.start(&error)) {
        std::printf("virtual meter did not start: %s\n", qPrintable(error));
        return nullptr;
    }
    ui::PortBindings bindings;
    bindings.bind(1, meter.devicePath());
    auto panel = std::make_unique<Panel>(bindings, 1);
    if (!panel->startUp())
        return nullptr;
    panel->show();
    wait(1500); // identified and showing readings
    return panel;
}

void listPlotFigures()
{
    FileList list;
    list.grid().addItems(tableRows());
    ListPlot plot;
    QObject::connect(&list, &FileList::plotRequested, &plot, [&] { plot.plotTable(list.grid()); });
    list.show();
    QCoreApplication::processEvents();
    QAction* button = list.toolbar()->findChild<QAction*>(QStringLiteral("Plot"));
    std::vector<double> runs;
    for (int i = 0; i < 6; ++i) {
        QElapsedTimer t;
        t.start();
        button->trigger();
        plot.window()->canvas()->repaint();
        runs.push_back(ms(t));
        if (plot.window()->points().size() != Records)
            std::printf("plot incomplete\n");
        QCoreApplication::processEvents();
    }
    figure("list_plot_first_ms", runs.front(), "ms");
    std::sort(runs.begin(), runs.end());
    figure("list_plot_median_ms", runs[runs.size() / 2], "ms");
    figure("list_plot_worst_ms", runs.back(), "ms");
}

void stripPointFigures()
{
    sim::VirtualMeter meter;
    auto panel = startPanel(meter);
    if (!panel)
        return;
    panel->stopPolling(); // the panel keeps its last reading; no poll waits in between
    panel->toolbarClick(QStringLiteral("Graph"));
    RealTime1* chart = panel->stripChart()->window();
    QCoreApplication::processEvents();
    // Two sweeps of 300 points: one sample through the panel's feeding, then the whole chart
    // painted (more than the part the new segment needs).
    std::vector<double> runs;
    for (int i = 0; i < 600; ++i) {
        QElapsedTimer t;
        t.start();
        panel->takeSample();
        chart->canvas()->repaint();
        runs.push_back(ms(t));
        if (qEnvironmentVariableIsSet("BENCH_TRACE") && runs.back() > 1)
            std::printf("slow point %d: %.3f ms\n", i, runs.back());
    }
    double sum = 0;
    for (double r : runs)
        sum += r;
    figure("strip_point_mean_ms", sum / double(runs.size()), "ms");
    std::sort(runs.begin(), runs.end());
    figure("strip_point_median_ms", runs[runs.size() / 2], "ms");
    figure("strip_point_p99_ms", runs[runs.size() * 99 / 100], "ms");
    figure("strip_point_worst_ms", runs.back(), "ms");
}

int screenshots(const QString& dir)
{
    sim::VirtualMeter meter;
    QTemporaryDir tmp;
    FixedDialogs dialogs;
    dialogs.path = tmp.filePath(QStringLiteral("field.txt"));
    ui::Dialogs::setCurrent(&dialogs);
    auto panel = startPanel(meter);
    if (!panel)
        return 1;
    panel->setSamplingSeconds(1);
    panel->toolbarClick(QStringLiteral("SaveStop")); // records while the chart runs

    panel->toolbarClick(QStringLiteral("Graph"));
    StripChart* strip = panel->stripChart();
    strip->window()->resize(720, 460);
    strip->showRange();
    strip->rangeDialog()->TxtReal1Max->setText(QStringLiteral("16"));
    strip->rangeDialog()->TxtReal1Min->setText(QStringLiteral("8"));
    strip->rangeDialog()->TxtReal1Rec->setText(QStringLiteral("60"));
    strip->rangeDialog()->CmdOK->click();
    wait(45000);
    strip->window()->grab().save(dir + QStringLiteral("/stripchart.png"));

    panel->toolbarClick(QStringLiteral("SaveStop"));
    strip->window()->close();
    panel->toolbarClick(QStringLiteral("Open"));
    panel->fileList()->toolbar()->findChild<QAction*>(QStringLiteral("Plot"))->trigger();
    ListPlot* list = panel->listPlot();
    list->window()->resize(720, 460);
    list->showRange(); // the recorded field is far below the full scale
    list->rangeDialog()->TxtR1->setText(QStringLiteral("8"));
    list->rangeDialog()->TxtR2->setText(QStringLiteral("16"));
    list->rangeDialog()->CmdOK->click();
    ListPlot1* plot = list->window();
    wait(500);
    plot->grab().save(dir + QStringLiteral("/listplot.png"));
    ui::Dialogs::setCurrent(nullptr);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool shots = argc > 2 && QByteArray(argv[1]) == "--screenshots";
    if (!shots && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (shots)
        return screenshots(QString::fromLocal8Bit(argv[2]));
    listPlotFigures();
    stripPointFigures();
    return 0;
}
