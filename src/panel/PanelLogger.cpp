// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's data-logger commands: the Memory window and the lists downloaded from it.

#include "logger/DataList.h"
#include "logger/MemoryWindow.h"
#include "panel/Panel.h"
#include "records/ReportSource.h"

#include <QAction>

namespace veltrix {

void Panel::registerLoggerCommands()
{
    setCommand(QStringLiteral("Memory"), [this] { openMemoryWindow(); });
    addLiveViewCloser([this] { closeMemoryWindow(); });
}

MemoryWindow* Panel::memoryWindow() const
{
    return m_memory;
}

void Panel::setDataListPlotHandler(std::function<void(DataList&)> handler)
{
    m_dataListPlot = std::move(handler);
    if (m_memory)
        m_memory->setPlotHandler(m_dataListPlot);
    if (m_dataList)
        m_dataList->plotAction()->setEnabled(bool(m_dataListPlot));
}

DataList* Panel::dataList() const
{
    return m_dataList;
}

TableHost Panel::tableHost()
{
    TableHost host;
    host.poll = this;
    host.recording = [this] { return m_state.RecordingOn; };
    return host;
}

TableHost Panel::liveTableHost()
{
    TableHost host = tableHost();
    host.describe = [this](ReportSource& source) {
        source.samplingSeconds = m_state.SecText1;
    };
    return host;
}

DataList* Panel::newDataList()
{
    closeDataList();
    auto* list = new DataList(tableHost(), this);
    m_dataList = list;
    list->plotAction()->setEnabled(bool(m_dataListPlot));
    // The panel draws it, so Plot works after the Memory window has gone.
    connect(list, &DataList::plotRequested, this, [this, list] {
        if (m_dataListPlot)
            m_dataListPlot(*list);
    });
    return list;
}

void Panel::closeDataList()
{
    if (m_dataList)
        m_dataList->close();
}

void Panel::closeMemoryWindow()
{
    if (m_memory && m_memory->isVisible())
        m_memory->close();
}

void Panel::openMemoryWindow()
{
    // Every opening rebuilds the window from a fresh directory.
    if (m_memory)
        m_memory->close();
    // A locked meter keeps its memory to itself: nothing is sent.
    if (m_state.Flags.MemoryLockFlag)
        return;
    LoggerHost host;
    host.link = &m_link;
    host.poll = this;
    host.shownValue = [this] { return shownValue(); };
    host.overload = [this] { return m_state.OverloadFlag; };
    host.showFlags = [this](const StatusFlags& flags) { m_state.Flags = flags; };
    host.now = [this] { return now(); };
    host.panel = this;
    host.closeDataList = [this] { closeDataList(); };
    host.newDataList = [this] { return newDataList(); };
    auto* memory = new MemoryWindow(std::move(host), this);
    m_memory = memory;
    memory->setPlotHandler(m_dataListPlot);
    memory->move(frameGeometry().left(), frameGeometry().bottom() + 8);
    memory->readDirectory();
}

} // namespace veltrix
