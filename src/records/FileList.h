// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file table: a record file read back by the main toolbar's Open, printed or plotted from
// its toolbar.

#include "records/RecordTableWindow.h"

namespace veltrix {

class FileList : public RecordTableWindow {
    Q_OBJECT
public:
    explicit FileList(PollControl* poll = nullptr, QWidget* parent = nullptr);

    // The record file the table was read from (a report names it and gives its SHA-256).
    QString recordPath() const { return m_recordPath; }
    void setRecordPath(const QString& path) { m_recordPath = path; }

signals:
    // The toolbar's "Plot": draw this table as a list plot. The button is enabled once a list
    // plot listens.
    void plotRequested();

protected:
    void connectNotify(const QMetaMethod& signal) override;
    void describeReport(ReportSource& source) const override;

private:
    QAction* m_plot;
    QString m_recordPath;
};

// Reads the record file at `path` into the list: the table is reset to its header row and gets
// one row per item of the file; the caption counts the items while the file is read and shows
// the file's name at the end. Window events run about every 50 ms meanwhile. A file that cannot
// be read is reported in a message box and leaves the list untouched (the caller then closes
// it); returns false, with the reason in *error. Also false when the list is closed while
// reading.
bool loadRecordFile(FileList& list, const QString& path, QString* error = nullptr);

} // namespace veltrix
