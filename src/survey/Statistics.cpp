#include "survey/Statistics.h"

#include "link/ReadingDecoder.h"
#include "records/CsvExport.h"
#include "records/RecordFile.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace veltrix::stats {

namespace {

const qint64 Epoch = QDate(2000, 1, 1).toJulianDay();
constexpr qint64 DayMs = 86'400'000;

QString tr(const char* text, int n = -1)
{
    return QCoreApplication::translate("Statistics", text, nullptr, n);
}

// Above a level, allowing for the rounding of a level converted between units.
bool above(double milliGauss, double level)
{
    return milliGauss > level + 1e-9 * std::max(1.0, level);
}

// The lower median: of an even count the smaller middle value, so that a few long steps (gaps)
// cannot make the sampling time longer than the usual step.
qint64 medianOf(QList<qint64> values)
{
    if (values.isEmpty())
        return 0;
    const auto mid = values.begin() + (values.size() - 1) / 2;
    std::nth_element(values.begin(), mid, values.end());
    return *mid;
}

} // namespace

CellValue valueOf(QStringView cell)
{
    cell = cell.trimmed();
    if (isOverload(cell))
        return {ValueKind::Overload, 0};
    // A plain decimal number (as the meter shows one), read without the locale machinery: this
    // runs for every record of a table.
    char text[32];
    if (cell.isEmpty() || cell.size() >= qsizetype(sizeof text))
        return {};
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i].unicode() > 127)
            return {};
        text[i] = char(cell[i].unicode());
    }
    double v = 0;
    const char* end = text + cell.size();
    const auto [stop, failure] = std::from_chars(text, end, v);
    if (failure != std::errc() || stop != end || !std::isfinite(v))
        return {};
    return {ValueKind::Number, v};
}

std::optional<ClockMs> clockMsOf(QStringView date, QStringView time)
{
    // The record file's date and time, read by the same rule as the CSV export: when it can be
    // read, that gives "yyyy-MM-ddTHH:mm:ss" and maybe a fraction, every place a digit.
    const QString iso = isoDateTime(date, time);
    if (iso.size() < 19 || iso[10] != u'T')
        return std::nullopt;
    const auto number = [&iso](qsizetype at, qsizetype digits) {
        int v = 0;
        for (qsizetype i = at; i < at + digits; ++i)
            v = v * 10 + (iso[i].unicode() - u'0');
        return v;
    };
    const QDate d(number(0, 4), number(5, 2), number(8, 2));
    const int h = number(11, 2), m = number(14, 2), s = number(17, 2);
    if (!d.isValid() || h > 23 || m > 59 || s > 59)
        return std::nullopt;
    int ms = 0; // tenths (downloaded sets) or finer, to the millisecond
    for (qsizetype i = 20, scale = 100; i < iso.size() && scale > 0; ++i, scale /= 10)
        ms += (iso[i].unicode() - u'0') * int(scale);
    return (d.toJulianDay() - Epoch) * DayMs + qint64((h * 60 + m) * 60 + s) * 1000 + ms;
}

std::optional<ClockMs> clockMsOf(const QDateTime& when)
{
    if (!when.isValid())
        return std::nullopt;
    return (when.date().toJulianDay() - Epoch) * DayMs + when.time().msecsSinceStartOfDay();
}

QDateTime clockTime(ClockMs ms)
{
    const qint64 day = ms >= 0 ? ms / DayMs : (ms - DayMs + 1) / DayMs;
    return QDateTime(QDate::fromJulianDay(Epoch + day),
                     QTime::fromMSecsSinceStartOfDay(int(ms - day * DayMs)), Qt::UTC);
}

QString clockText(ClockMs ms)
{
    const QDateTime t = clockTime(ms);
    QString text = t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (const int tenths = t.time().msec() / 100; t.time().msec() != 0)
        text += u'.' + QString::number(tenths);
    return text;
}

