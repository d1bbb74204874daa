// stats: the survey figures of one or more record files, as text, JSON or CSV.

#include "Cli.h"
#include "Options.h"

#include "records/CsvExport.h"
#include "records/RecordFile.h"
#include "records/RecordReader.h"
#include "survey/Assessment.h"
#include "survey/ReferenceLevels.h"
#include "survey/Statistics.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace veltrix::cli {

namespace {

using namespace veltrix::stats;

struct InputFile {
    QString path;
    QString sha256;
    int firstRow = 1; // its first row in the joined table
    int rows = 0;
};

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

QString percent(qint64 part, qint64 whole)
{
    return whole > 0 ? QString::number(100.0 * double(part) / double(whole), 'f', 1) : QString();
}

struct Report {
    const Statistics& st;
    const QList<InputFile>& files;
    const QList<const Reference*>& references;

    // The file a row of the joined table comes from, and its record number there.
    std::pair<QString, int> locate(const Moment& m) const
    {
        for (const InputFile& f : files)
            if (m.row < f.firstRow + f.rows)
                return {QFileInfo(f.path).fileName(), m.row - f.firstRow + 1};
        return {};
    }
    // "record 12", or "b.txt record 12" when several files make the table.
    QString where(const Moment& m) const
    {
        const auto [file, row] = locate(m);
        if (files.size() == 1)
            return QStringLiteral("record %1").arg(row);
        return QStringLiteral("%1 record %2").arg(file).arg(row);
    }
    QString at(const Moment& m) const
    {
        return clockText(m.clock) + QStringLiteral(" (") + where(m) + u')';
    }
    qint64 measured() const { return qint64(st.readings + st.overloads) * st.sampling; }
    QString assessment(const Reference& ref) const
    {
        return stats::assessment(ref, st, [this](double milliGauss) {
            return valueText(fromMilliGauss(milliGauss, st.unit), st.unit);
        });
    }
    double number(double v) const { return std::round(v * 1000) / 1000; }
};

QString textReport(const Report& r)
{
    const Statistics& st = r.st;
    QString out;
    const auto line = [&out](const QString& label, const QString& value) {
        out += label.leftJustified(18) + value + u'\n';
    };
    for (const InputFile& f : r.files)
        line(QStringLiteral("File"),
             QStringLiteral("%1  %2 records  SHA-256 %3").arg(f.path).arg(f.rows).arg(f.sha256));
    QString records =
        QStringLiteral("%1: %2 readings, %3 %4 (OL), %5 invalid")
            .arg(st.rows)
            .arg(st.readings)
            .arg(st.overloads)
            .arg(st.overloads == 1 ? QStringLiteral("overload") : QStringLiteral("overloads"))
            .arg(st.invalid);
    if (st.converted > 0)
        records += QStringLiteral("; %1 converted to %2").arg(st.converted).arg(unitText(st.unit));
    line(QStringLiteral("Records"), records);
    line(QStringLiteral("First"), clockText(st.first));
    line(QStringLiteral("Last"), clockText(st.last));
    line(QStringLiteral("Duration"), durationText(st.duration));
    line(QStringLiteral("Sampling time"),
         st.sampling > 0 ? durationText(st.sampling) : QStringLiteral("unknown (one reading)"));
    if (st.readings == 0) {
        line(QStringLiteral("Readings"), QStringLiteral("none with a value: every one is an "
                                                        "overload (OL)"));
    } else {
        line(QStringLiteral("Minimum"),
             valueText(st.minimum, st.unit) + QStringLiteral("  at ") + r.at(st.minimumAt));
        line(QStringLiteral("Maximum"),
             valueText(st.maximum, st.unit) + QStringLiteral("  at ") + r.at(st.maximumAt));
        line(QStringLiteral("Mean"), valueText(st.mean, st.unit));
        line(QStringLiteral("Median"), valueText(st.median, st.unit));
        line(QStringLiteral("95th percentile"), valueText(st.percentile95, st.unit));
        line(QStringLiteral("Std deviation"), valueText(st.standardDeviation, st.unit));
    }
    for (const LevelFigures& f : st.levels) {
        QString text = durationText(f.timeAbove);
        if (const QString p = percent(f.timeAbove, r.measured()); !p.isEmpty())
            text += QStringLiteral(" (%1 %)").arg(p);
        if (f.longest > 0)
            text += QStringLiteral(", longest %1 from %2")
                        .arg(durationText(f.longest), r.at(f.longestStart));
        if (f.overloadsAbove > 0)
            text += QStringLiteral(", overloads (OL) included: %1").arg(f.overloadsAbove);
        out += QStringLiteral("Above ") + f.level.name + QStringLiteral("\n  ") + text + u'\n';
    }
    for (const Reference* ref : r.references)
        line(QStringLiteral("Assessment"), r.assessment(*ref));
    for (const Break& b : st.breaks) {
        const bool gap = b.kind == Break::Gap;
        line(gap ? QStringLiteral("Gap") : QStringLiteral("Clock set back"),
             QStringLiteral("%1 to %2%3")
                 .arg(r.at(b.before), r.at(b.after),
                      gap ? QStringLiteral(", ") + durationText(b.after.clock - b.before.clock)
                          : QString()));
    }
    for (const Moment& m : st.overloadMoments)
        line(QStringLiteral("Overload (OL)"), r.at(m));
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
    for (const InputFile& f : r.files)
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
                  {QStringLiteral("samplingSeconds"), double(st.sampling) / 1000}};
    if (st.readings > 0) {
        QJsonObject min = momentJson(r, st.minimumAt);
        min.insert(QStringLiteral("value"), r.number(st.minimum));
        QJsonObject max = momentJson(r, st.maximumAt);
        max.insert(QStringLiteral("value"), r.number(st.maximum));
        o.insert(QStringLiteral("minimum"), min);
        o.insert(QStringLiteral("maximum"), max);
        o.insert(QStringLiteral("mean"), r.number(st.mean));
        o.insert(QStringLiteral("median"), r.number(st.median));
        o.insert(QStringLiteral("percentile95"), r.number(st.percentile95));
        o.insert(QStringLiteral("standardDeviation"), r.number(st.standardDeviation));
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
    const auto seconds = [](qint64 ms) { return QString::number(double(ms) / 1000); };
    row(QStringLiteral("records"), QString::number(st.rows), {});
    row(QStringLiteral("readings"), QString::number(st.readings), {});
    row(QStringLiteral("overloads"), QString::number(st.overloads), {});
    row(QStringLiteral("invalid"), QString::number(st.invalid), {});
    row(QStringLiteral("converted"), QString::number(st.converted), {});
    row(QStringLiteral("first"), {}, {}, iso(st.first));
    row(QStringLiteral("last"), {}, {}, iso(st.last));
    row(QStringLiteral("duration"), seconds(st.duration), QStringLiteral("s"));
    row(QStringLiteral("sampling"), seconds(st.sampling), QStringLiteral("s"));
    if (st.readings > 0) {
        row(QStringLiteral("minimum"), QString::number(r.number(st.minimum)), u,
            iso(st.minimumAt.clock), r.where(st.minimumAt));
        row(QStringLiteral("maximum"), QString::number(r.number(st.maximum)), u,
            iso(st.maximumAt.clock), r.where(st.maximumAt));
        row(QStringLiteral("mean"), QString::number(r.number(st.mean)), u);
        row(QStringLiteral("median"), QString::number(r.number(st.median)), u);
        row(QStringLiteral("percentile95"), QString::number(r.number(st.percentile95)), u);
        row(QStringLiteral("standardDeviation"), QString::number(r.number(st.standardDeviation)),
            u);
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
            complain(QStringLiteral("--%1 '%2' is not an ISO 8601 date or date and time")
                         .arg(QStringView(option), parser.value(option)));
            return UsageError;
        }
        (endOfDay ? options.to : options.from) = when;
    }
    if (options.from && options.to && *options.to < *options.from) {
        complain(QStringLiteral("--to lies before --from: the range is empty"));
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
            complain(
                QStringLiteral("unknown reference '%1' (known: %2)").arg(name, referenceKeys()));
            return UsageError;
        }
        refs << ref;
    }
    return Ok;
}

