// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inside the reference levels: the reader of a user's reference file (the format is in
// docs/reference-levels.md), apart from the list it joins.

#include "survey/ReferenceLevels.h"

namespace veltrix::stats {

// A reference file is a few lines; anything larger is refused before it is read.
inline constexpr qint64 MaxReferenceFileBytes = qint64(64) * 1024;

struct ReferenceFileError {
    int line = 0; // 0: the file as a whole
    QString what;
};

// The set a reference file describes, or nothing with the first thing wrong in *error.
std::optional<Reference> readReferenceFile(const QByteArray& bytes, ReferenceFileError* error);
// The key of a published set (whatever the mains frequency).
bool isPublishedKey(QStringView key);

} // namespace veltrix::stats
