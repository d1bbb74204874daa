// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TimeScale.h"

#include <QStringList>

namespace veltrix::ui {

namespace {
std::optional<int> twoDigits(QStringView text)
{
    if (text.size() != 2 || !text[0].isDigit() || !text[1].isDigit())
        return std::nullopt;
    return text[0].digitValue() * 10 + text[1].digitValue();
}
} // namespace

std::optional<int> secondsOfTimeText(QStringView text)
{
    text = text.trimmed();
    if (text.size() != 8 || text[2] != u':' || text[5] != u':')
        return std::nullopt;
    const auto h = twoDigits(text.mid(0, 2));
    const auto m = twoDigits(text.mid(3, 2));
    const auto s = twoDigits(text.mid(6, 2));
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59)
        return std::nullopt;
    return *h * 3600 + *m * 60 + *s;
}

QString timeTextOfSeconds(double seconds)
{
    if (!std::isfinite(seconds))
        return QString();
    long long s = std::llround(seconds) % SecondsPerDay;
    if (s < 0)
        s += SecondsPerDay;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

std::optional<double> daysOfTimeText(QStringView text)
{
    text = text.trimmed();
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() == 1) {
        bool ok = false;
        const double s = text.toDouble(&ok);
        if (!ok || !std::isfinite(s) || s < 0 || s > SecondsPerDay)
            return std::nullopt;
        return daysFromSeconds(s);
    }
    if (parts.size() > 3)
        return std::nullopt;
    int total = 0;
    const int limits[] = {23, 59, 59};
    for (qsizetype i = 0; i < 3; ++i) {
        int v = 0;
        if (i < parts.size()) {
            bool ok = false;
            v = parts[i].toInt(&ok);
            if (!ok || v < 0 || v > limits[i] || parts[i].size() > 2)
                return std::nullopt;
        }
        total = total * 60 + v;
    }
    return daysFromSeconds(total);
}

} // namespace veltrix::ui
