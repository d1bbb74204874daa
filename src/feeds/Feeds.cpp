// SPDX-License-Identifier: GPL-3.0-or-later
#include "feeds/Feeds.h"

#include "records/CsvExport.h"
#include "records/RecordFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QUrl>

#include <cstdio>

namespace veltrix {

// --- InfluxDB line protocol -------------------------------------------------------------------

QString influxEscape(QStringView text, bool measurement)
{
    QString out;
    out.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r') {
            out += QStringLiteral("\\ ");
            continue;
        }
        // A doubled backslash stands for one, so a name ending in one cannot escape the
        // separator after it.
        if (c == u',' || c == u' ' || c == u'\\' || (!measurement && c == u'='))
            out += u'\\';
        out += c;
    }
    return out;
}

QString influxLine(const MeterIdentity& meter, const Reading& reading)
{
    const auto boolean = [](bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); };
    QString line = QStringLiteral("veltrix");
    // Tags in key order, as the protocol's documentation advises for speed.
    line += QStringLiteral(",meter=") + influxEscape(meter.id);
    line += QStringLiteral(",port=") + influxEscape(meter.port);
    line += QStringLiteral(",unit=") + influxEscape(reading.unit());
    line += u' ';
    if (const auto v = reading.value())
        line += QStringLiteral("value=") + QString::number(*v, 'g', 15) + u',';
    line += QStringLiteral("hold=") + boolean(reading.hold);
    line += QStringLiteral(",peak=") + boolean(reading.peak);
    line += QStringLiteral(",overload=") + boolean(reading.overload());
    line += u' ';
    line += QString::number(reading.when.toMSecsSinceEpoch());
    return line;
}

// --- Prometheus textfile ----------------------------------------------------------------------

QString promLabelValue(QStringView text)
{
    QString out;
    out.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'"')
            out += QStringLiteral("\\\"");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out;
}

QByteArray promText(const MeterIdentity& meter, const std::optional<Reading>& last, bool linkUp)
{
    const QString labels = QStringLiteral("{meter=\"%1\",port=\"%2\"}")
                               .arg(promLabelValue(meter.id), promLabelValue(meter.port));
    QString out;
    const auto metric = [&](const char* name, const char* help, const QString& value) {
        out += QStringLiteral("# HELP %1 %2\n# TYPE %1 gauge\n%1%3 %4\n")
                   .arg(QLatin1String(name), QLatin1String(help), labels, value);
    };
    if (linkUp && last) {
        if (const auto t = last->tesla())
            metric("veltrix_magnetic_flux_density_tesla",
                   "Magnetic flux density the meter shows, in tesla.",
                   QString::number(*t, 'g', 12));
        metric("veltrix_overload", "1 while the reading is over the meter's range.",
               last->overload() ? QStringLiteral("1") : QStringLiteral("0"));
    }
    if (last)
        metric("veltrix_last_reading_timestamp_seconds",
               "Time of the last reading, in seconds since the Unix epoch.",
               QString::number(double(last->when.toMSecsSinceEpoch()) / 1000.0, 'f', 3));
    metric("veltrix_link_up", "1 while the meter answers, 0 while it is silent.",
           linkUp ? QStringLiteral("1") : QStringLiteral("0"));
    return out.toUtf8();
}

// --- MQTT and Home Assistant --------------------------------------------------------------------

QString topicSafe(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
        out += plain ? c : u'_';
    }
    return out.isEmpty() ? QStringLiteral("_") : out;
}

// Built by hand rather than with QJsonDocument: it goes out with every reading, four a second for
// weeks, and the JSON classes and QDateTime's formatting cost several times the rest of the
// reading's work. The keys stay in the order QJsonDocument wrote them.
QByteArray mqttState(const Reading& reading)
{
    const auto number = [](std::optional<double> v) {
        return v ? QByteArray::number(*v, 'g', QLocale::FloatingPointShortest) : QByteArray("null");
    };
    const auto boolean = [](bool b) { return b ? "true" : "false"; };
    const auto v = reading.value();
    // 13.2 mG is 1.32 µT, not 1.3199999999999998: twelve digits are far beyond the meter's.
    const auto micro =
        v ? std::optional<double>(
                QByteArray::number(*v * (reading.gauss ? 1e-7 : 1e-6) * 1e6, 'g', 12).toDouble())
          : std::nullopt;
    QByteArray out;
    out.reserve(160);
    out += "{\"hold\":";
    out += boolean(reading.hold);
    out += ",\"microtesla\":";
    out += number(micro);
    out += ",\"overload\":";
    out += boolean(reading.overload());
    out += ",\"peak\":";
    out += boolean(reading.peak);
    out += ",\"time\":\"";
    out += isoTimeWithOffset(reading.when);
    out += "\",\"unit\":\"";
    out += reading.unit().toUtf8();
    out += "\",\"value\":";
    out += number(v);
    out += '}';
    return out;
}

