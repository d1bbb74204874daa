// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns the status byte and the two value bytes of a poll answer into the flags and the value
// text the panel shows. Pure functions: nothing here talks to the line.

#include "link/StatusFlags.h"

#include <QString>

namespace veltrix {

StatusFlags DecodeStatus(quint8 status);

struct DecodedValue {
    QString ReadingText;
    bool OverloadFlag = false;
};

// The four BCD digits as text, each byte as two upper-case hex digits ("0123", "1C00").
QString valueDigits(quint8 high, quint8 low);

// Decodes the value bytes in the range and unit given by flags. `shown` is what the panel
// displays now: an invalid value (meter busy, digits not yet settled) keeps it, and keeps the
// previous overload state.
DecodedValue DecodeValue(quint8 high, quint8 low, const QString& shown, const StatusFlags& flags,
                         bool previousOverload);

// The leading number of a text the way the panel compares values and the charts read a record's
// value cell: "12.3" gives 12.3, "12 sec" gives 12, a text without a leading number gives 0.
double leadingNumber(QStringView text);

// An overload as the meter shows it and a record file keeps it: "OL", blanks around it and the
// letters' case aside.
bool isOverload(QStringView text);

} // namespace veltrix
