// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey report: a PDF a client can read and a consultant can sign, written from a record
// table. A header block (who, where, for whom, when), the instrument and the method, the
// figures, a chart of the whole period with the chosen levels, the time above each level, the
// assessment against each reference with the conclusion and recommendations, a signature line,
// then gaps, overloads and the references with their sources, and the record data's name and
// SHA-256 so that the report can be tied to its data; on request the records follow as a table.
//
// Times are the meter's clock, which the recording computer set: they are given as local time of
// this computer, with its offset from UTC.

#include "survey/ReferenceLevels.h"
#include "survey/ReportRequest.h"
#include "survey/Statistics.h"

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace veltrix {

// What the report came to, and where the chart went, in points from the page's top-left corner
// (for checking a rendered page).
struct ReportLayout {
    bool figures = false; // the figures could be taken (false: no record could be read, or none
                          // lies in the range)
    int pages = 0;
    int chartPage = 0;
    QRectF plot;         // the chart's plot area on that page
    double yMaximum = 0; // the value at the plot's top edge, in the report's unit (the bottom is 0)
};

// The options a report's figures are computed with: the request's range and sampling time,
// its own levels and its references' lines, and the chart's columns for its paper.
stats::Options reportOptions(const ReportRequest& request);

// Writes the report of rows 1..rowCount to `path`, whole or not at all (a file that cannot be
// written leaves no file behind). False with the reason in *error.
bool writeSurveyReport(const QString& path, const RowText& rowText, int rowCount,
                       const ReportRequest& request, QString* error = nullptr,
                       ReportLayout* layout = nullptr);
// The same for figures computed with reportOptions(request); `rows` is read again only for the
// records table (the first request.recordsAtMost records of the range), so that a year of
// record files streams through.
bool writeSurveyReport(const QString& path, const stats::Statistics& st,
                       const stats::RowFeed& rows, const ReportRequest& request,
                       QString* error = nullptr, ReportLayout* layout = nullptr);

// SHA-256 in hex of a file, or empty when it cannot be read.
QString fileSha256(const QString& path);
// SHA-256 in hex of a table as Save would write it (its record file bytes).
QString tableSha256(const RowText& rowText, int rowCount);

} // namespace veltrix
