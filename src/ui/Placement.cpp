// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace veltrix::ui {

void placeBeside(QWidget& window, const QRect& panelFrame, int gap)
{
    int top = panelFrame.top();
    if (const QScreen* screen = QGuiApplication::screenAt(panelFrame.center()))
        top = screen->availableGeometry().top();
    window.move(panelFrame.right() + 1 + gap, top);
}

} // namespace veltrix::ui
