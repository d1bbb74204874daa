// The panel's data-logger commands: the Memory button, the Record key and a lost link.

#include "logger/DataList.h"
#include "logger/MemoryWindow.h"
#include "records/ListPlot.h"
#include "support/PanelRig.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTimer>

using namespace veltrix;
using veltrix::test::PanelRig;

namespace {
// The panel on a meter paced like the real line, polling, with its Memory window open.
bool openMemoryPaced(PanelRig& rig, QPointer<MemoryWindow>& memory)
{
    if (!rig.start(true) || !rig.ticks(1))
        return false;
    rig.panel->toolbarClick("Memory");
    memory = rig.panel->memoryWindow();
    return memory;
}
} // namespace

class TestPanelLogger : public QObject {
    Q_OBJECT
private slots:
    void memoryButtonOpensTheWindow()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.ticks(2));
        QVERIFY(rig.w<QAction>("Memory")->isEnabled());
        rig.meter.clearReceived();
        rig.panel->toolbarClick("Memory");
        MemoryWindow* memory = rig.panel->memoryWindow();
        QVERIFY(memory && memory->isVisible());
        QCOMPARE(rig.meter.commands().mid(0, 2), (QStringList{"Y", "I"}));
        QVERIFY(rig.panel->pollingEnabled());
        QVERIFY(rig.ticks(1)); // polling goes on
        // A downloaded set is plotted by the panel's list plot.
        memory->downloadSet(1);
        QVERIFY(memory->dataList());
        memory->dataList()->plotAction()->trigger();
        QVERIFY(rig.panel->listPlot()->window() && rig.panel->listPlot()->window()->isVisible());
    }

    void lockedMeterIsRefusedSilently()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        rig.meter.setMemoryLock(true);
        QTRY_VERIFY(rig.panel->state().Flags.MemoryLockFlag);
        QVERIFY(rig.ticks(1));
        rig.meter.clearReceived();
        rig.panel->toolbarClick("Memory");
        QVERIFY(!rig.panel->memoryWindow());
        QVERIFY(!rig.meter.commands().contains("Y"));
    }

    void recordKeyClosesMemory()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.ticks(1));
        rig.panel->toolbarClick("Memory");
        QPointer<MemoryWindow> memory = rig.panel->memoryWindow();
        QVERIFY(memory && memory->isVisible());
        rig.meter.clearReceived();
        rig.w<QPushButton>("CmdPeak")->click();
        QTRY_VERIFY(!memory);
        QVERIFY(rig.meter.commands().contains("P"));
    }

    void lostLinkClosesMemoryButKeepsTheList()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.ticks(1));
        rig.panel->toolbarClick("Memory");
        QPointer<MemoryWindow> memory = rig.panel->memoryWindow();
        QVERIFY(memory);
        memory->downloadSet(1);
        QPointer<DataList> list = memory->dataList();
        QVERIFY(list);
        bool wasLost = false, memoryShownWhileLost = true;
        connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
            if (!lost)
                return;
            wasLost = true;
            memoryShownWhileLost = memory && memory->isVisible();
            QTimer::singleShot(300, [&] { rig.meter.setSilent(false); });
        });
        rig.meter.setSilent(true);
        QTRY_VERIFY_WITH_TIMEOUT(wasLost, 8000);
        QVERIFY(!memoryShownWhileLost);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->linkLost(), 8000);
        QTRY_VERIFY(!memory);
        QVERIFY(list && list->isVisible());
    }

    // A key pressed while a set downloads: the letter goes out, but polling waits for the end.
    void keyDuringDownloadLeavesItWhole()
    {
        PanelRig rig;
        QPointer<MemoryWindow> memory;
        QVERIFY(openMemoryPaced(rig, memory));
        QTimer::singleShot(500, rig.panel.get(),
                           [&] { rig.w<QPushButton>("CmdHold")->click(); });
        rig.meter.clearReceived();
        memory->downloadSet(7); // about 3 s on the wire
        QVERIFY(memory && memory->dataList());
        QVERIFY2(!memory->dataList()->title()->text().contains("incomplete"),
                 qPrintable(memory->dataList()->title()->text()));
        QCOMPARE(rig.meter.commands().mid(0, 2), (QStringList{"K07", "H"}));
        QVERIFY(rig.panel->pollingEnabled());
        QVERIFY(rig.ticks(1));
    }

    // The plug pulled in the middle of a download: the download ends, polling finds the link
    // lost, and the panel comes back once the meter is plugged in again.
    void unplugDuringDownloadLeavesAResponsivePanel()
    {
        PanelRig rig;
        QPointer<MemoryWindow> memory;
        QVERIFY(openMemoryPaced(rig, memory));
        bool wasLost = false;
        connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
            if (lost) {
                wasLost = true;
                QTimer::singleShot(300, [&] { QVERIFY(rig.meter.replug()); });
            }
        });
        QTimer::singleShot(800, &rig.meter, [&] { rig.meter.unplug(); });
        QElapsedTimer t;
        t.start();
        memory->downloadSet(7); // about 3 s on the wire
        QVERIFY(t.elapsed() < 3000);
        QVERIFY(rig.panel->pollingEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(wasLost, 8000);
        QTRY_VERIFY(!memory);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->linkLost(), 8000);
        QVERIFY(rig.ticks(1));
    }
};

QTEST_MAIN(TestPanelLogger)
#include "tst_panel_logger.moc"
