// SPDX-License-Identifier: GPL-3.0-or-later
// Survey figures of record tables, computed by hand for small tables, and the survey report as a
// reader gets it: through pdftotext, pdffonts and pdftoppm.

#include "records/FileList.h"
#include "records/RealTimeList.h"
#include "records/RecordFile.h"
#include "support/CliRun.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "survey/Assessment.h"
#include "survey/ProjectReport.h"
#include "survey/ReferenceLevels.h"
#include "survey/ReportDialog.h"
#include "survey/ReportGeometry.h"
#include "survey/Statistics.h"
#include "survey/SurveyProject.h"
#include "survey/SurveyReport.h"
#include "ui/LocaleText.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace veltrix;
using namespace veltrix::stats;

namespace {

// Times are printed with this computer's offset from UTC: the tests' computer is in Berlin (and so
// is the report writer the tests run).
const bool InBerlin = qputenv("TZ", "Europe/Berlin");

// "10:00:00 5 mG, 27/01/01 00:00:01 3 uT" as numbered rows; the date is 26/12/05 unless given.
QStringList table(const QString& records)
{
    QStringList rows;
    for (const QString& record : records.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const QString date = record.count(u' ') == 2 ? QStringLiteral("26/12/05 ") : QString();
        rows << QString::number(rows.size() + 1) + u'\t' + (date + record).split(u' ').join(u'\t') +
                    QStringLiteral("\t\t");
    }
    return rows;
}

// Readings in mG one second apart from 10:00:00.
QStringList series(const QStringList& values)
{
    QStringList records;
    for (int i = 0; i < values.size(); ++i)
        records << QStringLiteral("10:00:%1 %2 mG").arg(i, 2, 10, QChar(u'0')).arg(values[i]);
    return table(records.join(QStringLiteral(", ")));
}

// 20 readings of 10 mG, then 20 of 90 mG, one a second from 10:00:00, an overload at the end.
const QStringList SurveyRows = [] {
    QStringList rows;
    for (int i = 0; i < 41; ++i) {
        const QString value = i == 40 ? QStringLiteral("OL") : QString::number(i < 20 ? 10 : 90);
        rows << QStringLiteral("%1\t26/12/05\t10:00:%2\t%3\tmG\t\t\t")
                    .arg(i + 1)
                    .arg(i, 2, 10, QChar(u'0'))
                    .arg(value);
    }
    return rows;
}();

RowText rowsOf(const QStringList& rows)
{
    return [&rows](int n) { return QStringView(rows[n - 1]); };
}

std::optional<Statistics> figuresOf(const QStringList& rows, const Options& options,
                                    QString* error = nullptr)
{
    return compute(rowsOf(rows), int(rows.size()), options, error);
}

bool write(const QString& pdf, const QStringList& rows, const ReportRequest& r,
           QString* error = nullptr, ReportLayout* layout = nullptr)
{
    return writeSurveyReport(pdf, rowsOf(rows), int(rows.size()), r, error, layout);
}

ReportRequest request()
{
    ReportRequest r;
    r.details = {
        "Survey of Flat 3", "12 Example Road", "J. Client",  "Bedroom, bed head",
        "A. Tester",        "Example Ltd",     "Exampleton", "Measured with the heating on."};
    r.instrument = {"4627", "ID code 12", QDate(2026, 1, 15), "16 Hz - 2 kHz", 3};
    r.data = {{"flat3.txt", QString(64, u'a'), {}}};
    r.references = {"icnirp2010", "iarc2002", "buildingbiology"};
    r.ownLevels = {{"Your level: 50 mG", 50}};
    r.unit = ReportUnit::MilliGauss;
    r.paper = PaperSize::A4;
    return r;
}

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return "<" + program + " failed: " + QString::fromUtf8(p.readAllStandardError()) + ">";
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of a PDF's pages, laid out as on the page.
QStringList pageTexts(const QString& pdf)
{
    QStringList pages = run("pdftotext", {"-layout", pdf, "-"}).split(u'\f');
    pages.removeAll(QString());
    return pages;
}

// SurveyRows as a table named `name`, read from `path` if given.
ReportSource sourceOf(const QString& name, const QString& path = {})
{
    ReportSource source;
    source.dataName = name;
    source.filePath = path;
    source.rowText = rowsOf(SurveyRows);
    source.rowCount = int(SurveyRows.size());
    return source;
}

// A field of the dialog by its name, as text; and typed into it.
QString fieldText(const QWidget& dialog, const QString& name)
{
    const QObject* w = dialog.findChild<QObject*>(name);
    if (const auto* line = qobject_cast<const QLineEdit*>(w))
        return line->text();
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(w))
        return box->toPlainText();
    if (const auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->currentText();
    return "<no field " + name + ">";
}

void type(QWidget& dialog, const QString& name, const QString& text)
{
    QObject* w = dialog.findChild<QObject*>(name);
    if (auto* line = qobject_cast<QLineEdit*>(w))
        line->setText(text);
    else if (auto* box = qobject_cast<QPlainTextEdit*>(w))
        box->setPlainText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setCurrentIndex(combo->findText(text));
    else
        QFAIL(qPrintable("no field " + name));
}

// The same choices in the report dialog and on the command line: the dialog's field and what is
// typed into it, the option and its value (the command line takes the instrument the dialog
// remembered).
struct Choice {
    const char *field, *text, *option, *value;
};
const Choice SameChoices[] = {
    {"TxtTitle", "Night survey", "--title", "Night survey"},
    {"TxtSite", "12 Example Road", "--site", "12 Example Road"},
    {"TxtClient", "J. Client", "--client", "J. Client"},
    {"TxtLocation", "Bedroom", "--location", "Bedroom"},
    {"TxtOperator", "A. Tester", "--operator", "A. Tester"},
    {"TxtCompany", "Example Ltd", "--company", "Example Ltd"},
    {"TxtPlace", "Exampleton", "--place", "Exampleton"},
    {"TxtNotes", "Heating on.", "--notes", "Heating on."},
    {"TxtModel", "4627", "--instrument-preset", "4627 ID code 12"},
    {"TxtSerial", "ID code 12", nullptr, nullptr},
    {"TxtCalibrated", "2026-01-15", nullptr, nullptr},
    {"TxtFrequencyRange", "16 Hz - 2 kHz", nullptr, nullptr},
    {"CboAxes", "3-D (isotropic)", nullptr, nullptr},
    {"CboMains", "60 Hz", "--mains", "60"},
    {"TxtMethod", "On the pillow.", "--method", "On the pillow."},
    {"TxtLevels", "50 mG, 0.4 uT", "--threshold", "50 mG"},
    {nullptr, nullptr, "--threshold", "0.4uT"},
    {"CboUnit", "nT", "--unit", "nT"},
    {"CboPaper", "Letter", "--paper", "letter"},
    {"TxtConclusion", "Low at night.", "--conclusion", "Low at night."},
    {"TxtRecommendations", "Move the bed.", "--recommendations", "Move the bed."},
};

// --- A survey project: 3 rooms, 10 points, each spot measured before and after a fix; point 10
// recorded for two hours before and logged for 35 minutes after (no place on the plan).
// A spot of base b (mG): nine readings of b and one of 3b, so mean 1.2b, maximum 3b, 95th
// percentile 2.1b; no b ends in 5 hundredths, so that no figure rounds on a half.
const double BaseBefore[] = {2.0, 1.0, 0.6, 0.1, 3.0, 0.2, 1.4, 0.4, 2.4};
const double BaseAfter[] = {0.4, 0.3, 0.2, 0.1, 1.0, 0.1, 0.6, 0.2, 0.4};
const char* const PointNames[] = {"Bed head", "Cot",           "Desk", "Sofa", "Fuse box",
                                  "Armchair", "Kitchen table", "Hob",  "Bath", "Night bed"};

QByteArray recordBytes(const QList<double>& mg, int stepSeconds)
{
    QStringList rows;
    const QDateTime start(QDate(2026, 12, 5), QTime(22, 0));
    for (qsizetype i = 0; i < mg.size(); ++i)
        rows << QString::number(i + 1) + u'\t' +
                    sampleBody(start.addSecs(i * stepSeconds), QString::number(mg[i], 'f', 1), true,
                               false, false);
    return tableFileBytes(rows);
}

survey::Measurement measurement(survey::MeasurementKind kind, const QString& session,
                                const QList<double>& mg, int stepSeconds = 1)
{
    auto m = survey::measurementOf(kind, recordBytes(mg, stepSeconds), "night.txt");
    m.session = session;
    m.loggerSet = kind == survey::MeasurementKind::LoggerSet ? 2 : 0;
    return m;
}

QList<double> spotValues(double b)
{
    QList<double> v(9, b);
    return v << 3 * b;
}

survey::Survey projectSurvey()
{
    survey::Survey s = survey::newSurvey();
    s.details = {"Home survey", "12 Example Road", "J. Client",  {},
                 "A. Tester",   "Example Ltd",     "Exampleton", {}};
    s.references = {"buildingbiology", "icnirp2010"};
    s.unit = FigureUnit::MicroTesla;
    s.conclusion = "Lower after the fix.";
    QImage plan(600, 400, QImage::Format_RGB32);
    plan.fill(Qt::white);
    QBuffer png(&s.plan.image);
    png.open(QIODevice::WriteOnly);
    plan.save(&png, "PNG");
    for (int r = 0; r < 3; ++r)
        s.rooms.append({s.newId(u'r'), QString("Room %1").arg(r + 1), {}, {}});
    for (int i = 0; i < 10; ++i) {
        survey::Point p{s.newId(u'p'), PointNames[i], {}, {}, {}, {}, {}};
        if (i < 9) {
            p.position = QPointF((i % 3 + 0.5) / 3, (i / 3 + 0.5) / 3);
            p.measurements = {
                measurement(survey::MeasurementKind::Spot, "before", spotValues(BaseBefore[i])),
                measurement(survey::MeasurementKind::Spot, "after", spotValues(BaseAfter[i]))};
        } else {
            QList<double> night;
            for (int k = 0; k < 7200; ++k)
                night << (k % 2 ? 0.5 : 0.3);
            p.measurements = {measurement(survey::MeasurementKind::Recording, "before", night),
                              measurement(survey::MeasurementKind::LoggerSet, "after",
                                          QList<double>(1050, 0.2), 2)};
        }
        s.rooms[std::min(i / 4, 2)].points << p;
    }
    for (int i = 0, n = 0; i < 3; ++i)
        for (auto& p : s.rooms[i].points)
            for (auto& m : p.measurements)
                m.id = QString("m%1").arg(++n);
    return s;
}

// The building-biology band of a 95th percentile in mG, and a figure in µT at 0.1 mG steps.
int bandOf(double p95)
{
    return p95 < 0.2 ? 0 : p95 < 1 ? 1 : p95 < 5 ? 2 : 3;
}
const QStringList Bands = {"no anomaly", "slight anomaly", "severe anomaly", "extreme anomaly"};
QString uT(double mg)
{
    return QString::number(mg / 10, 'f', 2) + " \u00B5T";
}

// The text of a report, but for the minute it was written in.
QString reportText(const QString& pdf)
{
    return run("pdftotext", {"-layout", pdf, "-"})
        .replace(QRegularExpression("Report written +\\S+ \\S+ \\S+"), "Report written");
}

} // namespace

class TestSurveyReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
        openReportsFromTables();
    }
    void init() { reportSettings().remove("report"); }

    void figures_data()
    {
        QTest::addColumn<QStringList>("rows");
        // readings, overloads, invalid, converted, rows of min and max, duration, sampling (ms)
        QTest::addColumn<QList<qint64>>("counts");
        // min, max, mean, median, p95, standard deviation
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QString>("unit");
        QStringList oneToTwenty;
        for (int i = 1; i <= 20; ++i)
            oneToTwenty << QString::number(i);
        QTest::newRow("1..20: interpolated percentiles, sample deviation")
            << series(oneToTwenty) << QList<qint64>{20, 0, 0, 0, 1, 20, 19000, 1000}
            << QList<double>{1, 20, 10.5, 10.5, 19.05, std::sqrt(35.0)} << "mG";
        QTest::newRow("one row") << series({"5.5"}) << QList<qint64>{1, 0, 0, 0, 1, 1, 0, 0}
                                 << QList<double>{5.5, 5.5, 5.5, 5.5, 5.5, 0} << "mG";
        // The first reading's unit wins; 2 µT is 20 mG; a fraction of a second counts to the ms.
        QTest::newRow("mixed units")
            << table("10:00:00 10 mG, 10:00:01.5 2 uT, 10:00:03 3.0 \u03BCT, 10:00:04.125 40 mG")
            << QList<qint64>{4, 0, 0, 2, 1, 4, 4125, 1500}
            << QList<double>{10, 40, 25, 25, 38.5, std::sqrt(500.0 / 3)} << "mG";
        QTest::newRow("microtesla first")
            << table("10:00:02 2.5 uT, 10:00:04 15 mG")
            << QList<qint64>{2, 0, 0, 1, 2, 1, 2000, 2000}
            << QList<double>{1.5, 2.5, 2, 2, 2.45, std::sqrt(0.5)} << QString(QChar(0x00B5)) + u'T';
        // OL is counted apart; text, "12abc", an unknown unit and bad times are invalid.
        QTest::newRow("overloads and invalid readings")
            << table("10:00:00 10 mG, 10:00:01 OL mG, 10:00:02 Ok mG, 10:00:02 12abc mG, "
                     "10:00:03 20 G, 10:00:0x 5 mG, 10:00:05 30 mG, 10:60:06 5 mG")
            << QList<qint64>{2, 1, 5, 0, 1, 7, 5000, 1000}
            << QList<double>{10, 30, 20, 20, 29, std::sqrt(200.0)} << "mG";
        QTest::newRow("across midnight")
            << table("26/12/31 23:59:58 1 mG, 26/12/31 23:59:59 2 mG, 27/01/01 00:00:00 3 mG, "
                     "27/01/01 00:00:01 4 mG")
            << QList<qint64>{4, 0, 0, 0, 1, 4, 3000, 1000}
            << QList<double>{1, 4, 2.5, 2.5, 3.85, std::sqrt(5.0 / 3)} << "mG";
        QTest::newRow("blanks around date and time")
            << QStringList{"1\t 26/12/05\t10:00:00 \t5\tmG", "2\t26/12/05 \t 10:00:01\t7\tmG"}
            << QList<qint64>{2, 0, 0, 0, 1, 2, 1000, 1000}
            << QList<double>{5, 7, 6, 6, 6.9, std::sqrt(2.0)} << "mG";
        QTest::newRow("only overloads")
            << series({"OL", "ol", "OL"}) << QList<qint64>{0, 3, 0, 0, 0, 0, 2000, 1000}
            << QList<double>{0, 0, 0, 0, 0, 0} << "mG";
    }
    void figures()
    {
        QFETCH(QStringList, rows);
        QFETCH(QList<qint64>, counts);
        QFETCH(QList<double>, values);
        QFETCH(QString, unit);
        QString error;
        const auto st = figuresOf(rows, {}, &error);
        QVERIFY2(st, qPrintable(error));
        QCOMPARE(QList<qint64>({st->readings, st->overloads, st->invalid, st->converted,
                                st->minimumAt.row, st->maximumAt.row, st->duration, st->sampling}),
                 counts);
        QCOMPARE(st->rows, int(rows.size()));
        QCOMPARE(st->overloadMoments.size(), counts[1]);
        const QList<double> got = {st->minimum, st->maximum,      st->mean,
                                   st->median,  st->percentile95, st->standardDeviation};
        for (int i = 0; i < got.size(); ++i)
            QVERIFY2(std::abs(got[i] - values[i]) < 1e-9, qPrintable(QString::number(i)));
        QCOMPARE(unitText(st->unit), unit);
    }

    // Figures, dates and times as the screen and the report show them: German, and English as
    // always (with or without an English locale: no grouping, ISO dates).
    void localeForms()
    {
        using Form = std::function<QString(const QLocale&)>;
        const QList<std::tuple<Form, QString, QString>> rows = {
            {[](auto& l) { return figureText(3.4, FigureUnit::MicroTesla, 0.1, l); }, "0,34 µT",
             "0.34 µT"},
            {[](auto& l) { return figureText(-1.5, FigureUnit::MilliGauss, 0.1, l); }, "-1,5 mG",
             "-1.5 mG"},
            {[](auto& l) { return figureText(1234.5, FigureUnit::MilliGauss, 0.1, l); },
             "1.234,5 mG", "1234.5 mG"},
            {[](auto& l) { return clockText(*clockMsOf(u"26/12/05", u"15:32:39.4"), l); },
             "05.12.2026 15:32:39,4", "2026-12-05 15:32:39.4"},
            {[](auto& l) {
                 return ui::dateTimeText(QDateTime(QDate(2026, 12, 8), QTime(22, 15)), l);
             },
             "08.12.2026 22:15", "2026-12-08 22:15"},
            {[](auto& l) { return durationText(4500, l) + ", " + shareText(1, 8, l); },
             "4,5 s, 12,5 %", "4.5 s, 12.5 %"},
            {[](auto& l) { return ui::decimalText(" 12.3", l) + ui::decimalText("OL", l); },
             " 12,3OL", " 12.3OL"},
            {[](auto& l) { return ui::cDecimalText("1.234,5", l) + ui::cDecimalText("|0.5", l); },
             "1234.5|0.5", "1.234,5|0.5"},
            {[](auto& l) { return ui::shortNumberText(0.4, l) + ' ' + ui::monthFormat(l); },
             "0,4 MM.yyyy", "0.4 yyyy-MM"}};
        for (const auto& [form, german, english] : rows) {
            QCOMPARE(form(QLocale(QLocale::German, QLocale::Germany)), german);
            QCOMPARE(form(QLocale::c()), english);
            QCOMPARE(form(QLocale(QLocale::English, QLocale::UnitedStates)), english);
        }
    }

    // `veltrix-cli report` in German: German figures and dates in the PDF, the data's name and
    // SHA-256 as they are (the English report is checked letter for letter elsewhere).
    void reportInGerman()
    {
        const QByteArray bytes = tableFileBytes(series({"3.4", "3.5", "3.4", "1234.5"}));
        QVERIFY(test::writeFile(dir.filePath("german.txt"), bytes));
        auto german = QProcessEnvironment::systemEnvironment();
        german.insert("VELTRIX_LANGUAGE", "de");
        const auto cli = test::runCliIn(german, {"report", dir.filePath("german.txt"), "--out",
                                                 dir.filePath("german.pdf"), "--unit", "uT",
                                                 "--calibrated", "2026-01-15", "--records"});
        QCOMPARE(cli.err, QString());
        const QString text = run("pdftotext", {dir.filePath("german.pdf"), "-"}).simplified();
        for (const QString& w :
             QStringList{"0,34 µT", "123,45 µT", "05.12.2026 10:00:00", "15.01.2026", "1234,5 mG",
                         "Nr. Datum Zeit", "Wert Einh. H P", "german.txt",
                         QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()})
            QVERIFY2(text.contains(w), qPrintable(w + " in " + text.left(1500)));
        QVERIFY(!text.contains("2026-12-05") && !text.contains("0.34"));
    }

    // Percentiles from the counts of each distinct reading equal those of the sorted readings,
    // whatever the mix of units and resolutions; the resolution is the finest step written.
    void percentiles_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<double>("resolution");
        QTest::newRow("mixed units and ties")
            << table("10:00:00 3.0 mG, 10:00:01 0.30 uT, 10:00:02 2.95 mG, 10:00:03 0.31 uT, "
                     "10:00:04 3 mG, 10:00:05 0.01 uT, 10:00:06 150.5 mG, 10:00:07 3.0 mG")
            << 0.01;
        QTest::newRow("microtesla first")
            << table("10:00:00 0.4 uT, 10:00:01 7 mG, 10:00:02 0.45 uT, 10:00:03 0.4 uT") << 0.1;
        QTest::newRow("one value") << series({"5", "5", "5", "5", "5"}) << 1.0;
        QTest::newRow("fine steps") << series({"0.123456", "0.1", "12"}) << 1e-6;
    }
    void percentiles()
    {
        QFETCH(QStringList, rows);
        QFETCH(double, resolution);
        const auto st = figuresOf(rows, {});
        QVERIFY(st);
        QList<double> sorted;
        for (const QString& row : rows) {
            const RecordCells cells = recordCells(row);
            sorted << convert(valueOf(cells[ValueCell]).number, *unitOf(cells[UnitCell]), st->unit);
        }
        std::sort(sorted.begin(), sorted.end());
        for (const double p : {0.0, 12.5, 50.0, 95.0, 99.5, 100.0}) {
            const double rank = p / 100 * double(sorted.size() - 1);
            const auto below = qsizetype(rank);
            const double high = sorted[std::min(below + 1, sorted.size() - 1)];
            const double expected = sorted[below] + (rank - double(below)) * (high - sorted[below]);
            QVERIFY2(std::abs(st->percentileOf(p) - expected) < 1e-12,
                     qPrintable(
                         QString("p%1: %2, not %3").arg(p).arg(st->percentileOf(p)).arg(expected)));
        }
        QCOMPARE(st->median, st->percentileOf(50));
        QCOMPARE(st->percentile95, st->percentileOf(95));
        QCOMPARE(toMilliGauss(st->resolution, st->unit), resolution);
    }

    // The chart envelope: per slice of the survey time the lowest, highest, first and last
    // reading, its overloads and whether a gap lies before it.
    void chart_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("several readings a column")
            << table("10:00:00 1 mG, 10:00:01 3 mG, 10:00:02 OL mG, 10:00:03 2 mG, 10:00:04 5 mG, "
                     "10:00:05 4 mG, 10:00:12 OL mG, 10:00:13 6 mG")
            << QStringList{"1-3 1>2 OL 10:00:00", "4-5 5>4 10:00:04", "-",
                           "6-6 6>6 OL gap 10:00:12"};
        QTest::newRow("a gap before a reading")
            << table("10:00:00 1 mG, 10:00:01 2 mG, 10:00:04 3 mG")
            << QStringList{"1-1 1>1 10:00:00", "2-2 2>2 10:00:01", "-", "3-3 3>3 gap 10:00:04"};
    }
    void chart()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, columns);
        Options options;
        options.chartColumns = 4;
        const auto st = figuresOf(rows, options);
        QVERIFY(st);
        QStringList got;
        for (const ChartColumn& c : st->chart) {
            QString text =
                c.readings ? QString("%1-%2 %3>%4").arg(c.low).arg(c.high).arg(c.first).arg(c.last)
                           : "-";
            if (c.overload)
                text += " OL";
            if (c.gapBefore)
                text += " gap";
            if (c.readings || c.overload)
                text += u' ' + clockText(c.clock).mid(11);
            got << text;
        }
        QCOMPARE(got, columns);
    }

    void timeAbove_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("level");
        QTest::addColumn<double>("samplingSeconds"); // 0: from the records
        // time above, longest stretch, its first row, survey duration
        QTest::addColumn<QList<qint64>>("above");
        QTest::addColumn<QStringList>("breaks"); // "gap 4-5", "back 2-3": rows either side
        // A 7 s gap between 10:00:03 and 10:00:10 counts for nothing and splits the stretch.
        QTest::newRow("gap") << table("10:00:00 1 mG, 10:00:01 1 mG, 10:00:02 9 mG, 10:00:03 9 mG, "
                                      "10:00:10 9 mG, 10:00:11 1 mG, 10:00:12 1 mG")
                             << "5mG" << 0.0 << QList<qint64>{3000, 2000, 3, 12000}
                             << QStringList{"gap 4-5"};
        QTest::newRow("two sampling times is no gap")
            << table("10:00:00 9 mG, 10:00:01 9 mG, 10:00:03 9 mG, 10:00:04 1 mG") << "5mG" << 0.0
            << QList<qint64>{3000, 3000, 1, 4000} << QStringList{};
        // Levels compare in one unit: 0.5 µT is 5 mG, and a reading at the level is not above it.
        QTest::newRow("level in the other unit, equal is not above")
            << series({"5", "5.1", "5.1", "4.9", "5.0"}) << "0.5uT" << 0.0
            << QList<qint64>{2000, 2000, 2, 4000} << QStringList{};
        // An overload was at least the top of the smallest range, 199.9 mG = 19.99 µT: above a
        // level up to there, not known to be above one over it.
        const QStringList overloads = series({"1", "OL", "OL", "1"});
        for (const char* level : {"199.9mG", "19.99uT"})
            QTest::addRow("overloads are above %s", level)
                << overloads << level << 0.0 << QList<qint64>{2000, 2000, 2, 3000} << QStringList{};
        for (const char* level : {"200mG", "20uT"})
            QTest::addRow("overloads are not above %s", level)
                << overloads << level << 0.0 << QList<qint64>{0, 0, 0, 3000} << QStringList{};
        QTest::newRow("invalid readings and times end a stretch")
            << table("10:00:00 9 mG, 10:00:01 9 mG, 10:00:02 x mG, 10:00:03 9 mG, 10:00:0x 9 mG, "
                     "10:00:04 9 mG, 10:00:05 9 mG")
            << "5" << 0.0 << QList<qint64>{5000, 2000, 1, 5000} << QStringList{};
        QTest::newRow("clock set back breaks a stretch")
            << table("10:00:00 9 mG, 10:00:01 9 mG, 09:00:00 9 mG") << "5mG" << 0.0
            << QList<qint64>{3000, 2000, 1, 1000} << QStringList{"back 2-3"};
        // The sampling time given (the live table's) is used; one reading then stands for 2 s.
        QTest::newRow("one reading, sampling time given")
            << series({"9"}) << "5mG" << 2.0 << QList<qint64>{2000, 2000, 1, 0} << QStringList{};
        QTest::newRow("one reading, sampling time unknown")
            << series({"9"}) << "5mG" << 0.0 << QList<qint64>{0, 0, 1, 0} << QStringList{};
    }
    void timeAbove()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, level);
        QFETCH(double, samplingSeconds);
        QFETCH(QList<qint64>, above);
        QFETCH(QStringList, breaks);
        Options options;
        options.samplingSeconds = samplingSeconds;
        options.levels = {*parseLevel(level, Unit::MilliGauss)};
        const auto st = figuresOf(rows, options);
        QVERIFY(st);
        QCOMPARE(st->levels.size(), 1);
        const LevelFigures& f = st->levels[0];
        QCOMPARE(QList<qint64>({f.timeAbove, f.longest, f.longestStart.row, st->duration}), above);
        QCOMPARE(f.overloadsAbove, st->overloads > 0 ? int(above[0] / 1000) : 0);
        QStringList got;
        for (const Break& b : st->breaks)
            got << QStringLiteral("%1 %2-%3")
                       .arg(b.kind == Break::Gap ? "gap" : "back")
                       .arg(b.before.row)
                       .arg(b.after.row);
        QCOMPARE(got, breaks);
    }

    void refused()
    {
        QString error;
        QVERIFY(!figuresOf({"", "  "}, {}, &error));
        QCOMPARE(error, QString("There are no records."));
        QVERIFY(!figuresOf(table("x y z w"), {}, &error));
        QCOMPARE(error, QString("None of the 1 record(s) holds a reading that can be read."));
        Options after;
        after.from = clockMsOf(QDateTime(QDate(2026, 12, 5), QTime(11, 0)));
        QVERIFY(!figuresOf(series({"1", "2"}), after, &error));
        QCOMPARE(error, QString("No records between 2026-12-05 11:00:00 and the end."));
    }

    // Durations rounded as a reader takes them in, shares near none and all, figures at the
    // meter's resolution in each unit.
    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QList<std::pair<qint64, const char*>> durations = {
            {0, "0 s"},
            {4'500, "4.5 s"},
            {59'960, "1 min 00 s"},
            {599'499, "9 min 59 s"},
            {599'500, "10 min"},
            {3'569'999, "59 min"},
            {(4 * 3600 + 58 * 60 + 52) * 1000LL, "4 h 59 min"},
            {86'370'000, "1 d 00 h 00 min"}};
        for (const auto& [ms, text] : durations)
            QTest::addRow("%lld ms", ms) << durationText(ms) << text;
        const QList<std::tuple<qint64, qint64, const char*>> shares = {
            {0, 10, "0 %"},           {1, 2001, "< 0.1 %"}, {1, 1000, "0.1 %"}, {1, 8, "12.5 %"},
            {1999, 2000, "> 99.9 %"}, {10, 10, "100 %"},    {1, 0, ""}};
        for (const auto& [part, whole, text] : shares)
            QTest::addRow("%lld of %lld", part, whole) << shareText(part, whole) << text;
        const QList<std::tuple<double, FigureUnit, double, QString>> figures = {
            {0.3, FigureUnit::MilliGauss, 0.1, "0.3 mG"},
            {0.3, FigureUnit::NanoTesla, 0.1, "30 nT"},
            {0.3, FigureUnit::MicroTesla, 0.1, "0.03 \u00b5T"},
            {3.2, FigureUnit::NanoTesla, 0.1, "320 nT"},
            {2000, FigureUnit::MilliGauss, 0.1, "2000.0 mG"},
            {1.234, FigureUnit::MilliGauss, 1, "1 mG"},
            {0.3, FigureUnit::MilliGauss, 0, "0.30 mG"}};
        for (const auto& [mg, unit, step, text] : figures)
            QTest::addRow("%s", qPrintable(text)) << figureText(mg, unit, step) << text;
    }
    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    // Levels typed by the user (bare: the table's unit) and alarm thresholds (a 0 is no level).
    void levels()
    {
        QList<double> got; // -1: refused
        for (const char* text : {"5", "2.5mG", "0.4 uT", ".3 \u00b5T", "-1mG", "5 kG", ""})
            got << parseLevel(QString::fromUtf8(text), Unit::MicroTesla)
                       .value_or(Level{{}, -1})
                       .milliGauss;
        QCOMPARE(got, (QList<double>{50, 2.5, 4, 3, -1, -1, -1}));
        const QList<Level> alarms =
            alarmLevels(QStringLiteral("20"), QStringLiteral("0"), Unit::MicroTesla);
        QCOMPARE(alarms.size(), 1);
        QCOMPARE(alarms[0].milliGauss, 200.0);
    }

    // The chart's scale, ticks and labels and the table's columns, as numbers.
    void valueAxis_data()
    {
        QTest::addColumn<double>("bulk");
        QTest::addColumn<QList<double>>("levels");
        QTest::addColumn<QList<double>>("topAndStep");
        QTest::addColumn<QList<bool>>("onChart");
        QTest::newRow("90: to 100 in twenties")
            << 90.0 << QList<double>{} << QList<double>{100, 20} << QList<bool>{};
        QTest::newRow("30.6: to 40 in tens, not 50")
            << 30.6 << QList<double>{} << QList<double>{40, 10} << QList<bool>{};
        QTest::newRow("a level within reach raises the top, one far above is left off")
            << 0.3 << QList<double>{0.4, 2.0} << QList<double>{0.5, 0.1}
            << QList<bool>{true, false};
        QTest::newRow("nothing to show")
            << 0.0 << QList<double>{} << QList<double>{1, 0.2} << QList<bool>{};
        QTest::newRow("only overloads: the levels set the scale")
            << 0.0 << QList<double>{5} << QList<double>{6, 2} << QList<bool>{true};
    }
    void valueAxis()
    {
        QFETCH(double, bulk);
        QFETCH(QList<double>, levels);
        QFETCH(QList<double>, topAndStep);
        QFETCH(QList<bool>, onChart);
        QList<bool> on;
        const report::ValueAxis axis = report::valueAxis(bulk, levels, &on);
        QCOMPARE(axis.top, topAndStep[0]);
        QVERIFY2(std::abs(axis.step - topAndStep[1]) < 1e-12,
                 qPrintable(QString::number(axis.step)));
        QCOMPARE(on, onChart);
    }

    // Spikes above the scale: one a run of columns, by its highest column, the highest first.
    void clippedPeaks_data()
    {
        const double none = qQNaN();
        QTest::addColumn<QList<double>>("highs");
        QTest::addColumn<QList<qsizetype>>("peaks");
        QTest::newRow("none above") << QList<double>{1, 5, 2} << QList<qsizetype>{};
        QTest::newRow("at the top is not above") << QList<double>{10, 3} << QList<qsizetype>{};
        QTest::newRow("a run, its highest column")
            << QList<double>{1, 12, 30, 11, 2} << QList<qsizetype>{2};
        QTest::newRow("two runs, the higher first")
            << QList<double>{12, 2, 50, 3, 20} << QList<qsizetype>{2, 4, 0};
        QTest::newRow("an empty column ends a run")
            << QList<double>{12, none, 15} << QList<qsizetype>{2, 0};
    }
    void clippedPeaks()
    {
        QFETCH(QList<double>, highs);
        QFETCH(QList<qsizetype>, peaks);
        QCOMPARE(report::clippedPeaks(highs, 10), peaks);
    }

    void timeTicks_data()
    {
        QTest::addColumn<QDateTime>("first");
        QTest::addColumn<QDateTime>("last");
        QTest::addColumn<QStringList>("ticks");
        const QDate day(2026, 12, 5);
        QTest::newRow("40 s: every 10 s")
            << QDateTime(day, QTime(10, 0)) << QDateTime(day, QTime(10, 0, 40))
            << QStringList{"10:00:00", "10:00:10", "10:00:20", "10:00:30", "10:00:40"};
        QTest::newRow("a night: on the even hours, not at 22:13")
            << QDateTime(day, QTime(22, 13, 17)) << QDateTime(day.addDays(1), QTime(6, 47, 2))
            << QStringList{"00:00", "02:00", "04:00", "06:00"};
        QTest::newRow("a day and a half: every 6 hours")
            << QDateTime(day, QTime(8, 0, 2)) << QDateTime(day.addDays(1), QTime(12, 46, 38))
            << QStringList{"12:00", "18:00", "00:00", "06:00", "12:00"};
        QTest::newRow("a year: every other month")
            << QDateTime(QDate(2026, 1, 1), QTime(0, 0))
            << QDateTime(QDate(2026, 12, 31), QTime(23, 0))
            << QStringList{"2026-01", "2026-03", "2026-05", "2026-07", "2026-09", "2026-11"};
        QTest::newRow("under a second: none")
            << QDateTime(day, QTime(10, 0, 0, 200)) << QDateTime(day, QTime(10, 0, 0, 700))
            << QStringList{};
    }
    void timeTicks()
    {
        QFETCH(QDateTime, first);
        QFETCH(QDateTime, last);
        QFETCH(QStringList, ticks);
        const report::TimeTicks got = report::timeTicks(*clockMsOf(first), *clockMsOf(last), 7);
        QStringList texts;
        for (const qint64 t : got.at)
            texts << clockTime(t).toString(report::tickFormat(got));
        QCOMPARE(texts, ticks);
    }

    void spreadLabels_data()
    {
        QTest::addColumn<QList<double>>("wanted");
        QTest::addColumn<QList<double>>("placed"); // 9 apart, within 5..100
        QTest::newRow("apart already") << QList<double>{10, 50} << QList<double>{10, 50};
        QTest::newRow("two close: apart around their middle")
            << QList<double>{50, 52} << QList<double>{46.5, 55.5};
        QTest::newRow("their order kept, whatever the order given")
            << QList<double>{52, 50} << QList<double>{55.5, 46.5};
        QTest::newRow("pushed up from the bottom")
            << QList<double>{95, 96} << QList<double>{91, 100};
        QTest::newRow("a stack at the top stays inside")
            << QList<double>{0, 0, 0} << QList<double>{5, 14, 23};
        QTest::newRow("a chain joined twice")
            << QList<double>{10, 18, 26} << QList<double>{9, 18, 27};
    }
    void spreadLabels()
    {
        QFETCH(QList<double>, wanted);
        QFETCH(QList<double>, placed);
        QCOMPARE(report::spreadLabels(wanted, 9, 5, 100), placed);
    }

    void flowAndColumns()
    {
        using P = report::FlowPlace;
        QCOMPARE(report::flowRows({100, 100, 100}, 250, 10), (QList<P>{{0, 0}, {110, 0}, {0, 1}}));
        QCOMPARE(report::flowRows({300, 50}, 250, 10), (QList<P>{{0, 0}, {0, 1}}));
        // The names (column 0) take what the others leave; when that is too little, the others
        // give alike.
        QCOMPARE(report::columnWidths({50, 40, 30}, 200, 10, 0, 60), (QList<double>{110, 40, 30}));
        QCOMPARE(report::columnWidths({50, 100, 100}, 200, 10, 0, 60), (QList<double>{60, 60, 60}));
    }

    // The unit of the figures: by name, or from the locale (mG where it measures in US units).
    void reportUnits()
    {
        QCOMPARE(figureUnitText(*reportUnitNamed(u"uT")), QString("\u00b5T"));
        QCOMPARE(reportUnitNamed(u" nT"), ReportUnit::NanoTesla);
        QVERIFY(!reportUnitNamed(u"kG"));
        const QLocale before;
        QLocale::setDefault(QLocale("en_US"));
        const ReportUnit us = localeUnit();
        QLocale::setDefault(QLocale("de_DE"));
        const ReportUnit de = localeUnit();
        QLocale::setDefault(before);
        QCOMPARE(us, ReportUnit::MilliGauss);
        QCOMPARE(de, ReportUnit::MicroTesla);
    }

    void textFontsAndLevelLine()
    {
        const QString pdf = dir.filePath("survey.pdf");
        QString error;
        ReportLayout layout;
        QVERIFY2(write(pdf, SurveyRows, request(), &error, &layout), qPrintable(error));
        QCOMPARE(layout.pages, 2);
        QCOMPARE(layout.chartPage, 1);
        const QString text = run("pdftotext", {"-layout", pdf, "-"}).simplified();
        for (const QString& expected : QStringList{
                 "Survey of Flat 3", "12 Example Road, Bedroom, bed head", "Client J. Client",
                 "Measured by A. Tester, Example Ltd",
                 "Period 2026-12-05 10:00:00 +01:00 to 2026-12-05 10:00:40 +01:00 (40 s)",
                 "Instrument 4627 Frequency range 16 Hz - 2 kHz",
                 "Serial / ID ID code 12 Axes 3-D (isotropic)",
                 "Calibrated 2026-01-15 Mains frequency 50 Hz",
                 "10:00:00 10:00:10 10:00:20 10:00:30 10:00:40", // the time axis
                 "Time of the meter's clock, UTC+01:00 (CET)", "Lowest 10 mG", "Highest 90 mG",
                 "Mean 50 mG", "Median (typical) 50 mG", "Overloads (OL) 1, not in the figures",
                 // 20 readings of 90 and the overload at 1 s each, from 10:00:20
                 "Your level: 50 mG 50 mG 21 s 51.2 % 21 s 2026-12-05 10:00:20 +01:00",
                 "SBM-2015: 20 nT, slight", "Readings", "Overload (OL)",
                 "Source: ICNIRP, Guidelines for limiting exposure",
                 "Source: Standard of Building Biology Testing Methods SBM-2015",
                 "Far above the chart: ICNIRP 2010: 200 µT", "flat3.txt",
                 "Mean 50 mG (overloads, OL, left out): above the IARC 2002 epidemiological level "
                 "(3 mG to 4 mG).",
                 QString(64, u'a'),
                 "Place and date Exampleton, " + QDate::currentDate().toString(Qt::ISODate),
                 "Signature, A. Tester", "Page 1 of 2", "Page 2 of 2"})
            QVERIFY2(text.contains(expected), qPrintable(expected + "\n--- not in ---\n" + text));
        // The value axis in twenties, in the report's unit.
        QVERIFY2(text.contains(
                     QRegularExpression("The whole period mG 100 80 60 .*40 .*20 .*0 10:00:00")),
                 qPrintable(text));
        // The site and the location head the report and are not repeated below.
        QCOMPARE(text.count("12 Example Road"), 1);
        QCOMPARE(text.count("Bedroom, bed head"), 1);

        // Every font is embedded, so the report reads the same on the client's computer.
        const QStringList fonts = run("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& line : fonts)
            QVERIFY2(line.simplified().split(' ').contains("yes"), qPrintable(line));

        // The axis goes to 100 mG, the 50 mG line halfway up; at 72 dpi a pixel is a point.
        QCOMPARE(layout.yMaximum, 100.0);
        run("pdftoppm", {"-r", "72", "-f", "1", "-l", "1", "-png", pdf, dir.filePath("page")});
        const QImage page(dir.filePath("page-1.png"));
        // Columns from x0 to x1 with a pixel of the colour within one row of y.
        const auto columns = [](const QImage& image, double x0, double x1, int y, auto colour) {
            int n = 0;
            for (int x = int(x0); x < int(x1); ++x)
                n += colour(image.pixelColor(x, y - 1)) || colour(image.pixelColor(x, y)) ||
                     colour(image.pixelColor(x, y + 1));
            return n;
        };
        // The own level's line is the first level's: solid, vermilion.
        const auto vermilion = [](QColor c) {
            return c.red() > 180 && c.green() > 60 && c.green() < 130 && c.blue() < 60;
        };
        const auto blue = [](QColor c) { return c.blue() - c.red() > 30; };
        const int middle = int(layout.plot.top() + layout.plot.height() / 2);
        QVERIFY(columns(page, layout.plot.left(), layout.plot.right(), middle, vermilion) >
                layout.plot.width() / 2);
        // Without levels the chart holds only the trace, from 10 to 90 mG: nothing of it at 5 mG,
        // where a column drawn from 0 would be.
        ReportRequest bare = request();
        bare.references.clear();
        bare.ownLevels.clear();
        QVERIFY(write(pdf, SurveyRows, bare, nullptr, &layout));
        run("pdftoppm", {"-r", "72", "-f", "1", "-l", "1", "-png", pdf, dir.filePath("bare")});
        const QImage barePage(dir.filePath("bare-1.png"));
        const int y5 = int(layout.plot.bottom() - layout.plot.height() / 20);
        QCOMPARE(columns(barePage, layout.plot.left() + 2, layout.plot.right(), y5, blue), 0);
        // The first 20 readings, at 10 mG, draw the trace along the first half of the chart.
        const int y10 = int(layout.plot.bottom() - layout.plot.height() / 10);
        const int trace =
            columns(barePage, layout.plot.left(), layout.plot.center().x(), y10, blue);
        QVERIFY2(trace > layout.plot.width() / 3, qPrintable(QString::number(trace)));
        // A level up to four times the highest reading is drawn: the axis reaches above it.
        bare.ownLevels = {{"Four times the highest", 360}};
        QVERIFY(write(pdf, SurveyRows, bare, nullptr, &layout));
        QCOMPARE(layout.yMaximum, 400.0);
    }

    // A night between 1 and 2 mG with two spikes: the scale holds the night, the spikes are
    // clipped, marked and named, the highest with its own time.
    void spikesClippedAndNamed()
    {
        QStringList rows;
        for (int i = 0; i < 600; ++i) {
            const QString value = i == 300   ? "50.0"
                                  : i == 450 ? "20.0"
                                  : i == 500 ? "OL"
                                  : i % 2    ? "1.0"
                                             : "2.0";
            rows << QStringLiteral("%1\t26/12/05\t%2\t%3\tmG\t\t")
                        .arg(i + 1)
                        .arg(QTime(22, 0).addSecs(i).toString("HH:mm:ss"), value);
        }
        ReportRequest r = request();
        r.references.clear();
        r.ownLevels.clear();
        const QString pdf = dir.filePath("spikes.pdf");
        ReportLayout layout;
        QVERIFY(write(pdf, rows, r, nullptr, &layout));
        QCOMPARE(layout.yMaximum, 2.5);
        const QString text = run("pdftotext", {"-layout", pdf, "-"}).simplified();
        for (const QString& expected :
             {QString("The scale, 0 to 2.5 mG, holds 99.5 % of the readings (up to 2.0 mG)"),
              QString("2 stretch(es) of readings above it are clipped and marked on the top "
                      "edge, the highest: 50.0 mG at "
                      "2026-12-05 22:05:00 +01:00; 20.0 mG near 2026-12-05 22:07:"),
              QString("Reading above the scale"),
              QString("Overloads (OL) are marked on the top edge.")})
            QVERIFY2(text.contains(expected), qPrintable(expected + "\n--- not in ---\n" + text));
        QVERIFY(!text.contains("broken at gaps")); // one unbroken night
    }

    // However long the notes push the rest down and however long the conclusion runs, on either
    // paper, no page ends with a heading, nothing but the footer runs into the margins (long
    // lines wrap), and every page says which of how many it is.
    void headingsKeptWithWhatFollows()
    {
        const QStringList headings = {
            "Instrument and method", "Figures (mG)",    "The whole period",
            "Time above each level", "Assessment",      "Conclusion",
            "Recommendations",       "Signature",       "Gaps and clock changes",
            "Overloads (OL)",        "Reference levels"};
        ReportRequest r = request();
        r.recommendations = "Move the bed.";
        const QString pdf = dir.filePath("headings.pdf");
        const QRegularExpression word("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"|"
                                      "<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\" "
                                      "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<");
        const QString longLine = QStringList(12, "a line of the conclusion").join(", ");
        for (const PaperSize paper : {PaperSize::A4, PaperSize::Letter}) {
            r.paper = paper;
            for (int lines = 0; lines < 40; lines += 2) {
                r.details.notes = QStringList(lines, "A line of notes.").join('\n');
                r.conclusion = QStringList(lines + 1, longLine).join('\n');
                QVERIFY(write(pdf, SurveyRows, r));
                const QString where = QString("%1 lines of notes").arg(lines);
                const QStringList pages = pageTexts(pdf);
                for (qsizetype i = 0; i < pages.size(); ++i) {
                    QStringList rows = pages[i].split('\n');
                    rows.removeIf([](const QString& row) { return row.trimmed().isEmpty(); });
                    QVERIFY(rows.size() >= 2);
                    QVERIFY2(
                        rows.last().contains(QString("Page %1 of %2").arg(i + 1).arg(pages.size())),
                        qPrintable(where + ": " + rows.last()));
                    QVERIFY2(!headings.contains(rows[rows.size() - 2].trimmed()),
                             qPrintable(where + ": a page ends with " + rows[rows.size() - 2]));
                }
                // The text area ends 50 points from the page's edges; the footer's top is 22
                // points below it.
                double width = 0, height = 0;
                for (auto m = word.globalMatch(run("pdftotext", {"-bbox", pdf, "-"}));
                     m.hasNext();) {
                    const auto w = m.next();
                    if (!w.captured(1).isEmpty()) {
                        width = w.captured(1).toDouble();
                        height = w.captured(2).toDouble();
                        continue;
                    }
                    const bool bottom = w.captured(5).toDouble() > height - 49;
                    QVERIFY2((!bottom || w.captured(3).toDouble() > height - 30) &&
                                 w.captured(4).toDouble() < width - 49,
                             qPrintable(where + ": " + w.captured(6) + " in the margin"));
                }
            }
        }
    }

    void recordsFollowOnMorePages()
    {
        QStringList rows;
        for (int i = 0; i < 400; ++i)
            rows << QStringLiteral("%1\t26/12/05\t%2\t%3\tuT\t \t")
                        .arg(i + 1)
                        .arg(QTime(10, 0).addSecs(2 * i).toString("HH:mm:ss"))
                        .arg(0.01 * (i % 50), 0, 'f', 2);
        ReportRequest r = request();
        r.includeRecords = true;
        r.options.from = clockMsOf(QDateTime(QDate(2026, 12, 5), QTime(10, 0, 10)));
        const QString pdf = dir.filePath("records.pdf");
        ReportLayout layout;
        QVERIFY(write(pdf, rows, r, nullptr, &layout));
        // 395 records from 10:00:10 on, about 130 on a page, after the two pages of the report.
        QCOMPARE(layout.pages, 5);
        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.contains("Records, times UTC+01:00 (CET)"));
        QVERIFY(text.contains(QRegularExpression("\\b6\\s+2026-12-05\\s+10:00:10\\s+0.05\\s+uT")));
        QVERIFY(
            text.contains(QRegularExpression("\\b400\\s+2026-12-05\\s+10:13:18\\s+0.49\\s+uT")));
        QVERIFY(!text.contains("10:00:08"));
        QVERIFY(text.contains(QRegularExpression("Your level: 50 mG .* 0 ?% +none\\n")));

        // A table that stops short says how many records the files hold besides.
        r.recordsAtMost = 100;
        QVERIFY(write(pdf, rows, r, nullptr, &layout));
        QCOMPARE(layout.pages, 3);
        const QString cut = run("pdftotext", {"-layout", "-f", "3", pdf, "-"}).simplified();
        QVERIFY2(cut.contains("The first 100 records of the period; 295 more are in the record "
                              "files named above."),
                 qPrintable(cut));
        QVERIFY(cut.contains(QRegularExpression("\\b105\\s+2026-12-05\\s+10:03:28")));
        QVERIFY(!cut.contains("10:03:30"));
        r.recordsAtMost = MaxTableRecords;

        // 41 records fill part of one column: one heading, none over an empty column.
        QVERIFY(write(pdf, SurveyRows, r));
        const QString one = run("pdftotext", {"-layout", "-f", "3", pdf, "-"});
        QCOMPARE(one.count(QRegularExpression("No\\.\\s+Date\\s+Time")), 1);
    }

    void unwritableLeavesNoFile()
    {
        QString error;
        const QString missing = dir.filePath("no/such/folder/report.pdf");
        QVERIFY(!write(missing, SurveyRows, request(), &error));
        QVERIFY2(error.contains(missing), qPrintable(error));
        QTemporaryDir full; // a disk that fills while the report is written
        {
            const test::FileSizeLimit limit(4096);
            QVERIFY(!write(full.filePath("report.pdf"), SurveyRows, request(), &error));
        }
        QVERIFY2(error.contains("cannot be written"), qPrintable(error));
        QVERIFY(!write(full.filePath("empty.pdf"), {}, request(), &error));
        QCOMPARE(error, QString("No report: There are no records."));
        QCOMPARE(QDir(full.path()).entryList(QDir::Files), QStringList());
    }

    // What the panel knows of the meter goes into a report on records read from the meter (the
    // live table), never into one on a file.
    void meterFactsOnlyForRecordsFromTheMeter_data()
    {
        QTest::addColumn<bool>("live");
        QTest::addColumn<QString>("model");
        QTest::newRow("live table") << true << "4627";
        QTest::newRow("file list") << false << "";
    }
    void meterFactsOnlyForRecordsFromTheMeter()
    {
        QFETCH(bool, live);
        QFETCH(QString, model);
        openReportsFromTables([] { return MeterFacts{"4627", {{"Your high alarm: 5 mG", 5}}}; });
        const auto restore = qScopeGuard([] { openReportsFromTables(); });
        std::unique_ptr<RecordTableWindow> table;
        if (live)
            table = std::make_unique<RealTimeList>();
        else
            table = std::make_unique<FileList>();
        QStringList fields;
        QTimer::singleShot(0, table.get(), [&] {
            if (auto* dialog = table->findChild<ReportDialog*>("ReportDialog")) {
                fields << fieldText(*dialog, "TxtModel") << fieldText(*dialog, "TxtLevels");
                dialog->reject();
            }
        });
        table->findChild<QAction*>("Report")->trigger();
        QCOMPARE(fields.size(), 2);
        QCOMPARE(fields[0], model);
        QCOMPARE(fields[1] == "5 mG", live);
    }

    // The report names the file and its SHA-256; a refusal is said and leaves the dialog open.
    void reportFromTheFileList()
    {
        const QByteArray bytes = tableFileBytes(SurveyRows);
        const QString record = dir.filePath("flat3.txt");
        QVERIFY(test::writeFile(record, bytes));
        test::ScriptedDialogs dialogs; // before anything that may show a message
        FileList list;
        QVERIFY(loadRecordFile(list, record));
        const QString pdf = dir.filePath("fromlist.pdf");
        dialogs.fileAnswers << std::nullopt << dir.filePath("no/such/folder.pdf") << pdf;
        QTimer::singleShot(0, [&] {
            auto* dialog = list.findChild<ReportDialog*>("ReportDialog");
            QVERIFY(dialog);
            QVERIFY(!dialog->write()); // the file dialog cancelled: nothing written, nothing said
            QVERIFY(dialogs.messages.isEmpty());
            type(*dialog, "TxtSite", "Example Road 12");
            type(*dialog, "TxtLevels", "0.5 uT");
            const bool refused = !dialog->write(); // said, and the dialog stays open
            if (!dialog->write())
                dialog->reject(); // it stays open after a failure: end it, the test fails below
            QVERIFY(refused);
            QCOMPARE(dialogs.messages.size(), 1);
            QCOMPARE(dialog->findChild<QLabel*>("LblData")->text(),
                     QString("flat3.txt, 41 record(s)"));
            // Every field of every page is laid out (beside its caption) and has a name for a
            // screen reader.
            auto* pages = dialog->findChild<QTabWidget*>("TabPages");
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                const QRegularExpression field("^(Txt|Cbo|Lst|Chk)");
                for (const QWidget* w : pages->widget(i)->findChildren<QWidget*>(field))
                    QVERIFY2(w->x() > 0 && !w->accessibleName().isEmpty(),
                             qPrintable(w->objectName()));
            }
            const QWidget* button = dialog->findChild<QWidget*>("CmdWrite");
            QVERIFY(button->mapTo(dialog, QPoint()).y() > pages->geometry().bottom());
        });
        list.findChild<QAction*>("Report")->trigger();
        const QString text = run("pdftotext", {pdf, "-"});
        QVERIFY(text.contains("Example Road 12"));
        QVERIFY(text.contains("flat3.txt"));
        QVERIFY(text.contains(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()));
        QVERIFY(text.contains("Your level: 0.5 µT"));
    }

    // The user's own details come back in the next report's dialog; a client's never do.
    void rememberedOrEmptyNextTime_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("kept");
        const std::tuple<const char*, const char*, bool> rows[] = {
            {"TxtTitle", "Night survey", true},
            {"TxtOperator", "A. Tester", true},
            {"TxtCompany", "Example Ltd", true},
            {"TxtPlace", "Exampleton", true},
            {"TxtMethod", "On the pillow.", true},
            {"TxtLevels", "2 mG", true},
            {"CboUnit", "nT", true},
            {"CboMains", "60 Hz", true},
            {"TxtSite", "12 Example Road", false},
            {"TxtClient", "J. Client", false},
            {"TxtLocation", "Bedroom", false},
            {"TxtNotes", "Heating on.", false},
            {"TxtConclusion", "Low.", false},
            {"TxtRecommendations", "None.", false}};
        for (const auto& [field, typed, kept] : rows)
            QTest::newRow(field) << field << typed << kept;
    }
    void rememberedOrEmptyNextTime()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, kept);
        const ReportSource source = sourceOf("flat3.txt");
        reportSettings().setValue("report/site", "kept by an earlier version");
        ReportDialog first(source);
        type(first, field, typed);
        QString error;
        QVERIFY2(first.writeTo(dir.filePath("remembered.pdf"), &error), qPrintable(error));
        const ReportDialog next(source);
        QCOMPARE(fieldText(next, field), kept ? typed : QString());
        QVERIFY(!reportSettings().contains("report/site"));
    }

    // An instrument's calibration date and the like are typed once: they come back with its
    // model and ID code, whichever set of the meter's is reported on.
    void instrumentRememberedByName()
    {
        ReportSource source = sourceOf("Data List");
        source.fromMeter = true;
        const auto dialogFor = [&](const QString& id, const QString& model) {
            source.meter = id;
            return std::make_unique<ReportDialog>(source, nullptr, MeterFacts{model, {}});
        };
        for (const auto& [id, calibrated] :
             {std::pair{"ID code 12", "2026-01-15"}, std::pair{"ID code 7", "2025-06-01"}}) {
            const auto dialog = dialogFor(id, "4627");
            type(*dialog, "TxtCalibrated", calibrated);
            type(*dialog, "CboAxes", "3-D (isotropic)");
            QVERIFY(dialog->writeTo(dir.filePath("instrument.pdf")));
        }
        QStringList got;
        for (const char* id : {"ID code 12", "ID code 7", "ID code 9"}) {
            const auto dialog = dialogFor(id, "4627");
            got << fieldText(*dialog, "TxtModel") + ", " + fieldText(*dialog, "TxtSerial") + ", " +
                       fieldText(*dialog, "TxtCalibrated") + ", " + fieldText(*dialog, "CboAxes");
        }
        QCOMPARE(got, (QStringList{"4627, ID code 12, 2026-01-15, 3-D (isotropic)",
                                   "4627, ID code 7, 2025-06-01, 3-D (isotropic)",
                                   "4627, ID code 9, , not said"}));
        // A file says nothing of its meter: the instrument last used, or one chosen from the list.
        ReportDialog file(sourceOf("a.txt"));
        QCOMPARE(fieldText(file, "TxtSerial"), QString("ID code 7"));
        auto* list = file.findChild<QComboBox*>("CboInstrument");
        const int other = list->findText("4627 ID code 12");
        list->setCurrentIndex(other);
        emit list->activated(other);
        QCOMPARE(fieldText(file, "TxtCalibrated"), QString("2026-01-15"));

        const auto dialog = dialogFor("ID code 12", "4627");
        type(*dialog, "TxtCalibrated", "15.01.2026");
        QString error;
        QVERIFY(!dialog->writeTo(dir.filePath("instrument.pdf"), &error));
        QCOMPARE(error, QString("\"15.01.2026\" is not a calibration date such as 2026-01-15."));
    }

    // The command line writes what the dialog writes for the same choices, and takes the
    // instrument the dialog remembered.
    void commandLineWritesWhatTheDialogWrites()
    {
        const QString record = dir.filePath("flat3.txt");
        QVERIFY(test::writeFile(record, tableFileBytes(SurveyRows)));
        ReportDialog dialog(sourceOf("flat3.txt", record));
        QStringList args = {"report",    record,        "--out",     dir.filePath("cli.pdf"),
                            "--records", "--reference", "icnirp1998"};
        for (const auto& [field, text, option, value] : SameChoices) {
            if (field)
                type(dialog, field, text);
            if (option)
                args << option << value;
        }
        auto* list = dialog.findChild<QListWidget*>("LstReferences");
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(
                list->item(i)->data(Qt::UserRole) == "icnirp1998" ? Qt::Checked : Qt::Unchecked);
        dialog.findChild<QCheckBox*>("ChkRecords")->setChecked(true);
        // The list names the level of the mains frequency chosen.
        QVERIFY(!list->findItems("ICNIRP 1998 and EU Council Recommendation 1999/519/EC, 60 Hz",
                                 Qt::MatchExactly)
                     .isEmpty());
        QString error;
        QVERIFY2(dialog.writeTo(dir.filePath("dialog.pdf"), &error), qPrintable(error));

        // The instrument the dialog has just remembered.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("settings")));
        const auto cli = test::runCli(args);
        QCOMPARE(cli.err, QString());
        QCOMPARE(cli.status, 0);
        // The same text but for the minute each was written in.
        const auto text = [](const QString& pdf) {
            return run("pdftotext", {"-layout", pdf, "-"})
                .replace(QRegularExpression("Report written +\\S+ \\S+ \\S+"), "Report written");
        };
        const QString fromDialog = text(dir.filePath("dialog.pdf"));
        QVERIFY(fromDialog.contains(QRegularExpression("Calibrated +2026-01-15")));
        QVERIFY(fromDialog.contains("Level: 83333.3 nT."));
        QCOMPARE(text(dir.filePath("cli.pdf")), fromDialog);
    }

    // ICNIRP 1998 at the mains frequency (5/f mT), ICNIRP 2010 for workers, the bands' edition.
    void publishedLevels()
    {
        const Reference* at50 = findReference(u"icnirp1998");
        const Reference* at60 = findReference(u"ICNIRP1998", Mains::Hz60);
        QCOMPARE(QList<double>({at50->lines[0].milliGauss, at60->lines[0].milliGauss,
                                findReference(u"icnirp2010occupational")->lines[0].milliGauss}),
                 (QList<double>{1000, 5000.0 / 6, 10000}));
        QVERIFY(at60->name.endsWith("60 Hz") && at60->source.contains("83.3 µT at 60 Hz"));
        QVERIFY(findReference(u"buildingbiology")->name.endsWith("SBM-2015"));
    }

    void assessmentSentence_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QStringList>("readings"); // mG, one a second
        QTest::addColumn<QString>("sentence");     // figures in nT for the bands, else in µT
        const QString sbm = ": %1 anomaly by the building-biology bands for sleeping areas, "
                            "SBM-2015.";
        // A value on a band's edge belongs to the band above it ("below 20 nT": 20 is slight).
        const QList<std::tuple<const char*, QStringList, QString>> bands = {
            {"15 nT", {"0.15"}, "15 nT" + sbm.arg("no")},
            {"20 nT, the edge", {"0.2"}, "20 nT" + sbm.arg("slight")},
            {"50 nT", {"0.5"}, "50 nT" + sbm.arg("slight")},
            {"100 nT, the edge", {"1.0"}, "100 nT" + sbm.arg("severe")},
            {"500 nT, the edge", {"5"}, "500 nT" + sbm.arg("extreme")},
            {"800 nT", {"8"}, "800 nT" + sbm.arg("extreme")},
            // The 95th percentile (330 nT), not the mean (69 nT), median or maximum (900 nT).
            {"percentile of a spread", QStringList(18, "0.1") + QStringList{"3", "9"},
             "330 nT" + sbm.arg("severe")}};
        for (const auto& [name, readings, sentence] : bands)
            QTest::addRow("bands, %s", name)
                << "buildingbiology" << readings << "95th percentile " + sentence;
        const QString iarc = " the IARC 2002 epidemiological level (0.30 µT to 0.40 µT).";
        QTest::newRow("IARC, mean above, overload apart")
            << "iarc2002" << QStringList{"1", "9", "OL"}
            << "Mean 0.50 µT (overloads, OL, left out): above" + iarc;
        QTest::newRow("IARC, mean within")
            << "iarc2002" << QStringList{"3.5"} << "Mean 0.35 µT: within" + iarc;
        // 0.2996 µT is printed as 0.30 µT: the sentence says what its figures say.
        QTest::newRow("IARC, printed as the level")
            << "iarc2002" << QStringList{"2.992", "3"} << "Mean 0.30 µT: within" + iarc;
        QTest::newRow("IARC, below")
            << "iarc2002" << QStringList{"2.9"} << "Mean 0.29 µT: below" + iarc;
        QTest::newRow("IARC, only overloads")
            << "iarc2002" << QStringList{"OL"}
            << "Mean: none, every reading is an overload (OL); no assessment by the IARC 2002 "
               "epidemiological level.";
        const QString icnirp = "the ICNIRP 2010 general-public reference level (200.00 µT)";
        QTest::newRow("ICNIRP, maximum") << "icnirp2010" << QStringList{"30", "1"}
                                         << "Maximum 3.00 µT: 1.5 % of " + icnirp + ".";
        QTest::newRow("ICNIRP occupational, a small share")
            << "icnirp2010occupational" << QStringList{"0.5"}
            << "Maximum 0.05 µT: < 0.01 % of the ICNIRP 2010 occupational reference level "
               "(1000.00 µT).";
        QTest::newRow("ICNIRP, above") << "icnirp2010" << QStringList{"3000"}
                                       << "Maximum 300.00 µT: above " + icnirp + ", 150 % of it.";
        // An overload may be anything from the range top (19.99 µT) up: never "below".
        QTest::newRow("ICNIRP, overload")
            << "icnirp2010" << QStringList{"1", "OL"}
            << "Maximum at least 19.99 µT (an overload, OL): it may exceed " + icnirp +
                   "; an overload says only that the field reached the top of its range or "
                   "beyond.";
        QTest::newRow("ICNIRP occupational, overload above the range top")
            << "icnirp2010occupational" << QStringList{"12000", "OL"}
            << "Maximum at least 1200.00 µT (an overload, OL): above the ICNIRP 2010 occupational "
               "reference level (1000.00 µT).";
    }
    void assessmentSentence()
    {
        QFETCH(QString, reference);
        QFETCH(QStringList, readings);
        QFETCH(QString, sentence);
        const Reference* ref = findReference(reference);
        const auto st = figuresOf(series(readings), {});
        QVERIFY(ref && st);
        const bool nano = !ref->bands.isEmpty();
        QCOMPARE(assessment(*ref, *st,
                            [nano](double mG) {
                                return nano ? QString::number(mG * 100, 'f', 0) + " nT"
                                            : QString::number(mG / 10, 'f', 2) + " µT";
                            }),
                 sentence);
    }

    // A user's reference file: refused whole at its first fault, named by its line.
    void referenceFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error"); // empty: read
        const QByteArray head = "# A set of my own\r\nkey orni\nname Swiss ORNI\nsource SR 814.710"
                                "\nstatistic maximum\n";
        QTest::newRow("levels") << head + "level 1 µT Limit\nlevel 400 nT Precaution\n"
                                << QString();
        QTest::newRow("bands") << head + "band 0 mG none\nband 2 mG some\nband 1 mT much\n"
                               << QString();
        QTest::newRow("unknown keyword") << head + "levle 1 uT Limit\n"
                                         << "line 6: unknown keyword 'levle'";
        QTest::newRow("bad number") << head + "level 1,5 uT Limit\n"
                                    << "line 6: '1,5' is not a number";
        QTest::newRow("unit") << head + "level 1 kG Limit\n"
                              << "line 6: unknown unit 'kG'";
        QTest::newRow("zero") << head + "level 0 uT Limit\n"
                              << "line 6: a level lies above 0";
        QTest::newRow("no name") << head + "level 1 uT\n"
                                 << "line 6: a level line is";
        QTest::newRow("published key") << QByteArray("key ICNIRP2010\n")
                                       << "line 1: 'ICNIRP2010' is the key of a published set";
        QTest::newRow("second name") << head + "name Again\n"
                                     << "line 6: a second 'name' line";
        QTest::newRow("statistic")
            << QByteArray("statistic average\n") << "line 1: unknown statistic 'average'";
        QTest::newRow("no levels") << head << "no level line and no band line";
        QTest::newRow("no source")
            << QByteArray("key a\nname b\nstatistic mean\nlevel 1 mG c\n") << "no 'source' line";
        QTest::newRow("levels and bands") << head + "level 1 uT Limit\nband 0 nT none\n"
                                          << "line 7: a set has level lines";
        QTest::newRow("first band above 0") << head + "band 20 nT slight\n"
                                            << "line 6: the first band starts at 0";
        QTest::newRow("bands falling") << head + "band 0 nT none\nband 20 nT a\nband 10 nT b\n"
                                       << "line 8: a band starts above the band before it";
        QTest::newRow("one band") << head + "band 0 nT none\n"
                                  << "one band alone";
        QTest::newRow("not UTF-8") << head + "name \xff\n"
                                   << "line 6: not UTF-8 text";
        QTest::newRow("eleven levels") << head + QByteArray("level 1 mG x\n").repeated(11)
                                       << "line 16: more than 10 levels or bands";
        QTest::newRow("too large") << QByteArray(64 * 1024 + 1, '#') << "larger than 64 KiB";
    }
    void referenceFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        QString why;
        const auto set = parseReferenceFile(text, &why);
        QCOMPARE(why.isEmpty() ? QString() : why.left(error.size()), error);
        QCOMPARE(set.has_value(), error.isEmpty());
        if (!set)
            return;
        QCOMPARE(set->statistic, Statistic::Maximum);
        if (set->bands.isEmpty()) // rising, in mG
            QCOMPARE(QList<double>({set->lines[0].milliGauss, set->lines[1].milliGauss}),
                     (QList<double>{4, 10}));
        else // an overload is in the top band, or at least in the band of the range top
            for (const auto& [readings, sentence] :
                 {std::pair{QStringList{"1", "OL"},
                            QString("Maximum at least 199.9 mG (an overload, OL): at least some "
                                    "by Swiss ORNI; an overload says only that the field "
                                    "reached the top of its range or beyond.")},
                  {QStringList{"12000", "OL"},
                   QString("Maximum at least 12000 mG (an overload, OL): much by Swiss ORNI.")}})
                QCOMPARE(assessment(*set, *figuresOf(series(readings), {}),
                                    [](double v) { return QString::number(v) + " mG"; }),
                         sentence);
    }

    // The dialog offers the user's sets and names a refused file; stats and the report use them
    // by key, and the assessment by their declared statistic.
    void userReferences()
    {
        const QString home = dir.filePath("data");
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.toUtf8());
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", before); });
        const QString folder = userReferenceFolder();
        QVERIFY(folder.startsWith(home) && QDir().mkpath(folder));
        QVERIFY(test::writeFile(folder + "/mine.txt",
                                "key mine\nname My bands\nsource Me\nstatistic median\n"
                                "band 0 mG low\nband 5 mG high\n"));
        QVERIFY(test::writeFile(folder + "/broken.txt", "key broken\nunit mG\n"));
        ReportDialog dialog(ReportSource{}, nullptr);
        QStringList keys;
        auto* list = dialog.findChild<QListWidget*>("LstReferences");
        for (int i = 0; i < list->count(); ++i)
            keys << list->item(i)->data(Qt::UserRole).toString();
        QVERIFY2(keys.endsWith("mine") && !keys.contains("broken"), qPrintable(keys.join(' ')));
        QCOMPARE(dialog.findChild<QLabel*>("LblRefusedReferences")->text(),
                 "Reference file " + folder +
                     "/broken.txt, line 2: unknown keyword 'unit' (key, "
                     "name, source, meaning, statistic, level or band)");

        // The median (1 mG) decides, not the maximum (9 mG).
        const auto st = figuresOf(series({"1", "1", "9"}), {});
        const auto mG = [](double v) { return QString::number(v) + " mG"; };
        QCOMPARE(assessment(*findReference(u"MINE"), *st, mG),
                 QString("Median 1 mG: low by My bands."));
        // A second file may not take a key that is taken; the same file loaded again replaces.
        QString error;
        QVERIFY(test::writeFile(dir.filePath("other.txt"), test::fileBytes(folder + "/mine.txt")));
        QVERIFY(!loadReferenceFile(dir.filePath("other.txt"), &error));
        QVERIFY2(error.endsWith("the key 'mine' is taken by " + folder + "/mine.txt"),
                 qPrintable(error));
        QVERIFY(loadReferenceFile(folder + "/mine.txt", &error));
        QCOMPARE(references().size(), keys.size());
    }

    // Every point in both sessions with its figures, band and change; the plan's markers in their
    // band's colour; a page for each long recording; the command line writes the same.
    void projectReport()
    {
        const survey::Survey s = projectSurvey();
        const QString pdf = dir.filePath("project.pdf");
        QString error;
        survey::ProjectReportLayout layout;
        QVERIFY2(survey::writeProjectReport(pdf, s, &error, &layout), qPrintable(error));
        const QString text = reportText(pdf);
        const auto has = [&text](const QString& pattern) {
            return text.contains(QRegularExpression(pattern));
        };
        for (int i = 0; i < 9; ++i) {
            const QString before =
                QString("%1 +%2 +before +%3 +%4 +%5 +%6")
                    .arg(i + 1)
                    .arg(PointNames[i], uT(1.2 * BaseBefore[i]), uT(3 * BaseBefore[i]),
                         uT(2.1 * BaseBefore[i]), Bands[bandOf(2.1 * BaseBefore[i])]);
            const QString after =
                QString(" +after +%1 +%2 +%3 +%4")
                    .arg(uT(1.2 * BaseAfter[i]), uT(3 * BaseAfter[i]), uT(2.1 * BaseAfter[i]),
                         Bands[bandOf(2.1 * BaseAfter[i])]);
            const double change = (BaseAfter[i] - BaseBefore[i]) / BaseBefore[i] * 100;
            const QString changed =
                QString(" +Change before \u2192 after, 95th percentile: %1%2 \\(%3 %\\); band %4 "
                        "\u2192 %5")
                    .arg(change > 0 ? "\\+" : "", uT(2.1 * (BaseAfter[i] - BaseBefore[i])),
                         (change > 0 ? "\\+" : "") + QString::number(change, 'f', 0),
                         Bands[bandOf(2.1 * BaseBefore[i])], Bands[bandOf(2.1 * BaseAfter[i])]);
            QVERIFY2(has(before + "\n" + after + "\n" + changed),
                     qPrintable(before + after + changed));
        }
        QVERIFY(
            has("10 +Night bed +before +0.04 \u00B5T +0.05 \u00B5T +0.05 \u00B5T +slight anomaly"));
        QVERIFY(has("after +0.02 \u00B5T +0.02 \u00B5T +0.02 \u00B5T +slight anomaly"));
        QVERIFY(has("Recording at point 10, Night bed"));
        QVERIFY(has("Logger set at point 10, Night bed"));
        QVERIFY(has("night.txt \\(set 2 of the logger\\)"));
        QVERIFY(pageTexts(pdf)
                    .value(layout.planPage - 1)
                    .contains(QRegularExpression("no anomaly +slight anomaly +severe anomaly +"
                                                 "extreme anomaly +no measurement")));
        QVERIFY(has(s.rooms[2].points[1].measurements[0].sha256));
        QVERIFY(has("Building biology, sleeping areas, SBM-2015") && has("ICNIRP 2010"));
        QVERIFY(has(
            "The highest point for ICNIRP 2010[^:]*: 5 Fuse box, before: Maximum 0.90 \u00B5T"));
        QCOMPARE(layout.recordingPages, 2);
        QCOMPARE(layout.pages, int(pageTexts(pdf).size()));

        // The nine placed points, in the colour of their band after the fix; point 10 not.
        QCOMPARE(layout.markers.size(), 9);
        QVERIFY(layout.planPage > 0);
        const QString png = dir.filePath("plan");
        run("pdftoppm", {"-png", "-r", "100", "-f", QString::number(layout.planPage), "-l",
                         QString::number(layout.planPage), "-singlefile", pdf, png});
        const QImage page(png + ".png");
        QVERIFY(!page.isNull());
        for (int i = 0; i < 9; ++i) {
            const QPointF at = (layout.markers[i] + QPointF(0, 6)) * (100 / 72.0);
            const QColor seen = page.pixelColor(at.toPoint());
            const QColor wanted = QColor::fromRgb(survey::bandRgb(bandOf(2.1 * BaseAfter[i]), 4));
            QVERIFY2(
                std::abs(seen.red() - wanted.red()) + std::abs(seen.green() - wanted.green()) +
                        std::abs(seen.blue() - wanted.blue()) <
                    12,
                qPrintable(
                    QString("marker %1: %2, not %3").arg(i + 1).arg(seen.name(), wanted.name())));
        }
        QVERIFY(layout.markers[4].x() > layout.markers[3].x() &&
                layout.markers[3].y() > layout.markers[0].y());

        // veltrix-cli report of the survey's file writes the same report.
        QVERIFY(survey::save(dir.filePath("home.vsurvey"), s, &error));
        const auto cli = test::runCli(
            {"report", dir.filePath("home.vsurvey"), "--out", dir.filePath("cli-project.pdf")});
        QCOMPARE(cli.err, QString());
        QCOMPARE(cli.status, 0);
        QCOMPARE(reportText(dir.filePath("cli-project.pdf")), text);
    }

    void projectReportCases_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message"); // of a refusal, or text the report holds
        QTest::addColumn<bool>("plan");
        QTest::newRow("no place on the plan") << "unplaced"
                                              << "Summary of the points" << false;
        QTest::newRow("damaged plan image")
            << "bad image"
            << "could not be read: a blank grid stands for it" << true;
        QTest::newRow("unwritable") << "unwritable"
                                    << "cannot be written to" << false;
        QTest::newRow("no rooms") << "no rooms"
                                  << "Summary of the points" << false;
        QTest::newRow("before only") << "before only"
                                     << "in the session \"before\", the last one measured" << true;
        QTest::newRow("unknown guidance")
            << "unknown guidance"
            << "nosuchset is not known here (a reference file of your "
               "own must be loaded first)"
            << true;
    }
    void projectReportCases()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        QFETCH(bool, plan);
        survey::Survey s = projectSurvey();
        for (auto& room : s.rooms)
            for (auto& p : room.points)
                if (change == "unplaced")
                    p.position.reset();
                else if (change == "before only")
                    p.measurements.removeIf([](const auto& m) { return m.session == "after"; });
        if (change == "no rooms")
            s.rooms.clear();
        if (change == "unknown guidance")
            s.guidance = "nosuchset";
        if (change == "bad image")
            s.plan.image = "\x89PNG but damaged";
        QTemporaryDir out;
        const QString pdf = out.filePath(change == "unwritable" ? "no/such/report.pdf" : "r.pdf");
        QString error;
        survey::ProjectReportLayout layout;
        const bool written = survey::writeProjectReport(pdf, s, &error, &layout);
        QCOMPARE(written, change != "unwritable");
        QVERIFY2((written ? reportText(pdf) : error).contains(message), qPrintable(error));
        QCOMPARE(layout.planPage > 0, plan);
        QCOMPARE(reportText(pdf).contains("Floor plan"), plan);
        if (!written)
            QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                     QStringList());
    }

    // A survey file is reported alone and with its own fields; a damaged or newer one is refused.
    void cliReportOfSurveyRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QByteArray good = survey::toJson(projectSurvey());
        QJsonObject newer = QJsonDocument::fromJson(good).object();
        newer["version"] = 99;
        QTest::newRow("record option")
            << QStringList{"--title", "T"} << good << 2 << "--title is for record files";
        QTest::newRow("with a record file")
            << QStringList{"flat3.txt"} << good << 2 << "reported on its own";
        QTest::newRow("unwritable") << QStringList{"--out", "/no/such/folder/r.pdf"} << good << 1
                                    << "cannot be written to /no/such/folder/r.pdf";
        QTest::newRow("damaged") << QStringList{} << good.left(good.size() / 2) << 1
                                 << "not a survey file, or a damaged one";
        QTest::newRow("newer") << QStringList{} << QJsonDocument(newer).toJson() << 1
                               << "written by a newer version (format 99)";
    }
    void cliReportOfSurveyRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, file);
        QFETCH(int, status);
        QFETCH(QString, message);
        // Found by its content too: no extension of its own.
        const QString path = dir.filePath("survey.json");
        QVERIFY(test::writeFile(path, file));
        QVERIFY(test::writeFile(dir.filePath("flat3.txt"), tableFileBytes(SurveyRows)));
        QDir(dir.path()).remove("refused.pdf");
        if (!args.isEmpty() && args.first() == "flat3.txt")
            args.first() = dir.filePath("flat3.txt");
        const auto cli =
            test::runCli(QStringList{"report", path, "--out", dir.filePath("refused.pdf")} + args);
        QCOMPARE(cli.status, status);
        QVERIFY2(cli.err.contains(message), qPrintable(cli.err));
        QVERIFY(!QFile::exists(dir.filePath("refused.pdf")));
    }

private:
    QTemporaryDir dir;
};

QTEST_MAIN(TestSurveyReport)
#include "tst_survey_report.moc"
