// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/MeterLink.h"

#include "link/Delay.h"
#include "link/Timing.h"

namespace veltrix {

QByteArray eepromCommand(int address, int value)
{
    const auto hex2 = [](int v) {
        return QByteArray::number(v & 0xFF, 16).rightJustified(2, '0').toUpper();
    };
    return "W" + hex2(address >> 8) + hex2(address) + hex2(value);
}

QString modelCodeFromAnswer(const QByteArray& answer)
{
    if (answer.size() < 3)
        return {};
    return (QString::number(quint8(answer[1]), 16) + QString::number(quint8(answer[2]), 16))
        .toUpper();
}

std::optional<QByteArray> pollAnswer(const QByteArray& received)
{
    if (received.size() != PollAnswerLength)
        return std::nullopt;
    return received;
}

std::optional<QString> identifyAnswer(const QByteArray& received)
{
    if (received.size() != IdentifyAnswerLength)
        return std::nullopt;
    return modelCodeFromAnswer(received);
}

void MeterLink::emptyInput()
{
    if (m_answerWaits > 0 && m_lastSend.isValid()) {
        const qint64 leftMs = qint64(timing::AnswerWait * 1000.0) - m_lastSend.elapsed();
        if (leftMs > 0)
            Delay(double(leftMs) / 1000.0);
    }
    m_line.setInputLen(0);
    m_line.discardInput();
}

bool MeterLink::awaitQuiet(double maxSeconds)
{
    QElapsedTimer total;
    total.start();
    QElapsedTimer quiet;
    quiet.start();
    const qint64 maxMs = qint64(std::max(0.0, maxSeconds) * 1000.0);
    const qint64 quietMs = qint64(timing::QuietTime * 1000.0);
    m_line.setWakeThreshold(0); // every byte counts as noise, however few
    for (;;) {
        if (m_line.inBufferCount() > 0) {
            m_line.discardInput();
            quiet.restart();
        }
        if (quiet.elapsed() >= quietMs || total.elapsed() >= maxMs || !m_line.portOpen())
            break;
        if (!Delay(timing::QuietLook))
            return false;
    }
    m_line.setInputLen(0);
    m_line.discardInput();
    return true;
}

double MeterLink::replyTimeLeft() const
{
    return m_bytesToCome * ByteSeconds + ReplyMargin;
}

void MeterLink::output(const QByteArray& bytes)
{
    if (m_quietBound > 0) {
        // Cleared only once the line is quiet: a command sent from a handler run inside this
        // wait (a key pressed meanwhile) waits for the quiet line as well.
        const bool quiet = awaitQuiet(m_quietBound);
        m_quietBound = 0;
        if (!quiet)
            return; // quitting
    }
    ++m_sends;
    m_lastSend.start();
    m_line.output(bytes);
}

bool MeterLink::send(const QByteArray& command, double waitSeconds)
{
    output(command);
    const quint64 mine = m_sends;
    ++m_answerWaits;
    const bool ok = Delay(waitSeconds);
    --m_answerWaits;
    m_interrupted = m_sends != mine;
    return ok;
}

std::optional<QString> MeterLink::identifyExchange(bool* ok)
{
    if (ok)
        *ok = true;
    // A late poll answer (after a lost link, say) would otherwise spoil every attempt.
    emptyInput();
    for (int attempt = 0; attempt < timing::IdentifyAttempts; ++attempt) {
        // Given up as well when another exchange took the line meanwhile: the code is asked
        // for again on a later tick.
        if (!send(command::Identify, timing::AnswerWait) || interrupted()) {
            if (ok)
                *ok = false;
            return std::nullopt;
        }
        // Only a complete answer is taken from the buffer; anything else stays and is counted
        // with the next attempt's bytes.
        if (m_line.inBufferCount() == IdentifyAnswerLength)
            return identifyAnswer(m_line.input());
    }
    return std::nullopt;
}

std::optional<QByteArray> MeterLink::pollExchange()
{
    for (int failures = 0; failures < timing::PollAttempts; ++failures) {
        emptyInput();
        if (!send(command::Poll, timing::AnswerWait))
            return std::nullopt;
        // A command sent meanwhile (a key, a logger exchange) owns what arrived; this tick gives
        // up without counting a failure or sending more, and the next tick polls afresh.
        if (interrupted())
            return std::nullopt;
        // The buffer is emptied before every attempt anyway, so it is taken whole here.
        if (auto answer = pollAnswer(m_line.input())) {
            if (failures > 0)
                ++m_retriedPolls;
            return answer;
        }
    }
    if (!onLinkLost || !onLinkLost())
        return std::nullopt;
    return m_line.input();
}

void MeterLink::EepromWrite(int address, int value)
{
    emptyInput();
    output(eepromCommand(address, value));
    if (Delay(timing::AnswerWait))
        Delay(timing::AnswerWait);
}

bool LinkLost(MeterLink& link, LinkLostHost& host)
{
    host.enterLinkLost();
    ui::SerialLine& line = link.line();
    while (line.inBufferCount() != PollAnswerLength || link.interrupted()) {
        if (!line.portOpen())
            line.reopen(); // the device vanished: try to get it back every round
        link.emptyInput();
        if (!link.send(command::Poll, timing::AnswerWait))
            return false;
    }
    host.leaveLinkLost();
    return true;
}

} // namespace veltrix
