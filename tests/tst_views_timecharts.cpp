// The record graph and the plot window, fed with sample rows by plain calls.

#include "panel/SharedState.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "ui/Graph.h"
#include "ui/Grid.h"
#include "ui/NumEdit.h"
#include "ui/PrintDialog.h"
#include "ui/TimeScale.h"
#include "views/PlotWindow.h"
#include "views/RecordGraph.h"

#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace veltrix;
using ui::Graph;

namespace {

const QString Mu = QString(QChar(0x03BC)) + u'T';

double at(const QString& time)
{
    return ui::daysFromSeconds(*ui::secondsOfTimeText(time));
}

// A record graph on its own, fed the way the panel feeds it, its chart updated after each row.
struct GraphRig {
    SharedState state;
    RecordGraph* graph = new RecordGraph(state);
    int rows = 0;

    GraphRig(int samplingSeconds = 2)
    {
        state.GraphViewOpen = true;
        state.SecText1 = QString::number(samplingSeconds);
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
    QList<double> xs()
    {
        QList<double> out;
        for (const QPointF& p : chart().points())
            out << p.x();
        return out;
    }
};

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}

bool sameXs(const QList<double>& got, const QList<double>& want)
{
    if (got.size() != want.size())
        return false;
    for (qsizetype i = 0; i < got.size(); ++i)
        if (!near(got[i], want[i]))
            return false;
    return true;
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

void click(QWidget* w, QPoint p)
{
    drag(w, p, p);
}

struct PrintLook {
    QSize size;
    QColor colour;
    QString frameTitle;
    bool frameFlat;
    QColor background;
    bool operator==(const PrintLook&) const = default;
};

PrintLook lookOf(PlotWindow& plot)
{
    auto* frame = plot.findChild<QGroupBox*>("FrmGraphic");
    return {plot.size(), plot.chart().colour(), frame->title(), frame->isFlat(),
            plot.palette().color(QPalette::Window)};
}

struct PrintRunner {
    explicit PrintRunner(std::function<bool(QPrinter&)> f)
    {
        ui::setPrintDialogRunner([this, f](QPrinter& p, QWidget*) {
            ++calls;
            return f(p);
        });
    }
    ~PrintRunner() { ui::setPrintDialogRunner({}); }
    int calls = 0;
};

} // namespace

class TestViewsTimeCharts : public QObject {
    Q_OBJECT
private slots:
    void timeTexts()
    {
        QCOMPARE(ui::secondsOfTimeText(u"23:59:59"), 86399);
        QCOMPARE(ui::secondsOfTimeText(u"12:3:45"), std::nullopt);
        QCOMPARE(ui::timeTextOfDays(ui::daysFromSeconds(45296)), QString("12:34:56"));
        QCOMPARE(ui::daysOfTimeText(u"12:34"), ui::daysFromSeconds(45240));
        QCOMPARE(ui::daysOfTimeText(u"25:00:00"), std::nullopt);
    }

    void tableLayout()
    {
        GraphRig rig;
        QCOMPARE(rig.graph->windowTitle(), QString("Record Real Time Graph"));
        const ui::Grid& t = rig.graph->table();
        QCOMPARE(t.cols(), 5);
        QCOMPARE(t.rows(), 1);
        const QStringList headers{" No.s ", "   Date", " Time ", "Value", "Unit"};
        for (int c = 0; c < 5; ++c)
            QCOMPARE(t.cell(0, c), headers[c]);
        QVERIFY(t.colWidth(2) > t.colWidth(4));
        rig.feed("10:00:00", "1.2", Mu);
        QCOMPARE(t.cell(1, 4), Mu);
        QCOMPARE(rig.graph->logic().TextGrid, 1);
    }

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
        QTest::newRow("up then down") << QStringList{"99", "150", "99.9"} << "mG" << 200.0 << "mG";
        QTest::newRow("down then up") << QStringList{"150", "5", "120"} << "mG" << 2000.0 << "mG";
        QTest::newRow("uT down then up") << QStringList{"12", "3", "10"} << Mu << 200.0 << Mu;
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
    }

