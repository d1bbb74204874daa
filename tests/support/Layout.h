// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a window's named controls stay apart once shown: a control left out of the layout
// sits at the top left corner, over another one.

#include <QRect>
#include <QString>
#include <QWidget>

namespace veltrix::test {

// Empty when no two shown named controls (neither inside the other) overlap; else their names.
inline QString overlappingControls(QWidget* window)
{
    QList<QWidget*> shown;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) &&
            !w->isWindow() && w->isVisibleTo(window))
            shown << w;
    }
    const auto rect = [window](QWidget* w) { return QRect(w->mapTo(window, QPoint()), w->size()); };
    for (int i = 0; i < shown.size(); ++i)
        for (int j = i + 1; j < shown.size(); ++j) {
            QWidget* a = shown[i];
            QWidget* b = shown[j];
            if (!a->isAncestorOf(b) && !b->isAncestorOf(a) && rect(a).intersects(rect(b)))
                return a->objectName() + QLatin1String(" / ") + b->objectName();
        }
    return {};
}

} // namespace veltrix::test
