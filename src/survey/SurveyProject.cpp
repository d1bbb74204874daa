// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/SurveyProject.h"

#include "records/RecordFile.h"
#include "records/RecordReader.h"
#include "survey/Assessment.h"
#include "ui/SaveFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <array>
#include <cmath>

namespace veltrix::survey {

namespace {

// The texts' translation context (lupdate reads it from here).
struct ProjectTr {
    Q_DECLARE_TR_FUNCTIONS(SurveyProject)
};

QString sha256Of(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// PNG and JPEG by their first bytes: what the window and the report can draw.
bool isImage(const QByteArray& bytes)
{
    return bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.startsWith("\xff\xd8\xff");
}

// The report's unit as the file writes it (ASCII, so that the file reads the same anywhere).
QString unitKey(stats::FigureUnit unit)
{
    switch (unit) {
    case stats::FigureUnit::NanoTesla:
        return QStringLiteral("nT");
    case stats::FigureUnit::MilliGauss:
        return QStringLiteral("mG");
    default:
        return QStringLiteral("uT");
    }
}

// --- Writing

QString dateText(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

// With its offset from UTC, so the file says when it was wherever it is read.
QString timeText(const QDateTime& time)
{
    const QDateTime fixed = time.toOffsetFromUtc(time.offsetFromUtc());
    return fixed.toString(time.time().msec() != 0 ? Qt::ISODateWithMs : Qt::ISODate);
}

QString base64(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

// Optional values are left out when they are not set.
void putDate(QJsonObject& o, const char* key, const QDate& date)
{
    if (date.isValid())
        o.insert(QLatin1String(key), dateText(date));
}

QJsonObject measurementJson(const Measurement& m)
{
    QJsonObject o{{"id", m.id},
                  {"kind", kindKey(m.kind)},
                  {"session", m.session},
                  {"source", m.source},
                  {"note", m.note},
                  {"sha256", m.sha256},
                  {"records", base64(m.records)}};
    if (m.taken.isValid())
        o.insert(QLatin1String("taken"), timeText(m.taken));
    if (m.kind == MeasurementKind::Spot)
        o.insert(QLatin1String("plannedSeconds"), m.plannedSeconds);
    if (m.kind == MeasurementKind::LoggerSet) {
        o.insert(QLatin1String("loggerSet"), m.loggerSet);
        o.insert(QLatin1String("loggerId"), m.loggerId);
    }
    return o;
}

QJsonObject pointJson(const Point& p)
{
    QJsonArray measurements;
    for (const Measurement& m : p.measurements)
        measurements.append(measurementJson(m));
    QJsonObject o{{"id", p.id},
                  {"name", p.name},
                  {"notes", p.notes},
                  {"photo", base64(p.photo)},
                  {"photoName", p.photoName},
                  {"measurements", measurements}};
    if (p.position)
        o.insert(QLatin1String("position"), QJsonArray{p.position->x(), p.position->y()});
    return o;
}

QJsonObject roomJson(const Room& r)
{
    QJsonArray points;
    for (const Point& p : r.points)
        points.append(pointJson(p));
    return {{"id", r.id}, {"name", r.name}, {"notes", r.notes}, {"points", points}};
}

QJsonObject headerJson(const Survey& s)
{
    const ReportDetails& d = s.details;
    QJsonObject instrument{{"model", s.instrument.model},
                           {"serial", s.instrument.serial},
                           {"frequencyRange", s.instrument.frequencyRange},
                           {"axes", s.instrument.axes}};
    putDate(instrument, "calibrated", s.instrument.calibrated);
    QJsonObject visit;
    putDate(visit, "from", s.visitFrom);
    putDate(visit, "to", s.visitTo);
    return {{"details", QJsonObject{{"title", d.title},
                                    {"site", d.site},
                                    {"client", d.client},
                                    {"location", d.location},
                                    {"operator", d.operatorName},
                                    {"company", d.company},
                                    {"place", d.place},
                                    {"notes", d.notes}}},
            {"instrument", instrument},
            {"mains", s.mains == stats::Mains::Hz60 ? 60 : 50},
            {"method", s.method},
            {"conclusion", s.conclusion},
            {"recommendations", s.recommendations},
            {"visit", visit},
            {"references", QJsonArray::fromStringList(s.references)},
            {"guidance", s.guidance},
            {"unit", unitKey(s.unit)},
            {"sessions", QJsonArray::fromStringList(s.sessions)}};
}

// --- Reading
//
// Reads values from the file's objects; the first thing wrong is kept, with where it was
// ("room 2, point 'Bed head': measurement m7: ..."), and every later read gives a default.
class Reader {
public:
    QString where;
    QString error;

    bool failed() const { return !error.isEmpty(); }
    void fail(const QString& what)
    {
        if (error.isEmpty())
            error = where.isEmpty() ? what : where + QStringLiteral(": ") + what;
    }

    QString text(const QJsonObject& o, const char* key)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isUndefined() && !v.isString())
            fail(ProjectTr::tr("'%1' must be text").arg(QLatin1String(key)));
        return v.toString();
    }

    int whole(const QJsonObject& o, const char* key, int low, int high)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return low;
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || d != std::floor(d) || d < low || d > high) {
            fail(ProjectTr::tr("'%1' must be a whole number from %2 to %3")
                     .arg(QLatin1String(key))
                     .arg(low)
                     .arg(high));
            return low;
        }
        return int(d);
    }

