// SPDX-License-Identifier: GPL-3.0-or-later
// The data logger's windows against the virtual meter: Memory and its downloaded list; the alarm
// thresholds (typing, refusals, the stored units); the meter clock (its command, a quiet refresh).

#include "link/Delay.h"
#include "link/MeterLink.h"
#include "logger/Alarm.h"
#include "logger/AlarmSettings.h"
#include "logger/DataList.h"
#include "logger/MemoryWindow.h"
#include "logger/MeterClock.h"
#include "logger/RTCSetup.h"
#include "logger/SetDownload.h"
#include "records/RecordFile.h"
#include "sim/MeterProtocol.h"
#include "support/FakePoll.h"
#include "support/Shards.h"
#include "support/Layout.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/TestSupport.h"
#include "support/WindowRig.h"
#include "ui/Grid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace veltrix;

namespace {

// The memories the tests open on, by name; the sample sets by any other.
QList<sim::LoggerSet> memory(const QString& name)
{
    const QList<sim::LoggerSet> sample = sim::VirtualMeter::sampleSets();
    sim::LoggerSet other = sample.at(0);
    if (name == "none")
        return {};
    if (name == "empty set") {
        other.values.clear();
        return {sample.at(0), other};
    }
    if (name == "no date") {
        other.rawStart = QByteArray::fromHex("261A0509300A");
        return {other};
    }
    return sample;
}

struct Rig {
    test::MeterRig m;
    bool recording = false; // the panel's
    test::FakePoll poll;
    QPointer<MemoryWindow> w;
    QPointer<DataList> list;

    ~Rig()
    {
        delete list.data();
        delete w.data();
    }
    // Starts the meter, with `sets` in its memory if given, and opens the window on a quiet line.
    bool startAndOpen(std::optional<QList<sim::LoggerSet>> sets = std::nullopt, bool paced = false)
    {
        if (!m.start(paced))
            return false;
        if (sets)
            m.meter.setLoggerSets(*sets);
        m.meter.clearReceived();
        open();
        return w->isVisible();
    }
    void open()
    {
        LoggerHost host;
        host.recording = [this] { return recording; };
        host.link = m.link.get();
        host.poll = &poll;
        host.shownValue = [] { return QStringLiteral("7.7"); };
        host.now = [] { return QDateTime(QDate(2026, 12, 6), QTime(12, 0)); };
        w = new MemoryWindow(host);
        w->readDirectory();
    }
    template <class T = QLabel> T* c(const char* name) const
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return c(name)->text(); }
    ui::Grid* grid() const { return w->findChild<ui::Grid*>(QStringLiteral("Grid")); }
    DataList* download(int row)
    {
        emit grid()->clicked(row);
        list = w->dataList();
        return list;
    }
    bool controlsBack() const
    {
        return poll.restarted() && c<QPushButton>("CmdC")->isEnabled() &&
               c<QPushButton>("CmdIDCode")->isEnabled() &&
               c<QPushButton>("CmdSampling")->isEnabled() && !w->busy();
    }
};

const QString Refusal = QStringLiteral("Invalid settings, try again!");

// An open alarm window and what the user does to it.
struct AlarmRig {
    AlarmState state;
    Unit meter = Unit::MilliGauss; // the meter's unit when the window opens
    QPointer<Alarm> window;

    void open()
    {
        window = new Alarm(state, meter);
        window->show();
    }
    template <class T> T* w(const char* name) const { return test::child<T>(window, name); }
    void type(const char* box, const QString& text) { test::typeInto(window, box, text); }
    void stored(const QString& high, const QString& low, const QString& unit, const QString& sw)
    {
        state.Overbox1 = high;
        state.Overbox2 = low;
        state.AlarmUnit = unitOf(unit);
        state.EnableDisable = sw == QLatin1String("0") ? AlarmSwitch::On : AlarmSwitch::Off;
    }
    ~AlarmRig() { delete window.data(); }
};

QDateTime at(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

} // namespace

class TestLoggerWindows : public QObject {
    Q_OBJECT
private slots:
    void init() { resetQuitting(); }

