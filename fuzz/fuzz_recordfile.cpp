// SPDX-License-Identifier: GPL-3.0-or-later
// Any file opened as a record file: decoding (UTF-8 or Windows-1252), splitting into items, the
// header check, the rows of the file list's table and their printed listing.

#include "FuzzCheck.h"

#include "records/RecordFile.h"
#include "ui/Grid.h"

#include <span>

using namespace veltrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString text = decodeRecordBytes(bytes);

    const bool utf8 = QByteArrayView(bytes).isValidUtf8();
    if (!utf8) {
        // Single-byte files: one character per byte, and they are written back byte for byte.
        FUZZ_CHECK(text.size() == bytes.size());
        FUZZ_CHECK(encodeRecordText(text) == bytes);
    }
    FUZZ_CHECK(!text.contains(MicroSign));

    const QList<QStringView> items = splitRecordItemViews(text);
    const QChar* begin = text.constData();
    const QChar* end = begin + text.size();
    int headers = 0;
    for (const QStringView item : items) {
        if (!item.isEmpty()) {
            FUZZ_CHECK(item.data() >= begin && item.data() + item.size() <= end);
            FUZZ_CHECK(item.front() != u' ' && item.back() != u' ');
        }
        FUZZ_CHECK(!item.contains(u'\r') && !item.contains(u'\n') && !item.contains(u','));
        headers += isRecordHeader(item);
    }
    // The copying readers give the same items (checked on small files only: they copy every
    // item again, which would halve the rate on large ones).
    if (size <= 1024) {
        const QStringList rows = recordRows(bytes);
        FUZZ_CHECK(rows.size() == items.size() - headers);
    }

    // The file list's table keeps views into the decoded text, cut to its seven columns.
    QList<QStringView> kept;
    for (const QStringView item : items)
        if (!isRecordHeader(item))
            kept << item;
    // One table for the whole run, emptied after each file as the file list empties its own
    // before loading the next (a model per input would cost most of the run's time).
    static ui::GridModel grid(RecordFields);
    grid.append(text, std::span<const QStringView>(kept.cbegin(), kept.cend()));
    FUZZ_CHECK(grid.dataRows() == kept.size());
    for (int r = 1; r <= grid.dataRows(); ++r) {
        const QStringView row = grid.rowView(r);
        FUZZ_CHECK(row == leadingCells(kept[r - 1]));
        FUZZ_CHECK(row.count(u'\t') < RecordFields);
        if (r > 8)
            continue; // printing and saving: the first rows are enough
        const QString listing = listingLineFromRow(row);
        FUZZ_CHECK(listing.size() >= 51 - RecordFields + 1 || listing.size() >= row.size());
        QByteArray saved;
        appendTableLine(saved, row);
        FUZZ_CHECK(saved.endsWith("\t\r\n"));
    }
    grid.truncate(0);
    FUZZ_CHECK(grid.dataRows() == 0);
    return 0;
}
