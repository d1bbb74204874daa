// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One meter session: the poll loop, the watch on the link, the reading it keeps, the sample
// clock and the recording. It needs no window: the panel sits on it and shows what it reads,
// and the command-line tool runs it to print and record. Neither repeats its rules.
//
// The poll loop identifies the meter while its model is unknown, then polls once a tick; the
// next tick starts a poll-timer interval after the last one ended, so exchanges never overlap.
// The hooks run inside a tick at the points the panel animates its face (the unit blink before
// the flags are taken, the alarm flash after the value); they may wait, and return false when
// the tick must end.

#include "link/MeterLink.h"
#include "link/Reading.h"
#include "panel/Recorder.h"
#include "panel/SampleClock.h"
#include "panel/SharedState.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <functional>

namespace veltrix {

// The wall clock's time at `msecsSinceEpoch`, its offset from UTC held in the value. A QDateTime
// in local time looks the time zone up again whenever it is asked for its offset or its epoch
// time, and each feed of a reading asks; this one is looked up once.
QDateTime wallTimeAt(qint64 msecsSinceEpoch);
QDateTime wallTimeNow();

class MeterSession : public QObject, public LinkLostHost {
    Q_OBJECT
public:
    MeterSession(MeterLink& link, SharedState& state, QObject* parent = nullptr);

    // --- Poll loop
    // The poll timer and the sample clock's timer (the panel names them Timer1 and Timer2).
    QTimer& pollTimer() { return m_pollTimer; }
    QTimer& sampleTimer() { return m_sampleTimer; }
    void startPolling();
    void stopPolling();
    bool pollingEnabled() const { return m_pollEnabled; }
    bool inTick() const { return m_inTick; }
    // One tick: identify if needed, one poll exchange, the reading decoded.
    void pollTick();
    // Polls until end() (or the program quits). False when the meter stopped answering and no
    // one watches the link (see watchLink).
    bool run();
    // Ends run() once the exchange under way is over; no sample falls due meanwhile.
    void end();

    // --- Link
    // Ten failed polls make the link lost: the session waits for the meter (reopening a device
    // that vanished) instead of giving up.
    void watchLink();
    bool linkLost() const { return m_linkLost; }
    void enterLinkLost() override;
    void leaveLinkLost() override;

    // --- Reading
    // The value shown (hold and peak rules applied); the flags of the last answer are in the
    // state.
    QString shown() const { return m_shown; }
    Reading reading(const QDateTime& when) const;
    QString sampleBody(const QDateTime& when) const;
    // Before the flags are taken from a poll answer's status byte.
    std::function<bool(quint8 status)> beforeDecode;
    // After the value to show has been set.
    std::function<bool()> afterDecode;
    // After every answered poll: false ends the loop.
    std::function<bool()> onPoll;

    // --- Sample clock
    void startSampleClock();
    void stopSampleClock();
    void setSamplingSeconds(int seconds);
    int samplingSeconds() const { return m_state.SecText1; }
    // The next sample is taken at once, then one every sampling time on whole seconds.
    void restartSampleClock() { m_state.iPCsecTimetotal = false; }
    // No sample falls due until resume(), which restarts the clock.
    void pause() { m_paused = true; }
    void resume();
    bool paused() const { return m_paused; }
    // The wall clock samples are stamped with (tests put it across midnight), and how a sample's
    // second (ms since the epoch) is told as a time (by default: from the wall clock's reading).
    void setWallClock(std::function<QDateTime()> clock,
                      std::function<QDateTime(qint64)> timeAt = {})
    {
        m_wallClock = std::move(clock);
        m_timeAt = std::move(timeAt);
    }
    QDateTime now() const { return m_wallClock(); }
    void takeSample(const QDateTime& when);
    // A sample is taken: after a new day's file was begun, before the record is written.
    std::function<void(const QDateTime& when)> onSample;
    // Asked between exchanges and before every sample: true once the program is to stop.
    std::function<bool()> stopRequested;

    // --- Recording
    Recorder& recorder() { return m_recorder; }
    // Whether the meter going silent stops the recording (the panel) or only pauses the sample
    // clock until it answers again (the tool, which then goes on in a new file).
    void setStopRecordingOnLinkLoss(bool stop) { m_stopOnLoss = stop; }

signals:
    void tickFinished();
    void linkStateChanged(bool lost);
    // A sample was taken (and recorded, when a recording is on).
    void sampleTaken(const QDateTime& when, const QString& body);

private:
    bool identify();
    bool decode(const QByteArray& answer);
    void sampleTick();
    bool stopping() const { return m_ended || (stopRequested && stopRequested()); }

    MeterLink& m_link;
    SharedState& m_state;
    QTimer m_pollTimer;
    QTimer m_sampleTimer;
    QElapsedTimer m_monotonic;
    SampleClock m_clock;
    Recorder m_recorder;
    std::function<QDateTime()> m_wallClock;
    std::function<QDateTime(qint64)> m_timeAt;
    QEventLoop* m_loop = nullptr; // run()'s
    QString m_shown;
    bool m_pollEnabled = false;
    bool m_inTick = false;
    bool m_linkLost = false;
    bool m_paused = false;
    bool m_ended = false;
    bool m_running = false; // in run(): no sample before the first answer
    bool m_answered = false;
    bool m_silent = false;
    bool m_stopOnLoss = true;
};

} // namespace veltrix
