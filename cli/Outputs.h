// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where read and record send each reading besides their own output: InfluxDB line protocol on
// standard output, a Prometheus textfile, an MQTT broker. Any of them at once.

#include "feeds/Feeds.h"

#include <QString>
#include <functional>
#include <memory>

namespace veltrix::cli {

class CommandLine;
class Session;
class MqttFeed;

class Outputs {
public:
    Outputs();
    ~Outputs();

    // Takes the output options (their values are checked against the option table already) and
    // checks what goes beyond one value, before the meter is opened: UsageError (after saying
    // why) or Ok.
    int check(const CommandLine& options, bool influx);
    // Starts the outputs on an identified session.
    int start(Session& session, int samplingSeconds);

    void reading(const Reading& reading);
    void linkChanged(bool up);
    bool any() const { return m_influx || !m_promPath.isEmpty() || m_mqttWanted; }

    // The broker refused the credentials: the command ends with BrokerRefused.
    std::function<void()> onFatal;

private:
    int readPassword(const CommandLine& options);
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
