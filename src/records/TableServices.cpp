// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/TableServices.h"

#include "records/BusyPointer.h"
#include "records/PollControl.h"
#include "records/RecordFile.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/LinePrinter.h"
#include "ui/SaveFile.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSaveFile>
#include <QWidget>

namespace veltrix {

namespace {

// The caption is only repainted when window events run, which they do not while saving; it is
// set often enough to be current whenever someone looks, not 50000 times.
constexpr qint64 CaptionIntervalMs = 50;

void reportSaveFailure(QWidget* window, const QString& path, const QString& reason)
{
    ui::Dialogs::current().message(
        window, QObject::tr("The file %1 could not be saved.\n%2").arg(path, reason),
        ui::MsgButtons::Ok, ui::MsgIcon::Critical);
}

} // namespace

bool RefusedWhileRecording(QWidget* window, bool recording)
{
    if (!recording)
        return false;
    ui::Dialogs::current().message(
        window, QObject::tr("Aready in recording mode, close it and try again !"),
        ui::MsgButtons::Ok, ui::MsgIcon::Critical);
    return true;
}

bool ShowSaveDialog(QWidget* parent, QString& fileName, bool& chosen)
{
    const std::optional<QString> answer =
        ui::Dialogs::current().saveFile(parent, ui::DataFilesFilter);
    chosen = answer && !answer->isEmpty();
    if (chosen)
        fileName = *answer;
    return chosen;
}

bool SaveTable(QWidget* window, const ui::Grid& table, const QString& path)
{
    BusyPointer busy;
    if (path.isEmpty())
        return false;

    // The rows go to a temporary file that replaces the old one only once complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        reportSaveFailure(window, path, file.errorString());
        return false;
    }

    const QString caption = window ? window->windowTitle() : QString();
    const int last = table.rowCount();
    const int columns = table.cols();
    QElapsedTimer sinceCaption;
    sinceCaption.start();
    QByteArray chunk;
    chunk.reserve(qsizetype(80) * 1024);
    bool written = true;
    for (int i = 1; i <= last && written; ++i) {
        if (window && (i == 1 || i == last || sinceCaption.elapsed() >= CaptionIntervalMs)) {
            window->setWindowTitle(QString::number(i) + QStringLiteral("Records Completed"));
            sinceCaption.restart();
        }
        if (i == 1)
            chunk += encodeRecordText(recordHeaderLine() + QStringLiteral("\r\n"));
        appendTableLine(chunk, table.rowView(i), columns);
        if (chunk.size() >= qsizetype(64) * 1024 || i == last) {
            written = file.write(chunk) == chunk.size();
            chunk.clear();
        }
    }
    if (window)
        window->setWindowTitle(caption);

    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        reportSaveFailure(window, path, reason);
        return false;
    }
    if (!ui::commitWhole(file)) {
        reportSaveFailure(window, path, file.errorString());
        return false;
    }
    return true;
}

QStringList listingOf(const ui::Grid& table)
{
    QStringList lines;
    const int last = table.rowCount();
    lines.reserve(last + 2);
    lines << listingHeading1() << listingHeading2();
    for (int i = 1; i <= last; ++i)
        lines << listingLineFromRow(table.rowView(i));
    return lines;
}

bool PrintTable(const ui::Grid& table, ui::LinePrinter& printer, PollControl* poll)
{
    BusyPointer busy;
    {
        const PollPause pause(poll);
        const QStringList lines = listingOf(table);
        for (const QString& line : lines)
            printer.printLine(line);
    }

    QWidget* parent = table.window();
    if (printer.endJob(parent))
        return true;
    ui::Dialogs::current().message(
        parent, QObject::tr("The listing could not be printed.\n%1").arg(printer.errorString()),
        ui::MsgButtons::Ok, ui::MsgIcon::Exclamation);
    return false;
}

} // namespace veltrix
