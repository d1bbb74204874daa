// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows the busy mouse pointer for the lifetime of the object, however the scope is left.

#include <QCursor>
#include <QGuiApplication>

namespace veltrix {

class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace veltrix
