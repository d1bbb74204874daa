// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Grid.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace veltrix::ui {

namespace {

constexpr QChar Tab = u'\t';

// Start and length of cell `col` inside a row text; length -1 when the row has fewer cells.
std::pair<qsizetype, qsizetype> cellSpan(QStringView rowText, int col)
{
    qsizetype start = 0;
    for (int c = 0; c < col; ++c) {
        const qsizetype tab = rowText.indexOf(Tab, start);
        if (tab < 0)
            return {0, -1};
        start = tab + 1;
    }
    const qsizetype end = rowText.indexOf(Tab, start);
    return {start, (end < 0 ? rowText.size() : end) - start};
}

// The view refreshes its scroll range lazily after rows are inserted; scrolling to a row that
// was just added needs it refreshed at once.
class GridView : public QTableView {
public:
    using QTableView::QTableView;
    void refreshGeometry() { updateGeometries(); }
};

// Row text is packed into blocks of this many characters (64 kB: ordinary heap memory).
constexpr qsizetype BlockChars = qsizetype(32) * 1024;

} // namespace

GridModel::GridModel(int columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::max(1, columns))
{
    for (int c = 0; c < m_columns; ++c)
        m_header << QString();
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : dataRows();
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (m_shown)
            return m_shown(index.column(), cell(index.row() + 1, index.column()));
        return cell(index.row() + 1, index.column());
    case Qt::BackgroundRole:
        // Column 0 is the fixed column: drawn like the header.
        if (index.column() == 0)
            return QGuiApplication::palette().button();
        break;
    default:
        break;
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns)
        return m_header[section];
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString GridModel::cell(int row, int col) const
{
    if (col < 0 || col >= m_columns || row < 0 || row > dataRows())
        return {};
    if (row == 0)
        return m_header[col];
    const QStringView text = rowView(row);
    const auto [start, length] = cellSpan(text, col);
    return length < 0 ? QString() : text.mid(start, length).toString();
}

