// SPDX-License-Identifier: GPL-3.0-or-later
// `veltrix-cli stats` over long recordings, as the `veltrix-record@` service leaves them: a week
// in one file (604,800 records at 1 s) and a year of daily files (365 x 86,400 records). The
// built tool runs as its own process (JSON out, a threshold and a reference); wall time, records
// a second, its CPU time and its peak resident memory (the child's maxrss) are printed. The files are written
// once into DIR and kept there for the next run (about 1.3 GB for the year).
// Usage: bench_stats [--dir DIR] [--skip-year]

#include "support/BenchSupport.h"
#include "support/LongRecordings.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace veltrix::bench;

namespace {

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
    qint64 bytes = 0;
    const QStringList days = yearOfDays(dir.path(), &bytes);
    if (days.isEmpty()) {
        note("year", QStringLiteral("cannot write the daily files in %1").arg(dir.path()));
        return 1;
    }
    report("year", runTool(cli, QStringList{QStringLiteral("stats")} + days + common),
           365 * dayRecords, bytes);
    return 0;
}
