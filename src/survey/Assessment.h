// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sentence a report (and `veltrix-cli stats`) gives for each chosen reference: the figure of
// the survey the reference is meant for (the mean for a time-averaged level, the maximum for a
// limit, a percentile for guidance bands), compared with it and named. Plain code, no window.

#include "survey/ReferenceLevels.h"
#include "survey/Statistics.h"

#include <functional>
#include <optional>

namespace veltrix::stats {

// A value in milligauss as the text shows its figures: "320 nT", "0.3 mG".
using FigureText = std::function<QString(double milliGauss)>;

// The figure a reference is compared with, in milligauss. An overload (OL) says only that the
// field was at or beyond the top of the range it was read in, so with one among the readings the
// maximum is known only to be at least that top (or the highest reading, if higher): atLeast.
struct ComparedFigure {
    Statistic statistic = Statistic::Maximum;
    double milliGauss = 0;
    bool atLeast = false;
};
// Nothing when the survey has no such figure: every reading an overload, and not the maximum.
std::optional<ComparedFigure> comparedFigure(const Reference& ref, const Statistics& st);

// How many of the reference's lines a figure in milligauss reaches (a value on a line reaches it):
// for named bands, the index of the band it lies in.
int linesReached(const Reference& ref, double milliGauss);

// "Mean", "Maximum", "Median", "95th percentile".
QString statisticName(Statistic statistic);

// One sentence, e.g. "95th percentile 320 nT: severe anomaly by the building-biology bands for
// sleeping areas, SBM-2015." or "Maximum 2.1 µT: 1.1 % of the ICNIRP 2010 general-public
// reference level (200 µT)." Never says below a level an overload may exceed.
QString assessment(const Reference& ref, const Statistics& st, const FigureText& figure);

} // namespace veltrix::stats
