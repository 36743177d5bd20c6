// The real designer program, run with a program folder of its own on the offscreen platform
// and closed through a termination request.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>

#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "tests/support/BuiltPrograms.h"
#include "tests/support/FileWait.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using namespace std::chrono_literals;
using test::TempFolder;

// The executable's folder is the program folder, so the program runs from a copy.
std::string installDesigner(const TempFolder& program) {
    return test::installBuiltProgram(program.path(), "Vantorell");
}

bool sixLines(const std::string& log) {
    return std::count(log.begin(), log.end(), '\n') == 6;
}

TEST(DesignerE2eTest, StartsWritesItsLogAndKeepsItsSettingsAcrossARun) {
    TempFolder program;
    const std::string designer = installDesigner(program);
    const std::string model = program.write("sales.vtm", "");
    program.write("startup.log", "earlier run\r\n");
    program.write("Vantorell.ini",
                  "[Vantorell Form]\r\nWidth=600\r\nHeight=420\r\nTopPanelHeight=260\r\n"
                  "[File Transfer]\r\nHTTPProxyAddress=proxy.local\r\nHTTPProxyPort=8080\r\n"
                  "[File Menu Reopen List]\r\nFile1=" +
                      program.file("gone.vtm") + "\r\nFile2=" + model + "\r\n");

    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    run.setProcessEnvironment(env);
    run.start(QString::fromStdString(designer), {});
    ASSERT_TRUE(run.waitForStarted(10000));

    const bool started = test::waitForFileContents(program.file("startup.log"), sixLines, 30s);
    run.terminate();
    ASSERT_TRUE(run.waitForFinished(30000));
    ASSERT_TRUE(started);
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);

    EXPECT_EQ(program.read("startup.log"),
              "Application setup... done.\r\n"
              "Application cleanup... done.\r\n"
              "Create temp directories... done.\r\n"
              "Form setup... done.\r\n"
              "Initial value loading... done.\r\n"
              "Model initialization... done.\r\n");
    EXPECT_FALSE(directoryExists(program.path() + "Temp/"));

    const IniFile settings(program.file("Vantorell.ini"));
    EXPECT_EQ(settings.readString("Vantorell Form", "Width", ""), "600");
    EXPECT_EQ(settings.readString("Vantorell Form", "Height", ""), "420");
    EXPECT_EQ(settings.readString("Vantorell Form", "TopPanelHeight", ""), "260");
    EXPECT_EQ(settings.readString("Vantorell Form", "DimsCatsPanelWidth", ""), "304");
    EXPECT_EQ(settings.readString("Vantorell Form", "WindowState", ""), "0");
    EXPECT_TRUE(settings.valueExists("Vantorell Form", "Top"));
    EXPECT_TRUE(settings.valueExists("Vantorell Form", "Left"));
    EXPECT_EQ(settings.readString("File Transfer", "HTTPProxyAddress", ""), "proxy.local");
    EXPECT_EQ(settings.readString("File Transfer", "HTTPProxyPort", ""), "8080");
    EXPECT_EQ(settings.readString("File Transfer", "UsePassiveTransferFlag", ""), "1");
    EXPECT_EQ(settings.readSectionValues("File Menu Reopen List"),
              (std::vector<std::string>{"File1=" + model}));
}

// Runs the designer with the arguments until `ready` holds for its "Arrays.log", then ends it
// with a termination request.
void runUntilLogged(const std::string& designer, const TempFolder& program,
                    const QStringList& arguments,
                    const std::function<bool(const std::string&)>& ready) {
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    run.setProcessEnvironment(env);
    run.start(QString::fromStdString(designer), arguments);
    ASSERT_TRUE(run.waitForStarted(10000));
    const bool logged = test::waitForFileContents(program.file("Arrays.log"), ready, 30s);
    run.terminate();
    ASSERT_TRUE(run.waitForFinished(30000));
    ASSERT_TRUE(logged) << program.read("Arrays.log");
    EXPECT_EQ(run.exitCode(), 0);
}

