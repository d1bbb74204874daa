// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/ProjectReport.h"

#include "survey/Assessment.h"
#include "survey/ReportGeometry.h"
#include "survey/ReportPage.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace veltrix::survey {

using namespace pdf;

namespace {

const QColor Marker(40, 40, 40);
constexpr double MarkerRadius = 8;
constexpr double LegendRow = 13;

// A point as the report numbers it (1..N in room order, as on the plan), with its figures in
// every session (nothing where it has none).
struct NumberedPoint {
    const Room* room = nullptr;
    const Point* point = nullptr;
    int number = 0;
    QList<std::optional<PointFigures>> figures; // by session
    QStringList unreadable;                     // why a measurement could not be read, by session
};

// A recording or logger set long enough for a page of its own, with its figures and chart.
struct LongRecording {
    const NumberedPoint* at = nullptr;
    const Measurement* measurement = nullptr;
    Statistics st;
};

// The report's fields as a single recording's report has them.
ReportRequest requestOf(const Survey& s)
{
    ReportRequest r;
    r.details = s.details;
    r.instrument = s.instrument;
    r.mains = s.mains;
    r.method = s.method;
    r.conclusion = s.conclusion;
    r.recommendations = s.recommendations;
    r.references = s.references;
    r.unit = s.unit;
    return r;
}

struct Project {
    explicit Project(const Survey& s) : survey(s), request(requestOf(s)) {}

    const Survey& survey;
    ReportRequest request;
    const Reference* guidance = nullptr;
    QStringList sessions;
    QList<NumberedPoint> points;
    QList<LongRecording> recordings;
    int markedSession = -1; // the last session with figures: the plan's colours; -1: none
    Statistics none;        // for the blocks that take no figures
    RecordsTable noRecords;

