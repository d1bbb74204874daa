// The record file as bytes (code page, reader items, the printed listing, the line-by-line writer
// of a recording) and as CSV (the writer, our own reader, the conversion and the tables' command).

#include "panel/SharedState.h"
#include "records/CsvExport.h"
#include "records/FileList.h"
#include "records/RealTimeList.h"
#include "records/RecordFile.h"
#include "records/RecordWriter.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace veltrix;
using test::fileBytes;
using test::HeaderBytes;

namespace {
const QString Mu = QString(QChar(0x03BC));
const QString Micro = QString(QChar(0x00B5));
const QByteArray CsvHeader = "No,DateTime,Value,Unit,Hold,Peak\r\n";
} // namespace

class RecordFileTest : public QObject {
    Q_OBJECT
private slots:
    // The micro sign and Greek mu both become B5; what the code page lacks becomes "?".
    void codePage()
    {
        QCOMPARE(encodeRecordText(u"1\t\u03BCT \u00B5T"), QByteArray("1\t\xB5T \xB5T"));
        QCOMPARE(encodeRecordText(u"\u20AC\u201C\u201D\u00E9\u00FF"),
                 QByteArray("\x80\x93\x94\xE9\xFF"));
        QCOMPARE(encodeRecordText(u"\u0416\U0001F600x"), QByteArray("??x"));
    }

