#include "Mqtt.h"

#include "Cli.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <mosquitto.h>

namespace veltrix::cli {

namespace {
struct LibraryInit {
    LibraryInit() { mosquitto_lib_init(); }
    ~LibraryInit() { mosquitto_lib_cleanup(); }
};

// Runs `f` in the main thread.
void inMainThread(std::function<void()> f)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(f), Qt::QueuedConnection);
}

const char* const DiscoveryStatusTopic = "homeassistant/status";
} // namespace

MqttFeed::MqttFeed(MqttSettings settings) : m_settings(std::move(settings))
{
    static LibraryInit init;
    m_availabilityTopic = m_settings.prefix + QStringLiteral("/availability");
    m_stateTopic = m_settings.prefix + QStringLiteral("/state");
}

MqttFeed::~MqttFeed()
{
    stop();
}

bool MqttFeed::start(QString* error)
{
    const QByteArray clientId = QStringLiteral("veltrix-%1-%2")
                                    .arg(topicSafe(m_settings.meter.id))
                                    .arg(QCoreApplication::applicationPid())
                                    .toUtf8();
    m_mosq = mosquitto_new(clientId.constData(), true, this);
    if (!m_mosq) {
        *error = QStringLiteral("cannot create the MQTT client");
        return false;
    }
    mosquitto_int_option(m_mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(m_mosq, &MqttFeed::onConnect);
    mosquitto_disconnect_callback_set(m_mosq, &MqttFeed::onDisconnect);
    mosquitto_message_callback_set(m_mosq, &MqttFeed::onMessage);
    mosquitto_log_callback_set(m_mosq, &MqttFeed::onLog);
    const BrokerUrl& b = m_settings.broker;
    if (!b.user.isEmpty() || !b.password.isEmpty()) {
        const QByteArray user = b.user.toUtf8();
        const QByteArray password = b.password.toUtf8();
        mosquitto_username_pw_set(m_mosq, user.constData(),
                                  b.password.isEmpty() ? nullptr : password.constData());
    }
    const QByteArray will = m_availabilityTopic.toUtf8();
    mosquitto_will_set(m_mosq, will.constData(), 7, "offline", 1, true);
    if (b.tls) {
        // Verification stays on: the broker's certificate must chain to the CA and name the
        // host. There is deliberately no switch to turn that off.
        const QByteArray caFile = QFile::encodeName(m_settings.caFile);
        const int rc = m_settings.caFile.isEmpty()
                           ? mosquitto_tls_set(m_mosq, nullptr, "/etc/ssl/certs", nullptr,
                                               nullptr, nullptr)
                           : mosquitto_tls_set(m_mosq, caFile.constData(), nullptr, nullptr,
                                               nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            *error = QStringLiteral("cannot use the CA file %1: %2")
                         .arg(m_settings.caFile, QString::fromUtf8(mosquitto_strerror(rc)));
            return false;
        }
        mosquitto_tls_opts_set(m_mosq, 1, nullptr, nullptr);
    }
    // 1 s, 2 s, 4 s, ... up to a minute between attempts while the broker is away.
    mosquitto_reconnect_delay_set(m_mosq, 1, 60, true);
    const QByteArray host = b.host.toUtf8();
    const int rc = mosquitto_connect_async(m_mosq, host.constData(), b.port, 30);
    if (rc != MOSQ_ERR_SUCCESS) {
        complain(QStringLiteral("MQTT broker %1:%2 not reachable (%3); trying again in the "
                                "background")
                     .arg(b.host)
                     .arg(b.port)
                     .arg(QString::fromUtf8(rc == MOSQ_ERR_ERRNO ? strerror(errno)
                                                                 : mosquitto_strerror(rc))));
        m_warned = true;
    }
    if (mosquitto_loop_start(m_mosq) != MOSQ_ERR_SUCCESS) {
        *error = QStringLiteral("cannot start the MQTT client's thread");
        return false;
    }
    return true;
}

void MqttFeed::stop()
{
    if (!m_mosq)
        return;
    bool connected = false;
    {
        std::lock_guard lock(m_mutex);
        connected = m_connected;
    }
    if (connected) {
        // A clean stop sends no last will: say so ourselves, then leave.
        const QByteArray topic = m_availabilityTopic.toUtf8();
        mosquitto_publish(m_mosq, nullptr, topic.constData(), 7, "offline", 1, true);
        mosquitto_disconnect(m_mosq);
        mosquitto_loop_stop(m_mosq, false);
    } else {
        mosquitto_disconnect(m_mosq);
        mosquitto_loop_stop(m_mosq, true); // it may be sleeping between two attempts
    }
    mosquitto_destroy(m_mosq);
    m_mosq = nullptr;
}

void MqttFeed::publish(const QString& topic, const QByteArray& payload, bool retain, int qos)
{
    const QByteArray t = topic.toUtf8();
    mosquitto_publish(m_mosq, nullptr, t.constData(), int(payload.size()), payload.constData(),
                      qos, retain);
}

// The network thread, on every (re)connection: availability, discovery, the queued readings.
void MqttFeed::announce()
{
    publish(m_availabilityTopic, m_online ? "online" : "offline", true, 1);
    publish(discoveryTopic(m_settings.meter), discoveryConfig(m_settings.meter, m_settings.prefix),
            true, 1);
}

void MqttFeed::onConnect(mosquitto* mosq, void* self, int rc)
{
    auto* feed = static_cast<MqttFeed*>(self);
    if (rc != 0) {
        // 4: bad user name or password, 5: not authorised. No retry mends either.
        const QString why = QString::fromUtf8(mosquitto_connack_string(rc));
        mosquitto_disconnect(mosq);
        if (rc == 4 || rc == 5) {
            inMainThread([feed, why] {
                if (feed->onRefused)
                    feed->onRefused(why);
            });
        }
        return;
    }
    mosquitto_subscribe(mosq, nullptr, DiscoveryStatusTopic, 1);
    std::lock_guard lock(feed->m_mutex);
    feed->announce();
    const QString state = feed->m_stateTopic;
    for (const QByteArray& payload : feed->m_queue)
        feed->publish(state, payload, false, 0);
    feed->m_queue.clear();
    feed->m_connected = true;
    if (feed->m_warned) {
        feed->m_warned = false;
        inMainThread([] { complain(QStringLiteral("MQTT broker connected")); });
    }
}

void MqttFeed::onDisconnect(mosquitto*, void* self, int rc)
{
    auto* feed = static_cast<MqttFeed*>(self);
    std::lock_guard lock(feed->m_mutex);
    const bool was = feed->m_connected;
    feed->m_connected = false;
    if (rc != 0 && was && !feed->m_warned) {
        feed->m_warned = true;
        inMainThread([] {
            complain(QStringLiteral("MQTT broker lost; readings are queued while trying again"));
        });
    }
}

void MqttFeed::onMessage(mosquitto*, void* self, const mosquitto_message* message)
{
    auto* feed = static_cast<MqttFeed*>(self);
    // Home Assistant forgets what was discovered when it restarts; it says "online" then.
    const QByteArray payload(static_cast<const char*>(message->payload), message->payloadlen);
    if (qstrcmp(message->topic, DiscoveryStatusTopic) == 0 && payload == "online") {
        std::lock_guard lock(feed->m_mutex);
        feed->announce();
    }
}

void MqttFeed::onLog(mosquitto*, void* self, int level, const char* text)
{
    // Errors only (a certificate that does not verify, a refused TLS handshake), each once until
    // another one comes: a broker away for hours must not fill the journal.
    if (level != MOSQ_LOG_ERR)
        return;
    auto* feed = static_cast<MqttFeed*>(self);
    const QString message = QString::fromUtf8(text);
    std::lock_guard lock(feed->m_logMutex);
    if (message == feed->m_lastError)
        return;
    feed->m_lastError = message;
    inMainThread([message] { complain(QStringLiteral("MQTT: %1").arg(message)); });
}

void MqttFeed::publishReading(const Reading& reading)
{
    const QByteArray payload = mqttState(reading);
    std::lock_guard lock(m_mutex);
    if (m_connected) {
        publish(m_stateTopic, payload, false, 0);
        return;
    }
    m_queue.push_back(payload);
    while (qsizetype(m_queue.size()) > m_settings.queueLimit) {
        m_queue.pop_front();
        ++m_dropped;
    }
}

void MqttFeed::setAvailable(bool online)
{
    std::lock_guard lock(m_mutex);
    m_online = online;
    if (m_connected)
        publish(m_availabilityTopic, online ? "online" : "offline", true, 1);
}

long long MqttFeed::dropped() const
{
    std::lock_guard lock(m_mutex);
    return m_dropped;
}

} // namespace veltrix::cli
