// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the poll loop: how often the meter is polled and what polling costs in CPU time.
//
//  1. link:  MeterLink::pollExchange() in a plain loop against an in-process virtual meter paced
//            at 9600 baud, over a real pseudo-terminal.
//  2. panel: the main window polling the in-process virtual meter on the normal event loop.
//  3. panel_views: as 2, with the gauge, the strip chart and the digital display open and fed
//            every second (sampling time 1 s), to compare their cost with the panel alone.
//  4. panel_sim: the main window polling veltrix-meter-sim in a process of its own, so the CPU
//            figure is the panel's alone (skipped when the simulator is not found).
//  5. panel_spot: as 4 at sampling time 1 s with the Survey window open and a point chosen, once
//            idle and once with a spot measurement running through the whole run. The measurement
//            takes the samples the panel's session takes anyway, so it should cost no CPU beyond
//            the idle window and poll the meter exactly as often.
//
// A poll waits 0.2 s for the answer and the next tick starts about 50 ms after the previous one
// ended, so the panel should poll about every 0.25 s; the thread sleeps in the event loop during
// the wait, so the CPU should stay near idle. Usage: bench_poll [--seconds N] [--phase NAME]
// (default 30 s per phase, all phases). Run headless with QT_QPA_PLATFORM=offscreen (set here
// when there is no display).

#include "support/BenchSupport.h"

#include "link/Delay.h"
#include "link/MeterLink.h"
#include "panel/Panel.h"
#include "sim/VirtualMeter.h"
#include "survey/SurveyWindow.h"
#include "ui/Dialogs.h"
#include "ui/PortBindings.h"
#include "ui/SerialLine.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

using namespace veltrix;
using namespace veltrix::bench;

