#pragma once

#include <utility>

namespace vantorell::transport {

// Calls an event's handler when one is assigned, through a copy, so that a handler may
// replace itself.
template <typename Handler, typename... Args>
void FireEvent(const Handler& handler, Args&&... args) {
    if (handler) {
        const Handler copy = handler;
        copy(std::forward<Args>(args)...);
    }
}

}  // namespace vantorell::transport
