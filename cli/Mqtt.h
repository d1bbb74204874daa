#pragma once
// The readings on an MQTT broker, with libmosquitto (its own network thread): a state message
// per reading, a retained availability topic (online on connect, offline as the last will and on
// a clean stop), Home Assistant's discovery message, sent again whenever Home Assistant
// announces itself, reconnection with back-off, and a bounded queue while the broker is away.

#include "records/Feeds.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <functional>
#include <mutex>

struct mosquitto;
struct mosquitto_message;

namespace veltrix::cli {

struct MqttSettings {
    BrokerUrl broker;
    QString caFile; // mqtts: the CA that signed the broker's certificate (else the system's)
    QString prefix; // veltrix/<meter ID>
    MeterIdentity meter;
    int queueLimit = 10000;
};

class MqttFeed {
public:
    explicit MqttFeed(MqttSettings settings);
    ~MqttFeed(); // a clean stop: offline, disconnect

    // Starts connecting in the background. False (and `error` says why) only for what no retry
    // mends (a CA file that cannot be used); an unreachable broker is warned about and retried.
    bool start(QString* error);
    void publishReading(const Reading& reading);
    void setAvailable(bool online);

    // Called in the main thread when the broker refuses the user name or password.
    std::function<void(const QString& why)> onRefused;

    long long dropped() const;

private:
    static void onConnect(mosquitto*, void* self, int rc);
    static void onDisconnect(mosquitto*, void* self, int rc);
    static void onMessage(mosquitto*, void* self, const mosquitto_message* message);
    static void onLog(mosquitto*, void* self, int level, const char* text);
    void publish(const QString& topic, const QByteArray& payload, bool retain, int qos);
    void announce();
    void stop();

    MqttSettings m_settings;
    mosquitto* m_mosq = nullptr;
    QString m_availabilityTopic;
    QString m_stateTopic;
    mutable std::mutex m_mutex; // guards what the network thread shares with the main one
    bool m_connected = false;
    bool m_online = true;
    bool m_warned = false;
    // The library's last error, said once (a certificate that fails, ...). Its own mutex: the
    // library may log from inside a call made under m_mutex.
    std::mutex m_logMutex;
    QString m_lastError;
    std::deque<QByteArray> m_queue;
    long long m_dropped = 0;
};

} // namespace veltrix::cli
