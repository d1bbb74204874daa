// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size every record holder keeps to: a record file, the live table and the record graph.

namespace veltrix {

// Largest number of records in one recording, one live table or one record graph.
inline constexpr int MaxRecords = 50000;

} // namespace veltrix