    QDate date(const QJsonObject& o, const char* key)
    {
        const QString t = text(o, key);
        const QDate d = QDate::fromString(t, Qt::ISODate);
        if (!t.isEmpty() && (!d.isValid() || t.size() != 10))
            fail(ProjectTr::tr("'%1' must be a date as YYYY-MM-DD").arg(QLatin1String(key)));
        return d;
    }

    QDateTime time(const QJsonObject& o, const char* key)
    {
        const QString t = text(o, key);
        QDateTime d = QDateTime::fromString(t, Qt::ISODateWithMs);
        if (!t.isEmpty() && (!d.isValid() || d.timeSpec() == Qt::LocalTime))
            fail(ProjectTr::tr("'%1' must be a date and time with its offset from UTC "
                               "(2026-12-05T15:32:39+01:00)")
                     .arg(QLatin1String(key)));
        return d;
    }

    QByteArray bytes(const QJsonObject& o, const char* key)
    {
        const auto decoded = QByteArray::fromBase64Encoding(
            text(o, key).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            fail(ProjectTr::tr("'%1' is not valid base64").arg(QLatin1String(key)));
        return decoded.decoded;
    }

    QByteArray image(const QJsonObject& o, const char* key)
    {
        QByteArray b = bytes(o, key);
        if (!b.isEmpty() && !isImage(b))
            fail(ProjectTr::tr("'%1' is not a PNG or JPEG image").arg(QLatin1String(key)));
        return b;
    }

    QStringList texts(const QJsonObject& o, const char* key)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        QStringList list;
        for (const QJsonValue item : v.toArray()) {
            if (!item.isString())
                break;
            list << item.toString();
        }
        if (!v.isUndefined() && (!v.isArray() || list.size() != v.toArray().size()))
            fail(ProjectTr::tr("'%1' must be a list of texts").arg(QLatin1String(key)));
        return list;
    }

    QJsonObject object(const QJsonObject& o, const char* key)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isUndefined() && !v.isObject())
            fail(ProjectTr::tr("'%1' must be an object").arg(QLatin1String(key)));
        return v.toObject();
    }

    QJsonArray objects(const QJsonObject& o, const char* key)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        QJsonArray a = v.toArray();
        const bool all = std::all_of(a.begin(), a.end(), [](auto e) { return e.isObject(); });
        if (!v.isUndefined() && (!v.isArray() || !all))
            fail(ProjectTr::tr("'%1' must be a list of objects").arg(QLatin1String(key)));
        return a;
    }

    // An id: not empty, and no other room, point or measurement of the survey has it.
    void id(const QString& id, QSet<QString>& taken)
    {
        if (id.isEmpty())
            fail(ProjectTr::tr("'id' is missing"));
        else if (taken.contains(id))
            fail(ProjectTr::tr("the id '%1' is used twice").arg(id));
        taken.insert(id);
    }
};

