// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the built veltrix-cli (VELTRIX_CLI, set by the build for the cli tests) while the event
// loop, and so a virtual meter in the test process, keeps running.

#include "sim/VirtualMeter.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QSignalSpy>
#include <QString>
#include <QStringList>

namespace veltrix::test {

struct CliRun {
    int status = -1; // -2: crashed
    QString out;
    QString err;
};

// The tool in `environment`; runCli() runs it in English, the language of the tests' texts.
inline CliRun runCliIn(const QProcessEnvironment& environment, const QStringList& args,
                       int timeoutMs = 60000)
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(QStringLiteral(VELTRIX_CLI), args);
    CliRun r;
    if (!p.waitForStarted())
        return r;
    QSignalSpy finished(&p, &QProcess::finished);
    if (!finished.wait(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("<timed out>");
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

inline CliRun runCli(const QStringList& args, int timeoutMs = 60000)
{
    QProcessEnvironment english = QProcessEnvironment::systemEnvironment();
    english.insert(QStringLiteral("VELTRIX_LANGUAGE"), QStringLiteral("en"));
    return runCliIn(english, args, timeoutMs);
}

// A fresh virtual meter for each test; the tool reaches it with --port.
struct CliMeter {
    std::unique_ptr<sim::VirtualMeter> meter;
    bool start()
    {
        meter = std::make_unique<sim::VirtualMeter>();
        return startMeterOnLink(*meter, false);
    }
    QString port() const { return meter->devicePath(); }
    sim::VirtualMeter* operator->() const { return meter.get(); }
    operator sim::VirtualMeter*() const { return meter.get(); } // for connect()
};

} // namespace veltrix::test
