#include "designer/HtmlHelpVersions.h"

#include <charconv>
#include <cstdint>
#include <initializer_list>

namespace vantorell {
namespace {

enum class Test { Greater, Equal, AtLeast, Always };

struct Release {
    Test test;
    FileVersionNumber version;
    const char* name;
};

// A text that is not four numbers counts as version 0.0.0.0 (the oldest), as a file
// without a readable version would.
FileVersionNumber versionParse(const std::string& text) {
    FileVersionNumber version;
    std::uint16_t* parts[] = {&version.major, &version.minor, &version.release, &version.build};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (std::size_t part = 0; part < 4; ++part) {
        const auto [next, error] = std::from_chars(at, end, *parts[part]);
        if (error != std::errc() || (part < 3 ? next == end || *next != '.' : next != end)) {
            return FileVersionNumber{};
        }
        at = next + 1;
    }
    return version;
}

std::string releaseOf(const std::string& text, std::initializer_list<Release> releases) {
    if (text.empty()) {
        return std::string();
    }
    const FileVersionNumber version = versionParse(text);
    for (const Release& release : releases) {
        const int order = intVersionCompare(version, release.version);
        const bool matches = release.test == Test::Always ||
                             (release.test == Test::Greater && order > 0) ||
                             (release.test == Test::Equal && order == 0) ||
                             (release.test == Test::AtLeast && order >= 0);
        if (matches) {
            return release.name;
        }
    }
    return std::string();
}

}  // namespace

int intVersionCompare(const FileVersionNumber& a, const FileVersionNumber& b) {
    const std::uint16_t left[] = {a.major, a.minor, a.release, a.build};
    const std::uint16_t right[] = {b.major, b.minor, b.release, b.build};
    for (std::size_t i = 0; i < 4; ++i) {
        if (left[i] != right[i]) {
            return left[i] > right[i] ? 1 : -1;
        }
    }
    return 0;
}

std::string strHelpFriendlyVersionGet(const std::string& version) {
    return releaseOf(version, {
                                  {Test::Greater, {4, 74, 8793, 0}, "> 1.31"},
                                  {Test::Equal, {4, 74, 8793, 0}, "1.31"},
                                  {Test::AtLeast, {4, 74, 8702, 0}, "1.3"},
                                  {Test::AtLeast, {4, 73, 8561, 0}, "1.22"},
                                  {Test::AtLeast, {4, 73, 8474, 0}, "1.21a"},
                                  {Test::AtLeast, {4, 73, 8412, 0}, "1.21"},
                                  {Test::AtLeast, {4, 73, 8252, 0}, "1.2"},
                                  {Test::AtLeast, {4, 72, 8164, 0}, "1.1b"},
                                  {Test::AtLeast, {4, 72, 7325, 0}, "1.1a"},
                                  {Test::AtLeast, {4, 72, 7323, 0}, "1.1"},
                                  {Test::AtLeast, {4, 72, 7290, 0}, "1.0"},
                                  {Test::Always, {}, "< 1.0"},
                              });
}

std::string strBrowserFriendlyVersionGet(const std::string& version) {
    constexpr const char* k501 = "Internet Explorer 5.01";
    return releaseOf(
        version,
        {
            {Test::Greater, {5, 50, 3825, 1300}, "> Internet Explorer 5.5 Developer Preview"},
            {Test::Equal, {5, 50, 3825, 1300}, "Internet Explorer 5.5 Developer Preview"},
            {Test::AtLeast, {5, 0, 2919, 6400}, k501},
            {Test::AtLeast, {5, 0, 2919, 6307}, k501},
            {Test::AtLeast,
             {5, 0, 2919, 3800},
             "Internet Explorer 5.01 (Windows 2000 RC2, build 5.00.2128)"},
            {Test::AtLeast,
             {5, 0, 2919, 800},
             "Internet Explorer 5.01 (Windows 2000 RC1, build 5.00.2072)"},
            {Test::AtLeast, {5, 0, 2723, 2900}, "Internet Explorer 5.0 updated"},
            {Test::AtLeast, {5, 0, 2721, 1400}, "Internet Explorer 5.0 updated"},
            {Test::AtLeast, {5, 0, 2614, 0}, "Internet Explorer 5.0b"},
            {Test::AtLeast, {5, 0, 2314, 0}, "Internet Explorer 5.0a"},
            {Test::AtLeast, {5, 0, 2014, 0}, "Internet Explorer 5.0"},
            {Test::AtLeast, {5, 0, 910, 0}, "Internet Explorer 5 Beta (Beta 2)"},
            {Test::AtLeast, {5, 0, 518, 0}, "Internet Explorer 5 Developer Preview (Beta 1)"},
            {Test::AtLeast, {4, 72, 3612, 0}, "Internet Explorer 4.01 Service Pack 2 (SP2)"},
            {Test::AtLeast, {4, 72, 3110, 0}, "Internet Explorer 4.01 Service Pack 1 (SP1)"},
            {Test::AtLeast, {4, 72, 2106, 0}, "Internet Explorer 4.01"},
            {Test::AtLeast, {4, 71, 1712, 0}, "Internet Explorer 4.0"},
            {Test::AtLeast, {4, 71, 1008, 0}, "Internet Explorer 4.0 Platform Preview 2.0 (PP2)"},
            {Test::AtLeast, {4, 71, 544, 0}, "Internet Explorer 4.0 Platform Preview 1.0 (PP1)"},
            {Test::AtLeast, {4, 70, 1300, 0}, "Internet Explorer 3.02"},
            {Test::AtLeast, {4, 70, 1215, 0}, "Internet Explorer 3.01"},
            {Test::AtLeast, {4, 70, 1158, 0}, "Internet Explorer 3.0 (OSR2)"},
            {Test::AtLeast, {4, 70, 1155, 0}, "Internet Explorer 3.0"},
            {Test::AtLeast, {4, 40, 520, 0}, "Internet Explorer 2.0"},
            {Test::AtLeast, {4, 40, 308, 0}, "Internet Explorer 1.0 (Plus!)"},
            {Test::Always, {}, "< Internet Explorer 1.0 (Plus!)"},
        });
}

}  // namespace vantorell
