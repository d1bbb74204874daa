// SPDX-License-Identifier: GPL-3.0-or-later
// The Memory window's "Save all sets": every logged set into a record file of its own, in a
// folder the user picks. The download loop itself is the one the command-line tool runs.

#include "logger/DataList.h"
#include "logger/MemoryWindow.h"
#include "logger/SetDownload.h"
#include "records/PollControl.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>

namespace veltrix {

using namespace logger;

void MemoryWindow::saveAllSets()
{
    if (m_busy > 0 || m_sets.isEmpty())
        return;
    QPointer<MemoryWindow> self(this);
    // Parentless: the window may close (a lost link, the Record key) while the dialog is open.
    const std::optional<QString> folder =
        ui::Dialogs::current().chooseFolder(nullptr, tr("Save all sets into"));
    if (!self || !folder || folder->isEmpty() || !keepGoing())
        return;
    const QDir dir(*folder);
    const BusyScope busy(this);
    const PollPause pause(m_host.poll);
    const int total = int(m_sets.size());
    SaveAllProgress->setRange(0, total);
    SaveAllProgress->setValue(0);
    SaveAllProgress->setVisible(true);

    SetSaveHooks hooks;
    hooks.shownValue = m_host.shownValue;
    hooks.keepGoing = [self] { return self && self->keepGoing(); };
    hooks.progress = [self, total](int i, int records) {
        if (self)
            self->LblMessage->setText(
                tr("Set %1 of %2: %3 Records Completed").arg(i).arg(total).arg(records));
    };
    hooks.setDone = [self](int i, const QString&) {
        if (self)
            self->SaveAllProgress->setValue(i);
    };
    const SetSaveResult result = saveSets(m_exchange, m_sets, dir, century(), hooks);
    if (!self || result.stopped)
        return;
    LblMessage->setText(tr("%1 of %2 sets saved in %3")
                            .arg(result.saved)
                            .arg(total)
                            .arg(QDir::toNativeSeparators(dir.absolutePath())));
    emit saveAllFinished(result.saved, int(result.failures.size()));
    if (!result.failures.isEmpty())
        ui::Dialogs::current().message(nullptr,
                                       tr("Not every set could be saved:\n") +
                                           result.failures.join(QLatin1Char('\n')),
                                       ui::MsgButtons::Ok, ui::MsgIcon::Exclamation);
}

} // namespace veltrix
