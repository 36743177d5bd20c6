#pragma once
// Where a request goes: straight to the server that the URL names, or through an HTTP
// proxy, which is connected to instead and gets the whole URL in the request line.

#include <string>

namespace vantorell::transport {

struct THttpWhere {
    std::string Proto;       // scheme of the URL; "http" when it names none
    std::string TargetHost;  // the origin server, named in the "Host: " line
    std::string TargetPort;  // its port; "80" when the URL names none
    std::string OriginPath;  // the path on the origin server; "/" when empty
    std::string HostName;    // host connected to: the proxy when one is used
    std::string Port;        // port connected to
    std::string Path;        // request target: OriginPath, or the whole URL via a proxy
    std::string Location;    // the URL being fetched
    std::string User;        // credentials that the URL carries
    std::string Pass;
};

// Splits URL for a request, through Proxy ("host" or "host:port"; ProxyPort when it names
// no port) when Proxy is not empty.
THttpWhere HttpRequestTarget(const std::string& URL, const std::string& Proxy,
                             const std::string& ProxyPort);

// Scheme, host, the port unless it is 80, and the path, as one URL.
std::string HttpFullUrl(const std::string& Proto, const std::string& Host, const std::string& Port,
                        const std::string& Path);

}  // namespace vantorell::transport
