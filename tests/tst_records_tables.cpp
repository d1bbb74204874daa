// SPDX-License-Identifier: GPL-3.0-or-later
// Record tables and their files: the file's bytes (code page, reader, printed listing, the
// line-by-line writer of a recording), CSV, saving and printing tables, the live and file tables.

#include "records/CsvExport.h"
#include "records/FileList.h"
#include "records/RealTimeList.h"
#include "records/RecordFile.h"
#include "records/RecordWriter.h"
#include "records/TableServices.h"
#include "support/FakePoll.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "ui/Grid.h"
#include "ui/LinePrinter.h"

#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace veltrix;
using test::fileBytes;
using test::HeaderBytes;
using test::writeFile;

namespace {
const QString Mu = QString(QChar(0x03BC));
const QString Micro = QString(QChar(0x00B5));
const QByteArray CsvHeader = "No,DateTime,Value,Unit,Hold,Peak\r\n";

QString body(int second, const QString& unit = "mG")
{
    return QString("26/12/05\t15:32:%1\t12.3\t%2\t\t").arg(second, 2, 10, QChar('0')).arg(unit);
}
} // namespace

class TablesTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        tmp.reset(new QTemporaryDir);
        dialogs.reset(); // the old script ends before the new one starts answering
        dialogs = std::make_unique<test::ScriptedDialogs>();
    }

    // Save: cancelled, then saved while the caption counts the rows; CSV export.
    void liveTableSaved()
    {
        QVERIFY(!SaveTable(nullptr, ui::Grid(7), QString())); // no file chosen: nothing saved
        QString name = "kept";
        bool chosen = true;
        QVERIFY(!ShowSaveDialog(nullptr, name, chosen)); // cancelled
        QVERIFY(!chosen);
        QCOMPARE(name, QString("kept"));
        RealTimeList live;
        QVERIFY(!live.findChild<QObject*>("Toolbar1")->property("movable").toBool()); // no grip
        live.AppendLiveRow(body(1));
        live.AppendLiveRow(body(3, microTeslaUnit()));
        live.AppendLiveRow("26/12/05\t15:32:05\tOL\tmG\tH\tP");
        QAction* save = live.findChild<QAction*>("Save");
        save->trigger();
        QCOMPARE(dialogs->fileRequests, 2);
        const QString path = tmp->filePath("live.txt");
        dialogs->fileAnswers << path;
        QSignalSpy titles(&live, &QWidget::windowTitleChanged);
        save->trigger();
        QCOMPARE(fileBytes(path), HeaderBytes + "1\t26/12/05\t15:32:01\t12.3\tmG\t\t\t\r\n" +
                                      "2\t26/12/05\t15:32:03\t12.3\t\xB5T\t\t\t\r\n" +
                                      "3\t26/12/05\t15:32:05\tOL\tmG\tH\tP\t\r\n");
        QCOMPARE(dialogs->messages, QStringList());
        QVERIFY(titles.size() >= 3);
        QCOMPARE(titles.first().at(0).toString(), QString("1Records Completed"));
        QCOMPARE(titles.at(titles.size() - 2).at(0).toString(), QString("3Records Completed"));
        QCOMPARE(live.windowTitle(), QString("Real Time List"));
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        dialogs->fileAnswers << tmp->filePath("live.csv"); // its CSV is the conversion's
        live.findChild<QAction*>("ExportCsv")->trigger();
        QVERIFY(
            fileBytes(tmp->filePath("live.csv")).startsWith(CsvHeader + "1,2026-12-05T15:32:01"));
        QVERIFY(SaveTable(nullptr, ui::Grid(7), path));
        QCOMPARE(fileBytes(path), QByteArray());
    }

    // Failures that hold for every user, root included.
    void saveFailuresKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<int>("sizeLimit"); // bytes a file may grow to; 0: no limit
        QTest::newRow("target is a folder") << "folder.txt" << false << 0;
        QTest::newRow("name too long for a temporary") << QString(250, 'n') << true << 0;
        // A small table stays in the buffer until the end, where the disk turns out full.
        QTest::newRow("disk fills") << "full.txt" << true << 40;
    }
    void saveFailuresKeepTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, existing);
        QFETCH(int, sizeLimit);
        QVERIFY(QDir(tmp->path()).mkdir("folder.txt"));
        const QString path = tmp->filePath(target);
        if (existing)
            QVERIFY(writeFile(path, "precious"));
        ui::Grid table(7);
        table.addItems(QStringList{"1\ta", "2\tb"});
        {
            const std::optional<test::FileSizeLimit> limit =
                sizeLimit ? std::make_optional<test::FileSizeLimit>(sizeLimit) : std::nullopt;
            QVERIFY(!SaveTable(nullptr, table, path));
        }
        QCOMPARE(dialogs->messages.size(), 1);
        QVERIFY(dialogs->messages[0].contains(path));
        if (existing)
            QCOMPARE(fileBytes(path), QByteArray("precious"));
        QCOMPARE(QDir(tmp->path()).entryList(QDir::Files | QDir::Hidden).filter("full"),
                 QStringList(existing && sizeLimit ? QStringList{"full.txt"} : QStringList{}));
    }

    // Polling restarts whether the printer works or not, never under an outer pause; failures told.
    void print_data()
    {
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<bool>("works");
        QTest::addColumn<bool>("polling"); // false: printed inside a pause (a key in a download)
        QTest::newRow("two pages") << "listing.pdf" << true << true;
        QTest::newRow("missing folder") << "no-such-folder/listing.pdf" << false << true;
        QTest::newRow("inside a pause") << "listing.pdf" << true << false;
    }
    void print()
    {
        QFETCH(QString, pdf);
        QFETCH(bool, works);
        QFETCH(bool, polling);
        ui::Grid table(7);
        for (int i = 1; i <= 150; ++i)
            table.addItem(QString::number(i) + "\t" + body(i % 60));
        QCOMPARE(listingOf(table).size(), 152); // two headings and the rows
        ui::LinePrinter printer(tmp->filePath(pdf));
        test::FakePoll poll;
        if (!polling)
            poll.stopPolling();
        QCOMPARE(PrintTable(table, printer, &poll), works);
        QCOMPARE(poll.calls, QStringList({"stop", polling ? "start" : "stop"}));
        QCOMPARE(dialogs->messages.size(), works ? 0 : 1);
        QVERIFY(!works || printer.pagesPrinted() >= 2);
    }

    // The newest row stays in view; at its row limit the table says it is full, numbers from 1.
    void liveTableScrollsAndStopsAtItsLimit()
    {
        RealTimeList live;
        QSignalSpy full(&live, &RealTimeList::full);
        live.setRowLimit(21);
        live.show();
        QVERIFY(QTest::qWaitForWindowExposed(&live));
        for (int i = 1; i <= 20; ++i) {
            live.AppendLiveRow(body(i));
            QCOMPARE(live.grid().topRow(), qMax(1, i - 17));
        }
        QTableView* view = live.grid().view();
        QTRY_COMPARE(view->verticalScrollBar()->value(), 2);
        const QModelIndex newest = view->model()->index(view->model()->rowCount() - 1, 0);
        QVERIFY(view->viewport()->rect().contains(view->visualRect(newest)));
        QCOMPARE(full.count(), 0);
        live.AppendLiveRow(body(21));
        QCOMPARE(live.listRowCount(), 0);
        QCOMPARE(full.count(), 1);
        QCOMPARE(live.grid().rows(), 22);
    }

    // The link lost (the live table closed) with its dialog open; saving while recording refused.
    void closedWhileItsDialogIsOpen_data()
    {
        QTest::addColumn<bool>("recording");
        QTest::newRow("refusal message") << true;
        QTest::newRow("save dialog") << false;
    }
    void closedWhileItsDialogIsOpen()
    {
        QFETCH(bool, recording);
        TableHost host;
        host.recording = [recording] { return recording; };
        QPointer<RealTimeList> live = new RealTimeList(std::move(host));
        QSignalSpy closed(live.data(), &RealTimeList::closed);
        live->show();
        live->AppendLiveRow(body(1));
        dialogs->fileAnswers << tmp->filePath("while-closing.txt");
        dialogs->duringDialog = [&] {
            QEventLoop dialogLoop; // the dialog's own, in which a poll tick closes the window
            QTimer::singleShot(0, &dialogLoop, [&] { live->close(); });
            QTimer::singleShot(50, &dialogLoop, &QEventLoop::quit);
            dialogLoop.exec();
        };
        QCOMPARE(live->save(), !recording);
        QCOMPARE(dialogs->messages,
                 recording ? QStringList{"Aready in recording mode, close it and try again !"}
                           : QStringList());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(live->listRowCount(), 0); // a list opened again numbers from 1
        QTRY_VERIFY(live.isNull());        // deleted once the dialog was over
    }

    // An unreadable file leaves the list as it was; a readable one replaces it, numbers kept, and
    // is exported as its conversion would write it.
    void fileListOpensAndExports()
    {
        FileList list;
        list.grid().addItem("stale row");
        QVERIFY(!loadRecordFile(list, tmp->filePath("missing.txt")));
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(list.grid().rows(), 2);
        QCOMPARE(list.windowTitle(), QString("File List"));
        // A read that fails (the kernel's EIO on this file) is refused, not taken as empty.
        QString error;
        QVERIFY(!loadRecordFile(list, "/proc/self/mem", &error));
        QVERIFY2(error.contains("cannot be read"), qPrintable(error));
        QCOMPARE(list.grid().rows(), 2);
        const QString path = tmp->filePath("two.txt");
        QVERIFY(writeFile(path, HeaderBytes + "7\t" + body(1).toLatin1() + "\t\r\n9\t" +
                                    body(2).toLatin1() + "\t\r\n"));
        QVERIFY(loadRecordFile(list, path));
        QCOMPARE(list.grid().rows(), 3);
        QCOMPARE(list.grid().view()->model()->headerData(0, Qt::Horizontal), QVariant("No.s"));
        QCOMPARE(list.grid().rowText(2), "9\t" + body(2));
        QCOMPARE(list.grid().cell(2, 2), QString("15:32:02"));
        QCOMPARE(list.windowTitle(), QString("two.txt"));
        connect(&list, &FileList::plotRequested, [] {}); // its Plot works once a plot listens
        QVERIFY(list.findChild<QAction*>("Plot")->isEnabled());
        dialogs->fileAnswers << tmp->filePath("table"); // no suffix: .csv added
        list.findChild<QAction*>("ExportCsv")->trigger();
        QVERIFY(convertRecordFileToCsv(path, tmp->filePath("reference.csv")) == 2);
        QCOMPARE(fileBytes(tmp->filePath("table.csv")), fileBytes(tmp->filePath("reference.csv")));
        dialogs->fileAnswers << std::nullopt; // cancelled: nothing written, nothing more said
        QVERIFY(!list.exportCsv());
        QCOMPARE(dialogs->messages.size(), 2); // the two files that could not be read
        dialogs->fileAnswers << tmp->filePath("no/such/dir/x.csv");
        QVERIFY(!list.exportCsv());
        QCOMPARE(dialogs->messages.size(), 3);
    }

    // What the code page lacks becomes "?" (Greek mu becomes B5 in the table writer's test).
    void codePage()
    {
        QCOMPARE(encodeRecordText(u"\u20AC\u201C\u201D\u00E9\u00FF"),
                 QByteArray("\x80\x93\x94\xE9\xFF"));
        QCOMPARE(encodeRecordText(u"\u0416\U0001F600x"), QByteArray("??x"));
    }

    void reader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
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
        QCOMPARE(listingLineFromRow(u"1\t26/12/05\t15:32:39\t1234.5\t\u03BCT\t\tP"),
                 QString("1      26/12/05    15:32:39  1234.5 \u03BCT        P    "));
        // Cells too long for their column are printed whole.
        QCOMPARE(listingLineFromRow(u"3\t2026/12/05/01\t15:32:39\t12345678\tmG\t\t"),
                 QString("3      2026/12/05/0115:32:39  12345678mG             "));
        QCOMPARE(listingLineFromRow(u"5"), QString("5").leftJustified(51));
    }

    // Recorded over a longer old file, each record on disk before the next; a deleted file is told.
    void recordingRoundTrip()
    {
        const QString path = tmp->filePath("rec.txt");
        QVERIFY(writeFile(path, "a much longer previous content that must disappear\r\n"));
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
        QVERIFY(QFile::remove(path));
        QVERIFY(!writer.writeRecord(4, "lost"));
        QVERIFY(writer.errorString().contains("deleted"));
    }

    void writerReportsFailures()
    {
        RecordWriter writer;
        QVERIFY(!writer.writeRecord(1, "not open"));
        QVERIFY(!writer.open("/nonexistent-folder/x.txt"));
        QVERIFY(!writer.errorString().isEmpty());

        // A disk that fills in the middle of record 2 keeps record 1 and nothing of record 2.
        const QString full = tmp->filePath("full.txt");
        QVERIFY(writer.open(full));
        QVERIFY(writer.writeRecord(1, "kept"));
        {
            const test::FileSizeLimit limit(HeaderBytes.size() + 12);
            QVERIFY(!writer.writeRecord(2, "a record too long for the disk"));
        }
        QVERIFY(writer.errorString().contains("Record 2"));
        writer.close();
        QCOMPARE(fileBytes(full), HeaderBytes + "1\tkept\t\r\n");
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
        QCOMPARE(csvCells(u"5\t26/12/05\t10:00:00\t1\"2,3\tmG\t\t\textra"),
                 QStringList({"5", "2026-12-05T10:00:00", "1\"2,3", "mG", "", ""}));
        // A date or time that is not the meter's is kept as it was written.
        const auto when = [](const char16_t* date, const char16_t* time) {
            return csvCells(QStringLiteral("1\t%1\t%2\t1\tmG").arg(date, time)).value(1);
        };
        QCOMPARE(when(u"2026-12-05", u"15:32"), QString("2026-12-05 15:32"));
        QCOMPARE(when(u"26/12/051", u"15:32:39"), QString("26/12/051 15:32:39"));
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
        const QString in = tmp->filePath("data.txt");
        QVERIFY(writeFile(in, HeaderBytes + "1\t26/12/05\t15:32:39\t0.12\t\xB5T\t\t\t\r\n\r\n"
                                            "2\t26/12/05\t15:32:41\tOL\t\xB5T\t\tP\t\r\n"));
        const QString out = tmp->filePath("data.csv");
        QVERIFY(writeFile(out, "old content, longer than the new one at that"));
        QCOMPARE(convertRecordFileToCsv(in, out), 2);
        QCOMPARE(fileBytes(out), CsvHeader + "1,2026-12-05T15:32:39,0.12,\xC2\xB5T,,\r\n"
                                             "2,2026-12-05T15:32:41,OL,\xC2\xB5T,,P\r\n");
        // Blank table rows are left out; a value with a comma is quoted.
        QCOMPARE(csvBytes({u"  ", u"3\t26/12/05\t15:32:40\t12,5\tmG\t\t"}),
                 CsvHeader + "3,2026-12-05T15:32:40,\"12,5\",mG,,\r\n");

        QString error;
        QCOMPARE(convertRecordFileToCsv(tmp->filePath("missing.txt"), out, &error), -1);
        QVERIFY(error.contains("missing.txt"));
        QVERIFY(fileBytes(out).startsWith(CsvHeader));
        QCOMPARE(convertRecordFileToCsv(in, tmp->filePath("no/such/dir/out.csv"), &error), -1);
        QVERIFY(error.contains("no/such/dir/out.csv"));
    }

private:
    std::unique_ptr<QTemporaryDir> tmp;
    std::unique_ptr<test::ScriptedDialogs> dialogs;
};

QTEST_MAIN(TablesTest)
#include "tst_records_tables.moc"
