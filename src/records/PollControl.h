#pragma once
// The main panel's poll timer, as the printing service sees it: printing stops polling so that
// no meter exchange runs while the listing is composed.

namespace veltrix {

struct PollControl {
    virtual ~PollControl() = default;
    virtual void stopPolling() = 0;
    virtual void startPolling() = 0;
};

} // namespace veltrix
