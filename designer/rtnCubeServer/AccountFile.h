#pragma once
// The cube server's account file "status.ini", one per account in its login folder: whether
// the account is enabled, how many cubes it may still have generated, and whether the
// server is busy with it.

#include <string>

namespace vantorell {

inline constexpr const char* kAccountFileName = "status.ini";

struct AccountFileValues {
    std::string strAccountStatus;  // "User" "AccountStatus", lower-cased
    std::string strServerStatus;   // "Server" "ServerStatus", lower-cased
    int intCubesAvailable = 0;     // "User" "CubesAvailable", 0 when absent
};

AccountFileValues accountFileRead(const std::string& fileName);

// Writes "ServerStatus" = "busy" into section "Server". Raises IniFileError when the file
// cannot be written.
void nulAccountFileMarkBusy(const std::string& fileName);

}  // namespace vantorell
