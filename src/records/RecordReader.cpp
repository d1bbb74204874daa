// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordReader.h"

#include "records/RecordFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace veltrix {

namespace {

bool endsItem(char c)
{
    return c == '\n' || c == '\r' || c == ',';
}

// Where the complete items of `bytes` end: after its last item end, but before a CR at the very
// end (its LF may come with the next block). 0 when there is none.
qsizetype completeItems(const QByteArray& bytes)
{
    qsizetype end = bytes.size();
    if (end > 0 && bytes[end - 1] == '\r')
        --end;
    while (end > 0 && !endsItem(bytes[end - 1]))
        --end;
    return end;
}

// Hands the rows of complete items on; false when `row` asked to stop.
bool handRows(const QByteArray& bytes, const std::function<bool(QStringView)>& row, int& rows)
{
    const QString text = decodeRecordBytes(bytes);
    for (QStringView item : splitRecordItemViews(text)) {
        if (item.trimmed().isEmpty() || isRecordHeader(item))
            continue;
        ++rows;
        if (!row(item.left(MaxRecordItemBytes)))
            return false;
    }
    return true;
}

bool openRegular(const QString& path, QFile& file, RecordFileRead::Error& error, QString& reason)
{
    if (const QFileInfo info(path); info.exists() && !info.isFile()) {
        error = RecordFileRead::NotRegular;
        return false;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = RecordFileRead::CannotOpen;
        reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace

RecordFileRead readRecordFile(const QString& path, qint64 maxBytes)
{
    RecordFileRead r;
    QFile file;
    if (!openRegular(path, file, r.error, r.reason))
        return r;
    if (file.size() > maxBytes) {
        r.error = RecordFileRead::TooLarge;
        return r;
    }
    // One byte more than allowed: a file that grew since its size was taken is not read whole.
    r.bytes = file.read(maxBytes + 1);
    if (r.bytes.size() > maxBytes || file.error() != QFileDevice::NoError) {
        r.error = RecordFileRead::CannotRead;
        r.reason = file.errorString();
    }
    return r;
}

RecordScan scanRecordFile(const QString& path, const std::function<bool(QStringView row)>& row,
                          const RecordScanOptions& options)
{
    RecordScan r;
    QFile file;
    if (!openRegular(path, file, r.error, r.reason))
        return r;
    QByteArray pending;    // bytes after the last complete item
    bool skipping = false; // inside an over-long item whose start went on as a row
    for (;;) {
        const qint64 want = options.maxBytes < 0
                                ? RecordScanBlockBytes
                                : std::min(RecordScanBlockBytes, options.maxBytes - r.bytes);
        const QByteArray block = want > 0 ? file.read(want) : QByteArray();
        if (file.error() != QFileDevice::NoError) {
            r.error = RecordFileRead::CannotRead;
            r.reason = file.errorString();
            return r;
        }
        if (block.isEmpty())
            break;
        r.bytes += block.size();
        if (options.hash)
            options.hash->addData(block);
        if (options.progress)
            options.progress(r.bytes);
        pending += block;
        qsizetype end = completeItems(pending);
        if (skipping && end > 0) { // the over-long item's rest ends at its first item end
            const auto first = std::find_if(pending.cbegin(), pending.cend(), endsItem);
            pending.remove(0, first - pending.cbegin());
            end = completeItems(pending);
            skipping = false;
        }
        if (end == 0 && pending.size() > MaxRecordItemBytes) {
            end = skipping ? 0 : MaxRecordItemBytes;
            if (!skipping && !handRows(pending.left(end), row, r.rows))
                return r;
            pending.clear();
            skipping = true;
            continue;
        }
        if (end > 0 && !handRows(pending.left(end), row, r.rows))
            return r;
        pending.remove(0, end);
    }
    if (!skipping && !pending.isEmpty())
        handRows(pending, row, r.rows);
    return r;
}

RecordFileSet::RecordFileSet(QStringList paths) : m_paths(std::move(paths))
{
    for (const QString& path : m_paths)
        m_totalBytes += QFileInfo(path).size();
}

int RecordFileSet::rows() const
{
    return m_files.isEmpty() ? 0 : m_files.last().firstRow + m_files.last().rows - 1;
}

bool RecordFileSet::read(const RowVisitor& row)
{
    const bool first = !m_taken;
    if (first)
        m_files.clear();
    int number = 0;
    qint64 before = 0; // bytes of the files already read
    for (qsizetype i = 0; i < m_paths.size(); ++i) {
        const QString& path = m_paths[i];
        QCryptographicHash hash(QCryptographicHash::Sha256);
        RecordScanOptions options;
        options.maxBytes = first ? -1 : m_files[i].bytes;
        options.hash = first ? &hash : nullptr;
        if (m_progress)
            options.progress = [this, before](qint64 bytes) { m_progress(before + bytes); };
        const int firstRow = number + 1;
        const RecordScan scan = scanRecordFile(
            path,
            [&](QStringView text) {
                row(++number, text);
                return true;
            },
            options);
        if (scan.error == RecordFileRead::None && !first && scan.bytes < m_files[i].bytes)
            m_failure = {path, RecordFileRead::Shrunk, {}};
        else
            m_failure = {path, scan.error, scan.reason};
        if (m_failure.error != RecordFileRead::None)
            return false;
        if (first)
            m_files.append({path, QString::fromLatin1(hash.result().toHex()), scan.bytes, firstRow,
                            scan.rows});
        before += scan.bytes;
    }
    m_taken = true;
    return true;
}

} // namespace veltrix
