// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A mosquitto broker on 127.0.0.1, started and stopped by a test or a benchmark.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtDebug>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace veltrix::test {

inline sockaddr_in loopback(int port = 0)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(quint16(port));
    return a;
}

// A TCP port on 127.0.0.1 that nobody listens on right now.
inline int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = loopback();
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), len);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

inline bool acceptsConnections(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in a = loopback(port);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

struct Broker {
    QTemporaryDir dir;
    QProcess process;
    int port = freePort();
    QString passwordFile;
    QString tlsConfig; // cafile/certfile/keyfile lines for a TLS listener
    bool localSocket = false; // also listen on socketPath()

    bool start()
    {
        QFile conf(dir.filePath("mosquitto.conf"));
        QString text =
            QStringLiteral("listener %1 127.0.0.1\npersistence false\nlog_dest stderr\n"
                           "allow_anonymous %2\n%3")
                .arg(port)
                .arg(passwordFile.isEmpty() ? "true" : "false\npassword_file " + passwordFile)
                .arg(tlsConfig);
        if (::geteuid() == 0) // else it would drop to "mosquitto", who cannot read our files
            text += "\nuser root\n";
        if (localSocket)
            text += "\nlistener 0 " + socketPath() + '\n';
        if (!conf.open(QIODevice::WriteOnly) || conf.write(text.toUtf8()) < 0)
            return false;
        conf.close();
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral("mosquitto"), {"-c", conf.fileName()});
        QByteArray log; // ready once it says it listens; bounded, it may also fail to start
        for (QDeadlineTimer t(10000); !log.contains("listen socket") && !t.hasExpired() &&
                                      process.state() != QProcess::NotRunning;) {
            process.waitForReadyRead(200);
            log += process.readAll();
        }
        if (!log.contains("listen socket"))
            return qWarning("mosquitto: %s", log.constData()), false;
        // It says so before it listens: a client started at once could be refused.
        for (QDeadlineTimer t(10000); !acceptsConnections(port) && !t.hasExpired();)
            QThread::msleep(20);
        return acceptsConnections(port);
    }
    QString url() const { return QStringLiteral("mqtt://127.0.0.1:%1").arg(port); }
    QString socketPath() const { return dir.filePath("mosquitto.sock"); }
    QString socketUrl() const { return "mqtt+unix://" + socketPath(); }
    void stop()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
    ~Broker() { stop(); }
};

} // namespace veltrix::test
