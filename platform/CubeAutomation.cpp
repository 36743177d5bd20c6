#include "platform/CubeAutomation.h"

namespace vantorell {
namespace {

// No cube tool is installed with this system.
class NoCubeTool : public CubeAutomation {
public:
    std::unique_ptr<CubeApplication> createApplication(const std::string&) override {
        return nullptr;
    }
    std::unique_ptr<CubeReport> createReport(const std::string&) override { return nullptr; }
};

InstalledService<CubeAutomation> installed;

}  // namespace

CubeAutomation& cubeAutomation() {
    static NoCubeTool none;
    return installed.get(none);
}

CubeAutomation* setCubeAutomation(CubeAutomation* automation) {
    return installed.install(automation);
}

}  // namespace vantorell
