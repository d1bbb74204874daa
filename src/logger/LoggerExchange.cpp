#include "logger/LoggerExchange.h"

#include "link/Delay.h"
#include "logger/LoggerProtocol.h"

#include <QElapsedTimer>
#include <QObject>

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

Reply LoggerExchange::run(const QByteArray& command, int expected, double firstWait,
                          const std::function<void(int)>& progress,
                          const std::function<bool()>& keepGoing)
{
    Reply reply;
    reply.expected = expected;
    ui::SerialLine& line = m_link.line();
    const auto going = [&] { return !quitting() && (!keepGoing || keepGoing()); };

    m_link.emptyInput();
    // While more than two blocks of a long reply are still to come, the driver may gather a
    // block before it wakes us; the tail is taken as it arrives, so the reply ends on time.
    // Lowered on every way out, and before a silence is counted: the bytes held back belong to
    // the reply. Handlers run inside the waits learn meanwhile that the meter is talking.
    struct Guard {
        ui::SerialLine& line;
        MeterLink& link;
        ~Guard()
        {
            line.setWakeThreshold(0);
            link.setReplyBytesToCome(0);
        }
    } guard{line, m_link};
    const auto toCome = [&] { return std::max(0, expected - int(reply.bytes.size())); };
    const auto wakeFor = [&] { return toCome() > 2 * WakeBlock ? WakeBlock : 0; };
    const auto takeHeldBack = [&] {
        line.setWakeThreshold(0);
        if (!line.deviceLost() && Delay(SettleWait) && line.inBufferCount() > 0) {
            reply.bytes += line.input();
            return true;
        }
        return false;
    };
    // A reply that did not end complete: whatever the meter still sends is let go by before
    // the next command goes out, whoever sends it (a poll, the next set, a key).
    const auto endWith = [&](ReplyOutcome outcome) {
        reply.outcome = outcome;
        if (!quitting() && !line.deviceLost())
            m_link.quietBeforeNextCommand(toCome() * ByteSeconds + Margin);
        return reply;
    };

    QElapsedTimer clock;
    clock.start();
    qint64 progressShownMs = -ProgressEveryMs;
    m_link.output(command);
    m_link.setReplyBytesToCome(expected);
    const qint64 limitMs = qint64(timeLimit(int(command.size()), expected, firstWait) * 1000.0);
    const qint64 silenceMs = qint64(SilenceLimit * 1000.0);
    line.setWakeThreshold(wakeFor());
    if (firstWait > 0 && !Delay(firstWait))
        return endWith(ReplyOutcome::Stopped);
    // Silence is counted from the end of the first wait, then from the latest byte.
    qint64 lastByteMs = clock.elapsed();

    for (;;) {
        if (!going())
            return endWith(ReplyOutcome::Stopped);
        if (line.inBufferCount() > 0) {
            reply.bytes += line.input();
            lastByteMs = clock.elapsed();
            m_link.setReplyBytesToCome(toCome());
            // Redrawing the count costs more than receiving the bytes; a few times a second do.
            const bool done = reply.bytes.size() >= expected;
            if (progress && (done || clock.elapsed() - progressShownMs >= ProgressEveryMs)) {
                progressShownMs = clock.elapsed();
                progress(int(reply.bytes.size()));
            }
            if (!going())
                return endWith(ReplyOutcome::Stopped);
        }
        if (reply.bytes.size() >= expected)
            break;
        if (line.deviceLost()) {
            reply.outcome = ReplyOutcome::Short;
            return reply;
        }
        const bool capped = clock.elapsed() >= limitMs;
        if (capped || clock.elapsed() - lastByteMs >= silenceMs) {
            // The driver may still hold back part of a block: only then is the line silent.
            if (takeHeldBack() && !capped) {
                lastByteMs = clock.elapsed();
                continue;
            }
            if (!going())
                return endWith(ReplyOutcome::Stopped);
            if (reply.bytes.size() < expected)
                return endWith(ReplyOutcome::Short);
            break;
        }
        line.setWakeThreshold(wakeFor());
        // While much is still to come, look less often: each look costs a wake-up.
        const double toComeSeconds = toCome() * ByteSeconds;
        if (!Delay(toComeSeconds > 2 * LongSlice ? LongSlice : Slice))
            return endWith(ReplyOutcome::Stopped);
    }

    // Surplus bytes follow the expected ones at once; a short quiet wait catches them.
    line.setWakeThreshold(0);
    m_link.setReplyBytesToCome(0);
    if (!Delay(SettleWait))
        return endWith(ReplyOutcome::Stopped);
    if (line.inBufferCount() > 0)
        reply.bytes += line.input();
    if (reply.bytes.size() > expected)
        return endWith(ReplyOutcome::Long);
    reply.outcome = ReplyOutcome::Complete;
    return reply;
}

} // namespace veltrix::logger
