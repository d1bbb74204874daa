// SPDX-License-Identifier: GPL-3.0-or-later
// Recording and the toolbar's record commands, and a disk that fills under a recording.

#include "records/FileList.h"
#include "records/ListPlot.h"
#include "records/RealTimeList.h"
#include "support/PanelRig.h"
#include "ui/Grid.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QToolBar>

using namespace veltrix;
using veltrix::test::fileLines;
using veltrix::test::FileSizeLimit;
using veltrix::test::RecordingRig;

class TestPanelRecording : public QObject {
    Q_OBJECT
private slots:
    // Three records across the new year; the unit key stays locked while the live table is open.
    void recordsThreeSamples_data()
    {
        QTest::addColumn<bool>("liveTable");
        QTest::newRow("no view open") << false;
        QTest::newRow("live table open") << true;
    }
    void recordsThreeSamples()
    {
        QFETCH(bool, liveTable);
        RecordingRig rig;
        rig.meter.setStatusOverride(0xB0); // mG, hold and peak
        rig.meter.setValueOverride(0x0123);
        QVERIFY(rig.start() && rig.ticks(2));
        const auto picture = [&](const char* key) {
            return rig.w<QAction>(key)->icon().pixmap(24, 24).toImage();
        };
        QVERIFY(picture("Stop") != picture("SA"));
        if (liveTable)
            rig.panel->toolbarClick("List");
        const QDateTime base(QDate(2026, 12, 31), QTime(23, 59, 58));
        QElapsedTimer since;
        since.start();
        rig.panel->setWallClock([&] { return base.addMSecs(since.elapsed()); });
        rig.panel->setSamplingSeconds(1); // the first sample at once, at 23:59:58
        QVERIFY(rig.record("rec.txt"));
        QVERIFY(picture("SaveStop") == picture("Stop"));
        QVERIFY(!rig.w("Recording")->isHidden());
        QVERIFY(!rig.w<QPushButton>("CmdTesla")->isEnabled());
        QCOMPARE(rig.text("LblFileName"), QString("rec.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.panel->state().RecordCount, 3, 6000);
        QCOMPARE(rig.text("LblCount"), QString("3"));
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(!rig.panel->state().RecordingOn);
        QVERIFY(picture("SaveStop") == picture("SA"));
        QVERIFY(rig.w("Recording")->isHidden());
        QCOMPARE(rig.text("LblCount"), QString());
        QCOMPARE(rig.w<QPushButton>("CmdTesla")->isEnabled(), !liveTable);
        if (RealTimeList* list = rig.panel->liveTable(); liveTable) {
            QVERIFY(rig.panel->state().ListViewOpen && list && list->isVisible());
            QCOMPARE(list->grid().cell(2, 0), QString("2"));
            QCOMPARE(list->x(), rig.panel->frameGeometry().right() + 1);
            list->close();
            QVERIFY(rig.w<QPushButton>("CmdTesla")->isEnabled());
        }

        QCOMPARE(fileLines(rig.file("rec.txt")),
                 (QStringList{QString::fromLatin1(test::HeaderBytes.chopped(2)),
                              "1\t26/12/31\t23:59:58\t12.3\tmG\tH\tP\t",
                              "2\t26/12/31\t23:59:59\t12.3\tmG\tH\tP\t",
                              "3\t27/01/01\t00:00:00\t12.3\tmG\tH\tP\t"}));
    }

    // A full recording ends with a note on the panel (no box to click), kept until the next one.
    void recordLimitAndOpen()
    {
        RecordingRig rig;
        QVERIFY(rig.start() && rig.ticks(1));
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(!rig.panel->state().RecordingOn);
        QCOMPARE(QDir(rig.dir.path()).entryList(QDir::Files).size(), 0);

        rig.panel->state().RecordLimit = 2;
        QVERIFY(rig.record("limit.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->state().RecordingOn, 6000);
        QCOMPARE(fileLines(rig.file("limit.txt")).size(), 3);
        QCOMPARE(rig.panel->state().RecordCount, 0);
        QVERIFY(rig.text("LblNote").contains("limit.txt is full (2 records)"));
        QCOMPARE(rig.dialogs.messages.size(), 0);
        QVERIFY(rig.ticks(2));
        QVERIFY(!rig.w("LblNote")->isHidden());
        QVERIFY(rig.record("next.txt"));
        QVERIFY(rig.w("LblNote")->isHidden());

        rig.dialogs.fileAnswers << rig.file("limit.txt") << rig.file("limit.txt");
        rig.panel->toolbarClick("Open");
        QCOMPARE(rig.dialogs.messages, QStringList{"Recording Mode!\n\rPlease stop recording!"});
        QVERIFY(rig.panel->fileList() == nullptr);
        rig.panel->toolbarClick("SaveStop");

        // Reading the file is the record tables' business; here, a second Open replaces it.
        rig.panel->toolbarClick("Open");
        QPointer<FileList> list = rig.panel->fileList();
        QVERIFY(list && list->isVisible());
        list->findChild<QToolBar*>("Toolbar1")->findChild<QAction*>("Plot")->trigger();
        QVERIFY(rig.panel->listPlot()->window() && rig.panel->listPlot()->window()->isVisible());
        QCOMPARE(rig.panel->listPlot()->window()->points().size(), 2);
        rig.panel->toolbarClick("Open");
        QTRY_VERIFY(list.isNull() || !list->isVisible());
        QVERIFY(rig.panel->fileList() && rig.panel->fileList() != list);
    }

    // Samples taken while the sampling-time box is open carry fresh readings; boxes never nest.
    void samplingBoxKeepsPolling()
    {
        RecordingRig rig;
        rig.meter.setUnit(sim::Unit::MilliGauss);
        rig.meter.setField(5.0);
        QVERIFY(rig.start() && rig.ticks(2));
        QVERIFY(rig.record("box.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 1, 4000);
        int before = 0, after = 0, depth = 0, deepest = 0;
        rig.dialogs.inputAnswers << "abc"
                                 << "2,5";
        rig.dialogs.duringDialog = [&] {
            const auto nested = qScopeGuard([&] { --depth; });
            deepest = qMax(deepest, ++depth);
            if (depth > 1 || before > 0)
                return;                          // a nested box, or the second one
            rig.panel->toolbarClick("Sampling"); // asked again: served once this box is closed
            rig.meter.setField(12.3);
            before = rig.panel->state().RecordCount;
            (void)QTest::qWaitFor([&] { return rig.panel->state().RecordCount >= before + 3; },
                                  8000);
            after = rig.panel->state().RecordCount;
        };
        rig.panel->toolbarClick("Sampling");
        QVERIFY(rig.panel->state().SamplingPromptPending);
        QTRY_COMPARE_WITH_TIMEOUT(rig.dialogs.inputDefaults.size(), 2, 8000);
        QCOMPARE(deepest, 1); // one box at a time
        rig.dialogs.duringDialog = nullptr;
        QCOMPARE(rig.dialogs.inputDefaults, (QStringList{"1", "1"}));
        QCOMPARE(rig.text("LblSample"), QString("25 sec"));
        QVERIFY(!rig.panel->state().SamplingPromptPending);
        QVERIFY(after >= before + 3);
        rig.panel->toolbarClick("SaveStop");
        const QStringList lines = fileLines(rig.file("box.txt"));
        QVERIFY(lines.size() > after);
        QCOMPARE(lines[after].section('\t', 3, 3), QString("12.3"));
        QCOMPARE(lines[before].section('\t', 3, 3), QString("5.0")); // the last before the box
        QVERIFY(rig.ticks(1));
        QCOMPARE(rig.dialogs.inputDefaults.size(), 2); // asked twice only
    }

    // Erasing the meter's memory is asked first (Cancel, then OK), refused while it is locked.
    void erase()
    {
        RecordingRig rig;
        QVERIFY(rig.start() && rig.ticks(2));
        rig.dialogs.messageAnswers << ui::MsgResult::Cancel << ui::MsgResult::Ok;
        rig.panel->toolbarClick("Delete");
        QVERIFY(rig.ticks(1));
        QVERIFY(!rig.meter.commands().contains("EEE"));
        rig.panel->toolbarClick("Delete");
        QVERIFY(rig.ticks(1));
        QCOMPARE(rig.meter.commands().count("EEE"), 1);
        QCOMPARE(rig.dialogs.messages,
                 QStringList(2, "All the memory in EEPROM will be deleted !"));
        rig.meter.setMemoryLock(true);
        QVERIFY(rig.ticks(2));
        rig.panel->toolbarClick("Delete");
        QCOMPARE(rig.dialogs.messages.size(), 2);
    }

    // A full disk: the message tells how many records are kept (the session test checks the file
    // holds exactly those); the panel goes on and records again.
    void recordingKeepsItsRecordsAndThePanelWorks()
    {
        test::RecordingRig rig;
        QVERIFY(rig.start());
        const QString path = rig.file("full.txt");
        QVERIFY(rig.record("full.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 2, 6000);
        {
            // Room for about one more record and a half: the next but one is cut short.
            FileSizeLimit limit(QFileInfo(path).size() + 70);
            QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->state().RecordingOn, 8000);
        }
        const QStringList& messages = rig.dialogs.messages;
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QDir::toNativeSeparators(path) + " could not be written") &&
                     messages[0].contains(" records written before are kept"),
                 qPrintable(messages[0]));
        QString why;

        QVERIFY(rig.ticks(2));
        QVERIFY(!rig.panel->linkLost());
        QVERIFY(rig.record("next.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 1, 4000);
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(test::completeRecords(rig.file("next.txt"), &why) >= 1);
    }
};

QTEST_MAIN(TestPanelRecording)
#include "tst_panel_recording.moc"
