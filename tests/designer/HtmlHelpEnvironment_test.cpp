// The help environment found at start and its diagnostics report "HHDebug.txt".
#include "designer/HtmlHelpEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "designer/HtmlHelpVersions.h"
#include "platform/Registry.h"
#include "platform/SystemLocale.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VersionedFiles.h"

namespace vantorell {
namespace {

using test::TempFolder;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        result.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the last line has no CRLF";
    return result;
}

class HelpEnvironmentTest : public ::testing::Test {
protected:
    HelpEnvironment init(const std::vector<std::string>& arguments) {
        return nulHelpEnvironmentInit(program.file("Vantorell"), arguments, registry,
                                      system.path() + "lib");
    }

    TempFolder program;
    TempFolder system;  // the system folder, "<system>/lib"
    TempFolder user;
    Registry registry{user.file("current-user.hive"), program.file("local-machine.hive")};
    test::ScopedEnvironment locale{{{"LC_ALL", "de_AT.UTF-8"}, {"LC_NUMERIC", std::nullopt}}};
};

TEST_F(HelpEnvironmentTest, TheSwitchFileWritesTheReportAnewAtEveryStart) {
    program.write("debug.debug", "");
    program.write("HHDebug.txt", "from an earlier run\r\n");
    const HelpEnvironment e = init({});
    EXPECT_TRUE(e.flgDebug);
    EXPECT_EQ(e.strModuleFolder, program.path().substr(0, program.path().size() - 1));
    EXPECT_EQ(e.strDebugFolder, e.strModuleFolder);
    EXPECT_EQ(e.strModuleName, "Vantorell");
    EXPECT_FALSE(e.flgHelpInstalled);
    EXPECT_FALSE(e.flgBrowserInstalled);

    const std::vector<std::string> report = lines(program.read("HHDebug.txt"));
    const std::string dashes(80, '-');
    const std::vector<std::string> expected = {
        "Filename:\t" + program.file("HHDebug.txt"),
        "",  // the date, checked below
        "SysLocale.DefaultLCID:\t0x0C07",
        "SysLocale.PriLangID:\t0x0007",
        "SysLocale.SubLangID:\t0x0003",
        "",  // the separator depends on the locales the machine has
        dashes,
        "EXE Path =\t" + program.file("Vantorell"),
        "_RunDir =\t" + e.strModuleFolder,
        "_ModuleName =\tVantorell",
        "_ModuleDir =\t" + e.strModuleFolder,
        dashes,
        "_hhInstalled =\tNO",
        "_hhVerStr =\t",
        "_hhFriendlyVerStr =\t",
        dashes,
        "_ieInstalled =\tNO",
        "_ieVerStr =\t",
        "_ieFriendlyVerStr =\t",
        std::string(80, '='),
    };
    ASSERT_EQ(report.size(), expected.size());
    for (std::size_t i = 0; i < report.size(); ++i) {
        if (i == 1) {
            EXPECT_TRUE(std::regex_match(
                report[i],
                std::regex("Date:\t\\d{1,2}/\\d{1,2}/\\d{4} \\d{1,2}:\\d\\d:\\d\\d [AP]M")))
                << report[i];
        } else if (i == 5) {
            EXPECT_EQ(report[i], "DecimalSeparator:\t" + userDecimalSeparator());
        } else {
            EXPECT_EQ(report[i], expected[i]) << "line " << i;
        }
    }

    // The next start writes it anew rather than adding to it.
    init({});
    EXPECT_EQ(lines(program.read("HHDebug.txt")).size(), expected.size());
}

TEST_F(HelpEnvironmentTest, TheCommandLineSwitchInAnyCaseAndNothingElse) {
    struct Case {
        std::vector<std::string> arguments;
        bool debug;
    };
    const Case cases[] = {
        {{"-DEBUG"}, true},     {{"model.vtm", "/Debug"}, true},
        {{"-debug"}, true},     {{"--debug"}, false},
        {{"-debugs"}, false},   {{"debug"}, false},
        {{"model.vtm"}, false}, {{}, false},
    };
    for (const Case& c : cases) {
        program.write("HHDebug.txt", "earlier\r\n");
        const HelpEnvironment e = init(c.arguments);
        EXPECT_EQ(e.flgDebug, c.debug) << ::testing::PrintToString(c.arguments);
        // Without the switch an earlier report goes; with it, a new one starts.
        if (c.debug) {
            EXPECT_EQ(program.read("HHDebug.txt").rfind("Filename:\t", 0), 0U);
        } else {
            EXPECT_FALSE(std::filesystem::exists(program.file("HHDebug.txt")));
        }
    }
}

TEST_F(HelpEnvironmentTest, AFolderThatCannotBeWrittenSendsTheReportToTheTemporaryFolder) {
    TempFolder temp;
    const test::ScopedEnvironment tmpdir({{"TMPDIR", temp.path()}});
    // A program folder that is not there cannot take a file, whoever runs the test.
    const HelpEnvironment e = nulHelpEnvironmentInit(program.file("gone/Vantorell"), {"-debug"},
                                                     registry, system.path() + "lib");
    EXPECT_EQ(e.strDebugFolder + "/", temp.path());
    EXPECT_EQ(lines(temp.read("HHDebug.txt")).front(), "Filename:\t" + temp.file("HHDebug.txt"));
    EXPECT_FALSE(std::filesystem::exists(program.file("gone")));
    EXPECT_FALSE(std::filesystem::exists(program.file("$_Temp_$.$$$")));
    EXPECT_TRUE(flgFolderWritable(program.path()));
    EXPECT_FALSE(std::filesystem::exists(program.file("$_Temp_$.$$$")));
}

TEST_F(HelpEnvironmentTest, TheRegisteredHelpControlAndTheBrowserComponentAreReported) {
    const std::string control =
        program.write("hhctrl.ocx", test::programBytesWithVersion("4.74.8702.0"));
    auto key = registry.createKey(
        RegistryHive::LocalMachine,
        "Software\\Classes\\CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32");
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->writeString("", control));
    // An early browser build keeps its build number in the release part.
    system.write("lib/Shdocvw.dll", test::programBytesWithVersion("4.70.0.1155"));