    void startSequence()
    {
        GraphRig rig;
        rig.graph->updateChart(); // no row yet: nothing
        QCOMPARE(rig.chart().pointCount(), 0);
        rig.feed("12:00:00", "150");
        QCOMPARE(rig.chart().axisMaximum(Graph::YAxis), 2000.0);
        QCOMPARE(rig.chart().axisCaption(Graph::YAxis), QString("mG"));
        QVERIFY(near(rig.chart().axisMinimum(Graph::XAxis), at("12:00:00")));
        QVERIFY(near(rig.chart().axisMaximum(Graph::XAxis), at("12:02:30")));
        QVERIFY(sameXs(rig.xs(), {at("12:00:00"), at("12:00:01")}));
        QCOMPARE(rig.chart().points()[1].y(), 150.0);
        rig.graph->updateChart(); // further ticks without a new row change nothing
        QCOMPARE(rig.chart().pointCount(), 2);
        QCOMPARE(rig.graph->logic().CWGraphmod4, QString("12:00:00"));
    }

    void appendsAtSamplingTime()
    {
        GraphRig rig(2);
        rig.feedEvery(2, "12:00:00", 3);
        // Drawn one second after the start point's companion: t, t+1, t+3, t+5.
        QVERIFY(sameXs(rig.xs(), {at("12:00:00"), at("12:00:01"), at("12:00:03"), at("12:00:05")}));
        rig.feed("12:00:04"); // same time as the previous sample: nothing
        QCOMPARE(rig.chart().pointCount(), 4);
        QCOMPARE(rig.graph->logic().restarts, 1);
    }

    void restarts_data()
    {
        QTest::addColumn<int>("sampling");
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<int>("newSampling"); // entered before the last sample (0: none)
        QTest::addColumn<QString>("windowStart");
        QTest::addColumn<int>("firstRow");
        QTest::newRow("4 s step at 2 s sampling")
            << 2 << QStringList{"12:00:00", "12:00:02", "12:00:06"} << 0 << "12:00:06" << 3;
        QTest::newRow("new sampling time")
            << 2 << QStringList{"12:00:00", "12:00:02", "12:00:03"} << 5 << "12:00:03" << 3;
        QTest::newRow("midnight") << 1 << QStringList{"23:59:58", "23:59:59", "00:00:00"} << 0
                                  << "00:00:00" << 3;
        QTest::newRow("clock set back by one step")
            << 2 << QStringList{"12:00:00", "12:00:02", "12:00:00"} << 0 << "12:00:00" << 3;
    }
    void restarts()
    {
        QFETCH(int, sampling);
        QFETCH(QStringList, times);
        QFETCH(int, newSampling);
        QFETCH(QString, windowStart);
        QFETCH(int, firstRow);
        GraphRig rig(sampling);
        for (int i = 0; i < times.size(); ++i) {
            if (i == times.size() - 1 && newSampling) {
                rig.state.SecText1 = QString::number(newSampling);
                rig.graph->logic().SecTime1 = newSampling;
            }
            rig.feed(times[i], QString::number(10 + i));
        }
        QCOMPARE(rig.graph->logic().restarts, 2);
        QCOMPARE(rig.graph->logic().GridsTimebox, firstRow);
        QVERIFY(sameXs(rig.xs(), {at(windowStart), at(windowStart) + ui::daysFromSeconds(1)}));
        QVERIFY(near(rig.chart().axisMinimum(Graph::XAxis), at(windowStart)));
        QCOMPARE(rig.chart().points()[0].y(), double(10 + times.size() - 1));
    }

    void newSamplingTimeIsFollowed()
    {
        GraphRig rig(2);
        rig.feedEvery(2, "12:00:00", 2);
        rig.state.SecText1 = "5";
        rig.graph->logic().SecTime1 = 5;
        rig.feed("12:00:03"); // the clock restarted: restart here
        rig.feed("12:00:08"); // then every 5 s
        QCOMPARE(rig.graph->logic().restarts, 2);
        QCOMPARE(rig.chart().pointCount(), 3);
    }

