#pragma once
// Decides when a sample is due: one per sampling time on a monotonic clock. Restarting makes the
// next sample due at once. A stall longer than a sampling time skips the missed samples instead
// of making them up in a burst, and the schedule never drifts: samples stay on the grid of
// restart + k * period. Midnight and changes of the wall clock do not matter.

#include <QtGlobal>

namespace veltrix {

class SampleClock {
public:
    void restart(qint64 nowMs)
    {
        m_lastMs = nowMs;
        m_pendingFirst = true;
    }

    // True when a sample is due at nowMs; the schedule then moves on.
    bool takeDue(qint64 nowMs, int periodSeconds)
    {
        if (m_pendingFirst) {
            m_pendingFirst = false;
            return true;
        }
        const qint64 period = qMax(1, periodSeconds) * qint64(1000);
        const qint64 late = nowMs - m_lastMs;
        if (late < period)
            return false;
        m_lastMs += (late / period) * period; // the latest slot reached; earlier ones are skipped
        return true;
    }

    qint64 lastSampleMs() const { return m_lastMs; }

private:
    qint64 m_lastMs = 0;
    bool m_pendingFirst = true;
};

} // namespace veltrix
