// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/SurveyDetailsDialog.h"
#include "survey/Named.h"
#include "ui/LocaleText.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace veltrix::survey {

namespace {

QDateEdit* dateEdit(QWidget* parent, const char* name, const QString& accessibleName, QDate date)
{
    auto* edit = named(new QDateEdit(parent), name, accessibleName);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(ui::dateFormat());
    edit->setDate(date.isValid() ? date : QDate::currentDate());
    return edit;
}

QPlainTextEdit* textBox(QWidget* parent, const char* name, const QString& accessibleName,
                        const QString& text)
{
    auto* edit = named(new QPlainTextEdit(text, parent), name, accessibleName);
    edit->setTabChangesFocus(true);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 3 + 12);
    return edit;
}
} // namespace

SurveyDetailsDialog::SurveyDetailsDialog(const Survey& survey, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SurveyDetails"));
    setWindowTitle(tr("Survey details"));
    const ReportDetails& d = survey.details;
    TxtSite = named(new QLineEdit(d.site, this), "TxtSite", tr("Site"));
    TxtClient = named(new QLineEdit(d.client, this), "TxtClient", tr("Client"));
    TxtOperator = named(new QLineEdit(d.operatorName, this), "TxtOperator", tr("Measured by"));
    TxtCompany = named(new QLineEdit(d.company, this), "TxtCompany", tr("Company"));
    TxtModel = named(new QLineEdit(survey.instrument.model, this), "TxtModel", tr("Meter model"));
    TxtSerial = named(new QLineEdit(survey.instrument.serial, this), "TxtSerial",
                      tr("Serial number or ID code"));
    DateFrom = dateEdit(this, "DateFrom", tr("Visit from"), survey.visitFrom);
    DateTo = dateEdit(this, "DateTo", tr("Visit to"), survey.visitTo);
    CboMains = named(new QComboBox(this), "CboMains", tr("Mains frequency"));
    CboMains->addItem(tr("50 Hz"), int(stats::Mains::Hz50));
    CboMains->addItem(tr("60 Hz"), int(stats::Mains::Hz60));
    CboMains->setCurrentIndex(CboMains->findData(int(survey.mains)));
    CboGuidance = named(new QComboBox(this), "CboGuidance", tr("Guidance"));
    fillGuidance(survey.guidance);
    // ICNIRP 1998's level depends on the mains frequency: the list follows it.
    connect(CboMains, &QComboBox::currentIndexChanged, this,
            [this] { fillGuidance(CboGuidance->currentData().toString()); });
    CboUnit = named(new QComboBox(this), "CboUnit", tr("Unit of the figures"));
    for (const auto unit : {stats::FigureUnit::MicroTesla, stats::FigureUnit::MilliGauss,
                            stats::FigureUnit::NanoTesla})
        CboUnit->addItem(stats::figureUnitText(unit), int(unit));
    CboUnit->setCurrentIndex(CboUnit->findData(int(survey.unit)));
    TxtMethod = textBox(this, "TxtMethod", tr("Method"), survey.method);
    TxtConclusion = textBox(this, "TxtConclusion", tr("Conclusion"), survey.conclusion);

    auto* form = new QFormLayout(this);
    form->addRow(tr("&Site:"), TxtSite);
    form->addRow(tr("C&lient:"), TxtClient);
    form->addRow(tr("Measured &by:"), TxtOperator);
    form->addRow(tr("Co&mpany:"), TxtCompany);
    form->addRow(tr("Visit &from:"), DateFrom);
    form->addRow(tr("Visit &to:"), DateTo);
    form->addRow(tr("Meter m&odel:"), TxtModel);
    form->addRow(tr("Serial or &ID code:"), TxtSerial);
    form->addRow(tr("M&ains:"), CboMains);
    form->addRow(tr("&Guidance:"), CboGuidance);
    form->addRow(tr("&Unit:"), CboUnit);
    form->addRow(tr("M&ethod:"), TxtMethod);
    form->addRow(tr("Co&nclusion:"), TxtConclusion);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void SurveyDetailsDialog::fillGuidance(const QString& chosen)
{
    const auto mains = stats::Mains(CboMains->currentData().toInt());
    CboGuidance->clear();
    CboGuidance->addItem(tr("(none: markers grey)"), QString());
    for (const stats::Reference& r : stats::references(mains))
        CboGuidance->addItem(r.name, r.key);
    CboGuidance->setCurrentIndex(std::max(0, CboGuidance->findData(chosen)));
}

void SurveyDetailsDialog::applyTo(Survey& survey) const
{
    ReportDetails& d = survey.details;
    d.site = TxtSite->text().trimmed();
    d.client = TxtClient->text().trimmed();
    d.operatorName = TxtOperator->text().trimmed();
    d.company = TxtCompany->text().trimmed();
    survey.instrument.model = TxtModel->text().trimmed();
    survey.instrument.serial = TxtSerial->text().trimmed();
    survey.visitFrom = DateFrom->date();
    survey.visitTo = std::max(DateFrom->date(), DateTo->date());
    survey.mains = stats::Mains(CboMains->currentData().toInt());
    survey.guidance = CboGuidance->currentData().toString();
    survey.unit = stats::FigureUnit(CboUnit->currentData().toInt());
    survey.method = TxtMethod->toPlainText().trimmed();
    survey.conclusion = TxtConclusion->toPlainText().trimmed();
}

} // namespace veltrix::survey
