#pragma once
// Turning address, port and protocol texts into numbers. Each raises ESocketException
// when the text cannot be turned into one.

#include <cstdint>
#include <string>

namespace vantorell::transport {

// Dotted IPv4 form: four decimal numbers up to 255 joined by dots, after optional leading
// blanks and before optional trailing blanks.
bool WSocketIsDottedIP(const std::string& S);

// The IPv4 address, in network order, of a dotted address or a host name; a host name is
// looked up with the blocking gethostbyname.
std::uint32_t WSocketResolveHost(const std::string& InAddr);

// The port number, in host order, of a decimal text or a service name of the protocol. A
// text that begins with a digit must be a whole number from 0 to 65535 (blanks around it
// aside).
std::uint16_t WSocketResolvePort(const std::string& Port, const std::string& Proto);

// The same for a port to connect to, which cannot be 0.
std::uint16_t WSocketResolveRemotePort(const std::string& Port, const std::string& Proto);

// The protocol number of a decimal text or a protocol name.
int WSocketResolveProto(const std::string& sProto);

// Leading blanks skipped, then decimal digits up to the first other character; no sign;
// no digits read 0. Wraps like a 32-bit integer.
int WSocketAtoi(const std::string& Value);

// Blanks and control characters removed from both ends.
std::string WSocketTrim(const std::string& Value);

}  // namespace vantorell::transport
