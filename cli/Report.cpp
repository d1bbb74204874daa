// SPDX-License-Identifier: GPL-3.0-or-later
// report: a survey report as a PDF, the same as the report dialog writes. This is the report
// writer veltrix-report, which `veltrix-cli report` runs in its place with the same arguments:
// the PDF is drawn with Qt Gui, on its offscreen platform (no desktop needed).

#include "Cli.h"
#include "Options.h"
#include "Survey.h"

#include "survey/ProjectReport.h"
#include "survey/ReferenceLevels.h"
#include "survey/ReportRequest.h"
#include "survey/SurveyProject.h"
#include "survey/SurveyReport.h"
#include "ui/Language.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

namespace veltrix::cli {

namespace {

using namespace veltrix::stats;

// The instrument: a remembered one (--instrument-preset), its fields changed by the options.
int takeInstrument(const CommandLine& parser, Instrument& in)
{
    if (parser.isSet(u"instrument-preset")) {
        const QString name = parser.value(u"instrument-preset");
        const auto found = findInstrument(name);
        if (!found) {
            QStringList names;
            for (const Instrument& known : rememberedInstruments())
                names << known.name();
            complain(ReportTr::tr("no instrument '%1' is remembered (%2)")
                         .arg(name, names.isEmpty()
                                        ? ReportTr::tr("none is: the report dialog remembers "
                                                       "the instruments it reported with")
                                        : ReportTr::tr("remembered: ") +
                                              names.join(QStringLiteral(", "))));
            return UsageError;
        }
        in = *found;
    }
    const auto take = [&parser](QStringView option, QString& field) {
        if (parser.isSet(option))
            field = parser.value(option).trimmed();
    };
    take(u"model", in.model);
    take(u"serial", in.serial);
    take(u"frequency-range", in.frequencyRange);
    if (parser.isSet(u"axes"))
        in.axes = parser.value(u"axes").toInt();
    if (parser.isSet(u"calibrated")) {
        const QString text = parser.value(u"calibrated").trimmed();
        in.calibrated = QDate::fromString(text, Qt::ISODate);
        if (!in.calibrated.isValid() || text.size() != 10) {
            complain(ReportTr::tr("--calibrated '%1' is not a date such as 2026-01-15")
                         .arg(parser.value(u"calibrated")));
            return UsageError;
        }
    }
    return Ok;
}

// The fields of the report dialog from their options.
int takeFields(const CommandLine& parser, ReportRequest& r)
{
    ReportDetails& d = r.details;
    const std::pair<QStringView, QString*> texts[] = {{u"title", &d.title},
                                                      {u"site", &d.site},
                                                      {u"client", &d.client},
                                                      {u"location", &d.location},
                                                      {u"operator", &d.operatorName},
                                                      {u"company", &d.company},
                                                      {u"place", &d.place},
                                                      {u"notes", &d.notes},
                                                      {u"method", &r.method},
                                                      {u"conclusion", &r.conclusion},
                                                      {u"recommendations", &r.recommendations}};
    for (const auto& [option, field] : texts)
        *field = parser.value(option).trimmed();
    r.mains = parser.value(u"mains") == u"60" ? Mains::Hz60 : Mains::Hz50;
    r.unit = parser.isSet(u"unit") ? *reportUnitNamed(parser.value(u"unit")) : localeUnit();
    if (parser.isSet(u"paper"))
        r.paper = parser.value(u"paper") == u"letter" ? PaperSize::Letter : PaperSize::A4;
    r.includeRecords = parser.isSet(u"records");
    return takeInstrument(parser, r.instrument);
}

// A survey file by its extension, or by its content: a JSON object naming the survey format
// near its start (the format's name comes before the rooms and their readings).
bool isSurveyFile(const QString& path)
{
    if (path.endsWith(QLatin1String(".vsurvey"), Qt::CaseInsensitive))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(qint64(64) * 1024);
    return head.trimmed().startsWith('{') &&
           head.contains(QByteArray("\"") + survey::FormatName + '"');
}

// The report of a survey file: its fields, levels and unit are the survey's own.
int reportOfSurvey(const CommandLine& parser, const QStringList& paths, const QString& out)
{
    if (paths.size() > 1) {
        complain(ReportTr::tr("a survey file is reported on its own, not with other files"));
        return UsageError;
    }
    static const char* const recordOnly[] = {
        "from",  "to",     "threshold", "reference", "mains",  "unit",
        "paper", "records", "title",    "site",      "client", "location",
        "operator", "company", "place", "notes", "instrument-preset", "model",
        "serial", "calibrated", "frequency-range", "axes", "method", "conclusion",
        "recommendations"};
    for (const char* name : recordOnly) {
        if (parser.isSet(QString::fromLatin1(name))) {
            complain(ReportTr::tr("--%1 is for record files: a survey's report takes its "
                                  "fields, levels and unit from the survey file")
                         .arg(QLatin1String(name)));
            return UsageError;
        }
    }
    QString error;
    const auto s = survey::load(paths.first(), &error);
    if (!s) {
        complain(error);
        return Failure;
    }
    if (!survey::writeProjectReport(out, *s, &error)) {
        complain(error);
        return Failure;
    }
    return Ok;
}

} // namespace

int runReport(const QStringList& args)
{
    CommandLine parser;
    SurveyArguments survey;
    if (const int status = takeSurveyArguments(parser, Command::Report, args, survey))
        return status;
    const QString out = parser.value(u"out");
    if (out.isEmpty()) {
        complain(ReportTr::tr("report needs --out REPORT.pdf (try --help)"));
        return UsageError;
    }
    if (std::any_of(survey.paths.begin(), survey.paths.end(), isSurveyFile))
        return reportOfSurvey(parser, survey.paths, out);
    ReportRequest request;
    request.options = survey.options;
    for (const Reference* ref : survey.references)
        request.references << ref->key;
    if (const int status = takeFields(parser, request))
        return status;
    QString bad;
    const auto own = ownLevels(parser.values(u"threshold").join(u','),
                               firstUnit(survey.paths), &bad);
    if (!own) {
        complain(ReportTr::tr("--threshold '%1' is not a level such as 5mG or 0.4uT").arg(bad));
        return UsageError;
    }
    request.ownLevels = *own;

    // The files stream through: once or twice for the figures, once more for a records table.
    RecordFileSet files(survey.paths);
    int status = Ok;
    const auto st = figuresOf(files, reportOptions(request), status);
    if (!st)
        return status;
    for (const RecordFileEntry& f : files.files())
        request.data.append({QFileInfo(f.path).fileName(), f.sha256, {}});
    const RowFeed rows = [&files](const RowVisitor& row, QString* error) {
        if (files.read(row))
            return true;
        *error = refusalText(files.failure());
        return false;
    };
    QString error;
    if (!writeSurveyReport(out, *st, rows, request, &error)) {
        complain(error);
        return Failure;
    }
    return Ok;
}

} // namespace veltrix::cli

namespace {

// Qt's own warnings (a missing runtime folder, fonts) are not the tool's to print: what goes
// wrong with the report is said through complain().
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        veltrix::cli::complain(text);
}

} // namespace

int main(int argc, char* argv[])
{
    // Arguments as given, before the application takes out the ones it knows (-title, -platform).
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // Only PDFs, never a window: the offscreen platform needs no desktop.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQt);
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veltrix-cli"));
    // The report speaks the system's language, as the panel's does.
    veltrix::ui::installTranslators(app);
    return veltrix::cli::runReport(args);
}
