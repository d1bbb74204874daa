// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Details…" of the Survey window: the site visit's fields as the report prints them (site,
// client, who measured for which company, the visit's dates, the instrument), the mains
// frequency, the guidance whose bands colour the points, the unit of the figures, and the
// method and conclusion.

#include "survey/SurveyProject.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;

namespace veltrix::survey {

class SurveyDetailsDialog : public QDialog {
    Q_OBJECT
public:
    SurveyDetailsDialog(const Survey& survey, QWidget* parent = nullptr);
    // The survey with the dialog's fields put in.
    void applyTo(Survey& survey) const;

private:
    void fillGuidance(const QString& chosen);

    QLineEdit* TxtSite;
    QLineEdit* TxtClient;
    QLineEdit* TxtOperator;
    QLineEdit* TxtCompany;
    QLineEdit* TxtModel;
    QLineEdit* TxtSerial;
    QDateEdit* DateFrom;
    QDateEdit* DateTo;
    QComboBox* CboMains;
    QComboBox* CboGuidance;
    QComboBox* CboUnit;
    QPlainTextEdit* TxtMethod;
    QPlainTextEdit* TxtConclusion;
};

} // namespace veltrix::survey