std::optional<QPointF> positionOf(Reader& in, const QJsonObject& o)
{
    const QJsonValue v = o.value(QLatin1String("position"));
    if (v.isUndefined() || v.isNull())
        return std::nullopt;
    const QJsonArray a = v.toArray();
    const auto fraction = [](const QJsonValue& e) {
        return e.isDouble() && e.toDouble() >= 0 && e.toDouble() <= 1;
    };
    if (!v.isArray() || a.size() != 2 || !fraction(a[0]) || !fraction(a[1])) {
        in.fail(ProjectTr::tr("'position' must be two numbers from 0 to 1"));
        return std::nullopt;
    }
    return QPointF(a[0].toDouble(), a[1].toDouble());
}

Measurement measurementOfJson(Reader& in, const QJsonObject& o, const QStringList& sessions,
                              QSet<QString>& ids)
{
    Measurement m;
    m.id = in.text(o, "id");
    in.where += QStringLiteral(": ") + ProjectTr::tr("measurement %1").arg(m.id);
    in.id(m.id, ids);
    const QString kind = in.text(o, "kind");
    if (const auto k = kindOfKey(kind))
        m.kind = *k;
    else
        in.fail(ProjectTr::tr("'kind' must be spot, recording or logger-set, not '%1'").arg(kind));
    m.session = in.text(o, "session");
    if (!in.failed() && !sessions.contains(m.session))
        in.fail(ProjectTr::tr("the session '%1' is not one of the survey's sessions (%2)")
                    .arg(m.session, sessions.join(QStringLiteral(", "))));
    m.taken = in.time(o, "taken");
    m.source = in.text(o, "source");
    m.note = in.text(o, "note");
    m.plannedSeconds = in.whole(o, "plannedSeconds", 0, 366 * 86400);
    m.loggerSet = in.whole(o, "loggerSet", 0, 1'000'000);
    m.loggerId = in.text(o, "loggerId");
    m.sha256 = in.text(o, "sha256").toLower();
    m.records = in.bytes(o, "records");
    if (!in.failed() && m.sha256 != sha256Of(m.records))
        in.fail(ProjectTr::tr("its readings do not match their SHA-256 (damaged)"));
    return m;
}

Point pointOfJson(Reader& in, const QJsonObject& o, const QStringList& sessions, QSet<QString>& ids)
{
    Point p;
    const QString room = in.where;
    p.name = in.text(o, "name");
    in.where = room + QStringLiteral(", ") + ProjectTr::tr("point '%1'").arg(p.name);
    p.id = in.text(o, "id");
    in.id(p.id, ids);
    p.notes = in.text(o, "notes");
    p.position = positionOf(in, o);
    p.photo = in.image(o, "photo");
    p.photoName = in.text(o, "photoName");
    const QString point = in.where;
    for (const QJsonValue m : in.objects(o, "measurements")) {
        if (in.failed())
            break;
        in.where = point;
        p.measurements << measurementOfJson(in, m.toObject(), sessions, ids);
    }
    return p;
}

void readHeader(Reader& in, const QJsonObject& top, Survey& s)
{
    in.where = ProjectTr::tr("details");
    const QJsonObject d = in.object(top, "details");
    s.details = {in.text(d, "title"),    in.text(d, "site"),     in.text(d, "client"),
                 in.text(d, "location"), in.text(d, "operator"), in.text(d, "company"),
                 in.text(d, "place"),    in.text(d, "notes")};
    in.where = ProjectTr::tr("instrument");
    const QJsonObject i = in.object(top, "instrument");
    s.instrument = {in.text(i, "model"), in.text(i, "serial"), in.date(i, "calibrated"),
                    in.text(i, "frequencyRange"), in.whole(i, "axes", 0, 3)};
    in.where.clear();
    const int mains = in.whole(top, "mains", 50, 60);
    if (mains != 50 && mains != 60)
        in.fail(ProjectTr::tr("'mains' must be 50 or 60"));
    s.mains = mains == 60 ? stats::Mains::Hz60 : stats::Mains::Hz50;
    s.method = in.text(top, "method");
    s.conclusion = in.text(top, "conclusion");
    s.recommendations = in.text(top, "recommendations");
    const QJsonObject visit = in.object(top, "visit");
    s.visitFrom = in.date(visit, "from");
    s.visitTo = in.date(visit, "to");
    s.references = in.texts(top, "references");
    s.guidance = in.text(top, "guidance");
    const QString unit = in.text(top, "unit");
    if (const auto u = reportUnitNamed(unit))
        s.unit = *u;
    else if (!unit.isEmpty())
        in.fail(ProjectTr::tr("'unit' must be nT, uT or mG"));
    s.sessions = in.texts(top, "sessions");
    for (const QString& name : s.sessions)
        if (name.isEmpty() || s.sessions.count(name) > 1)
            in.fail(ProjectTr::tr("'sessions' must name each session once, none empty"));
    in.where = ProjectTr::tr("plan");
    const QJsonObject plan = in.object(top, "plan");
    s.plan.image = in.image(plan, "image");
    s.plan.name = in.text(plan, "name");
    const QJsonValue aspect = plan.value(QLatin1String("aspect"));
    if (!aspect.isUndefined() && !(aspect.toDouble() >= 0.05 && aspect.toDouble() <= 20))
        in.fail(ProjectTr::tr("'aspect' must be a number from 0.05 to 20"));
    s.plan.aspect = aspect.toDouble(s.plan.aspect);
}

