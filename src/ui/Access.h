// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader and a keyboard-only user need of a window: readouts that say their
// reading, Escape and Enter doing what they do in a dialog, and text that stays legible.

#include <QString>

class QAbstractButton;
class QColor;
class QWidget;

namespace veltrix::ui {

// A drawn readout (dial, chart, big digits): reachable by Tab, named `name` for assistive
// technology.
void makeReadout(QWidget* readout, const QString& name);
// The readout's reading ("50.0 mG"), as its accessible description; a change is announced.
void announceReading(QWidget* readout, const QString& reading);
// The text a screen reader gives a reading: value and unit, or "no reading" before the first.
QString readingText(const QString& value, const QString& unit);

// Escape closes the window (a dialog does so by itself).
void closeOnEscape(QWidget* window);
// Return and Enter press `button` wherever the focus is in its window (a dialog's default
// button does so by itself; a plain window needs this).
void pressOnEnter(QAbstractButton* button);

// The contrast ratio of two colours as legibility guidelines count it: 1 (same) to 21 (black on
// white). Body text needs at least 4.5.
double contrastRatio(const QColor& a, const QColor& b);
constexpr double TextContrast = 4.5;

} // namespace veltrix::ui
