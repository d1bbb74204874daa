// The virtual meter, talked to over its real pseudo-terminal with plain POSIX I/O, the way a
// serial client sees it; the command parser is also driven directly with made-up timestamps.

#include "sim/MeterProtocol.h"
#include "sim/VirtualMeter.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace veltrix::sim;

namespace {

// The client end of the line: the slave side opened raw and non-blocking.
class Port {
public:
    explicit Port(const QString& path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd >= 0) {
            termios tio{};
            ::tcgetattr(m_fd, &tio);
            ::cfmakeraw(&tio);
            ::tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~Port()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    bool isOpen() const { return m_fd >= 0; }

    void send(const QByteArray& bytes)
    {
        QCOMPARE(::write(m_fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }

    // Lets the meter run until at least n bytes have arrived in all, or the time is up; returns
    // everything received so far and forgets it.
    QByteArray take(int n, int timeoutMs = 2000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (m_buf.size() < n && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
            readAvailable();
            if (m_buf.size() < n)
                QTest::qWait(1);
        }
        QByteArray out = m_buf;
        m_buf.clear();
        return out;
    }

    // Sizes of the reads that delivered the bytes since the last call.
    QList<int> takeChunks() { return std::exchange(m_chunks, {}); }

    // True once the line has gone away under the client (hang-up or I/O error).
    bool hungUp()
    {
        QCoreApplication::processEvents();
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR)))
            return true;
        char c;
        const ssize_t n = ::read(m_fd, &c, 1);
        return n == 0 || (n < 0 && errno == EIO);
    }

private:
    void readAvailable()
    {
        char buf[256];
        ssize_t n;
        while ((n = ::read(m_fd, buf, sizeof buf)) > 0) {
            m_buf.append(buf, n);
            m_chunks.append(int(n));
        }
    }

    int m_fd = -1;
    QByteArray m_buf;
    QList<int> m_chunks;
};

QByteArray identify4627()
{
    return QByteArray::fromHex("00462700");
}

QDateTime fromBcdClock(const QByteArray& a)
{
    using protocol::fromBcd;
    return QDateTime(
        QDate(2000 + fromBcd(quint8(a[0])), fromBcd(quint8(a[1])), fromBcd(quint8(a[2]))),
        QTime(fromBcd(quint8(a[3])), fromBcd(quint8(a[4])), fromBcd(quint8(a[5]))));
}

struct Chunk {
    QByteArray bytes;
    qint64 atMs;
};

} // namespace

Q_DECLARE_METATYPE(Unit)
Q_DECLARE_METATYPE(QList<Chunk>)

class TestSimMeter : public QObject {
    Q_OBJECT

    VirtualMeter* meter = nullptr;
    Port* port = nullptr;

    // Sends cmd, then "M" as a marker: since answers leave in order, whatever cmd answers arrives
    // before the identify answer. Returns cmd's answer (empty when it answers nothing).
    QByteArray answerTo(const QByteArray& cmd, int expectedLength)
    {
        port->send(cmd + "M");
        const QByteArray all = port->take(expectedLength + 4);
        if (!all.endsWith(protocol::identifyAnswer(meter->modelCode())))
            return QByteArray("<no marker: ") + all.toHex(' ') + '>';
        return all.left(all.size() - 4);
    }

private slots:
    void init()
    {
        meter = new VirtualMeter;
        meter->setField(12.3);
        QString error;
        QVERIFY2(meter->start(&error), qPrintable(error));
        port = new Port(meter->devicePath());
        QVERIFY(port->isOpen());
    }

    void cleanup()
    {
        delete port;
        port = nullptr;
        delete meter;
        meter = nullptr;
    }

    void parser_data()
    {
        QTest::addColumn<QList<Chunk>>("input");
        QTest::addColumn<QStringList>("expected");
        auto one = [](const char* b) { return QList<Chunk>{{QByteArray(b), 0}}; };
        QTest::newRow("singles") << one(" M YIC") << QStringList{" ", "M", " ", "Y", "I", "C"};
        QTest::newRow("keys") << one("HRmuPr") << QStringList{"H", "R", "m", "u", "P", "r"};
        QTest::newRow("K upper and lower hex") << one("K1AK0f") << QStringList{"K1A", "K0f"};
        QTest::newRow("W and D") << one("W00040AD260228235950")
                                 << QStringList{"W00040A", "D260228235950"};
        QTest::newRow("EEE") << one("EEE") << QStringList{"EEE"};
        QTest::newRow("stray E then poll") << one("E EE") << QStringList{" "};
        QTest::newRow("K cut by poll") << one("K0 M") << QStringList{" ", "M"};
        QTest::newRow("D with a letter") << one("D2602x8235950") << QStringList{};
        QTest::newRow("unknown bytes") << one("xyz\r\n\x01\xff") << QStringList{};
        QTest::newRow("K completes in time")
            << QList<Chunk>{{"K0", 0}, {"1", 450}} << QStringList{"K01"};
        QTest::newRow("K too slow") << QList<Chunk>{{"K0", 0}, {"1", 600}} << QStringList{};
        QTest::newRow("EEE too slow") << QList<Chunk>{{"E", 0}, {"EE", 600}} << QStringList{};
        QTest::newRow("after a drop the next command works")
            << QList<Chunk>{{"W00", 0}, {"M", 900}} << QStringList{"M"};
    }

