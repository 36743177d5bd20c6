#pragma once
// Blocking host look-ups of the unit; each raises ESocketException for an invalid text.
// The asynchronous ones are members of TCustomWSocket (DnsLookup, ReverseDnsLookup).

#include <optional>
#include <string>
#include <vector>

#include "transport/WSocket/WinsockTypes.h"

namespace vantorell::transport {

std::optional<THostEnt> WSocketGetHostByName(const std::string& Name);
std::optional<THostEnt> WSocketGetHostByAddr(const std::string& Addr);
// The host name of a dotted address; empty when it has none.
std::string WSocketResolveIp(const std::string& IpAddr);
std::string LocalHostName();
// Every address of the local host name, dotted, in the unit's own list.
const std::vector<std::string>& LocalIPList();

}  // namespace vantorell::transport
