#pragma once

namespace vantorell {

// Lets the pending window messages (Qt events, timers, posted events) run once.
// Does nothing when no application object exists, as in the engine's batch mode.
void processMessages();

}  // namespace vantorell
