// The stand-in engine that tests of the designer use in place of the engine program.
#include "tests/support/StandInEngine.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

int runStandIn(const TempFolder& dir, const std::vector<std::string>& switches) {
    std::vector<std::string> arguments = {test::standInEngineProgram()};
    arguments.insert(arguments.end(), switches.begin(), switches.end());
    const WaitResult r = startAndWait(arguments, dir.path());
    EXPECT_TRUE(r.ended);
    return r.exitCode;
}

TEST(StandInEngineTest, CopiesTheSourceForWellFormedRequests) {
    TempFolder dir;
    dir.write("in.bin", std::string("a\r\n\0b", 5));
    dir.write("dec.bec", "F\r\nin.bin\r\nO\r\nout.bin\r\nP\r\npw\r\nS\r\nk2\r\nE\r\n");
    EXPECT_EQ(runStandIn(dir, {"-BK7#LmmP", "-f" + dir.file("dec.bec"), "-d"}), 0);
    EXPECT_EQ(dir.read("out.bin"), std::string("a\r\n\0b", 5));

    dir.write("enc.bec", "F\nin.bin\nO\nenc.bin\nP\npw\nT\n12/10/2026 10:20:33 AM\nE\n");
    EXPECT_EQ(runStandIn(dir, {"-BK7#LmmP", "-f" + dir.file("enc.bec"), "-e"}), 0);
    EXPECT_EQ(dir.read("enc.bin"), std::string("a\r\n\0b", 5));
}

TEST(StandInEngineTest, RefusesMalformedRequests) {
    struct Case {
        std::string control;
        std::string direction;
        int status;
    } cases[] = {
        {"F\r\nin.bin\r\nO\r\nout.bin\r\nP\r\npw\r\n", "-d", 3},            // no E
        {"F\r\nin.bin\r\nO\r\nout.bin\r\nP\r\n", "-d", 3},                  // P without value
        {"F\r\nin.bin\r\nO\r\nout.bin\r\nE\r\n", "-d", 3},                  // no P
        {"F\r\nin.bin\r\nX\r\nO\r\nout.bin\r\nP\r\npw\r\nE\r\n", "-d", 3},  // unknown line
        {"F\r\nin.bin\r\nO\r\nout.bin\r\nP\r\npw\r\nT\r\nnow\r\nE\r\n", "-d", 3},
        {"F\r\nin.bin\r\nO\r\nout.bin\r\nP\r\npw\r\nE\r\n", "-e", 3},  // no T
        {"F\r\nin.bin\r\nO\r\nin.bin\r\nP\r\npw\r\nE\r\n", "-d", 3},   // same file
        {"F\r\nmissing.bin\r\nO\r\nout.bin\r\nP\r\npw\r\nE\r\n", "-d", 4},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        dir.write("in.bin", "data");
        dir.write("control.bec", c.control);
        EXPECT_EQ(runStandIn(dir, {"-BK7#LmmP", "-f" + dir.file("control.bec"), c.direction}),
                  c.status)
            << c.control;
        EXPECT_FALSE(fileExists(dir.file("out.bin"))) << c.control;
        EXPECT_EQ(dir.read("in.bin"), "data");
    }
    TempFolder dir;
    EXPECT_EQ(runStandIn(dir, {"-bK7#LmmP", "-fx", "-d"}), 2);
    EXPECT_EQ(runStandIn(dir, {"-BK7#LmmP", "-d"}), 2);
}

}  // namespace
}  // namespace vantorell
