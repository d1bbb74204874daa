// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands: ports, read, record, clock, convert.

#include "Cli.h"
#include "Options.h"
#include "Outputs.h"

#include "feeds/Feeds.h"
#include "link/Delay.h"
#include "logger/MeterClock.h"
#include "panel/MeterSession.h"
#include "panel/PanelLogic.h"
#include "panel/SharedState.h"
#include "records/CsvExport.h"
#include "records/RecordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <cstdio>

namespace veltrix::cli {

// --- ports ------------------------------------------------------------------------------------

int runPorts(const QStringList& args)
{
    if (const int status = CommandLine().parse(Command::Ports, args))
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
                   .arg(path.isEmpty() ? CliTr::tr("no device") : path,
                        desc.isEmpty() ? QString() : QStringLiteral("  (%1)").arg(desc));
    }
    if (!any)
        out += CliTr::tr("No serial device found on this computer.\n");
    printOut(out);
    return Ok;
}

// --- read -------------------------------------------------------------------------------------

void toolSession(MeterSession& meter)
{
    meter.setWallClock(wallTimeNow, wallTimeAt);
    meter.stopRequested = stopRequested;
    meter.setStopRecordingOnLinkLoss(false);
}

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

// The meter went silent or came back: the outputs say so (availability offline, link gauge 0);
// samples wait until it answers again. `back` says that it does.
void watchLink(MeterSession& meter, Outputs& outputs, std::function<void()> back)
{
    meter.watchLink();
    QObject::connect(&meter, &MeterSession::linkStateChanged, &meter,
                     [&outputs, back = std::move(back)](bool lost) {
                         if (lost) {
                             outputs.linkChanged(false);
                             complain(CliTr::tr("the meter stopped answering; waiting for it"));
                             return;
                         }
                         back();
                         outputs.linkChanged(true);
                     });
}

void sayAnswersAgain()
{
    complain(CliTr::tr("the meter answers again"));
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
        complain(CliTr::tr("the meter stopped answering"));
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
    CommandLine options;
    if (const int status = options.parse(Command::Read, args))
        return status;
    const QString f = options.value(u"format");
    const Format fmt = f == u"csv"      ? Format::Csv
                       : f == u"jsonl"  ? Format::Jsonl
                       : f == u"influx" ? Format::Influx
                                        : Format::Text;
    Outputs outputs;
    if (const int status = outputs.check(options, fmt == Format::Influx))
        return status;
    const qint64 limit = options.number(u"count");
    const int period = int(options.number(u"interval"));

    Session session;
    if (const int status = session.start(options))
        return status;
    if (stopRequested())
        return Ok;
    if (stderrIsTerminal())
        complain(CliTr::tr("meter %1 on %2").arg(session.modelCode(), session.portText()));

    return readMeter(session, outputs, fmt, limit, period);
}

// --- record -----------------------------------------------------------------------------------

