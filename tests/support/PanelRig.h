#pragma once
// A panel polling a virtual meter over a pseudo-terminal, as the user would run it.

#include "panel/Panel.h"
#include "sim/VirtualMeter.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace veltrix::test {

struct PanelRig {
    sim::VirtualMeter meter;
    std::unique_ptr<Panel> panel;

    bool start(bool paced = false)
    {
        if (!startMeterOnLink(meter, paced))
            return false;
        ui::PortBindings b;
        b.bind(1, meter.devicePath());
        panel = std::make_unique<Panel>(b, 1);
        if (!panel->startUp())
            return false;
        panel->show();
        return true;
    }
    ~PanelRig()
    {
        if (panel)
            panel->stopPolling();
    }

    template <class T = QLabel> T* w(const char* name) const
    {
        return panel->findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return w(name)->text(); }

    // Waits for n complete poll ticks.
    bool ticks(int n, int timeoutMs = 10000)
    {
        QSignalSpy spy(panel.get(), &Panel::tickFinished);
        while (spy.count() < n) {
            if (!spy.wait(timeoutMs))
                return false;
        }
        return true;
    }
};

} // namespace veltrix::test
