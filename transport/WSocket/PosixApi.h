#pragma once
// Builders of the POSIX table, one per group of entries.

#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {

void AddPosixSocketCalls(TWinsockApi& api);
void AddPosixSocketOptions(TWinsockApi& api);
void AddPosixHostDatabase(TWinsockApi& api);
void AddAsyncCalls(TWinsockApi& api);

}  // namespace vantorell::transport
