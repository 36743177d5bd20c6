#pragma once
// What a cube server session of the tests works in: a program folder with its work folder
// "Temp/" and settings file, the main window's transfer settings, and the test's cube server
// and maker's web server on loopback.

#include <memory>
#include <string>
#include <vector>

#include "designer/frmMain/DesignerSettings.h"
#include "designer/rtnCubeServer/CubeSession.h"
#include "platform/IniFile.h"
#include "tests/servers/CubeServer.h"
#include "tests/servers/MakerSite.h"
#include "tests/support/TempFolder.h"

namespace vantorell::test {

inline constexpr const char* kCubeUser = "analyst";
inline constexpr const char* kCubePassword = "s3cret word";

struct CubeSessionFolders {
    CubeSessionFolders();

    // Pointed at the servers: the lookup page's address and the cube server's port.
    CubeSessionContext context(const std::string& lookupUrl, int cubePort);
    // Pointed at nothing: the lookup page is on a port where nobody listens.
    CubeSessionContext unreachableContext();
    std::string log(const std::string& name) const { return program.read(name); }

    TempFolder program;
    std::unique_ptr<IniFile> settings;
    TransferSettings transfer;
};

// The cube server with the test account and the maker's page naming it.
struct CubeSites {
    // False when a server did not start; failure says why.
    bool start(const std::string& statusIni, bool asProxy = false,
               const std::string& cubeHost = "127.0.0.1");

    CubeServer cube;
    MakerSite maker;
    std::string failure;
};

// A session whose own stages only record what the shared machinery asks of them, for the
// tests of that machinery. Its caption and log are those of the dialog of its kind.
class PlainCubeSession : public CubeSession {
public:
    PlainCubeSession(CubeDialogKind kind, CubeSessionContext context);

    bool stage2Controls = false;
    bool selectionControls = false;
    std::vector<std::string> availabilityRuns;  // "host:port" of each run

protected:
    void nulStage2Controls(bool enabled) override { stage2Controls = enabled; }
    void nulSelectionControls(bool enabled) override { selectionControls = enabled; }
    void nulSelectionButtonRule() override {}
    bool flgAvailability(const std::string& host, int port) override;
};

}  // namespace vantorell::test
