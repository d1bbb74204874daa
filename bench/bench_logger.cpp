// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the data logger:
//
//  1. download: the panel opens the Memory window and downloads a full logger memory (one set of
//     16251 records, 32512 bytes) from the virtual meter paced at 9600 baud. Time against the
//     reply's time on the wire, the longest the event loop went without running a 10 ms timer
//     (how responsive the windows stay), and the CPU the panel used meanwhile. The meter runs as
//     veltrix-meter-sim in a process of its own when it is built next to this program, so that
//     the CPU figure is the panel's alone; otherwise in this process.
//  2. decode: 16,000 records that have arrived turned into rows and listed in DataList.
//  3. quiet: the Memory window closed 2 s into an 8 kB set; how long after the meter's last byte
//     the panel polls again (it waits for a quiet line first).
//  4. slow: the full memory from a meter 10 % slower than the line that also stops for 0.8 s in
//     the middle; it must arrive whole.
//
// Run headless with QT_QPA_PLATFORM=offscreen (set here when there is no display).

#include "support/BenchSupport.h"

#include "logger/DataList.h"
#include "logger/LoggerCommands.h"
#include "logger/LoggerExchange.h"
#include "logger/LoggerProtocol.h"
#include "logger/LoggerRecords.h"
#include "logger/MemoryWindow.h"
#include "panel/Panel.h"
#include "sim/MeterProtocol.h"
#include "sim/VirtualMeter.h"
#include "ui/Grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

using namespace veltrix;
using namespace veltrix::bench;

