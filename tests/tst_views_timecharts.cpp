// The record graph and the plot window, fed with sample rows by plain calls.

#include "panel/SharedState.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "ui/Graph.h"
#include "ui/NumEdit.h"
#include "ui/PrintDialog.h"
#include "ui/TimeScale.h"
#include "views/PlotWindow.h"
#include "views/RecordGraph.h"

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

// What printing changes for a moment: size, trace colour, frame and background.
QVariantList lookOf(PlotWindow& plot)
{
    auto* frame = plot.findChild<QGroupBox*>("FrmGraphic");
    return {plot.size(), plot.chart().colour(), frame->title(), frame->isFlat(),
            plot.palette().color(QPalette::Window)};
}

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
        if (values.last() == "OL") // drawn at the top of its scale
            QCOMPARE(rig.chart().points().last().y(), maximum);
    }

    // The first row draws a start point and its companion one second later; later rows are
    // drawn one second after their time, a row of the same time as the one before not at all.
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
        QVERIFY(sameXs(rig.xs(), {at("12:00:00"), at("12:00:01"), at("12:00:03"), at("12:00:05")}));
        QCOMPARE(rig.graph->logic().restarts, 1);
    }

    // A new sampling time on the panel is taken up after the next sample of the old one.
    void followsTheShownSamplingTime()
    {
        GraphRig rig(2);
        rig.feedEvery(2, "12:00:00", 3);
        rig.state.SecText1 = "5";
        rig.feed("12:00:06");
        rig.feed("12:00:11");
        QCOMPARE(rig.graph->logic().restarts, 1);
        QCOMPARE(rig.chart().pointCount(), 6);
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
        for (const int step : {1, 2}) { // 150 s after its start, however many samples it took
            QStringList times;
            for (int t = 0; t < 150; t += step)
                times << ui::timeTextOfSeconds(43200 + t);
            QTest::addRow("window moves, %d s", step)
                << step << times + QStringList{"12:02:30"} << 0 << "12:02:30" << 150 / step + 1;
        }
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
        QVERIFY(plot);
        QCOMPARE(plot->chart().pointCount(), 4);
        rig.feed("12:00:08");
        drag(chart.viewport(), centre, centre);
        QCOMPARE(rig.graph->plotWindow(), plot.data()); // only raised, not replotted
        QCOMPARE(plot->chart().pointCount(), 4);
        delete plot.data();
        rig.state.GraphRowCount = 7;
        rig.state.iPCsecTimetotal = "1";
        rig.graph->close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(rig.state.GraphRowCount, 0);
        QVERIFY(!rig.state.GraphViewOpen);
        QCOMPARE(rig.state.iPCsecTimetotal, QString("0"));
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
        row("1500", "mG", 2000.0, "mG"); // above 1000 the trace must still be on the scale
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
        plot->setMode(1);
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

    // Zoomed, then the fields set by hand (a start time, nonsense, a minimum above the maximum,
    // a maximum of 120), then Reset: the whole time range, the y range as entered. Then panned
    // (earlier times, y stays), zoomed by the wheel about the mouse, and a double click shows the
    // whole window again.
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
};

QTEST_MAIN(TestViewsTimeCharts)
#include "tst_views_timecharts.moc"
