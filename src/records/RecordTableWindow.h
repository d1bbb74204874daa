// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the live table, the file table and the downloaded-data table have in common: a window
// with a toolbar over a seven-column record grid, and the printing of that grid.

#include "records/ReportSource.h"

#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QToolBar;

namespace veltrix {

struct PollControl;

namespace ui {
class Grid;
class LinePrinter;
} // namespace ui

enum class RecordIcon;

// Header texts and widths of the seven record columns; the No. column's header differs between
// the tables.
void layoutRecordColumns(ui::Grid& grid, const QString& numberHeader);

class RecordTableWindow : public QWidget {
    Q_OBJECT
public:
    using PrinterFactory = std::function<std::unique_ptr<ui::LinePrinter>()>;

    ui::Grid& grid() const { return *m_grid; }
    QToolBar* toolbar() const { return m_toolbar; }

    // Where the listing goes; the system's default printer unless set (tests print to PDF).
    void setPrinterFactory(PrinterFactory factory);
    void setPollControl(PollControl* poll) { m_poll = poll; }
    // What every table's "Report…" does; set once by the program (nothing until then).
    static void setReportHandler(ReportHandler handler);

public slots:
    // The toolbar's "Print": the table's listing on the printer.
    bool print();
    // The toolbar's "Export CSV": the table's rows as a CSV file, the name asked for in a save
    // dialog. A file that cannot be written is reported in a message box; false then and when
    // the user cancelled.
    bool exportCsv();
    // The toolbar's "Report…": hands this table's records to the report handler.
    void report();

protected:
    RecordTableWindow(const QString& name, const QString& caption, const QString& numberHeader,
                      PollControl* poll, QWidget* parent);
    QAction* addToolButton(const QString& key, const QString& toolTip, RecordIcon icon);
    // The "Export CSV" button (ExportCsv), wired to exportCsv().
    QAction* addExportCsvButton();
    // The "Report…" button (Report), wired to report().
    QAction* addReportButton();
    // What a report knows of these records beyond the rows (file, meter, sampling time).
    virtual void describeReport(ReportSource& source) const;

    // Held while a dialog of this window runs its own event loop. The poll tick keeps running
    // in there and may close the window (the link was lost); the window then only hides and is
    // deleted once the dialog is over, so nothing is deleted under the dialog's feet.
    class ModalScope {
    public:
        explicit ModalScope(RecordTableWindow* window);
        ~ModalScope();
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

    private:
        RecordTableWindow* m_window;
    };
    void closeEvent(QCloseEvent* event) override;

    PollControl* m_poll;

private:
    void fitDesignedSize();

    int m_modalDepth = 0;
    bool m_deletePending = false;
    ui::Grid* m_grid;
    QToolBar* m_toolbar;
    PrinterFactory m_printerFactory;
};

} // namespace veltrix
