// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/LongRecordings.h"

#include "support/BenchSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace veltrix::bench {

QByteArray dayBytes(const QDate& day, int dayNumber)
{
    QByteArray out;
    out.reserve(DayRecords * 40);
    out += "No.s      Date           Time         Value   Unit     Hold    Peak    \r\n";
    const QByteArray date = day.toString(QStringLiteral("yy/MM/dd")).toLatin1();
    char line[80];
    int number = 0;
    for (int s = 0; s < DayRecords; ++s) {
        const double mg = 2.15 + 1.8 * std::sin((s + dayNumber * 977) / 5400.0) +
                          (s % 7919 < 3 ? 40 : 0) + (s % 7) * 0.02;
        char value[16];
        if (s == 12 * 3600 + dayNumber)
            std::snprintf(value, sizeof value, "OL");
        else
            std::snprintf(value, sizeof value, "%.1f", mg);
        const int n = std::snprintf(line, sizeof line, "%d\t%s\t%02d:%02d:%02d\t%s\tmG\t\t\t\r\n",
                                    ++number, date.constData(), s / 3600, s / 60 % 60, s % 60,
                                    value);
        out.append(line, n);
    }
    return out;
}

bool writeDay(const QString& path, const QDate& day, int dayNumber)
{
    if (QFileInfo::exists(path))
        return true;
    QFile f(path);
    const QByteArray bytes = dayBytes(day, dayNumber);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList yearOfDays(const QString& dir, qint64* bytes)
{
    QStringList days;
    *bytes = 0;
    for (int d = 0; d < 365; ++d) {
        const QDate day = QDate(2026, 1, 1).addDays(d);
        days << QDir(dir).filePath(day.toString(QStringLiteral("'bench-'yyyy-MM-dd'.txt'")));
        if (!writeDay(days.last(), day, d))
            return {};
        *bytes += QFileInfo(days.last()).size();
    }
    return days;
}

Run runTool(const QString& program, const QStringList& args)
{
    QList<QByteArray> bytes{program.toLocal8Bit()};
    for (const QString& a : args)
        bytes << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    Run r;
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        return r;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    r.seconds = ms(t) / 1000;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    r.peakMb = double(usage.ru_maxrss) / 1024; // kB
    posix_spawn_file_actions_destroy(&actions);
    return r;
}

} // namespace veltrix::bench
