// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Toolbar pictures of the record tables, drawn from small built-in SVG images.

#include <QIcon>

namespace veltrix {

enum class RecordIcon { Save, Print, Plot, Csv, Report };

QIcon recordIcon(RecordIcon which);

} // namespace veltrix
