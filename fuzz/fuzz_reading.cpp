// SPDX-License-Identifier: GPL-3.0-or-later
// A poll answer's five bytes, decoded the way the panel shows them.

#include "FuzzCheck.h"

#include "link/ReadingDecoder.h"

#include <QRegularExpression>

using namespace veltrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size != 5)
        return 0;
    const quint8 status = data[1];
    const quint8 high = data[2];
    const quint8 low = data[3];

    const StatusFlags f = DecodeStatus(status);
    FUZZ_CHECK(f.MemoryLockFlag == bool(status & 0x01));
    FUZZ_CHECK(f.HighRangeFlag == bool(status & 0x08));
    FUZZ_CHECK(f.GaussFlag == bool(status & 0x80));
    FUZZ_CHECK(f.TeslaFlag == bool(status & 0x40));

    const QString digits = valueDigits(high, low);
    FUZZ_CHECK(digits.size() == 4);
    FUZZ_CHECK(digits == digits.toUpper());
    bool ok = false;
    FUZZ_CHECK(digits.toUInt(&ok, 16) == (uint(high) << 8 | low) && ok);

    // What the panel showed before: bytes 0 and 4 choose it.
    static const QString shownTexts[] = {QString(), QStringLiteral("12.3"), QStringLiteral("OL"),
                                         QStringLiteral("1999")};
    const QString shown = shownTexts[data[0] & 3];
    const bool previousOverload = data[4] & 1;
    const DecodedValue v = DecodeValue(high, low, shown, f, previousOverload);

    // Digits after the decimal point: none in the high milligauss range, two in the low
    // microtesla range, one otherwise.
    const int fraction = f.HighRangeFlag && !f.TeslaFlag   ? 0
                         : !f.HighRangeFlag && f.TeslaFlag ? 2
                                                           : 1;
    bool garbled = false;
    for (const QChar c : digits.right(fraction))
        garbled = garbled || c > u'9';
    const bool invalid = digits.endsWith(QLatin1String("FF")) ||
                         digits.startsWith(QLatin1String("1F")) ||
                         digits == QLatin1String("1000") || garbled;
    if (invalid) {
        FUZZ_CHECK(v.ReadingText == shown && v.OverloadFlag == previousOverload);
    } else if (digits == QLatin1String("1C00")) {
        FUZZ_CHECK(v.ReadingText == QLatin1String("OL") && v.OverloadFlag);
    } else {
        FUZZ_CHECK(!v.OverloadFlag);
        // A whole number of up to four digits, or one with a fraction of the value's last digits.
        static const QRegularExpression form(QStringLiteral("^[0-9]{1,4}(\\.[0-9]{1,2})?$"));
        FUZZ_CHECK(form.match(v.ReadingText).hasMatch());
        const double n = leadingNumber(v.ReadingText);
        FUZZ_CHECK(n >= 0 && n < 10000);
    }
    return 0;
}