namespace {
void count(const char* phase, const char* name, long long value, const char* unit)
{
    std::printf("%s.%s %lld %s\n", phase, name, value, unit);
    std::fflush(stdout);
}
struct PhaseResult {
    bool ran = false;
    int polls = 0;
    double periodMs = 0;
    double cpuPerMinute = 0;
    double pollsPerSecond = 0;
};

// Lets a tick that is still waiting for its answer finish, then leaves the panel idle.
void stopPanel(Panel& panel)
{
    panel.stopPolling();
    QElapsedTimer t;
    t.start();
    while (panel.inTick() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    panel.hide();
}

// Mean spacing of a series of time stamps (ns) in ms; 0 with fewer than two.
double meanPeriodMs(const std::vector<qint64>& stamps)
{
    if (stamps.size() < 2)
        return 0;
    return double(stamps.back() - stamps.front()) / double(stamps.size() - 1) / 1e6;
}

double maxPeriodMs(const std::vector<qint64>& stamps)
{
    qint64 worst = 0;
    for (size_t i = 1; i < stamps.size(); ++i)
        worst = std::max(worst, stamps[i] - stamps[i - 1]);
    return double(worst) / 1e6;
}

// Starts the virtual meter, paced like the real line, and binds COM1 to it; nothing (with a
// note) if it cannot start.
std::optional<ui::PortBindings> startMeter(const char* phase, sim::VirtualMeter& meter)
{
    meter.setPaced(true);
    QString error;
    if (!meter.start(&error)) {
        note(phase, QStringLiteral("virtual meter did not start: %1").arg(error));
        return std::nullopt;
    }
    ui::PortBindings bindings;
    bindings.bind(1, meter.devicePath());
    return bindings;
}

PhaseResult linkPhase(double seconds)
{
    const char* phase = "link";
    PhaseResult r;
    sim::VirtualMeter meter;
    const auto bindings = startMeter(phase, meter);
    if (!bindings)
        return r;
    ui::SerialLine line(*bindings);
    line.setCommPort(1);
    line.setSettings(QStringLiteral("9600,n,8,1"));
    if (line.setPortOpen(true) != ui::OpenError::None) {
        note(phase, QStringLiteral("cannot open %1: %2").arg(meter.devicePath(), line.errorText()));
        return r;
    }
    MeterLink link(line);
    int lost = 0;
    link.onLinkLost = [&lost] {
        ++lost;
        return false; // no panel here: give the exchange up and count it
    };

    int answered = 0;
    QElapsedTimer wall;
    const double cpu0 = cpuSeconds();
    wall.start();
    while (double(wall.nsecsElapsed()) / 1e9 < seconds) {
        if (link.pollExchange())
            ++answered;
        ++r.polls;
        if (quitting())
            break;
    }
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    line.setPortOpen(false);
    meter.stop();

    r.ran = true;
    r.periodMs = elapsed * 1000.0 / std::max(1, r.polls);
    r.cpuPerMinute = cpu / elapsed * 60.0;
    count(phase, "polls", r.polls, "exchanges");
    count(phase, "answered", answered, "exchanges");
    count(phase, "retried", link.retriedPolls(), "exchanges");
    count(phase, "lost", lost, "times");
    figure(phase, "poll_period", r.periodMs, "ms");
    figure(phase, "cpu_per_minute", r.cpuPerMinute, "cpu-s/min (meter in process)");
    return r;
}

PhaseResult panelPhase(double seconds, bool withViews = false)
{
    const char* phase = withViews ? "panel_views" : "panel";
    PhaseResult r;
    sim::VirtualMeter meter;
    const auto bindings = startMeter(phase, meter);
    if (!bindings)
        return r;

    std::vector<qint64> polls; // when each poll command reached the meter
    std::vector<qint64> ticks; // when each tick ended
    QElapsedTimer wall;
    QObject::connect(&meter, &sim::VirtualMeter::commandReceived, &meter,
                     [&](const QString& command) {
                         if (command == QLatin1String(" "))
                             polls.push_back(wall.nsecsElapsed());
                     });

    auto panel = std::make_unique<Panel>(*bindings, 1);
    QObject::connect(panel.get(), &Panel::tickFinished, panel.get(),
                     [&] { ticks.push_back(wall.nsecsElapsed()); });
    wall.start();
    const double cpu0 = cpuSeconds();
    ui::OpenError openError = ui::OpenError::None;
    if (!panel->startUp(&openError)) {
        note(phase, QStringLiteral("start-up failed: %1").arg(ui::SerialLine::describe(openError)));
        return r;
    }
    panel->show();
    int samples = 0;
    if (withViews) {
        panel->setSamplingSeconds(1);
        for (const char* key : {"Analog", "Graph", "Digital"})
            panel->toolbarClick(QString::fromLatin1(key));
        // Every view's feeding step runs behind the digital display's, which is fed last.
        Panel::Feeder digital = panel->feeder(FeedStage::Digital);
        panel->setFeeder(FeedStage::Digital, [&samples, digital](const QString& body) {
            ++samples;
            return digital ? digital(body) : true;
        });
    }
    runEventLoopFor(int(seconds * 1000));
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    stopPanel(*panel);
    if (withViews)
        count(phase, "samples_fed", samples, "samples reaching the digital display");
    const int retried = panel->link().retriedPolls();
    const bool lost = panel->linkLost();
    panel.reset();
    meter.stop();

    r.ran = true;
    r.polls = int(polls.size());
    r.periodMs = meanPeriodMs(polls);
    r.cpuPerMinute = cpu / elapsed * 60.0;
    count(phase, "polls", r.polls, "poll commands");
    count(phase, "ticks", (long long)ticks.size(), "ticks");
    count(phase, "retried", retried, "exchanges");
    figure(phase, "poll_period", r.periodMs, "ms");
    figure(phase, "poll_period_max", maxPeriodMs(polls), "ms");
    figure(phase, "cpu_per_minute", r.cpuPerMinute, "cpu-s/min (meter in process)");
    if (lost)
        note(phase, QStringLiteral("the link was lost at the end of the run"));
    return r;
}
// veltrix-meter-sim in a process of its own; the first line it prints names its device. Told
// to quit when this ends.
class SimProcess {
public:
    bool start(const char* phase)
    {
        const QString program = findSimulator();
        if (program.isEmpty()) {
            note(phase,
                 QStringLiteral("skipped: veltrix-meter-sim not built next to this program"));
            return false;
        }
        m_process.setProgram(program);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start();
        if (!m_process.waitForStarted(5000) || !m_process.waitForReadyRead(5000)) {
            note(phase, QStringLiteral("skipped: %1 did not start").arg(program));
            return false;
        }
        QElapsedTimer waitLine;
        waitLine.start();
        while (!m_process.canReadLine() && waitLine.elapsed() < 5000)
            m_process.waitForReadyRead(500);
        m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        if (m_device.isEmpty())
            note(phase, QStringLiteral("skipped: the simulator named no device"));
        return !m_device.isEmpty();
    }
    QString device() const { return m_device; }
    qint64 pid() const { return m_process.processId(); }
    ~SimProcess()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.write("quit\n");
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(3000)) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000))
                m_process.kill();
        }
    }

private:
    QProcess m_process;
    QString m_device;
};

