#pragma once
// Every fetch of the updater: the update description and the components, over HTTP or FTP,
// through the proxies of the held transfer settings. Each network wait has its client's
// no-progress time-out (15 seconds).

#include <optional>
#include <string>

#include "engine/tqmh01/DownloadCheck.h"
#include "engine/tqmh01/TransferSettings.h"

namespace vantorell::engine {

// The parts of an "ftp://" address: host, then "/", the folder, "/" and the file name. The
// host may carry ":" and a port.
struct FtpAddress {
    std::string host;
    std::string port = "21";
    std::string directory;  // between the host and the file name; never empty
    std::string fileName;   // after the last "/"; never empty
};

// The address after "ftp://"; none when it has no folder, no file name, no host or a port
// that is no number from 1 to 65535.
std::optional<FtpAddress> splitFtpAddress(const std::string& rest);

// Fetches an "http://" or "ftp://" address into `target`. True when the target now holds
// the whole document, of at least kSmallestComponent bytes and matching `check`; otherwise
// the target is left as it was. HTTP goes through the held HTTP proxy whenever its host is
// set; FTP through the FTP proxy (the server named in the user name) when the held flag
// says so.
bool FetchUrl(const std::string& address, const std::string& target, const TransferSettings& held,
              const DownloadCheck& check = {});

}  // namespace vantorell::engine
