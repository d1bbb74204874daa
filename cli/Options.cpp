// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"

#include "Cli.h"

#include "logger/LoggerProtocol.h"
#include "panel/PanelLogic.h"
#include "records/RecordLimit.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <initializer_list>
#include <limits>

namespace veltrix::cli {

namespace {

using Commands = unsigned; // a set of Command
constexpr Commands of(Command c)
{
    return 1U << unsigned(c);
}
constexpr Commands of(std::initializer_list<Command> list)
{
    Commands set = 0;
    for (const Command c : list)
        set |= of(c);
    return set;
}
constexpr Commands Meter =
    of({Command::Read, Command::Record, Command::Clock, Command::Logger, Command::Survey});
constexpr Commands Feeding = of({Command::Read, Command::Record});
constexpr Commands Every = of({Command::Ports, Command::Read, Command::Record, Command::Clock,
                               Command::Convert, Command::Logger, Command::Stats, Command::Report,
                               Command::Survey});
constexpr Commands Survey = of({Command::Stats, Command::Report});
constexpr qint64 MaxCount = std::numeric_limits<int>::max();

// The tables' texts are marked for translation where they stand and translated where printed.
QString translated(const char* text)
{
    return QCoreApplication::translate("CliOptions", text);
}

// What an option's value must be.
struct Check {
    enum Kind { Any, WholeNumber, Duration, OneOf } kind = Any;
    qint64 low = 0;
    qint64 high = 0;
    const char* choices = nullptr; // OneOf: the values, separated by spaces
    const char* refusal = nullptr; // OneOf: what is said otherwise ("%1": the value given)
    bool required = false;         // OneOf: refused when left out too
};

constexpr Check wholeNumber(qint64 low, qint64 high)
{
    return {Check::WholeNumber, low, high};
}
constexpr Check oneOf(const char* choices, const char* refusal, bool required = false)
{
    return {Check::OneOf, 0, 0, choices, refusal, required};
}

struct Option {
    const char* name;
    const char* valueName; // nullptr: a switch
    const char* help;
    Commands commands;
    Check check = {};
    const char* defaultValue = nullptr;
    bool hidden = false;
    const char* needs = nullptr;    // given only together with this one
    const char* excludes = nullptr; // never together with this one
};

// Every option. A subcommand lists them in this order in its --help and checks them in this
// order. The same name may stand in two rows that never share a subcommand (--count of read
// counts readings, of record records).
const Option Options[] = {
    {.name = "port",
     .valueName = "DEVICE",
     .help = QT_TRANSLATE_NOOP("CliOptions", "The meter's serial device, e.g. /dev/ttyUSB0."),
     .commands = Meter},
    {.name = "com",
     .valueName = "N",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "The meter's port COM1..COM8 as the panel binds them (see 'veltrix-cli ports'). "
         "Default: 1."),
     .commands = Meter,
     .check = wholeNumber(1, ui::PortBindings::PortCount)},
    {.name = "simulate",
     .valueName = nullptr,
     .help = QT_TRANSLATE_NOOP("CliOptions", "Talk to the virtual meter (no hardware needed)."),
     .commands = Meter,
     .excludes = "port"},
    // read
    {.name = "count",
     .valueName = "N",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Stop after N readings."),
     .commands = of(Command::Read),
     .check = wholeNumber(1, MaxCount)},
    {.name = "interval",
     .valueName = "S",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions", "One reading every S seconds (1-86400), on whole seconds of the clock."),
     .commands = of(Command::Read),
     .check = wholeNumber(1, MaxSamplingSeconds)},
    {.name = "format",
     .valueName = "FORMAT",
     .help = QT_TRANSLATE_NOOP("CliOptions",
                               "text (default), csv, jsonl or influx (InfluxDB line protocol)."),
     .commands = of(Command::Read),
     .check =
         oneOf("text csv jsonl influx",
               QT_TRANSLATE_NOOP("CliOptions", "--format expects text, csv, jsonl or influx, got "
                                               "'%1'")),
     .defaultValue = "text"},
    // record
    {.name = "interval",
     .valueName = "S",
     .help = QT_TRANSLATE_NOOP("CliOptions",
                               "Sampling time in seconds, 1-86400 (default 2, as in the panel)."),
     .commands = of(Command::Record),
     .check = wholeNumber(1, MaxSamplingSeconds),
     .defaultValue = "2"},
    {.name = "count",
     .valueName = "N",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Stop after N records."),
     .commands = of(Command::Record),
     .check = wholeNumber(1, MaxCount),
     .excludes = "duration"},
    {.name = "duration",
     .valueName = "D",
     .help = QT_TRANSLATE_NOOP("CliOptions",
                               "Stop after D seconds; D may end in s, m, h or d (90m, 2h)."),
     .commands = of(Command::Record),
     .check = {Check::Duration}},
    {.name = "overwrite",
     .valueName = nullptr,
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "Replace FILE if it exists (by default an existing recording is never replaced)."),
     .commands = of(Command::Record)},
    {.name = "record-limit", // tests lower it
     .valueName = "N",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Records per file."),
     .commands = of(Command::Record),
     .check = wholeNumber(1, MaxRecords),
     .hidden = true},
    {.name = "rotate",
     .valueName = "WHEN",
     .help = QT_TRANSLATE_NOOP("CliOptions",
                               "daily: a new file every midnight, FILE's name with the date added "
                               "(data-2026-12-07.txt)."),
     .commands = of(Command::Record),
     .check = oneOf("daily", QT_TRANSLATE_NOOP("CliOptions", "--rotate expects daily, got '%1'"))},
    {.name = "format",
     .valueName = "FORMAT",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "influx: also print every record in InfluxDB line protocol on standard output."),
     .commands = of(Command::Record),
     .check =
         oneOf("influx", QT_TRANSLATE_NOOP("CliOptions", "--format expects influx, got '%1'"))},
    // where read and record also send the readings (Outputs.h)
    {.name = "prom",
     .valueName = "FILE",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "Keep FILE a node_exporter textfile with the latest reading (replaced atomically on "
         "every reading)."),
     .commands = Feeding},
    {.name = "mqtt",
     .valueName = "URL",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "Publish to the broker at mqtt://[user@]host[:port] or mqtts://... (with Home "
         "Assistant discovery)."),
     .commands = Feeding},
    {.name = "mqtt-prefix",
     .valueName = "TOPIC",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Topic prefix (default veltrix/<meter ID>)."),
     .commands = Feeding,
     .needs = "mqtt"},
    {.name = "mqtt-user",
     .valueName = "NAME",
     .help = QT_TRANSLATE_NOOP("CliOptions", "The broker's user name."),
     .commands = Feeding,
     .needs = "mqtt"},
    {.name = "mqtt-password-file",
     .valueName = "FILE",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions", "Read the broker's password from FILE (or set VELTRIX_MQTT_PASSWORD)."),
     .commands = Feeding,
     .needs = "mqtt"},
    {.name = "cafile",
     .valueName = "FILE",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "mqtts: the CA certificate that signed the broker's (default: the system's CAs)."),
     .commands = Feeding,
     .needs = "mqtt"},
    {.name = "meter-id",
     .valueName = "ID",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "The meter's name in every output (default: model and the logger's ID code)."),
     .commands = Feeding},
    {.name = "mqtt-queue", // tests and the benchmark lower it
     .valueName = "N",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "Readings kept while the broker is away (default 10000; the oldest are dropped)."),
     .commands = Feeding,
     .check = wholeNumber(1, 1000000),
     .hidden = true,
     .needs = "mqtt"},
    // convert
    {.name = "to",
     .valueName = "FORMAT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "The format: csv."),
     .commands = of(Command::Convert),
     .check = oneOf("csv", QT_TRANSLATE_NOOP("CliOptions", "convert needs --to csv (try --help)"),
                    true)},
    {.name = "out",
     .valueName = "PATH",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "Where to write (default: FILE with .csv in place of its suffix; - for standard "
         "output)."),
     .commands = of(Command::Convert)},
    // logger
    {.name = "set",
     .valueName = "N",
     .help = QT_TRANSLATE_NOOP("CliOptions", "download: set N."),
     .commands = of(Command::Logger),
     .check = wholeNumber(1, logger::MaxSets)},
    {.name = "all",
     .valueName = nullptr,
     .help = QT_TRANSLATE_NOOP("CliOptions", "download: every set."),
     .commands = of(Command::Logger)},
    {.name = "out",
     .valueName = "DIR",
     .help = QT_TRANSLATE_NOOP("CliOptions",
                               "download: the folder for the record files (created if need be)."),
     .commands = of(Command::Logger)},
    {.name = "yes",
     .valueName = nullptr,
     .help = QT_TRANSLATE_NOOP("CliOptions", "erase: yes, erase all the logged sets."),
     .commands = of(Command::Logger)},
    // stats and report
    {.name = "threshold",
     .valueName = "VALUE",
     .help = QT_TRANSLATE_NOOP("CliOptions", "A level: VALUE[mG|uT]. May be repeated."),
     .commands = Survey},
    {.name = "reference",
     .valueName = "NAME",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "A reference set by its key: a published one or one of --reference-file. May be "
         "repeated."),
     .commands = Survey},
    {.name = "reference-file",
     .valueName = "FILE",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "A reference set of your own (format: docs/reference-levels.md); --reference names "
         "it by its key. May be repeated."),
     .commands = Survey},
    {.name = "mains",
     .valueName = "HZ",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "The mains frequency, 50 (default) or 60: ICNIRP 1998's level depends on it."),
     .commands = Survey,
     .check = oneOf("50 60", QT_TRANSLATE_NOOP("CliOptions", "--mains expects 50 or 60, got '%1'")),
     .defaultValue = "50"},
    {.name = "from",
     .valueName = "ISO",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Only records at or after this ISO 8601 time."),
     .commands = Survey},
    {.name = "to",
     .valueName = "ISO",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions", "Only records at or before this ISO 8601 time (a date alone: to its end)."),
     .commands = Survey},
    {.name = "format",
     .valueName = "FORMAT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "text (default), json or csv."),
     .commands = of(Command::Stats),
     .check = oneOf("text json csv",
                    QT_TRANSLATE_NOOP("CliOptions", "unknown format '%1': text, json or csv")),
     .defaultValue = "text"},
    // report: the fields of the report dialog
    {.name = "out",
     .valueName = "REPORT.pdf",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "The PDF to write (replaced whole, or left as it was when it cannot be written)."),
     .commands = of(Command::Report)},
    {.name = "title",
     .valueName = "TEXT",
     .help =
         QT_TRANSLATE_NOOP("CliOptions", "The report's title (default: Magnetic field survey)."),
     .commands = of(Command::Report)},
    {.name = "site",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "The site."),
     .commands = of(Command::Report)},
    {.name = "client",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Who the survey is for."),
     .commands = of(Command::Report)},
    {.name = "location",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Where within the site (bedroom, bed head)."),
     .commands = of(Command::Report)},
    {.name = "operator",
     .valueName = "NAME",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Who measured."),
     .commands = of(Command::Report)},
    {.name = "company",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Their company."),
     .commands = of(Command::Report)},
    {.name = "place",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Where the report is signed."),
     .commands = of(Command::Report)},
    {.name = "notes",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Notes."),
     .commands = of(Command::Report)},
    {.name = "instrument-preset",
     .valueName = "NAME",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "An instrument the report dialog remembers, by its model and serial or its serial "
         "alone; the options below change single fields of it."),
     .commands = of(Command::Report)},
    {.name = "model",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "The meter's model."),
     .commands = of(Command::Report)},
    {.name = "serial",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Its serial number or ID code."),
     .commands = of(Command::Report)},
    {.name = "calibrated",
     .valueName = "DATE",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Its last calibration, YYYY-MM-DD."),
     .commands = of(Command::Report)},
    {.name = "frequency-range",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Its frequency range (16 Hz - 2 kHz)."),
     .commands = of(Command::Report)},
    {.name = "axes",
     .valueName = "N",
     .help = QT_TRANSLATE_NOOP("CliOptions", "1 (single axis) or 3 (isotropic)."),
     .commands = of(Command::Report),
     .check = oneOf("1 3", QT_TRANSLATE_NOOP("CliOptions", "--axes expects 1 or 3, got '%1'"))},
    {.name = "method",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions", "How the survey was made: where the meter stood, what ran meanwhile."),
     .commands = of(Command::Report)},
    {.name = "unit",
     .valueName = "UNIT",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "The unit of the figures: nT, uT or mG (default: mG where the locale measures in "
         "US units, else uT)."),
     .commands = of(Command::Report),
     .check = oneOf("nT uT mG",
                    QT_TRANSLATE_NOOP("CliOptions", "--unit expects nT, uT or mG, got '%1'"))},
    {.name = "conclusion",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "The conclusion."),
     .commands = of(Command::Report)},
    {.name = "recommendations",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "The recommendations."),
     .commands = of(Command::Report)},
    {.name = "records",
     .valueName = nullptr,
     .help = QT_TRANSLATE_NOOP("CliOptions", "Add the records as a table."),
     .commands = of(Command::Report)},
    {.name = "paper",
     .valueName = "SIZE",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "a4 or letter (default: letter where the locale measures in US units, else a4)."),
     .commands = of(Command::Report),
     .check = oneOf("a4 letter",
                    QT_TRANSLATE_NOOP("CliOptions", "--paper expects a4 or letter, got '%1'"))},
    // survey: the survey file's actions
    {.name = "site",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "new: the site surveyed."),
     .commands = of(Command::Survey)},
    {.name = "client",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "new: who the survey is for."),
     .commands = of(Command::Survey)},
    {.name = "operator",
     .valueName = "NAME",
     .help = QT_TRANSLATE_NOOP("CliOptions", "new: who measures."),
     .commands = of(Command::Survey)},
    {.name = "mains",
     .valueName = "HZ",
     .help =
         QT_TRANSLATE_NOOP("CliOptions", "new: the site's mains frequency, 50 (default) or 60."),
     .commands = of(Command::Survey),
     .check =
         oneOf("50 60", QT_TRANSLATE_NOOP("CliOptions", "--mains expects 50 or 60, got '%1'"))},
    {.name = "reference",
     .valueName = "KEY",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "new: a reference set the report compares with, by its key. May be repeated."),
     .commands = of(Command::Survey)},
    {.name = "guidance",
     .valueName = "KEY",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "new: the reference whose bands colour the points (default: buildingbiology)."),
     .commands = of(Command::Survey)},
    {.name = "unit",
     .valueName = "UNIT",
     .help =
         QT_TRANSLATE_NOOP("CliOptions", "new: the unit of the figures, nT, uT (default) or mG."),
     .commands = of(Command::Survey),
     .check = oneOf("nT uT mG",
                    QT_TRANSLATE_NOOP("CliOptions", "--unit expects nT, uT or mG, got '%1'"))},
    {.name = "session",
     .valueName = "NAME",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "new: a session beyond before and after (may be repeated). measure, attach: the "
         "session the measurement belongs to (default: the survey's first, before)."),
     .commands = of(Command::Survey)},
    {.name = "force",
     .valueName = nullptr,
     .help = QT_TRANSLATE_NOOP("CliOptions", "new: replace an existing file."),
     .commands = of(Command::Survey)},
    {.name = "room",
     .valueName = "NAME",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "The room. add-point creates it when the survey has none of that name; measure "
         "and attach need it only when rooms share the point's name."),
     .commands = of(Command::Survey)},
    {.name = "point",
     .valueName = "NAME",
     .help =
         QT_TRANSLATE_NOOP("CliOptions", "The measuring point (names are unique within a room)."),
     .commands = of(Command::Survey)},
    {.name = "notes",
     .valueName = "TEXT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "add-room, add-point: notes."),
     .commands = of(Command::Survey)},
    {.name = "position",
     .valueName = "X,Y",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "add-point: its place on the floor plan, as fractions 0..1 of the plan's width and "
         "height from its top-left corner (0.25,0.6)."),
     .commands = of(Command::Survey)},
    {.name = "plan",
     .valueName = "FILE",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions", "new, set-plan: the floor plan, a PNG or JPEG (copied into the survey)."),
     .commands = of(Command::Survey)},
    {.name = "photo",
     .valueName = "FILE",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions", "add-point: a photo of the point, PNG or JPEG (copied into the survey)."),
     .commands = of(Command::Survey)},
    {.name = "seconds",
     .valueName = "N",
     .help = QT_TRANSLATE_NOOP("CliOptions",
                               "measure: the spot measurement's length in seconds (default 30)."),
     .commands = of(Command::Survey),
     .check = wholeNumber(1, MaxSamplingSeconds),
     .defaultValue = "30"},
    {.name = "sampling",
     .valueName = "S",
     .help = QT_TRANSLATE_NOOP(
         "CliOptions",
         "measure: one sample every S seconds, 1-86400 (default 2, as in the panel)."),
     .commands = of(Command::Survey),
     .check = wholeNumber(1, MaxSamplingSeconds),
     .defaultValue = "2"},
    {.name = "recording",
     .valueName = "FILE",
     .help = QT_TRANSLATE_NOOP("CliOptions", "attach: a record file, copied in byte for byte."),
     .commands = of(Command::Survey)},
    {.name = "logger-set",
     .valueName = "N",
     .help = QT_TRANSLATE_NOOP("CliOptions",
                               "attach: set N of the meter's data logger, downloaded now."),
     .commands = of(Command::Survey),
     .check = wholeNumber(1, logger::MaxSets)},
    {.name = "logger-file",
     .valueName = "FILE",
     .help = QT_TRANSLATE_NOOP("CliOptions",
                               "attach: a logger set downloaded before (its record file)."),
     .commands = of(Command::Survey)},
    {.name = "format",
     .valueName = "FORMAT",
     .help = QT_TRANSLATE_NOOP("CliOptions", "list: text (default) or json."),
     .commands = of(Command::Survey),
     .check = oneOf("text json",
                    QT_TRANSLATE_NOOP("CliOptions", "--format expects text or json, got '%1'")),
     .defaultValue = "text"},
    // A service's configuration file, read before the subcommand parses (expandConfig).
    {.name = "config",
     .valueName = "FILE",
     .help = QT_TRANSLATE_NOOP("CliOptions", "Options from FILE."),
     .commands = Every,
     .hidden = true},
};