    const HelpEnvironment e = init({"-debug"});
    EXPECT_EQ(strHelpControlPathGet(registry), control);
    EXPECT_TRUE(e.flgHelpInstalled);
    EXPECT_EQ(e.strHelpVersion, "4.74.8702.0");
    EXPECT_EQ(e.strHelpFriendlyVersion, "1.3");
    EXPECT_TRUE(e.flgBrowserInstalled);
    EXPECT_EQ(e.strBrowserVersion, "4.70.1155.0");
    EXPECT_EQ(e.strBrowserFriendlyVersion, "Internet Explorer 3.0");
    const std::string report = program.read("HHDebug.txt");
    EXPECT_NE(report.find("_hhInstalled =\tYES\r\n_hhVerStr =\t4.74.8702.0\r\n"
                          "_hhFriendlyVerStr =\t1.3\r\n"),
              std::string::npos);

    // A registration whose file is gone, or a file without a version, is no control.
    std::filesystem::remove(control);
    EXPECT_EQ(strHelpControlPathGet(registry), "");
    program.write("hhctrl.ocx", "no version here");
    EXPECT_FALSE(init({}).flgHelpInstalled);
}

TEST(HelpDebugLine, PlainTextsGetTheTimeAndUnwritableLinesAreDropped) {
    TempFolder folder;
    HelpEnvironment e;
    e.strDebugFolder = folder.path().substr(0, folder.path().size() - 1);
    nulHelpDebugLine(e, "loaded");
    nulHelpDebugLine(e, "!kept as it is");
    nulHelpDebugLine(e, "-x");
    const std::vector<std::string> written = lines(folder.read("HHDebug.txt"));
    ASSERT_EQ(written.size(), 3U);
    EXPECT_TRUE(std::regex_match(written[0], std::regex("\\d{1,2}:\\d\\d:\\d\\d [AP]M   loaded")))
        << written[0];
    EXPECT_EQ(written[1], "kept as it is");
    EXPECT_EQ(written[2], "x");

    e.strDebugFolder = folder.file("missing");
    nulHelpDebugLine(e, "dropped");
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing")));
}

TEST(HelpVersions, TheFirstMatchingReleaseNamesTheVersion) {
    const std::pair<const char*, const char*> help[] = {
        {"", ""},
        {"4.74.8793.1", "> 1.31"},
        {"4.74.8793.0", "1.31"},
        {"4.74.8792.9", "1.3"},
        {"4.73.8561.0", "1.22"},
        {"4.72.7290.0", "1.0"},
        {"4.72.7289.65535", "< 1.0"},
        {"not a version", "< 1.0"},
    };
    for (const auto& [version, name] : help) {
        EXPECT_EQ(strHelpFriendlyVersionGet(version), name) << version;
    }
    const std::pair<const char*, const char*> browser[] = {
        {"", ""},
        {"6.0.0.0", "> Internet Explorer 5.5 Developer Preview"},
        {"5.50.3825.1300", "Internet Explorer 5.5 Developer Preview"},
        {"5.0.2919.6307", "Internet Explorer 5.01"},
        {"5.0.2919.3800", "Internet Explorer 5.01 (Windows 2000 RC2, build 5.00.2128)"},
        {"4.72.3612.0", "Internet Explorer 4.01 Service Pack 2 (SP2)"},
        {"4.40.308.0", "Internet Explorer 1.0 (Plus!)"},
        {"4.40.307.0", "< Internet Explorer 1.0 (Plus!)"},
    };
    for (const auto& [version, name] : browser) {
        EXPECT_EQ(strBrowserFriendlyVersionGet(version), name) << version;
    }
    // The parts compare as numbers, not as texts.
    EXPECT_EQ(intVersionCompare({4, 10, 0, 0}, {4, 9, 0, 0}), 1);
    EXPECT_EQ(intVersionCompare({4, 9, 1, 2}, {4, 9, 1, 2}), 0);
    EXPECT_EQ(intVersionCompare({4, 9, 1, 2}, {4, 9, 1, 65535}), -1);
}

TEST(SystemLocale, NamesGiveTheLocaleNumbers) {
    const std::pair<const char*, unsigned> cases[] = {
        {"en_US.UTF-8", 0x0409}, {"de_CH", 0x0807}, {"pt_BR.utf8@euro", 0x0416},
        {"de_LI.UTF-8", 0x0407}, {"C", 0x007F},     {"POSIX", 0x007F},
        {"C.UTF-8", 0x007F},     {"xx_YY", 0x0000}, {"", 0x007F},
    };
    for (const auto& [name, id] : cases) {
        EXPECT_EQ(localeIdForName(name), id) << name;
    }
    EXPECT_EQ(primaryLanguageId(0x0C07), 0x07);
    EXPECT_EQ(subLanguageId(0x0C07), 0x03);
}

}  // namespace
}  // namespace vantorell
