#pragma once
// The updater's transfer settings: the proxies and the FTP identity that every fetch uses.
// They are held from the stored settings when the download panel opens and from the
// panel's fields when a download starts.

#include <string>

namespace vantorell::engine {

struct TransferSettings {
    std::string proxyHost;  // HTTP proxy; empty: none
    std::string proxyPort = "80";
    std::string ftpProxyHost;
    std::string ftpProxyPort = "21";
    bool useProxy = false;  // FTP goes through its proxy
    std::string ftpUser;
    std::string ftpPassword;

    // The Firewalls sheet's part: the proxies and the flag, not the identity.
    void takeProxies(const TransferSettings& from) {
        proxyHost = from.proxyHost;
        proxyPort = from.proxyPort;
        ftpProxyHost = from.ftpProxyHost;
        ftpProxyPort = from.ftpProxyPort;
        useProxy = from.useProxy;
    }

    bool operator==(const TransferSettings&) const = default;
};

}  // namespace vantorell::engine
