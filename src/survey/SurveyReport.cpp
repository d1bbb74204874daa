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
constexpr double ChartHeight = 230;
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

// The chart of the whole period: per column of the plot the lowest and highest reading, joined
// to the next column unless a gap or a clock set back lies between them.
void drawChart(Pages& pg, const Statistics& st, const QList<ChartLevel>& levels,
               ReportLayout* layout)
{
    const QFont small = font(7.5);
    const QRectF plot(pg.left() + 46, pg.y + 8, pg.width() - 56, ChartHeight - 50);

    // The y range holds the readings and the levels that are not far above them.
    double dataMax = st.readings > 0 ? st.maximum : 0;
    const double dataMaxMg = toMilliGauss(dataMax, st.unit);
    QList<ChartLevel> shown, offChart;
    for (const ChartLevel& l : levels) {
        if (dataMaxMg <= 0 || l.level.milliGauss <= 4 * dataMaxMg)
            shown.append(l);
        else
            offChart.append(l);
    }
    double top = dataMax;
    for (const ChartLevel& l : shown)
        top = std::max(top, fromMilliGauss(l.level.milliGauss, st.unit));
    const double yMax = niceCeiling(top * 1.05);
    if (layout) {
        layout->plot = plot;
        layout->yMaximum = yMax;
    }
    const auto yOf = [&](double v) {
        return plot.bottom() - std::clamp(v / yMax, 0.0, 1.0) * plot.height();
    };
    const qint64 span = st.duration;
    const auto xOf = [&](qint64 elapsed) {
        return span > 0 ? plot.left() + double(elapsed) / double(span) * plot.width()
                        : plot.center().x();
    };

    QPainter* p = pg.painter();
    if (p) {
        // Grid and axes.
        for (int i = 0; i <= 5; ++i) {
            const double v = yMax * i / 5;
            const double y = yOf(v);
            pg.line(plot.left(), y, plot.right(), y, i == 0 ? Ink : Rule, i == 0 ? 0.8 : 0.4);
            pg.text(plot.left() - 46, y - 5, 42, axisNumber(v), small, Ink, Qt::AlignRight);
        }
        pg.line(plot.left(), plot.top(), plot.left(), plot.bottom(), Ink, 0.8);
        pg.text(plot.left() - 46, plot.top() - 16, 80, unitText(st.unit), font(8, true));
        QDate lastDate;
        for (int i = 0; i <= 5; ++i) {
            const qint64 at = span * i / 5;
            // The clock time of the reading at that point of the survey.
            const auto it =
                std::lower_bound(st.series.cbegin(), st.series.cend(), at,
                                 [](const Sample& s, qint64 e) { return s.elapsed < e; });
            const Sample& s = it == st.series.cend() ? st.series.last() : *it;
            const QDateTime when = clockTime(s.clock);
            QString label = when.toString(span >= 600'000 ? QStringLiteral("HH:mm")
                                                          : QStringLiteral("HH:mm:ss"));
            if (when.date() != lastDate)
                label += u'\n' + when.toString(QStringLiteral("yyyy-MM-dd"));
            lastDate = when.date();
            const double x = xOf(at);
            pg.line(x, plot.bottom(), x, plot.bottom() + 3, Ink, 0.6);
            pg.text(x - 40, plot.bottom() + 4, 80, label, small, Ink, Qt::AlignHCenter);
            if (span == 0)
                break;
        }

        // Min and max per column.
        const int columns = std::max(1, int(plot.width() * 2));
        struct Column {
            bool used = false, overload = false, brokenBefore = false;
            double min = 0, max = 0, first = 0, last = 0;
        };
        std::vector<Column> cols(static_cast<size_t>(columns));
        const auto colOf = [&](qint64 elapsed) {
            return span > 0 ? std::min(columns - 1, int(double(elapsed) / double(span) * columns))
                            : columns / 2;
        };
        qsizetype nextBreak = 0;
        for (qsizetype i = 0; i < st.series.size(); ++i) {
            const Sample& s = st.series[i];
            Column& c = cols[size_t(colOf(s.elapsed))];
            bool broken = false;
            while (nextBreak < st.breaks.size() && st.breaks[nextBreak].after.row <= s.row) {
                broken = broken || st.breaks[nextBreak].after.row == s.row;
                ++nextBreak;
            }
            if (s.overload) {
                c.overload = true;
                if (broken)
                    c.brokenBefore = c.brokenBefore || !c.used;
                continue;
            }
            if (!c.used) {
                c.used = true;
                c.min = c.max = c.first = s.value;
                c.brokenBefore = c.brokenBefore || broken;
            }
            c.min = std::min(c.min, s.value);
            c.max = std::max(c.max, s.value);
            c.last = s.value;
        }
        const auto colX = [&](int c) {
            return span > 0 ? plot.left() + (c + 0.5) / columns * plot.width() : plot.center().x();
        };

        // Time above each level, shaded above its line.
        p->setPen(Qt::NoPen);
        for (const ChartLevel& l : shown) {
            QColor fill = l.colour;
            fill.setAlpha(45);
            p->setBrush(fill);
            const double level = fromMilliGauss(l.level.milliGauss, st.unit);
            const double ly = yOf(level);
            const double w = plot.width() / columns;
            for (int c = 0; c < columns; ++c) {
                const Column& col = cols[size_t(c)];
                const bool above = col.overload || (col.used && col.max > level);
                if (!above)
                    continue;
                const double hy = col.overload ? plot.top() : yOf(col.max);
                p->drawRect(QRectF((colX(c) - w / 2) * K, hy * K, w * K, (ly - hy) * K));
            }
        }
        p->setBrush(Qt::NoBrush);

        // The trace.
        p->setPen(QPen(Trace, 0.7 * K, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPolygonF run;
        const auto flush = [&] {
            if (run.size() == 1)
                p->drawPoint(run.first());
            else if (run.size() > 1)
                p->drawPolyline(run);
            run.clear();
        };
        for (int c = 0; c < columns; ++c) {
            const Column& col = cols[size_t(c)];
            if (col.brokenBefore)
                flush();
            if (!col.used)
                continue;
            const double x = colX(c) * K;
            run << QPointF(x, yOf(col.first) * K);
            if (col.min != col.max) {
                run << QPointF(x, yOf(col.first <= col.last ? col.min : col.max) * K)
                    << QPointF(x, yOf(col.first <= col.last ? col.max : col.min) * K);
            }
            run << QPointF(x, yOf(col.last) * K);
        }
        flush();

        // Overloads as marks on the top edge.
        p->setPen(Qt::NoPen);
        p->setBrush(OverloadMark);
        for (int c = 0; c < columns; ++c) {
            if (!cols[size_t(c)].overload)
                continue;
            const double x = colX(c);
            const QPointF tri[3] = {QPointF(x * K, (plot.top() - 1) * K),
                                    QPointF((x - 2.5) * K, (plot.top() - 6) * K),
                                    QPointF((x + 2.5) * K, (plot.top() - 6) * K)};
            p->drawPolygon(tri, 3);
        }
        p->setBrush(Qt::NoBrush);

        // Level lines with their names at the right end, where the names do not overlap (the
        // table below gives every level with its colour).
        double lastLabel = 1e9;
        QList<ChartLevel> byHeight = shown;
        std::sort(byHeight.begin(), byHeight.end(), [](const ChartLevel& a, const ChartLevel& b) {
            return a.level.milliGauss < b.level.milliGauss;
        });
        for (const ChartLevel& l : byHeight) {
            const double ly = yOf(fromMilliGauss(l.level.milliGauss, st.unit));
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
    pg.y = plot.bottom() + 30;

    // Legend and what did not fit.
    QString legend = tr("Blue: the readings (lowest to highest in each column of the chart). "
                        "Shaded: time above a level.");
    if (st.overloads > 0)
        legend += tr(" Red marks on the top edge: overloads (OL).");
    if (!st.breaks.isEmpty())
        legend += tr(" The line is broken at gaps and where the clock was set back.");
    if (!offChart.isEmpty()) {
        QStringList names;
        for (const ChartLevel& l : offChart)
            names << l.level.name;
        legend += tr(" Far above the chart: %1.").arg(names.join(QStringLiteral("; ")));
    }
    pg.y += pg.text(pg.left(), pg.y, pg.width(), legend, font(7.5), Grey) + 4;
}

// The records as a table, two blocks side by side on each page.
void drawRecords(Pages& pg, const RowText& rowText, const QList<int>& rows)
{
    const QFont mono = font(7, false, true);
    const double lineHeight = 9;
    const QString head = QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                             .arg(QStringLiteral("No."), 6)
                             .arg(QStringLiteral("Date"), -8)
                             .arg(QStringLiteral("Time"), -10)
                             .arg(QStringLiteral("Value"), 7)
                             .arg(QStringLiteral("Unit"), -4)
                             .arg(QStringLiteral("H"), -1)
                             .arg(QStringLiteral("P"), -1);
    const double blockWidth = pg.width() / 2;
    qsizetype next = 0;
    while (next < rows.size()) {
        pg.next();
        pg.heading(tr("Records"));
        const int perBlock = std::max(1, int((pg.bottom() - pg.y - lineHeight) / lineHeight));
        const double top = pg.y;
        for (int block = 0; block < 2 && next < rows.size(); ++block) {
            const double x = pg.left() + block * blockWidth;
            if (QPainter* p = pg.painter()) {
                p->setFont(font(7, true, true));
                p->setPen(Ink);
                p->drawText(QPointF(x * K, (top + 7) * K), head);
                p->setFont(mono);
            }
            for (int i = 0; i < perBlock && next < rows.size(); ++i, ++next) {
                if (QPainter* p = pg.painter()) {
                    const QStringView row = rowText(rows[next]);
                    QStringView cells[RecordFields];
                    qsizetype start = 0;
                    for (int c = 0; c < RecordFields && start <= row.size(); ++c) {
                        qsizetype end = row.indexOf(u'\t', start);
                        if (end < 0)
                            end = row.size();
                        cells[c] = row.mid(start, end - start).trimmed();
                        start = end + 1;
                    }
                    const QString line = QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                                             .arg(cells[0], 6)
                                             .arg(cells[1], -8)
                                             .arg(cells[2], -10)
                                             .arg(cells[3], 7)
                                             .arg(cells[4], -4)
                                             .arg(cells[5], -1)
                                             .arg(cells[6], -1);
                    p->drawText(QPointF(x * K, (top + 7 + (i + 1) * lineHeight) * K), line);
                }
            }
        }
        pg.y = pg.bottom();
    }
}

struct Content {
    const ReportRequest& request;
    const Statistics& st;
    const RowText& rowText;
    const QList<int>& recordRows;
    QList<ChartLevel> levels;
    QList<const Reference*> references;
};

void render(Pages& pg, const Content& c, ReportLayout* layout)
{
    const ReportDetails& d = c.request.details;
    const Statistics& st = c.st;

    // Header block.
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
    for (const auto& row : header) {
        keyValueRows(pg, pg.left(), pg.width(), 95, {row}, row.first == sha);
    }

    // Figures, in two columns.
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
    keyValueRows(pg, pg.left(), half - 10, 95, left);
    const double leftEnd = pg.y;
    pg.y = top;
    keyValueRows(pg, pg.left() + half, half, 105, right);
    pg.y = std::max(pg.y, leftEnd);

    // Chart.
    pg.heading(tr("The whole period"));
    pg.ensure(ChartHeight + 20);
    drawChart(pg, st, c.levels, pg.page() == 1 ? layout : nullptr);

    // Time above each level.
    pg.heading(tr("Time above each level"));
    if (c.levels.isEmpty()) {
        pg.y += pg.text(pg.left(), pg.y, pg.width(), tr("No level was chosen."), font(9.5)) + 4;
    } else {
        const double cols[] = {0, 170, 292, 372, 414};
        const QStringList heads = {tr("Level"), tr("Value"), tr("Time above"), tr("Share"),
                                   tr("Longest stretch above")};
        double headHeight = 0;
        for (int i = 0; i < heads.size(); ++i)
            headHeight = std::max(
                headHeight, pg.text(pg.left() + cols[i], pg.y,
                                    (i + 1 < heads.size() ? cols[i + 1] : pg.width()) - cols[i] - 6,
                                    heads[i], font(8, true), Grey));
        pg.y += headHeight + 3;
        const qint64 measured = qint64(st.readings + st.overloads) * st.sampling;
        for (qsizetype i = 0; i < c.levels.size(); ++i) {
            const ChartLevel& l = c.levels[i];
            const LevelFigures* f = nullptr;
            for (const LevelFigures& g : st.levels)
                if (g.level.name == l.level.name && g.level.milliGauss == l.level.milliGauss)
                    f = &g;
            if (!f)
                continue;
            QString longest = f->longest > 0 ? tr("%1 from %2")
                                                   .arg(durationText(f->longest),
                                                        clockText(f->longestStart.clock))
                                             : tr("none");
            const QString cells[] = {
                l.level.name, bothUnits(l.level.milliGauss, st.unit),
                st.sampling > 0 ? durationText(f->timeAbove) : tr("%n reading(s)", f->samplesAbove),
                measured > 0
                    ? QString::number(100.0 * double(f->timeAbove) / double(measured), 'f', 1) +
                          QStringLiteral(" %")
                    : QString(),
                longest};
            double h = 0;
            for (int k = 0; k < 5; ++k)
                h = std::max(h, pg.textHeight(cells[k], font(8.5),
                                              (k < 4 ? cols[k + 1] : pg.width()) - cols[k] - 6));
            pg.ensure(h + 4);
            if (QPainter* p = pg.painter()) {
                p->setPen(Qt::NoPen);
                p->setBrush(l.colour);
                p->drawRect(QRectF((pg.left() - 9) * K, (pg.y + 2) * K, 5 * K, 5 * K));
                p->setBrush(Qt::NoBrush);
            }
            for (int k = 0; k < 5; ++k)
                pg.text(pg.left() + cols[k], pg.y, (k < 4 ? cols[k + 1] : pg.width()) - cols[k] - 6,
                        cells[k], font(8.5));
            pg.y += h + 4;
        }
        pg.y += pg.text(pg.left(), pg.y + 2, pg.width(),
                        tr("Each reading stands for one sampling time; a gap longer than two "
                           "sampling times counts for nothing and ends a stretch. An overload "
                           "(OL) counts as above every level."),
                        font(7.5), Grey) +
                6;
    }

    // Gaps and clock changes.
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
    if (st.breaks.size() > ListedAtMost)
        pg.y += pg.text(pg.left(), pg.y, pg.width(),
                        tr("... and %1 more.").arg(st.breaks.size() - ListedAtMost), font(8.5)) +
                2;

    if (!st.overloadMoments.isEmpty()) {
        pg.heading(tr("Overloads (OL)"));
        QStringList times;
        for (qsizetype i = 0; i < st.overloadMoments.size() && i < ListedAtMost; ++i)
            times << clockText(st.overloadMoments[i].clock);
        QString text = times.join(QStringLiteral(";  "));
        if (st.overloadMoments.size() > ListedAtMost)
            text += tr("; ... and %1 more.").arg(st.overloadMoments.size() - ListedAtMost);
        const double h = pg.textHeight(text, font(8.5), pg.width());
        pg.ensure(h);
        pg.y += pg.text(pg.left(), pg.y, pg.width(), text, font(8.5)) + 4;
    }

    // References with their sources.
    if (!c.references.isEmpty() || !c.request.ownLevels.isEmpty()) {
        pg.heading(tr("Reference levels"));
        for (const Reference* r : c.references) {
            QStringList values;
            for (const Level& l : r->lines)
                values << bothUnits(l.milliGauss, st.unit);
            QString body =
                r->meaning + u' ' + tr("Level: %1.").arg(values.join(QStringLiteral(", ")));
            // A time-averaged level is compared with the mean of the survey.
            if (r->timeAveraged && st.readings > 0)
                body += u' ' + tr("The mean of this survey: %1.").arg(valueText(st.mean, st.unit));
            const QString source = tr("Source: %1").arg(r->source);
            const double h = pg.textHeight(r->name, font(9.5, true), pg.width()) +
                             pg.textHeight(body, font(8.5), pg.width()) +
                             pg.textHeight(source, font(7.5, false, false, true), pg.width());
            pg.ensure(h + 8);
            pg.y += pg.text(pg.left(), pg.y, pg.width(), r->name, font(9.5, true)) + 1;
            pg.y += pg.text(pg.left(), pg.y, pg.width(), body, font(8.5)) + 1;
            pg.y +=
                pg.text(pg.left(), pg.y, pg.width(), source, font(7.5, false, false, true), Grey) +
                8;
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

    if (c.request.includeRecords && !c.recordRows.isEmpty())
        drawRecords(pg, c.rowText, c.recordRows);
    pg.finish();
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

    QString why;
    const std::optional<Statistics> st = compute(rowText, rowCount, options, &why);
    if (!st)
        return fail(tr("No report: %1").arg(why));

    QList<int> recordRows;
    if (request.includeRecords) {
        recordRows.reserve(rowCount);
        for (int r = 1; r <= rowCount; ++r) {
            const QStringView row = rowText(r);
            if (row.trimmed().isEmpty())
                continue;
            if (options.from || options.to) {
                // Only the rows of the range: those whose time can be read and lies in it.
                const QStringView date = row.mid(row.indexOf(u'\t') + 1);
                const qsizetype t = date.indexOf(u'\t');
                const QStringView time = t < 0 ? QStringView() : date.mid(t + 1);
                const auto clock = clockMsOf(
                    date.left(t < 0 ? date.size() : t),
                    time.left(time.indexOf(u'\t') < 0 ? time.size() : time.indexOf(u'\t')));
                if (!clock || (options.from && *clock < *options.from) ||
                    (options.to && *clock > *options.to))
                    continue;
            }
            recordRows.append(r);
        }
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(tr("The report cannot be written to %1: %2").arg(path, file.errorString()));
    QPdfWriter writer(&file);
    writer.setResolution(Resolution);
    const bool letter = request.paper == PaperSize::Letter ||
                        (request.paper == PaperSize::FromLocale &&
                         QLocale::system().measurementSystem() == QLocale::ImperialUSSystem);
    const QPageSize pageSize(letter ? QPageSize::Letter : QPageSize::A4);
    writer.setPageSize(pageSize);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(request.details.title.isEmpty() ? tr("Magnetic field survey")
                                                    : request.details.title);
    writer.setCreator(QStringLiteral("Veltrix Panel"));
    const QSizeF pagePoints = pageSize.size(QPageSize::Point);

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
