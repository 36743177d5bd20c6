#include "platform/IniFile.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

#include "common/AsciiCase.h"
#include "platform/FileSystem.h"

namespace vantorell {
namespace {

bool sameName(const std::string& a, const std::string& b) {
    return sameAsciiText(a, b);
}

std::string trim(const std::string& s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

std::string unquote(const std::string& s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
        return s.substr(1, s.size() - 2);
    }
    return s;
}

}  // namespace

bool parseProfileInteger(const std::string& text, int& value) {
    const std::string t = trim(text);
    if (t.empty()) {
        return false;
    }
    std::size_t pos = 0;
    bool negative = false;
    if (t[pos] == '-' || t[pos] == '+') {
        negative = t[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (pos < t.size() && t[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos + 1 < t.size() && t[pos] == '0' && (t[pos + 1] == 'x' || t[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= t.size()) {
        return false;
    }
    long long magnitude = 0;
    const char* first = t.data() + pos;
    const char* last = t.data() + t.size();
    auto [ptr, ec] = std::from_chars(first, last, magnitude, base);
    if (ec != std::errc() || ptr != last || magnitude < 0) {
        return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue < INT32_MIN || signedValue > INT32_MAX) {
        return false;
    }
    value = static_cast<int>(signedValue);
    return true;
}

IniFile::IniFile(std::string path) : path_(std::move(path)) { reload(); }

void IniFile::reload() {
    preamble_.clear();
    sections_.clear();
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        return;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::string t = trim(line);
        if (!t.empty() && t.front() == '[') {
            const std::size_t close = t.find(']');
            if (close != std::string::npos) {
                sections_.push_back(Section{trim(t.substr(1, close - 1)), {}});
                continue;
            }
        }
        Line entry;
        entry.raw = line;
        const std::size_t eq = t.find('=');
        if (!sections_.empty() && eq != std::string::npos && eq > 0 && t.front() != ';') {
            entry.isEntry = true;
            entry.key = trim(t.substr(0, eq));
            entry.value = unquote(trim(t.substr(eq + 1)));
        }
        (sections_.empty() ? preamble_ : sections_.back().lines).push_back(std::move(entry));
    }
}

const IniFile::Section* IniFile::findSection(const std::string& name) const {
    for (const Section& s : sections_) {
        if (sameName(s.name, name)) {
            return &s;
        }
    }
    return nullptr;
}

IniFile::Section* IniFile::findSection(const std::string& name) {
    return const_cast<Section*>(static_cast<const IniFile*>(this)->findSection(name));
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    if (const Section* s = findSection(section)) {
        for (const Line& l : s->lines) {
            if (l.isEntry && sameName(l.key, key)) {
                return l.value;
            }
        }
    }
    return defaultValue;
}

int IniFile::readInteger(const std::string& section, const std::string& key,
                         int defaultValue) const {
    int value = 0;
    return parseProfileInteger(readString(section, key, ""), value) ? value : defaultValue;
}

bool IniFile::readBool(const std::string& section, const std::string& key,
                       bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    Section* s = findSection(section);
    if (s == nullptr) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    auto lastEntry = s->lines.end();
    for (auto it = s->lines.begin(); it != s->lines.end(); ++it) {
        if (!it->isEntry) {
            continue;
        }
        if (sameName(it->key, key)) {
            it->value = value;
            it->raw = it->key + "=" + value;
            save();
            return;
        }
        lastEntry = it;
    }
    Line entry;
    entry.isEntry = true;
    entry.key = key;
    entry.value = value;
    entry.raw = key + "=" + value;
    // A new key goes after the section's last entry, ahead of trailing comments and blanks.
    const auto where = lastEntry == s->lines.end() ? s->lines.begin() : std::next(lastEntry);
    s->lines.insert(where, std::move(entry));
    save();
}

void IniFile::writeInteger(const std::string& section, const std::string& key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(const std::string& section) {
    const auto before = sections_.size();
    std::erase_if(sections_, [&](const Section& s) { return sameName(s.name, section); });
    if (sections_.size() != before) {
        save();
    }
}

void IniFile::deleteKey(const std::string& section, const std::string& key) {
    if (Section* s = findSection(section)) {
        for (auto it = s->lines.begin(); it != s->lines.end(); ++it) {
            if (it->isEntry && sameName(it->key, key)) {
                s->lines.erase(it);
                save();
                return;
            }
        }
    }
}

bool IniFile::sectionExists(const std::string& section) const {
    return findSection(section) != nullptr;
}

bool IniFile::valueExists(const std::string& section, const std::string& key) const {
    if (const Section* s = findSection(section)) {
        for (const Line& l : s->lines) {
            if (l.isEntry && sameName(l.key, key)) {
                return true;
            }
        }
    }
    return false;
}

std::vector<std::string> IniFile::readSections() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) {
        const bool seen = std::any_of(names.begin(), names.end(),
                                      [&](const std::string& n) { return sameName(n, s.name); });
        if (!seen) {
            names.push_back(s.name);
        }
    }
    return names;
}

std::vector<std::string> IniFile::readSection(const std::string& section) const {
    std::vector<std::string> keys;
    if (const Section* s = findSection(section)) {
        for (const Line& l : s->lines) {
            if (l.isEntry) {
                const bool seen = std::any_of(keys.begin(), keys.end(),
                                              [&](const std::string& k) { return sameName(k, l.key); });
                if (!seen) {
                    keys.push_back(l.key);
                }
            }
        }
    }
    return keys;
}

std::vector<std::string> IniFile::readSectionValues(const std::string& section) const {
    std::vector<std::string> lines;
    for (const std::string& key : readSection(section)) {
        lines.push_back(key + "=" + readString(section, key, ""));
    }
    return lines;
}

void IniFile::save() const {
    std::string out;
    auto put = [&](const Line& l) {
        out += l.raw;
        out += "\r\n";
    };
    for (const Line& l : preamble_) put(l);
    for (const Section& s : sections_) {
        out += "[" + s.name + "]\r\n";
        for (const Line& l : s.lines) put(l);
    }
    try {
        writeFileAtomically(path_, out);
    } catch (const std::exception& e) {
        throw IniFileError("Unable to write to " + path_ + ": " + e.what());
    }
}

}  // namespace vantorell
