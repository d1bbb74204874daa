// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/ReportRequest.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QSettings>

namespace veltrix {

namespace {

constexpr int RememberedAtMost = 20;

// The texts' translation context (lupdate reads it from here).
struct RequestTr {
    Q_DECLARE_TR_FUNCTIONS(ReportRequest)
};

} // namespace

QString Instrument::name() const
{
    return QStringList{model.trimmed(), serial.trimmed()}.join(u' ').trimmed();
}

bool Instrument::isEmpty() const
{
    return name().isEmpty() && !calibrated.isValid() && frequencyRange.trimmed().isEmpty() &&
           axes == 0;
}

std::optional<ReportUnit> reportUnitNamed(QStringView text)
{
    text = text.trimmed();
    if (text == u"nT")
        return ReportUnit::NanoTesla;
    if (const auto unit = unitOf(text))
        return *unit == Unit::MilliGauss ? ReportUnit::MilliGauss : ReportUnit::MicroTesla;
    return std::nullopt;
}

ReportUnit localeUnit()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? ReportUnit::MilliGauss
                                                                      : ReportUnit::MicroTesla;
}

std::optional<QList<stats::Level>> ownLevels(const QString& text, Unit bareUnit, QString* bad)
{
    static const QRegularExpression separators(QStringLiteral("[,;]"));
    QList<stats::Level> levels;
    for (const QString& part : text.split(separators)) {
        if (part.trimmed().isEmpty())
            continue;
        const auto level = stats::parseLevel(part, bareUnit);
        if (!level) {
            if (bad)
                *bad = part.trimmed();
            return std::nullopt;
        }
        levels.append({RequestTr::tr("Your level: %1").arg(level->name), level->milliGauss});
    }
    return levels;
}

QSettings reportSettings()
{
    return QSettings(QStringLiteral("Veltrix"), QStringLiteral("Veltrix Panel"));
}

QList<Instrument> rememberedInstruments()
{
    QSettings s = reportSettings();
    QList<Instrument> list;
    const int n = s.beginReadArray(QStringLiteral("report/instruments"));
    for (int i = 0; i < n; ++i) {
        s.setArrayIndex(i);
        Instrument in;
        in.model = s.value(QStringLiteral("model")).toString();
        in.serial = s.value(QStringLiteral("serial")).toString();
        in.calibrated = s.value(QStringLiteral("calibrated")).toDate();
        in.frequencyRange = s.value(QStringLiteral("frequencyRange")).toString();
        in.axes = s.value(QStringLiteral("axes")).toInt(); // other than 1 or 3: not said
        if (!in.isEmpty())
            list.append(in);
    }
    s.endArray();
    return list;
}

void rememberInstrument(const Instrument& instrument)
{
    if (instrument.isEmpty())
        return;
    QList<Instrument> list = rememberedInstruments();
    list.removeIf([&instrument](const Instrument& in) {
        return in.name().compare(instrument.name(), Qt::CaseInsensitive) == 0;
    });
    list.prepend(instrument);
    QSettings s = reportSettings();
    s.beginWriteArray(QStringLiteral("report/instruments"),
                      int(qMin(list.size(), RememberedAtMost)));
    for (int i = 0; i < list.size() && i < RememberedAtMost; ++i) {
        s.setArrayIndex(i);
        s.setValue(QStringLiteral("model"), list[i].model);
        s.setValue(QStringLiteral("serial"), list[i].serial);
        s.setValue(QStringLiteral("calibrated"), list[i].calibrated);
        s.setValue(QStringLiteral("frequencyRange"), list[i].frequencyRange);
        s.setValue(QStringLiteral("axes"), list[i].axes);
    }
    s.endArray();
}

std::optional<Instrument> findInstrument(const QString& name)
{
    const QString wanted = name.simplified();
    if (wanted.isEmpty())
        return std::nullopt;
    for (const Instrument& in : rememberedInstruments())
        if (in.name().simplified().compare(wanted, Qt::CaseInsensitive) == 0 ||
            in.serial.simplified().compare(wanted, Qt::CaseInsensitive) == 0)
            return in;
    return std::nullopt;
}

} // namespace veltrix
