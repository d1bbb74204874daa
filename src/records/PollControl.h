// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main panel's poll timer, as the windows that talk to the meter see it. Only one command
// may be on the line at a time, so every exchange outside the poll tick pauses polling.

namespace veltrix {

struct PollControl {
    virtual ~PollControl() = default;
    virtual void stopPolling() = 0;
    virtual void startPolling() = 0;
    virtual bool pollingEnabled() const = 0;
};

// Pauses polling for its lifetime and, on every way out, leaves it as it found it: running again
// only if it ran before. Pauses nest: a key pressed during a set download finds polling stopped
// and leaves it stopped, and the download starts it again when it ends. (Every wait runs nested
// inside the one it interrupted, so the inner pause always ends first.)
class PollPause {
public:
    explicit PollPause(PollControl* poll) : m_poll(poll), m_was(poll && poll->pollingEnabled())
    {
        if (m_poll)
            m_poll->stopPolling();
    }
    ~PollPause()
    {
        if (m_poll && m_was)
            m_poll->startPolling();
    }
    PollPause(const PollPause&) = delete;
    PollPause& operator=(const PollPause&) = delete;

private:
    PollControl* m_poll;
    bool m_was;
};

} // namespace veltrix
