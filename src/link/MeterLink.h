// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The meter's command/answer protocol. The PC always speaks first; an answer has no framing and
// no checksum and is recognised only by its length after a fixed wait. Late or surplus bytes are
// discarded by the next exchange that empties the receive buffer.

#include "ui/SerialLine.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <functional>
#include <optional>

namespace veltrix {

namespace command {
inline constexpr char Poll[] = " ";
inline constexpr char Identify[] = "M";
inline constexpr char Erase[] = "EEE";
inline constexpr char MemoryStatus[] = "Y";
inline constexpr char SetIndex[] = "I";
inline constexpr char ClockRead[] = "C";
} // namespace command

inline constexpr int PollAnswerLength = 5;
inline constexpr int IdentifyAnswerLength = 4;
// Seconds per byte at 9600 baud with one start and one stop bit.
inline constexpr double ByteSeconds = 10.0 / 9600.0;
// Added to a reply's time on the wire: the meter's own response time and a loaded PC.
inline constexpr double ReplyMargin = 1.0;

// "W" + address as four and value as two upper-case hex digits; values above 255 keep their
// last two digits.
QByteArray eepromCommand(int address, int value);
// Model code from an identify answer: bytes 1 and 2 in hex without leading zeros ("4627", "465").
QString modelCodeFromAnswer(const QByteArray& answer);

// The answer checks, on what the receive buffer held after the wait. Answers have no framing, so
// their length is all there is to check: a poll answer is five bytes, an identify answer four.
std::optional<QByteArray> pollAnswer(const QByteArray& received);
// The model code of an identify answer; nothing unless exactly four bytes arrived.
std::optional<QString> identifyAnswer(const QByteArray& received);

class MeterLink {
public:
    explicit MeterLink(ui::SerialLine& line) : m_line(line) {}

    ui::SerialLine& line() { return m_line; }

    // Empties the receive buffer the way every exchange begins. Run inside another exchange's
    // wait (a click handled while a poll waits for its answer), it first lets that answer land,
    // so it is dropped here instead of being taken as the start of the new reply.
    void emptyInput();
    // Sends without waiting. Every command goes through here, so that a wait can tell whether
    // another exchange used the line meanwhile, and so that none goes out while a meter may
    // still be sending the tail of a reply that was given up (see quietBeforeNextCommand).
    void output(const QByteArray& bytes);
    // Sends a command and waits; false when the program is quitting.
    bool send(const QByteArray& command, double waitSeconds);
    // True when another command went out during the last send()'s wait: what the buffer holds
    // then answers that command, not this one.
    bool interrupted() const { return m_interrupted; }

    // Up to six "M" (the buffer is emptied once, before the first). The model code, or nothing when
    // every attempt failed; `ok` is false when the wait was cut short by the program quitting.
    std::optional<QString> identifyExchange(bool* ok = nullptr);
    // Up to ten polls; then the link-lost handler, which returns once a 5-byte answer waits.
    // Nothing when the program is quitting.
    std::optional<QByteArray> pollExchange();
    void EepromWrite(int address, int value);

    // Waits until the line has been silent for timing::QuietTime, at most `maxSeconds`, and
    // drops whatever came meanwhile. False when the program is quitting.
    bool awaitQuiet(double maxSeconds);
    // A reply was given up before its end (cut short, too long, its window closed): the next
    // command, whoever sends it, first waits for a quiet line, at most `maxSeconds`. The caller
    // itself can return at once.
    void quietBeforeNextCommand(double maxSeconds)
    {
        m_quietBound = std::max(m_quietBound, maxSeconds);
    }
    bool quietPending() const { return m_quietBound > 0; }
    // A long reply (a logger set) is being gathered further down the stack: what a handler run
    // inside its wait sends goes to a meter that is still talking. The gatherer says how many
    // bytes are still to come; the time they take on the wire plus a margin bounds a wait for
    // them to end.
    void setReplyBytesToCome(int bytes) { m_bytesToCome = bytes; }
    bool replyArriving() const { return m_bytesToCome > 0; }
    double replyTimeLeft() const;

    // Runs after ten failed polls; returns false if it gave up because the program is quitting.
    std::function<bool()> onLinkLost;
    // Counts poll exchanges that needed more than one attempt (for diagnostics and tests).
    int retriedPolls() const { return m_retriedPolls; }

private:
    ui::SerialLine& m_line;
    int m_retriedPolls = 0;
    quint64 m_sends = 0;
    QElapsedTimer m_lastSend;
    int m_answerWaits = 0; // send() waits in progress further down the stack
    bool m_interrupted = false;
    int m_bytesToCome = 0;
    double m_quietBound = 0;
};

// The link-lost state's owner: locks and restores the panel around the wait.
class LinkLostHost {
public:
    virtual ~LinkLostHost() = default;
    virtual void enterLinkLost() = 0; // stop polling, "No Com", close views, stop recording, lock
    virtual void leaveLinkLost() = 0; // unlock, restart polling, "Com" + port
};

// Waits without limit until the meter answers a poll with five bytes; the answer is then waiting
// in the receive buffer. A device that disappeared is reopened on every round, so a USB adapter
// pulled and plugged back in recovers. Returns false if the program began to quit.
bool LinkLost(MeterLink& link, LinkLostHost& host);

} // namespace veltrix
