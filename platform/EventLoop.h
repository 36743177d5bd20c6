#pragma once

#include <chrono>
#include <functional>

namespace vantorell {

// Lets the pending window messages (Qt events, timers, posted events) run once.
// Does nothing when no application object exists, as in the engine's batch mode.
void processMessages();

// Lets the events of the calling thread run until `done` holds, `timeout` has passed or a
// quit request of the application ends the event loops (once termination was requested,
// TerminationRequest.h, the wait returns at once); returns done(). Blocks in the
// event loop between events, so it never spins. `done` is asked first and again whenever
// the thread has run out of events. Without an application object it only asks `done`.
bool waitForMessages(const std::function<bool()>& done, std::chrono::milliseconds timeout);

enum class WaitEnd { Done, Deadline, Quit };

// The same wait up to a deadline that the events may move while it goes on, as a transfer's
// progress does. Quit: a quit request of the application ended the event loops first, or
// there is no event loop to run.
WaitEnd waitForMessagesUntil(const std::function<bool()>& done,
                             const std::chrono::steady_clock::time_point& deadline);

}  // namespace vantorell
