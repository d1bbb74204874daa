// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Long recordings as the `veltrix-record@` service leaves them, written once into a folder and
// kept for the next run, and the command-line tool run over them as its own process.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace veltrix::bench {

inline constexpr int DayRecords = 86400;

// One day at 1 s from midnight: a field between 0.3 and 4 mG that varies slowly, a spike now
// and then, an overload a day.
QByteArray dayBytes(const QDate& day, int dayNumber);
// Writes it to `path` unless the file is there already.
bool writeDay(const QString& path, const QDate& day, int dayNumber);
// The 365 daily files of 2026 in `dir` (written when missing), and their bytes; empty when one
// cannot be written.
QStringList yearOfDays(const QString& dir, qint64* bytes);

struct Run {
    int status = -1;
    double seconds = 0, cpuSeconds = 0;
    double peakMb = 0;
};
// Runs a program with standard output to /dev/null; its own rusage from wait4.
Run runTool(const QString& program, const QStringList& args);

} // namespace veltrix::bench