namespace {
void downloadPhase()
{
    const char* phase = "download";
    QString device;
    QProcess sim;
    std::unique_ptr<sim::VirtualMeter> inProcess;
    const QString program = findSimulator();
    if (!program.isEmpty()) {
        sim.setProgram(program);
        sim.setArguments({QStringLiteral("--full-memory")});
        sim.start();
        QElapsedTimer wait;
        wait.start();
        if (sim.waitForStarted(5000)) {
            while (!sim.canReadLine() && wait.elapsed() < 5000)
                sim.waitForReadyRead(500);
            device = QString::fromLocal8Bit(sim.readLine()).trimmed();
        }
    }
    if (device.isEmpty()) {
        note(phase, QStringLiteral("meter in this process (veltrix-meter-sim not found)"));
        inProcess = std::make_unique<sim::VirtualMeter>();
        inProcess->setLoggerSets(sim::VirtualMeter::fullMemorySets());
        inProcess->setPaced(true);
        QString error;
        if (!inProcess->start(&error)) {
            note(phase, QStringLiteral("skipped: %1").arg(error));
            return;
        }
        device = inProcess->devicePath();
    }

    ui::PortBindings bindings;
    bindings.bind(1, device);
    Panel panel(bindings, 1);
    if (!panel.startUp()) {
        note(phase, QStringLiteral("skipped: the panel could not open %1").arg(device));
        return;
    }
    panel.show();
    runEventLoopFor(1500);

    // The panel's own cost of polling, measured the same way, as the yardstick for the download.
    {
        QTimer beatOnly;
        beatOnly.setTimerType(Qt::PreciseTimer);
        beatOnly.callOnTimeout([] {});
        beatOnly.start(10);
        const double pollCpu0 = cpuSeconds();
        QElapsedTimer polling;
        polling.start();
        runEventLoopFor(20000);
        figure(phase, "poll_cpu_per_minute",
               (cpuSeconds() - pollCpu0) / (double(polling.elapsed()) / 1000.0) * 60.0,
               "cpu-s/min while only polling");
    }

    panel.toolbarClick(QStringLiteral("Memory"));
    MemoryWindow* memory = panel.memoryWindow();
    if (!memory || memory->sets().isEmpty()) {
        note(phase, QStringLiteral("skipped: the meter listed no set"));
        return;
    }
    const int records = memory->sets().at(0).records;
    const int bytes = logger::setDataLength(records);

    // The event loop's responsiveness: a 10 ms timer's worst lateness. The same timer notes the
    // moment the last record has arrived, so the transfer's CPU is told apart from the decoding
    // and listing that follow it.
    QElapsedTimer beat;
    qint64 lastBeat = 0, worstGapMs = 0;
    std::optional<double> transferCpu, transferTime;
    QTimer heart;
    heart.setTimerType(Qt::PreciseTimer);
    const auto* message = memory->findChild<QLabel*>(QStringLiteral("LblMessage"));
    const QString arrived = QString::number(records) + QStringLiteral(" Records Completed");
    QObject::connect(&heart, &QTimer::timeout, [&] {
        const qint64 now = beat.elapsed();
        worstGapMs = std::max(worstGapMs, now - lastBeat);
        lastBeat = now;
        if (!transferCpu && message && message->text() == arrived) {
            transferCpu = cpuSeconds();
            transferTime = double(now) / 1000.0;
        }
    });

    QElapsedTimer clock;
    const double cpu0 = cpuSeconds();
    beat.start();
    heart.start(10);
    clock.start();
    memory->downloadSet(1);
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    heart.stop();

    const double wire = (3 + bytes) * logger::LoggerExchange::ByteSeconds;
    DataList* list = memory->dataList();
    figure(phase, "bytes", bytes, "bytes");
    figure(phase, "rows", list ? list->grid().rowCount() : 0, "records listed");
    figure(phase, "time", elapsed, "s");
    figure(phase, "wire_time", wire, "s at 9600 baud");
    figure(phase, "ratio", elapsed / wire, "x wire time (target <= 1.03)");
    figure(phase, "max_event_gap", double(worstGapMs - 10),
           "ms beyond a 10 ms timer (target <= 50)");
    figure(phase, "cpu", cpu, inProcess ? "cpu-s (meter in process)" : "cpu-s (panel only)");
    figure(phase, "cpu_per_minute", cpu / elapsed * 60.0, "cpu-s/min, transfer and listing");
    if (transferCpu && transferTime && *transferTime > 0) {
        figure(phase, "transfer_cpu_per_minute", (*transferCpu - cpu0) / *transferTime * 60.0,
               "cpu-s/min while the bytes arrive (target <= poll_cpu_per_minute)");
        figure(phase, "transfer_time", *transferTime, "s until the last record was counted");
        figure(phase, "listing_cpu", cpu0 + cpu - *transferCpu,
               "cpu-s decoding and listing after the last byte");
    }
    if (list)
        note(phase, list->title()->text());
    panel.stopPolling();
    if (sim.state() != QProcess::NotRunning) {
        sim.terminate();
        sim.waitForFinished(3000);
    }
}

void decodePhase()
{
    const char* phase = "decode";
    sim::LoggerSet set = sim::VirtualMeter::fullMemorySets().at(0);
    set.values.resize(16000);
    const QByteArray reply = sim::protocol::setDataAnswer(set);
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        DataList list;
        QElapsedTimer t;
        t.start();
        const logger::SetRecords rows = logger::decodeSetRecords(reply, 16000, {}, 20);
        list.grid().addItems(rows.rows);
        list.title()->setText(logger::setTitle(int(rows.rows.size()), 1));
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    figure(phase, "records", 16000, "records");
    figure(phase, "time", best, "ms, best of 5 (target <= 100)");
}

void quietPhase()
{
    const char* phase = "quiet";
    sim::VirtualMeter meter;
    sim::LoggerSet big = sim::VirtualMeter::sampleSets().at(0);
    big.values = QList<quint16>(4000, 0x0123);
    meter.setLoggerSets({big});
    meter.setPaced(true);
    QString error;
    if (!meter.start(&error)) {
        note(phase, QStringLiteral("skipped: %1").arg(error));
        return;
    }
    ui::PortBindings bindings;
    bindings.bind(1, meter.devicePath());
    Panel panel(bindings, 1);
    if (!panel.startUp()) {
        note(phase, QStringLiteral("skipped: the panel could not open the meter"));
        return;
    }
    panel.show();
    runEventLoopFor(1000);
    panel.toolbarClick(QStringLiteral("Memory"));
    QPointer<MemoryWindow> memory = panel.memoryWindow();
    if (!memory || memory->sets().isEmpty()) {
        note(phase, QStringLiteral("skipped: the meter listed no set"));
        return;
    }
    QElapsedTimer clock;
    clock.start();
    double sentK = -1, firstPoll = -1;
    QObject::connect(&meter, &sim::VirtualMeter::commandReceived, [&](const QString& c) {
        const double now = double(clock.nsecsElapsed()) / 1e9;
        if (c.startsWith(QLatin1Char('K')))
            sentK = now;
        else if (c == QLatin1String(" ") && sentK >= 0 && firstPoll < 0)
            firstPoll = now;
    });
    QTimer::singleShot(2000, memory, [&] { memory->close(); });
    memory->downloadSet(1);
    while (firstPoll < 0 && clock.elapsed() < 30000)
        runEventLoopFor(50);
    const int bytes = logger::setDataLength(4000);
    const double lastByte = sentK + bytes * logger::LoggerExchange::ByteSeconds;
    figure(phase, "bytes", bytes, "bytes");
    figure(phase, "after_last_byte", firstPoll - lastByte,
           "s from the meter's last byte to the next poll (target <= 0.5)");
    panel.stopPolling();
}

void slowPhase()
{
    const char* phase = "slow";
    sim::VirtualMeter meter;
    meter.setLoggerSets(sim::VirtualMeter::fullMemorySets());
    meter.setPaced(true);
    QString error;
    if (!meter.start(&error)) {
        note(phase, QStringLiteral("skipped: %1").arg(error));
        return;
    }
    ui::PortBindings bindings;
    bindings.bind(1, meter.devicePath());
    ui::SerialLine line(bindings);
    line.setCommPort(1);
    line.setSettings(QStringLiteral("9600,n,8,1"));
    if (line.setPortOpen(true) != ui::OpenError::None) {
        note(phase, QStringLiteral("skipped: the line could not be opened"));
        return;
    }
    MeterLink link(line);
    logger::LoggerExchange exchange(link);
    const int records = int(meter.loggerSets().at(0).values.size());
    meter.setSlowdown(1.1);
    meter.setMidReplyPause(16000, 800);
    QElapsedTimer clock;
    clock.start();
    const logger::Reply reply = logger::readSetData(exchange, 1, records);
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    const double wire = (3 + logger::setDataLength(records)) * logger::LoggerExchange::ByteSeconds;
    figure(phase, "complete", reply.complete() ? 1 : 0, "1: the whole memory arrived");
    figure(phase, "time", elapsed, "s");
    figure(phase, "ratio", elapsed / wire, "x the wire time at 9600 baud (1.1 x + 0.8 s expected)");
    if (!reply.complete())
        note(phase, logger::failureText(QStringLiteral("set 1"), reply));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    decodePhase();
    downloadPhase();
    quietPhase();
    slowPhase();
    return 0;
}
