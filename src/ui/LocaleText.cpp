// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LocaleText.h"

#include <QRegularExpression>

namespace veltrix::ui {

namespace {
bool plain(const QLocale& locale)
{
    return locale.language() == QLocale::C || locale.language() == QLocale::English;
}

// The locale whose forms are shown: English keeps the C forms (no grouping, ISO dates).
QLocale shownLocale(const QLocale& locale)
{
    return plain(locale) ? QLocale::c() : locale;
}

QLocale& chosenLocale()
{
    static QLocale locale = QLocale::c();
    return locale;
}
} // namespace

QLocale displayLocale()
{
    return chosenLocale();
}

void setDisplayLocale(const QLocale& locale)
{
    chosenLocale() = shownLocale(locale);
}

QString numberText(double value, int decimals, const QLocale& locale)
{
    return shownLocale(locale).toString(value, 'f', decimals);
}

QString decimalText(const QString& cText, const QLocale& locale)
{
    if (plain(locale))
        return cText;
    bool number = false;
    QLocale::c().toDouble(cText.trimmed(), &number);
    if (!number)
        return cText;
    QString text = cText;
    return text.replace(u'.', locale.decimalPoint());
}

QString cDecimalText(const QString& typed, const QLocale& locale)
{
    if (plain(locale) || !typed.contains(locale.decimalPoint()))
        return typed;
    QString text = typed;
    return text.remove(locale.groupSeparator()).replace(locale.decimalPoint(), QStringLiteral("."));
}

QString shortNumberText(double value, const QLocale& locale)
{
    return shownLocale(locale).toString(value, 'g', 6);
}

QString dateFormat(const QLocale& locale)
{
    if (plain(locale))
        return QStringLiteral("yyyy-MM-dd");
    // The short format has two-digit years in most locales; a signed survey wants all four.
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString monthFormat(const QLocale& locale)
{
    static const QRegularExpression day(QStringLiteral("d+[^yMd]+|[^yMd]+d+|d+"));
    return dateFormat(locale).remove(day);
}

QString dateText(QDate date, const QLocale& locale)
{
    return date.toString(dateFormat(locale));
}

QString timeText(QTime time, bool tenths, const QLocale& locale)
{
    QString text = time.toString(QStringLiteral("HH:mm:ss"));
    if (tenths && time.msec() != 0)
        text += shownLocale(locale).decimalPoint() + QString::number(time.msec() / 100);
    return text;
}

QString dateTimeText(const QDateTime& when, const QLocale& locale)
{
    return dateText(when.date(), locale) + u' ' + when.time().toString(QStringLiteral("HH:mm"));
}

} // namespace veltrix::ui
