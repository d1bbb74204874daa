// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The flags of the status byte that starts every poll answer.

namespace veltrix {

struct StatusFlags {
    bool MemoryLockFlag = false;
    bool HighRangeFlag = false;
    bool PeakFlag = false;
    bool HoldFlag = false;
    bool TeslaFlag = false;
    bool GaussFlag = false;
    bool operator==(const StatusFlags&) const = default;
};

} // namespace veltrix
