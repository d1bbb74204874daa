#pragma once
// The panel's poll loop without the panel: polls the meter the same way (one poll exchange, the
// next one a poll-timer interval after it ended), keeps the value the panel would show (hold and
// peak rules included) and, on the panel's sample clock, says when a sample is due.

#include "feeds/Feeds.h"
#include "panel/SampleClock.h"
#include "panel/SharedState.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

namespace veltrix {
class MeterLink;
}

namespace veltrix::cli {

// The wall clock's time at `msecsSinceEpoch`, its offset from UTC held in the value. A QDateTime
// in local time looks the time zone up again whenever it is asked for its offset or its epoch
// time, and each feed of a reading asks; this one is looked up once.
QDateTime wallTimeAt(qint64 msecsSinceEpoch);
QDateTime wallTimeNow();

class Poller {
public:
    explicit Poller(MeterLink& link);

    // After every answered poll; return false to end the loop.
    std::function<bool()> onPoll;
    // A sample falls due (only with a sampling time set): `when` is the whole second it carries.
    std::function<void(const QDateTime& when)> onSample;

    // Sample every `seconds` on whole wall-clock seconds, the first one at the first answer.
    void setSamplingSeconds(int seconds) { m_period = seconds; }
    // Samples are skipped until resume(); resume() restarts the sample clock.
    void pause() { m_paused = true; }
    void resume();
    bool paused() const { return m_paused; }
    // Ends the loop once the exchange under way is over; no sample falls due meanwhile.
    void end() { m_ended = true; }

    // Polls until ended or stopped by a signal (Ok), or until the meter stops answering
    // (NoAnswer, after saying so) when the link has no link-lost handler.
    int run();

    // The body of a sample taken now or at `when`: Date TAB Time TAB Value TAB Unit TAB Hold TAB
    // Peak.
    QString sampleBody(const QDateTime& when) const;
    // The same sample for the outputs.
    Reading reading(const QDateTime& when) const;
    const SharedState& state() const { return m_state; }
    QString shown() const { return m_shown; }

private:
    void sampleTick();

    MeterLink& m_link;
    SharedState m_state;
    QString m_shown;
    SampleClock m_clock;
    QElapsedTimer m_monotonic;
    QTimer m_sampleTimer;
    int m_period = 0;
    bool m_answered = false;
    bool m_restart = true;
    bool m_paused = false;
    bool m_ended = false;
};

} // namespace veltrix::cli
