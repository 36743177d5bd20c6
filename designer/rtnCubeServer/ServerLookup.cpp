#include "designer/rtnCubeServer/ServerLookup.h"

#include <exception>
#include <sstream>

#include "transport/HttpProt/HttpCli.h"

namespace vantorell {

std::string strFtpHostFromLookupPage(const std::string& body) {
    const std::size_t open = body.find("[FTP]");
    const std::size_t close = body.find("[/FTP]");
    if (open == std::string::npos || close == std::string::npos || close <= open + 6) {
        return std::string();
    }
    return body.substr(open + 5, close - open - 5);
}

std::string strFTPServerUrlGet(const TransferSettings& transfer, const std::string& lookupUrl) {
    try {
        transport::THttpCli http;
        http.SetProxy(transfer.strHTTPProxyAddress);
        http.SetProxyPort(std::to_string(transfer.intHTTPProxyPort));
        http.SetURL(lookupUrl);
        std::ostringstream body;
        http.SetRcvdStream(&body);
        http.Get();
        return strFtpHostFromLookupPage(body.str());
    } catch (const std::exception&) {
        return std::string();
    }
}

}  // namespace vantorell
