// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data logger's replies and commands without any I/O: the memory status ("Y"), the list of
// logged sets ("I"), the set download command ("K" + two hex digits), the clock reply ("C"),
// the remaining-memory rules and the logger settings' number rules. Tests and command-line
// tools use these directly.
//
// Replies are raw bytes with no framing; 16-bit fields are high byte first; dates and times are
// packed BCD (0x17 reads "17").

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace veltrix::logger {

inline constexpr int MemoryStatusLength = 8;
inline constexpr int SetDescriptorLength = 10;
inline constexpr int SetDataHeaderLength = 10;
inline constexpr int RecordLength = 2;
inline constexpr int ClockReplyLength = 6;
inline constexpr int FullMemoryBytes = 0x7F00; // 32512 bytes in use: the logger is full
inline constexpr int MaxSets = 250;
inline constexpr double IntervalStep = 0.4; // seconds per interval code step
inline constexpr int MaxIntervalCode = 255;
inline constexpr int MaxIdCode = 65535;

// Reply lengths.
inline constexpr int setIndexLength(int sets)
{
    return 1 + SetDescriptorLength * sets;
}
inline constexpr int setDataLength(int records)
{
    return SetDataHeaderLength + RecordLength * records;
}

// "K" followed by the set number as two upper-case hex digits ("K01", "K0A", "KFA").
QByteArray setDataCommand(int set);

struct MemoryStatus {
    int idCode = 0;
    int intervalCode = 0;
    int setCount = 0;
    int usedBytes = 0;
};
// The "Y" reply; nothing unless it is exactly eight bytes.
std::optional<MemoryStatus> parseMemoryStatus(QByteArrayView reply);

// An interval code in seconds with one decimal ("2.0", "102.0").
QString intervalText(int intervalCode);

// The memory left, the number shown before " K": "0", "32.0", "31.5".
QString remainingMemory(const MemoryStatus& status);

// A BCD byte's number, or -1 when a digit is A to F.
int bcdValue(quint8 byte);
// A byte as two upper-case hex digits: the BCD digits as they are, whatever they hold.
QString byteDigits(quint8 byte);

// Start of a set: year, month, day, hour, minute, second as the meter sent them.
using StartBytes = std::array<quint8, 6>;
// True when every byte is BCD and the date and time are possible (month 1..12, a day of that
// month, hour 0..23, minute and second 0..59); only then can time stamps be worked out.
bool startKnown(const StartBytes& start);

struct SetInfo {
    int number = 0;  // 1-based; what "K" asks for
    int records = 0; // N
    StartBytes start{};
    int intervalCode = 0;
    quint8 status = 0;

    // yy/mm/dd and hh:mm:ss, each byte's two digits as sent.
    QString dateText() const;
    QString timeText() const;
    QString unitText() const; // "uT" when bit 6 of the status byte is set, else "mG"
    // The row of the set list: number, date, time, unit, interval, records, TAB-separated.
    QString rowText() const;
};
SetInfo parseSetDescriptor(QByteArrayView ten, int number);
// The "I" reply: the sets whose ten bytes have all arrived, at most `setCount`.
QList<SetInfo> parseSetIndex(QByteArrayView reply, int setCount);

// The "C" reply as shown: "25/03/14-----09:41:07"; empty unless six bytes.
QString clockText(QByteArrayView reply);

// --- Logger settings ----------------------------------------------------------------------
// The identification code to write, or nothing when the text's leading number is outside
// 0..65535. A text without a number gives 0; halves go to the even neighbour.
std::optional<int> idCodeFromText(const QString& text);
// The interval code to write, or nothing when the text's leading number is not a multiple of
// 0.4 s between 0.4 and 102.0 s.
std::optional<int> intervalCodeFromText(const QString& text);

} // namespace veltrix::logger
