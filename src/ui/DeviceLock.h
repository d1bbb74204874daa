// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One Veltrix program per serial device. The panel and veltrix-cli both take this lock before
// they open a port, so a second one on the same meter is refused at once with the name and
// process of the program that holds it (the meter answers one command at a time; two pollers on
// one line would garble each other's answers).
//
// The lock is a QLockFile named after the device's real path (symlinks such as
// /dev/serial/by-id/... resolved), in /run/lock when it can be written, else in the temporary
// folder. A lock left by a process that no longer runs is taken over.

#include <QString>
#include <memory>

class QLockFile;

namespace veltrix::ui {

class DeviceLock {
public:
    DeviceLock();
    ~DeviceLock();

    // Takes the lock for `devicePath`, giving up one held for another device. False when another
    // live process holds it; holder() then names that process.
    bool acquire(const QString& devicePath);
    void release();
    bool held() const { return m_lock != nullptr; }
    // "veltrix-cli (process 1234)"; empty when the holder could not be read.
    QString holder() const { return m_holder; }

    // Where the lock for `devicePath` lives.
    static QString lockPath(const QString& devicePath);

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_path; // of the lock file held
    QString m_holder;
};

} // namespace veltrix::ui
