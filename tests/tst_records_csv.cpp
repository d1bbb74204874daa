// CSV export: the writer, our own reader, the record file conversion and the tables' command.

#include "panel/SharedState.h"
#include "records/CsvExport.h"
#include "records/FileList.h"
#include "records/RealTimeList.h"
#include "records/RecordFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>

using namespace veltrix;

namespace {

const QString Mu = QString(QChar(0x03BC));
const QString Micro = QString(QChar(0x00B5));

QList<QStringList> readCsv(const QString& path)
{
    const QByteArray bytes = test::fileBytes(path);
    return parseCsv(QString::fromUtf8(bytes));
}

} // namespace

class TestRecordsCsv : public QObject {
    Q_OBJECT
private slots:
    void cells_data();
    void cells();
    void reader_data();
    void reader();
    void roundTrip();
    void convertRecordFile();
    void convertUnreadable();
    void exportFromTables();
};

void TestRecordsCsv::cells_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("record") << "12\t26/12/05\t15:32:39\t123.4\tmG\tH\t"
                            << QStringList{"12", "2026-12-05T15:32:39", "123.4", "mG", "H", ""};
    QTest::newRow("overload, microtesla, peak")
        << "3\t26/01/31\t23:59:59\tOL\t" + Mu + "T\t\tP"
        << QStringList{"3", "2026-01-31T23:59:59", "OL", Micro + "T", "", "P"};
    QTest::newRow("downloaded tenth of a second")
        << "7\t25/03/14\t09:41:07.4\t0.05\tuT\t \t"
        << QStringList{"7", "2025-03-14T09:41:07.4", "0.05", Micro + "T", "", ""};
    QTest::newRow("unreadable date kept")
        << "1\t2026-12-05\t15:32\t1.0\tmG\t\t"
        << QStringList{"1", "2026-12-05 15:32", "1.0", "mG", "", ""};
    QTest::newRow("bad time kept") << "1\t26/12/05\t15:32:3x\t1.0\tmG\t\t"
                                   << QStringList{"1", "26/12/05 15:32:3x", "1.0", "mG", "", ""};
    QTest::newRow("short row") << "4\t26/12/05" << QStringList{"4", "26/12/05", "", "", "", ""};
    QTest::newRow("quote and comma survive")
        << "5\t26/12/05\t10:00:00\t1\"2,3\tmG\t\t\textra"
        << QStringList{"5", "2026-12-05T10:00:00", "1\"2,3", "mG", "", ""};
}

void TestRecordsCsv::cells()
{
    QFETCH(QString, row);
    QFETCH(QStringList, expected);
    QCOMPARE(csvCells(row), expected);
}

void TestRecordsCsv::reader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("crlf") << "a,b\r\nc,d\r\n" << QList<QStringList>{{"a", "b"}, {"c", "d"}};
    QTest::newRow("lf, no final line end")
        << "a,b\nc," << QList<QStringList>{{"a", "b"}, {"c", ""}};
    QTest::newRow("quoted comma, quote, line end")
        << "\"x,y\",\"say \"\"hi\"\"\",\"l1\r\nl2\"\r\n"
        << QList<QStringList>{{"x,y", "say \"hi\"", "l1\r\nl2"}};
    QTest::newRow("empty fields") << ",,\r\n" << QList<QStringList>{{"", "", ""}};
}

void TestRecordsCsv::reader()
{
    QFETCH(QString, text);
    QFETCH(QList<QStringList>, rows);
    QCOMPARE(parseCsv(text), rows);
}

void TestRecordsCsv::roundTrip()
{
    const QString a = "1\t26/12/05\t15:32:39.4\tOL\t" + Mu + "T\tH\tP";
    const QString b = "2\t26/12/05\t15:32:40\t12,5\tmG\t\t";
    const QByteArray bytes = csvBytes({QStringView(a), QStringView(b), QStringView(u"  ")});
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF")); // no byte-order mark: Python's csv reads it as is
    QVERIFY(bytes.contains("\xC2\xB5T"));       // the micro sign in UTF-8
    QVERIFY(bytes.startsWith("No,DateTime,Value,Unit,Hold,Peak\r\n"));
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes));
    QCOMPARE(rows.size(), 3); // blank row left out
    QCOMPARE(rows[1], (QStringList{"1", "2026-12-05T15:32:39.4", "OL", Micro + "T", "H", "P"}));
    QCOMPARE(rows[2], (QStringList{"2", "2026-12-05T15:32:40", "12,5", "mG", "", ""}));
}

