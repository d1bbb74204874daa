// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's settings windows: the alarm thresholds and the meter clock.

#include "logger/Alarm.h"
#include "logger/RTCSetup.h"
#include "panel/Panel.h"
#include "ui/ClickableLabel.h"

#include <QPointer>
#include <memory>

namespace veltrix {

void Panel::registerSettingsWindows()
{
    // One window of each at a time; a second click brings the open one to the front.
    auto alarm = std::make_shared<QPointer<Alarm>>();
    setCommand(QStringLiteral("Alarm"), [this, alarm] {
        if (*alarm && (*alarm)->isVisible()) {
            (*alarm)->raise();
            (*alarm)->activateWindow();
            return;
        }
        // First opened, the thresholds default to the range of the unit the meter shows.
        auto* w =
            new Alarm(m_state, m_state.Flags.TeslaFlag ? Unit::MicroTesla : Unit::MilliGauss, this);
        *alarm = w;
        w->placeBeside(frameGeometry());
        w->show();
    });

    auto clock = std::make_shared<QPointer<RTCSetup>>();
    setCommand(QStringLiteral("TimeSet"), [this, clock] {
        if (*clock && (*clock)->isVisible()) {
            (*clock)->raise();
            (*clock)->activateWindow();
            return;
        }
        auto* w = new RTCSetup(m_link, this, this);
        *clock = w;
        w->setClock([this] { return now(); });
        w->setMeterAvailable(!linkLost());
        // The window stays open while the link is lost, but cannot set a meter that is gone.
        connect(this, &Panel::linkStateChanged, w, [w](bool lost) { w->setMeterAvailable(!lost); });
        connect(w, &RTCSetup::meterClockSet, this, [this] {
            if (!linkLost()) // "No Com" stays until the meter answers again
                LblComm->setText(QStringLiteral("Com%1").arg(m_state.ComPortNumber));
        });
        w->show();
        w->placeOver(frameGeometry());
    });
}

} // namespace veltrix
