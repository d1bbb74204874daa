// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/ChartGeometry.h"

#include "link/ReadingDecoder.h"
#include "link/Unit.h"
#include "records/FieldNumber.h"
#include "records/RecordFile.h"
#include "ui/LocaleText.h"

#include <QObject>

#include <algorithm>
#include <cmath>

namespace veltrix::chart {

namespace {

// The top of the meter's range, in milligauss: a list plot's largest top value, and where it
// draws an overload.
constexpr double FullScaleMilliGauss = 2000;

// The unit a chart is in, by the meter's own unit text: milligauss for "mG", microtesla else.
Unit chartUnit(QStringView unitText)
{
    return unitText.trimmed() == unitAscii(Unit::MilliGauss) ? Unit::MilliGauss : Unit::MicroTesla;
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
    const Unit to = newUnit == unitAscii(Unit::MilliGauss) ? Unit::MilliGauss : Unit::MicroTesla;
    return convert(limit, to == Unit::MilliGauss ? Unit::MicroTesla : Unit::MilliGauss, to);
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
    const auto strictMin = fieldNumber(minText);
    const auto strictMax = fieldNumber(maxText);
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
    return fromMilliGauss(FullScaleMilliGauss, chartUnit(plotUnit));
}

double plotValue(QStringView valueCell, QStringView unitCell, QStringView plotUnit)
{
    const Unit plot = chartUnit(plotUnit);
    if (isOverload(valueCell))
        return plotFullScale(plotUnit);
    const double v = leadingNumber(valueCell);
    // Only the other unit as the meter writes it is converted.
    const Unit other = plot == Unit::MilliGauss ? Unit::MicroTesla : Unit::MilliGauss;
    return unitCell.trimmed() == unitAscii(other) ? convert(v, other, plot) : v;
}

QStringView cellOf(QStringView rowText, int col)
{
    return col >= 0 && col < RecordFields ? recordCells(rowText)[size_t(col)] : QStringView();
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
    d.top = ui::decimalText(numberText(range.max));
    d.middle = ui::decimalText(numberText((range.min + range.max) / 2));
    d.bottom = ui::decimalText(numberText(range.min));
    const int span = range.last - range.first + 1;
    if (span < 2)
        return d;
    if (range.first < 1 || range.last > rows || !(range.max != range.min))
        return std::nullopt;

    const auto time = [&](int row) { return recordCells(rowText(row))[TimeCell].toString(); };
    d.t1 = time(range.first);
    d.t2 = time((range.first + range.last) / 2);
    d.t3 = time(range.last);
    const QStringView plotUnit = recordCells(rowText(1))[UnitCell];
    d.unit = plotUnit.toString();

    d.step = 4000.0 / (span - 1);
    d.points.reserve(span);
    for (int r = range.first; r <= range.last; ++r) {
        const RecordCells cells = recordCells(rowText(r));
        const double value = plotValue(cells[ValueCell], cells[UnitCell], plotUnit);
        d.points.append(
            QPointF(Left + (r - range.first) * d.step, heightOf(value, range.min, range.max)));
    }
    d.caption = QString::number(span) + QStringLiteral("Records Completed");
    return d;
}

} // namespace veltrix::chart
