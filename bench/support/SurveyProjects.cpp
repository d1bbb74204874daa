// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SurveyProjects.h"

#include "records/RecordFile.h"

#include <cmath>

namespace veltrix::bench {

using namespace survey;

namespace {

const QDateTime Start(QDate(2026, 12, 5), QTime(22, 0), Qt::OffsetFromUTC, 3600);

// Readings that vary slowly around a level, one a second from `from`.
QByteArray records(int count, double level, const QDateTime& from)
{
    QStringList rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double v = level * (1 + 0.5 * std::sin(i / 600.0)) + (i % 7) * 0.01;
        rows << QString::number(i + 1) + u'\t' +
                    sampleBody(from.addSecs(i), QString::number(v, 'f', 2), true, false, false);
    }
    return tableFileBytes(rows);
}

} // namespace

Survey fiftyPointSurvey()
{
    Survey s = newSurvey();
    int ids = 0;
    const auto id = [&ids](char prefix) { return prefix + QString::number(++ids); };
    for (int r = 0; r < 5; ++r) {
        s.rooms << Room{id('r'), QStringLiteral("Room %1").arg(r + 1), {}, {}};
        for (int p = 0; p < 10; ++p) {
            Point point{id('p'), QStringLiteral("Point %1").arg(p + 1),
                        {},      QPointF(p / 10.0, r / 5.0),
                        {},      {},
                        {}};
            for (const QString& session : s.sessions) {
                const QDateTime at = Start.addSecs(60 * (10 * r + p));
                Measurement m = measurementOf(MeasurementKind::Spot, records(30, 0.1 * p, at), {});
                m.id = id('m');
                m.session = session;
                point.measurements << m;
            }
            s.rooms.last().points << point;
        }
    }
    Measurement night =
        measurementOf(MeasurementKind::Recording, records(50000, 2, Start), "night.txt");
    night.id = id('m');
    night.session = beforeSession();
    s.rooms[0].points[0].measurements << night;
    return s;
}

} // namespace veltrix::bench
