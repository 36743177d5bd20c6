#pragma once
// The lines of a request header, in the order the client sends them, each only when its
// value is given.

#include <cstdint>
#include <string>
#include <vector>

namespace vantorell::transport {

struct THttpRequestFields {
    std::string Method;
    std::string Path;
    std::string Version = "1.0";
    std::string Sender;
    std::string Accept;
    std::string Reference;
    std::string AcceptLanguage;
    std::string ContentTypePost;
    std::string Agent;
    std::string TargetHost;
    std::string TargetPort;  // named in the "Host: " line unless it is the default, 80
    bool NoCache = false;
    std::int64_t PostSize = 0;  // the body's length, for "POST"
    double ModifiedSince = 0;   // 0: not sent
    std::string Username;       // empty: no "Authorization: " line
    std::string Password;
    bool ViaProxy = false;
    std::string ProxyUsername;  // empty: no "Proxy-Authorization: " line
    std::string ProxyPassword;
    std::string Cookie;
    std::string RangeBegin;
    std::string RangeEnd;
};

std::vector<std::string> BuildRequestLines(const THttpRequestFields& Fields);

// True when the text holds a carriage return, a line feed or a NUL, which a header line
// must never carry to a server.
bool HasLineBreak(const std::string& Text);

// An "Authorization:" or "Proxy-Authorization:" line with its value replaced by
// asterisks; any other line as it is.
std::string MaskCredentials(const std::string& Line);

}  // namespace vantorell::transport
