#pragma once
// Base64 (RFC 2045 alphabet, padded with "=") and the line form of uuencoding.

#include <string>

#include "transport/HttpProt/HttpTypes.h"

namespace vantorell::transport {

std::string EncodeLine(THttpEncoding Encoding, const void* Data, int Len);
std::string EncodeStr(THttpEncoding Encoding, const std::string& Value);

}  // namespace vantorell::transport
