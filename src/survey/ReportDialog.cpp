#include "survey/ReportDialog.h"

#include "records/BusyPointer.h"
#include "records/RecordTableWindow.h"
#include "ui/Dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QVBoxLayout>

namespace veltrix {

using namespace stats;

namespace {

const QString PdfFilter = QStringLiteral("PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*|");

QSettings settings()
{
    return QSettings(QStringLiteral("Veltrix"), QStringLiteral("Veltrix Panel"));
}

QLineEdit* field(QWidget* parent, const char* name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// The own levels typed as "5 mG, 0.4 µT"; nothing when one of them cannot be read.
std::optional<QList<Level>> ownLevels(const QString& text, Unit bareUnit, QString* bad)
{
    QList<Level> levels;
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("[,;]")))) {
        if (part.trimmed().isEmpty())
            continue;
        const auto level = parseLevel(part, bareUnit);
        if (!level) {
            *bad = part.trimmed();
            return std::nullopt;
        }
        levels.append({ReportDialog::tr("Your level: %1").arg(level->name), level->milliGauss});
    }
    return levels;
}

} // namespace

ReportDialog::ReportDialog(ReportSource source, QWidget* parent,
                           const QList<stats::Level>& alarmLevels)
    : QDialog(parent), m_source(std::move(source))
{
    setObjectName(QStringLiteral("ReportDialog"));
    setWindowTitle(tr("Report"));
    const QSettings s = settings();
    TxtTitle = field(this, "TxtTitle", s.value(QStringLiteral("report/title")).toString());
    TxtSite = field(this, "TxtSite", s.value(QStringLiteral("report/site")).toString());
    TxtLocation = field(this, "TxtLocation", s.value(QStringLiteral("report/location")).toString());
    TxtOperator = field(this, "TxtOperator", s.value(QStringLiteral("report/operator")).toString());
    TxtMeter = field(this, "TxtMeter",
                     m_source.meter.isEmpty() ? s.value(QStringLiteral("report/meter")).toString()
                                              : m_source.meter);
    TxtNotes = new QPlainTextEdit(s.value(QStringLiteral("report/notes")).toString(), this);
    TxtNotes->setObjectName(QStringLiteral("TxtNotes"));
    TxtNotes->setFixedHeight(70);
    TxtTitle->setPlaceholderText(tr("Magnetic field survey"));

    LstReferences = new QListWidget(this);
    LstReferences->setObjectName(QStringLiteral("LstReferences"));
    const QStringList ticked =
        s.value(QStringLiteral("report/references"), QStringList{QStringLiteral("icnirp2010")})
            .toStringList();
    // The user's own sets join the published ones; a refused file is named under the list.
    const QStringList refused = loadReferenceFolder(userReferenceFolder());
    for (const Reference& r : references()) {
        auto* item = new QListWidgetItem(r.name, LstReferences);
        item->setData(Qt::UserRole, r.key);
        item->setToolTip(r.source);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked.contains(r.key) ? Qt::Checked : Qt::Unchecked);
    }
    LstReferences->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LstReferences->setFixedHeight(LstReferences->sizeHintForRow(0) * LstReferences->count() +
                                  2 * LstReferences->frameWidth() + 4);

    QStringList alarms;
    for (const Level& l : alarmLevels)
        alarms << l.name.section(QStringLiteral(": "), -1);
    TxtLevels = field(this, "TxtLevels",
                      alarms.isEmpty() ? s.value(QStringLiteral("report/levels")).toString()
                                       : alarms.join(QStringLiteral(", ")));
    TxtLevels->setPlaceholderText(tr("for example 2 mG, 0.4 µT"));
    TxtLevels->setToolTip(
        tr("Your own levels, separated by commas (your alarm thresholds when set)."));
    ChkRecords = new QCheckBox(tr("Add the records as a table"), this);
    ChkRecords->setObjectName(QStringLiteral("ChkRecords"));
    ChkRecords->setChecked(s.value(QStringLiteral("report/records"), false).toBool());

    LblData = new QLabel(this);
    LblData->setObjectName(QStringLiteral("LblData"));
    LblData->setText(tr("%1, %n record(s)", nullptr, m_source.rowCount).arg(m_source.dataName));

    auto* form = new QFormLayout;
    form->addRow(tr("Records:"), LblData);
    form->addRow(tr("Title:"), TxtTitle);
    form->addRow(tr("Site:"), TxtSite);
    form->addRow(tr("Location within the site:"), TxtLocation);
    form->addRow(tr("Measured by:"), TxtOperator);
    form->addRow(tr("Meter (model, ID code):"), TxtMeter);
    form->addRow(tr("Notes:"), TxtNotes);
    form->addRow(tr("Reference levels:"), LstReferences);
    if (!refused.isEmpty()) {
        auto* LblRefused = new QLabel(refused.join(u'\n'), this);
        LblRefused->setObjectName(QStringLiteral("LblRefusedReferences"));
        LblRefused->setWordWrap(true);
        form->addRow(QString(), LblRefused);
    }
    form->addRow(tr("Your levels:"), TxtLevels);
    form->addRow(QString(), ChkRecords);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* CmdWrite = buttons->addButton(tr("Write PDF…"), QDialogButtonBox::AcceptRole);
    CmdWrite->setObjectName(QStringLiteral("CmdWrite"));
    CmdWrite->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CmdCancel"));
    connect(CmdWrite, &QPushButton::clicked, this, &ReportDialog::write);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(std::max(640, sizeHint().width()), sizeHint().height());
}