    void directory_data()
    {
        QTest::addColumn<QString>("memory");
        QTest::addColumn<QString>("remaining");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("records"); // in that row (row 0: the heading)
        const int used = sim::protocol::usedBytes(memory("sample"));
        QTest::newRow("sample sets")
            << "sample" << QString::number(32.0 - used / 1024.0, 'f', 1) << 2 << "30";
        QTest::newRow("none: no index asked for") << QString("none") << "32.0" << 0 << "Records";
    }
    void directory()
    {
        QFETCH(QString, memory);
        QFETCH(QString, remaining);
        QFETCH(int, row);
        QFETCH(QString, records);
        Rig r;
        QVERIFY(r.startAndOpen(::memory(memory)));
        const int sets = int(::memory(memory).size());
        QCOMPARE(r.m.meter.commands(), QString(sets ? "Y I" : "Y").split(' '));
        QCOMPARE(r.grid()->rowCount(), sets);
        QCOMPARE(r.grid()->cell(row, 5), records);
        QCOMPARE(r.grid()->isEnabled(), sets > 0);
        QCOMPARE(r.c<QPushButton>("CmdSaveAll")->isEnabled(), sets > 0);
        QCOMPARE(test::overlappingControls(r.w), QString());
        QCOMPARE(r.text("LblRemaining"), remaining + " K");
        QCOMPARE(r.c<QLineEdit>("TxtIDCode")->text(), QStringLiteral("1"));
        QCOMPARE(r.c<QLineEdit>("TxtSampling")->text(), QStringLiteral("2.0 Sec"));
        if (sets)
            QCOMPARE(r.text("LblMessage"), QString::number(sets) + " set(s) completed");
        QVERIFY(r.controlsBack());
    }

    // The list's title and rows, a row's date, time and value; what is missing is said.
    void download_data()
    {
        QTest::addColumn<QString>("memory");
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("lengthDelta");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("stamp"); // date, time, value
        // 23:59:50 + 9 × 1.2 s = 00:00:00.8 on 1 March (2026 is a common year)
        QTest::newRow("set 2") << "sample" << 2 << 0 << "30  Records In No. 2  Set" << 30 << 10
                               << "26/03/01\t00:00:00.8\t";
        QTest::newRow("set without records")
            << "empty set" << 2 << 0 << "0  Records In No. 2  Set" << 0 << 0 << "";
        QTest::newRow("45 of 50 bytes")
            << "sample" << 1 << -5 << "17  Records In No. 1  Set  (incomplete: 17 of 20 records)"
            << 17 << 17 << "26/02/20";
        QTest::newRow("start no date")
            << "no date" << 1 << 0 << "20  Records In No. 1  Set  (start not a date" << 20 << 2
            << "--/--/--\t--:--:--.-\t12.2";
    }
    void download()
    {
        QFETCH(QString, memory);
        QFETCH(int, set);
        QFETCH(int, lengthDelta);
        QFETCH(QString, title);
        QFETCH(int, rows);
        QFETCH(int, row);
        QFETCH(QString, stamp);
        Rig r;
        QVERIFY(r.startAndOpen(::memory(memory)));
        r.m.meter.clearReceived();
        r.m.meter.setLengthDelta(lengthDelta);
        QElapsedTimer t;
        t.start();
        DataList* list = r.download(set);
        QVERIFY(lengthDelta < 0 || t.elapsed() < 800); // ends with the last byte, not a second on
        QVERIFY(list);
        QCOMPARE(r.m.meter.commands(), QStringList{QString("K%1").arg(set, 2, 10, QChar('0'))});
        QCOMPARE(test::child(list, "LblTitle"), list->title()); // found by name like the others
        QVERIFY2(list->title()->text().startsWith(title), qPrintable(list->title()->text()));
        QCOMPARE(list->grid().rowCount(), rows);
        QVERIFY2(stamp.isEmpty() || list->grid().rowText(row).section('\t', 1, 3).startsWith(stamp),
                 qPrintable(list->grid().rowText(row)));
        QVERIFY(r.grid()->isEnabled());
        QVERIFY(r.controlsBack());
    }

