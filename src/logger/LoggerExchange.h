#pragma once
// The data logger's exchanges on the panel's serial line: empty the receive buffer, send the
// command, wait, then gather the reply chunk by chunk while the window system keeps running.
//
// The meter gives no end mark, so a reply is complete when it has its expected length. A meter
// that answers less would leave that wait without end; each wait is therefore bounded by the
// reply's time on the wire at 9600 baud plus a margin, and a short reply is reported with how
// many bytes arrived. A reply with more bytes than expected is noticed in a short quiet wait
// after the last expected byte and reported the same way.

#include "link/MeterLink.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace veltrix {

struct PollControl;

namespace logger {

enum class ReplyOutcome {
    Complete, // exactly the expected bytes
    Short,    // the time limit passed with fewer bytes
    Long,     // more bytes than expected
    Stopped,  // the caller gave up (its window closed) or the program is quitting
};

struct Reply {
    QByteArray bytes;
    int expected = 0;
    ReplyOutcome outcome = ReplyOutcome::Short;
    bool complete() const { return outcome == ReplyOutcome::Complete; }
};

// "3 of 8 bytes arrived"
QString shortfallText(const Reply& reply);

class LoggerExchange {
public:
    // Seconds per byte at 9600 baud with one start and one stop bit.
    static constexpr double ByteSeconds = 10.0 / 9600.0;
    // Added to the time on the wire: the meter's own response time and a loaded PC.
    static constexpr double Margin = 1.0;
    // How long the line must stay quiet after the last expected byte.
    static constexpr double SettleWait = 0.02;
    // How often the receive buffer is looked at while a reply arrives.
    static constexpr double Slice = 0.1;
    // ... and while more than two of these are still to come on the wire.
    static constexpr double LongSlice = 0.25;
    // The longest the progress count goes unrefreshed while bytes arrive.
    static constexpr qint64 ProgressEveryMs = 500;
    // The most bytes the driver may gather before it wakes us (its limit: 0.27 s at 9600 baud).
    static constexpr int WakeBlock = 255;

    explicit LoggerExchange(MeterLink& link) : m_link(link) {}

    // The longest a reply of `replyBytes` to a command of `commandBytes` may take, counted from
    // the send, with `firstWait` before the first look.
    static double timeLimit(int commandBytes, int replyBytes, double firstWait);

    // Empties the receive buffer, sends `command`, waits `firstWait` seconds, then gathers until
    // `expected` bytes have arrived or the time limit passes. `progress` gets the byte count
    // as chunks arrive, at most every ProgressEveryMs and always for the last one; `keepGoing`
    // is asked at every look and ends the wait when false.
    Reply run(const QByteArray& command, int expected, double firstWait,
              const std::function<void(int received)>& progress = {},
              const std::function<bool()>& keepGoing = {});

private:
    MeterLink& m_link;
};

// Stops the panel's polling for its lifetime and starts it again at the end, however the
// exchange ends (unless the program is quitting).
class PollPause {
public:
    explicit PollPause(PollControl* poll);
    ~PollPause();
    PollPause(const PollPause&) = delete;
    PollPause& operator=(const PollPause&) = delete;

private:
    PollControl* m_poll;
};

} // namespace logger
} // namespace veltrix