// Why a record file cannot be read, in the tool's words.
QString refusalText(const RecordFileRead& file, const QString& path)
{
    switch (file.error) {
    case RecordFileRead::NotRegular:
        return QStringLiteral("%1 is not a record file").arg(path);
    case RecordFileRead::TooLarge:
        return QStringLiteral("%1 is too large to be a record file").arg(path);
    default:
        return QStringLiteral("cannot read %1: %2").arg(path, file.reason);
    }
}

// The files, read whole, their rows joined in the order given.
int readInputs(const QStringList& paths, QList<InputFile>& files, QStringList& rows)
{
    for (const QString& path : paths) {
        const RecordFileRead file = readRecordFile(path);
        if (file.error != RecordFileRead::None) {
            complain(refusalText(file, path));
            return Failure;
        }
        QStringList fileRows = recordRows(file.bytes);
        fileRows.removeIf([](const QString& row) { return row.trimmed().isEmpty(); });
        files.append({path,
                      QString::fromLatin1(
                          QCryptographicHash::hash(file.bytes, QCryptographicHash::Sha256).toHex()),
                      int(rows.size()) + 1, int(fileRows.size())});
        rows += fileRows;
    }
    if (rows.isEmpty()) {
        complain(paths.size() == 1 ? QStringLiteral("%1 holds no records").arg(paths.first())
                                   : QStringLiteral("the files hold no records"));
        return Failure;
    }
    return Ok;
}

