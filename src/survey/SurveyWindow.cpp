// SPDX-License-Identifier: GPL-3.0-or-later
// The Survey window's frame: its actions, panes and files, and the undo stack every change goes
// through. The tree, the point and the spot measurement are in SurveyWindowPoints.cpp.

#include "survey/SurveyWindow.h"

#include "survey/FloorPlanView.h"
#include "survey/Named.h"
#include "survey/ProjectReport.h"
#include "survey/SurveyDetailsDialog.h"
#include "survey/SurveyHost.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QUndoCommand>
#include <QVBoxLayout>

namespace veltrix::survey {

namespace {
const QString SurveyFilter = QStringLiteral("Survey files (*.vsurvey)|*.vsurvey|");
const QString PdfFilter = QStringLiteral("PDF files (*.pdf)|*.pdf|");

// A change to the survey as the survey before and after it.
class SurveyEdit : public QUndoCommand {
public:
    SurveyEdit(std::function<void(const Survey&)> apply, Survey before, Survey after,
               const QString& text)
        : QUndoCommand(text), m_apply(std::move(apply)), m_before(std::move(before)),
          m_after(std::move(after))
    {
    }
    void undo() override { m_apply(m_before); }
    void redo() override { m_apply(m_after); }

private:
    std::function<void(const Survey&)> m_apply;
    Survey m_before, m_after;
};

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = named(new QPushButton(text, parent), name, QString(text).remove(QLatin1Char('&')));
    return b;
}
} // namespace

