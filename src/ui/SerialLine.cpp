// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SerialLine.h"

#include <QFileInfo>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <termios.h>
#include <unistd.h>
#endif

#include <algorithm>

namespace veltrix::ui {

bool parseLineSettings(const QString& text, LineSettings* out)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    LineSettings s;
    bool ok = false;
    s.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0)
        return false;
    const QString parity = parts[1].trimmed().toLower();
    if (parity == QLatin1String("n"))
        s.parity = QSerialPort::NoParity;
    else if (parity == QLatin1String("e"))
        s.parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("o"))
        s.parity = QSerialPort::OddParity;
    else
        return false;
    const int bits = parts[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8)
        return false;
    s.dataBits = static_cast<QSerialPort::DataBits>(bits);
    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        s.stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("2"))
        s.stopBits = QSerialPort::TwoStop;
    else
        return false;
    if (out)
        *out = s;
    return true;
}

SerialLine::SerialLine(PortBindings bindings, QObject* parent)
    : QObject(parent), m_bindings(std::move(bindings))
{
    connect(&m_serial, &QSerialPort::errorOccurred, this, &SerialLine::onError);
}

SerialLine::~SerialLine() = default;

void SerialLine::setCommPort(int port)
{
    m_port = port;
}

bool SerialLine::setSettings(const QString& settings)
{
    return parseLineSettings(settings, &m_settings);
}

bool SerialLine::portOpen() const
{
    return m_serial.isOpen();
}

QString SerialLine::devicePath() const
{
    return m_bindings.devicePath(m_port);
}

OpenError SerialLine::setPortOpen(bool open)
{
    if (!open) {
        m_serial.close();
        m_lock.release();
        return OpenError::None;
    }
    if (m_serial.isOpen())
        return OpenError::None;
    const QString path = devicePath();
    if (path.isEmpty()) {
        m_errorText = tr("COM%1 is not bound to a serial device").arg(m_port);
        return OpenError::NotBound;
    }
    if (!m_lock.acquire(path)) {
        m_errorText = tr("COM%1 (%2) is in use by %3")
                          .arg(m_port)
                          .arg(path, m_lock.holder().isEmpty() ? tr("another Veltrix program")
                                                               : m_lock.holder());
        return OpenError::Locked;
    }
    m_serial.setPortName(path);
    if (!m_serial.open(QIODevice::ReadWrite)) {
        m_errorText = m_serial.errorString();
        m_lock.release();
        return classifyOpenFailure(m_serial.error());
    }
    // Pseudo-terminals and some adapters refuse parts of this; the meter does not care.
    m_serial.setBaudRate(m_settings.baud);
    m_serial.setParity(m_settings.parity);
    m_serial.setDataBits(m_settings.dataBits);
    m_serial.setStopBits(m_settings.stopBits);
    m_serial.setFlowControl(QSerialPort::NoFlowControl);
    // Bytes that reached the driver while nobody listened belong to no exchange of ours (the
    // identify exchange does not empty the buffer first).
    m_serial.clear(QSerialPort::Input);
    m_serial.clearError();
    m_lost = false;
    m_errorText.clear();
    return OpenError::None;
}

OpenError SerialLine::classifyOpenFailure(QSerialPort::SerialPortError error) const
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return OpenError::Absent;
    case QSerialPort::PermissionError: {
        // Qt reports a port in use and a port we may not open alike; the file tells them apart.
        const QString path = devicePath();
        if (!QFileInfo::exists(path))
            return OpenError::Absent;
#ifdef Q_OS_UNIX
        if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0)
            return OpenError::PermissionDenied;
#endif
        return OpenError::Busy;
    }
    case QSerialPort::OpenError:
        return OpenError::Busy;
    default:
        return QFileInfo::exists(devicePath()) ? OpenError::Other : OpenError::Absent;
    }
}

OpenError SerialLine::reopen()
{
    m_serial.close();
    return setPortOpen(true);
}

void SerialLine::setInputLen(int len)
{
    m_inputLen = len;
}

QByteArray SerialLine::input()
{
    if (!m_serial.isOpen())
        return {};
    return m_inputLen > 0 ? m_serial.read(m_inputLen) : m_serial.readAll();
}

void SerialLine::discardInput()
{
    if (!m_serial.isOpen())
        return;
    // A late answer to an earlier command may sit in the driver until the event loop next runs;
    // left there it would be taken as the start of the next reply.
    m_serial.clear(QSerialPort::Input); // the port's own buffer as well as the driver's
}

void SerialLine::output(const QByteArray& bytes)
{
    if (m_serial.isOpen())
        m_serial.write(bytes);
}

int SerialLine::inBufferCount() const
{
    return m_serial.isOpen() ? static_cast<int>(m_serial.bytesAvailable()) : 0;
}

void SerialLine::setWakeThreshold(int bytes)
{
#ifdef Q_OS_UNIX
    // In raw mode without an inter-byte timer the terminal driver reports the line readable
    // only once VMIN bytes wait; a non-blocking read still returns whatever is there. Only the
    // line discipline looks at VMIN, so adapters are not reprogrammed.
    if (!m_serial.isOpen())
        return;
    const int fd = int(m_serial.handle());
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return;
    const auto wanted = cc_t(std::clamp(bytes, 0, 255));
    if (tio.c_cc[VMIN] == wanted && tio.c_cc[VTIME] == 0)
        return;
    tio.c_cc[VMIN] = wanted;
    tio.c_cc[VTIME] = 0;
    ::tcsetattr(fd, TCSANOW, &tio);
#else
    Q_UNUSED(bytes);
#endif
}

void SerialLine::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
        if (m_serial.isOpen()) {
            m_errorText = m_serial.errorString();
            m_lost = true;
            m_serial.close(); // stops the notifier that would otherwise fire without end
            // The device's name may go to another device meanwhile (a pseudo-terminal's number
            // is reused at once); reopen() takes the lock again.
            m_lock.release();
            emit deviceVanished();
        }
        break;
    default:
        break;
    }
}

QString SerialLine::describe(OpenError error)
{
    switch (error) {
    case OpenError::None:
        return {};
    case OpenError::NotBound:
        return tr("No serial device is bound to this port.");
    case OpenError::Absent:
        return tr("The serial device is not present.");
    case OpenError::Busy:
        return tr("The serial device is in use by another program.");
    case OpenError::Locked:
        return tr("The serial device is in use by another Veltrix program.");
    case OpenError::PermissionDenied:
        return tr("Permission to open the serial device was denied. Add your user to the "
                  "'dialout' group (sudo usermod -aG dialout $USER), then log out and in again.");
    case OpenError::Other:
        break;
    }
    return tr("The serial device could not be opened.");
}

} // namespace veltrix::ui
