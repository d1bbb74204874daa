// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The number a typed field holds as a whole: blanks around it are allowed, nothing else ("12a"
// is no number). The range dialogs and the alarm thresholds read their fields this way.

#include <QString>

#include <cmath>
#include <optional>

namespace veltrix {

inline std::optional<double> fieldNumber(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace veltrix
