#include "transport/HttpProt/HttpTarget.h"

#include "transport/HttpProt/UrlRoutines.h"

namespace vantorell::transport {

std::string HttpFullUrl(const std::string& Proto, const std::string& Host, const std::string& Port,
                        const std::string& Path) {
    return (Proto.empty() ? std::string("http") : Proto) + "://" + Host +
           (Port.empty() || Port == "80" ? std::string() : ":" + Port) + Path;
}

THttpWhere HttpRequestTarget(const std::string& URL, const std::string& Proxy,
                             const std::string& ProxyPort) {
    THttpWhere where;
    std::string path;
    ParseURL(URL, where.Proto, where.User, where.Pass, where.TargetHost, where.TargetPort, path);
    if (where.Proto.empty()) {
        where.Proto = "http";
    }
    if (where.TargetPort.empty()) {
        where.TargetPort = "80";
    }
    // A fragment names a place inside the document and is never sent.
    path = path.substr(0, path.find('#'));
    where.OriginPath = path.empty() ? "/" : path;
    where.Location = URL;
    if (Proxy.empty()) {
        where.HostName = where.TargetHost;
        where.Port = where.TargetPort;
        where.Path = where.OriginPath;
        return where;
    }
    where.Path = HttpFullUrl(where.Proto, where.TargetHost, where.TargetPort, where.OriginPath);
    std::string proto, user, pass, proxyPath;
    ParseURL(Proxy, proto, user, pass, where.HostName, where.Port, proxyPath);
    if (where.Port.empty()) {
        where.Port = ProxyPort;
    }
    return where;
}

}  // namespace vantorell::transport
