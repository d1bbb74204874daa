// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one table control of the program: a fixed number of columns, a header row (row 0) and data
// rows numbered from 1 that are only ever appended at the bottom or cleared all at once. Reading
// and writing go through a current cell, as the windows of the program expect.
//
// Rows are stored compactly: each row is one run of text with TAB between the cells (a cell never
// holds a TAB), packed into large shared blocks, so that a table of 50000 records costs a few
// megabytes and an append copies its text once without allocating.

#include <QAbstractTableModel>
#include <QStringList>
#include <QWidget>

#include <QStringView>

#include <functional>
#include <span>
#include <vector>

class QTableView;

namespace veltrix::ui {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(int columns, QObject* parent = nullptr);

    // Qt's view of the table: model row r is data row r + 1, the header row is the header.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int columns() const { return m_columns; }
    int dataRows() const { return int(m_rows.size()); }
    // row 0 is the header row; an index outside the table reads as an empty cell.
    QString cell(int row, int col) const;
    void setCell(int row, int col, const QString& text);
    // The cells of data row `row` joined by TAB (as few parts as were given; missing cells empty).
    // The view stays valid until the table is changed.
    QStringView rowView(int row) const;

    void append(QStringView text);
    void append(const QStringList& texts);
    // Rows that are views into `storage`: the table keeps a shared copy of storage instead of
    // copying every row (a file read as one text).
    void append(const QString& storage, std::span<const QStringView> texts);
    void truncate(int dataRows);
    void appendEmpty(int count);
    // What the table shows of a cell (a date or number in the reader's form); the cell itself,
    // which cell(), copying and printing read, stays as it was set.
    using Shown = std::function<QString(int col, const QString& cell)>;
    void setShown(Shown shown) { m_shown = std::move(shown); }

private:
    struct RowRef {
        quint32 block;
        quint32 offset;
        quint32 length;
    };
    QStringView fitted(QStringView text) const;
    RowRef store(QStringView text);

    int m_columns;
    Shown m_shown;
    QStringList m_header;
    std::vector<RowRef> m_rows;
    // Text blocks: filled here up to their reserved capacity (never reallocated, so the rows'
    // offsets stay valid), or adopted whole from a caller.
    std::vector<QString> m_blocks;
    qsizetype m_openBlock = -1;    // the block that takes the next appended row
    qsizetype m_adoptedBlock = -1; // the block last adopted
};

class Grid : public QWidget {
    Q_OBJECT
public:
    explicit Grid(int columns, QWidget* parent = nullptr);
    // What a screen reader calls the table ("Records" unless set).
    void setTableName(const QString& name);

    int cols() const;

    // Number of rows, header row included; the last data row is rows() - 1.
    int rows() const;
    // setRows(1) empties the table down to its header row; a larger count adds empty rows.
    void setRows(int count);

    // Current cell. Indices are kept within the table when read.
    int row() const;
    void setRow(int row);
    int col() const;
    void setCol(int col);
    QString text() const;
    void setText(const QString& text);

    void setColWidth(int col, int width);
    int colWidth(int col) const;
    // Width of the sample text in this grid's font (plus the cell's margins).
    void setColWidthFromSample(int col, const QString& sampleText);

    // Scrolls so that data row `row` is the first one visible.
    void setTopRow(int row);
    int topRow() const { return m_topRow; }

    // Appends a row; TAB-separated parts fill the cells from column 0, parts beyond the last
    // column are dropped, missing cells stay empty.
    void addItem(const QString& text);
    // Appends many rows at once (loading a file).
    void addItems(const QStringList& texts);
    // Rows given as views into one text (a file read whole); the grid shares that text.
    void addItems(const QString& storage, std::span<const QStringView> texts);

    // Read access for the services that walk a whole table.
    QString cell(int row, int col) const;
    QString rowText(int row) const;
    QStringView rowView(int row) const { return m_model->rowView(row); }
    int rowCount() const; // data rows, header not counted

    QTableView* view() const { return m_view; }
    GridModel* model() const { return m_model; }

signals:
    // A cell was clicked; row() and col() are then the clicked cell.
    void clicked(int row);

private:
    GridModel* m_model;
    QTableView* m_view;
    int m_row = 0;
    int m_col = 0;
    int m_topRow = 1;
};

} // namespace veltrix::ui