void GridModel::setCell(int row, int col, const QString& text)
{
    if (col < 0 || col >= m_columns || row < 0 || row > dataRows())
        return;
    QString clean = text;
    clean.replace(Tab, u' ');
    if (row == 0) {
        m_header[col] = clean;
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    // Rows are never edited in the program's own flow; the edited row is stored anew and the old
    // text is left unused in its block.
    QString rowText = rowView(row).toString();
    auto [start, length] = cellSpan(rowText, col);
    if (length < 0) {
        // Pad the row with empty cells up to this column.
        const qsizetype parts = rowText.count(Tab) + 1;
        rowText.append(QString(col - parts + 1, Tab));
        start = rowText.size();
        length = 0;
    }
    rowText.replace(start, length, clean);
    m_rows[size_t(row - 1)] = store(rowText);
    const QModelIndex at = index(row - 1, col);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

QStringView GridModel::rowView(int row) const
{
    if (row < 1 || row > dataRows())
        return {};
    const RowRef& ref = m_rows[size_t(row - 1)];
    if (ref.length == 0)
        return {};
    return QStringView(m_blocks[ref.block]).mid(ref.offset, ref.length);
}

QStringView GridModel::fitted(QStringView text) const
{
    // Keep the first m_columns parts only.
    qsizetype pos = -1;
    for (int c = 0; c < m_columns; ++c) {
        pos = text.indexOf(Tab, pos + 1);
        if (pos < 0)
            return text;
    }
    return text.left(pos);
}

GridModel::RowRef GridModel::store(QStringView text)
{
    const qsizetype length = text.size();
    if (length == 0)
        return {0, 0, 0};
    if (m_openBlock < 0 ||
        m_blocks[size_t(m_openBlock)].size() + length > m_blocks[size_t(m_openBlock)].capacity()) {
        QString block;
        block.reserve(std::max(BlockChars, length));
        m_blocks.push_back(std::move(block));
        m_openBlock = qsizetype(m_blocks.size()) - 1;
    }
    QString& block = m_blocks[size_t(m_openBlock)];
    const RowRef ref{quint32(m_openBlock), quint32(block.size()), quint32(length)};
    block.append(text); // within the reserved capacity: no reallocation
    return ref;
}

void GridModel::append(QStringView text)
{
    const int at = dataRows();
    beginInsertRows({}, at, at);
    m_rows.push_back(store(fitted(text)));
    endInsertRows();
}

void GridModel::append(const QStringList& texts)
{
    if (texts.isEmpty())
        return;
    const int at = dataRows();
    beginInsertRows({}, at, at + int(texts.size()) - 1);
    m_rows.reserve(m_rows.size() + size_t(texts.size()));
    for (const QString& text : texts)
        m_rows.push_back(store(fitted(text)));
    endInsertRows();
}

void GridModel::append(const QString& storage, std::span<const QStringView> texts)
{
    if (texts.empty())
        return;
    if (m_adoptedBlock < 0 || m_blocks[size_t(m_adoptedBlock)].constData() != storage.constData()) {
        m_blocks.push_back(storage);
        m_adoptedBlock = qsizetype(m_blocks.size()) - 1;
    }
    const QChar* begin = storage.constData();
    const QChar* end = begin + storage.size();
    const int at = dataRows();
    beginInsertRows({}, at, at + int(texts.size()) - 1);
    m_rows.reserve(m_rows.size() + texts.size());
    for (QStringView text : texts) {
        const QStringView row = fitted(text);
        if (row.isEmpty())
            m_rows.push_back({0, 0, 0});
        else if (row.data() >= begin && row.data() + row.size() <= end)
            m_rows.push_back(
                {quint32(m_adoptedBlock), quint32(row.data() - begin), quint32(row.size())});
        else
            m_rows.push_back(store(row));
    }
    endInsertRows();
}

void GridModel::truncate(int keep)
{
    keep = std::max(0, keep);
    if (keep >= dataRows())
        return;
    if (keep == 0) {
        beginResetModel();
        std::vector<RowRef>().swap(m_rows);
        m_blocks.clear();
        m_openBlock = -1;
        m_adoptedBlock = -1;
        endResetModel();
        return;
    }
    beginRemoveRows({}, keep, dataRows() - 1);
    m_rows.resize(size_t(keep));
    endRemoveRows();
}

void GridModel::appendEmpty(int count)
{
    if (count <= 0)
        return;
    const int at = dataRows();
    beginInsertRows({}, at, at + count - 1);
    m_rows.resize(m_rows.size() + size_t(count), RowRef{0, 0, 0});
    endInsertRows();
}

Grid::Grid(int columns, QWidget* parent)
    : QWidget(parent), m_model(new GridModel(columns, this)), m_view(new GridView(this))
{
    m_view->setObjectName(QStringLiteral("GridView"));
    setTableName(tr("Records"));
    m_view->setModel(m_model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_view->setWordWrap(false);
    // Column 0 carries the row numbers, so the view's own row header is not shown. Fixed row
    // heights keep a 50000-row table from ever measuring its rows.
    QHeaderView* vertical = m_view->verticalHeader();
    vertical->hide();
    vertical->setSectionResizeMode(QHeaderView::Fixed);
    vertical->setDefaultSectionSize(fontMetrics().height() + 4);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setStretchLastSection(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    connect(m_view, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (!index.isValid())
            return;
        m_row = index.row() + 1;
        m_col = index.column();
        emit clicked(m_row);
    });
}

int Grid::cols() const
{
    return m_model->columns();
}

int Grid::rows() const
{
    return m_model->dataRows() + 1;
}

void Grid::setRows(int count)
{
    count = std::max(1, count);
    if (count < rows())
        m_model->truncate(count - 1);
    else
        m_model->appendEmpty(count - rows());
    if (count == 1)
        setTopRow(1);
}

int Grid::row() const
{
    return std::clamp(m_row, 0, rows() - 1);
}

void Grid::setRow(int row)
{
    m_row = std::max(0, row);
}

int Grid::col() const
{
    return std::clamp(m_col, 0, cols() - 1);
}

void Grid::setCol(int col)
{
    m_col = std::max(0, col);
}

QString Grid::text() const
{
    return m_model->cell(row(), col());
}

void Grid::setText(const QString& text)
{
    m_model->setCell(row(), col(), text);
}

void Grid::setColWidth(int col, int width)
{
    m_view->setColumnWidth(col, std::max(0, width));
}

int Grid::colWidth(int col) const
{
    return m_view->columnWidth(col);
}

void Grid::setColWidthFromSample(int col, const QString& sampleText)
{
    // The cell draws its text with a small margin on either side.
    const int margin = 2 * (m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    setColWidth(col, m_view->fontMetrics().horizontalAdvance(sampleText) + margin);
}

void Grid::setTopRow(int row)
{
    m_topRow = std::clamp(row, 1, std::max(1, rows() - 1));
    QScrollBar* bar = m_view->verticalScrollBar();
    const int target = m_topRow - 1;
    if (target > bar->maximum() && m_view->isVisible())
        static_cast<GridView*>(m_view)->refreshGeometry();
    bar->setValue(target);
}

void Grid::addItem(const QString& text)
{
    m_model->append(text);
}

void Grid::addItems(const QStringList& texts)
{
    m_model->append(texts);
}

void Grid::addItems(const QString& storage, std::span<const QStringView> texts)
{
    m_model->append(storage, texts);
}

void Grid::setTableName(const QString& name)
{
    m_view->setAccessibleName(name);
}

QString Grid::cell(int row, int col) const
{
    return m_model->cell(row, col);
}

QString Grid::rowText(int row) const
{
    return m_model->rowView(row).toString();
}

int Grid::rowCount() const
{
    return m_model->dataRows();
}

} // namespace veltrix::ui
