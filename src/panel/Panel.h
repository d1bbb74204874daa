// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window. It owns the serial line, the meter session (poll loop, sample clock,
// recording) and the program's shared state, and shows the session's reading the way the
// meter's own face does.

#include "link/MeterLink.h"
#include "panel/MeterSession.h"
#include "panel/PanelLogic.h"
#include "panel/SharedState.h"
#include "records/PollControl.h"
#include "ui/SerialLine.h"

#include <QDateTime>
#include <QHash>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

class QAction;
class QFrame;
class QGridLayout;
class QLabel;
class QPushButton;
class QToolBar;

namespace veltrix {

namespace ui {
class ClickableLabel;
}
namespace survey {
class SurveyHost;
class SurveyWindow;
} // namespace survey
class Analog;
class Digital;
class FileList;
class ListPlot;
class DataList;
class MemoryWindow;
class RealTimeList;
class RecordGraph;
class StripChart;
struct TableHost;

// A text colour of the panel's face and the background it stands on.
struct FaceInk {
    const char* what;
    QLatin1String text;
    QLatin1String background;
};

// The live views, in the order every sample feeds them.
enum class FeedStage { RecordGraph, LiveTable, Gauge, StripChart, Digital };

class Panel : public QMainWindow, public PollControl {
    Q_OBJECT
public:
    Panel(ui::PortBindings bindings, int comPortNumber, QWidget* parent = nullptr);
    ~Panel() override;

    // Opens the line and starts polling. False (with the reason) when the port cannot be opened.
    bool startUp(ui::OpenError* error = nullptr);
    // The message shown when start-up fails, with a hint when permission is the cause.
    static QString startUpFailureText(ui::OpenError error, const QString& detail = {});
    // The face's text colours, each with its background (they must stay legible).
    static QList<FaceInk> faceInks();

    SharedState& state() { return m_state; }
    ui::SerialLine& comm() { return *m_comm; }
    MeterLink& link() { return m_link; }

    // Every exchange outside the poll tick stops the poll first and starts it again afterwards.
    void stopPolling() override;
    void startPolling() override;
    bool pollingEnabled() const override { return m_session.pollingEnabled(); }
    bool inTick() const { return m_session.inTick(); }
    bool linkLost() const { return m_session.linkLost(); }
    MeterSession& session() { return m_session; }

    // A front-panel key, as if clicked.
    void pressKey(Key key);
    // A toolbar button, as if clicked (also the keys that no button carries, e.g. "Digital").
    void toolbarClick(const QString& key);
    // Registers what a toolbar key does; adding a command is one call.
    void setCommand(const QString& key, std::function<void()> command);

    // The wall clock the panel stamps samples with (tests put it across midnight).
    void setWallClock(std::function<QDateTime()> clock)
    {
        m_session.setWallClock(std::move(clock));
    }
    QDateTime now() const { return m_session.now(); }

    // A view's feeding step: gets the sample body, returns false to end this sample's feeding.
    using Feeder = std::function<bool(const QString& body)>;
    void setFeeder(FeedStage stage, Feeder feeder);
    Feeder feeder(FeedStage stage) const;
    // Closes a live view when the link is lost.
    void addLiveViewCloser(std::function<void()> closer);

    // Recording
    void startRecording();
    void stopRecording();
    RealTimeList* liveTable() const;
    RecordGraph* recordGraph() const;
    FileList* fileList() const;
    // The live strip chart and the list plot (every table's Plot button draws through it).
    StripChart* stripChart() const;
    ListPlot* listPlot() const;
    // The gauge and the digital display while they are open (null otherwise).
    Analog* analogGauge() const;
    Digital* digitalDisplay() const;
    // Takes a sample now, as the sample clock does when one is due.
    void takeSample();
    // Takes a sample stamped with the given time of day.
    void takeSample(const QDateTime& when);

    // The data-logger window (null while closed) and what "Plot" of a downloaded list does.
    MemoryWindow* memoryWindow() const;
    void setDataListPlotHandler(std::function<void(DataList&)> handler);
    // The downloaded list (null when none is open): the panel's, whichever Memory window filled
    // it; the next download replaces it.
    DataList* dataList() const;

    // The Survey window (null until the toolbar's Survey button first opens it).
    survey::SurveyWindow* surveyWindow() const;

