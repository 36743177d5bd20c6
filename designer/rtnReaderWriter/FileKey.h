#pragma once

#include <string>

namespace vantorell {

// Fixed key under which the user's password becomes the file key of the record layer.
inline constexpr const char* kFileKeyMaster = "Tm41Qe#&pL903(+!kR2V";

// The file key: the scrambled password when a password is given and its use is asked for,
// else empty (records are then plain lines).
std::string strFileKeyForm(const std::string& password, bool usePassword);

}  // namespace vantorell
