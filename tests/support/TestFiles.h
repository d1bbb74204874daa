// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading back what the program wrote.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

namespace veltrix::test {

inline const QByteArray HeaderBytes =
    "No.s      Date           Time         Value   Unit     Hold    Peak    \r\n";

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The file's CR LF lines, without the line ends.
inline QStringList fileLines(const QString& path)
{
    QStringList lines = QString::fromLatin1(fileBytes(path)).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Every line of a record file is complete: the header, then records 1..n with their eight
// TAB-separated parts (a value among them if asked) and CR LF. Returns n, or -1 with the reason.
inline int completeRecords(const QString& path, QString* why, bool withValues = false)
{
    const QByteArray bytes = fileBytes(path);
    if (!bytes.startsWith(HeaderBytes) || !bytes.endsWith("\r\n")) {
        *why = "header or last line end missing: ..." + QString::fromLatin1(bytes.right(60));
        return -1;
    }
    const QStringList lines = fileLines(path);
    for (int r = 1; r < lines.size(); ++r) {
        const QStringList cells = lines[r].split('\t');
        if (cells.size() != 8 || cells[0] != QString::number(r) ||
            (withValues && cells[3].isEmpty())) {
            *why = QString("line %1: %2").arg(r).arg(lines[r]);
            return -1;
        }
    }
    return int(lines.size()) - 1;
}

// Writes past `bytes` fail from now until the guard ends (SIGXFSZ ignored, so they fail with
// EFBIG instead of ending the process): a full disk without a file system of its own.
struct FileSizeLimit {
    rlimit saved{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

} // namespace veltrix::test
