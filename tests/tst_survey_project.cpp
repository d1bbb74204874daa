// SPDX-License-Identifier: GPL-3.0-or-later
// The survey file read back with every value, refused with a message naming what is wrong, saved
// whole or not at all; a point's figures and band; a spot measurement as the recorder writes it.

#include "records/RecordFile.h"
#include "records/RecordWriter.h"
#include "support/TestFiles.h"
#include "survey/SurveyProject.h"

#include <QTemporaryDir>
#include <QTest>

using namespace veltrix;
using namespace veltrix::survey;

namespace {

const QDateTime Start(QDate(2026, 12, 5), QTime(22, 0), Qt::OffsetFromUTC, 3600);

// A record file of readings in mG ("0.2", "OL") one second apart from 22:00:00 + firstSecond.
Measurement measured(MeasurementKind kind, const QString& id, const QString& session,
                     const QStringList& values, int firstSecond = 0)
{
    QStringList rows;
    for (const QString& v : values)
        rows << QString::number(rows.size() + 1) + u'\t' +
                    sampleBody(Start.addSecs(firstSecond + rows.size()), v, true, false, false);
    Measurement m = measurementOf(kind, tableFileBytes(rows), "night.txt");
    m.id = id;
    m.session = session;
    return m;
}

// Every field filled, each with a value of its own, so that two swapped fields are seen.
Survey fullSurvey()
{
    Survey s = newSurvey();
    s.details = {"Title", "Site", "Client", "Location", "Operator", "Company", "Place", "Notes"};
    s.instrument = {"Model", "Serial", QDate(2026, 3, 1), "16 Hz - 100 kHz", 3};
    s.mains = stats::Mains::Hz60;
    s.method = "Method";
    s.conclusion = "Conclusion";
    s.recommendations = "Recommendations";
    s.visitFrom = QDate(2026, 12, 5);
    s.visitTo = QDate(2026, 12, 6);
    s.references = {"icnirp2010", "buildingbiology"};
    s.unit = stats::FigureUnit::NanoTesla;
    s.sessions << "night";
    s.plan = {QByteArray("\x89PNG\r\n\x1a\nplan"), "plan.png", 1.5};
    Point bed{"p1",      "Bed head", "Notes 1", QPointF(0.25, 0.75), "\xff\xd8\xff photo",
              "bed.jpg", {}};
    bed.measurements << measured(MeasurementKind::Spot, "m3", "before", {"0.1", "0.3"});
    bed.measurements.last().plannedSeconds = 30;
    bed.measurements << measured(MeasurementKind::LoggerSet, "m4", "night", {"OL", "1.5"});
    bed.measurements.last().loggerSet = 7;
    bed.measurements.last().loggerId = "12";
    bed.measurements.last().note = "Note";
    bed.measurements.last().taken = Start.addMSecs(250);
    s.rooms << Room{
        "r1", "Bedroom", "Room notes", {bed, Point{"p2", "Desk", {}, QPointF(1, 0), {}, {}, {}}}};
    s.rooms << Room{"r2", "Hall", {}, {}};
    return s;
}

// Every value of a survey as text, in a fixed order.
QStringList valuesOf(const Survey& s)
{
    const ReportDetails& d = s.details;
    const Instrument& i = s.instrument;
    QStringList v;
    v << d.title << d.site << d.client << d.location << d.operatorName << d.company << d.place
      << d.notes << i.model << i.serial << i.calibrated.toString(Qt::ISODate) << i.frequencyRange
      << QString::number(i.axes) << QString::number(int(s.mains)) << s.method << s.conclusion
      << s.recommendations << s.visitFrom.toString(Qt::ISODate) << s.visitTo.toString(Qt::ISODate)
      << s.references.join('|') << s.guidance << QString::number(int(s.unit))
      << s.sessions.join('|') << s.plan.image << s.plan.name << QString::number(s.plan.aspect);
    for (const Room& r : s.rooms) {
        v << r.id << r.name << r.notes;
        for (const Point& p : r.points) {
            v << p.id << p.name << p.notes << p.photo.toHex() << p.photoName
              << (p.position ? QString("%1,%2").arg(p.position->x()).arg(p.position->y()) : "-");
            for (const Measurement& m : p.measurements)
                v << m.id << kindKey(m.kind) << m.session
                  << QString::number(m.taken.toMSecsSinceEpoch())
                  << QString::number(m.taken.offsetFromUtc()) << m.source << m.note
                  << m.records.toHex() << m.sha256 << QString::number(m.plannedSeconds)
                  << QString::number(m.loggerSet) << m.loggerId;
        }
    }
    return v;
}

} // namespace

