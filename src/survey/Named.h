// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A control with its object name (tests find it by that) and the name a screen reader says.

#include <QLatin1String>
#include <QString>

namespace veltrix::survey {

template <class T> T* named(T* w, const char* name, const QString& accessibleName)
{
    w->setObjectName(QLatin1String(name));
    w->setAccessibleName(accessibleName);
    return w;
}

} // namespace veltrix::survey
