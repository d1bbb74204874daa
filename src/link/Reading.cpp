// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Reading.h"

namespace veltrix {

std::optional<double> Reading::value() const
{
    bool ok = false;
    const double v = valueText.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

std::optional<double> Reading::tesla() const
{
    const auto v = value();
    if (!v)
        return std::nullopt;
    // 1 mG = 0.1 µT = 1e-7 T
    return *v * (gauss ? 1e-7 : 1e-6);
}

} // namespace veltrix
