// SPDX-License-Identifier: GPL-3.0-or-later
// Soak run: the panel with every live view open, recording at 1 s against the in-process virtual
// meter, whose faults (silence, garbage, wrong lengths, split and late answers, unplug and
// replug) are switched at random with a fixed seed. A link loss stops the recording; after each
// recovery the views are opened again and a new recording starts in a new file.
//
// It reports records written against samples taken, link losses and recoveries, the largest
// event-loop latency, CPU use and resident memory after the warm-up and at the end, and fails
// (exit 1) on a hang (no event-loop turn for 30 s), a record file missing a record the panel
// counted, or resident memory growing by 1 MB or more after the warm-up.
//
// Usage: bench_soak [--seconds N] [--seed S] [--warmup N]
//   defaults 600 s, seed 1, warm-up 60 s; a day: --seconds 86400. Resident memory is read after
//   malloc_trim(), so that free pages the allocator keeps do not count as growth. Headless with
//   QT_QPA_PLATFORM=offscreen (set here when there is no display).

#include "panel/Panel.h"
#include "records/RecordFile.h"
#include "sim/VirtualMeter.h"
#include "ui/Dialogs.h"
#include "ui/PortBindings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <malloc.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

using namespace veltrix;

namespace {

// Answers the save dialog with a new file each time and the sampling box with 1 s; messages are
// counted and answered OK.
class SoakDialogs : public ui::Dialogs {
public:
    explicit SoakDialogs(const QString& folder) : m_folder(folder) { setCurrent(this); }
    ~SoakDialogs() override { setCurrent(nullptr); }
    ui::MsgResult message(QWidget*, const QString& text, ui::MsgButtons, ui::MsgIcon,
                          const QString& = {}) override
    {
        messages << text;
        return ui::MsgResult::Ok;
    }
    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override
    {
        return QStringLiteral("1");
    }
    std::optional<QString> openFile(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> saveFile(QWidget*, const QString&) override
    {
        files << QDir(m_folder).filePath(QStringLiteral("soak%1.txt").arg(files.size() + 1));
        return files.last();
    }
    QStringList files;
    QStringList messages;

private:
    QString m_folder;
};

// Heap in use (KiB): what the program holds, without the free pages the allocator keeps.
long heapKb()
{
    return long(mallinfo2().uordblks / 1024);
}

// Resident memory (KiB) once the allocator has handed its free pages back to the system.
long residentKb()
{
    malloc_trim(0);
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The whole records at the start of a record file: the header, then lines numbered 1, 2, ...
int wholeRecords(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = f.readAll();
    const QList<QByteArray> lines = bytes.split('\n');
    int n = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> cells = lines[i].split('\t');
        if (cells.size() != 8 || cells[0].toInt() != n + 1 || !lines[i].endsWith('\r'))
            break;
        ++n;
    }
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int seconds = 600;
    int warmup = 60;
    quint32 seed = 1;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::max(10, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--seed") == 0)
            seed = quint32(std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--warmup") == 0)
            warmup = std::max(0, std::atoi(argv[i + 1]));
    }
    warmup = std::min(warmup, seconds / 2);

    QTemporaryDir dir;
    SoakDialogs dialogs(dir.path());
    sim::VirtualMeter meter;
    meter.setPaced(true);
    meter.setSymlinkPath(dir.filePath(QStringLiteral("meter")));
    QString error;
    if (!meter.start(&error)) {
        std::fprintf(stderr, "virtual meter did not start: %s\n", qPrintable(error));
        return 1;
    }
    ui::PortBindings bindings;
    bindings.bind(1, meter.devicePath());
    Panel panel(bindings, 1);
    if (!panel.startUp()) {
        std::fprintf(stderr, "the panel could not open COM1\n");
        return 1;
    }
    panel.show();
    panel.setSamplingSeconds(1);

    // Every sample reaches the first feeder; count them there and pass them on.
    qint64 samples = 0, samplesRecording = 0;
    const Panel::Feeder first = panel.feeder(FeedStage::RecordGraph);
    panel.setFeeder(FeedStage::RecordGraph, [&](const QString& body) {
        ++samples;
        samplesRecording += panel.state().RecordingOn;
        return first ? first(body) : true;
    });

    // The record count the panel showed last, per recording, and the check at each loss.
    int shown = 0;
    QList<QPair<QString, int>> finished; // file, records counted
    QObject::connect(&panel, &Panel::tickFinished, &panel, [&] {
        if (panel.state().RecordingOn)
            shown = panel.findChild<QLabel*>(QStringLiteral("LblCount"))->text().toInt();
    });
    const auto openEverything = [&] {
        for (const char* key : {"Graph", "Graph2", "List", "Analog", "Digital"})
            panel.toolbarClick(QString::fromLatin1(key));
        if (!panel.state().RecordingOn) {
            shown = 0;
            panel.toolbarClick(QStringLiteral("SaveStop"));
        }
    };
    int losses = 0, recoveries = 0;
    QObject::connect(&panel, &Panel::linkStateChanged, &panel, [&](bool lost) {
        if (lost) {
            ++losses;
            if (!dialogs.files.isEmpty())
                finished.append({dialogs.files.last(), shown});
            shown = 0;
        } else {
            ++recoveries;
            QTimer::singleShot(0, &panel, openEverything);
        }
    });
    QTimer::singleShot(1500, &panel, openEverything);

    // Faults: every 5 to 30 s one is switched on for 1 to 8 s (unplug: 0.3 to 3 s before the
    // replug), then cleared.
    QRandomGenerator rng(seed);
    QMap<QString, int> faultCounts;
    QTimer faults;
    faults.setSingleShot(true);
    std::function<void()> nextFault = [&] { faults.start(5000 + int(rng.bounded(25000))); };
    QObject::connect(&faults, &QTimer::timeout, &panel, [&] {
        static const char* kinds[] = {"silent", "garbage", "longer", "shorter",
                                      "split",  "late",    "unplug"};
        const QString kind = QString::fromLatin1(kinds[rng.bounded(7)]);
        ++faultCounts[kind];
        const int lasts = 1000 + int(rng.bounded(7000));
        if (kind == QLatin1String("unplug")) {
            meter.unplug();
            QTimer::singleShot(300 + int(rng.bounded(2700)), &panel, [&] {
                QString e;
                if (!meter.replug(&e))
                    std::fprintf(stderr, "replug failed: %s\n", qPrintable(e));
                nextFault();
            });
            return;
        }
        if (kind == QLatin1String("silent"))
            meter.setSilent(true);
        else if (kind == QLatin1String("garbage"))
            meter.setGarbage(true);
        else if (kind == QLatin1String("longer"))
            meter.setLengthDelta(1);
        else if (kind == QLatin1String("shorter"))
            meter.setLengthDelta(-1);
        else if (kind == QLatin1String("split"))
            meter.setSplitReplies(true);
        else
            meter.setLateMs(150 + int(rng.bounded(300)));
        QTimer::singleShot(lasts, &panel, [&] {
            meter.setSilent(false);
            meter.setGarbage(false);
            meter.setLengthDelta(0);
            meter.setSplitReplies(false);
            meter.setLateMs(0);
            nextFault();
        });
    });
    nextFault();

    // Event-loop latency: a 50 ms timer measures how late it comes; a watchdog thread ends the
    // run when the loop has not turned for 30 s.
    std::atomic<qint64> beat{0};
    std::atomic<bool> running{true};
    QElapsedTimer clock;
    clock.start();
    qint64 lastBeat = 0, worstLatency = 0;
    QTimer latency;
    latency.setTimerType(Qt::PreciseTimer);
    QObject::connect(&latency, &QTimer::timeout, &panel, [&] {
        const qint64 now = clock.elapsed();
        if (lastBeat > 0 && now >= warmup * 1000LL)
            worstLatency = std::max(worstLatency, now - lastBeat - 50);
        lastBeat = now;
        beat = now;
    });
    latency.start(50);
    std::thread watchdog([&] {
        while (running) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            if (running && clock.elapsed() - beat > 30000) {
                std::fprintf(stderr, "HANG: no event-loop turn for 30 s\n");
                std::_Exit(2);
            }
        }
    });

    long rssStart = 0, heapStart = 0;
    double cpuStart = 0;
    QTimer::singleShot(warmup * 1000, &panel, [&] {
        rssStart = residentKb();
        heapStart = heapKb();
        cpuStart = cpuSeconds();
    });
    QTimer::singleShot(seconds * 1000, &app, [&] {
        // The recording in progress ends normally and is checked like the others.
        if (panel.state().RecordingOn && !dialogs.files.isEmpty()) {
            finished.append({dialogs.files.last(), panel.state().RecordCount});
            panel.stopRecording();
        }
        QCoreApplication::quit();
    });
    app.exec();
    const long rssEnd = residentKb();
    const long heapEnd = heapKb();
    const double cpuEnd = cpuSeconds();
    running = false;
    watchdog.join();

    panel.stopPolling();

    qint64 written = 0;
    int short_ = 0;
    for (const auto& [file, counted] : finished) {
        const int whole = wholeRecords(file);
        written += std::max(0, whole);
        if (whole < counted) {
            ++short_;
            std::printf("MISSING: %s holds %d records, %d were counted\n",
                        qPrintable(QFileInfo(file).fileName()), whole, counted);
        }
    }
    const double measured = std::max(1, seconds - warmup);
    std::printf("soak: %d s (warm-up %d s), seed %u\n", seconds, warmup, seed);
    QStringList kinds;
    for (auto it = faultCounts.cbegin(); it != faultCounts.cend(); ++it)
        kinds << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    std::printf("faults: %s\n", qPrintable(kinds.join(QStringLiteral(", "))));
    std::printf("samples taken: %lld (%lld while recording); records written: %lld in %lld files\n",
                samples, samplesRecording, written, qint64(finished.size()));
    std::printf("record files missing counted records: %d\n", short_);
    std::printf("link losses: %d, recoveries: %d\n", losses, recoveries);
    std::printf("largest event-loop latency after warm-up: %lld ms\n", worstLatency);
    std::printf("CPU after warm-up: %.1f %% of one core\n", 100 * (cpuEnd - cpuStart) / measured);
    std::printf("resident memory: %ld KiB after warm-up, %ld KiB at the end (%+ld KiB)\n", rssStart,
                rssEnd, rssEnd - rssStart);
    std::printf("heap in use: %ld KiB after warm-up, %ld KiB at the end (%+ld KiB)\n", heapStart,
                heapEnd, heapEnd - heapStart);
    std::printf("messages shown: %lld\n", qint64(dialogs.messages.size()));
    for (const QString& m : dialogs.messages)
        std::printf("  %s\n", qPrintable(m.left(120)));
    const bool ok = short_ == 0 && rssEnd - rssStart < 1024 && recoveries >= losses - 1;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
