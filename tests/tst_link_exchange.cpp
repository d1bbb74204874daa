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
        onEnter();
    }
    void leaveLinkLost() override { ++left; }
};
} // namespace

class TestExchange : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        rig = std::make_unique<test::MeterRig>();
        QVERIFY(rig->start());
    }

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
        QTest::newRow("0102") << 0x0102 << "12" << false;
        QTest::newRow("after a stale answer") << 0x4627 << "4627" << true;
    }
    void identifySetsModel()
    {
        QFETCH(int, model);
        QFETCH(QString, code);
        QFETCH(bool, stale);
        rig->meter.setModelCode(quint16(model));
        if (stale) {
            rig->line->output(" ");
            QTRY_COMPARE(rig->line->inBufferCount(), 5);
        }
        QCOMPARE(rig->link->identifyExchange(), std::optional<QString>(code));
        QCOMPARE(rig->meter.commands(),
                 stale ? (QStringList{" ", "M"}) : (QStringList{"M"})); // at once
    }

    void shortIdentifyAnswersGiveSixAttempts()
    {
        rig->meter.setLengthDelta(-1); // three bytes instead of four
        QList<qint64> times;
        QElapsedTimer clock;
        clock.start();
        connect(&rig->meter, &sim::VirtualMeter::commandReceived, this,
                [&] { times << clock.elapsed(); });
        QVERIFY(!rig->link->identifyExchange().has_value());
        QCOMPARE(rig->meter.commands(), QStringList(6, "M"));
        for (int i = 1; i < times.size(); ++i)
            QVERIFY2(times[i] - times[i - 1] >= 180, // 0.2 s when sent, give or take the arrival
                     qPrintable(QString::number(times[i] - times[i - 1])));
    }

    // Paced like the real line, the answer in two parts; a six-byte answer is no poll answer.
    void pollAnswer_data()
    {
        QTest::addColumn<bool>("split");
        QTest::addColumn<int>("retried");
        QTest::newRow("paced, in two parts") << true << 0;
        QTest::newRow("one byte too many at first") << false << 1;
    }
    void pollAnswer()
    {
        QFETCH(bool, split);
        QFETCH(int, retried);
        rig->meter.setPaced(split);
        rig->meter.setSplitReplies(split);
        rig->meter.setUnit(sim::Unit::MilliGauss);
        rig->meter.setField(12.3);
        rig->meter.setLengthDelta(retried);
        QTimer::singleShot(300, [&] { rig->meter.setLengthDelta(0); });
        const auto answer = rig->link->pollExchange();
        QCOMPARE(answer.value_or("").size(), 5);
        QCOMPARE(quint8(answer->at(1)) & 0xC0, 0x80);
        QCOMPARE(answer->mid(2, 2), QByteArray::fromHex("0123"));
        QCOMPARE(rig->link->retriedPolls(), retried);
    }

    void emptyingDropsWhatTheDriverHolds()
    {
        // Emptied the moment the meter has answered, before the port has read the answer.
        connect(&rig->meter, &sim::VirtualMeter::commandReceived, this,
                [&] { rig->link->emptyInput(); });
        rig->line->output(command::Poll);
        QTRY_COMPARE(rig->meter.commands().size(), 1);
        QVERIFY(Delay(0.1));
        QCOMPARE(rig->line->inBufferCount(), 0);
    }

    // A command sent inside a poll's wait owns the line: no answer taken, no retry sent.
    void commandInsidePollWait_data()
    {
        QTest::addColumn<bool>("exchange"); // a whole exchange, or a key's letter alone
        QTest::newRow("clock read") << true;
        QTest::newRow("key letter") << false;
    }
    void commandInsidePollWait()
    {
        QFETCH(bool, exchange);
        QByteArray reply;
        QTimer::singleShot(0, [&] {
            if (!exchange) {
                rig->link->output("H");
                return;
            }
            rig->link->emptyInput();
            if (rig->link->send(command::ClockRead, 0.2))
                reply = rig->line->input();
        });
        QVERIFY(!rig->link->pollExchange().has_value());
        QCOMPARE(rig->link->retriedPolls(), 0);
        QCOMPARE(rig->meter.commands(),
                 (QStringList{" ", exchange ? QString(command::ClockRead) : QString("H")}));
        QCOMPARE(reply.size(), exchange ? 6 : 0); // the poll's answer is not in front of it
    }

    void tenSilentPollsReachLinkLost()
    {
        rig->meter.setSilent(true);
        FakeHost host;
        int pollsBeforeLost = -1;
        host.onEnter = [&] {
            pollsBeforeLost = int(rig->meter.commands().size());
            QTimer::singleShot(500, [&] { rig->meter.setSilent(false); });
        };
        rig->link->onLinkLost = [&] { return LinkLost(*rig->link, host); };
        QCOMPARE(rig->link->pollExchange().value_or("").size(), 5);
        QCOMPARE(pollsBeforeLost, 10);
        QCOMPARE(host.entered, 1);
        QCOMPARE(host.left, 1);
    }

    void lineSurvivesFarEndClosing()
    {
        QSignalSpy vanished(rig->line.get(), &ui::SerialLine::deviceVanished);
        rig->meter.unplug();
        QTRY_VERIFY(rig->line->deviceLost());
        QCOMPARE(vanished.count(), 1);
        const double cpu0 = cpuSeconds();
        QVERIFY(Delay(0.5));
        QVERIFY2(cpuSeconds() - cpu0 < 0.2, "busy loop on the dead descriptor");
        rig->line->output(" "); // swallowed, no crash
        QVERIFY(rig->meter.replug());
        QCOMPARE(rig->line->reopen(), ui::OpenError::None);
        QCOMPARE(rig->link->pollExchange().value_or("").size(), 5);
    }

    // Last: once the program quits, no event loop of this process waits any more.
    void quittingEndsEveryWait()
    {
        QTimer::singleShot(50, [] { QCoreApplication::exit(); });
        QVERIFY(!Delay(5));
        QVERIFY(!Delay(5));
    }

private:
    std::unique_ptr<test::MeterRig> rig;
};

QTEST_MAIN(TestExchange)
#include "tst_link_exchange.moc"
