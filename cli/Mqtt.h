// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The readings on an MQTT broker: a state message per reading, a retained availability topic
// (online on connect, offline as the last will and on a clean stop), Home Assistant's discovery
// message, sent again whenever Home Assistant announces itself, reconnection with back-off, and
// a bounded queue while the broker is away.
//
// libmosquitto is driven by the tool's own event loop, through the calls its documentation
// gives for that (mosquitto_socket, mosquitto_loop_read / _write / _misc and
// mosquitto_want_write, behind socket notifiers and a timer), not by the library's network
// thread (mosquitto_loop_start). One thread: the callbacks run where the readings are taken and
// need no handing over, a state message is written within the publish call, and reconnecting
// (when, how often, what the tool says about it) stays in this class. Whatever the library keeps
// for a thread of its own is left to it.

#include "feeds/Feeds.h"

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

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

    // Starts connecting. False (and `error` says why) only for what no retry mends (a CA file
    // that cannot be used); an unreachable broker is warned about and tried again.
    bool start(QString* error);
    void publishReading(const Reading& reading);
    void setAvailable(bool online);

    // The broker refused the user name or password.
    std::function<void(const QString& why)> onRefused;

    long long dropped() const { return m_dropped; }

private:
    static void onConnect(mosquitto*, void* self, int rc);
    static void onMessage(mosquitto*, void* self, const mosquitto_message* message);
    static void onLog(mosquitto*, void* self, int level, const char* text);
    void publish(const QString& topic, const QByteArray& payload, bool retain, int qos);
    void publish(const QByteArray& topic, const QByteArray& payload, bool retain, int qos);
    void announce();
    void watch(); // the socket of a new connection attempt
    void lost();  // the connection (or the attempt) is gone: try again later
    void unwatch();
    void tryAgain();
    void wantWrite(); // write as soon as the socket takes it, if anything waits

    MqttSettings m_settings;
    mosquitto* m_mosq = nullptr;
    QString m_availabilityTopic;
    QByteArray m_stateTopic;
    std::unique_ptr<QSocketNotifier> m_read;
    std::unique_ptr<QSocketNotifier> m_write;
    QTimer m_misc;  // keep-alive pings and time-outs, every 5 s
    QTimer m_retry; // the next connection attempt
    int m_backoffSeconds = 1;
    bool m_connected = false;
    bool m_refused = false;
    bool m_online = true;
    bool m_warned = false;
    QString m_lastError; // the library's last error, said once (a certificate that fails, ...)
    std::deque<QByteArray> m_queue;
    long long m_dropped = 0;
};

} // namespace veltrix::cli
