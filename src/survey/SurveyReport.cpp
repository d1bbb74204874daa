// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/SurveyReport.h"

#include "records/CsvExport.h"
#include "records/RecordFile.h"
#include "survey/ReportGeometry.h"
#include "survey/ReportPage.h"

#include <QCryptographicHash>
#include <QFile>

#include <algorithm>

namespace veltrix {

using namespace stats;
using namespace pdf;

namespace {

constexpr int ListedAtMost = 30; // gaps or overloads listed before "and N more"
constexpr int FilesInHeader = 3; // more record files are listed at the end

// A records table line: the cells trimmed, in fixed-width columns (numbers to the right), the
// date as the reader writes it (2026-12-05, 05.12.2026) where it can be read, the value's decimal
// separator too.
QString recordsLine(const RecordCells& cells)
{
    const QString iso = isoDateTime(cells[DateCell], cells[TimeCell]);
    const bool readable = iso.size() >= 19 && iso[10] == u'T';
    const QDate date = readable ? QDate::fromString(iso.left(10), Qt::ISODate) : QDate();
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
        .arg(cells[NumberCell].trimmed(), 6)
        .arg(date.isValid() ? ui::dateText(date)
             : readable     ? iso.left(10)
                            : cells[DateCell].trimmed().toString(),
             -10)
        .arg(readable ? iso.mid(11) : cells[TimeCell].trimmed().toString(), -10)
        .arg(ui::decimalText(cells[ValueCell].trimmed().toString()), 7)
        .arg(cells[UnitCell].trimmed(), -5)
        .arg(cells[HoldCell].trimmed(), -1)
        .arg(cells[PeakCell].trimmed(), -1);
}

// The records as a table, two blocks side by side on each page; above it, how many more there
// are when it stops short.
void drawRecords(Pages& pg, const Content& c)
{
    const QStringList& lines = c.records.lines;
    const QFont mono = font(7, false, true);
    const double lineHeight = 9;
    // H and P: the Hold and Peak marks, as the record file writes them.
    const QString heads[] = {Tr::tr("No."),
                             Tr::tr("Date", "records column"),
                             Tr::tr("Time"),
                             Tr::tr("Value", "records column"),
                             Tr::tr("Unit", "records column"),
                             QStringLiteral("H"),
                             QStringLiteral("P")};
    const QString head = recordsLine({heads[0], heads[1], heads[2], heads[3], heads[4], heads[5],
                                      heads[6]});
    const QString title = Tr::tr("Records, times %1").arg(zoneText(c.st.first, c.st.last));
    const QString cut =
        c.records.more > 0
            ? Tr::tr("The first %L1 records of the period; %L2 more are in the record files named "
                     "above.")
                  .arg(lines.size())
                  .arg(c.records.more)
            : QString();
    const double blockWidth = pg.width() / 2;
    qsizetype next = 0;
    while (next < lines.size()) {
        pg.next();
        pg.heading(title, lineHeight * 2);
        if (next == 0 && !cut.isEmpty())
            pg.y += pg.text(pg.left(), pg.y, pg.width(), cut, font(8.5)) + 4;
        const int perBlock = std::max(1, int((pg.bottom() - pg.y - lineHeight) / lineHeight));
        const double top = pg.y;
        for (int block = 0; block < 2 && next < lines.size(); ++block) {
            const double x = pg.left() + block * blockWidth;
            QPainter* p = pg.painter();
            if (p) {
                p->setFont(font(7, true, true));
                p->setPen(Ink);
                p->drawText(QPointF(x * K, (top + 7) * K), head);
                p->setFont(mono);
            }
            for (int i = 0; i < perBlock && next < lines.size(); ++i, ++next) {
                if (p)
                    p->drawText(QPointF(x * K, (top + 7 + (i + 1) * lineHeight) * K),
                                lines[next]);
            }
        }
        pg.y = pg.bottom();
    }
}

// Title, site and location, then who for whom, when, the data and its SHA-256.
void drawHeader(Pages& pg, const Content& c)
{
    const ReportDetails& d = c.request.details;
    const Statistics& st = c.st;
    drawTitle(pg, d);
    const QList<ReportData>& data = c.request.data;
    QStringList names, hashes;
    for (const ReportData& f : data) {
        names << f.name;
        hashes << f.sha256 + (f.sha256Note.isEmpty() ? QString() : u'\n' + f.sha256Note);
    }
    const bool listed = data.size() <= FilesInHeader;
    const Rows rows = filled({
        {Tr::tr("Client"), d.client},
        {Tr::tr("Measured by"), measuredBy(d)},
        {Tr::tr("Period"),
         Tr::tr("%1 to %2 (%3)")
             .arg(whenText(st.first), whenText(st.last), lengthText(st.duration))},
        {Tr::tr("Record data"),
         listed ? names.join(u'\n')
                : Tr::tr("%1 files, %2 to %3, listed with their SHA-256 at the end")
                      .arg(data.size())
                      .arg(names.first(), names.last())},
    });
    keyValueRows(pg, pg.left(), pg.width(), Columns::Labels, rows);
    if (listed)
        keyValueRows(pg, pg.left(), pg.width(), Columns::Labels,
                     filled({{Tr::tr("SHA-256"), hashes.join(u'\n')}}), true);
    keyValueRows(pg, pg.left(), pg.width(), Columns::Labels,
                 filled({{Tr::tr("Report written"), nowText()}, {Tr::tr("Notes"), d.notes}}));
}

// The cells of the table of time above each level, one row a level.
struct LevelRow {
    const ChartLevel* level;
    QStringList cells;
};

QList<LevelRow> levelRows(const Content& c)
{
    const Statistics& st = c.st;
    QList<LevelRow> rows;
    for (const ChartLevel& l : c.levels) {
        const LevelFigures* f = nullptr;
        for (const LevelFigures& g : st.levels)
            if (g.level.name == l.level.name && g.level.milliGauss == l.level.milliGauss)
                f = &g;
        if (!f)
            continue;
        rows.append({&l,
                     {l.level.name, c.levelText(l.level.milliGauss),
                      st.sampling > 0 ? lengthText(f->timeAbove)
                                      : Tr::tr("%n reading(s)", nullptr, f->samplesAbove),
                      shareText(f->timeAbove, st.measured, ui::displayLocale()),
                      f->longest > 0 ? lengthText(f->longest) : Tr::tr("none"),
                      f->longest > 0 ? whenText(f->longestStart.clock) : QString()}});
    }
    return rows;
}

// The table of time above each level: every column as wide as its widest cell but the levels'
// names, which take what is left (and wrap to a second line at most on a page of either size).
void drawLevelTable(Pages& pg, const Content& c)
{
    const QString title = Tr::tr("Time above each level");
    if (c.levels.isEmpty()) {
        pg.heading(title, 14);
        pg.y += pg.text(pg.left(), pg.y, pg.width(), Tr::tr("No level was chosen."), font(9.5)) + 4;
        return;
    }
    const QStringList heads = {Tr::tr("Level"), Tr::tr("Value"),         Tr::tr("Time above"),
                               Tr::tr("Share"), Tr::tr("Longest above"), Tr::tr("Starting")};
    const QList<LevelRow> rows = levelRows(c);
    QList<double> natural; // the widest cell, or the longest word of the heading (it may wrap)
    for (qsizetype k = 0; k < heads.size(); ++k) {
        double w = 0;
        for (const QString& word : heads[k].split(u' '))
            w = std::max(w, pg.textWidth(word, font(8, true)));
        for (const LevelRow& row : rows)
            w = std::max(w, pg.textWidth(row.cells[k], font(8.5)));
        natural << w + 1;
    }
    const QList<double> widths =
        report::columnWidths(natural, pg.width(), Columns::CellGap, 0, Columns::LevelNames);
    const auto cellsHeight = [&](const QStringList& cells, const QFont& f) {
        double h = 0;
        for (qsizetype k = 0; k < cells.size(); ++k)
            h = std::max(h, pg.textHeight(cells[k], f, widths[k]));
        return h;
    };
    const auto drawRow = [&](const QStringList& cells, const QFont& f, const QColor& colour) {
        double x = pg.left();
        for (qsizetype k = 0; k < cells.size(); ++k) {
            pg.text(x, pg.y, widths[k], cells[k], f, colour);
            x += widths[k] + Columns::CellGap;
        }
    };
    const double headHeight = cellsHeight(heads, font(8, true)) + 3;
    pg.heading(title,
               headHeight + (rows.isEmpty() ? 0 : cellsHeight(rows.first().cells, font(8.5))));
    drawRow(heads, font(8, true), Grey);
    pg.y += headHeight;
    for (const LevelRow& row : rows) {
        const double h = cellsHeight(row.cells, font(8.5));
        pg.ensure(h + 4);
        const LevelStyle& style = row.level->style;
        pg.line(pg.left() - 13, pg.y + 4, pg.left() - 3, pg.y + 4, style.colour, 1.5, style.dashes);
        drawRow(row.cells, font(8.5), Ink);
        pg.y += h + 4;
    }
    pg.y +=
        pg.text(pg.left(), pg.y + 2, pg.width(),
                Tr::tr("Each reading stands for one sampling time; a gap longer than two "
                       "sampling times counts for nothing and ends a stretch. Shares are of the "
                       "time measured: %1 (the readings and overloads, each one sampling time). "
                       "An overload (OL) counts as above a level at or below %2, the top of the "
                       "meter's smallest range: the records do not say the range a reading was "
                       "taken in.")
                    .arg(lengthText(c.st.measured), c.levelText(c.st.overloadTopMg)),
                font(7.5), Grey) +
        6;
}

// The assessment against each reference, then the conclusion and the recommendations.
void drawAssessment(Pages& pg, const Content& c)
{
    const QStringList sentences = assessmentSentences(c);
    const QString& conclusion = c.request.conclusion;
    const QString& recommendations = c.request.recommendations;
    if (sentences.isEmpty() && conclusion.trimmed().isEmpty() &&
        recommendations.trimmed().isEmpty())
        return;
    const double indent = 12;
    pg.heading(Tr::tr("Assessment"),
               sentences.isEmpty()
                   ? 30
                   : pg.textHeight(sentences.first(), font(9.5), pg.width() - indent));
    for (const QString& sentence : sentences) {
        const double h = pg.textHeight(sentence, font(9.5), pg.width() - indent);
        pg.ensure(h);
        pg.text(pg.left() + 2, pg.y, indent, QStringLiteral("\u2022"), font(9.5));
        pg.y += pg.text(pg.left() + indent, pg.y, pg.width() - indent, sentence, font(9.5)) + 3;
    }
    pg.y += 4;
    labelledParagraph(pg, Tr::tr("Conclusion"), conclusion);
    labelledParagraph(pg, Tr::tr("Recommendations"), recommendations);
}

// Gaps and clock changes, then the overloads' times.
void drawBreaks(Pages& pg, const Statistics& st)
{
    const auto breakText = [](const Break& b) {
        return b.kind == Break::Gap
                   ? Tr::tr("Gap of %1: no reading from %2 to %3")
                         .arg(lengthText(b.after.clock - b.before.clock),
                              whenText(b.before.clock), whenText(b.after.clock))
                   : Tr::tr("Clock set back: %1 is followed by %2 (no time counted)")
                         .arg(whenText(b.before.clock), whenText(b.after.clock));
    };
    const QString none = Tr::tr("None: the readings follow each other at the sampling time.");
    pg.heading(Tr::tr("Gaps and clock changes"),
               pg.textHeight(st.breaks.isEmpty() ? none : breakText(st.breaks.first()), font(8.5),
                             pg.width()));
    if (st.breaks.isEmpty())
        pg.y += pg.text(pg.left(), pg.y, pg.width(), none, font(9.5)) + 4;
    for (qsizetype i = 0; i < st.breaks.size() && i < ListedAtMost; ++i) {
        const QString text = breakText(st.breaks[i]);
        pg.ensure(pg.textHeight(text, font(8.5), pg.width()));
        pg.y += pg.text(pg.left(), pg.y, pg.width(), text, font(8.5)) + 2;
    }
    if (st.breakCount > ListedAtMost)
        pg.y += pg.text(pg.left(), pg.y, pg.width(),
                        Tr::tr("... and %1 more.").arg(st.breakCount - ListedAtMost), font(8.5)) +
                2;

    if (st.overloadMoments.isEmpty())
        return;
    QStringList times;
    for (qsizetype i = 0; i < st.overloadMoments.size() && i < ListedAtMost; ++i)
        times << whenText(st.overloadMoments[i].clock);
    QString text = times.join(QStringLiteral(";  "));
    if (st.overloads > ListedAtMost)
        text += Tr::tr("; ... and %1 more.").arg(st.overloads - ListedAtMost);
    const double h = pg.textHeight(text, font(8.5), pg.width());
    pg.heading(Tr::tr("Overloads (OL)"), std::min(h, 40.0));
    pg.ensure(h);
    pg.y += pg.text(pg.left(), pg.y, pg.width(), text, font(8.5)) + 4;
}

// Many record files (a year of daily files): each with its SHA-256, after the report.
void drawFileList(Pages& pg, const Content& c)
{
    const QList<ReportData>& data = c.request.data;
    if (data.size() <= FilesInHeader)
        return;
    Rows rows;
    for (const ReportData& f : data)
        rows.append({f.name, f.sha256});
    pg.heading(Tr::tr("Record data"), rowHeight(pg, rows.first(), pg.width(), 130, true));
    keyValueRows(pg, pg.left(), pg.width(), 130, rows, true);
}

void render(Pages& pg, const Content& c, ReportLayout* layout)
{
    drawHeader(pg, c);
    drawInstrument(pg, c);
    drawFigures(pg, c);
    drawChart(pg, c, layout, Tr::tr("The whole period"));
    drawLevelTable(pg, c);
    drawAssessment(pg, c);
    drawSignOff(pg, c);
    drawBreaks(pg, c.st);
    drawReferences(pg, c);
    drawFileList(pg, c);
    if (c.request.includeRecords && !c.records.lines.isEmpty())
        drawRecords(pg, c);
}

// The records table: the rows with something in them and, when a range is given, whose time can
// be read and lies in it; the first `atMost` of them as lines, the rest counted.
std::optional<RecordsTable> recordsTable(const RowFeed& feed, const Options& options, int atMost,
                                         QString* error)
{
    RecordsTable table;
    const bool ok = feed(
        [&](int, QStringView row) {
            if (row.trimmed().isEmpty())
                return;
            if (options.from || options.to) {
                const auto clock = rowClock(row);
                if (!clock || (options.from && *clock < *options.from) ||
                    (options.to && *clock > *options.to))
                    return;
            }
            if (table.lines.size() < atMost)
                table.lines << recordsLine(recordCells(row));
            else
                ++table.more;
        },
        error);
    return ok ? std::optional(table) : std::nullopt;
}

} // namespace

QString fileSha256(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return QString::fromLatin1(hash.result().toHex());
}

QString tableSha256(const RowText& rowText, int rowCount)
{
    QByteArray bytes;
    for (int r = 1; r <= rowCount; ++r) {
        if (r == 1)
            appendRecordText(bytes, recordHeaderLine() + QStringLiteral("\r\n"));
        appendTableLine(bytes, rowText(r));
    }
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

Options reportOptions(const ReportRequest& request)
{
    // The levels: the user's own first (they draw in the strongest colour), then the chosen
    // references' lines.
    Options options = request.options;
    options.levels = request.ownLevels;
    for (const Reference* r : referencesOf(request))
        options.levels += r->lines;
    // Two columns of the chart a point of the plot.
    options.chartColumns = chartColumns(pageSizeOf(request).size(QPageSize::Point));
    return options;
}

bool writeSurveyReport(const QString& path, const RowText& rowText, int rowCount,
                       const ReportRequest& request, QString* error, ReportLayout* layout)
{
    const RowFeed feed = tableFeed(rowText, rowCount);
    QString why;
    const std::optional<Statistics> st = compute(feed, reportOptions(request), &why);
    if (!st) {
        if (error)
            *error = Tr::tr("No report: %1").arg(why);
        return false;
    }
    return writeSurveyReport(path, *st, feed, request, error, layout);
}

bool writeSurveyReport(const QString& path, const Statistics& st, const RowFeed& rows,
                       const ReportRequest& request, QString* error, ReportLayout* layout)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (layout)
        layout->figures = true;
    const Options options = reportOptions(request);
    RecordsTable records;
    if (request.includeRecords) {
        QString why;
        const auto table = recordsTable(rows, options, request.recordsAtMost, &why);
        if (!table)
            return fail(Tr::tr("No report: %1").arg(why));
        records = *table;
    }

    const QString title = request.details.title.trimmed().isEmpty()
                              ? Tr::tr("Magnetic field survey")
                              : request.details.title.trimmed();
    const Content c{request, st, records, chartLevels(options), referencesOf(request)};
    QString footer = title;
    if (!request.data.isEmpty())
        footer +=
            QStringLiteral("  |  ") + request.data.first().name +
            (request.data.size() > 1 ? Tr::tr(" and %n more", nullptr, int(request.data.size() - 1))
                                     : QString());
    int total = 0;
    const auto draw = [&](Pages& pg, bool drawing) { render(pg, c, drawing ? layout : nullptr); };
    if (!writePdf(path, pageSizeOf(request), title, footer, draw, error, &total))
        return false;
    if (layout)
        layout->pages = total;
    return true;
}

} // namespace veltrix