struct Positional {
    const char* name;
    const char* help;
    const char* syntax;
};

struct CommandInfo {
    Command command;
    const char* word;
    const char* description;
    std::optional<Positional> argument; // after the subcommand's own word
    int positionalCount;                // the words, the subcommand's own one included; -1: any
};

const CommandInfo Subcommands[] = {
    {Command::Ports, "ports",
     QT_TRANSLATE_NOOP("CliOptions", "The serial devices found on this computer and the ports "
                                     "COM1..COM8 they stand for, as the "
                                     "panel's Port window shows them."),
     std::nullopt, 1},
    {Command::Read, "read",
     QT_TRANSLATE_NOOP("CliOptions", "Identifies the meter, then prints one line per reading: ISO "
                                     "8601 local date-time, value (a "
                                     "number or OL), unit and the hold and peak marks. Without "
                                     "--interval every poll gives a line "
                                     "(about four a second); Ctrl-C ends."),
     std::nullopt, 1},
    {Command::Record, "record",
     QT_TRANSLATE_NOOP(
         "CliOptions",
         "Records the meter's readings into FILE in the panel's record file format, one record "
         "every "
         "S seconds on whole seconds of the clock. Every record is on the disk as soon as it is "
         "taken; Ctrl-C (or SIGTERM) stops cleanly. A full file (50000 records) is continued in "
         "FILE's name with a number added (data-2.txt, ...), and so is a recording after the meter "
         "stopped answering and came back."),
     Positional{"FILE", QT_TRANSLATE_NOOP("CliOptions", "The record file."), ""}, 2},
    {Command::Clock, "clock",
     QT_TRANSLATE_NOOP("CliOptions",
                       "clock set: sets the meter's clock from this computer's clock.\n"
                       "clock read: prints the meter's clock (ISO 8601)."),
     Positional{"action", QT_TRANSLATE_NOOP("CliOptions", "set or read."), "set|read"}, 2},
    {Command::Convert, "convert",
     QT_TRANSLATE_NOOP("CliOptions", "Converts a record file to CSV (UTF-8, header row, ISO 8601 "
                                     "date-time, value as a number or "
                                     "OL, unit mG or µT, hold and peak marks)."),
     Positional{"FILE", QT_TRANSLATE_NOOP("CliOptions", "The record file."), ""}, 2},
    {Command::Logger, "logger",
     QT_TRANSLATE_NOOP(
         "CliOptions",
         "The meter's data logger, as the Memory window shows it.\n"
         "  list                         ID code, interval, memory left and the logged sets\n"
         "  download --set N --out DIR   one set as a record file in DIR\n"
         "  download --all --out DIR     every set, named as \"Save all sets\" names them\n"
         "  set-id N                     the identification code (0-65535)\n"
         "  set-interval S               the logging interval (0.4 to 102.0 s in 0.4 s steps)\n"
         "  erase --yes                  erases the whole logger memory (refused when the meter's "
         "memory is locked)"),
     Positional{"action",
                QT_TRANSLATE_NOOP("CliOptions", "list, download, set-id, set-interval or erase."),
                "ACTION [VALUE]"},
     -1},
    {Command::Stats, "stats",
     QT_TRANSLATE_NOOP(
         "CliOptions",
         "Survey figures of record files, taken together in the order given: count, first and last "
         "time, duration, sampling time, minimum and maximum with their times, mean, median, 95th "
         "percentile, standard deviation, overloads (OL) and invalid readings apart, time above "
         "each "
         "level and the longest stretch above it, gaps and clocks set back.\n"
         "Levels: --threshold 5mG, 0.4uT (a bare number is in the unit of the first reading) or "
         "--reference NAME, each with a sentence comparing the figure it is meant for with it; "
         "NAME "
         "a key of --reference-file or one of: "),
     Positional{"FILE", QT_TRANSLATE_NOOP("CliOptions", "Record files."), "FILE..."}, -1},
    {Command::Report, "report",
     QT_TRANSLATE_NOOP(
         "CliOptions",
         "A survey report as a PDF, the same as the report dialog of the panel writes, of record "
         "files taken together in the order given: the figures, a chart of the whole period, the "
         "time above each level, the assessment against each reference, the instrument and the "
         "method, a signature line, and each file's SHA-256. Works without a desktop.\n"
         "A survey file (SURVEY.vsurvey) alone gives the report of its points, sessions and floor "
         "plan, with the fields, references and unit the survey holds: only --out and "
         "--reference-file apply to it.\n"
         "Levels: --threshold 5mG, 0.4uT (a bare number is in the unit of the first reading) or "
         "--reference NAME, NAME a key of --reference-file or one of: "),
     Positional{"FILE", QT_TRANSLATE_NOOP("CliOptions", "Record files, or one survey file."),
                "FILE... | SURVEY.vsurvey"},
     -1},
    {Command::Survey, "survey",
     QT_TRANSLATE_NOOP(
         "CliOptions",
         "A survey file: one site visit's rooms, measuring points and their measurements in "
         "sessions (before, after, ...), the file the Survey window opens and `report` turns into "
         "a PDF. Every action reads the file, changes it and writes it back whole; a file that "
         "cannot be read, or a refused action, leaves it as it was.\n"
         "  new [--site T] [--client T] [--operator N] [--mains HZ] [--reference KEY]...\n"
         "      [--guidance KEY] [--unit U] [--session NAME]... [--plan FILE] [--force]\n"
         "  set-plan --plan FILE           the floor plan, a PNG or JPEG (points keep their "
         "places)\n"
         "  add-room --room NAME [--notes T]\n"
         "  add-point --room NAME --point NAME [--notes T] [--position X,Y] [--photo FILE]\n"
         "  measure --point NAME [--room NAME] [--session NAME] [--seconds N] [--sampling S]\n"
         "      a spot measurement from the meter (--port, --com or --simulate)\n"
         "  attach --point NAME [--room NAME] [--session NAME]\n"
         "      (--recording FILE | --logger-set N | --logger-file FILE)\n"
         "  list [--format text|json]     rooms, points, measurements and each point's figures"),
     Positional{"ACTION SURVEY-FILE",
                QT_TRANSLATE_NOOP("CliOptions", "The action and the survey file."),
                "ACTION SURVEY-FILE"},
     3},
};

