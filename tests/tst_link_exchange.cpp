// SPDX-License-Identifier: GPL-3.0-or-later
// The link: reading decoder, protocol helpers, port numbering, the port window's choice rules,
// and the meter exchanges against the virtual meter over a real pseudo-terminal.

#include "link/Delay.h"
#include "link/MeterLink.h"
#include "link/PortWindow.h"
#include "link/ReadingDecoder.h"
#include "link/Unit.h"
#include "support/TestSupport.h"
#include "ui/PortBindings.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <ctime>

using namespace veltrix;
using namespace veltrix::ui;

namespace {
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

    // Lock, high range, peak, hold, tesla, gauss; the blink bits 02 and 04 are no flags.
    void status()
    {
        const auto flags = [](int status) {
            const StatusFlags f = DecodeStatus(quint8(status));
            return QString(f.MemoryLockFlag ? "L" : "-") + (f.HighRangeFlag ? "H" : "-") +
                   (f.PeakFlag ? "P" : "-") + (f.HoldFlag ? "D" : "-") + (f.TeslaFlag ? "T" : "-") +
                   (f.GaussFlag ? "G" : "-");
        };
        QCOMPARE(flags(0x80), QString("-----G"));
        QCOMPARE(flags(0x48), QString("-H--T-"));
        QCOMPARE(flags(0x31), QString("L-PD--"));
        QCOMPARE(flags(0x06), QString("------"));
    }

    // The unit of a unit text or a record's Unit cell, and the one conversion (1 uT = 10 mG).
    void unit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("unit"); // -1: none
        QTest::newRow("mG") << "mG" << int(Unit::MilliGauss);
        QTest::newRow("uT, blanks around") << " uT " << int(Unit::MicroTesla);
        QTest::newRow("micro sign") << QString(MicroSign) + 'T' << int(Unit::MicroTesla);
        QTest::newRow("Greek mu") << QString(GreekMu) + 'T' << int(Unit::MicroTesla);
        QTest::newRow("milli-tesla") << "mT" << -1;
        QTest::newRow("too long") << "mGs" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void unit()
    {
        QFETCH(QString, text);
        QFETCH(int, unit);
        const auto u = unitOf(text);
        QCOMPARE(u ? int(*u) : -1, unit);
        if (!u)
            return;
        QCOMPARE(unitOf(unitAscii(*u)), u);
        QCOMPARE(unitOf(unitText(*u)), u);
        const double tenMilliGauss = convert(1, Unit::MicroTesla, Unit::MilliGauss);
        QCOMPARE(tenMilliGauss, 10.0);
        QCOMPARE(convert(25, *u, *u), 25.0);
        QCOMPARE(fromMilliGauss(toMilliGauss(0.7, *u), *u), 0.7);
    }

