// Figures for the report of a survey project: 50 points in 5 rooms, each spot measured before and
// after (30 readings each), one of them recorded for a night of 50,000 readings at 1 s, and a
// floor plan of 1600 x 1100 pixels. Run headless:
// QT_QPA_PLATFORM=offscreen build-bench/bench/bench_survey_report [--pdf DIR]
// (--pdf keeps the report in DIR).

#include "support/BenchSupport.h"

#include "records/RecordFile.h"
#include "survey/ProjectReport.h"
#include "survey/SurveyProject.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

using namespace veltrix;
using namespace veltrix::bench;
using namespace veltrix::survey;

namespace {

constexpr int Points = 50;
constexpr int NightRecords = 50000;
constexpr int Runs = 5;

QByteArray records(int count, double base, QDateTime start)
{
    QStringList rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double mg = base * (1 + 0.3 * std::sin(i / 700.0)) + (i % 97 == 0 ? 2 * base : 0);
        rows << QString::number(i + 1) + u'\t' +
                    sampleBody(start.addSecs(i), QString::number(mg, 'f', 1), true, false, false);
    }
    return tableFileBytes(rows);
}

QByteArray planImage()
{
    QImage image(1600, 1100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 6));
    p.drawRect(20, 20, 1560, 1060);
    for (int x = 400; x < 1600; x += 400)
        p.drawLine(x, 20, x, 1080);
    p.drawLine(20, 560, 1580, 560);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

Survey benchSurvey()
{
    Survey s = newSurvey();
    s.details.title = QStringLiteral("Survey of a house");
    s.details.site = QStringLiteral("12 Example Road");
    s.details.operatorName = QStringLiteral("A. Tester");
    s.references << QStringLiteral("icnirp2010") << QStringLiteral("iarc2002");
    s.plan.image = planImage();
    s.plan.name = QStringLiteral("plan.png");
    const QDateTime day(QDate(2026, 12, 5), QTime(10, 0));
    for (int r = 0; r < 5; ++r)
        s.rooms.append({s.newId(u'r'), QStringLiteral("Room %1").arg(r + 1), {}, {}});
    for (int i = 0; i < Points; ++i) {
        Point p;
        p.id = QStringLiteral("p%1").arg(i + 1);
        p.name = QStringLiteral("Point %1").arg(i + 1);
        p.position = QPointF((i % 10 + 0.5) / 10, (i / 10 + 0.5) / 5);
        const double base = 0.3 + (i % 13) * 0.4;
        for (const QString& session : {beforeSession(), afterSession()}) {
            Measurement m = measurementOf(
                MeasurementKind::Spot,
                records(30, session == beforeSession() ? base : base / 3, day.addSecs(60 * i)), {});
            m.id = QStringLiteral("m%1%2").arg(i + 1).arg(session);
            m.session = session;
            p.measurements << m;
        }
        if (i == 0) {
            Measurement night = measurementOf(MeasurementKind::Recording,
                                              records(NightRecords, 0.8, day.addSecs(12 * 3600)),
                                              QStringLiteral("night.txt"));
            night.id = QStringLiteral("night");
            night.session = beforeSession();
            p.measurements << night;
        }
        s.rooms[i / 10].points << p;
    }
    return s;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTemporaryDir tmp;
    const qsizetype pdfAt = args.indexOf(QStringLiteral("--pdf"));
    const QString dir = pdfAt > 0 && pdfAt + 1 < args.size() ? args[pdfAt + 1] : tmp.path();
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(QStringLiteral("survey-report.pdf"));

    const Survey survey = benchSurvey();
    QList<double> wall, cpu;
    ProjectReportLayout layout;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer t;
        t.start();
        const double cpu0 = cpuSeconds();
        QString error;
        if (!writeProjectReport(path, survey, &error, &layout)) {
            note("report", error);
            return 1;
        }
        cpu << (cpuSeconds() - cpu0) * 1000;
        wall << ms(t);
    }
    figure("report", "points", Points, "");
    figure("report", "pages", layout.pages, "");
    figure("report", "median wall", median(wall), "ms");
    figure("report", "worst wall", *std::max_element(wall.begin(), wall.end()), "ms");
    figure("report", "median CPU", median(cpu), "ms");
    figure("report", "size", double(QFileInfo(path).size()) / 1024, "KiB");
    return 0;
}
