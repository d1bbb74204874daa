#pragma once
// Reading a record file whole, the one way every reader does it: the file table, `veltrix-cli
// stats` and `convert`. Only a regular file is read (a pipe or a device would block the reader
// until something writes to it), and at most MaxRecordFileBytes of it. Each caller words the
// refusal in its own way.

#include <QByteArray>
#include <QString>

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
        CannotRead
    };
    Error error = None;
    QByteArray bytes; // the whole file, when read without error
    QString reason;   // the system's words for CannotOpen and CannotRead
};
RecordFileRead readRecordFile(const QString& path);

} // namespace veltrix