    void value_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("digits");
        QTest::addColumn<bool>("overloadBefore");
        QTest::addColumn<QString>("text"); // "7.7": what the panel showed before
        QTest::addColumn<bool>("overload");
        QTest::newRow("mG low 0123") << 0x80 << 0x0123 << false << "12.3" << false;
        QTest::newRow("uT high 0123") << 0x48 << 0x0123 << false << "12.3" << false;
        QTest::newRow("uT low 0123") << 0x40 << 0x0123 << false << "1.23" << false;
        QTest::newRow("mG high 0123") << 0x88 << 0x0123 << false << "123" << false;
        QTest::newRow("uT low 0000") << 0x40 << 0x0000 << false << "0.00" << false;
        QTest::newRow("mG high 1999") << 0x88 << 0x1999 << true << "1999" << false;
        QTest::newRow("hex digit ends run") << 0x80 << 0x1A23 << false << "1.3" << false;
        QTest::newRow("OL") << 0x48 << 0x1C00 << false << "OL" << true;
        QTest::newRow("1000 invalid") << 0x80 << 0x1000 << true << "7.7" << true;
        QTest::newRow("12FF invalid") << 0x80 << 0x12FF << false << "7.7" << false;
        QTest::newRow("1F34 invalid") << 0x80 << 0x1F34 << false << "7.7" << false;
        // A fraction digit past 9 is a garbled answer: "29.E7" would be taken as 290000000.
        QTest::newRow("uT low 29E7 invalid") << 0x40 << 0x29E7 << false << "7.7" << false;
        QTest::newRow("mG low 123A invalid") << 0x80 << 0x123A << true << "7.7" << true;
    }
    void value()
    {
        QFETCH(int, status);
        QFETCH(int, digits);
        QFETCH(bool, overloadBefore);
        QFETCH(QString, text);
        QFETCH(bool, overload);
        const DecodedValue v = DecodeValue(quint8(digits >> 8), quint8(digits), "7.7",
                                           DecodeStatus(quint8(status)), overloadBefore);
        QCOMPARE(v.ReadingText, text);
        QCOMPARE(v.OverloadFlag, overload);
    }

    void eeprom()
    {
        QCOMPARE(eepromCommand(4, 10), QByteArray("W00040A"));
        QCOMPARE(eepromCommand(300, 255), QByteArray("W012CFF"));
        QCOMPARE(eepromCommand(0, 256), QByteArray("W000000"));
    }

    // How every caller reads a shown reading or a record's value cell.
    void valueText()
    {
        QCOMPARE(leadingNumber(u"2 sec"), 2.0);
        QCOMPARE(leadingNumber(u"  -1.5e1x"), -15.0);
        QCOMPARE(leadingNumber(u".5"), 0.5);
        QCOMPARE(leadingNumber(u"3e"), 3.0);
        QCOMPARE(leadingNumber(u"abc"), 0.0);
        QCOMPARE(leadingNumber(QStringView()), 0.0); // an empty cell has no characters to look at
        QVERIFY(isOverload(u" ol "));
        QVERIFY(!isOverload(u"OL2"));
    }

    void bindingOrder()
    {
        const auto b = PortBindings::fromDevices({{"/dev/ttyS10", ""},
                                                  {"/dev/ttyS2", ""},
                                                  {"/dev/ttyACM0", "modem"},
                                                  {"/dev/ttyUSB1", ""},
                                                  {"/dev/ttyUSB0", "USB serial"}});
        QStringList paths;
        for (int n = 1; n <= 6; ++n)
            paths << b.devicePath(n);
        QCOMPARE(paths, QStringList({"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyS2",
                                     "/dev/ttyS10", ""}));
        QCOMPARE(b.description(1), QString("USB serial"));
        PortBindings c; // as given on the command line
        QVERIFY(c.bindFromOption("COM8=/tmp/x"));
        QCOMPARE(c.devicePath(8), QString("/tmp/x"));
        QVERIFY(!c.bindFromOption("9=/dev/x"));
        QVERIFY(!c.bindFromOption("2="));
    }

    // Typed key by key: only COM1..COM8 choose a port; nothing is completed, corrected or added.
    void choice_data()
    {
        QTest::addColumn<QString>("typed"); // empty: keep "COM1"
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("port");
        QTest::newRow("default OK") << "" << false << "CmdOK" << 1;
        QTest::newRow("COM8 OK") << "COM8" << false << "CmdOK" << 8;
        QTest::newRow("COM4 Enter OK") << "COM4" << true << "CmdOK" << 4;
        QTest::newRow("lower case Enter") << "com3" << true << "CmdOK" << 0;
        QTest::newRow("COM prefix Enter") << "COM" << true << "CmdOK" << 0;
        QTest::newRow("COM9 Enter") << "COM9" << true << "CmdOK" << 0;
        QTest::newRow("blank after") << "COM2 " << true << "CmdOK" << 0;
        QTest::newRow("quick COM2") << "COM7" << false << "CmdCom2" << 2;
        QTest::newRow("quick COM1") << "" << false << "CmdCom1" << 1;
    }
    void choice()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        QFETCH(QString, button);
        QFETCH(int, port);
        PortBindings b;
        b.bind(1, "/dev/ttyUSB0", "USB serial");
        QPointer<PortWindow> w = new PortWindow(b);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        auto* ports = w->findChild<QComboBox*>("Ports");
        QCOMPARE(ports->itemData(0, Qt::ToolTipRole).toString(), QString("/dev/ttyUSB0"));
        QCOMPARE(ports->currentText(), QString("COM1"));
        if (!typed.isEmpty()) {
            ports->lineEdit()->setFocus();
            ports->lineEdit()->selectAll();
            QTest::keyClicks(ports->lineEdit(), typed);
            if (enter)
                QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
            QCOMPARE(ports->currentText(), typed);
            QCOMPARE(w->findChild<QLabel*>("LblDevice")->text() == "Choose COM1 to COM8.",
                     button == "CmdOK" && port == 0);
        }
        QCOMPARE(ports->count(), 8);
        QSignalSpy chosen(w, &PortWindow::chosen);
        QTest::mouseClick(w->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), port);
        QCOMPARE(w->comPortNumber(), port);
        QTRY_VERIFY(w.isNull()); // the window closed itself
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

    // A wait runs other timers and sleeps, with the far end of the line gone as well.
    void lineSurvivesFarEndClosing()
    {
        QSignalSpy vanished(rig->line.get(), &ui::SerialLine::deviceVanished);
        rig->meter.unplug();
        QTRY_VERIFY(rig->line->deviceLost());
        QCOMPARE(vanished.count(), 1);
        int ticks = 0;
        QTimer t;
        connect(&t, &QTimer::timeout, [&] { ++ticks; });
        t.start(20);
        QElapsedTimer clock;
        clock.start();
        const std::clock_t cpu0 = std::clock(); // the process's processor time
        QVERIFY(Delay(0.5));
        const double cpu = double(std::clock() - cpu0) / CLOCKS_PER_SEC;
        QVERIFY2(clock.elapsed() >= 500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(ticks >= 10);
        QVERIFY2(cpu < 0.2, qPrintable(QString::number(cpu))); // no busy loop on the descriptor
        rig->line->output(" ");                                // swallowed, no crash
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
