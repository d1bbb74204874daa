// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/MeterSession.h"

#include "link/Delay.h"
#include "link/ReadingDecoder.h"
#include "link/Timing.h"
#include "panel/PanelLogic.h"
#include "records/RecordFile.h"

#include <QPointer>
#include <QScopeGuard>
#include <ctime>

namespace veltrix {

QDateTime wallTimeAt(qint64 msecsSinceEpoch)
{
    const std::time_t seconds =
        std::time_t(msecsSinceEpoch >= 0 ? msecsSinceEpoch / 1000 : (msecsSinceEpoch - 999) / 1000);
    // tzset() first, as QDateTime does: a change of the system's time zone is followed.
    tzset();
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch);
    return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, Qt::OffsetFromUTC, int(local.tm_gmtoff));
}

QDateTime wallTimeNow()
{
    return wallTimeAt(QDateTime::currentMSecsSinceEpoch());
}

MeterSession::MeterSession(MeterLink& link, SharedState& state, QObject* parent)
    : QObject(parent), m_link(link), m_state(state),
      m_wallClock([] { return QDateTime::currentDateTime(); })
{
    // The timers are members; parenting them only makes them findable by name.
    m_pollTimer.setParent(this);
    m_sampleTimer.setParent(this);
    m_recorder.setParent(this);
    m_pollTimer.setSingleShot(true); // re-armed when a tick ends, so ticks never overlap
    m_pollTimer.setInterval(timing::PollTimerMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &MeterSession::pollTick);
    m_sampleTimer.setInterval(timing::SampleTimerMs);
    connect(&m_sampleTimer, &QTimer::timeout, this, &MeterSession::sampleTick);
    m_monotonic.start();
}

void MeterSession::startPolling()
{
    if (quitting())
        return;
    m_pollEnabled = true;
    if (!m_inTick) // a running tick re-arms the timer when it ends
        m_pollTimer.start();
}

void MeterSession::stopPolling()
{
    m_pollEnabled = false;
    m_pollTimer.stop();
}

void MeterSession::end()
{
    m_ended = true;
    if (m_loop && !m_inTick)
        m_loop->quit();
}

bool MeterSession::run()
{
    m_running = true;
    m_ended = false;
    m_pollTimer.setTimerType(Qt::PreciseTimer); // the tool's polls keep their pace to the ms
    m_silent = false;
    m_pollEnabled = true;
    pollTick(); // the first poll at once
    if (!m_ended && !quitting()) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec(); // ends at end(), or at once when the program quits
        m_loop = nullptr;
    }
    stopPolling();
    m_sampleTimer.stop();
    m_running = false;
    m_ended = false; // the session may be run again
    return !m_silent;
}

void MeterSession::pollTick()
{
    if (m_inTick || quitting())
        return;
    m_inTick = true;
    QPointer<MeterSession> self(this);
    auto finish = qScopeGuard([self] {
        if (!self)
            return;
        self->m_inTick = false;
        if (self->m_ended) {
            if (self->m_loop)
                self->m_loop->quit();
        } else if (self->m_pollEnabled && !quitting()) {
            self->m_pollTimer.start();
        }
        emit self->tickFinished();
    });

    if (m_state.ModelQueryPending && !identify())
        return;
    const auto answer = m_link.pollExchange();
    if (!self || stopping())
        return;
    if (!answer) {
        if (!m_link.onLinkLost && !quitting()) { // no one waits for the meter: give up
            m_silent = true;
            m_ended = true;
        }
        return;
    }
    if (decode(*answer) && onPoll && !onPoll())
        m_ended = true;
}

bool MeterSession::identify()
{
    QPointer<MeterSession> self(this);
    bool ok = true;
    const auto code = m_link.identifyExchange(&ok);
    if (!self || !ok)
        return false;
    if (code)
        m_state.ModelCode = *code;
    m_state.ModelQueryPending = false;
    return true;
}

bool MeterSession::decode(const QByteArray& answer)
{
    QPointer<MeterSession> self(this);
    const quint8 status = quint8(answer.at(1));
    if (beforeDecode && (!beforeDecode(status) || !self))
        return false;
    DecodeStatus(status, m_state);
    m_shown = valueToShow(quint8(answer.at(2)), quint8(answer.at(3)), m_shown, m_state);
    m_answered = true;
    return !afterDecode || (afterDecode() && self);
}

void MeterSession::watchLink()
{
    m_link.onLinkLost = [this] { return LinkLost(m_link, *this); };
}

void MeterSession::enterLinkLost()
{
    m_linkLost = true;
    stopPolling();
    if (m_stopOnLoss)
        m_recorder.stop();
    else
        pause();
    emit linkStateChanged(true);
}

void MeterSession::leaveLinkLost()
{
    startPolling();
    m_linkLost = false;
    emit linkStateChanged(false);
    if (m_paused && !m_stopOnLoss)
        resume();
}

Reading MeterSession::reading(const QDateTime& when) const
{
    return Reading{when, m_shown, m_state.Flags.GaussFlag, m_state.Flags.HoldFlag,
                   m_state.Flags.PeakFlag};
}

QString MeterSession::sampleBody(const QDateTime& when) const
{
    return veltrix::sampleBody(when, m_shown, m_state.Flags.GaussFlag, m_state.Flags.HoldFlag,
                               m_state.Flags.PeakFlag);
}

void MeterSession::startSampleClock()
{
    m_sampleTimer.start();
}

void MeterSession::stopSampleClock()
{
    m_sampleTimer.stop();
}

void MeterSession::setSamplingSeconds(int seconds)
{
    m_state.SecText1 = seconds;
    restartSampleClock(); // the next sample is taken at once
}

void MeterSession::resume()
{
    m_paused = false;
    restartSampleClock();
}

void MeterSession::sampleTick()
{
    if (m_paused || stopping() || (m_running && !m_answered))
        return;
    const qint64 mono = m_monotonic.elapsed();
    const QDateTime wall = now();
    const qint64 wallMs = wall.toMSecsSinceEpoch();
    if (!m_state.iPCsecTimetotal) {
        // Start-up, a new sampling time or a view asked for the clock to restart.
        m_clock.restart(mono, wallMs);
        m_state.iPCsecTimetotal = true;
    }
    // A late tick still stamps the second the sample was due in.
    if (const auto stamp = m_clock.takeDue(mono, wallMs, samplingSeconds()))
        takeSample(m_timeAt ? m_timeAt(*stamp) : wall.addMSecs(*stamp - wallMs));
}

void MeterSession::takeSample(const QDateTime& when)
{
    QPointer<MeterSession> self(this);
    if (m_recorder.recording() && !m_recorder.followDay(when.date()))
        return; // the day's file could not be begun: the recording has ended
    if (onSample)
        onSample(when);
    if (!self)
        return;
    const QString body = sampleBody(when);
    if (m_recorder.recording())
        m_recorder.write(body);
    if (self)
        emit sampleTaken(when, body);
}

} // namespace veltrix
