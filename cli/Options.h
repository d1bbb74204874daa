// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// veltrix-cli's options: every option of every subcommand is declared once, in the table of
// Options.cpp, with its value name, help text, the subcommands that take it and what its value
// must be. A subcommand parses its arguments against that table and gets checked values back.

#include <QCommandLineParser>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace veltrix::cli {

enum class Command { Ports, Read, Record, Clock, Convert, Logger, Stats, Report, Survey };

// The subcommand a word names ("read"), if any.
std::optional<Command> commandNamed(const QString& word);

// True for an option that takes its value in the next argument ("--port"): the program finds its
// subcommand past them.
bool takesValue(const QString& arg);

// A subcommand's command line, parsed and checked.
class CommandLine {
public:
    // Parses `args` (the program name, then the subcommand's words and options) against the
    // table, handles --help and checks the positional arguments' count and every value given.
    // Returns Ok, or the status to exit with after saying why. `descriptionTail` is added to
    // the subcommand's description (stats lists the reference levels it knows).
    int parse(Command command, const QStringList& args, const QString& descriptionTail = {});

    bool isSet(QStringView name) const;
    QString value(QStringView name) const; // the last one given, else the default
    QStringList values(QStringView name) const;
    QStringList positionalArguments() const { return m_parser.positionalArguments(); }
    // A whole number or a duration in seconds, as checked; `fallback` when it was not given.
    qint64 number(QStringView name, qint64 fallback = 0) const;

private:
    int check(Command command);

    QCommandLineParser m_parser;
    QHash<QString, qint64> m_numbers;
};

} // namespace veltrix::cli
