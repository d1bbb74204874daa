// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a record file, the one way every reader does it. Only a regular file is read (a pipe or
// a device would block the reader until something writes to it). Each caller words the refusal
// in its own way.
//
// Whole: the file table and `convert` keep the file's text, so they read at most
// MaxRecordFileBytes. Streamed: `veltrix-cli stats` goes through every record once and keeps
// none, a block at a time, so a year of daily files takes no more memory than one block and no
// size limit applies.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

class QCryptographicHash;

namespace veltrix {

// Far beyond any recording (50000 records take about 2.5 MB); a larger file is not a record
// file and would only exhaust memory.
inline constexpr qint64 MaxRecordFileBytes = 64LL * 1024 * 1024;

struct RecordFileRead {
    enum Error {
        None,
        NotRegular, // exists, but is a folder, a pipe, a device...
        CannotOpen,
        TooLarge,
        CannotRead,
        Shrunk // shorter than when it was first read
    };
    Error error = None;
    QByteArray bytes; // the whole file, when read without error
    QString reason;   // the system's words for CannotOpen and CannotRead
};
// Other files read whole the same way (a survey file) give their own limit.
RecordFileRead readRecordFile(const QString& path, qint64 maxBytes = MaxRecordFileBytes);

// A streamed file is read this much at a time: small blocks stay in the processor's cache and
// their memory is taken again for the next block (a megabyte at a time took twice as long). A
// line longer than MaxRecordItemBytes is no record: its start is handed on as one (invalid) row.
inline constexpr qint64 RecordScanBlockBytes = 1 << 15;
inline constexpr qsizetype MaxRecordItemBytes = 1 << 16;

// What a streamed file gave.
struct RecordScan {
    RecordFileRead::Error error = RecordFileRead::None;
    QString reason;   // the system's words for CannotOpen and CannotRead
    qint64 bytes = 0; // read
    int rows = 0;     // handed on
};
struct RecordScanOptions {
    qint64 maxBytes = -1;                       // read no further; -1: to the end
    QCryptographicHash* hash = nullptr;         // takes every byte read
    std::function<void(qint64 bytes)> progress; // bytes read so far, after each block
};
// Hands the file's rows to `row` in order until it returns false: the items recordRows() gives,
// without header lines and empty items. Text is decoded a block at a time (UTF-8 or
// Windows-1252, as decodeRecordBytes() tells from the block).
RecordScan scanRecordFile(const QString& path, const std::function<bool(QStringView row)>& row,
                          const RecordScanOptions& options = {});

// One file of a RecordFileSet, as its first reading found it.
struct RecordFileEntry {
    QString path;
    QString sha256; // hex
    qint64 bytes = 0;
    int firstRow = 1; // its first row's number in the set
    int rows = 0;
};

// Record files read as one, in the order given, their rows numbered from 1 across them. The first
// reading takes each file's size, row count and SHA-256; a later one reads the same bytes again,
// so that a file a recorder is still writing gives the same rows, and fails on a file that has
// become shorter.
class RecordFileSet {
public:
    explicit RecordFileSet(QStringList paths);

    using RowVisitor = std::function<void(int number, QStringView row)>;
    bool read(const RowVisitor& row);
    // Why read() failed: the file and what went wrong.
    struct Failure {
        QString path;
        RecordFileRead::Error error = RecordFileRead::None;
        QString reason;
    };
    const Failure& failure() const { return m_failure; }
    // After the first read() (every file of it when it succeeded).
    const QList<RecordFileEntry>& files() const { return m_files; }
    int rows() const;
    // The files' sizes when the set was made, and the bytes a read() has taken so far.
    qint64 totalBytes() const { return m_totalBytes; }
    void setProgress(std::function<void(qint64 done)> progress)
    {
        m_progress = std::move(progress);
    }

private:
    QStringList m_paths;
    QList<RecordFileEntry> m_files;
    bool m_taken = false; // the first reading went through every file
    Failure m_failure;
    qint64 m_totalBytes = 0;
    std::function<void(qint64)> m_progress;
};

} // namespace veltrix
