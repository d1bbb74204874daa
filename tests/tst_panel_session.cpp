// SPDX-License-Identifier: GPL-3.0-or-later
// The meter session without a window, on the virtual meter: where a recording's file ends (the
// record limit, a new day, a failed write), the link lost and back, the sample clock paused.

#include "panel/MeterSession.h"
#include "panel/Recorder.h"
#include "support/TestFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace veltrix;
using test::fileLines;

namespace {

struct SessionRig : test::MeterRig {
    SharedState state;
    std::unique_ptr<MeterSession> session;
    QTemporaryDir dir;

    bool start()
    {
        if (!MeterRig::start())
            return false;
        meter.setField(12.3);
        session = std::make_unique<MeterSession>(*link, state);
        return true;
    }
    // One tick: the reading is there to be sampled.
    bool polled()
    {
        session->onPoll = [] { return false; };
        const bool answered = session->run();
        session->onPoll = nullptr;
        return answered && !session->shown().isEmpty();
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    bool record(const QString& name, const Recorder::Policy& policy, QDate day = {})
    {
        const QString path = file(name);
        return session->recorder().start(path, Recorder::firstFile(path, policy, day), policy, day);
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
};

const QDateTime Noon(QDate(2026, 12, 7), QTime(12, 0));

} // namespace

class TestPanelSession : public QObject {
    Q_OBJECT
private slots:
    // A full file stops the panel's recording and is continued in a numbered one by the tool,
    // which ends at its total; every file numbers its own records.
    void recordLimit_data()
    {
        QTest::addColumn<bool>("next");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<int>>("records");
        QTest::newRow("stop") << false << QStringList{"data.txt"} << QList<int>{2};
        QTest::newRow("numbered file")
            << true << QStringList{"data-2.txt", "data-3.txt", "data.txt"} << QList<int>{2, 1, 2};
    }
    void recordLimit()
    {
        QFETCH(bool, next);
        QFETCH(QStringList, files);
        QFETCH(QList<int>, records);
        SessionRig rig;
        QVERIFY(rig.start() && rig.polled());
        Recorder::Policy policy;
        policy.limit = 2;
        policy.total = 5;
        policy.whenFull = next ? Recorder::WhenFull::NextFile : Recorder::WhenFull::Stop;
        QVERIFY(rig.record("data.txt", policy));
        Recorder& recorder = rig.session->recorder();
        QSignalSpy full(&recorder, &Recorder::full);
        QSignalSpy continued(&recorder, &Recorder::continued);
        QSignalSpy finished(&recorder, &Recorder::finished);
        for (int i = 0; i < 6; ++i)
            rig.session->takeSample(Noon.addSecs(i));
        QVERIFY(!recorder.recording());
        QCOMPARE(rig.files(), files);
        for (int i = 0; i < files.size(); ++i) {
            const QStringList lines = fileLines(rig.file(files[i]));
            QCOMPARE(lines.size(), records[i] + 1);
            QVERIFY(lines.last().startsWith(QString::number(records[i]) + "\t"));
        }
        QCOMPARE(full.size(), next ? 0 : 1);
        QCOMPARE(continued.size(), next ? 2 : 0);
        QCOMPARE(finished.size(), next ? 1 : 0);
        QCOMPARE(recorder.written(), next ? 5 : 2);
    }

    // Daily files: the first sample of a new day begins that day's file; one that exists is
    // never replaced but continued in a numbered one.
    void dailyRotationAcrossMidnight()
    {
        SessionRig rig;
        QVERIFY(rig.start() && rig.polled());
        const QDate day(2026, 12, 31);
        const QString path = rig.file("day.txt");
        QVERIFY(test::writeFile(dayFileName(path, day.addDays(1)), "theirs"));
        Recorder::Policy policy;
        policy.limit = MaxRecords;
        policy.daily = true;
        QVERIFY(rig.record("day.txt", policy, day));
        QSignalSpy continued(&rig.session->recorder(), &Recorder::continued);
        for (int s = 58; s <= 61; ++s)
            rig.session->takeSample(QDateTime(day, QTime(23, 59, 0)).addSecs(s));
        QCOMPARE(continued.size(), 1);
        QCOMPARE(continued[0][1].value<Recorder::Why>(), Recorder::Why::NewDay);
        QCOMPARE(continued[0][2].toInt(), 2);
        QCOMPARE(fileLines(dayFileName(path, day)).mid(1).join('|'),
                 QString("1\t26/12/31\t23:59:58\t12.3\tmG\t\t\t|"
                         "2\t26/12/31\t23:59:59\t12.3\tmG\t\t\t"));
        QCOMPARE(test::fileBytes(dayFileName(path, day.addDays(1))), QByteArray("theirs"));
        const QString next = rig.file("day-2027-01-01-2.txt");
        QCOMPARE(continued[0][3].toString(), next);
        const QStringList lines = fileLines(next);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].startsWith("1\t27/01/01\t00:00:00\t"));
    }

