// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a survey as the Survey window does: 50 points in 5 rooms, each with a spot measurement
// of 30 samples before and after, and one point with a night of 50,000 records attached. Times
// saving the file, loading it and the figures of every point in both sessions (what the window
// shows at once); the median of 5 runs, the file's size and the peak resident memory.
// Usage: bench_survey [--runs N]

#include "support/BenchSupport.h"
#include "support/SurveyProjects.h"

#include "records/RecordFile.h"
#include "survey/SurveyProject.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sys/resource.h>

using namespace veltrix;
using namespace veltrix::survey;
using namespace veltrix::bench;

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
    const int runs = runsAt > 0 && runsAt + 1 < args.size() ? args[runsAt + 1].toInt() : 5;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.vsurvey"));
    const Survey survey = fiftyPointSurvey();
    const stats::Reference* guidance = stats::findReference(survey.guidance);
    QList<double> saving, loading, figures, opening;
    for (int run = 0; run < std::max(1, runs); ++run) {
        QElapsedTimer t;
        t.start();
        QString error;
        if (!save(path, survey, &error)) {
            note("save", error);
            return 1;
        }
        saving << ms(t);
        t.restart();
        const auto back = load(path, &error);
        if (!back) {
            note("load", error);
            return 1;
        }
        loading << ms(t);
        QElapsedTimer f;
        f.start();
        int shown = 0;
        for (const Room& room : back->rooms)
            for (const Point& point : room.points)
                for (const QString& session : back->sessions)
                    shown += pointFigures(point, session, guidance).has_value();
        figures << ms(f);
        opening << ms(t);
        if (shown != 100)
            note("figures", QStringLiteral("%1 of 100 points have figures").arg(shown));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    figure("file", "size", double(QFileInfo(path).size()) / 1e6, "MB");
    figure("save", "median", median(saving), "ms");
    figure("load", "median", median(loading), "ms");
    figure("figures", "median", median(figures), "ms");
    figure("open", "median", median(opening), "ms");
    figure("open", "worst", *std::max_element(opening.begin(), opening.end()), "ms");
    figure("peak memory", double(usage.ru_maxrss) / 1024, "MB");
    return 0;
}
