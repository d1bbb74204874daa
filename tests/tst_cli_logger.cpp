// SPDX-License-Identifier: GPL-3.0-or-later
// veltrix-cli logger and clock read against the virtual meter's data logger: the commands the
// meter received, the files written, the refusals.

#include "logger/LoggerBackup.h"
#include "logger/LoggerProtocol.h"
#include "logger/LoggerTimes.h"
#include "sim/VirtualMeter.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>

using namespace veltrix;
using test::runCli;

namespace {

// The name "Save all sets" gives the meter's set n.
QString expectedName(const sim::LoggerSet& set, int n)
{
    logger::SetInfo info;
    info.number = n;
    const QDateTime& t = set.start;
    const auto bcd = [](int v) { return quint8((v / 10) << 4 | (v % 10)); };
    info.start = {bcd(t.date().year() % 100), bcd(t.date().month()),  bcd(t.date().day()),
                  bcd(t.time().hour()),       bcd(t.time().minute()), bcd(t.time().second())};
    return logger::backupFileName(info, logger::century(QDate::currentDate()));
}

} // namespace

class TestCliLogger : public QObject {
    Q_OBJECT
    test::CliMeter m_meter;
    QString port() const { return m_meter.port(); }

private slots:
    void init()
    {
        QVERIFY(m_meter.start());
        m_meter->setLoggerSets(sim::VirtualMeter::sampleSets());
    }

    void list()
    {
        const auto r = runCli({"logger", "list", "--port", port()});
        QCOMPARE(r.status, 0);
        QCOMPARE(m_meter->commands(), (QStringList{"M", "Y", "I"}));
        const QList<sim::LoggerSet> sets = m_meter->loggerSets();
        QVERIFY(r.out.contains(QString("Sets: %1\nSet  Date      Time      Unit  Interval  Records\n")
                                   .arg(sets.size())));
        QVERIFY2(r.out.startsWith("ID code: 1\nLogging interval: 2.0 s\n"), qPrintable(r.out));
        const QStringList rows = r.out.split('\n').filter(QRegularExpression("^\\s+\\d+  "));
        QCOMPARE(rows.size(), sets.size());
        QVERIFY2(rows.last().endsWith(QString::number(sets.last().values.size())),
                 qPrintable(rows.last()));
    }

