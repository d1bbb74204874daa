// The record file as bytes: header, record lines, code page, reader items, the printed listing
// and the line-by-line writer of a recording.

#include "records/RecordFile.h"
#include "records/RecordWriter.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace veltrix;
using test::fileBytes;
using test::HeaderBytes;

class RecordFileTest : public QObject {
    Q_OBJECT
private slots:
    // Text and file bytes both ways; some texts only go one way (the micro sign and Greek mu
    // both become B5). UTF-8 files are among the reader rows.
    void codePage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("encodes");
        QTest::addColumn<bool>("decodes");
        const auto row = [](const char* name, const QString& text, const QByteArray& bytes,
                            bool encodes, bool decodes) {
            QTest::newRow(name) << text << bytes << encodes << decodes;
        };
        row("greek mu", "1\t\u03BCT", "1\t\xB5T", true, true);
        row("micro sign written", "\u00B5T", "\xB5T", true, false);
        row("euro, quotes, latin-1", "\u20AC\u201C\u201D\u00E9\u00FF", "\x80\x93\x94\xE9\xFF", true,
            true);
        row("outside code page", "\u0416\U0001F600x", "??x", true, false);
    }
    void codePage()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, encodes);
        QFETCH(bool, decodes);
        if (encodes)
            QCOMPARE(encodeRecordText(text), bytes);
        if (decodes)
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

    // A saved table: every row padded or cut to seven cells; no rows, no bytes at all.
    void tableWriterRoundTrip()
    {
        QCOMPARE(tableFileBytes({}), QByteArray());
        const QByteArray bytes =
            tableFileBytes({"1\ta", QString("2\tb\tc\td\t\u03BCT\tH\tP\textra"), ""});
        QCOMPARE(bytes, HeaderBytes + "1\ta\t\t\t\t\t\t\r\n" + "2\tb\tc\td\t\xB5T\tH\tP\t\r\n" +
                            "\t\t\t\t\t\t\t\r\n");
        QCOMPARE(recordRows(bytes),
                 QStringList({"1\ta\t\t\t\t\t\t", QString("2\tb\tc\td\t\u03BCT\tH\tP\t"),
                              "\t\t\t\t\t\t\t"}));
    }

    void listing_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("line");
        const auto row = [](const char* name, const QStringList& cells, const QString& line) {
            QTest::newRow(name) << cells << line;
        };
        row("record", {"12", "26/12/05", "15:32:39", "123.4", "mG", "H", ""},
            "12     26/12/05    15:32:39  123.4  mG   H         ");
        row("value of six fits", {"1", "26/12/05", "15:32:39", "1234.5", "\u03BCT", "", "P"},
            "1      26/12/05    15:32:39  1234.5 \u03BCT        P    ");
        row("long date printed whole", {"3", "2026/12/05/01", "15:32:39", "1.2", "mG", "", ""},
            "3      2026/12/05/0115:32:39  1.2    mG             ");
        row("value of eight printed whole", {"4", "26/12/05", "15:32:39", "12345678", "mG", "", ""},
            "4      26/12/05    15:32:39  12345678mG             ");
        row("missing cells", {"5"}, QString("5").leftJustified(51));
    }
    void listing()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, line);
        QCOMPARE(listingLine(cells), line);
        QCOMPARE(listingLineFromRow(cells.join('\t')), line);
        QCOMPARE(listingHeading1(), QString("          Date       Time    Value Unit Hold Peak"));
        QCOMPARE(listingHeading2(), QString("       ----------  -------- ------ ---- ---- ----"));
    }

    // Three samples, one in microtesla and one overloaded, recorded over a longer old file:
    // written byte for byte, flushed after every record, read back whole.
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
        QStringList rows;
        for (int i = 0; i < bodies.size(); ++i) {
            QVERIFY2(writer.writeRecord(i + 1, bodies[i]), qPrintable(writer.errorString()));
            expected += lines[i];
            QCOMPARE(fileBytes(path), expected); // on disk before the next sample
            rows << QString::number(i + 1) + '\t' + bodies[i] + '\t';
        }
        writer.close();
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(recordRows(expected), rows);
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
