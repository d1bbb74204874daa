// SPDX-License-Identifier: GPL-3.0-or-later
// The meter unplugged and back, again and again, under a recording. Three cycles here;
// bench_unplug is this program at a hundred (VELTRIX_UNPLUG_CYCLES sets any other count).

#include "support/PanelRig.h"

#ifndef VELTRIX_UNPLUG_DEFAULT_CYCLES
#define VELTRIX_UNPLUG_DEFAULT_CYCLES 3
#endif

using namespace veltrix;

class TestPanelUnplug : public QObject {
    Q_OBJECT
private slots:
    void recoversEveryTimeAndKeepsTheRecords()
    {
        const int cycles = qEnvironmentVariableIntValue("VELTRIX_UNPLUG_CYCLES") > 0
                               ? qEnvironmentVariableIntValue("VELTRIX_UNPLUG_CYCLES")
                               : VELTRIX_UNPLUG_DEFAULT_CYCLES;
        test::RecordingRig rig;
        QVERIFY(rig.start() && rig.ticks(1));

        // The count the panel showed last: every record it counted must be in the file.
        int shownCount = 0;
        connect(rig.panel.get(), &Panel::tickFinished, this, [&] {
            if (rig.panel->state().RecordingOn)
                shownCount = rig.text("LblCount").toInt();
        });
        QString name;
        int losses = 0;
        int recoveries = 0;
        connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
            if (!lost) {
                ++recoveries;
                return;
            }
            ++losses;
            QTimer::singleShot(100, this, [&] { QVERIFY(rig.meter.replug()); });
            // Closed, with at least the records shown before the loss.
            QVERIFY2(!rig.panel->state().RecordingOn, qPrintable(name));
            QString why;
            const int records = test::completeRecords(rig.file(name), &why, true);
            const QString at =
                name + QString(": %1 records, %2 shown ").arg(records).arg(shownCount);
            QVERIFY2(records >= qMax(shownCount, 1), qPrintable(at + why));
        });

        for (int cycle = 1; cycle <= cycles; ++cycle) {
            name = QString("cycle%1.txt").arg(cycle);
            shownCount = 0;
            QVERIFY2(rig.record(name), qPrintable(name));
            QTRY_VERIFY2_WITH_TIMEOUT(shownCount >= 1, qPrintable(name + ": no record counted"),
                                      5000);
            rig.meter.unplug();
            QTRY_COMPARE_WITH_TIMEOUT(losses, cycle, 8000);
            QTRY_COMPARE_WITH_TIMEOUT(recoveries, cycle, 8000);
            QCOMPARE(rig.text("LblComm"), QString("Com1"));
            QVERIFY(rig.ticks(1));
        }
        QCOMPARE(rig.dialogs.messages, QStringList()); // nothing asked the user
    }
};

QTEST_MAIN(TestPanelUnplug)
#include "tst_panel_unplug.moc"
