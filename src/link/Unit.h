// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two units the meter reads in, and the one conversion between them (1 µT = 10 mG). Every
// part that converts or names a unit (alarms, statistics, charts, the gauge, the feeds) goes
// through here.

#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

namespace veltrix {

enum class Unit { MilliGauss, MicroTesla };

inline constexpr double MilliGaussPerMicroTesla = 10;
// The micro sign and the Greek mu, both seen in front of a "T" in record files.
inline constexpr QChar MicroSign = QChar(0x00B5);
inline constexpr QChar GreekMu = QChar(0x03BC);

// "mG" or "µT" (micro sign), for reports and feeds.
QString unitText(Unit unit);
// "mG" or "uT", as the meter's face, the panel and record files write it.
QString unitAscii(Unit unit);
// The unit of a unit text or a record's Unit cell: "mG"; "uT" (downloaded sets), "µT" or "μT"
// (recordings); blanks around it are ignored.
std::optional<Unit> unitOf(QStringView text);
// The unit the status byte's flags name (the meter reads in mG unless it says tesla).
inline Unit unitOfFlags(bool gauss)
{
    return gauss ? Unit::MilliGauss : Unit::MicroTesla;
}

double toMilliGauss(double value, Unit unit);
double fromMilliGauss(double milliGauss, Unit unit);
// `value` given in `from`, in `to`.
inline double convert(double value, Unit from, Unit to)
{
    return fromMilliGauss(toMilliGauss(value, from), to);
}

} // namespace veltrix
