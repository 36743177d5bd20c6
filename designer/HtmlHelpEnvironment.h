#pragma once
// The help environment the designer finds at start: where it runs from, where its
// diagnostics go, whether they are switched on, and which help control and web browser
// component the system has. With the diagnostics on, the start writes them to "HHDebug.txt".

#include <string>
#include <vector>

#include "platform/FileVersion.h"

namespace vantorell {

class Registry;

inline constexpr const char* kHelpDebugFileName = "HHDebug.txt";

struct HelpEnvironment {
    std::string strModuleFileName;  // the program's full path
    std::string strModuleFolder;    // its folder, without a trailing "/"
    std::string strModuleName;      // its file name
    std::string strRunFolder;       // the executable's folder, without a trailing "/"
    std::string strDebugFolder;     // where "HHDebug.txt" goes, without a trailing "/"
    bool flgDebug = false;          // the diagnostics switch

    bool flgHelpInstalled = false;
    std::string strHelpVersion;
    std::string strHelpFriendlyVersion;

    bool flgBrowserInstalled = false;
    std::string strBrowserVersion;
    std::string strBrowserFriendlyVersion;

    std::string strDebugFile() const { return strDebugFolder + "/" + kHelpDebugFileName; }
};

// The text without the characters `c` at its end.
std::string strTrailingCharsStrip(const std::string& text, char c);
std::string strCharRepeat(char c, std::size_t count);
std::string strYesNo(bool flag);

// The system's temporary folder (TMPDIR, else "/tmp"), without a trailing "/".
std::string strTempFolderGet();
// Where the system keeps its shared components, without a trailing "/".
std::string strSystemFolderGet();

// True when a file can be made in the folder: "$_Temp_$.$$$" is created and deleted.
bool flgFolderWritable(const std::string& folder);

// The file's version text ("<major>.<minor>.<release>.<build>") and its parts; an empty
// text and all parts 0 when the file is missing or carries no version.
std::string strFileVersionGet(const std::string& file, FileVersionNumber& version);

// The file of the help control the system has registered; empty when none is registered or
// its file is missing.
std::string strHelpControlPathGet(const Registry& registry);

// The web browser component's version in the system folder, with its early builds' numbers
// put into the usual order; empty when there is none.
std::string strBrowserVersionGet(const std::string& systemFolder);

// Appends one line to "HHDebug.txt" in the diagnostics folder: "-" and "=" become 80 of
// themselves; a leading "!", "-" or "=" is dropped; any other text gets the time and three
// blanks in front. A line that cannot be written is dropped.
void nulHelpDebugLine(const HelpEnvironment& environment, const std::string& text);

// Deletes an earlier "HHDebug.txt" and, with the diagnostics on, writes the report anew.
void nulHelpDebugReport(const HelpEnvironment& environment);

// True for the diagnostics switch "/debug" or "-debug", in any letter case.
bool flgHelpDebugSwitch(const std::string& argument);

// Finds the environment of the program at `modulePath`, started with `arguments` (the
// program name not among them), and writes the report.
HelpEnvironment nulHelpEnvironmentInit(const std::string& modulePath,
                                       const std::vector<std::string>& arguments,
                                       const Registry& registry,
                                       const std::string& systemFolder = strSystemFolderGet());

}  // namespace vantorell
