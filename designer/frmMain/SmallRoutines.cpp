#include "designer/frmMain/SmallRoutines.h"

#include <chrono>
#include <ctime>

#include "platform/FileSystem.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

// Days since the epoch of the local calendar date of `t`.
long long localDayNumber(std::time_t t) {
    std::tm local{};
    ::localtime_r(&t, &local);
    const std::chrono::year_month_day date{std::chrono::year{local.tm_year + 1900},
                                           std::chrono::month{unsigned(local.tm_mon + 1)},
                                           std::chrono::day{unsigned(local.tm_mday)}};
    return std::chrono::sys_days{date}.time_since_epoch().count();
}

}  // namespace

int intFilesDeleteByAge(const std::string& pattern, int minimumAgeDays) {
    const std::string folder = extractFilePath(pattern);
    const long long today = localDayNumber(std::time(nullptr));
    int deleted = 0;
    for (const FoundEntry& entry : findEntries(pattern)) {
        if (entry.isDirectory) {
            continue;
        }
        if (today - localDayNumber(entry.modified) >= minimumAgeDays) {
            flgFileDeleteReport(folder + entry.name, false, deleted);
        }
    }
    return deleted;
}

bool flgFileDeleteReport(const std::string& path, bool report, int& count) {
    if (deleteFile(path)) {
        ++count;
        return true;
    }
    if (report) {
        showMessage("Attempt to Delete File", "Could not delete file \"" + path + "\".",
                    MessageIcon::Error);
    }
    return false;
}

std::string strBlanksNormalize(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            continue;
        }
        if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
            ++i;
            continue;
        }
        result += c;
    }
    return result;
}

}  // namespace vantorell
