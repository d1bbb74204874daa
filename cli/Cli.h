// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// veltrix-cli: the meter from a terminal or a script, on the same link, decoder and record file
// code as the panel.

#include "link/MeterLink.h"
#include "ui/PortBindings.h"
#include "ui/SerialLine.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <memory>

namespace veltrix {
class MeterSession;
}
namespace veltrix::sim {
class VirtualMeter;
}

namespace veltrix::cli {

class CommandLine;

// The translation contexts of the tool's messages (lupdate reads them from here): the tool's
// own, and one for each subcommand with many texts of its own.
struct CliTr {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};
struct LoggerTr {
    Q_DECLARE_TR_FUNCTIONS(CliLogger)
};
struct FeedsTr {
    Q_DECLARE_TR_FUNCTIONS(CliFeeds)
};
struct StatsTr {
    Q_DECLARE_TR_FUNCTIONS(CliStats)
};
struct SurveyTr {
    Q_DECLARE_TR_FUNCTIONS(CliSurvey)
};
struct ReportTr {
    Q_DECLARE_TR_FUNCTIONS(CliReport)
};

// Exit statuses, as the help text and the manual page list them.
enum Status {
    Ok = 0,
    Failure = 1,       // a file could not be read or written, the meter refused, ...
    UsageError = 2,    // unknown subcommand or option, a value out of range
    PortError = 3,     // the port cannot be opened
    NoAnswer = 4,      // the meter does not answer
    BrokerRefused = 5, // the MQTT broker refused the user name or password
};

// Prints "veltrix-cli: <text>" on standard error.
void complain(const QString& text);
// Prints `text` on standard output at once (UTF-8).
void printOut(const QString& text);
// True when standard error is a terminal (progress is shown only then).
bool stderrIsTerminal();

// The meter session as the tool runs it: stamped in the wall clock's own offset, ended by a
// signal, and a silent meter pauses the sample clock instead of ending a recording.
void toolSession(MeterSession& meter);

// Set once SIGINT or SIGTERM arrived: the running command finishes what it is writing and ends.
bool stopRequested();
// The status a command stopped by a signal exits with, 128 + the signal (130 for SIGINT, 143
// for SIGTERM), after saying so on standard error. A stopped command never reports success.
int interruptedStatus();
// Routes SIGINT and SIGTERM into the event loop (self-pipe): they stop the command cleanly.
void installStopSignals();

// An open line to the meter (or to the virtual meter).
class Session {
public:
    Session();
    ~Session();

    // Opens the port the options name; returns Ok or the status to exit with (after saying why).
    int open(const CommandLine& options);
    // Identifies the meter; NoAnswer (after saying so) when it does not answer.
    int identify();
    // Both, in that order: what every meter command starts with.
    int start(const CommandLine& options);

    MeterLink& link() { return *m_link; }
    ui::SerialLine& line() { return *m_line; }
    QString modelCode() const { return m_model; }
    QString portText() const;

private:
    std::unique_ptr<sim::VirtualMeter> m_meter;
    std::unique_ptr<ui::SerialLine> m_line;
    std::unique_ptr<MeterLink> m_link;
    QString m_model;
};

// Subcommands. `args` holds the program name followed by the subcommand's own arguments.
int runPorts(const QStringList& args);
int runRead(const QStringList& args);
int runRecord(const QStringList& args);
int runClock(const QStringList& args);
int runConvert(const QStringList& args);
int runLogger(const QStringList& args);
int runStats(const QStringList& args);
// report, in the report writer veltrix-report (Report.cpp), which `veltrix-cli report` runs in its
// place: the report's PDF takes Qt Gui, which this tool does not link.
int runReport(const QStringList& args);
int runSurvey(const QStringList& args);
// logger download on an open, identified session: set `only` (0: every set) into `folder`, named
// as "Save all sets" names them. The files' paths go to standard output, or into `out` with the
// meter's ID code when it is given.
struct DownloadedSets {
    QStringList files; // whole or not: a set that did not come whole makes the status a failure
    int idCode = 0;
};
int downloadSets(Session& session, int only, const QString& folder,
                 DownloadedSets* out = nullptr);
// clock read on an open, identified session: prints the meter's clock.
int readClock(Session& session);

} // namespace veltrix::cli