// The main window polling the simulator for a while. `setUp` runs once the panel is shown (its
// time counts; false ends the run unmeasured), `report` right after the measured time.
PhaseResult simPanelRun(const char* phase, const SimProcess& sim, double seconds,
                        const std::function<bool(Panel&)>& setUp = {},
                        const std::function<void(Panel&)>& report = {})
{
    PhaseResult r;
    ui::PortBindings bindings;
    bindings.bind(1, sim.device());
    std::vector<qint64> ticks;
    QElapsedTimer wall;
    auto panel = std::make_unique<Panel>(bindings, 1);
    QObject::connect(panel.get(), &Panel::tickFinished, panel.get(),
                     [&] { ticks.push_back(wall.nsecsElapsed()); });
    wall.start();
    const double cpu0 = cpuSeconds();
    const std::optional<double> simCpu0 = cpuSecondsOf(sim.pid());
    ui::OpenError openError = ui::OpenError::None;
    if (!panel->startUp(&openError)) {
        note(phase, QStringLiteral("start-up on %1 failed: %2")
                        .arg(sim.device(), ui::SerialLine::describe(openError)));
        return r;
    }
    panel->show();
    if (setUp && !setUp(*panel)) {
        stopPanel(*panel);
        return r;
    }
    runEventLoopFor(int(seconds * 1000));
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    const std::optional<double> simCpu1 = cpuSecondsOf(sim.pid());
    if (report)
        report(*panel);
    stopPanel(*panel);

    r.ran = true;
    // A tick is one poll exchange; ticks end as regularly as they start.
    r.polls = int(ticks.size());
    r.periodMs = meanPeriodMs(ticks);
    r.cpuPerMinute = cpu / elapsed * 60.0;
    count(phase, "polls", r.polls, "ticks");
    count(phase, "retried", panel->link().retriedPolls(), "exchanges");
    r.pollsPerSecond = r.polls / elapsed;
    figure(phase, "polls_per_second", r.pollsPerSecond, "ticks/s");
    figure(phase, "poll_period", r.periodMs, "ms");
    figure(phase, "poll_period_max", maxPeriodMs(ticks), "ms");
    figure(phase, "cpu_per_minute", r.cpuPerMinute, "cpu-s/min (panel only)");
    if (simCpu0 && simCpu1)
        figure(phase, "sim_cpu_per_minute", (*simCpu1 - *simCpu0) / elapsed * 60.0,
               "cpu-s/min (meter process)");
    return r;
}

PhaseResult separatePhase(double seconds)
{
    SimProcess sim;
    if (!sim.start("panel_sim"))
        return {};
    return simPanelRun("panel_sim", sim, seconds);
}

// Answers the Survey window's name questions with the names it offers.
class DefaultAnswers : public ui::Dialogs {
public:
    QString inputBox(QWidget*, const QString&, const QString&, const QString& defaultText) override
    {
        return defaultText;
    }
    ui::MsgResult message(QWidget*, const QString& text, ui::MsgButtons, ui::MsgIcon,
                          const QString&) override
    {
        note("survey", text);
        return ui::MsgResult::Ok;
    }
};

// Opens the Survey window at sampling time 1 s with a room and a point chosen; with
// `measureSeconds`, starts a spot measurement that long. False (with a note) when it cannot.
bool openSurvey(const char* phase, Panel& panel, int measureSeconds)
{
    panel.setSamplingSeconds(1);
    panel.toolbarClick(QStringLiteral("Survey"));
    survey::SurveyWindow* window = panel.surveyWindow();
    if (!window) {
        note(phase, QStringLiteral("the Survey window did not open"));
        return false;
    }
    window->addRoom();
    window->addPoint();
    // Measure here waits for the meter's model; both runs wait, so that they last as long.
    auto* measure = window->findChild<QPushButton*>(QStringLiteral("CmdMeasure"));
    QElapsedTimer t;
    t.start();
    while (!measure->isEnabled() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (measureSeconds <= 0)
        return true;
    window->findChild<QSpinBox*>(QStringLiteral("SpinMeasureSeconds"))->setValue(measureSeconds);
    measure->click();
    if (!window->measuring())
        note(phase, QStringLiteral("the spot measurement did not start"));
    return window->measuring();
}

struct SpotResult {
    PhaseResult idle, spot;
};

// As panel_sim, with the Survey window open: idle, then with a spot measurement running through
// the whole run. The measurement takes the samples the panel takes anyway, so the polls and the
// CPU time should match.
SpotResult spotPhase(double seconds)
{
    SpotResult r;
    SimProcess sim;
    if (!sim.start("panel_spot"))
        return r;
    DefaultAnswers answers;
    ui::Dialogs::setCurrent(&answers);
    {
        // The first window shown in the process pays for fonts and style once: not in either run.
        survey::SurveyWindow warmUp(nullptr);
        warmUp.show();
        runEventLoopFor(500);
    }
    r.idle = simPanelRun("panel_survey_idle", sim, seconds,
                         [](Panel& panel) { return openSurvey("panel_survey_idle", panel, 0); });
    const int length = int(seconds) + 60; // still running when the run ends
    r.spot = simPanelRun(
        "panel_spot", sim, seconds,
        [length](Panel& panel) { return openSurvey("panel_spot", panel, length); },
        [](Panel& panel) {
            survey::SurveyWindow* window = panel.surveyWindow();
            count("panel_spot", "spot_samples", window->spotSamples(),
                  "samples held by the measurement");
            if (!window->measuring())
                note("panel_spot", QStringLiteral("the measurement ended before the run"));
            window->cancelMeasurement();
        });
    ui::Dialogs::setCurrent(nullptr);
    return r;
}

void summaryLine(const char* phase, const PhaseResult& r)
{
    if (!r.ran) {
        std::printf("  %-17s not run\n", phase);
        return;
    }
    std::printf("  %-17s %6d polls, every %7.1f ms, %6.2f CPU-s per minute\n", phase, r.polls,
                r.periodMs, r.cpuPerMinute);
}

} // namespace

