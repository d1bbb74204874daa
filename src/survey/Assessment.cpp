// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/Assessment.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace veltrix::stats {

namespace {

// The texts' translation context (lupdate reads it from here).
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(Assessment)
};

// "1.1 %", "0.15 %", "125 %": two significant digits, whole numbers from 10 % up.
QString percentText(double ratio)
{
    const double p = 100 * ratio;
    if (p <= 0)
        return Tr::tr("0 %");
    if (p < 0.01)
        return Tr::tr("< 0.01 %");
    const int decimals = std::max(0, 1 - int(std::floor(std::log10(p))));
    return Tr::tr("%1 %").arg(QString::number(p, 'f', decimals));
}

QString overloadNote()
{
    return Tr::tr("an overload says only that the field reached the top of its range or beyond");
}

// Levels that are limits: how the figure lies against them.
QString levelClause(const Reference& ref, double v, bool atLeast, const FigureText& figure)
{
    const double low = ref.lines.first().milliGauss;
    const double high = ref.lines.last().milliGauss;
    const bool one = ref.lines.size() == 1;
    const QString level = one ? figure(low) : Tr::tr("%1 to %2").arg(figure(low), figure(high));
    if (v > high)
        return one && !atLeast
                   ? Tr::tr("above %1 (%2), %3 of it").arg(ref.phrase, level, percentText(v / high))
                   : Tr::tr("above %1 (%2)").arg(ref.phrase, level);
    if (atLeast)
        return Tr::tr("it may exceed %1 (%2); %3").arg(ref.phrase, level, overloadNote());
    if (one)
        return Tr::tr("%1 of %2 (%3)").arg(percentText(v / low), ref.phrase, level);
    if (v < low)
        return Tr::tr("below %1 (%2)").arg(ref.phrase, level);
    return Tr::tr("within %1 (%2)").arg(ref.phrase, level);
}

// Bands: the one the figure lies in. A value on an edge belongs to the band above it.
QString bandClause(const Reference& ref, double v, bool atLeast)
{
    const int band = linesReached(ref, v);
    const QString name = ref.bands.value(band);
    if (atLeast && band + 1 < ref.bands.size())
        return Tr::tr("at least %1 by %2; %3").arg(name, ref.phrase, overloadNote());
    return Tr::tr("%1 by %2").arg(name, ref.phrase);
}

} // namespace

int linesReached(const Reference& ref, double milliGauss)
{
    return int(std::count_if(ref.lines.cbegin(), ref.lines.cend(),
                             [milliGauss](const Level& l) { return milliGauss >= l.milliGauss; }));
}

std::optional<ComparedFigure> comparedFigure(const Reference& ref, const Statistics& st)
{
    ComparedFigure f{ref.statistic};
    if (ref.statistic == Statistic::Maximum && st.overloads > 0) {
        f.milliGauss =
            std::max(st.readings > 0 ? toMilliGauss(st.maximum, st.unit) : 0.0, st.overloadTopMg);
        f.atLeast = true;
        return f;
    }
    if (st.readings == 0)
        return std::nullopt;
    switch (ref.statistic) {
    case Statistic::Mean:
        f.milliGauss = st.mean;
        break;
    case Statistic::Maximum:
        f.milliGauss = st.maximum;
        break;
    case Statistic::Median:
        f.milliGauss = st.median;
        break;
    case Statistic::Percentile95:
        f.milliGauss = st.percentile95;
        break;
    }
    f.milliGauss = toMilliGauss(f.milliGauss, st.unit);
    return f;
}

QString statisticName(Statistic statistic)
{
    switch (statistic) {
    case Statistic::Mean:
        return Tr::tr("Mean");
    case Statistic::Maximum:
        return Tr::tr("Maximum");
    case Statistic::Median:
        return Tr::tr("Median");
    case Statistic::Percentile95:
        return Tr::tr("95th percentile");
    }
    return {};
}

QString assessment(const Reference& ref, const Statistics& st, const FigureText& figure)
{
    if (ref.lines.isEmpty())
        return {};
    const QString statistic = statisticName(ref.statistic);
    const auto f = comparedFigure(ref, st);
    if (!f)
        return Tr::tr("%1: none, every reading is an overload (OL); no assessment by %2.")
            .arg(statistic, ref.phrase);
    // A figure printed as a level's value is taken as that value: the sentence never contradicts
    // the figures it prints ("Mean 0.30 µT: below 0.30 µT").
    double v = f->milliGauss;
    const QString shown = figure(v);
    for (const Level& l : ref.lines)
        if (figure(l.milliGauss) == shown)
            v = l.milliGauss;
    // Overloads are never averaged: the other figures are of the readings with a value.
    const QString head = f->atLeast         ? Tr::tr("%1 at least %2 (an overload, OL)")
                         : st.overloads > 0 ? Tr::tr("%1 %2 (overloads, OL, left out)")
                                            : Tr::tr("%1 %2");
    return Tr::tr("%1: %2.").arg(head.arg(statistic, shown),
                                 ref.bands.isEmpty() ? levelClause(ref, v, f->atLeast, figure)
                                                     : bandClause(ref, v, f->atLeast));
}

} // namespace veltrix::stats
