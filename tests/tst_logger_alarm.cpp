// The alarm thresholds window and the meter clock window on their own: typing, refusals, the
// stored thresholds' units; the clock command as the meter receives it, a refresh that sends none.

#include "link/MeterLink.h"
#include "logger/Alarm.h"
#include "logger/AlarmSettings.h"
#include "logger/MeterClock.h"
#include "logger/RTCSetup.h"
#include "panel/SharedState.h"
#include "support/FakePoll.h"
#include "support/Layout.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "support/WindowRig.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace veltrix;

namespace {

const QString Refusal = QStringLiteral("Invalid settings, try again!");

// An open alarm window and what the user does to it.
struct AlarmRig {
    SharedState state;
    QPointer<Alarm> window;

    void open()
    {
        window = new Alarm(state);
        window->show();
    }
    template <class T> T* w(const char* name) const { return test::child<T>(window, name); }
    void type(const char* box, const QString& text) { test::typeInto(window, box, text); }
    void stored(const QString& high, const QString& low, const QString& unit, const QString& sw)
    {
        state.Overbox1 = high;
        state.Overbox2 = low;
        selectAlarmUnit(state, unit == QLatin1String("uT") ? AlarmUnit::MicroTesla
                                                           : AlarmUnit::MilliGauss);
        state.EnableDisable = sw;
    }
    ~AlarmRig() { delete window.data(); }
};

QDateTime at(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

} // namespace

class TestLoggerAlarm : public QObject {
    Q_OBJECT
private slots:
    void firstOpeningDefaults_data()
    {
        QTest::addColumn<bool>("tesla");
        QTest::addColumn<QString>("high");
        QTest::newRow("meter in uT") << true << "200";
        QTest::newRow("meter in mG") << false << "2000";
    }
    void firstOpeningDefaults()
    {
        QFETCH(bool, tesla);
        QFETCH(QString, high);
        AlarmRig rig;
        rig.state.Flags.TeslaFlag = tesla;
        rig.state.Flags.GaussFlag = !tesla;
        rig.open();
        QCOMPARE(rig.w<QLineEdit>("TTH")->text(), high);
        QCOMPARE(rig.w<QLineEdit>("TTL")->text(), QString("0"));
        QCOMPARE(rig.w<QRadioButton>("OptuT")->isChecked(), tesla);
        QCOMPARE(rig.w<QRadioButton>("OptmG")->isChecked(), !tesla);
        QCOMPARE(rig.state.Overbox1, high);
        QCOMPARE(rig.state.Overbox2, QString("0"));
        QCOMPARE(storedAlarmUnit(rig.state), tesla ? AlarmUnit::MicroTesla : AlarmUnit::MilliGauss);
        QCOMPARE(rig.state.EnableDisable, QString("1")); // the switch is not touched
    }

