// The panel's views and charts: how they open, the feeding order of a sample, the unit key.

#include "records/StripChart.h"
#include "support/PanelRig.h"
#include "ui/Grid.h"
#include "views/Analog.h"
#include "views/Digital.h"
#include "views/RecordGraph.h"

#include <QAction>
#include <QMenu>

using namespace veltrix;
using veltrix::test::PanelRig;

namespace {
QString digitalValue(PanelRig& rig)
{
    return rig.panel->digitalDisplay()->findChild<QLabel*>("LblValue")->text();
}
} // namespace

class TestPanelViews : public QObject {
    Q_OBJECT
private slots:
    // A closed digital display is no longer fed, and a fresh one waits for the next sample.
    void openFromToolbarMenuAndReading()
    {
        PanelRig rig;
        QVERIFY(rig.startPolled(2));
        rig.holdSampleClock();
        rig.w<QAction>("Analog")->trigger();
        Analog* gauge = rig.panel->analogGauge();
        QVERIFY(gauge && gauge->isVisible());
        QCOMPARE(gauge->x(), rig.panel->frameGeometry().right() + 1 + 97);
        rig.panel->toolbarClick("Analog");
        QCOMPARE(rig.panel->analogGauge(), gauge);

        emit rig.panel->findChild<QMenu*>("MnuView")->aboutToShow();
        QVERIFY(rig.w<QAction>("MnuViewDigital")->isEnabled());
        QVERIFY(rig.w<QAction>("MnuViewAnalog")->isEnabled());
        rig.w<QAction>("MnuViewDigital")->trigger();
        QPointer<Digital> digital = rig.panel->digitalDisplay();
        QVERIFY(digital && digital->isVisible());
        QCOMPARE(digital->x(), rig.panel->frameGeometry().right() + 1);
        rig.w<QAction>("MnuViewList")->trigger();
        QVERIFY(rig.panel->state().ListViewOpen);

        digital->close();
        QVERIFY(!rig.panel->state().DigitalOpen);
        QTRY_VERIFY(digital.isNull());
        rig.panel->takeSample(); // nothing left to feed
        QTest::mouseDClick(rig.w("LblValue"), Qt::LeftButton);
        QVERIFY(rig.panel->digitalDisplay() && rig.panel->digitalDisplay()->isVisible());
        QVERIFY(digitalValue(rig).isEmpty());
        rig.panel->takeSample();
        QCOMPARE(digitalValue(rig), rig.text("LblValue"));
    }

    // A unit change relabels the dial and ends that sample's feeding; the record graph closes.
    void unitChangeEndsTheSamplesFeeding()
    {
        PanelRig rig;
        QVERIFY(rig.startPolled(2));
        rig.holdSampleClock();
        rig.meter.setField(150);
        for (const char* view : {"Analog", "Digital", "Graph2"})
            rig.panel->toolbarClick(view);
        QPointer<RecordGraph> graph = rig.panel->recordGraph();
        QTRY_VERIFY(rig.text("LblValue").startsWith("150"));
        const QString inMilliGauss = rig.text("LblValue");
        rig.panel->takeSample();
        QCOMPARE(digitalValue(rig), inMilliGauss);
        QVERIFY(rig.panel->analogGauge()->needle());

        rig.meter.setUnit(sim::Unit::MicroTesla);
        QTRY_COMPARE(rig.text("LblUnit"), QString("uT"));
        QTRY_VERIFY(rig.text("LblValue").startsWith("15") && rig.text("LblValue") != inMilliGauss);
        const QString inMicroTesla = rig.text("LblValue");
        rig.panel->takeSample();
        Analog* gauge = rig.panel->analogGauge();
        QCOMPARE(gauge->variant(), gauge::DialVariant::UnitChange);
        QVERIFY(!gauge->needle());
        QCOMPARE(rig.panel->state().AnalogScaleUnit, QString("uT"));
        QCOMPARE(digitalValue(rig), inMilliGauss);
        QCOMPARE(rig.panel->digitalDisplay()->unitText(), QString("mG"));
        QTRY_VERIFY(!graph);
        QVERIFY(rig.w<QPushButton>("CmdTesla")->isEnabled());

        rig.panel->takeSample();
        QCOMPARE(digitalValue(rig), inMicroTesla);
        QCOMPARE(rig.panel->digitalDisplay()->unitText(), QString("uT"));
        QVERIFY(gauge->needle());
        QCOMPARE(*gauge->needle(), gauge::needleAngle(rig.panel->state().ReadingText, 200));
        QVERIFY(*gauge->needle() < 140); // 15 uT of 200, not 15 mG of 2000
    }