    void windowMoves()
    {
        GraphRig rig(1);
        int most = 0;
        for (int i = 0; i < 400; ++i) {
            rig.feed(ui::timeTextOfSeconds(43200 + i));
            most = std::max(most, rig.chart().pointCount());
            if (i == 149) // 12:02:29, the last sample of the first window
                QCOMPARE(rig.graph->logic().restarts, 1);
            if (i == 150) { // 150 s after the start: the window starts again here
                QCOMPARE(rig.graph->logic().restarts, 2);
                QCOMPARE(rig.graph->logic().GridsTimebox, 151);
                QVERIFY(near(rig.chart().axisMinimum(Graph::XAxis), at("12:02:30")));
                QCOMPARE(rig.chart().pointCount(), 2);
            }
        }
        QCOMPARE(most, 151);
        QCOMPARE(rig.graph->logic().restarts, 3);
    }

    void windowMovesAtTwoSeconds()
    {
        GraphRig rig(2);
        rig.feedEvery(2, "12:00:00", 75); // up to 12:02:28
        QCOMPARE(rig.graph->logic().restarts, 1);
        QCOMPARE(rig.chart().pointCount(), 76);
        rig.feed("12:02:30");
        QCOMPARE(rig.graph->logic().restarts, 2);
        QCOMPARE(rig.graph->logic().GridsTimebox, 76);
    }

    void closeClearsFeedState()
    {
        GraphRig rig;
        rig.state.GraphRowCount = 7;
        rig.state.iPCsecTimetotal = "1";
        QSignalSpy closed(rig.graph, &RecordGraph::closed);
        rig.graph->setAttribute(Qt::WA_DeleteOnClose, false);
        rig.graph->show();
        rig.graph->close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(rig.state.GraphRowCount, 0);
        QVERIFY(!rig.state.GraphViewOpen);
        QCOMPARE(rig.state.iPCsecTimetotal, QString("0"));
    }

