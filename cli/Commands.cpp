// The subcommands: ports, read, record, clock, convert.

#include "Cli.h"
#include "Outputs.h"

#include "link/Delay.h"
#include "logger/MeterClock.h"
#include "panel/MeterSession.h"
#include "panel/PanelLogic.h"
#include "panel/SharedState.h"
#include "records/CsvExport.h"
#include "records/Feeds.h"
#include "records/RecordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <limits>

namespace veltrix::cli {

namespace {

void printOut(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout); // a reader on a pipe sees every reading at once
}

// "3600", "90s", "45m", "2h", "1d" as seconds.
std::optional<qint64> parseDuration(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,9})\\s*([smhd]?)\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch() || m.captured(1).toLongLong() == 0)
        return std::nullopt;
    const qint64 n = m.captured(1).toLongLong();
    const QString unit = m.captured(2);
    const qint64 factor = unit == u"m" ? 60 : unit == u"h" ? 3600 : unit == u"d" ? 86400 : 1;
    return n * factor;
}

} // namespace

// --- ports ------------------------------------------------------------------------------------

int runPorts(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The serial devices found on this computer and the ports COM1..COM8 they "
                       "stand for, as the panel's Port window shows them."));
    parser.addPositionalArgument(QStringLiteral("ports"), QStringLiteral("The subcommand."),
                                 QStringLiteral("ports"));
    if (const int status = parseOrComplain(parser, args, 1))
        return status;
    const ui::PortBindings bindings = ui::PortBindings::fromSystem();
    QString out;
    bool any = false;
    for (int n = 1; n <= ui::PortBindings::PortCount; ++n) {
        const QString path = bindings.devicePath(n);
        const QString desc = bindings.description(n);
        any = any || !path.isEmpty();
        out += QStringLiteral("COM%1  %2%3\n")
                   .arg(n)
                   .arg(path.isEmpty() ? QStringLiteral("no device") : path,
                        desc.isEmpty() ? QString() : QStringLiteral("  (%1)").arg(desc));
    }
    if (!any)
        out += QStringLiteral("No serial device found on this computer.\n");
    printOut(out);
    return Ok;
}

// --- read -------------------------------------------------------------------------------------

namespace {

enum class Format { Text, Csv, Jsonl, Influx };

QString readingLine(Format format, int number, const QString& body)
{
    const QString row = QString::number(number) + QLatin1Char('\t') + body;
    if (format == Format::Csv) {
        QString line;
        appendCsvRow(line, row);
        line.chop(2); // CR LF → the terminal's line end
        return line + QLatin1Char('\n');
    }
    const QStringList cells = csvCells(row); // No, DateTime, Value, Unit, Hold, Peak
    const bool hold = !cells.value(4).isEmpty();
    const bool peak = !cells.value(5).isEmpty();
    if (format == Format::Text) {
        QString line =
            cells.value(1) + QLatin1Char(' ') + cells.value(2) + QLatin1Char(' ') + cells.value(3);
        if (hold)
            line += QStringLiteral(" hold");
        if (peak)
            line += QStringLiteral(" peak");
        return line + QLatin1Char('\n');
    }
    QJsonObject o;
    o.insert(QStringLiteral("n"), number);
    o.insert(QStringLiteral("time"), cells.value(1));
    bool numeric = false;
    const double value = cells.value(2).toDouble(&numeric);
    if (numeric)
        o.insert(QStringLiteral("value"), value);
    else if (cells.value(2).isEmpty())
        o.insert(QStringLiteral("value"), QJsonValue::Null); // the meter has not settled yet
    else
        o.insert(QStringLiteral("value"), cells.value(2)); // "OL"
    o.insert(QStringLiteral("unit"), cells.value(3));
    o.insert(QStringLiteral("hold"), hold);
    o.insert(QStringLiteral("peak"), peak);
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) + QLatin1Char('\n');
}

// The session as the tool runs it: stamped in the wall clock's own offset, ended by a signal,
// and a silent meter pauses the sample clock instead of ending a recording.
void toolSession(MeterSession& meter)
{
    meter.setWallClock(wallTimeNow, wallTimeAt);
    meter.stopRequested = stopRequested;
    meter.setStopRecordingOnLinkLoss(false);
}

