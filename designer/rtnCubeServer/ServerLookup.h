#pragma once
// Finding the cube server: the maker's web page "vantorellftp.htm" names its host between
// "[FTP]" and "[/FTP]".

#include <chrono>
#include <cstddef>
#include <string>

#include "designer/frmMain/DesignerSettings.h"

namespace vantorell {

// The lookup page is small; a longer one is no lookup page, and a page that never ends must
// not fill the memory.
inline constexpr std::size_t kLookupPageLimit = 8192;
// The whole lookup, however the server trickles its answer, ends within the FTP client's
// time-out.
inline constexpr std::chrono::milliseconds kLookupDeadline{15000};

// The text between the first "[FTP]" and the first "[/FTP]", as it stands; empty when a
// marker is missing or fewer than two characters lie between them.
std::string strFtpHostFromLookupPage(const std::string& body);

// Fetches the page at `lookupUrl` through the HTTP proxy of the transfer settings (whether or
// not proxy use is on; no proxy address means a direct connection) and returns the host it
// names. Empty for every failure: no network, no page, no markers, a page longer than
// kLookupPageLimit, no whole answer within `deadline`.
std::string strFTPServerUrlGet(const TransferSettings& transfer, const std::string& lookupUrl,
                               std::chrono::milliseconds deadline = kLookupDeadline);

}  // namespace vantorell
