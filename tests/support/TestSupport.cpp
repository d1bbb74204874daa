// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include <QDir>
#include <QUuid>

namespace veltrix::test {

bool startMeterOnLink(sim::VirtualMeter& meter, bool paced, QString* error)
{
    meter.setPaced(paced);
    meter.setSymlinkPath(QDir::temp().filePath(
        QStringLiteral("veltrix-test-%1").arg(QUuid::createUuid().toString(QUuid::Id128))));
    return meter.start(error);
}

bool MeterRig::start(bool paced, QString* error)
{
    if (!startMeterOnLink(meter, paced, error))
        return false;
    ui::PortBindings bindings;
    bindings.bind(1, meter.devicePath());
    line = std::make_unique<ui::SerialLine>(bindings);
    line->setCommPort(1);
    line->setSettings(QStringLiteral("9600,n,8,1"));
    const ui::OpenError e = line->setPortOpen(true);
    if (e != ui::OpenError::None) {
        if (error)
            *error = line->errorText();
        return false;
    }
    link = std::make_unique<MeterLink>(*line);
    return true;
}

} // namespace veltrix::test
