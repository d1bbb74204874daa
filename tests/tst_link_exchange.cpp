// The meter exchanges against the virtual meter over a real pseudo-terminal.

#include "link/Delay.h"
#include "link/MeterLink.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <sys/resource.h>

using namespace veltrix;

namespace {
double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct FakeHost : LinkLostHost {
    int entered = 0, left = 0;
    std::function<void()> onEnter;
    void enterLinkLost() override
    {
        ++entered;
        if (onEnter)
            onEnter();
    }
    void leaveLinkLost() override { ++left; }
};
} // namespace

class TestExchange : public QObject {
    Q_OBJECT
private slots:
    void delayRunsOtherTimersAndSleeps()
    {
        int ticks = 0;
        QTimer t;
        connect(&t, &QTimer::timeout, [&] { ++ticks; });
        t.start(20);
        QElapsedTimer clock;
        clock.start();
        const double cpu0 = cpuSeconds();
        QVERIFY(Delay(0.5));
        const double cpu = cpuSeconds() - cpu0;
        QVERIFY2(clock.elapsed() >= 500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(ticks >= 10);                                  // other timers ran inside the wait
        QVERIFY2(cpu < 0.2, qPrintable(QString::number(cpu))); // and the thread slept
    }

    void identifySetsModel_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("stale"); // a poll answer that arrived late still waits
        QTest::newRow("4627") << 0x4627 << "4627" << false;
        QTest::newRow("4625") << 0x4625 << "4625" << false;
        QTest::newRow("0102") << 0x0102 << "12" << false;
        QTest::newRow("4605") << 0x4605 << "465" << false;
        QTest::newRow("after a stale answer") << 0x4627 << "4627" << true;
    }
    void identifySetsModel()
    {
        QFETCH(int, model);
        QFETCH(QString, code);
        QFETCH(bool, stale);
        test::MeterRig rig;
        QString error;
        QVERIFY2(rig.start(false, &error), qPrintable(error));
        rig.meter.setModelCode(quint16(model));
        if (stale) {
            rig.line->output(" ");
            QTRY_COMPARE(rig.line->inBufferCount(), 5);
        }
        const auto got = rig.link->identifyExchange();
        QVERIFY(got.has_value());
        QCOMPARE(*got, code);
        // At the first attempt.
        QCOMPARE(rig.meter.commands(), stale ? (QStringList{" ", "M"}) : (QStringList{"M"}));
    }

    void shortIdentifyAnswersGiveSixAttempts()
    {
        test::MeterRig rig;
        QVERIFY(rig.start());
        rig.meter.setLengthDelta(-1); // three bytes instead of four
        QList<qint64> times;
        QElapsedTimer clock;
        clock.start();
        connect(&rig.meter, &sim::VirtualMeter::commandReceived, this, [&](const QString& c) {
            if (c == "M")
                times << clock.elapsed();
        });
        QVERIFY(!rig.link->identifyExchange().has_value());
        QCOMPARE(rig.meter.commands(), QStringList(6, "M"));
        QCOMPARE(times.size(), 6);
        for (int i = 1; i < times.size(); ++i)
            QVERIFY2(times[i] - times[i - 1] >= 180, // 0.2 s when sent, give or take the arrival
                     qPrintable(QString::number(times[i] - times[i - 1])));
    }

    void pollAnswer()
    {
        test::MeterRig rig;
        QVERIFY(rig.start(true)); // paced like the real line, the answer in two parts
        rig.meter.setSplitReplies(true);
        rig.meter.setUnit(sim::Unit::MilliGauss);
        rig.meter.setField(12.3);
        const auto answer = rig.link->pollExchange();
        QVERIFY(answer.has_value());
        QCOMPARE(answer->size(), 5);
        QCOMPARE(quint8(answer->at(1)) & 0xC0, 0x80);
        QCOMPARE(answer->mid(2, 2), QByteArray::fromHex("0123"));
    }

    void longAnswerIsDiscardedAndRetried()
    {
        test::MeterRig rig;
        QVERIFY(rig.start());
        rig.meter.setField(4.5);
        rig.meter.setLengthDelta(1); // six bytes: not a poll answer
        QTimer::singleShot(300, [&] { rig.meter.setLengthDelta(0); });
        const auto answer = rig.link->pollExchange();
        QVERIFY(answer.has_value());
        QCOMPARE(answer->size(), 5);
        QCOMPARE(answer->mid(2, 2), QByteArray::fromHex("0045"));
        QCOMPARE(rig.link->retriedPolls(), 1);
        QVERIFY(rig.meter.commands().size() >= 2);
    }

