// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A virtual meter on a real pseudo-terminal, wired to the program's serial line and meter link.

#include "link/MeterLink.h"
#include "sim/VirtualMeter.h"
#include "ui/SerialLine.h"

#include <memory>

namespace veltrix::test {

// Starts the meter behind a symlink of its own, so the same path leads to it after a replug.
bool startMeterOnLink(sim::VirtualMeter& meter, bool paced, QString* error = nullptr);

struct MeterRig {
    sim::VirtualMeter meter;
    std::unique_ptr<ui::SerialLine> line;
    std::unique_ptr<MeterLink> link;

    // Starts the meter (unpaced unless asked) and opens COM1 on it. False with a reason on failure.
    bool start(bool paced = false, QString* error = nullptr);
};

} // namespace veltrix::test
