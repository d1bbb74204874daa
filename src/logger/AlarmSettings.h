// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alarm thresholds' rules, without a window: which keys the threshold boxes take, when a pair
// of thresholds is refused, how stored thresholds follow a change of unit, and the thresholds as
// the panel compares them with the reading it shows.
//
// The alarm lives on the PC only: the thresholds are kept in the panel's state (its AlarmState
// part) and nothing is sent to the meter.

#include "link/Unit.h"

#include <QString>
#include <optional>
#include <utility>

namespace veltrix {

inline constexpr double AlarmHighLimit = 2000;     // the top of the milligauss range
inline constexpr double AlarmHighLimitTesla = 200; // the top of the microtesla range

// The alarm switch. Off until "Enable" is accepted.
enum class AlarmSwitch { On, Off };

// The alarm's part of the panel's state. The thresholds stay the texts the boxes show again on
// the next opening (empty high: no indication; empty low: never under), stored in their
// shortest form; the panel reads their leading number when it compares.
struct AlarmState {
    QString Overbox1; // high threshold
    QString Overbox2; // low threshold
    // The unit the thresholds are kept in; none before the first opening.
    std::optional<Unit> AlarmUnit;
    AlarmSwitch EnableDisable = AlarmSwitch::Off;

    // The window's two unit options (microtesla, milligauss): selecting one clears the other.
    bool OpAlarm1() const { return AlarmUnit == Unit::MicroTesla; }
    bool OpAlarm2() const { return AlarmUnit == Unit::MilliGauss; }
};

// The switch as the panel's indication rule takes it: "0" on, "1" off.
QString alarmSwitchText(AlarmSwitch on);

// The one refusal the alarm window knows.
QString invalidAlarmSettingsText();

// Characters the threshold boxes take: digits, the full stop and backspace. Keys that type no
// character (arrows, Delete, shortcuts) are not characters and are not filtered here.
bool alarmKeyAllowed(QChar c);

struct Thresholds {
    double high = 0;
    double low = 0;
};
// The check both buttons make first: two numbers, high at most 2000, low not negative and below
// high. Nothing when the pair is refused.
std::optional<Thresholds> checkThresholds(const QString& high, const QString& low);

// The shortest decimal text of a threshold ("0200" is stored as 200, "12." as 12, 20.5 / 10 as
// 2.05), without the tails binary fractions leave after a unit change.
QString thresholdText(double value);

// What the alarm window shows and the buttons act on.
struct AlarmForm {
    QString high;
    QString low;
    std::optional<Unit> unit; // none: neither option selected (the stored unit stays)
};

// Loading the window: the stored thresholds and unit, or on first opening the defaults of the
// meter's present unit, which are stored at once. The alarm switch is left as it is.
AlarmForm loadAlarmForm(AlarmState& s, Unit meterUnit);

// "Enable": stores the thresholds and the unit and switches the alarm on. False (nothing
// stored) when the thresholds are refused.
bool enableAlarm(AlarmState& s, const AlarmForm& form);

// "Disable": the typed thresholds must be valid but are not stored; the stored ones are carried
// over into the chosen unit, the unit is stored and the alarm switched off. False (nothing
// changed) when the typed thresholds are refused.
bool disableAlarm(AlarmState& s, const AlarmForm& form);

// The stored thresholds (high, low) in the unit the panel shows now, so that a reading in
// milligauss is never compared with thresholds kept in microtesla or the other way round. The
// panel shows microtesla whenever the status byte's tesla bit is set, milligauss on the gauss
// bit alone; with neither the thresholds are compared as stored.
std::pair<QString, QString> alarmThresholdsAsShown(const AlarmState& s, bool teslaFlag,
                                                   bool gaussFlag);

} // namespace veltrix