QString durationText(qint64 ms)
{
    if (ms < 60'000) {
        if (ms % 1000 == 0)
            return QString::number(ms / 1000) + QStringLiteral(" s");
        return QString::number(double(ms) / 1000, 'f', 1) + QStringLiteral(" s");
    }
    const qint64 s = ms / 1000;
    if (s < 3600)
        return QStringLiteral("%1 min %2 s").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
    if (s < 86400)
        return QStringLiteral("%1 h %2 min")
            .arg(s / 3600)
            .arg(s / 60 % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 d %2 h %3 min")
        .arg(s / 86400)
        .arg(s / 3600 % 24, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'));
}

QString valueText(double value, Unit unit)
{
    return QString::number(value, 'f', unit == Unit::MilliGauss ? 2 : 3) + u' ' + unitText(unit);
}

std::optional<Level> parseLevel(QStringView text, Unit bareUnit)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d+(?:\\.\\d*)?|\\.\\d+)\\s*(mG|uT|\\x{00B5}T|\\x{03BC}T)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(text.toString());
    if (!m.hasMatch())
        return std::nullopt;
    const double v = m.captured(1).toDouble();
    const QString unitCell = m.captured(2);
    Unit unit = bareUnit;
    if (!unitCell.isEmpty())
        unit =
            unitCell.compare(u"mG", Qt::CaseInsensitive) == 0 ? Unit::MilliGauss : Unit::MicroTesla;
    if (!std::isfinite(v))
        return std::nullopt;
    QString number = m.captured(1);
    if (number.startsWith(u'.'))
        number.prepend(u'0');
    return Level{number + u' ' + unitText(unit), toMilliGauss(v, unit)};
}

double percentile(QList<double>& values, double p)
{
    if (values.isEmpty())
        return 0;
    const double rank = p / 100 * double(values.size() - 1);
    const auto below = qsizetype(std::floor(rank));
    // The value of rank `below` in place, and the next larger one: no full sort needed.
    std::nth_element(values.begin(), values.begin() + below, values.end());
    const double low = values[below];
    const double high = below + 1 < values.size()
                            ? *std::min_element(values.begin() + below + 1, values.end())
                            : low;
    return low + (rank - double(below)) * (high - low);
}

std::optional<Unit> tableUnit(const RowText& rowText, int rowCount)
{
    for (int r = 1; r <= rowCount; ++r)
        if (const auto unit = unitOf(recordCells(rowText(r))[UnitCell]))
            return unit;
    return std::nullopt;
}

