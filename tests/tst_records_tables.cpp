// Saving and printing record tables, the live table and the file table.

#include "panel/SharedState.h"
#include "records/FileList.h"
#include "records/PollControl.h"
#include "records/RealTimeList.h"
#include "records/RecordFile.h"
#include "records/TableServices.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "ui/Grid.h"
#include "ui/LinePrinter.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace veltrix;

namespace {

using test::fileBytes;
using test::HeaderBytes;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct FakePoll : PollControl {
    QStringList calls;
    void stopPolling() override { calls << "stop"; }
    void startPolling() override { calls << "start"; }
};

QString body(int second, const QString& unit = "mG")
{
    return QString("26/12/05\t15:32:%1\t12.3\t%2\t\t").arg(second, 2, 10, QChar('0')).arg(unit);
}

QAction* toolAction(QWidget& window, const QString& key)
{
    QToolBar* bar = window.findChild<QToolBar*>("Toolbar1");
    return bar ? bar->findChild<QAction*>(key) : nullptr;
}

} // namespace

class TablesTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tmp.reset(new QTemporaryDir); }

    void saveDialog()
    {
        test::ScriptedDialogs dialogs;
        SharedState state;
        state.SaveFileName = "/earlier/name.txt";
        state.SaveFileChosen = true;
        QVERIFY(!ShowSaveDialog(nullptr, state));
        QCOMPARE(state.SaveFileChosen, false);
        QCOMPARE(state.SaveFileName, QString("/earlier/name.txt"));

        dialogs.fileAnswers << QString("/chosen/data"); // no extension added
        QVERIFY(ShowSaveDialog(nullptr, state));
        QCOMPARE(state.SaveFileChosen, true);
        QCOMPARE(state.SaveFileName, QString("/chosen/data"));
    }

    // The live table, saved and read back: byte-exact file, same cells.
    void liveTableRoundTrip()
    {
        test::ScriptedDialogs dialogs;
        SharedState state;
        state.ListViewOpen = true;
        RealTimeList live(state);
        live.AppendLiveRow(body(1));
        live.AppendLiveRow(body(3, microTeslaUnit()));
        live.AppendLiveRow("26/12/05\t15:32:05\tOL\tmG\tH\tP");
        QSignalSpy titles(&live, &QWidget::windowTitleChanged);

        state.SaveFileName = tmp->filePath("live.txt");
        QVERIFY(SaveTable(&live, live.grid(), state));
        const QByteArray expected = HeaderBytes + "1\t26/12/05\t15:32:01\t12.3\tmG\t\t\t\r\n" +
                                    "2\t26/12/05\t15:32:03\t12.3\t\xB5T\t\t\t\r\n" +
                                    "3\t26/12/05\t15:32:05\tOL\tmG\tH\tP\t\r\n";
        QCOMPARE(fileBytes(state.SaveFileName), expected);
        QVERIFY(dialogs.messages.isEmpty());

        // The caption counted the rows and was restored.
        QVERIFY(titles.size() >= 2);
        QCOMPARE(titles.at(titles.size() - 2).at(0).toString(), QString("3Records Completed"));
        QCOMPARE(live.windowTitle(), QString("Real Time List"));

        FileList list;
        QVERIFY(loadRecordFile(list, state.SaveFileName));
        QCOMPARE(list.grid().rows(), live.grid().rows());
        for (int r = 1; r < live.grid().rows(); ++r)
            for (int c = 0; c < RecordFields; ++c)
                QCOMPARE(list.grid().cell(r, c), live.grid().cell(r, c));
    }

    // A downloaded-data style table: "uT" and a single blank for hold off.
    void downloadedTableRoundTrip()
    {
        SharedState state;
        ui::Grid table(7);
        table.addItem("1\t26/01/02\t10:00:00\t0.12\tuT\t \t");
        table.addItem("2\t26/01/02\t10:00:10\t0.15\tuT\tH\tP");
        state.SaveFileName = tmp->filePath("logger.txt");
        QVERIFY(SaveTable(nullptr, table, state));
        QCOMPARE(fileBytes(state.SaveFileName), HeaderBytes +
                                                    "1\t26/01/02\t10:00:00\t0.12\tuT\t \t\t\r\n" +
                                                    "2\t26/01/02\t10:00:10\t0.15\tuT\tH\tP\t\r\n");
        FileList list;
        QVERIFY(loadRecordFile(list, state.SaveFileName));
        QCOMPARE(list.grid().rows(), 3);
        QCOMPARE(list.grid().cell(1, 5), QString(" "));
        QCOMPARE(list.grid().cell(1, 4), QString("uT"));
        QCOMPARE(list.grid().cell(2, 6), QString("P"));
    }

    void saveEmptyTable()
    {
        SharedState state;
        RealTimeList live(state);
        state.SaveFileName = tmp->filePath("empty.txt");
        writeFile(state.SaveFileName, "old content");
        QVERIFY(SaveTable(&live, live.grid(), state));
        QCOMPARE(fileBytes(state.SaveFileName), QByteArray());

        FileList list;
        QVERIFY(loadRecordFile(list, state.SaveFileName));
        QCOMPARE(list.grid().rows(), 1);
    }

    void saveFailures_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("existing");
        // Failures that hold for every user, root included.
        QTest::newRow("parent is a file") << "plain/data.txt" << false;
        QTest::newRow("target is a folder") << "folder.txt" << false;
        QTest::newRow("name too long for a temporary") << QString(250, 'n') << true;
    }
    void saveFailures()
    {
        QFETCH(QString, target);
        QFETCH(bool, existing);
        writeFile(tmp->filePath("plain"), "a file, not a folder");
        QVERIFY(QDir(tmp->path()).mkdir("folder.txt"));
        const QString path = tmp->filePath(target);
        if (existing)
            writeFile(path, "precious");

        test::ScriptedDialogs dialogs;
        SharedState state;
        state.SaveFileName = path;
        ui::Grid table(7);
        table.addItems(QStringList{"1\ta", "2\tb"});
        QWidget window;
        window.setWindowTitle("Real Time List");
        QVERIFY(!SaveTable(&window, table, state));
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].contains(path));
        QCOMPARE(dialogs.icons[0], ui::MsgIcon::Critical);
        QCOMPARE(window.windowTitle(), QString("Real Time List"));
        if (existing)
            QCOMPARE(fileBytes(path), QByteArray("precious"));
    }

    void printToPdf()
    {
        test::ScriptedDialogs dialogs;
        ui::Grid table(7);
        table.addItem("1\t26/12/05\t15:32:39\t123.4\tmG\tH\t");
        table.addItem("2\t2026/12/05/01\t15:32:41\t12345678\tmG\t\t"); // too long: printed whole
        for (int i = 3; i <= 150; ++i)                                 // more than one page
            table.addItem(QString::number(i) + "\t" + body(i % 60));

        const QStringList lines = listingOf(table);
        QCOMPARE(lines.size(), 152);
        QCOMPARE(lines[0], listingHeading1());
        QCOMPARE(lines[1], listingHeading2());
        QCOMPARE(lines[2], QString("1      26/12/05    15:32:39  123.4  mG   H         "));
        QCOMPARE(lines[3], QString("2      2026/12/05/0115:32:41  12345678mG             "));

        const QString pdf = tmp->filePath("listing.pdf");
        ui::LinePrinter printer(pdf);
        FakePoll poll;
        QVERIFY(PrintTable(table, printer, &poll));
        QCOMPARE(poll.calls, QStringList({"stop", "start"}));
        QVERIFY(QFileInfo(pdf).size() > 0);
        QVERIFY(fileBytes(pdf).startsWith("%PDF"));
        QVERIFY(printer.pagesPrinted() >= 2);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void printEmptyTableAndFailure()
    {
        test::ScriptedDialogs dialogs;
        ui::Grid table(7);
        QCOMPARE(listingOf(table), QStringList({listingHeading1(), listingHeading2()}));

        ui::LinePrinter broken(tmp->filePath("no-such-folder/listing.pdf"));
        FakePoll poll;
        QVERIFY(!PrintTable(table, broken, &poll));
        QCOMPARE(poll.calls, QStringList({"stop", "start"}));
        QCOMPARE(dialogs.messages.size(), 1);
    }

    void liveTableScrollsFromRow19()
    {
        SharedState state;
        state.ListViewOpen = true;
        RealTimeList live(state);
        live.show();
        QVERIFY(QTest::qWaitForWindowExposed(&live));
        for (int i = 1; i <= 18; ++i) {
            live.AppendLiveRow(body(i));
            QCOMPARE(live.grid().topRow(), 1);
        }
        live.AppendLiveRow(body(19));
        QCOMPARE(live.grid().topRow(), 2);
        live.AppendLiveRow(body(20));
        QCOMPARE(live.grid().topRow(), 3);
        QTRY_COMPARE(live.grid().view()->verticalScrollBar()->value(), 2);
        QCOMPARE(state.ListRowCount, 20);
        QCOMPARE(live.grid().cell(20, 0), QString("20"));
    }

    void liveTableStopsAtItsLimit()
    {
        SharedState state;
        state.ListViewOpen = true;
        RealTimeList live(state);
        QCOMPARE(live.rowLimit(), MaxRecords);
        live.setRowLimit(3);
        live.AppendLiveRow(body(1));
        live.AppendLiveRow(body(2));
        QVERIFY(state.ListViewOpen);
        live.AppendLiveRow(body(3));
        QCOMPARE(state.ListRowCount, 0);
        QVERIFY(!state.ListViewOpen);
        QCOMPARE(live.grid().rows(), 4);
    }

    void closingTheLiveTable()
    {
        SharedState state;
        state.ListViewOpen = true;
        QPointer<RealTimeList> live = new RealTimeList(state);
        live->show();
        live->AppendLiveRow(body(1));
        QSignalSpy closed(live.data(), &RealTimeList::closed);
        QVERIFY(live->close());
        QCOMPARE(closed.size(), 1);
        QCOMPARE(state.ListRowCount, 0);
        QVERIFY(!state.ListViewOpen);
        QTRY_VERIFY(live.isNull()); // deleted on close
    }

    void liveTableWindow()
    {
        SharedState state;
        RealTimeList live(state);
        QCOMPARE(live.objectName(), QString("RealTimeList"));
        QCOMPARE(live.windowTitle(), QString("Real Time List"));
        QCOMPARE(live.findChild<ui::Grid*>("Grid"), &live.grid());
        QCOMPARE(live.grid().cols(), 7);
        QCOMPARE(live.grid().cell(0, 0), QString());
        QCOMPARE(live.grid().cell(0, 1), QString("   Date"));
        QCOMPARE(live.grid().cell(0, 2), QString(" Time"));
        QVERIFY(toolAction(live, "Save"));
        QCOMPARE(toolAction(live, "Save")->toolTip(), QString("Save File"));
        QCOMPARE(toolAction(live, "Print")->toolTip(), QString("Print"));
        live.placeBeside(QRect(0, 0, 300, 200));
        QCOMPARE(live.pos().x(), 300);
    }

    void saveRefusedWhileRecording()
    {
        test::ScriptedDialogs dialogs;
        SharedState state;
        state.RecordingOn = true;
        RealTimeList live(state);
        toolAction(live, "Save")->trigger();
        QCOMPARE(dialogs.messages,
                 QStringList{"Aready in recording mode, close it and try again !"});
        QCOMPARE(dialogs.icons[0], ui::MsgIcon::Critical);
        QCOMPARE(dialogs.fileRequests, 0);
    }

    void saveFromTheLiveTable()
    {
        test::ScriptedDialogs dialogs;
        SharedState state;
        state.ListViewOpen = true;
        RealTimeList live(state);
        live.AppendLiveRow(body(1));
        const QString path = tmp->filePath("saved.txt");

        toolAction(live, "Save")->trigger(); // cancelled
        QCOMPARE(dialogs.fileRequests, 1);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!state.SaveFileChosen);

        dialogs.fileAnswers << path;
        toolAction(live, "Save")->trigger();
        QCOMPARE(fileBytes(path), HeaderBytes + "1\t" + body(1).toLatin1() + "\t\r\n");
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void fileListWindow()
    {
        FileList list;
        QCOMPARE(list.objectName(), QString("FileList"));
        QCOMPARE(list.windowTitle(), QString("File List"));
        QCOMPARE(list.grid().cell(0, 0), QString("No.s"));
        QVERIFY(!toolAction(list, "Plot")->isEnabled()); // no list plot connected yet

        const QString pdf = tmp->filePath("list.pdf");
        list.setPrinterFactory([pdf] { return std::make_unique<ui::LinePrinter>(pdf); });
        toolAction(list, "Print")->trigger();
        QVERIFY(QFileInfo(pdf).size() > 0);
    }

    // A file of two records keeps the file's numbers; the caption ends with the file's name.
    void openKeepsTheFilesNumbers()
    {
        const QString path = tmp->filePath("two.txt");
        writeFile(path, HeaderBytes + "7\t" + body(1).toLatin1() + "\t\r\n9\t" +
                            body(2).toLatin1() + "\t\r\n");
        FileList list;
        list.grid().addItem("stale row");
        QVERIFY(loadRecordFile(list, path));
        QCOMPARE(list.grid().rows(), 3);
        QCOMPARE(list.grid().cell(1, 0), QString("7"));
        QCOMPARE(list.grid().cell(2, 0), QString("9"));
        QCOMPARE(list.grid().cell(2, 2), QString("15:32:02"));
        QCOMPARE(list.windowTitle(), QString("two.txt"));
    }

    void openFailureOpensNothing()
    {
        test::ScriptedDialogs dialogs;
        FileList list;
        list.grid().addItem("kept");
        QString error;
        QVERIFY(!loadRecordFile(list, tmp->filePath("missing.txt"), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(list.grid().rows(), 2);
        QCOMPARE(list.windowTitle(), QString("File List"));
    }

private:
    std::unique_ptr<QTemporaryDir> tmp;
};

QTEST_MAIN(TablesTest)
#include "tst_records_tables.moc"
