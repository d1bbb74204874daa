// The record graph on the panel: the toolbar command, the sample feed, the sampling time and the
// closings (unit change, lost link, the user).

#include "support/PanelRig.h"
#include "ui/Graph.h"
#include "ui/Grid.h"
#include "views/RecordGraph.h"

#include <QAction>
#include <QTimer>
#include <QToolBar>

using namespace veltrix;
using veltrix::test::PanelRig;

namespace {
// A panel whose sample clock only runs when the test takes a sample, at wall-clock times it sets.
struct GraphPanelRig : PanelRig {
    QDateTime clock = QDateTime(QDate(2026, 12, 6), QTime(10, 0, 0));

    bool start()
    {
        if (!PanelRig::start())
            return false;
        holdSampleClock();
        panel->setWallClock([this] { return clock; });
        return ticks(1);
    }
    RecordGraph* open()
    {
        panel->toolbarClick("Graph2");
        return panel->recordGraph();
    }
    void sample(int secondsLater)
    {
        clock = clock.addSecs(secondsLater);
        panel->takeSample();
    }
};
} // namespace

class TestPanelGraphs : public QObject {
    Q_OBJECT
private slots:
    void opensAndFeeds()
    {
        GraphPanelRig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.w<QAction>("Graph2")->isEnabled());
        rig.panel->setSamplingSeconds(3);
        rig.panel->state().iPCsecTimetotal = "1";
        QPointer<RecordGraph> graph = rig.open();
        QVERIFY(graph && graph->isVisible());
        QVERIFY(rig.panel->state().GraphViewOpen);
        QCOMPARE(rig.panel->state().iPCsecTimetotal, QString("0"));
        QCOMPARE(graph->logic().SecTime1, 3);
        QVERIFY(!rig.w<QPushButton>("CmdTesla")->isEnabled());

        rig.sample(0);
        rig.sample(3);
        QCOMPARE(graph->table().rows(), 3);
        QCOMPARE(graph->logic().TextGrid, 2);
        QCOMPARE(graph->table().cell(2, 0), QString("2"));
        QCOMPARE(graph->table().cell(2, 2), QString("10:00:03"));
        QCOMPARE(rig.panel->state().GraphRowCount, 2);
        QCOMPARE(rig.panel->state().TempFlag,
                 QString(rig.panel->state().Flags.GaussFlag ? "True" : "False"));
        graph->updateChart();
        QCOMPARE(graph->chart().pointCount(), 2);
        QCOMPARE(graph->logic().restarts, 1);

        // A second click while it is open changes nothing.
        rig.panel->toolbarClick("Graph2");
        QCOMPARE(rig.panel->recordGraph(), graph.data());
        QCOMPARE(graph->table().rows(), 3);
    }

    void newSamplingTimeReachesGraph()
    {
        GraphPanelRig rig;
        QVERIFY(rig.start());
        RecordGraph* graph = rig.open();
        rig.panel->setSamplingSeconds(7);
        QCOMPARE(graph->logic().SecTime1, 7);
    }

    void rowLimitStopsFeeding()
    {
        GraphPanelRig rig;
        QVERIFY(rig.start());
        RecordGraph* graph = rig.open();
        graph->setRowLimit(3);
        for (int i = 0; i < 5; ++i)
            rig.sample(2);
        QCOMPARE(graph->table().rows(), 4); // header and three rows
        QVERIFY(graph->isVisible());
        QVERIFY(!rig.panel->state().GraphViewOpen);
        QCOMPARE(rig.panel->state().GraphRowCount, 0);
    }

    void unitChangeClosesGraph()
    {
        GraphPanelRig rig;
        QVERIFY(rig.start());
        QPointer<RecordGraph> graph = rig.open();
        rig.sample(0);
        rig.sample(2);
        const bool gauss = rig.panel->state().Flags.GaussFlag;
        rig.meter.setUnit(gauss ? sim::Unit::MicroTesla : sim::Unit::MilliGauss);
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().Flags.GaussFlag != gauss, 5000);
        rig.sample(2);
        QTRY_VERIFY(!graph);
        QVERIFY(rig.w<QPushButton>("CmdTesla")->isEnabled());
    }

    void closingKeepsUnitKeyRule()
    {
        GraphPanelRig rig;
        QVERIFY(rig.start());
        QPointer<RecordGraph> graph = rig.open();
        rig.panel->toolbarClick("List");
        graph->close();
        QTRY_VERIFY(!graph);
        QVERIFY(!rig.w<QPushButton>("CmdTesla")->isEnabled()); // the live table is still open
    }

    void lostLinkClosesGraph()
    {
        GraphPanelRig rig;
        QVERIFY(rig.start());
        QPointer<RecordGraph> graph = rig.open();
        QVERIFY(rig.loseLink(nullptr, true));
        QTRY_VERIFY(!graph);
        QVERIFY(!rig.panel->state().GraphViewOpen);
    }
};

QTEST_MAIN(TestPanelGraphs)
#include "tst_panel_graphs.moc"
