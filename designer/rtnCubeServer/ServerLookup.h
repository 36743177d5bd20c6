#pragma once
// Finding the cube server: the maker's web page "vantorellftp.htm" names its host between
// "[FTP]" and "[/FTP]".

#include <string>

#include "designer/frmMain/DesignerSettings.h"

namespace vantorell {

// The text between the first "[FTP]" and the first "[/FTP]", as it stands; empty when a
// marker is missing or fewer than two characters lie between them.
std::string strFtpHostFromLookupPage(const std::string& body);

// Fetches the page at `lookupUrl` through the HTTP proxy of the transfer settings (whether or
// not proxy use is on; no proxy address means a direct connection) and returns the host it
// names. Empty for every failure: no network, no page, no markers.
std::string strFTPServerUrlGet(const TransferSettings& transfer, const std::string& lookupUrl);

}  // namespace vantorell
