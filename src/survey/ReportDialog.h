#pragma once
// "Report…": asks for the report's title, site, location, operator, meter and notes (remembered
// between runs), the levels to show and whether the records follow, then writes the PDF.

#include "records/ReportSource.h"
#include "survey/SurveyReport.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace veltrix {

class ReportDialog : public QDialog {
    Q_OBJECT
public:
    // `alarmLevels`: the panel's alarm thresholds, offered as the user's own levels.
    explicit ReportDialog(ReportSource source, QWidget* parent = nullptr,
                          const QList<stats::Level>& alarmLevels = {});

    // What the report will hold, as the dialog stands.
    ReportRequest request() const;
    // Remembers the fields and writes the report to path. False with the reason in *error.
    bool writeTo(const QString& path, QString* error = nullptr);

public slots:
    // "Write PDF…": asks for the file, writes it and says how it went.
    bool write();

private:
    ReportSource m_source;
    QLineEdit* TxtTitle;
    QLineEdit* TxtSite;
    QLineEdit* TxtLocation;
    QLineEdit* TxtOperator;
    QLineEdit* TxtMeter;
    QPlainTextEdit* TxtNotes;
    QListWidget* LstReferences;
    QLineEdit* TxtLevels;
    QCheckBox* ChkRecords;
    QLabel* LblData;
};

// Opens the dialog over `parent` and runs it.
void runReportDialog(QWidget* parent, ReportSource source,
                     const QList<stats::Level>& alarmLevels = {});

// What the panel knows of the meter it is connected to.
struct MeterFacts {
    QString model;              // empty while not known
    QList<stats::Level> alarms; // the alarm thresholds as levels
};
// Makes every record table's "Report…" run the dialog. For records read from the meter, `meter`
// is asked what is known of it.
void openReportsFromTables(std::function<MeterFacts()> meter = {});

} // namespace veltrix
