// SPDX-License-Identifier: GPL-3.0-or-later
// veltrix-cli's feeds, against veltrix-meter-sim (paced, own process) and a mosquitto broker on
// 127.0.0.1 started here:
//  1. cpu: `read` for N polls plain, then with `--format influx --mqtt`, R times in turn: the
//     tool's CPU time, all of it (getrusage of the waited-for child) and from its 10th second on
//     (the scheduler's nanosecond account in /proc/PID/task/*/schedstat; /proc/PID/stat counts
//     in 10 ms ticks, too coarse for a tool this idle), each run's and the medians, and the
//     ratios of the medians (target: at most 1.2).
//  2. latency: from the poll answer (the state message's time, taken when the answer is decoded)
//     to the message's arrival at a subscriber (mosquitto_sub's receive time): target 50 ms.
//  3. memory: `read --mqtt` for M minutes with the broker stopped every other minute: the
//     tool's resident memory each minute (target: flat).
//  With --interval S both runs of 1. take a reading every S seconds (`read --interval S`, the
//  meter still polled about four times a second) instead of one a poll.
//  With --unix the tool reaches the broker through its local socket (mqtt+unix://) instead of
//  TCP on 127.0.0.1.
// Usage: bench_feeds [--count N] [--runs R] [--interval S] [--minutes M] [--skip-memory]
//                    [--unix] [--cli PATH]

#include "support/BenchSupport.h"
#include "support/Broker.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace veltrix;
using test::Broker;

namespace {

double childrenCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long residentKiB(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

QString url(const Broker& b)
{
    return QStringLiteral("mqtt://127.0.0.1:%1").arg(b.port);
}

// CPU time of every thread of `pid` so far, in seconds (nothing when it cannot be read).
std::optional<double> scheduledSecondsOf(qint64 pid)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    const QStringList ids = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (ids.isEmpty())
        return std::nullopt;
    double ns = 0;
    for (const QString& id : ids) {
        QFile f(tasks.filePath(id + QStringLiteral("/schedstat")));
        if (f.open(QIODevice::ReadOnly))
            ns += f.readAll().split(' ').value(0).toDouble();
    }
    return ns / 1e9;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Runs `read` with `extra` until it ends; returns the tool's CPU seconds per minute, all of it
// (start included) and in the steady state (from the 10th second to the last reading).
std::pair<double, double> readCpu(const QString& cli, const QString& device, int count,
                                  const QStringList& extra)
{
    QProcess read;
    read.setStandardOutputFile(QProcess::nullDevice());
    const double cpu0 = childrenCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    read.start(cli, QStringList{QStringLiteral("read"), QStringLiteral("--port"), device} << extra);
    bench::runEventLoopFor(10000);
    const double steady0 = scheduledSecondsOf(read.processId()).value_or(0);
    const qint64 wall0 = wall.elapsed();
    bench::runEventLoopFor(count * 250);
    const double steady = scheduledSecondsOf(read.processId()).value_or(0) - steady0;
    const qint64 steadyMs = wall.elapsed() - wall0;
    read.terminate();
    read.waitForFinished(10000);
    const double cpu = childrenCpuSeconds() - cpu0;
    return {cpu / (double(wall.elapsed()) / 60000.0), steady / (double(steadyMs) / 60000.0)};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto option = [&](const char* name, int fallback) {
        const qsizetype i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1].toInt() : fallback;
    };
    const int count = option("--count", 120);
    const int minutes = option("--minutes", 10);
    const int runs = qMax(1, option("--runs", 3));
    // --cli: another build of the tool, e.g. an older one to compare with.
    const qsizetype cliAt = args.indexOf(QStringLiteral("--cli"));
    const QString cli =
        cliAt > 0 && cliAt + 1 < args.size()
            ? args[cliAt + 1]
            : QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/veltrix-cli");
    const QString simulator = bench::findSimulator();
    if (simulator.isEmpty() || !QFile::exists(cli)) {
        std::printf("veltrix-cli or veltrix-meter-sim not built\n");
        return 1;
    }
    QProcess sim;
    sim.start(simulator, {});
    sim.waitForReadyRead(5000);
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    Broker broker;
    broker.localSocket = args.contains(QStringLiteral("--unix"));
    const QString brokerUrl = broker.localSocket ? broker.socketUrl() : url(broker);
    if (!broker.start()) {
        std::printf("mosquitto did not start\n");
        return 1;
    }

    // 1. CPU, plain and with both feeds on, in turn so that both meet the same load.
    std::vector<double> plainAll, fedAll, plainSteady, fedSteady;
    const int interval = option("--interval", 0);
    const QStringList every =
        interval > 0 ? QStringList{QStringLiteral("--interval"), QString::number(interval)}
                     : QStringList{};
    for (int run = 1; run <= runs; ++run) {
        const auto plain = readCpu(cli, device, count, every);
        const auto fed = readCpu(cli, device, count,
                                 QStringList{QStringLiteral("--format"), QStringLiteral("influx"),
                                             QStringLiteral("--mqtt"), brokerUrl}
                                     << every);
        std::printf("cpu.run%d plain %.4f / %.4f steady, influx+mqtt %.4f / %.4f steady "
                    "CPU-s/min\n",
                    run, plain.first, plain.second, fed.first, fed.second);
        std::fflush(stdout);
        plainAll.push_back(plain.first);
        fedAll.push_back(fed.first);
        plainSteady.push_back(plain.second);
        fedSteady.push_back(fed.second);
    }
    const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0; };
    bench::figure("cpu", "plain", median(plainAll), "CPU-s/min");
    bench::figure("cpu", "influx+mqtt", median(fedAll), "CPU-s/min");
    bench::figure("cpu", "ratio", ratio(median(fedAll), median(plainAll)), "x");
    bench::figure("cpu", "plain steady", median(plainSteady), "CPU-s/min");
    bench::figure("cpu", "influx+mqtt steady", median(fedSteady), "CPU-s/min");
    bench::figure("cpu", "ratio steady", ratio(median(fedSteady), median(plainSteady)), "x");