void readRooms(Reader& in, const QJsonObject& top, Survey& s)
{
    QSet<QString> ids;
    int number = 0;
    for (const QJsonValue r : in.objects(top, "rooms")) {
        if (in.failed())
            return;
        const QJsonObject o = r.toObject();
        in.where = ProjectTr::tr("room %1").arg(++number);
        Room room;
        room.id = in.text(o, "id");
        in.id(room.id, ids);
        room.name = in.text(o, "name");
        room.notes = in.text(o, "notes");
        for (const QJsonValue p : in.objects(o, "points")) {
            if (in.failed())
                return;
            in.where = ProjectTr::tr("room %1").arg(number);
            room.points << pointOfJson(in, p.toObject(), s.sessions, ids);
        }
        s.rooms << room;
    }
}

// The number at the end of an id with this prefix ("p12" -> 12), or 0.
int idNumber(QStringView id, QChar prefix)
{
    bool ok = false;
    const int n = id.startsWith(prefix) ? id.mid(1).toInt(&ok) : 0;
    return ok ? n : 0;
}

} // namespace

QString beforeSession()
{
    return QStringLiteral("before");
}

QString afterSession()
{
    return QStringLiteral("after");
}

QString kindKey(MeasurementKind kind)
{
    switch (kind) {
    case MeasurementKind::Recording:
        return QStringLiteral("recording");
    case MeasurementKind::LoggerSet:
        return QStringLiteral("logger-set");
    default:
        return QStringLiteral("spot");
    }
}

std::optional<MeasurementKind> kindOfKey(QStringView key)
{
    for (MeasurementKind k :
         {MeasurementKind::Spot, MeasurementKind::Recording, MeasurementKind::LoggerSet})
        if (key == kindKey(k))
            return k;
    return std::nullopt;
}

QStringList Measurement::rows() const
{
    return recordRows(records);
}

Point* Survey::point(QStringView id)
{
    // Walked without const, so that a survey sharing its rooms with a copy detaches first: a
    // change through the pointer must not reach the copy (the Survey window's undo keeps one).
    for (Room& r : rooms)
        for (Point& p : r.points)
            if (p.id == id)
                return &p;
    return nullptr;
}

const Point* Survey::point(QStringView id) const
{
    for (const Room& r : rooms)
        for (const Point& p : r.points)
            if (p.id == id)
                return &p;
    return nullptr;
}

const Room* Survey::roomOf(QStringView pointId) const
{
    for (const Room& r : rooms)
        for (const Point& p : r.points)
            if (p.id == pointId)
                return &r;
    return nullptr;
}

QString Survey::newId(QChar prefix) const
{
    int top = 0;
    for (const Room& r : rooms) {
        top = std::max(top, idNumber(r.id, prefix));
        for (const Point& p : r.points) {
            top = std::max(top, idNumber(p.id, prefix));
            for (const Measurement& m : p.measurements)
                top = std::max(top, idNumber(m.id, prefix));
        }
    }
    return prefix + QString::number(top + 1);
}

Survey newSurvey()
{
    Survey s;
    s.sessions = {beforeSession(), afterSession()};
    s.guidance = QStringLiteral("buildingbiology");
    s.references = {s.guidance};
    return s;
}

