// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/Statistics.h"

#include "ui/LocaleText.h"

#include "link/ReadingDecoder.h"
#include "records/CsvExport.h"
#include "records/RecordFile.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace veltrix::stats {

namespace {

const qint64 Epoch = QDate(2000, 1, 1).toJulianDay();
constexpr qint64 DayMs = 86'400'000;
constexpr double NanoTeslaPerMilliGauss = 100;

// The texts' translation context (lupdate reads it from here).
struct StatsTr {
    Q_DECLARE_TR_FUNCTIONS(Statistics)
};

// Above a level, allowing for the rounding of a level converted between units.
bool above(double milliGauss, double level)
{
    return milliGauss > level + 1e-9 * std::max(1.0, level);
}

} // namespace

CellValue valueOf(QStringView cell)
{
    cell = cell.trimmed();
    if (isOverload(cell))
        return {ValueKind::Overload, 0};
    // A plain decimal number (as the meter shows one), read without the locale machinery: this
    // runs for every record of a table.
    char text[32] = {};
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
    int decimals = 0;
    const char* point = std::find(static_cast<const char*>(text), end, '.');
    for (const char* c = point + 1; c < end && *c >= '0' && *c <= '9'; ++c)
        ++decimals;
    return {ValueKind::Number, v, decimals};
}

