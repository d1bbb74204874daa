// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/PlotWindow.h"

#include "ui/Access.h"
#include "ui/Dialogs.h"
#include "ui/Graph.h"
#include "ui/LocaleText.h"
#include "ui/NumEdit.h"
#include "ui/TimeScale.h"
#include "views/PlotReport.h"
#include "views/RecordGraph.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrix {

namespace {
enum Mode { Normal, CursorCoordinates, PanXY, PanX, PanY, ZoomXY, ZoomX, ZoomY };
const ui::TrackMode ModeInteraction[] = {
    ui::TrackMode::None, ui::TrackMode::DragCursor, ui::TrackMode::PanXY, ui::TrackMode::PanX,
    ui::TrackMode::PanY, ui::TrackMode::ZoomXY,     ui::TrackMode::ZoomX, ui::TrackMode::ZoomY};

const QColor ChartColour(0xf7, 0xf9, 0xfb);

QGroupBox* frame(const QString& name, const QString& caption, QWidget* parent)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QLabel* label(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

ui::NumEdit* numEdit(const QString& name, ui::NumEdit::Display display, QWidget* parent)
{
    auto* e = new ui::NumEdit(display, parent);
    e->setObjectName(name);
    e->setMaximumWidth(90);
    return e;
}
} // namespace

const QList<TrackModeEntry>& trackModes()
{
    static const QList<TrackModeEntry> modes = {
        {QStringLiteral("Normal"), QStringLiteral("Normal mode")},
        {QStringLiteral("Cursor Coordinates"),
         QStringLiteral(
             "Drag the cursor with your mouse to get X (Count) and Y (Value) position.")},
        {QStringLiteral("PanXY"),
         QStringLiteral("Click anywhere on the plot area and drag to pan the graph both "
                        "horizontally and vertically.")},
        {QStringLiteral("PanX"),
         QStringLiteral("Click anywhere on the plot area and drag to pan the graph horizontally.")},
        {QStringLiteral("PanY"),
         QStringLiteral("Click anywhere on the plot area and drag to pan the graph vertically.")},
        {QStringLiteral("ZoomXY"),
         QStringLiteral("Select a region on the graph to zoom both horizontally and vertically.")},
        {QStringLiteral("ZoomX"),
         QStringLiteral("Select a region on the graph to zoom horizontally.")},
        {QStringLiteral("ZoomY"),
         QStringLiteral("Select a region on the graph to zoom vertically.")},
    };
    return modes;
}

PlotWindow::PlotWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Plot1"));
    setWindowTitle(tr("Plot"));
    setAttribute(Qt::WA_DeleteOnClose);
    ui::closeOnEscape(this);

    FrmGraphic = frame(QStringLiteral("FrmGraphic"), tr("Graphic Plot"), this);
    CWGraph1 = new ui::Graph(FrmGraphic);
    CWGraph1->setColour(ChartColour);
    CWGraph1->setMinimumSize(480, 340);
    auto* graphic = new QVBoxLayout(FrmGraphic);
    graphic->addWidget(CWGraph1);

    // Cursor readout
    auto* cursorBox = frame(QStringLiteral("FrmCursor"), tr("Cursor Information"), this);
    XPosition = numEdit(QStringLiteral("XPosition"), ui::NumEdit::Display::TimeOfDay, cursorBox);
    XPosition->setReadOnly(true);
    YPosition = label(QStringLiteral("YPosition"), QStringLiteral("0"), cursorBox);
    LblCursorDelta = label(QStringLiteral("LblCursorDelta"), QString(), cursorBox);
    LblCursorDelta->setWordWrap(true);
    LblCursorDelta->hide();
    auto* cursorGrid = new QGridLayout(cursorBox);
    cursorGrid->addWidget(label(QStringLiteral("LblTime"), tr("Time :"), cursorBox), 0, 0);
    cursorGrid->addWidget(XPosition, 0, 1);
    cursorGrid->addWidget(label(QStringLiteral("LblValueY"), tr("Value ( Y ) :"), cursorBox), 1, 0);
    cursorGrid->addWidget(YPosition, 1, 1);
    cursorGrid->addWidget(LblCursorDelta, 2, 0, 1, 2);

    // Track mode
    auto* modeBox = frame(QStringLiteral("FrmTrackMode"), tr("Track Mode"), this);
    Combo1 = new QComboBox(modeBox);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    txtDescription = label(QStringLiteral("txtDescription"), QString(), modeBox);
    txtDescription->setWordWrap(true);
    txtDescription->setMinimumHeight(48);
    txtDescription->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* modeLayout = new QVBoxLayout(modeBox);
    modeLayout->addWidget(Combo1);
    modeLayout->addWidget(txtDescription);

