#include "survey/ReferenceLevels.h"

#include <QCoreApplication>

namespace veltrix::stats {

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("ReferenceLevels", text);
}
} // namespace

const QList<Reference>& references()
{
    // Levels in milligauss (1 µT = 10 mG, 1 nT = 0.01 mG).
    static const QList<Reference> list = {
        {QStringLiteral("icnirp2010"),
         tr("ICNIRP 2010, general public, 50/60 Hz"),
         tr("Reference level for exposure of the general public to 50 and 60 Hz magnetic fields."),
         {{tr("ICNIRP 2010: 200 µT"), 2000}},
         tr("ICNIRP, Guidelines for limiting exposure to time-varying electric and magnetic fields "
            "(1 Hz to 100 kHz), Health Physics 99(6):818-836, 2010.")},
        {QStringLiteral("icnirp1998"),
         tr("ICNIRP 1998 and EU Council Recommendation 1999/519/EC, 50 Hz"),
         tr("Reference level for the general public at 50 Hz, adopted by the European Union."),
         {{tr("ICNIRP 1998 / 1999/519/EC: 100 µT"), 1000}},
         tr("ICNIRP, Guidelines for limiting exposure to time-varying electric, magnetic and "
            "electromagnetic fields (up to 300 GHz), Health Physics 74(4):494-522, 1998; Council "
            "Recommendation 1999/519/EC of 12 July 1999, Official Journal L 199, 30.7.1999.")},
        {QStringLiteral("iarc2002"),
         tr("IARC 2002, epidemiological level 0.3-0.4 µT (time-averaged)"),
         tr("Time-averaged level above which the pooled studies cited by IARC saw a statistical "
            "association with childhood leukaemia (classification 2B, possibly carcinogenic). "
            "Compare it with the mean, not with single readings."),
         {{tr("IARC 2002: 0.3 µT"), 3}, {tr("IARC 2002: 0.4 µT"), 4}},
         tr("IARC Monographs on the Evaluation of Carcinogenic Risks to Humans, Volume 80: "
            "Non-ionizing radiation, Part 1: static and extremely low-frequency (ELF) electric and "
            "magnetic fields, Lyon, 2002."),
         true},
        {QStringLiteral("buildingbiology"),
         tr("Building biology, sleeping areas"),
         tr("Precautionary guidance for sleeping areas: below 20 nT no anomaly, 20-100 nT slight, "
            "100-500 nT severe, above 500 nT extreme."),
         {{tr("Building biology: 20 nT, slight"), 0.2},
          {tr("Building biology: 100 nT, severe"), 1},
          {tr("Building biology: 500 nT, extreme"), 5}},
         tr("Standard of Building Biology Testing Methods SBM-2015, Building Biology Evaluation "
            "Guidelines for Sleeping Areas, Institut für Baubiologie + Nachhaltigkeit IBN, 2015.")},
    };
    return list;
}

const Reference* findReference(QStringView key)
{
    for (const Reference& r : references())
        if (key.trimmed().compare(r.key, Qt::CaseInsensitive) == 0)
            return &r;
    return nullptr;
}

QString referenceKeys()
{
    QStringList keys;
    for (const Reference& r : references())
        keys << r.key;
    return keys.join(QStringLiteral(", "));
}

QList<Level> alarmLevels(const QString& high, const QString& low, Unit unit)
{
    QList<Level> levels;
    const auto add = [&](const QString& text, const QString& what) {
        // A low alarm of 0 is "no low alarm": every reading would be above it.
        if (const auto level = parseLevel(text, unit); level && level->milliGauss > 0)
            levels.append({what.arg(level->name), level->milliGauss});
    };
    add(high, tr("Your high alarm: %1"));
    add(low, tr("Your low alarm: %1"));
    return levels;
}

} // namespace veltrix::stats