void TestRecordsCsv::convertRecordFile()
{
    QTemporaryDir dir;
    const QString in = dir.filePath("data.txt");
    // As the panel writes it: Windows-1252, micro sign B5, CR LF; an empty line inside.
    QVERIFY(test::writeFile(in, test::HeaderBytes +
                                    "1\t26/12/05\t15:32:39\t0.12\t\xB5T\t\t\t\r\n\r\n"
                                    "2\t26/12/05\t15:32:41\tOL\t\xB5T\t\tP\t\r\n"));
    const QString out = dir.filePath("data.csv");
    QVERIFY(test::writeFile(out, "old"));
    QString error;
    QCOMPARE(convertRecordFileToCsv(in, out, &error), 2);
    const QList<QStringList> rows = readCsv(out);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0], csvHeaderLine().split(','));
    QCOMPARE(rows[1], (QStringList{"1", "2026-12-05T15:32:39", "0.12", Micro + "T", "", ""}));
    QCOMPARE(rows[2], (QStringList{"2", "2026-12-05T15:32:41", "OL", Micro + "T", "", "P"}));
}

void TestRecordsCsv::convertUnreadable()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("kept.csv");
    QVERIFY(test::writeFile(out, "kept"));
    QString error;
    QCOMPARE(convertRecordFileToCsv(dir.filePath("missing.txt"), out, &error), -1);
    QVERIFY(error.contains("missing.txt"));
    QCOMPARE(test::fileBytes(out), QByteArray("kept"));
    // An unwritable target leaves the error, not a half-written file.
    const QString in = dir.filePath("in.txt");
    QVERIFY(test::writeFile(in, test::HeaderBytes + "1\t26/12/05\t15:32:39\t1.0\tmG\t\t\t\r\n"));
    QCOMPARE(convertRecordFileToCsv(in, dir.filePath("no/such/dir/out.csv"), &error), -1);
    QVERIFY(!error.isEmpty());
}

void TestRecordsCsv::exportFromTables()
{
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    const QString in = dir.filePath("data.txt");
    QVERIFY(test::writeFile(in, test::HeaderBytes + "1\t26/12/05\t15:32:39\t12.3\tmG\tH\t\t\r\n"
                                                    "2\t26/12/05\t15:32:41\tOL\t\xB5T\t\tP\t\r\n"));
    FileList list;
    QVERIFY(loadRecordFile(list, in));
    auto* exportCsv = list.findChild<QAction*>("ExportCsv");
    QVERIFY(exportCsv);

    dialogs.fileAnswers << dir.filePath("table"); // no suffix: .csv added
    exportCsv->trigger();
    QCOMPARE(readCsv(dir.filePath("table.csv")), readCsv([&] {
                 const QString reference = dir.filePath("reference.csv");
                 convertRecordFileToCsv(in, reference);
                 return reference;
             }()));

    dialogs.fileAnswers << std::nullopt; // cancelled: nothing written, nothing said
    QVERIFY(!list.exportCsv());
    QVERIFY(dialogs.messages.isEmpty());

    dialogs.fileAnswers << dir.filePath("no/such/dir/x.csv");
    QVERIFY(!list.exportCsv());
    QCOMPARE(dialogs.messages.size(), 1);

    SharedState state;
    RealTimeList live(state);
    live.AppendLiveRow("26/12/05\t15:32:39\t0.05\t" + Mu + "T\t\t");
    QVERIFY(live.findChild<QAction*>("ExportCsv"));
    dialogs.fileAnswers << dir.filePath("live.csv");
    QVERIFY(live.exportCsv());
    QCOMPARE(readCsv(dir.filePath("live.csv")).value(1),
             (QStringList{"1", "2026-12-05T15:32:39", "0.05", Micro + "T", "", ""}));
}

QTEST_MAIN(TestRecordsCsv)
#include "tst_records_csv.moc"
