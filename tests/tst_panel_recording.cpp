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
        path = dir.filePath(name);
        dialogs.fileAnswers << path;
        if (!PanelRig::start())
            return false;
        panel->setSamplingSeconds(1);
        return true;
    }
};

const QString Header = "No.s      Date           Time         Value   Unit     Hold    Peak    ";
} // namespace

class TestPanelRecording : public QObject {
    Q_OBJECT
private slots:
    void sampleClock_data()
    {
        QTest::addColumn<QList<qint64>>("ticks"); // ms at which the clock is asked
        QTest::addColumn<int>("period");
        QTest::addColumn<QList<qint64>>("samples");
        QTest::newRow("first at once, then every period")
            << QList<qint64>{0, 100, 900, 1000, 1100, 2000} << 1 << QList<qint64>{0, 1000, 2000};
        QTest::newRow("late tick keeps the grid")
            << QList<qint64>{0, 1050, 1990, 2010} << 1 << QList<qint64>{0, 1050, 2010};
        QTest::newRow("stall skips, no burst")
            << QList<qint64>{0, 3500, 3600, 3900, 4000} << 1 << QList<qint64>{0, 3500, 4000};
        QTest::newRow("a whole day")
            << QList<qint64>{0, 86399999, 86400000} << 86400 << QList<qint64>{0, 86400000};
    }
    void sampleClock()
    {
        QFETCH(QList<qint64>, ticks);
        QFETCH(int, period);
        QFETCH(QList<qint64>, samples);
        SampleClock clock;
        clock.restart(0);
        QList<qint64> taken;
        for (qint64 t : ticks)
            if (clock.takeDue(t, period))
                taken << t;
        QCOMPARE(taken, samples);
    }

