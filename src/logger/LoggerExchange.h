// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data logger's exchanges on the panel's serial line: empty the receive buffer, send the
// command, wait, then gather the reply chunk by chunk while the window system keeps running.
//
// The meter gives no end mark, so a reply is complete when it has its expected length. A meter
// that answers less would leave that wait without end; a wait therefore ends when no byte has
// come for a second (a slow adapter or a meter that pauses mid-set still gets through), or at
// a generous cap on the whole reply. A reply with more bytes than expected is noticed in a
// short quiet wait after the last expected byte.
//
// Whenever a reply does not end complete (cut short, too long, or given up by the caller), the
// meter may still be talking: the exchange waits for a quiet line and drops what came, so the
// next command (a poll, the next set) never lands in the tail of this reply.

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
// Why a reply is not what was asked for: "the meter did not answer", "the reply stopped short",
// "the reply was too long".
QString failureReason(const Reply& reply);
// "<what>: <reason> (<shortfall>)", as the Memory window and the command-line tool report it.
QString failureText(const QString& what, const Reply& reply);

// Whole records in `bytes` of a set reply (the ten-byte header first, then two bytes a record):
// what the progress counts show and what a cut-short reply keeps.
int wholeRecords(int bytes);

class LoggerExchange {
public:
    static constexpr double ByteSeconds = veltrix::ByteSeconds;
    static constexpr double Margin = ReplyMargin;
    // A reply that has started fails when no byte has come for this long.
    static constexpr double SilenceLimit = 1.0;
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
    MeterLink& link() { return m_link; }

    // The longest a reply of `replyBytes` to a command of `commandBytes` may take in all,
    // counted from the send, with `firstWait` before the first look: twice its time on the
    // wire plus two margins. Within it, a reply fails sooner when the line falls silent.
    static double timeLimit(int commandBytes, int replyBytes, double firstWait);

    // Empties the receive buffer, sends `command`, waits `firstWait` seconds, then gathers until
    // `expected` bytes have arrived, the line has been silent for SilenceLimit, or the time limit
    // passes; a reply that did not end complete is followed by a quiet wait. `progress` gets
    // the byte count as chunks arrive, at most every ProgressEveryMs and always for the last
    // one; `keepGoing` is asked at every look and ends the wait when false.
    Reply run(const QByteArray& command, int expected, double firstWait,
              const std::function<void(int received)>& progress = {},
              const std::function<bool()>& keepGoing = {});

private:
    MeterLink& m_link;
};

} // namespace logger
} // namespace veltrix
