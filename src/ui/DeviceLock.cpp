// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DeviceLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace veltrix::ui {

DeviceLock::DeviceLock() = default;
DeviceLock::~DeviceLock() = default;

QString DeviceLock::lockPath(const QString& devicePath)
{
    const QFileInfo info(devicePath);
    QString real = info.canonicalFilePath();
    if (real.isEmpty())
        real = info.absoluteFilePath();
    // /dev/pts/3 → dev_pts_3: one flat name per device.
    QString name = real.mid(1);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    static const QString dir = [] {
        const QFileInfo run(QStringLiteral("/run/lock"));
        return run.isDir() && run.isWritable() ? run.filePath() : QDir::tempPath();
    }();
    return dir + QStringLiteral("/veltrix-") + name + QStringLiteral(".lock");
}

bool DeviceLock::acquire(const QString& devicePath)
{
    // By the real device: a symlink that now points at another one (an adapter plugged back in
    // came up under a new name) moves the lock with it, freeing the old name for others.
    const QString path = lockPath(devicePath);
    if (m_lock && m_path == path)
        return true;
    release();
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0); // only a dead holder makes the lock stale, never its age
    if (!lock->tryLock(0)) {
        qint64 pid = 0;
        QString host;
        QString app;
        if (lock->error() == QLockFile::LockFailedError && lock->getLockInfo(&pid, &host, &app))
            m_holder = QCoreApplication::translate("DeviceLock", "%1 (process %2)")
                           .arg(app.isEmpty() ? QStringLiteral("?") : app)
                           .arg(pid);
        else
            m_holder.clear();
        // A lock that cannot be written at all (read-only folder) does not stop the open: the
        // driver's own exclusive open still guards the device.
        return lock->error() != QLockFile::LockFailedError;
    }
    m_lock = std::move(lock);
    m_path = path;
    m_holder.clear();
    return true;
}

void DeviceLock::release()
{
    m_lock.reset(); // unlocks
    m_path.clear();
}

} // namespace veltrix::ui