    Content content(const Statistics& st) const
    {
        return {request, st, noRecords, chartLevels(reportOptions(request)), referencesOf(request)};
    }
    QString figure(double milliGauss, const Statistics& st) const
    {
        return figureText(milliGauss, survey.unit, st.resolution, ui::displayLocale());
    }
};

// The survey's sessions in their order, then any a measurement names that the list lacks.
QStringList sessionsOf(const Survey& s)
{
    QStringList sessions = s.sessions;
    for (const Room& room : s.rooms)
        for (const Point& p : room.points)
            for (const Measurement& m : p.measurements)
                if (!sessions.contains(m.session))
                    sessions << m.session;
    return sessions;
}

// The long recordings and logger sets, each with the figures and chart of a record report.
QList<LongRecording> longRecordings(const Project& pr)
{
    QList<LongRecording> out;
    const Options options = reportOptions(pr.request);
    for (const NumberedPoint& np : pr.points) {
        for (const Measurement& m : np.point->measurements) {
            if (m.kind == MeasurementKind::Spot)
                continue;
            const QStringList rows = m.rows();
            const auto st =
                compute([&rows](int i) { return rows.value(i - 1); }, int(rows.size()), options);
            if (st && st->duration >= LongRecordingMs)
                out.append({&np, &m, *st});
        }
    }
    return out;
}

Project projectOf(const Survey& survey)
{
    Project pr(survey);
    pr.guidance = findReference(survey.guidance, survey.mains);
    pr.sessions = sessionsOf(survey);
    int number = 0;
    for (const Room& room : survey.rooms) {
        for (const Point& p : room.points) {
            NumberedPoint np{&room, &p, ++number, {}, {}};
            for (qsizetype s = 0; s < pr.sessions.size(); ++s) {
                QString why;
                np.figures << pointFigures(p, pr.sessions[s], pr.guidance, &why);
                np.unreadable << why;
                if (np.figures.last())
                    pr.markedSession = std::max(pr.markedSession, int(s));
            }
            pr.points << np;
        }
    }
    pr.recordings = longRecordings(pr);
    return pr;
}

QString sessionName(const QString& session)
{
    if (session == beforeSession())
        return Tr::tr("before");
    if (session == afterSession())
        return Tr::tr("after");
    return session;
}

QString bandText(const PointFigures& f)
{
    if (f.bandName.isEmpty())
        return QStringLiteral("-");
    return f.bandAtLeast ? Tr::tr("%1 (or higher)").arg(f.bandName) : f.bandName;
}

// The figure the points are compared by: the guidance's, else the 95th percentile.
Statistic comparedStatistic(const Project& pr)
{
    return pr.guidance ? pr.guidance->statistic : Statistic::Percentile95;
}

double statisticOf(Statistic s, const Statistics& st)
{
    switch (s) {
    case Statistic::Mean:
        return st.mean;
    case Statistic::Maximum:
        return st.maximum;
    case Statistic::Median:
        return st.median;
    case Statistic::Percentile95:
        return st.percentile95;
    }
    return st.maximum;
}

QString guidanceText(const Project& pr)
{
    if (pr.guidance)
        return pr.guidance->name;
    return pr.survey.guidance.isEmpty()
               ? Tr::tr("none chosen")
               : Tr::tr("%1 is not known here (a reference file of your own must be loaded first)")
                     .arg(pr.survey.guidance);
}

// The survey's references this program does not know (a user's set whose file is not loaded).
QString unknownReferences(const Survey& s)
{
    QStringList keys;
    for (const QString& key : s.references)
        if (!findReference(key, s.mains))
            keys << key;
    return keys.isEmpty() ? QString()
                          : Tr::tr("references %1: their files are not loaded, they are left out")
                                .arg(keys.join(QStringLiteral(", ")));
}

// Title, site, client, the visit, who measured; the instrument, the method and the mains; the
// guidance and the references with their sources.
void drawFirstPage(Pages& pg, const Project& pr)
{
    const ReportDetails& d = pr.survey.details;
    drawTitle(pg, d);
    const QDate from = pr.survey.visitFrom, to = pr.survey.visitTo;
    const QString visit =
        !from.isValid() ? QString()
        : (!to.isValid() || to == from)
            ? ui::dateText(from)
            : Tr::tr("%1 to %2").arg(ui::dateText(from), ui::dateText(to));
    int measurements = 0;
    for (const NumberedPoint& np : pr.points)
        measurements += int(np.point->measurements.size());
    keyValueRows(pg, pg.left(), pg.width(), Columns::Labels,
                 filled({{Tr::tr("Client"), d.client},
                         {Tr::tr("Measured by"), measuredBy(d)},
                         {Tr::tr("Visit"), visit},
                         {Tr::tr("Survey"),
                          Tr::tr("%n point(s) in %1, %2 measurement(s), sessions: %3", nullptr,
                                 int(pr.points.size()))
                              .arg(Tr::tr("%n room(s)", nullptr, int(pr.survey.rooms.size())))
                              .arg(measurements)
                              .arg(QStringList(pr.sessions).join(QStringLiteral(", ")))},
                         {Tr::tr("Guidance"), guidanceText(pr)},
                         {Tr::tr("Not found"), unknownReferences(pr.survey)},
                         {Tr::tr("Report written"), nowText()},
                         {Tr::tr("Notes"), d.notes}}));
    const Content c = pr.content(pr.none);
    drawInstrument(pg, c);
    drawReferences(pg, c);
}

// The summary table's columns: number, point, session, mean, maximum, 95th percentile, band.
struct SummaryTable {
    QList<double> widths;
    QStringList heads;
};

struct SummaryRow {
    QStringList cells;
    bool change = false; // a line across the table: the change between two sessions
};

QString changeText(const Project& pr, const NumberedPoint& np)
{
    int a = -1, b = -1;
    for (qsizetype s = 0; s < np.figures.size() && b < 0; ++s)
        if (np.figures[s] && np.figures[s]->statistics.readings > 0)
            (a < 0 ? a : b) = int(s);
    if (b < 0)
        return {};
    const PointFigures& fa = *np.figures[a];
    const PointFigures& fb = *np.figures[b];
    const Statistic statistic = comparedStatistic(pr);
    const double va = statisticOf(statistic, fa.statistics),
                 vb = statisticOf(statistic, fb.statistics);
    const Statistics& finer =
        fa.statistics.resolution <= fb.statistics.resolution ? fa.statistics : fb.statistics;
    QString diff = pr.figure(vb - va, finer);
    if (vb - va > 0)
        diff.prepend(u'+');
    if (va > 0)
        diff += QStringLiteral(" (%1%2 %)")
                    .arg(vb > va ? QStringLiteral("+") : QString())
                    .arg(ui::numberText((vb - va) / va * 100, 0));
    QString text = Tr::tr("Change %1 \u2192 %2, %3: %4")
                       .arg(sessionName(pr.sessions[a]), sessionName(pr.sessions[b]),
                            statisticName(statistic), diff);
    if (pr.guidance)
        text += Tr::tr("; band %1 \u2192 %2").arg(bandText(fa), bandText(fb));
    return text;
}

QList<SummaryRow> summaryRows(const Project& pr, const NumberedPoint& np)
{
    QList<SummaryRow> rows;
    for (qsizetype s = 0; s < pr.sessions.size(); ++s) {
        const auto& f = np.figures[s];
        QStringList cells = {QString(), QString(), sessionName(pr.sessions[s])};
        if (f && f->statistics.readings > 0) {
            const Statistics& st = f->statistics;
            cells << pr.figure(st.mean, st) << pr.figure(st.maximum, st)
                  << pr.figure(st.percentile95, st) << bandText(*f);
        } else if (f || !np.unreadable[s].isEmpty()) {
            cells << Tr::tr("no reading") << QString() << QString() << QString();
        } else {
            continue;
        }
        rows.append({cells});
    }
    if (rows.isEmpty())
        rows.append({{QString(), QString(), Tr::tr("no measurement"), QString(), QString(),
                      QString(), QString()}});
    rows.first().cells[0] = QString::number(np.number);
    rows.first().cells[1] = np.point->name;
    const QString change = changeText(pr, np);
    if (!change.isEmpty())
        rows.append({{change}, true});
    return rows;
}

SummaryTable summaryTable(Pages& pg, const QList<QList<SummaryRow>>& all)
{
    SummaryTable t;
    t.heads = {Tr::tr("No."),     Tr::tr("Point"),     Tr::tr("Session"), Tr::tr("Mean"),
               Tr::tr("Maximum"), Tr::tr("95th pct."), Tr::tr("Band")};
    QList<double> natural;
    for (qsizetype k = 0; k < t.heads.size(); ++k) {
        double w = pg.textWidth(t.heads[k], font(8, true));
        for (const auto& rows : all)
            for (const SummaryRow& row : rows)
                if (!row.change)
                    w = std::max(w, pg.textWidth(row.cells[k], font(8.5)));
        natural << w + 1;
    }
    // The band's name wraps when the point's name needs the room.
    natural[6] = std::min(natural[6], 90.0);
    t.widths = report::columnWidths(natural, pg.width(), Columns::CellGap, 1, 80);
    return t;
}

// Every point in every session: mean, maximum, 95th percentile and band, the rooms as
// headings over their points, the change between the first two sessions under each point.
void drawSummary(Pages& pg, const Project& pr)
{
    QList<QList<SummaryRow>> all;
    for (const NumberedPoint& np : pr.points)
        all << summaryRows(pr, np);
    const SummaryTable t = summaryTable(pg, all);
    const auto rowHeight = [&](const QStringList& cells, const QFont& f) {
        double h = 0;
        for (qsizetype k = 0; k < cells.size(); ++k)
            h = std::max(h, pg.textHeight(cells[k], f, t.widths[k]));
        return h;
    };
    const auto drawRow = [&](const QStringList& cells, const QFont& f, const QColor& colour) {
        double x = pg.left();
        for (qsizetype k = 0; k < cells.size(); ++k) {
            pg.text(x, pg.y, t.widths[k], cells[k], f, colour);
            x += t.widths[k] + Columns::CellGap;
        }
    };
    const double headHeight = rowHeight(t.heads, font(8, true)) + 3;
    const auto head = [&] {
        drawRow(t.heads, font(8, true), Grey);
        pg.y += headHeight;
    };
    pg.heading(Tr::tr("Summary of the points (%1)").arg(figureUnitText(pr.survey.unit)),
               headHeight + 40);
    head();
    const Room* room = nullptr;
    for (qsizetype i = 0; i < pr.points.size(); ++i) {
        const NumberedPoint& np = pr.points[i];
        double h = 0;
        for (const SummaryRow& row : all[i])
            h += row.change ? 12 : rowHeight(row.cells, font(8.5)) + 2;
        const bool newRoom = np.room != room;
        const int page = pg.page();
        pg.ensure(h + (newRoom ? 16 : 0) + 4);
        if (pg.page() != page)
            head();
        if (newRoom) {
            room = np.room;
            pg.y += 3;
            pg.y += pg.text(pg.left(), pg.y, pg.width(), room->name, font(9.5, true)) + 2;
        }
        for (const SummaryRow& row : all[i]) {
            if (row.change) {
                pg.y += pg.text(pg.left() + t.widths[0] + Columns::CellGap, pg.y,
                                pg.width() - t.widths[0] - Columns::CellGap, row.cells[0],
                                font(8, false, false, true), Grey) +
                        1;
            } else {
                const double rh = rowHeight(row.cells, font(8.5));
                drawRow(row.cells, font(8.5), Ink);
                pg.y += rh + 2;
            }
        }
        pg.line(pg.left(), pg.y + 1, pg.right(), pg.y + 1, Rule, 0.4);
        pg.y += 4;
    }
}

// The bands of the guidance by name, with their colours, and "no measurement".
QList<std::pair<QString, quint32>> bandLegend(const Project& pr)
{
    QList<std::pair<QString, quint32>> entries;
    const int count = bandCount(pr.guidance);
    for (int b = 0; b < count; ++b) {
        const Reference& g = *pr.guidance;
        const QString name = !g.bands.isEmpty() ? g.bands.value(b)
                             : b == 0           ? Tr::tr("below %1").arg(g.lines.first().name)
                                                : Tr::tr("above %1").arg(g.lines[b - 1].name);
        entries.append({name, bandRgb(b, count)});
    }
    entries.append({Tr::tr("no measurement"), bandRgb(std::nullopt, count)});
    return entries;
}

// The plan scaled into `area` at its proportions: where it goes.
QRectF fitted(const QRectF& area, double aspect)
{
    double w = area.width(), h = w / aspect;
    if (h > area.height()) {
        h = area.height();
        w = h * aspect;
    }
    return QRectF(area.left() + (area.width() - w) / 2, area.top(), w, h);
}

void drawGrid(QPainter* p, const QRectF& r)
{
    p->fillRect(QRectF(r.topLeft() * K, r.size() * K), QColor(250, 250, 250));
    p->setPen(QPen(QColor(215, 215, 215), 0.4 * K));
    const double step = std::max(r.width(), r.height()) / 20;
    for (int i = 0; r.left() + i * step <= r.right() + 0.01; ++i) {
        const double x = r.left() + i * step;
        p->drawLine(QPointF(x * K, r.top() * K), QPointF(x * K, r.bottom() * K));
    }
    for (int i = 0; r.top() + i * step <= r.bottom() + 0.01; ++i) {
        const double y = r.top() + i * step;
        p->drawLine(QPointF(r.left() * K, y * K), QPointF(r.right() * K, y * K));
    }
    p->setPen(QPen(Grey, 0.8 * K));
    p->drawRect(QRectF(r.topLeft() * K, r.size() * K));
}

void drawMarker(Pages& pg, QPointF centre, int number, quint32 rgb)
{
    if (QPainter* p = pg.painter()) {
        p->setPen(QPen(Marker, 0.8 * K));
        p->setBrush(QColor::fromRgb(rgb));
        p->drawEllipse(centre * K, MarkerRadius * K, MarkerRadius * K);
        p->setBrush(Qt::NoBrush);
    }
    // The number in white on the darker colours, in black on yellow and grey.
    const QColor fill = QColor::fromRgb(rgb);
    const double luma = 0.299 * fill.red() + 0.587 * fill.green() + 0.114 * fill.blue();
    const QColor ink = luma > 150 ? Ink : QColor(Qt::white);
    pg.text(centre.x() - MarkerRadius, centre.y() - 5.5, 2 * MarkerRadius, QString::number(number),
            font(7.5, true), ink, Qt::AlignHCenter);
}

// The bands' colours and names in rows under the plan.
void drawBandLegend(Pages& pg, const Project& pr)
{
    const auto entries = bandLegend(pr);
    QList<double> widths;
    for (const auto& e : entries)
        widths << 14 + pg.textWidth(e.first, font(8));
    const QList<report::FlowPlace> places = report::flowRows(widths, pg.width(), 16);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const double x = pg.left() + places[i].x, y = pg.y + places[i].row * LegendRow;
        if (QPainter* p = pg.painter())
            p->fillRect(QRectF(x * K, (y + 1) * K, 9 * K, 9 * K),
                        QColor::fromRgb(entries[i].second));
        pg.text(x + 13, y, widths[i], entries[i].first, font(8));
    }
    pg.y += (places.isEmpty() ? 0 : places.last().row + 1) * LegendRow + 4;
}

