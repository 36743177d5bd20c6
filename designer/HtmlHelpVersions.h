#pragma once
// The help environment's version numbers: comparing them and naming the release a file
// version belongs to, for the diagnostics report.

#include <string>

#include "platform/FileVersion.h"

namespace vantorell {

// 1 when A is greater, 0 when equal, -1 when less; the parts compare in the order major,
// minor, release, build.
int intVersionCompare(const FileVersionNumber& a, const FileVersionNumber& b);

// The release of the help viewer whose control has file version `version`
// ("<major>.<minor>.<release>.<build>"); empty for an empty text.
std::string strHelpFriendlyVersionGet(const std::string& version);

// The release of the web browser whose component has file version `version`; empty for an
// empty text.
std::string strBrowserFriendlyVersionGet(const std::string& version);

}  // namespace vantorell