    void timeouts_data()
    {
        QTest::addColumn<QString>("exchange");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message"); // empty: the exchange succeeds
        const QList<std::pair<const char*, int>> exchanges{{"Y", 8}, {"K", 50}, {"C", 6}};
        for (const auto& [exchange, length] : exchanges) {
            const QString ex(exchange);
            const auto said = [length](const char* why, int n) {
                return QString("%1 (%2 of %3 bytes arrived)").arg(why).arg(n).arg(length);
            };
            QTest::addRow("%s silent", exchange) << ex << "silent" << said("did not answer", 0);
            QTest::addRow("%s short", exchange)
                << ex << "short" << said("stopped short", length - 3);
            QTest::addRow("%s long", exchange) << ex << "long" << said("too long", length + 2);
            QTest::addRow("%s split", exchange) << ex << "split" << QString();
        }
    }
    void timeouts()
    {
        QFETCH(QString, exchange);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        Rig r;
        QVERIFY(r.m.start());
        auto inject = [&] {
            sim::VirtualMeter& m = r.m.meter;
            if (fault == "silent")
                m.setSilent(true);
            else if (fault == "short")
                m.setLengthDelta(-3);
            else if (fault == "long")
                m.setLengthDelta(2);
            else
                m.setSplitReplies(true);
        };
        if (exchange == "Y")
            inject();
        r.open();
        QVERIFY(r.w->isVisible());
        if (exchange == "K") {
            inject();
            QSignalSpy done(r.w.data(), &MemoryWindow::downloadFinished);
            QCOMPARE(bool(r.download(1)), fault != "silent");
            QCOMPARE(done.value(0).value(0).toBool(), message.isEmpty());
        } else if (exchange == "C") {
            inject();
            r.w->readClock();
        }
        if (message.isEmpty()) {
            if (exchange == "Y")
                QCOMPARE(r.grid()->rowCount(), int(sim::VirtualMeter::sampleSets().size()));
            else if (exchange == "K")
                QCOMPARE(r.list->title()->text(), QStringLiteral("20  Records In No. 1  Set"));
            else
                QVERIFY(r.text("LblTime").contains("-----"));
        } else {
            QVERIFY2(r.text("LblMessage").contains(message), qPrintable(r.text("LblMessage")));
        }
        QVERIFY(r.controlsBack());
    }

    // Closed 0.3 s into a download of set 7 (3 s on the wire) or "Save all sets": it stops.
    void closingDuringDownloadStopsIt_data()
    {
        QTest::addColumn<bool>("all");
        QTest::newRow("set 7") << false;
        QTest::newRow("Save all sets") << true;
    }
    void closingDuringDownloadStopsIt()
    {
        QFETCH(bool, all);
        test::ScriptedDialogs dialogs;
        QTemporaryDir dir;
        dialogs.folderAnswers << dir.path();
        Rig r;
        QVERIFY(r.startAndOpen());
        r.m.meter.setPaced(true);
        QTimer::singleShot(300, r.w, [&] { r.w->close(); });
        QElapsedTimer t;
        t.start();
        if (all)
            r.c<QPushButton>("CmdSaveAll")->click();
        else
            r.w->downloadSet(7);
        QVERIFY2(t.elapsed() < 1500, qPrintable(QString::number(t.elapsed())));
        QTRY_VERIFY(!r.w);
        QVERIFY(r.poll.restarted());
    }

    // The ID code and sampling time boxes: each write waits its own 0.4 s with polling stopped; a
    // refused entry sends nothing. (Parsing: the protocol test; the bytes: the command line's.)
    void settingWrites_data()
    {
        QTest::addColumn<bool>("idCode"); // else the sampling time
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QStringList>("writes"); // empty: refused
        QTest::newRow("ID 65535") << true << "65535" << false << QStringList{"W0000FF", "W0001FF"};
        QTest::newRow("ID 65536") << true << "65536" << false << QStringList{};
        QTest::newRow("102") << false << "102" << false << QStringList{"W0004FF"};
        QTest::newRow("2.0 Sec, Enter") << false << "2.0 Sec" << true << QStringList{"W000405"};
        QTest::newRow("1.0") << false << "1.0" << false << QStringList{};
    }
    void settingWrites()
    {
        QFETCH(bool, idCode);
        QFETCH(QString, text);
        QFETCH(bool, enter);
        QFETCH(QStringList, writes);
        test::ScriptedDialogs dialogs;
        Rig r;
        QVERIFY(r.startAndOpen());
        r.m.meter.clearReceived();
        // The ID code's message is cleared after the write; the sampling time's is kept.
        const QString after = idCode ? QString() : r.text("LblMessage");
        auto* box = r.c<QLineEdit>(idCode ? "TxtIDCode" : "TxtSampling");
        box->setText(text);
        QElapsedTimer clock;
        clock.start();
        if (enter)
            QTest::keyClick(box, Qt::Key_Return);
        else
            r.c<QPushButton>(idCode ? "CmdIDCode" : "CmdSampling")->click();
        const qint64 took = clock.elapsed();
        QCOMPARE(r.text("LblMessage"), after);
        if (writes.isEmpty()) {
            QCOMPARE(dialogs.messages.size(), 1);
            QCOMPARE(dialogs.messages[0], idCode
                                              ? QString("Invalid No.s, Try Again!")
                                              : QString("0.4 < Sampling Time < 102\rTry again !"));
            QCOMPARE(dialogs.icons[0], idCode ? ui::MsgIcon::Critical : ui::MsgIcon::None);
            QVERIFY(r.m.meter.commands().isEmpty());
            return;
        }
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY2(took >= 390 * writes.size(), qPrintable(QString::number(took)));
        QTRY_COMPARE(r.m.meter.commands().filter("W"), writes);
        QVERIFY(r.controlsBack());
    }

