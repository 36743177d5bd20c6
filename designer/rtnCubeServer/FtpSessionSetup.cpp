#include "designer/rtnCubeServer/FtpSessionSetup.h"

#include <thread>

#include "designer/rtnCubeServer/ServerTokens.h"
#include "platform/TerminationRequest.h"
#include "transport/FtpCli/FtpUserProxy.h"

namespace vantorell {

void nulPause(int n, std::chrono::milliseconds unit) {
    // A program that is ending does not wait for a session it will not open.
    if (n > 0 && unit.count() > 0 && !terminationRequested()) {
        std::this_thread::sleep_for(unit * n);
    }
}

void nulFtpClientPrepare(transport::TFtpClient& client) {
    client.SetTimeout(15);
    client.SetBinary(true);
    client.SetOptions({transport::ftpAcceptLF});
    client.SetConnectionType(transport::ftpDirect);
    client.SetLocalAddr("0.0.0.0");
}

void nulFtpClientConfigure(transport::TFtpClient& client, const TransferSettings& transfer,
                           const std::string& host, const std::string& password,
                           const std::string& user, int port, std::chrono::milliseconds pauseUnit) {
    if (client.Connected()) {
        client.Quit();
    }
    nulPause(1, pauseUnit);
    transport::FtpAimAtServer(client, host, std::to_string(port), user, transfer.flgUseProxyInfo,
                              transfer.strFTPProxyAddress,
                              std::to_string(transfer.intFTPProxyPort));
    client.SetPassWord(password);
    client.SetPassive(transfer.flgUsePassiveTransfer);
}

std::vector<std::string> strFtpClientSettingsLines(const transport::TFtpClient& client) {
    const std::string user =
        client.PassWord().empty()
            ? client.UserName()
            : strReplaceString(client.UserName(), client.PassWord(), "********");
    return {"! - Host: " + client.HostName(), "! - Port: " + client.Port(), "! - User: " + user,
            std::string("! - Passive?: ") + (client.Passive() ? "1" : "0")};
}

}  // namespace vantorell
