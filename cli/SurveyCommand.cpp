// SPDX-License-Identifier: GPL-3.0-or-later
// survey: a survey file's rooms, points and measurements from a script. Every action reads the
// file, changes it and writes it back whole; an action that is refused, or a meter that does not
// answer, leaves the file as it was, byte for byte.

#include "Cli.h"
#include "Options.h"
#include "Survey.h"

#include "panel/MeterSession.h"
#include "panel/SharedState.h"
#include "records/RecordFile.h"
#include "records/RecordReader.h"
#include "survey/SurveyProject.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace veltrix::cli {

namespace {

using survey::Measurement;
using survey::MeasurementKind;
using survey::Point;
using survey::Room;
using survey::Survey;

struct Action {
    const char* name;
    int (*run)(const CommandLine& options, const QString& path);
};

std::optional<Survey> loadSurvey(const QString& path)
{
    QString error;
    auto survey = survey::load(path, &error);
    if (!survey)
        complain(error);
    return survey;
}

int saveSurvey(const QString& path, const Survey& survey)
{
    QString error;
    if (survey::save(path, survey, &error))
        return Ok;
    complain(error);
    return Failure;
}

// The value of an option the action cannot do without; empty after saying so.
QString needed(const CommandLine& options, const char* action, QStringView name)
{
    QString value = options.value(name).trimmed();
    if (value.isEmpty())
        complain(SurveyTr::tr("survey %1 needs --%2 (try --help)")
                     .arg(QLatin1String(action), name.toString()));
    return value;
}

Room* roomNamed(Survey& survey, const QString& name)
{
    for (Room& room : survey.rooms) {
        if (room.name == name)
            return &room;
    }
    return nullptr;
}

// The point --point (and --room) name; nullptr after saying why. Names are unique within a room
// only: a name two rooms share needs --room.
Point* namedPoint(Survey& survey, const CommandLine& options, const char* action)
{
    const QString name = needed(options, action, u"point");
    if (name.isEmpty())
        return nullptr;
    const QString roomName = options.value(u"room").trimmed();
    QList<std::pair<Room*, Point*>> found;
    for (Room& room : survey.rooms) {
        if (!roomName.isEmpty() && room.name != roomName)
            continue;
        for (Point& point : room.points) {
            if (point.name == name)
                found.append({&room, &point});
        }
    }
    if (found.size() == 1)
        return found.first().second;
    if (found.isEmpty()) {
        complain(
            roomName.isEmpty()
                ? SurveyTr::tr("the survey has no point '%1'").arg(name)
                : SurveyTr::tr("the survey has no point '%1' in room '%2'").arg(name, roomName));
        return nullptr;
    }
    QStringList rooms;
    for (const auto& [room, point] : found)
        rooms << room->name;
    complain(SurveyTr::tr("rooms %1 each have a point '%2': give --room")
                 .arg(rooms.join(QStringLiteral(", ")), name));
    return nullptr;
}

// The session --session names (one of the survey's), by default the survey's first.
std::optional<QString> chosenSession(const Survey& survey, const CommandLine& options)
{
    if (!options.isSet(u"session"))
        return survey.sessions.isEmpty() ? survey::beforeSession() : survey.sessions.first();
    const QString name = options.value(u"session").trimmed();
    if (survey.sessions.contains(name))
        return name;
    complain(SurveyTr::tr("the survey has no session '%1' (its sessions: %2)")
                 .arg(name, survey.sessions.join(QStringLiteral(", "))));
    return std::nullopt;
}

// The survey, and the point and the session a measurement is added to (the point lives in
// `survey`: a Place stays where it is made).
struct Place {
    Survey survey;
    Point* point = nullptr;
    QString session;
};
// Ok, or the status to exit with after saying why.
int placeOf(const QString& path, const CommandLine& options, const char* action, Place& place)
{
    auto survey = loadSurvey(path);
    if (!survey)
        return Failure;
    place.survey = std::move(*survey);
    place.point = namedPoint(place.survey, options, action);
    if (!place.point)
        return UsageError;
    const auto chosen = chosenSession(place.survey, options);
    if (!chosen)
        return UsageError;
    place.session = *chosen;
    return Ok;
}

// Adds the measurement at its place, with an id of its own, and writes the survey.
int store(const QString& path, Place& place, Measurement m)
{
    m.id = place.survey.newId(u'm');
    m.session = place.session;
    if (!m.taken.isValid())
        m.taken = wallTimeNow();
    const qsizetype rows = m.rows().size();
    place.point->measurements.append(m);
    if (const int status = saveSurvey(path, place.survey))
        return status;
    printOut(SurveyTr::tr("%1: %2, %3 records at '%4' (%5)\n")
                 .arg(m.id, survey::kindKey(m.kind))
                 .arg(rows)
                 .arg(place.point->name, place.session));
    return Ok;
}

// --- new, add-room, add-point --------------------------------------------------------------------

int referencesOf(const CommandLine& options, Survey& survey)
{
    for (const QString& key : options.values(u"reference")) {
        const stats::Reference* ref = stats::findReference(key, survey.mains);
        if (!ref) {
            complain(SurveyTr::tr("unknown reference '%1' (known: %2)")
                         .arg(key, stats::referenceKeys()));
            return UsageError;
        }
        if (!survey.references.contains(ref->key))
            survey.references << ref->key;
    }
    if (options.isSet(u"guidance")) {
        const stats::Reference* ref = stats::findReference(options.value(u"guidance"));
        if (!ref) {
            complain(SurveyTr::tr("unknown guidance '%1' (known: %2)")
                         .arg(options.value(u"guidance"), stats::referenceKeys()));
            return UsageError;
        }
        survey.guidance = ref->key;
    }
    return Ok;
}

// The floor plan of the survey: a PNG or JPEG copied in, the points keeping their places.
bool takePlan(const QString& file, Survey& survey)
{
    QString error;
    const auto image = survey::readPicture(file, &error);
    if (!image) {
        complain(error);
        return false;
    }
    survey.plan.image = *image;
    survey.plan.name = QFileInfo(file).fileName();
    return true;
}

int newAction(const CommandLine& options, const QString& path)
{
    if (QFileInfo::exists(path) && !options.isSet(u"force")) {
        complain(SurveyTr::tr("%1 exists; give --force to replace it").arg(path));
        return Failure;
    }
    Survey survey = survey::newSurvey();
    survey.details.site = options.value(u"site");
    survey.details.client = options.value(u"client");
    survey.details.operatorName = options.value(u"operator");
    survey.mains = options.value(u"mains") == u"60" ? stats::Mains::Hz60 : stats::Mains::Hz50;
    if (options.isSet(u"unit"))
        survey.unit = *reportUnitNamed(options.value(u"unit"));
    if (const int status = referencesOf(options, survey))
        return status;
    for (const QString& given : options.values(u"session")) {
        const QString name = given.trimmed();
        if (name.isEmpty() || survey.sessions.contains(name)) {
            complain(SurveyTr::tr("--session '%1': a session needs a name of its own").arg(given));
            return UsageError;
        }
        survey.sessions << name;
    }
    if (!survey.visitFrom.isValid())
        survey.visitFrom = survey.visitTo = QDate::currentDate();
    if (options.isSet(u"plan") && !takePlan(options.value(u"plan"), survey))
        return Failure;
    return saveSurvey(path, survey);
}

int setPlanAction(const CommandLine& options, const QString& path)
{
    const QString file = needed(options, "set-plan", u"plan");
    if (file.isEmpty())
        return UsageError;
    auto survey = loadSurvey(path);
    if (!survey)
        return Failure;
    if (!takePlan(file, *survey))
        return Failure;
    return saveSurvey(path, *survey);
}

int addRoomAction(const CommandLine& options, const QString& path)
{
    const QString name = needed(options, "add-room", u"room");
    if (name.isEmpty())
        return UsageError;
    auto survey = loadSurvey(path);
    if (!survey)
        return Failure;
    if (roomNamed(*survey, name)) {
        complain(SurveyTr::tr("the survey has a room '%1' already").arg(name));
        return UsageError;
    }
    Room room;
    room.id = survey->newId(u'r');
    room.name = name;
    room.notes = options.value(u"notes");
    survey->rooms.append(room);
    return saveSurvey(path, *survey);
}

// "0.25,0.6": a place on the plan, each fraction from 0 to 1.
std::optional<QPointF> parsePosition(const QString& text)
{
    const QStringList parts = text.split(u',');
    bool okX = false;
    bool okY = false;
    const double x = parts.value(0).trimmed().toDouble(&okX);
    const double y = parts.value(1).trimmed().toDouble(&okY);
    if (parts.size() != 2 || !okX || !okY || x < 0 || x > 1 || y < 0 || y > 1) {
        complain(SurveyTr::tr("--position expects X,Y, each a fraction from 0 to 1 of the "
                              "plan's width and height (0.25,0.6), got '%1'")
                     .arg(text));
        return std::nullopt;
    }
    return QPointF(x, y);
}

int addPointAction(const CommandLine& options, const QString& path)
{
    const QString roomName = needed(options, "add-point", u"room");
    const QString name = roomName.isEmpty() ? QString() : needed(options, "add-point", u"point");
    if (name.isEmpty())
        return UsageError;
    Point point;
    point.name = name;
    point.notes = options.value(u"notes");
    if (options.isSet(u"position") && !(point.position = parsePosition(options.value(u"position"))))
        return UsageError;
    if (options.isSet(u"photo")) {
        QString error;
        const auto photo = survey::readPicture(options.value(u"photo"), &error);
        if (!photo) {
            complain(error);
            return Failure;
        }
        point.photo = *photo;
        point.photoName = QFileInfo(options.value(u"photo")).fileName();
    }
    auto survey = loadSurvey(path);
    if (!survey)
        return Failure;
    Room* room = roomNamed(*survey, roomName);
    if (!room) { // a point's room comes with it
        survey->rooms.append(Room{survey->newId(u'r'), roomName, {}, {}});
        room = &survey->rooms.last();
    }
    for (const Point& other : room->points) {
        if (other.name == name) {
            complain(SurveyTr::tr("room '%1' has a point '%2' already").arg(roomName, name));
            return UsageError;
        }
    }
    point.id = survey->newId(u'p');
    room->points.append(point);
    return saveSurvey(path, *survey);
}

// --- measure, attach -----------------------------------------------------------------------------

// A spot measurement: the samples the meter session takes, one each sampling time, until the
// recorder has its length. Nothing when the meter fell silent or a signal stopped the run.
std::optional<Measurement> spotFromMeter(Session& session, int seconds, int sampling, int& status)
{
    SharedState state;
    MeterSession meter(session.link(), state);
    toolSession(meter);
    meter.setSamplingSeconds(sampling);
    survey::SpotRecorder spot(seconds);
    QObject::connect(&meter, &MeterSession::sampleTaken, &meter,
                     [&](const QDateTime& when, const QString& body) {
                         if (!spot.add(when, body) || spot.done())
                             meter.end();
                     });
    if (stderrIsTerminal())
        complain(SurveyTr::tr("meter %1 on %2: measuring for %3 s; Ctrl-C stops")
                     .arg(session.modelCode(), session.portText())
                     .arg(seconds));
    meter.startSampleClock();
    const bool answered = meter.run();
    if (stopRequested()) {
        status = interruptedStatus();
        return std::nullopt;
    }
    if (!answered || !spot.done()) {
        complain(
            SurveyTr::tr("the meter stopped answering after %1 sample(s)").arg(spot.samples()));
        status = NoAnswer;
        return std::nullopt;
    }
    return spot.measurement();
}

int measureAction(const CommandLine& options, const QString& path)
{
    Place place;
    if (const int status = placeOf(path, options, "measure", place))
        return status;
    Session meter;
    if (const int status = meter.start(options))
        return status;
    if (stopRequested())
        return interruptedStatus();
    int status = Ok;
    const auto m = spotFromMeter(meter, int(options.number(u"seconds")),
                                 int(options.number(u"sampling")), status);
    if (!m) {
        complain(SurveyTr::tr("nothing was added to %1").arg(path));
        return status;
    }
    return store(path, place, *m);
}

// Set N downloaded from the meter into a folder of the moment, as `logger download` saves it.
std::optional<Measurement> loggerSetFromMeter(const CommandLine& options, int set, int& status)
{
    Session meter;
    if ((status = meter.start(options)) != Ok)
        return std::nullopt;
    if (stopRequested()) {
        status = interruptedStatus();
        return std::nullopt;
    }
    QTemporaryDir folder;
    DownloadedSets got;
    if ((status = downloadSets(meter, set, folder.path(), &got)) != Ok)
        return std::nullopt;
    QString error;
    auto m = survey::attachedFile(MeasurementKind::LoggerSet, got.files.value(0), &error);
    if (!m) {
        complain(error);
        status = Failure;
        return std::nullopt;
    }
    m->loggerSet = set;
    m->loggerId = QString::number(got.idCode);
    return m;
}

int attachAction(const CommandLine& options, const QString& path)
{
    const int given = int(options.isSet(u"recording")) + int(options.isSet(u"logger-set")) +
                      int(options.isSet(u"logger-file"));
    if (given != 1) {
        complain(SurveyTr::tr("survey attach needs one of --recording FILE, --logger-set N "
                              "or --logger-file FILE"));
        return UsageError;
    }
    Place place;
    if (const int status = placeOf(path, options, "attach", place))
        return status;
    int status = Failure;
    std::optional<Measurement> m;
    if (options.isSet(u"logger-set")) {
        m = loggerSetFromMeter(options, int(options.number(u"logger-set")), status);
    } else {
        const bool logged = options.isSet(u"logger-file");
        const QString file = options.value(logged ? u"logger-file" : u"recording");
        QString error;
        m = survey::attachedFile(logged ? MeasurementKind::LoggerSet : MeasurementKind::Recording,
                                 file, &error);
        if (!m)
            complain(error);
    }
    if (!m) {
        complain(SurveyTr::tr("nothing was added to %1").arg(path));
        return status;
    }
    return store(path, place, *m);
}

// --- list ----------------------------------------------------------------------------------------

struct Listing {
    const Survey& survey;
    const stats::Reference* guidance;

