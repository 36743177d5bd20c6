#include "platform/HelpService.h"

#include "platform/QtHelpService.h"

namespace vantorell {
namespace {

HelpService* installed = nullptr;

HelpService& qtService() {
    static QtHelpService service;
    return service;
}

}  // namespace

HelpService& helpService() {
    return installed != nullptr ? *installed : qtService();
}

HelpService* setHelpService(HelpService* service) {
    HelpService* previous = installed;
    installed = service;
    return previous;
}

}  // namespace vantorell
