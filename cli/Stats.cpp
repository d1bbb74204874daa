// SPDX-License-Identifier: GPL-3.0-or-later
// stats: the survey figures of one or more record files, as text, JSON or CSV.

#include "Cli.h"
#include "Options.h"
#include "Survey.h"

#include "records/CsvExport.h"
#include "records/RecordFile.h"
#include "records/RecordReader.h"
#include "survey/Assessment.h"
#include "survey/ReferenceLevels.h"
#include "survey/Statistics.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <cstdio>

namespace veltrix::cli {

namespace {

using namespace veltrix::stats;

// "2026-12-05", "2026-12-05T15:00", "2026-12-05 15:00:30": a date alone is its whole day.
std::optional<ClockMs> parseWhen(QString text, bool endOfDay)
{
    text = text.trimmed();
    if (const QDate d = QDate::fromString(text, Qt::ISODate); d.isValid() && text.size() == 10)
        return clockMsOf(QDateTime(d, endOfDay ? QTime(23, 59, 59, 999) : QTime(0, 0), Qt::UTC));
    text.replace(u' ', u'T');
    return clockMsOf(QDateTime::fromString(text, Qt::ISODateWithMs));
}

QString iso(ClockMs ms)
{
    return clockText(ms).replace(u' ', u'T');
}

// A figure for a machine: every digit it has, in the shortest text that reads back the same.
QString exact(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

struct Report {
    const Statistics& st;
    const QList<RecordFileEntry>& files;
    const QList<const Reference*>& references;

    // The file a row of the joined table comes from, and its record number there.
    std::pair<QString, int> locate(const Moment& m) const
    {
        for (const RecordFileEntry& f : files)
            if (m.row < f.firstRow + f.rows)
                return {QFileInfo(f.path).fileName(), m.row - f.firstRow + 1};
        return {};
    }
    // "record 12", or "b.txt record 12" when several files make the table.
    QString where(const Moment& m) const
    {
        const auto [file, row] = locate(m);
        if (files.size() == 1)
            return StatsTr::tr("record %1").arg(row);
        return StatsTr::tr("%1 record %2").arg(file).arg(row);
    }
    QString at(const Moment& m) const
    {
        return clockText(m.clock) + QStringLiteral(" (") + where(m) + u')';
    }
    // A value of the statistics at the meter's resolution.
    QString figure(double v) const { return milliGaussFigure(toMilliGauss(v, st.unit)); }
    QString milliGaussFigure(double milliGauss) const
    {
        return figureText(milliGauss, figureUnitOf(st.unit), toMilliGauss(st.resolution, st.unit));
    }
    QString assessment(const Reference& ref) const
    {
        return stats::assessment(
            ref, st, [this](double milliGauss) { return milliGaussFigure(milliGauss); });
    }
};

// One line of the text output: the label in a column of its own, with a space after the longest
// ("Uhr zurückgestellt").
QString labelled(const QString& label, const QString& value)
{
    return label.leftJustified(17) + u' ' + value + u'\n';
}

// The figures, then each level, the breaks and the overloads' times.
QString textFigures(const Report& r)
{
    const Statistics& st = r.st;
    QString out;
    const auto line = [&out](const QString& label, const QString& value) {
        out += labelled(label, value);
    };
    for (const RecordFileEntry& f : r.files)
        line(StatsTr::tr("File"),
             StatsTr::tr("%1  %2 records  SHA-256 %3").arg(f.path).arg(f.rows).arg(f.sha256));
    QString records =
        StatsTr::tr("%1: %2 readings, %3 %4 (OL), %5 invalid")
            .arg(st.rows)
            .arg(st.readings)
            .arg(st.overloads)
            .arg(st.overloads == 1 ? StatsTr::tr("overload") : StatsTr::tr("overloads"))
            .arg(st.invalid);
    if (st.converted > 0)
        records += StatsTr::tr("; %1 converted to %2").arg(st.converted).arg(unitText(st.unit));
    line(StatsTr::tr("Records"), records);
    line(StatsTr::tr("First"), clockText(st.first));
    line(StatsTr::tr("Last"), clockText(st.last));
    line(StatsTr::tr("Duration"), durationText(st.duration));
    line(StatsTr::tr("Sampling time"),
         st.sampling > 0 ? durationText(st.sampling) : StatsTr::tr("unknown (one reading)"));
    if (st.readings == 0) {
        line(StatsTr::tr("Readings"), StatsTr::tr("none with a value: every one is an "
                                                  "overload (OL)"));
        return out;
    }
    line(StatsTr::tr("Minimum"), r.figure(st.minimum) + StatsTr::tr("  at ") + r.at(st.minimumAt));
    line(StatsTr::tr("Maximum"), r.figure(st.maximum) + StatsTr::tr("  at ") + r.at(st.maximumAt));
    line(StatsTr::tr("Mean"), r.figure(st.mean));
    line(StatsTr::tr("Median"), r.figure(st.median));
    line(StatsTr::tr("95th percentile"), r.figure(st.percentile95));
    line(StatsTr::tr("Std deviation"), r.figure(st.standardDeviation));
    return out;
}

QString textReport(const Report& r)
{
    const Statistics& st = r.st;
    QString out = textFigures(r);
    const auto line = [&out](const QString& label, const QString& value) {
        out += labelled(label, value);
    };
    if (!st.levels.isEmpty() && st.measured > 0)
        line(StatsTr::tr("Measured"),
             StatsTr::tr("%1 (%2 readings and overloads \u00d7 %3), the base of the shares")
                 .arg(durationText(st.measured))
                 .arg(st.readings + st.overloads)
                 .arg(durationText(st.sampling)));
    for (const LevelFigures& f : st.levels) {
        QString text = durationText(f.timeAbove);
        if (const QString share = shareText(f.timeAbove, st.measured); !share.isEmpty())
            text += QStringLiteral(" (%1)").arg(share);
        if (f.longest > 0)
            text += StatsTr::tr(", longest %1 from %2")
                        .arg(durationText(f.longest), r.at(f.longestStart));
        if (f.overloadsAbove > 0)
            text += StatsTr::tr(", overloads (OL) included: %1").arg(f.overloadsAbove);
        out += StatsTr::tr("Above ") + f.level.name + QStringLiteral("\n  ") + text + u'\n';
    }
    for (const Reference* ref : r.references)
        line(StatsTr::tr("Assessment"), r.assessment(*ref));
    for (const Break& b : st.breaks) {
        const bool gap = b.kind == Break::Gap;
        line(gap ? StatsTr::tr("Gap") : StatsTr::tr("Clock set back"),
             StatsTr::tr("%1 to %2%3")
                 .arg(r.at(b.before), r.at(b.after),
                      gap ? QStringLiteral(", ") + durationText(b.after.clock - b.before.clock)
                          : QString()));
    }
    if (st.breakCount > st.breaks.size())
        line(QString(), StatsTr::tr("... and %1 more gaps and clock changes")
                            .arg(st.breakCount - st.breaks.size()));
    for (const Moment& m : st.overloadMoments)
        line(StatsTr::tr("Overload (OL)"), r.at(m));
    if (st.overloads > st.overloadMoments.size())
        line(QString(), StatsTr::tr("... and %1 more overloads (OL)")
                            .arg(st.overloads - st.overloadMoments.size()));
    if (st.overloads > 0)
        line(StatsTr::tr("Overload rule"),
             StatsTr::tr("an overload (OL) counts above a level only when the level is at "
                         "most %1, the top of the meter's smallest range: the records do not "
                         "say the range a reading was taken in")
                 .arg(QString::number(fromMilliGauss(st.overloadTopMg, st.unit), 'g', 6) + u' ' +
                      unitText(st.unit)));
    return out;
}

QJsonObject momentJson(const Report& r, const Moment& m)
{
    const auto [file, row] = r.locate(m);
    return {{QStringLiteral("time"), iso(m.clock)},
            {QStringLiteral("file"), file},
            {QStringLiteral("record"), row}};
}

QByteArray jsonReport(const Report& r)
{
    const Statistics& st = r.st;
    QJsonArray files;
    for (const RecordFileEntry& f : r.files)
        files.append(QJsonObject{{QStringLiteral("path"), f.path},
                                 {QStringLiteral("records"), f.rows},
                                 {QStringLiteral("sha256"), f.sha256}});
    QJsonObject o{{QStringLiteral("files"), files},
                  {QStringLiteral("unit"), unitText(st.unit)},
                  {QStringLiteral("records"), st.rows},
                  {QStringLiteral("readings"), st.readings},
                  {QStringLiteral("overloads"), st.overloads},
                  {QStringLiteral("invalid"), st.invalid},
                  {QStringLiteral("converted"), st.converted},
                  {QStringLiteral("first"), iso(st.first)},
                  {QStringLiteral("last"), iso(st.last)},
                  {QStringLiteral("durationSeconds"), double(st.duration) / 1000},
                  {QStringLiteral("samplingSeconds"), double(st.sampling) / 1000},
                  {QStringLiteral("measuredSeconds"), double(st.measured) / 1000},
                  {QStringLiteral("overloadTopMilliGauss"), st.overloadTopMg},
                  {QStringLiteral("breaks"), st.breakCount}};
    if (st.readings > 0) {
        QJsonObject min = momentJson(r, st.minimumAt);
        min.insert(QStringLiteral("value"), st.minimum);
        QJsonObject max = momentJson(r, st.maximumAt);
        max.insert(QStringLiteral("value"), st.maximum);
        o.insert(QStringLiteral("minimum"), min);
        o.insert(QStringLiteral("maximum"), max);
        o.insert(QStringLiteral("mean"), st.mean);
        o.insert(QStringLiteral("median"), st.median);
        o.insert(QStringLiteral("percentile95"), st.percentile95);
        o.insert(QStringLiteral("standardDeviation"), st.standardDeviation);
        o.insert(QStringLiteral("resolution"), st.resolution);
    }
    QJsonArray levels;
    for (const LevelFigures& f : st.levels) {
        QJsonObject l{{QStringLiteral("name"), f.level.name},
                      {QStringLiteral("milliGauss"), f.level.milliGauss},
                      {QStringLiteral("samplesAbove"), f.samplesAbove},
                      {QStringLiteral("overloadsAbove"), f.overloadsAbove},
                      {QStringLiteral("secondsAbove"), double(f.timeAbove) / 1000},
                      {QStringLiteral("longestSeconds"), double(f.longest) / 1000}};
        if (f.longest > 0)
            l.insert(QStringLiteral("longestStart"), momentJson(r, f.longestStart));
        levels.append(l);
    }
    o.insert(QStringLiteral("levels"), levels);
    QJsonArray assessment;
    for (const Reference* ref : r.references) {
        const auto figure = comparedFigure(*ref, st);
        assessment.append(QJsonObject{
            {QStringLiteral("reference"), ref->key},
            {QStringLiteral("statistic"), statisticKey(ref->statistic)},
            {QStringLiteral("value"),
             figure ? QJsonValue(fromMilliGauss(figure->milliGauss, st.unit)) : QJsonValue()},
            {QStringLiteral("atLeast"), figure && figure->atLeast},
            {QStringLiteral("sentence"), r.assessment(*ref)}});
    }
    o.insert(QStringLiteral("assessment"), assessment);
    QJsonArray gaps, back;
    for (const Break& b : st.breaks) {
        QJsonObject j{{QStringLiteral("from"), momentJson(r, b.before)},
                      {QStringLiteral("to"), momentJson(r, b.after)}};
        if (b.kind == Break::Gap) {
            j.insert(QStringLiteral("seconds"), double(b.after.clock - b.before.clock) / 1000);
            gaps.append(j);
        } else {
            back.append(j);
        }
    }
    o.insert(QStringLiteral("gaps"), gaps);
    o.insert(QStringLiteral("clockSetBack"), back);
    QJsonArray overloads;
    for (const Moment& m : st.overloadMoments)
        overloads.append(momentJson(r, m));
    o.insert(QStringLiteral("overloadTimes"), overloads);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

// One figure a line: Figure,Value,Unit,Time,Record (RFC 4180, as the CSV export).
QByteArray csvReport(const Report& r)
{
    const Statistics& st = r.st;
    QString out = QStringLiteral("Figure,Value,Unit,Time,Record\r\n");
    const auto row = [&out](const QString& figure, const QString& value, const QString& unit,
                            const QString& time = {}, const QString& record = {}) {
        out += csvField(figure) + u',' + csvField(value) + u',' + csvField(unit) + u',' +
               csvField(time) + u',' + csvField(record) + QStringLiteral("\r\n");
    };
    const QString u = unitText(st.unit);
    const auto seconds = [](qint64 ms) { return exact(double(ms) / 1000); };
    row(QStringLiteral("records"), QString::number(st.rows), {});
    row(QStringLiteral("readings"), QString::number(st.readings), {});
    row(QStringLiteral("overloads"), QString::number(st.overloads), {});
    row(QStringLiteral("invalid"), QString::number(st.invalid), {});
    row(QStringLiteral("converted"), QString::number(st.converted), {});
    row(QStringLiteral("first"), {}, {}, iso(st.first));
    row(QStringLiteral("last"), {}, {}, iso(st.last));
    row(QStringLiteral("duration"), seconds(st.duration), QStringLiteral("s"));
    row(QStringLiteral("sampling"), seconds(st.sampling), QStringLiteral("s"));
    row(QStringLiteral("measured"), seconds(st.measured), QStringLiteral("s"));
    if (st.readings > 0) {
        row(QStringLiteral("minimum"), exact(st.minimum), u, iso(st.minimumAt.clock),
            r.where(st.minimumAt));
        row(QStringLiteral("maximum"), exact(st.maximum), u, iso(st.maximumAt.clock),
            r.where(st.maximumAt));
        row(QStringLiteral("mean"), exact(st.mean), u);
        row(QStringLiteral("median"), exact(st.median), u);
        row(QStringLiteral("percentile95"), exact(st.percentile95), u);
        row(QStringLiteral("standardDeviation"), exact(st.standardDeviation), u);
        row(QStringLiteral("resolution"), exact(st.resolution), u);
    }
    for (const LevelFigures& f : st.levels) {
        row(QStringLiteral("above ") + f.level.name, seconds(f.timeAbove), QStringLiteral("s"));
        row(QStringLiteral("longest above ") + f.level.name, seconds(f.longest),
            QStringLiteral("s"), f.longest > 0 ? iso(f.longestStart.clock) : QString(),
            f.longest > 0 ? r.where(f.longestStart) : QString());
    }
    for (const Break& b : st.breaks)
        row(b.kind == Break::Gap ? QStringLiteral("gap") : QStringLiteral("clock set back"),
            seconds(b.after.clock - b.before.clock), QStringLiteral("s"), iso(b.before.clock),
            r.where(b.before));
    return out.toUtf8();
}

// --from and --to into the range of `options`; a usage error when one cannot be read or the range
// runs backwards.
int takeRange(const CommandLine& parser, stats::Options& options)
{
    for (const auto& [option, endOfDay] : {std::pair{u"from", false}, std::pair{u"to", true}}) {
        if (!parser.isSet(option))
            continue;
        const auto when = parseWhen(parser.value(option), endOfDay);
        if (!when) {
            complain(StatsTr::tr("--%1 '%2' is not an ISO 8601 date or date and time")
                         .arg(QStringView(option), parser.value(option)));
            return UsageError;
        }
        (endOfDay ? options.to : options.from) = when;
    }
    if (options.from && options.to && *options.to < *options.from) {
        complain(StatsTr::tr("--to lies before --from: the range is empty"));
        return UsageError;
    }
    return Ok;
}

// The --reference-file sets, then the --reference names as sets at the --mains frequency.
int takeReferences(const CommandLine& parser, QList<const Reference*>& refs)
{
    for (const QString& path : parser.values(u"reference-file")) {
        QString error;
        if (!loadReferenceFile(path, &error)) {
            complain(error);
            return Failure;
        }
    }
    const Mains mains = parser.value(u"mains") == u"60" ? Mains::Hz60 : Mains::Hz50;
    for (const QString& name : parser.values(u"reference")) {
        const Reference* ref = findReference(name, mains);
        if (!ref) {
            complain(StatsTr::tr("unknown reference '%1' (known: %2)").arg(name, referenceKeys()));
            return UsageError;
        }
        refs << ref;
    }
    return Ok;
}

} // namespace

// Why a record file cannot be read, in the tool's words.
QString refusalText(const RecordFileSet::Failure& failure)
{
    const QString& path = failure.path;
    switch (failure.error) {
    case RecordFileRead::NotRegular:
        return StatsTr::tr("%1 is not a record file").arg(path);
    case RecordFileRead::Shrunk:
        return StatsTr::tr("%1 became shorter while it was read; run the command again").arg(path);
    default:
        return StatsTr::tr("cannot read %1: %2").arg(path, failure.reason);
    }
}

// The unit of the first row that names one: a bare --threshold is in it. Only the start of the
// files is read; a file that cannot be read is left to the figures to report.
Unit firstUnit(const QStringList& paths)
{
    std::optional<Unit> unit;
    for (const QString& path : paths) {
        scanRecordFile(path, [&unit](QStringView row) {
            unit = unitOf(recordCells(row)[UnitCell]);
            return !unit;
        });
        if (unit)
            return *unit;
    }
    return Unit::MilliGauss;
}

namespace {

// The --threshold levels (a bare number in the unit of the first reading), then the lines of the
// chosen references.
int takeLevels(const QStringList& thresholds, const QList<const Reference*>& refs,
               const QStringList& paths, stats::Options& options)
{
    const Unit bare = thresholds.isEmpty() ? Unit::MilliGauss : firstUnit(paths);
    for (const QString& text : thresholds) {
        const auto level = parseLevel(text, bare);
        if (!level) {
            complain(StatsTr::tr("--threshold '%1' is not a level such as 5mG or 0.4uT").arg(text));
            return UsageError;
        }
        options.levels.append(*level);
    }
    for (const Reference* ref : refs)
        options.levels += ref->lines;
    return Ok;
}

// A progress line on standard error when it is a terminal and the files are many or large (a
// week of records at 1 s and more), redrawn in place at most a few times a second and cleared at
// the end.
class ProgressLine {
public:
    explicit ProgressLine(const RecordFileSet& files)
        : m_total(files.totalBytes()), m_on(m_total >= LongRunBytes && stderrIsTerminal())
    {
        m_since.start();
    }
    ~ProgressLine() { clear(); }
    void pass() { ++m_pass; }
    void show(qint64 done)
    {
        if (!m_on || (m_shown && m_since.elapsed() < 250))
            return;
        m_since.restart();
        m_shown = true;
        const int percent = int(100 * std::min(done, m_total) / std::max<qint64>(m_total, 1));
        const QString text =
            StatsTr::tr("reading the records, pass %1: %2 %").arg(m_pass).arg(percent, 3);
        std::fprintf(stderr, "\rveltrix-cli: %s", text.toLocal8Bit().constData());
        std::fflush(stderr);
    }
    void clear()
    {
        if (m_shown)
            std::fputs("\r\033[K", stderr);
        m_shown = false;
    }

private:
    static constexpr qint64 LongRunBytes = 32LL * 1024 * 1024;
    qint64 m_total;
    bool m_on;
    bool m_shown = false;
    int m_pass = 0;
    QElapsedTimer m_since;
};

} // namespace

// The figures of the files, streamed through; the reason and the status to exit with when there
// are none.
std::optional<Statistics> figuresOf(RecordFileSet& files, const stats::Options& options,
                                    int& status)
{
    ProgressLine progress(files);
    files.setProgress([&progress](qint64 done) { progress.show(done); });
    bool unreadable = false;
    const RowFeed feed = [&](const RowVisitor& row, QString* error) {
        progress.pass();
        if (files.read(row))
            return true;
        unreadable = true;
        *error = refusalText(files.failure());
        return false;
    };
    QString error;
    auto st = compute(feed, options, &error);
    files.setProgress({}); // the line is gone with this function; the set may be read again
    progress.clear();
    if (st)
        return st;
    status = Failure;
    if (!unreadable && files.rows() == 0)
        error = files.files().size() == 1
                    ? StatsTr::tr("%1 holds no records").arg(files.files().first().path)
                    : StatsTr::tr("the files hold no records");
    else if (!unreadable && (options.from || options.to))
        status = UsageError; // an empty range
    complain(error);
    return std::nullopt;
}

int takeSurveyArguments(CommandLine& parser, Command command, const QStringList& args,
                        SurveyArguments& out)
{
    if (const int status = parser.parse(command, args, referenceKeys() + u'.'))
        return status;
    out.paths = parser.positionalArguments().mid(1);
    if (out.paths.isEmpty()) {
        complain(StatsTr::tr("%1 needs at least one record file (try --help)")
                     .arg(parser.positionalArguments().value(0)));
        return UsageError;
    }
    if (const int status = takeRange(parser, out.options))
        return status;
    return takeReferences(parser, out.references);
}

int runStats(const QStringList& args)
{
    CommandLine parser;
    SurveyArguments survey;
    if (const int status = takeSurveyArguments(parser, Command::Stats, args, survey))
        return status;
    const QString fmt = parser.value(u"format");
    const QStringList& paths = survey.paths;
    const QList<const Reference*>& refs = survey.references;
    stats::Options& options = survey.options;
    if (const int status = takeLevels(parser.values(u"threshold"), refs, paths, options))
        return status;

    RecordFileSet files(paths);
    int status = Ok;
    const auto st = figuresOf(files, options, status);
    if (!st)
        return status;
    const Report report{*st, files.files(), refs};
    const QByteArray out = fmt == u"json"  ? jsonReport(report)
                           : fmt == u"csv" ? csvReport(report)
                                           : textReport(report).toUtf8();
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return std::fflush(stdout) == 0 ? Ok : Failure;
}

} // namespace veltrix::cli
