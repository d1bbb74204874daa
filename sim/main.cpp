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

// Runs one line of the fault-injection language. Returns false on a line it cannot use.
bool runCommand(VirtualMeter& meter, const QString& line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return true;
    const QString cmd = words.at(0).toLower();
    const QString arg = words.value(1);
    const bool hasSwitch = arg == QLatin1String("on") || arg == QLatin1String("off");
    const bool on = arg == QLatin1String("on");
    bool ok = true;

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
        printLine(stderr,
                  QStringLiteral("%1 %2 status %3 value %4 field %5 mG")
                      .arg(meter.devicePath(),
                           meter.isRunning() ? QStringLiteral("up") : QStringLiteral("unplugged"))
                      .arg(meter.statusByte(), 2, 16, QLatin1Char('0'))
                      .arg(meter.valueWord(), 4, 16, QLatin1Char('0'))
                      .arg(meter.field(), 0, 'f', 2));
    } else if (cmd == QLatin1String("memory")) {
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
    } else if (hasSwitch && cmd == QLatin1String("silent")) {
        meter.setSilent(on);
    } else if (hasSwitch && cmd == QLatin1String("garbage")) {
        meter.setGarbage(on);
    } else if (hasSwitch && cmd == QLatin1String("split")) {
        meter.setSplitReplies(on);
    } else if (hasSwitch && cmd == QLatin1String("lock")) {
        meter.setMemoryLock(on);
    } else if (hasSwitch && cmd == QLatin1String("hold")) {
        meter.setHold(on);
    } else if (hasSwitch && cmd == QLatin1String("peak")) {
        meter.setPeak(on);
    } else if (hasSwitch && cmd == QLatin1String("high")) {
        meter.setHighRange(on);
    } else if (hasSwitch && cmd == QLatin1String("profile")) {
        meter.setProfileEnabled(on);
    } else {
        ok = false;
    }
    return ok;
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
    const QCommandLineOption linkOpt(QStringLiteral("link"),
                                     QStringLiteral("Serve the device through a symbolic link."),
                                     QStringLiteral("path"));
    const QCommandLineOption modelOpt(QStringLiteral("model"),
                                      QStringLiteral("Model code in hex (default 4627)."),
                                      QStringLiteral("hex"), QStringLiteral("4627"));
    const QCommandLineOption emptyOpt(QStringLiteral("empty-memory"),
                                      QStringLiteral("Start with an empty data logger."));
    const QCommandLineOption fullOpt(QStringLiteral("full-memory"),
                                     QStringLiteral("Start with a full data logger (32512 bytes)."));
    const QCommandLineOption noPacingOpt(QStringLiteral("no-pacing"),
                                         QStringLiteral("Send answers at once, not at 9600 baud."));
    const QCommandLineOption silentOpt(QStringLiteral("silent"),
                                       QStringLiteral("Start silent (no answers)."));
    const QCommandLineOption fieldOpt(QStringLiteral("field"),
                                      QStringLiteral("Fixed field in mG instead of the drift."),
                                      QStringLiteral("mG"));
    const QCommandLineOption unitOpt(QStringLiteral("unit"),
                                     QStringLiteral("Display unit: mG or uT."),
                                     QStringLiteral("unit"), QStringLiteral("mG"));
    const QCommandLineOption highOpt(QStringLiteral("high-range"),
                                     QStringLiteral("Start in the high range."));
    parser.addOptions(
        {linkOpt, modelOpt, emptyOpt, fullOpt, noPacingOpt, silentOpt, fieldOpt, unitOpt, highOpt});
    parser.process(app);

    VirtualMeter meter;
    bool ok = false;
    const uint model = parser.value(modelOpt).toUInt(&ok, 16);
    if (!ok || model > 0xFFFF) {
        printLine(stderr, QStringLiteral("invalid --model: %1").arg(parser.value(modelOpt)));
        return 2;
    }
    meter.setModelCode(quint16(model));
    if (parser.isSet(fieldOpt)) {
        const double mg = parser.value(fieldOpt).toDouble(&ok);
        if (!ok) {
            printLine(stderr, QStringLiteral("invalid --field: %1").arg(parser.value(fieldOpt)));
            return 2;
        }
        meter.setField(mg);
    }
    const QString unit = parser.value(unitOpt);
    if (unit.compare(QLatin1String("uT"), Qt::CaseInsensitive) == 0) {
        meter.setUnit(Unit::MicroTesla);
    } else if (unit.compare(QLatin1String("mG"), Qt::CaseInsensitive) != 0) {
        printLine(stderr, QStringLiteral("invalid --unit: %1 (mG or uT)").arg(unit));
        return 2;
    }
    meter.setHighRange(parser.isSet(highOpt));
    meter.setPaced(!parser.isSet(noPacingOpt));
    meter.setSilent(parser.isSet(silentOpt));
    if (parser.isSet(emptyOpt))
        meter.setLoggerSets({});
    else if (parser.isSet(fullOpt))
        meter.setLoggerSets(VirtualMeter::fullMemorySets());
    if (parser.isSet(linkOpt))
        meter.setSymlinkPath(parser.value(linkOpt));

    QString error;
    if (!meter.start(&error)) {
        printLine(stderr, QStringLiteral("cannot start: %1").arg(error));
        return 1;
    }
    printLine(stdout, meter.devicePath());

    // SIGINT/SIGTERM end the event loop through a pipe, so the link is removed on the way out.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
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

    auto* input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
    QByteArray pendingInput;
    QObject::connect(input, &QSocketNotifier::activated, &app, [&] {
        char buf[256];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            input->setEnabled(false); // end of input: keep serving until a signal
            return;
        }
        pendingInput.append(buf, n);
        qsizetype nl;
        while ((nl = pendingInput.indexOf('\n')) >= 0) {
            const QString line = QString::fromLocal8Bit(pendingInput.left(nl)).trimmed();
            pendingInput.remove(0, nl + 1);
            if (!runCommand(meter, line))
                printLine(stderr, QStringLiteral("? %1 (type help)").arg(line));
        }
    });

    const int rc = app.exec();
    meter.stop();
    return rc;
}
