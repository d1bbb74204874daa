#include "records/RecordReader.h"

#include <QFile>
#include <QFileInfo>

namespace veltrix {

RecordFileRead readRecordFile(const QString& path)
{
    RecordFileRead r;
    if (const QFileInfo info(path); info.exists() && !info.isFile()) {
        r.error = RecordFileRead::NotRegular;
        return r;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = RecordFileRead::CannotOpen;
        r.reason = file.errorString();
        return r;
    }
    if (file.size() > MaxRecordFileBytes) {
        r.error = RecordFileRead::TooLarge;
        return r;
    }
    // One byte more than allowed: a file that grew since its size was taken is not read whole.
    r.bytes = file.read(MaxRecordFileBytes + 1);
    if (r.bytes.size() > MaxRecordFileBytes || file.error() != QFileDevice::NoError) {
        r.error = RecordFileRead::CannotRead;
        r.reason = file.errorString();
    }
    return r;
}

} // namespace veltrix
