// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/ReportDialog.h"
#include "survey/Named.h"

#include "records/BusyPointer.h"
#include "records/RecordTableWindow.h"
#include "ui/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

namespace veltrix {

using namespace stats;

namespace {

const QString PdfFilter = QStringLiteral("PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*|");

// What the dialog remembers, under "report/" in the panel's settings. Site, client, location,
// notes, conclusion and recommendations are never kept: they belong to one client.
namespace key {
const QString Title = QStringLiteral("report/title");
const QString Operator = QStringLiteral("report/operator");
const QString Company = QStringLiteral("report/company");
const QString Place = QStringLiteral("report/place");
const QString Method = QStringLiteral("report/method");
const QString Mains = QStringLiteral("report/mains");
const QString Unit = QStringLiteral("report/unit");
const QString Paper = QStringLiteral("report/paper");
const QString References = QStringLiteral("report/references");
const QString Levels = QStringLiteral("report/levels");
const QString Records = QStringLiteral("report/records");
// Kept by earlier versions, with one client's details in them: removed when the dialog next
// remembers its fields.
const QStringList Stale = {QStringLiteral("report/site"), QStringLiteral("report/location"),
                           QStringLiteral("report/notes"), QStringLiteral("report/meter")};
} // namespace key

using survey::named;

QLineEdit* field(QWidget* parent, const char* name, const QString& accessibleName,
                 const QString& text = {})
{
    return named(new QLineEdit(text, parent), name, accessibleName);
}

QPlainTextEdit* textBox(QWidget* parent, const char* name, const QString& accessibleName, int lines)
{
    auto* edit = named(new QPlainTextEdit(parent), name, accessibleName);
    edit->setTabChangesFocus(true);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * lines + 12);
    return edit;
}

// A choice of (text, value) pairs, the remembered value chosen.
QComboBox* choice(QWidget* parent, const char* name, const QString& accessibleName,
                  const QList<std::pair<QString, QVariant>>& items, const QVariant& chosen)
{
    auto* box = named(new QComboBox(parent), name, accessibleName);
    for (const auto& [text, value] : items)
        box->addItem(text, value);
    box->setCurrentIndex(std::max(0, box->findData(chosen)));
    return box;
}

// A remembered instrument of the meter the records came from: the last one used with its model
// and, when known, its serial.
std::optional<Instrument> rememberedFor(const QString& model, const QString& serial)
{
    for (const Instrument& in : rememberedInstruments())
        if (in.model.compare(model, Qt::CaseInsensitive) == 0 &&
            (serial.isEmpty() || in.serial.compare(serial, Qt::CaseInsensitive) == 0))
            return in;
    return std::nullopt;
}

} // namespace

ReportDialog::ReportDialog(ReportSource source, QWidget* parent, const MeterFacts& meter)
    : QDialog(parent), m_source(std::move(source))
{
    setObjectName(QStringLiteral("ReportDialog"));
    setWindowTitle(tr("Report"));
    LblData = new QLabel(this);
    LblData->setObjectName(QStringLiteral("LblData"));
    LblData->setText(tr("%1, %n record(s)", nullptr, m_source.rowCount).arg(m_source.dataName));

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("TabPages"));
    tabs->setAccessibleName(tr("Report pages"));
    tabs->addTab(surveyPage(), tr("Survey"));
    tabs->addTab(instrumentPage(meter), tr("Instrument and method"));
    tabs->addTab(assessmentPage(meter), tr("Levels and assessment"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* CmdWrite = buttons->addButton(tr("Write PDF…"), QDialogButtonBox::AcceptRole);
    CmdWrite->setObjectName(QStringLiteral("CmdWrite"));
    CmdWrite->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CmdCancel"));
    connect(CmdWrite, &QPushButton::clicked, this, &ReportDialog::write);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblData);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(std::max(640, sizeHint().width()), sizeHint().height());
}

