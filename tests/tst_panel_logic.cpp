// The panel's window-free rules, and the sample clock driven by simulated poll ticks and clocks.

#include "panel/PanelLogic.h"
#include "panel/SampleClock.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QTest>

using namespace veltrix;

Q_DECLARE_METATYPE(veltrix::Mark)

class TestPanelLogic : public QObject {
    Q_OBJECT
private slots:
    void sampling_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("seconds"); // -1: nothing changes
        QTest::newRow("plain") << "10" << 10;
        QTest::newRow("comma removed") << "2,5" << 25;
        QTest::newRow("only first comma") << "1,2,3" << -1;
        QTest::newRow("half to even down") << "2.5" << 2;
        QTest::newRow("half to even up") << "3.5" << 4;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("negative") << "-5" << 1;
        QTest::newRow("above a day") << "86401" << 86400;
        QTest::newRow("blanks") << "  7 " << 7;
        QTest::newRow("text") << "abc" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("infinite") << "1e999" << -1;
    }
    void sampling()
    {
        QFETCH(QString, answer);
        QFETCH(int, seconds);
        const auto t = parseSamplingAnswer(answer);
        QCOMPARE(t.has_value() ? *t : -1, seconds);
    }

    void alarm_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("enable");
        QTest::addColumn<Mark>("over");
        QTest::addColumn<Mark>("under");
        const auto row = [](const char* name, const char* shown, const char* high, const char* low,
                            const char* enable, Mark over, Mark under) {
            QTest::newRow(name) << QString(shown) << QString(high) << QString(low)
                                << QString(enable) << over << under;
        };
        row("between", "9.5", "10", "2", "0", Mark::Hide, Mark::Hide);
        row("at high", "10.0", "10", "2", "0", Mark::Show, Mark::Hide);
        row("below low", "1.5", "10", "2", "0", Mark::Hide, Mark::Show);
        row("OL", "OL", "10", "2", "0", Mark::Show, Mark::Hide);
        row("no low", "0.5", "10", "", "0", Mark::Hide, Mark::Hide);
        row("no high", "99", "", "2", "0", Mark::Leave, Mark::Leave);
        row("switched off", "99", "10", "2", "1", Mark::Hide, Mark::Hide);
        row("odd switch", "99", "10", "2", "7", Mark::Leave, Mark::Leave);
    }
    void alarm()
    {
        QFETCH(QString, shown);
        QFETCH(QString, high);
        QFETCH(QString, low);
        QFETCH(QString, enable);
        QFETCH(Mark, over);
        QFETCH(Mark, under);
        const AlarmMarks m = alarmMarks(shown, high, low, enable);
        QCOMPARE(m.over, over);
        QCOMPARE(m.under, under);
    }

    void blink_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("code"); // -1: leave the label alone
        QTest::newRow("80 steady") << 0x80 << 0;
        QTest::newRow("81 slow") << 0x81 << 1;
        QTest::newRow("42 fast") << 0x42 << 2;
        QTest::newRow("83 other") << 0x83 << -1;
        QTest::newRow("00 malformed") << 0x00 << -1;
        QTest::newRow("C1 malformed") << 0xC1 << -1;
    }
    void blink()
    {
        QFETCH(int, status);
        QFETCH(int, code);
        const auto c = blinkCode(quint8(status));
        QCOMPARE(c.has_value() ? *c : -1, code);
    }

    void recordKeyWaits()
    {
        QCOMPARE(keyWaits(Key::Record, "4627"), (QList<double>{0.3}));
        QCOMPARE(keyWaits(Key::Record, ""), (QList<double>{0.2, 0.3}));
        QCOMPARE(keyWaits(Key::Hold, ""), (QList<double>{0.2}));
        QCOMPARE(keyCommand(Key::Unit, "", true), QByteArray("u")); // never identified
        QCOMPARE(keyCommand(Key::Unit, "", false), QByteArray("m"));
    }

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

    // Days of samples from an odd moment on 30 December (midnights, a new year) on a 100 ms poll
    // tick that arrives up to 150 ms late, maybe with one stall of 5 s without ticks (a dialog's
    // event loop, a slow disk), maybe with a wall clock running at a slightly different rate from
    // the monotonic one, as a PC's clocks do. Every record carries the second in which it was
    // taken and lies one sampling time after the one before; across the stall the seconds in
    // between are missing, without a burst of made-up samples.
    void longRun_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("hours");
        QTest::addColumn<double>("wallPpm"); // wall clock rate against the monotonic one
        QTest::addColumn<bool>("stall");
        QTest::newRow("1 s, 2 days, a stall") << 1 << 48 << 0.0 << true;
        QTest::newRow("1 s, wall 30 ppm fast") << 1 << 48 << 30.0 << true;
        QTest::newRow("1 s, wall 30 ppm slow") << 1 << 48 << -30.0 << true;
        QTest::newRow("7 s, 6 h") << 7 << 6 << 0.0 << false;
        QTest::newRow("86400 s, 3 days") << 86400 << 72 << 0.0 << false;
    }
    void longRun()
    {
        QFETCH(int, period);
        QFETCH(int, hours);
        QFETCH(double, wallPpm);
        QFETCH(bool, stall);
        const qint64 wall0 =
            QDateTime(QDate(2026, 12, 30), QTime(21, 17, 42, 613), Qt::UTC).toMSecsSinceEpoch();
        const qint64 mono0 = 987654321;
        const qint64 end = qint64(hours) * 3600 * 1000;
        const qint64 stallFrom = stall ? end * 5 / 8 + 250 : end + 1;
        const qint64 stallTo = stallFrom + 5000;
        const auto wallAt = [&](qint64 t) {
            return wall0 + t + qint64(double(t) * wallPpm * 1e-6);
        };
        // A wall clock at another rate is followed in steps, so it strays that far at most.
        const qint64 slack = wallPpm != 0 ? SampleClock::ResyncMs : 0;
        QRandomGenerator rng(11);
        SampleClock clock;
        clock.restart(mono0, wallAt(0));
        qint64 first = -1, previous = -1, samples = 0, t = 0;
        int gaps = 0;
        for (qint64 slot = 0; slot <= end; slot += 100) {
            t = qMax(t, slot + rng.bounded(151));
            if (t > stallFrom && t < stallTo)
                continue;
            const qint64 wall = wallAt(t);
            const auto stamp = clock.takeDue(mono0 + t, wall, period);
            if (!stamp)
                continue;
            ++samples;
            const auto at = [&](qint64 ms) {
                return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString("MM-dd hh:mm:ss.zzz");
            };
            if (*stamp % 1000 != 0 || wall < *stamp - slack || wall >= *stamp + 1000 + slack)
                QFAIL(qPrintable(QString("stamp %1 taken at %2").arg(at(*stamp), at(wall))));
            if (previous >= 0 && *stamp - previous != period * 1000) {
                const bool acrossStall = t >= stallTo && t < stallTo + 1000;
                if (!acrossStall || *stamp - previous <= 1000 || *stamp - previous > 6000)
                    QFAIL(qPrintable(QString("%1 then %2").arg(at(previous), at(*stamp))));
                ++gaps;
            }
            if (first < 0)
                first = *stamp;
            previous = *stamp;
        }
        QCOMPARE(gaps, stall ? 1 : 0);
        // One record per sampling time of the wall clock's run, less what the stall swallowed.
        const qint64 expected = (wallAt(t) - first) / (1000 * period) + 1 - (stall ? 5 : 0);
        QVERIFY2(qAbs(samples - expected) <= (stall ? 1 : 0),
                 qPrintable(QString("%1 samples, %2 expected").arg(samples).arg(expected)));
    }
};

QTEST_GUILESS_MAIN(TestPanelLogic)
#include "tst_panel_logic.moc"
