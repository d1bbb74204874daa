// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The meter's wire protocol without any I/O: command constants, the byte-stream command parser
// and the builders of every answer. VirtualMeter feeds it the bytes from the pseudo-terminal and
// queues what it builds; the tests use it directly.

#include "sim/VirtualMeter.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>

namespace veltrix::sim::protocol {

// Answer lengths of the commands that have one.
inline constexpr int PollAnswerLength = 5;
inline constexpr int IdentifyAnswerLength = 4;
inline constexpr int MemoryStatusLength = 8;
inline constexpr int SetDescriptorLength = 10;
inline constexpr int ClockAnswerLength = 6;

inline constexpr quint16 OverloadWord = 0x1C00;
inline constexpr quint16 MemoryFullBytes = 0x7F00; // 32512 bytes in use: the logger is full
inline constexpr int MaxSets = 250;
inline constexpr int DefaultModel = 0x4627;

// Status byte bits (poll answer and the status of a logged set).
inline constexpr quint8 StatusMemoryLock = 0x01;
inline constexpr quint8 StatusBlinkMask = 0x07;
inline constexpr quint8 StatusHighRange = 0x08;
inline constexpr quint8 StatusPeak = 0x10;
inline constexpr quint8 StatusHold = 0x20;
inline constexpr quint8 StatusMicroTesla = 0x40;
inline constexpr quint8 StatusMilliGauss = 0x80;

// EEPROM cells the logger settings live in.
inline constexpr int EepromIdHigh = 0;
inline constexpr int EepromIdLow = 1;
inline constexpr int EepromInterval = 4;

// A prefixed command (K, D, W, EEE) must complete within this time or it is dropped.
inline constexpr int PrefixTimeoutMs = 500;

// Splits the raw byte stream from the line into commands. Commands have no terminator: single
// letters are complete at once, the prefixed ones once their fixed number of digits has arrived.
// Bytes that start no command are ignored; a prefixed command interrupted by a byte that does not
// belong to it is dropped and that byte starts over.
class CommandParser {
public:
    // Returns the commands completed by these bytes, as received (e.g. " ", "M", "K0a").
    QStringList feed(const QByteArray& bytes, qint64 nowMs);
    void reset();
    bool pending() const { return !m_pending.isEmpty(); }

private:
    void feedByte(char c, QStringList& out);

    QByteArray m_pending;
    qint64 m_pendingSinceMs = 0;
};

bool isSingleLetterCommand(char c);

quint8 toBcd(int value);      // 0..99 -> packed BCD byte
int fromBcd(quint8 bcd);      // -1 if a nibble is not a decimal digit
quint16 toBcdWord(int value); // 0..9999 -> four packed BCD digits

QByteArray pollAnswer(quint8 status, quint16 valueWord);
QByteArray identifyAnswer(quint16 modelCode);
QByteArray memoryStatusAnswer(quint16 idCode, quint8 intervalCode, int setCount, int usedBytes);
QByteArray setDescriptor(const LoggerSet& set);
QByteArray setIndexAnswer(const QList<LoggerSet>& sets);
QByteArray setDataAnswer(const LoggerSet& set);
QByteArray clockAnswer(const QDateTime& t);

// Logger bytes in use for these sets: 10 per set and 2 per record, at most the full mark.
int usedBytes(const QList<LoggerSet>& sets);

// Argument of "K" + 2 hex digits: the 1-based set number, -1 if malformed.
int setNumberOf(const QString& command);
// "D" + yymmddhhmmss as a date and time in the 2000s; invalid if the digits make no date.
QDateTime clockOf(const QString& command);
// "W" + 4 hex address + 2 hex value; false if malformed.
bool eepromWriteOf(const QString& command, int* address, quint8* value);

} // namespace veltrix::sim::protocol
