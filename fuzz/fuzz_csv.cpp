// SPDX-License-Identifier: GPL-3.0-or-later
// Any record row, as a table or a record file holds it, through the CSV writer and back through
// our CSV reader: the cells come back exactly; and any text through the reader.

#include "FuzzCheck.h"

#include "records/CsvExport.h"

using namespace veltrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));

    // Arbitrary CSV text: the reader takes it whatever it holds.
    const QList<QStringList> parsed = parseCsv(text);
    for (const QStringList& row : parsed)
        FUZZ_CHECK(!row.isEmpty());

    // The input's first line as a record row: TAB-separated cells, no line end of its own.
    const QString row = text.section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r'));
    if (row.trimmed().isEmpty())
        return 0;
    QString out;
    appendCsvRow(out, row);
    FUZZ_CHECK(out.endsWith(QLatin1String("\r\n")));
    const QStringList cells = csvCells(row);
    const QList<QStringList> back = parseCsv(out);
    FUZZ_CHECK(back.size() == 1);
    FUZZ_CHECK(back.first() == cells);
    return 0;
}
