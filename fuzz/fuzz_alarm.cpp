// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm window: the two threshold boxes, "Enable" and "Disable" with either unit, and the
// thresholds as the panel then compares them with a reading. Input: high, low and a reading, one
// per line; the first byte picks the units.

#include "FuzzCheck.h"

#include "link/ReadingDecoder.h"
#include "logger/AlarmSettings.h"
#include "panel/PanelLogic.h"

#include <cmath>

using namespace veltrix;

namespace {
std::optional<Unit> unitOf(int bits)
{
    if (bits == 0)
        return std::nullopt;
    return bits == 1 ? Unit::MicroTesla : Unit::MilliGauss;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int choice = data[0];
    const QList<QString> f = fuzz::fieldsOf(data + 1, size - 1, 3);

    for (const QChar c : f[0])
        FUZZ_CHECK(alarmKeyAllowed(c) == (c.isDigit() && c.unicode() < 128) || c == u'.' ||
                   c == u'\b');

    const auto t = checkThresholds(f[0], f[1]);
    if (t) {
        FUZZ_CHECK(std::isfinite(t->high) && std::isfinite(t->low));
        FUZZ_CHECK(t->high <= AlarmHighLimit && t->low >= 0 && t->low < t->high);
        // Stored as text (fifteen significant digits) and read back, a threshold keeps its value.
        for (const double v : {t->high, t->low}) {
            const double back = leadingNumber(thresholdText(v));
            FUZZ_CHECK(std::abs(back - v) <= 1e-14 * std::abs(v));
        }
    }

    AlarmState s;
    s.AlarmUnit = unitOf(choice & 3 % 3);
    const AlarmForm form{f[0], f[1], unitOf((choice >> 2) % 3)};
    const bool enabled = enableAlarm(s, form);
    FUZZ_CHECK(!enabled || t);
    if (enabled) {
        FUZZ_CHECK(s.EnableDisable == AlarmSwitch::On);
        FUZZ_CHECK(s.AlarmUnit == form.unit);
        const double limit = form.unit == Unit::MicroTesla ? AlarmHighLimitTesla : AlarmHighLimit;
        FUZZ_CHECK(s.Overbox1.toDouble() <= limit);
    }
    const auto [high, low] = alarmThresholdsAsShown(s, choice & 0x10, choice & 0x20);
    const AlarmMarks marks = alarmMarks(f[2], high, low, alarmSwitchText(s.EnableDisable));
    if (enabled && !high.isEmpty())
        FUZZ_CHECK(marks.over != Mark::Leave);

    const AlarmForm other{f[1], f[0], unitOf((choice >> 6) % 3)};
    if (disableAlarm(s, other)) {
        FUZZ_CHECK(s.EnableDisable == AlarmSwitch::Off);
        FUZZ_CHECK(!other.unit || s.AlarmUnit == other.unit);
    }
    const AlarmForm loaded = loadAlarmForm(s, Unit::MilliGauss);
    FUZZ_CHECK(loaded.unit == s.AlarmUnit || !s.AlarmUnit);
    return 0;
}
