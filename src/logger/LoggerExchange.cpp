#include "logger/LoggerExchange.h"

#include "link/Delay.h"
#include "records/PollControl.h"

#include <QElapsedTimer>
#include <QObject>

namespace veltrix::logger {

QString shortfallText(const Reply& reply)
{
    return QObject::tr("%1 of %2 bytes arrived").arg(reply.bytes.size()).arg(reply.expected);
}

double LoggerExchange::timeLimit(int commandBytes, int replyBytes, double firstWait)
{
    return firstWait + (commandBytes + replyBytes) * ByteSeconds + Margin;
}

Reply LoggerExchange::run(const QByteArray& command, int expected, double firstWait,
                          const std::function<void(int)>& progress,
                          const std::function<bool()>& keepGoing)
{
    Reply reply;
    reply.expected = expected;
    ui::SerialLine& line = m_link.line();
    const auto stopped = [&] {
        reply.outcome = ReplyOutcome::Stopped;
        return reply;
    };

    m_link.emptyInput();
    // While more than two blocks of a long reply are still to come, the driver may gather a
    // block before it wakes us; the tail is taken as it arrives, so the reply ends on time.
    // Lowered on every way out, and before a short reply is counted: the bytes held back
    // belong to it.
    struct WakeGuard {
        ui::SerialLine& line;
        ~WakeGuard() { line.setWakeThreshold(0); }
    } wake{line};
    const auto wakeFor = [&] {
        return expected - int(reply.bytes.size()) > 2 * WakeBlock ? WakeBlock : 0;
    };
    const auto takeHeldBack = [&] {
        line.setWakeThreshold(0);
        if (!line.deviceLost() && Delay(SettleWait) && line.inBufferCount() > 0)
            reply.bytes += line.input();
    };

    QElapsedTimer clock;
    clock.start();
    qint64 progressShownMs = -ProgressEveryMs;
    m_link.output(command);
    const qint64 limitMs = qint64(timeLimit(int(command.size()), expected, firstWait) * 1000.0);
    line.setWakeThreshold(wakeFor());
    if (firstWait > 0 && !Delay(firstWait))
        return stopped();

    for (;;) {
        if (keepGoing && !keepGoing())
            return stopped();
        if (line.inBufferCount() > 0) {
            reply.bytes += line.input();
            // Redrawing the count costs more than receiving the bytes; a few times a second do.
            const bool done = reply.bytes.size() >= expected;
            if (progress && (done || clock.elapsed() - progressShownMs >= ProgressEveryMs)) {
                progressShownMs = clock.elapsed();
                progress(int(reply.bytes.size()));
            }
            if (keepGoing && !keepGoing())
                return stopped();
        }
        if (reply.bytes.size() >= expected)
            break;
        if (clock.elapsed() >= limitMs || line.deviceLost()) {
            takeHeldBack();
            if (quitting() || (keepGoing && !keepGoing()))
                return stopped();
            if (reply.bytes.size() < expected) {
                reply.outcome = ReplyOutcome::Short;
                return reply;
            }
            break;
        }
        line.setWakeThreshold(wakeFor());
        // While much is still to come, look less often: each look costs a wake-up.
        const double toComeSeconds = (expected - reply.bytes.size()) * ByteSeconds;
        if (!Delay(toComeSeconds > 2 * LongSlice ? LongSlice : Slice))
            return stopped();
    }

    // Surplus bytes follow the expected ones at once; a short quiet wait catches them.
    line.setWakeThreshold(0);
    if (!Delay(SettleWait))
        return stopped();
    if (line.inBufferCount() > 0)
        reply.bytes += line.input();
    reply.outcome = reply.bytes.size() > expected ? ReplyOutcome::Long : ReplyOutcome::Complete;
    return reply;
}

PollPause::PollPause(PollControl* poll) : m_poll(poll)
{
    if (m_poll)
        m_poll->stopPolling();
}

PollPause::~PollPause()
{
    if (m_poll && !quitting())
        m_poll->startPolling();
}

} // namespace veltrix::logger
