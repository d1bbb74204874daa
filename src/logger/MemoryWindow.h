// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Memory window: the meter's data-logger directory (memory in use, the logged sets, the
// identification code and logging interval), the meter clock, the download of one set into
// DataList, the logger settings, and a backup of every set into a folder.
//
// Every exchange stops the panel's polling and starts it again however it ends; while one runs
// the window's controls that would start another are disabled. Closing the window in the middle
// of an exchange ends the exchange at its next look at the line.

#include "logger/LoggerExchange.h"
#include "logger/LoggerProtocol.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace veltrix {

struct PollControl;
struct StatusFlags;
class DataList;

namespace ui {
class Grid;
}

// What the window needs of the panel.
struct LoggerHost {
    MeterLink* link = nullptr;
    PollControl* poll = nullptr;
    // The value the panel shows now (an invalid logged reading takes it, as on the panel).
    std::function<QString()> shownValue;
    // The panel's overload state, which the first record of a set continues.
    std::function<bool()> overload;
    // A downloaded set's marks (unit, hold, peak, range), which the panel keeps until its next
    // poll.
    std::function<void(const StatusFlags&)> showFlags;
    // The PC clock (its century completes the meter's two-digit years).
    std::function<QDateTime()> now;
    // Where DataList goes: its left edge at this window's right edge.
    QPointer<QWidget> panel;
    // The downloaded list belongs to the panel, so that it outlives this window and its Plot
    // keeps working: closes the open one, and makes a new one (wired to the panel's plot).
    // Without them the list is this window's own, and is not saved while `recording` says a
    // recording runs.
    std::function<void()> closeDataList;
    std::function<DataList*()> newDataList;
    std::function<bool()> recording;
};

class MemoryWindow : public QWidget {
    Q_OBJECT
public:
    explicit MemoryWindow(LoggerHost host, QWidget* parent = nullptr);
    ~MemoryWindow() override;

    // The "Y" then "I" exchange; the window shows itself once the memory status has arrived.
    // False when it was closed meanwhile or the program is quitting.
    bool readDirectory();
    // CmdC: reads and shows the meter clock.
    void readClock();
    // A click on set `row` of the list: its download into DataList.
    void downloadSet(int row);
    // CmdIDCode, CmdSampling (and Enter in TxtSampling).
    void writeIdCode();
    void writeInterval();
    // CmdSaveAll: every set into a record file of its own in a folder the user picks
    // (SaveAllSets.cpp).
    void saveAllSets();

    QList<logger::SetInfo> sets() const { return m_sets; }
    bool busy() const { return m_busy > 0; }
    // The latest downloaded list (null when none is open).
    DataList* dataList() const { return m_dataList; }
    // Called with every new DataList's plot request; its "Plot" stays disabled until set.
    void setPlotHandler(std::function<void(DataList&)> handler);

signals:
    // A download ended (complete or not); DataList holds what arrived.
    void downloadFinished(bool complete);
    void directoryRead(bool complete);
    void saveAllFinished(int saved, int failed);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Marks an exchange running: controls disabled, deletion deferred until the last one ends.
    class BusyScope {
    public:
        explicit BusyScope(MemoryWindow* w);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        QPointer<MemoryWindow> m_w;
    };
    void setControlsEnabled(bool on);
    bool keepGoing() const;
    int century() const;
    void report(const QString& what, const logger::Reply& reply);
    // The list for a downloaded set: the panel's, or without one this window's own.
    DataList* newDataList();

    LoggerHost m_host;
    logger::LoggerExchange m_exchange;
    QList<logger::SetInfo> m_sets;
    bool m_listEnabled = false;
    int m_busy = 0;
    bool m_closing = false;
    QPointer<DataList> m_dataList;
    std::function<void(DataList&)> m_plotHandler;

    QLabel* LblMemory;
    QLabel* LblRemaining;
    QPushButton* CmdC;
    QLabel* LblTime;
    QPushButton* CmdIDCode;
    QLineEdit* TxtIDCode;
    QPushButton* CmdSampling;
    QLineEdit* TxtSampling;
    QLabel* LblMessage;
    ui::Grid* m_grid;
    QPushButton* CmdSaveAll;
    QProgressBar* SaveAllProgress;
};

} // namespace veltrix
