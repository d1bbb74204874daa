// SPDX-License-Identifier: GPL-3.0-or-later
// veltrix-cli feeding the systems a long-running meter is read by: a real mosquitto broker with
// a subscriber, the line protocol read back by a strict parser, the textfile checked by promtool,
// two meters and the device lock, the service's configuration file.

#include "feeds/Feeds.h"
#include "panel/Recorder.h"
#include "sim/VirtualMeter.h"
#include "support/Broker.h"
#include "support/CliRun.h"
#include "support/Shards.h"
#include "support/TestFiles.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace veltrix;
using test::Broker;
using test::freePort;
using test::runCli;

namespace {

// mosquitto_sub on every topic: "topic retained payload" a line.
struct Subscriber {
    QProcess process;
    QStringList lines;
    explicit Subscriber(int port, const QStringList& topics = {"#"}, const QStringList& login = {})
    {
        QStringList args = {"-h", "127.0.0.1", "-p", QString::number(port), "-F", "%t %r %p"};
        args << login;
        for (const QString& t : topics)
            args << "-t" << t;
        process.start(QStringLiteral("mosquitto_sub"), args);
    }
    ~Subscriber()
    {
        process.kill();
        process.waitForFinished(3000);
    }
    // The payloads seen so far on `topic` (retained ones only when asked).
    QStringList on(const QString& topic, bool retainedOnly = false)
    {
        while (process.canReadLine())
            lines << QString::fromUtf8(process.readLine()).chopped(1);
        QStringList out;
        for (const QString& l : std::as_const(lines)) {
            if (l.startsWith(topic + ' ') && (!retainedOnly || l.mid(topic.size() + 1, 1) == "1"))
                out << l.mid(topic.size() + 3);
        }
        return out;
    }
};

// Two CAs made with openssl in `dir`: "ca" signs the broker's certificate for localhost, "other"
// signs nothing.
bool makeCertificates(const QString& dir)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start("sh",
            {"-c", "exec 2>/dev/null; "
                   "req='openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes'; "
                   "for ca in ca other; do $req -x509 -keyout $ca.key -out $ca.crt -days 2 "
                   "-subj /CN=$ca || exit 1; done; $req -keyout server.key -out server.csr "
                   "-subj /CN=localhost && echo subjectAltName=DNS:localhost,IP:127.0.0.1 >san "
                   "&& openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key "
                   "-CAcreateserial -out server.crt -days 2 -extfile san"});
    return p.waitForFinished(30000) && p.exitCode() == 0;
}

QJsonObject json(const QString& text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

QString unescape(QString text)
{
    static const QRegularExpression escaped(R"(\\(.))");
    return text.replace(escaped, "\\1");
}

// A strict reader of one line into "measurement", "tag.NAME", "field.NAME" (floats, booleans)
// and "time". A backslash takes the next character into a name or value; only a bare one separates.
std::optional<QVariantMap> parseInflux(const QString& line)
{
    const QString name = R"((?:[^,= \\]|\\.)+)";
    const QString field = name + R"(=(?:true|false|-?\d+(?:\.\d+)?(?:e[-+]\d+)?))";
    const QRegularExpression whole(R"(^((?:[^, \\]|\\.)+)((?:,)" + name + "=" + name + ")*) (" +
                                   field + "(?:," + field + R"()*) (\d+)$)");
    const QRegularExpression pair("(" + name + ")=(" + name + ")");
    const auto m = whole.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    QVariantMap p{{"measurement", unescape(m.captured(1))}, {"time", m.captured(4).toLongLong()}};
    for (const auto& tag : pair.globalMatch(m.captured(2)))
        p["tag." + unescape(tag.captured(1))] = unescape(tag.captured(2));
    for (const auto& f : pair.globalMatch(m.captured(3))) {
        const QString v = f.captured(2);
        p["field." + f.captured(1)] =
            v == "true" || v == "false" ? QVariant(v == "true") : QVariant(v.toDouble());
    }
    return p;
}

} // namespace

