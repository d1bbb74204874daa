// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's data-logger commands: the Memory button, the Record key and a lost link.

#include "records/ListPlot.h"
#include "records/RealTimeList.h"
#include "support/PanelRig.h"
#include "support/Shards.h"
#include "survey/ReportDialog.h"
#include "ui/Grid.h"
#include "views/Analog.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

using namespace veltrix;
using veltrix::test::PanelRig;

class TestPanelLogger : public QObject {
    Q_OBJECT
private slots:
    // The Memory button opens the window with polling going on; refused when the memory is locked.
    void memoryButton_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::newRow("free") << false;
        QTest::newRow("locked") << true;
    }
    void memoryButton()
    {
        QFETCH(bool, locked);
        PanelRig rig;
        rig.meter.setMemoryLock(locked);
        QVERIFY(rig.startPolled(2));
        rig.meter.clearReceived();
        rig.panel->toolbarClick("Memory");
        MemoryWindow* memory = rig.panel->memoryWindow();
        QCOMPARE(rig.meter.commands().contains("Y"), !locked);
        if (locked) {
            QVERIFY(!memory);
            return;
        }
        QVERIFY(memory && memory->isVisible());
        QCOMPARE(rig.meter.commands().mid(0, 2), (QStringList{"Y", "I"}));
        QVERIFY(rig.ticks(1));
        // The downloaded list is the panel's: it outlives the Memory windows, the next download
        // replaces it, and its report names the model and the set's ID code, Memory gone or not.
        QPointer<MemoryWindow> first = memory;
        first->downloadSet(1);
        QPointer<DataList> list = rig.panel->dataList();
        QVERIFY(list && list->isVisible());
        const QString id = first->findChild<QLineEdit*>("TxtIDCode")->text();
        rig.panel->toolbarClick("Memory");
        QPointer<MemoryWindow> second = rig.panel->memoryWindow();
        QVERIFY(second && second != first);
        QTRY_VERIFY(!first);
        second->close();
        QTRY_VERIFY(!second);
        QString meter;
        QString data;
        QTimer::singleShot(0, list, [&] {
            auto* dialog = list->findChild<ReportDialog*>("ReportDialog");
            if (!dialog)
                return;
            meter = dialog->findChild<QLineEdit*>("TxtModel")->text() + ", " +
                    dialog->findChild<QLineEdit*>("TxtSerial")->text();
            data = dialog->findChild<QLabel*>("LblData")->text();
            dialog->reject();
        });
        list->findChild<QAction*>("Report")->trigger();
        QCOMPARE(meter, "4627, ID code " + id);
        QVERIFY2(data.startsWith("Data List: " + list->title()->text().simplified() + ", "),
                 qPrintable(data));
        list->plotAction()->trigger();
        QVERIFY(rig.panel->listPlot()->window() && rig.panel->listPlot()->window()->isVisible());
        rig.panel->toolbarClick("Memory");
        rig.panel->memoryWindow()->downloadSet(2);
        QTRY_VERIFY(!list);
        QVERIFY(rig.panel->dataList() && rig.panel->dataList()->isVisible());
    }

    // A key pressed during a download goes out, but polling waits; the Record key closes Memory.
    void keyDuringDownloadLeavesItWhole()
    {
        PanelRig rig;
        QPointer<MemoryWindow> memory;
        QVERIFY(rig.openMemory(memory, true));
        QTimer::singleShot(500, rig.panel.get(), [&] { rig.w<QPushButton>("CmdHold")->click(); });
        rig.meter.clearReceived();
        memory->downloadSet(7); // about 3 s on the wire
        QVERIFY(memory && memory->dataList());
        QVERIFY(!memory->dataList()->title()->text().contains("incomplete"));
        QCOMPARE(rig.meter.commands().mid(0, 2), (QStringList{"K07", "H"}));
        QVERIFY(rig.ticks(1));
        rig.w<QPushButton>("CmdPeak")->click();
        QTRY_VERIFY(!memory);
        QVERIFY(rig.meter.commands().contains("P"));
    }

    // The Memory window closed during an 8 kB set: the meter goes on sending, so nothing is
    // sent until it is done, and the link is not called lost meanwhile.
    void closingMidSetWaitsForAQuietLine()
    {
        test::RecordingRig rig;
        sim::LoggerSet big = sim::VirtualMeter::sampleSets().at(0);
        big.values = QList<quint16>(4000, 0x0123); // 8010 bytes: 8.3 s on the wire
        rig.meter.setLoggerSets({big});
        QPointer<MemoryWindow> memory;
        QVERIFY(rig.openMemory(memory, true));
        QVERIFY(rig.record("r.txt"));
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
        const qint64 wireMs = 8010 * 10000 / 9600;
        QVERIFY2(firstPoll - sentK >= wireMs && firstPoll - sentK <= wireMs + 1500,
                 qPrintable(QString::number(firstPoll - sentK)));
        QVERIFY(!noCom.seen);
        QVERIFY(rig.panel->state().RecordingOn);
        rig.panel->stopRecording();
    }

    // The link lost under a dialog of a window that closes with it: nothing touches it after.
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
        // Closes any modal dialog still open once the link is back (or gave up).
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
        // Silenced from a timer, as it may fire inside a poll tick's wait.
        connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
            if (lost)
                QTimer::singleShot(300, &rig.meter, [&] { rig.meter.setSilent(false); });
            else
                recovered = true;
        });
        QTimer::singleShot(300, &rig.meter, [&] { rig.meter.setSilent(true); });
        QPointer<QWidget> window;
        if (what == "refusal" || what == "folder") {
            rig.panel->toolbarClick("Memory");
            MemoryWindow* memory = rig.panel->memoryWindow();
            window = memory;
            memory->findChild<QLineEdit*>("TxtIDCode")->setText("70000");
            if (what == "refusal")
                memory->writeIdCode();
            else
                memory->saveAllSets();
        } else if (what == "gaugePrint") {
            rig.panel->toolbarClick("Analog");
            window = rig.panel->analogGauge();
            rig.panel->analogGauge()->print();
        } else {
            rig.panel->toolbarClick("List");
            window = rig.panel->liveTable();
            rig.panel->liveTable()->save();
        }
        QTRY_VERIFY(!window || !window->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(recovered, 15000);
        QVERIFY(rig.ticks(1));
    }
};

VELTRIX_TEST_MAIN(TestPanelLogger)
#include "tst_panel_logger.moc"
