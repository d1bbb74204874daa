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
    QElapsedTimer clock;
    clock.start();
    line.output(command);
    const qint64 limitMs = qint64(timeLimit(int(command.size()), expected, firstWait) * 1000.0);
    if (firstWait > 0 && !Delay(firstWait))
        return stopped();

    for (;;) {
        if (keepGoing && !keepGoing())
            return stopped();
        if (line.inBufferCount() > 0) {
            reply.bytes += line.input();
            if (progress)
                progress(int(reply.bytes.size()));
            if (keepGoing && !keepGoing())
                return stopped();
        }
        if (reply.bytes.size() >= expected)
            break;
        if (clock.elapsed() >= limitMs || line.deviceLost()) {
            reply.outcome = ReplyOutcome::Short;
            return reply;
        }
        if (!Delay(Slice))
            return stopped();
    }

    // Surplus bytes follow the expected ones at once; a short quiet wait catches them.
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
