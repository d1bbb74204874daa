// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/MemoryWindow.h"

#include "link/Delay.h"
#include "link/Timing.h"
#include "logger/DataList.h"
#include "logger/LoggerCommands.h"
#include "logger/LoggerRecords.h"
#include "logger/LoggerTimes.h"
#include "records/PollControl.h"
#include "ui/Access.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace veltrix {

using namespace logger;

namespace {

constexpr int SetColumns = 6;

QGroupBox* captionedPanel(QWidget* parent, const QString& name, const QString& caption,
                          QWidget* content)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* l = new QVBoxLayout(box);
    l->setContentsMargins(6, 4, 6, 6);
    l->addWidget(content);
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLabel* sunkenLabel(QWidget* parent, const QString& name, const QString& text = {})
{
    QLabel* l = label(parent, name, text);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(80);
    return l;
}

} // namespace

MemoryWindow::BusyScope::BusyScope(MemoryWindow* w) : m_w(w)
{
    if (++m_w->m_busy == 1)
        m_w->setControlsEnabled(false);
}

MemoryWindow::BusyScope::~BusyScope()
{
    if (!m_w)
        return;
    if (--m_w->m_busy > 0)
        return;
    if (m_w->m_closing)
        m_w->deleteLater(); // closed while the exchange ran
    else
        m_w->setControlsEnabled(true);
}

