// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's live views: the analog gauge and the digital display, the View menu that opens
// every live view, and their steps in the feeding of each sample.

#include "panel/Panel.h"
#include "views/Analog.h"
#include "views/Digital.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace veltrix {

namespace {
// Turns a double-click on a watched widget into a call.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_action();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

struct ViewEntry {
    const char* name; // object name of the menu entry
    const char* key;  // toolbar key it clicks
    const char* text;
};
const ViewEntry ViewEntries[] = {
    {"MnuViewDigital", "Digital", QT_TRANSLATE_NOOP("veltrix::Panel", "&Digital Display")},
    {"MnuViewAnalog", "Analog", QT_TRANSLATE_NOOP("veltrix::Panel", "&Analog Gauge")},
    {"MnuViewGraph", "Graph", QT_TRANSLATE_NOOP("veltrix::Panel", "&Strip Chart")},
    {"MnuViewGraph2", "Graph2", QT_TRANSLATE_NOOP("veltrix::Panel", "&Record Graph")},
    {"MnuViewList", "List", QT_TRANSLATE_NOOP("veltrix::Panel", "&Live Table")},
};
} // namespace

void Panel::registerViews()
{
    setCommand(QStringLiteral("Analog"), [this] { openAnalog(); });
    setCommand(QStringLiteral("Digital"), [this] { openDigital(); });

    setFeeder(FeedStage::Gauge, [this](const QString&) {
        if (!m_state.AnalogOpen || !m_analog)
            return true;
        // A unit change relabels the dial and ends this sample's feeding.
        return m_analog->UpdateGaugeNeedle();
    });
    setFeeder(FeedStage::Digital, [this](const QString&) {
        if (m_state.DigitalOpen && m_digital)
            m_digital->feed(shownValue(), LblUnit->text());
        return true;
    });
    // The gauge goes with the link; the digital display stays and keeps the last reading.
    addLiveViewCloser([this] {
        if (m_state.AnalogOpen && m_analog)
            m_analog->close();
    });

    // Every live view from one menu, also the digital display that no toolbar button opens.
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("MnuView"));
    for (const ViewEntry& entry : ViewEntries) {
        const QString key = QString::fromLatin1(entry.key);
        QAction* a = view->addAction(tr(entry.text));
        a->setObjectName(QString::fromLatin1(entry.name));
        connect(a, &QAction::triggered, this, [this, key] { toolbarClick(key); });
    }
    // An entry is available when its command is, and while its toolbar button is.
    connect(view, &QMenu::aboutToShow, this, [this, view] {
        for (QAction* a : view->actions()) {
            const QString key = a->objectName().mid(int(qstrlen("MnuView")));
            bool on = m_commands.contains(key);
            if (QAction* button = Toolbar1->findChild<QAction*>(key))
                on = on && button->isEnabled() && button->isVisible();
            a->setEnabled(on);
        }
    });

    LblValue->installEventFilter(
        new DoubleClickFilter(LblValue, [this] { toolbarClick(QStringLiteral("Digital")); }));
    LblValue->setToolTip(tr("Double-click for the large display"));
}

void Panel::openAnalog()
{
    m_state.AnalogOpen = true;
    if (!m_analog) {
        GaugeSource source;
        source.unit = [this] { return unitOf(LblUnit->text()); };
        source.reading = [this] { return m_state.ReadingText; };
        source.fullScale = [this] { return m_state.GaugeFullScale; };
        m_analog = new Analog(std::move(source), this);
        connect(m_analog, &Analog::fullScaleChanged, this,
                [this](int fullScale) { m_state.GaugeFullScale = fullScale; });
        connect(m_analog, &Analog::closed, this, [this] { m_state.AnalogOpen = false; });
        m_analog->placeBeside(frameGeometry());
    }
    m_analog->setScaleUnit(unitOf(LblUnit->text()));
    m_analog->show();
    m_analog->raise();
}

void Panel::openDigital()
{
    m_state.DigitalOpen = true;
    if (!m_digital) {
        m_digital = new Digital(this);
        connect(m_digital, &Digital::closed, this, [this] { m_state.DigitalOpen = false; });
        m_digital->placeBeside(frameGeometry());
    }
    m_digital->show();
    m_digital->raise();
}

Analog* Panel::analogGauge() const
{
    return m_analog;
}

Digital* Panel::digitalDisplay() const
{
    return m_digital;
}

} // namespace veltrix
