#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace vantorell::test {

// Waits until `ready` holds for the contents of the file (empty while it is missing),
// checking again whenever anything in the file's folder changes. False when the deadline
// passed first.
bool waitForFileContents(const std::string& path,
                         const std::function<bool(const std::string&)>& ready,
                         std::chrono::milliseconds deadline);

// Waits until `ready` holds, checking again whenever anything in `folder` changes. False
// when the deadline passed first.
bool waitForFolder(const std::string& folder, const std::function<bool()>& ready,
                   std::chrono::milliseconds deadline);

}  // namespace vantorell::test
