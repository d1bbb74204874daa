// The panel's charts against the virtual meter: "Graph", the strip chart's place in the feeding
// order, the unit key, the loss of the link and the file list's Plot.

#include "records/FileList.h"
#include "records/ListPlot.h"
#include "records/StripChart.h"
#include "support/PanelRig.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QTemporaryDir>
#include <QToolBar>

using namespace veltrix;
using veltrix::test::PanelRig;

class TestPanelCharts : public QObject {
    Q_OBJECT
private slots:
    // The sweep's first reading ends the feeding of its sample: the digital display, fed after
    // the chart, misses it and gets the next one.
    void graphOpensTheChartAndEndsTheFirstFeeding()
    {
        test::ScriptedDialogs dialogs;
        PanelRig rig;
        QVERIFY(rig.startPolled(2));
        int digital = 0;
        rig.panel->setFeeder(FeedStage::Digital, [&](const QString&) {
            ++digital;
            return true;
        });
        auto* tesla = rig.w<QPushButton>("CmdTesla");
        QVERIFY(rig.w<QAction>("Graph")->isEnabled());
        QVERIFY(tesla->isEnabled());

        rig.panel->toolbarClick("Graph");
        RealTime1* chart = rig.panel->stripChart()->window();
        QVERIFY(chart && chart->isVisible());
        const SharedState& s = rig.panel->state();
        QVERIFY(s.StripChartOpen);
        QCOMPARE(s.StripMax, rig.text("LblUnit") == "mG" ? 2.0 : 0.2);
        QVERIFY(!tesla->isEnabled());

        rig.panel->takeSample();
        QCOMPARE(digital, 0);
        QVERIFY(chart->points().isEmpty());
        rig.panel->takeSample();
        QCOMPARE(digital, 1);
        QCOMPARE(chart->points().size(), 2);

        chart->close();
        QVERIFY(!s.StripChartOpen);
        QVERIFY(tesla->isEnabled());
        rig.panel->takeSample();
        QCOMPARE(digital, 2);

        // The range dialog's OK shows the chart again and locks the unit key again.
        rig.panel->stripChart()->showRange();
        QTest::mouseClick(rig.panel->stripChart()->rangeDialog()->CmdOK, Qt::LeftButton);
        QVERIFY(chart->isVisible());
        QVERIFY(!tesla->isEnabled());
    }

    // The panel waits for the meter inside its poll tick; what the chart shows meanwhile is
    // looked at when the panel tells the link is lost.
    void linkLossClosesTheChart()
    {
        PanelRig rig;
        QVERIFY(rig.startPolled(1));
        rig.panel->toolbarClick("Graph");
        RealTime1* chart = rig.panel->stripChart()->window();
        QVERIFY(chart->isVisible());
        bool visibleWhileLost = true, openWhileLost = true;
        QVERIFY(rig.loseLink([&] {
            visibleWhileLost = chart->isVisible();
            openWhileLost = rig.panel->state().StripChartOpen;
        }));
        QVERIFY(!visibleWhileLost);
        QVERIFY(!openWhileLost);
    }

    void fileListPlotsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("rec.txt");
        QVERIFY(test::writeFile(path, test::HeaderBytes +
                                          "1\t26/12/05\t10:00:01\t100\tmG\t\t\t\r\n" +
                                          "2\t26/12/05\t10:00:02\t200\tmG\t\t\t\r\n"));

        test::ScriptedDialogs dialogs;
        dialogs.fileAnswers << path;
        PanelRig rig;
        QVERIFY(rig.start());
        rig.panel->toolbarClick("Open");
        FileList* list = rig.panel->fileList();
        QVERIFY(list);
        QAction* plot = list->findChild<QToolBar*>("Toolbar1")->findChild<QAction*>("Plot");
        QVERIFY(plot->isEnabled());
        plot->trigger();
        ListPlot1* window = rig.panel->listPlot()->window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->points().size(), 2);
    }
};

QTEST_MAIN(TestPanelCharts)
#include "tst_panel_charts.moc"
