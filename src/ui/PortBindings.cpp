// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PortBindings.h"

#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

namespace veltrix::ui {

namespace {
int adapterRank(const QString& path)
{
    const QString name = path.section(QLatin1Char('/'), -1);
    if (name.startsWith(QLatin1String("ttyUSB")))
        return 0;
    if (name.startsWith(QLatin1String("ttyACM")))
        return 1;
    return 2;
}
} // namespace

bool PortBindings::lessForBinding(const SerialDevice& a, const SerialDevice& b)
{
    const int ra = adapterRank(a.path);
    const int rb = adapterRank(b.path);
    if (ra != rb)
        return ra < rb;
    // Natural order: ttyS2 before ttyS10.
    static const QRegularExpression trailing(QStringLiteral("^(.*?)(\\d*)$"));
    const auto ma = trailing.match(a.path);
    const auto mb = trailing.match(b.path);
    if (ma.captured(1) != mb.captured(1))
        return ma.captured(1) < mb.captured(1);
    return ma.captured(2).toLongLong() < mb.captured(2).toLongLong();
}

QList<SerialDevice> PortBindings::systemDevices()
{
    QList<SerialDevice> list;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        QString text = info.description();
        if (!info.manufacturer().isEmpty() && !text.contains(info.manufacturer()))
            text += QStringLiteral(" (%1)").arg(info.manufacturer());
        list.append({info.systemLocation(), text.trimmed()});
    }
    return list;
}

PortBindings PortBindings::fromSystem()
{
    return fromDevices(systemDevices());
}

PortBindings PortBindings::fromDevices(QList<SerialDevice> devices)
{
    PortBindings b;
#ifdef Q_OS_WIN
    // COMn is COMn; only remember the descriptions.
    for (int n = 1; n <= PortCount; ++n)
        b.m_bound.insert(n, {QStringLiteral("COM%1").arg(n), {}});
    for (const SerialDevice& d : devices) {
        static const QRegularExpression com(QStringLiteral("^COM([1-8])$"));
        const auto m = com.match(d.path);
        if (m.hasMatch())
            b.m_bound[m.captured(1).toInt()].description = d.description;
    }
#else
    std::stable_sort(devices.begin(), devices.end(), lessForBinding);
    for (int i = 0; i < devices.size() && i < PortCount; ++i)
        b.m_bound.insert(i + 1, devices[i]);
#endif
    b.m_devices = devices;
    return b;
}

QString PortBindings::devicePath(int port) const
{
    return m_bound.value(port).path;
}

QString PortBindings::description(int port) const
{
    return m_bound.value(port).description;
}

void PortBindings::bind(int port, const QString& path, const QString& description)
{
    if (port >= 1 && port <= PortCount)
        m_bound.insert(port, {path, description});
}

bool PortBindings::bindFromOption(const QString& option)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(?:COM)?([1-8])\\s*=\\s*(\\S.*)$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(option);
    if (!m.hasMatch())
        return false;
    bind(m.captured(1).toInt(), m.captured(2).trimmed());
    return true;
}

} // namespace veltrix::ui
