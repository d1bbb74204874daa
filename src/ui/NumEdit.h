// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A numeric field: shows a number and takes one typed in. A time field shows an x value of the
// charts (days) as a time of day and takes "hh:mm:ss"; a plain field shows the number with the
// given decimals. A text that is not a number is refused and the field shows its value again.

#include <QLineEdit>

namespace veltrix::ui {

class NumEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Display { TimeOfDay, Number };

    explicit NumEdit(Display display, QWidget* parent = nullptr);

    double value() const { return m_value; }
    // Sets the value as shown (a time of day is kept in whole seconds) and emits valueChanged.
    void setValue(double value);

    // The value as the field shows it.
    static QString format(Display display, double value, int decimals);

signals:
    void valueChanged(double value);

private:
    void takeTyped();

    Display m_display;
    int m_decimals = 2;
    double m_value = 0;
};

} // namespace veltrix::ui
