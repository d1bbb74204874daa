// The panel's data-logger commands: the Memory button, the Record key, a lost link and a report
// of a downloaded set.

#include "records/ListPlot.h"
#include "records/RealTimeList.h"
#include "records/ReportDialog.h"
#include "support/PanelRig.h"
#include "ui/Grid.h"
#include "views/Analog.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>

using namespace veltrix;
using veltrix::test::PanelRig;

class TestPanelLogger : public QObject {
    Q_OBJECT
private slots:
    // The Memory button opens the window with polling going on; refused without a word while
    // the meter's memory is locked.
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
        QCOMPARE(rig.panel->state().Flags.MemoryLockFlag, locked);
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
        QVERIFY(rig.panel->pollingEnabled());
        QVERIFY(rig.ticks(1));
        // The downloaded list belongs to the panel: pressing Memory again closes the first
        // window, the list's Plot still works once the windows are gone (through the panel's
        // list plot), and the next download replaces the list.
        QPointer<MemoryWindow> first = memory;
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
        QVERIFY(rig.panel->listPlot()->window() && rig.panel->listPlot()->window()->isVisible());
        rig.panel->toolbarClick("Memory");
        rig.panel->memoryWindow()->downloadSet(2);
        QTRY_VERIFY(!list);
        QVERIFY(rig.panel->dataList() && rig.panel->dataList()->isVisible());
    }

    // A key pressed while a set downloads: the letter goes out, but polling waits for the end.
    // The Record key closes the Memory window.
    void keyDuringDownloadLeavesItWhole()
    {
        PanelRig rig;
        QPointer<MemoryWindow> memory;
        QVERIFY(rig.openMemory(memory, true));
        QTimer::singleShot(500, rig.panel.get(), [&] { rig.w<QPushButton>("CmdHold")->click(); });
        rig.meter.clearReceived();
        memory->downloadSet(7); // about 3 s on the wire
        QVERIFY(memory && memory->dataList());
        QVERIFY2(!memory->dataList()->title()->text().contains("incomplete"),
                 qPrintable(memory->dataList()->title()->text()));
        QCOMPARE(rig.meter.commands().mid(0, 2), (QStringList{"K07", "H"}));
        QVERIFY(rig.panel->pollingEnabled());
        QVERIFY(rig.ticks(1));
        rig.w<QPushButton>("CmdPeak")->click();
        QTRY_VERIFY(!memory);
        QVERIFY(rig.meter.commands().contains("P"));
    }

    // The Memory window closed two seconds into an 8 kB set while a recording runs: the meter
    // goes on sending, so nothing is sent until it is done. The panel never calls the link lost,
    // the recording goes on, and the reading comes back once the line is quiet.
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
        QVERIFY(rig.ticks(2));
        const qint64 wireMs = 8010 * 10000 / 9600;
        QVERIFY2(firstPoll - sentK >= wireMs && firstPoll - sentK <= wireMs + 1500,
                 qPrintable(QString::number(firstPoll - sentK)));
        QVERIFY(!noCom.seen);
        QVERIFY(rig.panel->state().RecordingOn);
        rig.panel->stopRecording();
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

    // A survey report written from a downloaded set's Data List, read back with pdftotext: the
    // meter's model and the ID code the Memory window read are filled in.
    void reportOfADownloadedSet()
    {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
        PanelRig rig;
        QPointer<MemoryWindow> memory;
        QVERIFY(rig.openMemory(memory));
        memory->downloadSet(1);
        QPointer<DataList> list = memory->dataList();
        QVERIFY(list && list->grid().rowCount() > 0);
        const QString id = memory->findChild<QLineEdit*>("TxtIDCode")->text();
        QVERIFY(!id.isEmpty());
        test::ScriptedDialogs dialogs;
        const QString pdf = dir.filePath("set1.pdf");
        dialogs.fileAnswers << pdf;
        QTimer::singleShot(0, list, [&] {
            auto* dialog = list->findChild<ReportDialog*>("ReportDialog");
            if (!dialog)
                return;
            dialog->findChild<QLineEdit*>("TxtSite")->setText("Workshop");
            if (!dialog->write())
                dialog->reject();
        });
        list->findChild<QAction*>("Report")->trigger();
        QProcess p;
        p.start("pdftotext", {pdf, "-"});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains("Workshop") && text.contains("Model 4627, ID code " + id) &&
                     text.contains("Data List: " + list->title()->text().simplified()),
                 qPrintable(text.left(2000)));
    }
};

QTEST_MAIN(TestPanelLogger)
#include "tst_panel_logger.moc"
