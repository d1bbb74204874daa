// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Program-wide state. One instance lives in the main panel; every window and routine that the
// panel hands it to reads and writes it in whatever condition it is at that moment (handlers may
// run inside one another's waits, so nothing here may be assumed unchanged across a Delay).

#include "link/StatusFlags.h"
#include "logger/AlarmSettings.h"
#include "records/RecordLimit.h"

#include <QString>

namespace veltrix {

// The alarm's fields (Overbox1, Overbox2, AlarmUnit, EnableDisable) are its AlarmState part, the
// one the alarm window and its rules are handed.
struct SharedState : AlarmState {
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
    int GraphRowCount = 0;
    bool SamplingPromptPending = false;

    // Gauge and chart settings (the strip chart and the list plot keep their own, and the gauge
    // the unit its dial is drawn for)
    int GaugeFullScale = 0;

    // Fields the panel keeps for the other windows; never shown.
    bool iPCsecTimetotal = false; // false right after the sample clock restarted
    int SecText1 = 2;             // sampling time in whole seconds
    bool TempFlag = false; // the gauss flag at the record graph's first row
};

} // namespace veltrix