    void downloadAll()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("sets"); // created by the tool
        const auto r = runCli({"logger", "download", "--all", "--out", out, "--port", port()});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString()); // progress only on a terminal
        const QList<sim::LoggerSet> sets = m_meter->loggerSets();
        QStringList expected{"M", "Y", "I", " "};
        QStringList names;
        for (int n = 1; n <= sets.size(); ++n) {
            expected << QString("K%1").arg(n, 2, 16, QChar('0')).toUpper();
            names << expectedName(sets[n - 1], n);
        }
        QCOMPARE(m_meter->commands(), expected);
        QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name), names);
        for (int n = 1; n <= sets.size(); ++n) {
            const QStringList lines = test::fileLines(QDir(out).filePath(names[n - 1]));
            QCOMPARE(lines.value(0).toLatin1() + "\r\n", test::HeaderBytes);
            QCOMPARE(lines.size() - 1, sets[n - 1].values.size());
        }
    }

    // A reading the meter marks invalid (not yet settled) is written as the panel writes it: with
    // the value shown at the time, not as an empty field.
    void downloadOne()
    {
        QList<sim::LoggerSet> sets = sim::VirtualMeter::sampleSets();
        sets[1].values = {0x0123, 0x00FF};
        m_meter->setLoggerSets(sets);
        m_meter->setValueOverride(0x0456);
        QTemporaryDir dir;
        auto r =
            runCli({"logger", "download", "--set", "2", "--out", dir.path(), "--port", port()});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(m_meter->commands(), (QStringList{"M", "Y", "I", " ", "K02"}));
        const QString name = expectedName(sets[1], 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{name});
        const QStringList lines = test::fileLines(dir.filePath(name));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1].section('\t', 3, 3), QString("12.3"));
        QCOMPARE(lines[2].section('\t', 3, 3), QString("45.6"));
        m_meter->clearReceived();
        r = runCli({"logger", "download", "--set", "99", "--out", dir.path(), "--port", port()});
        QCOMPARE(r.status, 2); // no such set: nothing downloaded
        QVERIFY(!m_meter->commands().join(' ').contains('K'));
    }

    // The entries' parsing is the protocol test's business; here what the tool sends.
    void settings_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("writes");
        QTest::newRow("id 300") << QStringList{"set-id", "300"}
                                << QStringList{"W000001", "W00012C"};
        QTest::newRow("interval 2.4")
            << QStringList{"set-interval", "2.4"} << QStringList{"W000406"};
    }
    void settings()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, writes);
        const auto r = runCli(QStringList{"logger"} + args + QStringList{"--port", port()});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(m_meter->commands().filter(QRegularExpression("^W")), writes);
    }

    void erase_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("status");
        QTest::newRow("erased") << false << 0;
        QTest::newRow("memory locked") << true << 1;
    }
    void erase()
    {
        QFETCH(bool, locked);
        QFETCH(int, status);
        m_meter->setMemoryLock(locked);
        const auto r = runCli({"logger", "erase", "--yes", "--port", port()});
        QCOMPARE(r.status, status);
        QCOMPARE(m_meter->commands().contains("EEE"), status == 0);
        QCOMPARE(m_meter->loggerSets().isEmpty(), status == 0);
        if (locked)
            QVERIFY2(r.err.contains("locked"), qPrintable(r.err));
    }

    void clockRead()
    {
        const QDateTime set(QDate(2025, 3, 14), QTime(9, 41, 7));
        m_meter->setClock(set);
        const auto r = runCli({"clock", "read", "--port", port()});
        QCOMPARE(r.status, 0);
        QCOMPARE(m_meter->commands(), (QStringList{"M", "C"}));
        const QDateTime shown = QDateTime::fromString(r.out.trimmed(), "yyyy-MM-ddTHH:mm:ss");
        QVERIFY2(shown.isValid(), qPrintable(r.out));
        QVERIFY(set.secsTo(shown) >= 0 && set.secsTo(shown) <= 3);
    }

    // A meter that answers polls but does not say what it is: nothing goes further, no erase.
    void unidentifiedMeterNotErased()
    {
        m_meter->setSilent(true);
        connect(m_meter, &sim::VirtualMeter::commandReceived, this, [this](const QString& c) {
            if (c == " ")
                m_meter->setSilent(false);
        });
        const auto r = runCli({"logger", "erase", "--yes", "--port", port()});
        QCOMPARE(r.status, 4);
        QVERIFY2(!m_meter->commands().contains("EEE"), qPrintable(m_meter->commands().join('|')));
    }

    // Ctrl-C or SIGTERM in the middle of an exchange: what arrived of the set is kept as an
    // "_incomplete" file, stderr says so, and the status is 128 + the signal, never success.
    void interrupted_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("command"); // the signal goes 0.5 s after the meter received it
        QTest::newRow("download, SIGINT") << "download" << SIGINT << "K07";
        QTest::newRow("download, SIGTERM") << "download" << SIGTERM << "K07";
        QTest::newRow("list, SIGTERM") << "list" << SIGTERM << "Y";
    }
    void interrupted()
    {
        QFETCH(QString, action);
        QFETCH(int, signal);
        QFETCH(QString, command);
        m_meter->setPaced(true);
        QTemporaryDir dir;
        QProcess p;
        connect(m_meter, &sim::VirtualMeter::commandReceived, &p, [&](const QString& c) {
            if (c != command)
                return;
            if (c == "Y")
                m_meter->setSilent(true); // the wait for the answer goes on while the signal comes
            QTimer::singleShot(c == "Y" ? 100 : 500, &p,
                               [&] { ::kill(pid_t(p.processId()), signal); });
        });
        QStringList args{"logger", action, "--port", port()};
        if (action == "download")
            args += QStringList{"--all", "--out", dir.path()};
        p.start(VELTRIX_CLI, args);
        QVERIFY(p.waitForStarted());
        QSignalSpy finished(&p, &QProcess::finished);
        QVERIFY(finished.wait(30000));
        QCOMPARE(p.exitCode(), 128 + signal); // killed by it, the code would be the signal
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("interrupted"));
        if (action != "download")
            return;
        const QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 7);
        QVERIFY2(files.last().startsWith("set07") && files.last().endsWith("_incomplete.txt"),
                 qPrintable(files.last()));
        const int rows = int(test::fileLines(dir.filePath(files.last())).size()) - 1;
        QVERIFY2(rows > 0 && rows < 1500, qPrintable(QString::number(rows)));
    }
};

QTEST_MAIN(TestCliLogger)
#include "tst_cli_logger.moc"
