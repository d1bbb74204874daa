// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordWriter.h"

#include "records/RecordFile.h"

#include <QObject>

#include <cerrno>
#include <sys/stat.h>
#ifdef Q_OS_WIN
#include <io.h>
#define fsync _commit
#else
#include <unistd.h>
#endif

namespace veltrix {

RecordWriter::~RecordWriter()
{
    close();
}

bool RecordWriter::open(const QString& path)
{
    close();
    m_error.clear();
    m_file.setFileName(path);
    // Unbuffered: a line that failed must not linger in a buffer and reach the file later.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return fail(QObject::tr("The record file %1 cannot be created: %2")
                        .arg(path, m_file.errorString()));
    return true;
}

bool RecordWriter::writeRecord(int count, const QString& body)
{
    if (!m_file.isOpen())
        return fail(QObject::tr("No record file is open."));
    QString text;
    if (count == 1)
        text = recordHeaderLine() + QStringLiteral("\r\n");
    text += recordLine(count, body);
    const QByteArray bytes = encodeRecordText(text);
    const qint64 before = m_file.pos();
    if (m_file.write(bytes) != bytes.size() || !m_file.flush() || !syncToDisk()) {
        const QString why = m_file.errorString();
        // A full disk takes the part of the line that fits: cut it off again, so the file ends
        // with the last whole record (a reader would take the stub for a record).
        if (m_file.size() > before)
            m_file.resize(before);
        return fail(QObject::tr("Record %1 could not be written to %2: %3")
                        .arg(count)
                        .arg(m_file.fileName(), why));
    }
    // A file deleted while it is open still takes writes on this system, and loses them all
    // when closed: report it like any other failed write.
    struct stat info {};
    if (::fstat(m_file.handle(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 0)
        return fail(QObject::tr("The record file %1 has been deleted.").arg(m_file.fileName()));
    return true;
}

bool RecordWriter::syncToDisk()
{
    // A record at most every second: syncing each one costs little and survives a power cut.
    // Devices and pipes cannot be synced (EINVAL); there is nothing more to do for them.
    const int fd = m_file.handle();
    return fd < 0 || ::fsync(fd) == 0 || errno == EINVAL;
}

void RecordWriter::close()
{
    if (m_file.isOpen())
        m_file.close();
}

bool RecordWriter::fail(const QString& what)
{
    m_error = what;
    return false;
}

} // namespace veltrix
