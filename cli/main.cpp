// SPDX-License-Identifier: GPL-3.0-or-later
// veltrix-cli: read, record and set the Veltrix field meter from a terminal or a script.

#include "Cli.h"
#include "Options.h"
#include "Outputs.h"

#include "ui/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace veltrix;

namespace {

const char* const Summary = QT_TRANSLATE_NOOP(
    "Cli",
    "Reads, records and sets the Veltrix field meter on a serial line, from a terminal or a\n"
    "script. The same link, record file and meter commands as the panel.\n"
    "\n"
    "Commands:\n"
    "  ports                        serial devices found and the COM1..COM8 bindings\n"
    "  read [--count N] [--interval S] [--format text|csv|jsonl|influx]\n"
    "                               one line per reading\n"
    "  record FILE [--interval S] [--count N | --duration D] [--rotate daily]\n"
    "                               a recording in the panel's record file format\n"
    "    read and record also feed: --prom FILE (node_exporter textfile),\n"
    "    --mqtt URL [--mqtt-prefix T] (MQTT, Home Assistant discovery), --config FILE\n"
    "  clock set | read             set the meter's clock from this computer's clock, or read it\n"
    "  logger list | download (--set N | --all) --out DIR | set-id N | set-interval S |\n"
    "         erase --yes           the meter's data logger\n"
    "  convert FILE.txt --to csv [--out PATH]\n"
    "                               a record file as CSV\n"
    "  stats FILE... [--threshold VALUE[mG|uT]]... [--reference NAME]... [--from ISO]\n"
    "        [--to ISO] [--format text|json|csv]\n"
    "                               survey figures of record files\n"
    "  report FILE... --out REPORT.pdf [the report dialog's fields, levels and range]\n"
    "                               a survey report as a PDF\n"
    "  survey new | add-room | add-point | measure | attach | list SURVEY-FILE [options]\n"
    "                               a survey file: rooms, points, spot measurements, recordings\n"
    "\n"
    "Meter commands take --port DEVICE, --com N (1-8) or --simulate.\n"
    "'veltrix-cli COMMAND --help' describes a command.\n"
    "\n"
    "Exit status: 0 success, 1 failure (a file, the meter's refusal), 2 usage error,\n"
    "3 the port cannot be opened, 4 the meter does not answer, 5 the MQTT broker refused\n"
    "the user name or password, 130 / 143 a logger or survey command stopped by SIGINT /\n"
    "SIGTERM.");

// report: the report writer, beside this tool in the build tree or in its libexec folder once
// installed, runs in its place with the same arguments (it links the PDF writer, which this tool
// must not). Returns only when it cannot be run.
int runReportWriter(const QStringList& args)
{
    const QDir here(QCoreApplication::applicationDirPath());
    QString writer = here.filePath(QStringLiteral("veltrix-report"));
    if (!QFileInfo(writer).isExecutable())
        writer = QDir::cleanPath(here.filePath(QStringLiteral(VELTRIX_REPORT_WRITER)));
    QList<QByteArray> bytes;
    for (const QString& a : args)
        bytes << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    std::fflush(stdout);
    ::execv(QFile::encodeName(writer).constData(), argv.data());
    cli::complain(cli::CliTr::tr("cannot run the report writer %1: %2")
                      .arg(writer, QString::fromLocal8Bit(std::strerror(errno))));
    return cli::Failure;
}

// A run asking for machine output (--format json, csv, jsonl or influx). Its JSON and CSV name
// levels, references and bands: a script finds them by the same names whatever the system's
// language only when such a run stays English, messages and all.
bool machineOutput(const QStringList& args)
{
    QString format;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--format")
            format = args.value(i + 1);
        else if (args[i].startsWith(u"--format="))
            format = args[i].mid(9);
    }
    return format == u"json" || format == u"csv" || format == u"jsonl" || format == u"influx";
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veltrix-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("10.01"));
    // Messages, help and text output in the user's language.
    if (!machineOutput(QCoreApplication::arguments()))
        ui::installTranslators(app);

    // The command is the first argument that is neither an option nor an option's value.
    QStringList args = QCoreApplication::arguments();
    QString command;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--")
            break;
        if (a.startsWith(u'-')) {
            if (cli::takesValue(a))
                ++i;
            continue;
        }
        command = a;
        break;
    }

    using Runner = int (*)(const QStringList&);
    const std::pair<cli::Command, Runner> commands[] = {
        {cli::Command::Ports, cli::runPorts},     {cli::Command::Read, cli::runRead},
        {cli::Command::Record, cli::runRecord},   {cli::Command::Clock, cli::runClock},
        {cli::Command::Convert, cli::runConvert}, {cli::Command::Logger, cli::runLogger},
        {cli::Command::Stats, cli::runStats},     {cli::Command::Report, runReportWriter},
        {cli::Command::Survey, cli::runSurvey}};
    const std::optional<cli::Command> named = cli::commandNamed(command);
    for (const auto& [which, run] : commands) {
        if (named == which) {
            if (const int status = cli::expandConfig(args))
                return status;
            // A service's configuration file may ask for machine output too.
            if (machineOutput(args))
                ui::removeTranslators(app);
            cli::installStopSignals();
            return run(args);
        }
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(cli::CliTr::tr(Summary));
    parser.addPositionalArgument(QStringLiteral("command"), cli::CliTr::tr("See Commands above."),
                                 cli::CliTr::tr("COMMAND [options]"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(args)) {
        cli::complain(parser.errorText() + cli::CliTr::tr(" (try --help)"));
        return cli::UsageError;
    }
    if (parser.isSet(help))
        parser.showHelp(cli::Ok);
    if (parser.isSet(version))
        parser.showVersion();
    if (command.isEmpty())
        cli::complain(cli::CliTr::tr("a command is needed (try --help)"));
    else
        cli::complain(cli::CliTr::tr("unknown command '%1' (try --help)").arg(command));
    return cli::UsageError;
}
