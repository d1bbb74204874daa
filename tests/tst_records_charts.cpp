// SPDX-License-Identifier: GPL-3.0-or-later
// The live strip chart and the list plot: geometry, sweep, unit rules, range dialogs, pictures.

#include "records/ChartGeometry.h"
#include "records/ListPlot.h"
#include "records/StripChart.h"
#include "support/ScriptedDialogs.h"
#include "ui/Grid.h"
#include "ui/LocaleText.h"
#include "ui/WindowPicture.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace veltrix;

namespace {

const QString RecordsRefusal = "Invalid, Numbers of Records >=10, Try again!";
const QString LimitsRefusal = "Invalid, Min. Range >= 0 ; Max. Range > Min. Range";
const QString PlotRefusal = "Invalid, Try again!";

QStringList labelTexts(QWidget* window, std::initializer_list<const char*> names)
{
    QStringList texts;
    for (const char* name : names) {
        auto* l = window->findChild<QLabel*>(name);
        texts << (l ? l->text() : QStringLiteral("<no %1>").arg(name));
    }
    return texts;
}

// Strip settings as the toolbar's "Graph" leaves them in milligauss, with N points per sweep.
void stripDefaults(StripSettings& s, int n = 300)
{
    s.sweep.started = false;
    s.sweep.records = n;
    s.sweep.step = 4000.0 / (n - 1);
    s.StripMin = 0;
    s.StripMax = 2;
    s.StripScaleUnit = Unit::MilliGauss;
}

QString timeOf(int second)
{
    return QTime(10, 0).addSecs(second).toString("hh:mm:ss");
}

// A record table: row i holds `values[i - 1]` in `units[i - 1]` (or in the first unit).
void fillTable(ui::Grid& grid, const QStringList& values, const QStringList& units)
{
    for (int i = 0; i < values.size(); ++i)
        grid.addItem(QString("%1\t26/12/05\t%2\t%3\t%4\t\t")
                         .arg(i + 1)
                         .arg(timeOf(i))
                         .arg(values[i], i < units.size() ? units[i] : units.value(0)));
}

ui::Grid* milligaussTable(int rows)
{
    auto* grid = new ui::Grid(7);
    QStringList values;
    for (int i = 0; i < rows; ++i)
        values << QString::number(i * 5);
    fillTable(*grid, values, {"mG"});
    return grid;
}

} // namespace

class ChartsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ui::setDisplayLocale(QLocale::c());
        dialogs.reset(); // the old script ends before the new one starts answering
        dialogs = std::make_unique<test::ScriptedDialogs>();
        s = StripSettings();
        stripDefaults(s);
    }

    void stripHeight_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("y");
        QTest::newRow("1.0 on the middle line") << "1.0" << 2.0 << 2500.0;
        QTest::newRow("2.0 on the top line") << "2.0" << 2.0 << 1000.0;
        QTest::newRow("2.5 above the top line") << "2.5" << 2.0 << 900.0;
        QTest::newRow("overload above the top line") << "OL" << 2.0 << 900.0;
        QTest::newRow("below the range on the bottom line") << "-1" << 2.0 << 4000.0;
    }
    void stripHeight()
    {
        QFETCH(QString, value);
        QFETCH(double, max);
        QFETCH(double, y);
        QCOMPARE(chart::stripHeight(value, 0, max), y);
    }

    // Labels elsewhere show "2000" and "0.2"; here the two edges.
    void numberText()
    {
        QCOMPARE(chart::numberText(2.0 / 3), QString("0.666666666666667")); // fifteen digits
        QCOMPARE(chart::numberText(-0.0), QString("0"));
    }

    // With N = 10: the 1st reading sets LblT1 only, the 6th LblT2, the 10th LblT3 and ends at
    // x = 5000; the 11th clears the window and the 12th begins the next sweep.
    void sweepOfTenPoints()
    {
        stripDefaults(s, 10);
        RealTime1 chart(s);
        chart.show();
        QVERIFY(!chart.DrawStripPoint("1.0", "mG", QTime(10, 0)));
        QVERIFY(chart.points().isEmpty());
        for (int reading = 2; reading <= 10; ++reading)
            QVERIFY(chart.DrawStripPoint("1.0", "mG", QTime(10, 0).addSecs(reading - 1)));
        // Each reading has its own time, so a label shows when it was set.
        QCOMPARE(labelTexts(&chart, {"LblT1", "LblT2", "LblT3"}),
                 (QStringList{timeOf(0), timeOf(5), timeOf(9)}));
        QCOMPARE(chart.points().size(), 10);
        QCOMPARE(chart.points()[0], QPointF(1000, 2500));
        QCOMPARE(chart.points().last().x(), 5000.0);
        QCOMPARE(labelTexts(&chart, {"LblValue"}), QStringList{"1.0"});

        QVERIFY(chart.DrawStripPoint("2.0", "mG", QTime(10, 0, 10)));
        QVERIFY(chart.points().isEmpty());
        QCOMPARE(labelTexts(&chart, {"LblT1", "LblT2", "LblT3"}), QStringList(3, QString()));
        QVERIFY(!chart.DrawStripPoint("2.0", "mG", QTime(10, 0, 11))); // a new sweep
        QCOMPARE(labelTexts(&chart, {"LblT1"}), QStringList{timeOf(11)});
        QVERIFY(chart.isVisible());
        // Started again mid-sweep (the toolbar's Graph, the range dialog's OK): from the left.
        QVERIFY(chart.DrawStripPoint("2.0", "mG", QTime(10, 0, 12)));
        s.sweep.started = false;
        QVERIFY(!chart.DrawStripPoint("2.0", "mG", QTime(10, 0, 13)));
        QVERIFY(chart.DrawStripPoint("2.0", "mG", QTime(10, 0, 14)));
        QCOMPARE(chart.points().last().x(), 1000 + 4000.0 / 9);
        // Closed mid-sweep and shown again: a new sweep on a clean window.
        chart.close();
        QVERIFY(chart.points().isEmpty());
        chart.show();
        QVERIFY(!chart.DrawStripPoint("2.0", "mG", QTime(10, 0, 15)));
    }

    // The chart follows a unit change by its own record of the unit its limits are in.
    void unitChangeRescalesTheTop()
    {
        s.StripMax = 0.2;
        s.StripMin = 0.05;
        s.StripScaleUnit = Unit::MicroTesla;
        RealTime1 chart(s);
        chart.show();
        chart.DrawStripPoint("1.0", "mG", QTime(10, 0));
        QCOMPARE(s.StripMax, 2.0);
        QCOMPARE(s.StripMin, 0.5); // both limits, so they stay in order
        QCOMPARE(labelTexts(&chart, {"LblValTop", "LblUnit"}), (QStringList{"2", "mG"}));
        chart.DrawStripPoint("0.1", "mG", QTime(10, 0, 1));
        QCOMPARE(s.StripMax, 2.0); // once only
        chart.DrawStripPoint("0.1", "uT", QTime(10, 0, 2));
        QCOMPARE(s.StripMax, 0.2);
        QCOMPARE(s.StripMin, 0.05);
    }

    void stripRange_data()
    {
        QTest::addColumn<QStringList>("entry"); // max, min, records
        QTest::addColumn<QString>("refusal");
        QTest::newRow("9 records") << QStringList{"2", "0", "9"} << RecordsRefusal;
        QTest::newRow("10001 records")
            << QStringList{"2", "0", "10001"}
            << QString("Invalid, Numbers of Records <= 10000, Try again!");
        QTest::newRow("records not a whole number")
            << QStringList{"2", "0", "30x"} << RecordsRefusal;
        QTest::newRow("min equals max") << QStringList{"5", "5", "300"} << LimitsRefusal;
        QTest::newRow("negative min") << QStringList{"2", "-1", "300"} << LimitsRefusal;
        // The records field alone would pass; nothing may be taken from it.
        QTest::newRow("max not a number") << QStringList{"2a", "0", "50"} << LimitsRefusal;
        QTest::newRow("min not a number") << QStringList{"2", "0,5", "50"} << LimitsRefusal;
        QTest::newRow("10 records") << QStringList{"5", "1", "10"} << QString();
        QTest::newRow("10000 records") << QStringList{"5", "1", "10000"} << QString();
        QTest::newRow("German comma") << QStringList{"5", "1,0", "10"} << QString();
    }
    void stripRange()
    {
        QFETCH(QStringList, entry);
        QFETCH(QString, refusal);
        // In German the fields take a decimal comma (the English refuse it: "min not a number").
        if (QTest::currentDataTag() == QByteArray("German comma"))
            ui::setDisplayLocale(QLocale(QLocale::German));
        StripChart strip;
        QSignalSpy reopened(&strip, &StripChart::reopened);
        bool open = false; // as the panel keeps it
        connect(&strip, &StripChart::opened, [&] { open = true; });
        connect(&strip, &StripChart::closed, [&] { open = false; });
        strip.start(2, Unit::MilliGauss);
        strip.window()->findChild<QAction*>("MnuLimit")->trigger();
        Real1Range* dialog = strip.rangeDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->TxtReal1Max->text(), QString("2"));
        QCOMPARE(dialog->TxtReal1Rec->text(), QString("300"));
        dialog->TxtReal1Max->setText(entry[0]);
        dialog->TxtReal1Min->setText(entry[1]);
        dialog->TxtReal1Rec->setText(entry[2]);
        QTest::mouseClick(dialog->CmdOK, Qt::LeftButton);

        const bool ok = refusal.isEmpty();
        QCOMPARE(dialogs->messages, ok ? QStringList() : QStringList{refusal});
        const int n = ok ? entry[2].toInt() : 300;
        const StripSettings& set = strip.settings();
        QCOMPARE(
            QList<double>({double(set.sweep.records), set.StripMin, set.StripMax, set.sweep.step}),
            QList<double>({double(n), ok ? 1.0 : 0.0, ok ? 5.0 : 2.0, 4000.0 / (n - 1)}));
        QCOMPARE(dialog->isVisible(), !ok);
        QCOMPARE(strip.window()->isVisible(), ok);
        QCOMPARE(open, ok);
        QCOMPARE(reopened.count(), ok ? 1 : 0);
        if (ok)
            QCOMPARE(labelTexts(strip.window(), {"LblValMid"}), QStringList{"3"});
    }

    void plotValue_data()
    {
        QTest::addColumn<QStringList>("cells"); // value, its unit, the plot's unit
        QTest::addColumn<double>("expected");
        QTest::newRow("uT row in mG plot") << QStringList{"10", "uT", "mG"} << 100.0;
        QTest::newRow("Greek mu row taken as read") << QStringList{"10", "\u03bcT", "mG"} << 10.0;
        QTest::newRow("overload in mG plot") << QStringList{"OL", "mG", "mG"} << 2000.0;
        QTest::newRow("overload in uT plot") << QStringList{"OL", "uT", "uT"} << 200.0;
        QTest::newRow("mG row in uT plot") << QStringList{"100", "mG", "uT"} << 10.0;
        QTest::newRow("uT row in Greek mu plot") << QStringList{"10", "uT", "\u03bcT"} << 10.0;
        QTest::newRow("leading number") << QStringList{"12.5x", "mG", "mG"} << 12.5;
    }
    void plotValue()
    {
        QFETCH(QStringList, cells);
        QFETCH(double, expected);
        QCOMPARE(chart::plotValue(cells[0], cells[1], cells[2]), expected);
    }

    // 300 milligauss records fill the chart from x = 1000 to 5000 between 0 and 2000.
    void plotsAWholeTable()
    {
        std::unique_ptr<ui::Grid> table(milligaussTable(300));
        ListPlot plot;
        plot.plotTable(*table);
        ListPlot1* w = plot.window();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QString("300Records Completed"));
        QCOMPARE(w->points().size(), 300);
        QCOMPARE(w->points()[0], QPointF(1000, 4000));
        QCOMPARE(w->points().last().x(), 5000.0);
        QCOMPARE(w->points()[100].y(), 4000 - 3000 * 500 / 2000.0);
        // The middle time is row (1 + 300) div 2.
        QCOMPARE(
            labelTexts(w, {"LblValTop", "LblValMid", "Lbl0", "LblT1", "LblT2", "LblT3", "LblUnit"}),
            (QStringList{"2000", "1000", "0", timeOf(0), timeOf(149), timeOf(299), "mG"}));
    }

    // The first row's unit is the plot's; each row's value is taken in its own unit.
    void mixedUnits()
    {
        ui::Grid ut(7);
        fillTable(ut, {"20", "1000"}, {"\u03bcT", "mG"});
        ListPlot plot;
        plot.plotTable(ut);
        QCOMPARE(plot.settings().PlotFullScale, 200.0);
        QCOMPARE(labelTexts(plot.window(), {"LblValTop"}), QStringList{"200"});
        QCOMPARE(plot.window()->points()[1].y(), 2500.0); // 1000 mG = 100 uT
    }

    void plotRange_data()
    {
        QTest::addColumn<QStringList>("entry"); // from, to, min, max
        QTest::addColumn<bool>("accepted");
        QTest::newRow("beyond the table") << QStringList{"5", "12", "0", "2000"} << false;
        QTest::newRow("from the header row") << QStringList{"0", "5", "0", "2000"} << false;
        QTest::newRow("to equals from") << QStringList{"5", "5", "0", "2000"} << false;
        QTest::newRow("equal limits") << QStringList{"1", "10", "0", "0"} << false;
        QTest::newRow("max over full scale") << QStringList{"1", "10", "0", "2500"} << false;
        QTest::newRow("negative min") << QStringList{"1", "10", "-1", "2000"} << false;
        QTest::newRow("one line") << QStringList{"1", "2", "0", "1000"} << true;
        QTest::newRow("up to the last row") << QStringList{"9", "10", "0", "1000"} << true;
    }
    void plotRange()
    {
        QFETCH(QStringList, entry);
        QFETCH(bool, accepted);
        std::unique_ptr<ui::Grid> table(milligaussTable(10));
        ListPlot plot;
        plot.plotTable(*table);
        const auto settings = [&plot] {
            const chart::PlotRange& r = plot.settings().range;
            return QList<double>{double(r.first), double(r.last), r.min, r.max};
        };
        const QList<double> before = settings();
        plot.window()->findChild<QAction*>("MnuLimit")->trigger();
        Plot1Range* dialog = plot.rangeDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(QStringList({dialog->TxtT1->text(), dialog->TxtT2->text(), dialog->TxtR1->text(),
                              dialog->TxtR2->text()}),
                 (QStringList{"1", "10", "0", "2000"}));
        dialog->TxtT1->setText(entry[0]);
        dialog->TxtT2->setText(entry[1]);
        dialog->TxtR1->setText(entry[2]);
        dialog->TxtR2->setText(entry[3]);
        QTest::mouseClick(dialog->CmdOK, Qt::LeftButton);

        QCOMPARE(dialogs->messages, accepted ? QStringList() : QStringList{PlotRefusal});
        QCOMPARE(dialog->isVisible(), !accepted);
        QCOMPARE(plot.window()->isVisible(), accepted);
        if (!accepted) {
            QCOMPARE(settings(), before);
        } else {
            QList<double> range;
            for (const QString& e : entry)
                range << e.toDouble();
            QCOMPARE(settings(), range);
            QCOMPARE(plot.window()->points().size(), 2);
            QCOMPARE(labelTexts(plot.window(), {"LblValTop"}), QStringList{"1000"});
        }
    }

    // No rows, nothing happens; a range for a table that has been closed is not drawn.
    void tablesWithoutRecords()
    {
        ui::Grid empty(7);
        ListPlot plot;
        plot.plotTable(empty);
        QVERIFY(!plot.window());

        auto* table = milligaussTable(10);
        plot.plotTable(*table);
        plot.showRange();
        delete table;
        QTest::mouseClick(plot.rangeDialog()->CmdOK, Qt::LeftButton);
        QCOMPARE(dialogs->messages.size(), 1);
        QVERIFY(!plot.window()->isVisible());
    }

    // The line is painted from the kept points at the window's size; Print and Save take that.
    void pictureFollowsTheWindowSize()
    {
        QTemporaryDir dir;
        stripDefaults(s, 10);
        RealTime1 window(s);
        const QString pdf = dir.filePath("chart.pdf");
        window.setPrinterFactory([pdf] { return std::make_unique<ui::PicturePrinter>(pdf); });
        window.show();
        window.DrawStripPoint("1.5", "mG", QTime(10, 0)); // a line at y = 1750
        window.DrawStripPoint("1.5", "mG", QTime(10, 0, 1));
        for (const QSize size : {QSize(800, 500), QSize(420, 300)}) {
            window.resize(size);
            const QImage image = window.picture();
            const QPointF at = chart::toWindow(image.size()).map(QPointF(1200, 1750));
            QVERIFY2(qGray(image.pixel(at.toPoint())) < 80,
                     qPrintable(QString("%1x%2").arg(size.width()).arg(size.height())));
            const QPointF off = chart::toWindow(image.size()).map(QPointF(1200, 2000));
            QVERIFY(qGray(image.pixel(off.toPoint())) > 200);
        }
        window.findChild<QAction*>("MnuPrint")->trigger();
        QVERIFY(QFileInfo(pdf).size() > 0);
        dialogs->fileAnswers << dir.filePath("chart");
        window.findChild<QAction*>("MnuSave")->trigger();
        const QImage saved(dir.filePath("chart.png"));
        QCOMPARE(saved.size(), window.canvas()->size());
        QCOMPARE(dialogs->messages, QStringList());
    }

    // With an odd N the middle time label goes to reading N div 2 of a sweep and the end label to
    // N - 1; each segment starts where the last one ended.
    void stripTimeLabelsForOddN()
    {
        chart::Sweep sweep{11, 4000.0 / 10};
        chart::advanceSweep(sweep, 2000);
        QList<int> middle, end;
        for (int i = 1; i < 11; ++i) {
            const chart::StripPoint p = chart::advanceSweep(sweep, 2000);
            QCOMPARE(p.segment.x1(), chart::Left + (i - 1) * sweep.step);
            if (p.middleTime)
                middle << i;
            if (p.endTime)
                end << i;
        }
        QCOMPARE(middle, QList<int>{5});
        QCOMPARE(end, QList<int>{10});
    }

private:
    std::unique_ptr<test::ScriptedDialogs> dialogs;
    StripSettings s;
};

QTEST_MAIN(ChartsTest)
#include "tst_records_charts.moc"