QWidget* ReportDialog::surveyPage()
{
    auto* page = new QWidget(this);
    const QSettings s = reportSettings();
    TxtTitle = field(page, "TxtTitle", tr("Title"), s.value(key::Title).toString());
    TxtTitle->setPlaceholderText(tr("Magnetic field survey"));
    TxtSite = field(page, "TxtSite", tr("Site"));
    TxtSite->setPlaceholderText(tr("address of the site"));
    TxtClient = field(page, "TxtClient", tr("Client"));
    TxtLocation = field(page, "TxtLocation", tr("Location within the site"));
    TxtLocation->setPlaceholderText(tr("for example bedroom, bed head"));
    TxtOperator = field(page, "TxtOperator", tr("Measured by"), s.value(key::Operator).toString());
    TxtCompany = field(page, "TxtCompany", tr("Company"), s.value(key::Company).toString());
    TxtPlace = field(page, "TxtPlace", tr("Place of signing"), s.value(key::Place).toString());
    TxtNotes = textBox(page, "TxtNotes", tr("Notes"), 3);

    auto* form = new QFormLayout(page);
    form->addRow(tr("&Title:"), TxtTitle);
    form->addRow(tr("&Site:"), TxtSite);
    form->addRow(tr("C&lient:"), TxtClient);
    form->addRow(tr("L&ocation within the site:"), TxtLocation);
    form->addRow(tr("Measured &by:"), TxtOperator);
    form->addRow(tr("Co&mpany:"), TxtCompany);
    form->addRow(tr("&Place of signing:"), TxtPlace);
    form->addRow(tr("&Notes:"), TxtNotes);
    return page;
}

QWidget* ReportDialog::instrumentPage(const MeterFacts& meter)
{
    auto* page = new QWidget(this);
    const QSettings s = reportSettings();
    const QList<Instrument> remembered = rememberedInstruments();
    CboInstrument = named(new QComboBox(page), "CboInstrument", tr("Remembered instrument"));
    CboInstrument->addItem(tr("(a new instrument)"));
    for (const Instrument& in : remembered)
        CboInstrument->addItem(in.name());
    TxtModel = field(page, "TxtModel", tr("Model"));
    TxtSerial = field(page, "TxtSerial", tr("Serial number or ID"));
    TxtCalibrated = field(page, "TxtCalibrated", tr("Calibrated on"));
    TxtCalibrated->setPlaceholderText(tr("YYYY-MM-DD"));
    TxtFrequencyRange = field(page, "TxtFrequencyRange", tr("Frequency range"));
    TxtFrequencyRange->setPlaceholderText(tr("for example 16 Hz - 2 kHz"));
    CboAxes =
        choice(page, "CboAxes", tr("Axes"),
               {{tr("not said"), 0}, {tr("1-D (single axis)"), 1}, {tr("3-D (isotropic)"), 3}}, 0);
    CboMains = choice(page, "CboMains", tr("Mains frequency"),
                      {{tr("50 Hz"), 50}, {tr("60 Hz"), 60}}, s.value(key::Mains, 50));
    TxtMethod = textBox(page, "TxtMethod", tr("Method"), 3);
    TxtMethod->setPlainText(s.value(key::Method).toString());
    TxtMethod->setPlaceholderText(tr("where and how the meter stood, what ran meanwhile"));

    connect(CboInstrument, &QComboBox::activated, this, [this, remembered](int index) {
        showInstrument(index > 0 ? remembered.value(index - 1) : Instrument{});
    });
    // Records from the meter name its model and, for a downloaded set, its ID code: the
    // instrument remembered with them, else a new one with them; otherwise the last one used.
    const QString model = m_source.fromMeter ? meter.model : QString();
    const QString serial = m_source.meter.trimmed();
    Instrument shown = remembered.value(0);
    if (!model.isEmpty() || !serial.isEmpty())
        shown = rememberedFor(model, serial).value_or(Instrument{model, serial, {}, {}, 0});
    showInstrument(shown);
    CboInstrument->setCurrentIndex(std::max(0, CboInstrument->findText(shown.name())));

    auto* form = new QFormLayout(page);
    form->addRow(tr("&Instrument:"), CboInstrument);
    form->addRow(tr("M&odel:"), TxtModel);
    form->addRow(tr("&Serial / ID:"), TxtSerial);
    form->addRow(tr("Calibrated o&n:"), TxtCalibrated);
    form->addRow(tr("&Frequency range:"), TxtFrequencyRange);
    form->addRow(tr("A&xes:"), CboAxes);
    form->addRow(tr("M&ains frequency:"), CboMains);
    form->addRow(tr("M&ethod:"), TxtMethod);
    return page;
}

