// SPDX-License-Identifier: GPL-3.0-or-later
#include "Outputs.h"

#include "Cli.h"
#include "Mqtt.h"
#include "Options.h"

#include "logger/LoggerCommands.h"
#include "logger/LoggerExchange.h"
#include "logger/LoggerProtocol.h"
#include "ui/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrix::cli {

Outputs::Outputs() = default;
Outputs::~Outputs() = default;

int Outputs::check(const CommandLine& options, bool influx)
{
    m_influx = influx;
    m_promPath = options.value(u"prom");
    if (options.isSet(u"prom") && m_promPath.isEmpty()) {
        complain(FeedsTr::tr("--prom needs a file name"));
        return UsageError;
    }
    if (options.isSet(u"meter-id")) {
        m_meterId = options.value(u"meter-id").trimmed();
        if (m_meterId.isEmpty() || m_meterId.size() > 64 ||
            std::any_of(m_meterId.cbegin(), m_meterId.cend(),
                        [](QChar c) { return c.category() == QChar::Other_Control; })) {
            complain(FeedsTr::tr("--meter-id expects 1 to 64 printable characters"));
            return UsageError;
        }
    }
    m_mqttWanted = options.isSet(u"mqtt");
    if (!m_mqttWanted)
        return Ok; // the MQTT options need --mqtt (the option table says so)
    QString why;
    const auto url = parseBrokerUrl(options.value(u"mqtt"), &why);
    if (!url) {
        complain(FeedsTr::tr("--mqtt: %1").arg(why));
        return UsageError;
    }
    m_broker = *url;
    if (options.isSet(u"cafile")) {
        if (!m_broker.tls) {
            complain(FeedsTr::tr("--cafile needs an mqtts:// URL"));
            return UsageError;
        }
        m_caFile = options.value(u"cafile");
        if (!QFileInfo(m_caFile).isReadable()) {
            complain(FeedsTr::tr("--cafile: cannot read %1").arg(m_caFile));
            return UsageError;
        }
    }
    if (options.isSet(u"mqtt-user"))
        m_broker.user = options.value(u"mqtt-user");
    if (const int status = readPassword(options))
        return status;
    m_prefix = options.value(u"mqtt-prefix");
    if (options.isSet(u"mqtt-prefix") &&
        (m_prefix.isEmpty() || m_prefix.contains(u'+') || m_prefix.contains(u'#') ||
         m_prefix.startsWith(u'/') || m_prefix.endsWith(u'/'))) {
        complain(FeedsTr::tr("--mqtt-prefix must be a topic without wildcards (+, #) and "
                             "without a leading or trailing /"));
        return UsageError;
    }
    m_queueLimit = int(options.number(u"mqtt-queue", m_queueLimit));
    return Ok;
}

// The password from a file or the environment, never needed on the command line (where every
// user sees it in the process list).
int Outputs::readPassword(const CommandLine& options)
{
    if (options.isSet(u"mqtt-password-file")) {
        QFile file(options.value(u"mqtt-password-file"));
        if (!file.open(QIODevice::ReadOnly)) {
            complain(FeedsTr::tr("--mqtt-password-file: cannot read %1: %2")
                         .arg(file.fileName(), file.errorString()));
            return UsageError;
        }
        m_broker.password = QString::fromUtf8(file.readLine(4096)).remove(u'\n').remove(u'\r');
    } else if (qEnvironmentVariableIsSet("VELTRIX_MQTT_PASSWORD")) {
        m_broker.password = qEnvironmentVariable("VELTRIX_MQTT_PASSWORD");
    }
    if (!m_broker.password.isEmpty() && m_broker.user.isEmpty()) {
        complain(FeedsTr::tr("a broker password needs a user name (--mqtt-user or "
                             "mqtt://user@host)"));
        return UsageError;
    }
    return Ok;
}

