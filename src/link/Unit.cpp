// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Unit.h"

namespace veltrix {

QString unitText(Unit unit)
{
    return unit == Unit::MilliGauss ? QStringLiteral("mG") : QString(MicroSign) + u'T';
}

QString unitAscii(Unit unit)
{
    return unit == Unit::MilliGauss ? QStringLiteral("mG") : QStringLiteral("uT");
}

std::optional<Unit> unitOf(QStringView text)
{
    text = text.trimmed();
    if (text.size() != 2)
        return std::nullopt;
    if (text[0] == u'm' && text[1] == u'G')
        return Unit::MilliGauss;
    if (text[1] == u'T' && (text[0] == u'u' || text[0] == MicroSign || text[0] == GreekMu))
        return Unit::MicroTesla;
    return std::nullopt;
}

double toMilliGauss(double value, Unit unit)
{
    return unit == Unit::MilliGauss ? value : value * MilliGaussPerMicroTesla;
}

double fromMilliGauss(double milliGauss, Unit unit)
{
    return unit == Unit::MilliGauss ? milliGauss : milliGauss / MilliGaussPerMicroTesla;
}

} // namespace veltrix
