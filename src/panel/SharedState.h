#pragma once
// Program-wide state. One instance lives in the main panel; every window and routine that the
// panel hands it to reads and writes it in whatever condition it is at that moment (handlers may
// run inside one another's waits, so nothing here may be assumed unchanged across a Delay).

#include "link/StatusFlags.h"

#include <QString>

namespace veltrix {

// Largest number of records in one recording, one live table or one record graph.
inline constexpr int MaxRecords = 50000;

struct SharedState {
    // Meter link
    int ComPortNumber = 0;
    QString ModelCode;
    bool ModelQueryPending = false;
    QString ReadingText;
    StatusFlags Flags;
    bool OverloadFlag = false;

    // Recording (the open record file itself is owned by the recorder)
    bool RecordingOn = false;
    int RecordCount = 0;
    QString SaveFileName;
    bool SaveFileChosen = false;
    int RecordLimit = MaxRecords; // tests lower it to exercise the stop

    // Live views
    bool ListViewOpen = false;
    bool GraphViewOpen = false;
    bool StripChartOpen = false;
    bool AnalogOpen = false;
    bool DigitalOpen = false;
    int ListRowCount = 0;
    int GraphRowCount = 0;
    bool SamplingPromptPending = false;

    // Gauge and chart settings
    int GaugeFullScale = 0;
    QString AnalogScaleUnit;
    double StripMin = 0;
    double StripMax = 0;
    int StripRecords = 0;
    double StripStep = 0;
    bool StripStarted = false;
    int StripPointIndex = 0;
    double StripLastX = 0;
    double StripLastY = 0;
    QString StripScaleUnit; // the unit StripMin and StripMax are in (the gauge keeps its own)
    int PlotFirstRecord = 0;
    int PlotLastRecord = 0;
    int PlotSpan = 0;
    int PlotTotalRecords = 0;
    double PlotRangeMin = 0;
    double PlotRangeMax = 0;
    double PlotFullScale = 0;

    // Fields the panel keeps for the other windows; never shown.
    bool iPCsecTimetotal = false; // false right after the sample clock restarted
    int SecText1 = 2;             // sampling time in whole seconds
    QString Overbox1;              // high alarm threshold (empty: alarm indication off)
    QString Overbox2;              // low alarm threshold
    QString OpAlarm1;
    QString OpAlarm2;
    QString EnableDisable = "1"; // alarm switch: "0" on, "1" off
    QString AlarmUnit;
    QString TempFlag;
};

} // namespace veltrix