TEST(DesignerE2eTest, OpensTheModelOnItsCommandLineAndKeepsTheTemplateOffTheReopenList) {
    TempFolder program;
    const std::string designer = installDesigner(program);
    const std::string model = program.file("sales.vtm");
    std::filesystem::copy_file(test::sourcePath("examples/sales.vtm"), model);
    const std::string before = program.read("sales.vtm");
    // With the array debug mask every conversion is logged, so the log tells what ran.
    program.write("Vantorell.ini", "[Vantorell Form]\r\nArrayDebugFlagsValue=1\r\n");

    runUntilLogged(designer, program, {QString::fromStdString(model)}, [&](const std::string& log) {
        return log.find("Externalizing for checksum... " + model) != std::string::npos;
    });
    const std::string log = program.read("Arrays.log");
    EXPECT_NE(log.find("Internalizing for file load... " + model), std::string::npos);
    EXPECT_EQ(program.read("sales.vtm"), before);
    EXPECT_EQ(IniFile(program.file("Vantorell.ini")).readSectionValues("File Menu Reopen List"),
              (std::vector<std::string>{"File1=" + model}));

    // A template in the program folder starts every new model, untitled.
    std::filesystem::copy_file(model, program.file("default.vtm"));
    runUntilLogged(designer, program, {}, [&](const std::string& log) {
        return log.find("Externalizing default.vtm for checksum... " +
                        program.file("~untitled~.vtm")) != std::string::npos;
    });
    EXPECT_EQ(IniFile(program.file("Vantorell.ini")).readSectionValues("File Menu Reopen List"),
              (std::vector<std::string>{"File1=" + model}));
}

TEST(DesignerE2eTest, TheDiagnosticsSwitchWritesTheHelpReportAndStillOpensTheModel) {
    TempFolder program;
    const std::string designer = installDesigner(program);
    const std::string model = program.file("sales.vtm");
    std::filesystem::copy_file(test::sourcePath("examples/sales.vtm"), model);
    program.write("Vantorell.ini", "[Vantorell Form]\r\nArrayDebugFlagsValue=1\r\n");

    runUntilLogged(
        designer, program, {"-DEBUG", QString::fromStdString(model)}, [&](const std::string& log) {
            return log.find("Externalizing for checksum... " + model) != std::string::npos;
        });
    const std::string report = program.read("HHDebug.txt");
    EXPECT_EQ(report.rfind("Filename:\t" + program.file("HHDebug.txt") + "\r\n", 0), 0U) << report;
    EXPECT_NE(report.find("EXE Path =\t" + designer + "\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n" + std::string(80, '=') + "\r\n"), std::string::npos);

    // Without the switch the next start removes the report.
    std::filesystem::remove(program.file("Arrays.log"));
    runUntilLogged(designer, program, {QString::fromStdString(model)}, [&](const std::string& log) {
        return log.find("Externalizing for checksum... " + model) != std::string::npos;
    });
    EXPECT_FALSE(std::filesystem::exists(program.file("HHDebug.txt")));
}

// A termination request while a message box waits for its answer: the box ends as
// cancelled, nothing more is asked, and the program ends the normal way, its settings
// written and its work folder gone.
TEST(DesignerE2eTest, ATerminationRequestWhileAMessageBoxIsOpenEndsTheProgram) {
    TempFolder program;
    const std::string designer = installDesigner(program);
    const std::string broken = program.write("broken.vtm", "VT0200\r\nINFO\r\n");
    const std::string notes = program.file("messages.txt");
    const test::ScopedEnvironment probe(test::messageProbeVariables(notes));

    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(QString::fromStdString(designer), {QString::fromStdString(broken)});
    ASSERT_TRUE(run.waitForStarted(10000));
    const bool shown = test::waitForFileContents(
        notes,
        [](const std::string& text) {
            return text.find("message Open File: A fatal error") != std::string::npos;
        },
        30s);
    const auto requested = std::chrono::steady_clock::now();
    run.terminate();
    const bool ended = run.waitForFinished(30000);
    const auto took = std::chrono::steady_clock::now() - requested;
    if (!ended) {
        run.kill();
        run.waitForFinished(10000);
    }
    ASSERT_TRUE(shown) << program.read("messages.txt");
    ASSERT_TRUE(ended);
    EXPECT_LT(took, 10s);
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);
    const std::string noted = program.read("messages.txt");
    EXPECT_EQ(std::count(noted.begin(), noted.end(), '\n'), 1) << noted;
    EXPECT_FALSE(directoryExists(program.path() + "Temp/"));
    EXPECT_TRUE(fileExists(program.file("Vantorell.ini")));
    EXPECT_EQ(program.read("broken.vtm"), "VT0200\r\nINFO\r\n");
}

}  // namespace
}  // namespace vantorell