    void parser()
    {
        QFETCH(QList<Chunk>, input);
        QFETCH(QStringList, expected);
        protocol::CommandParser p;
        QStringList got;
        for (const Chunk& c : input)
            got += p.feed(c.bytes, c.atMs);
        QCOMPARE(got, expected);
    }

    void answerLength_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("emptyMemory");
        QTest::newRow("poll") << QByteArray(" ") << 5 << false;
        QTest::newRow("identify") << QByteArray("M") << 4 << false;
        QTest::newRow("memory status") << QByteArray("Y") << 8 << false;
        QTest::newRow("index, 4 sets") << QByteArray("I") << 1 + 10 * 4 << false;
        QTest::newRow("index, empty") << QByteArray("I") << 1 << true;
        QTest::newRow("set 1, 20 records") << QByteArray("K01") << 10 + 2 * 20 << false;
        QTest::newRow("set 2, 30 records") << QByteArray("K02") << 10 + 2 * 30 << false;
        QTest::newRow("set 4, 15 records") << QByteArray("K04") << 10 + 2 * 15 << false;
        QTest::newRow("set 5 unknown") << QByteArray("K05") << 0 << false;
        QTest::newRow("set 0 unknown") << QByteArray("K00") << 0 << false;
        QTest::newRow("clock") << QByteArray("C") << 6 << false;
        for (const char* key : {"H", "R", "m", "u", "P", "r"})
            QTest::addRow("key %s", key) << QByteArray(key) << 0 << false;
        QTest::newRow("eeprom write") << QByteArray("W000405") << 0 << false;
        QTest::newRow("clock set") << QByteArray("D260101120000") << 0 << false;
        QTest::newRow("erase") << QByteArray("EEE") << 0 << false;
        QTest::newRow("noise") << QByteArray("x\r\n") << 0 << false;
    }

    void answerLength()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, length);
        QFETCH(bool, emptyMemory);
        if (emptyMemory)
            meter->setLoggerSets({});
        QCOMPARE(answerTo(command, length).size(), length);
    }

    void commandsRecorded()
    {
        QSignalSpy spy(meter, &VirtualMeter::commandReceived);
        port->send("xK0a W0004FFEEE");
        QTRY_COMPARE(spy.size(), 4);
        const QStringList expected{"K0a", " ", "W0004FF", "EEE"};
        QCOMPARE(meter->commands(), expected);
        QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral(" "));
        QCOMPARE(meter->received(), QByteArray("xK0a W0004FFEEE"));
        meter->clearReceived();
        QVERIFY(meter->commands().isEmpty());
    }

    void displayWord_data()
    {
        QTest::addColumn<double>("mG");
        QTest::addColumn<Unit>("unit");
        QTest::addColumn<bool>("high");
        QTest::addColumn<int>("word");
        const Unit g = Unit::MilliGauss;
        const Unit t = Unit::MicroTesla;
        QTest::newRow("mG low 12.3") << 12.3 << g << false << 0x0123;
        QTest::newRow("mG low 0.0") << 0.0 << g << false << 0x0000;
        QTest::newRow("mG low 199.9") << 199.9 << g << false << 0x1999;
        QTest::newRow("mG low 200 over") << 200.0 << g << false << 0x1C00;
        QTest::newRow("mG high 123") << 123.0 << g << true << 0x0123;
        QTest::newRow("mG high 12.3 rounds") << 12.3 << g << true << 0x0012;
        QTest::newRow("mG high 1999") << 1999.0 << g << true << 0x1999;
        QTest::newRow("mG high 2000 over") << 2000.0 << g << true << 0x1C00;
        QTest::newRow("uT low 1.23") << 12.3 << t << false << 0x0123;
        QTest::newRow("uT low 19.99") << 199.9 << t << false << 0x1999;
        QTest::newRow("uT low 20 over") << 200.0 << t << false << 0x1C00;
        QTest::newRow("uT high 12.3") << 123.0 << t << true << 0x0123;
        QTest::newRow("uT high 199.9") << 1999.0 << t << true << 0x1999;
        QTest::newRow("uT high 200 over") << 2000.0 << t << true << 0x1C00;
        QTest::newRow("huge") << 1e9 << g << true << 0x1C00;
        QTest::newRow("not a number") << qQNaN() << g << false << 0x1C00;
        QTest::newRow("negative reads zero") << -3.0 << g << false << 0x0000;
    }

    void displayWord()
    {
        QFETCH(double, mG);
        QFETCH(Unit, unit);
        QFETCH(bool, high);
        QFETCH(int, word);
        QCOMPARE(int(veltrix::sim::displayWord(mG, unit, high)), word);
    }

    void pollAnswer_data()
    {
        QTest::addColumn<double>("mG");
        QTest::addColumn<Unit>("unit");
        QTest::addColumn<bool>("high");
        QTest::addColumn<bool>("lock");
        QTest::addColumn<int>("blink");
        QTest::addColumn<int>("statusOverride");
        QTest::addColumn<int>("valueOverride");
        QTest::addColumn<QByteArray>("answer");
        const Unit g = Unit::MilliGauss;
        const Unit t = Unit::MicroTesla;
        QTest::newRow("mG low") << 12.3 << g << false << false << 0 << -1 << -1
                                << QByteArray::fromHex("0080012300");
        QTest::newRow("uT high") << 123.0 << t << true << false << 0 << -1 << -1
                                 << QByteArray::fromHex("0048012300");
        QTest::newRow("mG high overload")
            << 2500.0 << g << true << false << 0 << -1 << -1 << QByteArray::fromHex("00881c0000");
        QTest::newRow("memory lock")
            << 12.3 << g << false << true << 0 << -1 << -1 << QByteArray::fromHex("0081012300");
        QTest::newRow("fast blink")
            << 12.3 << t << false << false << 2 << -1 << -1 << QByteArray::fromHex("0042012300");
        QTest::newRow("overrides") << 12.3 << g << false << false << 0 << 0x31 << 0x1000
                                   << QByteArray::fromHex("0031100000");
    }

    void pollAnswer()
    {
        QFETCH(double, mG);
        QFETCH(Unit, unit);
        QFETCH(bool, high);
        QFETCH(bool, lock);
        QFETCH(int, blink);
        QFETCH(int, statusOverride);
        QFETCH(int, valueOverride);
        QFETCH(QByteArray, answer);
        meter->setField(mG);
        meter->setUnit(unit);
        meter->setHighRange(high);
        meter->setMemoryLock(lock);
        meter->setBlinkCode(blink);
        meter->setStatusOverride(statusOverride);
        meter->setValueOverride(valueOverride);
        QCOMPARE(answerTo(" ", 5).toHex(), answer.toHex());
    }

    // Keys are pressed at 12.3 mG; the field then drops to 5 mG before the poll.
    void keys_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("word");
        QTest::addColumn<bool>("recording");
        QTest::newRow("4627 hold keeps 12.3")
            << 0x4627 << QByteArray("H") << 0xA0 << 0x0123 << false;
        QTest::newRow("4627 hold twice") << 0x4627 << QByteArray("HH") << 0x80 << 0x0050 << false;
        QTest::newRow("4627 range") << 0x4627 << QByteArray("R") << 0x88 << 0x0005 << false;
        QTest::newRow("4627 u to uT") << 0x4627 << QByteArray("u") << 0x40 << 0x0050 << false;
        QTest::newRow("4627 u toggles back")
            << 0x4627 << QByteArray("uu") << 0x80 << 0x0050 << false;
        QTest::newRow("4627 m peak keeps max")
            << 0x4627 << QByteArray("m") << 0x90 << 0x0123 << false;
        QTest::newRow("4627 m twice") << 0x4627 << QByteArray("mm") << 0x80 << 0x0050 << false;
        QTest::newRow("4627 P records") << 0x4627 << QByteArray("P") << 0x80 << 0x0050 << true;
        QTest::newRow("4627 P twice stops")
            << 0x4627 << QByteArray("PP") << 0x80 << 0x0050 << false;
        QTest::newRow("4627 r does nothing")
            << 0x4627 << QByteArray("r") << 0x80 << 0x0050 << false;
        QTest::newRow("4625 P peak") << 0x4625 << QByteArray("P") << 0x90 << 0x0123 << false;
        QTest::newRow("4625 u to uT") << 0x4625 << QByteArray("u") << 0x40 << 0x0050 << false;
        QTest::newRow("4625 u stays uT") << 0x4625 << QByteArray("uu") << 0x40 << 0x0050 << false;
        QTest::newRow("4625 m in mG") << 0x4625 << QByteArray("m") << 0x80 << 0x0050 << false;
        QTest::newRow("4625 u then m") << 0x4625 << QByteArray("um") << 0x80 << 0x0050 << false;
        QTest::newRow("4625 r records") << 0x4625 << QByteArray("r") << 0x80 << 0x0050 << true;
        QTest::newRow("4625 r twice stops")
            << 0x4625 << QByteArray("rr") << 0x80 << 0x0050 << false;
        QTest::newRow("4625 hold, uT high")
            << 0x4625 << QByteArray("HuR") << 0x68 << 0x0012 << false;
    }

    void keys()
    {
        QFETCH(int, model);
        QFETCH(QByteArray, keys);
        QFETCH(int, status);
        QFETCH(int, word);
        QFETCH(bool, recording);
        meter->setModelCode(quint16(model));
        port->send(keys);
        QTRY_COMPARE(meter->commands().size(), keys.size());
        meter->setField(5.0);
        const QByteArray a = answerTo(" ", 5);
        QCOMPARE(a.size(), 5);
        QCOMPARE(quint8(a[1]), quint8(status));
        QCOMPARE((quint8(a[2]) << 8) | quint8(a[3]), word);
        QCOMPARE(meter->recording(), recording);
    }

    void recordKeyLogsASet()
    {
        meter->setUnit(Unit::MicroTesla);
        port->send("W000401"); // log every 0.4 s
        QTRY_COMPARE(meter->eeprom(4), quint8(1));
        port->send("P");
        QTRY_VERIFY(meter->recording());
        QTRY_VERIFY(meter->loggerSets().size() == 5 &&
                    meter->loggerSets().last().values.size() >= 3);
        port->send("P");
        QTRY_VERIFY(!meter->recording());
        const LoggerSet set = meter->loggerSets().last();
        QCOMPARE(set.intervalCode, quint8(1));
        QCOMPARE(set.status, quint8(0x40));
        QVERIFY(qAbs(set.start.secsTo(meter->clock())) < 5);
        QCOMPARE(set.values.first(), quint16(0x0123)); // 1.23 uT

        const QByteArray y = answerTo("Y", 8);
        QCOMPARE(quint8(y[5]), quint8(5));
        const int n = int(set.values.size());
        const QByteArray k = answerTo("K05", 10 + 2 * n);
        QCOMPARE(k.size(), 10 + 2 * n);
        QCOMPARE(k.left(10), protocol::setDescriptor(set));
        QCOMPARE(k.mid(10, 2), QByteArray::fromHex("0123"));
    }

    void eepromWriteShowsInStatus_data()
    {
        QTest::addColumn<QByteArray>("writes");
        QTest::addColumn<QByteArray>("idAndInterval"); // Y bytes 0, 1 and 4
        QTest::newRow("id 4660, 4.0 s")
            << QByteArray("W000012W000134W00040A") << QByteArray::fromHex("12340a");
        QTest::newRow("id 65535, 102 s")
            << QByteArray("W0000FFW0001FFW0004FF") << QByteArray::fromHex("ffffff");
        QTest::newRow("lower-case hex")
            << QByteArray("W0001abW0004ff") << QByteArray::fromHex("00abff");
        QTest::newRow("other address leaves them")
            << QByteArray("W012CFF") << QByteArray::fromHex("000105");
    }

    void eepromWriteShowsInStatus()
    {
        QFETCH(QByteArray, writes);
        QFETCH(QByteArray, idAndInterval);
        const QByteArray y = answerTo(writes + "Y", 8);
        QCOMPARE(y.size(), 8);
        QCOMPARE((y.left(2) + y.mid(4, 1)).toHex(), idAndInterval.toHex());
    }

    void memoryStatus()
    {
        QByteArray y = answerTo("Y", 8);
        QCOMPARE(y.mid(5).toHex(), QByteArray("0400c2")); // 4 sets, 4*10 + 77*2 bytes
        meter->setMemoryUsedOverride(0x7F00);
        y = answerTo("Y", 8);
        QCOMPARE(y.mid(6).toHex(), QByteArray("7f00"));
        // The set that crosses midnight and the month end, as the index lists it.
        const QByteArray index = answerTo("I", 41);
        QCOMPARE(index.mid(11, 10).toHex(), QByteArray("001e2602282359500380"));
        QCOMPARE(quint8(index[31 + 9]), quint8(0x98)); // high range, peak
    }

    void clockSetAndRead_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QDateTime>("expected"); // invalid: the clock is left alone
        QTest::newRow("month end")
            << QByteArray("D260228235959") << QDateTime(QDate(2026, 2, 28), QTime(23, 59, 59));
        QTest::newRow("year 2099")
            << QByteArray("D991231235959") << QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59));
        QTest::newRow("no month 13") << QByteArray("D261301000000") << QDateTime();
        QTest::newRow("no 29 February 2026") << QByteArray("D260229000000") << QDateTime();
    }

    void clockSetAndRead()
    {
        QFETCH(QByteArray, command);
        QFETCH(QDateTime, expected);
        const QDateTime reference = expected.isValid() ? expected : QDateTime::currentDateTime();
        const QByteArray c = answerTo(command + "C", 6);
        QCOMPARE(c.size(), 6);
        const qint64 drift = reference.secsTo(fromBcdClock(c));
        QVERIFY2(drift >= -1 && drift <= 2, qPrintable(fromBcdClock(c).toString()));
    }

    void eraseNeedsThreeEs()
    {
        QCOMPARE(quint8(answerTo("E Y", 5 + 8).at(5 + 5)), quint8(4));
        QCOMPARE(quint8(answerTo("EEY", 8).at(5)), quint8(4));
        const QByteArray y = answerTo("EEEY", 8);
        QCOMPARE(y.mid(5).toHex(), QByteArray("000000"));
        QCOMPARE(answerTo("K01", 0).size(), 0);
    }

    void silentReadsButNeverAnswers()
    {
        meter->setSilent(true);
        port->send(" YH");
        QTRY_COMPARE(meter->commands().size(), 3);
        QVERIFY(meter->hold()); // the keys still act
        meter->setSilent(false);
        QCOMPARE(answerTo("", 0), QByteArray());
    }

    void lengthDelta_data()
    {
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("length");
        QTest::newRow("one more") << 1 << 6;
        QTest::newRow("two fewer") << -2 << 3;
        QTest::newRow("all gone") << -9 << 0;
    }

    void lengthDelta()
    {
        QFETCH(int, delta);
        QFETCH(int, length);
        meter->setLengthDelta(delta);
        port->send(" ");
        QTRY_COMPARE(meter->commands().size(), 1);
        meter->setLengthDelta(0);
        QCOMPARE(answerTo("", length).size(), length);
    }

    void garbageKeepsLength()
    {
        meter->setGarbage(true);
        bool differs = false;
        for (int i = 0; i < 3; ++i) {
            port->send(" ");
            const QByteArray a = port->take(5);
            QCOMPARE(a.size(), 5);
            differs = differs || a != QByteArray::fromHex("0080012300");
        }
        QVERIFY(differs);
    }

    void splitRepliesArriveInTwoParts()
    {
        meter->setPaced(false);
        meter->setSplitReplies(true);
        port->send(" ");
        QCOMPARE(port->take(5).toHex(), QByteArray("0080012300"));
        QCOMPARE(port->takeChunks(), (QList<int>{2, 3}));
    }

    void pacedLongReplyArrivesInChunks()
    {
        port->send("K02");
        QCOMPARE(port->take(70).size(), 70);
        QVERIFY(port->takeChunks().size() > 1);
    }

    void lateReplyComesLate()
    {
        meter->setLateMs(400);
        port->send(" ");
        QCOMPARE(port->take(5, 150).size(), 0);
        QCOMPARE(port->take(5).size(), 5);
    }

    void unplugAndReplugOnTheSameLink()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("meter"));
        meter->setSymlinkPath(link);
        QCOMPARE(meter->devicePath(), link);
        QCOMPARE(QFile::symLinkTarget(link), meter->slavePath());

        auto client = std::make_unique<Port>(link);
        QVERIFY(client->isOpen());
        client->send(" ");
        QCOMPARE(client->take(5).size(), 5);

        meter->unplug();
        QVERIFY(!meter->isRunning());
        QTRY_VERIFY(client->hungUp());
        QVERIFY(QFileInfo(link).isSymLink()); // left in place, dangling
        client.reset();

        QString error;
        QVERIFY2(meter->replug(&error), qPrintable(error));
        QCOMPARE(QFile::symLinkTarget(link), meter->slavePath());
        Port again(link);
        QVERIFY(again.isOpen());
        again.send("M");
        QCOMPARE(again.take(4), identify4627());

        meter->stop();
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    void symlinkRefusesToReplaceAFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("precious"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
        f.close();
        VirtualMeter other;
        other.setSymlinkPath(path);
        QString error;
        QVERIFY(!other.start(&error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFileInfo(path).isSymLink());
        other.stop();
        QVERIFY(QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestSimMeter)
#include "tst_sim_meter.moc"