    // A write that fails, or a next file that cannot be created, stops the recording; the file
    // holds the records written before (counted in the message), later samples go nowhere.
    void failureStops_data()
    {
        QTest::addColumn<bool>("nextFile");
        QTest::newRow("write fails") << false;
        QTest::newRow("next file cannot be created") << true;
    }
    void failureStops()
    {
        QFETCH(bool, nextFile);
        SessionRig rig;
        QVERIFY(rig.start() && rig.polled() && QDir(rig.dir.path()).mkdir("in"));
        Recorder::Policy policy;
        policy.limit = nextFile ? 3 : MaxRecords;
        policy.whenFull = Recorder::WhenFull::NextFile;
        QVERIFY(rig.record("in/full.txt", policy));
        Recorder& recorder = rig.session->recorder();
        QSignalSpy failed(&recorder, nextFile ? SIGNAL(openFailed(QString))
                                              : SIGNAL(writeFailed(QString, QString, int)));
        QSignalSpy stopped(&recorder, &Recorder::stopped);
        rig.session->takeSample(Noon);
        rig.session->takeSample(Noon.addSecs(1));
        if (nextFile) // the folder goes; the open file goes with it
            QVERIFY(QDir(rig.dir.path()).rename("in", "out"));
        {
            // Room for one more record (32 bytes), not two.
            test::FileSizeLimit limit(nextFile ? RLIM_INFINITY
                                               : QFileInfo(rig.file("in/full.txt")).size() + 40);
            for (int i = 2; i < 6; ++i)
                rig.session->takeSample(Noon.addSecs(i));
        }
        QCOMPARE(failed.size(), 1);
        QCOMPARE(stopped.size(), 1);
        QVERIFY(!recorder.recording());
        QCOMPARE(recorder.written(), 3);
        if (!nextFile)
            QCOMPARE(failed[0][2].toInt(), 3);
        QString why;
        QCOMPARE(test::completeRecords(rig.file(nextFile ? "out/full.txt" : "in/full.txt"), &why),
                 3);
    }

    // A silent meter: the panel's recording stops at once; the tool's pauses its sample clock
    // and, once the meter answers again, goes on in a new file. Polling resumes either way.
    void linkLossAndReturn_data()
    {
        QTest::addColumn<bool>("stopOnLoss");
        QTest::newRow("panel") << true;
        QTest::newRow("tool") << false;
    }
    void linkLossAndReturn()
    {
        QFETCH(bool, stopOnLoss);
        SessionRig rig;
        QVERIFY(rig.start());
        MeterSession& session = *rig.session;
        session.setStopRecordingOnLinkLoss(stopOnLoss);
        session.watchLink();
        session.setSamplingSeconds(1);
        Recorder::Policy policy;
        policy.limit = MaxRecords;
        QVERIFY(rig.record("gap.txt", policy));
        QSignalSpy link(&session, &MeterSession::linkStateChanged);
        QSignalSpy ticks(&session, &MeterSession::tickFinished);
        session.startPolling();
        session.startSampleClock();
        QTRY_VERIFY_WITH_TIMEOUT(session.recorder().inFile() >= 1, 5000);
        // The loss is told inside the tick that waits for the meter: looked at from there.
        bool recordingAtLoss = false, pausedAtLoss = false, pollingAtLoss = true;
        connect(&session, &MeterSession::linkStateChanged, this, [&](bool lost) {
            if (!lost)
                return;
            recordingAtLoss = session.recorder().recording();
            pausedAtLoss = session.paused();
            pollingAtLoss = session.pollingEnabled() || !session.linkLost();
            QTimer::singleShot(100, this, [&] { rig.meter.setSilent(false); });
        });
        rig.meter.setSilent(true);
        QTRY_COMPARE_WITH_TIMEOUT(link.size(), 2, 15000);
        QCOMPARE(link[0][0].toBool(), true);
        QCOMPARE(link[1][0].toBool(), false);
        QVERIFY(!pollingAtLoss);
        QCOMPARE(recordingAtLoss, !stopOnLoss);
        QCOMPARE(pausedAtLoss, !stopOnLoss);
        QVERIFY(!session.linkLost() && session.pollingEnabled() && !session.paused());
        if (!stopOnLoss)
            QVERIFY(session.recorder().continueAfterGap());
        const int before = ticks.size();
        QTRY_VERIFY(ticks.size() > before + 1);
        QCOMPARE(rig.files().size(), stopOnLoss ? 1 : 2);
        session.stopPolling();
    }

    // Run, the session takes no sample before the meter's first answer (here none: it gives up).
    // Paused, the sample clock takes nothing; resumed, it restarts with a sample at once.
    void pauseAndResume()
    {
        SessionRig rig;
        QVERIFY(rig.start());
        MeterSession& session = *rig.session;
        session.setSamplingSeconds(1);
        QSignalSpy samples(&session, &MeterSession::sampleTaken);
        session.startSampleClock();
        rig.meter.setSilent(true);
        QVERIFY(!session.run() && samples.isEmpty());
        session.startSampleClock(); // run() stopped it
        QVERIFY(samples.wait(1000));
        session.pause();
        samples.clear();
        QVERIFY(!samples.wait(1500));
        session.resume();
        QVERIFY(samples.wait(500));
        QCOMPARE(samples[0][0].toDateTime().time().msec(), 0); // on a whole second
    }
};

QTEST_GUILESS_MAIN(TestPanelSession)
#include "tst_panel_session.moc"
