// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes a recording to its record file one line at a time. Every line is flushed and synced to
// the disk at once, so a crash or a power cut costs at most the line being written, and a failed
// write (disk full, file deleted, device gone) is reported to the caller instead of being lost.

#include <QFile>
#include <QString>

namespace veltrix {

class RecordWriter {
public:
    RecordWriter() = default;
    ~RecordWriter();

    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // Creates the file, replacing one of that name. False with errorString() on failure.
    bool open(const QString& path);
    // Writes record `count` (1, 2, ...) with its sample body; the header line goes before
    // record 1. False with errorString() when the line did not reach the file.
    bool writeRecord(int count, const QString& body);
    // Closes the file; every record written stays in it.
    void close();

    bool isOpen() const { return m_file.isOpen(); }
    QString fileName() const { return m_file.fileName(); }
    QString errorString() const { return m_error; }

private:
    bool fail(const QString& what);
    bool syncToDisk();

    QFile m_file;
    QString m_error;
};

} // namespace veltrix
