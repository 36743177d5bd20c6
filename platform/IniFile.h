#pragma once
// Profile (ini) file with the behaviour the Windows profile routines have: section and key
// names compare without regard to case, the first of duplicate names wins, file order is
// kept, values are trimmed (and lose one pair of enclosing quotes), booleans are "0"/"1",
// backslashes are literal, CRLF and LF are read, and lines that are not entries are kept
// when the file is written. Every write goes to the file at once, as with the profile calls.

#include <stdexcept>
#include <string>
#include <vector>

namespace vantorell {

class IniFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IniFile {
public:
    explicit IniFile(std::string path);

    const std::string& fileName() const { return path_; }

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    int readInteger(const std::string& section, const std::string& key, int defaultValue) const;
    bool readBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Writes raise IniFileError when the file cannot be written.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);
    void eraseSection(const std::string& section);
    void deleteKey(const std::string& section, const std::string& key);

    bool sectionExists(const std::string& section) const;
    bool valueExists(const std::string& section, const std::string& key) const;
    std::vector<std::string> readSections() const;
    // Keys of a section, in file order.
    std::vector<std::string> readSection(const std::string& section) const;
    // "key=value" lines of a section, in file order.
    std::vector<std::string> readSectionValues(const std::string& section) const;

    // Reads the file again, dropping what was held in memory.
    void reload();

private:
    struct Line {
        // The line as read, or as last written: an entry that was not written keeps its text
        // (blanks, quotes), so that writing one value changes no other.
        std::string raw;
        bool isEntry = false;
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    const Section* findSection(const std::string& name) const;
    Section* findSection(const std::string& name);
    void save() const;

    std::string path_;
    std::vector<Line> preamble_;  // lines before the first section
    std::vector<Section> sections_;
};

// Integer text as the profile routines read it: decimal with an optional sign, or hexadecimal
// after "$" or "0x". Returns false when the text is not such a number or does not fit.
bool parseProfileInteger(const std::string& text, int& value);

}  // namespace vantorell
