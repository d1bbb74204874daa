// SPDX-License-Identifier: GPL-3.0-or-later
// veltrix-cli survey on the virtual meter: a site surveyed from a script (rooms, points, spot
// measurements, attached recordings and a logger set, two sessions), the file read back, the
// figures listed; and the refusals, each of which leaves the survey file as it was.

#include "records/RecordFile.h"
#include "sim/MeterProtocol.h"
#include "sim/VirtualMeter.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"
#include "survey/SurveyProject.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace veltrix;
using test::runCli;

namespace {

// A point of the scripted survey and the field at it in each session, in mG (a constant field
// but for the night and the spots); a negative value: no measurement in that session.
struct Site {
    const char* room;
    const char* point;
    double x, y;
    double before, after;
};
const Site Points[] = {
    {"Bedroom", "Bed head", 0.2, 0.3, 12.3, 0.5}, // spot measurements from the meter
    {"Bedroom", "Cot", 0.4, 0.3, 0.1, 0.1},
    {"Bedroom", "Wardrobe", 0.3, 0.1, 3.0, 0.8},
    {"Kitchen", "Fridge", 0.7, 0.2, 6.0, 6.0},
    {"Kitchen", "Table", 0.8, 0.4, 0.4, 0.3},
    {"Kitchen", "Fuse box wall", 0.9, 0.1, 25.0, 2.0},
    {"Study", "Desk", 0.2, 0.8, 8.0, 1.5}, // before: a night, its 95th percentile 8.0
    {"Study", "Chair", 0.3, 0.7, 0.9, 0.2},
    {"Study", "Window", 0.1, 0.9, 0.1, -1},
    {"Study", "Shelf", 0.5, 0.9, 0.7, -1}, // after: a logger set
};
constexpr int NightRecords = 28'800;

// SBM-2015's bands for sleeping areas, on the 95th percentile.
QString bandOf(double mg)
{
    return mg < 0.2 ? "no anomaly" : mg < 1 ? "slight anomaly" : mg < 5 ? "severe anomaly"
                                                                        : "extreme anomaly";
}

// A record file of `values` in mG, one a second from `start`.
QByteArray recordFile(const QList<double>& values, const QDateTime& start)
{
    QStringList rows;
    for (int i = 0; i < values.size(); ++i)
        rows << QString::number(i + 1) + '\t' +
                    sampleBody(start.addSecs(i), QString::number(values[i], 'f', 1), true, false,
                               false);
    return tableFileBytes(rows);
}

} // namespace

class TestCliSurvey : public QObject {
    Q_OBJECT
    test::CliMeter m_meter;
    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }
    test::CliRun survey(const QString& action, const QString& path, const QStringList& args)
    {
        return runCli(QStringList{"survey", action, path} + args);
    }
    // Attaches a recording of `values` at a point; the file is kept to compare with.
    void attach(const Site& p, const char* session, const QList<double>& values)
    {
        const QString name = file(QString("%1-%2.txt").arg(p.point, session));
        QVERIFY(test::writeFile(name, recordFile(values, QDateTime({2026, 12, 5}, {22, 0}))));
        const auto r = survey("attach", file("site.vsurvey"),
                              {"--point", p.point, "--session", session, "--recording", name});
        QVERIFY2(r.status == 0, qPrintable(r.err));
    }

