// SPDX-License-Identifier: GPL-3.0-or-later
// The range boxes of the strip chart and the list plot, and a row's value as the list plot
// reads it. Input: up to five fields, one per line.

#include "FuzzCheck.h"

#include "records/ChartGeometry.h"

#include <cmath>

using namespace veltrix;
using namespace veltrix::chart;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QString> f = fuzz::fieldsOf(data, size, 5);

    StripRange strip{-1, -1, -1};
    const StripRangeError error = checkStripRange(f[0], f[1], f[2], &strip);
    if (error == StripRangeError::None) {
        FUZZ_CHECK(strip.records >= 10);
        FUZZ_CHECK(std::isfinite(strip.min) && std::isfinite(strip.max));
        FUZZ_CHECK(strip.min >= 0 && strip.max > strip.min);
        // Every reading lands on the chart or just above it.
        for (const double v : {strip.min, strip.max, (strip.min + strip.max) / 2, -1.0, 1e300}) {
            const double y = heightOf(v, strip.min, strip.max);
            FUZZ_CHECK(y >= AboveTop && y <= Bottom);
        }
    } else {
        FUZZ_CHECK(strip.records == -1); // a refused entry changes nothing
    }

    const int total = size > 0 ? data[0] : 0;
    const double fullScale = plotFullScale(f[4]);
    FUZZ_CHECK(fullScale == 2000 || fullScale == 200);
    if (const auto r = checkPlotRange(f[0], f[1], f[2], f[3], total, fullScale)) {
        FUZZ_CHECK(r->first >= 1 && r->first < r->last && r->last <= total);
        FUZZ_CHECK(r->min >= 0 && r->max > r->min && r->max <= fullScale);
    }

    const double v = plotValue(f[0], f[1], f[4]);
    FUZZ_CHECK(!std::isnan(v));
    const double y = heightOf(v, 0, fullScale);
    FUZZ_CHECK(y >= AboveTop && y <= Bottom);
    const double s = stripHeight(f[0], 0, fullScale);
    FUZZ_CHECK(s >= AboveTop && s <= Bottom);
    (void)cellOf(f[3], int(total % 9));
    return 0;
}
