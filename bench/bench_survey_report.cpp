// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the report of a survey project: the survey bench_survey opens (50 points in 5
// rooms, each spot measured before and after, one night of 50,000 readings at 1 s) on a floor
// plan of 1600 x 1100 pixels. Run headless:
// QT_QPA_PLATFORM=offscreen build-bench/bench/bench_survey_report [--pdf DIR]
// (--pdf keeps the report in DIR).

#include "support/BenchSupport.h"
#include "support/SurveyProjects.h"

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

constexpr int Runs = 5;

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

// The survey of bench_survey, on a floor plan, with two references beside the guidance.
Survey benchSurvey()
{
    Survey s = fiftyPointSurvey();
    s.details.title = QStringLiteral("Survey of a house");
    s.details.site = QStringLiteral("12 Example Road");
    s.details.operatorName = QStringLiteral("A. Tester");
    s.references << QStringLiteral("icnirp2010") << QStringLiteral("iarc2002");
    s.plan.image = planImage();
    s.plan.name = QStringLiteral("plan.png");
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
    figure("report", "pages", layout.pages, "");
    figure("report", "median wall", median(wall), "ms");
    figure("report", "worst wall", *std::max_element(wall.begin(), wall.end()), "ms");
    figure("report", "median CPU", median(cpu), "ms");
    figure("report", "size", double(QFileInfo(path).size()) / 1024, "KiB");
    return 0;
}