int Outputs::start(Session& session, int samplingSeconds)
{
    if (!any())
        return Ok;
    m_meter.model = session.modelCode();
    m_meter.port = session.line().devicePath();
    m_meter.samplingSeconds = samplingSeconds;
    m_meter.id = m_meterId;
    if (m_meter.id.isEmpty()) {
        // The logger's ID code tells identical meters apart; the device name if it is silent.
        logger::LoggerExchange exchange(session.link());
        const logger::Reply reply =
            logger::readMemoryStatus(exchange, [] { return !stopRequested(); });
        const auto status =
            reply.complete() ? logger::parseMemoryStatus(reply.bytes) : std::nullopt;
        m_meter.id =
            m_meter.model + u'-' +
            (status ? QString::number(status->idCode) : QFileInfo(m_meter.port).fileName());
    }
    if (m_mqttWanted) {
        MqttSettings settings;
        settings.broker = m_broker;
        settings.caFile = m_caFile;
        settings.prefix =
            m_prefix.isEmpty() ? QStringLiteral("veltrix/") + topicSafe(m_meter.id) : m_prefix;
        settings.meter = m_meter;
        settings.queueLimit = m_queueLimit;
        m_mqtt = std::make_unique<MqttFeed>(settings);
        m_mqtt->onRefused = [this](const QString& why) {
            complain(FeedsTr::tr("the MQTT broker %1 refused the connection: %2")
                         .arg(m_broker.where(), why));
            if (onFatal)
                onFatal();
        };
        QString error;
        if (!m_mqtt->start(&error)) {
            complain(error);
            return Failure;
        }
    }
    if (!m_promPath.isEmpty())
        writeProm();
    return Ok;
}

void Outputs::reading(const Reading& reading)
{
    m_last = reading;
    if (m_influx) {
        const QByteArray line = (influxLine(m_meter, reading) + u'\n').toUtf8();
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        std::fflush(stdout); // Telegraf reads line by line
    }
    if (m_mqtt)
        m_mqtt->publishReading(reading);
    if (!m_promPath.isEmpty())
        writeProm();
}

void Outputs::linkChanged(bool up)
{
    m_linkUp = up;
    if (m_mqtt)
        m_mqtt->setAvailable(up);
    if (!m_promPath.isEmpty())
        writeProm();
}

void Outputs::writeProm()
{
    // A temporary file renamed over the old one: the exporter never reads half a file, and a
    // full disk leaves the last whole one in place.
    QSaveFile file(m_promPath);
    const QByteArray text = promText(m_meter, m_last, m_linkUp);
    const bool ok =
        file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && ui::commitWhole(file);
    if (!ok && !m_promFailing)
        complain(FeedsTr::tr("cannot write %1: %2; the last whole file stays")
                     .arg(m_promPath, file.errorString()));
    else if (ok && m_promFailing)
        complain(FeedsTr::tr("%1 written again").arg(m_promPath));
    m_promFailing = !ok;
}

// --- the service's configuration file ---------------------------------------------------------

int expandConfig(QStringList& args)
{
    const qsizetype at = args.indexOf(QStringLiteral("--config"));
    if (at < 0)
        return Ok;
    if (at + 1 >= args.size()) {
        complain(FeedsTr::tr("--config needs a file name"));
        return UsageError;
    }
    const QString path = args.at(at + 1);
    args.remove(at, 2);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        complain(FeedsTr::tr("cannot read %1: %2").arg(path, file.errorString()));
        return UsageError;
    }
    struct stat st {};
    if (::fstat(file.handle(), &st) != 0)
        return UsageError;
    // Whoever can change the file chooses where the readings go (and which broker gets the
    // password): only its owner, and only root or the user we run as.
    if ((st.st_uid != 0 && st.st_uid != ::geteuid()) || (st.st_mode & (S_IWGRP | S_IWOTH))) {
        complain(FeedsTr::tr("%1 is not read: other users can change it (it must belong to "
                             "root or to this user and be writable by its owner only)")
                     .arg(path));
        return UsageError;
    }
    // Readable by the owner and at most the group we run in (root:veltrix 0640).
    const bool private_ =
        !(st.st_mode & S_IROTH) && (!(st.st_mode & S_IRGRP) || st.st_gid == ::getegid());
    QStringList extra;
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        const QString line = QString::fromUtf8(file.readLine(65536)).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        const QString name = (eq < 0 ? line : line.left(eq)).trimmed();
        const QString value = eq < 0 ? QString() : line.mid(eq + 1).trimmed();
        static const QRegularExpression nameRe(QStringLiteral("^[a-z][a-z-]*$"));
        if (!nameRe.match(name).hasMatch() || name == u"config") {
            complain(
                FeedsTr::tr("%1:%2: not an option name: '%3'").arg(path).arg(lineNumber).arg(name));
            return UsageError;
        }
        if (name == u"mqtt-password") {
            if (!private_) {
                complain(FeedsTr::tr("%1 holds a password but other users can read it; "
                                     "chmod 600 (or 640 with the service's group)")
                             .arg(path));
                return UsageError;
            }
            qputenv("VELTRIX_MQTT_PASSWORD", value.toUtf8());
            continue;
        }
        extra << QStringLiteral("--") + name;
        if (eq >= 0)
            extra << value;
    }
    // Before the command line's own options: those given there win.
    for (qsizetype i = extra.size() - 1; i >= 0; --i)
        args.insert(1, extra.at(i));
    return Ok;
}

} // namespace veltrix::cli
