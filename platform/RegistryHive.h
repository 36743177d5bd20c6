#pragma once
// The file form of a registry hive: a text file with one "[key path]" line per key and one
// "\"name\"=\"value\"" line per text value below it. In names and values, "\\", "\"" and
// the control characters are escaped ("\r", "\n", "\t", "\xHH"); other bytes are kept as
// they are. Empty lines and lines beginning with ";" are comments.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantorell {

struct HiveKey {
    std::string path;  // keys joined by "\"
    std::vector<std::pair<std::string, std::string>> values;
};

struct HiveContent {
    std::vector<HiveKey> keys;

    // Case aside, as the registry compares names.
    HiveKey* find(const std::string& path);
    // The key, created with the keys above it when missing.
    HiveKey& create(const std::string& path);
};

// Names compare without regard to letter case.
bool sameRegistryName(const std::string& a, const std::string& b);

// The keys of a path, or none when a key name is empty or holds a control character.
std::optional<std::vector<std::string>> registryPathKeys(const std::string& path);

// The hive in a file: empty when the file does not exist; none when it cannot be read or
// is not in the hive form.
std::optional<HiveContent> readHiveFile(const std::string& file);

// Replaces the file with the hive, creating its folder (readable by the owner only when
// `mode` is). False when it cannot be written; the old file then stays.
bool writeHiveFile(const std::string& file, const HiveContent& hive, unsigned mode);

// The text form, and back (none for text that is not in the form).
std::string hiveText(const HiveContent& hive);
std::optional<HiveContent> parseHiveText(const std::string& text);

}  // namespace vantorell