QByteArray toJson(const Survey& survey)
{
    QJsonObject top = headerJson(survey);
    top.insert(QLatin1String("format"), QLatin1String(FormatName));
    top.insert(QLatin1String("version"), FormatVersion);
    top.insert(QLatin1String("plan"), QJsonObject{{"name", survey.plan.name},
                                                  {"aspect", survey.plan.aspect},
                                                  {"image", base64(survey.plan.image)}});
    QJsonArray rooms;
    for (const Room& r : survey.rooms)
        rooms.append(roomJson(r));
    top.insert(QLatin1String("rooms"), rooms);
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

std::optional<Survey> fromJson(const QByteArray& bytes, QString* error)
{
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    Reader in;
    const QJsonObject top = doc.object();
    if (parse.error != QJsonParseError::NoError)
        in.fail(ProjectTr::tr("not a survey file, or a damaged one: %1 at byte %2")
                    .arg(parse.errorString())
                    .arg(parse.offset));
    else if (top.value(QLatin1String("format")).toString() != QLatin1String(FormatName))
        in.fail(ProjectTr::tr("not a survey file"));
    if (!in.failed() && !top.contains(QLatin1String("version")))
        in.fail(ProjectTr::tr("not a survey file: it has no 'version'"));
    const int version = in.whole(top, "version", 1, 1'000'000);
    if (!in.failed() && version > FormatVersion)
        in.fail(
            ProjectTr::tr("written by a newer version (format %1); this program reads format %2")
                .arg(version)
                .arg(FormatVersion));
    Survey s;
    if (!in.failed())
        readHeader(in, top, s);
    if (!in.failed())
        readRooms(in, top, s);
    if (error)
        *error = in.error;
    if (in.failed())
        return std::nullopt;
    return s;
}

bool save(const QString& path, const Survey& survey, QString* error)
{
    const QByteArray bytes = toJson(survey);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
        ui::commitWhole(file))
        return true;
    if (error)
        *error =
            ProjectTr::tr("The survey file %1 cannot be written: %2").arg(path, file.errorString());
    return false;
}

namespace {

// Why a file read whole could not be read; empty when it was. `kind` names what it should be.
QString readProblem(const RecordFileRead& file, qint64 atMost, const QString& kind)
{
    switch (file.error) {
    case RecordFileRead::None:
        return {};
    case RecordFileRead::NotRegular:
        return ProjectTr::tr("not a regular file");
    case RecordFileRead::TooLarge:
        return ProjectTr::tr("larger than %1 MB, not %2").arg(atMost >> 20).arg(kind);
    default:
        return file.reason.isEmpty() ? ProjectTr::tr("it could not be read") : file.reason;
    }
}

} // namespace

std::optional<Survey> load(const QString& path, QString* error)
{
    const RecordFileRead file = readRecordFile(path, MaxFileBytes);
    QString why = readProblem(file, MaxFileBytes, ProjectTr::tr("a survey file"));
    std::optional<Survey> survey;
    if (why.isEmpty())
        survey = fromJson(file.bytes, &why);
    if (!survey && error)
        *error = ProjectTr::tr("The survey file %1 cannot be opened: %2").arg(path, why);
    return survey;
}

Measurement measurementOf(MeasurementKind kind, const QByteArray& records, const QString& source)
{
    Measurement m;
    m.kind = kind;
    m.taken = QDateTime::currentDateTime();
    m.source = source;
    m.records = records;
    m.sha256 = sha256Of(records);
    return m;
}

std::optional<Measurement> attachedFile(MeasurementKind kind, const QString& path,
                                        QString* error)
{
    const RecordFileRead file = readRecordFile(path);
    QString why = readProblem(file, MaxRecordFileBytes, ProjectTr::tr("a record file"));
    if (why.isEmpty()) {
        const QStringList rows = recordRows(file.bytes);
        const RowText row = [&rows](int n) { return QStringView(rows.at(n - 1)); };
        if (!stats::compute(row, int(rows.size()), {}, &why))
            why = ProjectTr::tr("not a record file: %1").arg(why);
    }
    if (!why.isEmpty()) {
        if (error)
            *error = ProjectTr::tr("%1 cannot be attached: %2").arg(path, why);
        return std::nullopt;
    }
    return measurementOf(kind, file.bytes, QFileInfo(path).fileName());
}