// The meter went silent or came back: the outputs say so (availability offline, link gauge 0);
// samples wait until it answers again. `back` says that it does.
void watchLink(MeterSession& meter, Outputs& outputs, std::function<void()> back)
{
    meter.watchLink();
    QObject::connect(&meter, &MeterSession::linkStateChanged, &meter,
                     [&outputs, back = std::move(back)](bool lost) {
                         if (lost) {
                             outputs.linkChanged(false);
                             complain(
                                 QStringLiteral("the meter stopped answering; waiting for it"));
                             return;
                         }
                         back();
                         outputs.linkChanged(true);
                     });
}

void sayAnswersAgain()
{
    complain(QStringLiteral("the meter answers again"));
}

// Starts the outputs; a broker that refuses the credentials later ends the command with
// BrokerRefused in `status`.
int startOutputs(Outputs& outputs, Session& session, MeterSession& meter, int period, int& status)
{
    outputs.onFatal = [&meter, &status] {
        status = BrokerRefused;
        meter.end();
        QCoreApplication::exit(0); // ends the wait under way
    };
    return outputs.start(session, period > 0 ? period : 1);
}

// Polls until the meter's session ends: `status` as the run left it, or NoAnswer (after saying
// so) when the meter stopped answering and no one waited for it.
int runSession(MeterSession& meter, const int& status)
{
    if (!meter.run()) {
        complain(QStringLiteral("the meter stopped answering"));
        return status != Ok ? status : NoAnswer;
    }
    return status;
}

// read, once the options are taken: one line per poll, or per sample with a sampling time.
int readMeter(Session& session, Outputs& outputs, Format fmt, qint64 limit, int period)
{
    SharedState state;
    MeterSession meter(session.link(), state);
    toolSession(meter);
    int status = Ok;
    if (const int s = startOutputs(outputs, session, meter, period, status))
        return s;
    int lines = 0;
    if (fmt == Format::Csv)
        printOut(csvHeaderLine() + QLatin1Char('\n'));
    const auto printReading = [&](const QDateTime& when) {
        ++lines;
        if (fmt != Format::Influx)
            printOut(readingLine(fmt, lines, meter.sampleBody(when)));
        outputs.reading(meter.reading(when));
        if (limit > 0 && lines >= limit)
            meter.end();
    };
    if (period > 0) {
        meter.setSamplingSeconds(period);
        meter.onSample = printReading;
        meter.startSampleClock();
    } else {
        meter.onPoll = [&] {
            printReading(wallTimeNow());
            return limit == 0 || lines < limit;
        };
    }
    // A feed for a dashboard waits for a silent meter (and says so) instead of ending.
    if (outputs.any())
        watchLink(meter, outputs, sayAnswersAgain);
    return runSession(meter, status);
}

} // namespace

int runRead(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Identifies the meter, then prints one line per reading: ISO 8601 local date-time, "
        "value (a number or OL), unit and the hold and peak marks. Without --interval every "
        "poll gives a line (about four a second); Ctrl-C ends."));
    parser.addPositionalArgument(QStringLiteral("read"), QStringLiteral("The subcommand."),
                                 QStringLiteral("read"));
    const CommonOptions common;
    common.addTo(parser);
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("Stop after N readings."), QStringLiteral("N"));
    const QCommandLineOption interval(
        QStringLiteral("interval"),
        QStringLiteral("One reading every S seconds (1-86400), on whole seconds of the clock."),
        QStringLiteral("S"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("text (default), csv, jsonl or influx "
                                                   "(InfluxDB line protocol)."),
                                    QStringLiteral("FORMAT"), QStringLiteral("text"));
    parser.addOptions({count, interval, format});
    const OutputOptions outputOptions;
    outputOptions.addTo(parser);
    if (const int status = parseOrComplain(parser, args, 1))
        return status;

    Format fmt = Format::Text;
    const QString f = parser.value(format);
    if (f == u"csv")
        fmt = Format::Csv;
    else if (f == u"jsonl")
        fmt = Format::Jsonl;
    else if (f == u"influx")
        fmt = Format::Influx;
    else if (f != u"text") {
        complain(QStringLiteral("--format expects text, csv, jsonl or influx, got '%1'").arg(f));
        return UsageError;
    }
    Outputs outputs;
    if (const int status = outputs.check(parser, outputOptions, fmt == Format::Influx))
        return status;
    qint64 limit = 0;
    qint64 periodSeconds = 0;
    if (!optionalWholeNumber(parser, count, 1, std::numeric_limits<int>::max(), limit) ||
        !optionalWholeNumber(parser, interval, 1, MaxSamplingSeconds, periodSeconds))
        return UsageError;
    const int period = int(periodSeconds);

    Session session;
    if (const int status = session.start(parser, common))
        return status;
    if (stopRequested())
        return Ok;
    if (stderrIsTerminal())
        complain(QStringLiteral("meter %1 on %2").arg(session.modelCode(), session.portText()));
    return readMeter(session, outputs, fmt, limit, period);
}

