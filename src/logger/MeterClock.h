// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The meter's real-time clock as the PC sets it: "D" and the date and time as twelve digits,
// year, month, day, hour, minute, second, two each (the year's last two, hours 00 to 23).
// The meter does not answer it. Plain functions, and the one exchange that sends the command.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace veltrix {

class MeterLink;

inline constexpr int ClockSetCommandLength = 13;

// "D250314094107" for 14 March 2025, 09:41:07. Empty for an invalid date and time and for a
// year the meter cannot hold (before 2000 or after 2099), so nothing wrong is ever sent.
QByteArray clockSetCommand(const QDateTime& t);

// The clock window's two displays: "yy/mm/dd hh:mm:ss", and the same behind a blank.
QString meterTimeText(const QDateTime& t);
QString systemTimeText(const QDateTime& t);

// Sends a clock-set command the way every exchange begins (receive buffer emptied) and waits
// the answer time, though no answer comes. False when the program is quitting.
bool clockSetExchange(MeterLink& link, const QByteArray& command);

} // namespace veltrix
