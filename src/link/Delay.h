// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Delay(seconds): waits while the window system keeps running, so timers, clicks and repaints are
// handled during every exchange with the meter. The wait is measured on a monotonic clock and the
// thread sleeps in the event loop meanwhile (no spinning).
//
// Anything may happen inside the wait, including the window of the caller being closed or the
// program quitting. Delay returns false when the program is quitting; callers then unwind at once
// and must not touch objects that a QPointer guard reports gone.

namespace veltrix {

bool Delay(double seconds);

// True once the program has begun to quit (every nested wait then ends at once).
bool quitting();
// Tests that run several programs' worth of windows in one process reset this.
void resetQuitting();

} // namespace veltrix
