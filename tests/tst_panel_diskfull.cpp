// A disk that fills under a recording or a table save. Two ways to fill one: a 64 KiB tmpfs
// (only as root; skipped otherwise) and the process's file-size limit, which makes writes past a
// given size fail (EFBIG) on any file system and without privileges.

#include "panel/SharedState.h"
#include "records/RecordWriter.h"
#include "records/TableServices.h"
#include "support/PanelRig.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "ui/Grid.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace veltrix;
using veltrix::test::FileSizeLimit;
using veltrix::test::PanelRig;

namespace {


// A 64 KiB tmpfs on a temporary folder, filled up to `leave` bytes by a filler file.
struct SmallDisk {
    QTemporaryDir dir;
    bool mounted = false;
    SmallDisk()
    {
        mounted = ::geteuid() == 0 && ::mount("tmpfs", QFile::encodeName(dir.path()).constData(),
                                              "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            ::umount(QFile::encodeName(dir.path()).constData());
    }
    QString filePath(const QString& name) const { return dir.filePath(name); }
    // Fills every free byte.
    void fill()
    {
        QFile filler(filePath("filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
        filler.write("x", 1);
    }
};

// Every line of a record file is complete: the header, then records 1..n with their eight
// TAB-separated parts and CR LF. Returns n, or -1 with the reason.
int completeRecords(const QString& path, QString* why)
{
    const QByteArray bytes = test::fileBytes(path);
    if (bytes.isEmpty())
        return 0;
    if (!bytes.startsWith(test::HeaderBytes) || !bytes.endsWith("\r\n")) {
        *why = "header or last line end missing: ..." + QString::fromLatin1(bytes.right(60));
        return -1;
    }
    const QStringList lines = test::fileLines(path);
    for (int r = 1; r < lines.size(); ++r) {
        const QStringList cells = lines[r].split('\t');
        if (cells.size() != 8 || cells[0] != QString::number(r)) {
            *why = QString("line %1: %2").arg(r).arg(lines[r]);
            return -1;
        }
    }
    return int(lines.size()) - 1;
}

const QString Body = "26/12/06\t10:00:00\t123.4\tmG\tH\tP";

} // namespace

class TestPanelDiskFull : public QObject {
    Q_OBJECT
private slots:
    // The writer on a disk that fills: the failing record is reported and leaves no part of
    // itself behind, every record before it stays whole.
    void writerStopsCleanly_data()
    {
        QTest::addColumn<bool>("tmpfs");
        QTest::newRow("small tmpfs") << true;
        QTest::newRow("file size limit") << false;
    }
    void writerStopsCleanly()
    {
        QFETCH(bool, tmpfs);
        SmallDisk disk;
        QTemporaryDir plain;
        if (tmpfs && !disk.mounted)
            QSKIP("mounting a tmpfs needs root");
        const QString path = tmpfs ? disk.filePath("rec.txt") : plain.filePath("rec.txt");
        RecordWriter writer;
        QVERIFY(writer.open(path));
        QVERIFY(writer.writeRecord(1, Body));
        std::unique_ptr<FileSizeLimit> limit;
        if (tmpfs)
            disk.fill();
        else
            limit = std::make_unique<FileSizeLimit>(QFileInfo(path).size() + 1000);
        int count = 1;
        while (count < 100000 && writer.writeRecord(count + 1, Body))
            ++count;
        QVERIFY(count < 100000);
        QVERIFY(!writer.errorString().isEmpty());
        writer.close();
        limit.reset();
        QString why;
        QCOMPARE(completeRecords(path, &why), count);
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    // A recording whose file stops taking writes: the message tells how many records are kept,
    // the file holds exactly those, and the panel goes on polling and can record again.
    void recordingKeepsItsRecordsAndThePanelWorks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("full.txt");
        test::ScriptedDialogs dialogs;
        dialogs.fileAnswers << path;
        PanelRig rig;
        QVERIFY(rig.start());
        rig.panel->setSamplingSeconds(1);
        rig.panel->toolbarClick("SaveStop");
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 2, 6000);
        {
            // Room for about one more record and a half: the next but one is cut short.
            FileSizeLimit limit(QFileInfo(path).size() + 70);
            QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->state().RecordingOn, 8000);
        }
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].startsWith("Recording stopped"));
        const QRegularExpression kept("The (\\d+) records written before are kept");
        const auto m = kept.match(dialogs.messages[0]);
        QVERIFY2(m.hasMatch(), qPrintable(dialogs.messages[0]));
        QString why;
        QCOMPARE(completeRecords(path, &why), m.captured(1).toInt());
        QVERIFY2(why.isEmpty(), qPrintable(why));

        // Still polling, and a new recording elsewhere works.
        QVERIFY(rig.ticks(2));
        QVERIFY(!rig.panel->linkLost());
        const QString next = dir.filePath("next.txt");
        dialogs.fileAnswers << next;
        rig.panel->toolbarClick("SaveStop");
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 1, 4000);
        rig.panel->toolbarClick("SaveStop");
        QVERIFY(completeRecords(next, &why) >= 1);
    }

    // Saving a table onto a full disk fails with a message and keeps the old file whole.
    void saveTableKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("tmpfs");
        QTest::newRow("small tmpfs") << true;
        QTest::newRow("file size limit") << false;
    }
    void saveTableKeepsTheOldFile()
    {
        QFETCH(bool, tmpfs);
        SmallDisk disk;
        QTemporaryDir plain;
        if (tmpfs && !disk.mounted)
            QSKIP("mounting a tmpfs needs root");
        const QString path = tmpfs ? disk.filePath("table.txt") : plain.filePath("table.txt");
        const QByteArray old = test::HeaderBytes + "1\t26/12/05\t15:32:39\t1.0\tmG\t\t\t\r\n";
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write(old) == old.size());
        }
        ui::Grid table(7);
        QStringList rows;
        for (int i = 1; i <= 3000; ++i)
            rows << QString("%1\t26/12/06\t10:00:00\t123.4\tmG\tH\tP").arg(i);
        table.addItems(rows);
        SharedState state;
        state.SaveFileName = path;
        test::ScriptedDialogs dialogs;
        std::unique_ptr<FileSizeLimit> limit;
        if (tmpfs)
            disk.fill();
        else
            limit = std::make_unique<FileSizeLimit>(20000);
        QVERIFY(!SaveTable(nullptr, table, state));
        limit.reset();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].contains("could not be saved"));
        QCOMPARE(test::fileBytes(path), old);
        // No temporary file left behind either.
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files).filter("table"),
                 QStringList{"table.txt"});
    }
};

QTEST_MAIN(TestPanelDiskFull)
#include "tst_panel_diskfull.moc"
