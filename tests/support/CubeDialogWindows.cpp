#include "tests/support/CubeDialogWindows.h"

#include <QTest>

namespace vantorell::test {

bool CubeDialogWindows::start(const std::string& statusIni, const std::string& settings) {
    if (!sites.start(statusIni)) {
        failure = sites.failure;
        return false;
    }
    program.write(
        "Vantorell.ini",
        "[Vantorell Form]\r\nShowSendModelOptionFlag=1\r\nShowReceiveCubeOptionFlag=1\r\n" +
            cubeServerSettings(sites.maker.lookupUrl(), sites.cube.port()) + settings);
    windows = designerWindowsCreate(program.path());
    main = windows->Form1.get();
    windows->Form2->session.pauseUnit = std::chrono::milliseconds(0);
    windows->Form3->session.pauseUnit = std::chrono::milliseconds(0);
    return true;
}

void CubeDialogWindows::logIn(CubeStagesView& stages) {
    stages.edtUserID->clear();
    QTest::keyClicks(stages.edtUserID, QString::fromUtf8(kCubeUser));
    QTest::keyClicks(stages.metPassword, QString::fromUtf8(kCubePassword));
    QTest::mouseClick(stages.btnIdentification, Qt::LeftButton);
}

}  // namespace vantorell::test
