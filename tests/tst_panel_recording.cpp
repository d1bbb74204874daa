// Recording and the toolbar's record commands against the virtual meter, and a disk that fills
// under a recording or a table save.

#include "panel/SharedState.h"
#include "records/FileList.h"
#include "records/ListPlot.h"
#include "records/RealTimeList.h"
#include "records/TableServices.h"
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
    // Three records written while button 1 shows the Stop picture and the unit key is locked,
    // across midnight at the new year; after, the Save As picture again and the unit key free
    // unless the live table is open, which is fed meanwhile and frees the key when it closes.
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
        QVERIFY(rig.start());
        QVERIFY(rig.ticks(2));
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
        QCOMPARE(rig.w<QAction>("SaveStop")->toolTip(), QString("Stop Recording"));
        QVERIFY(picture("SaveStop") == picture("Stop"));
        QVERIFY(!rig.w("Recording")->isHidden());
        QVERIFY(!rig.w<QPushButton>("CmdTesla")->isEnabled());
        QCOMPARE(rig.text("LblFileName"), QString("rec.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.panel->state().RecordCount, 3, 6000);
        QCOMPARE(rig.text("LblCount"), QString("3"));
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(!rig.panel->state().RecordingOn);
        QCOMPARE(rig.w<QAction>("SaveStop")->toolTip(), QString("Save As"));
        QVERIFY(picture("SaveStop") == picture("SA"));
        QVERIFY(rig.w("Recording")->isHidden());
        QCOMPARE(rig.text("LblCount"), QString());
        QCOMPARE(rig.w<QPushButton>("CmdTesla")->isEnabled(), !liveTable);
        if (RealTimeList* list = rig.panel->liveTable(); liveTable) {
            QVERIFY(rig.panel->state().ListViewOpen && list && list->isVisible());
            QCOMPARE(list->grid().cell(2, 0), QString("2"));
            QCOMPARE(list->x(), rig.panel->frameGeometry().right() + 1);
            list->close();
            QVERIFY(!rig.panel->state().ListViewOpen);
            QVERIFY(rig.w<QPushButton>("CmdTesla")->isEnabled());
        }

        const QStringList lines = fileLines(rig.file("rec.txt"));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString::fromLatin1(test::HeaderBytes.chopped(2)));
        const QStringList stamps[] = {
            {"26/12/31", "23:59:58"}, {"26/12/31", "23:59:59"}, {"27/01/01", "00:00:00"}};
        for (int i = 1; i <= 3; ++i) {
            const QStringList f = lines[i].split('\t'); // seven fields, each followed by a TAB
            const QStringList expected = QStringList(QString::number(i)) + stamps[i - 1] +
                                         QStringList{"12.3", "mG", "H", "P", ""};
            QCOMPARE(f, expected);
        }
    }

    // A cancelled save dialog does nothing. A recording that reaches its limit ends and tells so
    // on the panel, without a box that would wait for someone to click it; the note stays until
    // the next recording, which refuses Open.
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

        // Once stopped, Open shows the file, its Plot plots it, and a second Open replaces it
        // (reading the file is the record tables' business).
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

    // The sampling-time box, asked for from the toolbar, is open while the panel goes on
    // polling: the samples taken meanwhile carry the meter's fresh reading, not the one shown
    // when the box opened. A second request waits for the first box to close; an answer that
    // is not a number changes nothing.
    void samplingBoxKeepsPolling()
    {
        RecordingRig rig;
        rig.meter.setUnit(sim::Unit::MilliGauss);
        rig.meter.setField(5.0);
        QVERIFY(rig.start());
        QVERIFY(rig.ticks(2));
        QVERIFY(rig.record("box.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 1, 4000);
        int before = 0, after = 0, depth = 0, deepest = 0;
        qsizetype polls = 0;
        rig.dialogs.inputAnswers << "abc"
                                 << "2,5";
        rig.dialogs.duringDialog = [&] {
            const auto nested = qScopeGuard([&] { --depth; });
            deepest = qMax(deepest, ++depth);
            if (depth > 1 || before > 0)
                return;                          // a nested box, or the second one
            rig.panel->toolbarClick("Sampling"); // asked again: served once this box is closed
            rig.meter.clearReceived();
            rig.meter.setField(12.3);
            before = rig.panel->state().RecordCount;
            (void)QTest::qWaitFor([&] { return rig.panel->state().RecordCount >= before + 3; },
                                  8000);
            after = rig.panel->state().RecordCount;
            polls = rig.meter.commands().count(" ");
        };
        rig.panel->toolbarClick("Sampling");
        QVERIFY(rig.panel->state().SamplingPromptPending);
        QTRY_COMPARE_WITH_TIMEOUT(rig.dialogs.inputTitles.size(), 2, 8000);
        QCOMPARE(deepest, 1); // one box at a time
        rig.dialogs.duringDialog = nullptr;
        QCOMPARE(rig.dialogs.inputTitles[0], QString("Input Sampling Time"));
        QCOMPARE(rig.dialogs.inputPrompts[0],
                 QString("Enter the SAMPLING TIME in seconds\r\n(1 <= t <= 86400 ) "));
        QCOMPARE(rig.dialogs.inputDefaults, (QStringList{"1", "1"}));
        QCOMPARE(rig.text("LblSample"), QString("25 sec"));
        QVERIFY(!rig.panel->state().SamplingPromptPending);
        QVERIFY2(polls >= 4, qPrintable(QString::number(polls)));
        QVERIFY(after >= before + 3);
        rig.panel->toolbarClick("SaveStop");
        const QStringList lines = fileLines(rig.file("box.txt"));
        QVERIFY(lines.size() > after);
        QCOMPARE(lines[after].section('\t', 3, 3), QString("12.3"));
        QCOMPARE(lines[before].section('\t', 3, 3), QString("5.0")); // the last before the box
        QVERIFY(rig.ticks(1));
        QCOMPARE(rig.dialogs.inputTitles.size(), 2); // asked twice only
    }

    // Erasing the meter's memory is asked first, and refused while the memory is locked.
    void erase_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("answer"); // ui::MsgResult
        QTest::newRow("Cancel") << false << int(ui::MsgResult::Cancel);
        QTest::newRow("OK") << false << int(ui::MsgResult::Ok);
        QTest::newRow("memory locked") << true << int(ui::MsgResult::Ok);
    }
    void erase()
    {
        QFETCH(bool, locked);
        QFETCH(int, answer);
        RecordingRig rig;
        rig.meter.setMemoryLock(locked);
        QVERIFY(rig.start() && rig.ticks(2));
        QCOMPARE(rig.panel->state().Flags.MemoryLockFlag, locked);
        rig.meter.clearReceived();
        rig.dialogs.messageAnswers << ui::MsgResult(answer);
        rig.panel->toolbarClick("Delete");
        QCOMPARE(rig.dialogs.messages,
                 locked ? QStringList()
                        : QStringList{"All the memory in EEPROM will be deleted !"});
        QCOMPARE(rig.dialogs.icons.value(0, ui::MsgIcon::Exclamation), ui::MsgIcon::Exclamation);
        QVERIFY(rig.panel->pollingEnabled());
        QVERIFY(rig.ticks(1));
        QCOMPARE(rig.meter.commands().count("EEE"),
                 int(!locked && answer == int(ui::MsgResult::Ok)));
    }

    // A disk that fills under a recording, made with the process's file-size limit: writes past
    // a given size fail (EFBIG) on any file system and without privileges, through the same
    // failed or short write a full disk gives. The message tells how many records are kept, the
    // file holds exactly those (the one cut short leaves no part behind), and the panel goes on
    // polling and can record again.
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
        QVERIFY(messages[0].startsWith("Recording stopped"));
        QCOMPARE(rig.dialogs.icons[0], ui::MsgIcon::Critical);
        const auto m =
            QRegularExpression("The (\\d+) records written before are kept").match(messages[0]);
        QVERIFY2(m.hasMatch(), qPrintable(messages[0]));
        QString why;
        QCOMPARE(test::completeRecords(path, &why), m.captured(1).toInt());
        QVERIFY2(why.isEmpty(), qPrintable(why));

        QVERIFY(rig.ticks(2));
        QVERIFY(!rig.panel->linkLost());
        QVERIFY(rig.record("next.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 1, 4000);
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(test::completeRecords(rig.file("next.txt"), &why) >= 1);
    }

    // Saving a table onto a full disk fails with a message and keeps the old file whole, with
    // no temporary file left behind.
    void saveTableKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("table.txt");
        const QByteArray old = test::HeaderBytes + "1\t26/12/05\t15:32:39\t1.0\tmG\t\t\t\r\n";
        QVERIFY(test::writeFile(path, old));
        ui::Grid table(7);
        QStringList rows;
        for (int i = 1; i <= 3000; ++i)
            rows << QString("%1\t26/12/06\t10:00:00\t123.4\tmG\tH\tP").arg(i);
        table.addItems(rows);
        SharedState state;
        state.SaveFileName = path;
        test::ScriptedDialogs dialogs;
        {
            FileSizeLimit limit(20000);
            QVERIFY(!SaveTable(nullptr, table, state));
        }
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].contains("could not be saved"));
        QCOMPARE(test::fileBytes(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"table.txt"});
    }
};

QTEST_MAIN(TestPanelRecording)
#include "tst_panel_recording.moc"
