// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's door to the Survey window: the toolbar button, the menu entry, and what the window
// is told of the live meter. A spot measurement takes the samples this panel's session takes
// anyway; polling, the live views and a recording go on as they are.

#include "panel/Panel.h"
#include "survey/SurveyHost.h"
#include "survey/SurveyWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace veltrix {

namespace {
class PanelSurveyHost : public survey::SurveyHost {
public:
    explicit PanelSurveyHost(Panel& panel) : survey::SurveyHost(&panel), m_panel(panel)
    {
        connect(&panel.session(), &MeterSession::sampleTaken, this, &SurveyHost::sampleTaken);
        connect(&panel, &Panel::linkStateChanged, this,
                [this](bool lost) { emit liveChanged(!lost && meterLive()); });
    }
    bool meterLive() const override
    {
        return m_panel.pollingEnabled() && !m_panel.linkLost() &&
               !m_panel.state().ModelCode.isEmpty();
    }
    int samplingSeconds() const override { return m_panel.samplingSeconds(); }
    Instrument instrument() const override
    {
        Instrument in;
        in.model = m_panel.state().ModelCode;
        return in;
    }

private:
    Panel& m_panel;
};
} // namespace

void Panel::registerSurvey()
{
    setCommand(QStringLiteral("Survey"), [this] { openSurvey(); });
    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("MnuTools"));
    QAction* entry = tools->addAction(tr("&Survey…"));
    entry->setObjectName(QStringLiteral("MnuToolsSurvey"));
    connect(entry, &QAction::triggered, this, [this] { toolbarClick(QStringLiteral("Survey")); });
}

void Panel::openSurvey()
{
    if (!m_surveyWindow) {
        if (!m_surveyHost)
            m_surveyHost = new PanelSurveyHost(*this);
        m_surveyWindow = new survey::SurveyWindow(m_surveyHost, this);
    }
    m_surveyWindow->show();
    m_surveyWindow->raise();
    m_surveyWindow->activateWindow();
}

survey::SurveyWindow* Panel::surveyWindow() const
{
    return m_surveyWindow;
}

} // namespace veltrix
