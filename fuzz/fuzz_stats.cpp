// SPDX-License-Identifier: GPL-3.0-or-later
// Any record file through the survey statistics: whatever it holds, the figures agree with each
// other (counts add up, lowest <= median <= 95th percentile <= highest, the time above a level is
// its readings times the sampling time and holds its longest stretch) or the reason is given.

#include "FuzzCheck.h"

#include "records/RecordFile.h"
#include "survey/Statistics.h"

#include <algorithm>
#include <cmath>

using namespace veltrix;
using namespace veltrix::stats;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QStringList rows = recordRows(bytes);
    const RowText rowText = [&rows](int r) { return QStringView(rows[r - 1]); };

    Options options;
    options.levels = {{QStringLiteral("1 mG"), 1}, {QStringLiteral("0.4 uT"), 4}};
    // The first line may also name a level, as a user types one.
    if (const auto level = parseLevel(QString::fromUtf8(bytes.left(bytes.indexOf('\n'))),
                                      Unit::MicroTesla)) {
        FUZZ_CHECK(level->milliGauss >= 0 && std::isfinite(level->milliGauss));
        options.levels.append(*level);
    }

    QString error;
    const auto st = compute(rowText, int(rows.size()), options, &error);
    if (!st) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(st->readings + st->overloads + st->invalid == st->rows);
    FUZZ_CHECK(st->readings + st->overloads > 0);
    FUZZ_CHECK(st->duration >= 0 && st->sampling >= 0);
    FUZZ_CHECK(st->measured == (st->readings + st->overloads) * st->sampling);
    qint64 counted = 0;
    for (const ValueCount& v : st->values)
        counted += v.count;
    FUZZ_CHECK(counted == st->readings);
    if (st->readings > 0) {
        const double slack = 1e-9 * std::max(1.0, std::abs(st->maximum));
        FUZZ_CHECK(st->minimum <= st->median + slack && st->median <= st->percentile95 + slack);
        FUZZ_CHECK(st->percentile95 <= st->maximum + slack);
        FUZZ_CHECK(st->mean >= st->minimum - slack && st->mean <= st->maximum + slack);
        FUZZ_CHECK(st->standardDeviation >= 0);
    }
    for (const LevelFigures& f : st->levels) {
        FUZZ_CHECK(f.samplesAbove <= st->readings + st->overloads &&
                   f.overloadsAbove <= f.samplesAbove);
        FUZZ_CHECK(f.timeAbove == f.samplesAbove * st->sampling);
        FUZZ_CHECK(f.longest <= f.timeAbove);
    }
    FUZZ_CHECK(st->breaks.size() == std::min(st->breakCount, MaxListed));
    for (qsizetype i = 1; i < st->breaks.size(); ++i)
        FUZZ_CHECK(st->breaks[i - 1].after.row <= st->breaks[i].before.row);
    return 0;
}
