#pragma once
// Runs a piece of a test in a child process whose files may grow no larger than a limit, as
// on a full disk or under a quota. The child ignores the signal the system sends with the
// write that fails, so the write reports its error like any other.

#include <cstddef>
#include <functional>

namespace vantorell::test {

// True when `body`, run in the child, returned true. The parent waits for the child.
bool flgRunUnderFileSizeLimit(std::size_t bytes, const std::function<bool()>& body);

}  // namespace vantorell::test
