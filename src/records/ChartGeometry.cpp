#include "records/ChartGeometry.h"

#include "link/ReadingDecoder.h"

#include <QObject>
#include <QStringTokenizer>

#include <algorithm>
#include <cmath>

namespace veltrix::chart {

namespace {

const QString MilliGauss = QStringLiteral("mG");
const QString MicroTesla = QStringLiteral("uT");

// A strict reading of a whole field: blanks around it are allowed, nothing else.
std::optional<double> wholeNumber(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

const QList<FrameLine>& frameLines()
{
    static const QList<FrameLine> lines = {
        {"Line1", QLineF(Centre, AboveTop, Centre, Bottom), LineLook::Middle},
        {"Line2", QLineF(Left, Middle, Right, Middle), LineLook::Middle},
        {"Line3", QLineF(Left, Bottom, Right, Bottom), LineLook::Axis},
        {"Line4", QLineF(Left, AboveTop, Left, Bottom), LineLook::Axis},
        {"Line5", QLineF(Left, Top, Right, Top), LineLook::Limit},
    };
    return lines;
}

QTransform toWindow(const QSizeF& size)
{
    return QTransform::fromScale(size.width() / Width, size.height() / Height);
}

QString numberText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    return QString::number(value, 'g', 15);
}

double heightOf(double value, double min, double max)
{
    if (!(max > min) || !std::isfinite(value))
        return Bottom;
    const double y = std::min(Bottom, Bottom - 3000 * (value - min) / (max - min));
    if (y < Top)
        return AboveTop;
    return y;
}

double stripHeight(const QString& valueText, double min, double max)
{
    if (isOverload(valueText))
        return AboveTop;
    return heightOf(leadingNumber(valueText), min, max);
}

double rescaledLimit(double limit, const QString& newUnit)
{
    return newUnit == MilliGauss ? limit * 10 : limit / 10;
}

StripPoint advanceSweep(Sweep& s, double y)
{
    StripPoint p;
    if (!s.started) {
        s.started = true;
        s.lastY = y;
        s.pointIndex = 0;
        s.lastX = Left;
        p.kind = StripPoint::First;
        return p;
    }
    ++s.pointIndex;
    const int n = s.records;
    p.middleTime = s.pointIndex == n / 2;
    p.endTime = s.pointIndex == n - 1;
    const double x = Left + s.pointIndex * s.step;
    p.segment = QLineF(s.lastX, s.lastY, x, y);
    s.lastX = x;
    s.lastY = y;
    p.kind = StripPoint::Segment;
    // The reading after the sweep's last point (a little slack for the rounding of the step).
    if (x > Right + 1e-6) {
        s.started = false;
        s.pointIndex = 0;
        p.kind = StripPoint::Cleared;
    }
    return p;
}

StripRangeError checkStripRange(const QString& maxText, const QString& minText,
                                const QString& recordsText, StripRange* range)
{
    if (leadingNumber(recordsText) < MinStripRecords)
        return StripRangeError::Records;
    const double min = leadingNumber(minText);
    const double max = leadingNumber(maxText);
    if (min < 0 || max <= min)
        return StripRangeError::Limits;
    // Each field must be a number as a whole ("12a" is not), the point count a whole one.
    bool ok = false;
    const int records = recordsText.trimmed().toInt(&ok);
    if (!ok || records < MinStripRecords)
        return StripRangeError::Records;
    if (records > MaxStripRecords)
        return StripRangeError::TooManyRecords;
    const auto strictMin = wholeNumber(minText);
    const auto strictMax = wholeNumber(maxText);
    if (!strictMin || !strictMax)
        return StripRangeError::Limits;
    if (range)
        *range = {records, *strictMin, *strictMax};
    return StripRangeError::None;
}

const QString& stripRecordsRefusal()
{
    static const QString text = QObject::tr("Invalid, Numbers of Records >=10, Try again!");
    return text;
}

const QString& stripTooManyRefusal()
{
    static const QString text =
        QObject::tr("Invalid, Numbers of Records <= %1, Try again!").arg(MaxStripRecords);
    return text;
}

const QString& stripRangeRefusal(StripRangeError error)
{
    switch (error) {
    case StripRangeError::Records:
        return stripRecordsRefusal();
    case StripRangeError::TooManyRecords:
        return stripTooManyRefusal();
    default:
        return stripLimitsRefusal();
    }
}

const QString& stripLimitsRefusal()
{
    static const QString text = QObject::tr("Invalid, Min. Range >= 0 ; Max. Range > Min. Range");
    return text;
}

double plotFullScale(QStringView plotUnit)
{
    return plotUnit.trimmed() == MilliGauss ? 2000 : 200;
}

double plotValue(QStringView valueCell, QStringView unitCell, QStringView plotUnit)
{
    const bool milliGaussPlot = plotUnit.trimmed() == MilliGauss;
    const QStringView unit = unitCell.trimmed();
    if (isOverload(valueCell))
        return milliGaussPlot ? 2000 : 200;
    const double v = leadingNumber(valueCell);
    if (milliGaussPlot)
        return unit == MicroTesla ? v * 10 : v;
    return unit == MilliGauss ? v / 10 : v;
}

QStringView cellOf(QStringView rowText, int col)
{
    int c = 0;
    for (const QStringView cell : qTokenize(rowText, QLatin1Char('\t'))) {
        if (c++ == col)
            return cell;
    }
    return {};
}

std::optional<PlotRange> checkPlotRange(const QString& fromText, const QString& toText,
                                        const QString& minText, const QString& maxText,
                                        int totalRecords, double fullScale)
{
    const double from = leadingNumber(fromText);
    const double to = leadingNumber(toText);
    const double min = leadingNumber(minText);
    const double max = leadingNumber(maxText);
    // Rows are whole numbers within the table (row 0 is the header); the limits leave the
    // chart some height and stay within the unit's full scale.
    if (from < 1 || to <= from || to > totalRecords || from != std::floor(from) ||
        to != std::floor(to))
        return std::nullopt;
    if (min < 0 || max > fullScale || max <= min)
        return std::nullopt;
    return PlotRange{int(from), int(to), min, max};
}

const QString& plotRangeRefusal()
{
    static const QString text = QObject::tr("Invalid, Try again!");
    return text;
}

std::optional<ListPlotDrawing> drawListPlot(const PlotRange& range, const RowText& rowText,
                                            int rows)
{
    ListPlotDrawing d;
    d.top = numberText(range.max);
    d.middle = numberText((range.min + range.max) / 2);
    d.bottom = numberText(range.min);
    const int span = range.last - range.first + 1;
    if (span < 2)
        return d;
    if (range.first < 1 || range.last > rows || !(range.max != range.min))
        return std::nullopt;

    const auto time = [&](int row) { return cellOf(rowText(row), 2).toString(); };
    d.t1 = time(range.first);
    d.t2 = time((range.first + range.last) / 2);
    d.t3 = time(range.last);
    const QStringView plotUnit = cellOf(rowText(1), 4);
    d.unit = plotUnit.toString();

    d.step = 4000.0 / (span - 1);
    d.points.reserve(span);
    for (int r = range.first; r <= range.last; ++r) {
        const QStringView row = rowText(r);
        const double value = plotValue(cellOf(row, 3), cellOf(row, 4), plotUnit);
        d.points.append(
            QPointF(Left + (r - range.first) * d.step, heightOf(value, range.min, range.max)));
    }
    d.caption = QString::number(span) + QStringLiteral("Records Completed");
    return d;
}

} // namespace veltrix::chart
