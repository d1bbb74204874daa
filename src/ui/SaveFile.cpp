// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SaveFile.h"

#include <QSaveFile>

namespace veltrix::ui {

bool commitWhole(QSaveFile& file)
{
    if (!file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace veltrix::ui
