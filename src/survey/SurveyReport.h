#pragma once
// The survey report: a PDF a client can read, written from a record table. A header block (who,
// where, when, with what), the figures, a chart of the whole period with the chosen levels, the
// time above each level, gaps, the references with their sources, and the record data's name and
// SHA-256 so that the report can be tied to its data; on request the records follow as a table.

#include "survey/ReferenceLevels.h"
#include "survey/Statistics.h"

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace veltrix {

// What the user typed into the report dialog.
struct ReportDetails {
    QString title;
    QString site;
    QString location; // within the site
    QString operatorName;
    QString meter; // model and ID code
    QString notes;
};

enum class PaperSize { FromLocale, A4, Letter };

struct ReportRequest {
    ReportDetails details;
    QString dataName;       // the record file's name, or what the table is ("Data List")
    QString sha256;         // hex
    QString sha256Note;     // what was hashed, when not the file itself
    QStringList references; // keys of the published levels to show
    QList<stats::Level> ownLevels;
    stats::Options options; // range and sampling time; levels are added from the two above
    bool includeRecords = false;
    PaperSize paper = PaperSize::FromLocale;
};

// Where the chart went, in points from the page's top-left corner (for checking a rendered page).
struct ReportLayout {
    int pages = 0;
    QRectF plot;         // page 1's plot area
    double yMaximum = 0; // the value at the plot's top edge (the bottom is 0)
};

// Writes the report of rows 1..rowCount to `path`, whole or not at all (a file that cannot be
// written leaves no file behind). False with the reason in *error.
bool writeSurveyReport(const QString& path, const RowText& rowText, int rowCount,
                       const ReportRequest& request, QString* error = nullptr,
                       ReportLayout* layout = nullptr);

// SHA-256 in hex of a file, or empty when it cannot be read.
QString fileSha256(const QString& path);
// SHA-256 in hex of a table as Save would write it (its record file bytes).
QString tableSha256(const RowText& rowText, int rowCount);

} // namespace veltrix