MemoryWindow::MemoryWindow(LoggerHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), m_host(std::move(host)), m_exchange(*m_host.link)
{
    setObjectName(QStringLiteral("Memory"));
    setWindowTitle(tr("Data Logger"));
    setAttribute(Qt::WA_DeleteOnClose);
    ui::closeOnEscape(this);

    LblMemory = sunkenLabel(this, QStringLiteral("LblMemory"), QStringLiteral("32.0 K"));
    LblRemaining = sunkenLabel(this, QStringLiteral("LblRemaining"));
    CmdC = button(this, QStringLiteral("CmdC"), tr("Real Time Colck"));
    LblTime = sunkenLabel(this, QStringLiteral("LblTime"));
    LblTime->setMinimumWidth(170);
    CmdIDCode = button(this, QStringLiteral("CmdIDCode"), tr("ID Code"));
    TxtIDCode = new QLineEdit(this);
    TxtIDCode->setObjectName(QStringLiteral("TxtIDCode"));
    TxtIDCode->setAccessibleName(tr("ID code"));
    TxtIDCode->setAccessibleDescription(tr("ID Code sends it to the meter"));
    CmdSampling = button(this, QStringLiteral("CmdSampling"), tr("Sampling"));
    TxtSampling = new QLineEdit(this);
    TxtSampling->setObjectName(QStringLiteral("TxtSampling"));
    TxtSampling->setAccessibleName(tr("Logger sampling time"));
    TxtSampling->setAccessibleDescription(tr("Enter or Sampling sends it to the meter"));
    LblMessage = label(this, QStringLiteral("LblMessage"));
    LblMessage->setWordWrap(true);
    CmdSaveAll = button(this, QStringLiteral("CmdSaveAll"), tr("Save all sets"));
    CmdSaveAll->setToolTip(tr("Download every set into a folder, one record file per set"));
    SaveAllProgress = new QProgressBar(this);
    SaveAllProgress->setObjectName(QStringLiteral("SaveAllProgress"));
    SaveAllProgress->setVisible(false);

    m_grid = new ui::Grid(SetColumns, this);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setTableName(tr("Logger sets"));
    const QString samples[SetColumns] = {QStringLiteral(" 0000 "),     QStringLiteral(" 00/00/00 "),
                                         QStringLiteral(" 00:00:00 "), QStringLiteral(" 'Unit' "),
                                         QStringLiteral(" Sampling "), QStringLiteral(" Records ")};
    const QString headers[SetColumns] = {QString(),
                                         QStringLiteral("   Date"),
                                         QStringLiteral(" Time"),
                                         QStringLiteral(" Unit "),
                                         QStringLiteral("Sampling"),
                                         QStringLiteral("Records")};
    m_grid->setRow(0);
    int gridWidth = 0;
    for (int c = 0; c < SetColumns; ++c) {
        m_grid->setColWidthFromSample(c, samples[c]);
        m_grid->setCol(c);
        m_grid->setText(headers[c]);
        gridWidth += m_grid->colWidth(c);
    }
    m_grid->setCol(0);
    m_grid->setMinimumSize(gridWidth + 24, 220);
    m_grid->setEnabled(false);

    auto* top = new QHBoxLayout;
    top->addWidget(captionedPanel(this, QStringLiteral("SSPanel1"), tr("Memory"), LblMemory));
    top->addWidget(captionedPanel(this, QStringLiteral("SSPanel2"), tr("Remaining"), LblRemaining));
    auto* settings = new QGridLayout;
    settings->addWidget(CmdC, 0, 0);
    settings->addWidget(LblTime, 0, 1);
    settings->addWidget(CmdIDCode, 1, 0);
    settings->addWidget(TxtIDCode, 1, 1);
    settings->addWidget(CmdSampling, 2, 0);
    settings->addWidget(TxtSampling, 2, 1);
    auto* saveAll = new QHBoxLayout;
    saveAll->addWidget(CmdSaveAll);
    saveAll->addWidget(SaveAllProgress, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(settings);
    layout->addWidget(
        captionedPanel(this, QStringLiteral("SSPanel4"), tr("Time of Recording"), m_grid), 1);
    layout->addWidget(LblMessage);
    layout->addLayout(saveAll);

    connect(CmdC, &QPushButton::clicked, this, &MemoryWindow::readClock);
    connect(CmdIDCode, &QPushButton::clicked, this, &MemoryWindow::writeIdCode);
    connect(CmdSampling, &QPushButton::clicked, this, &MemoryWindow::writeInterval);
    connect(TxtSampling, &QLineEdit::returnPressed, this, &MemoryWindow::writeInterval);
    connect(CmdSaveAll, &QPushButton::clicked, this, &MemoryWindow::saveAllSets);
    connect(m_grid, &ui::Grid::clicked, this, &MemoryWindow::downloadSet);
    CmdSaveAll->setEnabled(false);
}

MemoryWindow::~MemoryWindow() = default;

void MemoryWindow::setPlotHandler(std::function<void(DataList&)> handler)
{
    m_plotHandler = std::move(handler);
    if (m_dataList)
        m_dataList->plotAction()->setEnabled(bool(m_plotHandler));
}

void MemoryWindow::closeEvent(QCloseEvent*)
{
    if (m_busy > 0) {
        // An exchange is waiting inside this window's code: it ends at its next look at the line
        // and the window goes once it has unwound.
        m_closing = true;
        setAttribute(Qt::WA_DeleteOnClose, false);
    }
}

void MemoryWindow::setControlsEnabled(bool on)
{
    for (QWidget* w : {static_cast<QWidget*>(CmdC), static_cast<QWidget*>(CmdIDCode),
                       static_cast<QWidget*>(CmdSampling)})
        w->setEnabled(on);
    m_grid->setEnabled(on && m_listEnabled);
    CmdSaveAll->setEnabled(on && !m_sets.isEmpty());
}

bool MemoryWindow::keepGoing() const
{
    return !m_closing && !quitting();
}

int MemoryWindow::century() const
{
    return logger::century((m_host.now ? m_host.now() : QDateTime::currentDateTime()).date());
}

void MemoryWindow::report(const QString& what, const Reply& reply)
{
    LblMessage->setText(failureText(what, reply) + QLatin1Char('.'));
}

bool MemoryWindow::readDirectory()
{
    QPointer<MemoryWindow> self(this);
    const BusyScope busy(this);
    const PollPause pause(m_host.poll);
    const auto going = [self] { return self && self->keepGoing(); };

    const Reply status = readMemoryStatus(m_exchange, going);
    if (!going())
        return false;
    show();
    if (!status.complete()) {
        report(tr("Memory status"), status);
        emit directoryRead(false);
        return true;
    }
    const MemoryStatus s = *parseMemoryStatus(status.bytes);
    LblRemaining->setText(remainingMemory(s) + QStringLiteral(" K"));
    TxtIDCode->setText(QString::number(s.idCode));
    TxtSampling->setText(intervalText(s.intervalCode) + QStringLiteral(" Sec"));
    if (s.setCount == 0) {
        m_listEnabled = false;
        emit directoryRead(true);
        return true;
    }

    const Reply index = readSetIndex(
        m_exchange, s.setCount,
        [self](int received) {
            if (self)
                self->LblMessage->setText(QString::number((received - 1) / 10) +
                                          tr(" set(s) completed"));
        },
        going);
    if (!going())
        return false;
    m_sets = parseSetIndex(index.bytes, s.setCount);
    QStringList rows;
    for (const SetInfo& set : std::as_const(m_sets))
        rows << set.rowText();
    m_grid->addItems(rows);
    m_listEnabled = true;
    if (!index.complete())
        report(tr("List of sets"), index);
    emit directoryRead(index.complete());
    return true;
}

void MemoryWindow::readClock()
{
    if (m_busy > 0)
        return;
    QPointer<MemoryWindow> self(this);
    const BusyScope busy(this);
    const PollPause pause(m_host.poll);
    // Partial reads are joined: the six bytes may arrive in more than one piece.
    const Reply reply = readMeterClock(m_exchange, [self] { return self && self->keepGoing(); });
    if (!self || !keepGoing())
        return;
    if (reply.complete())
        LblTime->setText(clockText(reply.bytes));
    else
        report(tr("Meter clock"), reply);
}

DataList* MemoryWindow::newDataList()
{
    if (DataList* panels = m_host.newDataList ? m_host.newDataList() : nullptr)
        return panels;
    // Without a panel (tests, tools) the list is this window's.
    TableHost table;
    table.poll = m_host.poll;
    table.recording = m_host.recording;
    auto* list = new DataList(std::move(table), parentWidget());
    list->plotAction()->setEnabled(bool(m_plotHandler));
    connect(list, &DataList::plotRequested, this, [this, list] {
        if (m_plotHandler)
            m_plotHandler(*list);
    });
    return list;
}

void MemoryWindow::downloadSet(int row)
{
    if (m_busy > 0 || row < 1 || row > m_sets.size())
        return;
    // The next download closes the list that is open, whichever Memory window made it.
    if (m_host.closeDataList)
        m_host.closeDataList();
    if (m_dataList && m_dataList->isVisible())
        m_dataList->close();
    QPointer<MemoryWindow> self(this);
    const BusyScope busy(this);
    const PollPause pause(m_host.poll);
    const int records = m_sets.at(row - 1).records;

    const Reply reply = readSetData(
        m_exchange, row, records,
        [self, records](int received) {
            if (self)
                self->LblMessage->setText(
                    QString::number(std::min(records, wholeRecords(received))) +
                    tr(" Records Completed"));
        },
        [self] { return self && self->keepGoing(); });
    if (!self || !keepGoing())
        return;
    if (!reply.complete())
        report(tr("Set %1").arg(row), reply);
    if (reply.bytes.size() < SetDataHeaderLength) {
        emit downloadFinished(false);
        return;
    }

    const SetRecords set =
        decodeSetRecords(reply.bytes, records, m_host.shownValue ? m_host.shownValue() : QString(),
                         century(), m_host.overload && m_host.overload());
    if (m_host.showFlags)
        m_host.showFlags(set.flags);

    DataList* list = newDataList();
    m_dataList = list;
    if (m_host.panel)
        list->move(m_host.panel->frameGeometry().right() + 1, 0);
    list->show();
    list->grid().addItems(set.rows);
    list->setIdCode(TxtIDCode->text());

    QString title = setTitle(int(set.rows.size()), row);
    if (set.rows.size() < records || reply.outcome == ReplyOutcome::Short)
        title += tr("  (incomplete: %1 of %2 records)").arg(set.rows.size()).arg(records);
    else if (reply.outcome == ReplyOutcome::Long)
        title += tr("  (reply too long)");
    if (!set.timesKnown)
        title += tr("  (start not a date: time stamps unknown)");
    list->title()->setText(title);
    emit downloadFinished(reply.complete());
}

void MemoryWindow::writeIdCode()
{
    if (m_busy > 0)
        return;
    LblMessage->setText(tr("Wait"));
    const std::optional<int> code = idCodeFromText(TxtIDCode->text());
    QPointer<MemoryWindow> self(this);
    if (!code) {
        // The window may go while the box is open (a lost link closes it).
        ui::Dialogs::current().message(this, tr("Invalid No.s, Try Again!"), ui::MsgButtons::Ok,
                                       ui::MsgIcon::Critical);
        if (!self)
            return;
        LblMessage->clear();
        TxtIDCode->setFocus();
        return;
    }
    const BusyScope busy(this);
    const PollPause pause(m_host.poll);
    if (!logger::writeIdCode(*m_host.link, *code))
        return;
    if (self)
        LblMessage->clear();
}

void MemoryWindow::writeInterval()
{
    if (m_busy > 0)
        return;
    const QString kept = LblMessage->text();
    LblMessage->setText(tr("Wait"));
    const std::optional<int> code = intervalCodeFromText(TxtSampling->text());
    QPointer<MemoryWindow> self(this);
    if (!code) {
        ui::Dialogs::current().message(
            this, tr("0.4 < Sampling Time < 102") + QChar(13) + tr("Try again !"),
            ui::MsgButtons::Ok, ui::MsgIcon::None);
        if (self)
            LblMessage->setText(kept);
        return;
    }
    const BusyScope busy(this);
    const PollPause pause(m_host.poll);
    logger::writeIntervalCode(*m_host.link, *code);
    if (self)
        LblMessage->setText(kept);
}

} // namespace veltrix
