#pragma once
// "Report…": asks for the report's title, site, location, operator, meter and notes (remembered
// between runs), the levels to show and whether the records follow, then writes the PDF.

#include "survey/SurveyReport.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace veltrix {

struct SharedState;

// The records a report is about and what is known of them.
struct ReportSource {
    QString dataName; // the record file's name, or the table's
    QString filePath; // the record file the rows were read from, if any
    stats::RowText rowText;
    int rowCount = 0;
    QString meter; // model and ID code when known
    std::optional<stats::ClockMs> from, to;
    double samplingSeconds = 0;
    QList<stats::Level> alarmLevels;

    // The meter's model and the panel's alarm thresholds.
    void takeFrom(const SharedState& state);
};

class ReportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReportDialog(ReportSource source, QWidget* parent = nullptr);

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
void runReportDialog(QWidget* parent, ReportSource source);

} // namespace veltrix
