// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/ReportPage.h"

#include "survey/Assessment.h"
#include "survey/ReportGeometry.h"
#include "ui/SaveFile.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPainterPath>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace veltrix::pdf {

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

QFont font(double points, bool bold, bool mono, bool italic)
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
    return clockText(ms, ui::displayLocale()) + u' ' + offsetText(localTime(ms));
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
    return zones.join(Tr::tr(", later "));
}

// A number as short as it is exact: a level, a value on the chart's axis.
QString plainNumber(double v)
{
    return ui::shortNumberText(v);
}

// "now" on this computer, to the minute, with its offset.
QString nowText()
{
    const QDateTime now = QDateTime::currentDateTime();
    return ui::dateTimeText(now) + u' ' + offsetText(now);
}

void Pages::footer()
{
    if (!m_p)
        return;
    const double base = bottom() + FooterGap;
    const QFont f = font(7.5);
    text(left(), base, width() * 0.75, m_footer, f, Grey, Qt::AlignLeft);
    text(left(), base, width(), Tr::tr("Page %1 of %2").arg(m_page).arg(m_total), f, Grey,
         Qt::AlignRight);
}

// Label and value rows; the label column is `labelWidth` points wide.
double rowHeight(Pages& pg, const std::pair<QString, QString>& row, double w, double labelWidth,
                 bool monoValue)
{
    return std::max(
        pg.textHeight(row.first, font(8.5), labelWidth - 6),
        pg.textHeight(row.second, font(monoValue ? 8 : 9.5, false, monoValue), w - labelWidth));
}

void keyValueRows(Pages& pg, double x, double w, double labelWidth, const Rows& rows,
                  bool monoValues)
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

void drawTitle(Pages& pg, const ReportDetails& d)
{
    const QString title = d.title.trimmed().isEmpty() ? Tr::tr("Magnetic field survey") : d.title;
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
}

QString measuredBy(const ReportDetails& d)
{
    return d.company.trimmed().isEmpty() || d.operatorName.trimmed().isEmpty()
               ? d.operatorName + d.company
               : d.operatorName.trimmed() + QStringLiteral(", ") + d.company.trimmed();
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
    const QString axes = in.axes == 3   ? Tr::tr("3-D (isotropic)")
                         : in.axes == 1 ? Tr::tr("1-D (single axis)")
                                        : QString();
    twoColumnSection(
        pg, Tr::tr("Instrument and method"),
        filled({{Tr::tr("Instrument"), in.model},
                {Tr::tr("Serial / ID"), in.serial},
                {Tr::tr("Calibrated"),
                 in.calibrated.isValid() ? ui::dateText(in.calibrated) : QString()}}),
        filled({{Tr::tr("Frequency range"), in.frequencyRange},
                {Tr::tr("Axes"), axes},
                {Tr::tr("Mains frequency"),
                 c.request.mains == Mains::Hz60 ? Tr::tr("60 Hz") : Tr::tr("50 Hz")}}));
    keyValueRows(pg, pg.left(), pg.width(), Columns::Labels,
                 filled({{Tr::tr("Method"), c.request.method}}));
}