const CommandInfo& info(Command command)
{
    for (const CommandInfo& c : Subcommands) {
        if (c.command == command)
            return c;
    }
    Q_UNREACHABLE();
}

bool takes(const Option& option, Command command)
{
    return (option.commands & of(command)) != 0;
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

std::optional<qint64> parseWholeNumber(const QString& name, const QString& text, qint64 low,
                                       qint64 high)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (!ok || n < low || n > high) {
        complain(CliTr::tr("--%1 expects a whole number from %2 to %3, got '%4'")
                     .arg(name)
                     .arg(low)
                     .arg(high)
                     .arg(text));
        return std::nullopt;
    }
    return n;
}

// The value of a set option (or its default) as its check wants it: a number for the numbers,
// the value itself otherwise. Nothing, after saying why, when it is refused.
std::optional<qint64> checkedValue(const Option& option, const QString& text)
{
    const QString name = QLatin1String(option.name);
    switch (option.check.kind) {
    case Check::Any:
        return 0;
    case Check::WholeNumber:
        return parseWholeNumber(name, text, option.check.low, option.check.high);
    case Check::Duration:
        if (const auto seconds = parseDuration(text))
            return seconds;
        complain(CliTr::tr("--%1 expects seconds or a number ending in s, m, h or d, got "
                           "'%2'")
                     .arg(name, text));
        return std::nullopt;
    case Check::OneOf: {
        if (QString::fromLatin1(option.check.choices).split(u' ').contains(text))
            return 0;
        const QString refusal = translated(option.check.refusal);
        complain(refusal.contains(QLatin1String("%1")) ? refusal.arg(text) : refusal);
        return std::nullopt;
    }
    }
    return std::nullopt;
}

