// The table grid: rows appended from TAB-separated text and the header row. Scrolling, saving
// and loading through the grid are covered by the record table tests.

#include "ui/Grid.h"

#include <QAbstractItemModel>
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
        grid.addItem(text);
        QCOMPARE(grid.rows(), 2);
        QStringList got;
        for (int c = 0; c <= columns; ++c) // one beyond the last column: empty
            got << grid.cell(1, c);
        QCOMPARE(got, cells + QStringList{""});
    }

    // Row 0 is the view's header; cutting the table back to it keeps the headings.
    void headerRowSurvivesReset()
    {
        Grid grid(7);
        grid.setRow(0);
        grid.setCol(3);
        grid.setText("Value");
        QCOMPARE(grid.view()->model()->headerData(3, Qt::Horizontal).toString(), QString("Value"));
        grid.addItems(QStringList{"1\ta", "2\tb", "3\tc"});
        grid.setRows(1);
        QCOMPARE(grid.rows(), 1);
        QCOMPARE(grid.cell(0, 3), QString("Value"));
        grid.addItem("9\tz");
        QCOMPARE(grid.rowText(1), QString("9\tz"));
    }
};

QTEST_MAIN(GridTest)
#include "tst_records_grid.moc"