    void recordsThreeSamples()
    {
        RecordingRig rig;
        const QString& path = rig.path;
        rig.meter.setStatusOverride(0xB0); // mG, hold and peak
        rig.meter.setValueOverride(0x0123);
        QVERIFY(rig.start("rec.txt"));
        QVERIFY(rig.ticks(2));
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(rig.panel->state().RecordingOn);
        QCOMPARE(rig.w<QAction>("SaveStop")->toolTip(), QString("Stop Recording"));
        QVERIFY(!rig.w("Recording")->isHidden());
        QVERIFY(!rig.w<QPushButton>("CmdTesla")->isEnabled());
        QCOMPARE(rig.text("LblFileName"), QString("rec.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.panel->state().RecordCount, 3, 6000);
        QCOMPARE(rig.text("LblCount"), QString("3"));
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(!rig.panel->state().RecordingOn);
        QCOMPARE(rig.w<QAction>("SaveStop")->toolTip(), QString("Save As"));
        QVERIFY(rig.w("Recording")->isHidden());
        QCOMPARE(rig.text("LblCount"), QString());
        QVERIFY(rig.w<QPushButton>("CmdTesla")->isEnabled());

        const QStringList lines = fileLines(path);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], Header);
        for (int i = 1; i <= 3; ++i) {
            const QStringList f = lines[i].split('\t');
            QCOMPARE(f.size(), 8); // seven fields, each followed by a TAB
            QCOMPARE(f[0], QString::number(i));
            QCOMPARE(f[3], QString("12.3"));
            QCOMPARE(f[4], QString("mG"));
            QCOMPARE(f[5], QString("H"));
            QCOMPARE(f[6], QString("P"));
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
        QCOMPARE(rig.w<QAction>("SaveStop")->toolTip(), QString("Save As"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);

        const QString path = dir.filePath("limit.txt");
        dialogs.fileAnswers << path;
        rig.panel->state().RecordLimit = 2;
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(rig.panel->state().RecordingOn);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->state().RecordingOn, 6000);
        QCOMPARE(fileLines(path).size(), 3);
        QCOMPARE(rig.panel->state().RecordCount, 0);
        QCOMPARE(rig.w<QAction>("SaveStop")->toolTip(), QString("Save As"));
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
        test::ScriptedDialogs dialogs;
        dialogs.fileAnswers << QString("/dev/full");
        PanelRig rig;
        QVERIFY(rig.start());
        rig.panel->setSamplingSeconds(1);
        rig.panel->toolbarClick("SaveStop");
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->state().RecordingOn, 4000);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].startsWith("Recording stopped"));
        QCOMPARE(dialogs.icons[0], ui::MsgIcon::Critical);
    }

    // The link-lost wait runs inside the poll tick, so the checks happen in the handler.
    void linkLossClosesTheRecording()
    {
        RecordingRig rig;
        const QString& path = rig.path;
        QVERIFY(rig.start("lost.txt"));
        rig.panel->toolbarClick("List");
        rig.panel->toolbarClick("SaveStop");
        QTRY_COMPARE_WITH_TIMEOUT(rig.panel->state().RecordCount, 2, 5000);
        bool checked = false;
        connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
            if (!lost)
                return;
            checked = true;
            QVERIFY(!rig.panel->state().RecordingOn);
            QVERIFY(!rig.panel->state().ListViewOpen);
            QVERIFY(rig.w("Recording")->isHidden());
            const QStringList lines = fileLines(path);
            QVERIFY(lines.size() >= 3);
            QCOMPARE(lines[0], Header);
            rig.meter.setSilent(false);
        });
        rig.meter.setSilent(true);
        QTRY_VERIFY_WITH_TIMEOUT(checked, 8000);
        QTRY_COMPARE_WITH_TIMEOUT(rig.text("LblComm"), QString("Com1"), 5000);
        QVERIFY(rig.panel->liveTable() == nullptr || !rig.panel->liveTable()->isVisible());
    }

    void liveTableGrowsAndLocksTheUnitKey()
    {
        RecordingRig rig;
        QVERIFY(rig.start("unused.txt"));
        rig.panel->toolbarClick("List");
        QVERIFY(rig.panel->state().ListViewOpen);
        QVERIFY(!rig.w<QPushButton>("CmdTesla")->isEnabled());
        RealTimeList* list = rig.panel->liveTable();
        QVERIFY(list && list->isVisible());
        auto* grid = list->findChild<ui::Grid*>("Grid");
        QVERIFY(grid);
        QTRY_VERIFY_WITH_TIMEOUT(grid->rows() >= 3, 5000);
        QCOMPARE(grid->cell(1, 0), QString("1"));
        QCOMPARE(grid->cell(2, 0), QString("2"));
        list->close();
        QVERIFY(!rig.panel->state().ListViewOpen);
        QVERIFY(rig.w<QPushButton>("CmdTesla")->isEnabled());
    }

    void refusalsAndErase()
    {
        QTemporaryDir dir;
        test::ScriptedDialogs dialogs;
        dialogs.fileAnswers << dir.filePath("r.txt");
        PanelRig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.ticks(1));
        rig.panel->toolbarClick("SaveStop");
        rig.panel->toolbarClick("Open");
        QCOMPARE(dialogs.messages.value(0), QString("Recording Mode!\n\rPlease stop recording!"));
        QCOMPARE(dialogs.fileRequests, 1); // no open dialog
        QVERIFY(rig.panel->fileList() == nullptr);
        rig.panel->toolbarClick("SaveStop");

        // Erase: Cancel sends nothing; OK sends EEE once and polling resumes.
        rig.meter.clearReceived();
        dialogs.messageAnswers << ui::MsgResult::Cancel << ui::MsgResult::Ok;
        rig.panel->toolbarClick("Delete");
        QCOMPARE(dialogs.messages.value(1), QString("All the memory in EEPROM will be deleted !"));
        QCOMPARE(dialogs.icons.value(1), ui::MsgIcon::Exclamation);
        rig.panel->toolbarClick("Delete");
        QVERIFY(rig.panel->pollingEnabled());
        QVERIFY(rig.ticks(1));
        QCOMPARE(rig.meter.commands().count("EEE"), 1);

        // A click on the picture holders only sets the gauge scale.
        rig.panel->toolbarClick("Stop");
        QCOMPARE(rig.panel->state().GaugeFullScale, 2000);
    }

    void openShowsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("two.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write((Header + "\r\n7\t26/12/05\t15:32:39\t123.4\tmG\tH\t\t\r\n"
                          "9\t26/12/05\t15:32:41\t1.5\tmG\t\t\t\r\n")
                    .toLatin1());
        f.close();
        test::ScriptedDialogs dialogs;
        dialogs.fileAnswers << path << path;
        PanelRig rig;
        QVERIFY(rig.start());
        rig.panel->toolbarClick("Open");
        QPointer<FileList> first = rig.panel->fileList();
        QVERIFY(first);
        auto* grid = first->findChild<ui::Grid*>("Grid");
        QCOMPARE(grid->rows(), 3);
        QCOMPARE(grid->cell(1, 0), QString("7"));
        QCOMPARE(grid->cell(2, 0), QString("9"));
        QCOMPARE(first->windowTitle(), QString("two.txt"));
        rig.panel->toolbarClick("Open"); // a second open replaces the window
        QTRY_VERIFY(first.isNull() || !first->isVisible());
        QVERIFY(rig.panel->fileList() && rig.panel->fileList() != first);
    }
};

QTEST_MAIN(TestPanelRecording)
#include "tst_panel_recording.moc"
