// SPDX-License-Identifier: GPL-3.0-or-later
// The record graph and plot window, fed sample rows by plain calls; the analog gauge's dial
// geometry, and its window painting from it. The digital display is tested behind the panel.

#include "support/Layout.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "ui/Graph.h"
#include "ui/NumEdit.h"
#include "ui/PrintDialog.h"
#include "ui/TimeScale.h"
#include "ui/WindowPicture.h"
#include "views/Analog.h"
#include "views/GaugeGeometry.h"
#include "views/PlotWindow.h"
#include "views/RecordGraph.h"

#include <QAction>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace veltrix;
using namespace veltrix::gauge;
using ui::Graph;

namespace {

const QString Mu = QString(QChar(0x03BC)) + u'T';

double at(const QString& time)
{
    return ui::daysFromSeconds(*ui::secondsOfTimeText(time));
}

// A record graph on its own, fed the way the panel feeds it, its chart updated after each row.
struct GraphRig {
    int sampling; // the panel's sampling time
    RecordGraph* graph = new RecordGraph([this] { return sampling; });
    int rows = 0;

    GraphRig(int samplingSeconds = 2) : sampling(samplingSeconds)
    {
        graph->logic().SecTime1 = samplingSeconds;
    }
    ~GraphRig() { delete graph; }

    void feed(const QString& time, const QString& value = "12.3", const QString& unit = "mG")
    {
        graph->appendRow(
            QString("%1\t26/12/06\t%2\t%3\t%4\t\t").arg(++rows).arg(time, value, unit));
        graph->updateChart();
    }
    // Samples every `step` seconds from `from`, `count` of them.
    void feedEvery(int step, const QString& from, int count, const QString& value = "12.3")
    {
        const int t0 = *ui::secondsOfTimeText(from);
        for (int i = 0; i < count; ++i)
            feed(ui::timeTextOfSeconds(t0 + i * step), value);
    }
    Graph& chart() { return graph->chart(); }
    // The chart's points as times of day.
    QStringList times()
    {
        QStringList out;
        for (const QPointF& p : chart().points())
            out << ui::timeTextOfDays(p.x());
        return out;
    }
};

// The plot of `count` samples from 09:00:00 at the rig's sampling time, shown.
std::unique_ptr<PlotWindow> shownPlot(GraphRig& rig, int count, const QString& value = "50")
{
    rig.feedEvery(rig.graph->logic().SecTime1, "09:00:00", count, value);
    std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
    plot->show();
    if (!QTest::qWaitForWindowExposed(plot.get()))
        qWarning("plot window not exposed");
    return plot;
}

// Types into a range field and leaves it.
ui::NumEdit* enter(PlotWindow& plot, const char* field, const QString& text)
{
    auto* edit = plot.findChild<ui::NumEdit*>(field);
    edit->setText(text);
    emit edit->editingFinished();
    return edit;
}

// Equal to a billionth, relative to the larger of 1 and `b` (days of a time axis, dial units).
bool near(double a, double b, double tolerance = 1e-9)
{
    return std::abs(a - b) <= tolerance * std::max(1.0, std::abs(b));
}

void drag(QWidget* w, QPoint from, QPoint to)
{
    auto send = [w](QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs) {
        QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), b, bs, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    const QPoint mid = (from + to) / 2;
    send(QEvent::MouseMove, mid, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// What printing changes for a moment: size, trace colour, frame and background.
QVariantList lookOf(PlotWindow& plot)
{
    auto* frame = plot.findChild<QGroupBox*>("FrmGraphic");
    return {plot.size(),     plot.chart().colour(),     frame->title(),
            frame->isFlat(), plot.autoFillBackground(), plot.palette().color(QPalette::Window)};
}

// Pixels that differ between two pictures of the same size, in the left and the right half.
QPair<int, int> changedHalves(const QImage& before, const QImage& after)
{
    int left = 0, right = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y))
                ++(x < after.width() / 2 ? left : right);
        }
    }
    return {left, right};
}

// A gauge on its own, with the panel's unit in `unit`.
struct GaugeRig {
    std::optional<Unit> unit = Unit::MilliGauss;
    QString reading;
    int fullScale = 2000;
    bool open = true;
    QPointer<Analog> gauge;

