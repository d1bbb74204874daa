// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/ReportGeometry.h"

#include "survey/Statistics.h"
#include "ui/LocaleText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace veltrix::report {

namespace {

constexpr qint64 Second = 1000;
constexpr qint64 Minute = 60 * Second;
constexpr qint64 Hour = 60 * Minute;
constexpr qint64 Day = 24 * Hour;

// Room above the highest thing on the chart.
constexpr double Headroom = 1.05;

} // namespace

double niceCeiling(double v)
{
    if (!(v > 0) || !std::isfinite(v))
        return 1;
    const double power = std::pow(10, std::floor(std::log10(v)));
    for (const double m : {1.0, 2.0, 2.5, 5.0})
        if (m * power >= v * (1 - 1e-12))
            return m * power;
    return 10 * power;
}

ValueAxis valueAxis(double bulk, const QList<double>& levels, QList<bool>* onChart)
{
    double top = std::max(bulk, 0.0);
    if (onChart)
        onChart->clear();
    for (const double level : levels) {
        const bool on = bulk <= 0 || level <= LevelReach * bulk;
        if (on)
            top = std::max(top, level);
        if (onChart)
            onChart->append(on);
    }
    if (!(top > 0))
        return {};
    // Three to five grid steps of 1, 2, 2.5 or 5 times a power of ten, the top on one of them.
    const double target = top * Headroom;
    ValueAxis axis;
    axis.step = niceCeiling(target / 5);
    axis.top = std::ceil(target / axis.step - 1e-9) * axis.step;
    return axis;
}

QList<qsizetype> clippedPeaks(const QList<double>& highs, double top)
{
    QList<qsizetype> peaks;
    bool inRun = false;
    for (qsizetype i = 0; i < highs.size(); ++i) {
        if (!(highs[i] > top)) { // NaN too
            inRun = false;
            continue;
        }
        if (!inRun)
            peaks << i;
        else if (highs[i] > highs[peaks.last()])
            peaks.last() = i;
        inRun = true;
    }
    std::stable_sort(peaks.begin(), peaks.end(),
                     [&highs](qsizetype a, qsizetype b) { return highs[a] > highs[b]; });
    return peaks;
}

namespace {

// The first multiple of step at or after t (the clock counts from a midnight).
qint64 ceilTo(qint64 t, qint64 step)
{
    const qint64 r = ((t % step) + step) % step;
    return r == 0 ? t : t + step - r;
}

// The first days of every `months`-th month from `first` to `last` (months counted from January
// of year 0, so that 3 gives the quarters and 12 the new years).
QList<qint64> monthStarts(qint64 first, qint64 last, int months)
{
    QList<qint64> at;
    const QDate start = stats::clockTime(first).date();
    int index = start.year() * 12 + start.month() - 1;
    if (start.day() != 1 || stats::clockTime(first).time() != QTime(0, 0))
        ++index;
    index = (index + months - 1) / months * months;
    for (;; index += months) {
        const auto t =
            stats::clockMsOf(QDateTime(QDate(index / 12, index % 12 + 1, 1), QTime(0, 0)));
        if (!t || *t > last)
            break;
        at.append(*t);
    }
    return at;
}

} // namespace

TimeTicks timeTicks(qint64 first, qint64 last, int most)
{
    static constexpr std::array<qint64, 22> Steps = {
        Second,  2 * Second, 5 * Second, 10 * Second, 15 * Second, 30 * Second,
        Minute,  2 * Minute, 5 * Minute, 10 * Minute, 15 * Minute, 30 * Minute,
        Hour,    2 * Hour,   3 * Hour,   6 * Hour,    12 * Hour,   Day,
        2 * Day, 4 * Day,    7 * Day,    14 * Day};
    last = std::max(last, first);
    most = std::max(most, 1);
    TimeTicks ticks;
    for (const qint64 step : Steps) {
        const qint64 start = ceilTo(first, step);
        if (start <= last && (last - start) / step + 1 > most)
            continue;
        ticks.step = step;
        for (qint64 t = start; t <= last; t += step)
            ticks.at.append(t);
        return ticks;
    }
    for (const int months : {1, 2, 3, 6, 12}) {
        ticks.months = months;
        ticks.at = monthStarts(first, last, months);
        if (ticks.at.size() <= most)
            return ticks;
    }
    for (int years = 2;; years *= 2) {
        ticks.months = 12 * years;
        ticks.at = monthStarts(first, last, 12 * years);
        if (ticks.at.size() <= most)
            return ticks;
    }
}

QString tickFormat(const TimeTicks& ticks)
{
    if (ticks.months > 0)
        return ui::monthFormat();
    if (ticks.step % Minute != 0)
        return QStringLiteral("HH:mm:ss");
    if (ticks.step % Day != 0)
        return QStringLiteral("HH:mm");
    return ui::dateFormat();
}

QList<double> spreadLabels(const QList<double>& wanted, double gap, double top, double bottom)
{
    const qsizetype n = wanted.size();
    QList<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&wanted](qsizetype a, qsizetype b) { return wanted[a] < wanted[b]; });
    // Clusters of labels that touch, each at the y of its first label: a new label that overlaps
    // the cluster above joins it, and the cluster moves to the mean of its labels' wishes.
    struct Cluster {
        qsizetype begin, count;
        double y;
    };
    QList<Cluster> clusters;
    const auto place = [&](Cluster& c) {
        double sum = 0;
        for (qsizetype k = 0; k < c.count; ++k)
            sum += wanted[order[c.begin + k]] - double(k) * gap;
        const double lowest = bottom - double(c.count - 1) * gap; // the most it may go down
        c.y = std::max(top, std::min(sum / double(c.count), lowest));
    };
    for (qsizetype i = 0; i < n; ++i) {
        clusters.append({i, 1, 0});
        place(clusters.last());
        while (clusters.size() > 1) {
            Cluster& above = clusters[clusters.size() - 2];
            const Cluster& below = clusters.last();
            if (above.y + double(above.count) * gap <= below.y + 1e-9)
                break;
            above.count += below.count;
            clusters.removeLast();
            place(clusters.last());
        }
    }
    QList<double> ys(n);
    for (const Cluster& c : clusters)
        for (qsizetype k = 0; k < c.count; ++k)
            ys[order[c.begin + k]] = c.y + double(k) * gap;
    return ys;
}

QList<FlowPlace> flowRows(const QList<double>& widths, double width, double gap)
{
    QList<FlowPlace> places;
    double x = 0;
    int row = 0;
    for (const double w : widths) {
        if (x > 0 && x + w > width) {
            ++row;
            x = 0;
        }
        places.append({x, row});
        x += w + gap;
    }
    return places;
}

QList<double> columnWidths(const QList<double>& natural, double available, double gap,
                           qsizetype flexible, double flexibleAtLeast)
{
    QList<double> widths = natural;
    if (flexible < 0 || flexible >= widths.size())
        return widths;
    const double gaps = gap * double(std::max<qsizetype>(widths.size() - 1, 0));
    double others = gaps;
    for (qsizetype k = 0; k < widths.size(); ++k)
        if (k != flexible)
            others += widths[k];
    double left = available - others;
    if (left < flexibleAtLeast && others - gaps > 0) {
        const double scale = std::max(0.0, (available - gaps - flexibleAtLeast) / (others - gaps));
        for (qsizetype k = 0; k < widths.size(); ++k)
            if (k != flexible)
                widths[k] *= scale;
        left = flexibleAtLeast;
    }
    widths[flexible] = std::max(left, 0.0);
    return widths;
}

} // namespace veltrix::report
