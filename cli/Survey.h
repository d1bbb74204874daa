// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What `stats` and `report` share: their record files, read and joined in the order given, and
// the options that cut a time range and choose published levels (cli/Stats.cpp).

#include "Options.h"

#include "records/RecordReader.h"
#include "survey/ReferenceLevels.h"
#include "survey/Statistics.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace veltrix::cli {

// The record files, the range and the reference sets (--reference-file and --reference at the
// --mains frequency) of `stats` or `report`, parsed and checked; Ok, or the status to exit with
// after saying why.
struct SurveyArguments {
    QStringList paths;
    stats::Options options;
    QList<const stats::Reference*> references;
};
int takeSurveyArguments(CommandLine& parser, Command command, const QStringList& args,
                        SurveyArguments& out);

// The unit of the first row that names one: a bare --threshold is in it.
Unit firstUnit(const QStringList& paths);

// The figures of the files, streamed through (a progress line on a terminal for a long run); or
// nothing, after saying why, with the status to exit with.
std::optional<stats::Statistics> figuresOf(RecordFileSet& files, const stats::Options& options,
                                           int& status);
// Why a record file of the set cannot be read, in the tool's words.
QString refusalText(const RecordFileSet::Failure& failure);

} // namespace veltrix::cli
