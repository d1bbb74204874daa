// The panel's data-logger commands: the Memory button, the Record key and a lost link.

#include "logger/DataList.h"
#include "logger/MemoryWindow.h"
#include "records/ListPlot.h"
#include "records/RealTimeList.h"
#include "support/PanelRig.h"
#include "support/ScriptedDialogs.h"
#include "views/Analog.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

using namespace veltrix;
using veltrix::test::PanelRig;


class TestPanelLogger : public QObject {
    Q_OBJECT
private slots:
    void memoryButtonOpensTheWindow()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.ticks(2));
        QVERIFY(rig.w<QAction>("Memory")->isEnabled());
        rig.meter.clearReceived();
        rig.panel->toolbarClick("Memory");
        MemoryWindow* memory = rig.panel->memoryWindow();
        QVERIFY(memory && memory->isVisible());
        QCOMPARE(rig.meter.commands().mid(0, 2), (QStringList{"Y", "I"}));
        QVERIFY(rig.panel->pollingEnabled());
        QVERIFY(rig.ticks(1)); // polling goes on
        // A downloaded set is plotted by the panel's list plot.
        memory->downloadSet(1);
        QVERIFY(memory->dataList());
        memory->dataList()->plotAction()->trigger();
        QVERIFY(rig.panel->listPlot()->window() && rig.panel->listPlot()->window()->isVisible());
    }

    void lockedMeterIsRefusedSilently()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        rig.meter.setMemoryLock(true);
        QTRY_VERIFY(rig.panel->state().Flags.MemoryLockFlag);
        QVERIFY(rig.ticks(1));
        rig.meter.clearReceived();
        rig.panel->toolbarClick("Memory");
        QVERIFY(!rig.panel->memoryWindow());
        QVERIFY(!rig.meter.commands().contains("Y"));
    }

    void recordKeyClosesMemory()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.ticks(1));
        rig.panel->toolbarClick("Memory");
        QPointer<MemoryWindow> memory = rig.panel->memoryWindow();
        QVERIFY(memory && memory->isVisible());
        rig.meter.clearReceived();
        rig.w<QPushButton>("CmdPeak")->click();
        QTRY_VERIFY(!memory);
        QVERIFY(rig.meter.commands().contains("P"));
    }

    void lostLinkClosesMemoryButKeepsTheList()
    {
        PanelRig rig;
        QPointer<MemoryWindow> memory;
        QVERIFY(rig.openMemory(memory));
        memory->downloadSet(1);
        QPointer<DataList> list = memory->dataList();
        QVERIFY(list);
        bool wasLost = false, memoryShownWhileLost = true;
        connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
            if (!lost)
                return;
            wasLost = true;
            memoryShownWhileLost = memory && memory->isVisible();
            QTimer::singleShot(300, [&] { rig.meter.setSilent(false); });
        });
        rig.meter.setSilent(true);
        QTRY_VERIFY_WITH_TIMEOUT(wasLost, 8000);
        QVERIFY(!memoryShownWhileLost);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->linkLost(), 8000);
        QTRY_VERIFY(!memory);
        QVERIFY(list && list->isVisible());
    }

    // A key pressed while a set downloads: the letter goes out, but polling waits for the end.
    void keyDuringDownloadLeavesItWhole()
    {
        PanelRig rig;
        QPointer<MemoryWindow> memory;
        QVERIFY(rig.openMemory(memory, true));
        QTimer::singleShot(500, rig.panel.get(),
                           [&] { rig.w<QPushButton>("CmdHold")->click(); });
        rig.meter.clearReceived();
        memory->downloadSet(7); // about 3 s on the wire
        QVERIFY(memory && memory->dataList());
        QVERIFY2(!memory->dataList()->title()->text().contains("incomplete"),
                 qPrintable(memory->dataList()->title()->text()));
        QCOMPARE(rig.meter.commands().mid(0, 2), (QStringList{"K07", "H"}));
        QVERIFY(rig.panel->pollingEnabled());
        QVERIFY(rig.ticks(1));
    }

    // The plug pulled in the middle of a download: the download ends, polling finds the link
    // lost, and the panel comes back once the meter is plugged in again.
    void unplugDuringDownloadLeavesAResponsivePanel()
    {
        PanelRig rig;
        QPointer<MemoryWindow> memory;
        QVERIFY(rig.openMemory(memory, true));
        bool wasLost = false;
        connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
            if (lost) {
                wasLost = true;
                QTimer::singleShot(300, [&] { QVERIFY(rig.meter.replug()); });
            }
        });
        QTimer::singleShot(800, &rig.meter, [&] { rig.meter.unplug(); });
        QElapsedTimer t;
        t.start();
        memory->downloadSet(7); // about 3 s on the wire
        QVERIFY(t.elapsed() < 3000);
        QVERIFY(rig.panel->pollingEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(wasLost, 8000);
        QTRY_VERIFY(!memory);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->linkLost(), 8000);
        QVERIFY(rig.ticks(1));
    }
    // The Memory window closed two seconds into an 8 kB set while a recording runs: the meter
    // goes on sending, so nothing is sent until it is done. The panel never calls the link lost,
    // the recording goes on, and the reading comes back once the line is quiet.
    void closingMidSetWaitsForAQuietLine()
    {
        test::ScriptedDialogs dialogs;
        QTemporaryDir dir;
        dialogs.fileAnswers << dir.filePath("r.txt");
        PanelRig rig;
        sim::LoggerSet big = sim::VirtualMeter::sampleSets().at(0);
        big.values = QList<quint16>(4000, 0x0123); // 8010 bytes: 8.3 s on the wire
        rig.meter.setLoggerSets({big});
        QPointer<MemoryWindow> memory;
        QVERIFY(rig.openMemory(memory, true));
        rig.panel->startRecording();
        QVERIFY(rig.panel->state().RecordingOn);
        test::Seen noCom([&] { return rig.text("LblComm") == "No Com"; });
        QElapsedTimer t;
        t.start();
        qint64 sentK = -1, firstPoll = -1;
        connect(&rig.meter, &sim::VirtualMeter::commandReceived, this, [&](const QString& c) {
            if (c.startsWith('K'))
                sentK = t.elapsed();
            else if (c == " " && sentK >= 0 && firstPoll < 0)
                firstPoll = t.elapsed();
        });
        QTimer::singleShot(2000, memory, [&] { memory->close(); });
        memory->downloadSet(1);
        QTRY_VERIFY(!memory);
        QTRY_VERIFY_WITH_TIMEOUT(firstPoll > 0, 15000);
        QVERIFY(rig.ticks(2));
        const qint64 wireMs = 8010 * 10000 / 9600;
        QVERIFY2(firstPoll - sentK >= wireMs, qPrintable(QString::number(firstPoll - sentK)));
        QVERIFY2(firstPoll - sentK <= wireMs + 1500,
                 qPrintable(QString::number(firstPoll - sentK)));
        QVERIFY(!noCom.seen);
        QVERIFY(rig.panel->state().RecordingOn);
        rig.panel->stopRecording();
    }

    // Pressing Data Logger again closes the first window; the list downloaded from the first
    // one is replaced by the next download, and its Plot still works once the window is gone.
    void dataListBelongsToThePanel()
    {
        PanelRig rig;
        QVERIFY(rig.start() && rig.ticks(1));
        int plotted = 0;
        rig.panel->setDataListPlotHandler([&](DataList&) { ++plotted; });
        rig.panel->toolbarClick("Memory");
        QPointer<MemoryWindow> first = rig.panel->memoryWindow();
        first->downloadSet(1);
        QPointer<DataList> list = rig.panel->dataList();
        QVERIFY(list && list->isVisible());
        rig.panel->toolbarClick("Memory");
        QPointer<MemoryWindow> second = rig.panel->memoryWindow();
        QVERIFY(second && second != first);
        QTRY_VERIFY(!first);
        second->close();
        QTRY_VERIFY(!second);
        list->plotAction()->trigger();
        QCOMPARE(plotted, 1);
        rig.panel->toolbarClick("Memory");
        rig.panel->memoryWindow()->downloadSet(2);
        QTRY_VERIFY(!list);
        QVERIFY(rig.panel->dataList() && rig.panel->dataList()->isVisible());
    }

    // The link lost under every kind of dialog in the windows a lost link closes: the dialog
    // goes with its window (or stays, parentless), and nothing touches a freed window after.
    void lostLinkUnderDialogs_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("Memory refusal box") << "refusal";
        QTest::newRow("Memory folder dialog") << "folder";
        QTest::newRow("gauge print preview") << "gaugePrint";
        QTest::newRow("live table save dialog") << "tableSave";
    }
    void lostLinkUnderDialogs()
    {
        QFETCH(QString, what);
        PanelRig rig;
        QVERIFY(rig.start() && rig.ticks(1));
        // Closes whatever modal dialog is still open once the link is back (or gave up).
        bool recovered = false;
        QElapsedTimer since;
        since.start();
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (!recovered && since.elapsed() < 20000)
                return;
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        closer.start(100);
        // Silenced from a timer (it may fire inside a poll tick's wait, so nothing here waits);
        // back 300 ms after the panel noticed.
        connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
            if (lost)
                QTimer::singleShot(300, &rig.meter, [&] { rig.meter.setSilent(false); });
            else
                recovered = true;
        });
        QTimer::singleShot(300, &rig.meter, [&] { rig.meter.setSilent(true); });
        if (what == "refusal" || what == "folder") {
            rig.panel->toolbarClick("Memory");
            QPointer<MemoryWindow> memory = rig.panel->memoryWindow();
            QVERIFY(memory);
            if (what == "refusal") {
                memory->findChild<QLineEdit*>("TxtIDCode")->setText("70000");
                memory->writeIdCode();
            } else {
                memory->saveAllSets();
            }
            QTRY_VERIFY(!memory);
        } else if (what == "gaugePrint") {
            rig.panel->toolbarClick("Analog");
            QPointer<Analog> gauge = rig.panel->analogGauge();
            QVERIFY(gauge);
            gauge->print();
            QTRY_VERIFY(!gauge || !gauge->isVisible());
        } else {
            rig.panel->toolbarClick("List");
            QPointer<RealTimeList> table = rig.panel->liveTable();
            QVERIFY(table);
            table->save();
            QTRY_VERIFY(!table || !table->isVisible());
        }
        QTRY_VERIFY_WITH_TIMEOUT(recovered, 15000);
        QVERIFY(rig.ticks(1));
    }
};

QTEST_MAIN(TestPanelLogger)
#include "tst_panel_logger.moc"
