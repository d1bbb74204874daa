// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/ReferenceLevels.h"

#include "survey/ReferenceFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <deque>

namespace veltrix::stats {

namespace {

// The texts' translation context (lupdate reads it from here).
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(ReferenceLevels)
};

// Levels in milligauss (1 µT = 10 mG, 1 nT = 0.01 mG).
Reference icnirp2010()
{
    return {.key = QStringLiteral("icnirp2010"),
            .name = Tr::tr("ICNIRP 2010, general public, 50/60 Hz"),
            .meaning = Tr::tr("Reference level for exposure of the general public to 50 and 60 Hz "
                              "magnetic fields."),
            .lines = {{Tr::tr("ICNIRP 2010: 200 µT"), 2000}},
            .source =
                Tr::tr("ICNIRP, Guidelines for limiting exposure to time-varying electric and "
                       "magnetic fields (1 Hz to 100 kHz), Health Physics 99(6):818-836, 2010."),
            .statistic = Statistic::Maximum,
            .bands = {},
            .phrase = Tr::tr("the ICNIRP 2010 general-public reference level"),
            .file = {}};
}

Reference icnirp2010Occupational()
{
    Reference r = icnirp2010();
    r.key = QStringLiteral("icnirp2010occupational");
    r.name = Tr::tr("ICNIRP 2010, occupational, 50/60 Hz");
    r.meaning = Tr::tr("Reference level for workers exposed to 50 and 60 Hz magnetic fields in the "
                       "course of their work.");
    r.lines = {{Tr::tr("ICNIRP 2010 occupational: 1000 µT"), 10000}};
    r.phrase = Tr::tr("the ICNIRP 2010 occupational reference level");
    return r;
}

// 5/f mT for the general public from 25 to 800 Hz: the name and the source say which.
Reference icnirp1998(Mains mains)
{
    const bool at50 = mains == Mains::Hz50;
    return {.key = QStringLiteral("icnirp1998"),
            .name = at50 ? Tr::tr("ICNIRP 1998 and EU Council Recommendation 1999/519/EC, 50 Hz")
                         : Tr::tr("ICNIRP 1998 and EU Council Recommendation 1999/519/EC, 60 Hz"),
            .meaning = at50 ? Tr::tr("Reference level for the general public at 50 Hz, adopted by "
                                     "the European Union.")
                            : Tr::tr("Reference level for the general public at 60 Hz, as ICNIRP "
                                     "1998 and the European Union give it."),
            .lines = {{at50 ? Tr::tr("ICNIRP 1998 / 1999/519/EC: 100 µT")
                            : Tr::tr("ICNIRP 1998 / 1999/519/EC: 83.3 µT"),
                       at50 ? 1000 : 5000.0 / 6}},
            .source =
                (at50 ? Tr::tr("General public, 5/f mT from 25 to 800 Hz: 100 µT at 50 Hz. ")
                      : Tr::tr("General public, 5/f mT from 25 to 800 Hz: 83.3 µT at 60 Hz. ")) +
                Tr::tr("ICNIRP, Guidelines for limiting exposure to time-varying electric, "
                       "magnetic and electromagnetic fields (up to 300 GHz), Health Physics "
                       "74(4):494-522, 1998; Council Recommendation 1999/519/EC of 12 July "
                       "1999, Official Journal L 199, 30.7.1999."),
            .statistic = Statistic::Maximum,
            .bands = {},
            .phrase = Tr::tr("the ICNIRP 1998 general-public reference level"),
            .file = {}};
}

Reference iarc2002()
{
    return {.key = QStringLiteral("iarc2002"),
            .name = Tr::tr("IARC 2002, epidemiological level 0.3-0.4 µT (time-averaged)"),
            .meaning =
                Tr::tr("Time-averaged level above which the pooled studies cited by IARC saw "
                       "a statistical association with childhood leukaemia (classification "
                       "2B, possibly carcinogenic). Compare it with the mean, not with single "
                       "readings."),
            .lines = {{Tr::tr("IARC 2002: 0.3 µT"), 3}, {Tr::tr("IARC 2002: 0.4 µT"), 4}},
            .source = Tr::tr("IARC Monographs on the Evaluation of Carcinogenic Risks to Humans, "
                             "Volume 80: Non-ionizing radiation, Part 1: static and extremely "
                             "low-frequency (ELF) electric and magnetic fields, Lyon, 2002."),
            .statistic = Statistic::Mean,
            .bands = {},
            .phrase = Tr::tr("the IARC 2002 epidemiological level"),
            .file = {}};
}

// The key stays "buildingbiology": stored settings and scripts name it.
Reference buildingBiology()
{
    return {.key = QStringLiteral("buildingbiology"),
            .name = Tr::tr("Building biology, sleeping areas, SBM-2015"),
            .meaning =
                Tr::tr("Precautionary guidance for sleeping areas: below 20 nT no anomaly, "
                       "20-100 nT slight, 100-500 nT severe, above 500 nT extreme anomaly; a "
                       "value on an edge belongs to the band above it. The band is taken for "
                       "the 95th percentile of the readings."),
            .lines = {{Tr::tr("SBM-2015: 20 nT, slight"), 0.2},
                      {Tr::tr("SBM-2015: 100 nT, severe"), 1},
                      {Tr::tr("SBM-2015: 500 nT, extreme"), 5}},
            .source = Tr::tr("Standard of Building Biology Testing Methods SBM-2015, Building "
                             "Biology Evaluation Guidelines for Sleeping Areas, Institut für "
                             "Baubiologie + Nachhaltigkeit IBN, 2015."),
            .statistic = Statistic::Percentile95,
            .bands = {Tr::tr("no anomaly"), Tr::tr("slight anomaly"), Tr::tr("severe anomaly"),
                      Tr::tr("extreme anomaly")},
            .phrase = Tr::tr("the building-biology bands for sleeping areas, SBM-2015"),
            .file = {}};
}

const QList<Reference>& published(Mains mains)
{
    static const QList<Reference> at50 = {icnirp2010(), icnirp2010Occupational(),
                                          icnirp1998(Mains::Hz50), iarc2002(), buildingBiology()};
    static const QList<Reference> at60 = [] {
        QList<Reference> list = at50;
        list[2] = icnirp1998(Mains::Hz60);
        return list;
    }();
    return mains == Mains::Hz50 ? at50 : at60;
}

// The user's sets, in the order loaded. A deque: adding one moves none of the others.
std::deque<Reference>& userSets()
{
    static std::deque<Reference> sets;
    return sets;
}

bool sameKey(QStringView a, QStringView b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

QString statisticKey(Statistic statistic)
{
    switch (statistic) {
    case Statistic::Mean:
        return QStringLiteral("mean");
    case Statistic::Maximum:
        return QStringLiteral("maximum");
    case Statistic::Median:
        return QStringLiteral("median");
    case Statistic::Percentile95:
        return QStringLiteral("p95");
    }
    return {};
}

std::optional<Statistic> statisticOfKey(QStringView key)
{
    for (const Statistic s :
         {Statistic::Mean, Statistic::Maximum, Statistic::Median, Statistic::Percentile95})
        if (sameKey(key, statisticKey(s)))
            return s;
    return std::nullopt;
}

QList<Reference> references(Mains mains)
{
    QList<Reference> list = published(mains);
    for (const Reference& r : userSets())
        list.append(r);
    return list;
}

const Reference* findReference(QStringView key, Mains mains)
{
    for (const Reference& r : published(mains))
        if (sameKey(key, r.key))
            return &r;
    for (const Reference& r : userSets())
        if (sameKey(key, r.key))
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

bool isPublishedKey(QStringView key)
{
    for (const Reference& r : published(Mains::Hz50))
        if (sameKey(key, r.key))
            return true;
    return false;
}

bool loadReferenceFile(const QString& path, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    // A pipe would block the reader; a large file is no reference file.
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return fail(Tr::tr("Reference file %1: not a regular file").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(Tr::tr("Reference file %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.read(MaxReferenceFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(Tr::tr("Reference file %1: %2").arg(path, file.errorString()));

    ReferenceFileError why;
    std::optional<Reference> set = readReferenceFile(bytes, &why);
    if (!set)
        return fail(why.line > 0 ? Tr::tr("Reference file %1, line %2: %3")
                                       .arg(path, QString::number(why.line), why.what)
                                 : Tr::tr("Reference file %1: %2").arg(path, why.what));
    set->file = QFileInfo(path).absoluteFilePath();
    Reference* same = nullptr;
    for (Reference& r : userSets()) {
        if (r.file == set->file)
            same = &r;
        else if (sameKey(r.key, set->key))
            return fail(Tr::tr("Reference file %1: the key '%2' is taken by %3")
                            .arg(path, set->key, r.file));
    }
    if (same)
        *same = *set;
    else
        userSets().push_back(*set);
    return true;
}

QStringList loadReferenceFolder(const QString& folder)
{
    QStringList refusals;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        QString error;
        if (!loadReferenceFile(dir.filePath(name), &error))
            refusals << error;
    }
    return refusals;
}

QString userReferenceFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/references");
}

QList<Level> alarmLevels(const QString& high, const QString& low, Unit unit)
{
    QList<Level> levels;
    const auto add = [&](const QString& text, const QString& what) {
        // A low alarm of 0 is "no low alarm": every reading would be above it.
        if (const auto level = parseLevel(text, unit); level && level->milliGauss > 0)
            levels.append({what.arg(level->name), level->milliGauss});
    };
    add(high, Tr::tr("Your high alarm: %1"));
    add(low, Tr::tr("Your low alarm: %1"));
    return levels;
}

} // namespace veltrix::stats
