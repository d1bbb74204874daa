// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial line to the meter (the program's Comm1). Reception is only ever polled: the meter
// link empties the buffer, sends a command, waits and counts the bytes that have arrived.
//
// When the far end vanishes (USB adapter pulled, pseudo-terminal closed) QSerialPort reports
// read errors in a tight loop. The line closes the port at the first such error; from then on it
// reports no bytes and swallows output, so the protocol's retries and the link-lost wait take
// over, and reopen() can bring the same device back.

#include "ui/DeviceLock.h"
#include "ui/PortBindings.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

namespace veltrix::ui {

// Locked: another Veltrix program holds the device; errorText() names it.
enum class OpenError { None, NotBound, Absent, Busy, PermissionDenied, Locked, Other };

// Serial settings in the meter's notation, e.g. "9600,n,8,1". Returns false if malformed.
struct LineSettings {
    qint32 baud = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};
bool parseLineSettings(const QString& text, LineSettings* out);

class SerialLine : public QObject {
    Q_OBJECT
public:
    explicit SerialLine(PortBindings bindings, QObject* parent = nullptr);
    ~SerialLine() override;

    // The operations the rest of the program relies on.
    void setCommPort(int port);
    int commPort() const { return m_port; }
    bool setSettings(const QString& settings);
    bool portOpen() const;
    OpenError setPortOpen(bool open); // opening reports why it failed
    void setInputLen(int len);        // 0: the next Input returns everything received
    QByteArray input();
    // Drops everything received so far, also what the driver holds and has not yet handed over.
    void discardInput();
    void output(const QByteArray& bytes);
    int inBufferCount() const;
    // Lets the driver gather up to `bytes` (at most 255) before it wakes us; 0 wakes us for
    // every byte again. A long reply then costs a wake-up per block instead of one per USB
    // packet. Whoever raises it lowers it again: bytes below the threshold wait in the driver
    // and are not counted by inBufferCount().
    void setWakeThreshold(int bytes);

    // Closes and opens the same device again (after it vanished). Returns the open result.
    OpenError reopen();
    // True after the device vanished under an open port, until it is opened again.
    bool deviceLost() const { return m_lost; }
    QString devicePath() const;
    QString errorText() const { return m_errorText; }
    const PortBindings& bindings() const { return m_bindings; }
    PortBindings& bindings() { return m_bindings; }

    static QString describe(OpenError error);

signals:
    void deviceVanished();

private:
    void onError(QSerialPort::SerialPortError error);
    OpenError classifyOpenFailure(QSerialPort::SerialPortError error) const;

    PortBindings m_bindings;
    QSerialPort m_serial;
    DeviceLock m_lock;
    LineSettings m_settings;
    int m_port = 0;
    int m_inputLen = 0;
    bool m_lost = false;
    QString m_errorText;
};

} // namespace veltrix::ui