    void keyFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const char* typed, const char* shown) {
            QTest::newRow(name) << QString(typed) << QString(shown);
        };
        row("digits and stop", "12.5", "12.5");
        row("letters dropped", "1a2b", "12");
        row("minus dropped", "-5", "5");
        row("blank, comma, plus", " 1,0+e3", "103");
        row("backspace kept", "123\b4", "124");
    }
    void keyFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        AlarmRig rig;
        rig.open();
        for (const char* box : {"TTH", "TTL"}) {
            rig.type(box, typed);
            QCOMPARE(rig.w<QLineEdit>(box)->text(), shown);
        }
    }

    // Keys that type no character still edit: Home, Delete, select all. Every control has its
    // place.
    void editingKeysPass()
    {
        AlarmRig rig;
        rig.open();
        QCOMPARE(test::overlappingControls(rig.window), QString());
        auto* box = rig.w<QLineEdit>("TTH");
        rig.type("TTH", "123");
        QTest::keyClick(box, Qt::Key_Home);
        // Delete as the window system sends it, with its control character as text.
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        QApplication::sendEvent(box, &del);
        QCOMPARE(box->text(), QString("23"));
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, "9");
        QCOMPARE(box->text(), QString("9"));
    }

    // Enable stores the thresholds (as their shortest text) and the unit and switches the alarm
    // on; a refused pair changes nothing. Pasted text passes the key filter, so it comes here.
    void enable_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QStringList>("stored"); // empty: refused
        const auto row = [](const char* unit, const char* high, const char* low,
                            const QStringList& stored = {}) {
            QTest::addRow("%s %s %s", unit, high, low)
                << QString(unit) << QString(high) << QString(low) << stored;
        };
        row("uT", "200", "0", {"200", "0"});
        row("uT", "201", "0");
        row("mG", "2000", "0", {"2000", "0"});
        row("mG", "2000.1", "0");
        row("mG", "50", "50"); // equal
        row("mG", "", "0");
        row("mG", "50", "");
        row("mG", "1.2.3", "0");
        row("mG", "0200", "12.", {"200", "12"});
        row("uT", "199.50", ".5", {"199.5", "0.5"});
        row("mG", "50", "-0.5");
        row("mG", "inf", "0");
        row("mG", "nan", "0");
    }
    void enable()
    {
        QFETCH(QString, unit);
        QFETCH(QString, high);
        QFETCH(QString, low);
        QFETCH(QStringList, stored);
        AlarmRig rig;
        rig.stored("1000", "5", "mG", "1");
        const AlarmUnit u = unit == "uT" ? AlarmUnit::MicroTesla : AlarmUnit::MilliGauss;
        QCOMPARE(enableAlarm(rig.state, {high, low, u}), !stored.isEmpty());
        const QStringList want =
            stored.isEmpty() ? QStringList{"1000", "5", "1"} : stored + QStringList{"0"};
        QCOMPARE((QStringList{rig.state.Overbox1, rig.state.Overbox2, rig.state.EnableDisable}),
                 want);
        QCOMPARE(storedAlarmUnit(rig.state), stored.isEmpty() ? AlarmUnit::MilliGauss : u);
    }

    // Disable carries the stored thresholds into the chosen unit and switches the alarm off; what
    // was typed (high 5 each time) is only checked, never stored.
    void disable_data()
    {
        QTest::addColumn<QString>("stored"); // unit, high, low
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("typedLow");
        QTest::addColumn<QString>("after"); // high, low; empty: refused, nothing changes
        const auto row = [](const char* name, const char* stored, const char* chosen,
                            const char* typedLow, const char* after) {
            QTest::newRow(name) << QString(stored) << QString(chosen) << QString(typedLow)
                                << QString(after);
        };
        row("mG to uT", "mG 2000 100", "uT", "1", "200 10");
        row("uT to mG", "uT 200 10", "mG", "1", "2000 100");
        row("same unit", "mG 2000 100", "mG", "1", "2000 100");
        row("no tails up", "uT 0.14 0.07", "mG", "1", "1.4 0.7");
        row("no tails down", "mG 1.1 0.35", "uT", "1", "0.11 0.035");
        row("typed invalid", "mG 2000 100", "uT", "5", "");
    }
    void disable()
    {
        QFETCH(QString, stored);
        QFETCH(QString, chosen);
        QFETCH(QString, typedLow);
        QFETCH(QString, after);
        const QStringList was = stored.split(' ');
        AlarmRig rig;
        rig.stored(was[1], was[2], was[0], "0");
        const auto unitOf = [](const QString& u) {
            return u == "uT" ? AlarmUnit::MicroTesla : AlarmUnit::MilliGauss;
        };
        QCOMPARE(disableAlarm(rig.state, {"5", typedLow, unitOf(chosen)}), !after.isEmpty());
        const QString now = rig.state.Overbox1 + ' ' + rig.state.Overbox2;
        QCOMPARE(now, after.isEmpty() ? was[1] + ' ' + was[2] : after);
        QCOMPARE(rig.state.EnableDisable, QString(after.isEmpty() ? "0" : "1"));
        QCOMPARE(storedAlarmUnit(rig.state), unitOf(after.isEmpty() ? was[0] : chosen));
    }

    // The buttons act on what is typed and the unit chosen: a refusal keeps the window open as
    // it was, an accepted entry closes it; a later opening shows what is stored. (An accepted
    // Disable is the panel test's.)
    void buttons()
    {
        test::ScriptedDialogs dialogs;
        AlarmRig rig;
        rig.stored("1000", "5", "mG", "1");
        rig.open();
        rig.w<QRadioButton>("OptuT")->click();
        rig.type("TTH", "201");
        rig.type("TTL", "0");
        QTest::mouseClick(rig.w<QPushButton>("CmdOK"), Qt::LeftButton);
        QCOMPARE(dialogs.messages, QStringList{Refusal});
        QCOMPARE(dialogs.icons, QList<ui::MsgIcon>{ui::MsgIcon::Critical});
        QVERIFY(rig.window && rig.window->isVisible());
        QCOMPARE(rig.w<QLineEdit>("TTH")->text(), QString("201"));
        QCOMPARE(rig.state.Overbox1, QString("1000"));
        rig.type("TTH", "200");
        QTest::mouseClick(rig.w<QPushButton>("CmdOK"), Qt::LeftButton);
        QTRY_VERIFY(!rig.window);
        QCOMPARE(rig.state.Overbox1, QString("200"));
        QCOMPARE(rig.state.EnableDisable, QString("0"));

        rig.open();
        QCOMPARE(rig.w<QLineEdit>("TTH")->text(), QString("200"));
        QVERIFY(rig.w<QRadioButton>("OptuT")->isChecked());
        rig.w<QRadioButton>("OptmG")->click();
        rig.type("TTL", "300"); // above the high threshold
        QTest::mouseClick(rig.w<QPushButton>("CmdDisable"), Qt::LeftButton);
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(rig.window && rig.window->isVisible());
    }

    // What the panel compares the shown reading with.
    void thresholdsAsShown_data()
    {
        QTest::addColumn<QString>("storedUnit");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("shown"); // high, low
        QTest::newRow("uT kept, mG shown") << QString("uT") << 0x80 << QString("1000 20");
        QTest::newRow("mG kept, uT shown") << QString("mG") << 0x40 << QString("10 0.2");
        QTest::newRow("same unit") << QString("mG") << 0x80 << QString("100 2");
        QTest::newRow("no unit bit") << QString("uT") << 0x00 << QString("100 2");
    }
    void thresholdsAsShown()
    {
        QFETCH(QString, storedUnit);
        QFETCH(int, status);
        QFETCH(QString, shown);
        SharedState s;
        s.Overbox1 = "100";
        s.Overbox2 = "2";
        selectAlarmUnit(s, storedUnit == "uT" ? AlarmUnit::MicroTesla : AlarmUnit::MilliGauss);
        s.Flags.TeslaFlag = status & 0x40;
        s.Flags.GaussFlag = status & 0x80;
        const auto [high, low] = alarmThresholdsAsShown(s);
        QCOMPARE(high + ' ' + low, shown);
    }

    void clockCommand_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("afternoon") << at(2025, 3, 14, 21, 41, 7) << QByteArray("D250314214107");
        QTest::newRow("first") << at(2000, 1, 1, 0, 0, 0) << QByteArray("D000101000000");
        QTest::newRow("last") << at(2099, 12, 31, 23, 59, 59) << QByteArray("D991231235959");
        QTest::newRow("1999 not sent") << at(1999, 12, 31, 23, 59, 59) << QByteArray();
        QTest::newRow("2100 not sent") << at(2100, 1, 1, 0, 0, 0) << QByteArray();
        QTest::newRow("invalid not sent") << QDateTime() << QByteArray();
    }
    void clockCommand()
    {
        QFETCH(QDateTime, time);
        QFETCH(QByteArray, command);
        QCOMPARE(clockSetCommand(time), command);
    }

    // The window sends the command taken from its clock, with the poll stopped around the
    // exchange; the meter receives exactly those bytes and keeps the time.
    void setMeterTime()
    {
        const QDateTime time = at(2025, 3, 5, 7, 4, 9);
        test::ScriptedDialogs dialogs; // a refusal would show up here, not hang the test
        test::MeterRig rig;
        QVERIFY(rig.start());
        test::FakePoll poll;
        QPointer<RTCSetup> w = new RTCSetup(*rig.link, &poll);
        w->setClock([time] { return time; });
        w->show();
        QSignalSpy set(w.data(), &RTCSetup::meterClockSet);
        rig.line->output(" "); // an answer nobody took: the exchange empties it first
        QTRY_COMPARE(rig.line->inBufferCount(), PollAnswerLength);
        rig.meter.clearReceived();
        QTest::mouseClick(w->findChild<QPushButton*>("CmdSetTime"), Qt::LeftButton);
        QCOMPARE(rig.line->inBufferCount(), 0);
        QCOMPARE(set.count(), 1);
        QTRY_COMPARE(rig.meter.received(), QByteArray("D250305070409"));
        QCOMPARE(poll.calls, (QStringList{"stop", "start"}));
        QVERIFY(qAbs(rig.meter.clock().secsTo(time)) <= 2);
        delete w.data();
    }

    // Closed while the meter takes the command: polling still restarts, then the window goes.
    void closedDuringTheExchange()
    {
        test::MeterRig rig;
        QVERIFY(rig.start());
        test::FakePoll poll;
        QPointer<RTCSetup> w = new RTCSetup(*rig.link, &poll);
        w->show();
        QTimer::singleShot(50, w.data(), [&] { w->findChild<QPushButton*>("CmdExit")->click(); });
        QVERIFY(w->setMeterTime());
        QCOMPARE(poll.calls, (QStringList{"stop", "start"}));
        QTRY_VERIFY(!w);
    }

    // A click on either display shows its clock, a second its caption again. The refresh of the
    // displays neither reads nor discards an answer waiting for whoever asked for it, nor sends.
    // Every control has its place.
    void displaysLeaveTheLineAlone()
    {
        test::MeterRig rig;
        QVERIFY(rig.start());
        QPointer<RTCSetup> w = new RTCSetup(*rig.link, nullptr);
        w->setClock([] { return at(2025, 3, 14, 9, 41, 7); });
        w->show();
        auto* meter = w->findChild<QLabel*>("LblMeterTime");
        auto* pc = w->findChild<QLabel*>("LblPCTime");
        QTest::mouseClick(meter, Qt::LeftButton);
        QCOMPARE(meter->text(), QString("25/03/14 09:41:07")); // at once, not on the next tick
        QTest::mouseClick(pc, Qt::LeftButton);
        QCOMPARE(pc->text(), QString(" 25/03/14 09:41:07"));
        rig.meter.clearReceived();
        rig.line->output(" ");
        QTRY_COMPARE(rig.line->inBufferCount(), PollAnswerLength);
        int refreshes = 0;
        connect(w->findChild<QTimer*>("Timer1"), &QTimer::timeout, this, [&] { ++refreshes; });
        QTRY_VERIFY_WITH_TIMEOUT(refreshes >= 3, 5000);
        QCOMPARE(rig.line->inBufferCount(), PollAnswerLength);
        QCOMPARE(rig.meter.commands(), QStringList{" "}); // nothing sent either
        QTest::mouseClick(meter, Qt::LeftButton);
        QTest::mouseClick(pc, Qt::LeftButton);
        QTRY_COMPARE(meter->text(), QString("Meter Time"));
        QTRY_COMPARE(pc->text(), QString("PC System Time"));
        QCOMPARE(test::overlappingControls(w), QString());
        delete w.data();
    }
};

QTEST_MAIN(TestLoggerAlarm)
#include "tst_logger_alarm.moc"
