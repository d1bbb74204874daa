#pragma once
// Where read and record send each reading besides their own output: InfluxDB line protocol on
// standard output, a Prometheus textfile, an MQTT broker. Any of them at once.

#include "feeds/Feeds.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <functional>
#include <memory>

namespace veltrix::cli {

class Session;
class MqttFeed;

struct OutputOptions {
    QCommandLineOption prom{QStringLiteral("prom"),
                            QStringLiteral("Keep FILE a node_exporter textfile with the latest "
                                           "reading (replaced atomically on every reading)."),
                            QStringLiteral("FILE")};
    QCommandLineOption mqtt{QStringLiteral("mqtt"),
                            QStringLiteral("Publish to the broker at mqtt://[user@]host[:port] "
                                           "or mqtts://... (with Home Assistant discovery)."),
                            QStringLiteral("URL")};
    QCommandLineOption prefix{QStringLiteral("mqtt-prefix"),
                              QStringLiteral("Topic prefix (default veltrix/<meter ID>)."),
                              QStringLiteral("TOPIC")};
    QCommandLineOption user{QStringLiteral("mqtt-user"),
                            QStringLiteral("The broker's user name."), QStringLiteral("NAME")};
    QCommandLineOption passwordFile{
        QStringLiteral("mqtt-password-file"),
        QStringLiteral("Read the broker's password from FILE (or set VELTRIX_MQTT_PASSWORD)."),
        QStringLiteral("FILE")};
    QCommandLineOption caFile{QStringLiteral("cafile"),
                              QStringLiteral("mqtts: the CA certificate that signed the "
                                             "broker's (default: the system's CAs)."),
                              QStringLiteral("FILE")};
    QCommandLineOption meterId{QStringLiteral("meter-id"),
                               QStringLiteral("The meter's name in every output (default: model "
                                              "and the logger's ID code)."),
                               QStringLiteral("ID")};
    QCommandLineOption queue{QStringLiteral("mqtt-queue"),
                             QStringLiteral("Readings kept while the broker is away (default "
                                            "10000; the oldest are dropped)."),
                             QStringLiteral("N")};
    void addTo(QCommandLineParser& parser) const;
};

class Outputs {
public:
    Outputs();
    ~Outputs();

    // Checks the options before the meter is opened: UsageError (after saying why) or Ok.
    int check(const QCommandLineParser& parser, const OutputOptions& options, bool influx);
    // Starts the outputs on an identified session.
    int start(Session& session, int samplingSeconds);

    void reading(const Reading& reading);
    void linkChanged(bool up);
    bool any() const { return m_influx || !m_promPath.isEmpty() || m_mqttWanted; }

    // The broker refused the credentials: the command ends with BrokerRefused.
    std::function<void()> onFatal;

private:
    void writeProm();

    bool m_influx = false;
    QString m_promPath;
    bool m_mqttWanted = false;
    BrokerUrl m_broker;
    QString m_caFile;
    QString m_prefix;
    QString m_meterId;
    int m_queueLimit = 10000;
    MeterIdentity m_meter;
    std::optional<Reading> m_last;
    bool m_linkUp = true;
    bool m_promFailing = false;
    std::unique_ptr<MqttFeed> m_mqtt;
};

// --config FILE: the options of a service's configuration file ("name = value" or "name" a
// line, # comments), put before the command line's own. The file is refused when another user
// could write it; a password in it ("mqtt-password = ...") when another user could read it.
// Returns Ok or the status to exit with (after saying why).
int expandConfig(QStringList& args);

} // namespace veltrix::cli
