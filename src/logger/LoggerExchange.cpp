// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/LoggerExchange.h"

#include "link/Delay.h"
#include "logger/LoggerProtocol.h"

#include <QElapsedTimer>
#include <QObject>
#include <optional>

namespace veltrix::logger {

QString shortfallText(const Reply& reply)
{
    return QObject::tr("%1 of %2 bytes arrived").arg(reply.bytes.size()).arg(reply.expected);
}

QString failureReason(const Reply& reply)
{
    if (reply.outcome == ReplyOutcome::Long)
        return QObject::tr("the reply was too long");
    if (reply.bytes.isEmpty())
        return QObject::tr("the meter did not answer");
    return QObject::tr("the reply stopped short");
}

QString failureText(const QString& what, const Reply& reply)
{
    return QObject::tr("%1: %2 (%3)").arg(what, failureReason(reply), shortfallText(reply));
}

int wholeRecords(int bytes)
{
    return bytes < SetDataHeaderLength ? 0 : (bytes - SetDataHeaderLength) / RecordLength;
}

double LoggerExchange::timeLimit(int commandBytes, int replyBytes, double firstWait)
{
    return firstWait + 2 * (commandBytes + replyBytes) * ByteSeconds + 2 * Margin;
}

namespace {

// One reply as it is gathered. While more than two blocks of a long reply are still to come,
// the driver may gather a block before it wakes us; the tail is taken as it arrives, so the
// reply ends on time. The wake threshold is lowered on every way out, and before a silence is
// counted: the bytes held back belong to the reply. Handlers run inside the waits learn
// meanwhile that the meter is talking.
class Gathering {
public:
    Gathering(MeterLink& link, int expected, const std::function<void(int)>& progress,
              const std::function<bool()>& keepGoing)
        : m_link(link), m_line(link.line()), m_progress(progress), m_keepGoing(keepGoing)
    {
        m_reply.expected = expected;
    }
    ~Gathering()
    {
        m_line.setWakeThreshold(0);
        m_link.setReplyBytesToCome(0);
    }
    Gathering(const Gathering&) = delete;
    Gathering& operator=(const Gathering&) = delete;

    // Sends the command and waits `firstWait`; false when that wait was given up.
    bool send(const QByteArray& command, double firstWait);
    // One look at the line: the reply once the exchange is over, nothing to look again.
    std::optional<Reply> look();
    // A reply that did not end complete: whatever the meter still sends is let go by before
    // the next command goes out, whoever sends it (a poll, the next set, a key).
    Reply endWith(ReplyOutcome outcome);

private:
    using X = LoggerExchange;
    bool going() const { return !quitting() && (!m_keepGoing || m_keepGoing()); }
    int toCome() const { return std::max(0, m_reply.expected - int(m_reply.bytes.size())); }
    int wakeFor() const { return toCome() > 2 * X::WakeBlock ? X::WakeBlock : 0; }
    void takeArrived();
    bool takeHeldBack();
    std::optional<Reply> afterSilence(bool capped);
    Reply settle();

    MeterLink& m_link;
    ui::SerialLine& m_line;
    const std::function<void(int)>& m_progress;
    const std::function<bool()>& m_keepGoing;
    Reply m_reply;
    QElapsedTimer m_clock;
    qint64 m_progressShownMs = -X::ProgressEveryMs;
    qint64 m_limitMs = 0;
    qint64 m_lastByteMs = 0;
};

bool Gathering::send(const QByteArray& command, double firstWait)
{
    m_clock.start();
    m_link.output(command);
    m_link.setReplyBytesToCome(m_reply.expected);
    m_limitMs = qint64(X::timeLimit(int(command.size()), m_reply.expected, firstWait) * 1000.0);
    m_line.setWakeThreshold(wakeFor());
    if (firstWait > 0 && !Delay(firstWait))
        return false;
    // Silence is counted from the end of the first wait, then from the latest byte.
    m_lastByteMs = m_clock.elapsed();
    return true;
}

std::optional<Reply> Gathering::look()
{
    if (!going())
        return endWith(ReplyOutcome::Stopped);
    if (m_line.inBufferCount() > 0) {
        takeArrived();
        if (!going())
            return endWith(ReplyOutcome::Stopped);
    }
    if (m_reply.bytes.size() >= m_reply.expected)
        return settle();
    if (m_line.deviceLost()) {
        m_reply.outcome = ReplyOutcome::Short;
        return m_reply;
    }
    const bool capped = m_clock.elapsed() >= m_limitMs;
    if (capped || m_clock.elapsed() - m_lastByteMs >= qint64(X::SilenceLimit * 1000.0))
        return afterSilence(capped);
    m_line.setWakeThreshold(wakeFor());
    // While much is still to come, look less often: each look costs a wake-up.
    const double toComeSeconds = toCome() * X::ByteSeconds;
    if (!Delay(toComeSeconds > 2 * X::LongSlice ? X::LongSlice : X::Slice))
        return endWith(ReplyOutcome::Stopped);
    return std::nullopt;
}

void Gathering::takeArrived()
{
    m_reply.bytes += m_line.input();
    m_lastByteMs = m_clock.elapsed();
    m_link.setReplyBytesToCome(toCome());
    // Redrawing the count costs more than receiving the bytes; a few times a second do.
    const bool done = m_reply.bytes.size() >= m_reply.expected;
    if (m_progress && (done || m_clock.elapsed() - m_progressShownMs >= X::ProgressEveryMs)) {
        m_progressShownMs = m_clock.elapsed();
        m_progress(int(m_reply.bytes.size()));
    }
}

bool Gathering::takeHeldBack()
{
    m_line.setWakeThreshold(0);
    if (!m_line.deviceLost() && Delay(X::SettleWait) && m_line.inBufferCount() > 0) {
        m_reply.bytes += m_line.input();
        return true;
    }
    return false;
}

std::optional<Reply> Gathering::afterSilence(bool capped)
{
    // The driver may still hold back part of a block: only then is the line silent.
    if (takeHeldBack() && !capped) {
        m_lastByteMs = m_clock.elapsed();
        return std::nullopt;
    }
    if (!going())
        return endWith(ReplyOutcome::Stopped);
    if (m_reply.bytes.size() < m_reply.expected)
        return endWith(ReplyOutcome::Short);
    return settle();
}

Reply Gathering::settle()
{
    // Surplus bytes follow the expected ones at once; a short quiet wait catches them.
    m_line.setWakeThreshold(0);
    m_link.setReplyBytesToCome(0);
    if (!Delay(X::SettleWait))
        return endWith(ReplyOutcome::Stopped);
    if (m_line.inBufferCount() > 0)
        m_reply.bytes += m_line.input();
    if (m_reply.bytes.size() > m_reply.expected)
        return endWith(ReplyOutcome::Long);
    m_reply.outcome = ReplyOutcome::Complete;
    return m_reply;
}

Reply Gathering::endWith(ReplyOutcome outcome)
{
    m_reply.outcome = outcome;
    if (!quitting() && !m_line.deviceLost())
        m_link.quietBeforeNextCommand(toCome() * X::ByteSeconds + X::Margin);
    return m_reply;
}

} // namespace

Reply LoggerExchange::run(const QByteArray& command, int expected, double firstWait,
                          const std::function<void(int)>& progress,
                          const std::function<bool()>& keepGoing)
{
    m_link.emptyInput();
    Gathering gathering(m_link, expected, progress, keepGoing);
    if (!gathering.send(command, firstWait))
        return gathering.endWith(ReplyOutcome::Stopped);
    for (;;) {
        if (auto reply = gathering.look())
            return *reply;
    }
}

} // namespace veltrix::logger