// The figures, in two columns: counts and times on the left, values on the right.
void drawFigures(Pages& pg, const Content& c)
{
    const Statistics& st = c.st;
    const Rows left = {
        {Tr::tr("Records"), QString::number(st.rows)},
        {Tr::tr("Readings"), QString::number(st.readings)},
        {Tr::tr("Overloads (OL)"), QString::number(st.overloads) +
                                       (st.overloads ? Tr::tr(", not in the figures") : QString())},
        {Tr::tr("Invalid readings"), QString::number(st.invalid)},
        {Tr::tr("Sampling time"), st.sampling > 0 ? lengthText(st.sampling) : Tr::tr("unknown")},
        {Tr::tr("Duration"), lengthText(st.duration)},
    };
    Rows right;
    if (st.readings > 0) {
        right = {
            {Tr::tr("Lowest"), c.figure(st.minimum) + u'\n' + whenText(st.minimumAt.clock)},
            {Tr::tr("Highest"), c.figure(st.maximum) + u'\n' + whenText(st.maximumAt.clock)},
            {Tr::tr("Mean"), c.figure(st.mean)},
            {Tr::tr("Median (typical)"), c.figure(st.median)},
            {Tr::tr("95th percentile"), c.figure(st.percentile95)},
            {Tr::tr("Standard deviation"), c.figure(st.standardDeviation)},
        };
    } else {
        right = {
            {Tr::tr("Readings"), Tr::tr("Every reading is an overload (OL): the field was beyond "
                                        "the meter's range throughout.")}};
    }
    twoColumnSection(pg, Tr::tr("Figures (%1)").arg(figureUnitText(c.request.unit)), left, right);
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

// Company, place and date, and the line to sign on, all on one page.
void drawSignOff(Pages& pg, const Content& c)
{
    const ReportDetails& d = c.request.details;
    const QString date = ui::dateText(QDate::currentDate());
    const Rows rows = filled(
        {{Tr::tr("Company"), d.company},
         {Tr::tr("Place and date"),
          d.place.trimmed().isEmpty() ? date : d.place.trimmed() + QStringLiteral(", ") + date}});
    double height = 60;
    for (const auto& row : rows)
        height += rowHeight(pg, row, pg.width(), Columns::Labels, false) + 3;
    pg.heading(Tr::tr("Signature"), height);
    keyValueRows(pg, pg.left(), pg.width(), Columns::Labels, rows);
    pg.y += 36;
    pg.line(pg.left(), pg.y, pg.left() + 230, pg.y, Ink, 0.6);
    pg.y += 3;
    const QString who = d.operatorName.trimmed();
    pg.y += pg.text(pg.left(), pg.y, 230,
                    who.isEmpty() ? Tr::tr("Signature") : Tr::tr("Signature, %1").arg(who), font(8),
                    Grey) +
            6;
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
        blocks.append(
            {r->name,
             r->meaning + u' ' + Tr::tr("Level: %1.").arg(values.join(QStringLiteral(", "))),
             Tr::tr("Source: %1").arg(r->source)});
    }
    for (const Level& l : c.request.ownLevels)
        blocks.append(
            {l.name, QString(),
             Tr::tr("%1. Source: set by the user of the meter.").arg(c.levelText(l.milliGauss))});
    const QFont nameFont = font(9.5, true), bodyFont = font(8.5),
                sourceFont = font(7.5, false, false, true);
    const auto height = [&](const Block& b) {
        return pg.textHeight(b.name, nameFont, pg.width()) + 1 +
               (b.body.isEmpty() ? 0 : pg.textHeight(b.body, bodyFont, pg.width()) + 1) +
               pg.textHeight(b.source, sourceFont, pg.width()) + 8;
    };
    pg.heading(Tr::tr("Reference levels"), height(blocks.first()));
    for (const Block& b : blocks) {
        pg.ensure(height(b));
        pg.y += pg.text(pg.left(), pg.y, pg.width(), b.name, nameFont) + 1;
        if (!b.body.isEmpty())
            pg.y += pg.text(pg.left(), pg.y, pg.width(), b.body, bodyFont) + 1;
        pg.y += pg.text(pg.left(), pg.y, pg.width(), b.source, sourceFont, Grey) + 8;
    }
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

QList<ChartLevel> chartLevels(const Options& options)
{
    QList<ChartLevel> levels;
    for (qsizetype i = 0; i < options.levels.size(); ++i)
        levels.append({options.levels[i], levelStyle(i)});
    return levels;
}

namespace {

constexpr int SpikesNamed = 5; // spikes above the chart's scale named under it

const QColor Trace(31, 90, 160);
const QColor OverloadMark(200, 0, 0);

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
            label += u'\n' + ui::dateText(when.date());
        lastDate = when.date();
        const double x = s.xOf(t - s.first);
        pg.line(x, plot.bottom(), x, plot.bottom() + 3, Ink, 0.6);
        // Centred under its tick, but not past the text area's edges.
        const double w = pg.textWidth(label, font(7.5)) + 1;
        pg.text(std::clamp(x - w / 2, pg.left(), pg.right() - w), plot.bottom() + 4, w, label,
                font(7.5), Ink, Qt::AlignHCenter);
    }
    pg.text(plot.left(), plot.bottom() + ChartBox::AxisTitle, plot.width(),
            Tr::tr("Time of the meter's clock, %1").arg(zoneText(s.first, s.first + s.span)),
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
    QList<LegendEntry> entries = {{LegendEntry::Readings, Tr::tr("Readings"), {}}};
    for (const ChartLevel& l : s.shown)
        entries.append({LegendEntry::LevelLine, l.level.name, l.style});
    if (c.st.overloads > 0)
        entries.append({LegendEntry::Overload, Tr::tr("Overload (OL)"), {}});
    if (!s.peaks.isEmpty())
        entries.append({LegendEntry::Clipped, Tr::tr("Reading above the scale"), {}});
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
        return Tr::tr("The scale, 0 to %1, holds every reading and the levels near them.").arg(top);
    QStringList spikes;
    for (qsizetype k = 0; k < s.peaks.size() && k < SpikesNamed; ++k) {
        const ChartColumn& col = c.st.chart[s.peaks[k]];
        spikes
            << (k == 0
                    ? Tr::tr("%1 at %2").arg(c.figure(c.st.maximum), whenText(c.st.maximumAt.clock))
                    : Tr::tr("%1 near %2").arg(c.figure(col.high), whenText(col.clock)));
    }
    QString note =
        Tr::tr("The scale, 0 to %1, holds 99.5 % of the readings (up to %2) and the levels "
               "near them; %n stretch(es) of readings above it are clipped and marked on "
               "the top edge, the highest: ",
               nullptr, int(s.peaks.size()))
            .arg(top, c.figure(c.st.percentileOf(99.5)));
    note += spikes.join(QStringLiteral("; "));
    if (s.peaks.size() > SpikesNamed)
        note += Tr::tr("; and %n more", nullptr, int(s.peaks.size() - SpikesNamed));
    return note + u'.';
}

// What the chart shows and what did not fit on it.
QString chartNote(const Content& c, const ChartScale& s)
{
    QString note = Tr::tr("Each column spans the lowest to the highest reading in it; shaded above "
                          "a level's line: time above it.");
    if (c.st.overloads > 0)
        note += Tr::tr(" Overloads (OL) are marked on the top edge.");
    if (!c.st.breaks.isEmpty())
        note += Tr::tr(" The line is broken at gaps and where the clock was set back.");
    if (!s.offChart.isEmpty()) {
        QStringList names;
        for (const ChartLevel& l : s.offChart)
            names << l.level.name;
        note += Tr::tr(" Far above the chart: %1.").arg(names.join(QStringLiteral("; ")));
    }
    return scaleNote(c, s) + u' ' + note;
}

} // namespace

