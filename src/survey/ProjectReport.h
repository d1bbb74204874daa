// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report of a survey project: the report's header, instrument, method and references as a
// single recording's report has them; a summary table of every point in every session with the
// change between sessions and the band before and after; the floor plan with the points as
// numbered markers coloured by their band, and a legend; a page for each long recording (its
// chart and figures); the assessment, the conclusion and the sign-off.

#include "survey/SurveyProject.h"

#include <QList>
#include <QPointF>
#include <QString>

namespace veltrix::survey {

// Where things went, in points from the page's top-left corner (for checking a rendered page).
struct ProjectReportLayout {
    int pages = 0;
    int planPage = 0;       // 0: no plan page (no point has a place)
    QList<QPointF> markers; // the markers' centres on the plan page, in the order of the points
    int recordingPages = 0; // pages of long recordings
};

// A recording at least this long gets a page of its own (chart and figures).
inline constexpr qint64 LongRecordingMs = qint64(30) * 60 * 1000;

// Writes the report to `path`, whole or not at all; false with the reason in *error.
bool writeProjectReport(const QString& path, const Survey& survey, QString* error = nullptr,
                        ProjectReportLayout* layout = nullptr);

} // namespace veltrix::survey
