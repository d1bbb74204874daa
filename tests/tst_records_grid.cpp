// The table grid: rows appended from TAB-separated text, the current cell, the header row,
// scrolling and clicks.

#include "ui/Grid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using veltrix::ui::Grid;

class GridTest : public QObject {
    Q_OBJECT
private slots:
    void addItem_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("two parts on seven")
            << 7 << "1\ta" << QStringList{"1", "a", "", "", "", "", ""};
        QTest::newRow("six parts on five")
            << 5 << "1\t2\t3\t4\t5\t6" << QStringList{"1", "2", "3", "4", "5"};
        QTest::newRow("empty text") << 7 << "" << QStringList{"", "", "", "", "", "", ""};
        QTest::newRow("empty cells kept")
            << 6 << "\t\tx\t\t" << QStringList{"", "", "x", "", "", ""};
        QTest::newRow("blank cell kept")
            << 7 << "1\t\t\t\tuT\t \t" << QStringList{"1", "", "", "", "uT", " ", ""};
    }
    void addItem()
    {
        QFETCH(int, columns);
        QFETCH(QString, text);
        QFETCH(QStringList, cells);
        Grid grid(columns);
        QCOMPARE(grid.rows(), 1);
        grid.addItem(text);
        QCOMPARE(grid.rows(), 2);
        QCOMPARE(grid.view()->model()->rowCount(), 1);
        grid.setRow(1);
        for (int c = 0; c < columns; ++c) {
            grid.setCol(c);
            QCOMPARE(grid.text(), cells[c]);
            QCOMPARE(grid.cell(1, c), cells[c]);
        }
        QCOMPARE(grid.cell(1, columns), QString()); // beyond the last column
    }

    void resetToHeaderRow()
    {
        Grid grid(7);
        grid.setRow(0);
        grid.setCol(1);
        grid.setText("   Date");
        grid.addItems(QStringList{"1\ta", "2\tb", "3\tc"});
        QCOMPARE(grid.rows(), 4);
        grid.setRows(1);
        QCOMPARE(grid.rows(), 1);
        QCOMPARE(grid.cell(0, 1), QString("   Date")); // the header stays
        grid.addItem("9\tz");
        QCOMPARE(grid.rows(), 2);
        QCOMPARE(grid.cell(1, 0), QString("9"));
        QCOMPARE(grid.cell(1, 1), QString("z"));
        QCOMPARE(grid.cell(2, 0), QString());
    }

    // Rows given as views into one shared text, as a file is loaded.
    void addItemsFromOneText()
    {
        Grid grid(7);
        grid.addItem("0\tbefore");
        const QString text = "1\ta\tb\tc\td\te\tf\t\r\n\r\n2\tz";
        const QList<QStringView> rows = {QStringView(text).left(14), QStringView(),
                                         QStringView(text).mid(18)};
        grid.addItems(text, std::span(rows.cbegin(), rows.cend()));
        QCOMPARE(grid.rows(), 5);
        QCOMPARE(grid.rowText(2), QString("1\ta\tb\tc\td\te\tf")); // 8th (empty) part dropped
        QCOMPARE(grid.rowText(3), QString());
        QCOMPARE(grid.cell(4, 0), QString("2"));
        QCOMPARE(grid.cell(4, 1), QString("z"));
        grid.addItem("5\tafter");
        QCOMPARE(grid.cell(1, 1), QString("before"));
        QCOMPARE(grid.cell(5, 1), QString("after"));
    }

    void headerRowIsTheViewsHeader()
    {
        Grid grid(7);
        grid.setRow(0);
        grid.setCol(3);
        grid.setText("Value");
        QCOMPARE(grid.text(), QString("Value"));
        QCOMPARE(grid.view()->model()->headerData(3, Qt::Horizontal).toString(), QString("Value"));
    }

    void setTextInDataRow()
    {
        Grid grid(7);
        grid.addItem("1");
        grid.setRow(1);
        grid.setCol(4);
        grid.setText("a\tb"); // a cell cannot hold a TAB
        QCOMPARE(grid.cell(1, 4), QString("a b"));
        QCOMPARE(grid.cell(1, 0), QString("1"));
        grid.setCol(0);
        grid.setText("2");
        QCOMPARE(grid.rowText(1), QString("2\t\t\t\ta b"));
    }

    void columnWidthFromSample()
    {
        Grid grid(7);
        grid.setColWidthFromSample(1, " 00/00/00 ");
        grid.setColWidthFromSample(2, " 00:00:0000 ");
        QVERIFY(grid.colWidth(1) >= grid.fontMetrics().horizontalAdvance(" 00/00/00 "));
        QVERIFY(grid.colWidth(2) > grid.colWidth(1));
        grid.setColWidth(0, 33);
        QCOMPARE(grid.colWidth(0), 33);
    }

    void topRowScrollsTheView()
    {
        Grid grid(7);
        grid.resize(400, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QStringList rows;
        for (int i = 1; i <= 100; ++i)
            rows << QString::number(i);
        grid.addItems(rows);
        grid.setTopRow(40);
        QCOMPARE(grid.topRow(), 40);
        QCOMPARE(grid.view()->verticalScrollBar()->value(), 39);
        QCOMPARE(grid.view()->rowAt(0), 39);
    }

    void clickMakesTheRowCurrent()
    {
        Grid grid(6);
        grid.resize(400, 300);
        grid.addItems(QStringList{"1\ta", "2\tb", "3\tc"});
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy clicked(&grid, &Grid::clicked);
        QTableView* view = grid.view();
        const QRect cell = view->visualRect(view->model()->index(2, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked[0][0].toInt(), 3);
        QCOMPARE(grid.row(), 3);
        QCOMPARE(grid.text(), QString("c"));

        grid.setEnabled(false);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(0, 1)).center());
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(grid.row(), 3);
    }
};

QTEST_MAIN(GridTest)
#include "tst_records_grid.moc"
