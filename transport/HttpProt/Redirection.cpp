#include "transport/HttpProt/Redirection.h"

#include <algorithm>
#include <cctype>

#include "transport/HttpProt/ResponseHeader.h"
#include "transport/HttpProt/UrlRoutines.h"

namespace vantorell::transport {
namespace {

// The scheme of an absolute URL in lower case; empty when the value names none.
std::string SchemeOf(const std::string& value) {
    const auto marker = value.find("://");
    if (marker == std::string::npos || marker == 0) {
        return std::string();
    }
    const bool scheme =
        std::all_of(value.begin(), value.begin() + static_cast<long>(marker), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' ||
                   c == '.';
        });
    return scheme ? LowerCase(value.substr(0, marker)) : std::string();
}

// The current path up to its last "/" or ":" before any query.
std::string FolderOf(const std::string& path) {
    const std::string beforeQuery = path.substr(0, path.find('?'));
    const auto last = beforeQuery.find_last_of("/:");
    return last == std::string::npos ? "/" : beforeQuery.substr(0, last + 1);
}

bool SameServer(const std::string& host1, const std::string& port1, const std::string& host2,
                const std::string& port2) {
    return LowerCase(host1) == LowerCase(host2) && port1 == port2;
}

}  // namespace

TRedirect HttpFollowLocation(THttpWhere& Where, const std::string& Value, bool ViaProxy) {
    // A fragment names a place inside the document and is never sent.
    std::string value = Value.substr(0, Value.find('#'));
    if (value.rfind("//", 0) == 0) {
        value = "http:" + value;
    }
    TRedirect result = TRedirect::Followed;
    Where.User.clear();
    Where.Pass.clear();
    const std::string scheme = SchemeOf(value);
    if (!scheme.empty()) {
        if (scheme != "http") {
            return TRedirect::Unsupported;
        }
        std::string proto, user, pass, host, port, path;
        ParseURL(value, proto, user, pass, host, port, path);
        if (host.empty()) {
            return TRedirect::Unsupported;
        }
        if (port.empty()) {
            port = "80";
        }
        if (!SameServer(host, port, Where.TargetHost, Where.TargetPort)) {
            result = TRedirect::OtherServer;
        }
        if (!user.empty() && !pass.empty()) {
            Where.User = user;
            Where.Pass = pass;
        }
        Where.Proto = proto;
        Where.TargetHost = host;
        Where.TargetPort = port;
        Where.OriginPath = path.empty() ? "/" : path;
    } else if (!value.empty() && value[0] == '/') {
        Where.OriginPath = value;
    } else {
        Where.OriginPath = FolderOf(Where.OriginPath) + value;
    }
    Where.Location = HttpFullUrl(Where.Proto, Where.TargetHost, Where.TargetPort, Where.OriginPath);
    if (ViaProxy) {
        Where.Path = Where.Location;
    } else {
        Where.Path = Where.OriginPath;
        Where.HostName = Where.TargetHost;
        Where.Port = Where.TargetPort;
    }
    return result;
}

}  // namespace vantorell::transport
