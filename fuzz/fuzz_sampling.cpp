// SPDX-License-Identifier: GPL-3.0-or-later
// The sampling-time box's answer and the panel's reading of a leading number.

#include "FuzzCheck.h"

#include "link/ReadingDecoder.h"
#include "panel/PanelLogic.h"

#include <cmath>

using namespace veltrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString answer = QString::fromUtf8(fuzz::bytesOf(data, size));

    const auto seconds = parseSamplingAnswer(answer);
    if (seconds) {
        FUZZ_CHECK(*seconds >= 1 && *seconds <= MaxSamplingSeconds);
        // Round trip: the caption's number read back is the same sampling time.
        FUZZ_CHECK(parseSamplingAnswer(wholeNumberText(*seconds)) == seconds);
        FUZZ_CHECK(parseSamplingAnswer(QString::number(*seconds) + QStringLiteral(" ")) == seconds);
    }

    const double n = leadingNumber(answer);
    FUZZ_CHECK(!std::isnan(n));
    // A leading number is what its own text reads.
    if (std::isfinite(n) && std::abs(n) < 1e15) {
        const QString again = QString::number(n, 'g', 17);
        FUZZ_CHECK(leadingNumber(again) == n);
    }
    return 0;
}