QCommandLineOption parserOption(const Option& option)
{
    QCommandLineOption o(QString::fromLatin1(option.name), translated(option.help));
    if (option.valueName)
        o.setValueName(QString::fromLatin1(option.valueName));
    if (option.defaultValue)
        o.setDefaultValue(QString::fromLatin1(option.defaultValue));
    if (option.hidden)
        o.setFlags(QCommandLineOption::HiddenFromHelp);
    return o;
}

} // namespace

std::optional<Command> commandNamed(const QString& word)
{
    for (const CommandInfo& c : Subcommands) {
        if (word == QLatin1String(c.word))
            return c.command;
    }
    return std::nullopt;
}

bool takesValue(const QString& arg)
{
    for (const Option& option : Options) {
        if (!option.valueName)
            continue;
        const QString name = QLatin1String(option.name);
        if (arg.size() == name.size() + 2 && arg.startsWith(u"--") && arg.endsWith(name))
            return true;
        // The port options also in the one-dash form the tool's first version took.
        if (option.commands == Meter && arg.size() == name.size() + 1 && arg.startsWith(u'-') &&
            arg.endsWith(name))
            return true;
    }
    return false;
}

int CommandLine::parse(Command command, const QStringList& args, const QString& descriptionTail)
{
    const CommandInfo& c = info(command);
    m_parser.setApplicationDescription(translated(c.description) + descriptionTail);
    const QString word = QLatin1String(c.word);
    m_parser.addPositionalArgument(word, CliTr::tr("The subcommand."), word);
    if (c.argument)
        m_parser.addPositionalArgument(QLatin1String(c.argument->name),
                                       translated(c.argument->help),
                                       QLatin1String(c.argument->syntax));
    for (const Option& option : Options) {
        if (takes(option, command))
            m_parser.addOption(parserOption(option));
    }
    const QCommandLineOption help = m_parser.addHelpOption();
    if (!m_parser.parse(args)) {
        complain(m_parser.errorText() + CliTr::tr(" (try --help)"));
        return UsageError;
    }
    if (m_parser.isSet(help))
        m_parser.showHelp(Ok); // exits
    const QStringList words = m_parser.positionalArguments();
    if (c.positionalCount >= 0 && words.size() != c.positionalCount) {
        complain(words.size() < c.positionalCount
                     ? CliTr::tr("missing argument (try --help)")
                     : CliTr::tr("unexpected argument '%1' (try --help)")
                           .arg(words.value(c.positionalCount)));
        return UsageError;
    }
    return check(command);
}

