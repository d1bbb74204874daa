#include "records/FileList.h"

#include "records/RecordFile.h"
#include "records/RecordIcons.h"
#include "survey/ReportDialog.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QPointer>

namespace veltrix {

namespace {

// How often window events run while a file is read.
constexpr qint64 EventIntervalMs = 50;
// Far beyond any recording (50000 records take about 2.5 MB); a larger file is not a record
// file and would only exhaust memory.
constexpr qint64 MaxFileBytes = 64LL * 1024 * 1024;

bool refuse(FileList& list, const QString& reason, QString* error)
{
    if (error)
        *error = reason;
    ui::Dialogs::current().message(&list, reason, ui::MsgButtons::Ok, ui::MsgIcon::Exclamation);
    return false;
}

} // namespace

FileList::FileList(PollControl* poll, QWidget* parent)
    : RecordTableWindow(QStringLiteral("FileList"), tr("File List"), QStringLiteral("No.s"), poll,
                        parent)
{
    m_plot = addToolButton(QStringLiteral("Plot"), tr("Plot"), RecordIcon::Plot);
    connect(m_plot, &QAction::triggered, this, &FileList::plotRequested);
    m_plot->setEnabled(false); // until a list plot is connected to plotRequested()
    connect(addToolButton(QStringLiteral("Print"), tr("Print"), RecordIcon::Print),
            &QAction::triggered, this, &FileList::print);
    addExportCsvButton();
    addReportButton();
}

void FileList::describeReport(ReportSource& source) const
{
    if (!m_recordPath.isEmpty()) {
        source.filePath = m_recordPath;
        source.dataName = QFileInfo(m_recordPath).fileName();
    }
}

void FileList::connectNotify(const QMetaMethod& signal)
{
    if (signal == QMetaMethod::fromSignal(&FileList::plotRequested))
        m_plot->setEnabled(true);
    RecordTableWindow::connectNotify(signal);
}

bool loadRecordFile(FileList& list, const QString& path, QString* error)
{
    QFile file(path);
    // A pipe or a device would block the window until something writes to it.
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return refuse(list,
                      FileList::tr("%1 is not a record file.").arg(QDir::toNativeSeparators(path)),
                      error);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(list,
                      FileList::tr("The file %1 cannot be opened.\n%2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()),
                      error);
    if (file.size() > MaxFileBytes)
        return refuse(list,
                      FileList::tr("The file %1 is too large to be a record file.")
                          .arg(QDir::toNativeSeparators(path)),
                      error);
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes || file.error() != QFileDevice::NoError)
        return refuse(list,
                      FileList::tr("The file %1 cannot be read.\n%2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()),
                      error);
    file.close();

    // The rows stay views into the decoded text, which the table then keeps as it is.
    const QString text = decodeRecordBytes(bytes);
    QList<QStringView> rows = splitRecordItemViews(text);

    QPointer<FileList> guard(&list);
    ui::Grid& grid = list.grid();
    grid.setRows(1);
    qsizetype kept = 0;  // rows [0, kept) of `rows` are the file's rows so far
    qsizetype added = 0; // of which [0, added) are in the table
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    for (qsizetype counter = 0; counter < rows.size(); ++counter) {
        if (isRecordHeader(rows[counter]))
            continue;
        rows[kept++] = rows[counter];
        if ((counter & 255) == 0 && sinceEvents.elapsed() >= EventIntervalMs) {
            grid.addItems(text, std::span(rows.cbegin() + added, rows.cbegin() + kept));
            added = kept;
            // The caption counts the items read before the newest row.
            list.setWindowTitle(QString::number(counter));
            QCoreApplication::processEvents();
            if (!guard) {
                if (error)
                    *error = FileList::tr("The file list was closed.");
                return false;
            }
            sinceEvents.restart();
        }
    }
    grid.addItems(text, std::span(rows.cbegin() + added, rows.cbegin() + kept));
    list.setWindowTitle(QFileInfo(path).fileName());
    list.setRecordPath(path);
    return true;
}

} // namespace veltrix
