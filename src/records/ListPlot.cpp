// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/ListPlot.h"

#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/LocaleText.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace veltrix {

namespace {
const QString PlotCaption = QStringLiteral("Plot Data/File ");
}

ListPlot1::ListPlot1(QWidget* parent)
    : ChartWindow(QStringLiteral("ListPlot1"), PlotCaption, false, parent)
{
}

bool DrawListPlot(ListPlot1& window, const ui::Grid& table, const chart::PlotRange& range)
{
    const auto drawing = chart::drawListPlot(
        range, [&table](int row) { return table.rowView(row); }, table.rowCount());
    if (!drawing) {
        window.close();
        return false;
    }
    window.setLabel(window.LblValTop, drawing->top);
    window.setLabel(window.LblValMid, drawing->middle);
    window.setLabel(window.Lbl0, drawing->bottom);
    window.setLabel(window.LblT1, drawing->t1);
    window.setLabel(window.LblT2, drawing->t2);
    window.setLabel(window.LblT3, drawing->t3);
    window.setLabel(window.LblUnit, drawing->unit);
    window.setLine(drawing->points);
    // The caption counts the records drawn; only the final count is ever seen, as nothing
    // repaints while drawing.
    if (!drawing->caption.isEmpty())
        window.setWindowTitle(drawing->caption);
    return true;
}

Plot1Range::Plot1Range(const chart::PlotRange& range, QWidget* parent)
    : QDialog(parent), TxtT1(new QLineEdit(this)), TxtT2(new QLineEdit(this)),
      TxtR1(new QLineEdit(this)), TxtR2(new QLineEdit(this)),
      CmdOK(new QPushButton(tr("OK"), this)), m_range(range)
{
    setObjectName(QStringLiteral("Plot1Range"));
    setWindowTitle(tr("Plot Range"));
    TxtT1->setObjectName(QStringLiteral("TxtT1"));
    TxtT2->setObjectName(QStringLiteral("TxtT2"));
    TxtR1->setObjectName(QStringLiteral("TxtR1"));
    TxtR2->setObjectName(QStringLiteral("TxtR2"));
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);

    auto* records = new QGroupBox(tr("No.s of Records"), this);
    auto* rf = new QFormLayout(records);
    rf->addRow(tr("&From"), TxtT1);
    rf->addRow(tr("&To"), TxtT2);
    auto* limits = new QGroupBox(tr("Limitation"), this);
    auto* lf = new QFormLayout(limits);
    lf->addRow(tr("Ma&x."), TxtR2);
    lf->addRow(tr("Mi&n."), TxtR1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(records);
    groups->addWidget(limits);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(CmdOK, 0, Qt::AlignRight);
}

void Plot1Range::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    TxtT1->setText(QString::number(m_range.first));
    TxtT2->setText(QString::number(m_range.last));
    TxtR1->setText(ui::decimalText(chart::numberText(m_range.min)));
    TxtR2->setText(ui::decimalText(chart::numberText(m_range.max)));
}

ListPlot::ListPlot(QWidget* windowParent) : QObject(windowParent), m_windowParent(windowParent) {}

ListPlot::~ListPlot()
{
    delete m_dialog.data();
    delete m_window.data();
}

void ListPlot::setPrinterFactory(ChartWindow::PrinterFactory factory)
{
    m_printerFactory = std::move(factory);
    if (m_window)
        m_window->setPrinterFactory(m_printerFactory);
}

ListPlot1* ListPlot::ensureWindow()
{
    if (m_window)
        return m_window;
    m_window = new ListPlot1(m_windowParent);
    m_window->setPrinterFactory(m_printerFactory);
    connect(m_window, &ChartWindow::limitRequested, this, &ListPlot::showRange);
    return m_window;
}

void ListPlot::plotTable(ui::Grid& table)
{
    const int rows = table.rowCount();
    if (rows < 1)
        return; // nothing to plot
    if (m_window && m_window->isVisible())
        m_window->close();
    m_table = &table;
    m_state.PlotTotalRecords = rows;
    m_state.PlotFullScale = chart::plotFullScale(chart::cellOf(table.rowView(1), 4));
    m_state.range = {1, rows, 0, m_state.PlotFullScale};
    const bool placed = m_window;
    ListPlot1* w = ensureWindow();
    if (!placed) // first shown beside the table it plots
        w->move(table.window()->frameGeometry().topRight() + QPoint(8, 0));
    drawFrom(table);
}

void ListPlot::drawFrom(ui::Grid& table)
{
    ListPlot1* w = ensureWindow();
    w->setWindowTitle(PlotCaption);
    w->show();
    w->raise();
    DrawListPlot(*w, table, m_state.range);
}

void ListPlot::showRange()
{
    if (!m_dialog) {
        m_dialog = new Plot1Range(m_state.range, m_windowParent);
        m_dialog->setWindowFlag(Qt::Window);
        connect(m_dialog->CmdOK, &QPushButton::clicked, this, &ListPlot::acceptRange);
    }
    if (m_window)
        m_dialog->move(m_window->frameGeometry().bottomLeft() + QPoint(0, 1));
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void ListPlot::acceptRange()
{
    QPointer<Plot1Range> dialog(m_dialog);
    if (!dialog)
        return;
    if (m_window)
        m_window->close();
    // A span must lie within the table as it is now.
    const int total = m_table ? std::min(m_state.PlotTotalRecords, m_table->rowCount())
                              : m_state.PlotTotalRecords;
    const auto range = chart::checkPlotRange(
        dialog->TxtT1->text(), dialog->TxtT2->text(), ui::cDecimalText(dialog->TxtR1->text()),
        ui::cDecimalText(dialog->TxtR2->text()), total, m_state.PlotFullScale);
    if (!range) {
        ui::Dialogs::current().message(dialog, chart::plotRangeRefusal(), ui::MsgButtons::Ok,
                                       ui::MsgIcon::None);
        return; // the dialog stays open
    }
    if (!m_table) {
        ui::Dialogs::current().message(dialog, tr("The table of this plot has been closed."),
                                       ui::MsgButtons::Ok, ui::MsgIcon::Exclamation);
        if (dialog)
            dialog->close();
        return;
    }
    m_state.range = *range;
    drawFrom(*m_table);
    if (dialog)
        dialog->close();
}

} // namespace veltrix
