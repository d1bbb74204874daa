// SPDX-License-Identifier: GPL-3.0-or-later
// Any file as a user's reference file: refused with a reason, or a set every part of the program
// can use (a key, a name and a source; rising levels above 0 within 1 T; bands one more than their
// edges) whose assessment sentence can be written for a survey with and without overloads.

#include "FuzzCheck.h"

#include "survey/Assessment.h"
#include "survey/ReferenceLevels.h"

#include <cmath>

using namespace veltrix;
using namespace veltrix::stats;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString error;
    const auto set = parseReferenceFile(fuzz::bytesOf(data, size), &error);
    if (!set) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(error.isEmpty() && !findReference(set->key));
    FUZZ_CHECK(!set->key.isEmpty() && !set->name.isEmpty() && !set->source.isEmpty());
    FUZZ_CHECK(!set->lines.isEmpty() && set->lines.size() <= 10);
    FUZZ_CHECK(set->bands.isEmpty() || set->bands.size() == set->lines.size() + 1);
    for (qsizetype i = 0; i < set->lines.size(); ++i) {
        const double mG = set->lines[i].milliGauss;
        FUZZ_CHECK(std::isfinite(mG) && mG > 0 && mG <= 1e7);
        FUZZ_CHECK(i == 0 || set->lines[i - 1].milliGauss <= mG);
    }
    Statistics st;
    st.readings = 3;
    st.minimum = 0.1;
    st.mean = st.median = 2;
    st.percentile95 = st.maximum = 5000;
    const auto figure = [](double mG) { return QString::number(mG) + QStringLiteral(" mG"); };
    FUZZ_CHECK(assessment(*set, st, figure).endsWith(u'.'));
    st.overloads = 1;
    FUZZ_CHECK(assessment(*set, st, figure).endsWith(u'.'));
    return 0;
}
