// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cli.h"
#include "Options.h"

#include "link/Delay.h"
#include "sim/VirtualMeter.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace veltrix::cli {

namespace {
bool g_stop = false;
int g_signal = 0;
int g_signalPipe[2] = {-1, -1};

void onSignal(int signal)
{
    const int saved = errno;
    const char byte = char(signal);
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &byte, 1);
    errno = saved;
}
} // namespace

void complain(const QString& text)
{
    std::fprintf(stderr, "veltrix-cli: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

void printOut(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout); // a reader on a pipe sees every reading at once
}

bool stderrIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

bool stopRequested()
{
    return g_stop;
}

int interruptedStatus()
{
    complain(CliTr::tr("interrupted (%1)")
                 .arg(g_signal == SIGTERM ? QStringLiteral("SIGTERM") : QStringLiteral("SIGINT")));
    return 128 + (g_signal > 0 ? g_signal : SIGINT);
}

void installStopSignals()
{
    if (g_signalPipe[0] >= 0 || ::pipe(g_signalPipe) != 0)
        return;
    for (const int fd : g_signalPipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    // The handler only writes a byte; the event loop (running inside every wait on the meter)
    // picks it up, and the command then ends between two records, never inside one.
    auto* notifier =
        new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char buffer[16];
        ssize_t n = 0;
        while ((n = ::read(g_signalPipe[0], buffer, sizeof buffer)) > 0) {
            if (g_signal == 0) // the first one is the one being answered
                g_signal = static_cast<unsigned char>(buffer[0]);
        }
        g_stop = true;
        QCoreApplication::exit(0); // ends the wait under way at once
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

Session::Session() = default;

int Session::start(const CommandLine& options)
{
    if (const int status = open(options))
        return status;
    return identify();
}

Session::~Session()
{
    if (m_line && m_line->portOpen())
        m_line->setPortOpen(false);
}

int Session::open(const CommandLine& options)
{
    ui::PortBindings bindings = ui::PortBindings::fromSystem();
    const int port = int(options.number(u"com", 1));
    if (options.isSet(u"port"))
        bindings.bind(port, options.value(u"port"));
    if (options.isSet(u"simulate")) {
        m_meter = std::make_unique<sim::VirtualMeter>();
        QString error;
        if (!m_meter->start(&error)) {
            complain(CliTr::tr("cannot start the virtual meter: %1").arg(error));
            return Failure;
        }
        bindings.bind(port, m_meter->devicePath(), QStringLiteral("Veltrix virtual meter"));
    }
    m_line = std::make_unique<ui::SerialLine>(bindings);
    m_line->setCommPort(port);
    m_line->setSettings(QStringLiteral("9600,n,8,1"));
    const ui::OpenError error = m_line->setPortOpen(true);
    if (error == ui::OpenError::Locked) {
        complain(m_line->errorText());
        return PortError;
    }
    if (error != ui::OpenError::None) {
        const QString path = bindings.devicePath(port);
        complain(CliTr::tr("cannot open COM%1%2: %3")
                     .arg(port)
                     .arg(path.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(path),
                          ui::SerialLine::describe(error)));
        return PortError;
    }
    m_link = std::make_unique<MeterLink>(*m_line);
    return Ok;
}

int Session::identify()
{
    bool ok = true;
    const auto code = m_link->identifyExchange(&ok);
    if (!ok || stopRequested())
        return Ok; // stopped by a signal: nothing more to do
    if (!code) {
        complain(CliTr::tr("the meter on %1 does not answer").arg(portText()));
        return NoAnswer;
    }
    m_model = *code;
    return Ok;
}

QString Session::portText() const
{
    const int port = m_line->commPort();
    return QStringLiteral("COM%1 (%2)").arg(port).arg(m_line->devicePath());
}

} // namespace veltrix::cli
