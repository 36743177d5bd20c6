#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include "platform/ProgramNames.h"

namespace vantorell {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, SplitsWithTheWindowsRules) {
    struct Case {
        std::string line;
        Args expected;
    } cases[] = {
        {"", {}},
        {"prog", {"prog"}},
        {"prog a  b\tc", {"prog", "a", "b", "c"}},
        {"prog a ", {"prog", "a"}},
        {"\"/opt/my apps/p.exe\" -x", {"/opt/my apps/p.exe", "-x"}},
        // The program name ends at its closing quote and takes backslashes as they are.
        {"\"C:\\dir\\\" x", {"C:\\dir\\", "x"}},
        {"\"a b\"c d", {"a b", "c", "d"}},
        {"p \"a b\" c", {"p", "a b", "c"}},
        {"p a\"b c\"d", {"p", "ab cd"}},
        {"p \"\"", {"p", ""}},
        {"p \"\" x", {"p", "", "x"}},
        // Backslashes are plain unless a quote follows them.
        {"p a\\\\b c\\", {"p", "a\\\\b", "c\\"}},
        {"p a\\\"b", {"p", "a\"b"}},            // odd count: literal quote
        {"p a\\\\\"b c\"", {"p", "a\\b c"}},    // even count: half of them, quote opens
        {"p \"a\\\\\\\"b\"", {"p", "a\\\"b"}},  // three before a quote: one and a quote
        {"p \"x\\\\\" y", {"p", "x\\", "y"}},   // quote after an even count closes
        // A doubled quote inside quotes is a literal quote and ends the quoted part.
        {"p \"a\"\"b\"", {"p", "a\"b"}},
        {"p \"a\"\"b c\"", {"p", "a\"b", "c"}},
        {"p \"\"\"x\"\"\" y", {"p", "\"x\"", "y"}},
        {"p \"unterminated arg", {"p", "unterminated arg"}},
        // The engine request and the point generator as the system writes them.
        {"\"/opt/v/tqmx01.exe\" -BK7#LmmP -f\"/opt/v/control.bec\" -d",
         {"/opt/v/tqmx01.exe", "-BK7#LmmP", "-f/opt/v/control.bec", "-d"}},
        {"\"/opt/v/tqmx01.exe\" -Er6413T%T -D\"/home/u/My Models/a.vtm\"",
         {"/opt/v/tqmx01.exe", "-Er6413T%T", "-D/home/u/My Models/a.vtm"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(splitCommandLine(c.line), c.expected) << c.line;
    }
}

TEST(CommandLineTest, ProgramFileNamesDropTheirExtension) {
    struct Case {
        std::string path;
        std::string expected;
    } cases[] = {
        {"tqmx01.exe", "tqmx01"},
        {"/opt/v/tqmx01.exe", "/opt/v/tqmx01"},
        {"/opt/v/Vantorell.exe", "/opt/v/Vantorell"},
        {"/opt/v/update.exe", "/opt/v/update"},
        {"/opt/v/TQMX03.EXE", "/opt/v/tqmx03"},
        {"/opt/v/instage.exe", "/opt/v/instage.exe"},  // staging files keep their names
        {"/opt/update.exe/tool", "/opt/update.exe/tool"},
        {"/opt/v/tqmx01", "/opt/v/tqmx01"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(linuxProgramPath(c.path), c.expected) << c.path;
    }
    EXPECT_EQ(commandLineArguments("\"/opt/v/update.exe\" -U"), (Args{"/opt/v/update", "-U"}));
    EXPECT_EQ(commandLineArguments("x.exe update.exe"), (Args{"x.exe", "update.exe"}));
}

}  // namespace
}  // namespace vantorell
