#include "platform/HelpService.h"

#include "platform/QtHelpService.h"

namespace vantorell {
namespace {

InstalledService<HelpService> installed;

HelpService& qtService() {
    static QtHelpService service;
    return service;
}

}  // namespace

HelpService& helpService() {
    return installed.get(qtService());
}

HelpService* setHelpService(HelpService* service) {
    return installed.install(service);
}

}  // namespace vantorell
