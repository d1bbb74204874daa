// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/Recorder.h"

#include <QDir>
#include <QFileInfo>

namespace veltrix {

QString numberedName(const QString& path, int number)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    for (;; ++number) {
        QString name = info.completeBaseName() + QLatin1Char('-') + QString::number(number);
        if (!suffix.isEmpty())
            name += QLatin1Char('.') + suffix;
        QString candidate = QDir::cleanPath(info.dir().filePath(name));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

QString dayFileName(const QString& path, QDate day)
{
    const QFileInfo info(path);
    QString name = info.completeBaseName() + u'-' + day.toString(Qt::ISODate);
    if (!info.suffix().isEmpty())
        name += u'.' + info.suffix();
    return QDir::cleanPath(info.dir().filePath(name));
}

QString Recorder::firstFile(const QString& path, const Policy& policy, QDate day)
{
    // A day's file that exists (a restarted service) is continued in a numbered one.
    QString base = policy.daily ? dayFileName(path, day) : path;
    if (policy.daily && QFileInfo::exists(base) && !policy.overwrite)
        return numberedName(base, 2);
    return base;
}

bool Recorder::start(const QString& path, const QString& file, const Policy& policy, QDate day)
{
    m_policy = policy;
    m_path = path;
    m_day = day;
    m_base = policy.daily ? dayFileName(path, day) : path;
    m_fileNumber = file == m_base ? 1 : 2;
    m_inFile = 0;
    m_written = 0;
    m_on = m_writer.open(file);
    return m_on;
}

void Recorder::end()
{
    m_on = false;
    m_writer.close();
    m_inFile = 0;
}

void Recorder::stop()
{
    const bool was = m_on;
    end();
    if (was)
        emit stopped();
}

void Recorder::write(const QString& body)
{
    if (!m_on)
        return;
    if (!m_writer.writeRecord(m_inFile + 1, body)) {
        const QString file = m_writer.fileName();
        const QString why = m_writer.errorString();
        const int kept = m_inFile;
        stop();
        emit writeFailed(file, why, kept);
        return;
    }
    ++m_inFile;
    ++m_written;
    emit recordWritten(m_inFile, m_written);
    if (m_policy.total > 0 && m_written >= m_policy.total) {
        stop();
        emit finished();
    } else if (m_inFile >= m_policy.limit) {
        if (m_policy.whenFull == WhenFull::NextFile) {
            nextFile(numberedName(m_base, ++m_fileNumber), Why::Full);
            return;
        }
        // A full recording; the next one is started by the user.
        const QString file = m_writer.fileName();
        const int records = m_inFile;
        stop();
        emit full(file, records);
    }
}

bool Recorder::continueAfterGap()
{
    if (!m_on || m_inFile == 0)
        return false;
    nextFile(numberedName(m_base, ++m_fileNumber), Why::Interrupted);
    return true;
}

bool Recorder::followDay(QDate day)
{
    if (!m_on || !m_policy.daily || day == m_day)
        return m_on;
    m_day = day;
    m_base = dayFileName(m_path, day);
    m_fileNumber = 1;
    QString next = m_base;
    if (QFileInfo::exists(next) && !m_policy.overwrite)
        next = numberedName(m_base, ++m_fileNumber);
    return nextFile(next, Why::NewDay);
}

bool Recorder::nextFile(const QString& next, Why why)
{
    const QString old = m_writer.fileName();
    const int records = m_inFile;
    m_writer.close();
    m_inFile = 0;
    if (!m_writer.open(next)) {
        const QString error = m_writer.errorString();
        stop();
        emit openFailed(error);
        return false;
    }
    emit continued(old, why, records, next);
    return true;
}

} // namespace veltrix
