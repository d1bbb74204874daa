// SPDX-License-Identifier: GPL-3.0-or-later
// The windows the panel opens (views, charts, alarm, clock) and the feeding order of a sample.

#include "logger/Alarm.h"
#include "logger/RTCSetup.h"
#include "records/RealTimeList.h"
#include "records/StripChart.h"
#include "support/PanelRig.h"
#include "support/WindowRig.h"
#include "ui/Grid.h"
#include "views/Analog.h"
#include "views/Digital.h"
#include "views/RecordGraph.h"

#include <QAction>
#include <QMenu>
#include <QRadioButton>

using namespace veltrix;
using veltrix::test::PanelRig;

namespace {
QString digitalValue(PanelRig& rig)
{
    return rig.panel->digitalDisplay()->findChild<QLabel*>("LblValue")->text();
}

template <class W> QList<W*> openWindows(const PanelRig& rig)
{
    QList<W*> open;
    for (W* w : rig.panel->findChildren<W*>())
        if (w->isVisible())
            open << w;
    return open;
}

// Whether OVER (first) and UNDER flashed during n ticks.
std::pair<bool, bool> flashes(PanelRig& rig, int n = 2)
{
    test::Seen over([&] { return !rig.w("OverText1")->isHidden(); });
    test::Seen under([&] { return !rig.w("OverText2")->isHidden(); });
    if (!rig.ticks(n))
        return {true, true};
    return {over.seen, under.seen};
}

} // namespace

class TestPanelViews : public QObject {
    Q_OBJECT
private slots:
    // A closed digital display or a full live table is no longer fed; a new display waits a sample.
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
        rig.panel->liveTable()->setRowLimit(1);

        digital->close();
        QVERIFY(!rig.panel->state().DigitalOpen);
        QTRY_VERIFY(digital.isNull());
        rig.panel->takeSample(); // the live table's last row; the display is not fed
        QVERIFY(!rig.panel->state().ListViewOpen);
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
        QCOMPARE(gauge->scaleUnit(), Unit::MicroTesla);
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
        QCOMPARE(rig.panel->stripChart()->settings().StripMax,
                 rig.text("LblUnit") == "mG" ? 2.0 : 0.2);
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
        rig.panel->state().iPCsecTimetotal = true;
        rig.panel->toolbarClick("Graph2");
        QPointer<RecordGraph> graph = rig.panel->recordGraph();
        QVERIFY(graph && graph->isVisible());
        QVERIFY(!rig.panel->state().iPCsecTimetotal);
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

        // Closed, it clears what the panel feeds it by and restarts the sample clock.
        SharedState& s = rig.panel->state();
        s.GraphRowCount = 7;
        s.GraphViewOpen = true;
        s.iPCsecTimetotal = true;
        graph->close();
        QCOMPARE(s.GraphRowCount, 0);
        QVERIFY(!s.GraphViewOpen);
        QVERIFY(!s.iPCsecTimetotal);
    }

    // One window of each, the clock centred over the panel. Its command carries the panel's
    // clock, with the poll stopped; the port label reads "Com1" afterwards.
    void toolbarOpensOneOfEach()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        rig.panel->setWallClock([] { return QDateTime(QDate(2025, 3, 14), QTime(9, 41, 7)); });
        rig.w<QAction>("Alarm")->trigger();
        rig.w<QAction>("TimeSet")->trigger();
        rig.panel->toolbarClick("Alarm");
        rig.panel->toolbarClick("TimeSet");
        QCOMPARE(openWindows<Alarm>(rig).size(), 1);
        QCOMPARE(openWindows<RTCSetup>(rig).size(), 1);
        QCOMPARE(openWindows<Alarm>(rig).first()->x(), rig.panel->frameGeometry().right() + 1);
        RTCSetup* clock = openWindows<RTCSetup>(rig).first();
        QVERIFY(qAbs(clock->frameGeometry().center().x() -
                     rig.panel->frameGeometry().center().x()) <= 2);

        QVERIFY(rig.ticks(2));
        bool pollingAtD = true;
        connect(&rig.meter, &sim::VirtualMeter::commandReceived, this, [&](const QString& c) {
            if (c.startsWith('D'))
                pollingAtD = rig.panel->pollingEnabled();
        });
        QTest::mouseClick(clock->findChild<QPushButton*>("CmdSetTime"), Qt::LeftButton);
        QVERIFY(rig.meter.commands().contains("D250314094107"));
        QVERIFY(!pollingAtD); // the window was given the panel's poll
        QCOMPARE(rig.text("LblComm"), QString("Com1"));
        QVERIFY(rig.ticks(2));

        clock->close();
        rig.panel->toolbarClick("TimeSet");
        QTRY_COMPARE(rig.panel->findChildren<RTCSetup*>().size(), 1); // the closed one went
    }

    // Thresholds against the 50 mG the meter measures: 10 and 6 uT are 100 and 60 mG, so only
    // UNDER flashes (comparing the bare numbers would flash OVER).
    void marksFromTheAlarmWindow()
    {
        test::ScriptedDialogs dialogs;
        PanelRig rig;
        QVERIFY(rig.start());
        rig.meter.setField(50.0);
        QVERIFY(rig.ticks(2));
        QCOMPARE(flashes(rig), std::make_pair(false, false)); // no thresholds yet
        const auto alarm = [&](const char* button, const char* unit, const char* high,
                               const char* low) {
            rig.panel->toolbarClick("Alarm");
            Alarm* window = openWindows<Alarm>(rig).value(0);
            window->findChild<QRadioButton*>(unit)->click();
            test::typeInto(window, "TTH", high);
            test::typeInto(window, "TTL", low);
            QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
            return rig.ticks(1);
        };
        QVERIFY(alarm("CmdOK", "OptmG", "40", "10"));
        QCOMPARE(flashes(rig), std::make_pair(true, false));
        QVERIFY(rig.w("OverText1")->isHidden()); // a flash, not a steady mark
        QVERIFY(alarm("CmdOK", "OptuT", "10", "6"));
        QCOMPARE(flashes(rig), std::make_pair(false, true));
        QVERIFY(alarm("CmdDisable", "OptuT", "10", "6"));
        QCOMPARE(flashes(rig), std::make_pair(false, false));
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestPanelViews)
#include "tst_panel_views.moc"
