// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recording into record files, with the rules for when a file ends: the record limit, a new
// day, the meter going silent, a write that fails. The panel stops at a full file (the user
// starts the next one); the command-line tool, running unattended, goes on in a numbered file
// (data-2.txt, ...) and, with daily files, in a new file every midnight.

#include "records/RecordWriter.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>

namespace veltrix {

// FILE's name with a number added: data.txt, data-2.txt, data-3.txt, ... never one that exists.
QString numberedName(const QString& path, int number);
// data.txt on 2026-12-07 → data-2026-12-07.txt (in the same folder).
QString dayFileName(const QString& path, QDate day);

class Recorder : public QObject {
    Q_OBJECT
public:
    enum class WhenFull { Stop, NextFile };
    // Why a file ended and the recording went on in the next one.
    enum class Why { Full, Interrupted, NewDay };
    Q_ENUM(Why)
    struct Policy {
        int limit = 0; // records per file
        WhenFull whenFull = WhenFull::Stop;
        qint64 total = 0;       // records in all files; reaching it ends the recording (0: none)
        bool daily = false;     // a file per day: `path` with the date added
        bool overwrite = false; // a file of that name may be replaced
    };

    explicit Recorder(QObject* parent = nullptr) : QObject(parent) {}

    // The file a recording into `path` starts in: the day's file with daily files, continued in
    // a numbered one when it exists and may not be replaced.
    static QString firstFile(const QString& path, const Policy& policy, QDate day);
    // Opens `file` (from firstFile, or the path chosen for the panel). False with errorString().
    bool start(const QString& path, const QString& file, const Policy& policy, QDate day);
    // Closes the file; its records stay. Emits stopped() when a recording was on.
    void stop();

    // With daily files, a sample of a new day begins the day's file first. False when that
    // failed (the recording has then stopped).
    bool followDay(QDate day);
    // Writes the next record; the recording may end with it (full, failed, or the total reached).
    void write(const QString& body);
    // The meter answers again after a silence: a file that holds records goes on in a numbered
    // one, so that every file holds consecutive samples only. True when a new file was begun.
    bool continueAfterGap();

    bool recording() const { return m_on; }
    int inFile() const { return m_inFile; }      // records in the file being written
    qint64 written() const { return m_written; } // records in all files
    QString fileName() const { return m_writer.fileName(); }
    QString errorString() const { return m_writer.errorString(); }

signals:
    void recordWritten(int inFile, qint64 written);
    // Full under WhenFull::Stop: the recording has stopped.
    void full(const QString& file, int records);
    // `file` ended with `records` records; the recording goes on in `next`.
    void continued(const QString& file, veltrix::Recorder::Why why, int records,
                   const QString& next);
    // A record did not reach `file`; the recording has stopped with `kept` records in it.
    void writeFailed(const QString& file, const QString& why, int kept);
    // The next file could not be created; the recording has stopped.
    void openFailed(const QString& why);
    // The total was reached.
    void finished();
    void stopped();

private:
    bool nextFile(const QString& next, Why why);
    void end();

    RecordWriter m_writer;
    Policy m_policy;
    QString m_path; // as given: the daily files' names are made from it
    QString m_base; // the file numbered files are named after
    QDate m_day;
    int m_fileNumber = 1;
    int m_inFile = 0;
    qint64 m_written = 0;
    bool m_on = false;
};

} // namespace veltrix
