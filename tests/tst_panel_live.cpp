// SPDX-License-Identifier: GPL-3.0-or-later
// The live panel: start-up, the poll tick, link loss and recovery, and the front-panel keys.

#include "logger/RTCSetup.h"
#include "panel/PanelVersion.h"
#include "support/Layout.h"
#include "support/PanelRig.h"
#include "views/Analog.h"
#include "views/Digital.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QToolBar>

using namespace veltrix;
using veltrix::test::PanelRig;

class TestPanelLive : public QObject {
    Q_OBJECT
private slots:
    // The unit label blinks (the tick lasts the blink), takes a caption, or is left alone.
    void unitLabel_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("hidden"); // before and after
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("minTickMs");
        QTest::newRow("81 slow blink") << 0x81 << false << "mG" << 650;
        QTest::newRow("00 leaves all") << 0x00 << true << "xx" << 0;
        QTest::newRow("C0 caption uT") << 0xC0 << true << "uT" << 0;
    }
    void unitLabel()
    {
        QFETCH(int, status);
        QFETCH(bool, hidden);
        QFETCH(QString, caption);
        QFETCH(int, minTickMs);
        PanelRig rig;
        QVERIFY(rig.startPolled(1));
        QLabel* unit = rig.w("LblUnit");
        unit->setVisible(!hidden);
        unit->setText("xx");
        rig.meter.setStatusOverride(status);
        QVERIFY(rig.ticks(1)); // the tick that may have started before the override
        test::Seen blinked([unit] { return unit->isHidden(); });
        // The reading stays put while the marks beside it come and go.
        const QRect valueAt = rig.w("LblValue")->geometry();
        test::Seen moved([&] { return rig.w("LblValue")->geometry() != valueAt; });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(rig.ticks(1));
        QVERIFY2(clock.elapsed() >= minTickMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(unit->text(), caption);
        QCOMPARE(unit->isHidden(), hidden);
        QCOMPARE(blinked.seen, hidden || minTickMs > 0);
        QVERIFY(!moved.seen);
    }

    // After random bytes, peak shows the highest reading (OL included); hold keeps the value.
    void garbageThenPeakAndHold()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        rig.meter.setGarbage(true); // random bytes of the right length
        QVERIFY(rig.ticks(4));
        rig.meter.setGarbage(false);
        const struct {
            int status, word;
            const char* shown;
        } steps[] = {{0x80, 0x0123, "12.3"}, {0x90, 0x0110, "12.3"}, {0x90, 0x0123, "12.3"},
                     {0x90, 0x0150, "15.0"}, {0x90, 0x1C00, "OL"},   {0x90, 0x0010, "OL"},
                     {0x80, 0x0010, "1.0"},  {0xA0, 0x0999, "1.0"}};
        for (const auto& step : steps) {
            rig.meter.setStatusOverride(step.status);
            rig.meter.setValueOverride(step.word);
            QVERIFY(rig.ticks(2));
            QCOMPARE(rig.text("LblValue"), QString(step.shown));
            QCOMPARE(rig.text("LblUnit"), QString("mG"));
            QCOMPARE(rig.w("ImageP")->isHidden(), !(step.status & 0x10));
            QCOMPARE(rig.w("ImageH")->isHidden(), !(step.status & 0x20));
        }
        QCOMPARE(test::overlappingControls(rig.panel.get()), QString()); // every key and label placed
    }

    // A lost link takes the meter's controls away and closes the live views and the Memory
    // window; what needs no meter stays. The meter is not identified again when it is back.
    void linkLostAndRecovered()
    {
        PanelRig rig;
        QVERIFY(rig.startPolled(3));
        QCOMPARE(rig.meter.commands().mid(0, 3), (QStringList{"M", " ", " "}));
        QCOMPARE(rig.text("LblComm"), QString("COM1"));
        for (const char* view :
             {"Graph", "Analog", "Digital", "Graph2", "List", "Alarm", "TimeSet"})
            rig.panel->toolbarClick(view);
        rig.panel->toolbarClick("Memory");
        QPointer<MemoryWindow> memory = rig.panel->memoryWindow();
        memory->downloadSet(1);
        QPointer<DataList> list = memory->dataList();
        QPointer<Analog> gauge = rig.panel->analogGauge();
        auto* setClock = rig.panel->findChild<RTCSetup*>()->findChild<QPushButton*>("CmdSetTime");
        QElapsedTimer clock;
        qint64 lostAfter = -1;
        QStringList whileLost;
        const auto shown = [&](const QString& what, bool on) {
            if (on)
                whileLost << what;
        };
        // Looked at from the panel's notice (the link-lost wait runs inside the poll tick).
        const auto noticed =
            connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
                if (!lost || lostAfter >= 0)
                    return;
                lostAfter = clock.elapsed();
                whileLost << rig.text("LblComm") << rig.text("LblType");
                for (const char* key : {"CmdTesla", "CmdGauss", "CmdPeak", "CmdRange", "CmdHold"})
                    shown(key, rig.w<QPushButton>(key)->isEnabled());
                for (QAction* a : rig.w<QToolBar>("Toolbar1")->actions())
                    shown(a->objectName(), a->isVisible());
                for (QWidget* w : QApplication::topLevelWidgets())
                    shown(w->metaObject()->className(), w->isVisible() && w != rig.panel.get());
                const SharedState& s = rig.panel->state();
                shown("open flag",
                      s.StripChartOpen || s.AnalogOpen || s.GraphViewOpen || s.ListViewOpen);
                emit rig.panel->findChild<QMenu*>("MnuView")->aboutToShow();
                shown("MnuViewAnalog", rig.w<QAction>("MnuViewAnalog")->isEnabled());
                shown("MnuViewDigital", rig.w<QAction>("MnuViewDigital")->isEnabled());
                rig.panel->takeSample();
                shown("fed", rig.panel->digitalDisplay()->findChild<QLabel*>("LblValue")->text() ==
                                 rig.text("LblValue"));
                shown("CmdSetTime", setClock->isEnabled());
                rig.panel->findChild<RTCSetup*>()->setMeterTime(); // refused
                rig.meter.clearReceived();
                QTimer::singleShot(300, &rig.meter, [&] { rig.meter.setSilent(false); });
            });
        clock.start();
        rig.meter.setSilent(true);
        QTRY_VERIFY_WITH_TIMEOUT(lostAfter >= 0, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->linkLost(), 5000);
        disconnect(noticed);
        QVERIFY2(lostAfter >= 1500 && lostAfter < 4000, qPrintable(QString::number(lostAfter)));
        whileLost.sort();
        QCOMPARE(whileLost, (QStringList{"", "Alarm", "MnuViewDigital", "No Com", "Open", "Survey",
                                         "fed", "veltrix::Alarm", "veltrix::DataList",
                                         "veltrix::Digital", "veltrix::RTCSetup"}));

        QTRY_COMPARE_WITH_TIMEOUT(rig.text("LblComm"), QString("Com1"), 5000);
        for (const char* key : {"CmdTesla", "CmdGauss", "CmdPeak", "CmdRange", "CmdHold"})
            QVERIFY(rig.w<QPushButton>(key)->isEnabled());
        QVERIFY(rig.w<QAction>("SaveStop")->isVisible());
        QVERIFY(setClock->isEnabled());
        QCOMPARE(rig.text("LblType"), QString()); // not restored
        QTRY_VERIFY(!memory && !gauge && list);
        QVERIFY(rig.ticks(2));
        QCOMPARE(rig.meter.commands().count("M"), 1);
        QVERIFY(!rig.meter.commands().join(QString()).contains('D'));
    }

    // The letter each key sends, by model and unit; no poll until the key's waits are over.
    void keyLetters_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("tesla");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("letters");
        const QStringList all{"CmdTesla", "CmdGauss", "CmdPeak", "CmdHold", "CmdRange"};
        QTest::newRow("4627 in mG")
            << 0x4627 << false << all << QStringList{"u", "m", "P", "H", "R"};
        QTest::newRow("4627 in uT") << 0x4627 << true << all.mid(0, 1) << QStringList{"u"};
        QTest::newRow("other in mG")
            << 0x4625 << false << all.mid(0, 3) << QStringList{"u", "P", "r"};
        QTest::newRow("other in uT") << 0x4625 << true << all.mid(0, 1) << QStringList{"m"};
    }
    void keyLetters()
    {
        QFETCH(int, model);
        QFETCH(bool, tesla);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, letters);
        PanelRig rig;
        rig.meter.setModelCode(quint16(model));
        rig.meter.setUnit(tesla ? sim::Unit::MicroTesla : sim::Unit::MilliGauss);
        QVERIFY(rig.startPolled(2));
        QStringList sent;
        bool pressing = false;
        connect(&rig.meter, &sim::VirtualMeter::commandReceived, this, [&](const QString& c) {
            if (pressing)
                sent << c;
        });
        for (int i = 0; i < keys.size(); ++i) {
            sent.clear();
            QVERIFY(rig.ticks(1));
            pressing = true;
            QTest::mouseClick(rig.w<QPushButton>(qPrintable(keys[i])), Qt::LeftButton);
            pressing = false;
            // A retry of the tick that just ended may still poll before the letter, nothing after.
            const qsizetype at = sent.indexOf(letters[i]);
            const QString why = keys[i] + ": " + sent.join('|');
            QVERIFY2(at >= 0 && sent.mid(0, at).count(" ") == at, qPrintable(why));
            QVERIFY2(sent.mid(at) == QStringList{letters[i]}, qPrintable(why));
            QVERIFY(rig.panel->pollingEnabled());
        }
    }

    // A port that cannot be opened, and one another panel holds.
    void startUpFailures()
    {
        ui::PortBindings b;
        b.bind(2, "/dev/veltrix-no-such-device");
        for (int port : {0, 2, 5}) {
            Panel panel(b, port);
            ui::OpenError error = ui::OpenError::None;
            QVERIFY(!panel.startUp(&error));
            QVERIFY(error != ui::OpenError::None);
            QCOMPARE(Panel::startUpFailureText(error), QString("No device found, try again!"));
        }
        const QString denied = Panel::startUpFailureText(ui::OpenError::PermissionDenied);
        QVERIFY(denied.startsWith("No device found, try again!\n") && denied.contains("dialout"));

        PanelRig rig;
        QVERIFY(rig.start());
        b.bind(1, rig.meter.devicePath());
        Panel second(b, 1);
        ui::OpenError error = ui::OpenError::None;
        QVERIFY(!second.startUp(&error));
        QCOMPARE(error, ui::OpenError::Locked);
        const QString text = Panel::startUpFailureText(error, second.comm().errorText());
        const QString pid = QStringLiteral("(process %1)").arg(QCoreApplication::applicationPid());
        QVERIFY2(text.startsWith("No device found, try again!\n") && text.contains(pid),
                 qPrintable(text));

        // The style sheet finds the panel's dark body by name.
        QWidget* comm = rig.w("LblComm");
        const QRect corner(comm->mapTo(rig.panel.get(), QPoint()), QSize(2, 2));
        QVERIFY(qGray(rig.panel->grab(corner).toImage().pixel(0, 0)) < 128);
        // The port in the title tells panels apart; a click on the port label shows the build.
        const QString port = QStringLiteral(" - COM1 (%1)").arg(rig.meter.devicePath());
        QCOMPARE(rig.panel->windowTitle(), PanelTitle + port);
        QTest::mouseClick(comm, Qt::LeftButton);
        QCOMPARE(rig.panel->windowTitle(), PanelTitleWithBuild + port);
        QTest::mouseClick(comm, Qt::LeftButton);
        QCOMPARE(rig.panel->windowTitle(), PanelTitle + port);
    }
};

QTEST_MAIN(TestPanelLive)
#include "tst_panel_live.moc"
