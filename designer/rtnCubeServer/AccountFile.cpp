#include "designer/rtnCubeServer/AccountFile.h"

#include "common/AsciiCase.h"
#include "platform/IniFile.h"

namespace vantorell {

AccountFileValues accountFileRead(const std::string& fileName) {
    const IniFile file(fileName);
    AccountFileValues values;
    values.strAccountStatus = asciiLowerCase(file.readString("User", "AccountStatus", ""));
    values.intCubesAvailable = file.readInteger("User", "CubesAvailable", 0);
    values.strServerStatus = asciiLowerCase(file.readString("Server", "ServerStatus", ""));
    return values;
}

void nulAccountFileMarkBusy(const std::string& fileName) {
    IniFile file(fileName);
    file.writeString("Server", "ServerStatus", "busy");
}

}  // namespace vantorell
