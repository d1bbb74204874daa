// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's poll timer as a window sees it: what the window asked of it, in order.

#include "records/PollControl.h"

#include <QStringList>

namespace veltrix::test {

struct FakePoll : PollControl {
    QStringList calls;
    void stopPolling() override { calls << QStringLiteral("stop"); }
    void startPolling() override { calls << QStringLiteral("start"); }
    bool pollingEnabled() const override
    {
        return calls.isEmpty() || calls.last() == QLatin1String("start");
    }
    // Polling runs again and every stop had its start.
    bool restarted() const
    {
        return calls.count(QStringLiteral("stop")) == calls.count(QStringLiteral("start")) &&
               (calls.isEmpty() || calls.last() == QLatin1String("start"));
    }
};

} // namespace veltrix::test
