#pragma once

#include "platform/MessageService.h"

namespace vantorell {

// Shows modal message boxes owned by the active window.
class QtMessageService : public MessageService {
public:
    MessageAnswer show(const MessageRequest& request) override;
};

}  // namespace vantorell
