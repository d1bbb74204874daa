#pragma once
// The live table: one row per sample while it is open, saved or printed from its toolbar.

#include "records/RecordTableWindow.h"

#include <QRect>

namespace veltrix {

struct SharedState;

class RealTimeList : public RecordTableWindow {
    Q_OBJECT
public:
    explicit RealTimeList(SharedState& state, PollControl* poll = nullptr,
                          QWidget* parent = nullptr);

    // Places the window beside the main panel, at the top of the screen.
    void placeBeside(const QRect& panelFrame);

    // Adds the sample `body` (Date TAB Time TAB Value TAB Unit TAB Hold TAB Peak) behind the next
    // row number, keeping the newest rows in view. At the row limit the table stops being fed.
    void AppendLiveRow(const QString& body);

    // Rows the table takes before it stops (MaxRecords; tests lower it).
    void setRowLimit(int limit) { m_rowLimit = limit; }
    int rowLimit() const { return m_rowLimit; }

public slots:
    // The toolbar's "Save": refused while recording, otherwise save dialog and save.
    bool save();

signals:
    // The window is closing; ListViewOpen and ListRowCount are already cleared.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void describeReport(ReportSource& source) const override;

private:
    SharedState& m_state;
    int m_rowLimit;
};

} // namespace veltrix
