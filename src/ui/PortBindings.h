// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which device each of the program's port numbers COM1..COM8 stands for.
//
// On Windows COMn is simply COMn. Elsewhere the serial devices found on this computer take COM1,
// COM2, ... in a stable order, USB and ACM adapters first, so a user with one USB cable finds the
// meter on COM1. Any number can be bound to any device path (an adapter, a pseudo-terminal).

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace veltrix::ui {

struct SerialDevice {
    QString path;        // e.g. /dev/ttyUSB0 or COM3
    QString description; // e.g. "USB-Serial Controller (Prolific)"
};

class PortBindings {
public:
    static constexpr int PortCount = 8;

    // Bindings from the serial devices present now.
    static PortBindings fromSystem();
    // Bindings from a given device list (tests, and the system list once sorted).
    static PortBindings fromDevices(QList<SerialDevice> devices);
    static QList<SerialDevice> systemDevices();

    QString devicePath(int port) const; // empty when the port is not bound
    QString description(int port) const;
    void bind(int port, const QString& path, const QString& description = {});
    // Applies "N=PATH" (as given to --com). Returns false for a malformed entry.
    bool bindFromOption(const QString& option);
    QList<SerialDevice> devices() const { return m_devices; }

    // Sort key that puts USB and ACM adapters first, then other ports, each by natural name order.
    static bool lessForBinding(const SerialDevice& a, const SerialDevice& b);

private:
    QMap<int, SerialDevice> m_bound;
    QList<SerialDevice> m_devices;
};

} // namespace veltrix::ui