std::optional<QByteArray> readPicture(const QString& path, QString* error)
{
    const RecordFileRead file = readRecordFile(path, MaxPictureBytes);
    QString why = readProblem(file, MaxPictureBytes, ProjectTr::tr("a photo or plan"));
    if (why.isEmpty() && !isImage(file.bytes))
        why = ProjectTr::tr("not a PNG or JPEG image");
    if (why.isEmpty())
        return file.bytes;
    if (error)
        *error = ProjectTr::tr("%1 cannot be taken: %2").arg(path, why);
    return std::nullopt;
}

std::optional<PointFigures> pointFigures(const Point& point, const QString& session,
                                         const stats::Reference* guidance, QString* error)
{
    PointFigures f;
    QList<QStringList> tables;
    QString unreadable;
    for (const Measurement& m : point.measurements) {
        if (m.session != session)
            continue;
        ++f.measurements;
        tables << m.rows();
        if (tables.last().isEmpty() && unreadable.isEmpty())
            unreadable = ProjectTr::tr("measurement %1 holds no records").arg(m.id);
    }
    if (error)
        *error = unreadable;
    // One feed through every measurement of the session: one set of figures for the point.
    const stats::RowFeed feed = [&tables](const stats::RowVisitor& row, QString*) {
        int number = 0;
        for (const QStringList& rows : tables)
            for (const QString& r : rows)
                row(++number, r);
        return true;
    };
    stats::Options options;
    options.unit = Unit::MilliGauss;
    QString why;
    const auto st = tables.isEmpty() ? std::nullopt : stats::compute(feed, options, &why);
    if (!st) {
        if (error && unreadable.isEmpty())
            *error = why;
        return std::nullopt;
    }
    f.statistics = *st;
    const auto compared = guidance ? stats::comparedFigure(*guidance, *st) : std::nullopt;
    if (!compared || guidance->lines.isEmpty())
        return f;
    const int reached = stats::linesReached(*guidance, compared->milliGauss);
    f.band = reached;
    // Overloads are left out of every figure but the maximum: any figure may then be higher.
    f.bandAtLeast = (compared->atLeast || st->overloads > 0) && reached < guidance->lines.size();
    if (!guidance->bands.isEmpty())
        f.bandName = guidance->bands.value(reached);
    else if (reached == 0)
        f.bandName = ProjectTr::tr("below %1").arg(guidance->lines.first().name);
    else
        f.bandName = ProjectTr::tr("above %1").arg(guidance->lines[reached - 1].name);
    return f;
}

int bandCount(const stats::Reference* guidance)
{
    if (!guidance || guidance->lines.isEmpty())
        return 0;
    return guidance->bands.isEmpty() ? int(guidance->lines.size()) + 1
                                     : int(guidance->bands.size());
}

quint32 bandRgb(std::optional<int> band, int count)
{
    // Green, yellow, orange, red: each dark enough to read on white and a hue of its own.
    static constexpr std::array<quint32, 4> Stops = {0x2ca02c, 0xd4a800, 0xe8710a, 0xd62728};
    if (!band || count <= 0)
        return 0x9e9e9e;
    if (count == 1)
        return Stops[0];
    const double at = std::clamp(double(*band) / (count - 1), 0.0, 1.0) * (Stops.size() - 1);
    const auto low = std::min(size_t(at), Stops.size() - 2);
    const double t = at - double(low);
    quint32 rgb = 0;
    for (int shift : {16, 8, 0}) {
        const double a = (Stops[low] >> shift) & 0xff, b = (Stops[low + 1] >> shift) & 0xff;
        rgb |= quint32(std::lround(a + (b - a) * t)) << shift;
    }
    return rgb;
}

SpotRecorder::SpotRecorder(int seconds) : m_seconds(std::max(1, seconds)) {}

bool SpotRecorder::add(const QDateTime& when, const QString& body)
{
    if (m_done)
        return false;
    if (!m_first.isValid())
        m_first = when;
    else if (when >= m_first.addSecs(m_seconds)) {
        m_done = true;
        return false;
    }
    m_rows << QString::number(++m_samples) + u'\t' + body;
    return true;
}

bool SpotRecorder::done() const
{
    return m_done;
}

Measurement SpotRecorder::measurement() const
{
    Measurement m = measurementOf(MeasurementKind::Spot, tableFileBytes(m_rows), QString());
    m.plannedSeconds = m_seconds;
    m.taken = m_first;
    return m;
}

} // namespace veltrix::survey
