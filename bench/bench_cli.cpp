// SPDX-License-Identifier: GPL-3.0-or-later
// veltrix-cli figures:
//  1. read: `veltrix-cli read --count 100` against veltrix-meter-sim (paced, own process): the
//     poll period (wall time between the first and the last line over 99) and the tool's CPU
//     time per minute (getrusage of the waited-for child), to compare with the panel's in
//     bench_poll.
//  2. convert: a 50,000-record file to CSV, in process (convertRecordFileToCsv) and as the whole
//     `veltrix-cli convert` command.
//  3. start-up: `veltrix-cli --help`, wall time of the whole process, median of 21 runs.
// Usage: bench_cli [--skip-read]

#include "panel/SharedState.h"
#include "records/CsvExport.h"
#include "records/RecordFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using namespace veltrix;

namespace {

QString sibling(const QString& relative)
{
    const QFileInfo fi(QCoreApplication::applicationDirPath() + QLatin1Char('/') + relative);
    return fi.isFile() && fi.isExecutable() ? fi.canonicalFilePath() : QString();
}

double childrenCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void readPhase(const QString& cli, const QString& simulator)
{
    QProcess sim;
    sim.start(simulator, {});
    if (!sim.waitForStarted(5000)) {
        std::printf("read: skipped, the simulator did not start\n");
        return;
    }
    QElapsedTimer waitLine;
    waitLine.start();
    while (!sim.canReadLine() && waitLine.elapsed() < 5000)
        sim.waitForReadyRead(500);
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();

    QProcess read;
    read.setProcessChannelMode(QProcess::SeparateChannels);
    const double cpu0 = childrenCpuSeconds();
    read.start(cli, {QStringLiteral("read"), QStringLiteral("--port"), device,
                     QStringLiteral("--count"), QStringLiteral("100")});
    std::vector<qint64> lineTimes;
    QElapsedTimer wall;
    wall.start();
    QByteArray pending;
    while (read.state() != QProcess::NotRunning || read.bytesAvailable() > 0) {
        read.waitForReadyRead(100);
        pending += read.readAllStandardOutput();
        qsizetype nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            lineTimes.push_back(wall.nsecsElapsed());
            pending.remove(0, nl + 1);
        }
        if (read.state() == QProcess::NotRunning && read.bytesAvailable() == 0)
            break;
    }
    read.waitForFinished();
    const double cpu = childrenCpuSeconds() - cpu0;
    const double total = double(wall.nsecsElapsed()) / 1e9;
    sim.kill();
    sim.waitForFinished(2000);
    if (lineTimes.size() < 2) {
        std::printf("read: only %zu lines (exit %d)\n", lineTimes.size(), read.exitCode());
        return;
    }
    const double period =
        double(lineTimes.back() - lineTimes.front()) / 1e6 / double(lineTimes.size() - 1);
    std::printf("read --count 100: %zu lines, exit %d, mean poll period %.1f ms, run %.1f s, "
                "CPU %.3f s = %.2f CPU-s/min\n",
                lineTimes.size(), read.exitCode(), period, total, cpu, cpu / total * 60.0);
}

void convertPhase(const QString& cli)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("big.txt"));
    QByteArray bytes = encodeRecordText(recordHeaderLine() + QStringLiteral("\r\n"));
    const QDateTime start(QDate(2026, 12, 5), QTime(8, 0));
    for (int i = 1; i <= MaxRecords; ++i) {
        const bool tesla = i % 3 == 0;
        const QString value = i % 97 == 0 ? QStringLiteral("OL") : QString::number(i % 1000 / 10.0);
        appendRecordText(bytes, recordLine(i, sampleBody(start.addSecs(i), value, !tesla,
                                                         i % 11 == 0, i % 13 == 0)));
    }
    QFile f(in);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return;
    f.close();

    std::vector<double> inProcess;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        const qsizetype n = convertRecordFileToCsv(in, dir.filePath(QStringLiteral("big.csv")));
        inProcess.push_back(double(t.nsecsElapsed()) / 1e6);
        if (n != MaxRecords) {
            std::printf("convert: %lld records converted\n", static_cast<long long>(n));
            return;
        }
    }
    std::vector<double> command;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.start(cli, {QStringLiteral("convert"), in, QStringLiteral("--to"), QStringLiteral("csv"),
                      QStringLiteral("--out"), dir.filePath(QStringLiteral("cli.csv"))});
        p.waitForFinished();
        command.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("convert 50000 records (%.1f MB): in process median %.1f ms (first %.1f ms), "
                "whole command median %.1f ms\n",
                double(bytes.size()) / 1e6, median(inProcess), inProcess.front(), median(command));
}

void startupPhase(const QString& cli)
{
    std::vector<double> times;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.start(cli, {QStringLiteral("--help")});
        p.waitForFinished();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("veltrix-cli --help: median %.1f ms, worst %.1f ms (21 runs)\n", median(times),
                *std::max_element(times.begin(), times.end()));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString cli = sibling(QStringLiteral("../cli/veltrix-cli"));
    const QString simulator = sibling(QStringLiteral("../sim/veltrix-meter-sim"));
    if (cli.isEmpty()) {
        std::printf("veltrix-cli is not built next to this program\n");
        return 1;
    }
    startupPhase(cli);
    convertPhase(cli);
    if (!QCoreApplication::arguments().contains(QStringLiteral("--skip-read"))) {
        if (simulator.isEmpty())
            std::printf("read: skipped, veltrix-meter-sim not built\n");
        else
            readPhase(cli, simulator);
    }
    return 0;
}
