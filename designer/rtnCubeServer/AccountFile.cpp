#include "designer/rtnCubeServer/AccountFile.h"

#include "platform/IniFile.h"

namespace vantorell {
namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

}  // namespace

AccountFileValues accountFileRead(const std::string& fileName) {
    const IniFile file(fileName);
    AccountFileValues values;
    values.strAccountStatus = lowerCase(file.readString("User", "AccountStatus", ""));
    values.intCubesAvailable = file.readInteger("User", "CubesAvailable", 0);
    values.strServerStatus = lowerCase(file.readString("Server", "ServerStatus", ""));
    return values;
}

void nulAccountFileMarkBusy(const std::string& fileName) {
    IniFile file(fileName);
    file.writeString("Server", "ServerStatus", "busy");
}

}  // namespace vantorell
