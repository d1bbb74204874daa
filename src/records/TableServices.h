#pragma once
// The services every window holding records shares: ask for a record file name, save a record
// table to it, print a record table as the listing.

#include <QString>
#include <QStringList>

class QWidget;

namespace veltrix {

struct SharedState;
struct PollControl;

namespace ui {
class Grid;
class LinePrinter;
} // namespace ui

// A table saved while a recording runs would take the recording's file and name slots: says so
// and returns true then.
bool RefusedWhileRecording(QWidget* window, const SharedState& state);

// Save dialog for a record file. A chosen file sets SaveFileName and SaveFileChosen; a cancel
// clears SaveFileChosen and keeps SaveFileName. Returns SaveFileChosen.
bool ShowSaveDialog(QWidget* parent, SharedState& state);

// Writes the table's rows to SaveFileName, replacing the file only once everything is written
// (an existing file survives any failure). While it runs the window's caption counts the rows
// ("12Records Completed"); the caption is restored afterwards. A file that cannot be created or
// written is reported in a message box. Returns true when the file was written.
bool SaveTable(QWidget* window, const ui::Grid& table, SharedState& state);

// The listing of a table: both headings, then one line per row present now.
QStringList listingOf(const ui::Grid& table);

// Prints the table's listing. Polling is stopped while the job is composed and started again
// before it goes to the printer. A printer failure is reported in a message box; returns false.
bool PrintTable(const ui::Grid& table, ui::LinePrinter& printer, PollControl* poll);

} // namespace veltrix