QByteArray isoTimeWithOffset(const QDateTime& when)
{
    if (!when.isValid())
        return {};
    // The date and time it holds are already the wall clock's; only the offset is looked up.
    const int offset = when.offsetFromUtc();
    const QDate d = when.date();
    const QTime t = when.time();
    char text[40];
    int n = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", d.year(),
                          d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
    if (offset == 0)
        n += std::snprintf(text + n, sizeof text - size_t(n), "Z");
    else
        n += std::snprintf(text + n, sizeof text - size_t(n), "%c%02d:%02d",
                           offset < 0 ? '-' : '+', qAbs(offset) / 3600, qAbs(offset) / 60 % 60);
    return QByteArray(text, n);
}

QString discoveryTopic(const MeterIdentity& meter)
{
    return QStringLiteral("homeassistant/sensor/veltrix_%1/flux_density/config")
        .arg(topicSafe(meter.id));
}

QByteArray discoveryConfig(const MeterIdentity& meter, const QString& prefix)
{
    const QString id = QStringLiteral("veltrix_") + topicSafe(meter.id);
    QJsonObject device;
    device.insert(QStringLiteral("identifiers"), QJsonArray{id});
    device.insert(QStringLiteral("name"), QStringLiteral("Veltrix meter %1").arg(meter.id));
    device.insert(QStringLiteral("manufacturer"), QStringLiteral("Veltrix"));
    device.insert(QStringLiteral("model"), meter.model);
    device.insert(QStringLiteral("serial_number"), meter.id);
    QJsonObject o;
    o.insert(QStringLiteral("name"), QStringLiteral("Magnetic flux density"));
    o.insert(QStringLiteral("unique_id"), id + QStringLiteral("_flux_density"));
    o.insert(QStringLiteral("state_topic"), prefix + QStringLiteral("/state"));
    // Always microtesla, whichever unit the meter's key selects, so the history stays one series.
    o.insert(QStringLiteral("value_template"), QStringLiteral("{{ value_json.microtesla }}"));
    o.insert(QStringLiteral("unit_of_measurement"), QString(MicroSign) + u'T');
    o.insert(QStringLiteral("state_class"), QStringLiteral("measurement"));
    o.insert(QStringLiteral("suggested_display_precision"), 2);
    o.insert(QStringLiteral("expire_after"), 3 * qMax(1, meter.samplingSeconds));
    o.insert(QStringLiteral("json_attributes_topic"), prefix + QStringLiteral("/state"));
    o.insert(QStringLiteral("availability_topic"), prefix + QStringLiteral("/availability"));
    o.insert(QStringLiteral("payload_available"), QStringLiteral("online"));
    o.insert(QStringLiteral("payload_not_available"), QStringLiteral("offline"));
    o.insert(QStringLiteral("icon"), QStringLiteral("mdi:magnet"));
    o.insert(QStringLiteral("device"), device);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<BrokerUrl> parseBrokerUrl(const QString& text, QString* error)
{
    const auto fail = [&](const QString& why) -> std::optional<BrokerUrl> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return fail(QStringLiteral("not a URL: %1").arg(url.errorString()));
    BrokerUrl out;
    if (url.hasQuery() || url.hasFragment())
        return fail(QStringLiteral("the URL must not have a query or fragment"));
    out.user = url.userName(QUrl::FullyDecoded);
    out.password = url.password(QUrl::FullyDecoded);
    if (url.scheme() == u"mqtt+unix") {
        if (!url.host().isEmpty() || url.port() != -1)
            return fail(QStringLiteral("a local socket URL names no host or port: "
                                       "mqtt+unix:///path/to/socket"));
        if (!url.path().startsWith(u'/') || url.path().size() < 2)
            return fail(QStringLiteral("the URL must name the socket by its absolute path"));
        out.socketPath = url.path();
        return out;
    }
    if (url.scheme() == u"mqtts") {
        out.tls = true;
        out.port = 8883;
    } else if (url.scheme() != u"mqtt") {
        return fail(QStringLiteral("the URL must start with mqtt://, mqtts:// or mqtt+unix://"));
    }
    if (url.host().isEmpty())
        return fail(QStringLiteral("the URL names no broker host"));
    if (!url.path().isEmpty() && url.path() != u"/")
        return fail(QStringLiteral("the URL must not have a path"));
    if (url.port() == 0) // QUrl itself refuses what is not a number from 0 to 65535
        return fail(QStringLiteral("the port must be a number from 1 to 65535"));
    if (url.port() > 0)
        out.port = url.port();
    out.host = url.host();
    return out;
}

QString BrokerUrl::where() const
{
    return socketPath.isEmpty() ? QStringLiteral("%1:%2").arg(host).arg(port) : socketPath;
}

} // namespace veltrix
