// The gauge and the digital display behind a panel polling the virtual meter: opened from the
// toolbar, the View menu and the reading; fed with each sample in order, with the early end of a
// unit change; the gauge closed and the digital display kept when the link is lost.

#include "support/PanelRig.h"
#include "views/Analog.h"
#include "views/Digital.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

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
    void openFromToolbarMenuAndReading()
    {
        PanelRig rig;
        QVERIFY(rig.startPolled(2));
        QVERIFY(rig.w<QAction>("Analog")->isEnabled());
        rig.w<QAction>("Analog")->trigger();
        QVERIFY(rig.panel->state().AnalogOpen);
        Analog* gauge = rig.panel->analogGauge();
        QVERIFY(gauge && gauge->isVisible());
        QCOMPARE(gauge->x(), rig.panel->frameGeometry().right() + 1 + 97);
        // A second click raises the same window.
        rig.panel->toolbarClick("Analog");
        QCOMPARE(rig.panel->analogGauge(), gauge);

        auto* menu = rig.panel->findChild<QMenu*>("MnuView");
        QVERIFY(menu);
        emit menu->aboutToShow();
        QVERIFY(rig.w<QAction>("MnuViewDigital")->isEnabled());
        QVERIFY(rig.w<QAction>("MnuViewAnalog")->isEnabled());
        QCOMPARE(rig.w<QAction>("MnuViewGraph2")->isEnabled(),
                 rig.w<QAction>("Graph2")->isEnabled());
        rig.w<QAction>("MnuViewDigital")->trigger();
        QVERIFY(rig.panel->state().DigitalOpen);
        QPointer<Digital> digital = rig.panel->digitalDisplay();
        QVERIFY(digital && digital->isVisible());
        QCOMPARE(digital->x(), rig.panel->frameGeometry().right() + 1);
        rig.w<QAction>("MnuViewList")->trigger();
        QVERIFY(rig.panel->state().ListViewOpen);

        digital->close();
        QVERIFY(!rig.panel->state().DigitalOpen);
        QTRY_VERIFY(digital.isNull());
        QTest::mouseDClick(rig.w("LblValue"), Qt::LeftButton);
        QVERIFY(rig.panel->state().DigitalOpen);
        QVERIFY(rig.panel->digitalDisplay() && rig.panel->digitalDisplay()->isVisible());
    }

    void unitChangeEndsTheSamplesFeeding()
    {
        PanelRig rig;
        QVERIFY(rig.startPolled(2));
        rig.holdSampleClock();
        rig.meter.setField(150);
        rig.panel->toolbarClick("Analog");
        rig.panel->toolbarClick("Digital");
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
        // The dial was relabelled, and neither it nor the digital display got this sample.
        Analog* gauge = rig.panel->analogGauge();
        QCOMPARE(gauge->variant(), gauge::DialVariant::UnitChange);
        QVERIFY(!gauge->needle());
        QCOMPARE(rig.panel->state().AnalogScaleUnit, QString("uT"));
        QCOMPARE(digitalValue(rig), inMilliGauss);
        QCOMPARE(rig.panel->digitalDisplay()->unitText(), QString("mG"));

        rig.panel->takeSample();
        QCOMPARE(digitalValue(rig), inMicroTesla);
        QCOMPARE(rig.panel->digitalDisplay()->unitText(), QString("uT"));
        QVERIFY(gauge->needle());
        QCOMPARE(*gauge->needle(), gauge::needleAngle(rig.panel->state().ReadingText, 200));
        QVERIFY(*gauge->needle() < 140); // 15 uT of 200, not 15 mG of 2000
    }

    void digitalFedUntilClosed()
    {
        PanelRig rig;
        QVERIFY(rig.startPolled(2));
        rig.holdSampleClock();
        rig.meter.setField(42);
        rig.panel->toolbarClick("Digital");
        QTRY_COMPARE(rig.text("LblValue"), QString("42.0"));
        rig.panel->takeSample();
        QCOMPARE(digitalValue(rig), QString("42.0"));
        QPointer<Digital> digital = rig.panel->digitalDisplay();
        digital->close();
        QVERIFY(!rig.panel->state().DigitalOpen);
        QTRY_VERIFY(digital.isNull());
        rig.panel->takeSample(); // nothing left to feed

        rig.meter.setField(1e6); // beyond the range: the meter shows OL
        rig.panel->toolbarClick("Digital");
        QVERIFY(digitalValue(rig).isEmpty()); // a fresh window waits for the next sample
        QTRY_COMPARE(rig.text("LblValue"), QString("OL"));
        rig.panel->takeSample();
        QCOMPARE(digitalValue(rig), QString("OL"));
    }

    void linkLossClosesGaugeKeepsDigital()
    {
        PanelRig rig;
        QVERIFY(rig.startPolled(2));
        rig.holdSampleClock();
        rig.panel->toolbarClick("Analog");
        rig.panel->toolbarClick("Digital");
        rig.panel->takeSample();
        const QString last = digitalValue(rig);
        QPointer<Analog> gauge = rig.panel->analogGauge();
        bool analogOpen = true, digitalOpen = false, digitalShown = false;
        bool menuAnalog = true, menuDigital = false;
        QString fedWhileLost;
        QVERIFY(rig.loseLink([&] {
            analogOpen = rig.panel->state().AnalogOpen;
            digitalOpen = rig.panel->state().DigitalOpen;
            digitalShown = rig.panel->digitalDisplay() && rig.panel->digitalDisplay()->isVisible();
            rig.panel->takeSample();
            fedWhileLost = rig.panel->digitalDisplay() ? digitalValue(rig) : QString("<gone>");
            emit rig.panel->findChild<QMenu*>("MnuView")->aboutToShow();
            menuAnalog = rig.w<QAction>("MnuViewAnalog")->isEnabled();
            menuDigital = rig.w<QAction>("MnuViewDigital")->isEnabled();
        }));
        QVERIFY(!analogOpen);
        QVERIFY(digitalOpen && digitalShown);
        QCOMPARE(fedWhileLost, last);
        QVERIFY(!menuAnalog);
        QVERIFY(menuDigital);
        QVERIFY(gauge.isNull());
        QVERIFY(rig.panel->digitalDisplay()->isVisible());
    }
};

QTEST_MAIN(TestPanelViews)
#include "tst_panel_views.moc"
