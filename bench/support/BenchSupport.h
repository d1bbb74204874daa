// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks share: clocks, memory figures, the printed figure lines, and a panel
// polling a virtual meter in this process.

#include <QElapsedTimer>
#include <QString>

#include <memory>
#include <optional>

namespace veltrix {
class Panel;
namespace sim {
class VirtualMeter;
}
} // namespace veltrix

namespace veltrix::bench {

double ms(const QElapsedTimer& t);
// User plus system CPU time of this process, and of another one (from /proc; nothing when it
// cannot be read).
double cpuSeconds();
std::optional<double> cpuSecondsOf(qint64 pid);
// Resident memory of this process.
long residentBytes();

// One figure a line: "name value unit", or "phase.name value unit".
void figure(const char* name, double value, const char* unit);
void figure(const char* phase, const char* name, double value, const char* unit);
void note(const char* phase, const QString& text);

// Runs the event loop for a while without ending the application; the thread sleeps between
// events.
void runEventLoopFor(int ms);

// veltrix-meter-sim built beside the benchmarks; empty when it is not there.
QString findSimulator();

// Starts the meter, binds COM1 to it and starts a panel polling it (shown). Null, with the reason
// in *error, when either fails.
std::unique_ptr<Panel> startPanel(sim::VirtualMeter& meter, QString* error = nullptr);

} // namespace veltrix::bench
