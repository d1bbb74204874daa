// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/FileList.h"

#include "records/RecordFile.h"
#include "records/RecordIcons.h"
#include "records/RecordReader.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMetaMethod>
#include <QPointer>

namespace veltrix {

namespace {

// How often window events run while a file is read.
constexpr qint64 EventIntervalMs = 50;

bool refuse(FileList& list, const QString& reason, QString* error)
{
    if (error)
        *error = reason;
    ui::Dialogs::current().message(&list, reason, ui::MsgButtons::Ok, ui::MsgIcon::Exclamation);
    return false;
}

// Why the file cannot be shown, in the file table's words.
QString refusalText(const RecordFileRead& file, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (file.error) {
    case RecordFileRead::NotRegular:
        return FileList::tr("%1 is not a record file.").arg(shown);
    case RecordFileRead::CannotOpen:
        return FileList::tr("The file %1 cannot be opened.\n%2").arg(shown, file.reason);
    case RecordFileRead::TooLarge:
        return FileList::tr("The file %1 is too large to be a record file.").arg(shown);
    default:
        return FileList::tr("The file %1 cannot be read.\n%2").arg(shown, file.reason);
    }
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
    const RecordFileRead file = readRecordFile(path);
    if (file.error != RecordFileRead::None)
        return refuse(list, refusalText(file, path), error);
    const QByteArray& bytes = file.bytes;

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
