// SPDX-License-Identifier: GPL-3.0-or-later
// The logger subcommands (list, download, set-id, set-interval, erase) and clock read: the Memory
// window's exchanges without the window.

#include "Cli.h"
#include "Options.h"

#include "link/ReadingDecoder.h"
#include "logger/LoggerBackup.h"
#include "logger/LoggerCommands.h"
#include "logger/LoggerRecords.h"
#include "logger/LoggerTimes.h"
#include "logger/SetDownload.h"
#include "panel/PanelLogic.h"
#include "panel/SharedState.h"

#include <QDateTime>
#include <QDir>
#include <cstdio>

namespace veltrix::cli {

using namespace logger;

namespace {

int century()
{
    return logger::century(QDate::currentDate());
}

// Says why a reply is not what was asked for; NoAnswer when nothing came at all.
int replyFailure(const QString& what, const Reply& reply)
{
    complain(failureText(what, reply));
    return reply.bytes.isEmpty() ? NoAnswer : Failure;
}

bool keepGoing()
{
    return !stopRequested();
}

// Reads the memory status and, when there are sets, the list of sets.
int readDirectory(LoggerExchange& exchange, MemoryStatus* status, QList<SetInfo>* sets)
{
    const Reply reply = readMemoryStatus(exchange, keepGoing);
    if (stopRequested())
        return interruptedStatus();
    if (!reply.complete())
        return replyFailure(LoggerTr::tr("memory status"), reply);
    *status = *parseMemoryStatus(reply.bytes);
    sets->clear();
    if (status->setCount == 0)
        return Ok;
    const Reply index = readSetIndex(exchange, status->setCount, {}, keepGoing);
    if (stopRequested())
        return interruptedStatus();
    *sets = parseSetIndex(index.bytes, status->setCount);
    if (!index.complete())
        return replyFailure(LoggerTr::tr("list of sets"), index);
    return Ok;
}

int listSets(LoggerExchange& exchange)
{
    MemoryStatus status;
    QList<SetInfo> sets;
    const int rc = readDirectory(exchange, &status, &sets);
    if (rc != Ok)
        return rc;
    QString out;
    out += LoggerTr::tr("ID code: %1\n").arg(status.idCode);
    out += LoggerTr::tr("Logging interval: %1 s\n").arg(intervalText(status.intervalCode));
    out += LoggerTr::tr("Memory left: %1 K\n").arg(remainingMemory(status));
    out += LoggerTr::tr("Sets: %1\n").arg(status.setCount);
    if (!sets.isEmpty())
        out += LoggerTr::tr("Set  Date      Time      Unit  Interval  Records\n");
    for (const SetInfo& s : sets) {
        out += QStringLiteral("%1  %2  %3  %4  %5  %6\n")
                   .arg(s.number, 3)
                   .arg(s.dateText(), s.timeText(), s.unitText().leftJustified(4))
                   .arg(intervalText(s.intervalCode), 8)
                   .arg(s.records, 7);
    }
    printOut(out);
    return Ok;
}

// The value the panel would show now: readings the meter marks invalid take it in the files,
// as they do in the panel's.
QString shownValue(MeterLink& link)
{
    const auto answer = link.pollExchange();
    if (!answer)
        return {};
    SharedState state;
    DecodeStatus(quint8(answer->at(1)), state);
    return valueToShow(quint8(answer->at(2)), quint8(answer->at(3)), QString(), state);
}

} // namespace

int downloadSets(Session& session, int only, const QString& folder, DownloadedSets* out)
{
    LoggerExchange exchange(session.link());
    const QDir dir(folder);
    if (!dir.exists() && !QDir().mkpath(folder)) {
        complain(LoggerTr::tr("the folder %1 cannot be created").arg(folder));
        return Failure;
    }
    MemoryStatus status;
    QList<SetInfo> sets;
    const int rc = readDirectory(exchange, &status, &sets);
    if (rc != Ok)
        return rc;
    if (only > 0 && only > sets.size()) {
        complain(LoggerTr::tr("the meter holds %1 set(s); there is no set %2")
                     .arg(sets.size())
                     .arg(only));
        return UsageError;
    }
    if (only > 0)
        sets = {sets.at(only - 1)};
    const QString shown = shownValue(exchange.link());
    if (stopRequested())
        return interruptedStatus();

    const bool progress = stderrIsTerminal();
    const int total = int(sets.size());
    SetSaveHooks hooks;
    hooks.shownValue = [&shown]() -> const QString& { return shown; };
    hooks.keepGoing = keepGoing;
    hooks.progress = [&](int i, int records) {
        if (!progress)
            return;
        const QString text = LoggerTr::tr("set %1 of %2: %3 of %4 records")
                                 .arg(sets.at(i - 1).number)
                                 .arg(total)
                                 .arg(records)
                                 .arg(sets.at(i - 1).records);
        std::fprintf(stderr, "\r%s", text.toLocal8Bit().constData());
    };
    hooks.setDone = [&](int, const QString& path) {
        if (progress)
            std::fputc('\n', stderr);
        if (!path.isEmpty() && !out)
            printOut(QDir::toNativeSeparators(path) + QLatin1Char('\n'));
    };
    const SetSaveResult result = saveSets(exchange, sets, dir, century(), hooks);
    if (out) {
        out->files = result.written;
        out->idCode = status.idCode;
    }
    for (const QString& failure : result.failures)
        complain(failure);
    int exitStatus = Ok;
    if (!result.failures.isEmpty())
        exitStatus = result.unanswered && !result.writeFailed ? NoAnswer : Failure;
    if (progress || exitStatus != Ok || result.stopped)
        complain(LoggerTr::tr("%1 of %2 set(s) saved in %3%4")
                     .arg(result.saved)
                     .arg(total)
                     .arg(QDir::toNativeSeparators(dir.absolutePath()),
                          result.stopped ? LoggerTr::tr("; what arrived of the last one is kept "
                                                        "as an _incomplete file")
                                         : QString()));
    return result.stopped ? interruptedStatus() : exitStatus;
}

namespace {

// Opens and identifies the meter for an action: Ok, or the status to exit with.
int startSession(Session& session, const CommandLine& options)
{
    const int status = session.start(options);
    return stopRequested() ? interruptedStatus() : status;
}

int listAction(const CommandLine& options, const QStringList& /*words*/)
{
    Session session;
    if (const int status = startSession(session, options))
        return status;
    LoggerExchange exchange(session.link());
    return listSets(exchange);
}

int downloadAction(const CommandLine& options, const QStringList& /*words*/)
{
    if (options.isSet(u"set") == options.isSet(u"all") || !options.isSet(u"out")) {
        complain(LoggerTr::tr("logger download needs --set N or --all, and --out DIR"));
        return UsageError;
    }
    Session session;
    if (const int status = startSession(session, options))
        return status;
    return downloadSets(session, int(options.number(u"set")), options.value(u"out"));
}

// A logger setting given as a number the meter takes (the ID code, the interval's code).
std::optional<int> settingCode(const QString& text, std::optional<int> (*fromText)(const QString&))
{
    bool number = false;
    text.toDouble(&number);
    return number ? fromText(text) : std::nullopt;
}

int setIdAction(const CommandLine& options, const QStringList& words)
{
    const std::optional<int> code = settingCode(words.at(2), idCodeFromText);
    if (!code) {
        complain(LoggerTr::tr("the ID code must be a number from 0 to %1, got '%2'")
                     .arg(MaxIdCode)
                     .arg(words.at(2)));
        return UsageError;
    }
    Session session;
    if (const int status = startSession(session, options))
        return status;
    if (!writeIdCode(session.link(), *code))
        return Ok;
    printOut(LoggerTr::tr("ID code set to %1\n").arg(*code));
    return Ok;
}

int setIntervalAction(const CommandLine& options, const QStringList& words)
{
    const std::optional<int> code = settingCode(words.at(2), intervalCodeFromText);
    if (!code) {
        complain(LoggerTr::tr("the interval must be 0.4 to 102.0 seconds in steps of "
                              "0.4 s, got '%1'")
                     .arg(words.at(2)));
        return UsageError;
    }
    Session session;
    if (const int status = startSession(session, options))
        return status;
    writeIntervalCode(session.link(), *code);
    printOut(LoggerTr::tr("Logging interval set to %1 s\n").arg(intervalText(*code)));
    return Ok;
}

int eraseAction(const CommandLine& options, const QStringList& /*words*/)
{
    if (!options.isSet(u"yes")) {
        complain(LoggerTr::tr("logger erase deletes every logged set; give --yes to do it"));
        return UsageError;
    }
    Session session;
    if (const int status = startSession(session, options))
        return status;
    // The meter reports its memory lock in every poll answer.
    const auto answer = session.link().pollExchange();
    if (stopRequested())
        return interruptedStatus();
    if (!answer) {
        complain(LoggerTr::tr("the meter on %1 does not answer").arg(session.portText()));
        return NoAnswer;
    }
    if (DecodeStatus(quint8(answer->at(1))).MemoryLockFlag) {
        complain(LoggerTr::tr("the meter's memory is locked: nothing was erased. Unlock it "
                              "on the meter and try again."));
        return Failure;
    }
    if (!eraseMemory(session.link()))
        return Ok;
    printOut(LoggerTr::tr("All the memory in EEPROM was deleted.\n"));
    return Ok;
}

struct Action {
    const char* name;
    int words; // the positional words it takes, "logger" and its own name included
    int (*run)(const CommandLine& options, const QStringList& words);
};

const Action Actions[] = {
    {"list", 2, listAction},    {"download", 2, downloadAction},
    {"set-id", 3, setIdAction}, {"set-interval", 3, setIntervalAction},
    {"erase", 2, eraseAction},
};

} // namespace

int runLogger(const QStringList& args)
{
    CommandLine options;
    if (const int status = options.parse(Command::Logger, args))
        return status;
    const QStringList words = options.positionalArguments();
    const QString action = words.value(1);
    for (const Action& a : Actions) {
        if (action != QLatin1String(a.name))
            continue;
        if (words.size() != a.words) {
            complain(words.size() < a.words
                         ? LoggerTr::tr("logger %1 needs a value (try --help)").arg(action)
                         : LoggerTr::tr("unexpected argument '%1' (try --help)")
                               .arg(words.value(a.words)));
            return UsageError;
        }
        return a.run(options, words);
    }
    complain(action.isEmpty()
                 ? LoggerTr::tr("logger needs an action (try --help)")
                 : LoggerTr::tr("unknown logger action '%1' (try --help)").arg(action));
    return UsageError;
}

int readClock(Session& session)
{
    LoggerExchange exchange(session.link());
    const Reply reply = readMeterClock(exchange, keepGoing);
    if (stopRequested())
        return interruptedStatus();
    if (!reply.complete())
        return replyFailure(LoggerTr::tr("meter clock"), reply);
    // "25/03/14-----09:41:07" as the clock window shows it; ISO 8601 when it is a date.
    const QString text = clockText(reply.bytes);
    const QDateTime t = QDateTime::fromString(QString::number(century()) + text,
                                              QStringLiteral("yyyy/MM/dd-----HH:mm:ss"));
    printOut((t.isValid() ? t.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) : text) +
             QLatin1Char('\n'));
    return Ok;
}

} // namespace veltrix::cli