std::optional<ClockMs> clockMsOf(QStringView date, QStringView time)
{
    // The record file's date and time, read by the same rule as the CSV export.
    const std::optional<RecordDateTime> t = recordDateTime(date, time);
    if (!t)
        return std::nullopt;
    const QDate d(t->year, t->month, t->day);
    if (!d.isValid() || t->hour > 23 || t->minute > 59 || t->second > 59)
        return std::nullopt;
    int ms = 0; // tenths (downloaded sets) or finer, to the millisecond
    for (qsizetype i = 0, scale = 100; i < t->fraction.size() && scale > 0; ++i, scale /= 10)
        ms += (t->fraction[i].unicode() - u'0') * int(scale);
    return (d.toJulianDay() - Epoch) * DayMs +
           qint64((t->hour * 60 + t->minute) * 60 + t->second) * 1000 + ms;
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

QString clockText(ClockMs ms, const QLocale& locale)
{
    const QDateTime t = clockTime(ms);
    return ui::dateText(t.date(), locale) + u' ' + ui::timeText(t.time(), true, locale);
}

QString durationText(qint64 ms, const QLocale& locale)
{
    ms = std::max<qint64>(ms, 0);
    if (const qint64 tenths = (ms + 50) / 100; tenths < 600) {
        if (tenths % 10 == 0)
            return QString::number(tenths / 10) + QStringLiteral(" s");
        return ui::numberText(double(tenths) / 10, 1, locale) + QStringLiteral(" s");
    }
    if (const qint64 s = (ms + 500) / 1000; s < 600)
        return QStringLiteral("%1 min %2 s").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
    constexpr qint64 MinutesADay = qint64(24) * 60;
    const qint64 m = (ms + 30'000) / 60'000;
    if (m < 60)
        return QStringLiteral("%1 min").arg(m);
    if (m < MinutesADay)
        return QStringLiteral("%1 h %2 min").arg(m / 60).arg(m % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 d %2 h %3 min")
        .arg(m / MinutesADay)
        .arg(m / 60 % 24, 2, 10, QLatin1Char('0'))
        .arg(m % 60, 2, 10, QLatin1Char('0'));
}

QString shareText(qint64 part, qint64 whole, const QLocale& locale)
{
    if (whole <= 0)
        return {};
    if (part <= 0)
        return QStringLiteral("0 %");
    if (part >= whole)
        return QStringLiteral("100 %");
    const double percent = 100.0 * double(part) / double(whole);
    if (percent < 0.05)
        return StatsTr::tr("< 0.1 %");
    if (percent >= 99.95)
        return StatsTr::tr("> 99.9 %");
    return ui::numberText(percent, 1, locale) + QStringLiteral(" %");
}

FigureUnit figureUnitOf(Unit unit)
{
    return unit == Unit::MilliGauss ? FigureUnit::MilliGauss : FigureUnit::MicroTesla;
}

QString figureUnitText(FigureUnit unit)
{
    switch (unit) {
    case FigureUnit::NanoTesla:
        return QStringLiteral("nT");
    case FigureUnit::MicroTesla:
        return unitText(Unit::MicroTesla);
    default:
        return unitText(Unit::MilliGauss);
    }
}

double figureValue(double milliGauss, FigureUnit unit)
{
    switch (unit) {
    case FigureUnit::NanoTesla:
        return milliGauss * NanoTeslaPerMilliGauss;
    case FigureUnit::MicroTesla:
        return fromMilliGauss(milliGauss, Unit::MicroTesla);
    default:
        return milliGauss;
    }
}

QString figureText(double milliGauss, FigureUnit unit, double resolutionMg, const QLocale& locale)
{
    const double step = figureValue(resolutionMg > 0 ? resolutionMg : 0.01, unit);
    // The decimals of the step: 10 nT none, 0.01 µT two; a step of 0.25 shows two.
    int decimals = 0;
    for (double shifted = step;
         decimals < 6 && std::abs(shifted - std::round(shifted)) > 1e-6 * shifted; shifted *= 10)
        ++decimals;
    double value = figureValue(milliGauss, unit);
    if (std::abs(value) < 0.5 / std::pow(10, decimals))
        value = 0; // no "-0.0"
    return ui::numberText(value, decimals, locale) + u' ' + figureUnitText(unit);
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

std::optional<Unit> tableUnit(const RowText& rowText, int rowCount)
{
    for (int r = 1; r <= rowCount; ++r)
        if (const auto unit = unitOf(recordCells(rowText(r))[UnitCell]))
            return unit;
    return std::nullopt;
}

RowFeed tableFeed(const RowText& rowText, int rowCount)
{
    return [rowText, rowCount](const RowVisitor& row, QString*) {
        for (int r = 1; r <= rowCount; ++r)
            row(r, rowText(r));
        return true;
    };
}

namespace {

// Far beyond any meter; it keeps a reading's key well inside 64 bits.
constexpr double MaxReadingMg = 1e12;

// A key (ValueSteps of milligauss) as a value in `unit`, rounded once.
double keyValue(double key, Unit unit)
{
    return key / (unit == Unit::MilliGauss ? ValueStepsPerMilliGauss
                                           : ValueStepsPerMilliGauss * MilliGaussPerMicroTesla);
}

qint64 powerOfTen(int n)
{
    qint64 v = 1;
    while (n-- > 0)
        v *= 10;
    return v;
}

// One row as the figures take it.
struct RowReading {
    enum Kind { Empty, Invalid, Outside, Reading, Overload };
    Kind kind = Empty;
    std::optional<Unit> unit; // of its Unit cell, when that can be read
    ClockMs clock = 0;
    qint64 key = 0;     // a reading's value in ValueSteps of milligauss
    qint64 stepKey = 0; // and the step its decimals show
};

RowReading readRow(QStringView row, const Options& options)
{
    RowReading r;
    if (row.trimmed().isEmpty())
        return r;
    const RecordCells cells = recordCells(row);
    r.unit = unitOf(cells[UnitCell]);
    r.kind = RowReading::Invalid;
    const std::optional<ClockMs> clock = clockMsOf(cells[DateCell], cells[TimeCell]);
    if (!clock)
        return r;
    r.clock = *clock;
    if ((options.from && *clock < *options.from) || (options.to && *clock > *options.to)) {
        r.kind = RowReading::Outside;
        return r;
    }
    const CellValue value = valueOf(cells[ValueCell]);
    if (value.kind == ValueKind::Overload) {
        r.kind = RowReading::Overload;
        return r;
    }
    if (value.kind != ValueKind::Number || !r.unit)
        return r;
    const double milliGauss = toMilliGauss(value.number, *r.unit);
    if (std::abs(milliGauss) > MaxReadingMg)
        return r;
    r.kind = RowReading::Reading;
    r.key = std::llround(milliGauss * ValueStepsPerMilliGauss);
    // 1 mG is 10^6 steps, 1 µT 10^7: each decimal the meter wrote takes one power of ten off.
    const int places = (*r.unit == Unit::MilliGauss ? 6 : 7) - value.decimals;
    r.stepKey = powerOfTen(std::max(places, 0));
    return r;
}

// Survey time across the readings and overloads: steps backwards add nothing.
struct SurveyClock {
    std::optional<ClockMs> previous;
    qint64 elapsed = 0;

    // The step from the previous reading (0 for the first).
    qint64 advance(ClockMs clock)
    {
        const qint64 step = previous ? clock - *previous : 0;
        elapsed += std::max<qint64>(step, 0);
        previous = clock;
        return step;
    }
};

// The first pass: the steps forward between readings, counted per distinct step, and the length
// of the survey.
struct Timing {
    SurveyClock clock;
    std::unordered_map<qint64, qint64> steps;

    void row(QStringView text, const Options& options)
    {
        const RowReading r = readRow(text, options);
        if (r.kind != RowReading::Reading && r.kind != RowReading::Overload)
            return;
        if (const qint64 step = clock.advance(r.clock); step > 0)
            ++steps[step];
    }
    // The lower median: of an even count the smaller middle step, so that a few long steps (gaps)
    // cannot make the sampling time longer than the usual step.
    qint64 lowerMedian() const
    {
        std::vector<std::pair<qint64, qint64>> sorted(steps.cbegin(), steps.cend());
        std::sort(sorted.begin(), sorted.end());
        qint64 total = 0;
        for (const auto& s : sorted)
            total += s.second;
        qint64 rank = (total - 1) / 2;
        for (const auto& [step, count] : sorted) {
            if (rank < count)
                return step;
            rank -= count;
        }
        return 0;
    }
};

// The pass that takes the figures, a row at a time.
class Survey {
public:
    Survey(const Options& options, qint64 sampling, qint64 span);
    void row(int number, QStringView text);
    std::optional<Statistics> finish(QString* error);

private:
    void sample(const RowReading& r, int number);
    void value(const RowReading& r, const Moment& at);
    void levels(const RowReading& r, const Moment& at, bool endsRun);
    void chart(const RowReading& r, bool broken);
    void finishValues();

    // A stretch above a level.
    struct Run {
        int length = 0, longest = 0;
        Moment start;
        bool overloadsAbove = false; // the level is at most the top an overload was beyond
    };
    const Options& m_options;
    Statistics m_st;
    bool m_unitKnown = false;
    qint64 m_span = 0;
    SurveyClock m_clock;
    Moment m_previous;
    bool m_invalidSeen = false; // since the previous reading
    QList<Run> m_runs;
    std::unordered_map<qint64, qint64> m_counts; // readings per key
    qint64 m_minKey = 0, m_maxKey = 0, m_finestStep = 0;
    int m_perUnit[2] = {0, 0};
};

Survey::Survey(const Options& options, qint64 sampling, qint64 span)
    : m_options(options), m_unitKnown(options.unit.has_value()), m_span(span)
{
    m_st.unit = options.unit.value_or(Unit::MilliGauss);
    m_st.samplingGiven = options.samplingSeconds > 0;
    m_st.sampling = sampling;
    m_st.overloadTopMg = options.overloadTopMg;
    for (const Level& level : options.levels) {
        LevelFigures f;
        f.level = level;
        m_st.levels.append(f);
        m_runs.append({0, 0, {}, !above(level.milliGauss, options.overloadTopMg)});
    }
    m_st.chart.resize(std::max(options.chartColumns, 0));
}

void Survey::row(int number, QStringView text)
{
    const RowReading r = readRow(text, m_options);
    if (!m_unitKnown && r.unit) { // the unit of the first row that names one
        m_st.unit = *r.unit;
        m_unitKnown = true;
    }
    switch (r.kind) {
    case RowReading::Empty:
    case RowReading::Outside:
        return;
    case RowReading::Invalid:
        ++m_st.rows;
        ++m_st.invalid;
        m_invalidSeen = true;
        return;
    default:
        ++m_st.rows;
        sample(r, number);
    }
}

void Survey::sample(const RowReading& r, int number)
{
    const Moment at{r.clock, number};
    const bool first = !m_clock.previous;
    const qint64 step = m_clock.advance(r.clock);
    const bool broken = !first && (step < 0 || (m_st.sampling > 0 && step > 2 * m_st.sampling));
    if (broken) {
        if (m_st.breaks.size() < MaxListed)
            m_st.breaks.append({step < 0 ? Break::ClockBack : Break::Gap, m_previous, at});
        ++m_st.breakCount;
    }
    if (first)
        m_st.first = r.clock;
    m_st.last = r.clock;
    m_st.duration = m_clock.elapsed;
    if (r.kind == RowReading::Overload) {
        if (m_st.overloadMoments.size() < MaxListed)
            m_st.overloadMoments.append(at);
        ++m_st.overloads;
    } else {
        value(r, at);
    }
    levels(r, at, broken || m_invalidSeen);
    chart(r, broken);
    m_invalidSeen = false;
    m_previous = at;
}

void Survey::value(const RowReading& r, const Moment& at)
{
    if (m_st.readings == 0 || r.key < m_minKey) {
        m_minKey = r.key;
        m_st.minimumAt = at;
    }
    if (m_st.readings == 0 || r.key > m_maxKey) {
        m_maxKey = r.key;
        m_st.maximumAt = at;
    }
    m_finestStep = m_st.readings == 0 ? r.stepKey : std::min(m_finestStep, r.stepKey);
    ++m_st.readings;
    ++m_perUnit[int(*r.unit)];
    ++m_counts[r.key];
}

// A stretch above a level does not run across a break or an invalid row (`endsRun`).
void Survey::levels(const RowReading& r, const Moment& at, bool endsRun)
{
    const bool overload = r.kind == RowReading::Overload;
    const double milliGauss = double(r.key) / ValueStepsPerMilliGauss;
    for (qsizetype i = 0; i < m_st.levels.size(); ++i) {
        LevelFigures& f = m_st.levels[i];
        Run& run = m_runs[i];
        if (endsRun)
            run.length = 0;
        if (overload ? !run.overloadsAbove : !above(milliGauss, f.level.milliGauss)) {
            run.length = 0;
            continue;
        }
        ++f.samplesAbove;
        f.overloadsAbove += overload;
        if (run.length++ == 0)
            run.start = at;
        if (run.length > run.longest) {
            run.longest = run.length;
            f.longestStart = run.start;
        }
    }
}

// The column of the chart the reading falls in: its lowest, highest, first and last reading.
void Survey::chart(const RowReading& r, bool broken)
{
    if (m_st.chart.isEmpty())
        return;
    const int n = int(m_st.chart.size());
    const int at =
        m_span > 0 ? std::min(n - 1, int(double(m_clock.elapsed) / double(m_span) * n)) : n / 2;
    ChartColumn& c = m_st.chart[at];
    if (!c.readings && !c.overload)
        c.clock = r.clock;
    if (r.kind == RowReading::Overload) {
        c.overload = true;
        c.gapBefore = c.gapBefore || (broken && !c.readings);
        return;
    }
    const double v = keyValue(double(r.key), m_st.unit);
    if (!c.readings) {
        c.readings = true;
        c.low = c.high = c.first = v;
        c.gapBefore = c.gapBefore || broken;
    }
    c.low = std::min(c.low, v);
    c.high = std::max(c.high, v);
    c.last = v;
}

std::optional<Statistics> Survey::finish(QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (m_st.rows == 0) {
        if (m_options.from || m_options.to)
            return fail(
                StatsTr::tr("No records between %1 and %2.")
                    .arg(m_options.from ? clockText(*m_options.from) : StatsTr::tr("the start"),
                         m_options.to ? clockText(*m_options.to) : StatsTr::tr("the end")));
        return fail(StatsTr::tr("There are no records."));
    }
    if (m_st.readings + m_st.overloads == 0)
        return fail(StatsTr::tr("None of the %n record(s) holds a reading that can be read.",
                                nullptr, m_st.rows));
    m_st.converted = m_perUnit[m_st.unit == Unit::MilliGauss ? 1 : 0];
    for (qsizetype i = 0; i < m_st.levels.size(); ++i) {
        m_st.levels[i].timeAbove = m_st.levels[i].samplesAbove * m_st.sampling;
        m_st.levels[i].longest = m_runs[i].longest * m_st.sampling;
    }
    m_st.measured = qint64(m_st.readings + m_st.overloads) * m_st.sampling;
    finishValues();
    return std::move(m_st);
}

void Survey::finishValues()
{
    if (m_st.readings == 0)
        return;
    const Unit unit = m_st.unit;
    m_st.values.reserve(qsizetype(m_counts.size()));
    for (const auto& [key, count] : m_counts)
        m_st.values.append({key, count});
    std::sort(m_st.values.begin(), m_st.values.end(),
              [](const ValueCount& a, const ValueCount& b) { return a.key < b.key; });
    m_st.minimum = keyValue(double(m_minKey), unit);
    m_st.maximum = keyValue(double(m_maxKey), unit);
    m_st.resolution = keyValue(double(m_finestStep), unit);
    // The mean counted from the lowest reading, so that equal readings give their value exactly;
    // the deviation from the mean of each distinct value.
    const auto n = static_cast<long double>(m_st.readings);
    long double above = 0;
    for (const ValueCount& v : m_st.values)
        above += static_cast<long double>(v.key - m_minKey) * static_cast<long double>(v.count);
    const double meanKey = double(m_minKey) + double(above / n);
    m_st.mean = keyValue(meanKey, unit);
    long double squares = 0;
    for (const ValueCount& v : m_st.values) {
        const long double d = static_cast<long double>(v.key) - meanKey;
        squares += d * d * static_cast<long double>(v.count);
    }
    m_st.standardDeviation =
        m_st.readings > 1 ? keyValue(double(std::sqrt(squares / (n - 1))), unit) : 0;
    m_st.median = m_st.percentileOf(50);
    m_st.percentile95 = m_st.percentileOf(95);
}

} // namespace

double Statistics::percentileOf(double p) const
{
    if (readings <= 0 || values.isEmpty())
        return 0;
    const double rank = std::clamp(p, 0.0, 100.0) / 100 * double(readings - 1);
    const auto below = qint64(std::floor(rank));
    // The value of rank `below`, and the next one up.
    qsizetype i = 0;
    qint64 seen = 0;
    while (i + 1 < values.size() && seen + values[i].count <= below)
        seen += values[i++].count;
    const double low = keyValue(double(values[i].key), unit);
    const bool sameValue = below + 1 < seen + values[i].count || i + 1 == values.size();
    const double high = sameValue ? low : keyValue(double(values[i + 1].key), unit);
    return low + (rank - double(below)) * (high - low);
}

std::optional<ClockMs> rowClock(QStringView row)
{
    const RecordCells cells = recordCells(row);
    return clockMsOf(cells[DateCell], cells[TimeCell]);
}

std::optional<Statistics> compute(const RowFeed& feed, const Options& options, QString* error)
{
    // The sampling time and the survey's length (for the chart's columns) first, when needed.
    const bool samplingGiven = options.samplingSeconds > 0;
    qint64 sampling = samplingGiven ? qint64(std::llround(options.samplingSeconds * 1000)) : 0;
    qint64 span = 0;
    if (!samplingGiven || options.chartColumns > 0) {
        Timing timing;
        if (!feed([&](int, QStringView row) { timing.row(row, options); }, error))
            return std::nullopt;
        if (!samplingGiven)
            sampling = timing.lowerMedian();
        span = timing.clock.elapsed;
    }
    Survey survey(options, sampling, span);
    if (!feed([&survey](int number, QStringView row) { survey.row(number, row); }, error))
        return std::nullopt;
    return survey.finish(error);
}

std::optional<Statistics> compute(const RowText& rowText, int rowCount, const Options& options,
                                  QString* error)
{
    return compute(tableFeed(rowText, rowCount), options, error);
}

} // namespace veltrix::stats
