// Saving and printing record tables, the live table, the file table and the grid beneath them.

#include "panel/SharedState.h"
#include "records/FileList.h"
#include "records/RealTimeList.h"
#include "records/RecordFile.h"
#include "records/TableServices.h"
#include "support/FakePoll.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "ui/Grid.h"
#include "ui/LinePrinter.h"

#include <QAction>
#include <QDir>
#include <QEventLoop>
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
QString body(int second, const QString& unit = "mG")
{
    return QString("26/12/05\t15:32:%1\t12.3\t%2\t\t").arg(second, 2, 10, QChar('0')).arg(unit);
}
} // namespace

class TablesTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tmp.reset(new QTemporaryDir); }

    // Save: refused while recording, cancelled, then saved while the caption counts the rows.
    void liveTableSaved()
    {
        test::ScriptedDialogs dialogs;
        SharedState state;
        state.RecordingOn = true;
        RealTimeList live(state);
        live.AppendLiveRow(body(1));
        live.AppendLiveRow(body(3, microTeslaUnit()));
        live.AppendLiveRow("26/12/05\t15:32:05\tOL\tmG\tH\tP");
        QAction* save = live.findChild<QAction*>("Save");
        save->trigger();
        QCOMPARE(dialogs.messages,
                 QStringList{"Aready in recording mode, close it and try again !"});
        QCOMPARE(dialogs.fileRequests, 0);
        state.RecordingOn = false;
        save->trigger();
        QCOMPARE(dialogs.fileRequests, 1);
        QVERIFY(!state.SaveFileChosen);
        const QString path = tmp->filePath("live.txt");
        dialogs.fileAnswers << path;
        QSignalSpy titles(&live, &QWidget::windowTitleChanged);
        save->trigger();
        QVERIFY(state.SaveFileChosen);
        QCOMPARE(fileBytes(path), HeaderBytes + "1\t26/12/05\t15:32:01\t12.3\tmG\t\t\t\r\n" +
                                      "2\t26/12/05\t15:32:03\t12.3\t\xB5T\t\t\t\r\n" +
                                      "3\t26/12/05\t15:32:05\tOL\tmG\tH\tP\t\r\n");
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(titles.size() >= 3);
        QCOMPARE(titles.first().at(0).toString(), QString("1Records Completed"));
        QCOMPARE(titles.at(titles.size() - 2).at(0).toString(), QString("3Records Completed"));
        QCOMPARE(live.windowTitle(), QString("Real Time List"));
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        QVERIFY(SaveTable(nullptr, ui::Grid(7), state));
        QCOMPARE(fileBytes(path), QByteArray());
        // A list opened again numbers from 1.
        live.close();
        RealTimeList again(state);
        again.AppendLiveRow(body(1));
        QCOMPARE(again.grid().cell(again.grid().rows() - 1, 0), QString("1"));
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
        test::ScriptedDialogs dialogs;
        SharedState state;
        state.SaveFileName = path;
        ui::Grid table(7);
        table.addItems(QStringList{"1\ta", "2\tb"});
        QWidget window;
        window.setWindowTitle("Real Time List");
        {
            const std::optional<test::FileSizeLimit> limit =
                sizeLimit ? std::make_optional<test::FileSizeLimit>(sizeLimit) : std::nullopt;
            QVERIFY(!SaveTable(&window, table, state));
        }
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].contains(path));
        QCOMPARE(window.windowTitle(), QString("Real Time List"));
        if (existing)
            QCOMPARE(fileBytes(path), QByteArray("precious"));
        QCOMPARE(QDir(tmp->path()).entryList(QDir::Files | QDir::Hidden).filter("full"),
                 QStringList(existing && sizeLimit ? QStringList{"full.txt"} : QStringList{}));
    }

    // Polling is started again whether the printer works or not; a failure is reported.
    void print_data()
    {
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<bool>("works");
        QTest::newRow("two pages") << "listing.pdf" << true;
        QTest::newRow("missing folder") << "no-such-folder/listing.pdf" << false;
    }
    void print()
    {
        QFETCH(QString, pdf);
        QFETCH(bool, works);
        test::ScriptedDialogs dialogs;
        ui::Grid table(7);
        for (int i = 1; i <= 150; ++i)
            table.addItem(QString::number(i) + "\t" + body(i % 60));
        QCOMPARE(listingOf(table).size(), 152); // two headings and the rows
        ui::LinePrinter printer(tmp->filePath(pdf));
        test::FakePoll poll;
        QCOMPARE(PrintTable(table, printer, &poll), works);
        QCOMPARE(poll.calls, QStringList({"stop", "start"}));
        QCOMPARE(dialogs.messages.size(), works ? 0 : 1);
        QVERIFY(!works || printer.pagesPrinted() >= 2);
    }

    // The newest row stays in view; at the row limit the table is closed, as the user would.
    void liveTableScrollsAndStopsAtItsLimit()
    {
        SharedState state;
        state.ListViewOpen = true;
        RealTimeList live(state);
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
        QVERIFY(state.ListViewOpen);
        live.AppendLiveRow(body(21));
        QCOMPARE(state.ListRowCount, 0);
        QVERIFY(!state.ListViewOpen);
        QCOMPARE(live.grid().rows(), 22);
    }

    // The link can be lost (and the live table closed) while one of its dialogs is open.
    void closedWhileItsDialogIsOpen_data()
    {
        QTest::addColumn<bool>("recording");
        QTest::newRow("refusal message") << true;
        QTest::newRow("save dialog") << false;
    }
    void closedWhileItsDialogIsOpen()
    {
        QFETCH(bool, recording);
        test::ScriptedDialogs dialogs;
        SharedState state;
        state.ListViewOpen = true;
        state.RecordingOn = recording;
        QPointer<RealTimeList> live = new RealTimeList(state);
        live->show();
        live->AppendLiveRow(body(1));
        dialogs.fileAnswers << tmp->filePath("while-closing.txt");
        dialogs.duringDialog = [&] {
            QEventLoop dialogLoop; // the dialog's own, in which a poll tick closes the window
            QTimer::singleShot(0, &dialogLoop, [&] { live->close(); });
            QTimer::singleShot(50, &dialogLoop, &QEventLoop::quit);
            dialogLoop.exec();
        };
        QCOMPARE(live->save(), !recording);
        QVERIFY(!state.ListViewOpen);
        QTRY_VERIFY(live.isNull()); // deleted once the dialog was over
    }

    // An unreadable file leaves the list as it was; a readable one replaces it, numbers kept.
    void openKeepsTheFilesNumbers()
    {
        test::ScriptedDialogs dialogs;
        FileList list;
        list.grid().addItem("stale row");
        QVERIFY(!loadRecordFile(list, tmp->filePath("missing.txt")));
        QCOMPARE(dialogs.messages.size(), 1);
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
    }

    // An inner pause (a key during a download) never starts polling under the outer one.
    void pollPausesNest()
    {
        for (const bool running : {true, false}) {
            test::FakePoll poll;
            if (!running)
                poll.stopPolling();
            {
                const PollPause outer(&poll);
                const PollPause inner(&poll);
            }
            QCOMPARE(poll.pollingEnabled(), running);
            QCOMPARE(poll.calls.count("start"), int(running));
        }
    }

private:
    std::unique_ptr<QTemporaryDir> tmp;
};

QTEST_MAIN(TablesTest)
#include "tst_records_tables.moc"