    void emptyingDropsWhatTheDriverHolds()
    {
        test::MeterRig rig;
        QVERIFY(rig.start());
        // Emptied the moment the meter has answered, before the port has read the answer.
        connect(&rig.meter, &sim::VirtualMeter::commandReceived, this,
                [&] { rig.link->emptyInput(); });
        rig.line->output(command::Poll);
        QTRY_COMPARE(rig.meter.commands().size(), 1);
        QVERIFY(Delay(0.1));
        QCOMPARE(rig.line->inBufferCount(), 0);
    }

    // A click handled while a poll waits for its answer runs its own command inside that wait.
    void commandInsidePollWait_data()
    {
        QTest::addColumn<bool>("exchange"); // a whole exchange, or a key's letter alone
        QTest::newRow("clock read") << true;
        QTest::newRow("key letter") << false;
    }
    void commandInsidePollWait()
    {
        QFETCH(bool, exchange);
        test::MeterRig rig;
        QVERIFY(rig.start());
        QByteArray reply;
        QTimer::singleShot(0, [&] {
            if (exchange) {
                rig.link->emptyInput();
                if (rig.link->send(command::ClockRead, 0.2))
                    reply = rig.line->input();
            } else {
                rig.link->output("H");
            }
        });
        const auto answer = rig.link->pollExchange();
        // The poll leaves the line to the other command: no answer taken, no retry sent.
        QVERIFY(!answer.has_value());
        QCOMPARE(rig.link->retriedPolls(), 0);
        QCOMPARE(rig.meter.commands(),
                 (QStringList{" ", exchange ? QString(command::ClockRead) : QString("H")}));
        // The poll's answer did not end up in front of the clock's.
        if (exchange)
            QCOMPARE(reply.size(), 6);
    }

    void tenSilentPollsReachLinkLost()
    {
        test::MeterRig rig;
        QVERIFY(rig.start());
        rig.meter.setSilent(true);
        FakeHost host;
        int pollsBeforeLost = -1;
        host.onEnter = [&] {
            pollsBeforeLost = int(rig.meter.commands().size());
            QTimer::singleShot(500, [&] { rig.meter.setSilent(false); });
        };
        rig.link->onLinkLost = [&] { return LinkLost(*rig.link, host); };
        const auto answer = rig.link->pollExchange();
        QVERIFY2(pollsBeforeLost == 10,
                 qPrintable(QStringLiteral("%1 polls before the loss; bytes received: %2")
                                .arg(pollsBeforeLost)
                                .arg(QString::fromLatin1(rig.meter.received().toHex()))));
        QCOMPARE(host.entered, 1);
        QCOMPARE(host.left, 1);
        QVERIFY(answer.has_value());
        QCOMPARE(answer->size(), 5);
    }

    void lineSurvivesFarEndClosing()
    {
        test::MeterRig rig;
        QVERIFY(rig.start());
        QSignalSpy vanished(rig.line.get(), &ui::SerialLine::deviceVanished);
        rig.meter.unplug();
        QTRY_VERIFY(rig.line->deviceLost());
        QVERIFY(!rig.line->portOpen());
        QCOMPARE(vanished.count(), 1);
        // No busy loop on the dead descriptor.
        const double cpu0 = cpuSeconds();
        QVERIFY(Delay(0.5));
        QVERIFY2(cpuSeconds() - cpu0 < 0.2, "busy loop after the device vanished");
        QCOMPARE(rig.line->inBufferCount(), 0);
        rig.line->output(" "); // swallowed, no crash
        QVERIFY(rig.meter.replug());
        QCOMPARE(rig.line->reopen(), ui::OpenError::None);
        const auto answer = rig.link->pollExchange();
        QVERIFY(answer.has_value());
        QCOMPARE(answer->size(), 5);
    }

    void openFailuresAreTold()
    {
        test::MeterRig rig;
        QVERIFY(rig.start());
        ui::PortBindings b;
        b.bind(1, rig.meter.devicePath());
        b.bind(2, "/dev/veltrix-no-such-device");
        ui::SerialLine second(b);
        second.setCommPort(1);
        QCOMPARE(second.setPortOpen(true), ui::OpenError::Locked); // the rig holds it
        second.setCommPort(2);
        QCOMPARE(second.setPortOpen(true), ui::OpenError::Absent);
        second.setCommPort(3);
        QCOMPARE(second.setPortOpen(true), ui::OpenError::NotBound);
    }
};

QTEST_MAIN(TestExchange)
#include "tst_link_exchange.moc"
