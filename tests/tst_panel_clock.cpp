// The sample clock over two days of 1 s sampling, driven by a simulated poll timer and clocks.

#include "panel/SampleClock.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QTest>

using namespace veltrix;

class TestPanelClock : public QObject {
    Q_OBJECT
private slots:
    // 48 hours from 22:00 on 30 December (two midnights, one of them a new year) on a 100 ms
    // poll tick that arrives up to 150 ms late, with one stall of 5 s without ticks (the program
    // busy, a dialog's event loop, a slow disk). The wall clock may run at a slightly different
    // rate from the monotonic clock, as a PC's clocks do, so the schedule follows it in steps.
    // Every record must carry the second in which it was taken, one second after the one before,
    // except across the stall: the record after it carries the second the tick came in, the
    // seconds in between are missing, and there is no burst of made-up samples.
    void twoDaysAtOneSecond_data()
    {
        QTest::addColumn<double>("wallPpm"); // wall clock rate against the monotonic one
        QTest::newRow("same rate") << 0.0;
        QTest::newRow("wall 30 ppm fast") << 30.0;
        QTest::newRow("wall 30 ppm slow") << -30.0;
    }
    void twoDaysAtOneSecond()
    {
        QFETCH(double, wallPpm);
        const qint64 wall0 =
            QDateTime(QDate(2026, 12, 30), QTime(22, 0, 0, 400), Qt::UTC).toMSecsSinceEpoch();
        const qint64 mono0 = 987654321;
        const qint64 end = qint64(48) * 3600 * 1000;
        const qint64 stallFrom = qint64(30) * 3600 * 1000 + 250; // no tick for 5 s from here
        const qint64 stallTo = stallFrom + 5000;
        const auto wallAt = [&](qint64 t) {
            return wall0 + t + qint64(double(t) * wallPpm * 1e-6);
        };

        QRandomGenerator rng(11);
        SampleClock clock;
        clock.restart(mono0, wallAt(0));
        qint64 previous = -1;
        qint64 samples = 0;
        int gapsAfterStall = 0;
        qint64 t = 0;
        for (qint64 slot = 0; slot <= end; slot += 100) {
            t = qMax(t, slot + rng.bounded(151));
            if (t > stallFrom && t < stallTo)
                continue;
            const qint64 wall = wallAt(t);
            const auto stamp = clock.takeDue(mono0 + t, wall, 1);
            if (!stamp)
                continue;
            ++samples;
            if (*stamp % 1000 != 0)
                QFAIL(qPrintable(QString("stamp %1 not on a whole second").arg(*stamp)));
            // Taken within the second it carries, give or take the wall clock's stray that the
            // schedule tolerates before it follows.
            if (wall < *stamp - SampleClock::ResyncMs ||
                wall >= *stamp + 1000 + SampleClock::ResyncMs)
                QFAIL(qPrintable(
                    QString("at %1 ms: stamp %2 ms off the wall clock").arg(t).arg(wall - *stamp)));
            if (previous >= 0 && *stamp - previous != 1000) {
                const bool acrossStall = t >= stallTo && t < stallTo + 1000;
                if (!acrossStall || *stamp - previous <= 1000 || *stamp - previous > 6000)
                    QFAIL(qPrintable(QString("at %1 ms: %2 then %3")
                                         .arg(t)
                                         .arg(QDateTime::fromMSecsSinceEpoch(previous, Qt::UTC)
                                                  .toString("MM-dd hh:mm:ss"),
                                              QDateTime::fromMSecsSinceEpoch(*stamp, Qt::UTC)
                                                  .toString("MM-dd hh:mm:ss"))));
                ++gapsAfterStall;
            }
            previous = *stamp;
        }
        QCOMPARE(gapsAfterStall, 1);
        // One record per second of the wall clock's run, less the seconds the stall swallowed.
        const qint64 seconds = (wallAt(t) - wall0 + 400) / 1000 + 1;
        QVERIFY2(samples >= seconds - 6 && samples <= seconds - 4,
                 qPrintable(QString("%1 samples in %2 s").arg(samples).arg(seconds)));
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(previous, Qt::UTC).date(), QDate(2027, 1, 1));
    }
};

QTEST_APPLESS_MAIN(TestPanelClock)
#include "tst_panel_clock.moc"