    GaugeRig()
    {
        GaugeSource source;
        source.unit = [this] { return unit; };
        source.reading = [this] { return reading; };
        source.fullScale = [this] { return fullScale; };
        gauge = new Analog(std::move(source));
        gauge->setScaleUnit(unit);
        QObject::connect(gauge, &Analog::fullScaleChanged, [this](int f) { fullScale = f; });
        QObject::connect(gauge, &Analog::closed, [this] { open = false; });
        gauge->show();
        if (!QTest::qWaitForWindowExposed(gauge))
            qWarning("gauge window not exposed");
    }
    ~GaugeRig() { delete gauge.data(); }
    bool needleFor(const QString& text)
    {
        reading = text;
        return gauge->UpdateGaugeNeedle();
    }
};
} // namespace

class TestViewsWindows : public QObject {
    Q_OBJECT
private slots:
    void yRange_data()
    {
        QTest::addColumn<QStringList>("values"); // fed in turn, one second apart
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<QString>("caption");
        QTest::newRow("99 mG") << QStringList{"99"} << "mG" << 200.0 << "mG";
        QTest::newRow("100 mG") << QStringList{"100"} << "mG" << 2000.0 << "mG";
        QTest::newRow("9.99 uT") << QStringList{"9.99"} << Mu << 20.0 << Mu;
        QTest::newRow("10 uT") << QStringList{"10"} << Mu << 200.0 << Mu;
        QTest::newRow("overload mG") << QStringList{"OL"} << "mG" << 2000.0 << "mG";
        QTest::newRow("overload uT") << QStringList{"OL"} << Mu << 200.0 << Mu;
        QTest::newRow("up then down") << QStringList{"99", "150", "99.9"} << "mG" << 200.0 << "mG";
        // Another unit leaves the axis as it is.
        QTest::newRow("other unit") << QStringList{"150"} << "G" << 10.0 << "";
    }
    void yRange()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, unit);
        QFETCH(double, maximum);
        QFETCH(QString, caption);
        GraphRig rig(1);
        for (int i = 0; i < values.size(); ++i)
            rig.feed(ui::timeTextOfSeconds(36000 + i), values[i], unit);
        QCOMPARE(rig.chart().axisMinimum(Graph::YAxis), 0.0);
        QCOMPARE(rig.chart().axisMaximum(Graph::YAxis), maximum);
        QCOMPARE(rig.chart().axisCaption(Graph::YAxis), caption);
        if (values.last() == "OL") // drawn at the top of its scale
            QCOMPARE(rig.chart().points().last().y(), maximum);
    }

    // The first row draws a start point and its companion a second later; later rows one second
    // after their time, a repeated time none. A new sampling time counts after the next sample.
    void startsAndAppends()
    {
        GraphRig rig(2);
        rig.graph->updateChart(); // no row yet: nothing
        QCOMPARE(rig.chart().pointCount(), 0);
        rig.feed("12:00:00", "150");
        QVERIFY(near(rig.chart().axisMinimum(Graph::XAxis), at("12:00:00")));
        QVERIFY(near(rig.chart().axisMaximum(Graph::XAxis), at("12:02:30")));
        QCOMPARE(rig.chart().points()[1].y(), 150.0);
        rig.graph->updateChart(); // further ticks without a new row change nothing
        QCOMPARE(rig.chart().pointCount(), 2);
        rig.feed("12:00:02");
        rig.feed("12:00:04");
        rig.feed("12:00:04");
        QCOMPARE(rig.times(), (QStringList{"12:00:00", "12:00:01", "12:00:03", "12:00:05"}));
        rig.sampling = 5;
        rig.feed("12:00:06");
        rig.feed("12:00:11");
        QCOMPARE(rig.graph->logic().restarts, 1);
        QCOMPARE(rig.chart().pointCount(), 6);
        // What is drawn: the chart's own series holds every point.
        const auto* drawn = qobject_cast<QLineSeries*>(rig.chart().chart()->series().value(0));
        QVERIFY(drawn && drawn->count() == 6 && drawn->at(5).y() == 12.3);
        // The graph's own timer charts a new row; nothing else needs to prod it.
        rig.graph->appendRow("9\t26/12/06\t12:00:16\t12.3\tmG\t\t");
        QTRY_COMPARE(rig.chart().pointCount(), 7);
    }

    void restarts_data()
    {
        QTest::addColumn<int>("sampling");
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QString>("windowStart");
        QTest::addColumn<int>("firstRow");
        QTest::newRow("4 s step at 2 s sampling")
            << 2 << QStringList{"12:00:00", "12:00:02", "12:00:06"} << "12:00:06" << 3;
        // Any step but one sampling time restarts: back (as here), short (a new sampling time).
        QTest::newRow("midnight")
            << 1 << QStringList{"23:59:58", "23:59:59", "00:00:00"} << "00:00:00" << 3;
        for (const int step : {1, 2}) { // 150 s after its start, however many samples it took
            QStringList times;
            for (int t = 0; t < 150; t += step)
                times << ui::timeTextOfSeconds(43200 + t);
            QTest::addRow("window moves, %d s", step)
                << step << times + QStringList{"12:02:30"} << "12:02:30" << 150 / step + 1;
        }
    }
    void restarts()
    {
        QFETCH(int, sampling);
        QFETCH(QStringList, times);
        QFETCH(QString, windowStart);
        QFETCH(int, firstRow);
        GraphRig rig(sampling);
        for (int i = 0; i < times.size(); ++i)
            rig.feed(times[i], QString::number(10 + i));
        QCOMPARE(rig.graph->logic().restarts, 2);
        QCOMPARE(rig.graph->logic().GridsTimebox, firstRow);
        const QString second = ui::timeTextOfDays(at(windowStart) + ui::daysFromSeconds(1));
        QCOMPARE(rig.times(), (QStringList{windowStart, second}));
        QVERIFY(near(rig.chart().axisMinimum(Graph::XAxis), at(windowStart)));
        QCOMPARE(rig.chart().points()[0].y(), double(10 + times.size() - 1));
        // Goes on from there: the next sample on time is drawn, not taken for another gap.
        rig.feed(ui::timeTextOfSeconds(*ui::secondsOfTimeText(times.last()) +
                                       rig.graph->logic().SecTime1));
        QCOMPARE(rig.graph->logic().restarts, 2);
        QCOMPARE(rig.chart().pointCount(), 3);
    }

    // A click on the chart opens the plot once. Closed, the graph clears what the panel feeds by.
    void clickOpensPlotOnceAndCloseClears()
    {
        GraphRig rig(2);
        QSignalSpy closed(rig.graph, &RecordGraph::closed);
        rig.graph->setAttribute(Qt::WA_DeleteOnClose, false);
        rig.graph->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.graph));
        rig.feedEvery(2, "12:00:00", 4);
        Graph& chart = rig.chart();
        const QPoint centre = chart.plotRect().center();
        drag(chart.viewport(), centre, centre); // a click
        QPointer<PlotWindow> plot = rig.graph->plotWindow();
        QVERIFY(plot && plot->isVisible());
        QCOMPARE(plot->chart().pointCount(), 4);
        rig.feed("12:00:08");
        drag(chart.viewport(), centre, centre);
        QCOMPARE(rig.graph->plotWindow(), plot.data()); // only raised, not replotted
        QCOMPARE(plot->chart().pointCount(), 4);
        delete plot.data();
        rig.graph->close();
        QCOMPARE(closed.count(), 1);
    }

    // The plot shows the rows from the window's start on, its range and fields on them.
    void replotsWindowRows_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("firstRow"); // where the window started
        QTest::addColumn<QString>("to");
        QTest::newRow("rows 5 to 9") << "09:00:08" << 5 << "09:00:16";
        QTest::newRow("from midnight") << "00:00:00" << 1 << "00:00:08";
    }
    void replotsWindowRows()
    {
        QFETCH(QString, from);
        QFETCH(int, firstRow);
        QFETCH(QString, to);
        GraphRig rig(2);
        const int first = *ui::secondsOfTimeText(from) - (firstRow - 1) * 2;
        rig.feedEvery(2, ui::timeTextOfSeconds(first), firstRow + 4);
        rig.graph->logic().GridsTimebox = firstRow;
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        const QList<QPointF> pts = plot->chart().points();
        QCOMPARE(pts.size(), 5);
        for (int i = 0; i < 5; ++i) {
            QVERIFY(near(pts[i].x(), at(from) + ui::daysFromSeconds(2 * i)));
            QCOMPARE(pts[i].y(), 12.3);
        }
        QVERIFY(near(plot->chart().axisMinimum(Graph::XAxis), at(from)));
        QVERIFY(near(plot->chart().axisMaximum(Graph::XAxis), at(to)));
        QCOMPARE(plot->findChild<ui::NumEdit*>("AxisMin1")->text(), from);
        QCOMPARE(plot->findChild<ui::NumEdit*>("AxisMax1")->text(), to);
    }

    void plotYRange_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<QString>("unitLabel");
        const auto row = [](const char* value, const QString& caption, double maximum,
                            const QString& unitLabel) {
            QTest::addRow("%s %s", value, qPrintable(unitLabel))
                << QString(value) << caption << maximum << unitLabel;
        };
        row("10", "mG", 20.0, "mG");
        row("10.01", "mG", 200.0, "mG");
        row("1000", "mG", 2000.0, "mG");
        row("2001", "mG", 3000.0, "mG"); // beyond full scale the trace must still be on the scale
        row("55", Mu, 200.0, Mu);
        row("55", "", 10.0, QString("mG/") + Mu); // no unit caption
    }
    void plotYRange()
    {
        QFETCH(QString, value);
        QFETCH(QString, caption);
        QFETCH(double, maximum);
        QFETCH(QString, unitLabel);
        PlotWindow plot;
        const QStringList row{"1", "26/12/06", "10:00:00", value, caption};
        plot.load([&](int r, int c) { return r == 1 ? row[c] : QString(); }, 1, 1, caption);
        QCOMPARE(plot.chart().axisMaximum(Graph::YAxis), maximum);
        QCOMPARE(plot.findChild<QLabel*>("LblUnit")->text(), unitLabel);
        QCOMPARE(plot.findChild<ui::NumEdit*>("AxisMax2")->value(), maximum);
    }

    // Cursor mode shows both cursors at the centre of the range shown; dragged, a cursor reads
    // the trace under it and the difference between the two; panning hides them.
    void modesAndCursors()
    {
        GraphRig rig(2);
        for (int i = 0; i < 10; ++i)
            rig.feed(ui::timeTextOfSeconds(32400 + 2 * i), QString::number(10 + i));
        const auto plot = shownPlot(rig, 0);
        auto* x = plot->findChild<ui::NumEdit*>("XPosition");
        auto* y = plot->findChild<QLabel*>("YPosition");
        Graph& chart = plot->chart();
        QCOMPARE(test::overlappingControls(plot.get()), QString());
        plot->setMode(1);
        QCOMPARE(plot->findChild<QLabel*>("txtDescription")->text(), trackModes()[1].help);
        QVERIFY(chart.cursorVisible(1) && chart.cursorVisible(2));
        QVERIFY(near(chart.cursorPosition(1).x(), at("09:00:09")));
        QCOMPARE(x->text(), QString("09:00:09"));
        QCOMPARE(y->text(), QString("100.00")); // the centre of 0-200
        // Cursor 1 (nearest to the centre) to the left end reads the first sample.
        QSignalSpy moved(&chart, &Graph::cursorMoved);
        const QRect area = chart.plotRect();
        drag(chart.viewport(), area.center(), QPoint(area.left() + 2, area.center().y()));
        QCOMPARE(moved.last().at(0).toInt(), 1);
        QCOMPARE(x->text(), QString("09:00:00"));
        QCOMPARE(y->text(), QString("10.00"));
        // Cursor 2 to the right end: 18 s and 9 mG later.
        drag(chart.viewport(), QPoint(area.left() + area.width() * 3 / 4, area.center().y()),
             QPoint(area.right() - 1, area.center().y()));
        QCOMPARE(moved.last().at(0).toInt(), 2);
        const QString delta = plot->findChild<QLabel*>("LblCursorDelta")->text();
        QVERIFY2(delta.contains("00:00:18") && delta.contains("9.00 mG"), qPrintable(delta));
        plot->setMode(3);
        QVERIFY(!chart.cursorVisible(1) && !chart.cursorVisible(2));
        chart.setAxisRange(Graph::XAxis, at("09:00:10"), at("09:00:14"));
        plot->setMode(1); // centred again, in the range now shown
        QVERIFY(near(chart.cursorPosition(1).x(), at("09:00:12")));
    }

    // Zoomed, then the fields set by hand, then Reset: the whole time range, the y range as
    // entered. Then panned, zoomed by the wheel, and a double click shows the whole window again.
    void zoomPanAndReset()
    {
        GraphRig rig(1);
        const auto plot = shownPlot(rig, 100);
        Graph& chart = plot->chart();
        const double x0 = chart.axisMinimum(Graph::XAxis), x1 = chart.axisMaximum(Graph::XAxis);
        plot->setMode(5); // ZoomXY
        const QRect area = chart.plotRect();
        drag(chart.viewport(), area.topLeft() + QPoint(area.width() / 4, area.height() / 4),
             area.center());
        QVERIFY(chart.axisMinimum(Graph::XAxis) > x0 + ui::daysFromSeconds(10));
        QVERIFY(chart.axisMaximum(Graph::XAxis) < x1 - ui::daysFromSeconds(30));
        QVERIFY(chart.axisMinimum(Graph::YAxis) > 0);
        ui::NumEdit* xMin = enter(*plot, "AxisMin1", "09:00:30");
        QVERIFY(near(chart.axisMinimum(Graph::XAxis), at("09:00:30")));
        enter(*plot, "AxisMin1", "nonsense"); // refused: the field shows its value again
        QCOMPARE(xMin->text(), QString("09:00:30"));
        enter(*plot, "AxisMax2", "120");
        enter(*plot, "AxisMin2", "500"); // above the maximum: the axis keeps its range
        QCOMPARE(chart.axisMaximum(Graph::YAxis), 120.0);
        enter(*plot, "AxisMax1", "09:01:00");
        plot->findChild<QPushButton*>("CmdReset")->click();
        QCOMPARE(xMin->text(), QString("09:00:00"));
        QVERIFY(near(chart.axisMinimum(Graph::XAxis), x0));
        QVERIFY(near(chart.axisMaximum(Graph::XAxis), x1));
        QCOMPARE(chart.axisMinimum(Graph::YAxis), 0.0);
        QCOMPARE(chart.axisMaximum(Graph::YAxis), 120.0);
        plot->setMode(3);
        drag(chart.viewport(), area.center(), area.center() + QPoint(area.width() / 4, 30));
        QVERIFY(chart.axisMinimum(Graph::XAxis) < x0 - ui::daysFromSeconds(10));
        QVERIFY(near(chart.axisMaximum(Graph::XAxis) - chart.axisMinimum(Graph::XAxis), x1 - x0));
        QCOMPARE(chart.axisMaximum(Graph::YAxis), 120.0);
        const double span = chart.axisMaximum(Graph::XAxis) - chart.axisMinimum(Graph::XAxis);
        QWheelEvent wheel(QPointF(area.center()),
                          chart.viewport()->mapToGlobal(QPointF(area.center())), QPoint(),
                          QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(chart.viewport(), &wheel);
        QVERIFY(chart.axisMaximum(Graph::XAxis) - chart.axisMinimum(Graph::XAxis) < span * 0.7);
        QTest::mouseDClick(chart.viewport(), Qt::LeftButton, {}, area.center());
        QVERIFY(near(chart.axisMinimum(Graph::XAxis), x0));
        QVERIFY(near(chart.axisMaximum(Graph::XAxis), x1));
    }

    // Cancelled, failed or printed: the window looks as before; a failure is told.
    void print_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<bool>("printed");
        QTest::newRow("cancelled") << false << QString() << false;
        QTest::newRow("failed") << true << QString("/nonexistent-folder/plot.pdf") << false;
        QTest::newRow("printed") << true << QString("plot.pdf") << true;
    }
    void print()
    {
        QFETCH(bool, accepted);
        QFETCH(QString, pdf);
        QFETCH(bool, printed);
        GraphRig rig(1);
        const auto plot = shownPlot(rig, 20);
        const QVariantList before = lookOf(*plot);
        QTemporaryDir dir;
        test::ScriptedDialogs dialogs;
        int asked = 0;
        ui::setPrintDialogRunner([&](QPrinter& p, QWidget*) {
            ++asked;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(dir.filePath(pdf));
            return accepted;
        });
        const bool done = plot->print();
        ui::setPrintDialogRunner({});
        QCOMPARE(done, printed);
        QCOMPARE(asked, 1);
        QCOMPARE(dialogs.messages.size(), accepted && !printed ? 1 : 0);
        if (printed)
            QVERIFY(test::fileBytes(dir.filePath(pdf)).startsWith("%PDF"));
        QCOMPARE(lookOf(*plot), before);
    }

    void exportCsvOfVisibleRange()
    {
        GraphRig rig(2);
        for (int i = 0; i < 10; ++i)
            rig.feed(ui::timeTextOfSeconds(86380 + 2 * i), i == 5 ? "OL" : QString::number(i + 0.5),
                     Mu);
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        plot->chart().setAxisRange(Graph::XAxis, at("23:59:48"), at("23:59:54"));
        QTemporaryDir dir;
        test::ScriptedDialogs dialogs;
        dialogs.fileAnswers << dir.filePath("range"); // no suffix: CSV
        QVERIFY(plot->exportView());
        const QByteArray csv = test::fileBytes(dir.filePath("range.csv"));
        QCOMPARE(csv, QByteArray("Time,Value,Unit\r\n"
                                 "2026-12-06T23:59:48,4.5,mu\r\n"
                                 "2026-12-06T23:59:50,OL,mu\r\n"
                                 "2026-12-06T23:59:52,6.5,mu\r\n"
                                 "2026-12-06T23:59:54,7.5,mu\r\n")
                          .replace("mu", Mu.toUtf8()));
        dialogs.fileAnswers << dir.filePath("range.png");
        QVERIFY(plot->exportView());
        QVERIFY(test::fileBytes(dir.filePath("range.png")).startsWith("\x89PNG"));
        dialogs.fileAnswers << std::optional<QString>("/nonexistent-folder/x.csv");
        QVERIFY(!plot->exportView());
        QCOMPARE(dialogs.messages.size(), 1);
    }

    void needleAngle_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::addColumn<double>("fullScale");
        QTest::addColumn<double>("degrees");
        QTest::newRow("above full scale") << "2500" << 2000.0 << 35.0;
        QTest::newRow("OL") << "OL" << 2000.0 << 35.0;
        QTest::newRow("negative") << "-5" << 2000.0 << 145.0;
        QTest::newRow("decimal") << "12.3" << 2000.0 << double(float(145 - 110 * 12.3 / 2000));
        QTest::newRow("no scale yet") << "12" << 0.0 << 145.0;
    }
    void needleAngle()
    {
        QFETCH(QString, reading);
        QFETCH(double, fullScale);
        QFETCH(double, degrees);
        QCOMPARE(gauge::needleAngle(reading, fullScale), float(degrees));
    }

    void needleEndAndArc()
    {
        const QPointF up = needleEnd(90.0f, 1000);
        QVERIFY(near(up.x(), 0, 1e-3));
        QVERIFY(near(up.y(), 960));
        QVERIFY(needleEnd(145.0f, 1000).x() < -780);
        QVERIFY(needleEnd(35.0f, 1000).x() > 780);
        const QList<QPointF> arc = arcPoints(1000);
        QVERIFY(arc.first() == onCircle(1000, 34.2) && arc.last() == onCircle(1000, 145.8));
    }

    void markLengths_data()
    {
        QTest::addColumn<int>("mark");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("degrees");
        QTest::newRow("full scale") << 0 << 1.08 << 36.0;
        QTest::newRow("first minor") << 1 << 1.03 << 38.7;
        QTest::newRow("fifth") << 5 << 1.06 << 49.5;
    }
    void markLengths()
    {
        QFETCH(int, mark);
        QFETCH(double, length);
        QFETCH(double, degrees);
        const QList<Mark> all = marks(1000);
        QCOMPARE(all.size(), 41);
        const Mark& m = all.at(mark);
        const double a = degrees * 3.1415926 / 180;
        QVERIFY(near(m.inner.x(), 1000 * std::cos(a)) && near(m.inner.y(), 1000 * std::sin(a)));
        QVERIFY(near(m.outer.x(), length * 1000 * std::cos(a)));
        QVERIFY(near(m.outer.y(), length * 1000 * std::sin(a)));
    }

    void labels_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<double>("fullScale");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("resize mG") << int(DialVariant::Resize) << 2000.0
                                   << QStringList{"1000", "1500", "500", "2000", "0"};
        QTest::newRow("unit change mG") << int(DialVariant::UnitChange) << 2000.0
                                        << QStringList{" 1000", " 1500", " 500", " 2000", "0"};
    }
    // The middle label sits on the axis; the others in pairs on one line each, each centred on its
    // point of the label circle (the relabelled dial shifts every one by the same fixed amount).
    void labels()
    {
        QFETCH(int, variant);
        QFETCH(double, fullScale);
        QFETCH(QStringList, texts);
        const auto width = [](const QString& t) { return 30.0 * t.size(); };
        const QList<ScaleLabel> list = scaleLabels(DialVariant(variant), 2295, fullScale, width);
        QStringList got;
        for (const ScaleLabel& l : list)
            got << l.text;
        QCOMPARE(got, texts);
        QVERIFY(near(list[0].anchor.y(), 1.16 * 2295));
        QVERIFY(std::abs(list[0].anchor.x()) < 130);
        for (int i : {1, 3})
            QVERIFY(near(list[i].anchor.y(), list[i + 1].anchor.y()));
        QVERIFY(list[3].anchor.y() < list[1].anchor.y());
        const double degrees[] = {63, 117, 39.6, 140.4}; // 3 FS/4, FS/4, FS, 0
        for (int i = 1; i < 5; ++i) {
            const double shift =
                variant == int(DialVariant::UnitChange) ? 120 : width(list[i].text) / 2;
            QVERIFY2(
                near(list[i].anchor.x() + shift, 1.16 * 2295 * std::cos(radians(degrees[i - 1]))),
                qPrintable(list[i].text));
        }
    }

    void dialSpace()
    {
        const DialSpace s = DialSpace::fromClientPixels(QSizeF(306, 168));
        const QSizeF client(306, 168);
        QCOMPARE(s.toPixel({-2295, 3024}, client), QPointF(0, 0));
        QCOMPARE(s.toPixel({2295, 504}, client), QPointF(306, 168));
        QCOMPARE(s.toPixel({0, 0}, client), QPointF(153, 1.2 * 168));
        // Stretched unevenly with the window.
        QCOMPARE(s.toPixel({2295, 504}, QSizeF(612, 200)), QPointF(612, 200));
        QCOMPARE(s.toPixel({0, 1764}, QSizeF(612, 200)), QPointF(306, 100));
        const DialSpace outer = DialSpace::fromOuterPixels(QSizeF(307, 195));
        QVERIFY(near(outer.width(), 307 * 15 * 4485.0 / 4605));
        QVERIFY(near(outer.height(), 195 * 15 * 2490.0 / 2925));
        // A window squeezed flat has no dial to draw: no scale that divides by zero.
        for (const QSizeF flat : {QSizeF(306, 0), QSizeF(0, 168)})
            QVERIFY(DialSpace::fromClientPixels(flat).toPixels(flat).isIdentity());
    }

    // Small readings on the left half, large on the right; a second sample replaces the needle.
    void needleSide()
    {
        GaugeRig rig;
        const QImage bare = rig.gauge->picture();
        for (const bool left : {true, false}) {
            QVERIFY(rig.needleFor(left ? "150" : "1850"));
            const auto [l, r] = changedHalves(bare, rig.gauge->picture());
            QVERIFY2(left ? (l > 20 && r < 3) : (r > 20 && l < 3),
                     qPrintable(QStringLiteral("left %1 right %2").arg(l).arg(r)));
        }
    }

    // Opens on the resize dial without a needle, is relabelled on a unit change, says it closed.
    void unitChangeRelabels()
    {
        GaugeRig rig;
        QVERIFY(rig.gauge->dialDrawn());
        QCOMPARE(rig.gauge->variant(), DialVariant::Resize);
        QVERIFY(!rig.gauge->needle());
        QCOMPARE(rig.gauge->findChild<QLabel*>("LblFun")->text(), QString("mG"));
        QCOMPARE(rig.gauge->labels().first().text, QString("1000"));
        QVERIFY(rig.needleFor("100"));
        rig.unit = Unit::MicroTesla;
        QVERIFY(!rig.needleFor("10"));
        QCOMPARE(rig.fullScale, 200);
        QCOMPARE(rig.gauge->labels().first().text, QString(" 100"));
        QCOMPARE(rig.gauge->findChild<QLabel*>("LblFun")->text(), QString("uT"));
        const QSize outer = rig.gauge->frameGeometry().size() -
                            QSize(0, rig.gauge->findChild<QWidget*>("MenuBar")->height());
        QVERIFY(near(rig.gauge->dialSpace().width(), outer.width() * 15 * 4485.0 / 4605));
        rig.unit = Unit::MilliGauss;
        QVERIFY(!rig.needleFor("10"));
        QCOMPARE(rig.fullScale, 2000);
        QCOMPARE(rig.gauge->labels().at(3).text, QString(" 2000"));
        rig.gauge->close();
        QVERIFY(!rig.open);
        QTRY_VERIFY(rig.gauge.isNull());
    }

    void resizeAndMinimise()
    {
        GaugeRig rig;
        QVERIFY(rig.needleFor("500"));
        const DialSpace before = rig.gauge->dialSpace();
        rig.fullScale = 200; // as the toolbar may have set it meanwhile
        rig.gauge->resize(600, 300);
        QTRY_COMPARE(rig.gauge->face()->width(), 600);
        QVERIFY(!rig.gauge->needle());
        QCOMPARE(rig.gauge->variant(), DialVariant::Resize);
        QCOMPARE(rig.gauge->dialSpace().width(), before.width());
        QCOMPARE(rig.gauge->dialSpace().height(), before.height());
        QCOMPARE(rig.gauge->labels().first().text, QString("100"));

        // Minimised, nothing is drawn until the window is shown again.
        QVERIFY(rig.needleFor("50"));
        rig.gauge->showMinimized();
        QVERIFY(rig.gauge->isMinimized());
        rig.unit = Unit::MicroTesla; // would show in LblFun if a dial were drawn
        rig.gauge->resize(400, 250);
        QTRY_COMPARE(rig.gauge->face()->width(), 400);
        QVERIFY(rig.gauge->needle());
        QCOMPARE(rig.gauge->findChild<QLabel*>("LblFun")->text(), QString("mG"));
        rig.gauge->showNormal();
        QTRY_VERIFY(!rig.gauge->needle());
        QCOMPARE(rig.gauge->findChild<QLabel*>("LblFun")->text(), QString("uT"));
    }

    void printAndSave()
    {
        QTemporaryDir dir;
        GaugeRig rig;
        QVERIFY(rig.needleFor("700"));
        const QString pdf = dir.filePath("gauge.pdf");
        rig.gauge->setPrinterFactory([pdf] { return std::make_unique<ui::PicturePrinter>(pdf); });
        rig.gauge->findChild<QAction*>("MnuPrint")->trigger();
        QVERIFY(QFileInfo(pdf).size() > 0);

        test::ScriptedDialogs dialogs;
        dialogs.fileAnswers << dir.filePath("dial");
        rig.gauge->findChild<QAction*>("MnuSave")->trigger();
        QImage saved(dir.filePath("dial.png"));
        QCOMPARE(saved.size(), rig.gauge->face()->size());
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 rig.gauge->picture().convertToFormat(QImage::Format_RGB32));
        QVERIFY(dialogs.messages.isEmpty());

        // A folder that does not exist: told, not silently dropped.
        dialogs.fileAnswers << dir.filePath("missing/dial.png");
        rig.gauge->findChild<QAction*>("MnuSave")->trigger();
        QCOMPARE(dialogs.messages.size(), 1);
    }
};

QTEST_MAIN(TestViewsWindows)
#include "tst_views_windows.moc"