private slots:
    void initTestCase() { QVERIFY(m_meter.start()); }

    void scriptedSurvey()
    {
        const QString path = file("site.vsurvey");
        auto r = survey("new", path,
                        {"--site", "12 Elm Road", "--client", "J. Doe", "--operator", "A. Meter",
                         "--mains", "60", "--reference", "icnirp2010", "--unit", "mG"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        // Bedroom comes with its first point; the other rooms are added before theirs.
        for (const Site& p : Points) {
            if (&p == &Points[1])
                for (const char* room : {"Kitchen", "Study"})
                    QCOMPARE(survey("add-room", path, {"--room", room}).status, 0);
            r = survey("add-point", path,
                       {"--room", p.room, "--point", p.point, "--position",
                        QString("%1,%2").arg(p.x).arg(p.y)});
            QVERIFY2(r.status == 0, qPrintable(r.err));
        }
        const auto measure = [&](const char* session, int bcd) {
            m_meter->setValueOverride(bcd);
            const auto m = survey("measure", path,
                                  {"--point", "Bed head", "--session", session, "--seconds", "2",
                                   "--sampling", "1", "--port", m_meter.port()});
            QVERIFY2(m.status == 0, qPrintable(m.err));
        };
        measure("before", 0x0123);
        measure("after", 0x0005);
        QList<double> night(NightRecords, 2.0); // the last tenth of the night at 8 mG
        std::fill(night.end() - NightRecords / 10, night.end(), 8.0);
        attach(Points[6], "before", night);
        for (const Site& p : Points) {
            if (&p == &Points[0]) // measured
                continue;
            if (&p != &Points[6]) // the night
                attach(p, "before", QList<double>(5, p.before));
            if (p.after >= 0)
                attach(p, "after", QList<double>(5, p.after));
        }
        sim::LoggerSet set;
        set.start = QDateTime({2026, 12, 6}, {9, 0});
        set.values = QList<quint16>(40, 0x0007);
        m_meter->setLoggerSets({set});
        m_meter->setEeprom(sim::protocol::EepromIdLow, 42);
        r = survey("attach", path,
                   {"--point", "Shelf", "--room", "Study", "--session", "after", "--logger-set",
                    "1", "--port", m_meter.port()});
        QVERIFY2(r.status == 0, qPrintable(r.err));

        // Read back: every value as it was given.
        QString error;
        const auto s = survey::load(path, &error);
        QVERIFY2(s, qPrintable(error));
        QCOMPARE(s->details.site + s->details.client + s->details.operatorName,
                 QString("12 Elm RoadJ. DoeA. Meter"));
        QCOMPARE(s->mains, stats::Mains::Hz60);
        QCOMPARE(s->unit, stats::FigureUnit::MilliGauss);
        QVERIFY(s->references.contains("icnirp2010"));
        QCOMPARE(s->sessions, (QStringList{"before", "after"}));
        QCOMPARE(s->rooms.size(), 3);
        int n = 0;
        for (const survey::Room& room : s->rooms) {
            for (const survey::Point& point : room.points) {
                const Site& p = Points[n++];
                QCOMPARE(room.name, QString(p.room));
                QCOMPARE(point.name, QString(p.point));
                QCOMPARE(point.position, std::optional<QPointF>(QPointF(p.x, p.y)));
                QCOMPARE(point.measurements.size(), p.after >= 0 ? 2 : 1 + (n == 10));
                for (const survey::Measurement& m : point.measurements) {
                    if (m.kind != survey::MeasurementKind::Recording)
                        continue;
                    const QByteArray source = test::fileBytes(file(m.source));
                    QVERIFY2(m.records == source, qPrintable(m.source)); // byte for byte
                    QCOMPARE(m.sha256, QString(QCryptographicHash::hash(
                                                   source, QCryptographicHash::Sha256)
                                                   .toHex()));
                }
            }
        }
        QCOMPARE(n, 10);
        const survey::Measurement& spot = s->rooms[0].points[0].measurements[0];
        QCOMPARE(spot.kind, survey::MeasurementKind::Spot);
        QCOMPARE(spot.rows().size(), 2); // two seconds at one sample a second
        QCOMPARE(spot.plannedSeconds, 2);
        QCOMPARE(s->rooms[2].points[0].measurements[0].rows().size(), NightRecords);
        const survey::Measurement& logged = s->rooms[2].points[3].measurements.last();
        QCOMPARE(logged.kind, survey::MeasurementKind::LoggerSet);
        QCOMPARE(logged.session, QString("after"));
        QCOMPARE(logged.loggerSet, 1);
        QCOMPARE(logged.loggerId, QString("42"));
        QCOMPARE(logged.rows().size(), 40);

        // Each point's figures at a glance, in both sessions.
        r = survey("list", path, {"--format", "json"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QJsonArray rooms = QJsonDocument::fromJson(r.out.toUtf8())["rooms"].toArray();
        n = 0;
        for (const QJsonValue room : rooms) {
            for (const QJsonValue point : room["points"].toArray()) {
                const Site& p = Points[n++];
                QCOMPARE(point["name"].toString(), QString(p.point));
                const QJsonObject before = point["figures"]["before"].toObject();
                QCOMPARE(before["percentile95"].toDouble(), p.before);
                QCOMPARE(before["maximum"].toDouble(), p.before);
                QCOMPARE(before["bandName"].toString(), bandOf(p.before));
                const QJsonObject after = point["figures"]["after"].toObject();
                if (n == 10) // the logger set's readings
                    QCOMPARE(after["readings"].toInt(), 40);
                else if (p.after < 0)
                    QCOMPARE(after["measurements"].toInt(), 0);
                else
                    QCOMPARE(after["bandName"].toString(), bandOf(p.after));
                if (p.after >= 0)
                    QCOMPARE(after["mean"].toDouble(), p.after);
            }
        }
        QCOMPARE(n, 10);
        // Its report: every point with its figure and band in both sessions, and on the plan
        // page the ten numbered markers.
        r = runCli({"report", path, "--out", file("site.pdf")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QProcess text;
        text.start("pdftotext", {"-layout", file("site.pdf"), "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString pdf = QString::fromUtf8(text.readAllStandardOutput());
        for (const Site& p : Points) {
            const QString row = pdf.section(p.point, 1, 1).section('\n', 0, 1); // before, after
            for (const double mg : {p.before, p.after})
                QVERIFY2(mg < 0 || (row.contains(QString::number(mg, 'f', 1)) &&
                                    row.contains(bandOf(mg).section(' ', 0, 0))),
                         qPrintable(p.point + (": " + row)));
        }
        const QString plan = pdf.section("Floor plan", 1, 1).section("Markers coloured", 0, 0);
        QList<int> markers;
        for (const QString& word : plan.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
            markers << word.toInt();
        std::sort(markers.begin(), markers.end());
        QCOMPARE(markers, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(rooms[2]["points"][0]["figures"]["before"]["mean"].toDouble(), 2.6); // the night
        // A floor plan later: copied in whole, the points keep their places.
        const QByteArray planBytes = QByteArray("\x89PNG\r\n\x1a\n") + "walls";
        QVERIFY(test::writeFile(file("plan.png"), planBytes));
        QCOMPARE(survey("set-plan", path, {"--plan", file("plan.png")}).status, 0);
        const auto planned = survey::load(path);
        QVERIFY(planned);
        QCOMPARE(planned->plan.image, planBytes);
        QCOMPARE(planned->plan.name, QString("plan.png"));
        QCOMPARE(planned->rooms[1].points[0].position, s->rooms[1].points[0].position);
        QCOMPARE(rooms[0]["points"][0]["figures"]["before"]["measurements"].toInt(), 1);
    }

    // Refused: a message that says why, the status of its kind, the survey file unchanged.
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("content"); // of the survey file; empty: a good one
        QTest::addColumn<QStringList>("args");   // @ stands for the test's folder
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QStringList room{"add-room", "--room", "Hall"};
        QTest::newRow("damaged") << QByteArray("{\"format\": \"veltrix-survey\", \"vers")
                                 << room << 1 << "damaged";
        QTest::newRow("newer version") << QByteArray("newer") << room << 1 << "newer version";
        QTest::newRow("missing photo")
            << QByteArray() << QStringList{"add-point", "--room", "Hall", "--point", "Door",
                                           "--photo", "@/nowhere.jpg"}
            << 1 << "nowhere.jpg";
        QTest::newRow("photo not an image")
            << QByteArray() << QStringList{"add-point", "--room", "Hall", "--point", "Door",
                                           "--photo", "@/good.txt"}
            << 1 << "not a PNG or JPEG";
        QTest::newRow("point twice") << QByteArray()
                                     << QStringList{"add-point", "--room", "Bedroom", "--point",
                                                    "Bed"}
                                     << 2 << "has a point 'Bed' already";
        QTest::newRow("position off the plan")
            << QByteArray() << QStringList{"add-point", "--room", "Hall", "--point", "Door",
                                           "--position", "0.5,1.2"}
            << 2 << "--position";
        QTest::newRow("room twice") << QByteArray() << QStringList{"add-room", "--room", "Bedroom"}
                                    << 2 << "has a room 'Bedroom' already";
        QTest::newRow("unknown point")
            << QByteArray() << QStringList{"measure", "--point", "Nowhere", "--seconds", "1"}
            << 2 << "no point 'Nowhere'";
        QTest::newRow("point of another room")
            << QByteArray() << QStringList{"attach", "--point", "Bed", "--room", "Hall",
                                           "--recording", "@/good.txt"}
            << 2 << "no point 'Bed' in room 'Hall'";
        QTest::newRow("unknown session")
            << QByteArray() << QStringList{"attach", "--point", "Bed", "--session", "later",
                                           "--recording", "@/good.txt"}
            << 2 << "no session 'later'";
        QTest::newRow("missing recording")
            << QByteArray() << QStringList{"attach", "--point", "Bed", "--recording", "@/no.txt"}
            << 1 << "no.txt cannot be attached: No such file";
        QTest::newRow("not a record file")
            << QByteArray() << QStringList{"attach", "--point", "Bed", "--recording", "@/text.txt"}
            << 1 << "not a record file";
        QTest::newRow("two sources")
            << QByteArray() << QStringList{"attach", "--point", "Bed", "--recording",
                                           "@/good.txt", "--logger-file", "@/good.txt"}
            << 2 << "needs one of";
        QTest::newRow("no such logger set")
            << QByteArray() << QStringList{"attach", "--point", "Bed", "--logger-set", "9"}
            << 2 << "no set 9";
        QTest::newRow("meter silent")
            << QByteArray("silent") << QStringList{"measure", "--point", "Bed", "--seconds", "1"}
            << 4 << "does not answer";
        QTest::newRow("new over a survey")
            << QByteArray() << QStringList{"new"} << 1 << "give --force";
        QTest::newRow("plan not an image")
            << QByteArray() << QStringList{"set-plan", "--plan", "@/good.txt"} << 1
            << "not a PNG or JPEG";
        QTest::newRow("unknown guidance")
            << QByteArray() << QStringList{"new", "--force", "--guidance", "feng-shui"} << 2
            << "unknown guidance 'feng-shui'";
    }
    void refusals()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("s.vsurvey");
        QVERIFY(runCli({"survey", "new", path}).status == 0);
        QVERIFY(runCli({"survey", "add-point", path, "--room", "Bedroom", "--point", "Bed"})
                    .status == 0);
        QVERIFY(test::writeFile(dir.filePath("good.txt"),
                                recordFile({1.0, 2.0}, QDateTime({2026, 12, 5}, {9, 0}))));
        QVERIFY(test::writeFile(dir.filePath("text.txt"), "a shopping list\r\nmilk\r\n"));
        if (content == "newer")
            content = test::fileBytes(path).replace("\"version\": 1", "\"version\": 2");
        m_meter->setSilent(content == "silent");
        m_meter->setLoggerSets({});
        if (!content.isEmpty() && content != "silent")
            QVERIFY(test::writeFile(path, content));
        const QByteArray before = test::fileBytes(path);
        args.replaceInStrings("@", dir.path());
        const auto r = runCli(QStringList{"survey", args.takeFirst(), path} + args +
                              QStringList{"--port", m_meter.port()});
        m_meter->setSilent(false);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(test::fileBytes(path), before);
    }
};

QTEST_MAIN(TestCliSurvey)
#include "tst_cli_survey.moc"
