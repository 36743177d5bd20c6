#pragma once
// A real program started as a process, as a user would start it, with the window probe
// loaded into it to report what it shows.

#include <QStringList>
#include <string>

#include "tests/support/TempFolder.h"

namespace vantorell::test {

// Runs `program` with `arguments` in `folder`, while the probe reports into the folder's
// "window.txt" (what shows once `command` ran, when given; see windowProbeVariables), until
// the program ends. A program that does not end within the deadline, or ends with another
// status than 0, fails the test. Returns the probe's report.
std::string probedRun(const std::string& program, const QStringList& arguments,
                      const TempFolder& folder, const std::string& command = "");

// What the last program that the probed program started showed before the probe ended it.
std::string probedChildReport(const TempFolder& folder);

// The report holds `line` as a line of its own.
bool reportHolds(const std::string& report, const std::string& line);

}  // namespace vantorell::test