SurveyWindow::SurveyWindow(SurveyHost* host, QWidget* parent) : QMainWindow(parent), m_host(host)
{
    setObjectName(QStringLiteral("Survey"));
    setWindowFlag(Qt::Window);
    buildActions();

    auto* splitter = new QSplitter(this);
    splitter->setObjectName(QStringLiteral("SplitSurvey"));
    splitter->addWidget(buildTreePane());
    auto* right = new QSplitter(Qt::Vertical, splitter);
    right->setObjectName(QStringLiteral("SplitPlan"));
    m_plan = new FloorPlanView(right); // a splitter takes its children in as panes
    right->addWidget(buildPointPane());
    right->setStretchFactor(0, 1);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({400, 520});
    setCentralWidget(splitter);
    statusBar()->setObjectName(QStringLiteral("StatusSurvey"));

    connect(m_plan, &FloorPlanView::placeClicked, this, &SurveyWindow::placeChosen);
    connect(&m_undo, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    if (m_host) {
        connect(m_host, &SurveyHost::liveChanged, this, &SurveyWindow::hostLiveChanged);
        // The meter is identified again some polls after it came back: its next sample says so.
        connect(m_host, &SurveyHost::sampleTaken, this, [this] {
            if (!CmdMeasure->isEnabled() && !measuring())
                updateMeasureControls();
        });
    }
    resize(920, 640);
    Survey fresh = survey::newSurvey();
    if (m_host)
        fresh.instrument = m_host->instrument();
    startAfresh(fresh, {});
}

SurveyWindow::~SurveyWindow()
{
    disconnect(m_spotFeed);
}

void SurveyWindow::buildActions()
{
    QMenu* file = menuBar()->addMenu(tr("&Survey"));
    file->setObjectName(QStringLiteral("MnuSurveyFile"));
    QToolBar* tools = addToolBar(tr("Survey"));
    tools->setObjectName(QStringLiteral("ToolSurvey"));
    tools->setMovable(false);
    const auto add = [&](const char* name, const QString& text, QKeySequence key,
                         const std::function<void()>& slot, bool onToolbar) {
        auto* a = new QAction(text, this);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        file->addAction(a);
        if (onToolbar)
            tools->addAction(a);
        return a;
    };
    add(
        "ActNew", tr("&New"), QKeySequence::New, [this] { newSurvey(); }, true);
    add(
        "ActOpen", tr("&Open…"), QKeySequence::Open, [this] { open(); }, true);
    add(
        "ActSave", tr("&Save"), QKeySequence::Save, [this] { save(); }, true);
    add(
        "ActSaveAs", tr("Save &As…"), QKeySequence::SaveAs, [this] { saveAs(); }, false);
    file->addSeparator();
    add(
        "ActDetails", tr("&Details…"), {}, [this] { editDetails(); }, true);
    add(
        "ActOpenPlan", tr("Open &plan…"), {}, [this] { openPlan(); }, true);
    add(
        "ActBlankPlan", tr("&Blank grid"), {}, [this] { blankPlan(); }, false);
    add(
        "ActReport", tr("&Report…"), {}, [this] { writeReport(); }, true);
    // Ctrl+W: the keyboard's way to close the window where no window manager offers one.
    add(
        "ActClose", tr("&Close"), QKeySequence::Close, [this] { close(); }, false);
    file->addSeparator();
    // Short captions on the toolbar; what they undo or redo is in their tips.
    QAction* undo = add(
        "ActUndo", tr("&Undo"), QKeySequence::Undo, [this] { m_undo.undo(); }, false);
    QAction* redo = add(
        "ActRedo", tr("R&edo"), QKeySequence::Redo, [this] { m_undo.redo(); }, false);
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(&m_undo, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&m_undo, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&m_undo, &QUndoStack::undoTextChanged, undo, &QAction::setToolTip);
    connect(&m_undo, &QUndoStack::redoTextChanged, redo, &QAction::setToolTip);
    tools->addActions({undo, redo});
    tools->addSeparator();
    auto* sessionLabel = new QLabel(tr("Sess&ion:"), tools);
    ComboSession = named(new QComboBox(tools), "ComboSession", tr("Session"));
    ComboSession->setMinimumContentsLength(10);
    sessionLabel->setBuddy(ComboSession);
    tools->addWidget(sessionLabel);
    tools->addWidget(ComboSession);
    connect(ComboSession, &QComboBox::activated, this, &SurveyWindow::sessionChosen);
}

QWidget* SurveyWindow::buildTreePane()
{
    auto* pane = new QWidget(this);
    TreePoints = named(new QTreeWidget(pane), "TreePoints", tr("Rooms and points"));
    TreePoints->setHeaderLabels(
        {tr("Room / point"), tr("Mean"), tr("Max"), tr("95 %"), tr("Band")});
    TreePoints->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TreePoints->setRootIsDecorated(true);
    connect(TreePoints, &QTreeWidget::currentItemChanged, this, [this] {
        fillPoint();
        fillPlan();
        updateMeasureControls();
    });
    auto* buttons = new QHBoxLayout;
    const std::pair<QPushButton*, void (SurveyWindow::*)()> commands[] = {
        {button(pane, "CmdAddRoom", tr("Add &room")), &SurveyWindow::addRoom},
        {button(pane, "CmdAddPoint", tr("Add &point")), &SurveyWindow::addPoint},
        {button(pane, "CmdRename", tr("Re&name")), &SurveyWindow::renameChosen},
        {button(pane, "CmdDelete", tr("&Delete")), &SurveyWindow::deleteChosen},
    };
    for (const auto& [b, slot] : commands) {
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TreePoints);
    layout->addLayout(buttons);
    return pane;
}

QWidget* SurveyWindow::buildPointPane()
{
    auto* pane = new QWidget(this);
    pane->setObjectName(QStringLiteral("PanePoint"));
    LblPoint = new QLabel(pane);
    LblPoint->setObjectName(QStringLiteral("LblPoint"));
    LblPoint->setStyleSheet(QStringLiteral("font-weight: bold;"));
    LblFigures = new QLabel(pane);
    LblFigures->setObjectName(QStringLiteral("LblFigures"));
    LblFigures->setWordWrap(true);
    LblFigures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblPhoto = new QLabel(pane);
    LblPhoto->setObjectName(QStringLiteral("LblPhoto"));
    ListMeasurements = named(new QListWidget(pane), "ListMeasurements", tr("Measurements"));
    CmdDeleteMeasurement = button(pane, "CmdDeleteMeasurement", tr("Delete &measurement"));
    auto* attachRecording = button(pane, "CmdAttachRecording", tr("Attach re&cording…"));
    auto* attachSet = button(pane, "CmdAttachLoggerSet", tr("Attach &logger set…"));
    auto* photo = button(pane, "CmdAddPhoto", tr("Add p&hoto…"));
    connect(CmdDeleteMeasurement, &QPushButton::clicked, this, &SurveyWindow::deleteMeasurement);
    connect(attachRecording, &QPushButton::clicked, this, &SurveyWindow::attachRecording);
    connect(attachSet, &QPushButton::clicked, this, &SurveyWindow::attachLoggerSet);
    connect(photo, &QPushButton::clicked, this, &SurveyWindow::addPhoto);
    m_pointControls = {CmdDeleteMeasurement, attachRecording, attachSet, photo};

    auto* left = new QVBoxLayout;
    left->addWidget(LblPoint);
    left->addWidget(LblFigures);
    left->addWidget(buildMeasureRow(pane));
    left->addWidget(LblPhoto, 1, Qt::AlignLeft | Qt::AlignTop);
    auto* commands = new QGridLayout;
    commands->addWidget(attachRecording, 0, 0);
    commands->addWidget(attachSet, 0, 1);
    commands->addWidget(photo, 1, 0);
    commands->addWidget(CmdDeleteMeasurement, 1, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(ListMeasurements);
    right->addLayout(commands);
    auto* layout = new QHBoxLayout(pane);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);
    return pane;
}

QWidget* SurveyWindow::buildMeasureRow(QWidget* parent)
{
    auto* row = new QWidget(parent);
    SpinMeasureSeconds = named(new QSpinBox(row), "SpinMeasureSeconds", tr("Measuring time"));
    SpinMeasureSeconds->setRange(1, 24 * 3600);
    SpinMeasureSeconds->setValue(30);
    SpinMeasureSeconds->setSuffix(tr(" s"));
    CmdMeasure = button(row, "CmdMeasure", tr("Measure h&ere"));
    CmdCancelMeasure = button(row, "CmdCancelMeasure", tr("Cancel"));
    ProgressMeasure = new QProgressBar(row);
    ProgressMeasure->setObjectName(QStringLiteral("ProgressMeasure"));
    ProgressMeasure->setFormat(tr("%v of %m s"));
    connect(CmdMeasure, &QPushButton::clicked, this, &SurveyWindow::startMeasurement);
    connect(CmdCancelMeasure, &QPushButton::clicked, this, &SurveyWindow::cancelMeasurement);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SpinMeasureSeconds);
    layout->addWidget(CmdMeasure);
    layout->addWidget(ProgressMeasure, 1);
    layout->addWidget(CmdCancelMeasure);
    return row;
}