    // Ranges
    auto* rangeBox = frame(QStringLiteral("FrmRange"), tr("Graph Range"), this);
    AxisMin1 = numEdit(QStringLiteral("AxisMin1"), ui::NumEdit::Display::TimeOfDay, rangeBox);
    AxisMax1 = numEdit(QStringLiteral("AxisMax1"), ui::NumEdit::Display::TimeOfDay, rangeBox);
    AxisMin2 = numEdit(QStringLiteral("AxisMin2"), ui::NumEdit::Display::Number, rangeBox);
    AxisMax2 = numEdit(QStringLiteral("AxisMax2"), ui::NumEdit::Display::Number, rangeBox);
    LblUnit = label(QStringLiteral("LblUnit"), QStringLiteral("mG/") + microTeslaText(), rangeBox);
    auto* rangeGrid = new QGridLayout(rangeBox);
    rangeGrid->addWidget(label(QStringLiteral("LblMin"), tr("Min"), rangeBox), 0, 1);
    rangeGrid->addWidget(label(QStringLiteral("LblMax"), tr("Max"), rangeBox), 0, 2);
    rangeGrid->addWidget(label(QStringLiteral("LblTimeRange"), tr("Time"), rangeBox), 1, 0);
    rangeGrid->addWidget(AxisMin1, 1, 1);
    rangeGrid->addWidget(AxisMax1, 1, 2);
    rangeGrid->addWidget(LblUnit, 2, 0);
    rangeGrid->addWidget(AxisMin2, 2, 1);
    rangeGrid->addWidget(AxisMax2, 2, 2);

    CmdReset = new QPushButton(tr("Reset Scale"), this);
    CmdReset->setObjectName(QStringLiteral("CmdReset"));
    CmdPrint = new QPushButton(tr("Print Graph"), this);
    CmdPrint->setObjectName(QStringLiteral("CmdPrint"));
    CmdExport = new QPushButton(tr("Export"), this);
    CmdExport->setObjectName(QStringLiteral("CmdExport"));
    CmdExport->setToolTip(tr("Save the samples in view as CSV, or the chart as a PNG picture"));
    auto* CmdReport = new QPushButton(tr("Report…"), this);
    CmdReport->setObjectName(QStringLiteral("CmdReport"));
    CmdReport->setToolTip(tr("A PDF report on the samples in view"));

    auto* side = new QVBoxLayout;
    side->addWidget(cursorBox);
    side->addWidget(modeBox);
    side->addWidget(rangeBox);
    side->addStretch(1);
    side->addWidget(CmdReset);
    side->addWidget(CmdPrint);
    side->addWidget(CmdExport);
    side->addWidget(CmdReport);
    auto* sideWidget = new QWidget(this);
    sideWidget->setLayout(side);
    sideWidget->setFixedWidth(250);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(FrmGraphic, 1);
    layout->addWidget(sideWidget);
    resize(860, 520);

    for (const TrackModeEntry& m : trackModes())
        Combo1->addItem(m.name);
    connect(Combo1, &QComboBox::activated, this, &PlotWindow::setMode);
    connect(CWGraph1, &ui::Graph::cursorMoved, this, &PlotWindow::showCursorReadout);
    connect(CWGraph1, &ui::Graph::doubleClicked, this, [this] {
        AxisMin2->setValue(0);
        AxisMax2->setValue(m_loadYMaximum > 0 ? m_loadYMaximum : AxisMax2->value());
        resetScale();
    });
    for (ui::NumEdit* e : {AxisMin1, AxisMax1, AxisMin2, AxisMax2})
        connect(e, &ui::NumEdit::valueChanged, this, &PlotWindow::applyRanges);
    connect(CmdReset, &QPushButton::clicked, this, &PlotWindow::resetScale);
    connect(CmdPrint, &QPushButton::clicked, this, &PlotWindow::print);
    connect(CmdExport, &QPushButton::clicked, this, &PlotWindow::exportView);
    connect(CmdReport, &QPushButton::clicked, this, [this] {
        reportOnPlot(this, m_samples, CWGraph1->axisMinimum(ui::Graph::XAxis),
                     CWGraph1->axisMaximum(ui::Graph::XAxis), m_unit);
    });

    move(0, 0);
    Combo1->setCurrentIndex(Normal);
    setMode(Normal);
}

void PlotWindow::load(const RecordGraph& graph)
{
    load([&graph](int row, int col) { return graph.cell(row, col); }, graph.logic().GridsTimebox,
         graph.logic().TextGrid, graph.chart().axisCaption(ui::Graph::YAxis));
}

