#pragma once
// The registry as the engine uses it: text values under key paths, in two hives that are
// files of their own. The current user's hive lies in the user's configuration folder and
// is readable by the user only, since it may hold a stored password; the local machine's
// lies in the program folder. Key paths use "\" between their keys; key and value names
// compare without regard to case. Every write goes to the hive file at once, through a
// temporary file, so a failure never damages what was stored. A hive file that cannot be
// read is never written over.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantorell {

enum class RegistryHive { CurrentUser, LocalMachine };

class RegistryKey;

class Registry {
public:
    Registry(std::string currentUserFile, std::string localMachineFile);

    // The hives of a program in `programFolder` (ending in "/"): the current user's in
    // "$XDG_CONFIG_HOME/Vantorell/" (or "~/.config/Vantorell/"), the local machine's
    // beside the program.
    static Registry forProgramFolder(const std::string& programFolder);

    const std::string& hiveFile(RegistryHive hive) const;

    // Opens an existing key for reading; none when a key of the path is missing or the
    // hive cannot be read.
    std::optional<RegistryKey> openKey(RegistryHive hive, const std::string& path) const;
    // Opens a key for writing, creating the keys of the path that are missing; none when
    // the hive cannot be read or written, or a key name is empty or holds a control
    // character.
    std::optional<RegistryKey> createKey(RegistryHive hive, const std::string& path) const;

private:
    std::string currentUserFile_;
    std::string localMachineFile_;
};

class RegistryKey {
public:
    // A text value, when it and its terminating NUL fit into `bufferSize` bytes; none when
    // it is missing or longer (as a read into a fixed buffer fails).
    std::optional<std::string> readString(const std::string& name, std::size_t bufferSize) const;
    // Writes a text value into the hive file; false when the file cannot be written or the
    // text holds a NUL (which a text value cannot carry).
    bool writeString(const std::string& name, const std::string& value);
    // Writes are on disk as soon as they return; kept for the callers' flush.
    bool flush() const { return writable_; }

private:
    friend class Registry;
    RegistryKey(std::string file, unsigned mode, std::string path, bool writable,
                std::vector<std::pair<std::string, std::string>> values)
        : file_(std::move(file)),
          mode_(mode),
          path_(std::move(path)),
          writable_(writable),
          values_(std::move(values)) {}

    std::string file_;
    unsigned mode_;
    std::string path_;
    bool writable_;
    std::vector<std::pair<std::string, std::string>> values_;  // as read or last written
};

}  // namespace vantorell
