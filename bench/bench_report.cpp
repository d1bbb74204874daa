// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the survey report at 50,000 records (a full recording): the statistics alone, the
// PDF with its chart, and the PDF with the records as a table. Run headless:
// QT_QPA_PLATFORM=offscreen build-bench/bench/bench_report [--pdf DIR] [--statistics-only]
// [--dialog PNG] [--year DAYS] (--pdf keeps the PDFs in DIR; --dialog saves a picture of each page
// of the report dialog, PNG's name numbered; --year runs veltrix-cli report over a year of daily
// files kept in DAYS, written there when missing, as bench_stats does).

#include "support/BenchSupport.h"
#include "support/LongRecordings.h"

#include "survey/ReportDialog.h"
#include "survey/SurveyReport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <ctime>

using namespace veltrix;
using namespace veltrix::bench;
using namespace veltrix::stats;

namespace {

constexpr int Records = 50000;

// A day and a half at 2 s: a slowly varying field with peaks, a third of the rows in µT, an
// overload now and then, a garbled reading, an hour's gap and midnight on the way.
QStringList surveyRows()
{
    QStringList rows;
    rows.reserve(Records);
    const QDateTime start(QDate(2026, 12, 5), QTime(8, 0));
    for (int i = 0; i < Records; ++i) {
        const QDateTime t = start.addSecs(2 * i + (i >= 20000 ? 3600 : 0));
        const double mg = 3 + 2 * std::sin(i / 900.0) + (i % 1700 < 40 ? 25 : 0) + (i % 7) * 0.1;
        const bool tesla = i % 3 == 0;
        QString value = tesla ? QString::number(mg / 10, 'f', 2) : QString::number(mg, 'f', 1);
        if (i % 5003 == 0)
            value = QStringLiteral("OL");
        if (i % 9001 == 0)
            value = QStringLiteral("--");
        rows << QStringLiteral("%1\t%2\t%3\t%4\t%5\t\t")
                    .arg(i + 1)
                    .arg(t.toString(QStringLiteral("yy/MM/dd")),
                         t.toString(QStringLiteral("HH:mm:ss")), value,
                         tesla ? QStringLiteral("uT") : QStringLiteral("mG"));
    }
    return rows;
}

// CPU time of this thread: on a machine shared with other builds the wall clock also counts the
// time spent waiting for a core.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// `veltrix-cli report` over a year of daily files (written into `days` when missing), with and
// without the records table: wall and CPU time, the tool's peak memory, the PDF's size.
int yearReport(const QString& days, const QString& out)
{
    const QString cli =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/veltrix-cli");
    qint64 bytes = 0;
    const QStringList files = yearOfDays(days, &bytes);
    if (files.isEmpty()) {
        note("year", QStringLiteral("cannot write the daily files in %1").arg(days));
        return 1;
    }
    for (const bool withRecords : {false, true}) {
        const char* phase = withRecords ? "year with records" : "year";
        const QString pdf = QDir(out).filePath(QStringLiteral("year.pdf"));
        QStringList args = QStringList{QStringLiteral("report")} + files +
                           QStringList{QStringLiteral("--out"), pdf, QStringLiteral("--threshold"),
                                       QStringLiteral("2mG"), QStringLiteral("--reference"),
                                       QStringLiteral("iarc2002"), QStringLiteral("--unit"),
                                       QStringLiteral("uT")};
        if (withRecords)
            args << QStringLiteral("--records");
        const Run r = runTool(cli, args);
        if (r.status != 0) {
            note(phase, QStringLiteral("veltrix-cli report exited with %1").arg(r.status));
            return 1;
        }
        figure(phase, "records", 365.0 * DayRecords, "");
        figure(phase, "input", double(bytes) / 1e6, "MB");
        figure(phase, "wall", r.seconds, "s");
        figure(phase, "cpu", r.cpuSeconds, "s");
        figure(phase, "rate", 365.0 * DayRecords / r.seconds / 1e6, "M records/s");
        figure(phase, "peak memory", r.peakMb, "MB");
        figure(phase, "size", double(QFileInfo(pdf).size()) / 1024, "KiB");
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTemporaryDir tmp;
    const qsizetype pdfAt = args.indexOf(QStringLiteral("--pdf"));
    const QString dir = pdfAt > 0 && pdfAt + 1 < args.size() ? args[pdfAt + 1] : tmp.path();
    QDir().mkpath(dir);

    const QStringList rows = surveyRows();
    const RowText rowText = [&rows](int r) { return QStringView(rows[r - 1]); };
    Options options;
    options.levels = {
        {QStringLiteral("2 mG"), 2}, {QStringLiteral("0.4 uT"), 4}, {QStringLiteral("10 mG"), 10}};

    // Statistics: the best and the median of 21 runs (the first warms the caches).
    QList<double> times, cpu;
    int readings = 0;
    const int runs = args.contains(QStringLiteral("--statistics-only")) ? 201 : 21;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        const double cpu0 = threadCpuMs();
        const auto st = compute(rowText, Records, options);
        cpu << threadCpuMs() - cpu0;
        times << ms(t);
        readings = st ? st->readings : -1;
    }
    figure("statistics", "readings", readings, "");
    figure("statistics", "median", median(times), "ms");
    figure("statistics", "best", *std::min_element(times.begin(), times.end()), "ms");
    figure("statistics", "worst", *std::max_element(times.begin(), times.end()), "ms");
    figure("statistics", "median CPU", median(cpu), "ms");

    if (args.contains(QStringLiteral("--statistics-only")))
        return 0;
    if (const qsizetype at = args.indexOf(QStringLiteral("--dialog"));
        at > 0 && at + 1 < args.size()) {
        ReportSource source;
        source.dataName = QStringLiteral("bedroom.txt");
        source.rowText = rowText;
        source.rowCount = Records;
        source.meter = QStringLiteral("ID code 12");
        source.fromMeter = true;
        const MeterFacts meter{
            QStringLiteral("4627"),
            alarmLevels(QStringLiteral("10"), QStringLiteral("0"), Unit::MilliGauss)};
        ReportDialog dialog(source, nullptr, meter);
        dialog.show();
        // One picture of each page: report-1.png, report-2.png, ... for --dialog report.png.
        auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("TabPages"));
        const QFileInfo png(args[at + 1]);
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            runEventLoopFor(200);
            const QString path = png.dir().filePath(
                QStringLiteral("%1-%2.%3").arg(png.completeBaseName()).arg(i + 1).arg(png.suffix()));
            if (!dialog.grab().save(path))
                return 1;
        }
        return 0;
    }

    ReportRequest request;
    request.details = {
        QStringLiteral("Survey of a bedroom"), QStringLiteral("12 Example Road"),
        QStringLiteral("J. Client"),           QStringLiteral("Bedroom, bed head"),
        QStringLiteral("A. Tester"),           QStringLiteral("Example Surveys Ltd"),
        QStringLiteral("Exampleton"),          QStringLiteral("A day and a half at 2 s.")};
    request.instrument = {QStringLiteral("4627"), QStringLiteral("ID code 12"), QDate(2026, 1, 15),
                          QStringLiteral("30 Hz - 2 kHz"), 1};
    request.method = QStringLiteral("Meter on the bedside table at the pillow's height.");
    request.conclusion = QStringLiteral("The field at the bed head is low at night.");
    request.recommendations = QStringLiteral("None needed.");
    request.data = {{QStringLiteral("bedroom.txt"), tableSha256(rowText, Records), {}}};
    request.unit = ReportUnit::MicroTesla;
    request.references = {QStringLiteral("icnirp2010"), QStringLiteral("iarc2002"),
                          QStringLiteral("buildingbiology")};
    request.ownLevels = {{QStringLiteral("Your level: 10 mG"), 10}};
    request.paper = PaperSize::A4;

    for (const bool withRecords : {false, true}) {
        request.includeRecords = withRecords;
        const char* phase = withRecords ? "pdf with records" : "pdf";
        const QString path = QDir(dir).filePath(withRecords ? QStringLiteral("report-records.pdf")
                                                            : QStringLiteral("report.pdf"));
        QList<double> pdfTimes, pdfCpu;
        ReportLayout layout;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer t;
            t.start();
            const double cpu0 = threadCpuMs();
            QString error;
            if (!writeSurveyReport(path, rowText, Records, request, &error, &layout)) {
                note(phase, error);
                return 1;
            }
            pdfCpu << threadCpuMs() - cpu0;
            pdfTimes << ms(t);
        }
        figure(phase, "median", median(pdfTimes), "ms");
        figure(phase, "worst", *std::max_element(pdfTimes.begin(), pdfTimes.end()), "ms");
        figure(phase, "median CPU", median(pdfCpu), "ms");
        figure(phase, "size", double(QFileInfo(path).size()) / 1024, "KiB");
        figure(phase, "pages", layout.pages, "");
    }
    const qsizetype yearAt = args.indexOf(QStringLiteral("--year"));
    return yearAt > 0 && yearAt + 1 < args.size() ? yearReport(args[yearAt + 1], dir) : 0;
}
