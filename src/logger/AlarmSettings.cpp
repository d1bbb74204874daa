// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/AlarmSettings.h"

#include "records/FieldNumber.h"

#include <QCoreApplication>
#include <QLocale>
#include <cmath>

namespace veltrix {

namespace {

// A stored threshold in another unit; a text that is no number stays as it is.
QString scaledThreshold(const QString& stored, Unit from, Unit to)
{
    const auto v = fieldNumber(stored);
    if (!v)
        return stored;
    return thresholdText(convert(*v, from, to));
}

} // namespace

QString alarmSwitchText(AlarmSwitch on)
{
    return on == AlarmSwitch::On ? QStringLiteral("0") : QStringLiteral("1");
}

QString invalidAlarmSettingsText()
{
    return QCoreApplication::translate("Alarm", "Invalid settings, try again!");
}

bool alarmKeyAllowed(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
           c == QLatin1Char('\b');
}

std::optional<Thresholds> checkThresholds(const QString& high, const QString& low)
{
    const auto h = fieldNumber(high);
    const auto l = fieldNumber(low);
    if (!h || !l || *h > AlarmHighLimit || *l < 0 || *l >= *h)
        return std::nullopt;
    return Thresholds{*h, *l};
}

QString thresholdText(double value)
{
    // Fifteen significant digits drop what binary arithmetic adds (2.05 * 10 is 20.499...96);
    // the shortest text of that number is then what the user would have typed.
    const double rounded = QString::number(value, 'g', 15).toDouble();
    return QString::number(rounded, 'f', QLocale::FloatingPointShortest);
}

AlarmForm loadAlarmForm(AlarmState& s, Unit meterUnit)
{
    if (s.Overbox1.isEmpty() && s.Overbox2.isEmpty()) {
        // First opening: the whole range of the unit the meter shows now.
        const bool tesla = meterUnit == Unit::MicroTesla;
        s.Overbox1 = tesla ? QStringLiteral("200") : QStringLiteral("2000");
        s.Overbox2 = QStringLiteral("0");
        s.AlarmUnit = meterUnit;
    }
    return {s.Overbox1, s.Overbox2, s.AlarmUnit};
}

bool enableAlarm(AlarmState& s, const AlarmForm& form)
{
    const auto t = checkThresholds(form.high, form.low);
    if (!t)
        return false;
    if ((form.unit == Unit::MicroTesla && t->high > AlarmHighLimitTesla) ||
        (form.unit == Unit::MilliGauss && t->high > AlarmHighLimit))
        return false;
    if (form.unit)
        s.AlarmUnit = form.unit;
    s.EnableDisable = AlarmSwitch::On;
    s.Overbox1 = thresholdText(t->high);
    s.Overbox2 = thresholdText(t->low);
    return true;
}

bool disableAlarm(AlarmState& s, const AlarmForm& form)
{
    if (!checkThresholds(form.high, form.low))
        return false;
    // Thresholds kept in no unit count as kept in the other one.
    if (form.unit && s.AlarmUnit != form.unit) {
        const Unit from = *form.unit == Unit::MicroTesla ? Unit::MilliGauss : Unit::MicroTesla;
        s.Overbox1 = scaledThreshold(s.Overbox1, from, *form.unit);
        s.Overbox2 = scaledThreshold(s.Overbox2, from, *form.unit);
    }
    s.EnableDisable = AlarmSwitch::Off;
    if (form.unit)
        s.AlarmUnit = form.unit;
    return true;
}

std::pair<QString, QString> alarmThresholdsAsShown(const AlarmState& s, bool teslaFlag,
                                                   bool gaussFlag)
{
    const std::optional<Unit> shown = teslaFlag   ? std::optional(Unit::MicroTesla)
                                      : gaussFlag ? std::optional(Unit::MilliGauss)
                                                  : std::nullopt;
    if (!shown || !s.AlarmUnit || shown == s.AlarmUnit)
        return {s.Overbox1, s.Overbox2};
    // An empty low threshold stays empty (it never matches).
    return {scaledThreshold(s.Overbox1, *s.AlarmUnit, *shown),
            scaledThreshold(s.Overbox2, *s.AlarmUnit, *shown)};
}

} // namespace veltrix
