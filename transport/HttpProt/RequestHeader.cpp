#include "transport/HttpProt/RequestHeader.h"

#include "transport/HttpProt/Encodings.h"
#include "transport/HttpProt/HttpDate.h"

namespace vantorell::transport {
namespace {

void AddWhenGiven(std::vector<std::string>& lines, const char* name, const std::string& value) {
    if (!value.empty()) {
        lines.push_back(name + value);
    }
}

std::string Basic(const std::string& user, const std::string& password) {
    return "Basic " + EncodeStr(encBase64, user + ":" + password);
}

}  // namespace

std::vector<std::string> BuildRequestLines(const THttpRequestFields& Fields) {
    const bool post = Fields.Method == "POST";
    std::vector<std::string> lines;
    lines.push_back(Fields.Method + " " + Fields.Path + " HTTP/" + Fields.Version);
    AddWhenGiven(lines, "From: ", Fields.Sender);
    AddWhenGiven(lines, "Accept: ", Fields.Accept);
    AddWhenGiven(lines, "Referer: ", Fields.Reference);
    AddWhenGiven(lines, "Accept-Language: ", Fields.AcceptLanguage);
    if (post) {
        AddWhenGiven(lines, "Content-Type: ", Fields.ContentTypePost);
    }
    AddWhenGiven(lines, "User-Agent: ", Fields.Agent);
    // A server that serves several ports tells them apart by this line.
    const bool defaultPort = Fields.TargetPort.empty() || Fields.TargetPort == "80";
    lines.push_back("Host: " + Fields.TargetHost + (defaultPort ? "" : ":" + Fields.TargetPort));
    if (Fields.NoCache) {
        lines.push_back("Pragma: no-cache");
    }
    if (post) {
        lines.push_back("Content-Length: " + std::to_string(Fields.PostSize));
    }
    if (Fields.ModifiedSince != 0) {
        lines.push_back("If-Modified-Since: " + RFC1123_Date(Fields.ModifiedSince) + " GMT");
    }
    if (!Fields.Username.empty()) {
        lines.push_back("Authorization: " + Basic(Fields.Username, Fields.Password));
    }
    if (Fields.ViaProxy && !Fields.ProxyUsername.empty()) {
        lines.push_back("Proxy-Authorization: " +
                        Basic(Fields.ProxyUsername, Fields.ProxyPassword));
    }
    AddWhenGiven(lines, "Cookie: ", Fields.Cookie);
    if (!Fields.RangeBegin.empty() || !Fields.RangeEnd.empty()) {
        lines.push_back("Range: bytes=" + Fields.RangeBegin + "-" + Fields.RangeEnd);
    }
    return lines;
}

bool HasLineBreak(const std::string& Text) {
    return Text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

std::string MaskCredentials(const std::string& Line) {
    for (const char* name : {"Authorization:", "Proxy-Authorization:"}) {
        const std::string prefix = name;
        if (Line.rfind(prefix, 0) == 0) {
            return prefix + " ********";
        }
    }
    return Line;
}

}  // namespace vantorell::transport
