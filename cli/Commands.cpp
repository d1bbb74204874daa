// The subcommands: ports, read, record, clock, convert.

#include "Cli.h"
#include "Options.h"
#include "Outputs.h"
#include "Poller.h"

#include "feeds/Feeds.h"
#include "link/Delay.h"
#include "logger/MeterClock.h"
#include "panel/PanelLogic.h"
#include "panel/SharedState.h"
#include "records/CsvExport.h"
#include "records/RecordFile.h"
#include "records/RecordWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <cstdio>

namespace veltrix::cli {

namespace {

void printOut(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout); // a reader on a pipe sees every reading at once
}

// FILE's name with a number added: data.txt, data-2.txt, data-3.txt, ... never one that exists.
QString numberedName(const QString& path, int number)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    for (;; ++number) {
        QString name = info.completeBaseName() + QLatin1Char('-') + QString::number(number);
        if (!suffix.isEmpty())
            name += QLatin1Char('.') + suffix;
        QString candidate = QDir::cleanPath(info.dir().filePath(name));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

} // namespace

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

// The meter went silent or came back: the outputs say so (availability offline, link gauge 0),
// samples wait until it answers again.
struct LinkHost : LinkLostHost {
    LinkHost(Poller& p, Outputs& o) : poller(p), outputs(o) {}
    Poller& poller;
    Outputs& outputs;
    std::function<void()> resumed;
    void enterLinkLost() override
    {
        poller.pause();
        outputs.linkChanged(false);
        complain(QStringLiteral("the meter stopped answering; waiting for it"));
    }
    void leaveLinkLost() override
    {
        if (resumed)
            resumed();
        else
            complain(QStringLiteral("the meter answers again"));
        outputs.linkChanged(true);
        poller.resume();
    }
};

// Starts the outputs; a broker that refuses the credentials later ends the command with
// BrokerRefused in `status`.
int startOutputs(Outputs& outputs, Session& session, Poller& poller, int period, int& status)
{
    outputs.onFatal = [&poller, &status] {
        status = BrokerRefused;
        poller.end();
        QCoreApplication::exit(0); // ends the wait under way
    };
    return outputs.start(session, period > 0 ? period : 1);
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
        complain(QStringLiteral("meter %1 on %2").arg(session.modelCode(), session.portText()));

    Poller poller(session.link());
    int status = Ok;
    if (const int s = startOutputs(outputs, session, poller, period, status))
        return s;
    int lines = 0;
    if (fmt == Format::Csv)
        printOut(csvHeaderLine() + QLatin1Char('\n'));
    const auto printReading = [&](const QDateTime& when) {
        ++lines;
        if (fmt != Format::Influx)
            printOut(readingLine(fmt, lines, poller.sampleBody(when)));
        outputs.reading(poller.reading(when));
        if (limit > 0 && lines >= limit)
            poller.end();
    };
    if (period > 0) {
        poller.setSamplingSeconds(period);
        poller.onSample = printReading;
    } else {
        poller.onPoll = [&] {
            printReading(wallTimeNow());
            return limit == 0 || lines < limit;
        };
    }
    // A feed for a dashboard waits for a silent meter (and says so) instead of ending.
    LinkHost host(poller, outputs);
    if (outputs.any())
        session.link().onLinkLost = [&] { return LinkLost(session.link(), host); };
    const int pollStatus = poller.run();
    return status != Ok ? status : pollStatus;
}

// --- record -----------------------------------------------------------------------------------

int runRecord(const QStringList& args)
{
    CommandLine options;
    if (const int status = options.parse(Command::Record, args))
        return status;
    const bool daily = options.isSet(u"rotate");
    const bool overwrite = options.isSet(u"overwrite");
    Outputs outputs;
    if (const int status = outputs.check(options, options.isSet(u"format")))
        return status;
    const int period = int(options.number(u"interval"));
    const qint64 maxRecords = options.number(u"count");
    const qint64 maxMs = options.number(u"duration") * 1000;
    const int perFile = int(options.number(u"record-limit", MaxRecords));
    const QString path = options.positionalArguments().at(1);
    // Daily files: a day's file that exists (a restarted service) is continued in a numbered
    // one, never replaced.
    QDate day = QDate::currentDate();
    QString base = daily ? dayFileName(path, day) : path;
    QString first = base;
    if (daily && QFileInfo::exists(first) && !overwrite)
        first = numberedName(base, 2);
    if (QFileInfo::exists(first) && !overwrite) {
        complain(QStringLiteral("%1 exists; give --overwrite to replace it")
                     .arg(QDir::toNativeSeparators(path)));
        return Failure;
    }

    Session session;
    if (const int status = session.start(options))
        return status;
    if (stopRequested())
        return Ok;

    RecordWriter writer;
    if (!writer.open(first)) {
        complain(writer.errorString());
        return Failure;
    }
    const bool progress = stderrIsTerminal();
    if (progress)
        complain(QStringLiteral("meter %1 on %2: recording every %3 s into %4; Ctrl-C stops")
                     .arg(session.modelCode(), session.portText())
                     .arg(period)
                     .arg(QDir::toNativeSeparators(first)));

    Poller poller(session.link());
    poller.setSamplingSeconds(period);
    int status = Ok;
    if (const int s = startOutputs(outputs, session, poller, period, status))
        return s;
    int inFile = 0;     // records in the file being written
    qint64 written = 0; // records in all files
    int fileNumber = first == base ? 1 : 2;
    QElapsedTimer elapsed;
    elapsed.start();

    const auto nextFile = [&](const QString& why) {
        const QString old = writer.fileName();
        writer.close();
        const QString next = numberedName(base, ++fileNumber);
        if (!writer.open(next)) {
            complain(writer.errorString());
            status = Failure;
            poller.end();
            return;
        }
        complain(QStringLiteral("%1 %2 (%3 records); continuing in %4")
                     .arg(QDir::toNativeSeparators(old), why)
                     .arg(inFile)
                     .arg(QDir::toNativeSeparators(next)));
        inFile = 0;
    };

    const auto newDay = [&](QDate today) {
        const QString old = writer.fileName();
        writer.close();
        day = today;
        base = dayFileName(path, day);
        fileNumber = 1;
        QString next = base;
        if (QFileInfo::exists(next) && !overwrite)
            next = numberedName(base, ++fileNumber);
        if (!writer.open(next)) {
            complain(writer.errorString());
            status = Failure;
            poller.end();
            return;
        }
        complain(QStringLiteral("%1 closed (%2 records); continuing in %3")
                     .arg(QDir::toNativeSeparators(old))
                     .arg(inFile)
                     .arg(QDir::toNativeSeparators(next)));
        inFile = 0;
    };

    poller.onSample = [&](const QDateTime& when) {
        if (daily && when.date() != day) {
            newDay(when.date());
            if (status != Ok)
                return;
        }
        outputs.reading(poller.reading(when));
        if (!writer.writeRecord(inFile + 1, poller.sampleBody(when))) {
            complain(writer.errorString());
            complain(QStringLiteral("recording stopped; the %1 records written before are kept")
                         .arg(inFile));
            status = Failure;
            poller.end();
            return;
        }
        ++inFile;
        ++written;
        if (progress) {
            std::fprintf(stderr, "\r%lld records", static_cast<long long>(written));
            std::fflush(stderr);
        }
        if (maxRecords > 0 && written >= maxRecords)
            poller.end();
        else if (inFile >= perFile)
            nextFile(QStringLiteral("is full"));
    };
    QTimer deadline;
    if (maxMs > 0) {
        poller.onPoll = [&] { return elapsed.elapsed() < maxMs; };
        // The time is up also while the recording waits for a silent meter.
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [&] {
            if (poller.paused()) {
                poller.end();
                QCoreApplication::exit(0); // ends the link-lost wait
            }
        });
        deadline.start(std::chrono::milliseconds(maxMs));
    }

    // A meter that stops answering in the middle of an unattended recording: wait for it (a
    // vanished USB adapter is reopened), then go on in a new file so that every file holds
    // consecutive samples only.
    LinkHost host(poller, outputs);
    host.resumed = [&] {
        if (inFile > 0)
            nextFile(QStringLiteral("was interrupted"));
        else
            complain(QStringLiteral("the meter answers again"));
    };
    session.link().onLinkLost = [&] { return LinkLost(session.link(), host); };

    const int pollStatus = poller.run();
    writer.close();
    if (progress)
        std::fputc('\n', stderr);
    if (status == Ok)
        status = pollStatus;
    if (progress || status != Ok || stopRequested())
        complain(QStringLiteral("%1 records written").arg(written));
    return status;
}

// --- clock ------------------------------------------------------------------------------------

int runClock(const QStringList& args)
{
    CommandLine options;
    if (const int status = options.parse(Command::Clock, args))
        return status;
    const QString action = options.positionalArguments().at(1);
    if (action != u"set" && action != u"read") {
        complain(
            QStringLiteral("clock expects 'set' or 'read', got '%1' (try --help)").arg(action));
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
