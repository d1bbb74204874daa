// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One reading as the panel shows it: what the session keeps from every poll answer and hands to
// the record file, the tool's outputs and the feeds.

#include "link/ReadingDecoder.h"
#include "link/Unit.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace veltrix {

struct Reading {
    QDateTime when;
    QString valueText; // "12.3", "OL", or empty while the meter settles
    bool gauss = true; // mG, else µT
    bool hold = false;
    bool peak = false;

    bool overload() const { return isOverload(valueText); }
    Unit unitType() const { return unitOfFlags(gauss); }
    std::optional<double> value() const;                  // in the meter's unit
    std::optional<double> tesla() const;                  // in SI base units
    QString unit() const { return unitText(unitType()); } // "mG" or "µT"
};

} // namespace veltrix
