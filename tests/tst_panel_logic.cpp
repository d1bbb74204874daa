// SPDX-License-Identifier: GPL-3.0-or-later
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
        QTest::newRow("above a day") << "86401" << 86400;
        QTest::newRow("text") << "abc" << -1;
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
        row("clock set forward an hour", {0, 700, 1000, 1700}, 1, {0, 700, 1000, 1700},
            {0, 1, 3601, 3602}, 1000, 3600000);
        row("clock set back an hour", {0, 700, 1000, 1700}, 1, {0, 700, 1000, 1700},
            {0, 1, -3599, -3598}, 1000, -3600000);
        row("clock drifted 300 ms behind", {0, 700, 1000, 1700, 2000}, 1, {0, 700, 2000}, {0, 1, 2},
            1000, -300);
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
                gotStamps << (*stamp - ten) / 1000;
            }
        }
        QCOMPARE(gotTicks, taken);
        QCOMPARE(gotStamps, stamps);
    }

    // Days of samples across a new year, on a 100 ms tick up to 150 ms late: each in the second
    // it was taken, exactly one sampling time after the one before.
    void longRun_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("hours");
        QTest::newRow("1 s, 2 days") << 1 << 48;
        QTest::newRow("7 s, 6 h") << 7 << 6;
        QTest::newRow("86400 s, 3 days") << 86400 << 72;
    }
    void longRun()
    {
        QFETCH(int, period);
        QFETCH(int, hours);
        const qint64 wall0 =
            QDateTime(QDate(2026, 12, 30), QTime(21, 17, 42, 613), Qt::UTC).toMSecsSinceEpoch();
        const qint64 mono0 = 987654321;
        const qint64 end = qint64(hours) * 3600 * 1000;
        QRandomGenerator rng(11);
        SampleClock clock;
        clock.restart(mono0, wall0);
        qint64 previous = -1, samples = 0, t = 0;
        for (qint64 slot = 0; slot <= end; slot += 100) {
            t = qMax(t, slot + rng.bounded(151));
            const auto stamp = clock.takeDue(mono0 + t, wall0 + t, period);
            if (!stamp)
                continue;
            ++samples;
            if (*stamp % 1000 != 0 || wall0 + t < *stamp || wall0 + t >= *stamp + 1000 ||
                (previous >= 0 && *stamp - previous != period * 1000))
                QFAIL(qPrintable(QString("%1 then %2 at %3").arg(previous).arg(*stamp).arg(t)));
            previous = *stamp;
        }
        QCOMPARE(samples, end / 1000 / period + 1);
    }
};

QTEST_GUILESS_MAIN(TestPanelLogic)
#include "tst_panel_logic.moc"
