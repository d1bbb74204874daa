// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The services every window holding records shares: ask for a record file name, save a record
// table to it, print a record table as the listing.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace veltrix {

struct PollControl;
struct ReportSource;

namespace ui {
class Grid;
class LinePrinter;
} // namespace ui

// What a table that the panel feeds or fills asks of it.
struct TableHost {
    PollControl* poll = nullptr;
    // Whether a recording runs (none without it).
    std::function<bool()> recording;
    // Adds what the panel knows to a report on the table (the live table's sampling time).
    std::function<void(ReportSource&)> describe;
};

// No table is saved while a recording runs: says so and returns true then.
bool RefusedWhileRecording(QWidget* window, bool recording);

// Save dialog for a record file. A chosen file sets `fileName` and `chosen`; a cancel clears
// `chosen` and keeps `fileName`. Returns `chosen`.
bool ShowSaveDialog(QWidget* parent, QString& fileName, bool& chosen);

// Writes the table's rows to `path`, replacing the file only once everything is written
// (an existing file survives any failure). While it runs the window's caption counts the rows
// ("12Records Completed"); the caption is restored afterwards. A file that cannot be created or
// written is reported in a message box. Returns true when the file was written.
bool SaveTable(QWidget* window, const ui::Grid& table, const QString& path);

// The listing of a table: both headings, then one line per row present now.
QStringList listingOf(const ui::Grid& table);

// Prints the table's listing. Polling is stopped while the job is composed and started again
// before it goes to the printer. A printer failure is reported in a message box; returns false.
bool PrintTable(const ui::Grid& table, ui::LinePrinter& printer, PollControl* poll);

} // namespace veltrix