const char* const Phases[] = {"link", "panel", "panel_views", "panel_sim", "panel_spot"};

int usage()
{
    std::fprintf(stderr, "usage: bench_poll [--seconds N] [--phase NAME]  (default 30 s per phase, "
                         "all phases; NAME: link, panel, panel_views, panel_sim, panel_spot)\n");
    return 2;
}

int main(int argc, char* argv[])
{
    double seconds = 30;
    const char* only = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            char* end = nullptr;
            seconds = std::strtod(argv[++i], &end);
            if (end == argv[i] || *end != '\0' || !(seconds > 0)) {
                std::fprintf(stderr, "bench_poll: --seconds expects a positive number\n");
                return 2;
            }
        } else if (std::strcmp(argv[i], "--phase") == 0 && i + 1 < argc) {
            only = argv[++i];
            if (std::none_of(std::begin(Phases), std::end(Phases),
                             [only](const char* p) { return std::strcmp(p, only) == 0; })) {
                std::fprintf(stderr, "bench_poll: no phase named %s\n", only);
                return usage();
            }
        } else {
            return usage();
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    std::printf("bench_poll: %.0f s per phase, QPA %s\n", seconds,
                qPrintable(QApplication::platformName()));
    std::fflush(stdout);

    const auto wanted = [only](const char* phase) {
        return !only || std::strcmp(only, phase) == 0;
    };
    const PhaseResult link = wanted("link") ? linkPhase(seconds) : PhaseResult{};
    const PhaseResult panel = wanted("panel") ? panelPhase(seconds) : PhaseResult{};
    const PhaseResult views = wanted("panel_views") ? panelPhase(seconds, true) : PhaseResult{};
    const PhaseResult separate = wanted("panel_sim") ? separatePhase(seconds) : PhaseResult{};
    const SpotResult spot = wanted("panel_spot") ? spotPhase(seconds) : SpotResult{};

    std::printf("summary (target: a poll about every 250 ms in the panel, 200 ms plus the answer "
                "check at link level; a few CPU-s per minute at most):\n");
    const auto line = [&](const char* phase, const PhaseResult& r) {
        if (wanted(phase))
            summaryLine(phase, r);
    };
    line("link", link);
    line("panel", panel);
    line("panel_views", views);
    if (panel.ran && views.ran && panel.cpuPerMinute > 0)
        std::printf("  views cost %.2fx the panel alone (target: at most 1.5x)\n",
                    views.cpuPerMinute / panel.cpuPerMinute);
    line("panel_sim", separate);
    if (wanted("panel_spot")) {
        summaryLine("panel_survey_idle", spot.idle);
        summaryLine("panel_spot", spot.spot);
    }
    if (spot.idle.ran && spot.spot.ran && spot.idle.cpuPerMinute > 0)
        std::printf("  a spot measurement costs %.2fx the idle Survey window, polls %.3f/s against "
                    "%.3f/s (target: about 1x, the same polls)\n",
                    spot.spot.cpuPerMinute / spot.idle.cpuPerMinute, spot.spot.pollsPerSecond,
                    spot.idle.pollsPerSecond);
    std::fflush(stdout);
    return 0;
}