QWidget* ReportDialog::assessmentPage(const MeterFacts& meter)
{
    auto* page = new QWidget(this);
    const QSettings s = reportSettings();
    LstReferences = named(new QListWidget(page), "LstReferences", tr("Reference levels"));
    const QStringList ticked =
        s.value(key::References, QStringList{QStringLiteral("icnirp2010")}).toStringList();
    // The user's own sets join the published ones; a refused file is named under the list.
    const QStringList refused = loadReferenceFolder(userReferenceFolder());
    for (const Reference& r : references()) {
        auto* item = new QListWidgetItem(r.name, LstReferences);
        item->setData(Qt::UserRole, r.key);
        item->setToolTip(r.source);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked.contains(r.key) ? Qt::Checked : Qt::Unchecked);
    }
    // ICNIRP 1998's level follows the mains frequency: the list names the one the report takes.
    const auto showMains = [this] {
        const QList<Reference> refs = references(mains());
        for (int i = 0; i < LstReferences->count() && i < refs.size(); ++i)
            LstReferences->item(i)->setText(refs[i].name);
    };
    connect(CboMains, &QComboBox::currentIndexChanged, this, showMains);
    showMains();
    LstReferences->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LstReferences->setFixedHeight(LstReferences->sizeHintForRow(0) * LstReferences->count() +
                                  2 * LstReferences->frameWidth() + 4);

    QStringList alarms;
    for (const Level& l : meter.alarms)
        alarms << l.name.section(QStringLiteral(": "), -1);
    TxtLevels = field(page, "TxtLevels", tr("Your levels"),
                      alarms.isEmpty() ? s.value(key::Levels).toString()
                                       : alarms.join(QStringLiteral(", ")));
    TxtLevels->setPlaceholderText(tr("for example 2 mG, 0.4 µT"));
    TxtLevels->setToolTip(
        tr("Your own levels, separated by commas (your alarm thresholds when set)."));
    QList<std::pair<QString, QVariant>> units;
    for (const ReportUnit u :
         {ReportUnit::NanoTesla, ReportUnit::MicroTesla, ReportUnit::MilliGauss})
        units.append({figureUnitText(u), figureUnitText(u)});
    CboUnit = choice(page, "CboUnit", tr("Unit of the figures"), units,
                     s.value(key::Unit, figureUnitText(localeUnit())));
    CboPaper = choice(page, "CboPaper", tr("Paper size"),
                      {{tr("as the locale measures"), int(PaperSize::FromLocale)},
                       {tr("A4"), int(PaperSize::A4)},
                       {tr("Letter"), int(PaperSize::Letter)}},
                      s.value(key::Paper, int(PaperSize::FromLocale)));
    TxtConclusion = textBox(page, "TxtConclusion", tr("Conclusion"), 3);
    TxtRecommendations = textBox(page, "TxtRecommendations", tr("Recommendations"), 3);
    ChkRecords = named(new QCheckBox(tr("Add the records as a table"), page), "ChkRecords",
                       tr("Add the records as a table"));
    ChkRecords->setChecked(s.value(key::Records, false).toBool());

    auto* form = new QFormLayout(page);
    form->addRow(tr("&Reference levels:"), LstReferences);
    if (!refused.isEmpty()) {
        auto* LblRefused = new QLabel(refused.join(u'\n'), this);
        LblRefused->setObjectName(QStringLiteral("LblRefusedReferences"));
        LblRefused->setWordWrap(true);
        form->addRow(QString(), LblRefused);
    }
    form->addRow(tr("Your levels:"), TxtLevels);
    form->addRow(tr("Unit of the figures:"), CboUnit);
    form->addRow(tr("Conclusion:"), TxtConclusion);
    form->addRow(tr("Recommendations:"), TxtRecommendations);
    form->addRow(tr("Paper:"), CboPaper);
    form->addRow(QString(), ChkRecords);
    return page;
}

Mains ReportDialog::mains() const
{
    return CboMains->currentData().toInt() == 60 ? Mains::Hz60 : Mains::Hz50;
}

void ReportDialog::showInstrument(const Instrument& in)
{
    TxtModel->setText(in.model);
    TxtSerial->setText(in.serial);
    TxtCalibrated->setText(in.calibrated.toString(Qt::ISODate));
    TxtFrequencyRange->setText(in.frequencyRange);
    CboAxes->setCurrentIndex(std::max(0, CboAxes->findData(in.axes)));
}

Instrument ReportDialog::instrument(QString* error) const
{
    Instrument in{TxtModel->text().trimmed(),
                  TxtSerial->text().trimmed(),
                  {},
                  TxtFrequencyRange->text().trimmed(),
                  CboAxes->currentData().toInt()};
    const QString date = TxtCalibrated->text().trimmed();
    in.calibrated = QDate::fromString(date, Qt::ISODate);
    if (!date.isEmpty() && (!in.calibrated.isValid() || date.size() != 10) && error)
        *error = tr("\"%1\" is not a calibration date such as 2026-01-15.").arg(date);
    return in;
}

