// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/LoggerRecords.h"

#include "link/ReadingDecoder.h"
#include "logger/LoggerProtocol.h"
#include "logger/LoggerTimes.h"

#include <algorithm>

namespace veltrix::logger {

SetRecords decodeSetRecords(QByteArrayView reply, int records, const QString& shown, int century,
                            bool previousOverload)
{
    SetRecords out;
    out.overload = previousOverload;
    if (reply.size() < SetDataHeaderLength)
        return out;
    StartBytes start;
    for (int i = 0; i < 6; ++i)
        start[i] = quint8(reply[2 + i]);
    SetClock clock(start, quint8(reply[8]), century);
    out.timesKnown = clock.known();
    out.flags = DecodeStatus(quint8(reply[9]));

    const int count = std::min(records, wholeRecords(int(reply.size())));
    const QChar tab(u'\t');
    const QString unit = out.flags.TeslaFlag ? QStringLiteral("uT") : QStringLiteral("mG");
    const QString marks = tab + unit + tab +
                          (out.flags.HoldFlag ? QStringLiteral("H") : QStringLiteral(" ")) + tab +
                          (out.flags.PeakFlag ? QStringLiteral("P") : QString());
    out.rows.reserve(count);
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            clock.advance();
        const qsizetype at = SetDataHeaderLength + qsizetype(RecordLength) * (i - 1);
        const DecodedValue v =
            DecodeValue(quint8(reply[at]), quint8(reply[at + 1]), shown, out.flags, out.overload);
        out.overload = v.OverloadFlag;
        out.rows.append(QString::number(i) + tab + clock.dateText() + tab + clock.timeText() + tab +
                        v.ReadingText + marks);
    }
    return out;
}

QString setTitle(int records, int set)
{
    return QString::number(records) + QStringLiteral("  Records In No. ") + QString::number(set) +
           QStringLiteral("  Set");
}

} // namespace veltrix::logger
