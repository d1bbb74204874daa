// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The downloaded-data table: the records of one logged set, saved as a record file, drawn as a
// list plot or printed from its toolbar. The Memory window fills it and sets its title.

#include "records/RecordTableWindow.h"
#include "records/TableServices.h"

class QLabel;

namespace veltrix {

class DataList : public RecordTableWindow {
    Q_OBJECT
public:
    explicit DataList(TableHost host = {}, QWidget* parent = nullptr);

    QLabel* title() const { return LblTitle; }
    QAction* plotAction() const { return m_plot; }
    // The meter's identification code read with the set, for the report (the Memory window
    // that read it may be gone by then).
    void setIdCode(const QString& code) { m_idCode = code.trimmed(); }

    // The toolbar's "Save": refused while recording; otherwise the save dialog and the file.
    bool save();
    // The toolbar's "Plot": asks for the list plot of this table (the panel's ListPlot draws
    // it). A list without records has nothing to plot.
    void plot();

signals:
    // Draw this table as a list plot.
    void plotRequested();

protected:
    void describeReport(ReportSource& source) const override;

private:
    TableHost m_host;
    QString m_saveFileName;
    QLabel* LblTitle;
    QAction* m_plot;
    QString m_idCode;
};

} // namespace veltrix
