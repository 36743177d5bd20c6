#pragma once
// Names that come from a server (listing entries, remote file names) become local names
// only through these: reduced to a base name, so that a download never lands outside the
// folder it belongs in.

#include <string>

namespace vantorell::transport {

// The last part of a server's name after "/" or "\"; empty for a name that cannot be a
// local file name ("", ".", "..", or one holding a control character).
std::string FtpServerBaseName(const std::string& Name);

// Folder (ending in "/") joined with the base name of ServerName; false, and Path empty,
// when the name has no usable base name.
bool FtpLocalPathFor(const std::string& Folder, const std::string& ServerName, std::string& Path);

}  // namespace vantorell::transport
