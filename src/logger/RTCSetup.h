// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock window: sets the meter's real-time clock (which stamps the logger's sets) to the
// PC's date and time, and shows the PC's date and time on request.

#include <QDateTime>
#include <QTimer>
#include <QWidget>
#include <functional>

class QGroupBox;
class QPushButton;

namespace veltrix {

struct PollControl;
class MeterLink;

namespace ui {
class ClickableLabel;
}

class RTCSetup : public QWidget {
    Q_OBJECT
public:
    // Both displays start off and the refresh runs from here on. `poll` is stopped around the
    // exchange with the meter (may be null when nothing polls). Deleted when closed.
    RTCSetup(MeterLink& link, PollControl* poll, QWidget* parent = nullptr);

    // The PC clock the command and the displays are taken from (tests fix it).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // Centred on the panel, 1000 twips below its top.
    void placeOver(const QRect& panelFrame);
    // While the link to the meter is lost the meter cannot be set.
    void setMeterAvailable(bool on);

    bool systemTimeShown() const { return m_showSystemTime; }

public slots:
    // Stops polling, sends the clock command, waits for the meter to take it, starts polling.
    // False when nothing was sent or the wait was cut short.
    bool setMeterTime();
    void toggleMeterTime();
    void toggleSystemTime();
    // The refresh timer's step. It only writes the two labels: the serial line belongs to the
    // panel's poll, and reading the receive buffer here would throw its answers away.
    void refresh();

signals:
    // The meter took the clock command (the panel then shows its port again).
    void meterClockSet();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateSetButton();

    MeterLink& m_link;
    PollControl* m_poll;
    std::function<QDateTime()> m_clock;
    bool m_showMeterTime = false;
    bool m_showSystemTime = false;
    bool m_meterAvailable = true;
    bool m_busy = false;
    bool m_closePending = false;

    QGroupBox* FrameTime;
    ui::ClickableLabel* LblMeterTime;
    ui::ClickableLabel* LblPCTime;
    QPushButton* CmdSetTime;
    QPushButton* CmdExit;
    QTimer Timer1;
};

} // namespace veltrix
