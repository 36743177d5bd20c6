#pragma once
// The processor time this process has used, for tests that show a wait does not spin.

namespace vantorell::test {

// User and system time of the whole process so far, in seconds.
double processCpuSeconds();

}  // namespace vantorell::test
