// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Readings in the formats of the systems a long-running meter feeds: InfluxDB line protocol
// (for Telegraf's execd input), a Prometheus node_exporter textfile, and the JSON messages of an
// MQTT broker with Home Assistant's discovery. Only the texts live here; sending them (the MQTT
// client, the atomic file replacement) is the command-line tool's business.

#include "link/Reading.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace veltrix {

// What names the meter in every feed.
struct MeterIdentity {
    QString id;    // chosen by the user or made of the model and the logger's ID code
    QString model; // the identify answer, e.g. "4627"
    QString port;  // the device path
    int samplingSeconds = 1;
};

// --- InfluxDB line protocol -------------------------------------------------------------------

// veltrix,meter=…,port=…,unit=mG value=12.3,hold=false,peak=false,overload=false 1765101234567
// (time stamp in milliseconds; no value field while over range or settling).
QString influxLine(const MeterIdentity& meter, const Reading& reading);
// Escapes for a measurement name (comma, space) or a tag key, tag value or field key (comma,
// equals sign, space). Line ends cannot be escaped in the protocol: they become spaces.
QString influxEscape(QStringView text, bool measurement = false);

// --- Prometheus textfile ----------------------------------------------------------------------

// The whole textfile: the reading in tesla, the time of the last reading, the link state and
// the overload mark. With `linkUp` false (or no reading yet) only the time and link lines.
QByteArray promText(const MeterIdentity& meter, const std::optional<Reading>& last, bool linkUp);
// A label value: backslash, double quote and line end escaped.
QString promLabelValue(QStringView text);

// --- MQTT and Home Assistant --------------------------------------------------------------------

// A topic level made of the meter ID: characters outside [A-Za-z0-9_-] become '_'.
QString topicSafe(QStringView text);
// {"time":…,"value":12.3,"unit":"mG","microtesla":1.23,"hold":false,"peak":false,
//  "overload":false}
QByteArray mqttState(const Reading& reading);
// 2026-12-07T14:03:09.250+01:00 (Z for UTC): the time in its own offset, to the millisecond.
QByteArray isoTimeWithOffset(const QDateTime& when);
// The discovery topic and its retained message for the sensor.
QString discoveryTopic(const MeterIdentity& meter);
QByteArray discoveryConfig(const MeterIdentity& meter, const QString& prefix);

// mqtt://[user[:password]@]host[:port] or mqtts://…
// or mqtt+unix://[user[:password]@]/path/to/socket: a broker on the same machine through its
// local socket (mosquitto's `listener 0 PATH`), which costs each message less than the loopback.
struct BrokerUrl {
    bool tls = false;
    QString host;
    int port = 1883;
    QString socketPath; // mqtt+unix: the broker's socket; host and port are unused then
    QString user;
    QString password;

    // 127.0.0.1:1883, or the socket's path.
    QString where() const;
};
// Nothing (and `error` says why) for anything else: another scheme, no host, a bad port, a path,
// a query or a fragment; for mqtt+unix, a host, a port or a path that is not absolute.
std::optional<BrokerUrl> parseBrokerUrl(const QString& text, QString* error);

} // namespace veltrix