// The floor plan (or a blank grid) with the points that have a place as numbered markers
// coloured by their band in the last session with figures.
void drawPlan(Pages& pg, const Project& pr, ProjectReportLayout* layout)
{
    const bool placed = std::any_of(pr.points.begin(), pr.points.end(),
                                    [](const auto& np) { return np.point->position.has_value(); });
    if (!placed)
        return;
    pg.next();
    pg.heading(Tr::tr("Floor plan"), 200);
    const QImage image = QImage::fromData(pr.survey.plan.image);
    const bool pictured = !image.isNull() && image.width() > 0 && image.height() > 0;
    const double aspect = pictured ? double(image.width()) / image.height()
                                   : std::clamp(pr.survey.plan.aspect, 0.1, 10.0);
    const QString session =
        pr.markedSession >= 0 ? sessionName(pr.sessions[pr.markedSession]) : QString();
    QString note = !pr.guidance
                       ? Tr::tr("No guidance chosen: the markers show the points' places only.")
                   : pr.markedSession < 0
                       ? Tr::tr("No point has a measurement yet.")
                       : Tr::tr("Markers coloured by the band of each point's %1 in the session "
                                "\"%2\", the last one measured.")
                             .arg(statisticName(comparedStatistic(pr)).toLower(), session);
    if (!pictured && !pr.survey.plan.image.isEmpty())
        note += u' ' + Tr::tr("The plan's image could not be read: a blank grid stands for it.");
    const double below = pg.textHeight(note, font(8), pg.width()) + 6 + 3 * LegendRow;
    // A marker's room around the plan: a point on its edge stays off the heading and the note.
    const QRectF area = fitted(QRectF(pg.left(), pg.y, pg.width(), pg.bottom() - pg.y - below)
                                   .adjusted(MarkerRadius, MarkerRadius, -MarkerRadius,
                                             -MarkerRadius),
                               aspect);
    if (QPainter* p = pg.painter()) {
        if (pictured)
            p->drawImage(QRectF(area.topLeft() * K, area.size() * K), image);
        else
            drawGrid(p, area);
    }
    const int count = bandCount(pr.guidance);
    for (const NumberedPoint& np : pr.points) {
        if (!np.point->position)
            continue;
        const QPointF at(area.left() + std::clamp(np.point->position->x(), 0.0, 1.0) * area.width(),
                         area.top() +
                             std::clamp(np.point->position->y(), 0.0, 1.0) * area.height());
        const auto& f = pr.markedSession >= 0 ? np.figures[pr.markedSession] : std::nullopt;
        drawMarker(pg, at, np.number, bandRgb(f ? f->band : std::nullopt, count));
        if (layout)
            layout->markers << at;
    }
    if (layout)
        layout->planPage = pg.page();
    pg.y = area.bottom() + MarkerRadius + 4;
    pg.y += pg.text(pg.left(), pg.y, pg.width(), note, font(8), Grey) + 4;
    drawBandLegend(pg, pr);
}