    // A second download replaces the list. Saving it is refused while a recording runs; Plot is
    // offered once the panel has said how to draw a list.
    void dataList()
    {
        test::ScriptedDialogs dialogs;
        QTemporaryDir dir;
        Rig r;
        QVERIFY(r.startAndOpen());
        QPointer<DataList> first(r.download(2));
        QCOMPARE(r.text("LblMessage"), QStringLiteral("30 Records Completed"));
        DataList* list = r.download(3);
        QTRY_VERIFY(!first || !first->isVisible());
        QCOMPARE(list->grid().rowText(1).section('\t', 3, 5), QStringLiteral("1.25\tuT\tH"));
        r.recording = true;
        QVERIFY(!list->save());
        QCOMPARE(dialogs.messages,
                 QStringList{"Aready in recording mode, close it and try again !"});
        QCOMPARE(dialogs.icons.value(0), ui::MsgIcon::Critical);
        QCOMPARE(dialogs.fileRequests, 0);
        r.recording = false;
        const QString path = dir.filePath("held.txt");
        dialogs.fileAnswers << path;
        QVERIFY(list->save());
        QCOMPARE(recordRows(test::fileBytes(path)).value(0).section('\t', 0, 5),
                 list->grid().rowText(1).section('\t', 0, 5));
        QVERIFY(!list->plotAction()->isEnabled());
        DataList* plotted = nullptr;
        r.w->setPlotHandler([&](DataList& l) { plotted = &l; });
        QVERIFY(list->plotAction()->isEnabled());
        list->plotAction()->trigger();
        QCOMPARE(plotted, list);
    }

    void saveAllSetsWritesEveryFile()
    {
        test::ScriptedDialogs dialogs;
        QTemporaryDir dir;
        QList<sim::LoggerSet> sets = memory("sample").mid(0, 3) + memory("no date");
        sets[3].values = {0x0123, 0x00FF}; // the second reading is marked invalid
        Rig r;
        QVERIFY(r.startAndOpen(sets));
        QSignalSpy done(r.w.data(), &MemoryWindow::saveAllFinished);
        r.c<QPushButton>("CmdSaveAll")->click(); // no folder chosen: nothing asked of the meter
        QCOMPARE(dialogs.folderRequests, 1);
        QVERIFY(r.m.meter.commands().filter("K").isEmpty());
        dialogs.folderAnswers << dir.path();
        r.c<QPushButton>("CmdSaveAll")->click();
        QCOMPARE(done.count(), 1);
        QCOMPARE(done[0][0].toInt(), 4);
        QCOMPARE(done[0][1].toInt(), 0);
        QVERIFY(QFileInfo::exists(dir.filePath("set01_2026-02-20_09-15-00.txt")));
        const QStringList odd = recordRows(test::fileBytes(dir.filePath("set04.txt")));
        QCOMPARE(odd.value(1).section('\t', 3, 3), QStringLiteral("7.7")); // as the panel shows
        QVERIFY(r.controlsBack());
    }

