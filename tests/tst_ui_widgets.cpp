// SPDX-License-Identifier: GPL-3.0-or-later
// The widget library on its own: the table control's model, the time chart's track modes and
// time texts, the one-program-per-device lock.

#include "ui/DeviceLock.h"
#include "ui/Graph.h"
#include "ui/Grid.h"
#include "ui/TimeScale.h"

#include <QAbstractItemModelTester>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QRubberBand>
#include <QTemporaryDir>
#include <QTest>

using namespace veltrix;
using ui::Graph;
using ui::TrackMode;

class TestUiWidgets : public QObject {
    Q_OBJECT
private slots:
    // Appended rows keep as many cells as the table has columns; setRows cuts, empties or pads
    // the table, and the views are told exactly which rows went.
    void gridRows_data()
    {
        QTest::addColumn<int>("rows"); // header row included
        QTest::addColumn<QString>("texts");
        QTest::newRow("cut to two") << 3 << "1\ta|2\tb";
        QTest::newRow("cut to one") << 2 << "1\ta";
        QTest::newRow("emptied") << 1 << "";
        QTest::newRow("padded") << 7 << "1\ta|2\tb|3\tc|4\td||";
    }
    void gridRows()
    {
        QFETCH(int, rows);
        QFETCH(QString, texts);
        ui::Grid grid(2);
        QAbstractItemModelTester tester(grid.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        grid.addItems({"1\ta", "2\tb", "3\tc"});
        grid.addItem("4\td\tone cell too many");
        grid.setRows(rows);
        QStringList got;
        for (int r = 1; r < grid.rows(); ++r)
            got << grid.rowText(r);
        QCOMPARE(got.join('|'), texts);
    }

    // A cell outside the table is neither written nor padded to; one past a row's end is.
    void gridCells_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("texts");
        QTest::newRow("past the row's end") << 2 << 2 << "1\ta|2\t\tx";
        QTest::newRow("column -1") << 1 << -1 << "1\ta|2";
        QTest::newRow("column past the last") << 2 << 3 << "1\ta|2";
        QTest::newRow("row past the last") << 3 << 0 << "1\ta|2";
    }
    void gridCells()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, texts);
        ui::Grid grid(3);
        grid.addItems({"1\ta", "2"});
        grid.model()->setCell(row, col, "x");
        QCOMPARE(grid.rowText(1) + '|' + grid.rowText(2), texts);
    }

    void timeTexts()
    {
        QCOMPARE(ui::secondsOfTimeText(u"23:59:59"), 86399);
        QCOMPARE(ui::secondsOfTimeText(u"12:3:45"), std::nullopt);
        QCOMPARE(ui::timeTextOfDays(ui::daysFromSeconds(45296)), QString("12:34:56"));
        QCOMPARE(ui::daysOfTimeText(u"12:34"), ui::daysFromSeconds(45240));
        QCOMPARE(ui::daysOfTimeText(u"25:00:00"), std::nullopt);
    }

    void longSpanKeepsFewTimeLines()
    {
        // A span of years at the largest step: a handful of grid labels, not one per day.
        Graph g;
        g.resize(400, 300);
        g.setAxisRange(Graph::XAxis, 0, 5000);
        int labels = 0;
        for (QGraphicsItem* item : g.scene()->items())
            labels += item->type() == QGraphicsSimpleTextItem::Type && item->isVisible();
        QVERIFY2(labels < 40, qPrintable(QString::number(labels)));
    }

    // The pointer tells the track mode; a zoom's band follows the drag over the axes it zooms
    // and spans the whole plot along the other.
    void trackModes_data()
    {
        QTest::addColumn<TrackMode>("mode");
        QTest::addColumn<Qt::CursorShape>("shape");
        QTest::addColumn<Qt::CursorShape>("dragging");
        QTest::addColumn<QString>("band"); // the axes it follows; empty: no band
        QTest::newRow("none") << TrackMode::None << Qt::ArrowCursor << Qt::ArrowCursor << "";
        QTest::newRow("cursor") << TrackMode::DragCursor << Qt::CrossCursor << Qt::CrossCursor
                                << "";
        QTest::newRow("pan x") << TrackMode::PanX << Qt::OpenHandCursor << Qt::ClosedHandCursor
                               << "";
        QTest::newRow("zoom x") << TrackMode::ZoomX << Qt::CrossCursor << Qt::CrossCursor << "x";
        QTest::newRow("zoom y") << TrackMode::ZoomY << Qt::CrossCursor << Qt::CrossCursor << "y";
    }
    void trackModes()
    {
        QFETCH(TrackMode, mode);
        QFETCH(Qt::CursorShape, shape);
        QFETCH(Qt::CursorShape, dragging);
        QFETCH(QString, band);
        Graph g;
        g.resize(400, 300);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.setTrackMode(TrackMode::DragCursor); // a mode to leave
        g.setTrackMode(mode);
        QWidget* v = g.viewport();
        QCOMPARE(v->cursor().shape(), shape);
        const QRect area = g.plotRect();
        const QPoint from = area.center() - QPoint(40, 30), to = area.center() + QPoint(40, 30);
        QTest::mousePress(v, Qt::LeftButton, {}, from);
        QTest::mouseMove(v, to);
        QCOMPARE(v->cursor().shape(), dragging);
        auto* rubber = v->findChild<QRubberBand*>();
        QCOMPARE(rubber && rubber->isVisible(), !band.isEmpty());
        if (rubber) {
            const bool x = band.contains('x'), y = band.contains('y');
            QCOMPARE(rubber->geometry(),
                     QRect(QPoint(x ? from.x() : area.left(), y ? from.y() : area.top()),
                           QPoint(x ? to.x() : area.right(), y ? to.y() : area.bottom())));
        }
        QTest::mouseRelease(v, Qt::LeftButton, {}, to);
        QCOMPARE(v->cursor().shape(), shape);
    }

    // Refused while another holds it, naming the holder; free again once that one lets go of it
    // (released, or moved to another device).
    void deviceLock()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath("ttyA"), b = dir.filePath("ttyB");
        ui::DeviceLock first, second;
        QVERIFY(first.acquire(a));
        QVERIFY(!second.acquire(a) && !second.held());
        QCOMPARE(second.holder(),
                 QString("tst_ui_widgets (process %1)").arg(QCoreApplication::applicationPid()));
        QVERIFY(first.acquire(b) && second.acquire(a));
        second.release();
        QVERIFY(first.acquire(a));
    }
};

QTEST_MAIN(TestUiWidgets)
#include "tst_ui_widgets.moc"
