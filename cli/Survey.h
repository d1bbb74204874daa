#pragma once
// What `stats` and `report` share: their record files, read and joined in the order given, and
// the options that cut a time range and choose published levels.

#include "records/RecordFile.h"
#include "survey/Statistics.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace veltrix::cli {

class CommandLine;

struct InputFile {
    QString path;
    QString sha256;
    int firstRow = 1; // its first row in the joined table
    int rows = 0;
};

// The files, read whole, their rows joined in the order given; Ok, or the status to exit with
// after saying why.
int readInputs(const QStringList& paths, QList<InputFile>& files, QStringList& rows);
// --from and --to into the range of `options`; a usage error when one cannot be read or the range
// runs backwards.
int takeRange(const CommandLine& parser, stats::Options& options);
// The --reference names as the keys of published levels.
int takeReferences(const QStringList& names, QStringList& keys);

} // namespace veltrix::cli
