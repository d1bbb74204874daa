#include "logger/AlarmSettings.h"

#include "panel/SharedState.h"
#include "records/FieldNumber.h"

#include <QCoreApplication>
#include <QLocale>
#include <cmath>

namespace veltrix {

namespace {

enum class Scale { Up, Down }; // microtesla to milligauss, and back

// A stored threshold in the other unit; a text that is no number stays as it is.
QString scaledThreshold(const QString& stored, Scale scale)
{
    const auto v = fieldNumber(stored);
    if (!v)
        return stored;
    return thresholdText(scale == Scale::Up ? *v * MilliGaussPerMicroTesla
                                            : *v / MilliGaussPerMicroTesla);
}

} // namespace

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

AlarmUnit storedAlarmUnit(const SharedState& s)
{
    if (s.OpAlarm1 == AlarmOptionSelected)
        return AlarmUnit::MicroTesla;
    if (s.OpAlarm2 == AlarmOptionSelected)
        return AlarmUnit::MilliGauss;
    return AlarmUnit::None;
}

void selectAlarmUnit(SharedState& s, AlarmUnit unit)
{
    // Two options of one group: selecting one clears the other.
    if (unit == AlarmUnit::MicroTesla) {
        s.OpAlarm1 = AlarmOptionSelected;
        s.OpAlarm2 = AlarmOptionCleared;
    } else if (unit == AlarmUnit::MilliGauss) {
        s.OpAlarm1 = AlarmOptionCleared;
        s.OpAlarm2 = AlarmOptionSelected;
    }
}

AlarmForm loadAlarmForm(SharedState& s)
{
    if (s.Overbox1.isEmpty() && s.Overbox2.isEmpty()) {
        // First opening: the whole range of the unit the meter shows now.
        const bool tesla = s.Flags.TeslaFlag;
        s.Overbox1 = tesla ? QStringLiteral("200") : QStringLiteral("2000");
        s.Overbox2 = QStringLiteral("0");
        selectAlarmUnit(s, tesla ? AlarmUnit::MicroTesla : AlarmUnit::MilliGauss);
    }
    return {s.Overbox1, s.Overbox2, storedAlarmUnit(s)};
}

bool enableAlarm(SharedState& s, const AlarmForm& form)
{
    const auto t = checkThresholds(form.high, form.low);
    if (!t)
        return false;
    if ((form.unit == AlarmUnit::MicroTesla && t->high > AlarmHighLimitTesla) ||
        (form.unit == AlarmUnit::MilliGauss && t->high > AlarmHighLimit))
        return false;
    selectAlarmUnit(s, form.unit);
    s.EnableDisable = AlarmSwitchOn;
    s.Overbox1 = thresholdText(t->high);
    s.Overbox2 = thresholdText(t->low);
    return true;
}

bool disableAlarm(SharedState& s, const AlarmForm& form)
{
    if (!checkThresholds(form.high, form.low))
        return false;
    const AlarmUnit stored = storedAlarmUnit(s);
    std::optional<Scale> scale;
    if (form.unit == AlarmUnit::MicroTesla && stored != AlarmUnit::MicroTesla)
        scale = Scale::Down;
    else if (form.unit == AlarmUnit::MilliGauss && stored != AlarmUnit::MilliGauss)
        scale = Scale::Up;
    if (scale) {
        s.Overbox1 = scaledThreshold(s.Overbox1, *scale);
        s.Overbox2 = scaledThreshold(s.Overbox2, *scale);
    }
    s.EnableDisable = AlarmSwitchOff;
    selectAlarmUnit(s, form.unit);
    return true;
}

std::pair<QString, QString> alarmThresholdsAsShown(const SharedState& s)
{
    // The panel shows microtesla whenever the tesla bit is set, milligauss on the gauss bit
    // alone; a status byte with neither leaves the comparison as stored.
    const AlarmUnit shown = s.Flags.TeslaFlag   ? AlarmUnit::MicroTesla
                            : s.Flags.GaussFlag ? AlarmUnit::MilliGauss
                                                : AlarmUnit::None;
    const AlarmUnit stored = storedAlarmUnit(s);
    if (shown == AlarmUnit::None || stored == AlarmUnit::None || shown == stored)
        return {s.Overbox1, s.Overbox2};
    const Scale scale = shown == AlarmUnit::MilliGauss ? Scale::Up : Scale::Down;
    // An empty low threshold stays empty (it never matches).
    return {scaledThreshold(s.Overbox1, scale), scaledThreshold(s.Overbox2, scale)};
}

} // namespace veltrix
