#pragma once

#include <map>
#include <optional>
#include <string>

namespace vantorell::test {

// Sets (a value) or removes (nullopt) environment variables for the child processes a test
// starts, and restores them when it goes.
class ScopedEnvironment {
public:
    using Variables = std::map<std::string, std::optional<std::string>>;
    explicit ScopedEnvironment(const Variables& variables);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    Variables saved_;
};

// What a started program needs for the window probe to report into `reportFile` what it
// shows, on the offscreen platform; with a `command` (an action's object name), what it shows
// once the command has run.
ScopedEnvironment::Variables windowProbeVariables(const std::string& reportFile,
                                                  const std::string& command = "");

// What a started program needs, on the offscreen platform, for the window probe to note each
// message box it shows in `noteFile` and leave the box open for the test; with a `command`
// (object names as for windowProbeVariables), run once its message loop waits for input.
ScopedEnvironment::Variables messageProbeVariables(const std::string& noteFile,
                                                   const std::string& command = "");

}  // namespace vantorell::test
