#include "survey/SurveyReport.h"

#include "records/RecordFile.h"
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

#include <algorithm>
#include <array>
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

const QColor Ink(25, 25, 25);
const QColor Grey(110, 110, 110);
const QColor Rule(200, 200, 200);
const QColor Trace(31, 90, 160);
const QColor OverloadMark(200, 0, 0);
// The level lines, in the order the levels are listed. The first one is a plain strong red.
const QColor LevelColours[] = {QColor(220, 0, 0),  QColor(230, 120, 0), QColor(130, 60, 170),
                               QColor(0, 140, 60), QColor(150, 90, 40), QColor(200, 60, 150),
                               QColor(90, 90, 90)};

QColor levelColour(qsizetype i)
{
    return LevelColours[i % qsizetype(std::size(LevelColours))];
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

// A level in the report's unit, with the other unit beside it.
QString bothUnits(double milliGauss, Unit first)
{
    const Unit second = first == Unit::MilliGauss ? Unit::MicroTesla : Unit::MilliGauss;
    return QStringLiteral("%1 (%2)").arg(valueText(fromMilliGauss(milliGauss, first), first),
                                         valueText(fromMilliGauss(milliGauss, second), second));
}

// 1, 2, 2.5 or 5 times a power of ten, at least v.
double niceCeiling(double v)
{
    if (!(v > 0))
        return 1;
    const double power = std::pow(10, std::floor(std::log10(v)));
    for (const double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * power >= v * (1 - 1e-12))
            return m * power;
    return 10 * power;
}

QString axisNumber(double v)
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
    void line(double x1, double y1, double x2, double y2, const QColor& colour, double width)
    {
        if (!m_p)
            return;
        m_p->setPen(QPen(colour, width * K, Qt::SolidLine, Qt::FlatCap));
        m_p->drawLine(QPointF(x1 * K, y1 * K), QPointF(x2 * K, y2 * K));
    }
    void heading(const QString& text)
    {
        ensure(60);
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

// Label and value rows; the label column is `labelWidth` points wide.
void keyValueRows(Pages& pg, double x, double w, double labelWidth,
                  const QList<std::pair<QString, QString>>& rows, bool monoValues = false)
{
    for (const auto& [label, value] : rows) {
        const QFont valueFont = font(monoValues ? 8 : 9.5, false, monoValues);
        const double h = std::max(pg.textHeight(label, font(8.5), labelWidth - 6),
                                  pg.textHeight(value, valueFont, w - labelWidth));
        pg.ensure(h + 3);
        pg.text(x, pg.y + 0.8, labelWidth - 6, label, font(8.5), Grey);
        pg.text(x + labelWidth, pg.y, w - labelWidth, value, valueFont);
        pg.y += h + 3;
    }
}

struct ChartLevel {
    Level level;
    QColor colour;
};

// The chart block: the plot with the value labels on its left, the unit above them, the time
// labels below it and room on the right for a level's name to end.
struct ChartBox {
    static constexpr double Height = 230;
    static constexpr double ValueLabels = 46; // from the block's left edge to the plot
    static constexpr double ValueLabelWidth = 42;
    static constexpr double RightRoom = 10;
    static constexpr double PlotTop = 8;    // the plot below the block's top
    static constexpr double PlotBelow = 42; // block height left under the plot
    static constexpr double TimeLabelWidth = 80;
    static constexpr double LegendGap = 30; // from the plot's bottom to the legend
};

// How the chart maps the survey onto the plot.
struct ChartScale {
    QRectF plot;
    double yMax = 1;
    qint64 span = 0; // survey time across the plot, ms
    QList<ChartLevel> shown, offChart;

    double yOf(double v) const
    {
        return plot.bottom() - std::clamp(v / yMax, 0.0, 1.0) * plot.height();
    }
    double xOf(qint64 elapsed) const
    {
        return span > 0 ? plot.left() + double(elapsed) / double(span) * plot.width()
                        : plot.center().x();
    }
};

// The y range holds the readings and the levels that are not far above them.
ChartScale chartScale(const Pages& pg, const Statistics& st, const QList<ChartLevel>& levels)
{
    ChartScale c;
    c.plot = QRectF(pg.left() + ChartBox::ValueLabels, pg.y + ChartBox::PlotTop,
                    pg.width() - (ChartBox::ValueLabels + ChartBox::RightRoom),
                    ChartBox::Height - ChartBox::PlotTop - ChartBox::PlotBelow);
    const double dataMax = st.readings > 0 ? st.maximum : 0;
    const double dataMaxMg = toMilliGauss(dataMax, st.unit);
    for (const ChartLevel& l : levels) {
        if (dataMaxMg <= 0 || l.level.milliGauss <= 4 * dataMaxMg)
            c.shown.append(l);
        else
            c.offChart.append(l);
    }
    double top = dataMax;
    for (const ChartLevel& l : c.shown)
        top = std::max(top, fromMilliGauss(l.level.milliGauss, st.unit));
    c.yMax = niceCeiling(top * 1.05);
    c.span = st.duration;
    return c;
}

// The clock time of the first reading in the chart's column at `elapsed` or after it.
ClockMs clockAt(const Statistics& st, qint64 elapsed)
{
    const qsizetype n = st.chart.size();
    qsizetype i =
        st.duration > 0
            ? std::min(n - 1, qsizetype(double(elapsed) / double(st.duration) * double(n)))
            : n / 2;
    while (i + 1 < n && !st.chart[i].readings && !st.chart[i].overload)
        ++i;
    return n > 0 ? st.chart[i].clock : st.first;
}

// Value grid with its labels, the unit, and the time axis with the clock time of the reading at
// each fifth of the survey.
void drawAxes(Pages& pg, const Statistics& st, const ChartScale& c)
{
    const QFont small = font(7.5);
    const QRectF& plot = c.plot;
    const double labelsLeft = plot.left() - ChartBox::ValueLabels;
    for (int i = 0; i <= 5; ++i) {
        const double v = c.yMax * i / 5;
        const double y = c.yOf(v);
        pg.line(plot.left(), y, plot.right(), y, i == 0 ? Ink : Rule, i == 0 ? 0.8 : 0.4);
        pg.text(labelsLeft, y - 5, ChartBox::ValueLabelWidth, axisNumber(v), small, Ink,
                Qt::AlignRight);
    }
    pg.line(plot.left(), plot.top(), plot.left(), plot.bottom(), Ink, 0.8);
    pg.text(labelsLeft, plot.top() - 16, 80, unitText(st.unit), font(8, true));
    QDate lastDate;
    for (int i = 0; i <= 5; ++i) {
        const qint64 at = c.span * i / 5;
        const QDateTime when = clockTime(clockAt(st, at));
        QString label =
            when.toString(c.span >= 600'000 ? QStringLiteral("HH:mm") : QStringLiteral("HH:mm:ss"));
        if (when.date() != lastDate)
            label += u'\n' + when.toString(QStringLiteral("yyyy-MM-dd"));
        lastDate = when.date();
        const double x = c.xOf(at);
        pg.line(x, plot.bottom(), x, plot.bottom() + 3, Ink, 0.6);
        pg.text(x - ChartBox::TimeLabelWidth / 2, plot.bottom() + 4, ChartBox::TimeLabelWidth,
                label, small, Ink, Qt::AlignHCenter);
        if (c.span == 0)
            break;
    }
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

PlotColumns plotColumns(const Statistics& st, const ChartScale& scale)
{
    PlotColumns pc{std::vector<Column>(), scale};
    pc.cols.reserve(size_t(st.chart.size()));
    for (const ChartColumn& c : st.chart)
        pc.cols.push_back({c.readings, c.overload, c.gapBefore, c.low, c.high, c.first, c.last});
    return pc;
}

// Time above each level, shaded above its line.
void drawShading(QPainter* p, const Statistics& st, const PlotColumns& pc)
{
    const ChartScale& c = pc.scale;
    p->setPen(Qt::NoPen);
    for (const ChartLevel& l : c.shown) {
        QColor fill = l.colour;
        fill.setAlpha(45);
        p->setBrush(fill);
        const double level = fromMilliGauss(l.level.milliGauss, st.unit);
        const double ly = c.yOf(level);
        const double w = c.plot.width() / pc.count();
        for (int i = 0; i < pc.count(); ++i) {
            const Column& col = pc.cols[size_t(i)];
            const bool above = col.overload || (col.used && col.max > level);
            if (!above)
                continue;
            const double hy = col.overload ? c.plot.top() : c.yOf(col.max);
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
    p->setBrush(Qt::NoBrush);
}

// Level lines with their names at the right end, where the names do not overlap (the table below
// gives every level with its colour).
void drawLevelLines(Pages& pg, const Statistics& st, const ChartScale& c)
{
    QPainter* p = pg.painter();
    const QFont small = font(7.5);
    double lastLabel = 1e9;
    QList<ChartLevel> byHeight = c.shown;
    std::sort(byHeight.begin(), byHeight.end(), [](const ChartLevel& a, const ChartLevel& b) {
        return a.level.milliGauss < b.level.milliGauss;
    });
    const QRectF& plot = c.plot;
    for (const ChartLevel& l : byHeight) {
        const double ly = c.yOf(fromMilliGauss(l.level.milliGauss, st.unit));
        pg.line(plot.left(), ly, plot.right(), ly, l.colour, 1.2);
        if (lastLabel - ly >= 10) { // y grows downwards: each label above the last
            const QFontMetricsF fm(small, p->device());
            const double w = fm.horizontalAdvance(l.level.name) / K + 4;
            p->fillRect(QRectF((plot.right() - w - 2) * K, (ly - 10) * K, w * K, 9 * K),
                        QColor(255, 255, 255, 210));
            pg.text(plot.right() - 250, ly - 10, 248, l.level.name, small, l.colour,
                    Qt::AlignRight);
            lastLabel = ly;
        }
    }
}

// What the chart shows and what did not fit on it.
QString chartLegend(const Statistics& st, const ChartScale& c)
{
    QString legend = tr("Blue: the readings (lowest to highest in each column of the chart). "
                        "Shaded: time above a level.");
    if (st.overloads > 0)
        legend += tr(" Red marks on the top edge: overloads (OL).");
    if (!st.breaks.isEmpty())
        legend += tr(" The line is broken at gaps and where the clock was set back.");
    if (!c.offChart.isEmpty()) {
        QStringList names;
        for (const ChartLevel& l : c.offChart)
            names << l.level.name;
        legend += tr(" Far above the chart: %1.").arg(names.join(QStringLiteral("; ")));
    }
    return legend;
}

// The chart of the whole period: per column of the plot the lowest and highest reading, joined
// to the next column unless a gap or a clock set back lies between them.
void drawChart(Pages& pg, const Statistics& st, const QList<ChartLevel>& levels,
               ReportLayout* layout)
{
    const ChartScale scale = chartScale(pg, st, levels);
    if (layout) {
        layout->plot = scale.plot;
        layout->yMaximum = scale.yMax;
    }
    if (QPainter* p = pg.painter()) {
        drawAxes(pg, st, scale);
        const PlotColumns columns = plotColumns(st, scale);
        drawShading(p, st, columns);
        drawTrace(p, columns);
        drawLevelLines(pg, st, scale);
    }
    pg.y = scale.plot.bottom() + ChartBox::LegendGap;
    pg.y += pg.text(pg.left(), pg.y, pg.width(), chartLegend(st, scale), font(7.5), Grey) + 4;
}

// A records table line: the cells trimmed, in fixed-width columns (numbers to the right).
QString recordsLine(const RecordCells& cells)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
        .arg(cells[NumberCell].trimmed(), 6)
        .arg(cells[DateCell].trimmed(), -8)
        .arg(cells[TimeCell].trimmed(), -10)
        .arg(cells[ValueCell].trimmed(), 7)
        .arg(cells[UnitCell].trimmed(), -4)
        .arg(cells[HoldCell].trimmed(), -1)
        .arg(cells[PeakCell].trimmed(), -1);
}

// The records as a table, two blocks side by side on each page.
void drawRecords(Pages& pg, const RowText& rowText, const QList<int>& rows)
{
    const QFont mono = font(7, false, true);
    const double lineHeight = 9;
    const QString head = recordsLine({u"No.", u"Date", u"Time", u"Value", u"Unit", u"H", u"P"});
    const double blockWidth = pg.width() / 2;
    qsizetype next = 0;
    while (next < rows.size()) {
        pg.next();
        pg.heading(tr("Records"));
        const int perBlock = std::max(1, int((pg.bottom() - pg.y - lineHeight) / lineHeight));
        const double top = pg.y;
        for (int block = 0; block < 2 && next < rows.size(); ++block) {
            const double x = pg.left() + block * blockWidth;
            QPainter* p = pg.painter();
            if (p) {
                p->setFont(font(7, true, true));
                p->setPen(Ink);
                p->drawText(QPointF(x * K, (top + 7) * K), head);
                p->setFont(mono);
            }
            for (int i = 0; i < perBlock && next < rows.size(); ++i, ++next) {
                if (p)
                    p->drawText(QPointF(x * K, (top + 7 + (i + 1) * lineHeight) * K),
                                recordsLine(recordCells(rowText(rows[next]))));
            }
        }
        pg.y = pg.bottom();
    }
}

// Where the text blocks sit across the text area, in points from its left edge.
struct Columns {
    // Label columns beside the values: the header and the left half of the figures, and the
    // right half of the figures (which begins halfway across).
    static constexpr double Labels = 95;
    static constexpr double RightLabels = 105;
    static constexpr double HalfGap = 10; // between the two halves of the figures
    // The table of time above each level: the left edge of each column.
    static constexpr double Level = 0;
    static constexpr double Value = 170;
    static constexpr double TimeAbove = 292;
    static constexpr double Share = 372;
    static constexpr double Longest = 414;
    static constexpr double CellGap = 6; // a cell's text ends this far before the next column
};

// The table of time above each level, its columns left to right.
constexpr std::array<double, 5> LevelColumns = {Columns::Level, Columns::Value, Columns::TimeAbove,
                                                Columns::Share, Columns::Longest};
// The text width of a column of the table in a text area `areaWidth` wide.
double levelColumnWidth(size_t k, double areaWidth)
{
    return (k + 1 < LevelColumns.size() ? LevelColumns[k + 1] : areaWidth) - LevelColumns[k] -
           Columns::CellGap;
}

struct Content {
    const ReportRequest& request;
    const Statistics& st;
    const RowText& rowText;
    const QList<int>& recordRows;
    QList<ChartLevel> levels;
    QList<const Reference*> references;
};

// Title, site, and who, where, when, with what; the data's name and SHA-256.
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
    QList<std::pair<QString, QString>> header;
    const auto add = [&header](const QString& label, const QString& value) {
        if (!value.trimmed().isEmpty())
            header.append({label, value.trimmed()});
    };
    add(tr("Site"), d.site);
    add(tr("Location"), d.location);
    add(tr("Measured by"), d.operatorName);
    add(tr("Meter"), d.meter);
    add(tr("Period"), tr("%1 to %2 (%3)")
                          .arg(clockText(st.first), clockText(st.last), durationText(st.duration)));
    add(tr("Record data"), c.request.dataName);
    add(tr("SHA-256"), c.request.sha256 + (c.request.sha256Note.isEmpty()
                                               ? QString()
                                               : QStringLiteral("\n") + c.request.sha256Note));
    add(tr("Report written"),
        QLocale().toString(QDateTime::currentDateTime(), QLocale::LongFormat));
    add(tr("Notes"), d.notes);
    const QString sha = tr("SHA-256");
    for (const auto& row : header)
        keyValueRows(pg, pg.left(), pg.width(), Columns::Labels, {row}, row.first == sha);
}

// The figures, in two columns: counts and times on the left, values on the right.
void drawFigures(Pages& pg, const Statistics& st)
{
    pg.heading(tr("Figures (%1)").arg(unitText(st.unit)));
    QList<std::pair<QString, QString>> left = {
        {tr("Records"), QString::number(st.rows)},
        {tr("Readings"), QString::number(st.readings)},
        {tr("Overloads (OL)"),
         QString::number(st.overloads) + (st.overloads ? tr(", not in the figures") : QString())},
        {tr("Invalid readings"), QString::number(st.invalid)},
        {tr("Sampling time"), st.sampling > 0 ? durationText(st.sampling) : tr("unknown")},
        {tr("Duration"), durationText(st.duration)},
    };
    if (st.converted > 0)
        left.append(
            {tr("Converted"), tr("%1 readings from %2")
                                  .arg(st.converted)
                                  .arg(unitText(st.unit == Unit::MilliGauss ? Unit::MicroTesla
                                                                            : Unit::MilliGauss))});
    QList<std::pair<QString, QString>> right;
    if (st.readings > 0) {
        right = {
            {tr("Lowest"),
             valueText(st.minimum, st.unit) + QStringLiteral("\n") + clockText(st.minimumAt.clock)},
            {tr("Highest"),
             valueText(st.maximum, st.unit) + QStringLiteral("\n") + clockText(st.maximumAt.clock)},
            {tr("Mean"), valueText(st.mean, st.unit)},
            {tr("Median (typical)"), valueText(st.median, st.unit)},
            {tr("95th percentile"), valueText(st.percentile95, st.unit)},
            {tr("Standard deviation"), valueText(st.standardDeviation, st.unit)},
        };
    } else {
        right = {{tr("Readings"), tr("Every reading is an overload (OL): the field was beyond "
                                     "the meter's range throughout.")}};
    }
    const double top = pg.y;
    const double half = pg.width() / 2;
    keyValueRows(pg, pg.left(), half - Columns::HalfGap, Columns::Labels, left);
    const double leftEnd = pg.y;
    pg.y = top;
    keyValueRows(pg, pg.left() + half, half, Columns::RightLabels, right);
    pg.y = std::max(pg.y, leftEnd);
}

// One row of the table of time above each level, with the level's colour beside it.
void drawLevelRow(Pages& pg, const Statistics& st, const ChartLevel& l, const LevelFigures& f)
{
    const qint64 measured = st.measured;
    const QString longest =
        f.longest > 0
            ? tr("%1 from %2").arg(durationText(f.longest), clockText(f.longestStart.clock))
            : tr("none");
    const QString cells[] = {
        l.level.name, bothUnits(l.level.milliGauss, st.unit),
        st.sampling > 0 ? durationText(f.timeAbove) : tr("%n reading(s)", f.samplesAbove),
        measured > 0 ? QString::number(100.0 * double(f.timeAbove) / double(measured), 'f', 1) +
                           QStringLiteral(" %")
                     : QString(),
        longest};
    double h = 0;
    for (size_t k = 0; k < LevelColumns.size(); ++k)
        h = std::max(h, pg.textHeight(cells[k], font(8.5), levelColumnWidth(k, pg.width())));
    pg.ensure(h + 4);
    if (QPainter* p = pg.painter()) {
        p->setPen(Qt::NoPen);
        p->setBrush(l.colour);
        p->drawRect(QRectF((pg.left() - 9) * K, (pg.y + 2) * K, 5 * K, 5 * K));
        p->setBrush(Qt::NoBrush);
    }
    for (size_t k = 0; k < LevelColumns.size(); ++k)
        pg.text(pg.left() + LevelColumns[k], pg.y, levelColumnWidth(k, pg.width()), cells[k],
                font(8.5));
    pg.y += h + 4;
}

void drawLevelTable(Pages& pg, const Content& c)
{
    pg.heading(tr("Time above each level"));
    if (c.levels.isEmpty()) {
        pg.y += pg.text(pg.left(), pg.y, pg.width(), tr("No level was chosen."), font(9.5)) + 4;
        return;
    }
    const QStringList heads = {tr("Level"), tr("Value"), tr("Time above"), tr("Share"),
                               tr("Longest stretch above")};
    double headHeight = 0;
    for (size_t k = 0; k < LevelColumns.size(); ++k)
        headHeight = std::max(headHeight, pg.text(pg.left() + LevelColumns[k], pg.y,
                                                  levelColumnWidth(k, pg.width()),
                                                  heads[qsizetype(k)], font(8, true), Grey));
    pg.y += headHeight + 3;
    for (const ChartLevel& l : c.levels) {
        const LevelFigures* f = nullptr;
        for (const LevelFigures& g : c.st.levels)
            if (g.level.name == l.level.name && g.level.milliGauss == l.level.milliGauss)
                f = &g;
        if (f)
            drawLevelRow(pg, c.st, l, *f);
    }
    pg.y += pg.text(pg.left(), pg.y + 2, pg.width(),
                    tr("Each reading stands for one sampling time; a gap longer than two "
                       "sampling times counts for nothing and ends a stretch. An overload "
                       "(OL) counts as above a level at or below %1, the top of the meter's "
                       "smallest range: the records do not say the range a reading was taken in.")
                        .arg(figureText(c.st.overloadTopMg, figureUnitOf(c.st.unit), 0.1)),
                    font(7.5), Grey) +
            6;
}

// Gaps and clock changes, then the overloads' times.
void drawBreaks(Pages& pg, const Statistics& st)
{
    pg.heading(tr("Gaps and clock changes"));
    if (st.breaks.isEmpty()) {
        pg.y +=
            pg.text(pg.left(), pg.y, pg.width(),
                    tr("None: the readings follow each other at the sampling time."), font(9.5)) +
            4;
    }
    for (qsizetype i = 0; i < st.breaks.size() && i < ListedAtMost; ++i) {
        const Break& b = st.breaks[i];
        const QString text = b.kind == Break::Gap
                                 ? tr("Gap of %1: no reading from %2 to %3")
                                       .arg(durationText(b.after.clock - b.before.clock),
                                            clockText(b.before.clock), clockText(b.after.clock))
                                 : tr("Clock set back: %1 is followed by %2 (no time counted)")
                                       .arg(clockText(b.before.clock), clockText(b.after.clock));
        pg.ensure(13);
        pg.y += pg.text(pg.left(), pg.y, pg.width(), text, font(8.5)) + 2;
    }
    if (st.breakCount > ListedAtMost)
        pg.y += pg.text(pg.left(), pg.y, pg.width(),
                        tr("... and %1 more.").arg(st.breakCount - ListedAtMost), font(8.5)) +
                2;

    if (st.overloadMoments.isEmpty())
        return;
    pg.heading(tr("Overloads (OL)"));
    QStringList times;
    for (qsizetype i = 0; i < st.overloadMoments.size() && i < ListedAtMost; ++i)
        times << clockText(st.overloadMoments[i].clock);
    QString text = times.join(QStringLiteral(";  "));
    if (st.overloads > ListedAtMost)
        text += tr("; ... and %1 more.").arg(st.overloads - ListedAtMost);
    const double h = pg.textHeight(text, font(8.5), pg.width());
    pg.ensure(h);
    pg.y += pg.text(pg.left(), pg.y, pg.width(), text, font(8.5)) + 4;
}

// The published levels chosen, each with its meaning and source, then the user's own.
void drawReferences(Pages& pg, const Content& c)
{
    const Statistics& st = c.st;
    if (c.references.isEmpty() && c.request.ownLevels.isEmpty())
        return;
    pg.heading(tr("Reference levels"));
    for (const Reference* r : c.references) {
        QStringList values;
        for (const Level& l : r->lines)
            values << bothUnits(l.milliGauss, st.unit);
        QString body = r->meaning + u' ' + tr("Level: %1.").arg(values.join(QStringLiteral(", ")));
        // A time-averaged level is compared with the mean of the survey.
        if (r->statistic == Statistic::Mean && st.readings > 0)
            body += u' ' + tr("The mean of this survey: %1.").arg(valueText(st.mean, st.unit));
        const QString source = tr("Source: %1").arg(r->source);
        const double h = pg.textHeight(r->name, font(9.5, true), pg.width()) +
                         pg.textHeight(body, font(8.5), pg.width()) +
                         pg.textHeight(source, font(7.5, false, false, true), pg.width());
        pg.ensure(h + 8);
        pg.y += pg.text(pg.left(), pg.y, pg.width(), r->name, font(9.5, true)) + 1;
        pg.y += pg.text(pg.left(), pg.y, pg.width(), body, font(8.5)) + 1;
        pg.y +=
            pg.text(pg.left(), pg.y, pg.width(), source, font(7.5, false, false, true), Grey) + 8;
    }
    for (const Level& l : c.request.ownLevels) {
        pg.ensure(26);
        pg.y += pg.text(pg.left(), pg.y, pg.width(), l.name, font(9.5, true)) + 1;
        pg.y += pg.text(pg.left(), pg.y, pg.width(),
                        tr("%1. Source: set by the user of the meter.")
                            .arg(bothUnits(l.milliGauss, st.unit)),
                        font(7.5, false, false, true), Grey) +
                8;
    }
}

void render(Pages& pg, const Content& c, ReportLayout* layout)
{
    drawHeader(pg, c);
    drawFigures(pg, c.st);
    pg.heading(tr("The whole period"));
    pg.ensure(ChartBox::Height + 20);
    drawChart(pg, c.st, c.levels, pg.page() == 1 ? layout : nullptr);
    drawLevelTable(pg, c);
    drawBreaks(pg, c.st);
    drawReferences(pg, c);
    if (c.request.includeRecords && !c.recordRows.isEmpty())
        drawRecords(pg, c.rowText, c.recordRows);
    pg.finish();
}

// The rows the records table lists: those with something in them and, when a range is given,
// whose time can be read and lies in it.
QList<int> rowsInRange(const RowText& rowText, int rowCount, const Options& options)
{
    QList<int> rows;
    rows.reserve(rowCount);
    for (int r = 1; r <= rowCount; ++r) {
        const QStringView row = rowText(r);
        if (row.trimmed().isEmpty())
            continue;
        if (options.from || options.to) {
            const auto clock = rowClock(row);
            if (!clock || (options.from && *clock < *options.from) ||
                (options.to && *clock > *options.to))
                continue;
        }
        rows.append(r);
    }
    return rows;
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

bool writeSurveyReport(const QString& path, const RowText& rowText, int rowCount,
                       const ReportRequest& request, QString* error, ReportLayout* layout)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };

    // The levels: the user's own first (they draw in the strongest colour), then the chosen
    // references' lines.
    QList<ChartLevel> levels;
    QList<const Reference*> refs;
    for (const QString& key : request.references)
        if (const Reference* r = findReference(key))
            refs << r;
    Options options = request.options;
    options.levels = request.ownLevels;
    for (const Reference* r : refs)
        options.levels += r->lines;
    for (qsizetype i = 0; i < options.levels.size(); ++i)
        levels.append({options.levels[i], levelColour(i)});

    const bool letter = request.paper == PaperSize::Letter ||
                        (request.paper == PaperSize::FromLocale &&
                         QLocale::system().measurementSystem() == QLocale::ImperialUSSystem);
    const QPageSize pageSize(letter ? QPageSize::Letter : QPageSize::A4);
    const QSizeF pagePoints = pageSize.size(QPageSize::Point);
    // Two columns of the chart a point of the plot.
    options.chartColumns = std::max(
        1,
        int((pagePoints.width() - 2 * Margin - ChartBox::ValueLabels - ChartBox::RightRoom) * 2));

    QString why;
    const std::optional<Statistics> st = compute(rowText, rowCount, options, &why);
    if (!st)
        return fail(tr("No report: %1").arg(why));

    const QList<int> recordRows =
        request.includeRecords ? rowsInRange(rowText, rowCount, options) : QList<int>();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(tr("The report cannot be written to %1: %2").arg(path, file.errorString()));
    QPdfWriter writer(&file);
    writer.setResolution(Resolution);
    writer.setPageSize(pageSize);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(request.details.title.isEmpty() ? tr("Magnetic field survey")
                                                    : request.details.title);
    writer.setCreator(QStringLiteral("Veltrix Panel"));

    Content c{request, *st, rowText, recordRows, levels, refs};
    const QString footer =
        (request.details.title.isEmpty() ? tr("Magnetic field survey") : request.details.title) +
        QStringLiteral("  |  ") + request.dataName;
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