// --- The survey and its changes

void SurveyWindow::edit(const QString& text, const std::function<void(Survey&)>& change)
{
    Survey after = m_survey;
    change(after);
    m_undo.push(new SurveyEdit([this](const Survey& s) { replaceSurvey(s); }, m_survey,
                               std::move(after), text));
}

void SurveyWindow::replaceSurvey(const Survey& survey)
{
    m_survey = survey;
    refresh();
}

// A survey of its own: a new one or one opened. Nothing to undo; the figures worked out for the
// last one mean nothing for this one (its ids may repeat).
void SurveyWindow::startAfresh(const Survey& survey, const QString& path)
{
    m_undo.clear();
    m_figures.clear();
    m_path = path;
    m_session = survey.sessions.value(0);
    const QString name = path.isEmpty() ? tr("untitled") : QFileInfo(path).fileName();
    setWindowTitle(tr("Survey - %1[*]").arg(name));
    setWindowModified(false);
    replaceSurvey(survey);
    TreePoints->setCurrentItem(TreePoints->topLevelItem(0));
}

bool SurveyWindow::askDiscard()
{
    if (m_undo.isClean())
        return true;
    return ui::Dialogs::current().message(
               this, tr("The survey has changes that are not saved. Discard them?"),
               ui::MsgButtons::OkCancel, ui::MsgIcon::Exclamation,
               tr("Survey")) == ui::MsgResult::Ok;
}

void SurveyWindow::refuse(const QString& text)
{
    ui::Dialogs::current().message(this, text, ui::MsgButtons::Ok, ui::MsgIcon::Exclamation,
                                   tr("Survey"));
}

void SurveyWindow::newSurvey()
{
    if (measuring() || !askDiscard())
        return;
    Survey fresh = survey::newSurvey();
    if (m_host)
        fresh.instrument = m_host->instrument();
    startAfresh(fresh, {});
}

void SurveyWindow::open()
{
    if (measuring() || !askDiscard())
        return;
    const auto path = ui::Dialogs::current().openFile(this, SurveyFilter);
    if (!path)
        return;
    QString error;
    const std::optional<Survey> opened = survey::load(*path, &error);
    if (!opened)
        return refuse(error);
    startAfresh(*opened, *path);
}

bool SurveyWindow::save()
{
    if (m_path.isEmpty())
        return saveAs();
    QString error;
    if (!survey::save(m_path, m_survey, &error)) {
        refuse(error);
        return false;
    }
    m_undo.setClean();
    statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(m_path).fileName()), 5000);
    return true;
}

bool SurveyWindow::saveAs()
{
    const auto path = ui::Dialogs::current().saveFile(this, SurveyFilter);
    if (!path)
        return false;
    QString chosen = *path;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".vsurvey");
    const QString before = m_path;
    m_path = chosen;
    if (save()) {
        setWindowTitle(tr("Survey - %1[*]").arg(QFileInfo(chosen).fileName()));
        return true;
    }
    m_path = before;
    return false;
}

void SurveyWindow::writeReport()
{
    const auto path = ui::Dialogs::current().saveFile(this, PdfFilter);
    if (!path)
        return;
    QString error;
    if (!writeProjectReport(*path, m_survey, &error))
        return refuse(tr("The report could not be written: %1").arg(error));
    statusBar()->showMessage(tr("Report written to %1").arg(QFileInfo(*path).fileName()), 5000);
}

void SurveyWindow::editDetails()
{
    SurveyDetailsDialog dialog(m_survey, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    edit(tr("Details"), [&dialog](Survey& s) { dialog.applyTo(s); });
}

void SurveyWindow::closeEvent(QCloseEvent* event)
{
    if (!askDiscard()) {
        event->ignore();
        return;
    }
    if (measuring())
        cancelMeasurement();
    event->accept();
}

void SurveyWindow::changeEvent(QEvent* event)
{
    // Polling pauses while another window talks to the meter: looked at again on coming back.
    if (event->type() == QEvent::ActivationChange)
        updateMeasureControls();
    QMainWindow::changeEvent(event);
}

} // namespace veltrix::survey