class TestSurveyProject : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void roundTripKeepsEveryValue()
    {
        const Survey s = fullSurvey();
        const QString path = dir.filePath("site.vsurvey");
        QString error;
        QVERIFY2(save(path, s, &error), qPrintable(error));
        const auto back = load(path, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(valuesOf(*back), valuesOf(s));
        QCOMPARE(toJson(*back), toJson(s));
        QCOMPARE(back->newId('m'), QString("m5"));
        QVERIFY(back->roomOf(u"p2")->id == "r1" && back->point(u"p2") && !back->point(u"r1"));
        QVERIFY(fromJson(toJson(newSurvey()))); // 50 Hz, no rooms
        // Keys of a later program of the same version are left out.
        QByteArray later = toJson(s).replace("\"rooms\"", "\"later\": {\"x\": [1]}, \"rooms\"");
        QCOMPARE(valuesOf(fromJson(later).value()), valuesOf(s));
    }

    void refusals_data()
    {
        const Survey s = fullSurvey();
        const QByteArray good = toJson(s);
        const QByteArray records = s.rooms[0].points[0].measurements[0].records.toBase64();
        QByteArray changed = s.rooms[0].points[0].measurements[0].records;
        changed[changed.size() - 5] = '9';
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const auto row = [&](const char* name, QByteArray from, QByteArray to, QString message) {
            QTest::newRow(name) << QByteArray(good).replace(from, to) << message;
        };
        QTest::newRow("cut short")
            << good.left(good.size() / 2) << "not a survey file, or a damaged one";
        row("other format", "\"veltrix-survey\"", "\"spreadsheet\"", "not a survey file");
        row("no version", "\"version\"", "\"versio\"", "not a survey file: it has no 'version'");
        row("newer version", "\"version\": 1", "\"version\": 2",
            "written by a newer version (format 2); this program reads format 1");
        row("readings changed", records, changed.toBase64(),
            "room 1, point 'Bed head': measurement m3: its readings do not match their SHA-256 "
            "(damaged)");
        row("bad base64", records, "AB*=", "measurement m3: 'records' is not valid base64");
        row("position outside", "0.75", "1.75",
            "room 1, point 'Bed head': 'position' must be two numbers from 0 to 1");
        row("duplicate id", "\"id\": \"p2\"", "\"id\": \"m3\"",
            "room 1, point 'Desk': the id 'm3' is used twice");
        row("photo not an image", QByteArray("\xff\xd8\xff photo").toBase64(), "R0lGODlh",
            "point 'Bed head': 'photo' is not a PNG or JPEG image");
        row("plan not an image", s.plan.image.toBase64(), "R0lG",
            "plan: 'image' is not a PNG or JPEG image");
        row("unknown session", "\"session\": \"night\"", "\"session\": \"day\"",
            "measurement m4: the session 'day' is not one of the survey's sessions (before, "
            "after, night)");
        row("unknown kind", "\"logger-set\"", "\"video\"", "'kind' must be spot, recording");
        row("time without offset", "22:00:00.250+01:00", "22:00:00", "'taken' must be a date");
        row("bad date", "2026-03-01", "2026-13-01",
            "instrument: 'calibrated' must be a date as YYYY-MM-DD");
        row("text as number", "\"axes\": 3", "\"axes\": \"3\"", "'axes' must be a whole number");
        row("mains", "\"mains\": 60", "\"mains\": 55", "'mains' must be 50 or 60");
    }
    void refusals()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QString error;
        QVERIFY(!fromJson(bytes, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        // The file's name heads the message; the refused file stays as it was.
        const QString path = dir.filePath("refused.vsurvey");
        QVERIFY(test::writeFile(path, bytes));
        QVERIFY(!load(path, &error));
        QVERIFY2(error.startsWith("The survey file " + path) && error.contains(message),
                 qPrintable(error));
        QCOMPARE(test::fileBytes(path), bytes);
    }

    void saveIsWholeOrNothing()
    {
        const QString path = dir.filePath("kept.vsurvey");
        QVERIFY(save(path, newSurvey()));
        const QByteArray before = test::fileBytes(path);
        Survey big = fullSurvey();
        big.plan.image += QByteArray(64 * 1024, 'x');
        QString error;
        {
            const test::FileSizeLimit limit(16 * 1024); // the disk fills while it is written
            QVERIFY(!save(path, big, &error));
        }
        QVERIFY2(error.contains("The survey file " + path + " cannot be written"),
                 qPrintable(error));
        QCOMPARE(test::fileBytes(path), before);
        QVERIFY(!load(dir.path(), &error));
        QVERIFY2(error.endsWith(dir.path() + " cannot be opened: not a regular file"),
                 qPrintable(error));
    }

    void pointFigures_data()
    {
        QTest::addColumn<QList<Measurement>>("measurements");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("figures"); // count mean max p95 band name at-least colour
        using K = MeasurementKind;
        const auto spot = [](QStringList v, QString session = "before") {
            return measured(K::Spot, "m1", session, v);
        };
        const auto row = [](const char* name, QList<Measurement> m, QString ref, QString figures) {
            QTest::newRow(name) << m << ref << figures;
        };
        const QString bio = "buildingbiology";
        row("spot and recording together",
            {spot({"1", "2"}), measured(K::Recording, "m2", "before", {"3", "4", "5"}, 60),
             spot({"9"}, "after")},
            bio, "2 3 5 4.8 2 severe anomaly - e8710a");
        row("no measurement in the session", {spot({"1"}, "after")}, bio, "none");
        row("no records", {spot({})}, bio, "none");
        row("below 20 nT", {spot({"0.1", "0.19"})}, bio,
            "1 0.145 0.19 0.1855 0 no anomaly - 2ca02c");
        row("20 nT", {spot({"0.2"})}, bio, "1 0.2 0.2 0.2 1 slight anomaly - d4a800");
        row("100 nT", {spot({"1.0"})}, bio, "1 1 1 1 2 severe anomaly - e8710a");
        row("500 nT", {spot({"5.0"})}, bio, "1 5 5 5 3 extreme anomaly - d62728");
        row("overload", {spot({"0.3", "OL"})}, bio,
            "1 0.3 0.3 0.3 1 slight anomaly at-least d4a800");
        row("overload, top band", {spot({"6", "OL"})}, bio, "1 6 6 6 3 extreme anomaly - d62728");
        row("overload, maximum", {spot({"1", "OL"})}, "icnirp2010",
            "1 1 1 1 0 below ICNIRP 2010: 200 µT at-least 2ca02c");
        row("levels, none reached", {spot({"2"})}, "iarc2002",
            "1 2 2 2 0 below IARC 2002: 0.3 µT - 2ca02c");
        row("levels, one reached", {spot({"3.5"})}, "iarc2002",
            "1 3.5 3.5 3.5 1 above IARC 2002: 0.3 µT - de8d05");
        row("no guidance", {spot({"3.5"})}, "", "1 3.5 3.5 3.5 - - - 9e9e9e");
    }
    void pointFigures()
    {
        QFETCH(QList<Measurement>, measurements);
        QFETCH(QString, reference);
        QFETCH(QString, figures);
        const stats::Reference* guidance = stats::findReference(reference);
        QString error;
        const auto f = survey::pointFigures({"p1", "Bed", {}, {}, {}, {}, measurements}, "before",
                                            guidance, &error);
        if (!f) {
            QCOMPARE(QString("none"), figures);
            return;
        }
        const auto n = [](double v) { return QString::number(v); };
        const QString band = f->band ? n(*f->band) + ' ' + f->bandName : QString("- -");
        const quint32 rgb = bandRgb(f->band, bandCount(guidance));
        QCOMPARE(QStringList({n(f->measurements), n(f->statistics.mean), n(f->statistics.maximum),
                              n(f->statistics.percentile95), band,
                              f->bandAtLeast ? "at-least" : "-", QString::number(rgb, 16)})
                     .join(' '),
                 figures);
    }

    void spotRecorderWritesWhatTheRecorderWrites()
    {
        SpotRecorder spot(30);
        RecordWriter writer;
        const QString path = dir.filePath("recorder.txt");
        QVERIFY(writer.open(path));
        int kept = 0;
        for (int s = 0; s <= 40; ++s) {
            const QString body =
                sampleBody(Start.addSecs(s), QString::number(s), true, false, false);
            if (spot.add(Start.addSecs(s), body))
                QVERIFY(writer.writeRecord(++kept, body));
            QCOMPARE(spot.done(), s >= 30);
        }
        writer.close();
        const Measurement m = spot.measurement();
        QCOMPARE(m.records, test::fileBytes(path));
        const Measurement abc = measurementOf(MeasurementKind::Recording, "abc", "night.txt");
        QCOMPARE(abc.sha256, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
        QVERIFY(abc.source == "night.txt" && abc.taken.isValid() &&
                abc.taken.secsTo(QDateTime::currentDateTime()) < 60);
        QVERIFY(spot.samples() == 30 && m.taken == Start && m.plannedSeconds == 30 &&
                m.kind == MeasurementKind::Spot);
    }
};

QTEST_GUILESS_MAIN(TestSurveyProject)
#include "tst_survey_project.moc"
