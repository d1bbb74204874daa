// The record file as bytes: header, record lines, code page, reader items, the printed listing
// and the line-by-line writer of a recording.

#include "records/RecordFile.h"
#include "records/RecordWriter.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace veltrix;

namespace {
using test::fileBytes;
using test::HeaderBytes;
} // namespace

class RecordFileTest : public QObject {
    Q_OBJECT
private slots:
    void headerLine()
    {
        QCOMPARE(recordHeaderLine().size(), 71);
        QCOMPARE(recordHeaderText().size(), 67);
        QCOMPARE(encodeRecordText(recordHeaderLine() + "\r\n"), HeaderBytes);
        // Labels start in columns 1, 11, 26, 39, 47, 56 and 64.
        const QString h = recordHeaderLine();
        QCOMPARE(h.indexOf("Date") + 1, 11);
        QCOMPARE(h.indexOf("Time") + 1, 26);
        QCOMPARE(h.indexOf("Value") + 1, 39);
        QCOMPARE(h.indexOf("Unit") + 1, 47);
        QCOMPARE(h.indexOf("Hold") + 1, 56);
        QCOMPARE(h.indexOf("Peak") + 1, 64);
    }

    void sampleBodies_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("gauss");
        QTest::addColumn<bool>("hold");
        QTest::addColumn<bool>("peak");
        QTest::addColumn<QString>("body");
        QTest::newRow("mG hold") << "123.4" << true << true << false
                                 << "26/12/05\t15:32:39\t123.4\tmG\tH\t";
        QTest::newRow("uT peak") << "1.23" << false << false << true
                                 << QString("26/12/05\t15:32:39\t1.23\t\u03BCT\t\tP");
        QTest::newRow("overload") << "OL" << true << false << false
                                  << "26/12/05\t15:32:39\tOL\tmG\t\t";
    }
    void sampleBodies()
    {
        QFETCH(QString, value);
        QFETCH(bool, gauss);
        QFETCH(bool, hold);
        QFETCH(bool, peak);
        QFETCH(QString, body);
        const QDateTime when(QDate(2026, 12, 5), QTime(15, 32, 39));
        QCOMPARE(sampleBody(when, value, gauss, hold, peak), body);
        QCOMPARE(recordLine(12, body), "12\t" + body + "\t\r\n");
    }

    void codePage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("greek mu") << QString("\u03BCT") << QByteArray("\xB5T");
        QTest::newRow("micro sign") << QString("\u00B5T") << QByteArray("\xB5T");
        QTest::newRow("euro and quotes")
            << QString("\u20AC\u201C\u201D") << QByteArray("\x80\x93\x94");
        QTest::newRow("latin-1 range") << QString("\u00E9\u00FF") << QByteArray("\xE9\xFF");
        QTest::newRow("outside code page") << QString("\u0416\U0001F600x") << QByteArray("??x");
    }
    void codePage()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeRecordText(text), bytes);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("cp1252 micro") << QByteArray("1\t\xB5T") << QString("1\t\u03BCT");
        QTest::newRow("utf-8 micro sign") << QByteArray("1\t\xC2\xB5T") << QString("1\t\u03BCT");
        QTest::newRow("utf-8 greek mu") << QByteArray("1\t\xCE\xBCT") << QString("1\t\u03BCT");
        QTest::newRow("cp1252 that looks odd")
            << QByteArray("\x80\xB5\xE9") << QString("\u20AC\u03BC\u00E9");
        QTest::newRow("ascii") << QByteArray("1\tmG") << QString("1\tmG");
    }
    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeRecordBytes(bytes), text);
    }

    void reader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("empty file") << QByteArray() << QStringList();
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
        QTest::newRow("LF only") << QByteArray("1\ta\n2\tb\n") << QStringList{"1\ta", "2\tb"};
        QTest::newRow("CR only") << QByteArray("1\ta\r2\tb\r") << QStringList{"1\ta", "2\tb"};
        QTest::newRow("no line end at the end") << QByteArray("1\r\n2") << QStringList{"1", "2"};
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

    void tableWriter()
    {
        QCOMPARE(tableFileBytes({}), QByteArray());
        const QByteArray bytes =
            tableFileBytes({"1\ta", QString("2\tb\tc\td\t\u03BCT\tH\tP\textra"), ""});
        QCOMPARE(bytes, HeaderBytes + "1\ta\t\t\t\t\t\t\r\n" + "2\tb\tc\td\t\xB5T\tH\tP\t\r\n" +
                            "\t\t\t\t\t\t\t\r\n");
    }

    void listing_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("line");
        QTest::newRow("record") << QStringList{"12", "26/12/05", "15:32:39", "123.4", "mG", "H", ""}
                                << "12     26/12/05    15:32:39  123.4  mG   H         ";
        QTest::newRow("value of six fits")
            << QStringList{"1", "26/12/05", "15:32:39", "1234.5", QString("\u03BCT"), "", "P"}
            << QString("1      26/12/05    15:32:39  1234.5 \u03BCT        P    ");
        QTest::newRow("long date printed whole")
            << QStringList{"3", "2026/12/05/01", "15:32:39", "1.2", "mG", "", ""}
            << "3      2026/12/05/0115:32:39  1.2    mG             ";
        QTest::newRow("value of eight printed whole")
            << QStringList{"4", "26/12/05", "15:32:39", "12345678", "mG", "", ""}
            << "4      26/12/05    15:32:39  12345678mG             ";
        QTest::newRow("missing cells") << QStringList{"5"} << QString("5").leftJustified(51);
    }
    void listing()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, line);
        QCOMPARE(listingLine(cells), line);
        QCOMPARE(listingLineFromRow(cells.join('\t')), line);
    }

    void listingHeadings()
    {
        QCOMPARE(listingHeading1(), QString("          Date       Time    Value Unit Hold Peak"));
        QCOMPARE(listingHeading2(), QString("       ----------  -------- ------ ---- ---- ----"));
        QCOMPARE(listingHeading1().size(), 49);
        QCOMPARE(listingHeading2().size(), 49);
    }

    // Three recorded samples, one in microtesla, written and read back byte for byte.
    void recordingRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("rec.txt");
        const QStringList bodies = {"26/12/05\t15:32:39\t123.4\tmG\tH\t",
                                    QString("26/12/05\t15:32:41\t1.23\t\u03BCT\t\tP"),
                                    "26/12/05\t15:32:43\tOL\tmG\t\t"};
        RecordWriter writer;
        QVERIFY(writer.open(path));
        for (int i = 0; i < bodies.size(); ++i)
            QVERIFY2(writer.writeRecord(i + 1, bodies[i]), qPrintable(writer.errorString()));
        writer.close();

        const QByteArray expected = HeaderBytes + "1\t26/12/05\t15:32:39\t123.4\tmG\tH\t\t\r\n" +
                                    "2\t26/12/05\t15:32:41\t1.23\t\xB5T\t\tP\t\r\n" +
                                    "3\t26/12/05\t15:32:43\tOL\tmG\t\t\t\r\n";
        QCOMPARE(fileBytes(path), expected);
        const QStringList rows = recordRows(expected);
        QCOMPARE(rows.size(), 3);
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(rows[i], QString::number(i + 1) + '\t' + bodies[i] + '\t');
    }

    void writerFlushesEveryRecord()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("live.txt");
        RecordWriter writer;
        QVERIFY(writer.open(path));
        QVERIFY(writer.writeRecord(1, "a"));
        QCOMPARE(fileBytes(path), HeaderBytes + "1\ta\t\r\n");
        QVERIFY(writer.writeRecord(2, "b"));
        QCOMPARE(fileBytes(path), HeaderBytes + "1\ta\t\r\n2\tb\t\r\n");
        writer.close();
        QCOMPARE(fileBytes(path), HeaderBytes + "1\ta\t\r\n2\tb\t\r\n");
    }

    void writerReplacesAnExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.txt");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("a much longer previous content that must disappear\r\n");
        old.close();
        RecordWriter writer;
        QVERIFY(writer.open(path));
        QVERIFY(writer.writeRecord(1, "x"));
        writer.close();
        QCOMPARE(fileBytes(path), HeaderBytes + "1\tx\t\r\n");
    }

    void writerReportsFailures()
    {
        RecordWriter writer;
        QVERIFY(!writer.writeRecord(1, "not open"));
        QVERIFY(!writer.open("/nonexistent-folder/x.txt"));
        QVERIFY(!writer.errorString().isEmpty());

        if (QFile::exists("/dev/full")) {
            QVERIFY(writer.open("/dev/full"));
            QVERIFY(!writer.writeRecord(1, "disk full"));
            QVERIFY(writer.errorString().contains("Record 1"));
            writer.close();
        }

        QTemporaryDir dir;
        const QString path = dir.filePath("gone.txt");
        QVERIFY(writer.open(path));
        QVERIFY(writer.writeRecord(1, "kept"));
        QVERIFY(QFile::remove(path));
        QVERIFY(!writer.writeRecord(2, "lost"));
        QVERIFY(writer.errorString().contains("deleted"));
    }
};

QTEST_MAIN(RecordFileTest)
#include "tst_records_file.moc"
