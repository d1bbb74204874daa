// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A downloaded set turned into record rows: the "K" reply's header gives the start, the interval
// and the status byte shared by every record; each two-byte record is a reading decoded as a
// poll answer's value is.

#include "link/ReadingDecoder.h"
#include "logger/LoggerExchange.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace veltrix::logger {

struct SetRecords {
    QStringList rows;       // "i TAB date TAB time TAB value TAB unit TAB hold TAB [P]"
    StatusFlags flags;      // from the set's status byte (unit, hold, peak, range)
    bool timesKnown = true; // false: the start bytes are not a BCD date; stamps are "--"
    bool overload = false;  // the overload state after the last record
};

// Decodes the whole records present in `reply` (a "K" reply, complete or cut short), at most
// `records` of them. `shown` is the panel's value, which invalid readings take, as on the panel;
// `century` the first two digits of the PC's year.
SetRecords decodeSetRecords(QByteArrayView reply, int records, const QString& shown, int century,
                            bool previousOverload = false);

// "120  Records In No. 3  Set"
QString setTitle(int records, int set);

} // namespace veltrix::logger
