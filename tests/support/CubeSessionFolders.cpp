#include "tests/support/CubeSessionFolders.h"

#include <filesystem>

#include "tests/support/LoopbackPeer.h"

namespace vantorell::test {

CubeSessionFolders::CubeSessionFolders()
    : settings(std::make_unique<IniFile>(program.file("Vantorell.ini"))) {
    std::filesystem::create_directory(program.file("Temp"));
}

CubeSessionContext CubeSessionFolders::context(const std::string& lookupUrl, int cubePort) {
    CubeSessionContext c;
    c.strProgramFolder = program.path();
    c.strWorkFolder = program.file("Temp/");
    c.transfer = &transfer;
    c.settings = settings.get();
    c.address.strLookupUrl = lookupUrl;
    c.address.intServerPort = cubePort;
    return c;
}

CubeSessionContext CubeSessionFolders::unreachableContext() {
    const int port = freeLoopbackPort();
    return context("http://127.0.0.1:" + std::to_string(port) + "/vantorellftp.htm", port);
}

bool CubeSites::start(const std::string& statusIni, bool asProxy, const std::string& cubeHost) {
    if (!cube.start({{kCubeUser, kCubePassword}}, statusIni, asProxy)) {
        failure = "cube server: " + cube.failure();
        return false;
    }
    if (!maker.start(cubeHost)) {
        failure = "maker's site: " + maker.failure();
        return false;
    }
    return true;
}

PlainCubeSession::PlainCubeSession(CubeDialogKind kind, CubeSessionContext context)
    : CubeSession(kind, kind == CubeDialogKind::SendModel ? "Send Model" : "Retrieve Cube",
                  kind == CubeDialogKind::SendModel ? "SendModel.log" : "RetrieveCube.log",
                  std::move(context)) {}

bool PlainCubeSession::flgAvailability(const std::string& host, int port) {
    availabilityRuns.push_back(host + ":" + std::to_string(port));
    return true;
}

}  // namespace vantorell::test