// --- record -----------------------------------------------------------------------------------

namespace {

QString whyText(Recorder::Why why)
{
    switch (why) {
    case Recorder::Why::Full:
        return QStringLiteral("is full");
    case Recorder::Why::Interrupted:
        return QStringLiteral("was interrupted");
    case Recorder::Why::NewDay:
        break;
    }
    return QStringLiteral("closed");
}

// What the recording tells on standard error, and where it ends the command with a failure.
void reportRecording(Recorder& recorder, MeterSession& meter, int& status, bool progress)
{
    QObject::connect(&recorder, &Recorder::continued, &recorder,
                     [](const QString& file, Recorder::Why why, int records, const QString& next) {
                         complain(QStringLiteral("%1 %2 (%3 records); continuing in %4")
                                      .arg(QDir::toNativeSeparators(file), whyText(why))
                                      .arg(records)
                                      .arg(QDir::toNativeSeparators(next)));
                     });
    QObject::connect(&recorder, &Recorder::openFailed, &recorder,
                     [&meter, &status](const QString& why) {
                         complain(why);
                         status = Failure;
                         meter.end();
                     });
    QObject::connect(&recorder, &Recorder::writeFailed, &recorder,
                     [&meter, &status](const QString&, const QString& why, int kept) {
                         complain(why);
                         complain(QStringLiteral("recording stopped; the %1 records written "
                                                 "before are kept")
                                      .arg(kept));
                         status = Failure;
                         meter.end();
                     });
    QObject::connect(&recorder, &Recorder::finished, &meter, &MeterSession::end);
    if (progress)
        QObject::connect(&recorder, &Recorder::recordWritten, &recorder, [](int, qint64 written) {
            std::fprintf(stderr, "\r%lld records", static_cast<long long>(written));
            std::fflush(stderr);
        });
}

// record, once the options are taken and the first file is open.
int recordMeter(Session& session, Outputs& outputs, MeterSession& meter, int period, qint64 maxMs)
{
    Recorder& recorder = meter.recorder();
    const bool progress = stderrIsTerminal();
    if (progress)
        complain(QStringLiteral("meter %1 on %2: recording every %3 s into %4; Ctrl-C stops")
                     .arg(session.modelCode(), session.portText())
                     .arg(period)
                     .arg(QDir::toNativeSeparators(recorder.fileName())));
    toolSession(meter);
    meter.setSamplingSeconds(period);
    int status = Ok;
    if (const int s = startOutputs(outputs, session, meter, period, status))
        return s;
    QElapsedTimer elapsed;
    elapsed.start();
    reportRecording(recorder, meter, status, progress);
    meter.onSample = [&](const QDateTime& when) { outputs.reading(meter.reading(when)); };
    QTimer deadline;
    if (maxMs > 0) {
        meter.onPoll = [&] { return elapsed.elapsed() < maxMs; };
        // The time is up also while the recording waits for a silent meter.
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [&] {
            if (meter.paused()) {
                meter.end();
                QCoreApplication::exit(0); // ends the link-lost wait
            }
        });
        deadline.start(std::chrono::milliseconds(maxMs));
    }
    // A meter that stops answering in the middle of an unattended recording: wait for it (a
    // vanished USB adapter is reopened), then go on in a new file so that every file holds
    // consecutive samples only.
    watchLink(meter, outputs, [&recorder] {
        if (!recorder.continueAfterGap())
            sayAnswersAgain();
    });
    meter.startSampleClock();
    status = runSession(meter, status);
    recorder.stop();
    if (progress)
        std::fputc('\n', stderr);
    if (progress || status != Ok || stopRequested())
        complain(QStringLiteral("%1 records written").arg(recorder.written()));
    return status;
}

} // namespace