    // 2. Latency from the poll answer to the subscriber.
    {
        QProcess sub;
        sub.start(QStringLiteral("mosquitto_sub"),
                  {QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                   QString::number(broker.port), QStringLiteral("-t"),
                   QStringLiteral("veltrix/lat/state"), QStringLiteral("-F"),
                   QStringLiteral("%U %p")});
        sub.waitForStarted();
        QProcess read;
        read.setStandardOutputFile(QProcess::nullDevice());
        read.start(cli,
                   {QStringLiteral("read"), QStringLiteral("--port"), device,
                    QStringLiteral("--count"), QString::number(count), QStringLiteral("--meter-id"),
                    QStringLiteral("lat"), QStringLiteral("--mqtt"), brokerUrl});
        read.waitForFinished(count * 1000 + 30000);
        sub.waitForReadyRead(1000);
        std::vector<double> latencies;
        while (sub.canReadLine()) {
            const QByteArray line = sub.readLine().trimmed();
            const qsizetype space = line.indexOf(' ');
            const double received = line.left(space).toDouble(); // seconds, nanosecond digits
            const auto state = QJsonDocument::fromJson(line.mid(space + 1)).object();
            const QDateTime answered =
                QDateTime::fromString(state[QStringLiteral("time")].toString(), Qt::ISODateWithMs);
            latencies.push_back(received * 1000.0 - double(answered.toMSecsSinceEpoch()));
        }
        sub.kill();
        sub.waitForFinished();
        std::sort(latencies.begin(), latencies.end());
        if (!latencies.empty()) {
            bench::figure("latency", "messages", double(latencies.size()), "");
            bench::figure("latency", "median", latencies[latencies.size() / 2], "ms");
            bench::figure("latency", "p99", latencies[latencies.size() * 99 / 100], "ms");
            bench::figure("latency", "max", latencies.back(), "ms");
        }
    }

    // 3. Memory over a long run, the broker away every other minute.
    if (!args.contains(QStringLiteral("--skip-memory"))) {
        QProcess read;
        read.setStandardOutputFile(QProcess::nullDevice());
        read.start(cli, {QStringLiteral("read"), QStringLiteral("--port"), device,
                         QStringLiteral("--mqtt"), brokerUrl});
        read.waitForStarted();
        for (int minute = 1; minute <= minutes; ++minute) {
            bench::runEventLoopFor(60000);
            const long kib = residentKiB(read.processId());
            std::printf("memory.minute%d %ld KiB (broker %s)\n", minute, kib,
                        broker.process.state() == QProcess::Running ? "up" : "down");
            std::fflush(stdout);
            if (broker.process.state() == QProcess::Running)
                broker.stop();
            else
                broker.start();
        }
        read.terminate();
        read.waitForFinished(10000);
    }
    broker.stop();
    sim.kill();
    sim.waitForFinished(2000);
    return 0;
}