    std::optional<survey::PointFigures> figures(const Point& point, const QString& session) const
    {
        QString error;
        auto f = survey::pointFigures(point, session, guidance, &error);
        if (!error.isEmpty())
            complain(error);
        return f;
    }
    QString figure(double milliGauss, const stats::Statistics& st) const
    {
        return stats::figureText(milliGauss, survey.unit, st.resolution);
    }
    QString text(const Point& point, const QString& session) const
    {
        const auto f = figures(point, session);
        if (!f)
            return SurveyTr::tr("    %1: no measurement\n").arg(session);
        const stats::Statistics& st = f->statistics;
        return SurveyTr::tr("    %1: %2 measurement(s), mean %3, max %4, 95th percentile %5, "
                            "band: %6\n")
            .arg(session)
            .arg(f->measurements)
            .arg(figure(st.mean, st), figure(st.maximum, st), figure(st.percentile95, st),
                 f->bandName.isEmpty()
                     ? QStringLiteral("-")
                     : f->bandName + (f->bandAtLeast ? SurveyTr::tr(" or higher") : QString()));
    }
    QJsonObject json(const Point& point, const QString& session) const
    {
        const auto f = figures(point, session);
        if (!f)
            return {{QStringLiteral("measurements"), 0}};
        const stats::Statistics& st = f->statistics;
        QJsonObject o{{QStringLiteral("measurements"), f->measurements},
                      {QStringLiteral("readings"), st.readings},
                      {QStringLiteral("overloads"), st.overloads},
                      {QStringLiteral("mean"), st.mean},
                      {QStringLiteral("maximum"), st.maximum},
                      {QStringLiteral("percentile95"), st.percentile95},
                      {QStringLiteral("bandName"), f->bandName},
                      {QStringLiteral("bandAtLeast"), f->bandAtLeast}};
        if (f->band)
            o.insert(QStringLiteral("band"), *f->band);
        return o;
    }
};

QJsonObject measurementJson(const Measurement& m)
{
    QJsonObject o{{QStringLiteral("id"), m.id},
                  {QStringLiteral("kind"), survey::kindKey(m.kind)},
                  {QStringLiteral("session"), m.session},
                  {QStringLiteral("taken"), m.taken.toString(Qt::ISODate)},
                  {QStringLiteral("records"), m.rows().size()},
                  {QStringLiteral("sha256"), m.sha256}};
    if (!m.source.isEmpty())
        o.insert(QStringLiteral("source"), m.source);
    if (m.kind == MeasurementKind::Spot)
        o.insert(QStringLiteral("seconds"), m.plannedSeconds);
    if (m.kind == MeasurementKind::LoggerSet && m.loggerSet > 0)
        o.insert(QStringLiteral("loggerSet"), m.loggerSet);
    if (!m.loggerId.isEmpty())
        o.insert(QStringLiteral("loggerId"), m.loggerId);
    return o;
}

QJsonObject pointJson(const Listing& listing, const Point& point)
{
    QJsonObject o{{QStringLiteral("id"), point.id}, {QStringLiteral("name"), point.name}};
    if (!point.notes.isEmpty())
        o.insert(QStringLiteral("notes"), point.notes);
    if (point.position)
        o.insert(QStringLiteral("position"),
                 QJsonArray{point.position->x(), point.position->y()});
    if (!point.photo.isEmpty())
        o.insert(QStringLiteral("photo"), point.photoName);
    QJsonArray measurements;
    for (const Measurement& m : point.measurements)
        measurements.append(measurementJson(m));
    o.insert(QStringLiteral("measurements"), measurements);
    QJsonObject figures;
    for (const QString& session : listing.survey.sessions)
        figures.insert(session, listing.json(point, session));
    o.insert(QStringLiteral("figures"), figures);
    return o;
}

QByteArray jsonListing(const Listing& listing)
{
    const Survey& s = listing.survey;
    QJsonArray rooms;
    for (const Room& room : s.rooms) {
        QJsonArray points;
        for (const Point& point : room.points)
            points.append(pointJson(listing, point));
        rooms.append(QJsonObject{{QStringLiteral("id"), room.id},
                                 {QStringLiteral("name"), room.name},
                                 {QStringLiteral("points"), points}});
    }
    const QJsonObject o{{QStringLiteral("site"), s.details.site},
                        {QStringLiteral("client"), s.details.client},
                        {QStringLiteral("operator"), s.details.operatorName},
                        {QStringLiteral("mains"), s.mains == stats::Mains::Hz60 ? 60 : 50},
                        {QStringLiteral("references"), QJsonArray::fromStringList(s.references)},
                        {QStringLiteral("guidance"), s.guidance},
                        {QStringLiteral("sessions"), QJsonArray::fromStringList(s.sessions)},
                        {QStringLiteral("unit"), QStringLiteral("mG")}, // of the figures
                        {QStringLiteral("rooms"), rooms}};
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

QString textListing(const Listing& listing)
{
    const Survey& s = listing.survey;
    QString out = SurveyTr::tr("Site: %1\nClient: %2\nSessions: %3\nGuidance: %4\n")
                      .arg(s.details.site, s.details.client, s.sessions.join(QStringLiteral(", ")),
                           listing.guidance ? listing.guidance->name : s.guidance);
    for (const Room& room : s.rooms) {
        out += QStringLiteral("\n%1\n").arg(room.name);
        for (const Point& point : room.points) {
            out += QStringLiteral("  %1").arg(point.name);
            if (point.position)
                out += SurveyTr::tr(" at %1,%2")
                           .arg(point.position->x(), 0, 'g', 3)
                           .arg(point.position->y(), 0, 'g', 3);
            for (const Measurement& m : point.measurements)
                out += SurveyTr::tr("\n    %1 %2 %3 %4 (%5 records)")
                           .arg(m.id, m.session, survey::kindKey(m.kind),
                                m.source.isEmpty() ? m.taken.toString(Qt::ISODate) : m.source)
                           .arg(m.rows().size());
            out += u'\n';
            for (const QString& session : s.sessions)
                out += listing.text(point, session);
        }
    }
    return out;
}

int listAction(const CommandLine& options, const QString& path)
{
    const auto survey = loadSurvey(path);
    if (!survey)
        return Failure;
    const Listing listing{*survey, stats::findReference(survey->guidance, survey->mains)};
    if (options.value(u"format") == u"json") {
        const QByteArray out = jsonListing(listing);
        std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    } else {
        printOut(textListing(listing));
    }
    return std::fflush(stdout) == 0 ? Ok : Failure;
}

const Action Actions[] = {
    {"new", newAction},         {"add-room", addRoomAction}, {"add-point", addPointAction},
    {"measure", measureAction}, {"attach", attachAction},    {"list", listAction},
    {"set-plan", setPlanAction},
};

} // namespace

int runSurvey(const QStringList& args)
{
    CommandLine options;
    if (const int status = options.parse(Command::Survey, args))
        return status;
    const QStringList words = options.positionalArguments();
    for (const Action& a : Actions) {
        if (words.at(1) == QLatin1String(a.name))
            return a.run(options, words.at(2));
    }
    complain(SurveyTr::tr("unknown survey action '%1' (try --help)").arg(words.at(1)));
    return UsageError;
}

} // namespace veltrix::cli
