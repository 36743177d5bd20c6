#include "tests/support/ScopedEnvironment.h"

#include <cstdlib>

namespace vantorell::test {
namespace {

void apply(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(const Variables& variables) {
    for (const auto& [name, value] : variables) {
        const char* old = std::getenv(name.c_str());
        saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        apply(name, value);
    }
}

ScopedEnvironment::~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
        apply(name, value);
    }
}

namespace {

ScopedEnvironment::Variables probeVariables(const std::optional<std::string>& reportFile,
                                            const std::optional<std::string>& command,
                                            const std::optional<std::string>& noteFile) {
    const char* asan = std::getenv("ASAN_OPTIONS");
    return {
        {"QT_QPA_PLATFORM", "offscreen"},
        {"LD_PRELOAD", VANTORELL_WINDOW_PROBE_LIB},
        {"VANTORELL_WINDOW_PROBE", reportFile},
        {"VANTORELL_WINDOW_PROBE_TRIGGER", command},
        {"VANTORELL_WINDOW_PROBE_MESSAGES", noteFile},
        // The probe is loaded ahead of the sanitizer runtime in sanitized builds.
        {"ASAN_OPTIONS", std::string(asan ? asan : "") + ":verify_asan_link_order=0"},
    };
}

std::optional<std::string> optionalCommand(const std::string& command) {
    return command.empty() ? std::nullopt : std::optional<std::string>(command);
}

}  // namespace

ScopedEnvironment::Variables windowProbeVariables(const std::string& reportFile,
                                                  const std::string& command) {
    return probeVariables(reportFile, optionalCommand(command), std::nullopt);
}

ScopedEnvironment::Variables messageProbeVariables(const std::string& noteFile,
                                                   const std::string& command) {
    return probeVariables(std::nullopt, optionalCommand(command), noteFile);
}

}  // namespace vantorell::test
