#pragma once

#include <string>

namespace vantorell::transport {

// The text of a Winsock error code; "Not a WinSock error" for any other number.
std::string WSocketErrorDesc(int error);

}  // namespace vantorell::transport