void PlotWindow::load(const CellReader& cell, int first, int newest, const QString& yCaption)
{
    // y from the unit of the record graph and its newest value
    if (yCaption == milliGaussText() || yCaption == microTeslaText()) {
        const double v = plottedValue(cell(newest, GraphValue), cell(newest, GraphUnit));
        CWGraph1->setAxisRange(ui::Graph::YAxis, 0, plotYMaximum(v));
        LblUnit->setText(yCaption);
        CWGraph1->setAxisCaption(ui::Graph::YAxis, yCaption);
        m_unit = yCaption;
    } else {
        m_unit = cell(newest, GraphUnit);
    }

    const Replot r = replotRows(cell, first, newest);
    m_samples = r.samples;
    CWGraph1->ClearGraph();
    if (!m_samples.isEmpty()) {
        CWGraph1->setAxisRange(ui::Graph::XAxis, r.xMinimum, r.xMaximum);
        CWGraph1->ResetTrace(m_samples.first().x);
        double x = 0;
        for (const PlotSample& s : m_samples) {
            CWGraph1->AppendPoint(s.y, s.x - x);
            x = s.x;
        }
    }
    CWNumEdit1 = CWGraph1->axisMinimum(ui::Graph::XAxis);
    CWNumEdit2 = CWGraph1->axisMaximum(ui::Graph::XAxis);
    m_loadYMaximum = CWGraph1->axisMaximum(ui::Graph::YAxis);
    const QSignalBlocker b1(AxisMin1), b2(AxisMax1), b3(AxisMin2), b4(AxisMax2);
    AxisMin1->setValue(CWNumEdit1);
    AxisMax1->setValue(CWNumEdit2);
    AxisMin2->setValue(0);
    AxisMax2->setValue(m_loadYMaximum);
}

void PlotWindow::setMode(int index)
{
    if (index < 0 || index >= trackModes().size())
        return;
    if (Combo1->currentIndex() != index)
        Combo1->setCurrentIndex(index);
    txtDescription->setText(trackModes()[index].help);
    CWGraph1->setTrackMode(ModeInteraction[index]);
    if (index == CursorCoordinates) {
        const double x0 = CWGraph1->axisMinimum(ui::Graph::XAxis);
        const double x1 = CWGraph1->axisMaximum(ui::Graph::XAxis);
        const double y0 = CWGraph1->axisMinimum(ui::Graph::YAxis);
        const double y1 = CWGraph1->axisMaximum(ui::Graph::YAxis);
        CWGraph1->setCursorPosition(1, (x0 + x1) / 2, (y0 + y1) / 2);
        // The second cursor starts three quarters across, ready to measure a difference.
        CWGraph1->setCursorPosition(2, x0 + (x1 - x0) * 0.75, (y0 + y1) / 2);
        CWGraph1->showCursor(1, true);
        CWGraph1->showCursor(2, true);
        showCursorReadout(1, (x0 + x1) / 2, (y0 + y1) / 2);
        showDelta();
        LblCursorDelta->show();
    } else {
        CWGraph1->showCursor(1, false);
        CWGraph1->showCursor(2, false);
        LblCursorDelta->hide();
    }
}

void PlotWindow::showCursorReadout(int cursor, double x, double y)
{
    if (cursor == 1) {
        XPosition->setValue(x);
        YPosition->setText(ui::numberText(y, 2));
    }
    showDelta();
}

void PlotWindow::showDelta()
{
    const QPointF a = CWGraph1->cursorPosition(1);
    const QPointF b = CWGraph1->cursorPosition(2);
    const long long dt = std::llround(ui::secondsFromDays(b.x() - a.x()));
    const QString sign = dt < 0 ? QStringLiteral("-") : QString();
    LblCursorDelta->setText(tr("Cursor 2: %1  %2 %3\nDifference: %4%5  %6 %7")
                                .arg(ui::timeTextOfDays(b.x()), ui::numberText(b.y(), 2),
                                     m_unit, sign, ui::timeTextOfSeconds(double(std::llabs(dt))),
                                     ui::numberText(b.y() - a.y(), 2), m_unit));
}

void PlotWindow::applyRanges()
{
    CWGraph1->setAxisRange(ui::Graph::XAxis, AxisMin1->value(), AxisMax1->value());
    CWGraph1->setAxisRange(ui::Graph::YAxis, AxisMin2->value(), AxisMax2->value());
}

void PlotWindow::resetScale()
{
    const QSignalBlocker b1(AxisMin1), b2(AxisMax1), b3(AxisMin2), b4(AxisMax2);
    AxisMin1->setValue(CWNumEdit1);
    AxisMax1->setValue(CWNumEdit2);
    AxisMin2->setValue(AxisMin2->value());
    AxisMax2->setValue(AxisMax2->value());
    applyRanges();
}

} // namespace veltrix
