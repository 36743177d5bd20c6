#pragma once
// Where the cube server dialogs find the maker's lookup page and the cube server's port.
// The product uses the built-in page and port 22; the keys below in section "File Transfer"
// of the designer settings file can point them elsewhere (a test's servers on loopback).
// They are read only and never written, so a user's settings file does not grow them.

#include <string>

#include "common/MakerWebSite.h"
#include "platform/IniFile.h"

namespace vantorell {

inline constexpr int kCubeServerPort = 22;
inline const std::string kCubeServerLookupUrl = std::string(kMakerWebSite) + "vantorellftp.htm";
inline constexpr const char* kCubeServerLookupUrlKey = "CubeServerLookupURL";
inline constexpr const char* kCubeServerPortKey = "CubeServerPort";

struct CubeServerAddress {
    std::string strLookupUrl = kCubeServerLookupUrl;
    int intServerPort = kCubeServerPort;
};

CubeServerAddress cubeServerAddressRead(const IniFile& settings);

}  // namespace vantorell
