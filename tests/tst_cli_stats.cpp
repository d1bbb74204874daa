// veltrix-cli stats as a script uses it: its JSON read by Python, its text, and its refusals.

#include "records/RecordFile.h"
#include "records/RecordReader.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace veltrix;
using test::runCli;

namespace {

// `count` readings of `value` mG, one a second from 10:00:`startSecond`.
QByteArray recordFile(int count, const QString& value, int startSecond)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << QStringLiteral("%1\t26/12/05\t10:00:%2\t%3\tmG\t\t")
                    .arg(i + 1)
                    .arg(startSecond + i, 2, 10, QChar(u'0'))
                    .arg(value);
    return tableFileBytes(rows);
}

} // namespace

class TestCliStats : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir; // the tool runs in it, so the files go by their names
    const QString a = "a.txt";
    const QString b = "./b.txt"; // the maximum names the file alone

private slots:
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(m_dir.path()));
        // Two files of one survey: 10 mG for 10 s, nothing for 20 s, then 90 mG for 10 s.
        QVERIFY(test::writeFile(a, recordFile(10, "10", 0)));
        QVERIFY(test::writeFile(b, recordFile(10, "90", 30)));
        QVERIFY(test::writeFile("empty.txt", {}));
        QVERIFY(test::writeFile("orni.txt", "key orni\nname Swiss ORNI\nsource SR 814.710\n"
                                            "statistic maximum\nlevel 2 uT Installation limit\n"));
        QVERIFY(test::writeFile("levels-bad.txt", "key x\nlevle 1 uT y\n"));
        QCOMPARE(::mkfifo("pipe.txt", 0600), 0);
        QVERIFY(QDir().mkdir("folder.txt"));
        QFile big("big.txt"); // sparse: refused by its size before anything is read
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(MaxRecordFileBytes + 1));
    }

    void jsonReadByPython()
    {
        const auto r = runCli({"stats", a, b, "--threshold", "50mG", "--reference", "IARC2002",
                               "--reference", "buildingbiology", "--format", "json"});
        QCOMPARE(r.status, 0);

        QProcess python;
        python.start("python3", {"-c", R"(
import json, sys
d = json.load(sys.stdin)
levels = {l["name"]: l for l in d["levels"]}
print(d["records"], d["readings"], d["unit"], d["samplingSeconds"], d["durationSeconds"])
print(d["maximum"]["value"], d["maximum"]["time"], d["maximum"]["file"], d["maximum"]["record"],
      d["mean"])
print(levels["50 mG"]["secondsAbove"], levels["50 mG"]["longestSeconds"],
      levels["IARC 2002: 0.4 µT"]["secondsAbove"])
print(len(d["gaps"]), d["gaps"][0]["from"]["time"], d["gaps"][0]["seconds"])
print(d["files"][0]["sha256"])
print([(a["reference"], a["statistic"], a["value"]) for a in d["assessment"]])
)"});
        python.write(r.out.toUtf8());
        python.closeWriteChannel();
        QVERIFY(python.waitForFinished(30000));
        QCOMPARE(python.exitCode(), 0);
        const QString sha =
            QCryptographicHash::hash(test::fileBytes(a), QCryptographicHash::Sha256).toHex();
        QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()).split('\n'),
                 QStringList({"20 20 mG 1 39", "90 2026-12-05T10:00:30 b.txt 1 50", "10 10 20",
                              "1 2026-12-05T10:00:09 21", sha,
                              "[('iarc2002', 'mean', 50), ('buildingbiology', 'p95', 90)]", ""}));
    }

    void text()
    {
        // A single reading: no sampling time, so no time above can be told.
        const auto one = runCli({"stats", a, "--to", "2026-12-05T10:00:00"});
        QCOMPARE(one.status, 0);
        QVERIFY2(one.out.contains(QRegularExpression("Sampling time\\s+unknown \\(one reading\\)")),
                 qPrintable(one.out));

        // CSV, one figure a line; a level never reached has no longest stretch.
        const auto csv = runCli({"stats", a, "--threshold", "50mG", "--format", "csv"});
        QCOMPARE(csv.status, 0);
        const QStringList lines = csv.out.split("\r\n");
        QCOMPARE(lines.value(0), QString("Figure,Value,Unit,Time,Record"));
        QVERIFY2(lines.contains("maximum,10,mG,2026-12-05T10:00:00,record 1"), qPrintable(csv.out));
        QVERIFY2(lines.contains("longest above 50 mG,0,s,,"), qPrintable(csv.out));

        const auto r = runCli({"stats", a, "--threshold", "0.5uT", "--to", "2026-12-05T10:00:04"});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QRegularExpression(
                     "Records\\s+5: 5 readings, 0 overloads \\(OL\\), 0 invalid")),
                 qPrintable(r.out));
        QVERIFY2(r.out.contains(QRegularExpression("Above 0.5 \u00b5T\\s+5 s \\(100.0 %\\)")),
                 qPrintable(r.out));

        // A set of the user's own, and ICNIRP 1998 at 60 Hz: their levels and sentences.
        const auto own = runCli({"stats", a, "--reference-file", "orni.txt", "--reference", "orni",
                                 "--reference", "icnirp1998", "--mains", "60"});
        QCOMPARE(own.status, 0);
        for (const char* expected :
             {"Above Installation limit\n  0 s", "Above ICNIRP 1998 / 1999/519/EC: 83.3 \u00b5T",
              "Assessment\\s+Maximum [0-9.]+ mG: 50 % of Swiss ORNI \\(20[0-9.]* mG\\)\\.\n",
              "Assessment\\s+Maximum [0-9.]+ mG: 1.2 % of the ICNIRP 1998 general-public"})
            QVERIFY2(own.out.contains(QRegularExpression(QString::fromUtf8(expected))),
                     qPrintable(expected + ("\n--- not in ---\n" + own.out)));
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown reference")
            << QStringList{"--reference", "who"} << 2 << "unknown reference 'who'";
        QTest::newRow("bad threshold")
            << QStringList{"--threshold", "5kG"} << 2 << "--threshold '5kG' is not a level";
        QTest::newRow("empty range") << QStringList{"--from", "2027-01-01"} << 2
                                     << "No records between 2027-01-01 00:00:00 and the end.";
        QTest::newRow("range backwards")
            << QStringList{"--from", "2026-12-06", "--to", "2026-12-05"} << 2
            << "the range is empty";
        QTest::newRow("bad time") << QStringList{"--from", "yesterday"} << 2
                                  << "--from 'yesterday' is not an ISO 8601";
        QTest::newRow("bad mains")
            << QStringList{"--mains", "55"} << 2 << "--mains expects 50 or 60, got '55'";
        QTest::newRow("bad reference file")
            << QStringList{"--reference-file", "levels-bad.txt", "--format", "text"} << 1
            << "Reference file levels-bad.txt, line 2: unknown keyword 'levle'";
        QTest::newRow("bad format")
            << QStringList{"--format", "xml"} << 2 << "unknown format 'xml'";
        QTest::newRow("no such file")
            << QStringList{"missing.txt"} << 1 << "cannot read missing.txt";
        QTest::newRow("empty file")
            << QStringList{"empty.txt"} << 1 << "empty.txt holds no records";
    }
    void refused()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        if (!args.last().endsWith(".txt"))
            args << a;
        const auto r = runCli(QStringList{"stats"} + args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    // What cannot be a record file is refused before it is read, by every command that reads
    // record files: a pipe would block the reader until something writes to it, a huge file
    // would only exhaust memory.
    void notRecordFilesRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("stats, pipe")
            << QStringList{"stats", "pipe.txt"} << "pipe.txt is not a record file";
        QTest::newRow("convert, pipe") << QStringList{"convert", "pipe.txt", "--to", "csv"}
                                       << "pipe.txt is not a record file.";
        QTest::newRow("convert to standard output, folder")
            << QStringList{"convert", "folder.txt", "--to", "csv", "--out", "-"}
            << "folder.txt is not a record file.";
        QTest::newRow("stats, over 64 MiB")
            << QStringList{"stats", "big.txt"} << "big.txt is too large to be a record file";
        QTest::newRow("convert, over 64 MiB") << QStringList{"convert", "big.txt", "--to", "csv"}
                                              << "big.txt is too large to be a record file.";
    }
    void notRecordFilesRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const auto r = runCli(args, 20000);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(QDir().entryList({"*.csv"}), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCliStats)
#include "tst_cli_stats.moc"
