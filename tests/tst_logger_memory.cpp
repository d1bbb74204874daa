// The Memory window and the downloaded list against the virtual meter on a pseudo-terminal.

#include "link/Delay.h"
#include "logger/DataList.h"
#include "logger/MemoryWindow.h"
#include "logger/SetDownload.h"
#include "panel/SharedState.h"
#include "records/RecordFile.h"
#include "sim/MeterProtocol.h"
#include "support/FakePoll.h"
#include "support/Layout.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/TestSupport.h"
#include "ui/Grid.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace veltrix;

namespace {

// The memories the tests open on: the sample sets, none, a full memory, a set without records
// after a whole one, a set whose start is no date.
QList<sim::LoggerSet> memory(const QString& name)
{
    const QList<sim::LoggerSet> sample = sim::VirtualMeter::sampleSets();
    sim::LoggerSet other = sample.at(0);
    if (name == "none")
        return {};
    if (name == "full")
        return sim::VirtualMeter::fullMemorySets();
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
    SharedState state;
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
        host.state = &state;
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

} // namespace

class TestLoggerMemory : public QObject {
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
        QTest::newRow("full") << QString("full") << "0" << 1 << "16251";
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
            const auto arrived = [length](int n) {
                return QString("%1 of %2 bytes arrived").arg(n).arg(length);
            };
            QTest::addRow("%s silent", exchange) << ex << "silent" << arrived(0);
            QTest::addRow("%s short", exchange) << ex << "short" << arrived(length - 3);
            QTest::addRow("%s long", exchange) << ex << "long" << arrived(length + 2);
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
        QPointer<MemoryWindow> w(r.w);
        QElapsedTimer t;
        t.start();
        if (all)
            r.c<QPushButton>("CmdSaveAll")->click();
        else
            w->downloadSet(7);
        QVERIFY2(t.elapsed() < 1500, qPrintable(QString::number(t.elapsed())));
        QTRY_VERIFY(!w);
        QVERIFY(r.poll.restarted());
    }

    // The ID code and sampling time boxes: each write to the meter's settings is followed by its
    // own 0.4 s wait with polling stopped; a refused entry sends nothing. Parsing the entries is
    // the protocol test's business, the bytes a write sends the command line test's.
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
        QTest::newRow("1.0, Enter") << false << "1.0" << true << QStringList{};
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
        r.state.RecordingOn = true;
        QVERIFY(!list->save());
        QCOMPARE(dialogs.messages,
                 QStringList{"Aready in recording mode, close it and try again !"});
        QCOMPARE(dialogs.icons.value(0), ui::MsgIcon::Critical);
        QCOMPARE(dialogs.fileRequests, 0);
        r.state.RecordingOn = false;
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

    // A meter (or adapter) slower than the line, or one that stops for 0.8 s in the middle of
    // a set, still delivers it whole: the wait ends on a silent line, not on a total a second
    // past the wire time. A long reply cut short is taken in blocks, the bytes the driver still
    // holds counted too, and the wait ends a second after the last byte (2.5 s of bytes), not at
    // the total cap of twice the wire time and more (over 8 s).
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

    // The download loop of "Save all sets" and the command line: a set whose reply runs past
    // what the list said and one that stops short are kept under "_incomplete" names, and the
    // next "K" waits for the surplus to pass, so the set after them arrives whole.
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
};

QTEST_MAIN(TestLoggerMemory)
#include "tst_logger_memory.moc"