int runRecord(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Records the meter's readings into FILE in the panel's record file format, one record "
        "every S seconds on whole seconds of the clock. Every record is on the disk as soon as "
        "it is taken; Ctrl-C (or SIGTERM) stops cleanly. A full file (50000 records) is "
        "continued in FILE's name with a number added (data-2.txt, ...), and so is a recording "
        "after the meter stopped answering and came back."));
    parser.addPositionalArgument(QStringLiteral("record"), QStringLiteral("The subcommand."),
                                 QStringLiteral("record"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The record file."));
    const CommonOptions common;
    common.addTo(parser);
    const QCommandLineOption interval(QStringLiteral("interval"),
                                      QStringLiteral("Sampling time in seconds, 1-86400 "
                                                     "(default 2, as in the panel)."),
                                      QStringLiteral("S"), QStringLiteral("2"));
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("Stop after N records."),
                                   QStringLiteral("N"));
    const QCommandLineOption duration(
        QStringLiteral("duration"),
        QStringLiteral("Stop after D seconds; D may end in s, m, h or d (90m, 2h)."),
        QStringLiteral("D"));
    const QCommandLineOption overwrite(QStringLiteral("overwrite"),
                                       QStringLiteral("Replace FILE if it exists (by default an "
                                                      "existing recording is never replaced)."));
    QCommandLineOption recordLimit(QStringLiteral("record-limit"),
                                   QStringLiteral("Records per file."), QStringLiteral("N"));
    recordLimit.setFlags(QCommandLineOption::HiddenFromHelp); // tests lower it
    const QCommandLineOption rotate(QStringLiteral("rotate"),
                                    QStringLiteral("daily: a new file every midnight, FILE's "
                                                   "name with the date added "
                                                   "(data-2026-12-07.txt)."),
                                    QStringLiteral("WHEN"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("influx: also print every record in InfluxDB "
                                                   "line protocol on standard output."),
                                    QStringLiteral("FORMAT"));
    parser.addOptions({interval, count, duration, overwrite, recordLimit, rotate, format});
    const OutputOptions outputOptions;
    outputOptions.addTo(parser);
    if (const int status = parseOrComplain(parser, args, 2))
        return status;
    if (parser.isSet(rotate) && parser.value(rotate) != u"daily") {
        complain(QStringLiteral("--rotate expects daily, got '%1'").arg(parser.value(rotate)));
        return UsageError;
    }
    if (parser.isSet(format) && parser.value(format) != u"influx") {
        complain(QStringLiteral("--format expects influx, got '%1'").arg(parser.value(format)));
        return UsageError;
    }
    const bool daily = parser.isSet(rotate);
    Outputs outputs;
    if (const int status = outputs.check(parser, outputOptions, parser.isSet(format)))
        return status;

    const auto period = wholeNumberOption(QStringLiteral("interval"), parser.value(interval), 1,
                                          MaxSamplingSeconds);
    if (!period)
        return UsageError;
    if (parser.isSet(count) && parser.isSet(duration)) {
        complain(QStringLiteral("--count and --duration exclude each other"));
        return UsageError;
    }
    qint64 maxRecords = 0;
    if (!optionalWholeNumber(parser, count, 1, std::numeric_limits<int>::max(), maxRecords))
        return UsageError;
    qint64 maxMs = 0;
    if (parser.isSet(duration)) {
        const auto d = parseDuration(parser.value(duration));
        if (!d) {
            complain(QStringLiteral("--duration expects seconds or a number ending in s, m, h "
                                    "or d, got '%1'")
                         .arg(parser.value(duration)));
            return UsageError;
        }
        maxMs = *d * 1000;
    }
    int perFile = MaxRecords;
    if (parser.isSet(recordLimit)) {
        const auto n = wholeNumberOption(QStringLiteral("record-limit"), parser.value(recordLimit),
                                         1, MaxRecords);
        if (!n)
            return UsageError;
        perFile = int(*n);
    }
    const QString path = parser.positionalArguments().at(1);
    Recorder::Policy policy;
    policy.limit = perFile;
    policy.whenFull = Recorder::WhenFull::NextFile;
    policy.total = maxRecords;
    policy.daily = daily;
    policy.overwrite = parser.isSet(overwrite);
    const QDate day = QDate::currentDate();
    const QString first = Recorder::firstFile(path, policy, day);
    if (QFileInfo::exists(first) && !policy.overwrite) {
        complain(QStringLiteral("%1 exists; give --overwrite to replace it")
                     .arg(QDir::toNativeSeparators(path)));
        return Failure;
    }

    Session session;
    if (const int status = session.start(parser, common))
        return status;
    if (stopRequested())
        return Ok;
    SharedState state;
    MeterSession meter(session.link(), state);
    if (!meter.recorder().start(path, first, policy, day)) {
        complain(meter.recorder().errorString());
        return Failure;
    }
    return recordMeter(session, outputs, meter, int(*period), maxMs);
}

// --- clock ------------------------------------------------------------------------------------

int runClock(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("clock set: sets the meter's clock from this computer's clock.\n"
                       "clock read: prints the meter's clock (ISO 8601)."));
    parser.addPositionalArgument(QStringLiteral("clock"), QStringLiteral("The subcommand."),
                                 QStringLiteral("clock"));
    parser.addPositionalArgument(QStringLiteral("action"), QStringLiteral("set or read."),
                                 QStringLiteral("set|read"));
    const CommonOptions common;
    common.addTo(parser);
    if (const int status = parseOrComplain(parser, args, 2))
        return status;
    const QString action = parser.positionalArguments().at(1);
    if (action != u"set" && action != u"read") {
        complain(
            QStringLiteral("clock expects 'set' or 'read', got '%1' (try --help)").arg(action));
        return UsageError;
    }

    Session session;
    if (const int status = session.start(parser, common))
        return status;
    if (stopRequested())
        return Ok;
    if (action == u"read")
        return readClock(session);
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray command = clockSetCommand(now);
    if (command.isEmpty()) {
        complain(QStringLiteral("the PC clock reads %1; the meter keeps dates from 2000 to 2099 "
                                "only")
                     .arg(now.toString(Qt::ISODate)));
        return Failure;
    }
    if (!clockSetExchange(session.link(), command))
        return Ok; // stopped by a signal before the wait was over; the command has gone out
    printOut(QStringLiteral("Meter clock set to %1\n").arg(meterTimeText(now)));
    return Ok;
}

