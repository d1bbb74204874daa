// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A survey project: one site visit as one file a user can send. The site, the client, the
// instrument and the method (what a report holds), the mains frequency and the chosen
// references; the rooms and their measuring points (name, notes, a place on the floor plan, a
// photo); and for each point its measurements, each made in a session ("before", "after" or a
// name of the user's).
//
// Every measurement keeps its readings as the bytes of a record file: a spot measurement as the
// recorder would have written its samples, an attached recording or a downloaded logger set as
// the file was, byte for byte, with its SHA-256. So one reader and one set of figures serve all
// three, and a copy can be checked against the file it came from.
//
// The file is JSON alone, the readings, the plan and the photos inline (base64); the format is
// in docs/survey-format.md. Plain code, no window: the Survey window, the survey report and
// `veltrix-cli survey` all work on this.

#include "survey/ReferenceLevels.h"
#include "survey/ReportRequest.h"
#include "survey/Statistics.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>

namespace veltrix::survey {

// The format's name and the version this program writes; a file of a higher version is refused
// (its newer fields could not be kept on saving).
inline constexpr char FormatName[] = "veltrix-survey";
inline constexpr int FormatVersion = 1;
// Larger files are refused before they are read: a survey with a year of nights inline stays
// far below it.
inline constexpr qint64 MaxFileBytes = qint64(1) << 30;

// The sessions a new survey offers; the user adds names of their own.
QString beforeSession(); // "before"
QString afterSession();  // "after"

enum class MeasurementKind { Spot, Recording, LoggerSet };
// "spot", "recording", "logger-set": as the file writes them.
QString kindKey(MeasurementKind kind);
std::optional<MeasurementKind> kindOfKey(QStringView key);

struct Measurement {
    QString id; // unique in the survey, kept across saves
    MeasurementKind kind = MeasurementKind::Spot;
    QString session;
    QDateTime taken; // when it was measured or attached (with its offset from UTC)
    QString source;  // the file name it came from (recording, logger set); empty for a spot
    QString note;
    QByteArray records; // a record file's bytes
    QString sha256;     // hex, of `records`
    int plannedSeconds = 0; // spot: the length asked for
    int loggerSet = 0;      // logger set: the set's number in the meter's memory (0: not known)
    QString loggerId;       // logger set: the meter's ID code, when it was read

    // The record rows of `records` (no header lines).
    QStringList rows() const;
};

struct Point {
    QString id;
    QString name;
    QString notes;
    std::optional<QPointF> position; // on the plan, as fractions (0..1) of its width and height
    QByteArray photo;                // PNG or JPEG bytes; empty: none
    QString photoName;
    QList<Measurement> measurements;
};

struct Room {
    QString id;
    QString name;
    QString notes;
    QList<Point> points;
};

// The site's floor plan: an image the user opened (PNG or JPEG), or, without one, a blank grid
// of the given proportions.
struct FloorPlan {
    QByteArray image;
    QString name;
    double aspect = 297.0 / 210.0; // width / height of the blank grid
};

struct Survey {
    ReportDetails details;
    Instrument instrument;
    stats::Mains mains = stats::Mains::Hz50;
    QString method;
    QString conclusion;
    QString recommendations;
    QDate visitFrom, visitTo;
    QStringList references; // keys of the chosen reference sets
    QString guidance;       // the reference whose bands colour the points: "buildingbiology"
    stats::FigureUnit unit = stats::FigureUnit::MicroTesla;
    QStringList sessions; // in their order: "before", "after", then the user's
    FloorPlan plan;
    QList<Room> rooms;

    // A point or a measurement by its id; nullptr when there is none.
    Point* point(QStringView id);
    const Point* point(QStringView id) const;
    const Room* roomOf(QStringView pointId) const;
    // A new id, unique in this survey ("p7", "m12", "r3" by `prefix`).
    QString newId(QChar prefix) const;
};

// A new survey: sessions "before" and "after", the building-biology guidance chosen.
Survey newSurvey();

// --- The file
// The survey as its file's bytes (UTF-8 JSON).
QByteArray toJson(const Survey& survey);
// A survey from its file's bytes, or nothing with the reason in *error: not a survey file, a
// newer version, a value of the wrong kind, a measurement whose readings do not match their
// SHA-256. Nothing is taken from a file it refuses.
std::optional<Survey> fromJson(const QByteArray& bytes, QString* error = nullptr);
// Writes the file whole or not at all (the last saved file stays as it was).
bool save(const QString& path, const Survey& survey, QString* error = nullptr);
// Reads a survey file: regular files of at most MaxFileBytes only; the message names the file.
std::optional<Survey> load(const QString& path, QString* error = nullptr);

// A measurement of a record file's bytes, its SHA-256 taken; `source` is the file's name.
Measurement measurementOf(MeasurementKind kind, const QByteArray& records, const QString& source);
// A record file to attach (a recording or a logger set saved before), read whole as every record
// file is read and refused when no record in it can be read; nothing, with the reason (naming
// the file) in *error.
std::optional<Measurement> attachedFile(MeasurementKind kind, const QString& path,
                                        QString* error);

// A photo or a floor plan larger than this is no picture a survey needs (a camera's full
// picture is some megabytes).
inline constexpr qint64 MaxPictureBytes = qint64(32) << 20;
// A photo's or floor plan's bytes: a PNG or JPEG file (told by its first bytes) of at most
// MaxPictureBytes; nothing, with the reason (naming the file) in *error.
std::optional<QByteArray> readPicture(const QString& path, QString* error);

// --- Figures
// What a point shows at a glance for one session: its measurements' readings together.
struct PointFigures {
    int measurements = 0;
    stats::Statistics statistics; // in milligauss
    // The guidance's band of the figure it is compared with (the 95th percentile for the
    // building-biology bands), as an index into its bands, or for a reference without bands the
    // number of its levels the figure reaches (0: below all). Nothing without a figure.
    std::optional<int> band;
    QString bandName; // the band's name, or "above <level>" / "below <level>"
    bool bandAtLeast = false; // an overload: the figure may be higher, the band too
};
// Nothing when the point has no measurement in `session` or none with a reading; *error says
// which measurement could not be read.
std::optional<PointFigures> pointFigures(const Point& point, const QString& session,
                                         const stats::Reference* guidance,
                                         QString* error = nullptr);
// How many bands the guidance has (levels + 1 without names); 0 without guidance.
int bandCount(const stats::Reference* guidance);
// A band's colour as 0xRRGGBB, from green (the lowest) through yellow and orange to red (the
// highest of `count`); grey for no band.
quint32 bandRgb(std::optional<int> band, int count);

// --- A spot measurement from the live meter
// Collects the samples the meter session takes (one each sampling time, the ones the panel
// shows and records) for `seconds` from the first; then done() and measurement() holds them as a
// record file. It asks the meter nothing of its own.
class SpotRecorder {
public:
    explicit SpotRecorder(int seconds);
    // A sample as the session gives it (Date TAB Time TAB Value ...); false once done.
    bool add(const QDateTime& when, const QString& body);
    bool done() const;
    int samples() const { return m_samples; }
    int seconds() const { return m_seconds; }
    Measurement measurement() const;

private:
    int m_seconds;
    int m_samples = 0;
    QDateTime m_first;
    bool m_done = false;
    QStringList m_rows;
};

} // namespace veltrix::survey
