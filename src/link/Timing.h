// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The meter's timing, named once. The meter answers within a few milliseconds of the command's
// last byte; at 9600 baud a 5-byte answer takes about 5 ms on the wire, so 0.2 s is generous.

namespace veltrix::timing {

inline constexpr double AnswerWait = 0.2;    // after every command before the length check
inline constexpr double RecordKeyWait = 0.3; // the meter starts or stops its logger
inline constexpr double BlinkSlow = 0.25;    // unit label blink code 1
inline constexpr double BlinkFast = 0.075;   // unit label blink code 2
inline constexpr double AlarmFlash = 0.5;    // OVER / UNDER flash
// After a reply that was cut short, cancelled or too long, the line must stay silent this long
// before the next command goes out: a meter still sending would take it mid-reply.
inline constexpr double QuietTime = 0.3;
inline constexpr double QuietLook = 0.05; // how often the line is looked at meanwhile
inline constexpr int IdentifyAttempts = 6;
inline constexpr int PollAttempts = 10;   // failed polls before the link counts as lost
inline constexpr int PollTimerMs = 50;    // next poll tick after the previous one ended
inline constexpr int SampleTimerMs = 100; // sample clock resolution

} // namespace veltrix::timing
