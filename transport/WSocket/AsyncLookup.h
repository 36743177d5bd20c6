#pragma once
// Asynchronous host lookups: the blocking look-up of the table runs on a worker thread of
// its own; its result is copied into the caller's host entry on the window's thread, right
// before the completion message is dispatched. A cancelled lookup, or one whose window is
// gone, is dropped without a message.

#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {

// Cancels every lookup that would post to Wnd; run before the window goes away.
void CancelLookupsFor(HWND Wnd);

}  // namespace vantorell::transport