    QString shownValue() const;
    QString shownUnit() const;
    int samplingSeconds() const;
    // A new sampling time, as the sampling-time dialog sets it.
    void setSamplingSeconds(int seconds);

signals:
    void tickFinished();
    void linkStateChanged(bool lost);
    void closed();
    // A new sampling time was entered (the sample clock restarts).
    void samplingTimeChanged(int seconds);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildFace();
    QFrame* buildDisplay(QWidget* parent);
    QFrame* buildStatus(QWidget* parent);
    QGridLayout* buildKeys(QWidget* parent);
    void buildToolbar();
    void wireSession();
    void feedViews(const QString& body);
    void recordingStopped();
    void recordFailed(const QString& file, const QString& why, int kept);
    void recordingFull(const QString& file, int records);
    void enterLinkLost();
    void leaveLinkLost();
    void registerCommands();
    void registerSettingsWindows();
    void registerCharts();
    void wireFileList(FileList* list);
    void registerViews();
    void openAnalog();
    void openDigital();
    void registerGraphs();
    void openRecordGraph();
    void registerLoggerCommands();
    void registerSurvey();
    void openSurvey();
    void openMemoryWindow();
    void closeMemoryWindow();
    DataList* newDataList();
    // What the data lists and the live table ask of the panel.
    TableHost tableHost();
    TableHost liveTableHost();
    void closeDataList();
    void openRecordFile();
    void openLiveTable();
    void eraseMemory();
    void applyUnitKeyRule();
    void closeLiveViews();
    bool showReading();
    bool blinkUnit(quint8 status);
    bool showAlarm();
    void samplingDialog();
    void toggleTitle();
    void setMeterControlsAvailable(bool on);
    QAction* addTool(const QString& key, const QString& tooltip, const QString& icon,
                     const QKeySequence& shortcut = {});

    SharedState m_state;
    std::unique_ptr<ui::SerialLine> m_comm;
    MeterLink m_link;
    MeterSession m_session; // its timers are Timer1 (poll) and Timer2 (sample clock)
    QPointer<RealTimeList> m_liveTable;
    QPointer<FileList> m_fileList;
    QPointer<StripChart> m_stripChart;
    QPointer<ListPlot> m_listPlot;
    QPointer<Analog> m_analog;
    QPointer<Digital> m_digital;
    QPointer<RecordGraph> m_recordGraph;
    std::map<FeedStage, Feeder> m_feeders;
    QList<std::function<void()>> m_liveViewClosers;
    QString m_titlePort; // " - COM1 (/dev/ttyUSB0)": panels side by side tell their meters apart
    bool m_samplingBoxAsked = false; // the sampling-time box is queued or open
    QHash<QString, std::function<void()>> m_commands;
    QPointer<MemoryWindow> m_memory;
    QPointer<DataList> m_dataList;
    std::function<void(DataList&)> m_dataListPlot;
    QPointer<survey::SurveyWindow> m_surveyWindow;
    survey::SurveyHost* m_surveyHost = nullptr; // a child of the panel

protected:
    // The controls other parts of the panel work with.
    QLabel* LblValue = nullptr;
    QLabel* LblUnit = nullptr;
    QLabel* ImageH = nullptr;
    QLabel* ImageP = nullptr;
    ui::ClickableLabel* LblComm = nullptr;
    QLabel* LblSampling = nullptr;
    QLabel* LblSample = nullptr;
    QLabel* Recording = nullptr;
    QLabel* LblCount = nullptr;
    QLabel* TitleFile = nullptr;
    QLabel* LblFileName = nullptr;
    QLabel* LblNote = nullptr; // stays until the next recording starts
    QLabel* OverText1 = nullptr;
    QLabel* OverText2 = nullptr;
    QPushButton* CmdRange = nullptr;
    QPushButton* CmdTesla = nullptr;
    QPushButton* CmdGauss = nullptr;
    QPushButton* CmdHold = nullptr;
    QPushButton* CmdPeak = nullptr;
    QLabel* LblTester = nullptr;
    QLabel* LblField = nullptr;
    QLabel* LblType = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QList<QAction*> m_buttons; // the 14 toolbar buttons in order
};

} // namespace veltrix
