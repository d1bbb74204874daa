// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's title texts. The build tag is shown by clicking the port label.

#include <QString>

namespace veltrix {

inline const QString PanelTitle = QStringLiteral("Veltrix Panel  V10.01");
inline const QString PanelTitleWithBuild = QStringLiteral("Veltrix Panel  V10.01   171225");

} // namespace veltrix