// --- convert ----------------------------------------------------------------------------------

int runConvert(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts a record file to CSV (UTF-8, header row, ISO 8601 date-time, value as a "
        "number or OL, unit mG or µT, hold and peak marks)."));
    parser.addPositionalArgument(QStringLiteral("convert"), QStringLiteral("The subcommand."),
                                 QStringLiteral("convert"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The record file."));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("The format: csv."),
                                QStringLiteral("FORMAT"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("Where to write (default: FILE with .csv in "
                                                "place of its suffix; - for standard output)."),
                                 QStringLiteral("PATH"));
    parser.addOptions({to, out});
    if (const int status = parseOrComplain(parser, args, 2))
        return status;
    if (parser.value(to) != u"csv") {
        complain(QStringLiteral("convert needs --to csv (try --help)"));
        return UsageError;
    }
    const QString in = parser.positionalArguments().at(1);
    QString target = parser.value(out);
    if (target.isEmpty()) {
        const QFileInfo info(in);
        target = info.dir().filePath(info.completeBaseName() + QStringLiteral(".csv"));
    }
    if (target == u"-") {
        QString error;
        const auto bytes = recordFileCsv(in, nullptr, &error);
        if (!bytes) {
            complain(error);
            return Failure;
        }
        std::fwrite(bytes->constData(), 1, size_t(bytes->size()), stdout);
        return std::fflush(stdout) == 0 ? Ok : Failure;
    }
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(in).absoluteFilePath()) {
        complain(QStringLiteral("the CSV file would replace the record file; give --out"));
        return UsageError;
    }
    QString error;
    const qsizetype n = convertRecordFileToCsv(in, target, &error);
    if (n < 0) {
        complain(error);
        return Failure;
    }
    if (stderrIsTerminal())
        complain(QStringLiteral("%1 records written to %2").arg(n).arg(target));
    return Ok;
}

} // namespace veltrix::cli
