// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the panel while a poll tick waits in Delay ends the program cleanly (alone: it quits).

#include "link/Delay.h"
#include "support/PanelRig.h"

#include <QCoreApplication>
#include <QElapsedTimer>

using namespace veltrix;

class TestPanelShutdown : public QObject {
    Q_OBJECT
private slots:
    void closeDuringTickWait()
    {
        test::RecordingRig rig;
        QVERIFY(rig.start());
        // As the program does; quit() would need a running main loop, exit() ends nested ones.
        connect(rig.panel.get(), &Panel::closed, qApp, [] { QCoreApplication::exit(0); });
        QVERIFY(rig.record("rec.txt"));
        QTRY_VERIFY(rig.panel->state().RecordCount >= 1);

        bool closedInTick = false;
        bool tickUnwound = false;
        connect(rig.panel.get(), &Panel::tickFinished, this, [&] { tickUnwound = closedInTick; });
        connect(&rig.meter, &sim::VirtualMeter::commandReceived, this, [&](const QString& c) {
            if (c == " " && !closedInTick && rig.panel->inTick()) {
                closedInTick = true;
                rig.panel->close(); // the tick is waiting for the answer
            }
        });
        QElapsedTimer clock;
        clock.start();
        // Event loops no longer run once quitting: pump by hand.
        while (!tickUnwound && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QVERIFY(closedInTick);
        QVERIFY(tickUnwound);
        QVERIFY(quitting());
        QVERIFY(!rig.panel->inTick());
        QVERIFY(!rig.panel->pollingEnabled());
        QVERIFY(!rig.panel->state().RecordingOn); // the record file was closed with its records
        QString why;
        QVERIFY2(test::completeRecords(rig.file("rec.txt"), &why) >= 1, qPrintable(why));
        QVERIFY(!Delay(0.2)); // every further wait ends at once
    }
};

QTEST_MAIN(TestPanelShutdown)
#include "tst_panel_shutdown.moc"
