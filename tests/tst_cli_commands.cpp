// SPDX-License-Identifier: GPL-3.0-or-later
// veltrix-cli run as a user runs it, against the virtual meter on a pseudo-terminal: what the
// meter received, what the tool printed and wrote, and its exit statuses.

#include "records/CsvExport.h"
#include "records/RecordFile.h"
#include "sim/VirtualMeter.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace veltrix;
using test::runCli;

class TestCliCommands : public QObject {
    Q_OBJECT
    test::CliMeter m_meter;
    QString port() const { return m_meter.port(); }

private slots:
    void init()
    {
        QVERIFY(m_meter.start());
        m_meter->setField(12.3);
    }

    void read_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("overload");
        QTest::newRow("text") << "text" << false;
        QTest::newRow("jsonl OL") << "jsonl" << true;
        QTest::newRow("csv OL microtesla, one a second") << "csv" << true;
    }
    void read()
    {
        QFETCH(QString, format);
        QFETCH(bool, overload);
        if (overload) {
            m_meter->setUnit(sim::Unit::MicroTesla);
            m_meter->setValueOverride(0x1C00);
        }
        QStringList args = {"read", "--port", port(), "--count", "3", "--format", format};
        if (format == "csv")
            args += QStringList{"--interval", "1"};
        const auto r = runCli(args);
        QCOMPARE(r.status, 0);
        QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        const QStringList commands = m_meter->commands();
        QCOMPARE(commands.value(0), QString("M")); // identify first, then polls only
        QCOMPARE(commands.mid(1), QStringList(commands.size() - 1, " "));
        // Polling goes on between the readings on the sample clock, as in the panel.
        QVERIFY(commands.size() > (format == "csv" ? 5 : 3));

        const QString value = overload ? "OL" : "12.3";
        const QString unit = overload ? QString(QChar(0x00B5)) + "T" : "mG";
        const QRegularExpression iso("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$");
        if (format == "csv") {
            QCOMPARE(lines.takeFirst(), csvHeaderLine());
            QCOMPARE(lines.size(), 3);
            for (int i = 0; i < 3; ++i) {
                const QStringList cells = parseCsv(lines[i]).value(0);
                QCOMPARE(cells.value(0), QString::number(i + 1));
                QVERIFY2(iso.match(cells.value(1)).hasMatch(), qPrintable(cells.value(1)));
                QCOMPARE(cells.mid(2), (QStringList{value, unit, "", ""}));
                const QString previous = parseCsv(lines.value(i - 1)).value(0).value(1);
                if (i > 0) // whole seconds, one sampling time apart
                    QCOMPARE(QDateTime::fromString(previous, Qt::ISODate)
                                 .secsTo(QDateTime::fromString(cells.value(1), Qt::ISODate)),
                             1);
            }
        } else if (format == "jsonl") {
            QCOMPARE(lines.size(), 3);
            const QJsonObject o = QJsonDocument::fromJson(lines[2].toUtf8()).object();
            QCOMPARE(o.value("n").toInt(), 3);
            QCOMPARE(o.value("value").toString(), value);
            QCOMPARE(o.value("unit").toString(), unit);
            QVERIFY(iso.match(o.value("time").toString()).hasMatch());
        } else {
            QCOMPARE(lines.size(), 3);
            QVERIFY2(QRegularExpression("^\\S+T\\S+ 12\\.3 mG$").match(lines[0]).hasMatch(),
                     qPrintable(lines[0]));
        }
    }

    // The panel's record file, byte for byte. A full file goes on in a numbered one that numbers
    // its own records; someone else's file is never replaced.
    void recordLikeThePanel()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("data.txt");
        QVERIFY(test::writeFile(dir.filePath("data-2.txt"), "theirs"));
        m_meter->setHold(true);
        const auto r = runCli({"record", file, "--port", port(), "--interval", "1", "--count", "5",
                               "--record-limit", "2"});
        QCOMPARE(r.status, 0);
        QByteArray expected = encodeRecordText(recordHeaderLine() + "\r\n");
        const QStringList lines = test::fileLines(file).mid(1);
        QCOMPARE(lines.size(), 2);
        QDateTime previous;
        for (int i = 0; i < lines.size(); ++i) {
            const QDateTime when =
                QDateTime::fromString("20" + lines[i].section('\t', 1, 2), "yyyy/MM/dd\tHH:mm:ss");
            QVERIFY2(when.isValid(), qPrintable(lines[i]));
            if (previous.isValid())
                QCOMPARE(previous.secsTo(when), 1); // one sampling time apart, as the panel's
            previous = when;
            expected +=
                encodeRecordText(recordLine(i + 1, sampleBody(when, "12.3", true, true, false)));
        }
        QCOMPARE(test::fileBytes(file), expected);
        QCOMPARE(test::fileBytes(dir.filePath("data-2.txt")), QByteArray("theirs"));
        QCOMPARE(test::fileLines(dir.filePath("data-3.txt")).size(), 3);
        QCOMPARE(test::fileLines(dir.filePath("data-4.txt")).size(), 2);
        QVERIFY2(r.err.contains("continuing in") && r.err.contains("data-4.txt"),
                 qPrintable(r.err));
    }

    void recordWaitsForASilentMeterAndStopsOnSigterm()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("bench.txt");
        QProcess p;
        p.start(QStringLiteral(VELTRIX_CLI), {"record", file, "--port", port(), "--interval", "1"});
        QVERIFY(p.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(test::fileLines(file).size() >= 3, 15000);
        m_meter->setSilent(true);
        QString err;
        QTRY_VERIFY_WITH_TIMEOUT(
            (err += QString::fromUtf8(p.readAllStandardError())).contains("stopped answering"),
            15000);
        const QStringList kept = test::fileLines(file);
        m_meter->setSilent(false);
        const QString next = dir.filePath("bench-2.txt"); // the gap never sits inside one file
        QTRY_VERIFY_WITH_TIMEOUT(test::fileLines(next).size() >= 3, 15000);
        p.terminate(); // SIGTERM
        QSignalSpy finished(&p, &QProcess::finished);
        QVERIFY(finished.wait(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(test::fileLines(file), kept);
        QVERIFY(test::fileBytes(next).endsWith("\t\r\n")); // no record cut short
        const QStringList lines = test::fileLines(next).mid(1);
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(lines[i].section('\t', 0, 0).toInt(), i + 1);
        err += QString::fromUtf8(p.readAllStandardError());
        const qsizetype written = kept.size() - 1 + lines.size();
        QVERIFY2(err.contains(QString("%1 records written").arg(written)), qPrintable(err));
    }

    void recordDurationEndsASilentWait()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("short.txt");
        QProcess p;
        p.start(QStringLiteral(VELTRIX_CLI),
                {"record", file, "--port", port(), "--interval", "1", "--duration", "4"});
        QVERIFY(p.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(test::fileLines(file).size() >= 2, 15000);
        m_meter->setSilent(true); // for good
        QSignalSpy finished(&p, &QProcess::finished);
        QVERIFY(finished.wait(15000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(test::fileBytes(file).endsWith("\t\r\n"));
    }

    void recordKeepsAnExistingFile()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("earlier.txt");
        QVERIFY(test::writeFile(file, "an earlier recording"));
        auto r = runCli({"record", file, "--port", port(), "--count", "1"});
        QCOMPARE(r.status, 1);
        QCOMPARE(test::fileBytes(file), QByteArray("an earlier recording"));
        QVERIFY(m_meter->commands().isEmpty()); // refused before the meter was asked anything
        r = runCli({"record", file, "--port", port(), "--count", "1", "--overwrite"});
        QCOMPARE(r.status, 0);
        QVERIFY(test::fileBytes(file).startsWith(test::HeaderBytes));
    }

    void clockSet()
    {
        const QDateTime before = QDateTime::currentDateTime();
        const auto r = runCli({"clock", "set", "--port", port()});
        QCOMPARE(r.status, 0);
        const QStringList commands = m_meter->commands();
        QCOMPARE(commands.value(0), QString("M"));
        QCOMPARE(commands.size(), 2);
        const QString set = commands.value(1);
        QVERIFY2(QRegularExpression("^D\\d{12}$").match(set).hasMatch(), qPrintable(set));
        const QDateTime sent = QDateTime::fromString("20" + set.mid(1), "yyyyMMddHHmmss");
        QVERIFY(qAbs(before.secsTo(sent)) <= 2);
        QVERIFY(qAbs(m_meter->clock().secsTo(sent)) <= 2);
    }

    void convert()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("in.txt");
        QVERIFY(
            test::writeFile(in, test::HeaderBytes + "1\t26/12/05\t15:32:39\tOL\t\xB5T\tH\t\t\r\n"));
        auto r = runCli({"convert", in, "--to", "csv"});
        QCOMPARE(r.status, 0);
        const QList<QStringList> rows =
            parseCsv(QString::fromUtf8(test::fileBytes(dir.filePath("in.csv"))));
        QCOMPARE(rows.value(1), (QStringList{"1", "2026-12-05T15:32:39", "OL",
                                             QString(QChar(0x00B5)) + "T", "H", ""}));
        r = runCli({"convert", in, "--to", "csv", "--out", "-"});
        QCOMPARE(r.status, 0);
        QCOMPARE(parseCsv(r.out), rows);
        QCOMPARE(runCli({"convert", dir.filePath("none.txt"), "--to", "csv"}).status, 1);
        QCOMPARE(runCli({"convert", in, "--to", "xls"}).status, 2);
    }

    // Every refusal says why and leaves no file; a bad command line asks the meter nothing.
    void exitStatuses_data()
    {
        QTest::addColumn<QStringList>("args"); // the virtual meter's --port is added unless given
        QTest::addColumn<int>("status");       // 4: the meter is silent
        QTest::addColumn<QString>("says");
        const auto row = [](const char* name, const QStringList& args, int status,
                            const char* says) {
            QTest::newRow(name) << args << status << QString(says);
        };
        row("missing device", {"read", "--port", "/dev/veltrix-none"}, 3, "cannot open COM1");
        row("silent meter, read", {"read"}, 4, "does not answer");
        row("silent meter, record", {"record", "$DIR/x.txt"}, 4, "does not answer");
        row("silent meter, clock", {"clock", "set"}, 4, "does not answer");
        row("no command", {}, 2, "");
        row("unknown command", {"frobnicate"}, 2, "");
        row("unknown option", {"read", "--colour"}, 2, "");
        row("bad format", {"read", "--format", "xml"}, 2, "got 'xml'");
        row("record without file", {"record"}, 2, "");
        row("count and duration", {"record", "$DIR/x.txt", "--count", "2", "--duration", "5"}, 2,
            "");
        row("interval too long", {"record", "$DIR/x.txt", "--interval", "86401"}, 2, "");
        row("clock, unknown action", {"clock", "bogus"}, 2, "");
        row("com out of range", {"read", "--com", "9"}, 2, "");
        // The option table: a value before the command is skipped as a value; declared checks.
        row("option before the command", {"--count", "0", "read"}, 2, "--count expects");
        row("simulate and port", {"read", "--simulate", "--count", "1"}, 2, "exclude each other");
        row("duration", {"record", "$DIR/x.txt", "--duration", "5x"}, 2, "--duration expects");
        row("logger set out of range", {"logger", "download", "--set", "251", "--out", "x"}, 2,
            "from 1 to 250");
        row("rotate", {"record", "f.txt", "--rotate", "weekly"}, 2, "daily");
        row("mqtt scheme", {"read", "--mqtt", "http://host"}, 2, "mqtt://");
        row("mqtt, no host", {"read", "--mqtt", "mqtt://"}, 2, "host");
        row("mqtt port", {"read", "--mqtt", "mqtt://h:70000"}, 2, "--mqtt");
        row("mqtt path", {"read", "--mqtt", "mqtt://h/t"}, 2, "path");
        row("mqtt query", {"read", "--mqtt", "mqtt://h?x=1"}, 2, "query");
        row("local socket, host", {"read", "--mqtt", "mqtt+unix://h/run/m.sock"}, 2, "no host");
        row("local socket, no path", {"read", "--mqtt", "mqtt+unix://"}, 2, "absolute path");
        row("cafile without tls", {"read", "--mqtt", "mqtt://h", "--cafile", "/etc/hostname"}, 2,
            "mqtts");
        row("wildcard prefix", {"read", "--mqtt", "mqtt://h", "--mqtt-prefix", "a/#"}, 2,
            "wildcards");
        row("mqtt option alone", {"read", "--mqtt-user", "u"}, 2, "needs --mqtt");
        row("logger id too big", {"logger", "set-id", "65536"}, 2, "0 to 65535, got '65536'");
        row("logger id not a number", {"logger", "set-id", "abc"}, 2, "got 'abc'");
        row("logger interval off the steps", {"logger", "set-interval", "2.2"}, 2, "got '2.2'");
        row("logger interval missing", {"logger", "set-interval"}, 2, "needs a value");
        row("logger, a word too many", {"logger", "list", "now"}, 2, "argument 'now'");
        row("download without --out", {"logger", "download", "--all"}, 2, "--out DIR");
        row("download --set and --all", {"logger", "download", "--set", "1", "--all", "--out", "x"},
            2, "--set N or --all");
        row("erase without --yes", {"logger", "erase"}, 2, "give --yes");
        row("logger, unknown action", {"logger", "frob"}, 2, "action 'frob'");
    }
    void exitStatuses()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, says);
        QTemporaryDir dir;
        m_meter->setSilent(status == 4);
        args.replaceInStrings("$DIR", dir.path());
        if (!args.isEmpty() && !args.contains("--port"))
            args << "--port" << port();
        const auto r = runCli(args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.startsWith("veltrix-cli: ") && r.err.contains(says), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath("x.txt")));
        if (status == 2)
            QVERIFY2(m_meter->commands().isEmpty(), qPrintable(m_meter->commands().join('|')));
    }

    // German, forced or from the locale (the other language variables unset): help, refusals
    // and the meter's silence, with the exit statuses of English.
    void german_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("says"); // on standard output or error
        const QString de = "VELTRIX_LANGUAGE=de", lang = "LANG=de_DE.UTF-8";
        QTest::newRow("help") << de << QStringList{"--help"} << "Exit-Status: 0 Erfolg";
        QTest::newRow("options") << lang << QStringList{"stats", "--help"}
                                 << "Nur Datensätze ab diesem Zeitpunkt (ISO 8601).";
        QTest::newRow("bad value") << de << QStringList{"read", "--format", "xml"}
                                   << "--format erwartet text, csv, jsonl oder influx, erhalten";
        QTest::newRow("unknown command") << lang << QStringList{"frobnicate"}
                                         << "unbekannter Befehl 'frobnicate' (siehe --help)";
        QTest::newRow("missing file") << de << QStringList{"convert", "none.txt", "--to", "csv"}
                                      << "Die Messdatei none.txt kann nicht gelesen werden";
        QTest::newRow("silent meter") << de << QStringList{"read"} << "antwortet nicht";
    }
    void german()
    {
        QFETCH(QString, setting);
        QFETCH(QStringList, args);
        QFETCH(QString, says);
        m_meter->setSilent(true);
        if (args.first() == "read")
            args << "--port" << port();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"VELTRIX_LANGUAGE", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            env.remove(name);
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
        const auto german = test::runCliIn(env, args);
        QCOMPARE(german.status, runCli(args).status);
        QVERIFY2((german.out + german.err).contains(says), qPrintable(german.out + german.err));
    }

    void portsAndSimulate()
    {
        auto r = runCli({"ports"});
        QCOMPARE(r.status, 0);
        QCOMPARE(
            r.out.count(QRegularExpression("^COM[1-8]  ", QRegularExpression::MultilineOption)), 8);
        r = runCli({"read", "--simulate", "--count", "1", "--format", "jsonl"});
        QCOMPARE(r.status, 0);
        QCOMPARE(QJsonDocument::fromJson(r.out.toUtf8()).object().value("unit").toString(),
                 QString("mG"));
        r = runCli({"record", "--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("--duration"));
        QVERIFY(!r.out.contains("--record-limit"));
    }
};

QTEST_MAIN(TestCliCommands)
#include "tst_cli_commands.moc"
