// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a secondary window opens: just right of the panel's frame, at the top of the screen the
// panel is on. Each window passes its own gap; its size stays its own.

#include <QRect>

class QWidget;

namespace veltrix::ui {

void placeBeside(QWidget& window, const QRect& panelFrame, int gap = 0);

} // namespace veltrix::ui
