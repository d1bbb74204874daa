// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ReadingDecoder.h"

namespace veltrix {

StatusFlags DecodeStatus(quint8 s)
{
    StatusFlags f;
    f.MemoryLockFlag = s & 0x01;
    f.HighRangeFlag = s & 0x08;
    f.PeakFlag = s & 0x10;
    f.HoldFlag = s & 0x20;
    f.TeslaFlag = s & 0x40;
    f.GaussFlag = s & 0x80;
    return f;
}

QString valueDigits(quint8 high, quint8 low)
{
    return QStringLiteral("%1%2")
        .arg(high, 2, 16, QLatin1Char('0'))
        .arg(low, 2, 16, QLatin1Char('0'))
        .toUpper();
}

namespace {
// The number written by a run of characters, read up to the first non-decimal one, without
// leading zeros ("012" gives "12", "000" gives "0", "1A2" gives "1").
QString digitsValue(QStringView run)
{
    qsizetype n = 0;
    while (n < run.size() && run[n].isDigit() && run[n].unicode() < 128)
        ++n;
    return QString::number(run.left(n).toInt());
}
} // namespace

DecodedValue DecodeValue(quint8 high, quint8 low, const QString& shown, const StatusFlags& flags,
                         bool previousOverload)
{
    const QString t = valueDigits(high, low);
    const QStringView v(t);
    if (v.right(2) == u"FF" || v.left(2) == u"1F" || t == QLatin1String("1000"))
        return {shown, previousOverload};
    if (t == QLatin1String("1C00"))
        return {QStringLiteral("OL"), true};

    QString text;
    qsizetype fraction = 0; // the digits after the decimal point, taken as they are
    if (flags.HighRangeFlag && !flags.TeslaFlag) {
        text = digitsValue(v);
    } else if (!flags.HighRangeFlag && flags.TeslaFlag) {
        fraction = 2;
        text = digitsValue(v.left(2)) + QLatin1Char('.') + t.right(2);
    } else {
        fraction = 1;
        text = digitsValue(v.left(3)) + QLatin1Char('.') + t.right(1);
    }
    // A fraction digit past 9 comes from a garbled answer, never from the meter's display: taken
    // as it is, "29.E7" would be shown, recorded and compared as 290000000. Such a value is not
    // a reading, like an unsettled one.
    for (const QChar c : v.right(fraction))
        if (c > u'9')
            return {shown, previousOverload};
    return {text, false};
}

double leadingNumber(QStringView text)
{
    // Blanks skipped, then an optional sign, digits, a fraction and an exponent.
    const QStringView s = text.trimmed();
    qsizetype i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    const qsizetype mantissaStart = i;
    while (i < s.size() && s[i].isDigit())
        ++i;
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < s.size() && s[i].isDigit())
            ++i;
    }
    if (i == mantissaStart || (i == mantissaStart + 1 && s[mantissaStart] == QLatin1Char('.')))
        return 0;
    qsizetype end = i;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            ++j;
        const qsizetype expDigits = j;
        while (j < s.size() && s[j].isDigit())
            ++j;
        if (j > expDigits)
            end = j;
    }
    return s.left(end).toDouble();
}

bool isOverload(QStringView text)
{
    return text.trimmed().compare(u"OL", Qt::CaseInsensitive) == 0;
}

} // namespace veltrix