namespace {

QString whyText(Recorder::Why why)
{
    switch (why) {
    case Recorder::Why::Full:
        return CliTr::tr("is full");
    case Recorder::Why::Interrupted:
        return CliTr::tr("was interrupted");
    case Recorder::Why::NewDay:
        break;
    }
    return CliTr::tr("closed");
}

// What the recording tells on standard error, and where it ends the command with a failure.
void reportRecording(Recorder& recorder, MeterSession& meter, int& status, bool progress)
{
    QObject::connect(&recorder, &Recorder::continued, &recorder,
                     [](const QString& file, Recorder::Why why, int records, const QString& next) {
                         complain(CliTr::tr("%1 %2 (%3 records); continuing in %4")
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
                         complain(CliTr::tr("recording stopped; the %1 records written "
                                            "before are kept")
                                      .arg(kept));
                         status = Failure;
                         meter.end();
                     });
    QObject::connect(&recorder, &Recorder::finished, &meter, &MeterSession::end);
    if (progress)
        QObject::connect(&recorder, &Recorder::recordWritten, &recorder, [](int, qint64 written) {
            const QString text = CliTr::tr("%1 records").arg(written);
            std::fprintf(stderr, "\r%s", text.toLocal8Bit().constData());
            std::fflush(stderr);
        });
}

// record, once the options are taken and the first file is open.
int recordMeter(Session& session, Outputs& outputs, MeterSession& meter, int period, qint64 maxMs)
{
    Recorder& recorder = meter.recorder();
    const bool progress = stderrIsTerminal();
    if (progress)
        complain(CliTr::tr("meter %1 on %2: recording every %3 s into %4; Ctrl-C stops")
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
        complain(CliTr::tr("%1 records written").arg(recorder.written()));
    return status;
}

} // namespace

int runRecord(const QStringList& args)
{
    CommandLine options;
    if (const int status = options.parse(Command::Record, args))
        return status;
    Outputs outputs;
    if (const int status = outputs.check(options, options.isSet(u"format")))
        return status;
    const int period = int(options.number(u"interval"));
    const qint64 maxMs = options.number(u"duration") * 1000;
    const QString path = options.positionalArguments().at(1);
    Recorder::Policy policy;
    policy.limit = int(options.number(u"record-limit", MaxRecords));
    policy.whenFull = Recorder::WhenFull::NextFile;
    policy.total = options.number(u"count");
    policy.daily = options.isSet(u"rotate");
    policy.overwrite = options.isSet(u"overwrite");
    const QDate day = QDate::currentDate();
    const QString first = Recorder::firstFile(path, policy, day);
    if (QFileInfo::exists(first) && !policy.overwrite) {
        complain(CliTr::tr("%1 exists; give --overwrite to replace it")
                     .arg(QDir::toNativeSeparators(path)));
        return Failure;
    }

    Session session;
    if (const int status = session.start(options))
        return status;
    if (stopRequested())
        return Ok;
    SharedState state;
    MeterSession meter(session.link(), state);
    if (!meter.recorder().start(path, first, policy, day)) {
        complain(meter.recorder().errorString());
        return Failure;
    }
    return recordMeter(session, outputs, meter, period, maxMs);
}

// --- clock ------------------------------------------------------------------------------------

int runClock(const QStringList& args)
{
    CommandLine options;
    if (const int status = options.parse(Command::Clock, args))
        return status;
    const QString action = options.positionalArguments().at(1);
    if (action != u"set" && action != u"read") {
        complain(CliTr::tr("clock expects 'set' or 'read', got '%1' (try --help)").arg(action));
        return UsageError;
    }

    Session session;
    if (const int status = session.start(options))
        return status;
    if (stopRequested())
        return Ok;
    if (action == u"read")
        return readClock(session);
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray command = clockSetCommand(now);
    if (command.isEmpty()) {
        complain(CliTr::tr("the PC clock reads %1; the meter keeps dates from 2000 to 2099 "
                           "only")
                     .arg(now.toString(Qt::ISODate)));
        return Failure;
    }
    if (!clockSetExchange(session.link(), command))
        return Ok; // stopped by a signal before the wait was over; the command has gone out
    printOut(CliTr::tr("Meter clock set to %1\n").arg(meterTimeText(now)));
    return Ok;
}

// --- convert ----------------------------------------------------------------------------------

int runConvert(const QStringList& args)
{
    CommandLine options;
    if (const int status = options.parse(Command::Convert, args))
        return status;
    const QString in = options.positionalArguments().at(1);
    QString target = options.value(u"out");
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
        complain(CliTr::tr("the CSV file would replace the record file; give --out"));
        return UsageError;
    }
    QString error;
    const qsizetype n = convertRecordFileToCsv(in, target, &error);
    if (n < 0) {
        complain(error);
        return Failure;
    }
    if (stderrIsTerminal())
        complain(CliTr::tr("%1 records written to %2").arg(n).arg(target));
    return Ok;
}

} // namespace veltrix::cli
