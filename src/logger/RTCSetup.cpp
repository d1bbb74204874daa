// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/RTCSetup.h"

#include "link/Delay.h"
#include "link/MeterLink.h"
#include "link/Timing.h"
#include "logger/MeterClock.h"
#include "records/PollControl.h"
#include "ui/Access.h"
#include "ui/ClickableLabel.h"
#include "ui/Dialogs.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrix {

namespace {
constexpr int RefreshMs = 350;
constexpr int TwipsPerInch = 1440;
constexpr int BelowPanelTopTwips = 1000;

const QString MeterTimeCaption = QStringLiteral("Meter Time");
const QString SystemTimeCaption = QStringLiteral("PC System Time");
} // namespace

RTCSetup::RTCSetup(MeterLink& link, PollControl* poll, QWidget* parent)
    : QWidget(parent, Qt::Window), m_link(link), m_poll(poll),
      m_clock([] { return QDateTime::currentDateTime(); }),
      FrameTime(new QGroupBox(tr("Time"), this)), LblMeterTime(new ui::ClickableLabel(FrameTime)),
      LblPCTime(new ui::ClickableLabel(FrameTime)),
      CmdSetTime(new QPushButton(tr("Set Meter Time To System Time"), this)),
      CmdExit(new QPushButton(tr("Exit"), this))
{
    setObjectName(QStringLiteral("RTCSetup"));
    setWindowTitle(tr("Meter Clock"));
    setAttribute(Qt::WA_DeleteOnClose);
    ui::closeOnEscape(this);
    FrameTime->setObjectName(QStringLiteral("FrameTime"));
    LblMeterTime->setObjectName(QStringLiteral("LblMeterTime"));
    LblPCTime->setObjectName(QStringLiteral("LblPCTime"));
    CmdSetTime->setObjectName(QStringLiteral("CmdSetTime"));
    CmdExit->setObjectName(QStringLiteral("CmdExit"));
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setParent(this); // findable by name; a member, so the base has nothing to delete

    QFont clockFont(QStringLiteral("DejaVu Sans Mono"));
    clockFont.setStyleHint(QFont::Monospace);
    clockFont.setPointSize(13);
    for (ui::ClickableLabel* l : {LblMeterTime, LblPCTime}) {
        l->setFont(clockFont);
        l->setAlignment(Qt::AlignCenter);
        l->setCursor(Qt::PointingHandCursor);
        l->setToolTip(tr("Click to show or hide the time"));
        l->setMargin(4);
        l->setMinimumWidth(
            QFontMetrics(clockFont).horizontalAdvance(QStringLiteral(" 00/00/00 00:00:00 ")) + 16);
    }
    LblMeterTime->setText(MeterTimeCaption);
    LblPCTime->setText(SystemTimeCaption);

    auto* frameLayout = new QVBoxLayout(FrameTime);
    frameLayout->addWidget(LblMeterTime);
    frameLayout->addWidget(LblPCTime);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FrameTime);
    layout->addWidget(CmdSetTime);
    layout->addWidget(CmdExit);

    connect(LblMeterTime, &ui::ClickableLabel::clicked, this, &RTCSetup::toggleMeterTime);
    connect(LblPCTime, &ui::ClickableLabel::clicked, this, &RTCSetup::toggleSystemTime);
    connect(CmdSetTime, &QPushButton::clicked, this, &RTCSetup::setMeterTime);
    connect(CmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(&Timer1, &QTimer::timeout, this, &RTCSetup::refresh);
    Timer1.setInterval(RefreshMs);
    Timer1.start();
}

void RTCSetup::placeOver(const QRect& panelFrame)
{
    const int below = BelowPanelTopTwips * logicalDpiY() / TwipsPerInch;
    const int width = frameGeometry().width();
    move(panelFrame.left() + (panelFrame.width() - width) / 2, panelFrame.top() + below);
}

void RTCSetup::setMeterAvailable(bool on)
{
    m_meterAvailable = on;
    updateSetButton();
}

void RTCSetup::updateSetButton()
{
    CmdSetTime->setEnabled(m_meterAvailable && !m_busy);
}

bool RTCSetup::setMeterTime()
{
    if (m_busy || !m_meterAvailable)
        return false;
    const QDateTime now = m_clock();
    const QByteArray command = clockSetCommand(now);
    if (command.isEmpty()) {
        ui::Dialogs::current().message(
            this,
            tr("The PC clock reads %1; the meter keeps dates from 2000 to 2099 only. "
               "Correct the PC clock and try again.")
                .arg(now.toString(Qt::ISODate)),
            ui::MsgButtons::Ok, ui::MsgIcon::Exclamation);
        return false;
    }
    QPointer<RTCSetup> self(this);
    m_busy = true;
    updateSetButton();
    // One command on the line at a time. A poll tick already waiting keeps waiting; its answer
    // is emptied out here and that tick simply polls again.
    const bool waited = [&] {
        const PollPause pause(m_poll);
        return clockSetExchange(m_link, command);
    }();
    if (!self || !waited)
        return false; // the panel went away or the program is quitting
    m_busy = false;
    updateSetButton();
    emit meterClockSet();
    if (m_closePending)
        deleteLater();
    return true;
}

void RTCSetup::toggleMeterTime()
{
    m_showMeterTime = !m_showMeterTime;
    refresh();
}

void RTCSetup::toggleSystemTime()
{
    m_showSystemTime = !m_showSystemTime;
    refresh();
}

void RTCSetup::refresh()
{
    // The meter is not asked for its clock: the display shows the time it was set to.
    const QDateTime now = m_clock();
    LblMeterTime->setText(m_showMeterTime ? meterTimeText(now) : MeterTimeCaption);
    LblPCTime->setText(m_showSystemTime ? systemTimeText(now) : SystemTimeCaption);
}

void RTCSetup::closeEvent(QCloseEvent* event)
{
    Timer1.stop();
    if (m_busy) {
        // Closed during the exchange: hide now, go once the exchange has restarted polling.
        setAttribute(Qt::WA_DeleteOnClose, false);
        m_closePending = true;
    }
    QWidget::closeEvent(event);
}

} // namespace veltrix
