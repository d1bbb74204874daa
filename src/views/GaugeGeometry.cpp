// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/GaugeGeometry.h"

#include "link/ReadingDecoder.h"
#include "ui/LocaleText.h"

#include <QLocale>
#include <cmath>

namespace veltrix::gauge {

namespace {
// The design's client area within its outer window, in twips.
constexpr double ClientWidth = 4485, OuterWidth = 4605;
constexpr double ClientHeight = 2490, OuterHeight = 2925;

constexpr double NeedleZero = 145;
constexpr double NeedleFull = 35;
constexpr double NeedleSpan = 110;
} // namespace

DialSpace DialSpace::fromClientPixels(QSizeF client)
{
    return {client.width() * TwipsPerPixel, client.height() * TwipsPerPixel};
}

DialSpace DialSpace::fromOuterPixels(QSizeF outer)
{
    return {outer.width() * TwipsPerPixel * ClientWidth / OuterWidth,
            outer.height() * TwipsPerPixel * ClientHeight / OuterHeight};
}

QTransform DialSpace::toPixels(QSizeF client) const
{
    if (!isValid())
        return {};
    const double sx = client.width() / sw;
    const double sy = client.height() / sh;
    // x' = (x - left) sx, y' = (top - y) sy
    return QTransform(sx, 0, 0, -sy, -left() * sx, top() * sy);
}

QPointF onCircle(double r, double degrees)
{
    const double a = radians(degrees);
    return {r * std::cos(a), r * std::sin(a)};
}

QList<QPointF> arcPoints(double r, int segments)
{
    QList<QPointF> points;
    segments = std::max(segments, 1);
    points.reserve(segments + 1);
    for (int i = 0; i <= segments; ++i)
        points.append(onCircle(r, ArcFrom + (ArcTo - ArcFrom) * i / segments));
    return points;
}

double markLength(int i)
{
    if (i % 10 == 0)
        return 1.08;
    if (i % 5 == 0)
        return 1.06;
    return 1.03;
}

double markAngle(int i)
{
    return 36 + 2.7 * i;
}

QList<Mark> marks(double r)
{
    QList<Mark> list;
    list.reserve(MarkCount);
    for (int i = 0; i < MarkCount; ++i) {
        const double a = markAngle(i);
        list.append({onCircle(r, a), onCircle(markLength(i) * r, a)});
    }
    return list;
}

QString scaleText(double value)
{
    return ui::decimalText(QString::number(value, 'g', QLocale::FloatingPointShortest));
}

QList<ScaleLabel> scaleLabels(DialVariant variant, double r, double fullScale,
                              const TextWidth& width)
{
    const double lr = LabelRadius * r;
    const double y63 = lr * std::sin(radians(63));
    const double y39 = lr * std::sin(radians(39.6));
    const bool relabel = variant == DialVariant::UnitChange;
    const auto text = [relabel](double value) {
        return relabel ? QStringLiteral(" ") + scaleText(value) : scaleText(value);
    };
    const auto shift = [&](const QString& t) {
        return relabel ? UnitChangeShift : (width ? width(t) / 2 : 0.0);
    };

    QList<ScaleLabel> labels;
    const QString half = text(fullScale / 2);
    const double halfX =
        relabel ? (lr * std::cos(radians(63)) + lr * std::cos(radians(117))) / 2 - UnitChangeShift
                : -shift(half) + 1;
    labels.append({half, {halfX, lr}});
    const QString upper = text(3 * fullScale / 4);
    labels.append({upper, {lr * std::cos(radians(63)) - shift(upper), y63}});
    const QString lower = text(fullScale / 4);
    labels.append({lower, {lr * std::cos(radians(117)) - shift(lower), y63}});
    const QString full = text(fullScale);
    labels.append({full, {lr * std::cos(radians(39.6)) - shift(full), y39}});
    const QString zero = QStringLiteral("0");
    labels.append({zero, {lr * std::cos(radians(140.4)) - shift(zero), y39}});
    return labels;
}

float needleAngle(const QString& reading, double fullScale)
{
    if (isOverload(reading))
        return float(NeedleFull);
    if (!(fullScale > 0))
        return float(NeedleZero); // no scale yet: rest at zero
    float theta = float(NeedleZero - NeedleSpan * leadingNumber(reading) / fullScale);
    if (theta < float(NeedleFull))
        theta = float(NeedleFull);
    else if (theta > float(NeedleZero) || std::isnan(theta))
        theta = float(NeedleZero);
    return theta;
}

QPointF needleEnd(float degrees, double r)
{
    return onCircle(NeedleLength * r, double(degrees));
}

} // namespace veltrix::gauge
