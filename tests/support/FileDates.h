#pragma once

#include <string>

namespace vantorell::test {

// Dates the file (or folder) at noon of the local calendar day `daysAgo` days before today;
// a negative count dates it in the future. Fails the test when the date cannot be set.
void setFileDateDaysAgo(const std::string& path, int daysAgo);

}  // namespace vantorell::test
