// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QSaveFile;

namespace veltrix::ui {

// Commits a whole-file write, or discards it and returns false. QSaveFile keeps a small file in
// its buffer until commit(), and commit() does not check the flush of that buffer: on a full disk
// (or under a file-size limit) it would rename the part that fitted over the last whole file and
// report success. Flushing first makes the failure seen; the uncommitted file is then removed.
bool commitWhole(QSaveFile& file);

} // namespace veltrix::ui