QString kindText(MeasurementKind kind)
{
    return kind == MeasurementKind::LoggerSet ? Tr::tr("Logger set") : Tr::tr("Recording");
}

// A page for each long recording: where and when it was taken, the file it came from, its
// figures and its chart.
void drawRecordings(Pages& pg, const Project& pr, ProjectReportLayout* layout)
{
    for (const LongRecording& r : pr.recordings) {
        pg.next();
        const Measurement& m = *r.measurement;
        pg.heading(Tr::tr("%1 at point %2, %3")
                       .arg(kindText(m.kind))
                       .arg(r.at->number)
                       .arg(r.at->point->name),
                   60);
        QString source = m.source;
        if (m.kind == MeasurementKind::LoggerSet && m.loggerSet > 0)
            source +=
                Tr::tr(" (set %1 of the logger%2)")
                    .arg(m.loggerSet)
                    .arg(m.loggerId.isEmpty() ? QString() : Tr::tr(", ID code %1").arg(m.loggerId));
        keyValueRows(pg, pg.left(), pg.width(), Columns::Labels,
                     filled({{Tr::tr("Room"), r.at->room->name},
                             {Tr::tr("Session"), sessionName(m.session)},
                             {Tr::tr("Period"), Tr::tr("%1 to %2 (%3)")
                                                    .arg(whenText(r.st.first), whenText(r.st.last),
                                                         lengthText(r.st.duration))},
                             {Tr::tr("Record data"), source},
                             {Tr::tr("Note"), m.note}}));
        keyValueRows(pg, pg.left(), pg.width(), Columns::Labels, {{Tr::tr("SHA-256"), m.sha256}},
                     true);
        const Content c = pr.content(r.st);
        drawFigures(pg, c);
        drawChart(pg, c, nullptr, Tr::tr("The whole recording"));
        if (layout)
            ++layout->recordingPages;
    }
}

