// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The published levels a reader of a survey knows, as data: each with the lines it draws on a
// chart, the figure of the survey it is compared with and the source it comes from. Reports
// print the source under each one. Users add sets of their own as small text files (the format
// is in docs/reference-levels.md); they join the published ones for the rest of the run.
//
// Not thread-safe: load and look up from one thread (the program's main thread).

#include "survey/Statistics.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace veltrix::stats {

// The mains frequency of the site. ICNIRP 1998's reference level depends on it (5/f mT).
enum class Mains { Hz50, Hz60 };

// The figure of a survey a reference is compared with.
enum class Statistic { Mean, Maximum, Median, Percentile95 };
// "mean", "maximum", "median", "p95": as reference files and `stats --format json` write it.
QString statisticKey(Statistic statistic);
std::optional<Statistic> statisticOfKey(QStringView key);

struct Reference {
    QString key;        // the name on the command line: "icnirp2010"
    QString name;       // "ICNIRP 2010, general public, 50/60 Hz"
    QString meaning;    // one sentence on what the level means
    QList<Level> lines; // rising
    QString source;
    Statistic statistic = Statistic::Maximum; // compared with this figure of the survey
    // Named bands (building biology): bands[0] lies below lines[0], bands[i] runs from lines[i-1]
    // (included) up to the next line. Empty: each line is a level of its own.
    QStringList bands;
    // How a sentence names the set: "the ICNIRP 2010 general-public reference level".
    QString phrase;
    QString file; // a user's set: the file it was read from; empty for a published one
};

// The published sets (ICNIRP 1998 at the mains frequency), then the user's sets loaded so far.
QList<Reference> references(Mains mains = Mains::Hz50);
// By key, case-insensitive; nullptr for an unknown name. The pointer stays valid for the run.
const Reference* findReference(QStringView key, Mains mains = Mains::Hz50);
// The keys, for a usage message: "icnirp2010, icnirp2010occupational, icnirp1998, ...".
QString referenceKeys();

// A reference file's set, or nothing with "line 3: ..." in *error. Checks everything but whether
// a set loaded before has its key.
std::optional<Reference> parseReferenceFile(const QByteArray& bytes, QString* error = nullptr);
// Reads a reference file and adds its set to the references: false with a message naming the
// file (and the line) when it is refused, whole. Loading a file again replaces what it gave.
bool loadReferenceFile(const QString& path, QString* error = nullptr);
// Every *.txt in `folder` (a folder that is not there holds none); the refusals, one a file.
QStringList loadReferenceFolder(const QString& folder);
// The user's folder of reference files: the application's data folder + "/references".
QString userReferenceFolder();

// The user's own alarm thresholds (the panel's high and low, in `unit`) as levels; an empty or
// unreadable threshold gives none.
QList<Level> alarmLevels(const QString& high, const QString& low, Unit unit);

} // namespace veltrix::stats
