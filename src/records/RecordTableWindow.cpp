// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordTableWindow.h"

#include "records/CsvExport.h"
#include "records/RecordFile.h"
#include "records/RecordIcons.h"
#include "records/TableServices.h"
#include "ui/Access.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/LocaleText.h"
#include "ui/LinePrinter.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace veltrix {

namespace {
// Record rows the table shows without scrolling.
constexpr int VisibleRows = 18;

ReportHandler& reportHandler()
{
    static ReportHandler handler;
    return handler;
}
} // namespace

namespace {
// The Date and Value cells in the reader's form ("08.12.2026", "0,34"); in English as recorded.
QString shownCell(int col, const QString& cell)
{
    if (col == ValueCell)
        return ui::decimalText(cell);
    if (col != DateCell || ui::displayLocale() == QLocale::c())
        return cell;
    const auto when = recordDateTime(cell, u"00:00:00");
    const QDate date = when ? QDate(when->year, when->month, when->day) : QDate();
    return date.isValid() ? ui::dateText(date) : cell;
}
} // namespace

void layoutRecordColumns(ui::Grid& grid, const QString& numberHeader)
{
    grid.model()->setShown(shownCell);
    QString date = shownCell(DateCell, QStringLiteral("00/10/20")); // " 00/00/00 ", " 00.00.0000 "
    for (QChar& ch : date)
        ch = ch.isDigit() ? u'0' : ch;
    const QString samples[RecordFields] = {
        QStringLiteral(" 000000 "), u' ' + date + u' ', QStringLiteral(" 00:00:0000 "),
        QStringLiteral(" Value "),  QStringLiteral(" Unit "),     QStringLiteral(" Hold "),
        QStringLiteral(" Peak ")};
    const QString headers[RecordFields] = {numberHeader,
                                           QStringLiteral("   Date"),
                                           QStringLiteral(" Time"),
                                           QStringLiteral("Value"),
                                           QStringLiteral("Unit"),
                                           QStringLiteral("Hold"),
                                           QStringLiteral("Peak")};
    grid.setRow(0);
    for (int c = 0; c < RecordFields; ++c) {
        grid.setColWidthFromSample(c, samples[c]);
        grid.setCol(c);
        grid.setText(headers[c]);
    }
    grid.setCol(0);
}

RecordTableWindow::RecordTableWindow(const QString& name, const QString& caption,
                                     const QString& numberHeader, PollControl* poll,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_poll(poll), m_grid(new ui::Grid(RecordFields, this)),
      m_toolbar(new QToolBar(this)),
      m_printerFactory([] { return std::make_unique<ui::LinePrinter>(); })
{
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    ui::closeOnEscape(this);

    m_grid->setObjectName(QStringLiteral("Grid"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    layoutRecordColumns(*m_grid, numberHeader);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_grid);
    fitDesignedSize();
}

void RecordTableWindow::fitDesignedSize()
{
    // Designed size: all columns and 18 record rows in view (again once the toolbar has its
    // buttons and so its height).
    QTableView* view = m_grid->view();
    int width = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < RecordFields; ++c)
        width += m_grid->colWidth(c);
    const int height = m_toolbar->sizeHint().height() + 2 * view->frameWidth() +
                       view->horizontalHeader()->sizeHint().height() +
                       VisibleRows * view->verticalHeader()->defaultSectionSize();
    resize(width, height);
}

void RecordTableWindow::setPrinterFactory(PrinterFactory factory)
{
    m_printerFactory = std::move(factory);
}

QAction* RecordTableWindow::addToolButton(const QString& key, const QString& toolTip,
                                          RecordIcon icon)
{
    QAction* action = m_toolbar->addAction(recordIcon(icon), toolTip);
    action->setObjectName(key);
    action->setToolTip(toolTip);
    fitDesignedSize();
    return action;
}

RecordTableWindow::ModalScope::ModalScope(RecordTableWindow* window) : m_window(window)
{
    ++m_window->m_modalDepth;
}

RecordTableWindow::ModalScope::~ModalScope()
{
    if (--m_window->m_modalDepth == 0 && m_window->m_deletePending)
        m_window->deleteLater();
}

void RecordTableWindow::closeEvent(QCloseEvent* event)
{
    if (m_modalDepth > 0) {
        setAttribute(Qt::WA_DeleteOnClose, false);
        m_deletePending = true;
    }
    event->accept();
}

bool RecordTableWindow::print()
{
    const ModalScope modal(this);
    const std::unique_ptr<ui::LinePrinter> printer = m_printerFactory();
    if (!printer)
        return false;
    return PrintTable(*m_grid, *printer, m_poll);
}

QAction* RecordTableWindow::addExportCsvButton()
{
    QAction* action = addToolButton(QStringLiteral("ExportCsv"), tr("Export CSV"), RecordIcon::Csv);
    connect(action, &QAction::triggered, this, &RecordTableWindow::exportCsv);
    return action;
}

bool RecordTableWindow::exportCsv()
{
    const ModalScope modal(this);
    static const QString filter = QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|");
    const auto chosen = ui::Dialogs::current().saveFile(this, filter);
    if (!chosen || chosen->isEmpty())
        return false;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    QList<QStringView> rows;
    const int last = m_grid->rowCount();
    rows.reserve(last);
    for (int i = 1; i <= last; ++i)
        rows << m_grid->rowView(i);
    QString error;
    if (writeCsvFile(path, csvBytes(rows), &error))
        return true;
    ui::Dialogs::current().message(this, error, ui::MsgButtons::Ok, ui::MsgIcon::Critical);
    return false;
}

QAction* RecordTableWindow::addReportButton()
{
    QAction* action = addToolButton(QStringLiteral("Report"), tr("Report…"), RecordIcon::Report);
    connect(action, &QAction::triggered, this, &RecordTableWindow::report);
    return action;
}

void RecordTableWindow::describeReport(ReportSource&) const {}

void RecordTableWindow::setReportHandler(ReportHandler handler)
{
    reportHandler() = std::move(handler);
}

void RecordTableWindow::report()
{
    const ModalScope modal(this);
    ReportSource source;
    source.dataName = windowTitle();
    const ui::Grid* grid = m_grid;
    source.rowText = [grid](int row) { return grid->rowView(row); };
    source.rowCount = m_grid->rowCount();
    describeReport(source);
    if (reportHandler())
        reportHandler()(this, std::move(source));
}

} // namespace veltrix
