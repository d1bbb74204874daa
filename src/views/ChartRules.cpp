// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/ChartRules.h"

#include "link/ReadingDecoder.h"
#include "ui/TimeScale.h"

#include <QDate>

#include <cmath>

namespace veltrix {

QString milliGaussText()
{
    return QStringLiteral("mG");
}

QString microTeslaText()
{
    return QString(QChar(0x03BC)) + u'T';
}

double plottedValue(QStringView valueText, QStringView unit)
{
    if (isOverload(valueText))
        return unit == milliGaussText() ? 2000 : 200;
    const double v = leadingNumber(valueText);
    return std::isfinite(v) ? v : 0;
}

std::optional<YAxis> recordGraphYAxis(QStringView unit, QStringView valueText)
{
    const double v = plottedValue(valueText, unit);
    if (unit == milliGaussText())
        return YAxis{v >= 100 ? 2000.0 : 200.0, milliGaussText()};
    if (unit == microTeslaText())
        return YAxis{v >= 10 ? 200.0 : 20.0, microTeslaText()};
    return std::nullopt;
}

double plotYMaximum(double v)
{
    if (v <= 10)
        return 20;
    if (v <= 100)
        return 200;
    return std::max(2000.0, std::ceil(v / 1000) * 1000);
}

Replot replotRows(const CellReader& cell, int first, int last)
{
    Replot r;
    first = std::max(first, 1);
    std::optional<int> previous;
    double x = 0;
    for (int i = first; i <= last; ++i) {
        const auto seconds = ui::secondsOfTimeText(cell(i, GraphTime));
        if (!seconds)
            continue;
        const QString value = cell(i, GraphValue);
        // The first row starts the trace at its time; each later one steps on by the time
        // between the rows.
        x += previous ? ui::daysFromSeconds(*seconds - *previous) : ui::daysFromSeconds(*seconds);
        previous = seconds;
        r.samples.append(PlotSample{cell(i, GraphDate), cell(i, GraphTime), *seconds, x,
                                    plottedValue(value, cell(i, GraphUnit)), value});
    }
    if (r.samples.isEmpty())
        return r;
    const int t0 = r.samples.first().seconds;
    const int tN = r.samples.last().seconds;
    r.xMinimum = ui::daysFromSeconds(t0);
    r.xMaximum = ui::daysFromSeconds(tN > t0 ? tN : t0 + ChartWindowSeconds);
    return r;
}

QByteArray plotCsv(const QList<PlotSample>& samples, double xMinimum, double xMaximum,
                   const QString& unit)
{
    // Half a second of slack so that a sample at an edge of the view is kept.
    const double slack = ui::daysFromSeconds(0.5);
    QString out = QStringLiteral("Time,Value,Unit\r\n");
    for (const PlotSample& s : samples) {
        if (s.x < xMinimum - slack || s.x > xMaximum + slack)
            continue;
        QDate date = QDate::fromString(s.date, QStringLiteral("yy/MM/dd"));
        if (date.isValid() && date.year() < 2000)
            date = date.addYears(100); // two-digit years are this century's
        QString when = date.isValid() ? date.toString(Qt::ISODate) + u'T' + s.time : s.time;
        out += when + u',' + s.valueText.trimmed() + u',' + unit + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace veltrix
