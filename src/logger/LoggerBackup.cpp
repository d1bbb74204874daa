// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/LoggerBackup.h"

#include "records/RecordFile.h"
#include "ui/SaveFile.h"

#include <QSaveFile>

namespace veltrix::logger {

QString backupFileName(const SetInfo& set, int century)
{
    const QString number = QStringLiteral("set%1").arg(set.number, 2, 10, QLatin1Char('0'));
    if (!startKnown(set.start))
        return number + QStringLiteral(".txt");
    const auto two = [&](int i) { return byteDigits(set.start[i]); };
    return number + QLatin1Char('_') + QString::number(century) + two(0) + QLatin1Char('-') +
           two(1) + QLatin1Char('-') + two(2) + QLatin1Char('_') + two(3) + QLatin1Char('-') +
           two(4) + QLatin1Char('-') + two(5) + QStringLiteral(".txt");
}

bool writeRecordFile(const QString& path, const QStringList& rows, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = tableFileBytes(rows);
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!ui::commitWhole(file)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace veltrix::logger
