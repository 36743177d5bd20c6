#include "platform/RegistryHive.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "common/AsciiCase.h"
#include "platform/FileSystem.h"

namespace vantorell {
namespace {

constexpr const char* kHeader = "; Vantorell registry hive\n";

bool isControl(unsigned char c) {
    return c < 32 || c == 127;
}

std::string quoted(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (isControl(c)) {
                    out += "\\x";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Reads a quoted text from `at`, leaving `at` behind its closing quote.
std::optional<std::string> unquoted(const std::string& line, std::size_t& at) {
    if (at >= line.size() || line[at] != '"') {
        return std::nullopt;
    }
    std::string out;
    for (++at; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '"') {
            ++at;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++at >= line.size()) {
            return std::nullopt;
        }
        switch (line[at]) {
            case '\\':
            case '"':
                out += line[at];
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                if (at + 2 >= line.size()) {
                    return std::nullopt;
                }
                const int high = hexDigit(line[at + 1]);
                const int low = hexDigit(line[at + 2]);
                if (high < 0 || low < 0) {
                    return std::nullopt;
                }
                out += static_cast<char>(high * 16 + low);
                at += 2;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

bool sameRegistryName(const std::string& a, const std::string& b) {
    return sameAsciiText(a, b);
}

std::optional<std::vector<std::string>> registryPathKeys(const std::string& path) {
    std::vector<std::string> keys;
    std::size_t from = 0;
    while (true) {
        const std::size_t bar = path.find('\\', from);
        std::string key = path.substr(from, bar == std::string::npos ? bar : bar - from);
        if (key.empty() || std::any_of(key.begin(), key.end(), [](char c) {
                return isControl(static_cast<unsigned char>(c));
            })) {
            return std::nullopt;
        }
        keys.push_back(std::move(key));
        if (bar == std::string::npos) {
            return keys;
        }
        from = bar + 1;
    }
}

HiveKey* HiveContent::find(const std::string& path) {
    for (HiveKey& key : keys) {
        if (sameRegistryName(key.path, path)) {
            return &key;
        }
    }
    return nullptr;
}

HiveKey& HiveContent::create(const std::string& path) {
    // Every key above it exists as a key of its own, as in the registry.
    std::size_t bar = 0;
    while ((bar = path.find('\\', bar)) != std::string::npos) {
        const std::string above = path.substr(0, bar++);
        if (find(above) == nullptr) {
            keys.push_back(HiveKey{above, {}});
        }
    }
    if (HiveKey* key = find(path)) {
        return *key;
    }
    keys.push_back(HiveKey{path, {}});
    return keys.back();
}

std::string hiveText(const HiveContent& hive) {
    std::string text = kHeader;
    for (const HiveKey& key : hive.keys) {
        text += "[" + key.path + "]\n";
        for (const auto& [name, value] : key.values) {
            text += quoted(name) + "=" + quoted(value) + "\n";
        }
    }
    return text;
}

std::optional<HiveContent> parseHiveText(const std::string& text) {
    HiveContent hive;
    HiveKey* current = nullptr;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']') {
                return std::nullopt;
            }
            const std::string path = line.substr(1, line.size() - 2);
            if (!registryPathKeys(path)) {
                return std::nullopt;
            }
            current = &hive.create(path);
            continue;
        }
        std::size_t at = 0;
        const auto name = unquoted(line, at);
        if (!name || current == nullptr || at >= line.size() || line[at] != '=') {
            return std::nullopt;
        }
        ++at;
        const auto value = unquoted(line, at);
        if (!value || at != line.size()) {
            return std::nullopt;
        }
        current->values.emplace_back(*name, *value);
    }
    return hive;
}

std::optional<HiveContent> readHiveFile(const std::string& file) {
    if (file.empty()) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::error_code ec;
        const bool missing = !std::filesystem::exists(file, ec) && !ec;
        return missing ? std::optional<HiveContent>(HiveContent{}) : std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return parseHiveText(text.str());
}

bool writeHiveFile(const std::string& file, const HiveContent& hive, unsigned mode) {
    const std::string folder = extractFilePath(file);
    if (file.empty() || folder.empty()) {
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        if (!std::filesystem::create_directories(folder, ec)) {
            return false;
        }
        if ((mode & 077) == 0) {
            ::chmod(folder.c_str(), 0700);
        }
    }
    try {
        writeFileAtomically(file, hiveText(hive), mode);
    } catch (const std::runtime_error&) {
        return false;
    }
    return true;
}

}  // namespace vantorell
