// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's rules that need no window: sampling-time answers, the running peak, the alarm
// indication and the key letters of the two meter families.

#include <QByteArray>
#include <QString>
#include <optional>

namespace veltrix {

struct SharedState;

inline constexpr int MaxSamplingSeconds = 86400;

// The number at the start of a caption such as "2 sec", formatted as a whole number without
// leading zeros; an empty text for 0.
QString wholeNumberText(double value);

// The sampling-time dialog's answer: the first "," removed, read as a number, rounded half to
// even and clamped to 1..86400. Nothing for a text that is not a number (or a cancelled dialog).
std::optional<int> parseSamplingAnswer(QString answer);

// Peak mode keeps the running maximum; an overload shows and stays until peak mode ends.
QString peakValue(const QString& shown, const QString& reading);

// The decoder's results kept in the shared state: the flags, and the reading text with its
// overload mark.
void DecodeStatus(quint8 status, SharedState& s);
void DecodeValue(quint8 high, quint8 low, const QString& shown, SharedState& s);

// The value shown after a poll answer's value bytes, with the flags already decoded into `s`:
// hold keeps the value shown before hold began, peak keeps the running maximum. Updates
// s.ReadingText and s.OverloadFlag.
QString valueToShow(quint8 high, quint8 low, const QString& shown, SharedState& s);

enum class Mark { Show, Hide, Leave };
struct AlarmMarks {
    Mark over = Mark::Leave;
    Mark under = Mark::Leave;
};
// The OVER / UNDER indication for the shown value. "Show" means flash once for this tick.
AlarmMarks alarmMarks(const QString& shown, const QString& high, const QString& low,
                      const QString& enableDisable);

// The unit label's blink code from a status byte: 0 steady, 1 slow, 2 fast; nothing for codes
// the panel leaves alone and for malformed status bytes.
std::optional<int> blinkCode(quint8 status);

enum class Key { Hold, Range, Peak, Unit, Record };
inline const QString ModelWithOwnKeys = QStringLiteral("4627");
// The letter a key sends, by model and (for the unit key of other models) the unit now shown.
QByteArray keyCommand(Key key, const QString& modelCode, bool gaussFlag);
// Waits after sending, in order.
QList<double> keyWaits(Key key, const QString& modelCode);

} // namespace veltrix
