// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/SurveyReport.h"

#include "records/CsvExport.h"
#include "records/RecordFile.h"
#include "survey/Assessment.h"
#include "survey/ReportGeometry.h"
#include "ui/SaveFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace veltrix {

using namespace stats;

namespace {

QString tr(const char* text, int n = -1)
{
    return QCoreApplication::translate("SurveyReport", text, nullptr, n);
}

// Everything is laid out in points (1/72 inch) and drawn at 720 dots per inch.
constexpr int Resolution = 720;
constexpr double K = Resolution / 72.0;
constexpr double Margin = 50;
constexpr double FooterGap = 22; // the footer's baseline below the text area
constexpr int ListedAtMost = 30; // gaps or overloads listed before "and N more"
constexpr int FilesInHeader = 3; // more record files are listed at the end
constexpr int SpikesNamed = 5;   // spikes above the chart's scale named under it
constexpr qint64 DayMs = 86'400'000;

const QColor Ink(25, 25, 25);
const QColor Grey(110, 110, 110);
const QColor Rule(200, 200, 200);
const QColor Trace(31, 90, 160);
const QColor OverloadMark(200, 0, 0);

// How a level's line is drawn: a colour and a dash of its own, so that levels can be told apart
// in black and white too. The colours keep away from the trace's blue and the overloads' red.
struct LevelStyle {
    QColor colour;
    QList<qreal> dashes; // in line widths; empty: solid
};

LevelStyle levelStyle(qsizetype i)
{
    static const QColor colours[] = {QColor(213, 94, 0),  QColor(0, 150, 110), QColor(190, 80, 150),
                                     QColor(215, 150, 0), QColor(60, 60, 60),  QColor(86, 170, 220),
                                     QColor(140, 80, 20)};
    static const QList<qreal> dashes[] = {
        {}, {6, 3}, {1.5, 2.5}, {8, 2.5, 1.5, 2.5}, {12, 3}, {3, 3}, {8, 2, 1.5, 2, 1.5, 2}};
    constexpr qsizetype n = qsizetype(std::size(colours));
    // Past the seventh level the colours come round again with the next dash along.
    return {colours[i % n], dashes[(i + i / n) % n]};
}

QFont font(double points, bool bold = false, bool mono = false, bool italic = false)
{
    QFont f(mono ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    // No ligatures: a reader copies file names and figures out of the report as they are.
    f.setStyleHint(mono ? QFont::Monospace : QFont::SansSerif, QFont::PreferNoShaping);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// The meter's clock (local time of the computer that recorded) as local time of this computer.
QDateTime localTime(ClockMs ms)
{
    const QDateTime t = clockTime(ms);
    return QDateTime(t.date(), t.time(), Qt::LocalTime);
}

// "+01:00"
QString offsetText(const QDateTime& local)
{
    const int s = local.offsetFromUtc();
    return QStringLiteral("%1%2:%3")
        .arg(QChar(s < 0 ? u'-' : u'+'))
        .arg(std::abs(s) / 3600, 2, 10, QLatin1Char('0'))
        .arg(std::abs(s) / 60 % 60, 2, 10, QLatin1Char('0'));
}

// "2026-12-05 10:00:00 +01:00"
QString whenText(ClockMs ms)
{
    return clockText(ms) + u' ' + offsetText(localTime(ms));
}

// "UTC+01:00 (CET)"; both offsets when summer time began or ended within the period.
QString zoneText(ClockMs first, ClockMs last)
{
    QStringList zones;
    for (const ClockMs ms : {first, last}) {
        const QDateTime t = localTime(ms);
        const QString abbreviation = t.timeZoneAbbreviation();
        QString zone = QStringLiteral("UTC") + offsetText(t);
        if (!abbreviation.isEmpty() && !abbreviation.startsWith(QLatin1String("UTC")))
            zone += QStringLiteral(" (%1)").arg(abbreviation);
        if (!zones.contains(zone))
            zones << zone;
    }
    return zones.join(tr(", later "));
}

// A number as short as it is exact: a level, a value on the chart's axis.
QString plainNumber(double v)
{
    return QString::number(v, 'g', 6);
}

// The pages: a text area between the margins, a cursor going down it, a footer on each page.
// A dry run lays everything out without drawing, to count the pages.
class Pages {
public:
    Pages(QPdfWriter& writer, QPainter* painter, QSizeF pagePoints, QString footer, int total)
        : m_writer(writer), m_p(painter), m_size(pagePoints), m_footer(std::move(footer)),
          m_total(total)
    {
        y = Margin;
    }

    double y;
    double left() const { return Margin; }
    double right() const { return m_size.width() - Margin; }
    double width() const { return right() - left(); }
    double bottom() const { return m_size.height() - Margin; }
    int page() const { return m_page; }
    QPainter* painter() const { return m_p; }

    void ensure(double height)
    {
        if (y + height > bottom())
            next();
    }
    void next()
    {
        footer();
        if (m_p)
            m_writer.newPage();
        ++m_page;
        y = Margin;
    }
    void finish() { footer(); }

    double textHeight(const QString& text, const QFont& f, double w, int flags = Qt::TextWordWrap)
    {
        const QFontMetricsF fm(f, &m_writer);
        return fm.boundingRect(QRectF(0, 0, w * K, 1e7), flags, text).height() / K;
    }
    double lineSpacing(const QFont& f) const { return QFontMetricsF(f, &m_writer).lineSpacing() / K; }
    double textWidth(const QString& text, const QFont& f)
    {
        const QFontMetricsF fm(f, &m_writer);
        return fm.boundingRect(QRectF(0, 0, 1e7, 1e7), 0, text).width() / K;
    }
    // Text in a box of points; returns its height.
    double text(double x, double top, double w, const QString& text, const QFont& f,
                const QColor& colour = Ink, int flags = Qt::AlignLeft | Qt::TextWordWrap)
    {
        const double h = textHeight(text, f, w, flags);
        if (m_p) {
            m_p->setFont(f);
            m_p->setPen(colour);
            m_p->drawText(QRectF(x * K, top * K, w * K, h * K + 1), flags, text);
        }
        return h;
    }
    void line(double x1, double y1, double x2, double y2, const QColor& colour, double width,
              const QList<qreal>& dashes = {})
    {
        if (!m_p)
            return;
        QPen pen(colour, width * K, Qt::SolidLine, Qt::FlatCap);
        if (!dashes.isEmpty())
            pen.setDashPattern(dashes);
        m_p->setPen(pen);
        m_p->drawLine(QPointF(x1 * K, y1 * K), QPointF(x2 * K, y2 * K));
    }
    // Text that may run on over the page's end: line by line, each line on the page it fits.
    void flow(double x, double w, const QString& text, const QFont& f, const QColor& colour = Ink)
    {
        const double lineHeight = lineSpacing(f);
        for (const QString& paragraph : text.split(u'\n')) {
            QTextLayout lines(paragraph, f, &m_writer);
            lines.beginLayout();
            for (QTextLine line = lines.createLine(); line.isValid(); line = lines.createLine()) {
                line.setLineWidth(w * K);
                ensure(lineHeight);
                this->text(x, y, w, paragraph.mid(line.textStart(), line.textLength()), f, colour,
                           Qt::AlignLeft);
                y += lineHeight;
            }
            lines.endLayout();
        }
    }
    double headingHeight(const QString& text)
    {
        return 10 + textHeight(text, font(12, true), width()) + 8;
    }
    // A heading, on the page of what follows it (`keepWith` points of it).
    void heading(const QString& text, double keepWith)
    {
        ensure(headingHeight(text) + keepWith);
        y += 10;
        y += this->text(left(), y, width(), text, font(12, true));
        line(left(), y + 2, right(), y + 2, Rule, 0.8);
        y += 8;
    }

private:
    void footer()
    {
        if (!m_p)
            return;
        const double base = bottom() + FooterGap;
        const QFont f = font(7.5);
        text(left(), base, width() * 0.75, m_footer, f, Grey, Qt::AlignLeft);
        text(left(), base, width(), tr("Page %1 of %2").arg(m_page).arg(m_total), f, Grey,
             Qt::AlignRight);
    }

    QPdfWriter& m_writer;
    QPainter* m_p;
    QSizeF m_size;
    QString m_footer;
    int m_total;
    int m_page = 1;
};

using Rows = QList<std::pair<QString, QString>>;

// Label and value rows; the label column is `labelWidth` points wide.
double rowHeight(Pages& pg, const std::pair<QString, QString>& row, double w, double labelWidth,
                 bool monoValue)
{
    return std::max(
        pg.textHeight(row.first, font(8.5), labelWidth - 6),
        pg.textHeight(row.second, font(monoValue ? 8 : 9.5, false, monoValue), w - labelWidth));
}

void keyValueRows(Pages& pg, double x, double w, double labelWidth, const Rows& rows,
                  bool monoValues = false)
{
    for (const auto& row : rows) {
        // A value up to a few lines stays on one page; a longer one (notes) runs on to the next.
        pg.ensure(std::min(rowHeight(pg, row, w, labelWidth, monoValues), 50.0) + 3);
        const int page = pg.page();
        const double labelBottom =
            pg.y + 0.8 + pg.text(x, pg.y + 0.8, labelWidth - 6, row.first, font(8.5), Grey);
        pg.flow(x + labelWidth, w - labelWidth, row.second,
                font(monoValues ? 8 : 9.5, false, monoValues));
        if (pg.page() == page)
            pg.y = std::max(pg.y, labelBottom);
        pg.y += 3;
    }
}

// Rows without the empty ones (a field left empty is not printed).
Rows filled(const Rows& rows)
{
    Rows out;
    for (const auto& [label, value] : rows)
        if (!value.trimmed().isEmpty())
            out.append({label, value.trimmed()});
    return out;
}

struct ChartLevel {
    Level level;
    LevelStyle style;
};

// Where the text blocks sit across the text area, in points from its left edge.
struct Columns {
    // Label columns beside the values: the header and the left half of the figures, and the
    // right half of the figures (which begins halfway across).
    static constexpr double Labels = 105;
    static constexpr double RightLabels = 95;
    static constexpr double HalfGap = 10;     // between the two halves of the figures
    static constexpr double CellGap = 8;      // between two columns of a table
    static constexpr double LevelNames = 100; // the level table's names get at least this
};

// The records table's lines, and how many records of the range it leaves to the record files.
struct RecordsTable {
    QStringList lines;
    qint64 more = 0;
};

struct Content {
    const ReportRequest& request;
    const Statistics& st;
    const RecordsTable& records;
    QList<ChartLevel> levels;
    QList<const Reference*> references;

    // A statistic (in the statistics' unit) in the report's unit, as a number and as a figure.
    double inUnit(double v) const { return figureValue(toMilliGauss(v, st.unit), request.unit); }
    QString figure(double v) const { return figureMg(toMilliGauss(v, st.unit)); }
    // A value in milligauss in the report's unit at the meter's resolution: 0.1 mG, 0.01 µT, 10 nT.
    QString figureMg(double milliGauss) const
    {
        return figureText(milliGauss, request.unit, toMilliGauss(st.resolution, st.unit));
    }
    // A level as it was given: "0.4 µT", "300 nT".
    QString levelText(double milliGauss) const
    {
        return plainNumber(figureValue(milliGauss, request.unit)) + u' ' +
               figureUnitText(request.unit);
    }
};

// The chart block: the plot with the value labels on its left, the unit above them, the time
// labels and the axis title below it, then the legend.
struct ChartBox {
    static constexpr double Height = 230;
    static constexpr double ValueLabels = 46; // from the block's left edge to the plot
    static constexpr double ValueLabelWidth = 42;
    static constexpr double RightRoom = 10;
    static constexpr double PlotTop = 16;   // the plot below the block's top (the unit)
    static constexpr double PlotBelow = 46; // block height left under the plot
    static constexpr double TickSpacing = 62; // points a time label needs
    static constexpr double AxisTitle = 25;   // from the plot's bottom to the time axis' title
    static constexpr double LegendGap = 40;   // from the plot's bottom to the legend
    static constexpr double LegendRow = 11;
    static constexpr double Swatch = 18;  // a legend entry's sample of the line
    static constexpr double LabelGap = 9; // between two level labels on the plot
};

// How the chart maps the survey onto the plot: values in the report's unit, times on the clock.
struct ChartScale {
    QRectF plot;
    report::ValueAxis axis;
    ClockMs first = 0;
    qint64 span = 0; // survey time across the plot, ms
    QList<ChartLevel> shown, offChart;
    double bulk = 0;         // the 99.5th percentile of the readings, in the report's unit
    QList<qsizetype> peaks;  // the chart columns of the spikes above the top, highest first

    double yOf(double v) const
    {
        return plot.bottom() - std::clamp(v / axis.top, 0.0, 1.0) * plot.height();
    }
    double xOf(qint64 elapsed) const
    {
        return span > 0 ? plot.left() + double(elapsed) / double(span) * plot.width()
                        : plot.center().x();
    }
};

ChartScale chartScale(const Pages& pg, const Content& c)
{
    const Statistics& st = c.st;
    ChartScale s;
    s.plot = QRectF(pg.left() + ChartBox::ValueLabels, pg.y + ChartBox::PlotTop,
                    pg.width() - (ChartBox::ValueLabels + ChartBox::RightRoom),
                    ChartBox::Height - ChartBox::PlotTop - ChartBox::PlotBelow);
    QList<double> levels;
    for (const ChartLevel& l : c.levels)
        levels << figureValue(l.level.milliGauss, c.request.unit);
    QList<bool> on;
    // The scale holds the bulk of the readings: a single spike would squeeze the rest into the
    // bottom. What rises above it is clipped, marked on the top edge and named under the chart.
    s.bulk = st.readings > 0 ? c.inUnit(st.percentileOf(99.5)) : 0;
    s.axis = report::valueAxis(s.bulk, levels, &on);
    for (qsizetype i = 0; i < c.levels.size(); ++i)
        (on[i] ? s.shown : s.offChart).append(c.levels[i]);
    QList<double> highs;
    for (const ChartColumn& col : st.chart)
        highs << (col.readings ? c.inUnit(col.high) : qQNaN());
    s.peaks = report::clippedPeaks(highs, s.axis.top);
    s.first = st.first;
    s.span = st.duration;
    return s;
}

// The value grid with its labels and the unit.
void drawValueAxis(Pages& pg, const Content& c, const ChartScale& s)
{
    const QRectF& plot = s.plot;
    const double labelsLeft = plot.left() - ChartBox::ValueLabels;
    const int steps = int(std::lround(s.axis.top / s.axis.step));
    for (int i = 0; i <= steps; ++i) {
        const double v = s.axis.step * i;
        const double y = s.yOf(v);
        pg.line(plot.left(), y, plot.right(), y, i == 0 ? Ink : Rule, i == 0 ? 0.8 : 0.4);
        pg.text(labelsLeft, y - 5, ChartBox::ValueLabelWidth, plainNumber(v), font(7.5), Ink,
                Qt::AlignRight);
    }
    pg.line(plot.left(), plot.top(), plot.left(), plot.bottom(), Ink, 0.8);
    pg.text(labelsLeft, plot.top() - 16, 80, figureUnitText(c.request.unit), font(8, true));
}

// Ticks on round times of the clock, the date under the first one of each day, and the axis'
// title with the offset from UTC.
void drawTimeAxis(Pages& pg, const ChartScale& s)
{
    const QRectF& plot = s.plot;
    const int most = std::max(2, int(plot.width() / ChartBox::TickSpacing));
    const report::TimeTicks ticks = report::timeTicks(s.first, s.first + s.span, most);
    QList<qint64> at = ticks.at;
    QString format = report::tickFormat(ticks);
    if (at.isEmpty()) { // shorter than a second: the time of the first reading
        at = {s.first};
        format = QStringLiteral("HH:mm:ss");
    }
    const bool dates = ticks.months == 0 && ticks.step < DayMs;
    QDate lastDate;
    for (const qint64 t : at) {
        const QDateTime when = clockTime(t);
        QString label = when.toString(format);
        if (dates && when.date() != lastDate)
            label += u'\n' + when.toString(QStringLiteral("yyyy-MM-dd"));
        lastDate = when.date();
        const double x = s.xOf(t - s.first);
        pg.line(x, plot.bottom(), x, plot.bottom() + 3, Ink, 0.6);
        // Centred under its tick, but not past the text area's edges.
        const double w = pg.textWidth(label, font(7.5)) + 1;
        pg.text(std::clamp(x - w / 2, pg.left(), pg.right() - w), plot.bottom() + 4, w, label,
                font(7.5), Ink, Qt::AlignHCenter);
    }
    pg.text(plot.left(), plot.bottom() + ChartBox::AxisTitle, plot.width(),
            tr("Time of the meter's clock, %1").arg(zoneText(s.first, s.first + s.span)),
            font(7.5, false, false, true), Grey, Qt::AlignRight);
}

// One column of the plot: the lowest and highest reading in it, the first and last (to join the
// trace to its neighbours), and whether an overload or a break falls in it.
struct Column {
    bool used = false, overload = false, brokenBefore = false;
    double min = 0, max = 0, first = 0, last = 0;
};

struct PlotColumns {
    std::vector<Column> cols;
    const ChartScale& scale;

    int count() const { return int(cols.size()); }
    double x(int c) const
    {
        const QRectF& plot = scale.plot;
        return scale.span > 0 ? plot.left() + (c + 0.5) / count() * plot.width()
                              : plot.center().x();
    }
};

PlotColumns plotColumns(const Content& c, const ChartScale& scale)
{
    const double perUnit = c.inUnit(1);
    PlotColumns pc{std::vector<Column>(), scale};
    pc.cols.reserve(size_t(c.st.chart.size()));
    for (const ChartColumn& col : c.st.chart)
        pc.cols.push_back({col.readings, col.overload, col.gapBefore, col.low * perUnit,
                           col.high * perUnit, col.first * perUnit, col.last * perUnit});
    return pc;
}

// Time above each level, shaded above its line.
void drawShading(QPainter* p, const Content& c, const PlotColumns& pc)
{
    const ChartScale& s = pc.scale;
    p->setPen(Qt::NoPen);
    for (const ChartLevel& l : s.shown) {
        QColor fill = l.style.colour;
        fill.setAlpha(45);
        p->setBrush(fill);
        const double level = figureValue(l.level.milliGauss, c.request.unit);
        const double ly = s.yOf(level);
        const double w = s.plot.width() / pc.count();
        for (int i = 0; i < pc.count(); ++i) {
            const Column& col = pc.cols[size_t(i)];
            const bool above = col.overload || (col.used && col.max > level);
            if (!above)
                continue;
            const double hy = col.overload ? s.plot.top() : s.yOf(col.max);
            p->drawRect(QRectF((pc.x(i) - w / 2) * K, hy * K, w * K, (ly - hy) * K));
        }
    }
    p->setBrush(Qt::NoBrush);
}

// The trace, broken at gaps and clocks set back; overloads as marks on the top edge.
void drawTrace(QPainter* p, const PlotColumns& pc)
{
    const ChartScale& c = pc.scale;
    p->setPen(QPen(Trace, 0.7 * K, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF run;
    const auto flush = [&] {
        if (run.size() == 1)
            p->drawPoint(run.first());
        else if (run.size() > 1)
            p->drawPolyline(run);
        run.clear();
    };
    for (int i = 0; i < pc.count(); ++i) {
        const Column& col = pc.cols[size_t(i)];
        if (col.brokenBefore)
            flush();
        if (!col.used)
            continue;
        const double x = pc.x(i) * K;
        run << QPointF(x, c.yOf(col.first) * K);
        if (col.min != col.max) {
            run << QPointF(x, c.yOf(col.first <= col.last ? col.min : col.max) * K)
                << QPointF(x, c.yOf(col.first <= col.last ? col.max : col.min) * K);
        }
        run << QPointF(x, c.yOf(col.last) * K);
    }
    flush();

    p->setPen(Qt::NoPen);
    p->setBrush(OverloadMark);
    const double top = c.plot.top();
    for (int i = 0; i < pc.count(); ++i) {
        if (!pc.cols[size_t(i)].overload)
            continue;
        const double x = pc.x(i);
        const QPointF tri[3] = {QPointF(x * K, (top - 1) * K),
                                QPointF((x - 2.5) * K, (top - 6) * K),
                                QPointF((x + 2.5) * K, (top - 6) * K)};
        p->drawPolygon(tri, 3);
    }
    // Spikes above the scale: an arrow head pointing up, just inside the top edge.
    p->setBrush(Trace);
    for (const qsizetype i : c.peaks) {
        const double x = pc.x(int(i));
        const QPointF tri[3] = {QPointF(x * K, (top + 1) * K), QPointF((x - 2.5) * K, (top + 6) * K),
                                QPointF((x + 2.5) * K, (top + 6) * K)};
        p->drawPolygon(tri, 3);
    }
    p->setBrush(Qt::NoBrush);
}

QPen levelPen(const LevelStyle& style, double width)
{
    QPen pen(style.colour, width * K, Qt::SolidLine, Qt::FlatCap);
    if (!style.dashes.isEmpty())
        pen.setDashPattern(style.dashes);
    return pen;
}

// The level lines, each with its value at the right end; the values are moved apart where lines
// lie close together, so that none is printed over another.
void drawLevelLines(Pages& pg, const Content& c, const ChartScale& s)
{
    QPainter* p = pg.painter();
    const QFont small = font(7);
    const QRectF& plot = s.plot;
    QList<double> wanted;
    for (const ChartLevel& l : s.shown) {
        const double ly = s.yOf(figureValue(l.level.milliGauss, c.request.unit));
        p->setPen(levelPen(l.style, 1.2));
        p->drawLine(QPointF(plot.left() * K, ly * K), QPointF(plot.right() * K, ly * K));
        wanted << ly - ChartBox::LabelGap; // the label's top, just above its line
    }
    const QList<double> tops = report::spreadLabels(wanted, ChartBox::LabelGap, plot.top() + 1,
                                                    plot.bottom() - ChartBox::LabelGap);
    for (qsizetype i = 0; i < s.shown.size(); ++i) {
        const ChartLevel& l = s.shown[i];
        const QString label = c.levelText(l.level.milliGauss);
        const double w = pg.textWidth(label, small) + 4;
        p->fillRect(QRectF((plot.right() - w - 2) * K, tops[i] * K, w * K, 8.5 * K),
                    QColor(255, 255, 255, 220));
        pg.text(plot.right() - w - 2, tops[i], w, label, small, l.style.colour, Qt::AlignHCenter);
    }
}

// An entry of the legend: a sample of what is drawn and what it is.
struct LegendEntry {
    enum Kind { Readings, LevelLine, Overload, Clipped } kind;
    QString text;
    LevelStyle style;
};

QList<LegendEntry> legendEntries(const Content& c, const ChartScale& s)
{
    QList<LegendEntry> entries = {{LegendEntry::Readings, tr("Readings"), {}}};
    for (const ChartLevel& l : s.shown)
        entries.append({LegendEntry::LevelLine, l.level.name, l.style});
    if (c.st.overloads > 0)
        entries.append({LegendEntry::Overload, tr("Overload (OL)"), {}});
    if (!s.peaks.isEmpty())
        entries.append({LegendEntry::Clipped, tr("Reading above the scale"), {}});
    return entries;
}

void drawSwatch(QPainter* p, const LegendEntry& e, double x, double mid)
{
    const double right = x + ChartBox::Swatch;
    switch (e.kind) {
    case LegendEntry::Readings:
        p->setPen(QPen(Trace, 1.2 * K));
        p->drawLine(QPointF(x * K, mid * K), QPointF(right * K, mid * K));
        break;
    case LegendEntry::LevelLine: {
        QColor fill = e.style.colour;
        fill.setAlpha(45);
        p->fillRect(QRectF(x * K, (mid - 4) * K, ChartBox::Swatch * K, 4 * K), fill);
        p->setPen(levelPen(e.style, 1.2));
        p->drawLine(QPointF(x * K, mid * K), QPointF(right * K, mid * K));
        break;
    }
    case LegendEntry::Overload:
    case LegendEntry::Clipped: {
        const double cx = x + ChartBox::Swatch / 2;
        const double tip = e.kind == LegendEntry::Overload ? 2.5 : -2.5;
        const QPointF tri[3] = {QPointF(cx * K, (mid + tip) * K),
                                QPointF((cx - 2.5) * K, (mid - tip) * K),
                                QPointF((cx + 2.5) * K, (mid - tip) * K)};
        p->setPen(Qt::NoPen);
        p->setBrush(e.kind == LegendEntry::Overload ? OverloadMark : Trace);
        p->drawPolygon(tri, 3);
        p->setBrush(Qt::NoBrush);
        break;
    }
    }
}

// The legend in rows under the chart, no entry over another: where each entry goes.
struct Legend {
    QList<LegendEntry> entries;
    QList<double> widths;
    QList<report::FlowPlace> places;

    double height() const
    {
        return places.isEmpty() ? 0 : (places.last().row + 1) * ChartBox::LegendRow;
    }
};

Legend legend(Pages& pg, const Content& c, const ChartScale& s)
{
    Legend l{legendEntries(c, s), {}, {}};
    for (const LegendEntry& e : l.entries)
        l.widths << ChartBox::Swatch + 4 + pg.textWidth(e.text, font(7.5));
    l.places = report::flowRows(l.widths, pg.width(), 14);
    return l;
}

void drawLegend(Pages& pg, const Legend& l, double top)
{
    for (qsizetype i = 0; i < l.entries.size(); ++i) {
        const double x = pg.left() + l.places[i].x;
        const double y = top + l.places[i].row * ChartBox::LegendRow;
        if (QPainter* p = pg.painter())
            drawSwatch(p, l.entries[i], x, y + 5);
        pg.text(x + ChartBox::Swatch + 4, y, l.widths[i], l.entries[i].text, font(7.5), Ink,
                Qt::AlignLeft);
    }
}

// How the scale was chosen, and the spikes above it: the highest few by value and time (the
// time of the column's first reading, but the highest reading's own time).
QString scaleNote(const Content& c, const ChartScale& s)
{
    const QString top = plainNumber(s.axis.top) + u' ' + figureUnitText(c.request.unit);
    if (s.peaks.isEmpty())
        return tr("The scale, 0 to %1, holds every reading and the levels near them.").arg(top);
    QStringList spikes;
    for (qsizetype k = 0; k < s.peaks.size() && k < SpikesNamed; ++k) {
        const ChartColumn& col = c.st.chart[s.peaks[k]];
        spikes << (k == 0 ? tr("%1 at %2").arg(c.figure(c.st.maximum),
                                                whenText(c.st.maximumAt.clock))
                          : tr("%1 near %2").arg(c.figure(col.high), whenText(col.clock)));
    }
    QString note = tr("The scale, 0 to %1, holds 99.5 % of the readings (up to %2) and the levels "
                      "near them; %n stretch(es) of readings above it are clipped and marked on "
                      "the top edge, the highest: ",
                      int(s.peaks.size()))
                       .arg(top, c.figure(c.st.percentileOf(99.5)));
    note += spikes.join(QStringLiteral("; "));
    if (s.peaks.size() > SpikesNamed)
        note += tr("; and %n more", int(s.peaks.size() - SpikesNamed));
    return note + u'.';
}

// What the chart shows and what did not fit on it.
QString chartNote(const Content& c, const ChartScale& s)
{
    QString note = tr("Each column spans the lowest to the highest reading in it; shaded above "
                      "a level's line: time above it.");
    if (c.st.overloads > 0)
        note += tr(" Overloads (OL) are marked on the top edge.");
    if (!c.st.breaks.isEmpty())
        note += tr(" The line is broken at gaps and where the clock was set back.");
    if (!s.offChart.isEmpty()) {
        QStringList names;
        for (const ChartLevel& l : s.offChart)
            names << l.level.name;
        note += tr(" Far above the chart: %1.").arg(names.join(QStringLiteral("; ")));
    }
    return scaleNote(c, s) + u' ' + note;
}

// The chart of the whole period: per column of the plot the lowest and highest reading, joined
// to the next column unless a gap or a clock set back lies between them. With its heading, its
// legend and its note on one page.
void drawChart(Pages& pg, const Content& c, ReportLayout* layout)
{
    const ChartScale before = chartScale(pg, c);
    const Legend entries = legend(pg, c, before);
    const QString note = chartNote(c, before);
    pg.heading(tr("The whole period"), ChartBox::Height - ChartBox::PlotBelow +
                                           ChartBox::LegendGap + entries.height() + 3 +
                                           pg.textHeight(note, font(7.5), pg.width()) + 4);
    const ChartScale scale = chartScale(pg, c);
    if (layout) {
        layout->chartPage = pg.page();
        layout->plot = scale.plot;
        layout->yMaximum = scale.axis.top;
    }
    if (QPainter* p = pg.painter()) {
        drawValueAxis(pg, c, scale);
        drawTimeAxis(pg, scale);
        const PlotColumns columns = plotColumns(c, scale);
        drawShading(p, c, columns);
        drawTrace(p, columns);
        drawLevelLines(pg, c, scale);
    }
    pg.y = scale.plot.bottom() + ChartBox::LegendGap;
    drawLegend(pg, entries, pg.y);
    pg.y += entries.height() + 3;
    pg.y += pg.text(pg.left(), pg.y, pg.width(), note, font(7.5), Grey) + 4;
}

// A records table line: the cells trimmed, in fixed-width columns (numbers to the right), the
// date as YYYY-MM-DD where it can be read.
QString recordsLine(const RecordCells& cells)
{
    const QString iso = isoDateTime(cells[DateCell], cells[TimeCell]);
    const bool readable = iso.size() >= 19 && iso[10] == u'T';
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
        .arg(cells[NumberCell].trimmed(), 6)
        .arg(readable ? iso.left(10) : cells[DateCell].trimmed().toString(), -10)
        .arg(readable ? iso.mid(11) : cells[TimeCell].trimmed().toString(), -10)
        .arg(cells[ValueCell].trimmed(), 7)
        .arg(cells[UnitCell].trimmed(), -4)
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
    const QString head = recordsLine({u"No.", u"Date", u"Time", u"Value", u"Unit", u"H", u"P"});
    const QString title = tr("Records, times %1").arg(zoneText(c.st.first, c.st.last));
    const QString cut =
        c.records.more > 0
            ? tr("The first %L1 records of the period; %L2 more are in the record files named "
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

// "now" on this computer, to the minute, with its offset.
QString nowText()
{
    const QDateTime now = QDateTime::currentDateTime();
    return now.toString(QStringLiteral("yyyy-MM-dd HH:mm")) + u' ' + offsetText(now);
}

// Title, site and location, then who for whom, when, the data and its SHA-256.
void drawHeader(Pages& pg, const Content& c)
{
    const ReportDetails& d = c.request.details;
    const Statistics& st = c.st;
    const QString title = d.title.trimmed().isEmpty() ? tr("Magnetic field survey") : d.title;
    pg.y += pg.text(pg.left(), pg.y, pg.width(), title, font(19, true)) + 2;
    QStringList where;
    for (const QString& s : {d.site, d.location})
        if (!s.trimmed().isEmpty())
            where << s.trimmed();
    if (!where.isEmpty())
        pg.y +=
            pg.text(pg.left(), pg.y, pg.width(), where.join(QStringLiteral(", ")), font(12), Grey);
    pg.y += 8;
    pg.line(pg.left(), pg.y, pg.right(), pg.y, Ink, 1);
    pg.y += 8;
    const QList<ReportData>& data = c.request.data;
    QStringList names, hashes;
    for (const ReportData& f : data) {
        names << f.name;
        hashes << f.sha256 + (f.sha256Note.isEmpty() ? QString() : u'\n' + f.sha256Note);
    }
    const bool listed = data.size() <= FilesInHeader;
    const Rows rows = filled({
        {tr("Client"), d.client},
        {tr("Measured by"),
         d.company.trimmed().isEmpty() || d.operatorName.trimmed().isEmpty()
             ? d.operatorName + d.company
             : d.operatorName.trimmed() + QStringLiteral(", ") + d.company.trimmed()},
        {tr("Period"),
         tr("%1 to %2 (%3)").arg(whenText(st.first), whenText(st.last), durationText(st.duration))},
        {tr("Record data"), listed ? names.join(u'\n')
                                   : tr("%1 files, %2 to %3, listed with their SHA-256 at the end")
                                         .arg(data.size())
                                         .arg(names.first(), names.last())},
    });
    keyValueRows(pg, pg.left(), pg.width(), Columns::Labels, rows);
    if (listed)
        keyValueRows(pg, pg.left(), pg.width(), Columns::Labels,
                     filled({{tr("SHA-256"), hashes.join(u'\n')}}), true);
    keyValueRows(pg, pg.left(), pg.width(), Columns::Labels,
                 filled({{tr("Report written"), nowText()}, {tr("Notes"), d.notes}}));
}

// Label and value rows in two columns side by side, on one page with their heading.
void twoColumnSection(Pages& pg, const QString& title, const Rows& left, const Rows& right)
{
    const double half = pg.width() / 2;
    double leftHeight = 0, rightHeight = 0;
    for (const auto& row : left)
        leftHeight += rowHeight(pg, row, half - Columns::HalfGap, Columns::Labels, false) + 3;
    for (const auto& row : right)
        rightHeight += rowHeight(pg, row, half, Columns::RightLabels, false) + 3;
    pg.heading(title, std::max(leftHeight, rightHeight));
    const double top = pg.y;
    keyValueRows(pg, pg.left(), half - Columns::HalfGap, Columns::Labels, left);
    const double leftEnd = pg.y;
    pg.y = top;
    keyValueRows(pg, pg.left() + half, half, Columns::RightLabels, right);
    pg.y = std::max(pg.y, leftEnd);
}

// The meter and how it was used.
void drawInstrument(Pages& pg, const Content& c)
{
    const Instrument& in = c.request.instrument;
    const QString axes = in.axes == 3   ? tr("3-D (isotropic)")
                         : in.axes == 1 ? tr("1-D (single axis)")
                                        : QString();
    twoColumnSection(
        pg, tr("Instrument and method"),
        filled({{tr("Instrument"), in.model},
                {tr("Serial / ID"), in.serial},
                {tr("Calibrated"),
                 in.calibrated.isValid() ? in.calibrated.toString(Qt::ISODate) : QString()}}),
        filled({{tr("Frequency range"), in.frequencyRange},
                {tr("Axes"), axes},
                {tr("Mains frequency"),
                 c.request.mains == Mains::Hz60 ? tr("60 Hz") : tr("50 Hz")}}));
    keyValueRows(pg, pg.left(), pg.width(), Columns::Labels,
                 filled({{tr("Method"), c.request.method}}));
}

// The figures, in two columns: counts and times on the left, values on the right.
void drawFigures(Pages& pg, const Content& c)
{
    const Statistics& st = c.st;
    const Rows left = {
        {tr("Records"), QString::number(st.rows)},
        {tr("Readings"), QString::number(st.readings)},
        {tr("Overloads (OL)"),
         QString::number(st.overloads) + (st.overloads ? tr(", not in the figures") : QString())},
        {tr("Invalid readings"), QString::number(st.invalid)},
        {tr("Sampling time"), st.sampling > 0 ? durationText(st.sampling) : tr("unknown")},
        {tr("Duration"), durationText(st.duration)},
    };
    Rows right;
    if (st.readings > 0) {
        right = {
            {tr("Lowest"), c.figure(st.minimum) + u'\n' + whenText(st.minimumAt.clock)},
            {tr("Highest"), c.figure(st.maximum) + u'\n' + whenText(st.maximumAt.clock)},
            {tr("Mean"), c.figure(st.mean)},
            {tr("Median (typical)"), c.figure(st.median)},
            {tr("95th percentile"), c.figure(st.percentile95)},
            {tr("Standard deviation"), c.figure(st.standardDeviation)},
        };
    } else {
        right = {{tr("Readings"), tr("Every reading is an overload (OL): the field was beyond "
                                     "the meter's range throughout.")}};
    }
    twoColumnSection(pg, tr("Figures (%1)").arg(figureUnitText(c.request.unit)), left, right);
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
        rows.append(
            {&l,
             {l.level.name, c.levelText(l.level.milliGauss),
              st.sampling > 0 ? durationText(f->timeAbove) : tr("%n reading(s)", f->samplesAbove),
              shareText(f->timeAbove, st.measured), f->longest > 0 ? durationText(f->longest) : tr("none"),
              f->longest > 0 ? whenText(f->longestStart.clock) : QString()}});
    }
    return rows;
}

// The table of time above each level: every column as wide as its widest cell but the levels'
// names, which take what is left (and wrap to a second line at most on a page of either size).
void drawLevelTable(Pages& pg, const Content& c)
{
    const QString title = tr("Time above each level");
    if (c.levels.isEmpty()) {
        pg.heading(title, 14);
        pg.y += pg.text(pg.left(), pg.y, pg.width(), tr("No level was chosen."), font(9.5)) + 4;
        return;
    }
    const QStringList heads = {tr("Level"), tr("Value"),         tr("Time above"),
                               tr("Share"), tr("Longest above"), tr("Starting")};
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
    pg.y += pg.text(pg.left(), pg.y + 2, pg.width(),
                    tr("Each reading stands for one sampling time; a gap longer than two "
                       "sampling times counts for nothing and ends a stretch. Shares are of the "
                       "time measured: %1 (the readings and overloads, each one sampling time). "
                       "An overload (OL) counts as above a level at or below %2, the top of the "
                       "meter's smallest range: the records do not say the range a reading was "
                       "taken in.")
                        .arg(durationText(c.st.measured), c.levelText(c.st.overloadTopMg)),
                    font(7.5), Grey) +
            6;
}

// One sentence for each chosen reference, comparing with it the statistic it is meant for, in
// the report's figures.
QStringList assessmentSentences(const Content& c)
{
    QStringList sentences;
    for (const Reference* r : c.references) {
        const QString sentence =
            assessment(*r, c.st, [&c](double milliGauss) { return c.figureMg(milliGauss); });
        if (!sentence.isEmpty())
            sentences << sentence;
    }
    return sentences;
}

// A paragraph under a bold label, the label kept with its first lines.
void labelledParagraph(Pages& pg, const QString& label, const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    const double labelHeight = pg.textHeight(label, font(9.5, true), pg.width());
    // The label and at least the first line that flow() puts under it.
    pg.ensure(labelHeight + 1 +
              std::max(pg.lineSpacing(font(9.5)),
                       std::min(40.0, pg.textHeight(text, font(9.5), pg.width()))));
    pg.y += pg.text(pg.left(), pg.y, pg.width(), label, font(9.5, true)) + 1;
    pg.flow(pg.left(), pg.width(), text.trimmed(), font(9.5));
    pg.y += 6;
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
    pg.heading(tr("Assessment"), sentences.isEmpty() ? 30
                                                     : pg.textHeight(sentences.first(), font(9.5),
                                                                     pg.width() - indent));
    for (const QString& sentence : sentences) {
        const double h = pg.textHeight(sentence, font(9.5), pg.width() - indent);
        pg.ensure(h);
        pg.text(pg.left() + 2, pg.y, indent, QStringLiteral("\u2022"), font(9.5));
        pg.y += pg.text(pg.left() + indent, pg.y, pg.width() - indent, sentence, font(9.5)) + 3;
    }
    pg.y += 4;
    labelledParagraph(pg, tr("Conclusion"), conclusion);
    labelledParagraph(pg, tr("Recommendations"), recommendations);
}

// Company, place and date, and the line to sign on, all on one page.
void drawSignOff(Pages& pg, const Content& c)
{
    const ReportDetails& d = c.request.details;
    const QString date = QDate::currentDate().toString(Qt::ISODate);
    const Rows rows = filled(
        {{tr("Company"), d.company},
         {tr("Place and date"),
          d.place.trimmed().isEmpty() ? date : d.place.trimmed() + QStringLiteral(", ") + date}});
    double height = 60;
    for (const auto& row : rows)
        height += rowHeight(pg, row, pg.width(), Columns::Labels, false) + 3;
    pg.heading(tr("Signature"), height);
    keyValueRows(pg, pg.left(), pg.width(), Columns::Labels, rows);
    pg.y += 36;
    pg.line(pg.left(), pg.y, pg.left() + 230, pg.y, Ink, 0.6);
    pg.y += 3;
    const QString who = d.operatorName.trimmed();
    pg.y += pg.text(pg.left(), pg.y, 230,
                    who.isEmpty() ? tr("Signature") : tr("Signature, %1").arg(who), font(8), Grey) +
            6;
}

// Gaps and clock changes, then the overloads' times.
void drawBreaks(Pages& pg, const Statistics& st)
{
    const auto breakText = [](const Break& b) {
        return b.kind == Break::Gap ? tr("Gap of %1: no reading from %2 to %3")
                                          .arg(durationText(b.after.clock - b.before.clock),
                                               whenText(b.before.clock), whenText(b.after.clock))
                                    : tr("Clock set back: %1 is followed by %2 (no time counted)")
                                          .arg(whenText(b.before.clock), whenText(b.after.clock));
    };
    const QString none = tr("None: the readings follow each other at the sampling time.");
    pg.heading(tr("Gaps and clock changes"),
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
                        tr("... and %1 more.").arg(st.breakCount - ListedAtMost), font(8.5)) +
                2;

    if (st.overloadMoments.isEmpty())
        return;
    QStringList times;
    for (qsizetype i = 0; i < st.overloadMoments.size() && i < ListedAtMost; ++i)
        times << whenText(st.overloadMoments[i].clock);
    QString text = times.join(QStringLiteral(";  "));
    if (st.overloads > ListedAtMost)
        text += tr("; ... and %1 more.").arg(st.overloads - ListedAtMost);
    const double h = pg.textHeight(text, font(8.5), pg.width());
    pg.heading(tr("Overloads (OL)"), std::min(h, 40.0));
    pg.ensure(h);
    pg.y += pg.text(pg.left(), pg.y, pg.width(), text, font(8.5)) + 4;
}

// The published levels chosen, each with its meaning and source, then the user's own.
void drawReferences(Pages& pg, const Content& c)
{
    if (c.references.isEmpty() && c.request.ownLevels.isEmpty())
        return;
    struct Block {
        QString name, body, source;
    };
    QList<Block> blocks;
    for (const Reference* r : c.references) {
        QStringList values;
        for (const Level& l : r->lines)
            values << c.levelText(l.milliGauss);
        blocks.append({r->name,
                       r->meaning + u' ' + tr("Level: %1.").arg(values.join(QStringLiteral(", "))),
                       tr("Source: %1").arg(r->source)});
    }
    for (const Level& l : c.request.ownLevels)
        blocks.append(
            {l.name, QString(),
             tr("%1. Source: set by the user of the meter.").arg(c.levelText(l.milliGauss))});
    const QFont nameFont = font(9.5, true), bodyFont = font(8.5),
                sourceFont = font(7.5, false, false, true);
    const auto height = [&](const Block& b) {
        return pg.textHeight(b.name, nameFont, pg.width()) + 1 +
               (b.body.isEmpty() ? 0 : pg.textHeight(b.body, bodyFont, pg.width()) + 1) +
               pg.textHeight(b.source, sourceFont, pg.width()) + 8;
    };
    pg.heading(tr("Reference levels"), height(blocks.first()));
    for (const Block& b : blocks) {
        pg.ensure(height(b));
        pg.y += pg.text(pg.left(), pg.y, pg.width(), b.name, nameFont) + 1;
        if (!b.body.isEmpty())
            pg.y += pg.text(pg.left(), pg.y, pg.width(), b.body, bodyFont) + 1;
        pg.y += pg.text(pg.left(), pg.y, pg.width(), b.source, sourceFont, Grey) + 8;
    }
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
    pg.heading(tr("Record data"), rowHeight(pg, rows.first(), pg.width(), 130, true));
    keyValueRows(pg, pg.left(), pg.width(), 130, rows, true);
}

void render(Pages& pg, const Content& c, ReportLayout* layout)
{
    drawHeader(pg, c);
    drawInstrument(pg, c);
    drawFigures(pg, c);
    drawChart(pg, c, layout);
    drawLevelTable(pg, c);
    drawAssessment(pg, c);
    drawSignOff(pg, c);
    drawBreaks(pg, c.st);
    drawReferences(pg, c);
    drawFileList(pg, c);
    if (c.request.includeRecords && !c.records.lines.isEmpty())
        drawRecords(pg, c);
    pg.finish();
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

QPageSize pageSizeOf(const ReportRequest& request)
{
    const bool letter = request.paper == PaperSize::Letter ||
                        (request.paper == PaperSize::FromLocale &&
                         QLocale::system().measurementSystem() == QLocale::ImperialUSSystem);
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

// The references of the request that are known, at its mains frequency.
QList<const Reference*> referencesOf(const ReportRequest& request)
{
    QList<const Reference*> refs;
    for (const QString& key : request.references)
        if (const Reference* r = findReference(key, request.mains))
            refs << r;
    return refs;
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
    const QSizeF pagePoints = pageSizeOf(request).size(QPageSize::Point);
    options.chartColumns = std::max(
        1,
        int((pagePoints.width() - 2 * Margin - ChartBox::ValueLabels - ChartBox::RightRoom) * 2));
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
            *error = tr("No report: %1").arg(why);
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
    QList<ChartLevel> levels;
    for (qsizetype i = 0; i < options.levels.size(); ++i)
        levels.append({options.levels[i], levelStyle(i)});

    RecordsTable records;
    if (request.includeRecords) {
        QString why;
        const auto table = recordsTable(rows, options, request.recordsAtMost, &why);
        if (!table)
            return fail(tr("No report: %1").arg(why));
        records = *table;
    }

    const QPageSize pageSize = pageSizeOf(request);
    const QSizeF pagePoints = pageSize.size(QPageSize::Point);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(tr("The report cannot be written to %1: %2").arg(path, file.errorString()));
    QPdfWriter writer(&file);
    writer.setResolution(Resolution);
    writer.setPageSize(pageSize);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    const QString title = request.details.title.trimmed().isEmpty()
                              ? tr("Magnetic field survey")
                              : request.details.title.trimmed();
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Veltrix Panel"));

    Content c{request, st, records, levels, referencesOf(request)};
    QString footer = title;
    if (!request.data.isEmpty())
        footer += QStringLiteral("  |  ") + request.data.first().name +
                  (request.data.size() > 1 ? tr(" and %n more", int(request.data.size() - 1))
                                           : QString());
    // First lay the pages out to count them, then draw them.
    Pages dry(writer, nullptr, pagePoints, footer, 0);
    render(dry, c, nullptr);
    const int total = dry.page();

    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        return fail(tr("The report cannot be written to %1.").arg(path));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    Pages pages(writer, &painter, pagePoints, footer, total);
    render(pages, c, layout);
    painter.end();
    if (layout)
        layout->pages = total;
    if (file.error() != QFileDevice::NoError || !ui::commitWhole(file))
        return fail(tr("The report cannot be written to %1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace veltrix