// The --threshold levels (a bare number in the unit of the first reading), then the lines of the
// chosen references.
int takeLevels(const QStringList& thresholds, const QList<const Reference*>& refs,
               const RowText& rowText, int rowCount, stats::Options& options)
{
    const Unit bare = tableUnit(rowText, rowCount).value_or(Unit::MilliGauss);
    for (const QString& text : thresholds) {
        const auto level = parseLevel(text, bare);
        if (!level) {
            complain(
                QStringLiteral("--threshold '%1' is not a level such as 5mG or 0.4uT").arg(text));
            return UsageError;
        }
        options.levels.append(*level);
    }
    for (const Reference* ref : refs)
        options.levels += ref->lines;
    return Ok;
}

} // namespace

int runStats(const QStringList& args)
{
    CommandLine parser;
    if (const int status = parser.parse(Command::Stats, args, referenceKeys() + u'.'))
        return status;
    const QStringList paths = parser.positionalArguments().mid(1);
    if (paths.isEmpty()) {
        complain(QStringLiteral("stats needs at least one record file (try --help)"));
        return UsageError;
    }
    const QString fmt = parser.value(u"format");
    stats::Options options;
    QList<const Reference*> refs;
    if (const int status = takeRange(parser, options))
        return status;
    if (const int status = takeReferences(parser, refs))
        return status;

    QList<InputFile> files;
    QStringList rows;
    if (const int status = readInputs(paths, files, rows))
        return status;
    const RowText rowText = [&rows](int r) { return QStringView(rows[r - 1]); };
    if (const int status =
            takeLevels(parser.values(u"threshold"), refs, rowText, int(rows.size()), options))
        return status;

    QString error;
    const auto st = compute(rowText, int(rows.size()), options, &error);
    if (!st) {
        complain(error);
        // An empty range is a usage error; a file without readable records is a failure.
        return options.from || options.to ? UsageError : Failure;
    }
    const Report report{*st, files, refs};
    const QByteArray out = fmt == u"json"  ? jsonReport(report)
                           : fmt == u"csv" ? csvReport(report)
                                           : textReport(report).toUtf8();
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return std::fflush(stdout) == 0 ? Ok : Failure;
}

} // namespace veltrix::cli
