// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual meter, talked to over its real pseudo-terminal with plain POSIX I/O, the way a
// serial client sees it. The link and panel tests meet it as the program does.

#include "sim/MeterProtocol.h"
#include "sim/VirtualMeter.h"

#include <QtTest>
#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace veltrix::sim;

namespace {

// The client end of the line: the slave side opened raw and non-blocking.
class Port {
public:
    explicit Port(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios tio{};
        if (::tcgetattr(m_fd, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~Port() { ::close(m_fd); }

    bool isOpen() const { return m_fd >= 0; }
    void send(const QByteArray& bytes)
    {
        QCOMPARE(::write(m_fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }

    // Lets the meter run until n bytes have arrived in all, or 2 s are up; returns and forgets
    // them. The sizes of the reads go to chunks.
    QByteArray take(int n)
    {
        QDeadlineTimer deadline(2000);
        while (m_buf.size() < n && !deadline.hasExpired()) {
            QTest::qWait(1);
            char buf[256];
            for (ssize_t got; (got = ::read(m_fd, buf, sizeof buf)) > 0; chunks.append(int(got)))
                m_buf.append(buf, got);
        }
        return std::exchange(m_buf, {});
    }

    bool hungUp()
    {
        char c;
        const ssize_t n = ::read(m_fd, &c, 1);
        return n == 0 || (n < 0 && errno == EIO);
    }

    QList<int> chunks;

private:
    int m_fd;
    QByteArray m_buf;
};

} // namespace

Q_DECLARE_METATYPE(Unit)

class TestSimMeter : public QObject {
    Q_OBJECT

    std::unique_ptr<VirtualMeter> meter;
    std::unique_ptr<Port> port;

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
        port.reset();
        meter = std::make_unique<VirtualMeter>();
        meter->setField(12.3);
        QString error;
        QVERIFY2(meter->start(&error), qPrintable(error));
        port = std::make_unique<Port>(meter->devicePath());
        QVERIFY(port->isOpen());
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
        QTest::newRow("mG low 200 over") << 200.0 << g << false << 0x1C00;
        QTest::newRow("mG high 12.3 rounds") << 12.3 << g << true << 0x0012;
        QTest::newRow("uT low 19.99") << 199.9 << t << false << 0x1999;
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

    // Counts too large for their bytes are clamped, not wrapped.
    void memoryStatusClamped()
    {
        QCOMPARE(protocol::memoryStatusAnswer(0xFFFF, 0xFF, 300, 70000).toHex(),
                 QByteArray("ffff0000ffffffff"));
    }

    // Every command's answer length and start; setting commands are read back with the matching
    // query (so they are seen to answer nothing). The sample sets hold 20, 30, 12 and 15 records;
    // the clock is set half a minute before a minute ends, so compared digits cannot tick over.
    void answers_data()
    {
        QTest::addColumn<QByteArray>("commands");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("hex"); // the start of the answer
        auto row = [](const char* name, const char* commands, int length, const char* hex) {
            QTest::newRow(name) << QByteArray(commands) << length << QByteArray(hex);
        };
        row("poll", " ", 5, "0080012300");
        row("memory status", "Y", 8, "0001000005070ef0");
        row("index, 7 sets", "I", 1 + 10 * 7, "0000142602200915000580");
        row("index after erase", "EEEI", 1, "00");
        row("set 2, 30 records", "K02", 10 + 2 * 30, "001e2602282359500380");
        row("set 8 unknown", "K08", 0, "");
        row("clock", "C", 6, "");
        row("W id 4660, 4.0 s, Y", "W000012W000134W00040AY", 8, "123400000a07");
        row("W lower-case hex, Y", "W0001abW0004ffY", 8, "00ab0000ff07");
        row("W other address, Y", "W012CFFY", 8, "0001000005");
        row("D month end, C", "D260228235930C", 6, "2602282359");
        row("D no month 13 keeps the clock", "D260228235930D261301000000C", 6, "2602282359");
        row("EEE, Y: no sets", "EEEY", 8, "00010000050000");
        row("EE, Y: nothing erased", "EEY", 8, "0001000005070ef0");
    }
    void answers()
    {
        QFETCH(QByteArray, commands);
        QFETCH(int, length);
        QFETCH(QByteArray, hex);
        const QByteArray answer = answerTo(commands, length);
        QCOMPARE(answer.size(), length);
        QCOMPARE(answer.left(hex.size() / 2).toHex(), hex);
    }

    // Keys are pressed at 12.3 mG; the field then drops to 5 mG before the poll. The models differ
    // in their peak, unit and record keys.
    void keys_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QByteArray>("statusAndWord"); // poll answer bytes 1 to 3
        QTest::addColumn<bool>("recording");
        auto row = [](const char* name, int model, const char* keys, const char* hex, bool rec) {
            QTest::newRow(name) << model << QByteArray(keys) << QByteArray(hex) << rec;
        };
        row("4627 hold keeps 12.3", 0x4627, "H", "a00123", false);
        row("4627 range", 0x4627, "R", "880005", false);
        row("4627 u to uT", 0x4627, "u", "400050", false);
        row("4627 u toggles back", 0x4627, "uu", "800050", false);
        row("4627 m peak keeps max", 0x4627, "m", "900123", false);
        row("4627 P records", 0x4627, "P", "800050", true);
        row("4627 r does nothing", 0x4627, "r", "800050", false);
        row("4625 P peak", 0x4625, "P", "900123", false);
        row("4625 u stays uT", 0x4625, "uu", "400050", false);
        row("4625 m back to mG", 0x4625, "um", "800050", false);
        row("4625 r records", 0x4625, "r", "800050", true);
        row("4625 r twice stops", 0x4625, "rr", "800050", false);
        row("4625 hold, uT high", 0x4625, "HuR", "680012", false);
    }
    void keys()
    {
        QFETCH(int, model);
        QFETCH(QByteArray, keys);
        QFETCH(QByteArray, statusAndWord);
        QFETCH(bool, recording);
        meter->setModelCode(quint16(model));
        port->send(keys);
        QTRY_COMPARE(meter->commands().size(), keys.size());
        meter->setField(5.0);
        QCOMPARE(answerTo(" ", 5).toHex(), "00" + statusAndWord + "00");
        QCOMPARE(meter->recording(), recording);
    }

    // While the meter logs, its last set grows; "K" sends that set as long as the latest list
    // said, so the answer has the length the program expects.
    void setBeingLoggedKeepsItsListedLength()
    {
        meter->setPaced(false);
        meter->setEeprom(protocol::EepromInterval, 1); // a record every 0.4 s
        port->send("P");                               // the record key of model 4627
        QTRY_VERIFY(meter->recording());
        const int sets = int(meter->loggerSets().size());
        QTRY_VERIFY(meter->loggerSets().last().values.size() >= 2);
        const QByteArray index = answerTo("I", 1 + 10 * sets);
        QCOMPARE(index.size(), 1 + 10 * sets);
        const int listed =
            (quint8(index[index.size() - 10]) << 8) | quint8(index[index.size() - 9]);
        QTRY_VERIFY(meter->loggerSets().last().values.size() >= listed + 2);
        const QByteArray k = "K" + QByteArray::number(sets, 16).rightJustified(2, '0').toUpper();
        QCOMPARE(answerTo(k, 10 + 2 * listed).size(), 10 + 2 * listed);
        port->send("P"); // logging stops; the list the program holds is still the old one
        QTRY_VERIFY(!meter->recording());
        QCOMPARE(answerTo(k, 10 + 2 * listed).size(), 10 + 2 * listed);
        const int now = int(meter->loggerSets().last().values.size());
        QCOMPARE(answerTo("I", 1 + 10 * sets).size(), 1 + 10 * sets);
        QCOMPARE(answerTo(k, 10 + 2 * now).size(), 10 + 2 * now);
    }

    void splitRepliesArriveInTwoParts()
    {
        meter->setPaced(false);
        meter->setSplitReplies(true);
        port->send(" ");
        QCOMPARE(port->take(5).toHex(), QByteArray("0080012300"));
        QCOMPARE(port->chunks, (QList<int>{2, 3}));
    }

    void unplugAndReplugOnTheSameLink()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("meter"));
        meter->setSymlinkPath(link);
        {
            Port client(link);
            meter->unplug();
            QTRY_VERIFY(client.hungUp());
        }
        // Gone with the device: left dangling, it would lead a reopen to whatever program is given
        // the same terminal number next.
        QVERIFY(!QFileInfo(link).isSymLink());

        QString error;
        QVERIFY2(meter->replug(&error), qPrintable(error));
        QCOMPARE(QFile::symLinkTarget(link), meter->slavePath());
        Port again(link);
        QVERIFY(again.isOpen());
        again.send("M");
        QCOMPARE(again.take(4).toHex(), QByteArray("00462700"));
        meter->stop();
        QVERIFY(!QFileInfo(link).isSymLink());
    }
};

QTEST_GUILESS_MAIN(TestSimMeter)
#include "tst_sim_meter.moc"