void bullet(Pages& pg, const QString& text)
{
    const double indent = 12;
    pg.ensure(pg.textHeight(text, font(9), pg.width() - indent));
    pg.text(pg.left() + 2, pg.y, indent, QStringLiteral("\u2022"), font(9));
    pg.y += pg.text(pg.left() + indent, pg.y, pg.width() - indent, text, font(9)) + 2;
}

// One line per point and session by the guidance; then, for each reference, the sentence for
// the point whose figure it compares is highest.
void drawProjectAssessment(Pages& pg, const Project& pr)
{
    pg.heading(Tr::tr("Assessment"), 40);
    if (pr.guidance)
        pg.y += pg.text(pg.left(), pg.y, pg.width(), Tr::tr("By %1:").arg(pr.guidance->phrase),
                        font(9.5, true)) +
                3;
    // The guidance is named once above: each line without it.
    const QString byGuidance = pr.guidance ? Tr::tr(" by %1").arg(pr.guidance->phrase) : QString();
    for (const NumberedPoint& np : pr.points) {
        for (qsizetype s = 0; s < pr.sessions.size(); ++s) {
            const auto& f = np.figures[s];
            if (!f || !pr.guidance)
                continue;
            const Statistics& st = f->statistics;
            const QString sentence =
                assessment(*pr.guidance, st, [&](double mg) { return pr.figure(mg, st); });
            bullet(pg, Tr::tr("%1 %2, %3: %4")
                           .arg(np.number)
                           .arg(np.point->name, sessionName(pr.sessions[s]),
                                QString(sentence).remove(byGuidance)));
        }
    }
    const Content c = pr.content(pr.none);
    for (const Reference* ref : c.references) {
        const NumberedPoint* top = nullptr;
        const PointFigures* topFigures = nullptr;
        QString topSession;
        double highest = -1;
        for (const NumberedPoint& np : pr.points)
            for (qsizetype s = 0; s < pr.sessions.size(); ++s)
                if (const auto& f = np.figures[s])
                    if (const auto cf = comparedFigure(*ref, f->statistics);
                        cf && cf->milliGauss > highest) {
                        highest = cf->milliGauss;
                        top = &np;
                        topFigures = &*f;
                        topSession = pr.sessions[s];
                    }
        if (!top)
            continue;
        const Statistics& st = topFigures->statistics;
        const QString sentence = assessment(*ref, st, [&](double mg) { return pr.figure(mg, st); });
        if (!sentence.isEmpty())
            bullet(pg, Tr::tr("The highest point for %1: %2 %3, %4: %5")
                           .arg(ref->name)
                           .arg(top->number)
                           .arg(top->point->name, sessionName(topSession), sentence));
    }
    pg.y += 4;
    labelledParagraph(pg, Tr::tr("Conclusion"), pr.survey.conclusion);
    labelledParagraph(pg, Tr::tr("Recommendations"), pr.survey.recommendations);
}