// Every option the subcommand takes, in the table's order: the options it goes with or not, then
// its value.
int CommandLine::check(Command command)
{
    for (const Option& option : Options) {
        const QString name = QLatin1String(option.name);
        if (!takes(option, command) ||
            (!m_parser.isSet(name) && !option.defaultValue && !option.check.required))
            continue;
        if (option.needs && m_parser.isSet(name) && !m_parser.isSet(QLatin1String(option.needs))) {
            complain(CliTr::tr("--%1 needs --%2").arg(name, QLatin1String(option.needs)));
            return UsageError;
        }
        if (option.excludes && m_parser.isSet(name) &&
            m_parser.isSet(QLatin1String(option.excludes))) {
            complain(CliTr::tr("--%1 and --%2 exclude each other")
                         .arg(name, QLatin1String(option.excludes)));
            return UsageError;
        }
        const auto n = checkedValue(option, m_parser.value(name));
        if (!n)
            return UsageError;
        if (option.check.kind == Check::WholeNumber || option.check.kind == Check::Duration)
            m_numbers.insert(name, *n);
    }
    return Ok;
}

bool CommandLine::isSet(QStringView name) const
{
    return m_parser.isSet(name.toString());
}

QString CommandLine::value(QStringView name) const
{
    return m_parser.value(name.toString());
}

QStringList CommandLine::values(QStringView name) const
{
    return m_parser.values(name.toString());
}

qint64 CommandLine::number(QStringView name, qint64 fallback) const
{
    return m_numbers.value(name.toString(), fallback);
}

} // namespace veltrix::cli
