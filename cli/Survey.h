#pragma once
// What `stats` and `report` share: their record files, read and joined in the order given, and
// the options that cut a time range and choose published levels (cli/Stats.cpp).

#include "Options.h"

#include "records/RecordFile.h"
#include "survey/Statistics.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace veltrix::cli {

struct InputFile {
    QString path;
    QString sha256;
    int firstRow = 1; // its first row in the joined table
    int rows = 0;
};

// The record files, the range and the published levels' keys of `stats` or `report`, parsed
// and checked; Ok, or the status to exit with after saying why.
struct SurveyArguments {
    QStringList paths;
    stats::Options options;
    QStringList references;
};
int takeSurveyArguments(CommandLine& parser, Command command, const QStringList& args,
                        SurveyArguments& out);

// The files, read whole, their rows joined in the order given; Ok, or the status to exit with
// after saying why.
int readInputs(const QStringList& paths, QList<InputFile>& files, QStringList& rows);

} // namespace veltrix::cli
