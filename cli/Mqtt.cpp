// SPDX-License-Identifier: GPL-3.0-or-later
#include "Mqtt.h"

#include "Cli.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <mosquitto.h>
#include <mqtt_protocol.h>

namespace veltrix::cli {

namespace {
struct LibraryInit {
    LibraryInit() { mosquitto_lib_init(); }
    ~LibraryInit() { mosquitto_lib_cleanup(); }
};

const char* const DiscoveryStatusTopic = "homeassistant/status";
constexpr int KeepAliveSeconds = 30;
constexpr int MaxBackoffSeconds = 60;
// The library's housekeeping (a ping when nothing else went out for a keep-alive period, the
// time-out of an unanswered one) needs no finer clock: a ping up to 5 s late is well inside the
// broker's grace of one and a half periods, and the tool wakes up less.
constexpr int MiscMs = 5000;

QString errorText(int rc)
{
    return QString::fromUtf8(rc == MOSQ_ERR_ERRNO ? std::strerror(errno) : mosquitto_strerror(rc));
}

} // namespace

MqttFeed::MqttFeed(MqttSettings settings) : m_settings(std::move(settings))
{
    static LibraryInit init;
    m_availabilityTopic = m_settings.prefix + QStringLiteral("/availability");
    m_stateTopic = (m_settings.prefix + QStringLiteral("/state")).toUtf8();
    m_misc.setInterval(MiscMs);
    QObject::connect(&m_misc, &QTimer::timeout, [this] {
        if (mosquitto_loop_misc(m_mosq) != MOSQ_ERR_SUCCESS)
            lost();
    });
    m_retry.setSingleShot(true);
    QObject::connect(&m_retry, &QTimer::timeout, [this] { tryAgain(); });
}

MqttFeed::~MqttFeed()
{
    if (!m_mosq)
        return;
    if (m_connected) {
        // A clean stop sends no last will: say so ourselves, then leave. Both packets are
        // written at once (the client has no thread of its own).
        publish(m_availabilityTopic, "offline", true, 1);
        mosquitto_disconnect(m_mosq);
        for (int i = 0; i < 10 && mosquitto_want_write(m_mosq); ++i)
            mosquitto_loop_write(m_mosq, 1);
    }
    unwatch();
    mosquitto_destroy(m_mosq);
}

bool MqttFeed::start(QString* error)
{
    const QByteArray clientId = QStringLiteral("veltrix-%1-%2")
                                    .arg(topicSafe(m_settings.meter.id))
                                    .arg(QCoreApplication::applicationPid())
                                    .toUtf8();
    m_mosq = mosquitto_new(clientId.constData(), true, this);
    if (!m_mosq) {
        *error = FeedsTr::tr("cannot create the MQTT client");
        return false;
    }
    mosquitto_int_option(m_mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(m_mosq, &MqttFeed::onConnect);
    mosquitto_message_callback_set(m_mosq, &MqttFeed::onMessage);
    mosquitto_log_callback_set(m_mosq, &MqttFeed::onLog);
    const BrokerUrl& b = m_settings.broker;
    if (!b.user.isEmpty()) {
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
        const int rc =
            m_settings.caFile.isEmpty()
                ? mosquitto_tls_set(m_mosq, nullptr, "/etc/ssl/certs", nullptr, nullptr, nullptr)
                : mosquitto_tls_set(m_mosq, caFile.constData(), nullptr, nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            *error =
                FeedsTr::tr("cannot use the CA file %1: %2").arg(m_settings.caFile, errorText(rc));
            return false;
        }
        mosquitto_tls_opts_set(m_mosq, 1, nullptr, nullptr);
    }
    // The library takes a local socket as a host with port 0.
    const bool local = !b.socketPath.isEmpty();
    const QByteArray host = local ? QFile::encodeName(b.socketPath) : b.host.toUtf8();
    const int rc =
        mosquitto_connect_async(m_mosq, host.constData(), local ? 0 : b.port, KeepAliveSeconds);
    if (rc != MOSQ_ERR_SUCCESS) {
        complain(FeedsTr::tr("MQTT broker %1 not reachable (%2); trying again in the "
                             "background")
                     .arg(b.where(), errorText(rc)));
        m_warned = true;
        lost();
        return true;
    }
    watch();
    return true;
}

void MqttFeed::watch()
{
    unwatch();
    const int fd = mosquitto_socket(m_mosq);
    if (fd < 0) {
        lost();
        return;
    }
    // Either direction: one step of the client's loop, then writing is wanted or not.
    const auto notifier = [this, fd](QSocketNotifier::Type type, int (*step)(mosquitto*, int)) {
        auto n = std::make_unique<QSocketNotifier>(fd, type);
        QObject::connect(n.get(), &QSocketNotifier::activated, [this, step] {
            if (step(m_mosq, 1) != MOSQ_ERR_SUCCESS)
                lost();
            else
                wantWrite();
        });
        return n;
    };
    m_read = notifier(QSocketNotifier::Read, mosquitto_loop_read);
    m_write = notifier(QSocketNotifier::Write, mosquitto_loop_write);
    wantWrite();
    m_misc.start();
}

void MqttFeed::unwatch()
{
    m_read.reset();
    m_write.reset();
    m_misc.stop();
}

void MqttFeed::wantWrite()
{
    if (m_write)
        m_write->setEnabled(mosquitto_want_write(m_mosq));
}

void MqttFeed::lost()
{
    unwatch();
    if (m_connected) {
        m_connected = false;
        if (!m_warned) {
            m_warned = true;
            complain(FeedsTr::tr("MQTT broker lost; readings are queued while trying again"));
        }
    }
    if (m_refused || m_retry.isActive())
        return;
    // 1 s, 2 s, 4 s, ... up to a minute between attempts while the broker is away.
    m_retry.start(m_backoffSeconds * 1000);
    m_backoffSeconds = qMin(m_backoffSeconds * 2, MaxBackoffSeconds);
}

void MqttFeed::tryAgain()
{
    if (mosquitto_reconnect_async(m_mosq) == MOSQ_ERR_SUCCESS)
        watch();
    else
        lost();
}

void MqttFeed::publish(const QString& topic, const QByteArray& payload, bool retain, int qos)
{
    publish(topic.toUtf8(), payload, retain, qos);
}

void MqttFeed::publish(const QByteArray& topic, const QByteArray& payload, bool retain, int qos)
{
    mosquitto_publish(m_mosq, nullptr, topic.constData(), int(payload.size()), payload.constData(),
                      qos, retain);
    wantWrite();
}

// On every (re)connection: availability, discovery, the queued readings.
void MqttFeed::announce()
{
    publish(m_availabilityTopic, m_online ? "online" : "offline", true, 1);
    publish(discoveryTopic(m_settings.meter), discoveryConfig(m_settings.meter, m_settings.prefix),
            true, 1);
}

void MqttFeed::onConnect(mosquitto* mosq, void* self, int rc)
{
    auto* feed = static_cast<MqttFeed*>(self);
    if (rc != CONNACK_ACCEPTED) {
        // No retry mends these two; the broker's other refusals may pass.
        if (rc == CONNACK_REFUSED_BAD_USERNAME_PASSWORD || rc == CONNACK_REFUSED_NOT_AUTHORIZED) {
            feed->m_refused = true;
            mosquitto_disconnect(mosq);
            if (feed->onRefused)
                feed->onRefused(QString::fromUtf8(mosquitto_connack_string(rc)));
        }
        return;
    }
    feed->m_connected = true;
    feed->m_backoffSeconds = 1;
    mosquitto_subscribe(mosq, nullptr, DiscoveryStatusTopic, 1);
    feed->announce();
    for (const QByteArray& payload : feed->m_queue)
        feed->publish(feed->m_stateTopic, payload, false, 0);
    feed->m_queue.clear();
    if (feed->m_warned) {
        feed->m_warned = false;
        complain(feed->m_dropped == 0
                     ? FeedsTr::tr("MQTT broker connected")
                     : FeedsTr::tr("MQTT broker connected; %1 readings dropped while it was "
                                   "away (the queue holds %2)")
                           .arg(feed->m_dropped)
                           .arg(feed->m_settings.queueLimit));
    }
}

void MqttFeed::onMessage(mosquitto*, void* self, const mosquitto_message* message)
{
    auto* feed = static_cast<MqttFeed*>(self);
    // Home Assistant forgets what was discovered when it restarts; it says "online" then.
    const QByteArray payload(static_cast<const char*>(message->payload), message->payloadlen);
    if (qstrcmp(message->topic, DiscoveryStatusTopic) == 0 && payload == "online")
        feed->announce();
}

void MqttFeed::onLog(mosquitto*, void* self, int level, const char* text)
{
    // Errors only (a certificate that does not verify, a refused TLS handshake), each once until
    // another one comes: a broker away for hours must not fill the journal.
    auto* feed = static_cast<MqttFeed*>(self);
    if (level != MOSQ_LOG_ERR || feed->m_lastError == QLatin1String(text))
        return;
    feed->m_lastError = QString::fromUtf8(text);
    complain(FeedsTr::tr("MQTT: %1").arg(feed->m_lastError));
}

void MqttFeed::publishReading(const Reading& reading)
{
    const QByteArray payload = mqttState(reading);
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
    m_online = online;
    if (m_connected)
        publish(m_availabilityTopic, online ? "online" : "offline", true, 1);
}

} // namespace veltrix::cli
