// The meter's device vanishing and coming back, again and again, under a running recording.
// Three cycles here; bench_unplug is this program at a hundred (VELTRIX_UNPLUG_CYCLES sets any
// other count).

#include "support/PanelRig.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTimer>

#ifndef VELTRIX_UNPLUG_DEFAULT_CYCLES
#define VELTRIX_UNPLUG_DEFAULT_CYCLES 3
#endif

using namespace veltrix;
using veltrix::test::PanelRig;

class TestPanelUnplug : public QObject {
    Q_OBJECT
private slots:
    void recoversEveryTimeAndKeepsTheRecords()
    {
        const int cycles = qEnvironmentVariableIntValue("VELTRIX_UNPLUG_CYCLES") > 0
                               ? qEnvironmentVariableIntValue("VELTRIX_UNPLUG_CYCLES")
                               : VELTRIX_UNPLUG_DEFAULT_CYCLES;
        QTemporaryDir dir;
        test::ScriptedDialogs dialogs;
        PanelRig rig;
        QVERIFY(rig.start());
        rig.panel->setSamplingSeconds(1);
        QVERIFY(rig.ticks(1));

        // The count the panel showed last: every record it counted must be in the file.
        int shownCount = 0;
        int ticksSeen = 0;
        connect(rig.panel.get(), &Panel::tickFinished, this, [&] {
            ++ticksSeen;
            if (rig.panel->state().RecordingOn)
                shownCount = rig.text("LblCount").toInt();
        });
        QString path;
        int losses = 0;
        int recoveries = 0;
        QStringList faults;
        connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
            if (!lost) {
                ++recoveries;
                return;
            }
            ++losses;
            if (rig.panel->state().RecordingOn)
                faults << QString("cycle %1: still recording").arg(losses);
            // The recording is closed: the file holds a header and records 1..n, n at least the
            // count shown before the loss.
            const QStringList lines = test::fileLines(path);
            const int records = int(lines.size()) - 1;
            if (lines.value(0) != QString::fromLatin1(test::HeaderBytes).trimmed() + "    " ||
                records < shownCount || records < 1)
                faults << QString("cycle %1: %2 records in the file, %3 shown")
                              .arg(losses)
                              .arg(records)
                              .arg(shownCount);
            for (int r = 1; r <= records; ++r) {
                const QStringList cells = lines[r].split('\t');
                if (cells.size() != 8 || cells[0] != QString::number(r) || cells[3].isEmpty())
                    faults << QString("cycle %1: record line %2 is %3")
                                  .arg(losses)
                                  .arg(r)
                                  .arg(lines[r]);
            }
            QTimer::singleShot(100, this, [&] {
                QString error;
                if (!rig.meter.replug(&error))
                    faults << "replug: " + error;
            });
        });

        for (int cycle = 1; cycle <= cycles; ++cycle) {
            path = dir.filePath(QString("cycle%1.txt").arg(cycle));
            dialogs.fileAnswers << path;
            shownCount = 0;
            ticksSeen = 0;
            rig.panel->toolbarClick("SaveStop");
            QVERIFY2(rig.panel->state().RecordingOn, qPrintable(QString("cycle %1").arg(cycle)));
            QTRY_VERIFY2_WITH_TIMEOUT(shownCount >= 1,
                                      qPrintable(QString("cycle %1: no record counted; LblComm %2, "
                                                         "LblCount %3, recording %4, polling %5, "
                                                         "losses %6, ticks %7, messages: %8")
                                                     .arg(cycle)
                                                     .arg(rig.text("LblComm"), rig.text("LblCount"))
                                                     .arg(rig.panel->state().RecordingOn)
                                                     .arg(rig.panel->pollingEnabled())
                                                     .arg(losses)
                                                     .arg(ticksSeen)
                                                     .arg(dialogs.messages.join(" / "))),
                                      5000);
            rig.meter.unplug();
            QTRY_COMPARE_WITH_TIMEOUT(losses, cycle, 8000);
            QTRY_COMPARE_WITH_TIMEOUT(recoveries, cycle, 8000);
            QCOMPARE(rig.text("LblComm"), QString("Com1"));
            QVERIFY(!rig.panel->linkLost());
            QVERIFY(rig.ticks(1));
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        }
        QCOMPARE(dialogs.messages, QStringList()); // nothing asked the user
    }
};

QTEST_MAIN(TestPanelUnplug)
#include "tst_panel_unplug.moc"
