// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumEdit.h"

#include "ui/LocaleText.h"
#include "ui/TimeScale.h"

#include <QLocale>

#include <cmath>

namespace veltrix::ui {

NumEdit::NumEdit(Display display, QWidget* parent) : QLineEdit(parent), m_display(display)
{
    setText(format(m_display, m_value, m_decimals));
    connect(this, &QLineEdit::editingFinished, this, &NumEdit::takeTyped);
}

QString NumEdit::format(Display display, double value, int decimals)
{
    if (display == Display::TimeOfDay)
        return timeTextOfDays(value);
    return numberText(value, decimals); // "0,50" in German, as the field takes it back
}

void NumEdit::setValue(double value)
{
    if (!std::isfinite(value))
        return;
    if (m_display == Display::TimeOfDay) // the value the field shows, in whole seconds
        value = daysFromSeconds(std::round(secondsFromDays(value)));
    m_value = value;
    setText(format(m_display, m_value, m_decimals));
    emit valueChanged(m_value);
}

void NumEdit::takeTyped()
{
    std::optional<double> typed;
    if (m_display == Display::TimeOfDay) {
        typed = daysOfTimeText(text());
    } else {
        bool ok = false;
        const double v = locale().toDouble(text().trimmed(), &ok);
        const double c = ok ? v : text().trimmed().toDouble(&ok);
        if (ok && std::isfinite(c))
            typed = c;
    }
    if (!typed) {
        setText(format(m_display, m_value, m_decimals)); // refused: show the value again
        return;
    }
    if (format(m_display, *typed, m_decimals) == format(m_display, m_value, m_decimals)) {
        setText(format(m_display, m_value, m_decimals));
        return;
    }
    setValue(*typed);
}

} // namespace veltrix::ui
