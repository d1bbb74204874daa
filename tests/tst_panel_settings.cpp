// The alarm and clock windows as the panel opens them.

#include "logger/Alarm.h"
#include "logger/RTCSetup.h"
#include "support/PanelRig.h"
#include "support/WindowRig.h"

#include <QAction>
#include <QRadioButton>

using namespace veltrix;
using veltrix::test::PanelRig;

namespace {

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

class TestPanelSettings : public QObject {
    Q_OBJECT
private slots:
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

QTEST_MAIN(TestPanelSettings)
#include "tst_panel_settings.moc"
