// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/BenchSupport.h"

#include "panel/Panel.h"
#include "sim/VirtualMeter.h"
#include "ui/PortBindings.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

namespace veltrix::bench {

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

double cpuSeconds()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

std::optional<double> cpuSecondsOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = stat.readAll();
    // The command name may hold blanks; the fields after it start behind the last ')'.
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    // After the name: state is field 3 of stat(5), utime 14 and stime 15.
    if (fields.size() < 13)
        return std::nullopt;
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return (fields[11].toDouble() + fields[12].toDouble()) / ticks;
}

long residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * sysconf(_SC_PAGESIZE) : 0;
}

void figure(const char* name, double value, const char* unit)
{
    std::printf("%s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

void figure(const char* phase, const char* name, double value, const char* unit)
{
    std::printf("%s.%s %.3f %s\n", phase, name, value, unit);
    std::fflush(stdout);
}

void note(const char* phase, const QString& text)
{
    std::printf("%s.note %s\n", phase, qPrintable(text));
    std::fflush(stdout);
}

void runEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QString findSimulator()
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {dir + QStringLiteral("/../sim/veltrix-meter-sim"),
                                     dir + QStringLiteral("/veltrix-meter-sim")}) {
        const QFileInfo fi(candidate);
        if (fi.isFile() && fi.isExecutable())
            return fi.canonicalFilePath();
    }
    return {};
}

std::unique_ptr<Panel> startPanel(sim::VirtualMeter& meter, QString* error)
{
    if (!meter.start(error))
        return nullptr;
    ui::PortBindings bindings;
    bindings.bind(1, meter.devicePath());
    auto panel = std::make_unique<Panel>(bindings, 1);
    ui::OpenError openError = ui::OpenError::None;
    if (!panel->startUp(&openError)) {
        if (error)
            *error = QStringLiteral("the panel could not open %1: %2")
                         .arg(meter.devicePath(), ui::SerialLine::describe(openError));
        return nullptr;
    }
    panel->show();
    return panel;
}

} // namespace veltrix::bench
