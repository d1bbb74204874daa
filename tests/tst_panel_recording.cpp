// Recording and the toolbar's record commands against the virtual meter.

#include "panel/SampleClock.h"
#include "records/FileList.h"
#include "records/RealTimeList.h"
#include "support/PanelRig.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "ui/Grid.h"

#include <QAction>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>

using namespace veltrix;
using veltrix::test::PanelRig;

using test::fileLines;

namespace {
// A panel sampling every second whose save dialog answers a file in a temporary folder.
struct RecordingRig : PanelRig {
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    QString path;

    bool start(const QString& name)
    {
        path = QDir::isAbsolutePath(name) ? name : dir.filePath(name);
        dialogs.fileAnswers << path;
        if (!PanelRig::start())
            return false;
        panel->setSamplingSeconds(1);
        return true;
    }
};

const QString Header = QString::fromLatin1(test::HeaderBytes.chopped(2));
} // namespace

class TestPanelRecording : public QObject {
    Q_OBJECT
private slots:
    // Ticks (monotonic ms) against a wall clock that reads 10:00:00.400 at monotonic 0; the
    // wall column shifts the wall clock from a given tick on (the clock was set).
    void sampleClock_data()
    {
        QTest::addColumn<QList<qint64>>("ticks");
        QTest::addColumn<int>("period");
        QTest::addColumn<qint64>("wallShiftAt");
        QTest::addColumn<qint64>("wallShift");
        QTest::addColumn<QList<qint64>>("taken");  // ticks that took a sample
        QTest::addColumn<QList<qint64>>("stamps"); // their seconds after 10:00:00
        using L = QList<qint64>;
        const auto row = [](const char* name, const L& ticks, int period, const L& taken,
                            const L& stamps, qint64 shiftAt = std::numeric_limits<qint64>::max(),
                            qint64 shift = 0) {
            QTest::newRow(name) << ticks << period << shiftAt << shift << taken << stamps;
        };
        row("first at once, then on whole seconds", {0, 100, 590, 610, 1500, 1605, 2605}, 1,
            {0, 610, 1605, 2605}, {0, 1, 2, 3});
        row("late tick keeps its second", {0, 750, 1599, 1700}, 1, {0, 750, 1700}, {0, 1, 2});
        row("stall skips, no burst", {0, 3500, 3550, 3590, 3700}, 1, {0, 3500, 3700}, {0, 3, 4});
        row("every 2 s", {0, 700, 1700, 2700, 3600, 3700}, 2, {0, 1700, 3700}, {0, 2, 4});
        row("a tick a second late at 2 s", {0, 2900, 3700}, 2, {0, 2900, 3700}, {0, 2, 4});
        row("a whole day", {0, 86399599, 86399700, 86399800}, 86400, {0, 86399700}, {0, 86400});
        row("clock set forward an hour", {0, 700, 1000, 1700}, 1, {0, 700, 1000, 1700},
            {0, 1, 3601, 3602}, 1000, 3600000);
        row("clock set back an hour", {0, 700, 1000, 1700}, 1, {0, 700, 1000, 1700},
            {0, 1, -3599, -3598}, 1000, -3600000);
        row("clock drifted 300 ms ahead", {0, 700, 1000, 1350, 1500}, 1, {0, 700, 1350}, {0, 1, 2},
            1000, 300);
    }
    void sampleClock()
    {
        QFETCH(QList<qint64>, ticks);
        QFETCH(int, period);
        QFETCH(qint64, wallShiftAt);
        QFETCH(qint64, wallShift);
        QFETCH(QList<qint64>, taken);
        QFETCH(QList<qint64>, stamps);
        const qint64 ten = QDateTime(QDate(2026, 12, 6), QTime(10, 0), Qt::UTC).toMSecsSinceEpoch();
        const auto wall = [&](qint64 mono) {
            return ten + 400 + mono + (mono >= wallShiftAt ? wallShift : 0);
        };
        SampleClock clock;
        clock.restart(0, wall(0));
        QList<qint64> gotTicks, gotStamps;
        for (qint64 t : ticks) {
            if (const auto stamp = clock.takeDue(t, wall(t), period)) {
                gotTicks << t;
                QCOMPARE((*stamp - ten) % 1000, 0);
                gotStamps << (*stamp - ten) / 1000;
            }
        }
        QCOMPARE(gotTicks, taken);
        QCOMPARE(gotStamps, stamps);
    }

