// SPDX-License-Identifier: GPL-3.0-or-later
// veltrix-cli stats as a script uses it: its JSON read by Python, its text, and its refusals;
// the streaming reader under it.

#include "records/RecordFile.h"
#include "records/RecordReader.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
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

// The CSV lines of `stats` without the Record column (which names the file).
QStringList csvFigures(const QStringList& args)
{
    QStringList lines = runCli(QStringList{"stats", "--format", "csv"} + args).out.split("\r\n");
    for (QString& line : lines)
        line = line.section(u',', 0, 3);
    return lines;
}

// Records from `line` ("%1" the number) and `end` after each, a little more than a block of
// them, placed so that a line end begins with the block's last byte (a CR LF split in two).
QByteArray acrossABlock(const QString& line, const QByteArray& end, bool utf8)
{
    const auto record = [&](int n) {
        return (utf8 ? line.arg(n).toUtf8() : encodeRecordText(line.arg(n))) + end;
    };
    QByteArray bytes;
    int n = 0;
    while (bytes.size() + record(n + 1).size() <= RecordScanBlockBytes - 3 + end.size())
        bytes += record(++n);
    // A blank line (an empty item, no row) moves that line end into place.
    bytes.prepend(QByteArray(RecordScanBlockBytes - 3 + end.size() - bytes.size(), ' ') + "\r\n");
    for (int i = 1; i < 3000; ++i)
        bytes += record(n + i);
    return bytes;
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
        // The instruments the report dialog remembers: none here, whoever runs the tests.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
        // Two files of one survey: 10 mG for 10 s, nothing for 20 s, then 90 mG for 10 s.
        QVERIFY(test::writeFile(a, recordFile(10, "10", 0)));
        QVERIFY(test::writeFile(b, recordFile(10, "90", 30)));
        QVERIFY(test::writeFile("empty.txt", {}));
        QVERIFY(test::writeFile("orni.txt", "key orni\nname Swiss ORNI\nsource SR 814.710\n"
                                            "statistic maximum\nlevel 2 uT Installation limit\n"));
        QVERIFY(test::writeFile("levels-bad.txt", "key x\nlevle 1 uT y\n"));
        QVERIFY(test::writeFile("ol.txt", recordFile(3, "OL", 0)));
        QVERIFY(test::writeFile("fine.txt", recordFile(3, "0.123456", 0)));
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
        QVERIFY2(r.out.contains(QRegularExpression("Above 0.5 \u00b5T\\s+5 s \\(100 %\\)")),
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
        QVERIFY2(r.out.contains("Measured          5 s (5 readings and overloads \u00d7 1 s), the "
                                "base of the shares"),
                 qPrintable(r.out));
        QVERIFY(!r.out.contains("Overload rule"));

        // Overloads count above the 50 mG level only, and the text says why.
        const auto ol = runCli({"stats", "ol.txt", "--threshold", "50mG", "--threshold", "20uT"});
        QCOMPARE(ol.status, 0);
        QVERIFY2(
            ol.out.contains("Above 50 mG\n  3 s (100 %), longest 3 s from 2026-12-05 "
                            "10:00:00 (record 1), overloads (OL) included: 3\nAbove 20 \u00b5T\n"
                            "  0 s (0 %)\n"),
            qPrintable(ol.out));
        QVERIFY2(ol.out.contains("Overload rule     an overload (OL) counts above a level only "
                                 "when the level is at most 199.9 mG"),
                 qPrintable(ol.out));
    }

    // JSON and CSV give every digit of a figure; the text gives the meter's resolution.
    void fullPrecision()
    {
        const auto json = runCli({"stats", "fine.txt", "--format", "json"});
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QVERIFY2(o["mean"].toDouble() == 0.123456 && o["median"].toDouble() == 0.123456,
                 qPrintable(json.out));
        QCOMPARE(o["resolution"].toDouble(), 1e-6);
        QVERIFY(csvFigures({"fine.txt"}).contains("mean,0.123456,mG,"));
        QVERIFY(runCli({"stats", "fine.txt"}).out.contains("Mean              0.123456 mG\n"));
    }

    // A script reads the same JSON and CSV in every language ('.' decimal points, ISO times,
    // the names of levels, references and bands); the text is the reader's.
    void machineOutputInGerman()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELTRIX_LANGUAGE", "de");
        const QStringList args{"stats", "fine.txt",    "--threshold",
                               "0.1mG", "--reference", "buildingbiology"};
        // The format from a configuration file counts as well.
        QVERIFY(test::writeFile("json.conf", "format=json\n"));
        QFile("json.conf").setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        for (const QStringList& format :
             {QStringList{"--format", "json"}, {"--format=csv"}, {"--config", "json.conf"}}) {
            const auto en = runCli(args + format);
            QVERIFY2(en.out.contains("0.123456") && en.out.contains("0.1 mG"), qPrintable(en.out));
            QCOMPARE(test::runCliIn(env, args + format).out, en.out);
        }
        const QString text = test::runCliIn(env, args).out;
        QVERIFY2(text.contains("Mittelwert        0.123456 mG") &&
                     text.contains("Über SBM-2015: 20 nT, schwach auffällig"),
                 qPrintable(text));
    }

    // Files taken together give the figures of one file that holds them all, header lines and
    // all: the rows are numbered across them.
    void severalFilesAsOne()
    {
        QVERIFY(test::writeFile("joined.txt", test::fileBytes(a) + test::fileBytes(b)));
        const QStringList args = {"--threshold", "50mG", "--from", "2026-12-05T10:00:05"};
        const QStringList joined = csvFigures(QStringList{"joined.txt"} + args);
        QCOMPARE(csvFigures(QStringList{a, b} + args), joined);
        QVERIFY(joined.size() > 15);
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
        QTest::newRow("no such file among others")
            << QStringList{"--from", "2026-12-05", a, "missing.txt", b} << 1
            << "cannot read missing.txt: No such file";
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
        // Streamed, a file has no size limit: this one is one long line, no record.
        QTest::newRow("stats, 64 MiB without a line end")
            << QStringList{"stats", "big.txt"}
            << "None of the 1 record(s) holds a reading that can be read.";
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
        QVERIFY(!r.err.contains(u'\r')); // no progress line: standard error is no terminal
        QVERIFY(r.out.isEmpty());
        QCOMPARE(QDir().entryList({"*.csv"}), QStringList());
    }

    // report: both files in one PDF, each with its SHA-256, the options' fields in it, nothing
    // said on success (not even by Qt, nor by the progress line on the records' last pass).
    void reportWritten()
    {
        const auto r = runCli({"report",
                               a,
                               b,
                               "--out",
                               "r.pdf",
                               "--threshold",
                               "50",
                               "--unit",
                               "uT",
                               "--client",
                               "J. Client",
                               "--serial",
                               "ID code 12",
                               "--calibrated",
                               "2026-01-15",
                               "--axes",
                               "3",
                               "--conclusion",
                               "Low at night.",
                               "--paper",
                               "letter",
                               "--records"});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.isEmpty());
        QProcess text;
        text.start("pdftotext", {"-layout", "r.pdf", "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString pdf = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const QString& expected :
             {QString("Record data a.txt b.txt"),
              QString::fromLatin1(
                  QCryptographicHash::hash(test::fileBytes(b), QCryptographicHash::Sha256).toHex()),
              QString("Client J. Client"), QString("Serial / ID ID code 12"),
              QString("Calibrated 2026-01-15"), QString("3-D (isotropic"), QString("Figures (µT)"),
              QString("Your level: 50 mG 5 µT 10 s"), QString("Conclusion Low at night.")})
            QVERIFY2(pdf.contains(expected), qPrintable(expected + "\n--- not in ---\n" + pdf));
        QProcess info;
        info.start("pdfinfo", {"r.pdf"});
        QVERIFY(info.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression("Page size: +612 x 792 pts \\(letter\\)")));
    }

    void reportRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QStringList out = {"--out", "r2.pdf"};
        QTest::newRow("no --out") << QStringList{a} << 2 << "report needs --out REPORT.pdf";
        QTest::newRow("no file") << out << 2 << "report needs at least one record file";
        QTest::newRow("bad unit") << out + QStringList{a, "--unit", "kG"} << 2
                                  << "--unit expects nT, uT or mG, got 'kG'";
        QTest::newRow("bad calibration date")
            << out + QStringList{a, "--calibrated", "15.01.2026"} << 2
            << "--calibrated '15.01.2026' is not a date such as 2026-01-15";
        QTest::newRow("unknown instrument") << out + QStringList{a, "--instrument-preset", "x"} << 2
                                            << "no instrument 'x' is remembered";
        QTest::newRow("bad threshold") << out + QStringList{a, "--threshold", "5kG"} << 2
                                       << "--threshold '5kG' is not a level";
        QTest::newRow("empty range") << out + QStringList{a, "--from", "2027-01-01"} << 2
                                     << "No records between 2027-01-01 00:00:00 and the end.";
        QTest::newRow("no such file")
            << out + QStringList{"missing.txt"} << 1 << "cannot read missing.txt";
        QTest::newRow("unwritable") << QStringList{a, "--out", "no/such/folder/r2.pdf"} << 1
                                    << "cannot be written to no/such/folder/r2.pdf";
    }
    void reportRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const auto r = runCli(QStringList{"report"} + args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists("r2.pdf"));
    }

    // On a terminal a long run shows how far it got, on one line redrawn in place and cleared
    // before anything else is said.
    void progressOnATerminal()
    {
        QProcess python;
        python.start("python3", {"-c", R"(
import os, pty, subprocess, sys
main, side = pty.openpty()
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=side)
os.close(side)
out = b""
while True:
    try:
        chunk = os.read(main, 4096)
    except OSError:
        break
    if not chunk:
        break
    out += chunk
sys.stdout.write(out.decode())
)",
                                 VELTRIX_CLI, "stats", "big.txt"});
        QVERIFY(python.waitForFinished(60000));
        const QString err = QString::fromUtf8(python.readAllStandardOutput());
        QVERIFY2(err.startsWith("\rveltrix-cli: reading the records, pass 1:   0 %"),
                 qPrintable(err));
        QVERIFY2(err.contains("\r\x1b[Kveltrix-cli: None of the 1 record(s)"), qPrintable(err));
    }

    // The streamed rows are those of the file read whole, wherever a block ends.
    void streamedAsWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString row = "%1\t26/12/05\t10:00:00\t0.12\t\u00b5T\t\t";
        QTest::newRow("CR LF split, Windows-1252") << acrossABlock(row, "\r\n", false);
        QTest::newRow("CR LF split, UTF-8") << acrossABlock(row, "\r\n", true);
        QTest::newRow("CR at the end of a block") << acrossABlock(row, "\r", false);
        QTest::newRow("comma at the end of a block") << acrossABlock(row, ",", false);
        QTest::newRow("a line of 2.5 MB") << recordFile(3, "1", 0) + QByteArray(2'500'000, 'x') +
                                                 "\r\n" + recordFile(3000, "2", 10);
    }
    void streamedAsWhole()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(test::writeFile("stream.txt", bytes));
        QStringList whole = recordRows(bytes);
        whole.removeIf([](const QString& row) { return row.trimmed().isEmpty(); });
        for (QString& row : whole)
            row.truncate(MaxRecordItemBytes);
        QStringList streamed;
        const RecordScan scan = scanRecordFile("stream.txt", [&streamed](QStringView row) {
            streamed << row.toString();
            return true;
        });
        QCOMPARE(scan.error, RecordFileRead::None);
        QCOMPARE(scan.bytes, bytes.size());
        QCOMPARE(scan.rows, streamed.size());
        QCOMPARE(streamed, whole);
    }

    // A second reading takes the bytes of the first: rows a recorder appends meanwhile wait for
    // the next run; a file that became shorter or vanished is named.
    void fileSetRereads()
    {
        QVERIFY(test::writeFile("s1.txt", recordFile(4, "1", 0)));
        QVERIFY(test::writeFile("s2.txt", recordFile(5, "2", 10)));
        RecordFileSet set({"s1.txt", "s2.txt"});
        QStringList first, again;
        QVERIFY(set.read(
            [&first](int n, QStringView row) { first << QString::number(n) + row.toString(); }));
        QCOMPARE(first.size(), 9);
        QCOMPARE(set.files().value(1).firstRow, 5);
        QCOMPARE(set.files().value(1).sha256,
                 QCryptographicHash::hash(test::fileBytes("s2.txt"), QCryptographicHash::Sha256)
                     .toHex());
        QFile s2("s2.txt");
        QVERIFY(s2.open(QIODevice::Append) && s2.write(recordFile(1, "3", 30)) > 0);
        s2.close();
        QVERIFY(set.read(
            [&again](int n, QStringView row) { again << QString::number(n) + row.toString(); }));
        QCOMPARE(again, first);

        QVERIFY(s2.resize(100));
        QVERIFY(!set.read([](int, QStringView) {}));
        QCOMPARE(set.failure().error, RecordFileRead::Shrunk);
        QCOMPARE(set.failure().path, QString("s2.txt"));
        QVERIFY(QFile::remove("s1.txt"));
        QVERIFY(!set.read([](int, QStringView) {}));
        QCOMPARE(set.failure().error, RecordFileRead::CannotOpen);
        QCOMPARE(set.failure().path, QString("s1.txt"));
    }
};

QTEST_GUILESS_MAIN(TestCliStats)
#include "tst_cli_stats.moc"
