// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/SetDownload.h"

#include "logger/LoggerBackup.h"
#include "logger/LoggerRecords.h"

#include <QObject>

namespace veltrix::logger {

SetSaveResult saveSets(LoggerExchange& exchange, const QList<SetInfo>& sets, const QDir& dir,
                       int century, const SetSaveHooks& hooks)
{
    SetSaveResult result;
    const auto going = [&] { return !hooks.keepGoing || hooks.keepGoing(); };
    for (int i = 1; i <= sets.size() && !result.stopped; ++i) {
        const SetInfo& info = sets.at(i - 1);
        const Progress progress = [&](int received) {
            if (hooks.progress)
                hooks.progress(i, std::min(info.records, wholeRecords(received)));
        };
        const Reply reply = readSetData(exchange, info.number, info.records, progress, going);
        result.stopped = reply.outcome == ReplyOutcome::Stopped;
        const bool whole = reply.complete();
        if (!whole) {
            result.unanswered |= reply.bytes.isEmpty() && !result.stopped;
            result.failures << (result.stopped
                                    ? QObject::tr("set %1: stopped (%2)")
                                          .arg(info.number)
                                          .arg(shortfallText(reply))
                                    : failureText(QObject::tr("set %1").arg(info.number), reply));
        }
        QString path;
        // A reply without its header has nothing to keep.
        if (reply.bytes.size() >= SetDataHeaderLength) {
            const SetRecords set =
                decodeSetRecords(reply.bytes, info.records,
                                 hooks.shownValue ? hooks.shownValue() : QString(), century);
            const QString target = dir.filePath(savedSetFileName(info, century, whole));
            QString error;
            if (writeRecordFile(target, set.rows, &error)) {
                path = target;
                result.written << target;
                if (whole)
                    ++result.saved;
            } else {
                result.writeFailed = true;
                result.failures << QObject::tr("%1: %2").arg(QDir::toNativeSeparators(target),
                                                             error);
            }
        }
        if (hooks.setDone)
            hooks.setDone(i, path);
    }
    return result;
}

} // namespace veltrix::logger