int chartColumns(QSizeF pagePoints)
{
    return std::max(
        1,
        int((pagePoints.width() - 2 * Margin - ChartBox::ValueLabels - ChartBox::RightRoom) * 2));
}

// The chart of the whole period: per column of the plot the lowest and highest reading, joined
// to the next column unless a gap or a clock set back lies between them. With its heading, its
// legend and its note on one page.
void drawChart(Pages& pg, const Content& c, ReportLayout* layout, const QString& title)
{
    const ChartScale before = chartScale(pg, c);
    const Legend entries = legend(pg, c, before);
    const QString note = chartNote(c, before);
    pg.heading(title, ChartBox::Height - ChartBox::PlotBelow +
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

bool writePdf(const QString& path, const QPageSize& pageSize, const QString& title,
              const QString& footer, const Render& render, QString* error, int* pages)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QSizeF pagePoints = pageSize.size(QPageSize::Point);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(Tr::tr("The report cannot be written to %1: %2").arg(path, file.errorString()));
    QPdfWriter writer(&file);
    writer.setResolution(Resolution);
    writer.setPageSize(pageSize);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Veltrix Panel"));
    // First lay the pages out to count them, then draw them.
    Pages dry(writer, nullptr, pagePoints, footer, 0);
    render(dry, false);
    dry.finish();
    const int total = dry.page();

    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        return fail(Tr::tr("The report cannot be written to %1.").arg(path));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    Pages drawn(writer, &painter, pagePoints, footer, total);
    render(drawn, true);
    drawn.finish();
    painter.end();
    if (pages)
        *pages = total;
    if (file.error() != QFileDevice::NoError || !ui::commitWhole(file))
        return fail(Tr::tr("The report cannot be written to %1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace veltrix::pdf