    // A slow or pausing meter still delivers a set whole (the wait ends on a quiet line); a long
    // reply cut short counts to its last byte, the wait ending a second after it, not at 8 s.
    void slowPausingOrShortMeter_data()
    {
        QTest::addColumn<double>("slowdown");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<int>("records"); // 0: set 7 of the samples
        QTest::addColumn<int>("lengthDelta");
        QTest::newRow("half again as slow") << 1.5 << 0 << 0 << 0;
        QTest::newRow("slower, 0.8 s pause") << 1.3 << 800 << 0 << 0;
        QTest::newRow("600 of 3010 bytes missing") << 1.0 << 0 << 1500 << -600;
    }
    void slowPausingOrShortMeter()
    {
        QFETCH(double, slowdown);
        QFETCH(int, pauseMs);
        QFETCH(int, records);
        QFETCH(int, lengthDelta);
        sim::LoggerSet set = sim::VirtualMeter::sampleSets().at(6);
        if (records)
            set.values = QList<quint16>(records, 0x0123);
        test::MeterRig m;
        QVERIFY(m.start(true));
        m.meter.setLoggerSets({set});
        m.meter.setSlowdown(slowdown);
        m.meter.setMidReplyPause(1000, pauseMs);
        m.meter.setLengthDelta(lengthDelta);
        logger::LoggerExchange exchange(*m.link);
        QElapsedTimer t;
        t.start();
        const logger::Reply reply = logger::readSetData(exchange, 1, int(set.values.size()));
        QVERIFY2(!lengthDelta || t.elapsed() < 6000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(reply.complete(), lengthDelta == 0);
        QCOMPARE(reply.bytes, sim::protocol::setDataAnswer(set).left(reply.expected + lengthDelta));
    }

    // The download loop of "Save all sets" and the tool: sets longer or shorter than listed are
    // kept as "_incomplete"; the next "K" waits out the surplus, so the set after them is whole.
    void saveSetsKeepsWhatArrived()
    {
        QTemporaryDir dir;
        test::MeterRig m;
        QVERIFY(m.start(true));
        logger::LoggerExchange exchange(*m.link);
        const int count =
            logger::parseMemoryStatus(logger::readMemoryStatus(exchange).bytes)->setCount;
        const QList<logger::SetInfo> sets =
            logger::parseSetIndex(logger::readSetIndex(exchange, count).bytes, count);
        QList<logger::SetInfo> asked{sets[6], sets[0], sets[2]};
        asked[0].records -= 300; // 600 bytes more come than are asked for
        asked[1].records += 5;   // 10 bytes fewer
        m.meter.clearReceived();
        QStringList progress;
        logger::SetSaveHooks hooks;
        hooks.setDone = [&](int i, const QString& path) {
            progress << QString("%1 %2").arg(i).arg(QFileInfo(path).fileName());
        };
        const logger::SetSaveResult r =
            logger::saveSets(exchange, asked, QDir(dir.path()), 20, hooks);
        QCOMPARE(m.meter.commands(), (QStringList{"K07", "K01", "K03"}));
        QCOMPARE(r.saved, 1);
        QCOMPARE(r.failures.size(), 2);
        QVERIFY(!r.stopped && !r.unanswered);
        QCOMPARE(progress, (QStringList{"1 set07_2026-04-02_10-05-30_incomplete.txt",
                                        "2 set01_2026-02-20_09-15-00_incomplete.txt",
                                        "3 set03_2026-03-02_14-30-00.txt"}));
        const QList<int> rows{1200, 20, sets[2].records};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(recordRows(test::fileBytes(dir.filePath(progress[i].section(' ', 1)))).size(),
                     rows[i]);
    }

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
        rig.meter = tesla ? Unit::MicroTesla : Unit::MilliGauss;
        rig.open();
        QCOMPARE(rig.w<QLineEdit>("TTH")->text(), high);
        QCOMPARE(rig.w<QLineEdit>("TTL")->text(), QString("0"));
        QCOMPARE(rig.w<QRadioButton>("OptuT")->isChecked(), tesla);
        QCOMPARE(rig.w<QRadioButton>("OptmG")->isChecked(), !tesla);
        QCOMPARE(rig.state.AlarmUnit, rig.meter);
        QCOMPARE(rig.state.EnableDisable, AlarmSwitch::Off); // the switch is not touched
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

    // Keys that type no character still edit: Home, Delete, select all.
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
        row("mG", "0200", "12.", {"200", "12"});
        row("mG", "50", "-0.5");
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
        const Unit u = *unitOf(unit);
        QCOMPARE(enableAlarm(rig.state, {high, low, u}), !stored.isEmpty());
        const QStringList want =
            stored.isEmpty() ? QStringList{"1000", "5", "1"} : stored + QStringList{"0"};
        QCOMPARE((QStringList{rig.state.Overbox1, rig.state.Overbox2,
                              alarmSwitchText(rig.state.EnableDisable)}),
                 want);
        QCOMPARE(rig.state.AlarmUnit, stored.isEmpty() ? Unit::MilliGauss : u);
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
        QCOMPARE(disableAlarm(rig.state, {"5", typedLow, unitOf(chosen)}), !after.isEmpty());
        const QString now = rig.state.Overbox1 + ' ' + rig.state.Overbox2;
        QCOMPARE(now, after.isEmpty() ? was[1] + ' ' + was[2] : after);
        QCOMPARE(rig.state.EnableDisable, after.isEmpty() ? AlarmSwitch::On : AlarmSwitch::Off);
        QCOMPARE(rig.state.AlarmUnit, unitOf(after.isEmpty() ? was[0] : chosen));
    }

