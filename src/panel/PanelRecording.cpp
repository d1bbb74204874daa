// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's side of the sample clock and recording (the session decides; the panel shows),
// and its toolbar commands.

#include "logger/LoggerCommands.h"
#include "panel/Panel.h"
#include "records/FileList.h"
#include "records/RealTimeList.h"
#include "records/RecordFile.h"
#include "records/TableServices.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

namespace veltrix {

namespace {
enum Button { SaveStopButton = 0, StopPicture = 10, SaPicture = 11 };
}

void Panel::registerCommands()
{
    m_session.startSampleClock();

    setCommand(QStringLiteral("SaveStop"), [this] {
        if (m_state.RecordingOn)
            stopRecording();
        else
            startRecording();
    });
    setCommand(QStringLiteral("Open"), [this] { openRecordFile(); });
    setCommand(QStringLiteral("List"), [this] { openLiveTable(); });
    setCommand(QStringLiteral("Delete"), [this] { eraseMemory(); });
    registerCharts();
    registerViews();
}

RealTimeList* Panel::liveTable() const
{
    return m_liveTable;
}

FileList* Panel::fileList() const
{
    return m_fileList;
}

void Panel::setFeeder(FeedStage stage, Feeder feeder)
{
    m_feeders[stage] = std::move(feeder);
}

Panel::Feeder Panel::feeder(FeedStage stage) const
{
    const auto it = m_feeders.find(stage);
    return it == m_feeders.end() ? Feeder() : it->second;
}

void Panel::addLiveViewCloser(std::function<void()> closer)
{
    m_liveViewClosers.append(std::move(closer));
}

void Panel::takeSample()
{
    takeSample(now());
}

void Panel::takeSample(const QDateTime& when)
{
    m_session.takeSample(when);
}

void Panel::feedViews(const QString& body)
{
    for (auto& [stage, feed] : m_feeders) {
        if (feed && !feed(body))
            return; // this view ended the feeding of this sample
    }
}

void Panel::recordFailed(const QString& file, const QString& why, int kept)
{
    ui::Dialogs::current().message(
        this,
        tr("Recording stopped: the record file %1 could not be written (%2).\n"
           "The %3 records written before are kept in the file.")
            .arg(QDir::toNativeSeparators(file), why)
            .arg(kept),
        ui::MsgButtons::Ok, ui::MsgIcon::Critical);
}

void Panel::recordingFull(const QString& file, int records)
{
    // A full recording; a new one must be started from the toolbar. Told on the panel without a
    // modal box, so an unattended panel keeps polling and feeding its views.
    LblNote->setText(tr("Recording stopped: %1 is full (%2 records). "
                        "Save As starts a new recording.")
                         .arg(QFileInfo(file).fileName())
                         .arg(records));
    LblNote->show();
}

void Panel::startRecording()
{
    if (!ShowSaveDialog(this, m_state.SaveFileName, m_state.SaveFileChosen))
        return;
    Recorder::Policy policy;
    policy.limit = m_state.RecordLimit;
    Recorder& recorder = m_session.recorder();
    if (!recorder.start(m_state.SaveFileName, m_state.SaveFileName, policy, QDate())) {
        m_state.SaveFileChosen = false;
        ui::Dialogs::current().message(
            this,
            tr("The record file %1 could not be created (%2).")
                .arg(QDir::toNativeSeparators(m_state.SaveFileName), recorder.errorString()),
            ui::MsgButtons::Ok, ui::MsgIcon::Critical);
        return;
    }
    LblNote->hide();
    LblFileName->setText(QFileInfo(m_state.SaveFileName).fileName());
    m_buttons[SaveStopButton]->setIcon(m_buttons[StopPicture]->icon());
    m_buttons[SaveStopButton]->setToolTip(tr("Stop Recording"));
    m_state.RecordCount = 0;
    m_state.RecordingOn = true;
    Recording->show();
    CmdTesla->setEnabled(false);
}

void Panel::stopRecording()
{
    if (m_session.recorder().recording())
        m_session.recorder().stop(); // tells recordingStopped()
    else
        recordingStopped();
}

void Panel::recordingStopped()
{
    m_state.RecordingOn = false;
    m_buttons[SaveStopButton]->setIcon(m_buttons[SaPicture]->icon());
    m_buttons[SaveStopButton]->setToolTip(tr("Save As"));
    Recording->hide();
    LblCount->setText(QString());
    m_state.RecordCount = 0;
    m_state.SaveFileChosen = false;
    applyUnitKeyRule();
}

void Panel::applyUnitKeyRule()
{
    // The unit must not change under a recording or a view that charts or lists it.
    CmdTesla->setEnabled(!m_state.StripChartOpen && !m_state.GraphViewOpen &&
                         !m_state.ListViewOpen && !m_state.RecordingOn && !linkLost());
}

void Panel::openRecordFile()
{
    if (m_state.RecordingOn) {
        ui::Dialogs::current().message(
            this, tr("Recording Mode!") + QStringLiteral("\n\r") + tr("Please stop recording!"),
            ui::MsgButtons::Ok, ui::MsgIcon::None);
        return;
    }
    const auto path = ui::Dialogs::current().openFile(this, ui::DataFilesFilter);
    if (!path || path->isEmpty())
        return;
    if (m_fileList && m_fileList->isVisible())
        m_fileList->close();
    auto* list = new FileList(this);
    list->setAttribute(Qt::WA_DeleteOnClose);
    m_fileList = list;
    wireFileList(list);
    list->move(frameGeometry().topRight() + QPoint(24, 48)); // beside the panel, not over it
    list->show();
    QPointer<FileList> guard(list);
    if (!loadRecordFile(*list, *path) && guard)
        guard->close();
}

void Panel::openLiveTable()
{
    m_state.ListViewOpen = true;
    m_state.iPCsecTimetotal = false; // the sample clock restarts
    if (!m_liveTable) {
        m_liveTable = new RealTimeList(liveTableHost(), this);
        connect(m_liveTable, &RealTimeList::full, this, [this] { m_state.ListViewOpen = false; });
        connect(m_liveTable, &RealTimeList::closed, this, [this] {
            m_state.ListViewOpen = false;
            applyUnitKeyRule();
        });
        m_liveTable->placeBeside(frameGeometry());
    }
    m_liveTable->show();
    m_liveTable->raise();
    CmdTesla->setEnabled(false);
}

void Panel::eraseMemory()
{
    if (m_state.Flags.MemoryLockFlag)
        return;
    if (ui::Dialogs::current().message(this, tr("All the memory in EEPROM will be deleted !"),
                                       ui::MsgButtons::OkCancel,
                                       ui::MsgIcon::Exclamation) != ui::MsgResult::Ok)
        return;
    const PollPause pause(this);
    logger::eraseMemory(m_link);
}

void Panel::closeLiveViews()
{
    if (m_state.ListViewOpen && m_liveTable)
        m_liveTable->close();
    for (const auto& close : m_liveViewClosers)
        close();
}

} // namespace veltrix