    // Hours of samples on a 100 ms tick that arrives 0 to 150 ms late, across midnight: every
    // record reads exactly one sampling time after the one before and is taken within its second.
    void sampleClockLongRun_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("hours");
        QTest::newRow("7 s, 6 h") << 7 << 6;
        QTest::newRow("86400 s, 3 days") << 86400 << 72;
    }
    void sampleClockLongRun()
    {
        QFETCH(int, period);
        QFETCH(int, hours);
        const QDateTime start(QDate(2026, 12, 31), QTime(21, 17, 42, 613), Qt::UTC);
        const qint64 wall0 = start.toMSecsSinceEpoch();
        const qint64 mono0 = 123456789; // any monotonic origin
        QRandomGenerator rng(7);
        SampleClock clock;
        clock.restart(mono0, wall0);
        QTime last;
        int samples = 0;
        qint64 t = 0;
        const qint64 end = qint64(hours) * 3600 * 1000;
        for (qint64 slot = 0; slot <= end; slot += 100) {
            t = qMax(t, slot + rng.bounded(151)); // the tick arrives up to 150 ms late
            const auto stamp = clock.takeDue(mono0 + t, wall0 + t, period);
            if (!stamp)
                continue;
            QCOMPARE(*stamp % 1000, 0);
            QVERIFY(wall0 + t >= *stamp && wall0 + t < *stamp + 1000); // taken within its second
            const QTime shown = QDateTime::fromMSecsSinceEpoch(*stamp, Qt::UTC).time();
            if (samples++ > 0) {
                const int apart = (last.secsTo(shown) + 86400) % 86400;
                if (apart != period % 86400)
                    QFAIL(qPrintable(QString("%1 then %2").arg(last.toString(), shown.toString())));
            }
            last = shown;
        }
        QCOMPARE(samples, int(end / 1000 / period) + 1);
    }

    // Three records written while button 1 shows the Stop picture and the unit key is locked;
    // after, the Save As picture again and the unit key free unless the live table is open,
    // which is fed meanwhile and frees the key when it closes.
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
        QVERIFY(rig.start("rec.txt"));
        QVERIFY(rig.ticks(2));
        const auto picture = [&](const char* key) {
            return rig.w<QAction>(key)->icon().pixmap(24, 24).toImage();
        };
        QVERIFY(picture("Stop") != picture("SA"));
        if (liveTable)
            rig.panel->toolbarClick("List");
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(rig.panel->state().RecordingOn);
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
            list->close();
            QVERIFY(!rig.panel->state().ListViewOpen);
            QVERIFY(rig.w<QPushButton>("CmdTesla")->isEnabled());
        }

        const QStringList lines = fileLines(rig.path);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], Header);
        for (int i = 1; i <= 3; ++i) {
            const QStringList f = lines[i].split('\t'); // seven fields, each followed by a TAB
            QCOMPARE(f, (QStringList{QString::number(i), f[1], f[2], "12.3", "mG", "H", "P", ""}));
        }
    }

    void recordLimitAndCancel()
    {
        QTemporaryDir dir;
        test::ScriptedDialogs dialogs;
        PanelRig rig;
        QVERIFY(rig.start());
        rig.panel->setSamplingSeconds(1);
        rig.panel->toolbarClick("SaveStop"); // cancelled: nothing happens
        QVERIFY(!rig.panel->state().RecordingOn);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);

        const QString path = dir.filePath("limit.txt");
        dialogs.fileAnswers << path;
        rig.panel->state().RecordLimit = 2;
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(rig.panel->state().RecordingOn);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->state().RecordingOn, 6000);
        QCOMPARE(fileLines(path).size(), 3);
        QCOMPARE(rig.panel->state().RecordCount, 0);
        // Told on the panel, without a box that would wait for someone to click it.
        QVERIFY(!rig.w("LblNote")->isHidden());
        QVERIFY(rig.text("LblNote").contains("limit.txt is full (2 records)"));
        QCOMPARE(dialogs.messages.size(), 0);
        QVERIFY(rig.ticks(2));
        QVERIFY(!rig.w("LblNote")->isHidden()); // it stays
        dialogs.fileAnswers << dir.filePath("next.txt");
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(rig.panel->state().RecordingOn);
        QVERIFY(rig.w("LblNote")->isHidden()); // until the next recording starts
        rig.panel->toolbarClick("SaveStop");
    }

    // The sampling-time box is open while the panel goes on polling: the samples taken
    // meanwhile carry the meter's fresh reading, not the one shown when the box opened.
    void samplingBoxKeepsPolling()
    {
        RecordingRig rig;
        rig.meter.setUnit(sim::Unit::MilliGauss);
        rig.meter.setField(5.0);
        QVERIFY(rig.start("box.txt"));
        QVERIFY(rig.ticks(2));
        rig.panel->toolbarClick("SaveStop");
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 1, 4000);
        int before = 0, after = 0, depth = 0, deepest = 0;
        qsizetype polls = 0;
        rig.dialogs.inputAnswers << "1"
                                 << "1";
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
        QTRY_COMPARE_WITH_TIMEOUT(rig.dialogs.inputTitles.size(), 2, 8000);
        QCOMPARE(deepest, 1); // one box at a time
        rig.dialogs.duringDialog = nullptr;
        QVERIFY2(polls >= 4, qPrintable(QString::number(polls)));
        QVERIFY(after >= before + 3);
        rig.panel->toolbarClick("SaveStop");
        const QStringList lines = fileLines(rig.path);
        QVERIFY(lines.size() > after);
        QCOMPARE(lines[after].section('\t', 3, 3), QString("12.3"));
        QCOMPARE(lines[before].section('\t', 3, 3), QString("5.0")); // the last before the box
    }

    void midnightWithInjectedClock()
    {
        RecordingRig rig;
        const QString& path = rig.path;
        QVERIFY(rig.start("midnight.txt"));
        const QDateTime base(QDate(2026, 12, 31), QTime(23, 59, 58));
        QElapsedTimer since;
        since.start();
        rig.panel->setWallClock([&] { return base.addMSecs(since.elapsed()); });
        rig.panel->toolbarClick("SaveStop");
        QTRY_COMPARE_WITH_TIMEOUT(rig.panel->state().RecordCount, 4, 8000);
        rig.panel->toolbarClick("SaveStop");
        const QStringList lines = fileLines(path);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[1].section('\t', 1, 1), QString("26/12/31"));
        QCOMPARE(lines[4].section('\t', 1, 1), QString("27/01/01"));
        QCOMPARE(lines[4].section('\t', 2, 2), QString("00:00:01"));
    }

    void writeFailureStopsWithMessage()
    {
        if (!QFile::exists("/dev/full"))
            QSKIP("no /dev/full here");
        RecordingRig rig;
        QVERIFY(rig.start("/dev/full"));
        rig.panel->toolbarClick("SaveStop");
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->state().RecordingOn, 4000);
        QCOMPARE(rig.dialogs.messages.size(), 1);
        QVERIFY(rig.dialogs.messages[0].startsWith("Recording stopped"));
        QCOMPARE(rig.dialogs.icons[0], ui::MsgIcon::Critical);
    }

    // The file's content on a loss is the unplug test's business; here what the panel shows.
    void linkLossClosesTheRecording()
    {
        RecordingRig rig;
        QVERIFY(rig.start("lost.txt"));
        rig.panel->toolbarClick("List");
        rig.panel->toolbarClick("SaveStop");
        QTRY_COMPARE_WITH_TIMEOUT(rig.panel->state().RecordCount, 2, 5000);
        QVERIFY(rig.loseLink([&] {
            QVERIFY(!rig.panel->state().RecordingOn);
            QVERIFY(!rig.panel->state().ListViewOpen);
            QVERIFY(rig.w("Recording")->isHidden());
        }));
        QVERIFY(rig.panel->liveTable() == nullptr || !rig.panel->liveTable()->isVisible());
    }

    void refusals()
    {
        QTemporaryDir dir;
        test::ScriptedDialogs dialogs;
        dialogs.fileAnswers << dir.filePath("r.txt");
        PanelRig rig;
        QVERIFY(rig.startPolled(1));
        rig.panel->toolbarClick("SaveStop");
        rig.panel->toolbarClick("Open");
        QCOMPARE(dialogs.messages.value(0), QString("Recording Mode!\n\rPlease stop recording!"));
        QCOMPARE(dialogs.fileRequests, 1); // no open dialog
        QVERIFY(rig.panel->fileList() == nullptr);
        rig.panel->toolbarClick("SaveStop");

        // A click on the picture holders only sets the gauge scale.
        rig.panel->toolbarClick("Stop");
        QCOMPARE(rig.panel->state().GaugeFullScale, 2000);
    }

    void erase_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("answer"); // ui::MsgResult
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("erased");
        QTest::newRow("Cancel") << false << int(ui::MsgResult::Cancel) << 1 << 0;
        QTest::newRow("OK") << false << int(ui::MsgResult::Ok) << 1 << 1;
        QTest::newRow("memory locked") << true << int(ui::MsgResult::Ok) << 0 << 0;
    }
    void erase()
    {
        QFETCH(bool, locked);
        QFETCH(int, answer);
        QFETCH(int, asked);
        QFETCH(int, erased);
        test::ScriptedDialogs dialogs;
        PanelRig rig;
        rig.meter.setMemoryLock(locked);
        QVERIFY(rig.startPolled(2));
        QCOMPARE(rig.panel->state().Flags.MemoryLockFlag, locked);
        rig.meter.clearReceived();
        dialogs.messageAnswers << ui::MsgResult(answer);
        rig.panel->toolbarClick("Delete");
        QCOMPARE(dialogs.messages.size(), asked);
        if (asked) {
            QCOMPARE(dialogs.messages[0], QString("All the memory in EEPROM will be deleted !"));
            QCOMPARE(dialogs.icons[0], ui::MsgIcon::Exclamation);
        }
        QVERIFY(rig.panel->pollingEnabled());
        QVERIFY(rig.ticks(1));
        QCOMPARE(rig.meter.commands().count("EEE"), erased);
    }

    // A second Open replaces the file list; reading the file is the record tables' business.
    void openReplacesTheFileList()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("two.txt");
        QVERIFY(
            test::writeFile(path, test::HeaderBytes + "7\t26/12/05\t15:32:39\t1.5\tmG\t\t\t\r\n"));
        test::ScriptedDialogs dialogs;
        dialogs.fileAnswers << path << path;
        PanelRig rig;
        QVERIFY(rig.start());
        rig.panel->toolbarClick("Open");
        QPointer<FileList> first = rig.panel->fileList();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->findChild<ui::Grid*>("Grid")->cell(1, 0), QString("7"));
        rig.panel->toolbarClick("Open");
        QTRY_VERIFY(first.isNull() || !first->isVisible());
        QVERIFY(rig.panel->fileList() && rig.panel->fileList() != first);
    }
};

QTEST_MAIN(TestPanelRecording)
#include "tst_panel_recording.moc"
