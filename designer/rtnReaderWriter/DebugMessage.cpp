#include "designer/rtnReaderWriter/DebugMessage.h"

#include "platform/MessageService.h"

namespace vantorell {

void nulDebugMessage(const std::string& text, int bit, int mask) {
    if ((bit & mask) != 0) {
        showMessage(dialogCaption(MessageIcon::Information), text, MessageIcon::Information,
                    kButtonOk | kButtonCancel);
    }
}

}  // namespace vantorell
