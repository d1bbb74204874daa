// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a survey report holds, as the report dialog and `veltrix-cli report` both build it: who,
// where and for whom, the instrument and the method, the levels, the reader's unit, the
// conclusion. Window-free, so that the command line builds the same request as the dialog and
// gets the same report.
//
// An instrument's calibration date, frequency range and axes are typed once: the instruments a
// user described are remembered by name (model and serial), offered by the dialog and taken by
// the command line's --instrument-preset.

#include "survey/ReferenceLevels.h"
#include "survey/Statistics.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QSettings;

namespace veltrix {

struct ReportDetails {
    QString title;
    QString site;
    QString client;
    QString location; // within the site
    QString operatorName;
    QString company;
    QString place; // where the report is signed
    QString notes;
};

// The meter a survey was made with.
struct Instrument {
    QString model;
    QString serial; // serial number or the data logger's ID code
    QDate calibrated;
    QString frequencyRange; // "16 Hz - 100 kHz"
    int axes = 0;           // 1 or 3 (isotropic); 0: not said

    // The name it is remembered by: model and serial ("4627 ID code 12").
    QString name() const;
    bool isEmpty() const;
};

// The unit the report's figures are given in (1 mG = 0.1 µT = 100 nT).
using ReportUnit = stats::FigureUnit;
enum class PaperSize { FromLocale, A4, Letter };

// A record file the report is tied to, or the table it was read from.
struct ReportData {
    QString name;
    QString sha256;     // hex
    QString sha256Note; // what was hashed, when not the file itself
};

// The records table of a report stops here (some 330 pages): a year of records would take
// 200,000 pages. The rest are named as being in the record files.
inline constexpr int MaxTableRecords = 50'000;

struct ReportRequest {
    ReportDetails details;
    Instrument instrument;
    stats::Mains mains = stats::Mains::Hz50; // of the site: ICNIRP 1998's level depends on it
    QString method; // how and where the meter was placed, what ran meanwhile
    QString conclusion;
    QString recommendations;
    QList<ReportData> data;
    QStringList references; // keys of the reference sets to show (published or the user's)
    QList<stats::Level> ownLevels;
    stats::Options options; // range and sampling time; levels are added from the two above
    ReportUnit unit = ReportUnit::MicroTesla;
    bool includeRecords = false;
    int recordsAtMost = MaxTableRecords; // the records table lists no more than these
    PaperSize paper = PaperSize::FromLocale;
};

// "nT", "uT", "µT" or "mG"; nothing for anything else.
std::optional<ReportUnit> reportUnitNamed(QStringView text);
// mG where the locale measures in US units, µT elsewhere.
ReportUnit localeUnit();

// The user's own levels typed as "5 mG, 0.4 µT" (a bare number in `bareUnit`), each named
// "Your level: 5 mG"; nothing, with the part that cannot be read in *bad, when one is wrong.
std::optional<QList<stats::Level>> ownLevels(const QString& text, Unit bareUnit, QString* bad);

// Where the panel and the command line keep what the report dialog remembers.
QSettings reportSettings();
// The instruments of earlier reports, the last one used first.
QList<Instrument> rememberedInstruments();
// Remembers an instrument (not an empty one) as the last one used.
void rememberInstrument(const Instrument& instrument);
// A remembered instrument by its name or its serial alone, case-insensitive.
std::optional<Instrument> findInstrument(const QString& name);

} // namespace veltrix
