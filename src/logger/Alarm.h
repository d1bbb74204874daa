// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alarm window: the high and low thresholds of the live reading, their unit and the alarm
// switch. The thresholds are kept in the alarm's part of the panel's state; the panel's poll tick
// compares them with the reading and flashes OVER / UNDER.

#include "logger/AlarmSettings.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace veltrix {

class Alarm : public QWidget {
    Q_OBJECT
public:
    // Loads the stored thresholds (or the defaults of the meter's present unit on first
    // opening). The window is deleted when closed; opening it again loads it afresh.
    Alarm(AlarmState& state, Unit meterUnit, QWidget* parent = nullptr);

    // Left edge at the panel's right edge, top at the top of the screen.
    void placeBeside(const QRect& panelFrame);

    AlarmForm form() const;

public slots:
    // "Enable" and "Disable"; each closes the window when it was accepted.
    bool enable();
    bool disable();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load(Unit meterUnit);
    void refuse();

    AlarmState& m_state;
    QLabel* PTH;
    QLabel* PTL;
    QLineEdit* TTH;
    QLineEdit* TTL;
    QGroupBox* FUnit;
    QRadioButton* OptuT;
    QRadioButton* OptmG;
    QPushButton* CmdOK;
    QPushButton* CmdDisable;
};

} // namespace veltrix