namespace {

// What the rows give before any figure is taken: the series, the counts and, for each reading of
// the series, whether an invalid row came just before it (a stretch above a level does not run
// across one).
struct Series {
    Statistics st;
    QList<bool> afterInvalid;
};

Series readSeries(const RowText& rowText, int rowCount, const Options& options)
{
    Series out;
    Statistics& st = out.st;
    st.unit =
        options.unit ? *options.unit : tableUnit(rowText, rowCount).value_or(Unit::MilliGauss);
    int perUnit[2] = {0, 0}; // readings per unit
    st.series.reserve(rowCount);
    out.afterInvalid.reserve(rowCount);
    bool invalidSeen = false;
    const auto append = [&](const Sample& s) {
        st.series.append(s);
        out.afterInvalid.append(invalidSeen);
        invalidSeen = false;
    };
    for (int r = 1; r <= rowCount; ++r) {
        const QStringView row = rowText(r);
        if (row.trimmed().isEmpty())
            continue;
        const RecordCells cells = recordCells(row);
        const std::optional<ClockMs> clock = clockMsOf(cells[DateCell], cells[TimeCell]);
        if (!clock) {
            ++st.rows;
            ++st.invalid;
            invalidSeen = true;
            continue;
        }
        if ((options.from && *clock < *options.from) || (options.to && *clock > *options.to))
            continue;
        ++st.rows;
        const CellValue value = valueOf(cells[ValueCell]);
        const std::optional<Unit> rowUnit = unitOf(cells[UnitCell]);
        if (value.kind == ValueKind::Overload) {
            ++st.overloads;
            st.overloadMoments.append({*clock, r});
            append({*clock, 0, 0, true, r});
        } else if (value.kind == ValueKind::Number && rowUnit) {
            ++st.readings;
            ++perUnit[int(*rowUnit)];
            append({*clock, 0, toMilliGauss(value.number, *rowUnit), false, r});
        } else {
            ++st.invalid;
            invalidSeen = true;
        }
    }
    st.converted = perUnit[st.unit == Unit::MilliGauss ? 1 : 0];
    return out;
}

// The sampling time: the one given, or else the typical step forward between two readings.
void takeSampling(Statistics& st, const Options& options)
{
    QList<qint64> steps;
    steps.reserve(st.series.size());
    for (qsizetype i = 1; i < st.series.size(); ++i) {
        const qint64 step = st.series[i].clock - st.series[i - 1].clock;
        if (step > 0)
            steps.append(step);
    }
    st.samplingGiven = options.samplingSeconds > 0;
    st.sampling =
        st.samplingGiven ? qint64(std::llround(options.samplingSeconds * 1000)) : medianOf(steps);
}

// Survey time, gaps and clocks set back; returns for each reading whether a break lies before it.
QList<bool> takeBreaks(Statistics& st)
{
    QList<bool> broken(st.series.size(), false);
    for (qsizetype i = 1; i < st.series.size(); ++i) {
        Sample& s = st.series[i];
        const Sample& previous = st.series[i - 1];
        const qint64 step = s.clock - previous.clock;
        s.elapsed = previous.elapsed + std::max<qint64>(step, 0);
        const Moment before{previous.clock, previous.row};
        const Moment after{s.clock, s.row};
        if (step < 0) {
            st.breaks.append({Break::ClockBack, before, after});
            broken[i] = true;
        } else if (st.sampling > 0 && step > 2 * st.sampling) {
            st.breaks.append({Break::Gap, before, after});
            broken[i] = true;
        }
    }
    st.first = st.series.first().clock;
    st.last = st.series.last().clock;
    st.duration = st.series.last().elapsed;
    return broken;
}

// Time above one level, with the values still in milligauss. `endsRun` tells for each reading
// whether a stretch above cannot run into it (a break or an invalid row before it).
LevelFigures levelFigures(const Statistics& st, const Level& level, const QList<bool>& endsRun)
{
    LevelFigures f;
    f.level = level;
    int run = 0;
    Moment runStart;
    int longestRun = 0;
    for (qsizetype i = 0; i < st.series.size(); ++i) {
        const Sample& s = st.series[i];
        if (endsRun[i])
            run = 0;
        if (!(s.overload || above(s.value, level.milliGauss))) {
            run = 0;
            continue;
        }
        ++f.samplesAbove;
        f.overloadsAbove += s.overload;
        if (run++ == 0)
            runStart = {s.clock, s.row};
        if (run > longestRun) {
            longestRun = run;
            f.longestStart = runStart;
        }
    }
    f.timeAbove = f.samplesAbove * st.sampling;
    f.longest = longestRun * st.sampling;
    return f;
}

// The readings into the statistics' unit, and the figures of their values.
void takeValues(Statistics& st)
{
    QList<double> values;
    values.reserve(st.readings);
    for (Sample& s : st.series) {
        if (s.overload)
            continue;
        s.value = fromMilliGauss(s.value, st.unit);
        values.append(s.value);
        if (values.size() == 1 || s.value < st.minimum) {
            st.minimum = s.value;
            st.minimumAt = {s.clock, s.row};
        }
        if (values.size() == 1 || s.value > st.maximum) {
            st.maximum = s.value;
            st.maximumAt = {s.clock, s.row};
        }
    }
    if (values.isEmpty())
        return;
    double sum = 0;
    for (const double v : values)
        sum += v;
    st.mean = sum / double(values.size());
    double squares = 0;
    for (const double v : values)
        squares += (v - st.mean) * (v - st.mean);
    st.standardDeviation = values.size() > 1 ? std::sqrt(squares / double(values.size() - 1)) : 0;
    st.median = percentile(values, 50);
    st.percentile95 = percentile(values, 95);
}

} // namespace

std::optional<ClockMs> rowClock(QStringView row)
{
    const RecordCells cells = recordCells(row);
    return clockMsOf(cells[DateCell], cells[TimeCell]);
}

std::optional<Statistics> compute(const RowText& rowText, int rowCount, const Options& options,
                                  QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };

    Series read = readSeries(rowText, rowCount, options);
    Statistics& st = read.st;
    if (st.rows == 0) {
        if (options.from || options.to)
            return fail(tr("No records between %1 and %2.")
                            .arg(options.from ? clockText(*options.from) : tr("the start"),
                                 options.to ? clockText(*options.to) : tr("the end")));
        return fail(tr("There are no records."));
    }
    if (st.series.isEmpty())
        return fail(tr("None of the %n record(s) holds a reading that can be read.", st.rows));

    takeSampling(st, options);
    QList<bool> endsRun = takeBreaks(st);
    for (qsizetype i = 0; i < endsRun.size(); ++i)
        endsRun[i] = endsRun[i] || read.afterInvalid[i];
    // Time above each level, in milligauss before the values change unit.
    for (const Level& level : options.levels)
        st.levels.append(levelFigures(st, level, endsRun));
    takeValues(st);
    return st;
}

} // namespace veltrix::stats
