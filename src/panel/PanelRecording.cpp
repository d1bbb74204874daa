// The panel's sample clock, recording and toolbar commands.

#include "link/Delay.h"
#include "link/ReadingDecoder.h"
#include "link/Timing.h"
#include "logger/LoggerCommands.h"
#include "panel/Panel.h"
#include "records/FileList.h"
#include "records/RealTimeList.h"
#include "records/RecordFile.h"
#include "records/RecordWriter.h"
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
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(timing::SampleTimerMs);
    connect(&m_timer2, &QTimer::timeout, this, &Panel::sampleTick);
    m_monotonic.start();
    m_timer2.start();

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

void Panel::sampleTick()
{
    const qint64 mono = m_monotonic.elapsed();
    const QDateTime wall = now();
    const qint64 wallMs = wall.toMSecsSinceEpoch();
    if (leadingNumber(m_state.iPCsecTimetotal) == 0) {
        // Start-up, a new sampling time or a view asked for the clock to restart.
        m_sampleClock.restart(mono, wallMs);
        m_state.iPCsecTimetotal = QStringLiteral("1");
    }
    // A late tick still stamps the second the sample was due in.
    if (const auto stamp = m_sampleClock.takeDue(mono, wallMs, samplingSeconds()))
        takeSample(wall.addMSecs(*stamp - wallMs));
}

void Panel::takeSample()
{
    takeSample(now());
}

void Panel::takeSample(const QDateTime& when)
{
    const QString body = sampleBody(when, LblValue->text(), m_state.Flags.GaussFlag,
                                    m_state.Flags.HoldFlag, m_state.Flags.PeakFlag);
    if (m_state.RecordingOn)
        writeRecord(body);
    feedViews(body);
}

void Panel::feedViews(const QString& body)
{
    for (auto& [stage, feed] : m_feeders) {
        if (feed && !feed(body))
            return; // this view ended the feeding of this sample
    }
}

void Panel::writeRecord(const QString& body)
{
    ++m_state.RecordCount;
    if (!RecordFileNumber || !RecordFileNumber->writeRecord(m_state.RecordCount, body)) {
        const QString file = RecordFileNumber ? RecordFileNumber->fileName() : m_state.SaveFileName;
        const QString why = RecordFileNumber ? RecordFileNumber->errorString() : QString();
        const int kept = m_state.RecordCount - 1;
        stopRecording();
        ui::Dialogs::current().message(
            this,
            tr("Recording stopped: the record file %1 could not be written (%2).\n"
               "The %3 records written before are kept in the file.")
                .arg(QDir::toNativeSeparators(file), why)
                .arg(kept),
            ui::MsgButtons::Ok, ui::MsgIcon::Critical);
        return;
    }
    LblCount->setText(QString::number(m_state.RecordCount));
    if (m_state.RecordCount >= m_state.RecordLimit) {
        // A full recording; a new one must be started from the toolbar. Told on the panel
        // without a modal box, so an unattended panel keeps polling and feeding its views.
        const int written = m_state.RecordCount;
        const QString file = QFileInfo(m_state.SaveFileName).fileName();
        stopRecording();
        LblNote->setText(tr("Recording stopped: %1 is full (%2 records). "
                            "Save As starts a new recording.")
                             .arg(file)
                             .arg(written));
        LblNote->show();
    }
}

void Panel::startRecording()
{
    if (!ShowSaveDialog(this, m_state.SaveFileName, m_state.SaveFileChosen))
        return;
    auto writer = std::make_unique<RecordWriter>();
    if (!writer->open(m_state.SaveFileName)) {
        m_state.SaveFileChosen = false;
        ui::Dialogs::current().message(
            this,
            tr("The record file %1 could not be created (%2).")
                .arg(QDir::toNativeSeparators(m_state.SaveFileName), writer->errorString()),
            ui::MsgButtons::Ok, ui::MsgIcon::Critical);
        return;
    }
    RecordFileNumber = std::move(writer);
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
    m_state.RecordingOn = false;
    m_buttons[SaveStopButton]->setIcon(m_buttons[SaPicture]->icon());
    m_buttons[SaveStopButton]->setToolTip(tr("Save As"));
    Recording->hide();
    LblCount->setText(QString());
    m_state.RecordCount = 0;
    if (RecordFileNumber) {
        RecordFileNumber->close();
        RecordFileNumber.reset();
    }
    m_state.SaveFileChosen = false;
    applyUnitKeyRule();
}

void Panel::applyUnitKeyRule()
{
    // The unit must not change under a recording or a view that charts or lists it.
    CmdTesla->setEnabled(!m_state.StripChartOpen && !m_state.GraphViewOpen &&
                         !m_state.ListViewOpen && !m_state.RecordingOn && !m_linkLost);
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
    m_state.iPCsecTimetotal = QStringLiteral("0");
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
