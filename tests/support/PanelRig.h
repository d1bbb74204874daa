// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A panel polling a virtual meter over a pseudo-terminal, as the user would run it.

#include "logger/DataList.h"
#include "logger/MemoryWindow.h"
#include "panel/Panel.h"
#include "sim/VirtualMeter.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace veltrix::test {

struct PanelRig {
    sim::VirtualMeter meter;
    std::unique_ptr<Panel> panel;

    bool start(bool paced = false)
    {
        if (!startMeterOnLink(meter, paced))
            return false;
        ui::PortBindings b;
        b.bind(1, meter.devicePath());
        panel = std::make_unique<Panel>(b, 1);
        if (!panel->startUp())
            return false;
        panel->show();
        return true;
    }
    // Started (paced like the real line if asked), polled once, the Memory window opened.
    bool openMemory(QPointer<MemoryWindow>& memory, bool paced = false)
    {
        if (!start(paced) || !ticks(1))
            return false;
        panel->toolbarClick("Memory");
        memory = panel->memoryWindow();
        return memory;
    }
    bool startPolled(int n) { return start() && ticks(n); }
    ~PanelRig()
    {
        if (panel)
            panel->stopPolling();
    }

    template <class T = QLabel> T* w(const char* name) const
    {
        return panel->findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return w(name)->text(); }

    bool ticks(int n, int timeoutMs = 10000)
    {
        QSignalSpy spy(panel.get(), &Panel::tickFinished);
        while (spy.count() < n) {
            if (!spy.wait(timeoutMs))
                return false;
        }
        return true;
    }

    // The sample clock stays out of the way; the test takes samples itself.
    void holdSampleClock() { panel->findChild<QTimer*>(QStringLiteral("Timer2"))->stop(); }
};

// A panel sampling every second, its dialogs scripted, its files in a folder of its own.
struct RecordingRig : PanelRig {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;

    bool start(bool paced = false)
    {
        if (!PanelRig::start(paced))
            return false;
        panel->setSamplingSeconds(1);
        return true;
    }
    // The path of `name` in the folder (an absolute path stays as it is).
    QString file(const QString& name) const { return dir.filePath(name); }
    // Starts recording into `name` from the toolbar, as the user does.
    bool record(const QString& name)
    {
        dialogs.fileAnswers << file(name);
        panel->toolbarClick("SaveStop");
        return panel->state().RecordingOn;
    }
};

// Whether a condition held at any moment, looked at every 10 ms (for marks that flash).
struct Seen {
    bool seen = false;
    QTimer timer;
    explicit Seen(std::function<bool()> condition)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, condition] { seen |= condition(); });
        timer.start(10);
    }
};

} // namespace veltrix::test
