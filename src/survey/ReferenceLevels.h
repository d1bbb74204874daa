#pragma once
// The published levels a reader of a survey knows, as data: each with the lines it draws on a
// chart and the source it comes from. Reports print the source under each one.

#include "survey/Statistics.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace veltrix::stats {

struct Reference {
    QString key;     // the name on the command line: "icnirp2010"
    QString name;    // "ICNIRP 2010, general public, 50/60 Hz"
    QString meaning; // one sentence on what the level means
    QList<Level> lines;
    QString source;
    bool timeAveraged = false; // compared with the mean rather than with single readings
};

const QList<Reference>& references();
// By key, case-insensitive; nullptr for an unknown name.
const Reference* findReference(QStringView key);
// The keys, for a usage message: "icnirp2010, icnirp1998, iarc2002, buildingbiology".
QString referenceKeys();

// The user's own alarm thresholds (the panel's high and low, in `unit`) as levels; an empty or
// unreadable threshold gives none.
QList<Level> alarmLevels(const QString& high, const QString& low, Unit unit);

} // namespace veltrix::stats
