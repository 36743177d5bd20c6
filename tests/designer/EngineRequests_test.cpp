#include "designer/rtnReaderWriter/EngineRequests.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/FileSystem.h"
#include "tests/support/StandInPrograms.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::TempFolder;

// An engine that records how it was started and the control file as it found it.
void installRecordingEngine(const TempFolder& program, const TempFolder& record,
                            int exitStatus = 0) {
    test::installRecordingProgram(program, "tqmx01", record, exitStatus);
}

TEST(EngineRequestsTest, CommandLineText) {
    EXPECT_EQ(strEngineCommandLine("/opt/v/", CipherDirection::Decipher),
              "\"/opt/v/tqmx01.exe\" -BK7#LmmP -f\"/opt/v/control.bec\" -d");
    EXPECT_EQ(strEngineCommandLine("/opt/v/", CipherDirection::Encipher),
              "\"/opt/v/tqmx01.exe\" -BK7#LmmP -f\"/opt/v/control.bec\" -e");
}

TEST(EngineRequestsTest, ControlFileLinesAndTheEngineStart) {
    const std::string tLine = "<T>";
    struct Case {
        CipherDirection direction;
        std::string secondKey;
        std::string expected;  // with tLine standing for the date and time
    } cases[] = {
        {CipherDirection::Decipher, "",
         "F\r\n/in/cube 1.mdc\r\nO\r\ntemp.dat\r\nP\r\npass word#%\r\nE\r\n"},
        {CipherDirection::Decipher, "second",
         "F\r\n/in/cube 1.mdc\r\nO\r\ntemp.dat\r\nP\r\npass word#%\r\nS\r\nsecond\r\nE\r\n"},
        {CipherDirection::Encipher, "",
         "F\r\ntemp.dat\r\nO\r\n/out/model.vte\r\nP\r\npass word#%\r\nT\r\n<T>\r\nE\r\n"},
        {CipherDirection::Encipher, "second",
         "F\r\ntemp.dat\r\nO\r\n/out/model.vte\r\nP\r\npass word#%\r\nS\r\nsecond\r\n"
         "T\r\n<T>\r\nE\r\n"},
    };
    for (const Case& c : cases) {
        const bool decipher = c.direction == CipherDirection::Decipher;
        SCOPED_TRACE(std::string(decipher ? "-d" : "-e") + " second key '" + c.secondKey + "'");
        TempFolder program;
        TempFolder record;
        installRecordingEngine(program, record);
        bool ran = false;
        if (decipher) {
            ran = flgRunDecryption(program.path(), "/in/cube 1.mdc", kTempDataFile, "pass word#%",
                                   c.secondKey, 0);
        } else {
            program.write(kTempDataFile, "records");
            ran = flgRunEncryption(program.path(), "/out/model.vte", "pass word#%", c.secondKey);
        }
        EXPECT_TRUE(ran);

        std::string control = record.read("control.copy");
        if (!decipher) {
            const std::regex dateTime(
                R"(T\r\n(\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d\d:\d\d [AP]M)\r\n)");
            EXPECT_TRUE(std::regex_search(control, dateTime)) << control;
            control = std::regex_replace(control, dateTime, "T\r\n" + tLine + "\r\n");
        }
        EXPECT_EQ(control, c.expected);
        EXPECT_EQ(record.read("args.txt"), "-BK7#LmmP\n-f" + program.path() + "control.bec\n" +
                                               (decipher ? "-d\n" : "-e\n"));
        EXPECT_EQ(record.read("cwd.txt"), test::recordedFolder(program) + "\n");
        EXPECT_EQ(record.read("mode.txt"), "600\n");
        EXPECT_FALSE(fileExists(program.file(kControlFile)));
        if (!decipher) {
            EXPECT_FALSE(fileExists(program.file(kTempDataFile)));
        }
    }
}

TEST(EngineRequestsTest, DebugMessagesAroundTheDecryption) {
    TempFolder program;
    TempFolder record;
    installRecordingEngine(program, record);
    {
        test::TestMessages messages;
        messages.expect("About to run comprehensive decryption program.")
            .expect("Decryption program run");
        flgRunDecryption(program.path(), "in.mdc", kTempDataFile, "pw", "", 2048 | 1);
    }
    {
        test::TestMessages messages;  // no bit 2048: no message
        flgRunDecryption(program.path(), "in.mdc", kTempDataFile, "pw", "", 1);
    }
}

TEST(EngineRequestsTest, FailedRunsReportFailure) {
    {
        TempFolder program;  // no engine at all
        program.write(kTempDataFile, "stale output of an earlier run");
        EXPECT_FALSE(flgRunDecryption(program.path(), "in.mdc", kTempDataFile, "pw", "", 0));
        EXPECT_FALSE(fileExists(program.file(kTempDataFile)));
        EXPECT_FALSE(fileExists(program.file(kControlFile)));
    }
    {
        TempFolder program;
        TempFolder record;
        installRecordingEngine(program, record, 1);
        program.write(kTempDataFile, "records");
        EXPECT_FALSE(flgRunEncryption(program.path(), "/out/x.vte", "pw", ""));
        EXPECT_FALSE(fileExists(program.file(kControlFile)));
    }
}

TEST(EngineRequestsTest, ValuesTheControlFileCannotCarryAreRefused) {
    TempFolder program;
    TempFolder record;
    installRecordingEngine(program, record);
    const std::string tooLong(256, 'p');
    EXPECT_THROW(flgRunDecryption(program.path(), "in.mdc", kTempDataFile, "pw\r\nO", "", 0),
                 EngineRequestError);
    EXPECT_THROW(flgRunDecryption(program.path(), "in\n.mdc", kTempDataFile, "pw", "", 0),
                 EngineRequestError);
    EXPECT_THROW(flgRunEncryption(program.path(), "/out/x.vte", tooLong, ""), EngineRequestError);
    EXPECT_THROW(flgRunEncryption(program.path(), "/out/x.vte", "pw", std::string("k\0", 2)),
                 EngineRequestError);
    EXPECT_FALSE(fileExists(program.file(kControlFile)));
    EXPECT_FALSE(fileExists(record.file("args.txt")));

    TempFolder parent;
    const std::string quoted = parent.path() + "a\"b/";
    createDirectory(quoted);
    EXPECT_THROW(flgRunDecryption(quoted, "in.mdc", kTempDataFile, "pw", "", 0),
                 EngineRequestError);
    EXPECT_FALSE(fileExists(quoted + kControlFile));
}

}  // namespace
}  // namespace vantorell
