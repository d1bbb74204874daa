// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Report…": asks what the report holds, on three pages: the survey (title, site, client,
// location, who measured for which company, where it is signed, notes), the instrument and the
// method, and the levels with the assessment (references, own levels, unit, conclusion,
// recommendations, the records as a table). Then writes the PDF.
//
// What belongs to the user is remembered (title, who, company, place, the method, the levels,
// the unit, the instruments with their calibration dates); what belongs to a client starts empty
// each time (site, client, location, notes, conclusion, recommendations), so that one client's
// details never turn up in the next client's report.

#include "records/ReportSource.h"
#include "survey/SurveyReport.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace veltrix {

// What the panel knows of the meter it is connected to.
struct MeterFacts {
    QString model;              // empty while not known
    QList<stats::Level> alarms; // the alarm thresholds as levels
};

class ReportDialog : public QDialog {
    Q_OBJECT
public:
    // `meter`: what the panel knows of the meter the records were read from (its alarm
    // thresholds are offered as the user's own levels).
    explicit ReportDialog(ReportSource source, QWidget* parent = nullptr,
                          const MeterFacts& meter = {});

    // What the report will hold, as the dialog stands; nothing, with the reason in *error, when
    // a field cannot be read (a level, the calibration date).
    std::optional<ReportRequest> request(QString* error = nullptr) const;
    // Remembers the fields and writes the report to path. False with the reason in *error.
    bool writeTo(const QString& path, QString* error = nullptr);

public slots:
    // "Write PDF…": asks for the file, writes it and says how it went.
    bool write();

private:
    QWidget* surveyPage();
    QWidget* instrumentPage(const MeterFacts& meter);
    QWidget* assessmentPage(const MeterFacts& meter);
    void showInstrument(const Instrument& instrument);
    stats::Mains mains() const;
    Instrument instrument(QString* error) const;
    void remember() const;

    ReportSource m_source;
    QLabel* LblData;
    QLineEdit* TxtTitle;
    QLineEdit* TxtSite;
    QLineEdit* TxtClient;
    QLineEdit* TxtLocation;
    QLineEdit* TxtOperator;
    QLineEdit* TxtCompany;
    QLineEdit* TxtPlace;
    QPlainTextEdit* TxtNotes;
    QComboBox* CboInstrument;
    QLineEdit* TxtModel;
    QLineEdit* TxtSerial;
    QLineEdit* TxtCalibrated;
    QLineEdit* TxtFrequencyRange;
    QComboBox* CboAxes;
    QComboBox* CboMains;
    QPlainTextEdit* TxtMethod;
    QListWidget* LstReferences;
    QLineEdit* TxtLevels;
    QComboBox* CboUnit;
    QComboBox* CboPaper;
    QPlainTextEdit* TxtConclusion;
    QPlainTextEdit* TxtRecommendations;
    QCheckBox* ChkRecords;
};

// Opens the dialog over `parent` and runs it.
void runReportDialog(QWidget* parent, ReportSource source, const MeterFacts& meter = {});

// Makes every record table's "Report…" run the dialog. For records read from the meter, `meter`
// is asked what is known of it.
void openReportsFromTables(std::function<MeterFacts()> meter = {});

} // namespace veltrix