    // The sweep's first reading ends its sample's feeding: the digital display misses it.
    void graphOpensTheChartAndEndsTheFirstFeeding()
    {
        test::ScriptedDialogs dialogs;
        PanelRig rig;
        QVERIFY(rig.startPolled(2));
        int digital = 0;
        rig.panel->setFeeder(FeedStage::Digital, [&](const QString&) {
            ++digital;
            return true;
        });
        auto* tesla = rig.w<QPushButton>("CmdTesla");
        QVERIFY(tesla->isEnabled());

        rig.panel->toolbarClick("Graph");
        RealTime1* chart = rig.panel->stripChart()->window();
        QVERIFY(chart && chart->isVisible());
        const SharedState& s = rig.panel->state();
        QCOMPARE(s.StripMax, rig.text("LblUnit") == "mG" ? 2.0 : 0.2);
        QVERIFY(!tesla->isEnabled());

        rig.panel->takeSample();
        QCOMPARE(digital, 0);
        QVERIFY(chart->points().isEmpty());
        rig.panel->takeSample();
        QCOMPARE(digital, 1);
        QCOMPARE(chart->points().size(), 2);

        chart->close();
        QVERIFY(tesla->isEnabled());
        rig.panel->takeSample();
        QCOMPARE(digital, 2);

        // The range dialog's OK shows the chart again and locks the unit key again.
        rig.panel->stripChart()->showRange();
        QTest::mouseClick(rig.panel->stripChart()->rangeDialog()->CmdOK, Qt::LeftButton);
        QVERIFY(chart->isVisible());
        QVERIFY(!tesla->isEnabled());
    }

    void opensAndFeeds()
    {
        PanelRig rig;
        QDateTime clock(QDate(2026, 12, 6), QTime(10, 0, 0));
        QVERIFY(rig.startPolled(1));
        rig.holdSampleClock();
        rig.panel->setWallClock([&] { return clock; });
        const auto sample = [&](int secondsLater) {
            clock = clock.addSecs(secondsLater);
            rig.panel->takeSample();
        };
        rig.panel->setSamplingSeconds(3);
        rig.panel->state().iPCsecTimetotal = "1";
        rig.panel->toolbarClick("Graph2");
        QPointer<RecordGraph> graph = rig.panel->recordGraph();
        QVERIFY(graph && graph->isVisible());
        QCOMPARE(rig.panel->state().iPCsecTimetotal, QString("0"));
        QCOMPARE(graph->logic().SecTime1, 3);
        QVERIFY(!rig.w<QPushButton>("CmdTesla")->isEnabled());

        sample(0);
        sample(3);
        QCOMPARE(graph->table().rows(), 3);
        QCOMPARE(graph->table().cell(2, 0), QString("2"));
        QCOMPARE(graph->table().cell(2, 2), QString("10:00:03"));
        QCOMPARE(rig.panel->state().GraphRowCount, 2);

        rig.panel->toolbarClick("Graph2");
        QCOMPARE(rig.panel->recordGraph(), graph.data());
        QCOMPARE(graph->table().rows(), 3);
        rig.panel->setSamplingSeconds(7);
        QCOMPARE(graph->logic().SecTime1, 7);

        // A full graph stays open and takes no further rows.
        graph->setRowLimit(3);
        for (int i = 0; i < 3; ++i)
            sample(2);
        QCOMPARE(graph->table().rows(), 4); // header and three rows
        QVERIFY(graph->isVisible());
        QCOMPARE(rig.panel->state().GraphRowCount, 0);
    }
};

QTEST_MAIN(TestPanelViews)
#include "tst_panel_views.moc"