    void reader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("header only") << HeaderBytes << QStringList();
        QTest::newRow("header in the middle")
            << QByteArray(HeaderBytes + "1\ta\t\r\n" + HeaderBytes + "1\tb\t\r\n")
            << QStringList{"1\ta\t", "1\tb\t"};
        QTest::newRow("commas split") << QByteArray("1,5\r\n7\r\n") << QStringList{"1", "5", "7"};
        QTest::newRow("empty lines")
            << QByteArray("1\r\n\r\n   \r\n2\r\n") << QStringList{"1", "", "", "2"};
        QTest::newRow("blanks at the ends") << QByteArray("  1\tx  \r\n") << QStringList{"1\tx"};
        QTest::newRow("blank hold kept") << QByteArray("1\t26/01/02\t10:00:00\t0.12\tuT\t \t\t\r\n")
                                         << QStringList{"1\t26/01/02\t10:00:00\t0.12\tuT\t \t\t"};
        QTest::newRow("LF, CR, no end")
            << QByteArray("1\ta\n2\tb\r3") << QStringList{"1\ta", "2\tb", "3"};
        QTest::newRow("windows-1252") << QByteArray("1\t\xB5T\x80\x93\x94\xE9\xFF")
                                      << QStringList{"1\t\u03BCT\u20AC\u201C\u201D\u00E9\u00FF"};
        QTest::newRow("utf-8 micro signs")
            << QByteArray("1\t\xC2\xB5T\r\n2\t\xCE\xBCT\r\n")
            << QStringList{QString("1\t\u03BCT"), QString("2\t\u03BCT")};
        QTest::newRow("header with tabs is a row")
            << QByteArray("No.s\tDate\r\n") << QStringList{"No.s\tDate"};
    }
    void reader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        QCOMPARE(recordRows(bytes), rows);
    }

    // A saved table: every row padded or cut to seven cells; no rows, no bytes at all.
    void tableWriterRoundTrip()
    {
        QCOMPARE(tableFileBytes({}), QByteArray());
        const QByteArray bytes =
            tableFileBytes({"1\ta", QString("2\tb\tc\td\t\u03BCT\tH\tP\textra"), ""});
        QCOMPARE(bytes, HeaderBytes + "1\ta\t\t\t\t\t\t\r\n" + "2\tb\tc\td\t\xB5T\tH\tP\t\r\n" +
                            "\t\t\t\t\t\t\t\r\n");
    }

    void listing()
    {
        QCOMPARE(listingLineFromRow(u"12\t26/12/05\t15:32:39\t123.4\tmG\tH\t"),
                 QString("12     26/12/05    15:32:39  123.4  mG   H         "));
        QCOMPARE(listingLineFromRow(u"1\t26/12/05\t15:32:39\t1234.5\t\u03BCT\t\tP"),
                 QString("1      26/12/05    15:32:39  1234.5 \u03BCT        P    "));
        // Cells too long for their column are printed whole.
        QCOMPARE(listingLineFromRow(u"3\t2026/12/05/01\t15:32:39\t12345678\tmG\t\t"),
                 QString("3      2026/12/05/0115:32:39  12345678mG             "));
        QCOMPARE(listingLineFromRow(u"5"), QString("5").leftJustified(51));
        QCOMPARE(listingHeading1(), QString("          Date       Time    Value Unit Hold Peak"));
        QCOMPARE(listingHeading2(), QString("       ----------  -------- ------ ---- ---- ----"));
    }

    // Recorded over a longer old file, each record on disk before the next sample.
    void recordingRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("rec.txt");
        QVERIFY(test::writeFile(path, "a much longer previous content that must disappear\r\n"));
        const QDateTime t0(QDate(2026, 12, 5), QTime(15, 32, 39));
        const QStringList bodies = {sampleBody(t0, "123.4", true, true, false),
                                    sampleBody(t0.addSecs(2), "1.23", false, false, true),
                                    sampleBody(t0.addSecs(4), "OL", true, false, false)};
        const QByteArray lines[] = {"1\t26/12/05\t15:32:39\t123.4\tmG\tH\t\t\r\n",
                                    "2\t26/12/05\t15:32:41\t1.23\t\xB5T\t\tP\t\r\n",
                                    "3\t26/12/05\t15:32:43\tOL\tmG\t\t\t\r\n"};
        RecordWriter writer;
        QVERIFY(writer.open(path));
        QByteArray expected = HeaderBytes;
        for (int i = 0; i < bodies.size(); ++i) {
            QVERIFY2(writer.writeRecord(i + 1, bodies[i]), qPrintable(writer.errorString()));
            expected += lines[i];
            QCOMPARE(fileBytes(path), expected);
        }
    }

    void writerReportsFailures()
    {
        RecordWriter writer;
        QVERIFY(!writer.writeRecord(1, "not open"));
        QVERIFY(!writer.open("/nonexistent-folder/x.txt"));
        QVERIFY(!writer.errorString().isEmpty());

        // A disk that fills in the middle of record 2 keeps record 1 and nothing of record 2.
        QTemporaryDir dir;
        const QString full = dir.filePath("full.txt");
        QVERIFY(writer.open(full));
        QVERIFY(writer.writeRecord(1, "kept"));
        {
            const test::FileSizeLimit limit(HeaderBytes.size() + 12);
            QVERIFY(!writer.writeRecord(2, "a record too long for the disk"));
        }
        QVERIFY(writer.errorString().contains("Record 2"));
        writer.close();
        QCOMPARE(fileBytes(full), HeaderBytes + "1\tkept\t\r\n");

        const QString path = dir.filePath("gone.txt");
        QVERIFY(writer.open(path));
        QVERIFY(writer.writeRecord(1, "kept"));
        QVERIFY(QFile::remove(path));
        QVERIFY(!writer.writeRecord(2, "lost"));
        QVERIFY(writer.errorString().contains("deleted"));
    }

    void cells()
    {
        QCOMPARE(csvCells(u"12\t26/12/05\t15:32:39\t123.4\tmG\tH\t"),
                 QStringList({"12", "2026-12-05T15:32:39", "123.4", "mG", "H", ""}));
        QCOMPARE(csvCells("3\t26/01/31\t23:59:59\tOL\t" + Mu + "T\t\tP"),
                 QStringList({"3", "2026-01-31T23:59:59", "OL", Micro + "T", "", "P"}));
        QCOMPARE(csvCells(u"7\t25/03/14\t09:41:07.4\t0.05\tuT\t \t"),
                 QStringList({"7", "2025-03-14T09:41:07.4", "0.05", Micro + "T", "", ""}));
        QCOMPARE(csvCells(u"4\t26/12/05"), QStringList({"4", "26/12/05", "", "", "", ""}));
        QCOMPARE(csvCells(u"\t26/12/05"), QStringList({"", "26/12/05", "", "", "", ""}));
        QCOMPARE(csvCells(u"5\t26/12/05\t10:00:00\t1\"2,3\tmG\t\t\textra"),
                 QStringList({"5", "2026-12-05T10:00:00", "1\"2,3", "mG", "", ""}));
        // A date or time that is not the meter's is kept as it was written.
        const auto when = [](const char16_t* date, const char16_t* time) {
            return csvCells(QStringLiteral("1\t%1\t%2\t1\tmG").arg(date, time)).value(1);
        };
        QCOMPARE(when(u"2026-12-05", u"15:32"), QString("2026-12-05 15:32"));
        QCOMPARE(when(u"26/12/05", u"15:32:3x"), QString("26/12/05 15:32:3x"));
        QCOMPARE(when(u"26/12/05", u"15:32:39."), QString("26/12/05 15:32:39."));
        QCOMPARE(when(u"26/12/05", u"15:32:39x5"), QString("26/12/05 15:32:39x5"));
    }

    void csvReader()
    {
        using Rows = QList<QStringList>;
        QCOMPARE(parseCsv(u"a,b\r\nc,d\r\n"), Rows({{"a", "b"}, {"c", "d"}}));
        QCOMPARE(parseCsv(u"a,b\nc"), Rows({{"a", "b"}, {"c"}}));
        QCOMPARE(parseCsv(u"a\n,"), Rows({{"a"}, {"", ""}}));
        QCOMPARE(parseCsv(u"a\n\"\""), Rows({{"a"}, {""}}));
        QCOMPARE(parseCsv(u"\"x,y\",\"say \"\"hi\"\"\",\"l1\r\nl2\"\r\n"),
                 Rows({{"x,y", "say \"hi\"", "l1\r\nl2"}}));
    }

    // Windows-1252 in; UTF-8 without a byte-order mark out, which Python's csv reads as it is.
    void convertRecordFile()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("data.txt");
        QVERIFY(test::writeFile(in, HeaderBytes + "1\t26/12/05\t15:32:39\t0.12\t\xB5T\t\t\t\r\n\r\n"
                                                  "2\t26/12/05\t15:32:41\tOL\t\xB5T\t\tP\t\r\n"));
        const QString out = dir.filePath("data.csv");
        QVERIFY(test::writeFile(out, "old content, longer than the new one at that"));
        QCOMPARE(convertRecordFileToCsv(in, out), 2);
        QCOMPARE(fileBytes(out), CsvHeader + "1,2026-12-05T15:32:39,0.12,\xC2\xB5T,,\r\n"
                                             "2,2026-12-05T15:32:41,OL,\xC2\xB5T,,P\r\n");
        // Blank table rows are left out; a value with a comma is quoted.
        QCOMPARE(csvBytes({u"  ", u"3\t26/12/05\t15:32:40\t12,5\tmG\t\t"}),
                 CsvHeader + "3,2026-12-05T15:32:40,\"12,5\",mG,,\r\n");

        QString error;
        QCOMPARE(convertRecordFileToCsv(dir.filePath("missing.txt"), out, &error), -1);
        QVERIFY(error.contains("missing.txt"));
        QVERIFY(fileBytes(out).startsWith(CsvHeader));
        QCOMPARE(convertRecordFileToCsv(in, dir.filePath("no/such/dir/out.csv"), &error), -1);
        QVERIFY(error.contains("no/such/dir/out.csv"));
    }

    void exportFromTables()
    {
        QTemporaryDir dir;
        test::ScriptedDialogs dialogs;
        const QString in = dir.filePath("data.txt");
        QVERIFY(test::writeFile(in, HeaderBytes + "1\t26/12/05\t15:32:39\t12.3\tmG\tH\t\t\r\n"
                                                  "2\t26/12/05\t15:32:41\tOL\t\xB5T\t\tP\t\r\n"));
        FileList list;
        QVERIFY(loadRecordFile(list, in));
        dialogs.fileAnswers << dir.filePath("table"); // no suffix: .csv added
        list.findChild<QAction*>("ExportCsv")->trigger();
        QVERIFY(convertRecordFileToCsv(in, dir.filePath("reference.csv")) == 2);
        QCOMPARE(fileBytes(dir.filePath("table.csv")), fileBytes(dir.filePath("reference.csv")));

        dialogs.fileAnswers << std::nullopt; // cancelled: nothing written, nothing said
        QVERIFY(!list.exportCsv());
        QVERIFY(dialogs.messages.isEmpty());
        dialogs.fileAnswers << dir.filePath("no/such/dir/x.csv");
        QVERIFY(!list.exportCsv());
        QCOMPARE(dialogs.messages.size(), 1);

        SharedState state;
        RealTimeList live(state);
        live.AppendLiveRow("26/12/05\t15:32:39\t0.05\t" + Mu + "T\t\t");
        dialogs.fileAnswers << dir.filePath("live.csv");
        live.findChild<QAction*>("ExportCsv")->trigger();
        QCOMPARE(fileBytes(dir.filePath("live.csv")),
                 CsvHeader + "1,2026-12-05T15:32:39,0.05,\xC2\xB5T,,\r\n");
    }
};

QTEST_MAIN(RecordFileTest)
#include "tst_records_file.moc"