std::optional<ReportRequest> ReportDialog::request(QString* error) const
{
    QString why;
    ReportRequest r;
    r.details = {TxtTitle->text().trimmed(),    TxtSite->text().trimmed(),
                 TxtClient->text().trimmed(),   TxtLocation->text().trimmed(),
                 TxtOperator->text().trimmed(), TxtCompany->text().trimmed(),
                 TxtPlace->text().trimmed(),    TxtNotes->toPlainText().trimmed()};
    r.instrument = instrument(&why);
    r.mains = mains();
    r.method = TxtMethod->toPlainText().trimmed();
    r.conclusion = TxtConclusion->toPlainText().trimmed();
    r.recommendations = TxtRecommendations->toPlainText().trimmed();
    for (int i = 0; i < LstReferences->count(); ++i)
        if (LstReferences->item(i)->checkState() == Qt::Checked)
            r.references << LstReferences->item(i)->data(Qt::UserRole).toString();
    const Unit bare = tableUnit(m_source.rowText, m_source.rowCount).value_or(Unit::MilliGauss);
    QString bad;
    const auto own = ownLevels(TxtLevels->text(), bare, &bad);
    if (!own)
        why = tr("\"%1\" is not a level such as 2 mG or 0.4 µT.").arg(bad);
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return std::nullopt;
    }
    r.ownLevels = *own;
    r.unit = reportUnitNamed(CboUnit->currentData().toString()).value_or(localeUnit());
    r.paper = PaperSize(CboPaper->currentData().toInt());
    r.includeRecords = ChkRecords->isChecked();
    r.options.from = m_source.from;
    r.options.to = m_source.to;
    r.options.samplingSeconds = m_source.samplingSeconds;
    // The report is tied to the file it was read from, or else to the table as Save writes it.
    ReportData data{m_source.dataName, {}, {}};
    if (!m_source.filePath.isEmpty())
        data.sha256 = fileSha256(m_source.filePath);
    if (data.sha256.isEmpty()) {
        data.sha256 = tableSha256(m_source.rowText, m_source.rowCount);
        data.sha256Note = tr("of these records saved as a record file");
    }
    r.data = {data};
    return r;
}

void ReportDialog::remember() const
{
    QSettings s = reportSettings();
    s.setValue(key::Title, TxtTitle->text());
    s.setValue(key::Operator, TxtOperator->text());
    s.setValue(key::Company, TxtCompany->text());
    s.setValue(key::Place, TxtPlace->text());
    s.setValue(key::Method, TxtMethod->toPlainText());
    s.setValue(key::Mains, CboMains->currentData());
    s.setValue(key::Unit, CboUnit->currentData());
    s.setValue(key::Paper, CboPaper->currentData());
    s.setValue(key::Levels, TxtLevels->text());
    s.setValue(key::Records, ChkRecords->isChecked());
    QStringList ticked;
    for (int i = 0; i < LstReferences->count(); ++i)
        if (LstReferences->item(i)->checkState() == Qt::Checked)
            ticked << LstReferences->item(i)->data(Qt::UserRole).toString();
    s.setValue(key::References, ticked);
    for (const QString& stale : key::Stale)
        s.remove(stale);
    s.sync();
    QString bad;
    if (const Instrument in = instrument(&bad); bad.isEmpty())
        rememberInstrument(in);
}

bool ReportDialog::writeTo(const QString& path, QString* error)
{
    remember();
    const std::optional<ReportRequest> r = request(error);
    if (!r)
        return false;
    const BusyPointer busy;
    return writeSurveyReport(path, m_source.rowText, m_source.rowCount, *r, error);
}

bool ReportDialog::write()
{
    QPointer<ReportDialog> self(this);
    const auto chosen = ui::Dialogs::current().saveFile(this, PdfFilter);
    if (!self || !chosen || chosen->isEmpty())
        return false;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (!writeTo(path, &error)) {
        ui::Dialogs::current().message(this, error, ui::MsgButtons::Ok, ui::MsgIcon::Critical);
        return false;
    }
    accept();
    return true;
}

void runReportDialog(QWidget* parent, ReportSource source, const MeterFacts& meter)
{
    // On the heap: the window it belongs to may be closed while it runs (a lost link closes the
    // live views), and takes the dialog with it.
    const QPointer<ReportDialog> dialog = new ReportDialog(std::move(source), parent, meter);
    dialog->exec();
    delete dialog.data();
}

void openReportsFromTables(std::function<MeterFacts()> meter)
{
    RecordTableWindow::setReportHandler(
        [meter = std::move(meter)](QWidget* window, ReportSource source) {
            MeterFacts facts;
            if (source.fromMeter && meter)
                facts = meter();
            runReportDialog(window, std::move(source), facts);
        });
}

} // namespace veltrix
