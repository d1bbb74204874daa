// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decides when a sample is due and which time of day it carries.
//
// The schedule runs on a monotonic clock, so a late tick, a busy spell or midnight never shifts
// it, but it is phased to the wall clock's whole seconds: after a restart the first sample is due
// at once and carries the current second s0; sample k falls due just after the wall clock turns
// to s0 + k * period and carries exactly that second, however late the tick that takes it. Two
// consecutive records therefore always read one sampling time apart ("hh:mm:ss"), which the
// record graph relies on. A stall longer than a sampling time skips the missed samples instead of
// making them up in a burst.
//
// The wall clock is read at the restart and derived from the monotonic clock afterwards. When the
// real wall clock strays from the derived one (it was set, or drifted), the schedule follows it
// on the same grid of whole seconds; a clock set back by more than a sampling time starts a new
// grid at once.

#include <QtGlobal>
#include <optional>

namespace veltrix {

class SampleClock {
public:
    // A sample falls due this long after the wall clock's whole second.
    static constexpr qint64 PhaseMs = 5;
    // A wall clock further than this from the derived one has been set: follow it.
    static constexpr qint64 ResyncMs = 250;

    // monoMs: the monotonic clock; wallMs: the wall clock in ms since the epoch. The next sample
    // is due at once.
    void restart(qint64 monoMs, qint64 wallMs)
    {
        m_offsetMs = wallMs - monoMs;
        m_pendingFirst = true;
    }

    // When a sample is due at monoMs: the whole wall-clock second (ms since the epoch) that it
    // carries. The schedule then moves on to the next sampling time.
    std::optional<qint64> takeDue(qint64 monoMs, qint64 wallMs, int periodSeconds)
    {
        const qint64 period = qMax(1, periodSeconds) * qint64(1000);
        const qint64 stray = wallMs - (monoMs + m_offsetMs);
        if (!m_pendingFirst && qAbs(stray) > ResyncMs) {
            m_offsetMs = wallMs - monoMs;
            // Set back by more than a sampling time: the old grid lies too far ahead. A smaller
            // step back (a wall clock running slow) keeps the grid: the next second is simply
            // taken a little later, never twice.
            if (-stray > period)
                m_pendingFirst = true;
        }
        const qint64 wallNow = monoMs + m_offsetMs;
        if (m_pendingFirst) {
            m_pendingFirst = false;
            m_nextMs = floorSecond(wallNow);
        } else {
            const qint64 late = wallNow - PhaseMs - m_nextMs;
            if (late < 0)
                return std::nullopt;
            m_nextMs += (late / period) * period; // the latest slot reached; earlier ones skipped
        }
        const qint64 stamp = m_nextMs;
        m_nextMs += period;
        return stamp;
    }

    // The second the next sample will carry (ms since the epoch).
    qint64 nextStampMs() const { return m_nextMs; }

private:
    static qint64 floorSecond(qint64 ms) { return ms - ((ms % 1000) + 1000) % 1000; }

    qint64 m_offsetMs = 0; // wall clock minus monotonic clock, measured at the restart
    qint64 m_nextMs = 0;
    bool m_pendingFirst = true;
};

} // namespace veltrix
