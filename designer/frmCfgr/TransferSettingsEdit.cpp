#include "designer/frmCfgr/TransferSettingsEdit.h"

#include <charconv>

#include "common/AsciiCase.h"
#include "designer/rtnGrids/TrimBlanks.h"

namespace vantorell {
namespace {

constexpr int kHighestPort = 65535;

std::string refusedPort(const char* field) {
    return std::string("Sorry, the ") + field + " must be a whole number from 0 to " +
           std::to_string(kHighestPort) + ".";
}

}  // namespace

std::string strProxyFieldText(const std::string& text) {
    return asciiLowerCase(text);
}

TransferSettingsValues transferSettingsValuesGet(const TransferSettings& settings) {
    return {settings.flgUseProxyInfo,
            strProxyFieldText(settings.strHTTPProxyAddress),
            std::to_string(settings.intHTTPProxyPort),
            strProxyFieldText(settings.strFTPProxyAddress),
            std::to_string(settings.intFTPProxyPort),
            settings.flgUsePassiveTransfer};
}

std::optional<int> intProxyPortRead(const std::string& text) {
    const std::string_view digits = trimBlanks(text);
    if (digits.empty()) {
        return 0;
    }
    int port = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, port);
    if (ec != std::errc() || ptr != end || port < 0 || port > kHighestPort) {
        return std::nullopt;
    }
    return port;
}

std::optional<std::string> strTransferSettingsStore(const TransferSettingsValues& values,
                                                    TransferSettings& settings) {
    const std::optional<int> httpPort = intProxyPortRead(values.httpProxyPort);
    if (!httpPort) {
        return refusedPort("HTTP Proxy Port");
    }
    const std::optional<int> ftpPort = intProxyPortRead(values.ftpProxyPort);
    if (!ftpPort) {
        return refusedPort("FTP Proxy Port");
    }
    settings.flgUseProxyInfo = values.useProxyInfo;
    settings.strHTTPProxyAddress =
        strProxyFieldText(std::string(trimBlanks(values.httpProxyAddress)));
    settings.intHTTPProxyPort = *httpPort;
    settings.strFTPProxyAddress =
        strProxyFieldText(std::string(trimBlanks(values.ftpProxyAddress)));
    settings.intFTPProxyPort = *ftpPort;
    settings.flgUsePassiveTransfer = values.usePassiveTransfer;
    return std::nullopt;
}

}  // namespace vantorell