void render(Pages& pg, const Project& pr, ProjectReportLayout* layout)
{
    drawFirstPage(pg, pr);
    drawSummary(pg, pr);
    drawPlan(pg, pr, layout);
    drawRecordings(pg, pr, layout);
    pg.next();
    drawProjectAssessment(pg, pr);
    drawSignOff(pg, pr.content(pr.none));
}

} // namespace

bool writeProjectReport(const QString& path, const Survey& survey, QString* error,
                        ProjectReportLayout* layout)
{
    const Project pr = projectOf(survey);
    const QString title = survey.details.title.trimmed().isEmpty() ? Tr::tr("Magnetic field survey")
                                                                   : survey.details.title.trimmed();
    QString footer = title;
    if (!survey.details.site.trimmed().isEmpty())
        footer += QStringLiteral("  |  ") + survey.details.site.trimmed();
    ProjectReportLayout drawn;
    const auto draw = [&](Pages& pg, bool drawing) {
        drawn = {};
        render(pg, pr, drawing ? &drawn : nullptr);
    };
    int total = 0;
    if (!writePdf(path, pageSizeOf(pr.request), title, footer, draw, error, &total))
        return false;
    drawn.pages = total;
    if (layout)
        *layout = drawn;
    return true;
}

} // namespace veltrix::survey
