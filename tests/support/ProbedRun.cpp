#include "tests/support/ProbedRun.h"

#include <gtest/gtest.h>

#include <QProcess>

#include "tests/support/ScopedEnvironment.h"

namespace vantorell::test {
namespace {

constexpr int kDeadlineMs = 60000;

}  // namespace

std::string probedRun(const std::string& program, const QStringList& arguments,
                      const TempFolder& folder, const std::string& command) {
    const ScopedEnvironment probe(windowProbeVariables(folder.file("window.txt"), command));
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.setWorkingDirectory(QString::fromStdString(folder.path()));
    run.start(QString::fromStdString(program), arguments);
    EXPECT_TRUE(run.waitForStarted(kDeadlineMs)) << program;
    if (!run.waitForFinished(kDeadlineMs)) {
        run.kill();
        run.waitForFinished(kDeadlineMs);
        ADD_FAILURE() << program << " did not end within the deadline";
    }
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit) << program;
    EXPECT_EQ(run.exitCode(), 0) << program;
    return folder.read("window.txt");
}

std::string probedChildReport(const TempFolder& folder) {
    return folder.read("window.txt.child");
}

bool reportHolds(const std::string& report, const std::string& line) {
    return report.find("\n" + line + "\n") != std::string::npos;
}

}  // namespace vantorell::test
