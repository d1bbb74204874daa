// SPDX-License-Identifier: GPL-3.0-or-later
// veltrix-meter-sim: serves a virtual field meter on a pseudo-terminal so that the panel can be
// run and tried without the instrument. The first line on standard output is the device to open;
// faults are injected by typing commands on standard input (see "help").

#include "sim/VirtualMeter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

using veltrix::sim::Unit;
using veltrix::sim::VirtualMeter;

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
}

const char* const HelpText =
    "commands: silent on|off, unplug, replug, field MG, profile on|off, delta N,\n"
    "          garbage on|off, late MS, split on|off, lock on|off, hold on|off,\n"
    "          peak on|off, high on|off, unit mG|uT, memory full|sample|empty,\n"
    "          status, quit\n";

void printLine(FILE* to, const QString& text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), to);
    std::fflush(to);
}

// The commands that switch a fault or a key of the meter on or off.
struct Switch {
    const char* name;
    void (VirtualMeter::*set)(bool);
};
const Switch Switches[] = {
    {"silent", &VirtualMeter::setSilent},      {"garbage", &VirtualMeter::setGarbage},
    {"split", &VirtualMeter::setSplitReplies}, {"lock", &VirtualMeter::setMemoryLock},
    {"hold", &VirtualMeter::setHold},          {"peak", &VirtualMeter::setPeak},
    {"high", &VirtualMeter::setHighRange},     {"profile", &VirtualMeter::setProfileEnabled},
};

// "silent on", "hold off", ...: false for another command or another word than on or off.
bool runSwitch(VirtualMeter& meter, const QString& cmd, const QString& arg)
{
    const bool on = arg == QLatin1String("on");
    if (!on && arg != QLatin1String("off"))
        return false;
    for (const Switch& s : Switches) {
        if (cmd == QLatin1String(s.name)) {
            (meter.*s.set)(on);
            return true;
        }
    }
    return false;
}

void printStatus(VirtualMeter& meter)
{
    printLine(stderr, QStringLiteral("%1 %2 status %3 value %4 field %5 mG")
                          .arg(meter.devicePath(), meter.isRunning() ? QStringLiteral("up")
                                                                     : QStringLiteral("unplugged"))
                          .arg(meter.statusByte(), 2, 16, QLatin1Char('0'))
                          .arg(meter.valueWord(), 4, 16, QLatin1Char('0'))
                          .arg(meter.field(), 0, 'f', 2));
}

// The commands that take a value: memory, field, delta, late, unit. Nothing for another command;
// false for a value the command cannot use.
std::optional<bool> runValueCommand(VirtualMeter& meter, const QString& cmd, const QString& arg)
{
    bool ok = true;
    if (cmd == QLatin1String("memory")) {
        if (arg == QLatin1String("full"))
            meter.setLoggerSets(VirtualMeter::fullMemorySets());
        else if (arg == QLatin1String("sample"))
            meter.setLoggerSets(VirtualMeter::sampleSets());
        else if (arg == QLatin1String("empty"))
            meter.setLoggerSets({});
        else
            ok = false;
    } else if (cmd == QLatin1String("field")) {
        const double mg = arg.toDouble(&ok);
        if (ok)
            meter.setField(mg);
    } else if (cmd == QLatin1String("delta")) {
        const int n = arg.toInt(&ok);
        if (ok)
            meter.setLengthDelta(n);
    } else if (cmd == QLatin1String("late")) {
        const int ms = arg.toInt(&ok);
        ok = ok && ms >= 0;
        if (ok)
            meter.setLateMs(ms);
    } else if (cmd == QLatin1String("unit")) {
        ok = arg.compare(QLatin1String("mG"), Qt::CaseInsensitive) == 0 ||
             arg.compare(QLatin1String("uT"), Qt::CaseInsensitive) == 0;
        if (ok)
            meter.setUnit(arg.compare(QLatin1String("uT"), Qt::CaseInsensitive) == 0
                              ? Unit::MicroTesla
                              : Unit::MilliGauss);
    } else {
        return std::nullopt;
    }
    return ok;
}

// Runs one line of the fault-injection language. Returns false on a line it cannot use.
bool runCommand(VirtualMeter& meter, const QString& line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return true;
    const QString cmd = words.at(0).toLower();
    const QString arg = words.value(1);

    if (cmd == QLatin1String("quit") || cmd == QLatin1String("exit")) {
        QCoreApplication::quit();
    } else if (cmd == QLatin1String("help")) {
        std::fputs(HelpText, stderr);
    } else if (cmd == QLatin1String("unplug")) {
        meter.unplug();
    } else if (cmd == QLatin1String("replug")) {
        QString error;
        if (!meter.replug(&error)) {
            printLine(stderr, QStringLiteral("replug failed: %1").arg(error));
            return true;
        }
        printLine(stdout, meter.devicePath());
    } else if (cmd == QLatin1String("status")) {
        printStatus(meter);
    } else if (const auto ok = runValueCommand(meter, cmd, arg)) {
        return *ok;
    } else {
        return runSwitch(meter, cmd, arg);
    }
    return true;
}

