// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/StripChart.h"

#include "ui/Access.h"
#include "ui/Dialogs.h"
#include "ui/LocaleText.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrix {

RealTime1::RealTime1(StripSettings& state, QWidget* parent)
    : ChartWindow(QStringLiteral("RealTime1"), tr("RealTimeGraph"), true, parent), m_state(state)
{
    ui::makeReadout(canvas(), tr("Strip chart"));
}

void RealTime1::showLimits()
{
    showValueLabels(m_state.StripMin, m_state.StripMax);
}

void RealTime1::showEvent(QShowEvent* event)
{
    ChartWindow::showEvent(event);
    showLimits();
}

void RealTime1::restart()
{
    clearChart();
    setLabel(LblUnit, QString());
    showLimits();
}

bool RealTime1::DrawStripPoint(const QString& valueText, const QString& unitText, const QTime& now)
{
    // The meter changed its unit: the limits follow it. The chart keeps its own record of the
    // unit it is scaled for.
    const std::optional<Unit> unit = unitOf(unitText);
    if (unit != m_state.StripScaleUnit) {
        if (m_state.StripScaleUnit) {
            m_state.StripMin = chart::rescaledLimit(m_state.StripMin, unitText);
            m_state.StripMax = chart::rescaledLimit(m_state.StripMax, unitText);
        }
        showLimits();
        m_state.StripScaleUnit = unit;
    }
    setLabel(LblUnit, unitText);
    const QString shown = ui::decimalText(valueText);
    setLabel(LblValue, shown);
    ui::announceReading(canvas(), ui::readingText(shown, unitText));

    const double y = chart::stripHeight(valueText, m_state.StripMin, m_state.StripMax);
    const chart::StripPoint p = chart::advanceSweep(m_state.sweep, y);
    const QString time = now.toString(QStringLiteral("hh:mm:ss"));
    switch (p.kind) {
    case chart::StripPoint::First:
        setLabel(LblT1, time);
        return false;
    case chart::StripPoint::Segment:
        if (p.middleTime)
            setLabel(LblT2, time);
        if (p.endTime)
            setLabel(LblT3, time);
        addSegment(p.segment.p1(), p.segment.p2());
        return true;
    case chart::StripPoint::Cleared:
        // The sweep is full: the chart starts over, empty; this reading is not on it.
        restart();
        return true;
    }
    return true;
}

void RealTime1::closing()
{
    m_state.sweep.pointIndex = 0;
    m_state.sweep.started = false;
}

Real1Range::Real1Range(const StripSettings& state, QWidget* parent)
    : QDialog(parent), TxtReal1Max(new QLineEdit(this)), TxtReal1Min(new QLineEdit(this)),
      TxtReal1Rec(new QLineEdit(this)), CmdOK(new QPushButton(tr("OK"), this)), m_state(state)
{
    setObjectName(QStringLiteral("Real1Range"));
    setWindowTitle(tr("Real Time Range"));
    TxtReal1Max->setObjectName(QStringLiteral("TxtReal1Max"));
    TxtReal1Min->setObjectName(QStringLiteral("TxtReal1Min"));
    TxtReal1Rec->setObjectName(QStringLiteral("TxtReal1Rec"));
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);
    auto* form = new QFormLayout;
    form->addRow(tr("Ma&x. Limitation"), TxtReal1Max);
    form->addRow(tr("Mi&n. Limitation"), TxtReal1Min);
    form->addRow(tr("No.s of &Records"), TxtReal1Rec);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(CmdOK, 0, Qt::AlignRight);
}

void Real1Range::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    TxtReal1Max->setText(ui::decimalText(chart::numberText(m_state.StripMax)));
    TxtReal1Min->setText(ui::decimalText(chart::numberText(m_state.StripMin)));
    TxtReal1Rec->setText(QString::number(m_state.sweep.records));
}

StripChart::StripChart(QWidget* windowParent) : QObject(windowParent), m_windowParent(windowParent)
{
}

StripChart::~StripChart()
{
    delete m_dialog.data();
    delete m_window.data();
}

void StripChart::setPrinterFactory(ChartWindow::PrinterFactory factory)
{
    m_printerFactory = std::move(factory);
    if (m_window)
        m_window->setPrinterFactory(m_printerFactory);
}

RealTime1* StripChart::ensureWindow()
{
    if (m_window)
        return m_window;
    m_window = new RealTime1(m_state, m_windowParent);
    m_window->setPrinterFactory(m_printerFactory);
    if (m_panelFrame)
        m_window->placeBeside(m_panelFrame());
    connect(m_window, &ChartWindow::limitRequested, this, &StripChart::showRange);
    connect(m_window, &ChartWindow::closed, this, &StripChart::closed);
    return m_window;
}

void StripChart::start(double max, std::optional<Unit> unit)
{
    m_state.sweep.started = false;
    m_state.sweep.records = 300;
    m_state.sweep.step = 4000.0 / (300 - 1);
    m_state.StripMin = 0;
    m_state.StripMax = max;
    m_state.StripScaleUnit = unit;
    open();
}

void StripChart::open()
{
    emit opened();
    RealTime1* w = ensureWindow();
    w->restart();
    w->show();
    w->raise();
}

void StripChart::close()
{
    if (m_window && m_window->isVisible())
        m_window->close();
}

bool StripChart::DrawStripPoint(const QString& valueText, const QString& unitText, const QTime& now)
{
    if (!m_window || !m_window->isVisible())
        return true;
    return m_window->DrawStripPoint(valueText, unitText, now);
}

void StripChart::showRange()
{
    if (!m_dialog) {
        m_dialog = new Real1Range(m_state, m_windowParent);
        m_dialog->setWindowFlag(Qt::Window);
        connect(m_dialog->CmdOK, &QPushButton::clicked, this, &StripChart::acceptRange);
    }
    // Just below the chart, which stands at the top of the screen.
    if (m_window)
        m_dialog->move(m_window->frameGeometry().bottomLeft() + QPoint(0, 1));
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void StripChart::acceptRange()
{
    QPointer<Real1Range> dialog(m_dialog);
    if (!dialog)
        return;
    close();
    chart::StripRange range;
    const auto error = chart::checkStripRange(ui::cDecimalText(dialog->TxtReal1Max->text()),
                                              ui::cDecimalText(dialog->TxtReal1Min->text()),
                                              dialog->TxtReal1Rec->text(), &range);
    if (error != chart::StripRangeError::None) {
        ui::Dialogs::current().message(dialog, chart::stripRangeRefusal(error), ui::MsgButtons::Ok,
                                       ui::MsgIcon::None);
        return; // the dialog stays open
    }
    m_state.sweep.records = range.records;
    m_state.StripMin = range.min;
    m_state.StripMax = range.max;
    m_state.sweep.step = 4000.0 / (range.records - 1);
    m_state.sweep.started = false;
    open();
    emit reopened();
    if (dialog)
        dialog->close();
}

} // namespace veltrix
