#include "Poller.h"

#include "Cli.h"

#include "link/Delay.h"
#include "link/MeterLink.h"
#include "link/ReadingDecoder.h"
#include "link/Timing.h"
#include "panel/PanelLogic.h"
#include "records/RecordFile.h"

#include <ctime>

namespace veltrix::cli {

QDateTime wallTimeAt(qint64 msecsSinceEpoch)
{
    const std::time_t seconds = std::time_t(
        msecsSinceEpoch >= 0 ? msecsSinceEpoch / 1000 : (msecsSinceEpoch - 999) / 1000);
    // tzset() first, as QDateTime does: a change of the system's time zone is followed.
    tzset();
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch);
    return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, Qt::OffsetFromUTC,
                                          int(local.tm_gmtoff));
}

QDateTime wallTimeNow()
{
    return wallTimeAt(QDateTime::currentMSecsSinceEpoch());
}

Poller::Poller(MeterLink& link) : m_link(link)
{
    m_monotonic.start();
    m_sampleTimer.setInterval(timing::SampleTimerMs);
    QObject::connect(&m_sampleTimer, &QTimer::timeout, [this] { sampleTick(); });
}

void Poller::resume()
{
    m_paused = false;
    m_restart = true;
}

int Poller::run()
{
    if (m_period > 0)
        m_sampleTimer.start();
    while (!m_ended && !stopRequested()) {
        const auto answer = m_link.pollExchange();
        if (m_ended || stopRequested())
            break;
        if (!answer) {
            if (quitting())
                break;
            complain(QStringLiteral("the meter stopped answering"));
            m_sampleTimer.stop();
            return NoAnswer;
        }
        DecodeStatus(quint8(answer->at(1)), m_state);
        m_shown = valueToShow(quint8(answer->at(2)), quint8(answer->at(3)), m_shown, m_state);
        m_answered = true;
        if (onPoll && !onPoll())
            break;
        if (m_ended || !Delay(timing::PollTimerMs / 1000.0))
            break;
    }
    m_sampleTimer.stop();
    return Ok;
}

void Poller::sampleTick()
{
    if (!m_answered || m_paused || m_ended || stopRequested() || m_period <= 0)
        return;
    const qint64 mono = m_monotonic.elapsed();
    const qint64 wallMs = QDateTime::currentMSecsSinceEpoch();
    if (m_restart) {
        m_clock.restart(mono, wallMs);
        m_restart = false;
    }
    // A late tick still stamps the second the sample was due in.
    if (const auto stamp = m_clock.takeDue(mono, wallMs, m_period)) {
        if (onSample)
            onSample(wallTimeAt(*stamp));
    }
}

QString Poller::sampleBody(const QDateTime& when) const
{
    return veltrix::sampleBody(when, m_shown, m_state.Flags.GaussFlag, m_state.Flags.HoldFlag,
                               m_state.Flags.PeakFlag);
}

Reading Poller::reading(const QDateTime& when) const
{
    return Reading{when, m_shown, m_state.Flags.GaussFlag, m_state.Flags.HoldFlag,
                   m_state.Flags.PeakFlag};
}

} // namespace veltrix::cli
