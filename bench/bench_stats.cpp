// `veltrix-cli stats` over long recordings, as the `veltrix-record@` service leaves them: a week
// in one file (604,800 records at 1 s) and a year of daily files (365 x 86,400 records). The
// built tool runs as its own process (JSON out, a threshold and a reference); wall time, records
// a second, its CPU time and its peak resident memory (the child's maxrss) are printed. The files are written
// once into DIR and kept there for the next run (about 1.3 GB for the year).
// Usage: bench_stats [--dir DIR] [--skip-year]

#include "support/BenchSupport.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

using namespace veltrix::bench;

namespace {

constexpr int DayRecords = 86400;

// One day at 1 s from midnight: a field between 0.3 and 4 mG that varies slowly, a spike now
// and then, an overload a day.
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

// A week in one file: seven days joined, numbered on.
bool writeWeek(const QString& path)
{
    if (QFileInfo::exists(path))
        return true;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    for (int d = 0; d < 7; ++d) {
        QByteArray bytes = dayBytes(QDate(2026, 12, 1).addDays(d), d);
        if (d > 0) // no header line within the file
            bytes.remove(0, bytes.indexOf('\n') + 1);
        if (f.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

struct Run {
    int status = -1;
    double seconds = 0, cpuSeconds = 0;
    double peakMb = 0;
};

// Runs the tool with standard output to /dev/null; its own rusage from wait4.
Run runTool(const QString& cli, const QStringList& args)
{
    QList<QByteArray> bytes{cli.toLocal8Bit()};
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

void report(const char* phase, const Run& r, qint64 records, qint64 bytes)
{
    if (r.status != 0) {
        note(phase, QStringLiteral("veltrix-cli stats exited with %1").arg(r.status));
        return;
    }
    figure(phase, "records", double(records), "");
    figure(phase, "input", double(bytes) / 1e6, "MB");
    figure(phase, "wall", r.seconds, "s");
    figure(phase, "cpu", r.cpuSeconds, "s");
    figure(phase, "rate", double(records) / r.seconds / 1e6, "M records/s");
    figure(phase, "peak memory", r.peakMb, "MB");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/veltrix-cli");
    if (!QFileInfo(cli).isExecutable()) {
        std::printf("veltrix-cli is not built next to this program\n");
        return 1;
    }
    QTemporaryDir tmp;
    const qsizetype dirAt = args.indexOf(QStringLiteral("--dir"));
    const QDir dir(dirAt > 0 && dirAt + 1 < args.size() ? args[dirAt + 1] : tmp.path());
    QDir().mkpath(dir.path());
    const QStringList common = {QStringLiteral("--format"), QStringLiteral("json"),
                                QStringLiteral("--threshold"), QStringLiteral("2mG"),
                                QStringLiteral("--reference"), QStringLiteral("iarc2002")};
    const qint64 dayRecords = DayRecords;

    const QString week = dir.filePath(QStringLiteral("week.txt"));
    if (!writeWeek(week)) {
        note("week", QStringLiteral("cannot write %1").arg(week));
        return 1;
    }
    report("week", runTool(cli, QStringList{QStringLiteral("stats"), week} + common),
           7 * dayRecords, QFileInfo(week).size());

    if (args.contains(QStringLiteral("--skip-year")))
        return 0;
    QStringList days;
    qint64 bytes = 0;
    for (int d = 0; d < 365; ++d) {
        const QDate day = QDate(2026, 1, 1).addDays(d);
        days << dir.filePath(day.toString(QStringLiteral("'bench-'yyyy-MM-dd'.txt'")));
        if (!writeDay(days.last(), day, d)) {
            note("year", QStringLiteral("cannot write %1").arg(days.last()));
            return 1;
        }
        bytes += QFileInfo(days.last()).size();
    }
    report("year", runTool(cli, QStringList{QStringLiteral("stats")} + days + common),
           365 * dayRecords, bytes);
    return 0;
}
