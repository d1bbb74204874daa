// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The live table: one row per sample while it is open, saved or printed from its toolbar.

#include "records/RecordTableWindow.h"
#include "records/TableServices.h"

#include <QRect>

namespace veltrix {

class RealTimeList : public RecordTableWindow {
    Q_OBJECT
public:
    explicit RealTimeList(TableHost host = {}, QWidget* parent = nullptr);

    // Places the window beside the main panel, at the top of the screen.
    void placeBeside(const QRect& panelFrame);

    // Adds the sample `body` (Date TAB Time TAB Value TAB Unit TAB Hold TAB Peak) behind the next
    // row number, keeping the newest rows in view. At the row limit the numbering starts over
    // and the table says it is full (the panel stops feeding it).
    void AppendLiveRow(const QString& body);
    // Rows appended since the table opened or was last full.
    int listRowCount() const { return ListRowCount; }

    // Rows the table takes before it stops (MaxRecords; tests lower it).
    void setRowLimit(int limit) { m_rowLimit = limit; }
    int rowLimit() const { return m_rowLimit; }

public slots:
    // The toolbar's "Save": refused while recording, otherwise save dialog and save.
    bool save();

signals:
    // The row limit was reached.
    void full();
    // The window is closing; its row count is already cleared.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void describeReport(ReportSource& source) const override;

private:
    TableHost m_host;
    int m_rowLimit;
    int ListRowCount = 0;
    QString m_saveFileName;
};

} // namespace veltrix
