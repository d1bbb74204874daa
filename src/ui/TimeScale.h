// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Times of day on the chart's x axis. The charts plot a time of day in days, with the factor
// 1.1574e-05 per second that the program has always used (close to, but not exactly, 1/86400).
// Every conversion goes through the same factor, so a time text turned into an x value and back
// gives the same text.

#include <QString>
#include <QStringView>

#include <cmath>
#include <optional>

namespace veltrix::ui {

inline constexpr double SecondsToDays = 1.1574e-05;
inline constexpr int SecondsPerDay = 86400;

inline double daysFromSeconds(double seconds)
{
    return seconds * SecondsToDays;
}

inline double secondsFromDays(double days)
{
    return days / SecondsToDays;
}

// Seconds of a "hh:mm:ss" text (hours from characters 1-2, minutes 4-5, seconds 7-8). Nothing for
// a text that is not a time of day.
std::optional<int> secondsOfTimeText(QStringView text);

// "hh:mm:ss" of a time of day in seconds; whole seconds, rounded, taken modulo a day.
QString timeTextOfSeconds(double seconds);

// "hh:mm:ss" of an x value in days.
inline QString timeTextOfDays(double days)
{
    return timeTextOfSeconds(secondsFromDays(days));
}

// A time text ("hh:mm:ss", "hh:mm" or a plain number of seconds) as an x value in days. Nothing
// for anything else.
std::optional<double> daysOfTimeText(QStringView text);

} // namespace veltrix::ui
