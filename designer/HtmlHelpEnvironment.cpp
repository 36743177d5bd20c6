#include "designer/HtmlHelpEnvironment.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "common/AsciiCase.h"
#include "designer/HtmlHelpVersions.h"
#include "platform/DateTimeText.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/SystemLocale.h"

namespace vantorell {
namespace {

constexpr const char* kHelpControlKey =
    "Software\\Classes\\CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";
constexpr std::size_t kPathBufferSize = 4096;
constexpr const char* kBrowserComponent = "Shdocvw.dll";
constexpr const char* kDebugSwitchFile = "debug.debug";
constexpr std::size_t kRuleLength = 80;

std::string folderOf(const std::string& path) {
    return strTrailingCharsStrip(std::filesystem::path(path).parent_path().string(), '/');
}

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFF);
    return text;
}

std::string item(const char* label, const std::string& value) {
    return std::string("!") + label + "\t" + value;
}

}  // namespace

bool flgHelpDebugSwitch(const std::string& argument) {
    return sameAsciiText(argument, "/debug") || sameAsciiText(argument, "-debug");
}

std::string strTrailingCharsStrip(const std::string& text, char c) {
    const std::size_t keep = text.find_last_not_of(c);
    return keep == std::string::npos ? std::string() : text.substr(0, keep + 1);
}

std::string strCharRepeat(char c, std::size_t count) {
    return std::string(count, c);
}

std::string strYesNo(bool flag) {
    return flag ? "YES" : "NO";
}

std::string strTempFolderGet() {
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    const std::string folder = ec ? std::string() : temp.string();
    return strTrailingCharsStrip(directoryExists(folder) ? folder : std::string("/tmp"), '/');
}

std::string strSystemFolderGet() {
    return "/usr/lib";
}

bool flgFolderWritable(const std::string& folder) {
    const std::string probe = folder + "/$_Temp_$.$$$";
    std::FILE* f = std::fopen(probe.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    std::fclose(f);
    deleteFile(probe);
    return true;
}

std::string strFileVersionGet(const std::string& file, FileVersionNumber& version) {
    const std::optional<FileVersionNumber> read =
        fileExists(file) ? fileVersionRead(file) : std::nullopt;
    version = read.value_or(FileVersionNumber{});
    return read ? strFileVersionText(*read) : std::string();
}

std::string strHelpControlPathGet(const Registry& registry) {
    const auto key = registry.openKey(RegistryHive::LocalMachine, kHelpControlKey);
    const auto file = key ? key->readString("", kPathBufferSize) : std::nullopt;
    return file && fileExists(*file) ? *file : std::string();
}

std::string strBrowserVersionGet(const std::string& systemFolder) {
    FileVersionNumber version;
    std::string text = strFileVersionGet(systemFolder + "/" + kBrowserComponent, version);
    // The early builds kept their build number in the release part.
    if (!text.empty() && version.major == 4 && version.minor <= 70 && version.release == 0) {
        version.release = version.build;
        version.build = 0;
        text = strFileVersionText(version);
    }
    return text;
}

void nulHelpDebugLine(const HelpEnvironment& environment, const std::string& text) {
    std::string line;
    if (text == "-" || text == "=") {
        line = strCharRepeat(text[0], kRuleLength);
    } else if (!text.empty() && (text[0] == '!' || text[0] == '-' || text[0] == '=')) {
        line = text.substr(1);
    } else {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        ::localtime_r(&now, &local);
        line = longTimeText(local) + "   " + text;
    }
    line += "\r\n";
    std::FILE* f = std::fopen(environment.strDebugFile().c_str(), "ab");
    if (f == nullptr) {
        return;
    }
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
}

void nulHelpDebugReport(const HelpEnvironment& environment) {
    deleteFile(environment.strDebugFile());
    if (!environment.flgDebug) {
        return;
    }
    const std::uint16_t locale = localeIdForName(userNumberLocaleName());
    const std::string lines[] = {
        item("Filename:", environment.strDebugFile()),
        item("Date:", currentShortDateLongTimeText()),
        item("SysLocale.DefaultLCID:", hex4(locale)),
        item("SysLocale.PriLangID:", hex4(primaryLanguageId(locale))),
        item("SysLocale.SubLangID:", hex4(subLanguageId(locale))),
        item("DecimalSeparator:", userDecimalSeparator()),
        "-",
        item("EXE Path =", environment.strModuleFileName),
        item("_RunDir =", environment.strRunFolder),
        item("_ModuleName =", environment.strModuleName),
        item("_ModuleDir =", environment.strModuleFolder),
        "-",
        item("_hhInstalled =", strYesNo(environment.flgHelpInstalled)),
        item("_hhVerStr =", environment.strHelpVersion),
        item("_hhFriendlyVerStr =", environment.strHelpFriendlyVersion),
        "-",
        item("_ieInstalled =", strYesNo(environment.flgBrowserInstalled)),
        item("_ieVerStr =", environment.strBrowserVersion),
        item("_ieFriendlyVerStr =", environment.strBrowserFriendlyVersion),
        "=",
    };
    for (const std::string& line : lines) {
        nulHelpDebugLine(environment, line);
    }
}

HelpEnvironment nulHelpEnvironmentInit(const std::string& modulePath,
                                       const std::vector<std::string>& arguments,
                                       const Registry& registry, const std::string& systemFolder) {
    HelpEnvironment e;
    e.strModuleFileName = modulePath;
    e.strModuleFolder = folderOf(modulePath);
    e.strModuleName = std::filesystem::path(modulePath).filename().string();
    e.strRunFolder = e.strModuleFolder;

    e.strDebugFolder =
        flgFolderWritable(e.strModuleFolder) ? e.strModuleFolder : strTempFolderGet();
    e.flgDebug = fileExists(e.strModuleFolder + "/" + kDebugSwitchFile);
    for (const std::string& argument : arguments) {
        e.flgDebug = e.flgDebug || flgHelpDebugSwitch(argument);
    }

    FileVersionNumber version;
    e.strHelpVersion = strFileVersionGet(strHelpControlPathGet(registry), version);
    e.flgHelpInstalled = !e.strHelpVersion.empty();
    e.strHelpFriendlyVersion = strHelpFriendlyVersionGet(e.strHelpVersion);

    e.strBrowserVersion = strBrowserVersionGet(systemFolder);
    e.flgBrowserInstalled = !e.strBrowserVersion.empty();
    e.strBrowserFriendlyVersion = strBrowserFriendlyVersionGet(e.strBrowserVersion);

    nulHelpDebugReport(e);
    return e;
}

}  // namespace vantorell