    // A refusal keeps the window open as it was, an accepted entry closes it; a later opening
    // shows what is stored. (An accepted Disable is the panel test's.)
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
        rig.type("TTH", "200");
        QTest::mouseClick(rig.w<QPushButton>("CmdOK"), Qt::LeftButton);
        QTRY_VERIFY(!rig.window);
        QCOMPARE(rig.state.Overbox1, QString("200"));

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
        AlarmState s;
        s.Overbox1 = "100";
        s.Overbox2 = "2";
        s.AlarmUnit = unitOf(storedUnit);
        const auto [high, low] = alarmThresholdsAsShown(s, status & 0x40, status & 0x80);
        QCOMPARE(high + ' ' + low, shown);
    }

    void clockCommand_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("first") << at(2000, 1, 1, 0, 0, 0) << QByteArray("D000101000000");
        QTest::newRow("last") << at(2099, 12, 31, 23, 59, 59) << QByteArray("D991231235959");
        QTest::newRow("1999 not sent") << at(1999, 12, 31, 23, 59, 59) << QByteArray();
        QTest::newRow("2100 not sent") << at(2100, 1, 1, 0, 0, 0) << QByteArray();
    }
    void clockCommand()
    {
        QFETCH(QDateTime, time);
        QFETCH(QByteArray, command);
        QCOMPARE(clockSetCommand(time), command);
    }

    // A click turns a display between caption and clock; the refresh reads, drops, sends nothing.
    // Set Time empties a waiting answer and sends, the poll stopped (restarted if closed later).
    void clockWindow()
    {
        const QDateTime time = at(2025, 3, 14, 9, 41, 7);
        test::ScriptedDialogs dialogs; // a refusal would show up here, not hang the test
        test::MeterRig rig;
        QVERIFY(rig.start());
        test::FakePoll poll;
        QPointer<RTCSetup> w = new RTCSetup(*rig.link, &poll);
        w->setClock([time] { return time; });
        w->show();
        QCOMPARE(test::overlappingControls(w), QString());
        auto* meter = w->findChild<QLabel*>("LblMeterTime");
        auto* pc = w->findChild<QLabel*>("LblPCTime");
        QCOMPARE(meter->text() + '|' + pc->text(), QString("Meter Time|PC System Time"));
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

        QSignalSpy set(w.data(), &RTCSetup::meterClockSet);
        rig.meter.clearReceived();
        QTest::mouseClick(w->findChild<QPushButton*>("CmdSetTime"), Qt::LeftButton);
        QCOMPARE(rig.line->inBufferCount(), 0);
        QCOMPARE(set.count(), 1);
        QTRY_COMPARE(rig.meter.received(), QByteArray("D250314094107"));
        QCOMPARE(poll.calls, (QStringList{"stop", "start"}));
        QVERIFY(qAbs(rig.meter.clock().secsTo(time)) <= 2);
        QTimer::singleShot(50, w.data(), [&] { w->findChild<QPushButton*>("CmdExit")->click(); });
        QTest::mouseClick(w->findChild<QPushButton*>("CmdSetTime"), Qt::LeftButton);
        QCOMPARE(poll.calls, (QStringList{"stop", "start", "stop", "start"}));
        QTRY_VERIFY(!w);
    }
};

VELTRIX_TEST_MAIN(TestLoggerWindows)
#include "tst_logger_windows.moc"
