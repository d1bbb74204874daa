// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/Panel.h"

#include "link/Delay.h"
#include "link/ReadingDecoder.h"
#include "link/Timing.h"
#include "logger/AlarmSettings.h"
#include "panel/PanelVersion.h"
#include "records/FileList.h"
#include "records/ListPlot.h"
#include "records/RealTimeList.h"
#include "records/StripChart.h"
#include "survey/ReferenceLevels.h"
#include "survey/ReportDialog.h"
#include "survey/SurveyWindow.h"
#include "ui/Access.h"
#include "ui/ClickableLabel.h"
#include "ui/Dialogs.h"
#include "ui/LocaleText.h"
#include "views/RecordGraph.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

// Resources of a static library must be registered by hand.
static void initPanelResources()
{
    Q_INIT_RESOURCE(panel);
}

namespace veltrix {

namespace {
const QString NoCom = QStringLiteral("No Com");

// The panel looks like the meter's own face: a dark body, a greenish display, rounded keys. Its
// text colours keep a contrast of 4.5 : 1 against the lighter end of a dark gradient and the
// darker end of a light one.
namespace ink {
const QLatin1String BodyTop("#3d4450"), BodyBottom("#262b33"), BodyText("#e8ecf1");
const QLatin1String Tester("#f4d03f"), Caption("#b8c2cf"), RecordingMark("#ff9385");
const QLatin1String DisplayTop("#c9d6b4"), DisplayBottom("#aebf94"), DisplayText("#1a1f14");
const QLatin1String Alarm("#8a1c12");
const QLatin1String KeyTop("#5d6673"), KeyBottom("#3a414b"), KeyText("#f2f4f7");
const QLatin1String KeyDown("#2a2f36"), KeyOffText("#7d8590"), KeyOff("#353b44");
} // namespace ink

QString faceStyle()
{
    using namespace ink;
    return QStringLiteral(
               "#Body { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 "
               "%2); }"
               "#Body QLabel { color: %3; }"
               "#LblTester { font-size: 20pt; font-weight: bold; color: %4; }"
               "#LblField, #LblType { font-size: 10pt; color: %5; }"
               "#Display { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %6, "
               "stop:1 %7); border: 3px solid #14181d; border-radius: 8px; }"
               "#Display QLabel { color: %8; }"
               "#LblValue { font-family: 'DejaVu Sans Mono', monospace; font-size: 54pt; "
               "font-weight: bold; }"
               "#LblUnit { font-size: 22pt; font-weight: bold; }"
               "#OverText1, #OverText2 { font-size: 11pt; font-weight: bold; color: %9; }")
               .arg(BodyTop, BodyBottom, BodyText, Tester, Caption, DisplayTop, DisplayBottom,
                    DisplayText, Alarm) +
           QStringLiteral(
               "#Status QLabel { font-size: 9pt; }"
               "#Recording { color: %1; font-weight: bold; }"
               "#Body QLabel#LblNote { color: %2; }"
               "QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %3, "
               "stop:1 %4); color: %5; border: 2px solid #14181d; border-radius: 10px; "
               "font-weight: bold; padding: 6px; }"
               "QPushButton:pressed { background: %6; }"
               "QPushButton:focus { border-color: %2; }"
               "QPushButton:disabled { color: %7; background: %8; }")
               .arg(RecordingMark, Tester, KeyTop, KeyBottom, KeyText, KeyDown, KeyOffText, KeyOff);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QPushButton* makeKey(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::TabFocus);
    b->setMinimumSize(72, 40);
    return b;
}
// The sampling time's caption, "2 sec": its number is read back when the time is changed.
QString samplingCaption(int seconds)
{
    return Panel::tr("%1 sec").arg(wholeNumberText(seconds));
}

} // namespace

QList<FaceInk> Panel::faceInks()
{
    using namespace ink;
    return {{"text", BodyText, BodyTop},
            {"model", Tester, BodyTop},
            {"captions", Caption, BodyTop},
            {"recording", RecordingMark, BodyTop},
            {"display", DisplayText, DisplayBottom},
            {"OVER and UNDER", Alarm, DisplayBottom},
            {"keys", KeyText, KeyTop},
            {"pressed key", KeyText, KeyDown}};
}

Panel::Panel(ui::PortBindings bindings, int comPortNumber, QWidget* parent)
    : QMainWindow(parent), m_comm(std::make_unique<ui::SerialLine>(std::move(bindings))),
      m_link(*m_comm), m_session(m_link, m_state)
{
    initPanelResources();
    setObjectName(QStringLiteral("Panel"));
    setWindowTitle(PanelTitle);
    m_state.ComPortNumber = comPortNumber;

    // The serial line and the session are members; parenting them only makes them findable by
    // name (members go before the QObject base, which then has nothing left to delete).
    m_comm->setObjectName(QStringLiteral("Comm1"));
    m_comm->setParent(this);
    m_session.setParent(this);
    m_session.pollTimer().setObjectName(QStringLiteral("Timer1"));
    m_session.sampleTimer().setObjectName(QStringLiteral("Timer2"));
    m_session.watchLink();
    wireSession();

    buildFace();
    buildToolbar();
    setCommand(QStringLiteral("Sampling"), [this] { m_state.SamplingPromptPending = true; });
    registerCommands();
    registerSettingsWindows();
    registerGraphs();
    registerLoggerCommands();
    registerSurvey();
    // Every table's "Report…": records read from the meter add its model and the alarm levels.
    openReportsFromTables([panel = QPointer<Panel>(this)] {
        if (!panel)
            return MeterFacts{};
        const SharedState& s = panel->m_state;
        return MeterFacts{s.ModelCode, stats::alarmLevels(s.Overbox1, s.Overbox2,
                                                          s.AlarmUnit.value_or(Unit::MilliGauss))};
    });
    setFeeder(FeedStage::LiveTable, [this](const QString& body) {
        if (m_state.ListViewOpen && m_liveTable)
            m_liveTable->AppendLiveRow(body);
        return true;
    });
}

Panel::~Panel()
{
    // The tables hold references to this panel's state; they go with it.
    delete m_liveTable.data();
    delete m_fileList.data();
    delete m_stripChart.data();
    delete m_listPlot.data();
    delete m_recordGraph.data();
}

void Panel::buildFace()
{
    auto* body = new QFrame(this);
    body->setObjectName(QStringLiteral("Body"));
    body->setStyleSheet(faceStyle());

    LblTester = makeLabel(body, QStringLiteral("LblTester"), QStringLiteral("Veltrix"));
    LblField = makeLabel(body, QStringLiteral("LblField"), tr("ElectroMagnetic Field"));
    LblType = makeLabel(body, QStringLiteral("LblType"), tr("Data Logging"));
    QFrame* display = buildDisplay(body);
    QFrame* status = buildStatus(body);
    QGridLayout* keys = buildKeys(body);

    auto* header = new QHBoxLayout;
    header->addWidget(LblTester);
    header->addStretch();
    auto* headerRight = new QVBoxLayout;
    headerRight->addWidget(LblField, 0, Qt::AlignRight);
    headerRight->addWidget(LblType, 0, Qt::AlignRight);
    header->addLayout(headerRight);

    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(18, 12, 18, 16);
    layout->setSpacing(10);
    layout->addLayout(header);
    layout->addWidget(display);
    layout->addWidget(status);
    layout->addLayout(keys);
    setCentralWidget(body);
}

// The meter's display: value, unit, hold and peak marks, alarm marks.
QFrame* Panel::buildDisplay(QWidget* parent)
{
    auto* display = new QFrame(parent);
    display->setObjectName(QStringLiteral("Display"));
    LblValue = makeLabel(display, QStringLiteral("LblValue"));
    LblValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LblValue->setMinimumWidth(260);
    ui::makeReadout(LblValue, tr("Reading"));
    LblUnit = makeLabel(display, QStringLiteral("LblUnit"), QStringLiteral("mG"));
    LblUnit->setMinimumWidth(60);
    ImageH = makeLabel(display, QStringLiteral("ImageH"));
    ImageH->setPixmap(QIcon(QStringLiteral(":/panel/hold.svg")).pixmap(26, 26));
    ImageH->setToolTip(tr("Hold"));
    ImageP = makeLabel(display, QStringLiteral("ImageP"));
    ImageP->setPixmap(QIcon(QStringLiteral(":/panel/peak.svg")).pixmap(26, 26));
    ImageP->setToolTip(tr("Peak"));
    OverText1 = makeLabel(display, QStringLiteral("OverText1"), QStringLiteral("OVER"));
    OverText2 = makeLabel(display, QStringLiteral("OverText2"), QStringLiteral("UNDER"));
    OverText1->hide();
    OverText2->hide();
    // Marks come and go (blinking unit, flashing alarm); the display must not jump meanwhile.
    for (QWidget* mark : {static_cast<QWidget*>(LblUnit), static_cast<QWidget*>(ImageH),
                          static_cast<QWidget*>(ImageP), static_cast<QWidget*>(OverText1),
                          static_cast<QWidget*>(OverText2)}) {
        QSizePolicy policy = mark->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        mark->setSizePolicy(policy);
    }

    auto* dl = new QGridLayout(display);
    dl->setContentsMargins(14, 8, 14, 8);
    auto* marks = new QVBoxLayout;
    marks->addWidget(ImageH);
    marks->addWidget(ImageP);
    marks->addStretch();
    dl->addLayout(marks, 0, 0, 2, 1);
    dl->addWidget(LblValue, 0, 1, 2, 1);
    dl->addWidget(OverText1, 0, 2, Qt::AlignLeft | Qt::AlignTop);
    dl->addWidget(LblUnit, 1, 2, Qt::AlignLeft | Qt::AlignBottom);
    dl->addWidget(OverText2, 2, 1, 1, 2, Qt::AlignRight);
    dl->setColumnStretch(1, 1);
    dl->setRowMinimumHeight(2, 18);

    return display;
}

// Status lines: port, sampling time, recording, file.
QFrame* Panel::buildStatus(QWidget* parent)
{
    auto* status = new QFrame(parent);
    status->setObjectName(QStringLiteral("Status"));
    LblComm = new ui::ClickableLabel(status);
    LblComm->setObjectName(QStringLiteral("LblComm"));
    LblComm->setCursor(Qt::PointingHandCursor);
    connect(LblComm, &ui::ClickableLabel::clicked, this, &Panel::toggleTitle);
    LblSampling =
        makeLabel(status, QStringLiteral("LblSampling"), tr("PC Sampling Rate:"));
    LblSample = makeLabel(status, QStringLiteral("LblSample"), samplingCaption(2));
    Recording = makeLabel(status, QStringLiteral("Recording"), tr("Recording"));
    LblCount = makeLabel(status, QStringLiteral("LblCount"));
    TitleFile = makeLabel(status, QStringLiteral("TitleFile"), tr("File Name"));
    LblFileName = makeLabel(status, QStringLiteral("LblFileName"));
    LblNote = makeLabel(status, QStringLiteral("LblNote")); // why a recording ended by itself
    LblNote->setWordWrap(true);
    LblNote->hide();
    auto* sl = new QGridLayout(status);
    sl->setContentsMargins(0, 0, 0, 0);
    sl->addWidget(LblComm, 0, 0);
    sl->addWidget(LblSampling, 0, 1, Qt::AlignRight);
    sl->addWidget(LblSample, 0, 2);
    sl->addWidget(Recording, 1, 0);
    sl->addWidget(LblCount, 1, 1, Qt::AlignRight);
    sl->addWidget(TitleFile, 2, 0);
    sl->addWidget(LblFileName, 2, 1, 1, 2);
    sl->addWidget(LblNote, 3, 0, 1, 3);
    sl->setColumnStretch(1, 1);

    return status;
}

// The meter's five keys.
QGridLayout* Panel::buildKeys(QWidget* parent)
{
    CmdRange = makeKey(parent, QStringLiteral("CmdRange"), tr("Range"));
    CmdTesla = makeKey(parent, QStringLiteral("CmdTesla"), tr("G / T"));
    CmdGauss = makeKey(parent, QStringLiteral("CmdGauss"), tr("Peak"));
    CmdHold = makeKey(parent, QStringLiteral("CmdHold"), tr("Hold"));
    CmdPeak = makeKey(parent, QStringLiteral("CmdPeak"), tr("Record"));
    connect(CmdRange, &QPushButton::clicked, this, [this] { pressKey(Key::Range); });
    connect(CmdTesla, &QPushButton::clicked, this, [this] { pressKey(Key::Unit); });
    connect(CmdGauss, &QPushButton::clicked, this, [this] { pressKey(Key::Peak); });
    connect(CmdHold, &QPushButton::clicked, this, [this] { pressKey(Key::Hold); });
    connect(CmdPeak, &QPushButton::clicked, this, [this] { pressKey(Key::Record); });
    // Alt and the key's first letter (U for the unit key, E for the logger's rEcord key).
    CmdHold->setShortcut(Qt::ALT | Qt::Key_H);
    CmdGauss->setShortcut(Qt::ALT | Qt::Key_P);
    CmdRange->setShortcut(Qt::ALT | Qt::Key_R);
    CmdTesla->setShortcut(Qt::ALT | Qt::Key_U);
    CmdPeak->setShortcut(Qt::ALT | Qt::Key_E);
    CmdTesla->setAccessibleName(tr("Unit, gauss or tesla"));
    CmdPeak->setAccessibleDescription(tr("Starts or stops the meter's own data logger"));
    // Tab goes through the keys as they are read: top row left to right, then the bottom row.
    QPushButton* const order[] = {CmdHold, CmdGauss, CmdRange, CmdTesla, CmdPeak};
    for (int i = 1; i < 5; ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    auto* keys = new QGridLayout;
    keys->addWidget(CmdHold, 0, 0);
    keys->addWidget(CmdGauss, 0, 1);
    keys->addWidget(CmdRange, 0, 2);
    keys->addWidget(CmdTesla, 1, 0);
    keys->addWidget(CmdPeak, 1, 2);

    return keys;
}

QAction* Panel::addTool(const QString& key, const QString& tooltip, const QString& icon,
                        const QKeySequence& shortcut)
{
    auto* a = new QAction(QIcon(QStringLiteral(":/panel/%1.svg").arg(icon)), tooltip, Toolbar1);
    a->setObjectName(key);
    a->setToolTip(tooltip);
    a->setShortcut(shortcut);
    Toolbar1->addAction(a);
    if (QWidget* w = Toolbar1->widgetForAction(a)) {
        w->setObjectName(key);
        w->setFocusPolicy(Qt::TabFocus); // the toolbar is reached by Tab like any control
    }
    connect(a, &QAction::triggered, this, [this, key] { toolbarClick(key); });
    m_buttons.append(a);
    return a;
}

void Panel::buildToolbar()
{
    Toolbar1 = addToolBar(tr("Commands"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    addTool(QStringLiteral("SaveStop"), tr("Save As"), QStringLiteral("saveas"),
            Qt::CTRL | Qt::Key_R);
    addTool(QStringLiteral("Open"), tr("Open File"), QStringLiteral("open"), QKeySequence::Open);
    addTool(QStringLiteral("Graph"), tr("Graph"), QStringLiteral("graph"), Qt::CTRL | Qt::Key_G);
    addTool(QStringLiteral("Graph2"), tr("Record Graph"), QStringLiteral("graph2"),
            Qt::CTRL | Qt::SHIFT | Qt::Key_G);
    addTool(QStringLiteral("List"), tr("List"), QStringLiteral("list"), Qt::CTRL | Qt::Key_L);
    addTool(QStringLiteral("Analog"), tr("Analog"), QStringLiteral("analog"), Qt::CTRL | Qt::Key_N);
    addTool(QStringLiteral("Sampling"), tr("PC Sampling"), QStringLiteral("sampling"),
            Qt::CTRL | Qt::Key_T);
    addTool(QStringLiteral("TimeSet"), tr("System Time Set"), QStringLiteral("timeset"),
            Qt::CTRL | Qt::Key_K);
    addTool(QStringLiteral("Memory"), tr("Data Logger"), QStringLiteral("memory"),
            Qt::CTRL | Qt::Key_M);
    addTool(QStringLiteral("Delete"), tr("Erase Memory"), QStringLiteral("delete"));
    // Buttons 11 and 12 only hold the pictures button 1 shows while recording and while not.
    addTool(QStringLiteral("Stop"), tr("Stop"), QStringLiteral("stop"))->setVisible(false);
    addTool(QStringLiteral("SA"), tr("Save As"), QStringLiteral("saveas"))->setVisible(false);
    addTool(QStringLiteral("Alarm"), tr("Alarm"), QStringLiteral("alarm"),
            Qt::CTRL | Qt::SHIFT | Qt::Key_A);
    addTool(QStringLiteral("Survey"), tr("Survey"), QStringLiteral("survey"), Qt::CTRL | Qt::Key_U);
}

bool Panel::startUp(ui::OpenError* error)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft());
    m_comm->setCommPort(m_state.ComPortNumber);
    m_comm->setSettings(QStringLiteral("9600,n,8,1"));
    ui::OpenError e = ui::OpenError::None;
    if (!m_comm->portOpen())
        e = m_comm->setPortOpen(true);
    if (error)
        *error = e;
    if (e != ui::OpenError::None)
        return false;
    LblComm->setText(QStringLiteral("COM%1").arg(m_state.ComPortNumber));
    m_titlePort =
        QStringLiteral(" - COM%1 (%2)").arg(m_state.ComPortNumber).arg(m_comm->devicePath());
    setWindowTitle(PanelTitle + m_titlePort);
    LblSample->setText(samplingCaption(2));
    Recording->hide();
    ImageH->hide();
    ImageP->hide();
    startPolling();
    m_state.ModelQueryPending = true;
    m_state.RecordingOn = false;
    return true;
}

QString Panel::startUpFailureText(ui::OpenError error, const QString& detail)
{
    QString text = tr("No device found, try again!");
    if (error == ui::OpenError::PermissionDenied)
        text += QLatin1Char('\n') + ui::SerialLine::describe(error);
    else if (error == ui::OpenError::Locked) // names the program that holds the port
        text += QLatin1Char('\n') + (detail.isEmpty() ? ui::SerialLine::describe(error) : detail);
    return text;
}

void Panel::stopPolling()
{
    m_session.stopPolling();
}

void Panel::startPolling()
{
    m_session.startPolling();
}

void Panel::wireSession()
{
    // The unit blinks before the flags of the answer are taken, the alarm flashes after the
    // value is shown: the tick lasts both, as on the meter's own face.
    m_session.beforeDecode = [this](quint8 status) { return blinkUnit(status); };
    m_session.afterDecode = [this] { return showReading(); };
    connect(&m_session, &MeterSession::tickFinished, this, &Panel::tickFinished);
    connect(&m_session, &MeterSession::linkStateChanged, this, [this](bool lost) {
        if (lost)
            enterLinkLost();
        else
            leaveLinkLost();
    });
    connect(&m_session, &MeterSession::sampleTaken, this,
            [this](const QDateTime&, const QString& body) { feedViews(body); });
    Recorder& recorder = m_session.recorder();
    connect(&recorder, &Recorder::recordWritten, this, [this](int inFile) {
        m_state.RecordCount = inFile;
        LblCount->setText(QString::number(inFile));
    });
    connect(&recorder, &Recorder::stopped, this, &Panel::recordingStopped);
    connect(&recorder, &Recorder::writeFailed, this, &Panel::recordFailed);
    connect(&recorder, &Recorder::full, this, &Panel::recordingFull);
}

bool Panel::showReading()
{
    if (m_state.Flags.GaussFlag)
        LblUnit->setText(QStringLiteral("mG"));
    if (m_state.Flags.TeslaFlag)
        LblUnit->setText(QStringLiteral("uT"));
    ImageH->setVisible(m_state.Flags.HoldFlag);
    ImageP->setVisible(m_state.Flags.PeakFlag);
    LblValue->setText(ui::decimalText(m_session.shown()));
    ui::announceReading(LblValue, ui::readingText(LblValue->text(), LblUnit->text()));

    QPointer<Panel> self(this);
    if (!showAlarm() || !self)
        return false;
    if (m_state.SamplingPromptPending && !m_samplingBoxAsked) {
        // The box is asked for once this tick has ended, so polling (and the watch on the link)
        // goes on while it is open and every sample taken meanwhile holds a fresh reading.
        m_samplingBoxAsked = true;
        QMetaObject::invokeMethod(this, &Panel::samplingDialog, Qt::QueuedConnection);
    }
    return true;
}

bool Panel::blinkUnit(quint8 status)
{
    const auto code = blinkCode(status);
    if (!code)
        return true;
    if (*code == 0) {
        LblUnit->show();
        return true;
    }
    const double half = *code == 1 ? timing::BlinkSlow : timing::BlinkFast;
    QPointer<QLabel> unit(LblUnit);
    unit->hide();
    if (!Delay(half) || !unit)
        return false;
    unit->show();
    return Delay(half) && unit;
}

bool Panel::showAlarm()
{
    const auto [high, low] =
        alarmThresholdsAsShown(m_state, m_state.Flags.TeslaFlag, m_state.Flags.GaussFlag);
    const AlarmMarks marks =
        alarmMarks(m_session.shown(), high, low, alarmSwitchText(m_state.EnableDisable));
    QPointer<Panel> self(this);
    const auto apply = [&](QLabel* label, Mark mark) {
        if (mark == Mark::Hide) {
            label->hide();
        } else if (mark == Mark::Show) {
            label->show();
            if (!Delay(timing::AlarmFlash) || !self)
                return false;
            label->hide();
        }
        return true;
    };
    return apply(OverText1, marks.over) && apply(OverText2, marks.under);
}

void Panel::samplingDialog()
{
    m_state.SamplingPromptPending = false;
    const QString current = wholeNumberText(leadingNumber(LblSample->text()));
    QPointer<Panel> self(this);
    const QString answer = ui::Dialogs::current().inputBox(
        this, tr("Enter the SAMPLING TIME in seconds") + QStringLiteral("\r\n(1 <= t <= 86400 ) "),
        tr("Input Sampling Time"), current);
    if (!self || quitting())
        return;
    m_samplingBoxAsked = false;
    if (const auto t = parseSamplingAnswer(answer))
        setSamplingSeconds(*t);
}

void Panel::setSamplingSeconds(int seconds)
{
    LblSample->setText(samplingCaption(seconds));
    m_session.setSamplingSeconds(seconds); // the next sample is taken at once
    emit samplingTimeChanged(seconds);
}

void Panel::pressKey(Key key)
{
    QPointer<Panel> self(this);
    // Pressed while another exchange holds the line (a set downloading), polling stays with that
    // exchange, which starts it again when it ends; restarted here, a poll would empty the
    // buffer under the download.
    const PollPause pause(this);
    if (key == Key::Record && m_link.replyArriving()) {
        // The meter's logger starts or stops under the Memory window, which goes; the set it
        // was sending must be over before the key goes out, or the meter gets it mid-reply.
        closeMemoryWindow();
        if (!m_link.awaitQuiet(m_link.replyTimeLeft()) || !self)
            return;
    } else if (key == Key::Record) {
        closeMemoryWindow();
    }
    const QByteArray letter = keyCommand(key, m_state.ModelCode, m_state.Flags.GaussFlag);
    m_link.output(letter);
    for (double wait : keyWaits(key, m_state.ModelCode)) {
        if (!Delay(wait) || !self)
            return;
    }
}

void Panel::toggleTitle()
{
    const QString plain = PanelTitle + m_titlePort;
    setWindowTitle(windowTitle() != plain ? plain : PanelTitleWithBuild + m_titlePort);
}

void Panel::setCommand(const QString& key, std::function<void()> command)
{
    m_commands[key] = std::move(command);
}

void Panel::toolbarClick(const QString& key)
{
    m_state.GaugeFullScale = m_state.Flags.GaussFlag ? 2000 : 200;
    const auto it = m_commands.constFind(key);
    if (it != m_commands.constEnd() && *it)
        (*it)();
}

QString Panel::shownValue() const
{
    return m_session.shown();
}

QString Panel::shownUnit() const
{
    return LblUnit->text();
}

int Panel::samplingSeconds() const
{
    return m_session.samplingSeconds();
}

void Panel::setMeterControlsAvailable(bool on)
{
    // Buttons 1 and 3 to 10 talk to the meter or need its readings.
    for (int i = 0; i < m_buttons.size() && i < 10; ++i) {
        if (i != 1)
            m_buttons[i]->setVisible(on);
    }
    for (QPushButton* k : {CmdTesla, CmdGauss, CmdPeak, CmdRange, CmdHold})
        k->setEnabled(on);
}

// The session has stopped polling and the recording; the meter is identified again once it
// answers.
void Panel::enterLinkLost()
{
    LblComm->setText(NoCom);
    m_state.ModelQueryPending = true;
    closeLiveViews();
    setMeterControlsAvailable(false);
    LblType->setText(QString());
    emit linkStateChanged(true);
}

void Panel::leaveLinkLost()
{
    setMeterControlsAvailable(true);
    Toolbar1->show();
    LblComm->setText(QStringLiteral("Com%1").arg(m_state.ComPortNumber));
    emit linkStateChanged(false);
}

void Panel::closeEvent(QCloseEvent* e)
{
    // Closing the panel ends the program, with every other window (the program quits on
    // closed(); a wait in progress then unwinds).
    // A survey with changes not saved keeps it open if the user says so.
    if (m_surveyWindow && m_surveyWindow->isVisible() && !m_surveyWindow->close()) {
        e->ignore();
        return;
    }
    stopPolling();
    m_session.stopSampleClock();
    if (m_state.RecordingOn)
        stopRecording();
    e->accept();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
    emit closed();
}

} // namespace veltrix
