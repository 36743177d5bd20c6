#include "engine/tqmh01/FetchUrl.h"

#include <charconv>
#include <stdexcept>

#include "engine/tqmh01/StagingFile.h"
#include "engine/tqmh01/VersionTexts.h"
#include "transport/FtpCli/FtpClient.h"
#include "transport/FtpCli/FtpUserProxy.h"
#include "transport/HttpProt/HttpCli.h"

namespace vantorell::engine {
namespace {

bool validPort(const std::string& text) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size() && value >= 1 &&
           value <= 65535;
}

bool fetchHttp(const std::string& address, StagingFile& file, const TransferSettings& held) {
    transport::THttpCli http;
    http.SetURL(address);
    http.SetRcvdStream(&file.stream());
    http.SetProxy(held.proxyHost);
    http.SetProxyPort(held.proxyPort);
    try {
        http.Get();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool fetchFtp(const FtpAddress& where, StagingFile& file, const TransferSettings& held) {
    transport::TFtpClient ftp;
    transport::FtpAimAtServer(ftp, where.host, where.port, held.ftpUser, held.useProxy,
                              held.ftpProxyHost, held.ftpProxyPort);
    ftp.SetPassWord(held.ftpPassword);
    ftp.SetHostDirName(where.directory);
    ftp.SetHostFileName(where.fileName);
    ftp.SetLocalStream(&file);
    // Each step needs the one before; the first that fails ends the fetch.
    const bool fetched = ftp.Connect() && ftp.TypeBinary() && ftp.Cwd() && ftp.Get();
    if (ftp.Connected()) {
        ftp.Quit();
    }
    return fetched;
}

}  // namespace

std::optional<FtpAddress> splitFtpAddress(const std::string& rest) {
    const std::size_t first = rest.find('/');
    const std::size_t last = rest.rfind('/');
    if (first == std::string::npos || first == last) {
        return std::nullopt;
    }
    FtpAddress where;
    where.host = rest.substr(0, first);
    where.directory = rest.substr(first + 1, last - first - 1);
    where.fileName = rest.substr(last + 1);
    if (const std::size_t colon = where.host.rfind(':'); colon != std::string::npos) {
        where.port = where.host.substr(colon + 1);
        where.host.resize(colon);
        if (!validPort(where.port)) {
            return std::nullopt;
        }
    }
    if (where.host.empty() || where.directory.empty() || where.fileName.empty()) {
        return std::nullopt;
    }
    return where;
}

bool FetchUrl(const std::string& address, const std::string& target, const TransferSettings& held,
              const DownloadCheck& check) {
    const bool http = StartsWith(address, "http://");
    std::optional<FtpAddress> ftp;
    if (!http && StartsWith(address, "ftp://")) {
        ftp = splitFtpAddress(address.substr(6));
    }
    if (!http && !ftp) {
        return false;
    }
    try {
        StagingFile file(target, check);
        const bool fetched = http ? fetchHttp(address, file, held) : fetchFtp(*ftp, file, held);
        return fetched && file.commit();
    } catch (const std::runtime_error&) {
        // The staging file could not be made.
        return false;
    }
}

}  // namespace vantorell::engine
