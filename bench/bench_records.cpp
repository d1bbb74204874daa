// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the record tables at their largest (50000 records): opening a file into the file
// table compared with merely reading and splitting it, saving a table, appending to a full live
// table, and the memory a full grid takes. Run headless: QT_QPA_PLATFORM=offscreen.

#include "support/BenchSupport.h"

#include "records/FileList.h"
#include "records/RealTimeList.h"
#include "records/RecordFile.h"
#include "records/RecordLimit.h"
#include "records/TableServices.h"
#include "ui/Grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>

using namespace veltrix;
using namespace veltrix::bench;

namespace {

constexpr int Records = MaxRecords;

QString bodyOf(int i)
{
    const int s = i % 86400;
    const bool tesla = i % 3 == 0;
    return QStringLiteral("26/12/05\t%1:%2:%3\t%4\t%5\t%6\t%7")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'))
        .arg(double(i % 2000) / 10.0, 0, 'f', 1)
        .arg(tesla ? microTeslaUnit() : milliGaussUnit())
        .arg(i % 7 == 0 ? QStringLiteral("H") : QString())
        .arg(i % 11 == 0 ? QStringLiteral("P") : QString());
}

QStringList tableRows()
{
    QStringList rows;
    rows.reserve(Records);
    for (int i = 1; i <= Records; ++i)
        rows << QString::number(i) + u'\t' + bodyOf(i);
    return rows;
}
size_t heapInUse()
{
    return mallinfo2().uordblks;
}
// Best of a few runs: the figure the code can reach, not the machine's other load.
template <typename F> double bestOf(int runs, F&& run)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, run());
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("records.txt"));
    const QStringList rows = tableRows();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(tableFileBytes(rows));
    }
    figure("file_size", double(QFile(path).size()) / 1024.0 / 1024.0, "MB");

    // Reading the file and splitting it into lines and cells, nothing more.
    const double readSplit = bestOf(5, [&] {
        QElapsedTimer t;
        t.start();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 0.0;
        const QString text = QString::fromLatin1(file.readAll());
        qsizetype cells = 0;
        for (QStringView line : QStringView(text).split(u'\n'))
            cells += line.split(u'\t').size();
        const double elapsed = ms(t);
        if (cells == 0)
            std::printf("no cells\n");
        return elapsed;
    });
    figure("read_split_ms", readSplit, "ms");

    // Opening the file into a shown file table.
    double openFirst = -1;
    const double open = bestOf(5, [&] {
        auto list = std::make_unique<FileList>();
        list->show();
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        const bool ok = loadRecordFile(*list, path);
        QCoreApplication::processEvents();
        const double elapsed = ms(t);
        if (!ok || list->grid().rowCount() != Records)
            std::printf("open failed\n");
        if (openFirst < 0)
            openFirst = elapsed;
        return elapsed;
    });
    figure("open_first_ms", openFirst, "ms");
    figure("open_ms", open, "ms");
    figure("open_vs_read_split", open / readSplit, "x");

    // Saving a full table.
    {
        RealTimeList live;
        live.grid().addItems(rows);
        live.show();
        QCoreApplication::processEvents();
        const QString saved = dir.filePath(QStringLiteral("saved.txt"));
        const double save = bestOf(5, [&] {
            QElapsedTimer t;
            t.start();
            const bool ok = SaveTable(&live, live.grid(), saved);
            const double elapsed = ms(t);
            if (!ok)
                std::printf("save failed\n");
            return elapsed;
        });
        figure("save_ms", save, "ms");

        // Appending to a live table that already holds 50000 rows, as the sample clock does:
        // one row, then the window events of that tick.
        live.setRowLimit(INT_MAX);
        constexpr int Appends = 1000;
        QElapsedTimer appendOnly;
        qint64 appendNs = 0;
        QElapsedTimer total;
        total.start();
        for (int i = 0; i < Appends; ++i) {
            appendOnly.start();
            live.AppendLiveRow(bodyOf(i));
            appendNs += appendOnly.nsecsElapsed();
            QCoreApplication::processEvents();
        }
        figure("append_ms", double(appendNs) / 1e6 / Appends, "ms");
        figure("append_with_events_ms", ms(total) / Appends, "ms");
    }

    // Memory of a full grid (the rows only; the window around it is a few hundred kB).
    {
        malloc_trim(0);
        const long rssBefore = residentBytes();
        const size_t heapBefore = heapInUse();
        auto grid = std::make_unique<ui::Grid>(RecordFields);
        QStringList copy = tableRows();
        grid->addItems(copy);
        copy.clear();
        malloc_trim(0);
        const size_t heapAfter = heapInUse();
        const long rssAfter = residentBytes();
        figure("grid_heap_mb", double(heapAfter - heapBefore) / 1024.0 / 1024.0, "MB");
        figure("grid_rss_mb", double(rssAfter - rssBefore) / 1024.0 / 1024.0, "MB");
    }
    return 0;
}