    void clickOpensPlotOnce()
    {
        GraphRig rig(2);
        rig.graph->setAttribute(Qt::WA_DeleteOnClose, false);
        rig.graph->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.graph));
        rig.feedEvery(2, "12:00:00", 4);
        Graph& chart = rig.chart();
        click(chart.viewport(), chart.plotRect().center());
        QPointer<PlotWindow> plot = rig.graph->plotWindow();
        QVERIFY(plot);
        QCOMPARE(plot->windowTitle(), QString("Plot"));
        QCOMPARE(plot->chart().pointCount(), 4);
        rig.feed("12:00:08");
        click(chart.viewport(), chart.plotRect().center());
        QCOMPARE(rig.graph->plotWindow(), plot.data()); // only raised, not replotted
        QCOMPARE(plot->chart().pointCount(), 4);
        delete plot.data();
    }

    void replotsWindowRows()
    {
        GraphRig rig(2);
        rig.feedEvery(2, "09:00:00", 9);
        rig.graph->logic().GridsTimebox = 5; // the window started at row 5
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        const QList<QPointF> pts = plot->chart().points();
        QCOMPARE(pts.size(), 5);
        for (int i = 0; i < 5; ++i) {
            QVERIFY(near(pts[i].x(), at(ui::timeTextOfSeconds(32400 + (4 + i) * 2))));
            QCOMPARE(pts[i].y(), 12.3);
        }
        QVERIFY(near(plot->chart().axisMinimum(Graph::XAxis), at("09:00:08")));
        QVERIFY(near(plot->chart().axisMaximum(Graph::XAxis), at("09:00:16")));
        QCOMPARE(plot->findChild<ui::NumEdit*>("AxisMin1")->text(), QString("09:00:08"));
        QCOMPARE(plot->findChild<ui::NumEdit*>("AxisMax1")->text(), QString("09:00:16"));
        QCOMPARE(plot->GraphText1, 9);
        QCOMPARE(plot->CWGraphTime3, 8);
        QCOMPARE(plot->CWGraphTime30, 16);
    }

    void longSpanKeepsFewTimeLines()
    {
        // A span of years at the largest step: a handful of grid labels, not one per day.
        Graph g;
        g.resize(400, 300);
        g.setAxisRange(Graph::XAxis, 0, 5000);
        int labels = 0;
        for (QGraphicsItem* item : g.scene()->items())
            labels += item->type() == QGraphicsSimpleTextItem::Type && item->isVisible();
        QVERIFY2(labels < 40, qPrintable(QString::number(labels)));
    }

    void replotFromMidnight()
    {
        // A window whose first row is at 00:00:00 spans to its newest row like any other.
        GraphRig rig(1);
        rig.feedEvery(1, "00:00:00", 4);
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        QVERIFY(near(plot->chart().axisMinimum(Graph::XAxis), 0));
        QVERIFY(near(plot->chart().axisMaximum(Graph::XAxis), at("00:00:03")));
        QCOMPARE(plot->chart().pointCount(), 4);
    }

    void plotYRange_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<QString>("unitLabel");
        QTest::newRow("10") << "10"
                            << "mG" << 20.0 << "mG";
        QTest::newRow("10.01") << "10.01"
                               << "mG" << 200.0 << "mG";
        QTest::newRow("1000") << "1000"
                              << "mG" << 2000.0 << "mG";
        // Above 1000 the trace must still be on the scale.
        QTest::newRow("1500") << "1500"
                              << "mG" << 2000.0 << "mG";
        QTest::newRow("uT") << "55" << Mu << 200.0 << Mu;
        QTest::newRow("no unit caption") << "55"
                                         << "" << 10.0 << QString("mG/") + Mu;
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

    void modes()
    {
        GraphRig rig(2);
        rig.feedEvery(2, "09:00:00", 10, "40");
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        auto* combo = plot->findChild<QComboBox*>("Combo1");
        auto* help = plot->findChild<QLabel*>("txtDescription");
        QCOMPARE(combo->count(), 8);
        QCOMPARE(combo->itemText(5), QString("ZoomXY"));
        QCOMPARE(combo->currentText(), QString("Normal"));
        QCOMPARE(help->text(), QString("Normal mode"));
        Graph& chart = plot->chart();
        plot->setMode(1);
        QCOMPARE(
            help->text(),
            QString("Drag the cursor with your mouse to get X (Count) and Y (Value) position."));
        QCOMPARE(chart.trackMode(), ui::TrackMode::DragCursor);
        QVERIFY(chart.cursorVisible(1));
        QVERIFY(chart.cursorVisible(2));
        const QPointF centre((at("09:00:00") + at("09:00:18")) / 2, 100);
        QVERIFY(near(chart.cursorPosition(1).x(), centre.x()));
        QCOMPARE(chart.cursorPosition(1).y(), centre.y());
        QCOMPARE(plot->findChild<ui::NumEdit*>("XPosition")->text(), QString("09:00:09"));
        QCOMPARE(plot->findChild<QLabel*>("YPosition")->text(), QString("100.00"));
        plot->setMode(3);
        QCOMPARE(chart.trackMode(), ui::TrackMode::PanX);
        QVERIFY(!chart.cursorVisible(1));
        QVERIFY(!chart.cursorVisible(2));
        chart.setAxisRange(Graph::XAxis, at("09:00:10"), at("09:00:14"));
        plot->setMode(1); // centred again, in the range now shown
        QVERIFY(near(chart.cursorPosition(1).x(), at("09:00:12")));
    }

    void cursorReadsTraceAndDifference()
    {
        GraphRig rig(2);
        for (int i = 0; i < 10; ++i)
            rig.feed(ui::timeTextOfSeconds(32400 + 2 * i), QString::number(10 + i));
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        plot->show();
        QVERIFY(QTest::qWaitForWindowExposed(plot.get()));
        plot->setMode(1);
        Graph& chart = plot->chart();
        QSignalSpy moved(&chart, &Graph::cursorMoved);
        // Drag cursor 1 (nearest to the centre) to the left end: it reads the first sample.
        const QRect area = chart.plotRect();
        drag(chart.viewport(), area.center(), QPoint(area.left() + 2, area.center().y()));
        QVERIFY(moved.count() >= 1);
        QCOMPARE(moved.last().at(0).toInt(), 1);
        QCOMPARE(plot->findChild<ui::NumEdit*>("XPosition")->text(), QString("09:00:00"));
        QCOMPARE(plot->findChild<QLabel*>("YPosition")->text(), QString("10.00"));
        // Cursor 2 to the right end: 18 s and 9 mG later.
        drag(chart.viewport(), QPoint(area.left() + area.width() * 3 / 4, area.center().y()),
             QPoint(area.right() - 1, area.center().y()));
        QCOMPARE(moved.last().at(0).toInt(), 2);
        const QString delta = plot->findChild<QLabel*>("LblCursorDelta")->text();
        QVERIFY2(delta.contains("00:00:18") && delta.contains("9.00 mG"), qPrintable(delta));
    }

    void zoomThenResetScale()
    {
        GraphRig rig(1);
        rig.feedEvery(1, "09:00:00", 100, "50");
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        plot->show();
        QVERIFY(QTest::qWaitForWindowExposed(plot.get()));
        Graph& chart = plot->chart();
        const double x0 = chart.axisMinimum(Graph::XAxis), x1 = chart.axisMaximum(Graph::XAxis);
        plot->setMode(5); // ZoomXY
        const QRect area = chart.plotRect();
        drag(chart.viewport(), area.topLeft() + QPoint(area.width() / 4, area.height() / 4),
             area.center());
        QVERIFY(chart.axisMinimum(Graph::XAxis) > x0 + ui::daysFromSeconds(10));
        QVERIFY(chart.axisMaximum(Graph::XAxis) < x1 - ui::daysFromSeconds(30));
        QVERIFY(chart.axisMinimum(Graph::YAxis) > 0);
        // The y fields are set by hand to 0-120, the start time to 09:00:30, before the reset.
        auto* yMax = plot->findChild<ui::NumEdit*>("AxisMax2");
        yMax->setText("120");
        emit yMax->editingFinished();
        auto* xMin = plot->findChild<ui::NumEdit*>("AxisMin1");
        xMin->setText("09:00:30");
        emit xMin->editingFinished();
        plot->findChild<QPushButton*>("CmdReset")->click();
        QCOMPARE(xMin->text(), QString("09:00:00"));
        QVERIFY(near(chart.axisMinimum(Graph::XAxis), x0));
        QVERIFY(near(chart.axisMaximum(Graph::XAxis), x1));
        QCOMPARE(chart.axisMinimum(Graph::YAxis), 0.0);
        QCOMPARE(chart.axisMaximum(Graph::YAxis), 120.0);
    }

    void panWheelAndDoubleClick()
    {
        GraphRig rig(1);
        rig.feedEvery(1, "09:00:00", 100, "50");
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        plot->show();
        QVERIFY(QTest::qWaitForWindowExposed(plot.get()));
        Graph& chart = plot->chart();
        const double x0 = chart.axisMinimum(Graph::XAxis), x1 = chart.axisMaximum(Graph::XAxis);
        const double y1 = chart.axisMaximum(Graph::YAxis);
        plot->setMode(3); // PanX: drag right shows earlier times, y stays
        const QRect area = chart.plotRect();
        drag(chart.viewport(), area.center(), area.center() + QPoint(area.width() / 4, 30));
        QVERIFY(chart.axisMinimum(Graph::XAxis) < x0 - ui::daysFromSeconds(10));
        QVERIFY(near(chart.axisMaximum(Graph::XAxis) - chart.axisMinimum(Graph::XAxis), x1 - x0));
        QCOMPARE(chart.axisMaximum(Graph::YAxis), y1);
        // The wheel zooms x about the mouse.
        const double span = chart.axisMaximum(Graph::XAxis) - chart.axisMinimum(Graph::XAxis);
        QWheelEvent wheel(QPointF(area.center()),
                          chart.viewport()->mapToGlobal(QPointF(area.center())), QPoint(),
                          QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(chart.viewport(), &wheel);
        QVERIFY(chart.axisMaximum(Graph::XAxis) - chart.axisMinimum(Graph::XAxis) < span * 0.7);
        // A double click shows the whole window again.
        QTest::mouseDClick(chart.viewport(), Qt::LeftButton, {}, area.center());
        QVERIFY(near(chart.axisMinimum(Graph::XAxis), x0));
        QVERIFY(near(chart.axisMaximum(Graph::XAxis), x1));
    }

    void rangeFields()
    {
        GraphRig rig(1);
        rig.feedEvery(1, "09:00:00", 60, "50");
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        auto* xMin = plot->findChild<ui::NumEdit*>("AxisMin1");
        xMin->setText("09:00:30");
        emit xMin->editingFinished();
        QVERIFY(near(plot->chart().axisMinimum(Graph::XAxis), at("09:00:30")));
        xMin->setText("nonsense"); // refused: the field shows its value again
        emit xMin->editingFinished();
        QCOMPARE(xMin->text(), QString("09:00:30"));
        auto* yMin = plot->findChild<ui::NumEdit*>("AxisMin2");
        yMin->setText("500"); // above the maximum: the axis keeps its range
        emit yMin->editingFinished();
        QCOMPARE(plot->chart().axisMinimum(Graph::YAxis), 0.0);
    }

    void printCancelledChangesNothing()
    {
        GraphRig rig(1);
        rig.feedEvery(1, "09:00:00", 20);
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        plot->show();
        const PrintLook before = lookOf(*plot);
        PrintRunner runner([](QPrinter&) { return false; });
        QVERIFY(!plot->print());
        QCOMPARE(runner.calls, 1);
        QVERIFY(lookOf(*plot) == before);
    }

    void printFailureRestoresWindow()
    {
        GraphRig rig(1);
        rig.feedEvery(1, "09:00:00", 20);
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        plot->show();
        const PrintLook before = lookOf(*plot);
        test::ScriptedDialogs dialogs;
        PrintRunner runner([](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName("/nonexistent-folder/plot.pdf");
            return true;
        });
        QVERIFY(!plot->print());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(lookOf(*plot) == before);
    }

    void printsToPdf()
    {
        GraphRig rig(1);
        rig.feedEvery(1, "09:00:00", 20);
        std::unique_ptr<PlotWindow> plot(rig.graph->openPlot());
        plot->show();
        const PrintLook before = lookOf(*plot);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("plot.pdf");
        PrintRunner runner([&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        });
        QVERIFY(plot->print());
        QVERIFY(test::fileBytes(pdf).startsWith("%PDF"));
        QVERIFY(lookOf(*plot) == before);
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
        const QByteArray mu = Mu.toUtf8();
        QCOMPARE(csv, "Time,Value,Unit\r\n"
                      "2026-12-06T23:59:48,4.5," +
                          mu +
                          "\r\n"
                          "2026-12-06T23:59:50,OL," +
                          mu +
                          "\r\n"
                          "2026-12-06T23:59:52,6.5," +
                          mu +
                          "\r\n"
                          "2026-12-06T23:59:54,7.5," +
                          mu + "\r\n");
        dialogs.fileAnswers << dir.filePath("range.png");
        QVERIFY(plot->exportView());
        QVERIFY(test::fileBytes(dir.filePath("range.png")).startsWith("\x89PNG"));
        dialogs.fileAnswers << std::optional<QString>("/nonexistent-folder/x.csv");
        QVERIFY(!plot->exportView());
        QCOMPARE(dialogs.messages.size(), 1);
    }
};

QTEST_MAIN(TestViewsTimeCharts)
#include "tst_views_timecharts.moc"