class TestCliFeeds : public QObject {
    Q_OBJECT
    test::CliMeter m_meter;
    QString port() const { return m_meter.port(); }
    bool hasTool(const char* name)
    {
        return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
    }

private slots:
    void init()
    {
        QVERIFY(m_meter.start());
        m_meter->setField(12.3);
    }

    // The line protocol for Telegraf on standard output, whole and alone, its broker away.
    void lineProtocol_data()
    {
        QTest::addColumn<bool>("overload");
        QTest::addColumn<QString>("meterId");
        QTest::newRow("reading, id to escape") << false << "bench 1,a=b\\c";
        QTest::newRow("over range in microtesla") << true << "plain";
    }
    void lineProtocol()
    {
        QFETCH(bool, overload);
        QFETCH(QString, meterId);
        if (overload) {
            m_meter->setUnit(sim::Unit::MicroTesla);
            m_meter->setValueOverride(0x1C00);
        }
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        const QString noBroker = QStringLiteral("mqtt://127.0.0.1:%1").arg(freePort());
        const auto r = runCli({"read", "--port", port(), "--count", "3", "--format", "influx",
                               "--meter-id", meterId, "--mqtt", noBroker});
        const qint64 after = QDateTime::currentMSecsSinceEpoch();
        QVERIFY2(r.status == 0 && r.err.contains("not reachable"), qPrintable(r.err));
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3); // nothing but the points on standard output
        for (const QString& line : lines) {
            const auto p = parseInflux(line);
            QVERIFY2(p, qPrintable(line));
            QCOMPARE(p->value("measurement").toString(), QString("veltrix"));
            QCOMPARE(p->value("tag.meter").toString(), meterId);
            QCOMPARE(p->value("tag.port").toString(), port());
            QCOMPARE(p->value("tag.unit").toString(),
                     overload ? QString("\u00B5T") : QString("mG"));
            QCOMPARE(p->value("field.overload").toBool(), overload);
            QCOMPARE(p->contains("field.value"), !overload);
            QCOMPARE(p->value("field.hold").typeId(), QMetaType::Bool);
            const qint64 time = p->value("time").toLongLong();
            QVERIFY2(time >= before - 1000 && time <= after, "milliseconds since the epoch");
        }
    }

    // The textfile a node exporter reads. Under an inherited file size limit that only its first
    // file (no reading yet) fits, a full disk leaves the last whole file in place.
    void promTextfile()
    {
        QTemporaryDir dir;
        const QString prom = dir.filePath("veltrix.prom");
        QProcess p;
        {
            const test::FileSizeLimit full(300);
            p.start(QStringLiteral(VELTRIX_CLI), {"read", "--port", port(), "--interval", "1",
                                                  "--prom", prom, "--meter-id", "say \"hi\"\\"});
            QVERIFY(p.waitForStarted());
        }
        QString err;
        QTRY_VERIFY_WITH_TIMEOUT((err += p.readAllStandardError()).contains("cannot write"), 15000);
        const QByteArray kept = test::fileBytes(prom);
        QVERIFY2(kept.startsWith("# HELP veltrix_link_up ") && kept.endsWith("} 1\n"),
                 kept.constData());
        // Room again: the next reading is written, and the tool says so once.
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        QCOMPARE(::prlimit(pid_t(p.processId()), RLIMIT_FSIZE, &unlimited, nullptr), 0);
        QTRY_VERIFY_WITH_TIMEOUT(test::fileBytes(prom).contains("flux_density_tesla"), 15000);
        const QString text = QString::fromUtf8(test::fileBytes(prom));
        QVERIFY2(text.contains("veltrix_magnetic_flux_density_tesla{meter=\"say \\\"hi\\\"\\\\\","),
                 qPrintable(text));
        const auto value = QRegularExpression("_tesla\\{[^}]*\\} (\\S+)").match(text).captured(1);
        QVERIFY(qAbs(value.toDouble() - 12.3e-7) < 2e-7); // mG → T: 1e-7, the field drifts a little
        QVERIFY2(hasTool("promtool"), "promtool is needed (package prometheus, install-deps.sh)");
        QProcess check;
        check.setStandardInputFile(prom);
        check.start(QStringLiteral("promtool"), {"check", "metrics"});
        QVERIFY(check.waitForFinished(30000));
        QVERIFY2(check.exitCode() == 0, check.readAll().constData());
        // A silent meter: the link gauge drops to 0, the stale reading goes; back on answers.
        m_meter->setSilent(true);
        QTRY_VERIFY_WITH_TIMEOUT(test::fileBytes(prom).contains("} 0\n") &&
                                     !test::fileBytes(prom).contains("_tesla{"),
                                 15000);
        m_meter->setSilent(false);
        QTRY_VERIFY_WITH_TIMEOUT(test::fileBytes(prom).contains("_tesla{"), 15000);
        p.terminate();
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{"veltrix.prom"}); // no temporary
        err += p.readAllStandardError();
        QVERIFY2(err.count("cannot write") == 1 && err.count("written again") == 1,
                 qPrintable(err));
    }

    void mqttWithHomeAssistant()
    {
        QVERIFY2(hasTool("mosquitto_sub"), "mosquitto-clients are needed (install-deps.sh)");
        Broker broker;
        QVERIFY2(broker.start(), "mosquitto is needed (install-deps.sh)");
        auto sub = std::make_unique<Subscriber>(broker.port);
        const QString prefix = "veltrix/Bench_a_1"; // the meter ID made fit for a topic level
        const QString discovery = "homeassistant/sensor/veltrix_Bench_a_1/flux_density/config";
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TZ", "XST+3:30"); // a state's time carries the local offset, here -03:30
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(VELTRIX_CLI),
                  {"read", "--port", port(), "--interval", "1", "--meter-id", "Bench a/1", "--mqtt",
                   broker.url(), "--mqtt-queue", "2"});
        QVERIFY(cli.waitForStarted());
        // Condition waits: generous, as a starved machine may hold up the tool for many seconds.
        QTRY_VERIFY2_WITH_TIMEOUT(sub->on(prefix + "/state").size() >= 3,
                                  cli.readAllStandardError().constData(), 40000);

        // One state message per sample: consecutive whole seconds, none twice.
        const QStringList states = sub->on(prefix + "/state");
        for (qsizetype i = 1; i < states.size(); ++i) {
            const auto t0 =
                QDateTime::fromString(json(states[i - 1])["time"].toString(), Qt::ISODate);
            const auto t1 = QDateTime::fromString(json(states[i])["time"].toString(), Qt::ISODate);
            QCOMPARE(t0.secsTo(t1), 1);
        }
        const QJsonObject state = json(states.last());
        QVERIFY2(state["time"].toString().endsWith("-03:30"), qPrintable(states.last()));
        QCOMPARE(state["unit"].toString(), QString("mG"));
        QVERIFY(qAbs(state["microtesla"].toDouble() * 10 - state["value"].toDouble()) < 1e-9);

        // Discovery and availability are retained: a late subscriber gets them at once.
        Subscriber late(broker.port, {discovery, prefix + "/availability"});
        QTRY_VERIFY_WITH_TIMEOUT(late.on(discovery, true).size() == 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(late.on(prefix + "/availability", true), QStringList{"online"},
                                  10000);
        const QJsonObject config = json(late.on(discovery, true).first());
        QCOMPARE(config["state_topic"].toString(), prefix + "/state");
        QCOMPARE(config["availability_topic"].toString(), prefix + "/availability");
        QCOMPARE(config["state_class"].toString(), QString("measurement"));
        QCOMPARE(config["unit_of_measurement"].toString(), QString("\u00B5T"));
        QCOMPARE(config["expire_after"].toInt(), 3); // three sampling times
        QCOMPARE(config["unique_id"].toString(), QString("veltrix_Bench_a_1_flux_density"));
        QCOMPARE(config["device"]["model"].toString(), QString("4627"));
        QCOMPARE(config["device"]["serial_number"].toString(), QString("Bench a/1"));

        // Home Assistant restarted: discovery again.
        const qsizetype announced = sub->on(discovery).size();
        QVERIFY(QProcess::execute("mosquitto_pub",
                                  {"-h", "127.0.0.1", "-p", QString::number(broker.port), "-t",
                                   "homeassistant/status", "-m", "online"}) == 0);
        QTRY_VERIFY_WITH_TIMEOUT(sub->on(discovery).size() > announced, 10000);

        // The meter goes silent and comes back.
        m_meter->setSilent(true);
        QTRY_VERIFY_WITH_TIMEOUT(sub->on(prefix + "/availability").endsWith("offline"), 15000);
        m_meter->setSilent(false);
        QTRY_VERIFY_WITH_TIMEOUT(sub->on(prefix + "/availability").endsWith("online"), 15000);

        // The broker is away for a few readings: the queue keeps the last two, the rest are
        // counted; the tool reconnects and goes on.
        broker.stop();
        sub.reset();
        const qsizetype polls = m_meter->commands().size();
        QTRY_VERIFY_WITH_TIMEOUT(m_meter->commands().size() >= polls + 16, 15000);
        QVERIFY(broker.start());
        sub = std::make_unique<Subscriber>(broker.port);
        QTRY_VERIFY_WITH_TIMEOUT(sub->on(prefix + "/state").size() >= 2, 30000);
        QCOMPARE(sub->on(prefix + "/availability").value(0), QString("online"));
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(err.count("MQTT broker lost") == 1 && err.count("MQTT broker connected") == 1,
                 qPrintable(err)); // both said, once each
        QVERIFY2(err.contains("readings dropped while it was away (the queue holds 2)"),
                 qPrintable(err));

        // Killed outright: the broker sends the last will.
        ::kill(pid_t(cli.processId()), SIGKILL);
        QTRY_VERIFY_WITH_TIMEOUT(sub->on(prefix + "/availability").endsWith("offline"), 10000);
        cli.waitForFinished(5000);
    }

    void mqttCredentials_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("password");
        QTest::newRow("variable, local socket") << "variable" << 0 << "s3cret-pw";
        QTest::newRow("file") << "file" << 0 << "s3cret-pw";
        QTest::newRow("in the URL") << "url" << 0 << "s3cret-pw";
        QTest::newRow("wrong, refused") << "file" << 5 << "wrong-pw";
    }
    void mqttCredentials()
    {
        QFETCH(QString, source);
        QFETCH(int, status);
        QFETCH(QString, password);
        Broker broker;
        broker.localSocket = source == "variable";
        broker.passwordFile = broker.dir.filePath("passwd");
        QCOMPARE(QProcess::execute("mosquitto_passwd",
                                   {"-b", "-c", broker.passwordFile, "meter", "s3cret-pw"}),
                 0);
        QVERIFY(broker.start());
        Subscriber sub(broker.port, {"#"}, {"-u", "meter", "-P", "s3cret-pw"});
        QTemporaryDir dir;
        QStringList args = {"read", "--port", port(), "--interval", "1", "--meter-id", "m"};
        args += QStringList{"--mqtt-user", "meter", "--mqtt",
                            broker.localSocket ? broker.socketUrl() : broker.url()};
        if (source == "url")
            args.last().replace("127.0.0.1", "meter:" + password + "@127.0.0.1");
        QProcess cli;
        if (source == "file") {
            QVERIFY(test::writeFile(dir.filePath("pw"), password.toUtf8() + '\n'));
            args << "--mqtt-password-file" << dir.filePath("pw");
        } else if (source == "variable") {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("VELTRIX_MQTT_PASSWORD", password);
            cli.setProcessEnvironment(env);
        }
        cli.start(QStringLiteral(VELTRIX_CLI), args);
        QVERIFY(cli.waitForStarted());
        QSignalSpy finished(&cli, &QProcess::finished);
        if (status != 0) {
            QVERIFY(finished.wait(20000));
            QCOMPARE(cli.exitCode(), status);
            QVERIFY(QString::fromUtf8(cli.readAllStandardError()).contains("refused"));
            return;
        }
        QTRY_VERIFY2_WITH_TIMEOUT(!sub.on("veltrix/m/state").isEmpty(),
                                  cli.readAllStandardError().constData(), 40000);
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(cli.processId()));
        QVERIFY(cmdline.open(QIODevice::ReadOnly));
        QCOMPARE(cmdline.readAll().contains(password.toUtf8()), source == "url");
        // A clean stop says offline itself (no last will then).
        cli.terminate();
        QVERIFY(finished.wait(10000));
        QCOMPARE(cli.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(sub.on("veltrix/m/availability").endsWith("offline"), 10000);
    }

    void mqttsVerifiesTheBroker_data()
    {
        QTest::addColumn<QString>("ca");
        QTest::addColumn<bool>("connects");
        QTest::newRow("the broker's CA") << "ca" << true;
        QTest::newRow("another CA") << "other" << false;
    }
    void mqttsVerifiesTheBroker()
    {
        QFETCH(QString, ca);
        QFETCH(bool, connects);
        Broker broker;
        const QString dir = broker.dir.path();
        QVERIFY(makeCertificates(dir));
        broker.tlsConfig = QStringLiteral("cafile %1/ca.crt\ncertfile %1/server.crt\n"
                                          "keyfile %1/server.key\n")
                               .arg(dir);
        QVERIFY(broker.start());
        Subscriber sub(broker.port, {"#"}, {"--cafile", dir + "/ca.crt"});
        QProcess cli;
        cli.start(QStringLiteral(VELTRIX_CLI),
                  {"read", "--port", port(), "--interval", "1", "--meter-id", "tls", "--cafile",
                   dir + "/" + ca + ".crt", "--mqtt",
                   QStringLiteral("mqtts://localhost:%1").arg(broker.port)});
        QVERIFY(cli.waitForStarted());
        // Both handshakes may be slow on a loaded machine: wait for them, not for a reading count.
        QString err;
        if (connects)
            QTRY_VERIFY_WITH_TIMEOUT(!sub.on("veltrix/tls/state").isEmpty(), 30000);
        else
            QTRY_VERIFY_WITH_TIMEOUT(
                (err += cli.readAllStandardError()).contains("certificate verify failed"), 20000);
        QByteArray out; // the readings go on either way
        QTRY_VERIFY_WITH_TIMEOUT((out += cli.readAllStandardOutput()).contains('\n'), 10000);
        cli.terminate();
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 0);
        if (!connects)
            QVERIFY(sub.on("veltrix/tls/state").isEmpty());
    }

    void recordRotatesAtMidnight()
    {
#ifdef __SANITIZE_ADDRESS__
        // faketime is preloaded ahead of the address sanitizer's runtime, which refuses to start.
        QSKIP("faketime cannot be preloaded into a sanitizer build");
#endif
        QVERIFY2(hasTool("faketime"), "faketime is needed (scripts/install-deps.sh)");
        QTemporaryDir dir;
        const QString file = dir.filePath("night.txt");
        const auto recordAt = [&](const char* start, int count) {
            QProcess p;
            p.start("faketime",
                    {"-f", start, VELTRIX_CLI, "record", file, "--port", port(), "--interval", "1",
                     "--count", QString::number(count), "--rotate", "daily"});
            QSignalSpy finished(&p, &QProcess::finished);
            return finished.wait(30000) && p.exitCode() == 0;
        };
        QVERIFY(recordAt("@2026-12-07 23:59:57", 5));
        const QStringList before = test::fileLines(dir.filePath("night-2026-12-07.txt"));
        const QStringList after = test::fileLines(dir.filePath("night-2026-12-08.txt"));
        QVERIFY2(before.size() >= 3 && after.size() >= 2, qPrintable(before.join('|')));
        QCOMPARE(before.size() + after.size(), 2 + 5); // two header lines, no record lost
        QVERIFY(before.last().contains("\t23:59:59\t"));
        QVERIFY(after.value(1).startsWith("1\t26/12/08\t00:00:00\t"));
        // A restart later that day keeps the day's file and goes on in a numbered one.
        QVERIFY(recordAt("@2026-12-08 08:00:00", 1));
        QCOMPARE(test::fileLines(dir.filePath("night-2026-12-08.txt")), after);
        QCOMPARE(test::fileLines(dir.filePath("night-2026-12-08-2.txt")).size(), 2);
    }

    void twoMetersAndTheLock()
    {
        sim::VirtualMeter second;
        QVERIFY(test::startMeterOnLink(second, false));
        QTemporaryDir dir;
        QProcess a;
        QProcess b;
        a.start(QStringLiteral(VELTRIX_CLI), {"record", dir.filePath("a.txt"), "--port", port(),
                                              "--interval", "1", "--rotate", "daily"});
        b.start(QStringLiteral(VELTRIX_CLI), {"record", dir.filePath("b.txt"), "--port",
                                              second.devicePath(), "--interval", "1"});
        const QString aFile = dayFileName(dir.filePath("a.txt"), QDate::currentDate());
        QTRY_VERIFY_WITH_TIMEOUT(test::fileLines(aFile).size() >= 3 &&
                                     test::fileLines(dir.filePath("b.txt")).size() >= 3,
                                 20000);
        // The first meter's port is held: refused at once, naming the holder.
        m_meter->clearReceived();
        const auto r = runCli({"read", "--port", port(), "--count", "1"}, 10000);
        QCOMPARE(r.status, 3);
        QVERIFY2(
            r.err.contains(QStringLiteral("in use by veltrix-cli (process %1)").arg(a.processId())),
            qPrintable(r.err));
        a.terminate();
        b.terminate();
        QVERIFY(a.waitForFinished(10000) && b.waitForFinished(10000));
        QCOMPARE(a.exitCode() + b.exitCode(), 0);
        // Released with the process: the port opens again.
        QCOMPARE(runCli({"read", "--port", port(), "--count", "1"}).status, 0);
    }

    void configFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("options") << QByteArray("# bench\ncount = 2\nformat=jsonl\n") << 0644 << 0
                                 << "";
        QTest::newRow("others may write")
            << QByteArray("count = 2\n") << 0666 << 2 << "other users can change it";
        QTest::newRow("password, others may read")
            << QByteArray("count = 2\nmqtt-password = x\n") << 0644 << 2 << "other users can read";
        QTest::newRow("password, read by our group")
            << QByteArray("count = 1\nmqtt-password = x\n") << 0640 << 0 << "";
        QTest::newRow("not an option") << QByteArray("count 2\n") << 0600 << 2 << "not an option";
    }
    void configFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, mode);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString conf = dir.filePath("ttyUSB0.conf");
        QVERIFY(test::writeFile(conf, text));
        QCOMPARE(::chmod(QFile::encodeName(conf).constData(), mode_t(mode)), 0);
        const auto r = runCli({"read", "--config", conf, "--port", port()});
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        if (status == 0 && text.contains("jsonl"))
            QCOMPARE(r.out.count("\"value\""), 2); // the file's options took effect
    }
};

VELTRIX_TEST_MAIN(TestCliFeeds)
#include "tst_cli_feeds.moc"
