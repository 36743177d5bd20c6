#include "designer/rtnCubeServer/CubeServerAddress.h"

#include "designer/frmMain/DesignerSettings.h"

namespace vantorell {

CubeServerAddress cubeServerAddressRead(const IniFile& settings) {
    CubeServerAddress address;
    address.strLookupUrl =
        settings.readString(kFileTransferSection, kCubeServerLookupUrlKey, kCubeServerLookupUrl);
    address.intServerPort =
        settings.readInteger(kFileTransferSection, kCubeServerPortKey, kCubeServerPort);
    return address;
}

}  // namespace vantorell
