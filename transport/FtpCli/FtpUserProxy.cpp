#include "transport/FtpCli/FtpUserProxy.h"

namespace vantorell::transport {

void FtpAimAtServer(TCustomFtpCli& Client, const std::string& Host, const std::string& Port,
                    const std::string& User, bool ThroughProxy, const std::string& ProxyHost,
                    const std::string& ProxyPort) {
    if (ThroughProxy) {
        Client.SetHostName(ProxyHost);
        Client.SetPort(ProxyPort);
        Client.SetUserName(User + "@" + Host + ":" + Port);
    } else {
        Client.SetHostName(Host);
        Client.SetPort(Port);
        Client.SetUserName(User);
    }
}

}  // namespace vantorell::transport