ReportRequest ReportDialog::request() const
{
    ReportRequest r;
    r.details = {TxtTitle->text().trimmed(),    TxtSite->text().trimmed(),
                 TxtLocation->text().trimmed(), TxtOperator->text().trimmed(),
                 TxtMeter->text().trimmed(),    TxtNotes->toPlainText().trimmed()};
    r.dataName = m_source.dataName;
    for (int i = 0; i < LstReferences->count(); ++i)
        if (LstReferences->item(i)->checkState() == Qt::Checked)
            r.references << LstReferences->item(i)->data(Qt::UserRole).toString();
    r.includeRecords = ChkRecords->isChecked();
    r.options.from = m_source.from;
    r.options.to = m_source.to;
    r.options.samplingSeconds = m_source.samplingSeconds;
    return r;
}

bool ReportDialog::writeTo(const QString& path, QString* error)
{
    QSettings s = settings();
    s.setValue(QStringLiteral("report/title"), TxtTitle->text());
    s.setValue(QStringLiteral("report/site"), TxtSite->text());
    s.setValue(QStringLiteral("report/location"), TxtLocation->text());
    s.setValue(QStringLiteral("report/operator"), TxtOperator->text());
    s.setValue(QStringLiteral("report/meter"), TxtMeter->text());
    s.setValue(QStringLiteral("report/notes"), TxtNotes->toPlainText());
    s.setValue(QStringLiteral("report/levels"), TxtLevels->text());
    s.setValue(QStringLiteral("report/records"), ChkRecords->isChecked());
    ReportRequest r = request();
    s.setValue(QStringLiteral("report/references"), r.references);

    const Unit bare = tableUnit(m_source.rowText, m_source.rowCount).value_or(Unit::MilliGauss);
    QString bad;
    const auto own = ownLevels(TxtLevels->text(), bare, &bad);
    if (!own) {
        if (error)
            *error = tr("\"%1\" is not a level such as 2 mG or 0.4 µT.").arg(bad);
        return false;
    }
    r.ownLevels = *own;

    // The report is tied to the file it was read from, or else to the table as Save writes it.
    r.sha256 = m_source.filePath.isEmpty() ? QString() : fileSha256(m_source.filePath);
    if (r.sha256.isEmpty()) {
        r.sha256 = tableSha256(m_source.rowText, m_source.rowCount);
        r.sha256Note = tr("of these records saved as a record file");
    }
    const BusyPointer busy;
    return writeSurveyReport(path, m_source.rowText, m_source.rowCount, r, error);
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

void runReportDialog(QWidget* parent, ReportSource source, const QList<stats::Level>& alarmLevels)
{
    // On the heap: the window it belongs to may be closed while it runs (a lost link closes the
    // live views), and takes the dialog with it.
    const QPointer<ReportDialog> dialog = new ReportDialog(std::move(source), parent, alarmLevels);
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
            if (!facts.model.isEmpty())
                source.meter =
                    QObject::tr("Model %1").arg(facts.model) +
                    (source.meter.isEmpty() ? QString() : QStringLiteral(", ") + source.meter);
            runReportDialog(window, std::move(source), facts.alarms);
        });
}

} // namespace veltrix