struct Options {
    QCommandLineOption link{QStringLiteral("link"),
                            QStringLiteral("Serve the device through a symbolic link."),
                            QStringLiteral("path")};
    QCommandLineOption model{QStringLiteral("model"),
                             QStringLiteral("Model code in hex (default 4627)."),
                             QStringLiteral("hex"), QStringLiteral("4627")};
    QCommandLineOption empty{QStringLiteral("empty-memory"),
                             QStringLiteral("Start with an empty data logger.")};
    QCommandLineOption full{QStringLiteral("full-memory"),
                            QStringLiteral("Start with a full data logger (32512 bytes).")};
    QCommandLineOption noPacing{QStringLiteral("no-pacing"),
                                QStringLiteral("Send answers at once, not at 9600 baud.")};
    QCommandLineOption silent{QStringLiteral("silent"),
                              QStringLiteral("Start silent (no answers).")};
    QCommandLineOption field{QStringLiteral("field"),
                             QStringLiteral("Fixed field in mG instead of the drift."),
                             QStringLiteral("mG")};
    QCommandLineOption unit{QStringLiteral("unit"), QStringLiteral("Display unit: mG or uT."),
                            QStringLiteral("unit"), QStringLiteral("mG")};
    QCommandLineOption high{QStringLiteral("high-range"),
                            QStringLiteral("Start in the high range.")};
};

// Sets the meter up as the options say: 0, or the status to exit with after saying why.
int configure(VirtualMeter& meter, const QCommandLineParser& parser, const Options& o)
{
    bool ok = false;
    const uint model = parser.value(o.model).toUInt(&ok, 16);
    if (!ok || model > 0xFFFF) {
        printLine(stderr, QStringLiteral("invalid --model: %1").arg(parser.value(o.model)));
        return 2;
    }
    meter.setModelCode(quint16(model));
    if (parser.isSet(o.field)) {
        const double mg = parser.value(o.field).toDouble(&ok);
        if (!ok) {
            printLine(stderr, QStringLiteral("invalid --field: %1").arg(parser.value(o.field)));
            return 2;
        }
        meter.setField(mg);
    }
    const QString unit = parser.value(o.unit);
    if (unit.compare(QLatin1String("uT"), Qt::CaseInsensitive) == 0) {
        meter.setUnit(Unit::MicroTesla);
    } else if (unit.compare(QLatin1String("mG"), Qt::CaseInsensitive) != 0) {
        printLine(stderr, QStringLiteral("invalid --unit: %1 (mG or uT)").arg(unit));
        return 2;
    }
    meter.setHighRange(parser.isSet(o.high));
    meter.setPaced(!parser.isSet(o.noPacing));
    meter.setSilent(parser.isSet(o.silent));
    if (parser.isSet(o.empty))
        meter.setLoggerSets({});
    else if (parser.isSet(o.full))
        meter.setLoggerSets(VirtualMeter::fullMemorySets());
    if (parser.isSet(o.link))
        meter.setSymlinkPath(parser.value(o.link));
    return 0;
}

// SIGINT/SIGTERM end the event loop through a pipe, so the link is removed on the way out.
void routeStopSignals(QCoreApplication& app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* sigNotifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(sigNotifier, &QSocketNotifier::activated, &app, [] {
        char c;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &c, 1);
        QCoreApplication::quit();
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

// Takes what arrived on standard input and runs the whole lines gathered in `pending`.
void takeInput(QSocketNotifier& input, VirtualMeter& meter, QByteArray& pending)
{
    char buf[256];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
        input.setEnabled(false); // end of input: keep serving until a signal
        return;
    }
    pending.append(buf, n);
    qsizetype nl;
    while ((nl = pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromLocal8Bit(pending.left(nl)).trimmed();
        pending.remove(0, nl + 1);
        if (!runCommand(meter, line))
            printLine(stderr, QStringLiteral("? %1 (type help)").arg(line));
    }
}

// Runs the fault commands typed on standard input, a line at a time.
void readCommands(QCoreApplication& app, VirtualMeter& meter)
{
    auto* input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
    QObject::connect(
        input, &QSocketNotifier::activated, &app,
        [input, &meter, pending = QByteArray()]() mutable { takeInput(*input, meter, pending); });
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veltrix-meter-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Virtual field meter on a pseudo-terminal. Prints the device path on the "
                       "first line, then reads fault commands from standard input (\"help\")."));
    parser.addHelpOption();
    const Options o;
    parser.addOptions(
        {o.link, o.model, o.empty, o.full, o.noPacing, o.silent, o.field, o.unit, o.high});
    parser.process(app);

    VirtualMeter meter;
    if (const int status = configure(meter, parser, o))
        return status;
    QString error;
    if (!meter.start(&error)) {
        printLine(stderr, QStringLiteral("cannot start: %1").arg(error));
        return 1;
    }
    printLine(stdout, meter.devicePath());
    routeStopSignals(app);
    readCommands(app, meter);
    const int rc = app.exec();
    meter.stop();
    return rc;
}
