// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/PanelLogic.h"

#include "link/ReadingDecoder.h"
#include "link/Timing.h"
#include "panel/SharedState.h"

#include <QList>
#include <cfenv>
#include <cmath>

namespace veltrix {

QString wholeNumberText(double value)
{
    const long long n = std::llrint(value);
    return n == 0 ? QString() : QString::number(n);
}

std::optional<int> parseSamplingAnswer(QString answer)
{
    const qsizetype comma = answer.indexOf(QLatin1Char(','));
    if (comma >= 0)
        answer.remove(comma, 1); // 86,400 is 86400
    bool ok = false;
    const double t = answer.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(t))
        return std::nullopt;
    double rounded = std::nearbyint(t); // the default rounding mode: halves to the even neighbour
    if (rounded > MaxSamplingSeconds)
        rounded = MaxSamplingSeconds;
    if (rounded < 1)
        rounded = 1;
    return static_cast<int>(rounded);
}

QString peakValue(const QString& shown, const QString& reading)
{
    if (isOverload(shown) || isOverload(reading))
        return QStringLiteral("OL");
    return leadingNumber(shown) <= leadingNumber(reading) ? reading : shown;
}

AlarmMarks alarmMarks(const QString& shown, const QString& high, const QString& low,
                      const QString& enableDisable)
{
    AlarmMarks m;
    if (high.isEmpty())
        return m;
    if (enableDisable == QLatin1String("1")) {
        m.over = m.under = Mark::Hide;
        return m;
    }
    if (enableDisable != QLatin1String("0"))
        return m;
    const bool overload = isOverload(shown);
    const double value = leadingNumber(shown);
    m.over = (overload || value >= leadingNumber(high)) ? Mark::Show : Mark::Hide;
    m.under = (!overload && !low.isEmpty() && value < leadingNumber(low)) ? Mark::Show : Mark::Hide;
    return m;
}

std::optional<int> blinkCode(quint8 status)
{
    if (status < 0x40 || status > 0xBF)
        return std::nullopt;
    const int code = status & 0x07;
    if (code > 2)
        return std::nullopt;
    return code;
}

QByteArray keyCommand(Key key, const QString& modelCode, bool gaussFlag)
{
    const bool own = modelCode == ModelWithOwnKeys;
    switch (key) {
    case Key::Hold:
        return "H";
    case Key::Range:
        return "R";
    case Key::Peak:
        return own ? "m" : "P";
    case Key::Unit:
        return (own || gaussFlag) ? "u" : "m";
    case Key::Record:
        return own ? "P" : "r";
    }
    return {};
}

QList<double> keyWaits(Key key, const QString& modelCode)
{
    if (key != Key::Record)
        return {timing::AnswerWait};
    if (modelCode == ModelWithOwnKeys)
        return {timing::RecordKeyWait};
    return {timing::AnswerWait, timing::RecordKeyWait};
}

void DecodeStatus(quint8 status, SharedState& s)
{
    s.Flags = DecodeStatus(status);
}

void DecodeValue(quint8 high, quint8 low, const QString& shown, SharedState& s)
{
    const DecodedValue v = DecodeValue(high, low, shown, s.Flags, s.OverloadFlag);
    s.ReadingText = v.ReadingText;
    s.OverloadFlag = v.OverloadFlag;
}

QString valueToShow(quint8 high, quint8 low, const QString& shown, SharedState& s)
{
    if (s.Flags.HoldFlag) {
        // The meter holds its display; the panel keeps the value it had before hold began.
        if (s.ReadingText.isEmpty())
            DecodeValue(high, low, shown, s);
        return s.ReadingText;
    }
    DecodeValue(high, low, shown, s);
    return s.Flags.PeakFlag ? peakValue(shown, s.ReadingText) : s.ReadingText;
}

} // namespace veltrix
