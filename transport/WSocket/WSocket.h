#pragma once
// The socket components the clients and programs use: the whole class tree, with SOCKS,
// line mode and blocking waits. They add nothing of their own.

#include "transport/WSocket/SyncWSocket.h"

namespace vantorell::transport {

class TWSocket : public TCustomSyncWSocket {};

// A second name for the same component.
class TSocksWSocket : public TWSocket {};

}  // namespace vantorell::transport
