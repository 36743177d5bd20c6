#pragma once
// Program files as the version reader meets them.

#include <string>

namespace vantorell::test {

// The bytes of a program file that carries the version marker for `version` among other
// bytes. Made at run time, so that no test program holds a marker of its own but the one
// the build gives it.
std::string programBytesWithVersion(const std::string& version);

}  // namespace vantorell::test
